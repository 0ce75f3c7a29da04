#include "widgets/ui/messagewnd.h"

#include "base/error.h"

#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kRunEnd = -8899;

QColor ColourOf(int code) {
    if (kv::err::StopsRun(code)) return QColor(200, 0, 0);
    if (code == kv::err::kDesignError) return QColor(200, 0, 160);
    if (code == kv::err::kWarning) return QColor(0, 0, 200);
    if (code == kv::err::kProgress) return QColor(90, 90, 90);
    return QColor(Qt::black);
}
}  // namespace

CMessageWnd::CMessageWnd(QWidget* parent) : QDialog(parent) {
    setObjectName("MessageWnd");
    setWindowTitle(QStringLiteral("计算信息"));
    setModal(false);
    m_list = new QListWidget(this);
    m_list->setObjectName("lines");
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* clear = new QPushButton(QStringLiteral("清除"), this);
    connect(clear, &QPushButton::clicked, m_list, &QListWidget::clear);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(clear);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(560, 320);
}

void CMessageWnd::AddLine(int code, const QString& text) {
    if (code == kv::err::kClearWindow) {
        m_list->clear();
        m_runHadProblems = false;
        return;
    }
    if (code == kv::err::kCloseProgress) return;  // no progress display of its own
    if (code == kRunEnd) {
        if (m_runHadProblems) show();
        m_runHadProblems = false;
        return;
    }
    if (code >= kv::err::kWarning) m_runHadProblems = true;
    QString shown = text;
    while (shown.endsWith('\n')) shown.chop(1);
    if (!shown.trimmed().isEmpty()) {
        auto* item = new QListWidgetItem(shown, m_list);
        item->setForeground(ColourOf(code));
        ScrollToEndSoon();
    }
    // A notice (code 0) is how the program asks to see the window; problems show it too.
    if (code == kv::err::kNotice || code >= kv::err::kWarning) {
        show();
        raise();
    }
}

void CMessageWnd::ScrollToEndSoon() {
    // Scrolling lays out the whole list: once per burst of lines, not per line,
    // or a run that reports thousands of iterations holds the window up.
    if (m_scrollPending) return;
    m_scrollPending = true;
    QTimer::singleShot(0, this, [this] {
        m_scrollPending = false;
        m_list->scrollToBottom();
    });
}

CMessageWnd* InstallMessageWindow(QWidget* owner) {
    auto* wnd = new CMessageWnd(owner);
    QPointer<CMessageWnd> guard(wnd);
    kv::err::SetSink([guard](int code, const std::string& text) {
        if (guard) guard->AddLine(code, QString::fromStdString(text));
    });
    // The channel goes back to its own store when the window goes.
    QObject::connect(wnd, &QObject::destroyed, [] { kv::err::SetSink(nullptr); });
    return wnd;
}
