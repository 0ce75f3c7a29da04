// The circular shell's engine: the Kelvin tables against an independent integral
// of J0, the lookup's rounding, table files, the defaults' geometry and range,
// and the physics of each edge system (edge conditions, equilibrium, membrane limit).
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "design/pj_column.h"
#include "members/shells/kelvin.h"
#include "members/shells/shell_data.h"
#include "support/error_lines.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

namespace kelvin = kv::shells::kelvin;
using cld = std::complex<long double>;

// ber + i·bei = J0(x·e^{3πi/4}) and ber' + i·bei' = −e^{3πi/4}·J1(x·e^{3πi/4}), with
// J0, J1 by the trapezoidal rule on Bessel's integral (exact to rounding for these
// periodic integrands).
void Reference(long double x, long double (&out)[4]) {
    const long double pi = 3.14159265358979323846264338327950288L;
    const cld turn = std::polar(1.0L, 3 * pi / 4), z = x * turn;
    const int n = 400;
    cld j0 = 0, j1 = 0;
    for (int i = 0; i < n; ++i) {
        const long double th = pi * (i + 0.5L) / n;
        j0 += std::cos(z * std::sin(th));
        j1 += std::cos(th - z * std::sin(th));
    }
    j0 /= n;
    j1 /= n;
    const cld d = -turn * j1;
    out[0] = j0.real();
    out[1] = j0.imag();
    out[2] = d.real();
    out[3] = d.imag();
}

std::vector<std::string> Boxes(const kv::test::MessageRecorder& shown) {
    std::vector<std::string> texts;
    for (const auto& s : shown.shown()) texts.push_back(s.text);
    return texts;
}

TEST(Kelvin, TablesMatchBesselIntegral) {
    for (int i = 0; i < kelvin::kEntries; ++i) {
        long double ref[4];
        Reference(i / 100.0L, ref);
        const long double scale = std::exp(i / 100.0L / std::sqrt(2.0L));
        for (int f = 0; f < 4; ++f)
            ASSERT_NEAR(kelvin::Table(f)[i], ref[f], 1.2e-7 * std::fabs(ref[f]) + 1e-12 * scale) << f << " at " << i;
    }
    EXPECT_EQ(kelvin::Table(kelvin::kBer)[0], 1.0f);
    for (int f = 1; f < 4; ++f) EXPECT_EQ(kelvin::Table(f)[0], 0.0f);
    struct Spot {
        int f, i;
        float value;
    } const spots[] = {{0, 100, 0.98438178f}, {1, 100, 0.24956604f}, {0, 500, -6.2300825f},
                       {1, 500, 0.11603438f}, {2, 100, -0.06244575f}, {3, 100, 0.49739651f}};
    for (const Spot& s : spots) EXPECT_NEAR(kelvin::Table(s.f)[s.i], s.value, 2e-7 * std::fabs(s.value)) << s.f;
}

TEST(Kelvin, LookupRoundsFloatArgument) {
    struct Case {
        float x;
        int index;
    } const cases[] = {{0, 0},          {1.234f, 123},   {1.235f, 124}, {1.296f, 130},
                       {1.295f, 129},   {11.09f, 1109}, {11.094f, 1109}, {11.095f, -1}, {11.1f, -1}};
    for (const Case& c : cases) EXPECT_EQ(kelvin::Index(c.x), c.index) << c.x;
    kv::test::MessageRecorder shown;
    CCircleBqData d;
    EXPECT_EQ(d.bei_(1.296f), kelvin::Table(kelvin::kBeiPrime)[130]);
    EXPECT_FALSE(d.kelvin_out);
    EXPECT_EQ(d.ber(11.095f), 0.0f);
    EXPECT_EQ(d.bei(11.1f), 0.0f);
    EXPECT_EQ(Boxes(shown), std::vector<std::string>{"本软件不适用此扁壳!"});
}

