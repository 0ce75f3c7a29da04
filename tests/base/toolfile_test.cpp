// The tool files of the outside programs: where they are read and written, and
// which program a [Hubrin] key names.
#include "base/toolfile.h"

#include "support/program_folder.h"

#include <gtest/gtest.h>

namespace {

using kv::tools::ToolPath;

struct Folders {
    kv::test::ProgramFolder program;
    kv::test::ConfigHome home;
};

TEST(ToolFile, AKeyNamesTheBuiltInProgramOrAFileOfTheProgramFolder) {
    struct Case {
        const char* name;
        const char* hubrin;  // nullptr: no tool file at all
        const char* expected;  // relative to the program folder
    } cases[] = {
        {"no tool file", nullptr, "Dorvex.exe"},
        {"no such key", "[Hubrin]\r\nKSJSS=report.txt\r\n", "Dorvex.exe"},
        {"no such section", "[Other]\nKuoSan=x.exe\n", "Dorvex.exe"},
        {"default", "[Hubrin]\nKuoSan=default\n", "Dorvex.exe"},
        {"in capitals with blanks", "[hubrin]\nkuosan= DEFAULT \n", "Dorvex.exe"},
        {"mixed case and a tab", "[HUBRIN]\nKUOSAN=\tDeFault\n", "Dorvex.exe"},
        {"a file of the program folder", "[Hubrin]\nKuoSan=tools/dorvex.sh\n", "tools/dorvex.sh"},
        {"a Windows path", "[Hubrin]\r\nKuoSan=tools\\Dorvex2.exe\r\n", "tools/Dorvex2.exe"},
        {"a name that only starts like default", "[Hubrin]\nKuoSan=defaults.exe\n", "defaults.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Folders f;
        if (c.hubrin) f.program.Write("Hubrin.ini", c.hubrin);
        EXPECT_EQ(ToolPath("KuoSan", "Dorvex.exe"), f.program / c.expected);
    }
}

TEST(ToolFile, BuiltInNamesAreFoundWhateverTheirCase) {
    Folders f;
    f.program.Write("DORVEX.EXE", "#!/bin/sh\n");
    f.program.Write("xbjss.TXT", "report\n");
    EXPECT_EQ(ToolPath("KuoSan", "Dorvex.exe"), f.program / "DORVEX.EXE");
    EXPECT_EQ(ToolPath("KSJSS", "XBJSS.txt"), f.program / "xbjss.TXT");
    EXPECT_EQ(kv::tools::ProgramFile("missing.txt"), f.program / "missing.txt");
}

TEST(ToolFile, AFullPathIsTakenAsItStands) {
    Folders f;
    f.program.Write("Hubrin.ini", "[Hubrin]\nKuoSan=/opt/dorvex/run\n");
    EXPECT_EQ(ToolPath("KuoSan", "Dorvex.exe"), "/opt/dorvex/run");
}

TEST(ToolFile, TheConfigurationFolderCopyIsReadBeforeTheProgramFolderOne) {
    Folders f;
    f.program.Write("HUBRIN.INI", "[Hubrin]\nKuoSan=from-program.exe\n");
    EXPECT_EQ(kv::tools::ReadPath("Hubrin.ini"), f.program / "HUBRIN.INI");
    EXPECT_EQ(ToolPath("KuoSan", "Dorvex.exe"), f.program / "from-program.exe");

    f.home.Write("kv/hubrin.ini", "[Hubrin]\nKuoSan=from-config.exe\n");
    EXPECT_EQ(kv::tools::ReadPath("Hubrin.ini"), f.home.Config("hubrin.ini"));
    EXPECT_EQ(ToolPath("KuoSan", "Dorvex.exe"), f.program / "from-config.exe");

    // Neither: the configuration folder's name, read as a missing file.
    Folders none;
    EXPECT_EQ(kv::tools::ReadPath("ExOut.ini"), none.home.Config("ExOut.ini"));
    EXPECT_FALSE(kv::tools::HasSection("ExOut.ini", "XBXTCC"));
    EXPECT_EQ(kv::tools::GetString("ExOut.ini", "XBXTCC", "Width1", "2000"), "2000");
}

TEST(ToolFile, WritesGoToTheConfigurationFolderAndKeepTheProgramFolderKeys) {
    Folders f;
    const std::string installed = "[Hubrin]\r\nKuoSan=default\r\nKSJSS=default\r\n";
    f.program.Write("Hubrin.ini", installed);
    ASSERT_TRUE(kv::tools::WriteString("Hubrin.ini", "Hubrin", "KuoSan", "tools/dorvex.sh"));

    EXPECT_EQ(f.program.Read("Hubrin.ini"), installed) << "the program folder is never written";
    EXPECT_EQ(kv::tools::ReadPath("Hubrin.ini"), f.home.Config("Hubrin.ini"));
    EXPECT_EQ(ToolPath("KuoSan", "Dorvex.exe"), f.program / "tools/dorvex.sh");
    EXPECT_EQ(kv::tools::GetString("Hubrin.ini", "Hubrin", "KSJSS", ""), "default");

    // A second write changes the copy only.
    ASSERT_TRUE(kv::tools::WriteString("Hubrin.ini", "Hubrin", "KSJSS", "out.rtf"));
    EXPECT_EQ(ToolPath("KSJSS", "XBJSS.txt"), f.program / "out.rtf");
    EXPECT_EQ(ToolPath("KuoSan", "Dorvex.exe"), f.program / "tools/dorvex.sh");
    EXPECT_EQ(f.program.Read("Hubrin.ini"), installed);
}

TEST(ToolFile, AStampTellsWhetherTheFileReadWasWrittenSince) {
    Folders f;
    f.program.Write("ExOut.ini", "[XBXTCC]\nWidth1=2000\n");
    const kv::tools::ToolFileStamp untouched("ExOut.ini");
    EXPECT_FALSE(untouched.Changed());

    const kv::tools::ToolFileStamp beforeRewrite("ExOut.ini");
    f.program.Write("ExOut.ini", "[XBXTCC]\nWidth1=2400\n");
    EXPECT_TRUE(beforeRewrite.Changed());

    // A copy appearing in the configuration folder is what is read from then on.
    const kv::tools::ToolFileStamp beforeCopy("ExOut.ini");
    f.home.Write("kv/ExOut.ini", "[XBXTCC]\nWidth1=2400\n");
    EXPECT_TRUE(beforeCopy.Changed());

    Folders none;
    EXPECT_FALSE(kv::tools::ToolFileStamp("ExOut.ini").Changed()) << "no file before or after";
}

}  // namespace
