#pragma once
// The message window of calculation runs: every line sent through tell_error
// shows here, coloured by its code. A plain notice brings the window up; an
// empty-window code (-1111) clears it; the end-of-run code (-8899) brings it up
// when the run reported a warning or an error.
#include <QDialog>

class QListWidget;

class CMessageWnd : public QDialog {
    Q_OBJECT
public:
    explicit CMessageWnd(QWidget* parent = nullptr);

    // Takes one line of the message channel.
    void AddLine(int code, const QString& text);
    QListWidget* List() const { return m_list; }

private:
    void ScrollToEndSoon();

    QListWidget* m_list = nullptr;
    bool m_runHadProblems = false;
    bool m_scrollPending = false;
};

// Makes the message window the message channel's sink for the life of `owner`.
CMessageWnd* InstallMessageWindow(QWidget* owner);
