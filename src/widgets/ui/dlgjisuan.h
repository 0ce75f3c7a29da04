#pragma once
// The calculation host of the table-window modules: the module's pages as tabs,
// 计算, the list of the module's diagrams with the selected one drawn, and 返回.
// It reads the data file of the work folder when it opens and writes it when it
// closes, whichever way it ends.
#include <QDialog>
#include <QPointer>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "widgets/ui/dlgbase.h"

class CBase_SGT;
class CDxfWnd;
class QListWidget;

class CDlgJiSuan : public QDialog {
    Q_OBJECT
public:
    static constexpr int kOk = 1;      // 返回
    static constexpr int kCancel = 2;  // Esc or the close box

    explicit CDlgJiSuan(QWidget* parent = nullptr);
    ~CDlgJiSuan() override;

    // Adds a page (not owned) as the next tab; false when the host holds as many
    // as it can or the page is null.
    bool AddPage(CDlgBase* page, const std::string& name);
    // Makes the pages and shows the host until it ends: kOk or kCancel.
    int DoModal();

    // Opens the host without waiting (tests and screenshots): the data file is
    // read and the pages made; Finish ends it as DoModal would.
    void Open();
    int Finish(int result);

    // 计算: the module's road on the calculation runner, then every page's
    // summary, AfterJisuan and refresh, and the selected diagram again.
    void OnJiSuan();
    // The diagram chosen in the list (-1 none) and its drawing.
    void SelectDiagram(int k);
    int SelectedDiagram() const;
    void RedrawDiagram();
    const CBase_SGT* DiagramDrawing() const;

    int PageCount() const { return pages_.Count(); }
    CDlgBase* Page(int k) const;
    CEnTabCtrl* Tabs() const { return tabs_; }
    QListWidget* DiagramList() const { return diagrams_; }

    // What the pages send up: kTableRedraw redraws the selected diagram.
    int OnPageMessage(int message, std::uintptr_t wParam, std::intptr_t lParam);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    class Relay;  // the owner the pages see
    CJsDataBase* Data() const;
    CJiSuanBase* Calculation() const;
    std::string DataFile() const;
    void FillDiagramList();
    void TakePendingEdits();

    CPageRegister pages_;
    std::vector<QPointer<CDlgBase>> alive_;
    CEnTabCtrl* tabs_;
    QListWidget* diagrams_;
    CDxfWnd* preview_;
    std::unique_ptr<Relay> relay_;
    std::unique_ptr<CBase_SGT> diagram_;
    bool open_ = false;
    int result_ = kCancel;
};
