#pragma once
// The application object: start-up and the About command.
#include <functional>
#include <memory>
#include <vector>

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

    // Work done on the new main frame before it is shown and sent the open-project
    // command: the parts that own commands install their handlers here.
    void AddFrameSetup(std::function<void(CMainFrame&)> setup) { m_frameSetups.push_back(std::move(setup)); }

    CMainFrame* MainFrame() const { return m_pMainWnd.get(); }

private:
    std::unique_ptr<CMainFrame> m_pMainWnd;
    std::vector<std::function<void(CMainFrame&)>> m_frameSetups;
};
