#pragma once
// The controls of the slab and wall dialogs: each named by its id, so that code
// and tests find it as the dialog's layout names it.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

namespace kv::slabwall::ui {

inline QLineEdit* Edit(QWidget* parent, int id, int width = 80) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::number(id));
    e->setMinimumWidth(width);
    return e;
}

// Buttons never take the Enter key: it moves to the next field.
inline QPushButton* Button(QWidget* parent, const QString& text, int id) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::number(id));
    b->setAutoDefault(false);
    return b;
}

inline QLabel* Label(QWidget* parent, const QString& text, int id = 0) {
    auto* l = new QLabel(text, parent);
    if (id) l->setObjectName(QString::number(id));
    return l;
}

}  // namespace kv::slabwall::ui
