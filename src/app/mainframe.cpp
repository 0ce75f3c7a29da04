#include "app/mainframe.h"

#include "app/commandids.h"
#include "app/menus.h"
#include "app/moduletable.h"
#include "app/worksetting.h"
#include "base/calcrunner.h"
#include "base/error.h"
#include "base/globals.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/services.h"
#include "views/bbdoc.h"
#include "views/bbview.h"
#include "views/childframe.h"
#include "views/commandicons.h"
#include "views/cxview.h"

#include <QCloseEvent>
#include <algorithm>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

using namespace kv::cmd;

namespace {

// "打印(&P)...\tCtrl+P" -> "打印(P)...": the prompt shown in the status bar.
QString Prompt(const QString& text) {
    QString prompt = text.section('\t', 0, 0);
    prompt.remove('&');
    return prompt;
}

constexpr int kStartBar[] = {kAppExit, kSelectItems, kJss, kDxjs, kZoomOut, kZoomIn,
                             kShowAll, kShowMove,    kShowRect, kShowAgain, kShowPrevious};
constexpr int kReportBar[] = {kBackToProject, kMakeBaoBiao, kViewBaoBiao, kOpenBaoBiaoDoc};
constexpr int kMemberBar[] = {kBackToProject, 32809, 32844, 32846, 32788, 32845, 32794, 32843,
                              32810,          32811, 32812, 32830, 32793, 32796, 32786};
constexpr int kLoadBar[] = {32774, 32783, 32772, 32775, 32776, 32777, 32778};

}  // namespace

CMainFrame::CMainFrame() {
    setObjectName("CMainFrame");
    setWindowTitle("KV");
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName("MDIClient");
    m_mdi->setBackground(QColor(128, 128, 128));
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    CreateMenus();
    CreateBars();

    for (const AcceleratorDef& accel : MainAccelerators()) {
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence(accel.keys));
        action->setShortcutContext(Qt::WindowShortcut);
        action->setData(accel.id);
        connect(action, &QAction::triggered, this, [this, id = accel.id] { SendCommand(id); });
        addAction(action);
    }

    // The frame's own commands.
    SetCommandHandler(kAppExit, [this] { close(); });
    SetCommandHandler(kViewToolbar, [this] { ToggleToolBars(); });
    SetCommandUpdate(kViewToolbar, [this](CCmdUI& ui) {
        ui.checked = !m_wndToolBar->isHidden() || !m_wndToolBarReport->isHidden() ||
                     !m_wndToolBarMember->isHidden() || !m_wndToolBarLoad->isHidden();
    });
    SetCommandHandler(kViewStatusBar, [this] { statusBar()->setVisible(statusBar()->isHidden()); });
    SetCommandUpdate(kViewStatusBar, [this](CCmdUI& ui) { ui.checked = !statusBar()->isHidden(); });
    SetCommandHandler(kHelpIndex, [this] { OnHelp(); });
    SetCommandHandler(kShowMessage, [this] { OnShowMessage(); });
    SetCommandHandler(kBackToProject, [this] { OnBackToProject(); });
    SetCommandHandler(kJss, [this] { OnJss(); });
    SetCommandHandler(kDxjs, [this] { OnDxjs(); });
    auto whileProjectOpen = [this](CCmdUI& ui) { ui.enabled = m_bProjectOpen != 0; };
    SetCommandUpdate(kJss, whileProjectOpen);
    SetCommandUpdate(kDxjs, whileProjectOpen);
    SetCommandUpdate(kSelectItems, whileProjectOpen);
    SetCommandHandler(kWorkSetDj, [this] { OnWorkSet(1); });
    SetCommandHandler(kWorkSetCc, [this] { OnWorkSet(2); });
    SetCommandHandler(kWorkSetKd, [this] { OnWorkSet(3); });
    // Until the project dialog is in place, opening a project ends as a cancelled dialog.
    SetCommandHandler(kOpenProject, [this] { OnOpenProjectCancelled(); });
    SetCommandHandler(kWindowCascade, [this] { Cascade(); });
    SetCommandHandler(kWindowTileHorz, [this] { m_mdi->tileSubWindows(); });
    SetCommandHandler(kWindowTileVert, [this] { m_mdi->tileSubWindows(); });

    ShowBars();
    ShowMenu(136);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    // Views go before the frame so that no current-view global outlives its window.
    CloseAllDocuments();
    for (QMdiSubWindow* w : m_mdi->subWindowList()) delete w;
}

// ---- commands ------------------------------------------------------------------

QAction* CMainFrame::MakeAction(int id, const QString& text, QObject* parent) {
    auto* action = new QAction(text, parent);
    action->setData(id);
    action->setStatusTip(Prompt(text));
    if (id == kViewToolbar || id == kViewStatusBar) action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, id] { SendCommand(id); });
    m_actions.emplace(id, action);
    return action;
}

