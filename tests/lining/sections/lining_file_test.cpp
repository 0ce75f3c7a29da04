// The lining data file: every layout it has had, read whole or not at all, and
// written so that it reads back the same.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "base/jsdata.h"
#include "lining/sections/tunnel_lining_data.h"
#include "support/error_lines.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

std::string Fixture(const std::string& name) {
    std::ifstream in(std::string(KV_TEST_FIXTURES) + "/lining/" + name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The file a lining writes.
std::string Saved(CTunnelLiningData& lining, const kv::test::TempFolder& folder, const std::string& name = "out.dat") {
    EXPECT_EQ(lining.SaveData((folder / name).c_str()), 1);
    return folder.Read(name);
}

int Load(CTunnelLiningData& lining, const kv::test::TempFolder& folder, const std::string& bytes) {
    folder.Write("in.dat", bytes);
    return lining.LoadData((folder / "in.dat").c_str());
}

// Every "%f" value of a written file replaced by one of its own, so that a
// field read into the wrong place or not written back shows.
std::string WithOwnFloats(const std::string& text) {
    static const std::regex number(R"(-?\d+\.\d{6})");
    std::string out;
    int k = 0;
    auto last = text.cbegin();
    for (std::sregex_iterator it(text.begin(), text.end(), number), end; it != end; ++it, ++k) {
        out.append(last, text.cbegin() + it->position());
        char value[32];
        // Eighths, which a float holds exactly.
        std::snprintf(value, sizeof value, "%d.%03d000", 1 + k % 97, 125 * (k % 8));
        out += value;
        last = text.cbegin() + it->position() + it->length();
    }
    out.append(last, text.cend());
    return out;
}

TEST(LiningFile, EveryStoredValueOfEveryTypeReadsBack) {
    kv::test::TempFolder folder;
    CTunnelLiningData lining;
    // The whole numbers written with "%d", away from their defaults.
    lining.m_nJieMianType = 12;
    lining.m_bXiangXi = 0;
    lining.m_nFenDuanShu = 17;
    lining.m_DiZhen.m_bDiZhen = 1;
    lining.m_HeZaiCanShu.m_bDuiCheng = 0;
    lining.m_HeZaiCanShu.m_bZiZhong = 0;
    lining.m_JiBen.m_nGuiFan = 1;
    lining.m_JiBen.m_nZuHeShu = 3;
    lining.m_PeiJin.m_szNeiCe = "10d22+8d16";
    lining.m_PeiJin.m_szWaiCe = "9d25";
    lining.m_PeiJin.m_bGuJin = 0;
    lining.m_PeiJin.m_nHunNingTu = 35;
    lining.m_PeiJin.m_nKangZhenDengJi = 3;
    lining.m_HeZaiZuHe.m_Items[4].m_bJiSuan = 0;
    lining.m_HeZaiZuHe.m_nZuHe[2] = 1;
    lining.m_JmGongXing.ZhiZuoSym = 0;
    lining.m_JmGongXing.LeftZhiZuoType = 2;
    lining.m_JmGongXing.RightZhiZuoType = 1;
    lining.m_JmYuanGongZhiQiangWuDiBan.m_nZhiZuoSym = 0;
    lining.m_JmYuanGongZhiQiangWuDiBan.m_nZhiZuoLeiXing = 1;
    lining.m_JmYuanGongZhiQiangWuDiBan.m_nYouZhiZuoLeiXing = 2;
    lining.m_JmMaTiKaiKou.ZhiZuoSym = 0;
    lining.m_JmMaTiKaiKou.RightZhiZuoType = 2;
    lining.m_JmGaoBiGong.LeftZhiZuoType = 1;
    lining.m_JmJianBianDuan.m_nLeiXing = 2;
    int level = 0;
    for (int type = 0; type < 15; ++type) {
        lining.m_nJieMianType = type;
        lining.GetCurJieMian()->m_nMaxDieDai = 3 + type;
        lining.GetCurJieMian()->m_nKangLiYaoQiu = level++ % 2;
    }
    lining.m_nJieMianType = 12;

    const std::string written = WithOwnFloats(Saved(lining, folder));
    CTunnelLiningData read;
    ASSERT_EQ(Load(read, folder, written), 1);
    EXPECT_EQ(Saved(read, folder, "again.dat"), written);
    EXPECT_EQ(read.m_PeiJin.m_szWaiCe, "9d25");
    EXPECT_EQ(read.m_JmJianBianDuan.m_nLeiXing, 2);
}

TEST(LiningFile, RecordLinesGoToTheirFieldsInFileOrder) {
    kv::test::TempFolder folder;
    CTunnelLiningData lining;
    ASSERT_EQ(Load(lining, folder, Fixture("lining_v3.dat")), 1);
    EXPECT_EQ(lining.m_nJieMianType, 14);
    EXPECT_EQ(lining.m_bXiangXi, 0);
    EXPECT_EQ(lining.m_nFenDuanShu, 12);
    EXPECT_EQ(lining.m_DiZhen.m_bDiZhen, 1);
    EXPECT_FLOAT_EQ(lining.m_DiZhen.m_fBoSuS, 550);
    EXPECT_FLOAT_EQ(lining.m_HeZaiCanShu.m_fDingYou, 71);
    EXPECT_FLOAT_EQ(lining.m_HeZaiCanShu.m_fQiDianJuLi, 2);
    EXPECT_EQ(lining.m_JiBen.m_nGuiFan, 1);
    EXPECT_EQ(lining.m_PeiJin.m_szNeiCe, "10d22");
    EXPECT_EQ(lining.m_PeiJin.m_szWaiCe, "8d18");
    EXPECT_EQ(lining.m_PeiJin.m_nKangZhenDengJi, 2);
    EXPECT_EQ(lining.m_HeZaiZuHe.m_Items[3].m_bJiSuan, 0);
    EXPECT_FLOAT_EQ(lining.m_HeZaiZuHe.m_Items[8].m_fFenXiang, 1.3f);
    EXPECT_EQ(lining.m_strName, "隧洞一");

    // Each record landed in the section of its type (the file marks them by E).
    for (int type = 0; type < 15; ++type) {
        lining.m_nJieMianType = type;
        EXPECT_FLOAT_EQ(lining.GetCurJieMian()->m_fE, 20000.0f + 100 * type) << type;
        EXPECT_EQ(lining.GetCurJieMian()->m_nMaxDieDai, 5 + type) << type;
        EXPECT_EQ(lining.GetCurJieMian()->m_pData, &lining) << type;
    }
    // Lines whose order is not the fields' order in memory.
    const CJmQuQiang& q = lining.m_JmQuQiang;
    EXPECT_FLOAT_EQ(q.m_fCeGongR, 9.15f);
    EXPECT_FLOAT_EQ(q.m_fBeta1, 1.5f);
    EXPECT_FLOAT_EQ(q.m_fCeGongHouDu, 0.615f);
    EXPECT_FLOAT_EQ(q.m_fCeGongK, 515);
    EXPECT_FLOAT_EQ(q.m_fCeGongH1, 0.55f);
    EXPECT_FLOAT_EQ(q.m_fCeGongH2, 0.45f);
    EXPECT_FLOAT_EQ(q.m_fBeta2, 2.5f);
    EXPECT_FLOAT_EQ(lining.m_JmMaTiPingDi.m_fDiBanHouDu, 0.68f);
    EXPECT_FLOAT_EQ(lining.m_JmMaTiPingDi.m_fDiBanK, 508);
    const CJmZhiQiangSanXinGong& s = lining.m_JmZhiQiangSanXinGong;
    EXPECT_FLOAT_EQ(s.m_fReserved1, 1);
    EXPECT_FLOAT_EQ(s.m_fDiGongHouDu, 0.66f);
    EXPECT_FLOAT_EQ(s.m_fReserved3, 3);
    EXPECT_FLOAT_EQ(s.m_fReserved4, 4);
    EXPECT_FLOAT_EQ(s.m_fDingGongBanJing, 3.62f);
    EXPECT_FLOAT_EQ(s.m_fReserved5, 5);
    const CJmGongXing& g = lining.m_JmGongXing;
    EXPECT_FLOAT_EQ(g.RightGongAngle, 59);
    EXPECT_FLOAT_EQ(g.GongCrownT, 0.61f);
    EXPECT_EQ(g.ZhiZuoSym, 0);
    EXPECT_EQ(g.LeftZhiZuoType, 1);
    EXPECT_EQ(g.RightZhiZuoType, 2);
    EXPECT_FLOAT_EQ(g.RightGongK, 504);
    EXPECT_EQ(lining.m_JmYuanGongZhiQiangWuDiBan.m_nYouZhiZuoLeiXing, 2);
    EXPECT_FLOAT_EQ(lining.m_JmYuanGongZhiQiangWuDiBan.m_fZhiZuoK, 506);
    EXPECT_EQ(lining.m_JmMaTiKaiKou.RightZhiZuoType, 2);
    EXPECT_FLOAT_EQ(lining.m_JmMaTiKaiKou.RightCeGongK, 513);
    EXPECT_EQ(lining.m_JmGaoBiGong.LeftZhiZuoType, 2);
    EXPECT_FLOAT_EQ(lining.m_JmGaoBiGong.DingGongCrownT, 0.631f);
    EXPECT_EQ(lining.m_JmJianBianDuan.m_nLeiXing, 2);
    EXPECT_FLOAT_EQ(lining.m_JmJianBianDuan.m_fXiaYuanJiaoK, 516);
    EXPECT_FLOAT_EQ(lining.m_JmSanXinGongDiTie.DingGongT, 0.38f);
    EXPECT_FLOAT_EQ(lining.m_JmYuanGongZhiQiangDiYuanJiao.m_fYuanJiaoBanJing, 0.54f);
}

TEST(LiningFile, OlderLayouts) {
    struct Case {
        const char* file;
        int type;            // section type after the read
        bool seismic;        // the seismic line was read
        bool type14;         // the type-14 record was read
        bool types567;       // the records of types 5, 6 and 7 were read
    } cases[] = {
        {"lining_v3.dat", 14, true, true, true},
        {"lining_v2.dat", 14, true, false, true},
        {"lining_v1.dat", 14, false, false, true},
        // The oldest layout knew no types 5 to 7: its 7 is today's 10.
        {"lining_v0.dat", 10, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        kv::test::TempFolder folder;
        kv::test::ErrorLines errors;
        CTunnelLiningData lining;
        lining.m_JmQuQiang.m_fE = 1234;
        lining.m_JmYuanGongZhiQiangDiGong.m_fE = 1235;
        lining.m_JiBen.m_fGamma0 = 0.7f;
        ASSERT_EQ(Load(lining, folder, Fixture(c.file)), 1);
        EXPECT_EQ(lining.m_nJieMianType, c.type);
        EXPECT_EQ(lining.m_DiZhen.m_bDiZhen, c.seismic ? 1 : 0);
        EXPECT_FLOAT_EQ(lining.m_JmQuQiang.m_fE, c.type14 ? 21400 : 1234);
        EXPECT_FLOAT_EQ(lining.m_JmYuanGongZhiQiangDiGong.m_fE, c.types567 ? 20500 : 1235);
        EXPECT_FLOAT_EQ(lining.m_JiBen.m_fGamma0, c.types567 ? 1.1f : 0.7f);
        EXPECT_FLOAT_EQ(lining.m_JmGaoBiGong.m_fE, 21100);
        EXPECT_FLOAT_EQ(lining.m_JmYuanXing.m_fBanJing, 5.5f);
        EXPECT_EQ(errors.Has(6, "读取老版本的数据"), !c.types567);
        // Without self weight the old file also leaves the self weight out of the combination.
        EXPECT_EQ(lining.m_HeZaiZuHe.m_Items[0].m_bJiSuan, c.types567 ? 1 : 0);
    }
}

TEST(LiningFile, EightCombinationItemsLeaveTheNinthAndMarkersMayHoldAnyText) {
    kv::test::TempFolder folder;
    CTunnelLiningData lining;
    lining.m_HeZaiZuHe.m_Items[8].m_fFenXiang = 1.7f;
    ASSERT_EQ(Load(lining, folder, Fixture("lining_v3_eight_items.dat")), 1);
    EXPECT_FLOAT_EQ(lining.m_HeZaiZuHe.m_Items[7].m_fFenXiang, 1.1f);
    EXPECT_FLOAT_EQ(lining.m_HeZaiZuHe.m_Items[8].m_fFenXiang, 1.7f);
    EXPECT_FLOAT_EQ(lining.m_JmQuQiang.m_fE, 21400);

    CTunnelLiningData plain, other;
    ASSERT_EQ(Load(plain, folder, Fixture("lining_v3.dat")), 1);
    ASSERT_EQ(Load(other, folder, Fixture("lining_v3_other_markers.dat")), 1);
    EXPECT_EQ(Saved(other, folder, "a.dat"), Saved(plain, folder, "b.dat"));
}

TEST(LiningFile, WindowsLineEndsReadTheSame) {
    kv::test::TempFolder folder;
    CTunnelLiningData lf, crlf;
    ASSERT_EQ(Load(lf, folder, Fixture("lining_v3.dat")), 1);
    ASSERT_EQ(Load(crlf, folder, Fixture("lining_v3_crlf.dat")), 1);
    EXPECT_EQ(crlf.m_PeiJin.m_szWaiCe, "8d18");
    EXPECT_EQ(Saved(crlf, folder, "a.dat"), Saved(lf, folder, "b.dat"));
}

TEST(LiningFile, AFileReadOnlyInPartChangesNothing) {
    kv::test::TempFolder folder;
    kv::test::MessageRecorder messages;
    const std::string whole = Fixture("lining_v3.dat");
    std::vector<std::string> damaged = {Fixture("lining_v3_no_section_marker.dat"), "OTHER_MARKER\n1,1\n"};
    // Cut after every few lines: in the records, in the sections, before the last line.
    std::size_t at = 0;
    for (int line = 0; (at = whole.find('\n', at)) != std::string::npos; ++line, ++at)
        if (line % 7 == 3 && whole.compare(at + 1, 2, "##") != 0) damaged.push_back(whole.substr(0, at + 1));
    const std::size_t commonBlock = whole.find("##Name");
    damaged.push_back(whole.substr(0, whole.rfind('\n', commonBlock - 2) + 1));  // without the last record line
    ASSERT_GT(damaged.size(), 10u);

    CTunnelLiningData lining;
    lining.m_JmMaTi.m_fDiGongR = 7.25f;
    lining.m_nJieMianType = 9;
    const std::string before = Saved(lining, folder, "before.dat");
    for (const std::string& bytes : damaged) {
        EXPECT_EQ(Load(lining, folder, bytes), 0) << bytes.size();
        EXPECT_EQ(Saved(lining, folder, "after.dat"), before) << bytes.size();
    }
}

TEST(LiningFile, AFileThatCannotBeWrittenIsSaidAndTheOldOneStays) {
    kv::test::TempFolder folder;
    kv::test::MessageRecorder messages;
    CTunnelLiningData lining;
    const std::string path = folder / "missing/folder/LN.dat";
    EXPECT_EQ(lining.SaveData(path.c_str()), 0);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "不能保存文件 : " + path);
}

TEST(LiningFile, ElevenDiagramsUnderTheItemStemAndTheirQueryLines) {
    kv::test::TempFolder folder;
    CTunnelLiningData lining;
    lining.SetFileName("&KV_0007");
    ASSERT_EQ(lining.m_nJtNum, 11);
    EXPECT_EQ(lining.GetJtTitle(0), "计算简图");
    EXPECT_EQ(lining.GetJtTitle(10), "配筋施工图");
    EXPECT_EQ(lining.GetDxfFileName(0), "&KV_0007_CHENQI_jt_01.dxf");
    EXPECT_EQ(lining.GetDxfFileName(10), "&KV_0007_CHENQI_jt_11.dxf");
    EXPECT_EQ(lining.GetRtfFileName(4), "&KV_0007.RTF");
    Saved(lining, folder, "&KV_0007.dat");
    const auto entries = ReadChaXunFromFile((folder / "&KV_0007.dat").c_str());
    ASSERT_EQ(entries.size(), 11u);
    EXPECT_EQ(entries[5].title, "切向位移图");
    EXPECT_EQ(entries[5].dxf, "&KV_0007_CHENQI_jt_06.dxf");
    EXPECT_EQ(entries[5].rtf, "&KV_0007.RTF");
}

TEST(LiningFile, AssignmentCopiesTheRecordsAndKeepsWhatBelongsToTheObject) {
    CTunnelLiningData from, to;
    from.m_nJieMianType = 9;
    from.m_nFenDuanShu = 30;
    from.m_HeZaiCanShu.m_fDingCe = 123;
    from.m_JmMaTi.m_fDiGongR = 7.5f;
    from.m_JmMaTi.m_fE = 31000;
    from.m_JmGongXing.LeftZhiZuoType = 2;
    from.m_nZuHeIndex = 2;
    from.m_bHeBao = 1;
    from.m_strName = "来源";
    to.m_nZuHeIndex = 3;
    auto* result = reinterpret_cast<CChenQiResult*>(&to);  // only its address is kept
    to.m_pChenQiResult = result;
    to.m_strName = "目标";
    to = from;
    EXPECT_EQ(to.m_nJieMianType, 9);
    EXPECT_EQ(to.m_nFenDuanShu, 30);
    EXPECT_FLOAT_EQ(to.m_HeZaiCanShu.m_fDingCe, 123);
    EXPECT_FLOAT_EQ(to.m_JmMaTi.m_fDiGongR, 7.5f);
    EXPECT_FLOAT_EQ(to.m_JmMaTi.m_fE, 31000);
    EXPECT_EQ(to.m_JmGongXing.LeftZhiZuoType, 2);
    EXPECT_EQ(to.m_nZuHeIndex, 3);
    EXPECT_EQ(to.m_bHeBao, 0);
    EXPECT_EQ(to.m_pChenQiResult, result);
    EXPECT_EQ(to.m_strName, "目标");
    EXPECT_EQ(to.GetCurJieMian(), &to.m_JmMaTi);
    EXPECT_EQ(to.m_JmMaTi.m_pData, &to);
    EXPECT_EQ(from.m_JmMaTi.m_pData, &from);
}

TEST(LiningFile, SectionDefaultsThatDifferFromTheCommonOnes) {
    CTunnelLiningData lining;
    // Supported sections check the resistance at the nodes only.
    EXPECT_EQ(lining.m_JmGongXing.m_nKangLiYaoQiu, 0);
    EXPECT_EQ(lining.m_JmYuanGongZhiQiangWuDiBan.m_nKangLiYaoQiu, 0);
    EXPECT_EQ(lining.m_JmMaTiKaiKou.m_nKangLiYaoQiu, 0);
    EXPECT_EQ(lining.m_JmGaoBiGong.m_nKangLiYaoQiu, 0);
    EXPECT_EQ(lining.m_JmYuanGongZhiQiang.m_nKangLiYaoQiu, 1);
    EXPECT_EQ(lining.m_JmSanXinGongDiTie.m_nKangLiYaoQiu, 1);
    // The open horseshoe has the high-walled arch's record with its own sizes.
    EXPECT_FLOAT_EQ(lining.m_JmMaTiKaiKou.CeGongR, 15.0f);
    EXPECT_FLOAT_EQ(lining.m_JmMaTiKaiKou.DingGongHalfAngle, 60.0f);
    EXPECT_FLOAT_EQ(lining.m_JmGaoBiGong.CeGongR, 5.0f);
    EXPECT_FLOAT_EQ(lining.m_JmGaoBiGong.DingGongHalfAngle, 30.0f);
    // Who stands on supports, and which supports are alike.
    EXPECT_EQ(lining.m_JmGongXing.HasZhiZuo(), 1);
    EXPECT_EQ(lining.m_JmGongXing.OnlyTopGrout(), 1);
    EXPECT_EQ(lining.m_JmMaTi.HasZhiZuo(), 0);
    lining.m_JmGaoBiGong.ZhiZuoSym = 0;
    EXPECT_EQ(lining.m_JmGaoBiGong.IsZhiZuoSym(), 0);
    EXPECT_EQ(lining.m_JmYuanGongZhiQiangWuDiBan.IsZhiZuoSym(), 1);
}

}  // namespace
