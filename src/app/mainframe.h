#pragma once
// The main window: menus, four toolbars and the status bar, the MDI area with the
// windows of the current mode, the state that module commands read, and the
// routing of command ids. Any part of the program runs a command by sending its
// id here (SendCommand).
#include "views/cmdui.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <string>
#include <vector>

class CBbDoc_KV;
class CChildFrameBase;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    enum Mode { kModeProject = 0, kModeReport = 1, kModeSingle = 2 };

    CMainFrame();
    ~CMainFrame() override;

    // State read by the module and project commands.
    int m_bProjectOpen = 0;  // a project is open: project commands and saving on close
    int m_bProjectMode = 1;  // module commands bind their data to the current item
    int m_nMode = kModeProject;
    std::string m_strItemTitle;  // "%s %d": module name, position in the item list
    std::string m_strItemStem;   // "&KV_%04d"
    int m_nModuleFlag = 0;
    int m_bNewItem = 0;
    // Whether the item's data file ("<stem>.dat" in the work folder) exists.
    int ItemFileExists() const;

    // ---- commands --------------------------------------------------------------
    // Runs command `id` as a menu or toolbar would: the active window's view,
    // document and window first, then the handlers of the main frame.
    void SendCommand(int id);
    bool IsCommandEnabled(int id);
    bool IsCommandChecked(int id);
    // Handlers of main-frame commands, supplied by the parts that own them.
    // An empty function removes the handler. Commands without one are disabled.
    void SetCommandHandler(int id, std::function<void()> run);
    // When given, decides whether a command with a handler is enabled.
    void SetCommandUpdate(int id, std::function<void(CCmdUI&)> update);
    // Refreshes enabled and checked states of every menu item and button.
    void UpdateCommandUI();

    // What the project work gives the frame: the selected flags of the project and
    // the saving of the project file. Unset, no module is selected and nothing saved.
    struct ProjectLink {
        std::function<bool(int row)> isModuleSelected;
        std::function<void(CBbDoc_KV& document)> fillItemList;
        std::function<void()> saveProject;
    };
    void SetProjectLink(ProjectLink link) { m_project = std::move(link); }
    void SaveProject();

    // ---- bars and modes --------------------------------------------------------
    void ShowBars();
    void OnBackToProject();  // 32838 返回
    void OnJss();            // 32836 生成编辑计算书
    void OnDxjs();           // 32837 单项计算

    QToolBar* ToolBar(int resourceId) const;  // 136, 193, 191, 192
    QLabel* StatusPane(int index) const;      // panes 0 (messages), 1 and 2
    // The menu resource shown now: the active window's template, else 136.
    int CurrentMenuId() const { return m_currentMenu; }

    // ---- documents -------------------------------------------------------------
    QMdiArea* MdiArea() const { return m_mdi; }
    CBbDoc_KV* OpenDocument(int templateId);
    std::vector<CChildFrameBase*> Windows() const;
    CChildFrameBase* ActiveWindow() const;
    // Asks each modified document about saving; false when the user cancelled.
    bool SaveAllModified();
    void CloseAllDocuments();

    // ---- work settings ---------------------------------------------------------
    void OnWorkSet(int workSet);  // 32861, 32862, 32863
    void RestoreWorkSet();
    // The open-project dialog was cancelled: undoes a work-setting switch in progress.
    void OnOpenProjectCancelled();

    void OnShowMessage();  // 32851
    void OnHelp();         // 57670

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void CreateBars();
    void ShowMenu(int menuId);
    QAction* MakeAction(int id, const QString& text, QObject* parent);
    void OnSubWindowActivated(QMdiSubWindow* window);
    void ToggleToolBars();
    void Cascade();

    struct Handler {
        std::function<void()> run;
        std::function<void(CCmdUI&)> update;
    };
    std::map<int, Handler> m_handlers;
    std::multimap<int, QAction*> m_actions;
    std::map<int, std::vector<QMenu*>> m_menus;
    int m_currentMenu = 0;

    QMdiArea* m_mdi = nullptr;
    QToolBar* m_wndToolBar = nullptr;        // 136 start
    QToolBar* m_wndToolBarReport = nullptr;  // 193 report
    QToolBar* m_wndToolBarMember = nullptr;  // 191 member
    QToolBar* m_wndToolBarLoad = nullptr;    // 192 load
    QLabel* m_pane0 = nullptr;
    QLabel* m_pane1 = nullptr;
    QLabel* m_pane2 = nullptr;
    std::vector<QAction*> m_workSetActions;  // 32861..32863 (on no bar)
    ProjectLink m_project;
    bool m_closing = false;
    bool m_projectSavedForSwitch = false;  // a switch saved the project before its table changed
};
