#include "views/dialogs/checkdatasaved.h"

#include "base/globals.h"
#include "base/jsdata.h"
#include "platform/services.h"
#include "platform/textfile.h"

#include <cstdio>

namespace {
std::function<bool()>& Query() {
    static std::function<bool()> query;
    return query;
}

// The bytes of a text file with CR LF read as LF: an item file written on Windows
// equals our copy of the same data.
bool ReadWithUnixLineEnds(const std::string& path, std::string& text) {
    std::string bytes;
    if (!kv::platform::ReadFileBytes(path, bytes)) return false;
    text.clear();
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) text += bytes[i];
    return true;
}

bool SameText(const std::string& first, const std::string& second) {
    std::string a, b;
    return ReadWithUnixLineEnds(first, a) && ReadWithUnixLineEnds(second, b) && a == b;
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
    bool changed = !SameText(dat, tmp);
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
