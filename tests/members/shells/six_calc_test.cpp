// The hexagonal shell's engine: the defaults' geometry and table, its tolerances
// and refusals, additional bars without a message, and the edge member from a
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

TEST(SixShell, DefaultShellTakesTableThree) {
    kv::test::MessageRecorder shown;
    CSixBqData d;
    d.Calculate();
    EXPECT_TRUE(shown.shown().empty());
    ASSERT_EQ(d.calc_ok, 1);
    EXPECT_NEAR(d.sphere_radius, 9.0833, 1e-4);  // (2.25 + 25) / 3
    EXPECT_NEAR(0.25 / d.sphere_radius, 0.0275, 1e-4);
    EXPECT_EQ(d.ChooseTable(0.25f), 3);
    const CSixBqRecord& centre = d.points[14];
    EXPECT_EQ(centre.Nx, centre.Ny);
    EXPECT_FLOAT_EQ(centre.Alfa, -0.7853982f);
    EXPECT_NEAR(centre.Nx, d.LookupTable(3, 15, 2) * 25 * 200 * 0.001 / 0.25, 1e-3);
    // The corner point lies a from the centre: the full bottom thickness.
    EXPECT_FLOAT_EQ(d.points[4].Thickness(5, 4, 0.25f, 0.5f), 0.5f);
    EXPECT_FLOAT_EQ(d.points[14].Thickness(5, 4, 0.25f, 0.5f), 0.25f);
    EXPECT_FLOAT_EQ(d.points[4].Thickness(5, 4, 0.25f, 0.25f), 0.25f);
}

TEST(SixShell, ThicknessConstantOutToTheCornersStaysTheTopThickness) {
    // r_const = a: the corner lies at a, though rounding puts it a hair beyond.
    CSixBqData d;
    d.a = 9.55f;
    d.r_const = 9.55f;
    d.f = 2.5f;  // f/t 10
    for (const CSixBqRecord& p : d.points) EXPECT_EQ(p.Thickness(d.a, d.r_const, 0.25f, 0.5f), 0.25f) << p.no;
    kv::test::MessageRecorder shown;
    d.Calculate();
    ASSERT_EQ(d.calc_ok, 1);
    EXPECT_FLOAT_EQ(d.points[4].sigma_x[1], d.points[4].Nx / 250 - d.points[4].Mx / (166.66667f * 0.25f * 0.25f));
    EXPECT_TRUE(std::isfinite(d.points[4].as_x[0]));
}

