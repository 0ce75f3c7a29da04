#include "app/aboutdlg.h"

#include "app/commandicons_app.h"
#include "base/globals.h"
#include "platform/paths.h"
#include "platform/textfile.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("100");
    setWindowTitle("版本信息");

    auto* logo = new QLabel;
    logo->setPixmap(ProgramIcon().pixmap(64, 64));
    logo->setAlignment(Qt::AlignTop);

    m_title = new QLabel(QString("%1\n版本：%2").arg("KV 人防地下室结构设计", "4.0"));
    m_title->setObjectName("3213");
    QFont titleFont = m_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    m_title->setFont(titleFont);

    std::string notice;
    std::string path = kv::platform::ResolveExisting(G_strExePath + "About.txt");
    if (!path.empty()) kv::platform::ReadTextFile(path, notice);
    while (!notice.empty() && (notice.back() == '\n' || notice.back() == ' ')) notice.pop_back();
    m_notice = new QLabel(QString::fromStdString(notice));
    m_notice->setObjectName("3222");
    m_notice->setWordWrap(true);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton("确定", QDialogButtonBox::AcceptRole);
    ok->setObjectName("1");
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(m_title);
    texts->addSpacing(8);
    texts->addWidget(m_notice);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(logo);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}
