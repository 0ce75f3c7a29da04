// The equivalent frame of the flat slab read back from its model file, and the
// punching record's inputs. Expected values are worked by hand from the cap and
// column sizes (see each case).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "fem/strut_layer_model.h"
#include "members/flatslab/wllg_data.h"
#include "members/flatslab/wllg_frm.h"
#include "support/work_folder.h"

namespace {

class FrameModel : public ::testing::Test {
protected:
    void SetUp() override {
        JS_ERROR_CODE = 0;
        work.MakeCurrent();
    }
    void TearDown() override { JS_ERROR_CODE = 0; }

    // Writes the model of `data` and reads every table back.
    std::unique_ptr<kv::fem::CJsBzData> Write(CWllgData& data) {
        EXPECT_EQ(data.WriteFrameModel(), 1);
        auto model = std::make_unique<kv::fem::CJsBzData>(kWllgModelFile);
        EXPECT_EQ(model->Read_All(), 1);
        return model;
    }

    kv::test::WorkFolder work;
    CWllgData data;
};

void ExpectSpans(const CWllgData& d, std::vector<float> spans, std::vector<float> left, std::vector<float> right) {
    ASSERT_EQ(d.m_pSpans.size(), spans.size());
    for (std::size_t i = 0; i < spans.size(); ++i) {
        EXPECT_NEAR(d.m_pSpans[i], spans[i], 1e-4) << "span " << i + 1;
        if (!left.empty()) {
            EXPECT_NEAR(d.m_pCapLeft[i], left[i], 1e-4) << "left cap edge " << i + 1;
        }
        if (!right.empty()) {
            EXPECT_NEAR(d.m_pCapRight[i], right[i], 1e-4) << "right cap edge " << i + 1;
        }
    }
}

// Defaults: cap 2000 wide and 400 thick over 800 columns. 400 < (2000 − 800)/2,
// so the interior cap reaches c = 400 + 400 = 800; without edge caps the spans
// lose 2/3·0.8 at each interior support: 6 − 0.5333, 6 − 1.0667, 8 − 0.5333. The
// cap edges lie r = 1.0 m from the column lines.
TEST_F(FrameModel, DefaultsGiveThreeSpansShortenedByTheInteriorCaps) {
    auto m = Write(data);
    EXPECT_EQ(m->m_nNetNode, 8);
    EXPECT_EQ(m->m_nNetLine, 7);
    EXPECT_EQ(m->m_nNodeYS, 4);
    EXPECT_EQ(m->m_nYaoLiang, 7);
    ExpectSpans(data, {5.46667f, 4.93333f, 7.46667f}, {1.0f, 0.46667f, 0.46667f}, {5.0f, 4.46667f, 6.46667f});

    // Column bases at y 0, the slab row at 4.2 − 0.4 (the cap below shortens the
    // lower columns); x accumulates the computing spans.
    const float x[4] = {0, 5.46667f, 10.4f, 17.86667f};
    for (int j = 0; j < 4; ++j) {
        EXPECT_NEAR(m->m_cNetNode[j].x, x[j], 1e-3);
        EXPECT_FLOAT_EQ(m->m_cNetNode[j].y, 0);
        EXPECT_NEAR(m->m_cNetNode[4 + j].x, x[j], 1e-3);
        EXPECT_NEAR(m->m_cNetNode[4 + j].y, 3.8f, 1e-5);
        EXPECT_EQ(m->m_cNetNode[j].second, j + 1000);
    }
    // Slab lines along the slab row, then the lower columns upwards.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m->m_cNetLine[i].start, 5 + i);
        EXPECT_EQ(m->m_cNetLine[i].end, 6 + i);
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(m->m_cNetLine[3 + i].start, 1 + i);
        EXPECT_EQ(m->m_cNetLine[3 + i].end, 5 + i);
        EXPECT_EQ(m->m_cNodeYS[i].node, 1 + i);
        EXPECT_EQ(m->m_cNodeYS[i].kind, 3);
        EXPECT_EQ(m->m_cNodeYS[i].fourth, 1000 + i);
    }
}

// q·b/1000 = 60·4.5 = 270 kN/m over each computing span; the edge columns carry
// 100·4.5 = 450 at their base falling to 30·4.5 = 135 at 4.2 m, the right one
// pushing the other way; interior columns carry nothing.
TEST_F(FrameModel, LoadsAreStripWideLineLoadsWithTheRightEdgeReversed) {
    auto m = Write(data);
    struct Want {
        int member;
        float v1, end, v2;
    } wants[] = {{0, 270, 5.46667f, 270}, {1, 270, 4.93333f, 270}, {2, 270, 7.46667f, 270},
                 {3, 450, 4.2f, 135},     {6, -450, 4.2f, -135}};
    for (const Want& w : wants) {
        const kv::fem::CJsLineGouJian& g = m->m_cYaoLiang[w.member];
        ASSERT_EQ(g.m_nLoad, 1) << w.member;
        EXPECT_EQ(g.m_cLoad[0].type, 8);
        EXPECT_EQ(g.m_cLoad[0].loadCase, 1);
        EXPECT_NEAR(g.m_cLoad[0].value[0], w.v1, 1e-3);
        EXPECT_FLOAT_EQ(g.m_cLoad[0].value[1], 0);
        EXPECT_NEAR(g.m_cLoad[0].value[2], w.end, 1e-4);
        EXPECT_NEAR(g.m_cLoad[0].value[3], w.v2, 1e-3);
    }
    EXPECT_EQ(m->m_cYaoLiang[4].m_nLoad, 0);
    EXPECT_EQ(m->m_cYaoLiang[5].m_nLoad, 0);
}

