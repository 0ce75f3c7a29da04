#include "report/script.h"

#include <gtest/gtest.h>

#include "base/textio.h"
#include "platform/textfile.h"
#include "support/work_folder.h"

namespace kv::report {
namespace {

using kv::test::WorkFolder;

TEST(ScriptCommand, ReadsCommandsAtTheStartOfTheBlock) {
    struct Case {
        std::string command;
        ScriptCommand::Kind kind;
        std::string name;
        bool current;
        std::uint32_t colour;
        double factor;
        std::string text;
    };
    const std::string field = "255,1.5              ";  // 21 characters
    const Case cases[] = {
        {"InsertDxf=a.dxf", ScriptCommand::InsertDxf, "a.dxf", false, 0, 1.0, ""},
        {"InsertDxf=*Cur*", ScriptCommand::InsertDxf, "*Cur*", true, 0, 1.0, ""},
        {"TextStyle=" + field + "红字 text", ScriptCommand::TextStyle, "", false, 255, 1.5, "红字 text"},
        {"TextStyle=16711680,1.0xxxxxxxxxabc", ScriptCommand::TextStyle, "", false, 16711680, 1.0, "abc"},
        // a field that does not read as colour,factor: black at factor 1
        {"TextStyle=red,big" + std::string(14, ' ') + "abc", ScriptCommand::TextStyle, "", false, 0, 1.0, "abc"},
        {"TextStyle=255,0" + std::string(16, ' ') + "abc", ScriptCommand::TextStyle, "", false, 0, 1.0, "abc"},
        {"TextStyle=255,1.5", ScriptCommand::TextStyle, "", false, 255, 1.5, ""},
        // the command word must open the block
        {" see InsertDxf=a.dxf", ScriptCommand::None, "", false, 0, 1.0, ""},
        {"nothing", ScriptCommand::None, "", false, 0, 1.0, ""},
    };
    for (const Case& c : cases) {
        ScriptCommand cmd = ParseScriptCommand(c.command);
        EXPECT_EQ(cmd.kind, c.kind) << c.command;
        EXPECT_EQ(cmd.fileName, c.name) << c.command;
        EXPECT_EQ(cmd.currentDrawing, c.current) << c.command;
        EXPECT_EQ(cmd.colour, c.colour) << c.command;
        EXPECT_DOUBLE_EQ(cmd.factor, c.factor) << c.command;
        EXPECT_EQ(cmd.text, c.text) << c.command;
    }
}

TEST(ScriptWriters, EveryBlockStandsWholeOnOneLine) {
    WorkFolder dir;
    std::FILE* fp = open_file((dir / "r.txt").c_str(), "w");
    ASSERT_NE(fp, nullptr);
    std::fputs("   1.00", fp);
    VanjoroScript(fp, "InsertDxf=KV_0001.dxf");
    VanjoroScript_Text(fp, "计算结论:失败\n\n", 255, 1.0);
    VanjoroScript_Text(fp, "  12.500", 255, 1.0);
    std::fputs(" next\n", fp);
    ASSERT_EQ(commit_file(fp), 0);
    std::string text;
    ASSERT_TRUE(kv::platform::ReadTextFile(dir / "r.txt", text));
    const std::string style = "TextStyle=255,1.000" + std::string(21 - 9, ' ');
    EXPECT_EQ(text, "   1.00\n%%%[VanjoroScript%%%InsertDxf=KV_0001.dxf%%%VanjoroScript]%%%\n"
                    "%%%[VanjoroScript%%%" + style + "计算结论:失败%%%VanjoroScript]%%%\n\n"
                    "%%%[VanjoroScript%%%" + style + "  12.500%%%VanjoroScript]%%% next\n");
    ScriptCommand back = ParseScriptCommand(style + "计算结论:失败");
    EXPECT_EQ(back.colour, 255u);
    EXPECT_EQ(back.text, "计算结论:失败");
}

TEST(ScriptWriters, LongTextsGoInBlocksThatFit) {
    WorkFolder dir;
    std::string text;
    for (int k = 0; k < 700; ++k) text += k % 2 ? "字" : "a";  // 700 characters
    text += text + "\n";
    std::FILE* fp = open_file((dir / "r.txt").c_str(), "w");
    ASSERT_NE(fp, nullptr);
    VanjoroScript_Text(fp, text.c_str(), 255, 1.0);
    ASSERT_EQ(commit_file(fp), 0);
    std::string written;
    ASSERT_TRUE(kv::platform::ReadTextFile(dir / "r.txt", written));
    ASSERT_EQ(written.back(), '\n');
    std::string joined;
    int blocks = 0;
    for (std::size_t at = written.find(kScriptStart); at != std::string::npos; at = written.find(kScriptStart, at + 1)) {
        std::size_t from = at + kScriptStart.size();
        std::string command = written.substr(from, written.find(kScriptEnd, from) - from);
        std::size_t chars = 0;
        for (std::size_t i = 0; i < command.size(); i = SkipCharsOf(command.substr(i), 1) + i) ++chars;
        EXPECT_LE(chars, kScriptCommandMax);
        joined += ParseScriptCommand(command).text;
        ++blocks;
    }
    EXPECT_EQ(blocks, 2);
    EXPECT_EQ(joined + "\n", text);
}

TEST(TextToRtf, RewritesTheReportInPlaceAndKeepsACopy) {
    WorkFolder dir;
    const std::string gbk = "\xbc\xc6\xcb\xe3\r\n%%%[VanjoroScript%%%InsertDxf=a.dxf%%%VanjoroScript]%%%\r\n";
    dir.Write("r.rtf", gbk);
    ASSERT_EQ(TextToRtf((dir / "r.rtf").c_str()), 1);
    EXPECT_EQ(dir.Read("~kv40~.tmp"), gbk);
    std::string rtf = dir.Read("r.rtf");
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(rtf.find("\\u-29791?\\u31639?\\par"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("%%%[VanjoroScript%%%InsertDxf=a.dxf%%%VanjoroScript]%%%\\par"), std::string::npos);

    ASSERT_EQ(TextToRtf((dir / "r.rtf").c_str()), 1);
    EXPECT_EQ(dir.Read("r.rtf"), rtf) << "an RTF book is not converted again";

    EXPECT_EQ(TextToRtf((dir / "missing.txt").c_str()), 0);
    EXPECT_FALSE(dir.Exists("missing.txt")) << "no empty report is made";
}

}  // namespace
}  // namespace kv::report
