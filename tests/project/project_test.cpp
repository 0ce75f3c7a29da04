#include "project/project.h"

#include "base/error.h"
#include "base/globals.h"
#include "platform/textfile.h"
#include "codes/codeedition.h"
#include "support/edition_guard.h"
#include "support/temp_folder.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> BasementRows() {
    return {"顶板", "外墙", "底板", "临空墙", "单元隔墙", "门框墙", "窗井墙", "连续梁",
            "井字梁", "无梁楼盖", "刚架", "矩形底扁壳", "六边形底扁壳", "圆形底扁壳", "梁截面配筋", "柱截面配筋"};
}

TEST(Project, ItemNumbersAreTheSmallestFreeOnesOverAllModules) {
    CProject p;
    EXPECT_EQ(p.AddItem(0), 1);
    EXPECT_EQ(p.AddItem(0), 2);
    EXPECT_EQ(p.AddItem(4), 3);
    ASSERT_EQ(p.DeleteItem(0, 1), 1);  // item 2
    EXPECT_EQ(p.GetNewItemNo(), 2);
    EXPECT_EQ(p.AddItem(3), 2);
    EXPECT_EQ(CProject::ItemStem(7), "&KV_0007");
    EXPECT_EQ(CProject::ItemFileName(12), "&KV_0012.DAT");
}

TEST(Project, DeletingShiftsTheLaterItemsForward) {
    CProject p;
    for (int k = 0; k < 3; ++k) p.AddItem(2);
    ASSERT_EQ(p.DeleteItem(2, 0), 1);
    EXPECT_EQ(p.m_nCount[2], 2);
    EXPECT_EQ(p.m_nItemNo[2][0], 2);
    EXPECT_EQ(p.m_nItemNo[2][1], 3);
    EXPECT_EQ(p.m_nItemNo[2][2], 0);
    EXPECT_EQ(p.DeleteItem(5, 0), 0);   // a module without items
    EXPECT_EQ(p.DeleteItem(2, 7), 0);   // not one of its items
    EXPECT_EQ(p.m_nCount[2], 2);
}

TEST(Project, AModuleHoldsAtMostAHundredItems) {
    CProject p;
    for (int k = 0; k < 100; ++k) ASSERT_EQ(p.AddItem(0), k + 1);
    EXPECT_EQ(p.AddItem(0), 0);
    EXPECT_EQ(p.m_nCount[0], 100);
    EXPECT_EQ(p.AddItem(3), 101);  // two modules never share a number
}

TEST(Project, NoNumberIsLeftWhenAllFiveThousandAreUsed) {
    CProject p;
    for (int m = 0; m < 50; ++m)
        for (int k = 0; k < 100; ++k) ASSERT_GT(p.AddItem(m), 0);
    EXPECT_EQ(p.GetNewItemNo(), 0);
    ASSERT_EQ(p.DeleteItem(10, 0), 1);
    EXPECT_EQ(p.GetNewItemNo(), 1001);
}

TEST(ProjectFile, IsWrittenByteByByteAndReadBack) {
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    CProject p;
    p.m_nSelected[0] = 1;
    p.m_nSelected[15] = 1;
    p.AddItem(0);
    p.AddItem(15);
    p.AddItem(0);
    ASSERT_EQ(p.WritePrj(BasementRows()), 1);
    std::string bytes = dir.Read("Kavlund.PRJ");
    ASSERT_EQ(bytes.size(), 20934u);
    EXPECT_EQ(std::string(bytes.data()), "Vanjoro Kavlund Project v4.0");
    EXPECT_EQ(bytes.substr(28, 22), std::string(22, '\0'));
    EXPECT_EQ(bytes.substr(50, 4), std::string("\x01\0\0\0", 4));       // selected[0]
    EXPECT_EQ(bytes.substr(250, 4), std::string("\x02\0\0\0", 4));      // count[0]
    EXPECT_EQ(bytes.substr(450 + 4, 4), std::string("\x03\0\0\0", 4));  // module 0, second item: 3
    EXPECT_EQ(bytes.substr(450 + 15 * 400, 4), std::string("\x02\0\0\0", 4));
    EXPECT_EQ(bytes.substr(20450, 4), std::string("\x10\0\0\0", 4));
    EXPECT_EQ(bytes.substr(20454, 5), std::string("\xB6\xA5\xB0\xE5\0", 5));  // 顶板 in GBK
    CProject back;
    ASSERT_EQ(back.ReadPrj(), 1);
    EXPECT_EQ(back.m_nSelected, p.m_nSelected);
    EXPECT_EQ(back.m_nCount, p.m_nCount);
    EXPECT_EQ(back.m_nItemNo, p.m_nItemNo);
}

