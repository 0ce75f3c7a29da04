#pragma once
#include "views/childframe.h"

class QComboBox;
class QSplitter;
class QToolBar;

// Drawing view (left) and report view (right) side by side.
class CSplitterPanes {
public:
    QSplitter* splitter = nullptr;
    CCxView_KV* drawing = nullptr;
    CBbView_KV* report = nullptr;
    void Create(QWidget* parent, CBbDoc_KV* document);
};

// The project window: splitter and the dialog bar with the item list.
class CSplitterFrame : public CChildFrameBase {
    Q_OBJECT
public:
    explicit CSplitterFrame(QWidget* parent = nullptr);

    CBbView_KV* ReportView() const override { return m_panes.report; }
    CCxView_KV* DrawingView() const override { return m_panes.drawing; }
    QWidget* DialogBar() const { return m_dialogBar; }
    QComboBox* ItemCombo() const { return m_itemCombo; }      // 47647
    QComboBox* ChaXunCombo() const { return m_chaXunCombo; }  // 47646

    // The window's panes become the current drawing and report views.
    void OnActivate() override;

protected:
    bool OnOwnCommand(int id, CCmdUI* ui) override;

private:
    CSplitterPanes m_panes;
    QWidget* m_dialogBar = nullptr;
    QComboBox* m_itemCombo = nullptr;
    QComboBox* m_chaXunCombo = nullptr;
};

// The single-calculation window: the same splitter with a zoom toolbar; it stays
// open while it is the only window.
class CSplitterFrame1 : public CChildFrameBase {
    Q_OBJECT
public:
    explicit CSplitterFrame1(QWidget* parent = nullptr);

    CBbView_KV* ReportView() const override { return m_panes.report; }
    CCxView_KV* DrawingView() const override { return m_panes.drawing; }
    QToolBar* ToolBar() const { return m_toolBar; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool OnOwnCommand(int id, CCmdUI* ui) override;

private:
    CSplitterPanes m_panes;
    QToolBar* m_toolBar = nullptr;
};

// Moves the focus between the panes (F6, Shift+F6).
bool SwitchPane(const CSplitterPanes& panes, int id, CCmdUI* ui);
