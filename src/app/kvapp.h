#pragma once
// The application object: start-up and the About command.
#include <memory>

class CMainFrame;

class CKVApp {
public:
    CKVApp();
    ~CKVApp();

    // Reads the work folder of the starting setting, notes the program folder,
    // makes the main window full-screen and sends it the open-project command.
    // False ends the program.
    bool InitInstance();
    void OnAppAbout();  // 57664

    CMainFrame* MainFrame() const { return m_pMainWnd.get(); }

private:
    std::unique_ptr<CMainFrame> m_pMainWnd;
};