TEST(Kelvin, OnlyWholeFileReplacesTable) {
    kv::test::TempFolder folder;
    std::string whole(4440, '\0'), part(4000, '\0');
    const float seven = 7.0f, eight = 8.0f;
    for (int i = 0; i < 1110; ++i) std::memcpy(&whole[4 * i], &seven, 4);
    for (int i = 0; i < 1000; ++i) std::memcpy(&part[4 * i], &eight, 4);
    folder.Write("bei_.dat", whole);
    folder.Write("ber.dat", part);
    kelvin::LoadFiles(folder.path());
    EXPECT_EQ(kelvin::Table(kelvin::kBeiPrime)[555], 7.0f);
    EXPECT_EQ(kelvin::Table(kelvin::kBer)[0], 1.0f);
    kelvin::Rebuild();
    EXPECT_EQ(kelvin::Table(kelvin::kBeiPrime)[0], 0.0f);
}

TEST(Kelvin, ATableWithAValueThatIsNotANumberIsNotTaken) {
    kv::test::TempFolder folder;
    std::string table(4440, '\0');
    const float seven = 7.0f, nan = std::numeric_limits<float>::quiet_NaN();
    for (int i = 0; i < 1110; ++i) std::memcpy(&table[4 * i], &seven, 4);
    std::memcpy(&table[4 * 700], &nan, 4);
    folder.Write("bei.dat", table);
    kelvin::LoadFiles(folder.path());
    EXPECT_NE(kelvin::Table(kelvin::kBei)[0], 7.0f);
    EXPECT_TRUE(std::isfinite(kelvin::Table(kelvin::kBei)[700]));
    CCircleBqData d;
    d.Calculate();
    EXPECT_EQ(d.calc_ok, 1);
    for (int k = 0; k < 13; ++k) EXPECT_TRUE(std::isfinite(d.n_phi[k])) << k;
    kelvin::Rebuild();
}

TEST(Kelvin, TablesThatOverflowTheStationsStopTheCalculation) {
    // Four tables that a fuzz run found: finite, but the stations overflow on them.
    std::ifstream in(std::string(KV_TEST_FIXTURES) + "/../fuzz/corpus/kelvin/finding-overflowing-tables",
                     std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 4u * 4440u);
    const std::size_t part = bytes.size() / 4;
    kv::test::TempFolder folder;
    kv::test::MessageRecorder shown;
    const char* names[] = {"ber.dat", "bei.dat", "ber_.dat", "bei_.dat"};
    for (int f = 0; f < 4; ++f) folder.Write(names[f], bytes.substr(f * part, part));
    kelvin::LoadFiles(folder.path());
    CCircleBqData d;
    d.Calculate();
    kelvin::Rebuild();
    EXPECT_EQ(d.calc_ok, 0);
    EXPECT_EQ(Boxes(shown), std::vector<std::string>{"扁壳的内力计算结果不是有效数值, 请检查Kelvin函数表 !"});
}

