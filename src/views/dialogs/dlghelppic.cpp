#include "views/dialogs/dlghelppic.h"

#include "base/globals.h"
#include "platform/paths.h"
#include "platform/services.h"

#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <algorithm>
#include <QToolButton>

namespace {
constexpr int kTabHeight = 26;

QToolButton* MakePictureButton(QWidget* parent, int id, const std::string& picture) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::number(id));
    button->setAutoRaise(true);
    std::string path = CDlgHelpPic::PicturePath(picture);
    QPixmap pixmap;
    if (path.empty() || !pixmap.load(QString::fromStdString(path))) {
        kv::MessageBox("找不到帮助图片 : " + picture, kv::MB_OK | kv::MB_ICONWARNING);
        pixmap = QPixmap(200, 120);
        pixmap.fill(Qt::white);
    }
    button->setIcon(QIcon(pixmap));
    button->setIconSize(pixmap.size());
    button->resize(pixmap.size() + QSize(4, 4));
    return button;
}
}  // namespace

std::string CDlgHelpPic::PicturePath(const std::string& picture) {
    if (picture.empty()) return {};
    std::string found = kv::platform::ResolveExisting(G_strExePath + "pictures/" + picture + ".png");
    return found;
}

CDlgHelpPic::CDlgHelpPic(QWidget* parent, const std::string& picture) : QDialog(parent) {
    m_nPictures = 1;
    m_title1 = QStringLiteral("帮助图片1");
    m_title2 = QStringLiteral("帮助图片2");
    Init(picture, {});
}

CDlgHelpPic::CDlgHelpPic(QWidget* parent, const std::string& picture1, const std::string& picture2)
    : QDialog(parent) {
    m_nPictures = 2;
    Init(picture1, picture2);
}

void CDlgHelpPic::Init(const std::string& picture1, const std::string& picture2) {
    setObjectName("133");
    setWindowTitle(QStringLiteral("帮助"));
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName("911");
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName("1");
    m_ok->setDefault(true);
    m_ok->resize(90, 28);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    m_button1 = MakePictureButton(this, 1282, picture1);
    connect(m_button1, &QToolButton::clicked, this, &QDialog::accept);
    if (m_nPictures == 2) {
        m_button2 = MakePictureButton(this, 1008, picture2);
        connect(m_button2, &QToolButton::clicked, this, &QDialog::accept);
    }
}

void CDlgHelpPic::SetTitle(const std::string& title) {
    m_title1 = QString::fromStdString(title);
    m_title2 = QStringLiteral("0");
}

void CDlgHelpPic::SetTitle(const std::string& title1, const std::string& title2) {
    m_title1 = QString::fromStdString(title1);
    m_title2 = QString::fromStdString(title2);
}

int CDlgHelpPic::exec() {
    if (!m_initialised) {
        m_initialised = true;
        m_tabs->addTab(m_title1);
        if (m_nPictures == 2) m_tabs->addTab(m_title2);
        if (m_button2) m_button2->hide();
        m_button1->show();
        connect(m_tabs, &QTabBar::currentChanged, this, &CDlgHelpPic::OnSelchangeTab);
        FitToPicture();
    }
    return QDialog::exec();
}

void CDlgHelpPic::OnSelchangeTab(int index) {
    if (!m_button2) return;
    m_button1->setVisible(index == 0);
    m_button2->setVisible(index == 1);
    FitToPicture();
}

void CDlgHelpPic::FitToPicture() {
    QToolButton* shown = (m_button2 && m_tabs->currentIndex() == 1) ? m_button2 : m_button1;
    QSize picture = shown->size();
    m_tabs->setGeometry(0, 0, picture.width() + 2, kTabHeight);
    shown->move(1, kTabHeight + 1);
    const int buttonsTop = kTabHeight + picture.height() + 6;
    const int width = std::max(picture.width() + 2, m_ok->width() + 12);
    m_ok->move(width - m_ok->width() - 6, buttonsTop);
    setFixedSize(width, buttonsTop + m_ok->height() + 6);
}
