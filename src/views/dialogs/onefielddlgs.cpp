#include "views/dialogs/onefielddlgs.h"

#include "widgets/ui/ddx.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

COneFieldDialog::COneFieldDialog(QWidget* parent, int templateId, const QString& caption, const QString& label,
                                 const QString& okText, const QString& cancelText)
    : QDialog(parent) {
    setObjectName(QString::number(templateId));
    setWindowTitle(caption);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName("1001");
    m_edit->setMinimumWidth(220);
    auto* form = new QFormLayout;
    form->addRow(label, m_edit);
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = new QPushButton(okText, this);
    ok->setObjectName("1");
    ok->setDefault(true);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    if (!cancelText.isEmpty()) {
        auto* cancel = new QPushButton(cancelText, this);
        cancel->setObjectName("2");
        buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &COneFieldDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

int COneFieldDialog::exec() {
    ToControl();
    m_edit->selectAll();
    return QDialog::exec();
}

void COneFieldDialog::accept() {
    if (FromControl()) QDialog::accept();
}

CDlgJssTitle::CDlgJssTitle(QWidget* parent)
    : COneFieldDialog(parent, 140, QStringLiteral("输入注释说明"), QStringLiteral("注释："), QStringLiteral("确认"),
                      QString()) {}
void CDlgJssTitle::ToControl() { kv::ddx::Text(Edit(), m_strTitle, false); }
bool CDlgJssTitle::FromControl() { return kv::ddx::Text(Edit(), m_strTitle, true); }

CDlgGotoLine::CDlgGotoLine(QWidget* parent)
    : COneFieldDialog(parent, 151, QStringLiteral("指定行号"), QStringLiteral("行号:"), QStringLiteral("确   认"),
                      QStringLiteral("取   消")) {}
void CDlgGotoLine::ToControl() { kv::ddx::Int(Edit(), m_nLine, false); }
bool CDlgGotoLine::FromControl() { return kv::ddx::Int(Edit(), m_nLine, true); }

CDlgTextHeight::CDlgTextHeight(QWidget* parent)
    : COneFieldDialog(parent, 214, QStringLiteral("文字显示比例"), QStringLiteral("文字比例"), QStringLiteral("确认"),
                      QString()) {}
void CDlgTextHeight::ToControl() { kv::ddx::Float(Edit(), m_fRatio, false); }
bool CDlgTextHeight::FromControl() { return kv::ddx::Float(Edit(), m_fRatio, true, 0.0001f, 100000.0f); }
