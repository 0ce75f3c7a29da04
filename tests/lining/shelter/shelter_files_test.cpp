#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "lining/shelter/shelter_data.h"
#include "lining/shelter/shelter_result.h"
#include "support/message_recorder.h"
#include "platform/profile.h"
#include "support/temp_folder.h"

namespace {

// A data object with every value away from its default.
CChenQiData Changed() {
    CChenQiData d;
    d.m_CanShu.nType = 2;
    d.m_CanShu.L = 5500;
    d.m_CanShu.q[1][2] = 33.5f;
    d.m_CanShu.reserved[0] = 1.5f;
    d.m_CanShu.reserved[1] = 40.0f;
    d.m_CanShu.reserved[2] = 2.5f;
    d.ZuHe(1, 9).nFlag = 0;
    d.ZuHe(2, 10).fXiShu = 1.25f;
    d.m_nFenDuan = 12;
    d.m_nFlag[1] = 0;
    d.m_fZhi[7] = 3.0f;
    d.m_fDongLi[1] = 1.3f;
    return d;
}

std::string Body(CChenQiData& d) {
    std::FILE* fp = std::tmpfile();
    d.WriteBody(fp);
    std::rewind(fp);
    std::string s;
    for (int c; (c = std::fgetc(fp)) != EOF;) s += static_cast<char>(c);
    std::fclose(fp);
    return s;
}

TEST(ShelterDataFile, RoundTripKeepsEveryLine) {
    kv::test::TempFolder tmp;
    CChenQiData d = Changed();
    ASSERT_EQ(d.SaveData((tmp / "a_CHENQI.DAT").c_str()), 1);
    CChenQiData back;
    ASSERT_EQ(back.LoadData((tmp / "a_CHENQI.DAT").c_str()), 1);
    EXPECT_EQ(Body(back), Body(d));
    EXPECT_EQ(back.m_CanShu.reserved[2], 2.5f);
    EXPECT_EQ(back.ZuHe(1, 9).nFlag, 0);
    EXPECT_EQ(back.m_nFlag[1], 0);
}

TEST(ShelterDataFile, MissingFolderFailsBothWays) {
    kv::test::TempFolder tmp;
    CChenQiData d = Changed();
    const std::string before = Body(d);
    const std::string path = tmp / "missing/x.DAT";
    EXPECT_EQ(d.SaveData(path.c_str()), 0);
    EXPECT_EQ(d.LoadData(path.c_str()), 0);
    EXPECT_EQ(Body(d), before);
}

// Damaged files are refused whole: the object keeps every value.
TEST(ShelterDataFile, DamagedFilesChangeNothing) {
    kv::test::TempFolder tmp;
    CChenQiData good = Changed();
    ASSERT_EQ(good.SaveData((tmp / "good.DAT").c_str()), 1);
    const std::string text = tmp.Read("good.DAT");
    const std::size_t line2 = text.find('\n') + 1;   // after the marker
    const std::size_t line3 = text.find('\n', line2) + 1;
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"short", text.substr(0, text.size() / 2)},
        {"field missing", text.substr(0, text.rfind(',', line3 - 1)) + "\n" + text.substr(line3)},
        {"kind 4", text.substr(0, line2) + "4" + text.substr(line2 + 1)},
        {"kind -1", text.substr(0, line2) + "-1" + text.substr(line2 + 1)},
        {"result file", "ChenQi_V10\n0\n0,0,0,1,1,1\n"},
    };
    for (const auto& c : cases) {
        kv::test::MessageRecorder messages;
        tmp.Write("bad.DAT", c.bytes);
        CChenQiData d;
        const std::string before = Body(d);
        EXPECT_EQ(d.LoadData((tmp / "bad.DAT").c_str()), 0) << c.what;
        EXPECT_EQ(Body(d), before) << c.what;
        EXPECT_EQ(messages.shown().size(), 1u) << c.what;
    }
    // Segment counts the geometry cannot divide by.
    for (int n : {1, 0, 101}) {
        CChenQiData bad = Changed();
        bad.m_nFenDuan = n;
        kv::test::MessageRecorder messages;
        ASSERT_EQ(bad.SaveData((tmp / "n.DAT").c_str()), 1);
        CChenQiData d;
        EXPECT_EQ(d.LoadData((tmp / "n.DAT").c_str()), 0) << n;
        EXPECT_EQ(d.m_nFenDuan, 10);
    }
}

