#pragma once
// The controls of the slab and wall dialogs: each named by its id, so that code
// and tests find it as the dialog's layout names it.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <QTextEdit>

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

inline QRadioButton* Radio(QWidget* parent, const QString& text, int id) {
    auto* r = new QRadioButton(text, parent);
    r->setObjectName(QString::number(id));
    return r;
}

inline QCheckBox* Check(QWidget* parent, const QString& text, int id) {
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(QString::number(id));
    return c;
}

inline QLabel* Label(QWidget* parent, const QString& text, int id = 0) {
    auto* l = new QLabel(text, parent);
    if (id) l->setObjectName(QString::number(id));
    return l;
}

inline QComboBox* Combo(QWidget* parent, int id, const QStringList& items = {}, bool editable = false) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::number(id));
    c->setEditable(editable);
    c->addItems(items);
    return c;
}

// A grid of label/field column pairs: the label right-aligned in column 2 * column,
// its field beside it. The label, for callers that hide the pair.
inline QLabel* AddField(QGridLayout* grid, QWidget* parent, int row, int column, const QString& label,
                        QWidget* field) {
    QLabel* l = Label(parent, label);
    grid->addWidget(l, row, column * 2, Qt::AlignRight);
    grid->addWidget(field, row, column * 2 + 1);
    return l;
}

// The red reminder under the forces: what is typed is a design value.
inline QLabel* DesignValueNote(QWidget* parent) {
    QLabel* note = Label(parent, QStringLiteral("注意：荷载为设计值"));
    note->setStyleSheet("color: rgb(192, 0, 0);");
    return note;
}

// The read-only message view under a member dialog's fields.
inline QTextEdit* ResultView(QWidget* parent) {
    auto* view = new QTextEdit(parent);
    view->setObjectName("1115");
    view->setReadOnly(true);
    view->setLineWrapMode(QTextEdit::NoWrap);
    return view;
}

// The file and result buttons of every member dialog; each dialog lays them out
// among its own.
struct ItemButtons {
    QPushButton* read;
    QPushButton* save;
    QPushButton* diagram;
    QPushButton* report;
    QPushButton* back;
};

inline ItemButtons MakeItemButtons(QWidget* parent) {
    return {Button(parent, QStringLiteral("读数据"), 3086), Button(parent, QStringLiteral("存数据"), 1377),
            Button(parent, QStringLiteral("查简图"), 3089), Button(parent, QStringLiteral("查报表"), 3091),
            Button(parent, QStringLiteral("返回"), 1)};
}

template <class Dialog>
void ConnectItemButtons(Dialog* dialog, const ItemButtons& b) {
    QObject::connect(b.read, &QPushButton::clicked, dialog, &Dialog::OnReadData);
    QObject::connect(b.save, &QPushButton::clicked, dialog, &Dialog::OnSaveData);
    QObject::connect(b.diagram, &QPushButton::clicked, dialog, &Dialog::OnShowJianTu);
    QObject::connect(b.report, &QPushButton::clicked, dialog, &Dialog::OnShowReport);
    QObject::connect(b.back, &QPushButton::clicked, dialog, &Dialog::OnOK);
}

}  // namespace kv::slabwall::ui
