#include "project/ui/projectcommands.h"

#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/moduletable.h"
#include "app/worksetting.h"
#include "base/globals.h"
#include "platform/paths.h"
#include "project/project.h"
#include "project/ui/openprojectdlg.h"
#include "views/bbdoc.h"
#include "views/dialogs/checkdatasaved.h"
#include "views/dialogs/dlgselectmodule.h"

#include <vector>

namespace {

std::vector<std::string> ModuleRowNames() {
    std::vector<std::string> names;
    for (int row = 0; row < G_ModuleNum && row < kModuleRows; ++row) names.emplace_back(G_Module[row].name);
    return names;
}

}  // namespace

int SaveProjectFile() { return G_Project.WritePrj(ModuleRowNames()); }

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
    // A folder without a readable project file keeps the table held so far.
    G_Project.ReadPrj();
    kv::app::WorkSetSwitch().switching = 0;
    frame.m_bProjectOpen = 1;
    OnSelectItems(frame);
}

void OnSelectItems(CMainFrame& frame) {
    CDlgSelectModule dlg(&frame, ModuleRowNames());
    for (int i = 0; i < CDlgSelectModule::kFlags; ++i)
        dlg.m_nFlags[static_cast<std::size_t>(i)] = G_Project.m_nSelected[static_cast<std::size_t>(i)];
    if (dlg.exec() != QDialog::Accepted) return;
    for (int row = 0; row < G_ModuleNum && row < CDlgSelectModule::kFlags; ++row)
        G_Project.m_nSelected[static_cast<std::size_t>(row)] = dlg.m_nFlags[static_cast<std::size_t>(row)];
    frame.OnBackToProject();
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

    SetProjectModeQuery([&frame] { return frame.m_bProjectMode != 0; });

    CBbDoc_KV::SetCommandHandler(kv::cmd::kItemCombo, [](CBbDoc_KV& doc) { doc.OnSelchangeItem(); });
    CBbDoc_KV::SetCommandHandler(kv::cmd::kChaXunCombo, [](CBbDoc_KV& doc) { doc.OnSelchangeChaXun(); });
}