// Slab: kind 1 by h × b. Columns: kind 2 with Ec/10⁵ (C25: 2.80e4 → 0.28) and
// A/100, I/10⁴. Round D 600: A = π·600²/4 = 282743 mm², I = π·600⁴/64 =
// 6.3617e9 mm⁴. Rectangle 600 wide and 900 deep: A = 540000, I = 900³·600/12 =
// 3.645e10.
TEST_F(FrameModel, ColumnSectionsByAreaAndInertiaOfTheirShape) {
    data.m_nLeftRound = 1;
    data.m_nLeftColD = 600;
    data.m_nMidColB = 600;
    data.m_nMidColH = 900;
    auto m = Write(data);
    const kv::fem::CJsLineGouJian& slab = m->m_cYaoLiang[0];
    EXPECT_EQ(slab.sectionType, 1);
    EXPECT_EQ(slab.sixth, 25);
    EXPECT_FLOAT_EQ(slab.width, 400);
    EXPECT_FLOAT_EQ(slab.depth, 4500);
    const kv::fem::CJsLineGouJian& round = m->m_cYaoLiang[3];
    EXPECT_EQ(round.sectionType, 2);
    EXPECT_NEAR(round.value1, 0.28f, 1e-6);
    EXPECT_NEAR(round.alt1, 2827.43f, 0.01f);
    EXPECT_NEAR(round.alt2, 636172.5f, 64.0f) << "the model file keeps four digits";
    const kv::fem::CJsLineGouJian& rect = m->m_cYaoLiang[4];
    EXPECT_NEAR(rect.alt1, 5400.0f, 1e-3);
    EXPECT_NEAR(rect.alt2, 3.645e6f, 1.0f);
}

// Middle storey: three rows of four nodes; the upper columns run from the slab
// nodes 5..8 to the tops 9..12, which are fixed like the bases; the upper edge
// columns carry 50·4.5 = 225 at the slab over 1.5 m.
TEST_F(FrameModel, MiddleStoreyAddsUpperColumnsFixedAtTheirTops) {
    data.m_nMidStorey = 1;
    auto m = Write(data);
    EXPECT_EQ(m->m_nNetNode, 12);
    EXPECT_EQ(m->m_nNetLine, 11);
    EXPECT_EQ(m->m_nNodeYS, 8);
    EXPECT_EQ(m->m_nYaoLiang, 11);
    const int fixed[8] = {1, 2, 3, 4, 9, 10, 11, 12};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(m->m_cNodeYS[k].node, fixed[k]);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(m->m_cNetLine[7 + i].start, 5 + i);
        EXPECT_EQ(m->m_cNetLine[7 + i].end, 9 + i);
        EXPECT_NEAR(m->m_cNetNode[8 + i].y, 3.8f + 3.3f, 1e-5);
    }
    EXPECT_NEAR(m->m_cYaoLiang[7].m_cLoad[0].value[0], 225, 1e-3);
    EXPECT_NEAR(m->m_cYaoLiang[7].m_cLoad[0].value[2], 1.5f, 1e-6);
    EXPECT_NEAR(m->m_cYaoLiang[10].m_cLoad[0].value[0], -225, 1e-3);
    EXPECT_EQ(m->m_cYaoLiang[8].m_nLoad, 0);
}

TEST_F(FrameModel, CapAboveShortensTheUpperColumnsOnly) {
    data.m_nMidStorey = 1;
    data.m_ChongQie.m_nCapDown = 0;
    auto m = Write(data);
    EXPECT_NEAR(m->m_cNetNode[4].y, 4.2f, 1e-5);
    EXPECT_NEAR(m->m_cNetNode[8].y, 4.2f + 2.9f, 1e-5);
}

TEST_F(FrameModel, WithoutCapsSpansAndStoreysStayAndTinySpansAreKept) {
    data.m_ChongQie.m_nHasCap = 0;
    data.m_szSpans = "6 0.005";
    auto m = Write(data);
    ExpectSpans(data, {6.0f, 0.005f}, {}, {});
    EXPECT_NEAR(m->m_cNetNode[3].y, 4.2f, 1e-6);
}

