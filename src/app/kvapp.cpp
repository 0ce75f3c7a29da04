#include "app/kvapp.h"

#include "app/aboutdlg.h"
#include "app/commandicons_app.h"
#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/worksetting.h"
#include "base/globals.h"
#include "platform/paths.h"

#include <QApplication>
#include <QScreen>

CKVApp::CKVApp() = default;
CKVApp::~CKVApp() = default;

bool CKVApp::InitInstance() {
    G_WorkSet = 0;
    // As stored; the trailing '/' is added when a project is opened.
    G_strWorkPath = kv::app::ReadWorkPath(G_WorkSet);
    G_strExePath = kv::platform::ProgramFolder();

    m_pMainWnd = std::make_unique<CMainFrame>();
    m_pMainWnd->setWindowIcon(ProgramIcon());
    QApplication::setWindowIcon(ProgramIcon());
    m_pMainWnd->SetCommandHandler(kv::cmd::kAppAbout, [this] { OnAppAbout(); });
    for (const auto& setup : m_frameSetups) setup(*m_pMainWnd);

    if (QScreen* screen = QGuiApplication::primaryScreen()) m_pMainWnd->setGeometry(screen->geometry());
    m_pMainWnd->showMaximized();

    m_pMainWnd->SendCommand(kv::cmd::kOpenProject);
    return true;
}

void CKVApp::OnAppAbout() {
    CAboutDlg dialog(m_pMainWnd.get());
    dialog.exec();
}
