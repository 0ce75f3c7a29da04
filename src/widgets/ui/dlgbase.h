#pragma once
// The pages of the calculation host (dlgjisuan.h) and the small controls the
// table-window modules build their pages from.
//
// A page is made without a parent; the host makes it (CreateDlg), fills it
// (InitDlg) and refreshes it after each 计算 (RefreshDlg). Grids and child pages
// talk to their owner through OnTableMessage, always as a direct call.
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CJiSuanBase;
class CJsDataBase;
class CJsResultBase;

class CDlgBase : public QWidget {
    Q_OBJECT
public:
    explicit CDlgBase(QWidget* parent = nullptr);
    ~CDlgBase() override;

    // Makes the page's controls under `parent` (the host's tab control). 1.
    virtual int CreateDlg(QWidget* parent);
    // Fills the page once it is made. 1.
    virtual int InitDlg();
    // Shows the data and results as they are now. 1.
    virtual int RefreshDlg();
    virtual CJsDataBase* GetJsDataBase();
    virtual CJsResultBase* GetJsResultBase();
    virtual CJiSuanBase* GetJiSuanBase();
    // The result summary: cleared with `clear`, else read again. 1.
    virtual int LoadPrompt(int clear);
    // After a 计算 that ran. 1.
    virtual int AfterJisuan();
    // The host has made diagram k (-1 none) the data's current one.
    virtual void DiagramSelected(int k);

    // A message of a grid or of a child page (kTableRefill, kTableRedraw, ...).
    // The base passes it on to its owner.
    virtual int OnTableMessage(int message, std::uintptr_t wParam, std::intptr_t lParam);

    // Who gets the messages this page passes on: the host, or the page a child page sits on.
    void SetOwner(CDlgBase* owner) { owner_ = owner; }
    CDlgBase* Owner() const { return owner_; }
    // Sends `message` to the owner; 0 when there is none.
    int SendToOwner(int message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

protected:
    // Enter and Esc on the page. True when the page took the key; false lets
    // the host have it (Esc ends the host as cancelled).
    virtual bool OnOK();
    virtual bool OnCancel();
    void keyPressEvent(QKeyEvent* event) override;

private:
    CDlgBase* owner_ = nullptr;
};

// Pages with their names, in the order they were added: at most kMaxPages, each
// name at most kMaxNameBytes in the program's file encoding.
class CPageRegister {
public:
    static constexpr int kMaxPages = 30;
    static constexpr std::size_t kMaxNameBytes = 49;

    // False, with nothing added, when the register is full or `page` is null.
    // A longer name is cut after its last whole character that fits.
    bool Add(QWidget* page, const std::string& name);
    int Count() const { return static_cast<int>(pages_.size()); }
    QWidget* Page(int k) const { return pages_.at(static_cast<std::size_t>(k)).page; }
    const std::string& Name(int k) const { return pages_.at(static_cast<std::size_t>(k)).name; }

private:
    struct Entry {
        QWidget* page;
        std::string name;
    };
    std::vector<Entry> pages_;
};

// A push button that never acts as a dialog's default button (Enter does not
// press it) and may be tinted.
class CButtonST : public QPushButton {
    Q_OBJECT
public:
    explicit CButtonST(const QString& text = QString(), QWidget* parent = nullptr);
    // Darkens (positive `offset`) the colour `which` (0 the face) by `offset` of 255.
    void OffsetColor(int which, int offset, bool repaint = true);
};

// The tab control of the pages.
class CEnTabCtrl : public QTabWidget {
    Q_OBJECT
public:
    explicit CEnTabCtrl(QWidget* parent = nullptr);
    // Every tab at least `chars` average characters wide.
    void SetMinTabWidth(int chars);
};