void CMainFrame::SendCommand(int id) {
    // A calculation reads the work folder, the current folder and the code
    // edition as they were at its start: no command runs until it ends.
    if (kv::calc::Running()) return;
    if (CChildFrameBase* child = ActiveWindow(); child && child->OnCmdMsg(id, nullptr)) {
        UpdateCommandUI();
        return;
    }
    auto it = m_handlers.find(id);
    if (it != m_handlers.end() && it->second.run) {
        CCmdUI ui;
        if (it->second.update) it->second.update(ui);
        if (ui.enabled) {
            // The handler may replace itself; run a copy.
            std::function<void()> run = it->second.run;
            run();
        }
    }
    if (!m_closing) UpdateCommandUI();
}

bool CMainFrame::IsCommandEnabled(int id) {
    CCmdUI ui;
    if (CChildFrameBase* child = ActiveWindow(); child && child->OnCmdMsg(id, &ui)) return ui.enabled;
    auto it = m_handlers.find(id);
    if (it == m_handlers.end() || !it->second.run) return false;
    if (it->second.update) it->second.update(ui);
    return ui.enabled;
}

bool CMainFrame::IsCommandChecked(int id) {
    CCmdUI ui;
    if (CChildFrameBase* child = ActiveWindow(); child && child->OnCmdMsg(id, &ui)) return ui.checked;
    auto it = m_handlers.find(id);
    if (it != m_handlers.end() && it->second.update) it->second.update(ui);
    return ui.checked;
}

void CMainFrame::SetCommandHandler(int id, std::function<void()> run) {
    m_handlers[id].run = std::move(run);
    UpdateCommandUI();
}

void CMainFrame::SetCommandUpdate(int id, std::function<void(CCmdUI&)> update) {
    m_handlers[id].update = std::move(update);
    UpdateCommandUI();
}

void CMainFrame::UpdateCommandUI() {
    for (auto& [id, action] : m_actions) {
        action->setEnabled(IsCommandEnabled(id));
        if (action->isCheckable() && (id == kViewToolbar || id == kViewStatusBar))
            action->setChecked(IsCommandChecked(id));
    }
}

// ---- menus and bars --------------------------------------------------------------

void CMainFrame::CreateMenus() {
    for (int menuId : {136, 129, 137, 138}) {
        std::vector<QMenu*>& menus = m_menus[menuId];
        for (const MenuDef& def : MenuResource(menuId)) {
            auto* menu = new QMenu(QString::fromUtf8(def.title), this);
            for (const MenuItemDef& item : def.items) {
                if (item.id == 0)
                    menu->addSeparator();
                else
                    menu->addAction(MakeAction(item.id, QString::fromUtf8(item.text), menu));
            }
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
            menus.push_back(menu);
        }
    }
}

void CMainFrame::ShowMenu(int menuId) {
    if (menuId == m_currentMenu) return;
    m_currentMenu = menuId;
    menuBar()->clear();
    for (QMenu* menu : m_menus[menuId]) menuBar()->addMenu(menu);
}

void CMainFrame::CreateBars() {
    setDockOptions(dockOptions() | QMainWindow::AnimatedDocks);
    auto makeBar = [this](int resourceId, const char* caption, const int* ids, std::size_t count,
                          Qt::ToolBarArea area) {
        auto* bar = new QToolBar(QString::fromUtf8(caption), this);
        bar->setObjectName(QString::number(resourceId));
        bar->setIconSize(QSize(24, 24));
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        for (std::size_t i = 0; i < count; ++i) {
            QAction* action = MakeAction(ids[i], CommandLabel(ids[i]), bar);
            action->setIcon(CommandIcon(ids[i]));
            bar->addAction(action);
        }
        addToolBar(area, bar);
        return bar;
    };
    m_wndToolBar = makeBar(136, "", kStartBar, std::size(kStartBar), Qt::TopToolBarArea);
    m_wndToolBarReport = makeBar(193, "", kReportBar, std::size(kReportBar), Qt::TopToolBarArea);
    m_wndToolBarMember = makeBar(191, "人防内力配筋计算", kMemberBar, std::size(kMemberBar), Qt::TopToolBarArea);
    // The load bar keeps to the lower edge, clear of the member bar.
    m_wndToolBarLoad = makeBar(192, "人防荷载计算[GB50038-2005]", kLoadBar, std::size(kLoadBar),
                               Qt::BottomToolBarArea);

    for (int id : {kWorkSetDj, kWorkSetCc, kWorkSetKd}) {
        QAction* action = MakeAction(id, QString::fromUtf8(kv::app::WorkSetName(id - kWorkSetDj + 1)), this);
        action->setCheckable(true);
        m_workSetActions.push_back(action);
    }

    statusBar()->setObjectName("59393");
    // The message pane: "就绪" whenever no prompt covers it.
    m_pane0 = new QLabel("就绪");
    m_pane0->setObjectName("pane0");
    statusBar()->addWidget(m_pane0, 1);
    m_pane1 = new QLabel;
    m_pane1->setMinimumWidth(80);
    m_pane1->setObjectName("pane1");
    m_pane2 = new QLabel;
    m_pane2->setMinimumWidth(120);
    m_pane2->setObjectName("pane2");
    statusBar()->addPermanentWidget(m_pane1);
    statusBar()->addPermanentWidget(m_pane2);
}