TEST(CircleShell, DefaultsAndRange) {
    kv::test::MessageRecorder shown;
    CCircleBqData d;
    d.Calculate();
    ASSERT_EQ(d.calc_ok, 1);
    EXPECT_NEAR(d.sphere_radius, 11.0167, 1e-4);
    EXPECT_NEAR(d.char_len, 1.2613, 1e-4);
    EXPECT_NEAR(d.kelvin_x, 5.606, 1e-3);
    CCircleBqData again = d;
    again.Calculate();
    EXPECT_EQ(std::memcmp(again.n_phi, d.n_phi, sizeof d.n_phi), 0);
    EXPECT_EQ(std::memcmp(again.merid_as, d.merid_as, sizeof d.merid_as), 0);
    EXPECT_EQ(again.ring_as_top, d.ring_as_top);

    struct Case {
        const char* what;
        void (*change)(CCircleBqData&);
        std::vector<std::string> boxes;
    } const cases[] = {
        {"f/(2r) 0.199", [](CCircleBqData& d) { d.r = 5; d.f = 1.99f; }, {}},
        {"f/(2r) above 0.2", [](CCircleBqData& d) { d.r = 5; d.f = 2.0001f; }, {"本软件不适合这种扁壳"}},
        {"thick", [](CCircleBqData& d) { d.t_top = 600; }, {"本软件不适合这种扁壳"}},
        {"no rise", [](CCircleBqData& d) { d.f = 0; }, {"本软件不适合这种扁壳"}},
        {"no radius", [](CCircleBqData& d) { d.r = -1; }, {"本软件不适合这种扁壳"}},
        {"no thickness", [](CCircleBqData& d) { d.t_top = 0; }, {"本软件不适合这种扁壳"}},
        {"unknown concrete", [](CCircleBqData& d) { d.concrete_grade = 37; }, {"混凝土强度等级 C37 无材料数据, 请重新选择!"}},
        // Bars the table does not know would give no strength (fy 0: endless bars).
        {"unknown beam bars", [](CCircleBqData& d) { d.beam_rebar_grade = 9; }, {"钢筋级别 9 无材料数据, 请重新选择!"}},
        {"unknown shell bars", [](CCircleBqData& d) { d.shell_rebar_grade = 0; }, {"钢筋级别 0 无材料数据, 请重新选择!"}},
        {"unknown support", [](CCircleBqData& d) { d.boundary = "铰接"; },
         {"支承条件“铰接”无法识别, 请选择简支、嵌固或弹性!"}},
        {"beyond table", [](CCircleBqData& d) { d.r = 20; d.f = 4; d.t_top = 100; d.t_bottom = 100; d.r_const = 20; },
         {"本软件不适用此扁壳!"}},
    };
    for (const Case& c : cases) {
        kv::test::MessageRecorder boxes;
        CCircleBqData e;
        c.change(e);
        e.Calculate();
        EXPECT_EQ(Boxes(boxes), c.boxes) << c.what;
        EXPECT_EQ(e.calc_ok, c.boxes.empty() ? 1 : 0) << c.what;
    }
}

TEST(CircleShell, ApplicableAtExactThinness) {
    // t/R = 0.05 to the decimal: R = (5² + 1²)/2 = 13, t = 650 mm.
    CCircleBqData d;
    d.r = 5;
    d.f = 1;
    d.t_top = 650;
    d.CalcSphereRadius();
    EXPECT_EQ(d.IsApplicable(), 1);
    d.t_top = 651;
    EXPECT_EQ(d.IsApplicable(), 0);
}

float Largest(const float (&a)[13]) {
    float m = 0;
    for (float x : a) m = std::max(m, std::fabs(x));
    return m;
}

TEST(CircleShell, EdgeSystemsHoldTheirConditions) {
    for (const char* support : {"简支", "嵌固", "弹性"}) {
        kv::test::MessageRecorder shown;
        CCircleBqData d;
        d.boundary = support;
        d.Calculate();
        ASSERT_EQ(d.calc_ok, 1) << support;
        const std::string s = support;
        const float tol = 2e-5f;
        if (s != "弹性") {
            EXPECT_LE(std::fabs(d.w[10]), tol * Largest(d.w)) << s;
            EXPECT_LE(std::fabs(d.v[10]), tol * Largest(d.v)) << s;
        }
        if (s == "简支") {
            EXPECT_LE(std::fabs(d.m_phi[10]), tol * Largest(d.m_phi));
        }
        if (s == "嵌固") {
            EXPECT_LE(std::fabs(d.chi[10]), tol * Largest(d.chi));
        }
        if (s == "弹性") {
            // The ring beam moves along the shell's tangent only: cos φ·w + sin φ·v = 0.
            const float phi = std::asin(d.r / d.sphere_radius);
            EXPECT_LE(std::fabs(std::cos(phi) * d.w[10] + std::sin(phi) * d.v[10]), tol * Largest(d.w));
        }
        // Vertical equilibrium of the cap inside each station.
        for (int k = 1; k < 13; ++k) {
            const float lhs = d.n_phi[k] * d.rho[k] / d.sphere_radius + d.q_phi[k];
            EXPECT_NEAR(lhs, -d.q * d.rho[k] / 2, 1e-4 * d.q * d.rho[k]) << s << " station " << k;
        }
        EXPECT_FLOAT_EQ(d.ring_n, -d.n_phi[10] * d.r);
        EXPECT_FLOAT_EQ(d.ring_m, (d.n_phi[10] * 0.475f - d.m_phi[10]) * d.r);
    }
}

