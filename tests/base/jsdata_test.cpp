#include "base/jsdata.h"

#include "base/error.h"
#include "base/textio.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

// A module data object as the modules write them: marker, own lines, common block.
class SlabData : public CJsBaseData {
public:
    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;

    float load = 25.5f;
    int edges = 1;

    int SaveData(const char* path) override {
        std::FILE* fp = open_file(path, "wt");
        if (!fp) return 0;
        SetBiaoShi(fp, "KV_DB_V30");
        std::fprintf(fp, "%f,%d\n", load, edges);
        SaveData(fp);  // the common block: the FILE* overload stays reachable
        return commit_file(fp) == 0 ? 1 : 0;
    }
    int LoadData(const char* path) override {
        std::FILE* fp = open_file(path, "rt");
        if (!fp) return 0;
        int ok = CheckBiaoShi(fp, "KV_DB_V30");
        std::string line;
        if (ok && fgets_skip_comment(line, 290, fp)) scan_fields(line, "%f,%d", &load, &edges);
        if (ok) LoadData(fp);
        close_file(fp);
        return ok;
    }
    void SetFileName(const std::string& stem) override {
        CJsBaseData::SetFileName(stem);
        SetJt(0, "板计算结果", stem + "_DB.DXF", stem + ".RTF");
    }
};

TEST(CommonBlock, RoundTripsThroughTheItemListReaders) {
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    for (int count : {0, 1, 30, 50}) {
        SlabData data;
        data.m_strName = "地下室顶板, 轴线1-3";  // a name with a comma
        for (int k = 0; k < count; ++k)
            data.SetJt(k, "弯矩图, 第" + std::to_string(k + 1) + "跨", "&KV_0001_" + std::to_string(k) + ".DXF",
                       "&KV_0001.RTF");
        ASSERT_EQ(data.SaveData("&KV_0001.dat"), 1);

        // The project window reads the item file by the other spelling of its name.
        EXPECT_EQ(ReadItemNameFromFile("&KV_0001.DAT"), "地下室顶板, 轴线1-3");
        std::vector<ChaXunEntry> entries = ReadChaXunFromFile("&KV_0001.DAT");
        ASSERT_EQ(entries.size(), static_cast<std::size_t>(count));
        for (int k = 0; k < count; ++k) {
            EXPECT_EQ(entries[k].title, "弯矩图, 第" + std::to_string(k + 1) + "跨");
            EXPECT_EQ(entries[k].dxf, "&KV_0001_" + std::to_string(k) + ".DXF");
            EXPECT_EQ(entries[k].rtf, "&KV_0001.RTF");
        }

        SlabData back;
        back.load = 0;
        ASSERT_EQ(back.LoadData("&KV_0001.DAT"), 1);
        EXPECT_FLOAT_EQ(back.load, 25.5f);
        EXPECT_EQ(back.m_strName, data.m_strName);
        EXPECT_EQ(back.m_nJtNum, count);
        if (count > 0) {
            EXPECT_EQ(back.GetDxfFileName(count - 1), data.GetDxfFileName(count - 1));
        }
    }
    EXPECT_EQ(JS_OpenFileNum, 0);
}

TEST(CommonBlock, ReadersTakeAtMostFiftyEntries) {
    kv::test::TempFolder dir;
    std::string text = "KV_DB_V30\n1,2\n##Name,\xB5\xD8\xCF\xC2\xCA\xD2\xB6\xA5\xB0\xE5\n";
    for (int k = 0; k < 60; ++k) text += "##ChaXun,t" + std::to_string(k) + ",d.DXF,r.RTF\n";
    dir.Write("&KV_0012.DAT", text);
    EXPECT_EQ(ReadChaXunFromFile((dir / "&KV_0012.dat").c_str()).size(), 50u);
    EXPECT_EQ(ReadItemNameFromFile((dir / "&KV_0012.dat").c_str()), "地下室顶板");
}

TEST(CommonBlock, ItemFilesWithoutNamesOrWrittenOnWindowsReadAsExpected) {
    kv::test::TempFolder dir;
    dir.Write("noname.dat", "KV_DB_V30\n1,2\n##ChaXun,a,b.DXF,c.RTF\n");
    // GBK with CR LF, as the Windows program wrote it.
    dir.Write("win.dat", "KV_DB_V30\r\n##Name,\xB5\xD8\xCF\xC2\xCA\xD2\r\n##ChaXun,\xB5\xD8,x.DXF,y.RTF\r\n");
    EXPECT_EQ(ReadItemNameFromFile((dir / "noname.dat").c_str()), "");
    EXPECT_EQ(ReadItemNameFromFile((dir / "missing.dat").c_str()), "");
    EXPECT_TRUE(ReadChaXunFromFile((dir / "missing.dat").c_str()).empty());
    EXPECT_EQ(ReadItemNameFromFile((dir / "win.dat").c_str()), "地下室");
    auto entries = ReadChaXunFromFile((dir / "win.dat").c_str());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].title, "地");
    EXPECT_EQ(entries[0].rtf, "y.RTF");  // no CR left on the last field
    EXPECT_EQ(JS_OpenFileNum, 0);
}