QToolBar* CMainFrame::ToolBar(int resourceId) const {
    switch (resourceId) {
        case 136: return m_wndToolBar;
        case 193: return m_wndToolBarReport;
        case 191: return m_wndToolBarMember;
        case 192: return m_wndToolBarLoad;
        default: return nullptr;
    }
}

QLabel* CMainFrame::StatusPane(int index) const {
    return index == 0 ? m_pane0 : index == 1 ? m_pane1 : index == 2 ? m_pane2 : nullptr;
}

void CMainFrame::ShowBars() {
    m_wndToolBar->setVisible(m_nMode == kModeProject);
    m_wndToolBarReport->setVisible(m_nMode == kModeReport);
    m_wndToolBarMember->setVisible(m_nMode == kModeSingle);
    m_wndToolBarLoad->setVisible(m_nMode == kModeProject || m_nMode == kModeSingle);
}

void CMainFrame::ToggleToolBars() {
    CCmdUI ui;
    m_handlers[kViewToolbar].update(ui);
    if (ui.checked) {
        for (QToolBar* bar : {m_wndToolBar, m_wndToolBarReport, m_wndToolBarMember, m_wndToolBarLoad})
            bar->hide();
    } else {
        ShowBars();
    }
}

// ---- documents and modes --------------------------------------------------------

CBbDoc_KV* CMainFrame::OpenDocument(int templateId) {
    CChildFrameBase* child = CreateDocumentWindow(templateId);
    if (!child) return nullptr;
    m_mdi->addSubWindow(child);
    connect(child, &CChildFrameBase::command, this, &CMainFrame::SendCommand);
    child->resize(760, 520);
    child->show();
    m_mdi->setActiveSubWindow(child);
    OnSubWindowActivated(child);
    return child->GetDocument();
}

std::vector<CChildFrameBase*> CMainFrame::Windows() const {
    std::vector<CChildFrameBase*> windows;
    // A closed window stays in the area until it is deleted: it is hidden by then.
    for (QMdiSubWindow* w : m_mdi->subWindowList())
        if (auto* child = qobject_cast<CChildFrameBase*>(w); child && !child->isHidden()) windows.push_back(child);
    return windows;
}

CChildFrameBase* CMainFrame::ActiveWindow() const {
    return qobject_cast<CChildFrameBase*>(m_mdi->currentSubWindow());
}

bool CMainFrame::SaveAllModified() {
    for (CChildFrameBase* child : Windows())
        if (!child->GetDocument()->SaveModified()) return false;
    return true;
}

void CMainFrame::CloseAllDocuments() {
    for (CChildFrameBase* child : Windows()) {
        if (G_pBbView && child->isAncestorOf(G_pBbView)) G_pBbView = nullptr;
        if (G_pCxView && child->isAncestorOf(G_pCxView)) G_pCxView = nullptr;
        child->ForceClose();
        if (m_mdi->subWindowList().contains(child)) m_mdi->removeSubWindow(child);
    }
    if (!m_closing) ShowMenu(136);
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
    if (auto* child = qobject_cast<CChildFrameBase*>(window)) {
        child->OnActivate();
        ShowMenu(child->TemplateId());
    } else if (Windows().empty()) {
        ShowMenu(136);
    }
    UpdateCommandUI();
}

void CMainFrame::OnBackToProject() {
    m_nMode = kModeProject;
    m_bProjectMode = 1;
    ShowBars();
    SaveAllModified();  // the windows close whatever the answer
    CloseAllDocuments();
    for (int row = 0; row < G_ModuleNum; ++row) {
        if (!m_project.isModuleSelected || !m_project.isModuleSelected(row)) continue;
        CBbDoc_KV* doc = OpenDocument(kTemplateProject);
        doc->SetPathName(QString::fromUtf8(G_Module[row].name));
        doc->m_nModule = row;
        if (m_project.fillItemList) m_project.fillItemList(*doc);
    }
    Cascade();
}