TEST(ProjectFile, MatchesTheFileBuiltByHandFromTheLayout) {
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    std::vector<std::string> rows = BasementRows();
    rows[11] = "矩形底球面扁壳";
    rows[12] = "正六边形底球面扁壳";
    rows[13] = "圆形底球面扁壳";
    CProject p;
    for (int m : {0, 3, 15}) p.m_nSelected[static_cast<std::size_t>(m)] = 1;
    p.m_nCount[0] = 3;
    p.m_nItemNo[0][0] = 1;
    p.m_nItemNo[0][1] = 2;
    p.m_nItemNo[0][2] = 5;
    p.m_nCount[3] = 1;
    p.m_nItemNo[3][0] = 4;
    p.m_nCount[15] = 2;
    p.m_nItemNo[15][0] = 3;
    p.m_nItemNo[15][1] = 4999;
    ASSERT_EQ(p.WritePrj(rows), 1);
    std::string expected;
    {
        std::FILE* f = std::fopen(KV_TEST_FIXTURES "/project/Kavlund_16rows.PRJ", "rb");
        ASSERT_NE(f, nullptr);
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) expected.append(buf, n);
        std::fclose(f);
    }
    EXPECT_EQ(dir.Read("Kavlund.PRJ"), expected);
    CProject back;
    dir.Write("Kavlund.PRJ", expected);
    ASSERT_EQ(back.ReadPrj(), 1);
    EXPECT_EQ(back.m_nItemNo[15][1], 4999);
}

TEST(ProjectFile, TheOlderLayoutReadsAlikeAndIsSavedAsTheNewOne) {
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    CProject p;
    p.AddItem(1);
    ASSERT_EQ(p.WritePrj(BasementRows()), 1);
    std::string bytes = dir.Read("Kavlund.PRJ");
    bytes.replace(24, 4, "v2.0");
    dir.Write("kavlund.prj", bytes);  // a lower-case name from another system
    std::remove("Kavlund.PRJ");
    CProject back;
    ASSERT_EQ(back.ReadPrj(), 1);
    EXPECT_EQ(back.m_nItemNo[1][0], 1);
    ASSERT_EQ(back.WritePrj(BasementRows()), 1);
    EXPECT_EQ(std::string(dir.Read("kavlund.prj").data()), "Vanjoro Kavlund Project v4.0");
}

TEST(ProjectFile, ForeignShortOrImpossibleFilesLeaveTheTableAlone) {
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    CProject good;
    good.AddItem(0);
    ASSERT_EQ(good.WritePrj(BasementRows()), 1);
    std::string valid = dir.Read("Kavlund.PRJ");

    std::string badCount = valid;
    badCount[250] = '\x65';  // 101 items in module 0
    std::string badNumber = valid;
    badNumber.replace(450, 4, std::string("\xFF\xFF\0\0", 4));
    const std::pair<const char*, std::string> cases[] = {
        {"foreign", std::string(20934, 'x')},
        {"cut short", valid.substr(0, 10000)},
        {"101 items", badCount},
        {"item number 65535", badNumber},
        {"empty", ""},
    };
    for (const auto& [what, bytes] : cases) {
        dir.Write("Kavlund.PRJ", bytes);
        CProject p;
        p.AddItem(7);
        CProject before = p;
        EXPECT_EQ(p.ReadPrj(), 0) << what;
        EXPECT_EQ(p.m_nItemNo, before.m_nItemNo) << what;
        EXPECT_EQ(p.m_nCount, before.m_nCount) << what;
    }
    std::remove("Kavlund.PRJ");
    CProject p;
    EXPECT_EQ(p.ReadPrj(), 0);
}

