#pragma once
// The tab-sheet container that hosts the pages of the multi-page modules. Pages
// are widgets the caller creates; the container shows one at a time, asks the
// shown page to take its inputs on OK, and lets a page drop one tab and restore it.
#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <array>
#include <string>

class CJsBaseData;
class QTabBar;
class QPushButton;
class CDlgTabSheet;

// A page of the container. Shown, it loads from its data (OnSetActive); hidden, it
// stores into it (OnKillActive); OnSheetOk takes the inputs, computes and saves.
class CSheetPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual void OnSetActive() {}
    virtual void OnKillActive() {}
    virtual void OnSheetOk() {}

    // The container this page is in (none before it is added).
    CDlgTabSheet* Sheet() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
};

class CDlgTabSheet : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxPages = 30;
    static constexpr int kTitleChars = 49;
    static constexpr int kCaptionChars = 299;
    static constexpr int kNoTabRemoved = 5000;

    explicit CDlgTabSheet(QWidget* parent = nullptr, CJsBaseData* data = nullptr);
    // Hands the pages that are still there back to the caller, who owns them.
    ~CDlgTabSheet() override;

    void SetCaption(const std::string& caption);
    // Appends a page under `title`; false when 30 pages are there already.
    bool AddPage(const std::string& title, QWidget* page);
    int PageCount() const { return m_nPages; }

    // Titles the tabs show while a tab is removed (list A) and normally (list B).
    QStringList& RemovedTitles() { return m_listA; }
    QStringList& NormalTitles() { return m_listB; }

    // A page asks to drop tab k, or to put the dropped tab back; 1 when done, 0
    // when a tab is already (or no tab is) removed.
    int OnRemovePage(int k);
    int OnRestorePage();

    // The page shown for tab k (a removed tab shifts the later pages by one).
    int PageOfTab(int k) const;
    QTabBar* TabBar() const { return m_tabs; }
    QWidget* TabControl() const { return m_tabControl; }
    QWidget* Page(int i) const { return i >= 0 && i < m_nPages ? m_pages[static_cast<std::size_t>(i)] : nullptr; }

    // Lays out the pages and their tabs; exec() does it when it has not been done.
    void OnInitDialog();
    int exec() override;
    void accept() override;  // posts "OK" to the shown page; the container stays open
    void reject() override;

private:
    void FitToPages();
    void RetitleTabs(const QStringList& titles);
    void OnSelchangeTab(int index);

    CJsBaseData* m_data;
    QWidget* m_tabControl = nullptr;  // 911
    QTabBar* m_tabs = nullptr;
    QPushButton* m_ok = nullptr;      // 1
    QPushButton* m_cancel = nullptr;  // 2
    std::array<QPointer<QWidget>, kMaxPages> m_pages{};  // the caller's; empty once a page is gone
    std::array<QString, kMaxPages> m_titles;
    int m_nPages = 0;
    QString m_caption;
    QStringList m_listA, m_listB;
    int m_removed = 0;
    int m_removedIndex = kNoTabRemoved;
    bool m_initialised = false;
};
