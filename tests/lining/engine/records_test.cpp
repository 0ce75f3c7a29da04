// The lining's shared records in the data file: round trips, short and damaged
// lines, the bounded bar texts and the seismic terms.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "lining/engine/canshu.h"
#include "lining/engine/hezai.h"
#include "lining_text.h"

using kv::test::TextFile;
using kv::test::Written;

namespace {

TEST(LiningRecords, SeismicRecordReadsBackWhatItWrote) {
    CDiZhenCanShu written;
    written.m_bDiZhen = 1;
    written.m_fBanJing = 4.5f;
    written.m_fXiShu = 0.2f;
    written.m_fZhouQi = 0.35f;
    written.m_fBoSuP = 1200.0f;
    written.m_fBoSuS = 650.5f;
    const std::string text = Written([&](std::FILE* fp) { EXPECT_EQ(written.SaveData(fp), 1); });
    EXPECT_EQ(text, "1,4.500000,0.200000,0.350000,1200.000000,650.500000\n");
    CDiZhenCanShu read;
    EXPECT_EQ(read.LoadData(TextFile(text)), 1);
    EXPECT_EQ(read.m_bDiZhen, 1);
    EXPECT_FLOAT_EQ(read.m_fBanJing, 4.5f);
    EXPECT_FLOAT_EQ(read.m_fXiShu, 0.2f);
    EXPECT_FLOAT_EQ(read.m_fZhouQi, 0.35f);
    EXPECT_FLOAT_EQ(read.m_fBoSuP, 1200.0f);
    EXPECT_FLOAT_EQ(read.m_fBoSuS, 650.5f);
    EXPECT_EQ(read.LoadData(nullptr), 0);
    EXPECT_EQ(read.SaveData(nullptr), 0);
}

TEST(LiningRecords, BasicRecordKeepsTheServiceabilityFactorLast) {
    CJiBenCanShu written;
    written.m_nGuiFan = 1;
    written.m_fGamma0 = 1.1f;
    written.m_fGamma0S = 0.9f;
    written.m_nZuHeShu = 3;
    written.m_fOuRan = 0.8f;
    const std::string text = Written([&](std::FILE* fp) { written.SaveData(fp); });
    EXPECT_EQ(text, "1,1.100000,3,1.000000,0.950000,0.800000,0.900000\n");
    CJiBenCanShu read;
    EXPECT_EQ(read.LoadData(TextFile(text)), 1);
    EXPECT_EQ(read.m_nGuiFan, 1);
    EXPECT_FLOAT_EQ(read.m_fGamma0, 1.1f);
    EXPECT_EQ(read.m_nZuHeShu, 3);
    EXPECT_FLOAT_EQ(read.m_fOuRan, 0.8f);
    EXPECT_FLOAT_EQ(read.m_fGamma0S, 0.9f);
}

TEST(LiningRecords, ReinforcementRecordKeepsItsBlankAllFourteenValuesAndBothBarTexts) {
    CPeiJinCanShu written;
    written.m_szNeiCe = "10D25";
    written.m_szWaiCe = "D16@150";
    written.m_bGuJin = 0;
    written.m_bLieFeng = 0;
    written.m_bDuiCheng = 0;
    written.m_nHunNingTu = 30;
    written.m_nZongJin = 3;
    written.m_nGuJinJiBie = 2;
    written.m_fGuJinJianJu = 200;
    written.m_fTiaoZheng = 1.1f;
    written.m_fAs = 55;
    written.m_fLieFengXianZhi = 0.25f;
    written.m_fBaoHuCeng = 40;
    written.m_fXiShu2 = 0.75f;
    written.m_nXiaoYingZuHe = 1;
    written.m_nKangZhenDengJi = 2;
    const std::string text = Written([&](std::FILE* fp) { EXPECT_EQ(written.SaveData(fp), 1); });
    EXPECT_EQ(text,
              "10D25\nD16@150\n"
              "0,0,0,30,3,2 200.000000,1.100000,55.000000,0.250000,40.000000,0.750000,1,2\n");
    CPeiJinCanShu read;
    EXPECT_EQ(read.LoadData(TextFile(text)), 1);
    EXPECT_EQ(read.m_szNeiCe, "10D25");
    EXPECT_EQ(read.m_szWaiCe, "D16@150");
    const int ints[] = {read.m_bGuJin, read.m_bLieFeng, read.m_bDuiCheng, read.m_nHunNingTu, read.m_nZongJin,
                        read.m_nGuJinJiBie, read.m_nXiaoYingZuHe, read.m_nKangZhenDengJi};
    const int wantInts[] = {0, 0, 0, 30, 3, 2, 1, 2};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(ints[k], wantInts[k]) << "integer " << k;
    const float floats[] = {read.m_fGuJinJianJu, read.m_fTiaoZheng, read.m_fAs,
                            read.m_fLieFengXianZhi, read.m_fBaoHuCeng, read.m_fXiShu2};
    const float wantFloats[] = {200, 1.1f, 55, 0.25f, 40, 0.75f};
    for (int k = 0; k < 6; ++k) EXPECT_FLOAT_EQ(floats[k], wantFloats[k]) << "value " << k;
}

TEST(LiningRecords, BarTextsAreReadBoundedAndALongerTextIsRefused) {
    struct Case {
        const char* what;
        std::string text;
        bool taken;
    } cases[] = {
        {"99 bytes", std::string(99, '1'), true},
        {"100 bytes", std::string(100, '1'), false},
        {"49 two-byte characters", [] { std::string s; for (int i = 0; i < 49; ++i) s += "筋"; return s; }(), true},
        {"50 two-byte characters", [] { std::string s; for (int i = 0; i < 50; ++i) s += "筋"; return s; }(), false},
        {"a line of 280 bytes", std::string(280, '2'), false},
    };
    for (const auto& c : cases) {
        CPeiJinCanShu read;
        read.LoadData(TextFile(c.text + "\n" + c.text + "\n1,1,1,25,2,1 1000,1,65,0.4,50,1,0,0\n"));
        EXPECT_EQ(read.m_szNeiCe, c.taken ? c.text : "12d20") << c.what;
        EXPECT_EQ(read.m_szWaiCe, c.taken ? c.text : "12d20") << c.what;
        // The values line after the bar texts is read all the same.
        EXPECT_FLOAT_EQ(read.m_fGuJinJianJu, 1000) << c.what;
    }
}

TEST(LiningRecords, AShortOrMalformedLineKeepsTheFieldsAfterTheFirstMismatch) {
    CDiZhenCanShu seismic;
    seismic.LoadData(TextFile("1,2.5,x,0.3,9,9\n"));
    EXPECT_EQ(seismic.m_bDiZhen, 1);
    EXPECT_FLOAT_EQ(seismic.m_fBanJing, 2.5f);
    EXPECT_FLOAT_EQ(seismic.m_fXiShu, 0.1f);
    EXPECT_FLOAT_EQ(seismic.m_fZhouQi, 0.2f);
    EXPECT_FLOAT_EQ(seismic.m_fBoSuS, 500.0f);

    // A value too large to be written back within a line counts as a mismatch.
    CDiZhenCanShu huge;
    huge.LoadData(TextFile("1,2.5,1e16,0.3,9,9\n"));
    EXPECT_FLOAT_EQ(huge.m_fBanJing, 2.5f);
    EXPECT_FLOAT_EQ(huge.m_fXiShu, 0.1f);
    EXPECT_FLOAT_EQ(huge.m_fZhouQi, 0.2f);

    CPeiJinCanShu bars;
    bars.LoadData(TextFile("8d18\n8d18\n0,0,1,30\n"));
    EXPECT_EQ(bars.m_bGuJin, 0);
    EXPECT_EQ(bars.m_nHunNingTu, 30);
    EXPECT_EQ(bars.m_nZongJin, 2);
    EXPECT_FLOAT_EQ(bars.m_fGuJinJianJu, 1000);

    CHeZaiCanShu loads;
    loads.LoadData(TextFile("0\n1,2,3\n"));
    EXPECT_EQ(loads.m_bDuiCheng, 0);
    EXPECT_FLOAT_EQ(loads.m_fDiYou, 2);
    EXPECT_FLOAT_EQ(loads.m_fCeShang, 3);
    EXPECT_FLOAT_EQ(loads.m_fCeXia, 0);
    EXPECT_FLOAT_EQ(loads.m_fDingCe, 70);
    EXPECT_FLOAT_EQ(loads.m_fNeiShuiTou, 6);
    EXPECT_FLOAT_EQ(loads.m_fRongZhong, 24);
}

TEST(LiningRecords, LoadParametersReadBackWhatTheyWrote) {
    CHeZaiCanShu written;
    float* values[] = {&written.m_fDiCe,        &written.m_fDiZhong,     &written.m_fDiYou,
                       &written.m_fCeShang,     &written.m_fCeXia,       &written.m_fYouShang,
                       &written.m_fYouXia,      &written.m_fDingCe,      &written.m_fDingZhong,
                       &written.m_fDingYou,     &written.m_fNeiShuiTou,  &written.m_fWaiShuiTou,
                       &written.m_fBeta,        &written.m_fQiTaGuanJiang, &written.m_fDingGuanJiang,
                       &written.m_fFanWeiJiao,  &written.m_fQiDianJuLi,  &written.m_fRongZhong};
    for (int k = 0; k < 18; ++k) *values[k] = 1.5f + k;
    written.m_bDuiCheng = 0;
    written.m_bZiZhong = 0;
    const std::string text = Written([&](std::FILE* fp) { EXPECT_EQ(written.SaveData(fp), 0); });
    EXPECT_EQ(text,
              "0\n1.500000,3.500000,4.500000,5.500000,6.500000,7.500000,8.500000,10.500000\n"
              "11.500000,12.500000,13.500000\n0,2.500000,9.500000\n"
              "14.500000,18.500000,15.500000,16.500000,17.500000\n");
    CHeZaiCanShu read;
    EXPECT_EQ(read.LoadData(TextFile(text)), 0);
    const CHeZaiCanShu& r = read;
    const float got[] = {r.m_fDiCe,       r.m_fDiZhong,    r.m_fDiYou,         r.m_fCeShang,       r.m_fCeXia,
                         r.m_fYouShang,   r.m_fYouXia,     r.m_fDingCe,        r.m_fDingZhong,     r.m_fDingYou,
                         r.m_fNeiShuiTou, r.m_fWaiShuiTou, r.m_fBeta,          r.m_fQiTaGuanJiang, r.m_fDingGuanJiang,
                         r.m_fFanWeiJiao, r.m_fQiDianJuLi, r.m_fRongZhong};
    for (int k = 0; k < 18; ++k) EXPECT_FLOAT_EQ(got[k], 1.5f + k) << "value " << k;
    EXPECT_EQ(read.m_bDuiCheng, 0);
    EXPECT_EQ(read.m_bZiZhong, 0);
    EXPECT_EQ(read.LoadData(nullptr), -1);
    EXPECT_EQ(read.SaveData(nullptr), -1);
}

TEST(LiningRecords, ACombinationTableAlwaysWritesNineItems) {
    CHeZaiZuHe written;
    written.m_strName = "组合A";
    written.m_fSheJiZhuangKuang = 0.95f;
    written.m_nZuHe[2] = 4;
    written.m_Items[3].m_bJiSuan = 0;
    written.m_Items[8].m_fFenXiang = 1.4f;
    written.m_Items[8].m_fChangQi = 0.5f;
    const std::string text = Written([&](std::FILE* fp) { EXPECT_EQ(written.SaveData(fp), 1); });
    EXPECT_EQ(text,
              "组合A\n0.950000,0,0,4,0,1\n"
              "0,1,1.050000,1.000000\n1,1,1.050000,1.000000\n2,1,1.050000,1.000000\n3,0,1.050000,1.000000\n"
              "4,1,1.200000,1.000000\n5,1,1.200000,1.000000\n6,1,1.200000,1.000000\n7,1,1.200000,1.000000\n"
              "8,1,1.400000,0.500000\n");
    CHeZaiZuHe read;
    EXPECT_EQ(read.LoadData(TextFile(text)), 1);
    EXPECT_EQ(read.m_strName, "组合A");
    EXPECT_FLOAT_EQ(read.m_fSheJiZhuangKuang, 0.95f);
    EXPECT_EQ(read.m_nZuHe[2], 4);
    EXPECT_EQ(read.m_Items[3].m_bJiSuan, 0);
    EXPECT_FLOAT_EQ(read.m_Items[8].m_fFenXiang, 1.4f);
    EXPECT_FLOAT_EQ(read.m_Items[8].m_fChangQi, 0.5f);
}

TEST(LiningRecords, ACountLineEndingOtherThanOneReadsEightItemsAndItemEightKeepsItsValues) {
    std::string text = "荷载组合\n1.000000,0,0,0,0,0\n";
    for (int j = 0; j < 8; ++j) text += std::to_string(j) + ",0,2.000000,0.700000\n";
    text += "8,0,9.000000,9.000000\n";  // not an item of this table
    CHeZaiZuHe read;
    read.LoadData(TextFile(text));
    for (int j = 0; j < 8; ++j) {
        EXPECT_EQ(read.m_Items[j].m_bJiSuan, 0) << j;
        EXPECT_FLOAT_EQ(read.m_Items[j].m_fFenXiang, 2.0f) << j;
    }
    EXPECT_EQ(read.m_Items[8].m_bJiSuan, 1);
    EXPECT_FLOAT_EQ(read.m_Items[8].m_fFenXiang, 1.2f);
    EXPECT_FLOAT_EQ(read.m_Items[8].m_fChangQi, 1.0f);
}

// Hand computation with the defaults (r 3 m, 0.1 g, T 0.2 s, 500 m/s both waves),
// E 23000 MPa and G = E / 2.4 (ν 0.2):
//   axial   0.1·9.81·0.2·23000 / (500·2π) · 1000 = 4512.6 / 3141.593 · 1000 = 1436.40
//   shear   0.1·9.81·0.2·9583.33 / (500·2π) · 1000 = 1880.25 / 3141.593 · 1000 = 598.50
//   bending 23000·(0.1·9.81·3) / 500² · 1000 = 67689 / 250000 · 1000 = 270.756
TEST(LiningRecords, SeismicTermsOfTheDefaultsMatchAHandComputation) {
    CDiZhenCanShu seismic;
    float forces[3] = {};
    EXPECT_EQ(seismic.CalForces(forces, 23000.0f, 23000.0f / 2.4f), 1);
    EXPECT_NEAR(forces[0], 1436.40, 0.01);
    EXPECT_NEAR(forces[1], 598.50, 0.01);
    EXPECT_NEAR(forces[2], 270.756, 0.001);
}

TEST(LiningRecords, AShearWaveAtRestIsRaisedInTheRecordAndReported) {
    CDiZhenCanShu seismic;
    seismic.m_fBoSuS = 0;
    float forces[3] = {};
    EXPECT_EQ(seismic.CalForces(forces, 23000.0f, 23000.0f / 2.4f), 0);
    EXPECT_EQ(seismic.m_fBoSuS, 0.00001f);
    EXPECT_EQ(seismic.m_fBoSuP, 500.0f);
    EXPECT_NEAR(forces[0], 1436.40, 0.01);  // the axial term keeps its wave
    EXPECT_TRUE(std::isfinite(forces[1]));
    EXPECT_NEAR(forces[2] / (270.756 * 2.5e15), 1.0, 1e-4);  // 500² / 0.00001² times larger
}

TEST(LiningRecords, IsSymmetricAsksEveryClause) {
    // Loads that are symmetric about both axes: equal top and bottom pressures, no
    // water, no weight, one grouting pressure all round.
    auto symmetric = [] {
        CHeZaiCanShu h;
        h.m_fDiCe = h.m_fDingCe = 50;
        h.m_fDiZhong = h.m_fDingZhong = 60;
        h.m_fCeShang = h.m_fCeXia = 30;
        h.m_fNeiShuiTou = 0;
        h.m_fWaiShuiTou = 0;
        h.m_bZiZhong = 0;
        h.m_fQiTaGuanJiang = h.m_fDingGuanJiang = 20;
        h.m_fFanWeiJiao = 90;
        return h;
    };
    ASSERT_EQ(symmetric().IsSymmetric(1, 90), 1);
    ASSERT_EQ(symmetric().IsSymmetric(0, 90), 1);
    struct Case {
        const char* what;
        void (*change)(CHeZaiCanShu&);
        int arch;
        int want;
    } cases[] = {
        {"top and bottom side pressures", [](CHeZaiCanShu& h) { h.m_fDiCe += 0.0001f; }, 1, 0},
        {"top and bottom middle pressures", [](CHeZaiCanShu& h) { h.m_fDingZhong = 61; }, 1, 0},
        {"upper and lower wall pressures", [](CHeZaiCanShu& h) { h.m_fCeXia = 31; }, 1, 0},
        {"an internal head of 0.00002 m", [](CHeZaiCanShu& h) { h.m_fNeiShuiTou = 0.00002f; }, 1, 0},
        {"a reduced external head", [](CHeZaiCanShu& h) { h.m_fWaiShuiTou = 5; h.m_fBeta = 0.1f; }, 1, 0},
        {"an external head reduced to nothing", [](CHeZaiCanShu& h) { h.m_fWaiShuiTou = 5; h.m_fBeta = 0; }, 1, 1},
        {"a counted self weight", [](CHeZaiCanShu& h) { h.m_bZiZhong = 1; }, 1, 0},
        {"a self weight not counted", [](CHeZaiCanShu& h) { h.m_fRongZhong = 24; }, 1, 1},
        {"two grouting pressures", [](CHeZaiCanShu& h) { h.m_fQiTaGuanJiang = 0; }, 1, 0},
        {"the grouting angle at the bound", [](CHeZaiCanShu& h) { h.m_fFanWeiJiao = 89.9995f; }, 1, 1},
        {"the grouting angle short of the arch", [](CHeZaiCanShu& h) { h.m_fFanWeiJiao = 89.998f; }, 1, 0},
        {"a short angle on a roof", [](CHeZaiCanShu& h) { h.m_fFanWeiJiao = 10; }, 0, 1},
        {"a roof grouting from 0.001 m", [](CHeZaiCanShu& h) { h.m_fQiDianJuLi = 0.001f; }, 0, 1},
        {"a roof grouting from 0.002 m", [](CHeZaiCanShu& h) { h.m_fQiDianJuLi = 0.002f; }, 0, 0},
    };
    for (const auto& c : cases) {
        CHeZaiCanShu h = symmetric();
        c.change(h);
        EXPECT_EQ(h.IsSymmetric(c.arch, 90), c.want) << c.what;
    }
}

}  // namespace
