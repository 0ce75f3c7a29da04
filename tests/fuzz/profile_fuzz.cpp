// Profile (INI) files: the work settings, the tool and output settings files
// are read with these calls. A value is read, keys listed, one written and read back.
#include "fuzz_support.h"

#include "platform/profile.h"

using namespace kv::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string path = kv::fuzz::WriteInput("Fuzz.ini", data, size);
    for (const char* section : {"WorkSet", "Tools", "ExOut", "", "a"}) {
        for (const std::string& key : GetPrivateProfileKeys(section, path)) {
            GetPrivateProfileString(section, key, "", path);
            GetPrivateProfileInt(section, key, -1, path);
        }
        GetPrivateProfileString(section, "WorkPath", "none", path);
    }
    if (!WritePrivateProfileString("WorkSet", "WorkPath", "/home/用户/工程/", path))
        kv::fuzz::Fail("a profile value cannot be written");
    if (GetPrivateProfileString("WorkSet", "WorkPath", "", path) != "/home/用户/工程/")
        kv::fuzz::Fail("a written profile value reads back different");
    WritePrivateProfileString("ExOut", nullptr, nullptr, path);
    WritePrivateProfileString("Tools", "Cad", nullptr, path);
    return 0;
}
