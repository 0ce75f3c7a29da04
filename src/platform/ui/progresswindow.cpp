#include "platform/ui/progresswindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace kv::platform {

ProgressWindow::ProgressWindow(const QString& text, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("ProgressWindow");
    setWindowTitle(QStringLiteral("KV"));
    setWindowModality(Qt::ApplicationModal);
    auto* label = new QLabel(text, this);
    label->setObjectName("text");
    m_detail = new QLabel(this);
    m_detail->setObjectName("detail");
    m_detail->setTextFormat(Qt::PlainText);
    m_detail->hide();
    m_bar = new QProgressBar(this);
    m_bar->setObjectName("progress");
    m_bar->setRange(0, 0);
    m_bar->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_detail);
    layout->addWidget(m_bar);
    setMinimumWidth(360);
}

void ProgressWindow::SetDetail(const QString& detail) {
    QString shown = detail;
    while (shown.endsWith('\n')) shown.chop(1);
    m_detail->setText(shown);
    m_detail->setVisible(!shown.isEmpty());
}

void ProgressWindow::SetProgress(int done, int total) {
    if (total <= 0) {
        m_bar->setRange(0, 0);
        m_bar->setTextVisible(false);
        return;
    }
    m_bar->setRange(0, total);
    m_bar->setValue(std::clamp(done, 0, total));
    m_bar->setTextVisible(true);
}

void ProgressWindow::Begin() {
    show();
    raise();
    activateWindow();
}

void ProgressWindow::closeEvent(QCloseEvent* event) { event->ignore(); }

}  // namespace kv::platform
