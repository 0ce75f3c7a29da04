// The rectangular shell's engine: the table it chooses, its refusals, the forces
// of a point worked by hand, the reinforcement modes and the edge members from a
// made-up row of shears.
#include "members/shells/shell_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "design/pj_column.h"
#include "support/error_lines.h"
#include "support/message_recorder.h"

namespace {

std::vector<std::string> Boxes(const kv::test::MessageRecorder& shown) {
    std::vector<std::string> texts;
    for (const auto& s : shown.shown()) texts.push_back(s.text);
    return texts;
}

TEST(RectShell, DefaultShellTakesTableThreeAndGivesTheCentreForceByHand) {
    kv::test::MessageRecorder shown;
    CRectBqData d;
    EXPECT_EQ(d.ChooseTable(0.2f), 3);
    d.Calculate();
    EXPECT_TRUE(shown.shown().empty());
    ASSERT_EQ(d.calc_ok, 1);
    EXPECT_NEAR(d.sphere_radius, 8.1, 1e-5);  // (18 + 1.44) / 2.4
    EXPECT_EQ(d.point_count, 36);
    const CRectBqRecord& centre = d.points[30];
    EXPECT_EQ(centre.no, 31);
    // −24.16 · 6² · 198.2 · 0.001 / 0.2
    EXPECT_NEAR(centre.Nx, -861.932, 0.01);
    EXPECT_EQ(centre.Nx, centre.Ny);
    EXPECT_FLOAT_EQ(centre.Alfa, -0.7853982f);
    EXPECT_NEAR(centre.Mx, 0.12 * 36 * 198.2 * 0.001, 1e-4);
    // Thickness 0.2 m at the centre: σ = N / (1000 h).
    EXPECT_NEAR(centre.sigma2, -861.932 / 200, 1e-3);
    // −0.1725 · 6⁴ · 198.2 · 0.001 / D, D = 0.2³ · 1.2 · Ec(C40) / 12 / (1 − ν²)
    EXPECT_NEAR(centre.OMiGa, -0.1725 * 1296 * 198.2 * 0.001 / (0.008 * 1.2 * 32500 / 12 / 0.9722222), 1e-4);
}

TEST(RectShell, ThicknessConstantOutToTheCornersStaysTheTopThickness) {
    // r_const = the half diagonal, which rounding puts a hair short of the corner.
    const float half = 1.36f / 2, diagonal = std::sqrt(half * half + half * half);
    CRectBqRecord corner;
    corner.no = 6;
    EXPECT_EQ(corner.Thickness(1.36f, 1.36f, diagonal, 0.2f, 0.4f, 36), 0.2f);
}

TEST(RectShell, TableChoiceFollowsTheRiseAndSideRatios) {
    struct Case {
        float b, f_over_t;
        int table, points;
    } cases[] = {
        {6.0f, 6.0f, 3, 36},    {7.23f, 6.0f, 8, 42},  // b/a 1.205
        {7.29f, 6.0f, -1, 36},  // b/a 1.215: no side ratio, the count stays
        {6.0f, 6.1f, 3, 36},    {7.2f, 6.2f, -1, 42},  // the count set although f/t fails
        {9.6f, 10.0f, 20, 54},  {5.4f, 6.0f, -1, 36},  // a longer than b
    };
    for (const Case& c : cases) {
        CRectBqData d;
        d.b = c.b;
        d.f = c.f_over_t * 0.2f;
        EXPECT_EQ(d.ChooseTable(0.2f), c.table) << c.b << " " << c.f_over_t;
        EXPECT_EQ(d.point_count, c.points) << c.b << " " << c.f_over_t;
        EXPECT_EQ(d.points[c.points - 1].no, c.points);
    }
}

TEST(RectShell, RefusalsShowTheirBoxesAndLeaveNoValidResult) {
    struct Case {
        const char* what;
        void (*change)(CRectBqData&);
        std::vector<std::string> boxes;
    } cases[] = {
        {"f/a 0.205", [](CRectBqData& d) { d.f = 1.23f, d.t_top = 205; }, {}},
        {"f/a 0.22", [](CRectBqData& d) { d.f = 1.32f, d.t_top = 220; }, {"本软件不适合这种扁壳"}},
        {"thin bottom", [](CRectBqData& d) { d.t_bottom = 150; }, {"壳底厚度小于壳顶厚度!", "本软件不适合这种扁壳"}},
        {"equal thickness", [](CRectBqData& d) { d.t_bottom = 200; }, {}},
        {"b/a 1.215", [](CRectBqData& d) { d.b = 7.29f; }, {"无表文件", "无表文件!"}},
        {"f/t 6.2", [](CRectBqData& d) { d.f = 1.24f; }, {"无表文件", "无表文件!"}},
        {"a > b", [](CRectBqData& d) { d.a = 6.6f; }, {"无表文件", "无表文件!"}},
        {"no rise", [](CRectBqData& d) { d.f = 0; }, {"本软件不适合这种扁壳"}},
        {"negative side", [](CRectBqData& d) { d.a = -6; }, {"本软件不适合这种扁壳"}},
        {"no thickness", [](CRectBqData& d) { d.t_top = 0; }, {"本软件不适合这种扁壳"}},
        {"unknown grade", [](CRectBqData& d) { d.concrete_grade = 37; }, {"混凝土强度等级 C37 无材料数据, 请重新选择!"}},
        // Bars the table does not know would give no strength (fy 0: endless bars).
        {"unknown beam bars", [](CRectBqData& d) { d.beam_rebar_grade = 9; }, {"钢筋级别 9 无材料数据, 请重新选择!"}},
        {"unknown shell bars", [](CRectBqData& d) { d.shell_rebar_grade = 0; }, {"钢筋级别 0 无材料数据, 请重新选择!"}},
    };
    for (const Case& c : cases) {
        CRectBqData d;
        {
            kv::test::MessageRecorder quiet;
            d.Calculate();
        }
        ASSERT_EQ(d.calc_ok, 1);
        c.change(d);
        kv::test::MessageRecorder shown;
        d.Calculate();
        EXPECT_EQ(Boxes(shown), c.boxes) << c.what;
        EXPECT_EQ(d.calc_ok, c.boxes.empty() ? 1 : 0) << c.what;
    }
}

TEST(RectShell, SymmetricModeReinforcesBothFacesAlikeAndAsymmetricFollowsTheMoment) {
    kv::test::MessageRecorder shown;
    CRectBqData d;
    d.Calculate();
    for (int k = 0; k < d.point_count; ++k) {
        EXPECT_EQ(d.points[k].as_x[0], d.points[k].as_x[1]) << k + 1;
        EXPECT_EQ(d.points[k].as_y[0], d.points[k].as_y[1]) << k + 1;
    }
    d.rebar_mode = 1;
    d.t_top = 120;  // f/t 10: the centre hogs
    d.Calculate();
    ASSERT_EQ(d.calc_ok, 1);
    // The tension face of each moment holds the design's first area: one point
    // whose Mx sags, one whose Mx hogs.
    int sagging = -1, hogging = -1;
    for (int k = 0; k < d.point_count; ++k) {
        if (sagging < 0 && d.points[k].Mx > 0.1f) sagging = k;
        if (hogging < 0 && d.points[k].Mx < -0.1f) hogging = k;
    }
    ASSERT_GE(sagging, 0);
    ASSERT_GE(hogging, 0);
    for (int k : {sagging, hogging}) {
        const CRectBqRecord& p = d.points[k];
        PJ_COLUMN_KV column;
        column.Ini(d.concrete_grade, d.shell_rebar_grade, 0, 0, d.as, d.beam_ini_factor, d.steam_cured, 0, 1, 1, 0, 0,
                   1.0f);
        const float h = p.Thickness(d.a, d.b, d.r_const, 0.12f, 0.4f, d.point_count);
        column.set_value(p.Mx * 1.0e6f, 0, 0, 0, p.Nx * 1000, 1000, static_cast<float>(static_cast<int>(h * 1000)),
                         1000, 0, 0, 2);
        column.PianLaYa();
        EXPECT_NE(column.Asx, column.Asx1) << k + 1;
        EXPECT_EQ(p.as_x[p.Mx >= 0 ? 0 : 1], column.Asx) << k + 1;
        EXPECT_EQ(p.as_x[p.Mx >= 0 ? 1 : 0], column.Asx1) << k + 1;
    }
}

TEST(RectShell, ChecksTellPointByPointThenAllTensionThenAllCompression) {
    kv::test::MessageRecorder shown;
    kv::test::ErrorLines lines;
    CRectBqData d;
    d.q = 1500;
    d.Calculate();
    EXPECT_EQ(d.calc_ok, 1);  // the checks only warn
    ASSERT_FALSE(lines.lines.empty());
    EXPECT_EQ(lines.lines[0].code, -1111);
    int stage = 0;  // 0 thickness checks, 1 principal tension, 2 principal compression
    for (std::size_t k = 1; k < lines.lines.size(); ++k) {
        const std::string& text = lines.lines[k].text;
        EXPECT_EQ(lines.lines[k].code, 1);
        const int now = text.find("砼强度不满足") == std::string::npos ? 0 : text.find("拉应力") != std::string::npos ? 1 : 2;
        EXPECT_GE(now, stage) << text;
        stage = now;
    }
    EXPECT_EQ(stage, 2);
    EXPECT_TRUE(lines.Has(1, "31点压应力>fcd, 砼强度不满足!!"));
    EXPECT_EQ(d.points[30].err, 5);
}

TEST(RectShell, NoAdditionalBarsWhereTheConcreteTakesTheTension) {
    kv::test::MessageRecorder shown;
    CRectBqData d;
    d.Calculate();
    for (int k = 0; k < d.point_count; ++k) {
        const CRectBqRecord& p = d.points[k];
        const float h = p.Thickness(d.a, d.b, d.r_const, 0.2f, 0.4f, d.point_count);
        if (p.sigma1 <= d.ftd || p.Nmax <= h * 1000 * d.ftd) {
            EXPECT_EQ(p.as_add[0], 0.0f) << k + 1;
            EXPECT_EQ(p.as_add[1], 0.0f) << k + 1;
        }
    }
}

// Sagitta form of the edge geometry: depth = beam + rise − (R − √(R² − x²)).
double Depth(double beamH, double rise, double radius, double x) {
    return beamH + rise - (radius - std::sqrt(radius * radius - x * x));
}

TEST(RectShell, EdgeMembersFromAMadeUpRowOfShearsWorkedByHand) {
    CRectBqData d;
    d.b = 7.2f;  // 42 points, six b-edge sections
    d.ChooseTable(0.2f);
    d.CalcRadius();
    for (auto& p : d.points) p.S = p.Qx = p.Qy = 0;
    const double S[6] = {0, -10, -20, -30, -40, -50};
    for (int c = 0; c < 6; ++c) {
        d.points[c].S = static_cast<float>(S[c]);  // the a-edge from its middle to the corner
        d.points[c].Qy = 100;
    }
    for (int r = 0; r < 7; ++r) {
        d.points[6 * r + 5].S = static_cast<float>(-50 + 50.0 * r / 6);  // the b-edge, corner to middle
        d.points[6 * r + 5].Qx = 80;
    }
    kv::test::MessageRecorder shown;
    d.DesignEdgeBeams();

    const double R = d.sphere_radius, f = 1.2, a = 6, b = 7.2;
    const double riseA = std::sqrt(R * R - b * b / 4) + f - R, riseB = std::sqrt(R * R - a * a / 4) + f - R;
    const double Ra = (a * a / 4 + riseA * riseA) / (2 * riseA), Rb = (b * b / 4 + riseB * riseB) / (2 * riseB);
    double n = 0, va = 5 * 100 * 0.6;
    for (int k = 4; k >= 0; --k) {
        const double x = 0.3 + 0.6 * k, strip = (S[k] + S[k + 1]) * 0.3;
        EXPECT_NEAR(d.sec_depth[k], Depth(0.5, riseA, Ra, x), 1e-5) << k;
        EXPECT_NEAR(d.strip_force[k], strip, 1e-5) << k;
        n += strip;
        EXPECT_NEAR(d.sec_n[k], n, 1e-4) << k;
        va -= strip * x / Ra;
    }
    // The section at the middle carries every strip, each at its own depth.
    double m0 = 0;
    for (int k = 0; k < 5; ++k) m0 += (d.sec_depth[k] - d.sec_depth[0] / 2) * d.strip_force[k];
    EXPECT_NEAR(d.sec_m[0], m0, 1e-4);
    EXPECT_NEAR(d.sec_m[4], d.sec_depth[4] / 2 * d.strip_force[4], 1e-5);
    EXPECT_NEAR(d.edge_v_a, va, 1e-3);

    // b-edge: six strips of 0.6 m from the middle (point 42) to the corner (point 6).
    double vb = 6 * 80 * 0.6, nb = 0;
    for (int k = 5; k >= 0; --k) {
        const double y = 0.3 + 0.6 * k;
        const double strip = ((-50 + 50.0 * (6 - k) / 6) + (-50 + 50.0 * (5 - k) / 6)) * 0.3;
        EXPECT_NEAR(d.sec_depth[5 + k], Depth(0.5, riseB, Rb, y), 1e-5) << k;
        EXPECT_NEAR(d.strip_force[5 + k], strip, 1e-4) << k;
        nb += strip;
        EXPECT_NEAR(d.sec_n[5 + k], nb, 1e-4) << k;
        vb -= strip * y / Rb;
    }
    EXPECT_NEAR(d.edge_v_b, vb, 1e-3);
    for (int k = 0; k < 11; ++k) EXPECT_GT(d.sec_as_top[k], 0.0f) << k;
}

TEST(RectShell, LongestPlanHasFiftyFourPointsAndEightBEdgeSections) {
    kv::test::MessageRecorder shown;
    CRectBqData d;
    d.b = 9.6f;
    d.f = 1.2f;
    d.t_top = 200;  // f/t 6: table 18
    d.Calculate();
    ASSERT_EQ(d.calc_ok, 1);
    EXPECT_EQ(d.point_count, 54);
    EXPECT_GT(d.sec_depth[12], 0.5f);
    EXPECT_LT(d.sec_depth[12], d.sec_depth[5]);  // the corner's section lies lowest
    EXPECT_NE(d.strip_force[12], 0.0f);
}

}  // namespace
