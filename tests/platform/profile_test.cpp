#include "platform/profile.h"

#include "support/env_guard.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace kv::platform;

namespace {

const char* kIni =
    "; the work settings\r\n"
    "[CurWorkSeting]\r\n"
    "CurWorkPath=D:\\Projects\\\xB5\xD8\xCF\xC2\xCA\xD2\\\r\n"
    "  Spaced Key  =  padded value  \r\n"
    "Quoted=\"a b\"\r\n"
    "curworkpath=second\r\n"
    "\r\n"
    "[Hubrin]\r\n"
    "KuoSan=default\r\n"
    "[curworkseting]\r\n"
    "Late=1\r\n";

TEST(Profile, ReadsWithTheWindowsRules) {
    kv::test::TempFolder dir;
    dir.Write("KV.INI", kIni);
    std::string file = dir / "KV.INI";
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"CurWorkSeting", "CurWorkPath", "D:\\Projects\\地下室\\"},  // backslashes are plain, GBK decoded
        {"CURWORKSETING", "curWorkPath", "D:\\Projects\\地下室\\"},  // no case
        {"CurWorkSeting", "Spaced Key", "padded value"},             // blanks trimmed
        {"CurWorkSeting", "Quoted", "a b"},                          // quotes dropped
        {"hubrin", "KUOSAN", "default"},
        {"CurWorkSeting", "Late", "<default>"},  // only the first matching section counts
        {"CurWorkSeting", "Missing", "<default>"},
        {"NoSection", "CurWorkPath", "<default>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetPrivateProfileString(c.section, c.key, "<default>", file), c.expected)
            << c.section << "/" << c.key;
    EXPECT_EQ(GetPrivateProfileString("a", "b", "dflt", dir / "missing.ini"), "dflt");
    EXPECT_EQ(GetPrivateProfileInt("hubrin", "kuosan", 7, file), 0);
    EXPECT_EQ(GetPrivateProfileInt("hubrin", "none", 7, file), 7);
}

TEST(Profile, RewritingAValueKeepsEveryOtherLine) {
    kv::test::TempFolder dir;
    dir.Write("KV.INI", kIni);
    std::string file = dir / "KV.INI";
    ASSERT_TRUE(WritePrivateProfileString("curworkseting", "CURWORKPATH", "/home/u/工程/", file));
    std::string expected = kIni;
    expected.replace(expected.find("CurWorkPath=D:"), std::string("CurWorkPath=D:\\Projects\\\xB5\xD8\xCF\xC2\xCA\xD2\\").size(),
                     "CurWorkPath=/home/u/\xB9\xA4\xB3\xCC/");
    EXPECT_EQ(dir.Read("KV.INI"), expected);
    EXPECT_EQ(GetPrivateProfileString("CurWorkSeting", "CurWorkPath", "", file), "/home/u/工程/");
}

TEST(Profile, NewKeysAndSectionsAreAddedAndRemoved) {
    kv::test::TempFolder dir;
    std::string file = dir / "t.ini";
    ASSERT_TRUE(WritePrivateProfileString("A", "x", "1", file));
    ASSERT_TRUE(WritePrivateProfileString("B", "y", "2", file));
    ASSERT_TRUE(WritePrivateProfileString("a", "z", "3", file));
    EXPECT_EQ(dir.Read("t.ini"), "[A]\nx=1\nz=3\n\n[B]\ny=2\n");
    ASSERT_TRUE(WritePrivateProfileString("A", "x", nullptr, file));
    EXPECT_EQ(dir.Read("t.ini"), "[A]\nz=3\n\n[B]\ny=2\n");
    ASSERT_TRUE(WritePrivateProfileString("b", nullptr, nullptr, file));
    EXPECT_EQ(dir.Read("t.ini"), "[A]\nz=3\n\n");
    EXPECT_EQ(GetPrivateProfileKeys("A", file), std::vector<std::string>{"z"});
}

TEST(Profile, BareNamesLiveInTheConfigurationFolder) {
    kv::test::TempFolder dir;
    kv::test::EnvGuard config("XDG_CONFIG_HOME", dir.path());
    ASSERT_TRUE(WritePrivateProfileString("CurWorkSeting", "CurWorkPath", "/p/", "KV_DJ.INI"));
    EXPECT_EQ(dir.Read("kv/KV_DJ.INI"), "[CurWorkSeting]\nCurWorkPath=/p/\n");
}

TEST(Profile, ChineseNamesMatchOnlyThemselves) {
    // 癆 and 癮 differ only in a trail byte that reads as 'A' or 'a' (B0 41, B0 61).
    kv::test::TempFolder dir;
    dir.Write("ExOut.ini", "[\xB0\x61]\n\xB0\x61=1\n[\xB0\x41]\n\xB0\x41=2\nX\xB0\x61=3\n");
    std::string file = dir / "ExOut.ini";
    EXPECT_EQ(GetPrivateProfileString("癆", "癆", "none", file), "2");
    EXPECT_EQ(GetPrivateProfileString("癮", "癮", "none", file), "1");
    EXPECT_EQ(GetPrivateProfileString("癆", "x癮", "none", file), "3");
    EXPECT_EQ(GetPrivateProfileString("癆", "x癆", "none", file), "none");
}

}  // namespace
