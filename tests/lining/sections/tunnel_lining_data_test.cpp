// The lining data object as the owner of its sections and its calculation run.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "base/globals.h"
#include "lining/engine/lining_text.h"
#include "lining/engine/test_section.h"
#include "lining/sections/tunnel_lining_data.h"
#include "platform/codec.h"
#include "report/script.h"
#include "support/edition_guard.h"
#include "support/work_folder.h"

using kv::test::Written;

namespace {

// A lining whose types 2 to 6 are test sections.
class TestLining : public CTunnelLiningData {
public:
    TestLining() {
        for (int type = 2; type <= 6; ++type) SetJieMian(type, &sections[type - 2]);
    }
    CTestSection& Current() { return sections[m_nJieMianType - 2]; }
    CTestSection sections[5];
};

TEST(LiningData, AFreshLiningCountsOnlySeismicActionWithItsLargerFactor) {
    CTunnelLiningData lining;
    for (int j = 0; j < 8; ++j) EXPECT_FLOAT_EQ(lining.m_HeZaiZuHe.m_Items[j].m_fFenXiang, 1.0f) << j;
    EXPECT_FLOAT_EQ(lining.m_HeZaiZuHe.m_Items[8].m_fFenXiang, 1.2f);
    EXPECT_EQ(lining.m_DiZhen.m_bDiZhen, 0);
    EXPECT_EQ(lining.m_nJieMianType, 3);
}

TEST(LiningData, OneSectionOfEachTypeAndNoneOutsideThem) {
    CTunnelLiningData lining;
    const CJieMianBase* want[15] = {&lining.m_JmYuanXing,
                                    &lining.m_JmGongXing,
                                    &lining.m_JmYuanGongZhiQiangWuDiBan,
                                    &lining.m_JmYuanGongZhiQiang,
                                    &lining.m_JmYuanGongZhiQiangDiYuanJiao,
                                    &lining.m_JmYuanGongZhiQiangDiGong,
                                    &lining.m_JmZhiQiangSanXinGong,
                                    &lining.m_JmSanXinGongDiTie,
                                    &lining.m_JmMaTiPingDi,
                                    &lining.m_JmMaTi,
                                    &lining.m_JmMaTiKaiKou,
                                    &lining.m_JmGaoBiGong,
                                    &lining.m_JmJianBianDuan,
                                    &lining.m_JmJuXing,
                                    &lining.m_JmQuQiang};
    for (int type = -1; type <= 16; ++type) {
        lining.m_nJieMianType = type;
        EXPECT_EQ(lining.GetCurJieMian(), type >= 0 && type < 15 ? want[type] : nullptr) << type;
        if (type >= 0 && type < 15) {
            EXPECT_EQ(want[type]->m_pData, &lining) << type;
        }
    }
}

TEST(LiningData, SetJieMianOwnerPointsEverySectionBack) {
    TestLining lining;
    for (auto& s : lining.sections) EXPECT_EQ(s.m_pData, &lining);
    // A section read in another owner's place is pointed back.
    for (auto& s : lining.sections) s.m_pData = nullptr;
    lining.SetJieMianOwner();
    for (auto& s : lining.sections) EXPECT_EQ(s.m_pData, &lining);
    EXPECT_EQ(&lining.sections[0].GetHeZai()->m_fDingCe, &lining.m_HeZaiCanShu.m_fDingCe);
}

std::string Head(TestLining& lining) {
    std::string text = Written([&](std::FILE* fp) { EXPECT_EQ(lining.WriteJssHead(fp), 0); });
    return std::regex_replace(text, std::regex("计算时间：[-0-9: ]+\n"), "计算时间：<time>\n");
}

const std::string kHeadTop =
    "**********************************************************************\n"
    "计算项目：隧洞1\n"
    "计算时间：<time>\n"
    "**********************************************************************\n"
    "----------------------------------------------------------------------\n"
    "[ 计算简图 ]\n"
    "----------------------------------------------------------------------\n";

TEST(LiningData, ReportHeadUnderTheHydraulicCode) {
    kv::test::EditionGuard edition(2010);
    TestLining lining;
    lining.m_strName = "隧洞1";
    lining.SetFileName("SD");
    lining.m_JiBen.m_fGamma0S = 0.9f;
    lining.m_HeZaiZuHe.m_fSheJiZhuangKuang = 0.85f;
    lining.Current().m_nMaxDieDai = 12;
    const std::string text = Head(lining);
    const std::string conditions =
        "\n"
        "---------------------------------------------------------------------\n"
        "[ 计算条件 ]\n"
        "----------------------------------------------------------------------\n"
        "\n[ 基本参数 ]\n\n"
        "    规范标准：          \t\t\t水工砼规范SL/T191-96\n"
        "    承载能力极限状态γ0：\t\t\t1.0\n"
        "    正常使用极限状态γ0：\t\t\t0.9\n"
        "    设计状况系数：      \t\t\t0.85\n"
        "    衬砌断面类型：      \t\t\t圆拱直墙形\n"
        "    每段计算的分段数：  \t\t\t10\n"
        "    计算迭代次数：      \t\t\t12\n"
        "    抗力验证要求：      \t\t\t高\n"
        "\n[ 衬砌参数 ]\n\n    试验截面\n";
    const std::string sketch = "\n" + kv::report::ScriptBlock("InsertDxf=SD_CHENQI_jt_01.dxf") + "\n";
    ASSERT_EQ(text.substr(0, kHeadTop.size() + sketch.size() + conditions.size()), kHeadTop + sketch + conditions);
    // Then the load parameters of a closed arched section, the table and the bars.
    const std::string loads = Written([&](std::FILE* fp) { lining.m_HeZaiCanShu.WriteCanShu(fp, 0, 1, 0); });
    const std::string table = Written([&](std::FILE* fp) { lining.m_HeZaiZuHe.WriteCanShu(fp, 0, 0); });
    const std::string bars = Written([&](std::FILE* fp) { lining.m_PeiJin.WriteCanShu(fp, 0); });
    EXPECT_EQ(text.substr(kHeadTop.size() + sketch.size() + conditions.size()),
              loads + "\n[ 荷载组合参数 ]\n\n" + table + bars);
    EXPECT_EQ(G_guifan, 2010);
}

TEST(LiningData, ReportHeadUnderTheConcreteCodeLeavesOutTheHydraulicFactors) {
    TestLining lining;
    lining.m_JiBen.m_nGuiFan = 1;
    lining.m_nJieMianType = 5;
    lining.Current().m_nKangLiYaoQiu = 0;
    lining.m_DiZhen.m_bDiZhen = 1;
    const std::string text = Head(lining);
    const std::string basic =
        "\n[ 基本参数 ]\n\n"
        "    规范标准：          \t\t\t砼规范GB50010-2002\n"
        "    承载能力极限状态γ0：\t\t\t1.0\n"
        "    衬砌断面类型：      \t\t\t圆拱直墙形(底拱)\n"
        "    每段计算的分段数：  \t\t\t10\n"
        "    计算迭代次数：      \t\t\t10\n"
        "    抗力验证要求：      \t\t\t低\n"
        "\n[ 衬砌参数 ]\n";
    EXPECT_NE(text.find(basic), std::string::npos) << text;
    EXPECT_EQ(text.find("采用的荷载效应组合"), std::string::npos);
    // With seismic action the combination table has its ninth row.
    EXPECT_NE(text.find("\t  9 \t地震作用力 \t   √ \t        1.20 \n\n"), std::string::npos);
    lining.m_nJieMianType = 15;  // a type name without a section
    EXPECT_EQ(lining.WriteJssHead(stdout), -1);
}

TEST(LiningData, RunCalculatesTheCrackStateOnlyWithoutSeismicActionAndWithTheCrackCheck) {
    struct Case {
        int diZhen, lieFeng;
        bool crackState;
    } cases[] = {{0, 1, true}, {1, 1, false}, {0, 0, false}, {1, 0, false}};
    for (const auto& c : cases) {
        kv::test::WorkFolder folder;
        TestLining lining;
        lining.SetFileName("SD");
        lining.m_DiZhen.m_bDiZhen = c.diZhen;
        lining.m_PeiJin.m_bLieFeng = c.lieFeng;
        Written([&](std::FILE* fp) { lining.JiSuan(fp); });
        const auto& runs = lining.Current().runs;
        ASSERT_EQ(runs.size(), c.crackState ? 2u : 1u) << c.diZhen << c.lieFeng;
        EXPECT_EQ(runs[0].state, 0);
        if (c.crackState) {
            EXPECT_EQ(runs[1].state, 1);
        }
    }
}

TEST(LiningData, RunResetsTheAreasFirstAndReportsThemAfterTheDesignState) {
    kv::test::EditionGuard edition(2010);
    kv::test::WorkFolder folder;
    TestLining lining;
    lining.SetFileName("SD");
    lining.m_PeiJin.m_fMaxAsNei = 5000;
    lining.m_PeiJin.m_bKangJian = 0;
    lining.Current().m_fDesignArea = 321.5f;
    const std::string text = Written([&](std::FILE* fp) { EXPECT_EQ(lining.JiSuan(fp), 0); });
    const auto& runs = lining.Current().runs;
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].areaSeen, 0);
    // The lining works under its own code and leaves the user's edition as it was.
    EXPECT_EQ(runs[0].edition, 96);
    EXPECT_EQ(G_guifan, 2010);

    // The summary stands between the design state and the crack state, ruled off
    // on both sides, with the areas of the design state alone.
    const std::string note = Written([&](std::FILE* fp) {
        CPeiJinCanShu bars;
        bars.m_fMaxAsNei = 321.5f;
        bars.WriteResultNote(fp);
    });
    const std::string rule(70, '-');
    const std::string between = "试验截面 0\n\n" + rule + "\n[ 配筋结果 ]\n" + note + rule + "\n[ 裂缝计算 ]\n";
    EXPECT_NE(text.find(between), std::string::npos) << text;
    EXPECT_NE(text.find("[ 内力配筋计算 ]\n"), std::string::npos);

    // The result sheet, the deformation and the seven diagrams are in the work
    // folder; the sketch and the construction drawing are not the run's.
    for (int k = 2; k <= 10; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "SD_CHENQI_jt_%02d.dxf", k);
        EXPECT_TRUE(folder.Exists(name)) << name;
    }
    EXPECT_FALSE(folder.Exists("SD_CHENQI_jt_01.dxf"));
    EXPECT_FALSE(folder.Exists("SD_CHENQI_jt_11.dxf"));
    for (const auto& d : lining.m_pDxf) EXPECT_EQ(d, nullptr);
    EXPECT_EQ(lining.m_fpLog, nullptr);
}

