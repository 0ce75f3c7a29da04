#pragma once
// The window shown while long work runs (an outside program, a calculation). It
// is modal for the whole program, so the user starts nothing else meanwhile,
// and it cannot be closed: the work ends it.
#include <QDialog>

class QLabel;
class QProgressBar;

namespace kv::platform {

class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProgressWindow(const QString& text, QWidget* parent = nullptr);

    // A second line under the text (the program's name, the latest progress line).
    void SetDetail(const QString& detail);
    // `done` of `total` steps; a total of 0 or less shows that work goes on.
    void SetProgress(int done, int total);
    // Shows the window modally without waiting for it.
    void Begin();

protected:
    void reject() override {}  // Esc must not leave the work running unseen
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_detail = nullptr;
    QProgressBar* m_bar = nullptr;
};

}  // namespace kv::platform