TEST(CircleShell, GbkSupportWordOfAWindowsFileSelectsItsSystem) {
    // GBK bytes written out by hand (not through our codec), lines ending CR LF.
    kv::test::TempFolder folder;
    folder.Write("qg.dat", "KV_CIRCLEBQ_V30\r\n5,250,400,4,1.2,500,1500\r\n250,30,1,10,125,3,35,0.8,0,0\r\n"
                           "475,705,\xC7\xB6\xB9\xCC\r\n");
    kv::test::MessageRecorder shown;
    CCircleBqData file;
    ASSERT_EQ(file.LoadData((folder / "qg.dat").c_str()), 1);
    EXPECT_EQ(file.boundary, "嵌固");
    file.Calculate();
    ASSERT_EQ(file.calc_ok, 1);
    CCircleBqData memory;
    memory.boundary = "嵌固";
    memory.Calculate();
    EXPECT_EQ(std::memcmp(file.n_phi, memory.n_phi, sizeof file.n_phi), 0);
    EXPECT_EQ(std::memcmp(file.chi, memory.chi, sizeof file.chi), 0);
    EXPECT_LE(std::fabs(file.chi[10]), 2e-5f * Largest(file.chi)) << "the clamped edge does not turn";
}

TEST(CircleShell, CrownIsMembraneFarFromEdge) {
    for (const char* support : {"简支", "嵌固"}) {
        CCircleBqData d;
        d.r = 10;
        d.f = 1.5f;
        d.t_top = d.t_bottom = 100;
        d.r_const = 10;
        d.boundary = support;
        d.Calculate();
        ASSERT_EQ(d.calc_ok, 1);
        EXPECT_GT(d.kelvin_x, 9.5f);
        const float membrane = -d.q * d.sphere_radius / 2;
        EXPECT_NEAR(d.n_phi[0], membrane, 0.01 * std::fabs(membrane)) << support;
    }
}

TEST(CircleShell, StationsThicknessChecksAndBars) {
    kv::test::MessageRecorder shown;
    kv::test::ErrorLines lines;
    CCircleBqData d;
    EXPECT_FLOAT_EQ(d.LocalThickness(3.9f), 0.25f);
    EXPECT_FLOAT_EQ(d.LocalThickness(4.5f), 0.325f);
    EXPECT_FLOAT_EQ(d.LocalThickness(5), 0.4f);
    d.r_const = 5;
    EXPECT_FLOAT_EQ(d.LocalThickness(5), 0.25f);
    d.r_const = 4;
    d.rebar_mode = 1;
    d.q = 20000;
    d.Calculate();
    ASSERT_EQ(d.calc_ok, 1);
    EXPECT_EQ(d.rebar_mode, 1);
    bool hoop = false;
    for (int k = 0; k < 13; ++k) {
        EXPECT_EQ(d.hoop_as[k][0], d.hoop_as[k][1]);
        hoop = hoop || d.check_flag[k] == 3;
    }
    EXPECT_TRUE(hoop);
    EXPECT_FLOAT_EQ(d.rho[11], 4);
    EXPECT_FLOAT_EQ(d.rho[12], 4.75f);
    EXPECT_FALSE(lines.lines.empty());
}

