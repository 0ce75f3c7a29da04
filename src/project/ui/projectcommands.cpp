#include "project/ui/projectcommands.h"

#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/moduletable.h"
#include "app/worksetting.h"
#include "base/globals.h"
#include "base/textio.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/textfile.h"
#include "project/project.h"
#include "project/ui/modulecommands.h"
#include "project/ui/openprojectdlg.h"
#include "views/bbdoc.h"
#include "views/bbview.h"
#include "views/cxview.h"
#include "views/dialogs/checkdatasaved.h"
#include "views/dialogs/dlgselectmodule.h"
#include "views/dialogs/jiantu.h"
#include "views/dialogs/shellservices.h"

#include <QPointer>

#include <vector>

namespace {

std::vector<std::string> ModuleRowNames() {
    std::vector<std::string> names;
    for (int row = 0; row < G_ModuleNum && row < kModuleRows; ++row) names.emplace_back(G_Module[row].name);
    return names;
}

// The module choice; false when cancelled (nothing changes then).
bool ChooseModules(CMainFrame& frame) {
    CDlgSelectModule dlg(&frame, ModuleRowNames());
    for (int i = 0; i < CDlgSelectModule::kFlags; ++i)
        dlg.m_nFlags[static_cast<std::size_t>(i)] = G_Project.m_nSelected[static_cast<std::size_t>(i)];
    if (dlg.exec() != QDialog::Accepted) return false;
    for (int row = 0; row < G_ModuleNum && row < CDlgSelectModule::kFlags; ++row)
        G_Project.m_nSelected[static_cast<std::size_t>(row)] = dlg.m_nFlags[static_cast<std::size_t>(row)];
    frame.OnBackToProject();
    return true;
}

}  // namespace

int SaveProjectFile() {
    int ok = G_Project.WritePrj(ModuleRowNames());
    // The item table lives only in memory until it is saved: say when it is not.
    if (!ok)
        kv::MessageBox("不能保存文件 : " + kv::platform::CurrentFolder() + kProjectFileName, kv::MB_OK | kv::MB_ICONERROR);
    return ok;
}

void OnOpenProject(CMainFrame& frame) {
    static bool firstRun = true;
    if (!firstRun) {
        frame.SaveAllModified();
        frame.SaveProject();
    }
    firstRun = false;

    CGcxx chosen;
    if (!SelectWorkPath(&frame, chosen, G_strWorkPath, kv::app::WorkSetTitleSuffix(G_WorkSet))) {
        frame.OnOpenProjectCancelled();
        return;
    }
    G_strWorkPath = kv::platform::WithTrailingSlash(chosen.m_strPath);
    frame.setWindowTitle(QString::fromStdString("澄岳人防(" + G_strWorkPath + ")"));
    G_Project.m_strName = chosen.m_strName;
    G_Project.m_strNumber = chosen.m_strNumber;
    G_Project.m_strTime = chosen.m_strTime;
    // The folder's own project: a folder without a project file is a new, empty
    // project (the previous project's items must not be saved into it). A project
    // file that cannot be read is kept aside before anything overwrites it.
    if (!G_Project.ReadPrj()) {
        if (if_file_exist(kProjectFileName)) {
            std::string kept = std::string(kProjectFileName) + ".bak";
            std::string bytes;
            bool keptAside = kv::platform::ReadFileBytes(kProjectFileName, bytes) &&
                             kv::platform::WriteFileAtomically(kept, bytes);
            kv::MessageBox("工程文件 " + std::string(kProjectFileName) + " 已损坏或不是本程序的工程文件，按新工程打开。\n" +
                               (keptAside ? "原文件已另存为 " + kept + " 。"
                                          : "原文件不能另存为 " + kept + " ，保存工程时将被替换。"),
                           kv::MB_OK | kv::MB_ICONWARNING);
        }
        G_Project.m_nSelected.fill(0);
        G_Project.m_nCount.fill(0);
        for (auto& module : G_Project.m_nItemNo) module.fill(0);
    }
    kv::app::WorkSetSwitch().switching = 0;
    frame.m_bProjectOpen = 1;
    // Windows left open would list the items of the project left while their
    // commands work on this one's: they are opened anew even when the choice is
    // cancelled.
    if (!ChooseModules(frame)) frame.OnBackToProject();
}

