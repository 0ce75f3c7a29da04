#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "base/error.h"
#include "codes/gangjin.h"
#include "members/slabwall/mkqjs_calc.h"
#include "support/edition_guard.h"

namespace {

struct Line {
    int code;
    std::string text;
};

// A calculation object on its own data and result objects, the lines it sends
// kept.
struct Frame {
    CMkqJsData data;
    CMkqResult result;
    CMkqJiSuan calc;
    std::vector<Line> lines;
    kv::err::Sink old;

    Frame() {
        calc.m_pData = &data;
        calc.m_pResult = &result;
        old = kv::err::SetSink([this](int code, const std::string& text) { lines.push_back({code, text}); });
        JS_ERROR_CODE = 0;
    }
    ~Frame() {
        kv::err::SetSink(std::move(old));
        JS_ERROR_CODE = 0;
    }
    std::string Text() const {
        std::string all;
        for (const Line& l : lines) all += l.text;
        return all;
    }
};

// The arched door's left side with a 100 × 100 bevel and the leaf on it.
void ArchedLeft(CMkqJsData& d, float L1) {
    d.DoorType = 1;
    MkqSide& s = d.Side[0];
    s.dx = s.dy = 100;
    s.L1 = L1;
}

TEST(MkqCheck, LoadsReachingTheTipPassAndOneMillimetreBeyondIsNamed) {
    struct Case {
        int door, side;
        float L1, L2;  // with L = 900
        int ok;
        const char* line;
    };
    const Case cases[] = {
        {0, 0, 900, 800, 1, nullptr},
        {0, 3, 867, 900, 1, nullptr},
        {0, 1, 867, 901, 0, "    右 均布荷载作用范围超出悬挑长度！\n"},
        {0, 2, 901, 800, 0, "    上 集中荷载作用范围超出悬挑长度！\n"},
        {1, 0, 901, 800, 0, "    左 集中荷载作用范围超出悬挑长度！\n"},
        {1, 3, 950, 800, 1, nullptr},  // the arched door's top and bottom carry the leaf beyond the tip
        {1, 2, 867, 901, 0, "    上 均布荷载作用范围超出悬挑长度！\n"},
        // The leaf at the tip of an arched door's side without a chamfer: no direction to lean in.
        {1, 0, 900, 800, 0, "    左 斜角Dx、Dy 必须大于 0！\n"},
        {1, 2, 900, 800, 1, nullptr},
    };
    for (const Case& c : cases) {
        Frame f;
        f.data.DoorType = c.door;
        f.data.Side[c.side].L1 = c.L1;
        f.data.Side[c.side].L2 = c.L2;
        EXPECT_EQ(f.calc.CheckData(), c.ok) << c.door << " " << c.side;
        if (c.ok) {
            EXPECT_TRUE(f.lines.empty());
        } else {
            ASSERT_EQ(f.lines.size(), 1u);
            EXPECT_EQ(f.lines[0].code, kv::err::kFailure);
            EXPECT_EQ(f.lines[0].text, std::string("注意：\n") + c.line);
        }
    }
}

TEST(MkqCheck, EverySideThatFailsIsListedInOneMessage) {
    Frame f;
    f.data.Side[0].L2 = 950;
    f.data.Side[0].L1 = 950;
    f.data.Side[3].L1 = 901;
    EXPECT_EQ(f.calc.CheckData(), 0);
    ASSERT_EQ(f.lines.size(), 1u);
    EXPECT_EQ(f.lines[0].text,
              "注意：\n    左 均布荷载作用范围超出悬挑长度！\n    左 集中荷载作用范围超出悬挑长度！\n"
              "    下 集中荷载作用范围超出悬挑长度！\n");
}

TEST(MkqForces, DefaultFlatSideByHand) {
    kv::test::EditionGuard edition(2010);
    Frame f;
    ASSERT_EQ(f.calc.JiSuan(), 1);
    // qi = 1000 N/mm at L1 = 867, qe = 150 kPa over L2 = 800, h = 600:
    // Qv = 1000 + 0.8·150 = 1120, M = 1000·0.867 + 150·0.8²/2 = 915,
    // C = 915/1120, a = (867 + 48)/1120 m.
    for (const MkqSideResult& r : f.result.Side) {
        EXPECT_EQ(r.Qh, 0.0f);
        EXPECT_FLOAT_EQ(r.Qv, 1120.0f);
        EXPECT_NEAR(r.M, 915.0f, 1e-3);
        EXPECT_NEAR(r.C, 0.81696f, 1e-5);
        EXPECT_NEAR(r.A, 816.96f, 1e-2);
        EXPECT_FLOAT_EQ(r.Hh, 300.0f);
        EXPECT_EQ(r.CheckKind, 0);  // C/h0 = 0.817/0.565 > 1
    }
    EXPECT_TRUE(f.lines.empty());
}

TEST(MkqForces, AHorizontalForceBelowOneThousandthIsZero) {
    struct Case {
        float Ti, Qh;
    };
    for (const Case& c : {Case{0.0005f, 0.0f}, Case{-0.0009f, 0.0f}, Case{0.002f, 0.002f}}) {
        Frame f;
        MkqSide& s = f.data.Side[1];
        s.qi = 0;  // the leaf's own horizontal part would not be exactly zero
        s.Ti = c.Ti;
        ASSERT_EQ(f.calc.CalNeiLi(), 1);
        EXPECT_EQ(f.result.Side[1].Qh, c.Qh) << c.Ti;
    }
}

TEST(MkqForces, ArchedSideTakesTheBevelFromItsStartOn) {
    struct Case {
        float L1;
        float beta;  // direction of the leaf's load
        float hh;
    };
    const float slope45 = std::atan(1.0f);
    const Case cases[] = {
        {799, 1.5707964f, 300},      // before the bevel: straight down, at the centroid
        {800, slope45, 300},         // L1 = L − dx: on the bevel
        {850, slope45, 300 - 50.0f},  // half way down the bevel: 50 mm below the face
    };
    for (const Case& c : cases) {
        Frame f;
        ArchedLeft(f.data, c.L1);
        float M = 0, Qv = 0, Qh = 0;
        ASSERT_EQ(f.calc.CalSideForce(0, 0, M, Qv, Qh), 1);
        const float qh = 1000 * std::cos(c.beta), qv = 1000 * std::sin(c.beta);
        EXPECT_NEAR(Qh, qh, 1e-3) << c.L1;
        EXPECT_NEAR(Qv, qv + 120, 1e-3) << c.L1;
        EXPECT_NEAR(f.result.Side[0].Hh, c.hh, 1e-3) << c.L1;
        EXPECT_NEAR(M, qv * c.L1 / 1000 + 48 - c.hh * qh / 1000, 1e-3) << c.L1;
    }
}

TEST(MkqForces, FlatDoorIgnoresTheBevel) {
    Frame f;
    f.data.Side[0].dx = f.data.Side[0].dy = 300;
    f.data.Side[0].L1 = 880;
    ASSERT_EQ(f.calc.CalNeiLi(), 1);
    const MkqSideResult& r = f.result.Side[0];
    EXPECT_EQ(r.Qh, 0.0f);
    EXPECT_FLOAT_EQ(r.Qv, 1120.0f);
    EXPECT_FLOAT_EQ(r.Hh, 300.0f);
}

TEST(MkqForces, PositionOutsideTheCantileverOrABadSideGivesNothing) {
    Frame f;
    float M = 1, Qv = 1, Qh = 1;
    EXPECT_EQ(f.calc.CalSideForce(4, 0, M, Qv, Qh), 0);
    EXPECT_EQ(f.calc.CalSideForce(0, 901, M, Qv, Qh), 0);
    EXPECT_EQ(M + Qv + Qh, 0.0f);
    EXPECT_EQ(f.calc.CalSideForce(0, -1, M, Qv, Qh), 0);
    // Past the uniform load only the leaf's load is left.
    ASSERT_EQ(f.calc.CalSideForce(0, 820, M, Qv, Qh), 1);
    EXPECT_FLOAT_EQ(Qv, 1000);
    EXPECT_NEAR(M, 47.0f, 1e-3);
    // A side that cannot be computed stops the run.
    f.data.Side[2].L = -1;
    EXPECT_EQ(f.calc.JiSuan(), 0);
    ASSERT_FALSE(f.lines.empty());
    EXPECT_EQ(f.lines.back().text, "内力计算失败！");
}

TEST(MkqForces, CheckKindOfEachDoorAndSide) {
    struct Case {
        int door, side;
        float cOverH0, gammaFc, q, z;
        int kind;
    };
    const Case cases[] = {
        {0, 0, 1.0001f, 0, 0, 0, 0},  // a long side is a cantilever
        {0, 0, 1.0f, 0, 0, 0, 1},     // C/h0 exactly 1 is a corbel
        {0, 3, 0.5f, 0, 0, 0, 1},
        {1, 2, 2.0f, 21.45f, 1000, 100, 0},  // top and bottom of an arched door as a flat one
        {1, 3, 1.0f, 21.45f, 1000, 100, 1},
        {1, 0, 5.0f, 21.45f, 1000, -10, 1},  // z < 0: q/z negative, the strength test passes
        {1, 1, 5.0f, 21.45f, 1000, 0, 2},    // z = 0: an infinite q/z fails it
        {1, 0, 5.0f, 21.45f, 1000, 50, 2},   // 20 000 > 21.45
        {1, 1, 0.1f, 21.45f, 10, 1000, 1},   // 10 < 21.45
    };
    for (const Case& c : cases)
        EXPECT_EQ(MkqCheckKind(c.door, c.side, c.cOverH0, c.gammaFc, c.q, c.z), c.kind)
            << c.door << " " << c.side << " " << c.z;
}

TEST(MkqForces, ArchedLeftSideWithItsResultantInsideTheRootIsACorbel) {
    kv::test::EditionGuard edition(2010);
    Frame f;
    ArchedLeft(f.data, 850);
    ASSERT_EQ(f.calc.CalNeiLi(), 1);
    // Qh = Qv − 120 = 707.1; a = (707.1·0.85 + 48)/827.1 m = 784.7 mm, the load
    // point 50 mm down the bevel. The line of action (1, 1.1697) per unit
    // leftwards passes right of the root corner K = (0, −600): z < 0.
    const MkqSideResult& r = f.result.Side[0];
    EXPECT_NEAR(r.A, 784.7f, 0.1f);
    const float qh = 707.10678f, qv = 827.10678f, a = r.A, yP = -50.0f;
    const float zHand = -(qv * a - qh * (600 + yP)) / std::sqrt(qh * qh + qv * qv);
    EXPECT_NEAR(r.Z, zHand, 0.05f);
    EXPECT_LT(r.Z, 0);
    EXPECT_EQ(r.CheckKind, 1);

    // A large horizontal force turns the line outside the root: z > 0, and
    // 1000·q/z far above γd·fc fails the strength test.
    f.data.Side[0].Ti = 2000;
    ASSERT_EQ(f.calc.CalNeiLi(), 1);
    EXPECT_GT(f.result.Side[0].Z, 0);
    EXPECT_EQ(f.result.Side[0].CheckKind, 2);
}

TEST(MkqForces, ASideWithoutNormalForceIsReportedAndTheOthersAreDesigned) {
    kv::test::EditionGuard edition(2010);
    Frame f;
    f.data.Side[2].qi = 0;
    f.data.Side[2].qe = 0;
    f.data.Side[2].Ti = 50;
    MkqSideResult& top = f.result.Side[2];
    top.C = top.A = top.Z = 7;
    top.SectionOk = 1;
    ASSERT_EQ(f.calc.JiSuan(), 1);
    ASSERT_EQ(f.lines.size(), 1u);
    EXPECT_EQ(f.lines[0].code, kv::err::kDataError);
    EXPECT_NE(f.lines[0].text.find("上"), std::string::npos) << f.lines[0].text;
    EXPECT_EQ(top.Qv, 0.0f);
    EXPECT_EQ(top.C, 0.0f);
    EXPECT_EQ(top.A, 0.0f);
    EXPECT_EQ(top.Z, 0.0f);
    EXPECT_EQ(top.SectionOk, 0);  // not designed: marked as not met
    EXPECT_EQ(top.AsReq, 0.0f);
    EXPECT_STREQ(top.Bars[0], "D20@100");  // no bars chosen for it
    for (int i : {0, 1, 3}) {
        const MkqSideResult& r = f.result.Side[i];
        EXPECT_FLOAT_EQ(r.Qv, 1120.0f);
        EXPECT_TRUE(std::isfinite(r.C) && std::isfinite(r.Z));
        EXPECT_GT(r.AsReq, 0);
        EXPECT_EQ(r.SectionOk, 1);
    }
}

TEST(MkqDesign, DefaultFrameIsDesignedAsCantileversWithChosenBars) {
    kv::test::EditionGuard edition(2010);
    Frame f;
    ASSERT_EQ(f.calc.JiSuan(), 1);
    const MkqSideResult& r = f.result.Side[0];
    EXPECT_EQ(r.SectionOk, 1);
    EXPECT_EQ(r.BendState, 1);
    // The chosen bars give at least the required area.
    CGangJin bars;
    bars.m_nGrade = f.data.ZongJinGrade;
    ASSERT_EQ(bars.FromString(r.Bars[0]), 1) << r.Bars[0];
    EXPECT_GE(bars.Area(), r.AsReq);
    // Ties on a square grid: one bar per s × s gives at least the tie area per m².
    CGangJin ties;
    ties.m_nGrade = f.data.GuJinGrade;
    ASSERT_EQ(ties.FromString(r.Bars[2]), 1) << r.Bars[2];
    EXPECT_STREQ(r.Bars[2], r.Bars[3]);
    EXPECT_EQ(r.LaJinJianJuH, r.LaJinJianJuV);
    EXPECT_EQ(static_cast<float>(ties.m_nSpacing), r.LaJinJianJuH);
    EXPECT_GE(3.1415927f * ties.m_nDiameter * ties.m_nDiameter / 4 * 1e6f / (r.LaJinJianJuH * r.LaJinJianJuH),
              r.AsvReq);
    EXPECT_EQ(std::string(r.Bars[4]), "D16@" + std::to_string(static_cast<int>(r.LaJinJianJuH)));
    EXPECT_STREQ(r.Bars[4], r.Bars[5]);
}

// A short, deep side is a corbel: its steel, its height check and its ties are
// the corbel's, not a cantilever's.
TEST(MkqDesign, ACorbelSideIsDesignedAsACorbel) {
    kv::test::EditionGuard edition(2010);
    Frame f;
    MkqSide& s = f.data.Side[0];
    s.L = 300, s.L1 = 267, s.L2 = 200, s.h = 1000, s.qi = 4000;
    ASSERT_EQ(f.calc.JiSuan(), 1);
    const MkqSideResult& r = f.result.Side[0];
    ASSERT_EQ(r.CheckKind, 1);
    // qv 4030 N/mm, M 1071 kN·m/m, a = 265.76 mm (265 to the design), h0 965,
    // fyd 405 (HRB335): As = 1000·qv·a/(0.85·fyd·h0) = 3214.8 mm²/m (a
    // cantilever would need 2816).
    EXPECT_NEAR(r.A, 265.76f, 0.01f);
    EXPECT_NEAR(r.AsReq, 3214.8f, 0.5f);
    EXPECT_EQ(r.BendState, 1);
    // k·a = 4030/(2.145·0.8) = 2348.5: the root needs 1621 mm, it has 1000.
    EXPECT_EQ(r.SectionOk, 0);
    // Detailing ties: 0.24·2.145/405 of a square metre of wall.
    EXPECT_EQ(r.ShearState, 2);
    EXPECT_NEAR(r.AsvReq, 1271.1f, 0.5f);
    // The other sides stay cantilevers.
    EXPECT_EQ(f.result.Side[1].CheckKind, 0);
    EXPECT_EQ(f.result.Side[1].SectionOk, 1);
}

TEST(MkqDesign, TieSpacingAndDiameter) {
    struct Case {
        int grade, optimal;
        float area;  // mm²/m²
        float spacing, diameter;
    };
    const float d20 = std::sqrt(3.1415927f * 400 / 4 * 1e6f / 1e6f);  // exact spacing of d20 for 1e6 mm²/m²
    const Case cases[] = {
        {1, 8, 0, 300, 8},       // nothing needed: the largest standard spacing
        {1, 8, 1530, 180, 8},    // exact 181.3 → 180
        {1, 8, 20000, 75, 12},   // d8 50.1 and d10 62.7 fall below 70; d12 75.2 → 75
        {1, 20, 1e6f, d20, 20},  // the largest diameter keeps its exact spacing
        {1, 25, 1e6f, d20, 20},  // an optimal diameter beyond the list ends on its largest
    };
    for (const Case& c : cases) {
        float s = -1, d = -1;
        MkqSelectTies(c.grade, c.optimal, c.area, s, d);
        EXPECT_NEAR(s, c.spacing, 1e-3) << c.optimal << " " << c.area;
        EXPECT_EQ(d, c.diameter) << c.optimal << " " << c.area;
    }
}

}  // namespace