TEST(CircleShell, EdgeValuesMatchTheBendingLayerByHand) {
    // Far from the crown the edge disturbance is the bending layer of a sphere (ν = 0,
    // λ⁴ = 3R²/t²): clamped, the edge moment is q·R·t/(4√3); pinned (w = v = 0, no
    // moment), the edge turns by q·R·λ/(2·E·t). Within 10 % at x_e near 10.
    for (const char* support : {"简支", "嵌固"}) {
        CCircleBqData d;
        d.r = 8;
        d.f = 1.5f;
        d.t_top = d.t_bottom = 100;
        d.r_const = 8;
        d.boundary = support;
        d.Calculate();
        ASSERT_EQ(d.calc_ok, 1);
        const double R = (64 + 2.25) / 3.0, t = 0.1, E = 1.2 * 3.0e7;
        const double lambda = std::sqrt(std::sqrt(3.0) * R / t);
        if (std::string(support) == "嵌固")
            EXPECT_NEAR(std::fabs(d.m_phi[10]), d.q * R * t / (4 * std::sqrt(3.0)), 0.1 * d.q * R * t / 6.93);
        else
            EXPECT_NEAR(std::fabs(d.chi[10]), d.q * R * lambda / (2 * E * t), 0.1 * d.q * R * lambda / (2 * E * t));
    }
}

TEST(CircleShell, RingBeamRowsHoldAndARigidRingClampsTheEdge) {
    kv::test::MessageRecorder shown;
    CCircleBqData d;  // 弹性 by default
    d.Calculate();
    ASSERT_EQ(d.calc_ok, 1);
    // The rows at the edge with Kelvin values of the integral at the looked-up entry.
    long double kv4[4];
    Reference(kelvin::Index(d.kelvin_x) / 100.0L, kv4);
    const double ber = kv4[0], bei = kv4[1], berp = kv4[2], beip = kv4[3];
    const double x = d.kelvin_x, r = 5, f = 1.2, R = (r * r + f * f) / (2 * f), t = 0.25, l = 0.76 * std::sqrt(t * R);
    const double T = 250 * R * l * l * x / 4, s = r / R, c = std::sqrt(1 - s * s);
    const double b = 0.5, h = 1.5, kA = r * r / (b * h), kI = r * r / (b * h * h * h / 12), e = 0.475, e1 = 0.705;
    const double gamma = 1 + 12 * e * e1 / (h * h), G = kI * t * t * l / (2 * std::sqrt(6.0));
    const double s2 = std::sqrt(2.0), s12 = std::sqrt(12.0), axial = 2 * kA * gamma / (x * l * l);
    const double rows[3][4] = {
        {c * s12 / t * bei - s * s2 / l * berp, c * s12 / t * ber + s * s2 / l * beip, s * s2 / l * x + c * s12 / t,
         s * s2 / l * T},
        {axial * berp + 12 * kA * e1 / (h * h) * (ber - beip / x) / R - s12 * s * bei / (t * t) - s2 * c * berp / (t * l),
         -axial * beip - 12 * kA * e1 / (h * h) * (berp / x + bei) / R - s12 * s * ber / (t * t) + s2 * c * beip / (t * l),
         s2 * c * x / (t * l) - s12 * s / (t * t), (axial + s2 * c / (t * l)) * T},
        {-2 * e * G / (x * l * l) * berp - G / R * (ber - beip / x) - beip,
         2 * e * G / (x * l * l) * beip + G / R * (berp / x + bei) - berp, 0, -2 * e * G / (x * l * l) * T},
    };
    for (int i = 0; i < 3; ++i) {
        const double terms[3] = {rows[i][0] * d.c1, rows[i][1] * d.c2, rows[i][2] * d.c3};
        const double scale = std::max({std::fabs(terms[0]), std::fabs(terms[1]), std::fabs(terms[2]), std::fabs(rows[i][3])});
        EXPECT_NEAR(terms[0] + terms[1] + terms[2], rows[i][3], 1e-4 * scale) << "row " << i + 1;
    }

    // A ring that neither stretches nor turns holds the edge as a clamp does.
    CCircleBqData rigid;
    rigid.beam_b = rigid.beam_h = 1000000;
    rigid.CalcSphereRadius();
    rigid.char_len = d.char_len;
    rigid.kelvin_x = d.kelvin_x;
    rigid.ber_val = d.ber_val;
    rigid.bei_val = d.bei_val;
    rigid.berp_val = d.berp_val;
    rigid.beip_val = d.beip_val;
    ASSERT_TRUE(rigid.TanXing());
    CCircleBqData clamped = rigid;
    ASSERT_TRUE(clamped.QianGu());
    EXPECT_NEAR(rigid.c1, clamped.c1, 1e-4 * std::fabs(clamped.c1));
    EXPECT_NEAR(rigid.c2, clamped.c2, 1e-4 * std::fabs(clamped.c2));
    EXPECT_NEAR(rigid.c3, clamped.c3, 1e-4 * std::fabs(clamped.c3));
}

