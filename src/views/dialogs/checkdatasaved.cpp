#include "views/dialogs/checkdatasaved.h"

#include "base/globals.h"
#include "base/jsdata.h"
#include "base/textio.h"
#include "platform/services.h"

#include <cstdio>

namespace {
std::function<bool()>& Query() {
    static std::function<bool()> query;
    return query;
}
}  // namespace

void SetProjectModeQuery(std::function<bool()> query) { Query() = std::move(query); }
bool IsProjectMode() { return Query() && Query()(); }

int CheckDataSaved(CJsBaseData* data) {
    if (!data || !IsProjectMode()) return 1;
    // Writing the copies must not rename the object.
    const std::string keptFile = data->GetFileName_();
    const std::string name = data->m_strStem;
    const std::string tmp = G_strWorkPath + name + ".tmp";
    const std::string dat = G_strWorkPath + name + ".dat";
    data->SaveData(tmp.c_str());
    bool changed = !if_file_exist(dat.c_str()) || !FileCompare(dat.c_str(), tmp.c_str());
    std::remove(tmp.c_str());
    int result = 1;
    if (changed) {
        int answer = kv::MessageBox("    您当前的数据已经做了改动\n但未保存，您是否需要保存？\n",
                                    kv::MB_YESNOCANCEL | kv::MB_ICONQUESTION);
        if (answer == kv::IDYES && !data->SaveData(dat.c_str())) {
            // Closing now would lose the changes the user asked to keep.
            kv::MessageBox("不能保存文件 : " + dat, kv::MB_OK | kv::MB_ICONERROR);
            result = 0;
        } else if (answer == kv::IDCANCEL) {
            result = 0;
        }
    }
    data->SetFileName_(keptFile);
    return result;
}
