#include "views/busyprogress.h"

#include "platform/ui/progresswindow.h"

#include <QApplication>

CBusyProgress::CBusyProgress(QWidget* parent, const QString& text, int steps) : m_steps(steps) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (steps > 0) {
        m_window = std::make_unique<kv::platform::ProgressWindow>(text, parent);
        m_window->SetProgress(0, steps);
        m_window->Begin();
    }
    // Whatever the command's menu covered is painted again, the window shown.
    Repaint();
}

CBusyProgress::~CBusyProgress() {
    m_window.reset();
    QApplication::restoreOverrideCursor();
}

void CBusyProgress::Step() {
    if (m_window) m_window->SetProgress(++m_done, m_steps);
    Repaint();
}

void CBusyProgress::Repaint() {
    // The progress window keeps the user's input from the other windows; without
    // it, input waits until the work is done.
    QApplication::processEvents(m_window ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}
