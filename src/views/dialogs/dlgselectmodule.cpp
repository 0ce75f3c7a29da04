#include "views/dialogs/dlgselectmodule.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CDlgSelectModule::CDlgSelectModule(QWidget* parent, const std::vector<std::string>& rows)
    : QDialog(parent), m_rows(rows) {
    setObjectName("8277");
    setWindowTitle(QStringLiteral("工程计算内容"));
    auto* heading = new QLabel(QStringLiteral("本工程人防计算项目选择"), this);
    m_list = new QListWidget(this);
    m_list->setObjectName("1201");
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    m_list->setMinimumHeight(300);
    auto* codes = new QLabel(QStringLiteral("【执行规范】\n人民防空地下室设计规范 GB50038-2005\n"
                                            "混凝土结构设计规范 GB50010-2010"),
                             this);
    auto* ok = new QPushButton(QStringLiteral("确   认"), this);
    ok->setObjectName("1");
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取   消"), this);
    cancel->setObjectName("2");
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgSelectModule::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_list, 1);
    layout->addWidget(codes);
    layout->addWidget(buttons);
}

void CDlgSelectModule::OnInitDialog() {
    m_list->clear();
    for (std::size_t i = 0; i < m_rows.size() && i < kFlags; ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(m_rows[i]), m_list);
        item->setSelected(m_nFlags[i] != 0);
    }
}

int CDlgSelectModule::exec() {
    OnInitDialog();
    return QDialog::exec();
}

void CDlgSelectModule::accept() {
    for (int i = 0; i < m_list->count() && i < kFlags; ++i)
        m_nFlags[static_cast<std::size_t>(i)] = m_list->item(i)->isSelected() ? 1 : 0;
    QDialog::accept();
}