TEST(CommonBlock, ParsingLinesFollowsTheirLayout) {
    ChaXunEntry e;
    EXPECT_FALSE(ParseChaXunLine("##ChaXun,only,two", e));
    EXPECT_FALSE(ParseChaXunLine("no marker,a,b,c", e));
    ASSERT_TRUE(ParseChaXunLine("##ChaXun,,a.DXF,b.RTF", e));
    EXPECT_EQ(e.title, "");
    std::string longTitle(150, 'x');
    ASSERT_TRUE(ParseChaXunLine("##ChaXun," + longTitle + ",a.DXF,b.RTF", e));
    EXPECT_EQ(e.title.size(), 99u);
    // A field cut to its size ends on no blank: the same file read back after a
    // save would lose it and name another file.
    ASSERT_TRUE(ParseChaXunLine("##ChaXun," + std::string(98, 't') + " x," + std::string(58, 'd') + "\tx,r\t x", e));
    EXPECT_EQ(e.title, std::string(98, 't'));
    EXPECT_EQ(e.dxf, std::string(58, 'd'));
    EXPECT_EQ(e.rtf, "r\t x");
    ASSERT_TRUE(ParseChaXunLine("##ChaXun,t,\ra.DXF,\rb.RTF", e));
    EXPECT_EQ(e.dxf, "a.DXF");
    EXPECT_EQ(e.rtf, "b.RTF");
    std::string name;
    ASSERT_TRUE(ParseNameLine("##Name,地下室顶板\r\n", name));
    EXPECT_EQ(name, "地下室顶板");
    ASSERT_TRUE(ParseNameLine("##Name", name));
    EXPECT_EQ(name, "");
    // The separator is one plain character; without one the name starts at once.
    for (auto [line, expected] : {std::pair{"##Name顶板", "顶板"}, std::pair{"##Name 顶板", "顶板"},
                                  std::pair{"##Name:顶板\n", "顶板"}, std::pair{"##Name,,顶板", ",顶板"}}) {
        ASSERT_TRUE(ParseNameLine(line, name)) << line;
        EXPECT_EQ(name, expected) << line;
    }
}

TEST(CommonBlock, ANameWithoutSeparatorIsSavedAsItWasRead) {
    kv::test::TempFolder dir;
    dir.Write("a.dat", "##Name\xb6\xa5\xb0\xe5\r\n");  // "##Name顶板" in GBK
    CJsBaseData data;
    ASSERT_EQ(data.LoadData((dir / "a.dat").c_str()), 1);
    EXPECT_EQ(data.m_strName, "顶板");
    ASSERT_EQ(data.SaveData((dir / "b.dat").c_str()), 1);
    EXPECT_EQ(dir.Read("b.dat"), "##Name,\xb6\xa5\xb0\xe5\n");
    EXPECT_EQ(ReadItemNameFromFile((dir / "a.dat").c_str()), "顶板");
}

TEST(CommonBlock, MarkersAreCheckedOnTheirOwnLine) {
    kv::test::TempFolder dir;
    dir.Write("a.dat", "KV_MKQ_V30 \r\nrest\n");
    for (auto [marker, expected] : {std::pair{"KV_MKQ_V30", 1}, std::pair{"KV_MKQ_V20", 0}, std::pair{"KV_MKQ", 0}}) {
        std::FILE* f = open_file((dir / "a.dat").c_str(), "rt");
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(CJsBaseData::CheckBiaoShi(f, marker), expected) << marker;
        close_file(f);
    }
}

TEST(CommonBlock, NamesWithLineBreaksStayOnOneLine) {
    kv::test::TempFolder dir;
    CJsBaseData data;
    data.m_strName = "第一行\n第二行";
    ASSERT_EQ(data.SaveData((dir / "x.dat").c_str()), 1);
    EXPECT_EQ(ReadItemNameFromFile((dir / "x.dat").c_str()), "第一行 第二行");
}

}  // namespace