TEST(ShelterExchange, WritesSizesForTheLoadTool) {
    kv::test::TempFolder tmp;
    const std::string path = tmp / "ExOut.ini";
    CChenQiData d;
    ASSERT_EQ(d.DoExOutIni(path.c_str(), 1), 1);
    const struct {
        const char* key;
        const char* value;
    } keys[] = {{"L", "6000"}, {"H", "5000"}, {"f", "2000"}, {"r", "3250"},
                {"Hg", "300"}, {"Hs", "400"}, {"E", "23000.0"}};
    for (const auto& k : keys)
        EXPECT_EQ(kv::platform::GetPrivateProfileString("CQCC", k.key, "?", path), k.value) << k.key;

    CChenQiData flat;
    flat.m_CanShu.nType = 3;
    flat.m_CanShu.f = 0;
    ASSERT_EQ(flat.DoExOutIni(path.c_str(), 1), 1);
    EXPECT_EQ(kv::platform::GetPrivateProfileString("CQCC", "r", "?", path), "-1");
    EXPECT_EQ(d.DoExOutIni(path.c_str(), 2), 0);
}

TEST(ShelterExchange, ReadsOnlyTheKeysThere) {
    kv::test::TempFolder tmp;
    CChenQiData d;
    EXPECT_EQ(d.DoExOutIni((tmp / "none.ini").c_str(), 0), 0);
    tmp.Write("ExOut.ini", "[CQHWHZ]\r\nq1=123.5\r\n");
    const CChenQiCanShu before = d.m_CanShu;
    ASSERT_EQ(d.DoExOutIni((tmp / "ExOut.ini").c_str(), 0), 1);
    for (int p = 0; p < 3; ++p)
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(d.m_CanShu.q[p][k], p == 0 && k == 1 ? 123.5f : before.q[p][k]) << p << k;
    EXPECT_EQ(d.m_fDongLi[0], 1.0f);
    EXPECT_EQ(d.m_fDongLi[1], 1.0f);

    // Numbers the data file could not hold again keep the values.
    tmp.Write("ExOut.ini", "[CQCWHZ]\nq1=1e39\nq2=nan\nq3=-inf\n");
    ASSERT_EQ(d.DoExOutIni((tmp / "ExOut.ini").c_str(), 0), 1);
    EXPECT_EQ(d.m_CanShu.q[0][2], before.q[0][2]);
    EXPECT_EQ(d.m_CanShu.q[2][2], before.q[2][2]);
    EXPECT_EQ(d.m_CanShu.q[1][2], before.q[1][2]);
    ASSERT_EQ(d.SaveData((tmp / "d.DAT").c_str()), 1);
    EXPECT_EQ(CChenQiData().LoadData((tmp / "d.DAT").c_str()), 1);
}

TEST(ShelterResult, EmptyArchiveAndPartsOfEachKind) {
    kv::test::TempFolder tmp;
    CChenQiResult r;
    ASSERT_EQ(r.SaveData((tmp / "r.RES").c_str()), 1);
    EXPECT_EQ(tmp.Read("r.RES").substr(0, 13), "ChenQi_V10\n0\n");
    CChenQiData d;
    r.m_pChenQi = &d;
    const char* third[] = {"支座", "底板(从中心向左等分10段)", "仰拱(从中心向左等分10段)", "仰拱(从中心向左等分10段)"};
    for (int kind = 0; kind < 4; ++kind) {
        d.m_CanShu.nType = kind;
        r.SetParts();
        ASSERT_EQ(r.m_Parts.size(), 3u);
        EXPECT_EQ(r.m_Parts[0].m_szName, "顶拱(从拱脚到拱顶等分10段)");
        EXPECT_EQ(r.m_Parts[1].m_szName, kind == 3 ? "侧拱(从底向上等分10段)" : "侧墙(从底向上等分10段)");
        EXPECT_EQ(r.m_Parts[2].m_szName, third[kind]);
        EXPECT_EQ(r.m_Parts[2].Values(9, 2).size(), 11u);
        EXPECT_EQ(r.m_Parts[1].m_szGangJin[2], "d8@200");
        EXPECT_EQ(r.m_Parts[1].m_szGangJin[3], "D16@200");
    }
}