TEST(SixShell, TolerancesAndRefusals) {
    struct Case {
        const char* what;
        void (*change)(CSixBqData&);
        std::vector<std::string> boxes;
    } cases[] = {
        {"f/t 6.05", [](CSixBqData& d) { d.f = 1.5125f; }, {}},
        {"f/t 6.1", [](CSixBqData& d) { d.f = 1.525f; }, {"无表文件"}},
        {"f/(2a) 0.19", [](CSixBqData& d) { d.a = 3.9474f; }, {}},
        {"f/(2a) 0.205", [](CSixBqData& d) { d.a = 3.6585f; }, {"本软件不适合这种扁壳"}},
        {"thin bottom", [](CSixBqData& d) { d.t_bottom = 200; }, {"壳底厚度小于壳顶厚度!", "本软件不适合这种扁壳"}},
        {"no rise", [](CSixBqData& d) { d.f = 0; }, {"本软件不适合这种扁壳"}},
        {"no side", [](CSixBqData& d) { d.a = 0; }, {"本软件不适合这种扁壳"}},
        {"unknown grade", [](CSixBqData& d) { d.concrete_grade = 99; }, {"混凝土强度等级 C99 无材料数据, 请重新选择!"}},
        {"unknown beam bars", [](CSixBqData& d) { d.beam_rebar_grade = 9; }, {"钢筋级别 9 无材料数据, 请重新选择!"}},
        {"unknown shell bars", [](CSixBqData& d) { d.shell_rebar_grade = -1; }, {"钢筋级别 -1 无材料数据, 请重新选择!"}},
    };
    for (const Case& c : cases) {
        CSixBqData d;
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

TEST(SixShell, PrincipalTensionBetweenFtdAndFourFtdGivesBarsWithoutAMessage) {
    CSixBqData d;
    PJ_COLUMN_KV material;
    material.Ini(d.concrete_grade, d.beam_rebar_grade, d.beam_rebar_grade, 0, d.as, d.beam_ini_factor, d.steam_cured,
                 1, 1, 1, 0, 0, 1.0f);
    const float ftd = material.ftd, fy = material.fy;
    for (auto& p : d.points) p.Nx = p.Ny = p.S = p.Mx = p.My = p.Mxy = p.Nmax = p.Nmin = p.sigma1 = p.sigma2 = 0;
    CSixBqRecord& centre = d.points[14];  // 0.25 m thick
    centre.sigma1 = 2 * ftd;
    centre.Nmax = 3.5f * 250 * ftd;
    kv::test::ErrorLines lines;
    d.CheckStresses();
    ASSERT_EQ(lines.lines.size(), 1u);  // the cleared window only
    EXPECT_EQ(centre.err, 0);
    const float B = (d.as_min[0] + d.as_min[1] + d.as_min[2] + d.as_min[3]) * fy / 2;
    const double bars = (centre.Nmax * 1000 - B) / fy / std::cos(M_PI / 12) / 2;
    ASSERT_GT(bars, 0);
    EXPECT_NEAR(centre.as_add[0], bars, 1e-3 * bars);
    EXPECT_EQ(centre.as_add[1], centre.as_add[0]);
    EXPECT_EQ(d.points[13].as_add[0], 0.0f);
}

TEST(SixShell, ChecksTellEachPointsPrincipalStressesAfterAllDirectionChecks) {
    kv::test::MessageRecorder shown;
    kv::test::ErrorLines lines;
    CSixBqData d;
    d.q = 2000;
    d.Calculate();
    EXPECT_EQ(d.calc_ok, 1);
    ASSERT_GT(lines.lines.size(), 2u);
    EXPECT_EQ(lines.lines[0].code, -1111);
    bool principal = false;
    for (std::size_t k = 1; k < lines.lines.size(); ++k) {
        const bool now = lines.lines[k].text.find("砼强度不满足") != std::string::npos;
        EXPECT_TRUE(now || !principal) << lines.lines[k].text;
        principal = principal || now;
    }
    EXPECT_TRUE(principal);
    EXPECT_TRUE(lines.Has(1, "15点X向压应力>fcd, 壳体厚度不满足!!"));
}

TEST(SixShell, EdgeMemberFromAMadeUpRowOfShearsWorkedByHand) {
    CSixBqData d;  // a = 5, f = 1.5, t_top 250, beam 540 mm deep, q = 200
    d.CalcRadius();
    for (auto& p : d.points) p.S = 0;
    const double S[5] = {0, -10, -20, -30, -40};
    for (int k = 0; k < 5; ++k) d.points[k].S = static_cast<float>(S[k]);
    kv::test::MessageRecorder shown;
    d.DesignEdgeBeam();

    const double a = 5, R = d.sphere_radius, rise = std::sqrt(R * R - 0.75 * a * a) + 1.5 - R;
    EXPECT_NEAR(d.rise, rise, 1e-5);
    const double Re = (a * a / 4 + rise * rise) / (2 * rise);
    const double x[5] = {a / 16, 3 * a / 16, 5 * a / 16, 7 * a / 16, a / 2 - a / 72};
    // Strips of a/8 between the points; the last a/36 at the corner takes its value.
    const double strip[5] = {-10 * a / 16, -30 * a / 16, -50 * a / 16, -70 * (a / 8 - a / 36) / 2, -40 * a / 36};
    double n = 0, v = 0;
    for (int k = 4; k >= 0; --k) {
        EXPECT_NEAR(d.sec_depth[k], 0.54 + rise - (Re - std::sqrt(Re * Re - x[k] * x[k])), 1e-5) << k;
        EXPECT_NEAR(d.strip_force[k], strip[k], 1e-4) << k;
        n += strip[k];
        EXPECT_NEAR(d.sec_n[k], n, 1e-4) << k;
        v += std::fabs(strip[k]) * x[k] / std::sqrt(Re * Re - x[k] * x[k]);
    }
    // The band load: q on z/2 along the half edge, z = 0.76 √(t·R).
    v += a / 2 * 0.76 * std::sqrt(250 * R / 1000) * 200 / 2;
    EXPECT_NEAR(d.edge_v, v, 1e-3);
    EXPECT_NEAR(d.sec_m[4], d.sec_depth[4] / 2 * d.strip_force[4], 1e-5);
    for (int k = 0; k < 5; ++k) EXPECT_GT(d.sec_as_top[k], 0.0f) << k;
}

}  // namespace
