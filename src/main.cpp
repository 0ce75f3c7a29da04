#include "app/kvapp.h"
#include "app/mainframe.h"
#include "codes/guifan.h"
#include "drawing/ui/render.h"
#include "design/ban_data.h"
#include "design/lkq_data.h"
#include "design/mkq_data.h"
#include "loads/ui/kuosancmd.h"
#include "loads/ui/entranceloaddlgs.h"
#include "loads/ui/loadtablepages.h"
#include "loads/ui/partitiondlg.h"
#include "loads/ui/windowwelldlg.h"
#include "loads/ui/wizard.h"
#include "members/beams/liang_data.h"
#include "members/beams/zhu_data.h"
#include "members/beams/ui/dlgliang.h"
#include "members/beams/ui/dlgzhu.h"
#include "members/beams/ui/xuanjinpages.h"
#include "members/beams/lxl_data.h"
#include "members/beams/ui/dlglxl.h"
#include "members/beams/gj_data.h"
#include "members/beams/ui/dlggj.h"
#include "members/beams/jzl_data.h"
#include "members/beams/ui/dlgjzl.h"
#include "members/flatslab/ui/wllgpages.h"
#include "members/flatslab/wllg_data.h"
#include "members/shells/shell_data.h"
#include "members/shells/ui/dlgbq.h"
#include "members/slabwall/ui/dlgban.h"
#include "members/slabwall/ui/dlgneiqiang.h"
#include "members/slabwall/ui/dlgqiang.h"
#include "members/slabwall/ui/dlgmkq.h"
#include "platform/locale.h"
#include "platform/ui/qtservices.h"
#include "project/ui/modulecommands.h"
#include "project/ui/projectcommands.h"
#include "views/reportpictures.h"
#include "widgets/ui/calcrunner.h"
#include "widgets/ui/messagewnd.h"
#include "views/wordcad.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt took the user's locale; data files need '.' as the decimal point.
    kv::platform::KeepNumericLocaleC();
    QApplication::setApplicationName("KV");
    // Qt's own texts (file dialogs, buttons, window menus) in Chinese, before any window.
    if (!kv::platform::InstallQtTranslation())
        std::fputs("KV: 没有找到 Qt 的中文翻译 qtbase_zh_CN, 文件对话框等仍显示英文; 请安装 qt6-translations-l10n。\n", stderr);
    kv::platform::InstallQtServices();
    InstallQtCalculationRunner();
    InstallReportPictureMaker();
    kv::drawing::ui::SetUpDrawingFont();
    G_HightText = 1.0f;

    CKVApp theApp;
    theApp.AddFrameSetup(InstallProjectCommands);
    theApp.AddFrameSetup([](CMainFrame& frame) { InstallMessageWindow(&frame); });
    theApp.AddFrameSetup([](CMainFrame&) { InstallExportCommands(); });
    // The blast-load menu's module commands.
    theApp.AddFrameSetup([](CMainFrame&) { SetModuleCommand(32774, [](CMainFrame&) { OnLoadFormula(); }); });
    theApp.AddFrameSetup([](CMainFrame&) { SetModuleCommand(32783, [](CMainFrame& frame) { OnLoadTable(&frame); }); });
    theApp.AddFrameSetup([](CMainFrame&) {
        SetModuleCommand(32778, [](CMainFrame& frame) { OnLoadWindowWell(&frame); });
        SetModuleCommand(32776, [](CMainFrame& frame) { OnLoadPartition(&frame); });
        SetModuleCommand(32775, [](CMainFrame& frame) { OnLoadShed(&frame); });
        SetModuleCommand(32777, [](CMainFrame& frame) { OnLoadAirWall(&frame); });
        SetModuleCommand(32772, [](CMainFrame& frame) { OnLoadDoorFrame(&frame); });
    });
    // 消波: the item as the frame knows it; a new item's title may change.
    theApp.AddFrameSetup([](CMainFrame&) {
        SetModuleCommand(32790, [](CMainFrame& frame) {
            KuoSanItem item{frame.m_strItemTitle, frame.m_strItemStem, frame.m_bNewItem != 0};
            OnKuoSan(&frame, item);
            frame.m_strItemTitle = item.title;
        });
    });
    // The roof and floor slabs: one dialog, each on its own slab object.
    theApp.AddFrameSetup([](CMainFrame&) {
        G_RoofSlabData.Kind = 0;
        G_FloorSlabData.Kind = 1;
        SetModuleCommand(32809, [](CMainFrame& frame) { RunModuleCommand(frame, G_RoofSlabData, RunBanDialog); });
        SetModuleCommand(32846, [](CMainFrame& frame) { RunModuleCommand(frame, G_FloorSlabData, RunBanDialog); });
    });
    // The interior wall: its item file is written after the dialog, however it ended.
    theApp.AddFrameSetup([](CMainFrame&) {
        SetModuleCommand(32852, [](CMainFrame& frame) {
            RunModuleCommand(frame, G_NeiQiangData, RunNeiQiangDialog, {.storeAfterDialog = true});
        });
    });
    // 外墙, 临空墙 and 单元隔墙: one dialog, each on its own wall object.
    theApp.AddFrameSetup([](CMainFrame&) {
        SetModuleCommand(32844, [](CMainFrame& frame) { RunModuleCommand(frame, G_WaiQiangData, RunQiangDialog); });
        SetModuleCommand(32788, [](CMainFrame& frame) { RunModuleCommand(frame, G_LinKongQiangData, RunQiangDialog); });
        SetModuleCommand(32845, [](CMainFrame& frame) { RunModuleCommand(frame, G_GeQiangData, RunQiangDialog); });
    });
    // The door-frame and window-well walls: one dialog, each on its own record.
    theApp.AddFrameSetup([](CMainFrame&) {
        SetModuleCommand(32794, [](CMainFrame& frame) { RunModuleCommand(frame, G_MenKuangQiangData, RunMkqDialog); });
        SetModuleCommand(32843, [](CMainFrame& frame) { RunModuleCommand(frame, G_ChuangJingQiangData, RunMkqDialog); });
    });
    // The beam- and column-section modules, each on its own object.
    theApp.AddFrameSetup([](CMainFrame&) {
        SetModuleCommand(32793, [](CMainFrame& frame) { RunModuleCommand(frame, G_LiangData, RunLiangDialog); });
        SetModuleCommand(32796, [](CMainFrame& frame) { RunModuleCommand(frame, G_ZhuData, RunZhuDialog); });
    });
    // 选筋: a tool of its own, bound to no item.
    theApp.AddFrameSetup([](CMainFrame&) { SetModuleCommand(32786, [](CMainFrame&) { OnXuanJin(); }); });
    // The continuous beam.
    theApp.AddFrameSetup([](CMainFrame&) {
        SetModuleCommand(32810, [](CMainFrame& frame) { RunModuleCommand(frame, G_LxlData, RunLxlDialog); });
    });
    // The grid beam: outside a project its diagrams show after the dialog.
    theApp.AddFrameSetup([](CMainFrame&) {
        SetModuleCommand(32811, [](CMainFrame& frame) {
            RunModuleCommand(frame, G_JzlData, RunJzlDialog, {.showDiagramsAfterSingleRun = true});
        });
    });
    // The rigid frame: always the civil-air-defence frame, with the scheme and the
    // result diagrams in its report.
    theApp.AddFrameSetup([](CMainFrame&) {
        SetModuleCommand(32830, [](CMainFrame& frame) {
            G_GjData.m_nRenFang = 1;
            G_GjData.m_nInsertResultDiagrams = 1;
            G_GjData.m_nInsertSchemeDiagram = 1;
            RunModuleCommand(frame, G_GjData, RunGjDialog, {.showDiagramsAfterSingleRun = true});
        });
    });
    // The flat slab: civil-air-defence rules, its diagrams shown after a single run.
    theApp.AddFrameSetup([](CMainFrame&) {
        SetModuleCommand(32812, [](CMainFrame& frame) {
            UseCivilDefenceRules(G_WllgData);
            RunModuleCommand(frame, G_WllgData, RunWllgSheet, {.showDiagramsAfterSingleRun = true});
        });
    });
    // The shallow shells: outside a project their diagrams show after the dialog.
    theApp.AddFrameSetup([](CMainFrame&) {
        SetModuleCommand(32816, [](CMainFrame& frame) {
            RunModuleCommand(frame, G_RectBqData, RunRectBqDialog, {.showDiagramsAfterSingleRun = true});
        });
        SetModuleCommand(32817, [](CMainFrame& frame) {
            RunModuleCommand(frame, G_SixBqData, RunSixBqDialog, {.showDiagramsAfterSingleRun = true});
        });
        SetModuleCommand(32818, [](CMainFrame& frame) {
            RunModuleCommand(frame, G_CircleBqData, RunCircleBqDialog, {.showDiagramsAfterSingleRun = true});
        });
    });
    if (!theApp.InitInstance()) return 1;
    return app.exec();
}
