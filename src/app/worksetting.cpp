#include "app/worksetting.h"

#include "platform/codec.h"
#include "platform/profile.h"

#include <cstring>

int G_WorkSet = 0;

namespace kv::app {

namespace {
constexpr const char* kIniNames[] = {"KV.INI", "KV_DJ.INI", "KV_CC.INI", "KV_KD.INI"};
constexpr const char* kNames[] = {"", "单建式", "成层式", "坑地道"};

bool Valid(int workSet) { return workSet >= 0 && workSet <= 3; }
}  // namespace

const char* WorkSetIniName(int workSet) { return kIniNames[Valid(workSet) ? workSet : 0]; }

const char* WorkSetName(int workSet) { return kNames[Valid(workSet) ? workSet : 0]; }

std::string WorkSetTitleSuffix(int workSet) {
    const char* name = WorkSetName(workSet);
    if (*name == '\0') return {};
    return std::string(" [") + name + "]";
}

std::string ReadWorkPath(int workSet) {
    std::string path = kv::platform::GetPrivateProfileString(kWorkSetSection, kWorkPathKey, "",
                                                             WorkSetIniName(workSet));
    // The folder is kept in a buffer of 1024 characters; a cut never splits a character.
    return std::string(kv::platform::CutToUtf8Bytes(path, 1023));
}

bool WriteWorkPath(int workSet, const std::string& path) {
    return kv::platform::WritePrivateProfileString(kWorkSetSection, kWorkPathKey, path.c_str(),
                                                   WorkSetIniName(workSet));
}

WorkSetUndo& WorkSetSwitch() {
    static WorkSetUndo undo;
    return undo;
}

}  // namespace kv::app
