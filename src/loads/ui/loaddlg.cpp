#include "loads/ui/loaddlg.h"

#include "loads/ui/answerbox.h"
#include "loads/ui/loadtablepages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CLoadDlgBase::CLoadDlgBase(int templateId, const QString& caption, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(templateId));
    setWindowTitle(caption);
    m_result = new QPlainTextEdit(this);
    m_result->setObjectName("3116");
    m_result->setReadOnly(true);
    m_result->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_calculate = new QPushButton(QStringLiteral("查   表"), this);
    m_calculate->setObjectName("1129");
    m_calculate->setAutoDefault(false);
}

void CLoadDlgBase::Calculate() {
    UpdateData(true);
    ShowAnswer(m_result, Answer());
}

void CLoadDlgBase::WriteBack() {
    m_writingBack = true;
    UpdateData(false);
    m_writingBack = false;
}

QComboBox* CLoadDlgBase::MakeCombo(int id, const char* const* items, int count) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::number(id));
    for (int i = 0; i < count; ++i) combo->addItem(QString::fromUtf8(items[i]));
    return combo;
}

QCheckBox* CLoadDlgBase::MakeCheck(int id, const QString& text) {
    auto* check = new QCheckBox(text, this);
    check->setObjectName(QString::number(id));
    return check;
}

QRadioButton* CLoadDlgBase::MakeRadio(int id, const QString& text) {
    auto* radio = new QRadioButton(text, this);
    radio->setObjectName(QString::number(id));
    return radio;
}

void CLoadDlgBase::LayOut(CPictureButton* picture, QLayout* inputs) {
    auto* back = new QPushButton(QStringLiteral("返    回"), this);
    back->setObjectName("2");
    back->setAutoDefault(false);
    connect(back, &QAbstractButton::clicked, this, &QDialog::reject);
    connect(m_calculate, &QAbstractButton::clicked, this, &CLoadDlgBase::Calculate);

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(inputs, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_calculate);
    buttons->addWidget(back);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->addWidget(m_result, 1);
    m_result->setMinimumSize(520, 180);
}

void CLoadDlgBase::ConnectRecalc(QComboBox* combo) {
    connect(combo, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_writingBack) Calculate();
    });
}

void CLoadDlgBase::ConnectRecalc(QAbstractButton* button) {
    connect(button, &QAbstractButton::clicked, this, &CLoadDlgBase::Calculate);
}
