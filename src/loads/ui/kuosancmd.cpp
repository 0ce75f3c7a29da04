#include "loads/ui/kuosancmd.h"

#include "base/error.h"
#include "base/globals.h"
#include "base/toolfile.h"
#include "loads/kuosan.h"
#include "platform/services.h"
#include "views/dialogs/jiantu.h"
#include "views/dialogs/onefielddlgs.h"
#include "views/dialogs/shellservices.h"

#include <QDialog>

bool OnKuoSan(QWidget* parent, KuoSanItem& item) {
    CKuoSanData& data = G_KuoSanData;
    CJsBaseData none;
    ShowJianTu(&none);  // the chooser belongs to the diagrams shown before
    JS_ERROR_CODE = 0;

    data.m_strName = item.title;
    data.SetFileName(item.stem);
    const std::string path = G_strWorkPath + item.stem + ".dat";
    if (item.newItem) {
        CDlgJssTitle title(parent);
        title.m_strTitle = item.title;
        if (title.exec() == QDialog::Accepted) {
            item.title = title.m_strTitle;
            data.m_strName = item.title;
        }
    } else {
        data.LoadData(path.c_str());
    }

    const std::string tool = kv::tools::ToolPath(CKuoSanData::kToolKey, CKuoSanData::kBuiltInTool);
    const kv::tools::ToolFileStamp exchange(kv::tools::kExchangeFile);
    if (!kv::platform::RunOutsideProgram("消波系统程序", tool, {}, "")) {
        tell_error(kv::err::kFailure, "消波系统程序运行错误！");
        return false;
    }

    // The sizes first, so that the item file, the report and the sketch agree. An
    // exchange file the program left as it was holds an earlier answer: not taken.
    data.SetFileName(item.stem);
    const bool answered = exchange.Changed() && data.ReadSizes();
    if (!answered)
        tell_error(kv::err::kWarning, "消波系统程序没有写出消波室尺寸 ([" + std::string(CKuoSanData::kExchangeSection) + "], " +
                                          kv::tools::ReadPath(kv::tools::kExchangeFile) +
                                          "), 数据文件和简图仍是原有的尺寸。");
    if (!data.SaveData(path.c_str())) kv::MessageBox("不能保存文件 : " + path, kv::MB_OK | kv::MB_ICONERROR);
    const std::string report = G_strWorkPath + data.GetRtfFileName(0);
    const std::string sketch = G_strWorkPath + data.GetDxfFileName(0);
    if (!data.WriteReport()) tell_error(kv::err::kWarning, "不能写计算书文件 : " + report);
    if (!data.DrawPlan()) tell_error(kv::err::kWarning, "不能写简图文件 : " + sketch);
    kv::shell::ReadReport(report);
    ShowDiagramFile(sketch);
    return true;
}
