// The report texts of the lining's records, as the report head prints them.
#include <gtest/gtest.h>

#include <string>

#include "base/globals.h"
#include "lining/engine/canshu.h"
#include "lining/engine/hezai.h"
#include "lining_text.h"
#include "report/script.h"
#include "support/edition_guard.h"

using kv::test::Written;

namespace {

const std::string kPeiJinHead =
    "\n[ 配筋参数 ]\n\n"
    "    对称配筋：          \t\t\t是\n"
    "    混凝土等级：        \t\t\tC25\n"
    "    纵筋等级：          \t\t\tHRB335(fy=300MPa,fyk=335MPa)\n"
    "    箍筋计算：          \t\t\t计算\n"
    "    箍筋等级：          \t\t\tHPB235(fy=210MPa,fyk=235MPa)\n"
    "    箍筋间距：          \t\t\t1000(mm)\n"
    "    配筋计算as：        \t\t\t65(mm)\n"
    "    配筋调整系数：      \t\t\t1.00\n"
    "    裂缝计算：          \t\t\t计算\n";

TEST(LiningReports, ReinforcementUnderTheHydraulicCodeNamesTheEffectCombination) {
    // The user's edition (2010, whose plain bar is HPB300) neither shows nor changes.
    kv::test::EditionGuard edition(2010);
    CPeiJinCanShu bars;
    const std::string text = Written([&](std::FILE* fp) { EXPECT_EQ(bars.WriteCanShu(fp, 0), 1); });
    EXPECT_EQ(text, kPeiJinHead +
                        "    采用的荷载效应组合：\t\t\t短期效应组合\n"
                        "    最大裂缝宽度允许值：\t\t\t0.40(mm)\n"
                        "    单侧钢筋：          \t\t\t12d20\n"
                        "    砼保护层厚度：      \t\t\t50(mm)\n");
    EXPECT_EQ(G_guifan, 2010);
}

TEST(LiningReports, ReinforcementUnderTheConcreteCodeGivesBothFacesNormalised) {
    kv::test::EditionGuard edition(2010);
    CPeiJinCanShu bars;
    bars.m_bDuiCheng = 0;
    bars.m_szNeiCe = "12D20";
    bars.m_szWaiCe = "10Φ16";
    const std::string text = Written([&](std::FILE* fp) { bars.WriteCanShu(fp, 1); });
    std::string want = kPeiJinHead;
    want.replace(want.find("是"), std::string("是").size(), "否");
    EXPECT_EQ(text, want +
                        "    最大裂缝宽度允许值：\t\t\t0.40(mm)\n"
                        "    实配钢筋(内侧)：    \t\t\t12d20\n"
                        "    实配钢筋(外侧)：    \t\t\t10d16\n"
                        "    砼保护层厚度：      \t\t\t50(mm)\n");
    EXPECT_EQ(G_guifan, 2010);
}

TEST(LiningReports, ReinforcementWithoutStirrupsOrCracksLeavesTheirLinesOut) {
    CPeiJinCanShu bars;
    bars.m_bGuJin = 0;
    bars.m_bLieFeng = 0;
    const std::string text = Written([&](std::FILE* fp) { bars.WriteCanShu(fp, 0); });
    EXPECT_EQ(text.find("箍筋等级"), std::string::npos);
    EXPECT_EQ(text.find("最大裂缝宽度"), std::string::npos);
    EXPECT_NE(text.find("    箍筋计算：          \t\t\t不计算\n"), std::string::npos);
    EXPECT_NE(text.find("    裂缝计算：          \t\t\t不计算\n"), std::string::npos);
    EXPECT_EQ(bars.WriteCanShu(nullptr, 0), -1);
}

TEST(LiningReports, ResultNoteCountsTheInnerAreaTwiceWhenSymmetric) {
    CPeiJinCanShu bars;
    bars.m_fMaxAsNei = 1234.5f;
    bars.m_fMaxAsWai = 99.0f;  // not used with symmetric bars
    bars.m_fMaxAv = 12.34f;
    const std::string text = Written([&](std::FILE* fp) { EXPECT_EQ(bars.WriteResultNote(fp), 1); });
    EXPECT_EQ(text,
              "衬砌内侧纵筋最大面积As = 1234.5mm^2，外侧纵筋最大面积As1 = 1234.5mm^2；\n"
              "纵筋面积总和As = 2469.0mm^2。\n"
              "箍筋最大面积Av = 12.3mm^2。\n"
              "截面尺寸抗剪验算：  满足。\n\n"
              "注:此处纵筋即为受力筋。\n");
    EXPECT_EQ(bars.WriteResultNote(nullptr), 0);
}

TEST(LiningReports, ResultNoteShowsAFailedShearCheckInRed) {
    CPeiJinCanShu bars;
    bars.m_bDuiCheng = 0;
    bars.m_bGuJin = 0;
    bars.m_fMaxAsNei = 800;
    bars.m_fMaxAsWai = 450.25f;
    bars.m_bKangJian = 0;
    const std::string text = Written([&](std::FILE* fp) { bars.WriteResultNote(fp); });
    EXPECT_EQ(text,
              "衬砌内侧纵筋最大面积As = 800.0mm^2，外侧纵筋最大面积As1 = 450.2mm^2；\n"
              "纵筋面积总和As = 1250.2mm^2。\n"
              "截面尺寸抗剪验算：" +
                  kv::report::TextStyleBlock("   不满足。", 255, 1.0) +
                  "\n"
                  "注:此处纵筋即为受力筋。\n");
}

TEST(LiningReports, ResetClearsTheAreasAndPassesTheShearCheck) {
    CPeiJinCanShu bars;
    bars.m_fMaxAsNei = bars.m_fMaxAsWai = bars.m_fMaxAv = 5;
    bars.m_bKangJian = 0;
    EXPECT_EQ(bars.ResetResults(), 1);
    EXPECT_EQ(bars.m_fMaxAsNei + bars.m_fMaxAsWai + bars.m_fMaxAv, 0);
    EXPECT_EQ(bars.m_bKangJian, 1);
}

const std::string kWater =
    "    内水压力水头：                \t\t6.000(m)\n"
    "    外水压力水头：                \t\t2.000(m)\n"
    "    外水压力折减系数(β)：        \t\t0.400\n";

CHeZaiCanShu Loads() {
    CHeZaiCanShu h;
    h.m_fDiCe = 1;
    h.m_fDiZhong = 2;
    h.m_fDiYou = 3;
    h.m_fCeShang = 12.5f;
    h.m_fCeXia = 30.25f;
    h.m_fYouShang = 4;
    h.m_fYouXia = 5;
    h.m_fDingYou = 80;
    h.m_fWaiShuiTou = 2;
    h.m_fQiTaGuanJiang = 15;
    h.m_fQiDianJuLi = 0.5f;
    return h;
}

TEST(LiningReports, LoadParametersOfASectionWithoutSupports) {
    const CHeZaiCanShu h = Loads();
    const std::string text = Written([&](std::FILE* fp) { EXPECT_EQ(h.WriteCanShu(fp, 0, 1, 0), 0); });
    EXPECT_EQ(text,
              "\n[ 荷载参数 ]\n\n"
              "    底部山岩压力(侧)：            \t\t1.000(kN/m)\n"
              "    底部山岩压力(中)：            \t\t2.000(kN/m)\n"
              "    侧向山岩压力(上)：            \t\t12.500(kN/m)\n"
              "    侧向山岩压力(下)：            \t\t30.250(kN/m)\n"
              "    顶部山岩压力(侧)：            \t\t70.000(kN/m)\n"
              "    顶部山岩压力(中)：            \t\t70.000(kN/m)\n" +
                  kWater +
                  "    顶拱灌浆压力：                \t\t20.000(kPa)\n"
                  "    顶拱灌浆压力作用范围角：      \t\t60.000(度)\n"
                  "    其它段灌浆压力：              \t\t15.000(kPa)\n"
                  "    衬砌容重：                    \t\t24.000(kN/m3)\n");
    EXPECT_EQ(h.WriteCanShu(nullptr, 0, 1, 0), -1);
}

TEST(LiningReports, LoadParametersWithSupportsAndSymmetricLoads) {
    const CHeZaiCanShu h = Loads();
    const std::string text = Written([&](std::FILE* fp) { h.WriteCanShu(fp, 1, 0, 1); });
    EXPECT_EQ(text,
              "\n[ 荷载参数 ]\n\n"
              "    顶部山岩压力(侧)：            \t\t70.000(kN/m)\n"
              "    顶部山岩压力(中)：            \t\t70.000(kN/m)\n"
              "    侧向山岩压力(上)：            \t\t12.500(kN/m)\n"
              "    侧向山岩压力(下)：            \t\t    30.250(kN/m)\n" +
                  kWater +
                  "    顶板灌浆压力：                \t\t20.000(kPa)\n"
                  "    顶板灌浆压力作用起点距离：    \t\t0.500(m)\n"
                  "    衬砌容重：                    \t\t24.000(kN/m3)\n");
}

TEST(LiningReports, LoadParametersWithSupportsAndUnsymmetricLoadsGiveBothSides) {
    CHeZaiCanShu h = Loads();
    h.m_bDuiCheng = 0;
    const std::string text = Written([&](std::FILE* fp) { h.WriteCanShu(fp, 1, 1, 0); });
    EXPECT_EQ(text.substr(0, text.find("    内水")),
              "\n[ 荷载参数 ]\n\n"
              "    侧向山岩压力(左下)：          \t\t30.250(kN/m)\n"
              "    侧向山岩压力(左上)：          \t\t12.500(kN/m)\n"
              "    顶部山岩压力(左)              \t\t70.000(kN/m)\n"
              "    顶部山岩压力(中)              \t\t70.000(kN/m)\n"
              "    顶部山岩压力(右)              \t\t80.000(kN/m)\n"
              "    侧向山岩压力(右上)：          \t\t4.000(kN/m)\n"
              "    侧向山岩压力(右下)：          \t\t5.000(kN/m)\n");
}

const std::string kZuHeHead = "\t编号 \t荷载名称 \t是否计算 \t分项系数 \n";

TEST(LiningReports, CombinationTableWithoutSeismicActionEndsAtItemEight) {
    CHeZaiZuHe table;
    table.m_Items[2].m_bJiSuan = 0;
    const std::string text = Written([&](std::FILE* fp) { EXPECT_EQ(table.WriteCanShu(fp, 0, 0), 1); });
    EXPECT_EQ(text, kZuHeHead +
                        "\t  1 \t衬砌自重 \t   √ \t        1.05 \n"
                        "\t  2 \t顶岩压力 \t   √ \t        1.05 \n"
                        "\t  3 \t底岩压力 \t   〤 \t        1.05 \n"
                        "\t  4 \t侧岩压力 \t   √ \t        1.05 \n"
                        "\t  5 \t内水压力 \t   √ \t        1.20 \n"
                        "\t  6 \t外水压力 \t   √ \t        1.20 \n"
                        "\t  7 \t顶部灌浆压力 \t   √ \t        1.20 \n"
                        "\t  8 \t其余灌浆压力 \t   √ \t        1.20 \n"
                        "\n");
    EXPECT_EQ(table.WriteCanShu(nullptr, 0, 0), -1);
}

TEST(LiningReports, CombinationTableWithSeismicActionAddsItsRow) {
    CHeZaiZuHe table;
    const std::string off = Written([&](std::FILE* fp) { table.WriteCanShu(fp, 0, 0); });
    const std::string on = Written([&](std::FILE* fp) { table.WriteCanShu(fp, 0, 1); });
    EXPECT_EQ(on, off.substr(0, off.size() - 1) + "\t  9 \t地震作用力 \t   √ \t        1.20 \n\n");
}

}  // namespace