// One span 6 m with edge caps: c = 800 at both ends, l0 = 6 − 2/3·1.6 = 4.9333,
// the edges at 1.0 − 0.5333 = 0.4667 and l0 − 0.4667. Without edge caps the span
// stays and the edges lie r = 1.0 from the column lines.
TEST_F(FrameModel, OneSpanTakesTheEdgeCapsOnlyWhenAsked) {
    data.m_szSpans = "6";
    data.m_nEdgeCap = 1;
    Write(data);
    ExpectSpans(data, {4.93333f}, {0.46667f}, {4.46667f});
    data.m_nEdgeCap = 0;
    Write(data);
    ExpectSpans(data, {6.0f}, {1.0f}, {5.0f});
}

// t = (2000 − 800)/2 = 600 reaches the comparison's equality: c = r = 1000 and
// the interior span loses 4/3 m.
TEST_F(FrameModel, CapThicknessOfHalfTheOverhangTakesTheNominalHalfWidth) {
    data.m_ChongQie.m_nCapThick = 600;
    Write(data);
    EXPECT_NEAR(data.m_pSpans[1], 6.0f - 4.0f / 3.0f, 1e-4);
    EXPECT_NEAR(data.m_pCapLeft[1], 1.0f - 2.0f / 3.0f, 1e-4);
}

// Two 1 m spans between edge caps of c = 800: l0 = 1 − 2/3·1.6 < 0.01 → 0.01;
// the right edge keeps the value of the unlimited span, −0.0667 − 0.4667.
TEST_F(FrameModel, ComputingSpanNeverFallsBelowOneCentimetreWithCaps) {
    data.m_szSpans = "1*2";
    data.m_nEdgeCap = 1;
    Write(data);
    ExpectSpans(data, {0.01f, 0.01f}, {0.46667f, 0.46667f}, {-0.53333f, -0.53333f});
}

TEST_F(FrameModel, RejectedSpanTextWritesNoModel) {
    data.m_szSpans = "*3";
    EXPECT_EQ(data.WriteFrameModel(), 0);
    EXPECT_NE(JS_ERROR_CODE, 0);
    EXPECT_FALSE(work.Exists(kWllgModelFile));
}

TEST(FillChongQie, SlabLengthAndLoadFromTheWidestPairOfSpans) {
    struct Case {
        const char* spans;
        int length;
        float load;
    } cases[] = {
        {"6 7", 6500, 66.0f},  // uneven
        {"6 6", 6000, 60.0f},
        {"6.5 6.5", 6500, 66.0f},  // over 6 m
        {"6", 6000, 60.0f},
        {"6.5", 6500, 66.0f},
        {"6 6 5 7", 6000, 60.0f},  // (6,6) and (5,7) tie at 6: the first is kept, even
        {"6 6 6.2 6.2", 6200, 66.0f},
        {"1e30", 2147483647, 66.0f},  // a length past the millimetre range stops at its end
    };
    for (const Case& c : cases) {
        CWllgData d;
        d.m_szSpans = c.spans;
        d.FillChongQie();
        EXPECT_EQ(d.m_ChongQie.m_nSlabLength, c.length) << c.spans;
        EXPECT_FLOAT_EQ(d.m_ChongQie.m_fLoad, c.load) << c.spans;
    }
}

TEST(FillChongQie, ColumnFromTheInteriorColumnOrTheOnlySpansLeftOne) {
    CWllgData d;
    d.m_nLeftColB = 500, d.m_nLeftColD = 510, d.m_nLeftColH = 520, d.m_nLeftRound = 1;
    d.m_nMidColB = 600, d.m_nMidColD = 610, d.m_nMidColH = 620;
    d.m_nStripWidth = 5000, d.m_nSlabThick = 350, d.m_nAs = 40, d.m_nConGrade = 30, d.m_nSteam = 1;
    d.FillChongQie();
    const CHONGQIE_JS_STRUCT& r = d.m_ChongQie;
    EXPECT_EQ(r.m_nColB, 600);
    EXPECT_EQ(r.m_nColD, 610);
    EXPECT_EQ(r.m_nColH, 620);
    EXPECT_EQ(r.m_nSquareCol, 1);
    EXPECT_EQ(r.m_nSlabWidth, 5000);
    EXPECT_EQ(r.m_nSlabThick, 350);
    EXPECT_FLOAT_EQ(r.m_fAs, 40.0f);
    EXPECT_EQ(r.m_nConGrade, 30);
    EXPECT_EQ(r.m_nSteam, 1);
    d.m_szSpans = "6";
    d.FillChongQie();
    EXPECT_EQ(r.m_nColB, 500);
    EXPECT_EQ(r.m_nColD, 510);
    EXPECT_EQ(r.m_nColH, 520);
    EXPECT_EQ(r.m_nSquareCol, 0);
}

TEST(FillChongQie, RejectedSpanTextKeepsTheSlabLength) {
    JS_ERROR_CODE = 0;
    CWllgData d;
    d.m_szSpans = "";
    d.m_nSlabThick = 300;
    d.FillChongQie();
    EXPECT_EQ(d.m_ChongQie.m_nSlabThick, 300);
    EXPECT_EQ(d.m_ChongQie.m_nSlabLength, 6000);
    JS_ERROR_CODE = 0;
}

}  // namespace