void CMainFrame::Cascade() {
    // Each window one title bar below and right of the one before, all of one size,
    // as large as the area allows so that reports stay readable.
    std::vector<CChildFrameBase*> windows = Windows();
    if (windows.empty()) return;
    const int step = std::max(24, windows.front()->height() - windows.front()->widget()->height());
    const int n = static_cast<int>(windows.size());
    QSize area = m_mdi->viewport()->size();
    int width = std::max(area.width() - step * (n - 1), area.width() / 2);
    int height = std::max(area.height() - step * (n - 1), area.height() / 2);
    for (int i = 0; i < n; ++i) {
        windows[i]->showNormal();
        windows[i]->setGeometry((i * step) % std::max(1, area.width() - width + 1),
                                (i * step) % std::max(1, area.height() - height + 1), width, height);
        windows[i]->raise();
    }
    m_mdi->setActiveSubWindow(windows.back());
}

void CMainFrame::OnJss() {
    m_nMode = kModeReport;
    m_bProjectMode = 0;
    ShowBars();
    SaveAllModified();
    CloseAllDocuments();
    OpenDocument(kTemplateReport);
    m_mdi->tileSubWindows();
}

void CMainFrame::OnDxjs() {
    m_nMode = kModeSingle;
    m_bProjectMode = 0;
    ShowBars();
    SaveAllModified();
    CloseAllDocuments();
    OpenDocument(kTemplateSingle);
    m_mdi->tileSubWindows();
}

void CMainFrame::SaveProject() {
    if (m_projectSavedForSwitch) return;
    if (m_bProjectOpen && m_project.saveProject) m_project.saveProject();
}

// ---- work settings ------------------------------------------------------------------

void CMainFrame::OnWorkSet(int workSet) {
    kv::app::WorkSetUndo& undo = kv::app::WorkSetSwitch();
    if (workSet < 1 || workSet > 3) return;
    if (G_WorkSet == workSet) {
        undo.switching = 0;
        m_workSetActions[workSet - 1]->setChecked(true);
        return;
    }
    for (int i = 0; i < 3; ++i) m_workSetActions[i]->setChecked(i == workSet - 1);
    undo.switching = 1;

    SaveAllModified();
    // Saved before the table changes, so the file keeps the names of the setting left.
    SaveProject();
    SetModuleTable(workSet);
    undo.previousSet = G_WorkSet;
    undo.previousWorkPath = G_strWorkPath;
    G_WorkSet = workSet;
    G_strWorkPath = kv::app::ReadWorkPath(workSet);
    // The open-project command saves the open project first; here it is saved
    // already, and saving it again would label it with the new setting's modules.
    m_projectSavedForSwitch = true;
    SendCommand(kOpenProject);
    m_projectSavedForSwitch = false;
    undo.switching = 0;
}

void CMainFrame::RestoreWorkSet() {
    const kv::app::WorkSetUndo& undo = kv::app::WorkSetSwitch();
    for (QAction* action : m_workSetActions) action->setChecked(false);
    if (undo.previousSet >= 1 && undo.previousSet <= 3) m_workSetActions[undo.previousSet - 1]->setChecked(true);
    SetModuleTable(undo.previousSet);
}

void CMainFrame::OnOpenProjectCancelled() {
    kv::app::WorkSetUndo& undo = kv::app::WorkSetSwitch();
    if (!undo.switching) return;
    RestoreWorkSet();
    G_WorkSet = undo.previousSet;
    G_strWorkPath = undo.previousWorkPath;
}

// ---- other commands ---------------------------------------------------------------

int CMainFrame::ItemFileExists() const {
    if (m_strItemStem.empty()) return 0;
    return kv::platform::FileExists(G_strWorkPath + m_strItemStem + ".dat") ? 1 : 0;
}

void CMainFrame::OnShowMessage() { tell_error(0, " \n"); }

void CMainFrame::OnHelp() {
    std::string path = G_strExePath + "kavlund.chm";
    std::string found = kv::platform::ResolveExisting(path);
    if (found.empty()) {
        kv::MessageBox("找不到帮助文件 " + path, kv::MB_OK | kv::MB_ICONWARNING);
        return;
    }
    std::string error;
    if (!kv::platform::Processes().OpenDocument(found, error))
        kv::MessageBox("不能打开帮助文件 " + found + "\n" + error, kv::MB_OK | kv::MB_ICONWARNING);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_bProjectOpen) {
        SaveAllModified();
        if (!kv::app::WriteWorkPath(G_WorkSet, G_strWorkPath))
            kv::MessageBox("不能保存文件 : " + kv::platform::ProfilePath(kv::app::WorkSetIniName(G_WorkSet)),
                           kv::MB_OK | kv::MB_ICONERROR);
        SaveProject();
    }
    if (!SaveAllModified()) {
        event->ignore();
        return;
    }
    m_closing = true;
    CloseAllDocuments();
    event->accept();
}
