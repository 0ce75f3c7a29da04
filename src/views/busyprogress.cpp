#include "views/busyprogress.h"

#include <QApplication>
#include <QProgressDialog>

namespace {
// The work cannot be stopped half-way: Escape leaves the window where it is.
class ProgressWindow : public QProgressDialog {
public:
    using QProgressDialog::QProgressDialog;
    void reject() override {}
};
}  // namespace

CBusyProgress::CBusyProgress(QWidget* parent, const QString& text, int steps) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (steps > 0) {
        m_dialog = std::make_unique<ProgressWindow>(text, QString(), 0, steps, parent);
        m_dialog->setWindowTitle("KV");
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setValue(0);
        m_dialog->show();
    }
    // Whatever the command's menu covered is painted again, the window shown.
    Repaint();
}

CBusyProgress::~CBusyProgress() {
    m_dialog.reset();
    QApplication::restoreOverrideCursor();
}

void CBusyProgress::Step() {
    if (m_dialog) m_dialog->setValue(++m_done);
    Repaint();
}

void CBusyProgress::Repaint() {
    // The progress window keeps the user's input from the other windows; without
    // it, input waits until the work is done.
    QApplication::processEvents(m_dialog ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}