TEST(LiningData, RunUnderTheConcreteCodeAndWithSeismicAction) {
    kv::test::WorkFolder folder;
    TestLining lining;
    lining.SetFileName("SD");
    lining.m_JiBen.m_nGuiFan = 1;
    lining.m_DiZhen.m_bDiZhen = 1;
    const std::string text = Written([&](std::FILE* fp) { lining.JiSuan(fp); });
    EXPECT_EQ(lining.Current().runs.at(0).edition, 2002);
    EXPECT_NE(text.find("[ 内力配筋计算(以下内力叠加了地震作用效应) ]\n"), std::string::npos);
}

TEST(LiningData, RunResultCombinesBothStates) {
    struct Case {
        int r0, r1, diZhen;
        int want;
    } cases[] = {{0, 0, 0, 0}, {0, 3, 0, 1}, {3, 0, 0, 2}, {3, 3, 0, -2}, {0, 3, 1, 0}, {3, 0, 1, -1}};
    for (const auto& c : cases) {
        kv::test::WorkFolder folder;
        TestLining lining;
        lining.m_bXiangXi = 0;
        lining.SetFileName("SD");
        lining.m_DiZhen.m_bDiZhen = c.diZhen;
        lining.Current().results[0] = c.r0;
        lining.Current().results[1] = c.r1;
        EXPECT_EQ(lining.JiSuan(nullptr), c.want) << c.r0 << " " << c.r1 << " " << c.diZhen;
    }
}

TEST(LiningData, DetailedLogStartsWithItsHead) {
    kv::test::WorkFolder folder;
    TestLining lining;
    lining.SetFileName("SD");
    lining.JiSuan(nullptr);
    // Its own name: the report's would be emptied by it.
    const std::string log = kv::platform::GbkToUtf8Lossy(folder.Read("SD_LOG.TXT"));
    EXPECT_EQ(log.rfind("[ 中间结果输出抗力假设验证的情况 ]", 0), 0u) << log;
}

}  // namespace
