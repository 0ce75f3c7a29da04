#include "app/kvapp.h"
#include "app/mainframe.h"
#include "codes/guifan.h"
#include "drawing/ui/render.h"
#include "platform/locale.h"
#include "platform/ui/qtservices.h"
#include "project/ui/projectcommands.h"
#include "views/reportpictures.h"
#include "widgets/ui/messagewnd.h"
#include "views/wordcad.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt took the user's locale; data files need '.' as the decimal point.
    kv::platform::KeepNumericLocaleC();
    QApplication::setApplicationName("KV");
    kv::platform::InstallQtServices();
    InstallReportPictureMaker();
    kv::drawing::ui::SetUpDrawingFont();
    G_HightText = 1.0f;

    CKVApp theApp;
    theApp.AddFrameSetup(InstallProjectCommands);
    theApp.AddFrameSetup([](CMainFrame& frame) { InstallMessageWindow(&frame); });
    theApp.AddFrameSetup([](CMainFrame&) { InstallExportCommands(); });
    if (!theApp.InitInstance()) return 1;
    return app.exec();
}
