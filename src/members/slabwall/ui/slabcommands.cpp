#include "members/slabwall/ui/slabcommands.h"

#include "design/ban_data.h"
#include "members/slabwall/ui/dlgban.h"
#include "project/ui/modulecommands.h"

namespace {

constexpr int kRoofSlab = 32809;
constexpr int kFloorSlab = 32846;

int RunBanDialog(QWidget* parent, BAN_JS_STRUCT& data) {
    CDlgBan dlg(parent);
    dlg.SetData(&data);
    return dlg.exec();
}

}  // namespace

void InstallSlabCommands() {
    G_RoofSlabData.Kind = 0;
    G_FloorSlabData.Kind = 1;
    SetModuleCommand(kRoofSlab, [](CMainFrame& frame) { RunModuleCommand(frame, G_RoofSlabData, RunBanDialog); });
    SetModuleCommand(kFloorSlab, [](CMainFrame& frame) { RunModuleCommand(frame, G_FloorSlabData, RunBanDialog); });
}
