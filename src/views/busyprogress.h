#pragma once
// Long commands of the report window: the wait cursor for as long as they run,
// and a progress window that goes on repainting, as does the program window
// (the menu the command came from is gone before the work starts).
#include <QString>

#include <memory>

class QWidget;

namespace kv::platform {
class ProgressWindow;
}

class CBusyProgress {
public:
    // `steps` = 0: the wait cursor only.
    CBusyProgress(QWidget* parent, const QString& text, int steps);
    ~CBusyProgress();
    CBusyProgress(const CBusyProgress&) = delete;
    CBusyProgress& operator=(const CBusyProgress&) = delete;

    // One more step done.
    void Step();

private:
    void Repaint();

    std::unique_ptr<kv::platform::ProgressWindow> m_window;
    int m_steps = 0;
    int m_done = 0;
};