TEST(ProjectInfo, DefaultsCarryTheDateAndTimeOfDay) {
    std::tm t{};
    t.tm_year = 2011 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 9;
    t.tm_hour = 14;
    t.tm_min = 5;
    t.tm_sec = 9;
    t.tm_isdst = -1;
    CGcxx g;
    g.SetDefault(std::mktime(&t));
    EXPECT_EQ(g.m_strTime, "2011年3月9日 14:05:09");
    EXPECT_EQ(g.m_strName, "****工程人防计算");
    EXPECT_EQ(g.m_strNumber, "980001");
    EXPECT_EQ(g.m_strPath, "c:\\temp\\");
    t.tm_year = 98;
    EXPECT_EQ(FormatDesignTime(std::mktime(&t)), "98年3月9日 14:05:09");
}

TEST(ProjectInfo, TheBoxFileHoldsThreeLines) {
    kv::test::TempFolder dir;
    CGcxx g;
    g.m_strName = "某地下室人防工程";
    g.m_strNumber = "2026-17";
    g.m_strTime = "2026年12月10日 09:00:00";
    ASSERT_TRUE(g.WriteBox(dir.path()));
    EXPECT_EQ(dir.Read("GCXX.BOX"), "\xC4\xB3\xB5\xD8\xCF\xC2\xCA\xD2\xC8\xCB\xB7\xC0\xB9\xA4\xB3\xCC\n2026-17\n" +
                                        std::string("2026\xC4\xEA" "12\xD4\xC2" "10\xC8\xD5 09:00:00\n"));
    CGcxx back;
    ASSERT_TRUE(back.ReadBox(dir.path()));
    EXPECT_EQ(back.m_strName, g.m_strName);
    EXPECT_EQ(back.m_strTime, g.m_strTime);

    dir.Write("sub/GCXX.BOX", "//name\r\nonly two\r\n");
    ASSERT_TRUE(back.ReadBox(dir / "sub"));
    EXPECT_EQ(back.m_strName, "//name");
    EXPECT_EQ(back.m_strNumber, "only two");
    EXPECT_EQ(back.m_strTime, "");
    EXPECT_FALSE(back.ReadBox(dir / "nowhere"));
}

TEST(ProjectFiles, AFailedSaveLeavesTheFilesOfTheProjectAsTheyWere) {
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    CProject p;
    p.m_nSelected[0] = 1;
    p.AddItem(0);
    ASSERT_EQ(p.WritePrj(BasementRows()), 1);
    CGcxx g;
    g.SetDefault(0);
    ASSERT_TRUE(g.WriteBox(dir.path()));
    const std::string prj = dir.Read(kProjectFileName), box = dir.Read("GCXX.BOX");

    p.AddItem(0);
    g.m_strName = "改过的工程";
    for (long long after : {0LL, 20LL}) {
        kv::platform::WriteFailureForTesting full(after, ENOSPC);
        EXPECT_EQ(p.WritePrj(BasementRows()), 0) << after;
        EXPECT_FALSE(g.WriteBox(dir.path())) << after;
    }
    EXPECT_EQ(dir.Read(kProjectFileName), prj);
    EXPECT_EQ(dir.Read("GCXX.BOX"), box);
    EXPECT_EQ(dir.List(), "GCXX.BOX " + std::string(kProjectFileName));
}

TEST(CodeEdition, AnOlderFilesHpb235UnderTheNewerCodeIsNoticed) {
    struct Case {
        int inForce, fileEdition, barGrade;
        bool noticed;
    };
    const Case cases[] = {
        {2010, 2002, 1, true},  {2010, 89, 1, true},     {2010, 2010, 1, false},
        {2010, 2002, 2, false}, {2002, 2010, 1, false},
    };
    kv::test::EditionGuard edition(2010);
    for (const Case& c : cases) {
        std::vector<kv::err::Line> lines;
        kv::err::Sink old = kv::err::SetSink([&](int code, const std::string& text) { lines.push_back({code, text}); });
        G_guifan = c.inForce;
        AdjustHpb235(c.fileEdition, c.barGrade);
        kv::err::SetSink(std::move(old));
        SCOPED_TRACE(c.fileEdition * 10 + c.barGrade);
        if (!c.noticed) {
            EXPECT_TRUE(lines.empty());
            continue;
        }
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].code, -1111);
        EXPECT_EQ(lines[0].text, "");
        EXPECT_EQ(lines[1].code, 0);
        EXPECT_EQ(lines[1].text, "钢筋HPB235自动调整为HPB300");
    }
}

}  // namespace