void OnSelectItems(CMainFrame& frame) { ChooseModules(frame); }

void InstallShellServices(CMainFrame* frame) {
    // Diagrams picked from an item's data go to the drawing view of the current window.
    SetDiagramViewer([](const std::string& dxfPath) {
        if (G_pCxView) G_pCxView->LoadDxf(dxfPath);
    });
    // Module dialogs show their reports in the current report view, store their
    // data into the current item and run the main frame's commands.
    kv::shell::ReportView report;
    report.read = [](const std::string& path) {
        if (!G_pBbView) return false;
        G_pBbView->ReadFile(path);
        return true;
    };
    report.runScripts = [] {
        if (G_pBbView) G_pBbView->RunScripts();
    };
    report.saveAs = [](const std::string& path) { return G_pBbView && G_pBbView->SaveAs(path); };
    report.document = []() -> QTextDocument* { return G_pBbView ? G_pBbView->document() : nullptr; };
    kv::shell::SetReportView(std::move(report));
    kv::shell::SetItemStore(&CBbDoc_KV::StoreItemData);
    kv::shell::SetCommandSender([main = QPointer<CMainFrame>(frame)](int id) {
        if (main) main->SendCommand(id);
    });
}

void InstallProjectCommands(CMainFrame& frame) {
    frame.SetCommandHandler(kv::cmd::kOpenProject, [&frame] { OnOpenProject(frame); });
    frame.SetCommandHandler(kv::cmd::kSelectItems, [&frame] { OnSelectItems(frame); });

    CMainFrame::ProjectLink link;
    link.isModuleSelected = [](int row) {
        return row >= 0 && row < kMaxModules && G_Project.m_nSelected[static_cast<std::size_t>(row)] != 0;
    };
    link.fillItemList = [](CBbDoc_KV& doc) { doc.RefreshItemList(false, false); };
    link.saveProject = [] { SaveProjectFile(); };
    frame.SetProjectLink(std::move(link));

    SetProjectModeQuery([main = QPointer<CMainFrame>(&frame)] { return main && main->m_bProjectMode != 0; });
    InstallShellServices(&frame);

    CBbDoc_KV::SetCommandHandler(kv::cmd::kItemCombo, [](CBbDoc_KV& doc) { doc.OnSelchangeItem(); });
    CBbDoc_KV::SetCommandHandler(kv::cmd::kChaXunCombo, [](CBbDoc_KV& doc) { doc.OnSelchangeChaXun(); });

    // Running items: the item goes to the module command through the main frame.
    CBbDoc_KV::ItemRunHost host;
    host.setItem = [&frame](const std::string& title, const std::string& stem, int moduleFlag, int newItem) {
        frame.m_strItemTitle = title;
        frame.m_strItemStem = stem;
        frame.m_nModuleFlag = moduleFlag;
        frame.m_bNewItem = newItem;
    };
    host.itemStem = [&frame] { return frame.m_strItemStem; };
    host.runCommand = [&frame](int id) { frame.SendCommand(id); };
    host.itemFileExists = [&frame] { return frame.ItemFileExists() != 0; };
    host.isProjectMode = [&frame] { return frame.m_bProjectMode != 0; };
    CBbDoc_KV::SetItemRunHost(std::move(host));
    QObject::connect(&frame, &QObject::destroyed, [] { CBbDoc_KV::SetItemRunHost({}); });
    CBbDoc_KV::SetCommandHandler(kv::cmd::kCalculate, [](CBbDoc_KV& doc) { doc.OnCalculate(); });
    CBbDoc_KV::SetCommandHandler(kv::cmd::kAddItem, [](CBbDoc_KV& doc) { doc.OnAddItem(); });
    CBbDoc_KV::SetCommandHandler(kv::cmd::kDeleteItem, [](CBbDoc_KV& doc) { doc.OnDeleteItem(); });
    InstallModuleCommands(frame);
}