TEST(CircleShell, StationAtTheCrownTakesTheCrownValues) {
    // A thickness that changes from the crown (r_const 0) or a ring beam as wide as
    // the plan puts station 11 or 12 at the crown, where the formulas are 0/0.
    struct Case {
        const char* what;
        int station;
        void (*change)(CCircleBqData&);
    } const cases[] = {
        {"r_const 0", 11, [](CCircleBqData& d) { d.r_const = 0; }},
        {"ring beam across the plan", 12, [](CCircleBqData& d) { d.beam_b = 10000; }},
    };
    for (const Case& c : cases) {
        kv::test::MessageRecorder shown;
        CCircleBqData d;
        c.change(d);
        d.Calculate();
        ASSERT_EQ(d.calc_ok, 1) << c.what;
        const int k = c.station;
        EXPECT_EQ(d.rho[k], 0.0f) << c.what;
        const float* at[] = {d.n_phi, d.n_theta, d.m_phi, d.q_phi, d.w, d.v, d.chi, d.sigma_t, d.sigma_c, d.sigma_h};
        for (const float* a : at) EXPECT_EQ(a[k], a[0]) << c.what;
        // Near the crown the formulas approach the crown's values.
        EXPECT_NEAR(d.n_phi[1], d.n_phi[0], 0.01 * std::fabs(d.n_phi[0])) << c.what;
        for (int face = 0; face < 2; ++face) {
            EXPECT_TRUE(std::isfinite(d.merid_as[k][face])) << c.what;
            EXPECT_TRUE(std::isfinite(d.hoop_as[k][face])) << c.what;
        }
    }
}

TEST(CircleShell, FlagsKeepTheLastFailureAndTheRingBeamTakesItsHeight) {
    kv::test::MessageRecorder shown;
    kv::test::ErrorLines lines;
    CCircleBqData d;
    d.q = -20000;  // lifted: the crown pulls in both directions
    d.Calculate();
    ASSERT_EQ(d.calc_ok, 1);
    PJ_COLUMN_KV column;
    column.Ini(d.concrete_grade, d.beam_rebar_grade, 0, 0, d.as, d.beam_ini_factor, d.steam_cured, 1, 1, 1, 0, 0, 1.0f);
    const float ftd = column.ftd, fcd = column.fcd;
    bool tensionAndHoop = false;
    for (int k = 0; k < 13; ++k) {
        int flag = 0;
        if (d.sigma_t[k] > 4 * ftd) flag = 1;
        if (std::fabs(d.sigma_c[k]) > fcd) flag = 2;
        if (d.sigma_h[k] > 4 * ftd) flag = 3;
        EXPECT_EQ(d.check_flag[k], flag) << "station " << k;
        tensionAndHoop = tensionAndHoop || (d.sigma_t[k] > 4 * ftd && d.sigma_h[k] > 4 * ftd);
        EXPECT_EQ(d.merid_as[k][0], d.merid_as[k][1]) << "symmetric bars, station " << k;
    }
    EXPECT_TRUE(tensionAndHoop) << "the load should fail tension and hoop at one station";
    // The ring beam: a section beam_b x beam_h under the edge's moment and tension.
    EXPECT_FLOAT_EQ(d.ring_n, -d.n_phi[10] * 5);
    column.set_value(d.ring_m * 1.0e6f, 0, 0, 0, std::fabs(d.ring_n) * 1000, 500, 1500, 1000, 0, 0, 2);
    column.PianLaYa();
    EXPECT_FLOAT_EQ(d.ring_as_top, column.Asx);
    EXPECT_FLOAT_EQ(d.ring_as_bottom, column.Asx);
}

}  // namespace
