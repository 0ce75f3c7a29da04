#include "views/dialogs/dlgtabsheet.h"

#include "views/dialogs/checkdatasaved.h"

#include <QPushButton>
#include <QTabBar>
#include <QTimer>

namespace {
constexpr int kTabBarHeight = 26;
constexpr QPoint kTabControlAt(7, 7);
}  // namespace

CDlgTabSheet* CSheetPage::Sheet() const {
    for (QObject* p = parent(); p; p = p->parent())
        if (auto* sheet = qobject_cast<CDlgTabSheet*>(p)) return sheet;
    return nullptr;
}

void CSheetPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    OnSetActive();
}

void CSheetPage::hideEvent(QHideEvent* event) {
    OnKillActive();
    QWidget::hideEvent(event);
}

CDlgTabSheet::CDlgTabSheet(QWidget* parent, CJsBaseData* data) : QDialog(parent), m_data(data) {
    setObjectName("143");
    m_caption = QStringLiteral("地下室荷载公式计算");
    m_tabControl = new QWidget(this);
    m_tabControl->setObjectName("911");
    m_tabs = new QTabBar(m_tabControl);
    m_tabs->setExpanding(false);
    m_ok = new QPushButton(QStringLiteral("确   认"), this);
    m_ok->setObjectName("1");
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("返  回"), this);
    m_cancel->setObjectName("2");
    m_ok->resize(100, 28);
    m_cancel->resize(100, 28);
    connect(m_ok, &QPushButton::clicked, this, &CDlgTabSheet::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CDlgTabSheet::reject);
}

CDlgTabSheet::~CDlgTabSheet() {
    for (QPointer<QWidget>& page : m_pages)
        if (page && page->parent() == m_tabControl) page->setParent(nullptr);
}

void CDlgTabSheet::SetCaption(const std::string& caption) {
    m_caption = QString::fromStdString(caption).left(kCaptionChars);
}

bool CDlgTabSheet::AddPage(const std::string& title, QWidget* page) {
    if (m_nPages >= kMaxPages || !page) return false;
    QString t = QString::fromStdString(title).left(kTitleChars);
    m_titles[static_cast<std::size_t>(m_nPages)] = t;
    m_listA << t;
    m_listB << t;
    m_pages[static_cast<std::size_t>(m_nPages++)] = page;
    if (m_initialised) {
        // Added after the container was shown: give it its tab at once.
        page->setParent(m_tabControl);
        m_tabs->addTab(t);
        FitToPages();
    }
    return true;
}

int CDlgTabSheet::exec() {
    if (!m_initialised) OnInitDialog();
    return QDialog::exec();
}

void CDlgTabSheet::OnInitDialog() {
    if (m_initialised) return;
    m_initialised = true;
    setWindowTitle(m_caption);
    FitToPages();
    for (int i = 0; i < m_nPages; ++i) {
        QWidget* page = m_pages[static_cast<std::size_t>(i)];
        if (!page) continue;
        page->hide();
        page->setParent(m_tabControl);
        m_tabs->addTab(m_titles[static_cast<std::size_t>(i)]);
    }
    FitToPages();
    connect(m_tabs, &QTabBar::currentChanged, this, &CDlgTabSheet::OnSelchangeTab);
    if (m_nPages > 0) {
        m_tabs->setCurrentIndex(0);
        if (m_pages[0]) m_pages[0]->show();
    }
}

void CDlgTabSheet::FitToPages() {
    int w = 100, h = 80;
    for (int i = 0; i < m_nPages; ++i) {
        QWidget* page = m_pages[static_cast<std::size_t>(i)];
        if (!page) continue;
        QSize s = page->testAttribute(Qt::WA_Resized) ? page->size() : page->sizeHint();
        w = std::max(w, s.width());
        h = std::max(h, s.height());
    }
    int W = w + 6, H = h + 34;
    setFixedSize(W + 28, H + 74);
    m_tabControl->setGeometry(QRect(kTabControlAt, QSize(W, H)));
    m_tabs->setGeometry(0, 0, W, kTabBarHeight);
    m_ok->move(W - 212, H + 10);
    m_cancel->move(W - 92, H + 10);
    for (int i = 0; i < m_nPages; ++i)
        if (QWidget* page = m_pages[static_cast<std::size_t>(i)]; page && page->parent() == m_tabControl)
            page->setGeometry(2, 30, W - 4, H - 34);
}

int CDlgTabSheet::PageOfTab(int k) const {
    if (m_removed && k >= m_removedIndex) return k + 1;
    return k;
}

void CDlgTabSheet::OnSelchangeTab(int index) {
    for (int i = 0; i < m_nPages; ++i)
        if (QWidget* page = m_pages[static_cast<std::size_t>(i)]) page->hide();
    if (QWidget* page = Page(PageOfTab(index))) page->show();
}

void CDlgTabSheet::accept() {
    QWidget* page = Page(PageOfTab(m_tabs->currentIndex()));
    if (auto* sheetPage = qobject_cast<CSheetPage*>(page)) {
        // Posted, as the page may close the container from there.
        QTimer::singleShot(0, sheetPage, [sheetPage] { sheetPage->OnSheetOk(); });
    }
}

void CDlgTabSheet::reject() {
    if (m_data && CheckDataSaved(m_data) == 0) return;
    for (int i = 0; i < m_nPages; ++i)
        if (QWidget* page = m_pages[static_cast<std::size_t>(i)]) page->hide();
    QDialog::reject();
}

int CDlgTabSheet::OnRemovePage(int k) {
    if (m_removed || k < 0 || k >= m_tabs->count()) return 0;
    QSignalBlocker block(m_tabs);
    m_tabs->removeTab(k);
    m_removed = 1;
    m_removedIndex = k;
    RetitleTabs(m_listA);
    FitToPages();
    // The shown tab itself was dropped: show the page of the tab now current, the
    // one OK goes to.
    QWidget* current = Page(PageOfTab(m_tabs->currentIndex()));
    if (current && !current->isVisibleTo(m_tabControl)) OnSelchangeTab(m_tabs->currentIndex());
    return 1;
}

int CDlgTabSheet::OnRestorePage() {
    if (!m_removed) return 0;
    QSignalBlocker block(m_tabs);
    m_tabs->insertTab(m_removedIndex, m_titles[static_cast<std::size_t>(m_removedIndex)]);
    m_removed = 0;
    m_removedIndex = kNoTabRemoved;
    RetitleTabs(m_listB);
    FitToPages();
    return 1;
}

void CDlgTabSheet::RetitleTabs(const QStringList& titles) {
    for (int i = 0; i < m_tabs->count() && i < titles.size(); ++i) m_tabs->setTabText(i, titles[i]);
}