TEST(ShelterResult, RoundTripWithIterationOutcome) {
    kv::test::TempFolder tmp;
    CChenQiData d;
    CChenQiResult r;
    r.m_pChenQi = &d;
    r.SetParts();
    r.m_Parts[2].Values(0, 1)[0] = -12.5f;  // the support's N at node 0
    r.m_Parts[0].Values(8, 2)[10] = 812.25f;
    r.m_Parts[1].m_fAsIn = 700.5f;
    r.m_Parts[1].m_fAv = 150.0f;
    r.m_Parts[1].m_szGangJin[0] = "D14@200";
    r.m_Parts[0].m_nCtrlNode[1] = 7;
    r.m_Parts[0].m_nFlag[3] = 0;
    r.m_nDieDai[1] = 4;
    r.m_bShouLian[1] = 0;
    ASSERT_EQ(r.SaveData((tmp / "r.RES").c_str()), 1);
    CChenQiResult back;
    ASSERT_EQ(back.LoadData((tmp / "r.RES").c_str()), 1);
    ASSERT_EQ(back.m_Parts.size(), 3u);
    EXPECT_EQ(back.m_Parts[2].m_szName, "支座");
    EXPECT_EQ(back.m_Parts[2].Values(0, 1)[0], -12.5f);
    EXPECT_EQ(back.m_Parts[0].Values(8, 2)[10], 812.25f);
    EXPECT_EQ(back.m_Parts[1].m_fAsIn, 700.5f);
    EXPECT_EQ(back.m_Parts[1].m_fAv, 150.0f);
    EXPECT_EQ(back.m_Parts[1].m_szGangJin[0], "D14@200");
    EXPECT_EQ(back.m_Parts[1].m_szGangJin[1], "D10@100");
    EXPECT_EQ(back.m_Parts[0].m_nCtrlNode[1], 7);
    EXPECT_EQ(back.m_Parts[0].m_nFlag[3], 0);
    EXPECT_EQ(back.m_nDieDai[1], 4);
    EXPECT_EQ(back.m_bShouLian[1], 0);

    // Without the trailing line: no ties, no iterations, every combination converged.
    std::string text = tmp.Read("r.RES");
    text.erase(text.rfind('\n', text.size() - 2) + 1);
    tmp.Write("old.RES", text);
    ASSERT_EQ(back.LoadData((tmp / "old.RES").c_str()), 1);
    EXPECT_EQ(back.m_Parts[1].m_fAv, 0.0f);
    EXPECT_EQ(back.m_nDieDai[1], 0);
    EXPECT_EQ(back.m_bShouLian[1], 1);
}

TEST(ShelterResult, DamagedFilesChangeNothing) {
    kv::test::TempFolder tmp;
    CChenQiData d;
    CChenQiResult r;
    r.m_pChenQi = &d;
    r.SetParts();
    ASSERT_EQ(r.SaveData((tmp / "r.RES").c_str()), 1);
    const std::string text = tmp.Read("r.RES");
    ASSERT_EQ(d.SaveData((tmp / "d.DAT").c_str()), 1);
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"short", text.substr(0, text.size() / 2)},
        {"four parts", "ChenQi_V10\n4\n"},
        {"102 nodes", "ChenQi_V10\n1\nx\n102\n"},
        {"data file", tmp.Read("d.DAT")},
        {"bad trailing line", text.substr(0, text.rfind('\n', text.size() - 2) + 1) + "1,2\n"},
    };
    for (const auto& c : cases) {
        kv::test::MessageRecorder messages;
        tmp.Write("bad.RES", c.bytes);
        CChenQiResult kept;
        kept.m_nDieDai[0] = 9;
        EXPECT_EQ(kept.LoadData((tmp / "bad.RES").c_str()), 0) << c.what;
        EXPECT_TRUE(kept.m_Parts.empty()) << c.what;
        EXPECT_EQ(kept.m_nDieDai[0], 9) << c.what;
    }
}

}  // namespace
