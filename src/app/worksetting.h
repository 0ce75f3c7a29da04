#pragma once
// Work settings: 0 basement set (the setting the program starts in), 1 单建式,
// 2 成层式, 3 坑地道. Each keeps its last work folder in its own INI file.
#include <string>

extern int G_WorkSet;

namespace kv::app {

inline constexpr const char* kWorkSetSection = "CurWorkSeting";
inline constexpr const char* kWorkPathKey = "CurWorkPath";

// "KV.INI", "KV_DJ.INI", "KV_CC.INI", "KV_KD.INI"; setting 0's file for anything else.
const char* WorkSetIniName(int workSet);
// "单建式", "成层式", "坑地道"; empty for setting 0.
const char* WorkSetName(int workSet);
// " [单建式]" and so on; empty for setting 0.
std::string WorkSetTitleSuffix(int workSet);

// The last work folder of the setting, as stored (empty when there is none).
std::string ReadWorkPath(int workSet);
// Stores `path` as the setting's last work folder. False when the file cannot be written.
bool WriteWorkPath(int workSet, const std::string& path);

// What a work-setting switch remembers so that a cancelled switch can be undone.
struct WorkSetUndo {
    int previousSet = 0;
    std::string previousWorkPath;
    int switching = 0;  // set while a switch command runs the open-project dialog
};
WorkSetUndo& WorkSetSwitch();

}  // namespace kv::app
