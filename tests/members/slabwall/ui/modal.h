#pragma once
// Driving modal dialogs in tests: the steps run once the dialog's own event loop
// runs, as a user's would.
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace kv::test {

// Runs `steps` inside the dialog's exec(); a dialog the steps left open is closed.
inline int RunModal(QDialog& dialog, const std::function<void()>& steps) {
    QTimer::singleShot(0, &dialog, [&dialog, steps] {
        steps();
        if (dialog.isVisible()) dialog.done(QDialog::Rejected);
    });
    return dialog.exec();
}

// Runs `steps` on the next modal dialog that opens (the one a click is about to
// show), and closes it afterwards if the steps did not.
inline void OnNextModal(const std::function<void(QDialog&)>& steps) {
    QTimer::singleShot(0, [steps] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        steps(*dialog);
        if (dialog->isVisible()) dialog->done(QDialog::Rejected);
    });
}

template <class T = QWidget>
T* ById(const QWidget& parent, int id) {
    return parent.findChild<T*>(QString::number(id));
}
inline void SetField(const QWidget& parent, int id, const QString& text) { ById<QLineEdit>(parent, id)->setText(text); }
inline QString Field(const QWidget& parent, int id) { return ById<QLineEdit>(parent, id)->text(); }
inline void Click(const QWidget& parent, int id) { ById<QPushButton>(parent, id)->click(); }

}  // namespace kv::test
