// Beam forces along a beam: the fixed-end deflections, the element values at a
// point, the stations of a beam of one, two and eight elements, the flange
// moments and the element end forces of the pin output. Expected values come
// from beam theory worked by hand (M = EI·w'', V = EI·w''' with w upward).
#include "fem/freedom.h"
#include "fem/mesh_files.h"
#include "fem/plate_element.h"
#include "fem/struc_ld_file.h"
#include "fem/workfile.h"
#include "fem/yxy_force.h"
#include "fem_model_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using namespace kv::fem;
using kv::test::F32At;
using kv::test::FemFolder;
using kv::test::FemModel;
using kv::test::I32At;

constexpr float kE = 3.0e7f, kNu = 0.2f, kI = 4.5e-3f, kJ = 2.0e-3f;

beam_element_data Element(float x0, float y0, float x1, float y1) {
    beam_element_data e;
    e.x[0] = x0, e.y[0] = y0, e.x[1] = x1, e.y[1] = y1;
    e.I = kI, e.J = kJ;
    return e;
}

line_load Uniform(int element, float q1, float q2, float a, float b) { return {element, 1, {q1, q2, a, b}}; }
line_load Point(int element, float P, float a) { return {element, 2, {P, 0, 0, a}}; }

void ExpectNear(float got, double want, double scale, const char* what) {
    EXPECT_NEAR(got, want, 2e-5 * scale) << what;
}

TEST(FixedEndDeflection, UniformLoadOverTheWholeSpanAndInPieces) {
    const float L = 3, q = 12, EI = kE * kI;
    // Single precision: measured against the mid-span deflection.
    const double mid = q * std::pow(L, 4) / (384.0 * EI);
    for (float x : {0.3f, 0.75f, 1.5f, 2.1f, 2.9f}) {
        const double want = q * x * x * (L - x) * (L - x) / (24.0 * EI);
        EXPECT_NEAR(cal_defl_distri_load(q, 0, L, L, kE, kI, x), want, 1e-4 * mid) << x;
        // The same load in two pieces, and in three.
        const float two = cal_defl_distri_load(q, 0, 1.2f, L, kE, kI, x) + cal_defl_distri_load(q, 1.2f, 1.8f, L, kE, kI, x);
        const float three = cal_defl_distri_load(q, 0, 0.5f, L, kE, kI, x) +
                            cal_defl_distri_load(q, 0.5f, 2.0f, L, kE, kI, x) +
                            cal_defl_distri_load(q, 2.5f, 0.5f, L, kE, kI, x);
        EXPECT_NEAR(two, want, 1e-4 * mid) << x;
        EXPECT_NEAR(three, want, 1e-4 * mid) << x;
    }
}

TEST(FixedEndDeflection, TriangularLoadMeetsTheClampedEnds) {
    const float L = 2, q = 9, EI = kE * kI;
    // Over the whole span: EI·w = q·x⁵/(120L) − R·x³/6 − M·x²/2 with the fixed-end
    // shear R = 3qL/20 and moment M = −qL²/30 at the zero end.
    for (float x : {0.2f, 0.9f, 1.4f, 1.9f}) {
        const double want = (q * std::pow(x, 5) / (120.0 * L) - 3.0 * q * L / 20.0 * x * x * x / 6.0 +
                             q * L * L / 30.0 * x * x / 2.0) / EI;
        EXPECT_NEAR(cal_defl_tri_load(q, 0, L, L, kE, kI, x), want, 1e-4 * std::fabs(want)) << x;
        // A rising and a falling triangle make a uniform load.
        const double both = cal_defl_tri_load(q, 0, L, L, kE, kI, x) + cal_defl_tri_load(q, 0, L, L, kE, kI, L - x);
        EXPECT_NEAR(both, q * x * x * (L - x) * (L - x) / (24.0 * EI), 1e-4 * std::fabs(both)) << x;
    }
    // Over part of the span the far end is still clamped: no deflection, no slope.
    const double scale = q * std::pow(L, 4) / EI / 100;
    const float h = 1e-3f;
    EXPECT_NEAR(cal_defl_tri_load(q, 0.4f, 1.1f, L, kE, kI, L), 0, 1e-4 * scale);
    EXPECT_NEAR(cal_defl_tri_load(q, 0.4f, 1.1f, L, kE, kI, L - h) / h, 0, 5e-2 * scale);
}

TEST(FixedEndDeflection, PointLoadAndNodalMotion) {
    const float L = 4, P = 20, EI = kE * kI;
    // Mid-span: PL³/192EI; under a load at a: P·a³·b³/(3EI·L³).
    EXPECT_NEAR(cal_defl_con_load(P, 0, 2, L, kE, kI, 2), P * L * L * L / (192.0 * EI), 1e-6);
    const float a = 1, b = 3;
    const double under = P * a * a * a * b * b * b / (3.0 * EI * L * L * L);
    EXPECT_NEAR(cal_defl_con_load(P, 0, a, L, kE, kI, a), under, 1e-5 * under);
    EXPECT_NEAR(cal_defl_con_load(P, 0, a, L, kE, kI, a + 1e-4f), under, 1e-3 * under);  // both sides meet
    EXPECT_NEAR(cal_defl_con_load(P, 0, a, L, kE, kI, L), 0, 1e-5 * under);
    // The nodal shape keeps a rigid motion w = c + g·x (rotation −g at both ends).
    for (float x : {0.0f, 1.0f, 2.5f, 4.0f})
        EXPECT_NEAR(cal_defl_end(L, x, 0.01f, 0.01f + 0.002f * L, -0.002f, -0.002f), 0.01f + 0.002f * x, 1e-7) << x;
}

TEST(LocateStation, MapsTheFractionToAnElementAndALocalFraction) {
    struct Case {
        int first, last;
        float x;
        int element;
        float t;
    } cases[] = {
        {5, 5, 0.375f, 5, 0.375f},  // one element: t = x
        {0, 1, 0.5f, 1, 0.0f},      // two: the middle starts element 1
        {0, 1, 0.375f, 0, 0.75f},
        {3, 10, 0.375f, 6, 0.0f},   // eight: station r starts element r
        {0, 11, 0.625f, 7, 0.5f},   // twelve
        {4, 2, 0.25f, 4, 0.25f},    // last before first counts as one element
    };
    for (const Case& c : cases) {
        int e;
        float t;
        locate_station(c.first, c.last, c.x, &e, &t);
        EXPECT_EQ(e, c.element) << c.first << "-" << c.last << " at " << c.x;
        EXPECT_NEAR(t, c.t, 1e-6) << c.first << "-" << c.last << " at " << c.x;
    }
}

TEST(BeamForceAt, FixedFixedElementUnderAUniformLoad) {
    const float L = 5, q = 10;
    const float d[6] = {};
    // Along x and along a skew line: without motion the axis plays no part.
    for (const beam_element_data& e : {Element(0, 0, 5, 0), Element(1, 2, 4, 6)}) {
        beam_point_force r;
        beam_force_at(e, 3, 0.5f, d, kE, kNu, {Uniform(3, q, q, 0, L), Uniform(4, 99, 99, 0, L)}, &r);
        ExpectNear(r.M1, -q * L * L / 12, q * L * L, "M1");
        ExpectNear(r.M2, -q * L * L / 12, q * L * L, "M2");
        ExpectNear(r.V1, q * L / 2, q * L, "V1");
        ExpectNear(r.V2, -q * L / 2, q * L, "V2");
        ExpectNear(r.M, q * L * L / 24, q * L * L, "mid-span M");
        ExpectNear(r.V, 0, q * L, "mid-span V");
        // Downward: negative in the sense of w.
        const double w = q * std::pow(L / 2, 2) * std::pow(L / 2, 2) / (24.0 * kE * kI);
        EXPECT_NEAR(r.w, -w, 1e-4 * w);
        EXPECT_EQ(r.w1, 0.0f);
        EXPECT_EQ(r.T1, 0.0f);
    }
    // At a quarter: M = −qL²/12 + qLx/2 − qx²/2, V = q(L/2 − x).
    beam_point_force r;
    beam_force_at(Element(0, 0, 5, 0), 0, 0.25f, d, kE, kNu, {Uniform(0, q, q, 0, L)}, &r);
    ExpectNear(r.M, q * L * L / 96, q * L * L, "quarter M");
    ExpectNear(r.V, q * L / 4, q * L, "quarter V");
}

TEST(BeamForceAt, TriangularAndPointLoads) {
    const float L = 4, q = 6, P = 30, a = 1, b = 3;
    const float d[6] = {};
    beam_point_force r;
    beam_force_at(Element(0, 0, L, 0), 0, 0.0f, d, kE, kNu, {Uniform(0, 0, q, 0, L)}, &r);
    ExpectNear(r.V1, 3 * q * L / 20, q * L, "R at the zero end");
    ExpectNear(r.M1, -q * L * L / 30, q * L * L, "M at the zero end");
    ExpectNear(r.V2, -7 * q * L / 20, q * L, "R at the full end");
    ExpectNear(r.M2, -q * L * L / 20, q * L * L, "M at the full end");

    beam_force_at(Element(0, 0, L, 0), 0, a / L, d, kE, kNu, {Point(0, P, a)}, &r);
    ExpectNear(r.M1, -P * a * b * b / (L * L), P * L, "Pab²/L²");
    ExpectNear(r.M2, -P * a * a * b / (L * L), P * L, "Pa²b/L²");
    ExpectNear(r.V1, P * b * b * (3 * a + b) / (L * L * L), P, "left reaction");
    // Under the load: M = 2Pa²b²/L³.
    ExpectNear(r.M, 2 * P * a * a * b * b / (L * L * L), P * L, "M under the load");
    const double w = P * a * a * a * b * b * b / (3.0 * kE * kI * L * L * L);
    EXPECT_NEAR(r.w, -w, 1e-4 * w);
}

TEST(BeamForceAt, EndMotionGivesTheClampedBeamsMomentsShearAndTwist) {
    // Node j of an element along y rises by δ and twists by φ about the axis.
    const float L = 2, delta = 1e-3f, phi = 2e-3f;
    const float EI = kE * kI, GJ = kE / (2 * (1 + kNu)) * kJ;
    const float d[6] = {0, 0, 0, delta, 0, phi};  // global: w, about x, about y
    beam_point_force r;
    beam_force_at(Element(0, 0, 0, L), 0, 0.5f, d, kE, kNu, {}, &r);
    // w = δ(3s² − 2s³): w''(0) = 6δ/L², w''(L) = −6δ/L², w''' = −12δ/L³.
    ExpectNear(r.M1, 6 * EI * delta / (L * L), EI * delta, "M1");
    ExpectNear(r.M2, -6 * EI * delta / (L * L), EI * delta, "M2");
    ExpectNear(r.V1, -12 * EI * delta / (L * L * L), EI * delta, "V1");
    ExpectNear(r.V2, -12 * EI * delta / (L * L * L), EI * delta, "V2");
    ExpectNear(r.T1, GJ * phi / L, GJ * phi, "T1");
    ExpectNear(r.T, GJ * phi / L, GJ * phi, "T");
    EXPECT_NEAR(r.w, delta / 2, 1e-7);
    EXPECT_NEAR(r.w2, delta, 1e-9);
}

// One beam of 4 m under 10 kN/m, meshed into n elements; no displacement, so
// every element is a fixed-ended beam under its part of the load.
struct BeamRun {
    FemFolder folder;
    std::string record;  // the 228 bytes written
    double EI = 0;
    int result = 0;

    BeamRun(float divide, const std::string& loads = "0,1,0\n1,1,1,10,10,0,4\n",
            void (*patch)(net_dat_file&) = nullptr, void (*foundation)(struc_ld_file&) = nullptr,
            const std::string& reactions = "") {
        FemModel m;
        m.nodes = {{0, 0}, {4, 0}};
        m.beams = {{1, 2}};
        m.supports = {"1,3,0,0", "2,3,0,0"};
        m.loads = loads;
        m.Mesh(folder, divide);
        struc_ld_file struc("STRUC_LD.FB");
        net_pre_file pre("NET_PRE.FB");
        net_dat_file dat("NET_DAT.FB");
        freedom_file fr("FREEDOM.FB");
        EXPECT_TRUE(struc.read_node() && struc.read_beam() && pre.read_beam_cut() && dat.read_node() &&
                    dat.read_beam() && dat.read_load(0, 2) && fr.read_id());
        if (patch) patch(dat);
        if (foundation) foundation(struc);
        if (!reactions.empty()) folder.Write("FL_LIANG.FB", reactions);
        EI = double(dat.beam_E) * dat.beams[0].I / 1.0e12;
        std::vector<double> U(std::size_t(fr.neq) + 1, 0.0);
        WorkFile f;
        EXPECT_TRUE(f.open("FORCE.FB", "wb"));
        EXPECT_EQ(std::fputs("head", f.get()) >= 0, true);  // records are appended after what is there
        result = out_force_beam(0, 0, struc, pre, dat, fr.id, U.data(), f.get(), 0);
        EXPECT_TRUE(f.commit());
        record = folder.Read("FORCE.FB").substr(4);
    }
    float Field(int k) const { return F32At(record, 4 * std::size_t(k)); }
};

TEST(OutForceBeam, OneElementFillsTheRecordFromItsEnds) {
    BeamRun run(1.0e6f);
    ASSERT_EQ(run.result, 1);
    ASSERT_EQ(run.record.size(), 228u);
    const double q = 10, L = 4;
    EXPECT_EQ(I32At(run.record, 0), 0);
    EXPECT_FLOAT_EQ(run.Field(1), 250);
    EXPECT_FLOAT_EQ(run.Field(2), 600);
    EXPECT_FLOAT_EQ(run.Field(3), 0);
    EXPECT_FLOAT_EQ(run.Field(5), 4);
    EXPECT_FLOAT_EQ(run.Field(6), 0);
    ExpectNear(run.Field(19), -q * L * L / 12, q * L * L, "station 0");
    ExpectNear(run.Field(23), q * L * L / 24, q * L * L, "station 4");
    ExpectNear(run.Field(27), -q * L * L / 12, q * L * L, "station 8");
    ExpectNear(run.Field(21), q * L * L / 96, q * L * L, "station 2");
    ExpectNear(run.Field(28), q * L / 2, q * L, "V station 0");
    ExpectNear(run.Field(30), q * L / 4, q * L, "V station 2");
    ExpectNear(run.Field(36), -q * L / 2, q * L, "V station 8");
    // Summary fields repeat stations 0, 4, 8.
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(run.Field(7 + k), run.Field(19 + 4 * k));
        EXPECT_EQ(run.Field(10 + k), run.Field(28 + 4 * k));
        EXPECT_EQ(run.Field(13 + k), run.Field(37 + 4 * k));
    }
    // Millimetres, downward negative; the ends are the nodal values.
    const double w = 1000 * q * std::pow(L, 4) / (384 * run.EI);
    EXPECT_NEAR(run.Field(50), -w, 1e-3 * w);
    EXPECT_EQ(run.Field(46), 0.0f);
    EXPECT_EQ(run.Field(54), 0.0f);
    EXPECT_TRUE(run.folder.Told(0, "   M :   -13.33,     6.67,   -13.33"));
    EXPECT_TRUE(run.folder.Told(0, "   V :    20.00,            -20.00"));
    EXPECT_TRUE(run.folder.FilesClosed());
}

TEST(OutForceBeam, TwoAndEightElementsTakeTheirStationsElementByElement) {
    const double q = 10;
    {
        BeamRun run(2.0f);  // two elements of 2 m
        ASSERT_EQ(run.result, 1);
        const double l = 2;
        ExpectNear(run.Field(23), -q * l * l / 12, q * l * l, "station 4: node 1 of element 1");
        ExpectNear(run.Field(21), q * l * l / 24, q * l * l, "station 2: middle of element 0");
        ExpectNear(run.Field(27), -q * l * l / 12, q * l * l, "station 8");
        ExpectNear(run.Field(32), q * l / 2, q * l, "V station 4");
        ExpectNear(run.Field(5), 4, 1, "end x");
    }
    {
        BeamRun run(0.5f);  // eight elements of 0.5 m
        ASSERT_EQ(run.result, 1);
        const double l = 0.5;
        for (int s = 0; s <= 8; ++s) {
            ExpectNear(run.Field(19 + s), -q * l * l / 12, q * l * l, "every station at an element end");
            ExpectNear(run.Field(28 + s), s < 8 ? q * l / 2 : -q * l / 2, q * l, "V");
        }
        EXPECT_FLOAT_EQ(run.Field(3), 0);
        EXPECT_FLOAT_EQ(run.Field(5), 4);
    }
}

TEST(OutForceBeam, ALoadBeyondItsElementStopsAfterTheBeamIsWritten) {
    auto beyond = [](net_dat_file& dat) { dat.line[0].v[3] = 9; };
    BeamRun run(1.0e6f, "0,1,0\n1,1,2,20,0,0,1\n", beyond);
    EXPECT_EQ(run.record.size(), 228u);
    EXPECT_EQ(JS_ERROR_CODE, 201);
    int told = 0;
    for (const auto& l : run.folder.lines) told += l.text == "Load error in cal_eload_beam";
    EXPECT_EQ(told, 1);
    // Moved to mid-element: P/2 each side, −PL/8 at the ends.
    ExpectNear(run.Field(28), 10, 20, "V at the start");
    ExpectNear(run.Field(19), -20 * 4 / 8.0, 80, "M at the start");
}

TEST(PinForces, OutPinBeamAddsTheEndForcesAtTheElementsNodes) {
    FemFolder folder;
    FemModel m;
    m.nodes = {{0, 0}, {4, 0}};
    m.beams = {{1, 2}};
    m.supports = {"1,3,0,0", "2,3,0,0"};
    m.loads = "0,1,0\n1,1,1,10,10,0,4\n";
    m.Mesh(folder, 2.0f);
    net_dat_file dat("NET_DAT.FB");
    freedom_file fr("FREEDOM.FB");
    ASSERT_TRUE(dat.read_node() && dat.read_beam() && dat.read_load(0, 2) && fr.read_id());
    std::vector<double> U(std::size_t(fr.neq) + 1, 0.0);
    std::vector<float> pins(3 * std::size_t(dat.node_num), 0.0f);
    for (int e = 0; e < dat.beam_num; ++e) ASSERT_EQ(out_pin_beam(e, dat, fr.id, U.data(), pins.data()), 1);
    // Two elements of 2 m, each fixed at both ends: 10 kN at each end, 20 in the middle.
    std::vector<float> w;
    for (int n = 0; n < dat.node_num; ++n) w.push_back(pins[3 * n]);
    std::sort(w.begin(), w.end());
    ASSERT_EQ(w.size(), 3u);
    EXPECT_NEAR(w[0], 10, 1e-4);
    EXPECT_NEAR(w[1], 10, 1e-4);
    EXPECT_NEAR(w[2], 20, 1e-4);
}

// A foundation beam: 1.2 m and 0.8 m flanges either side of a 500 mm web.
void Foundation(struc_ld_file& struc) {
    beam_rec& b = struc.beams[0];
    b.kind = 4;
    b.b_alt = 500;
    b.foundation[3] = 1450, b.foundation[4] = 1050;
}

TEST(OutForceBeam, FoundationBeamsTakeTheirFlangeMomentsFromTheBaseReactions) {
    // One beam, two cases: case 0 reactions 50, 60, 70.
    kv::test::Bytes fl;
    fl.i({1, 2}).f({50, 60, 70, 1, 1, 1});
    {
        BeamRun run(1.0e6f, "0,1,0\n1,1,1,10,10,0,4\n", nullptr, Foundation, fl.str());
        ASSERT_EQ(run.result, 1);
        EXPECT_NEAR(run.Field(55), 60 * 1.2 * 1.2 / 2, 1e-4);
        EXPECT_NEAR(run.Field(56), 60 * 0.8 * 0.8 / 2, 1e-4);
    }
    {
        // Without the reactions file (no soil): told, the record still written, the stage stops.
        BeamRun run(1.0e6f, "0,1,0\n1,1,1,10,10,0,4\n", nullptr, Foundation);
        EXPECT_EQ(run.record.size(), 228u);
        EXPECT_NE(JS_ERROR_CODE, 0);
    }
}

TEST(FlangeMoments, ArmsFromTheBaseWidthsAndTheMeanReaction) {
    struct Case {
        int b12, b13, b16, b17, b18, b19, flag;
        float left, right;  // hand values, kN·m per m
    } cases[] = {
        // Arms 1.2 and 0.8 m from half the width 500; q = 60: q·a²/2.
        {500, 0, 1450, 1050, 0, 0, 0, 60 * 1.2f * 1.2f / 2, 60 * 0.8f * 0.8f / 2},
        // Form 1: the arms are B16 − B18 and B17 − B19.
        {500, 1, 1450, 1050, 450, 850, 0, 60 * 1.0f * 1.0f / 2, 60 * 0.2f * 0.2f / 2},
        // A flange edge at the web face: arm 0.0001 mm.
        {500, 0, 250, 1250, 0, 0, 0, 60 * 1e-7f * 1e-7f / 2, 60 * 1.0f * 1.0f / 2},
        // Flag 1: q per width, q / (B16 + B17) / 1000.
        {500, 0, 1450, 1050, 0, 0, 1, 60.0f / 2500 / 1000 * 1.2f * 1.2f / 2, 60.0f / 2500 / 1000 * 0.8f * 0.8f / 2},
        // An odd alternative width halves towards zero.
        {501, 0, 1450, 1050, 0, 0, 0, 60 * 1.2f * 1.2f / 2, 60 * 0.8f * 0.8f / 2},
    };
    const float reactions[3] = {50, 60, 70};
    for (const Case& c : cases) {
        beam_rec b;
        b.kind = 4;
        b.b_alt = c.b12;
        b.foundation[0] = c.b13;
        b.foundation[3] = c.b16, b.foundation[4] = c.b17, b.foundation[5] = c.b18, b.foundation[6] = c.b19;
        float out[2];
        flange_moments(b, reactions, c.flag, out);
        EXPECT_NEAR(out[0], c.left, 1e-5 * std::fabs(c.left) + 1e-20) << c.b16;
        EXPECT_NEAR(out[1], c.right, 1e-5 * std::fabs(c.right)) << c.b17;
    }
}

TEST(PinForces, BeamEndForcesBalanceTheLoadAndReachTheNodes) {
    FemFolder folder;
    const float L = 3, q = 8, P = 12;
    const float d[6] = {};
    float F[6];
    // A skew element: its vertical end forces carry the whole load upward.
    ASSERT_EQ(beam_end_force(Element(1, 1, 1 + 1.8f, 1 + 2.4f), 2, d, kE, kNu,
                             {Uniform(2, q, q, 0, L), Point(2, P, 1), Uniform(1, 50, 50, 0, L)}, F),
              1);
    EXPECT_NEAR(F[0] + F[3], q * L + P, 1e-4 * (q * L + P));
    float beyond[6];
    EXPECT_EQ(beam_end_force(Element(0, 0, L, 0), 0, d, kE, kNu, {Point(0, P, 4)}, beyond), 0);
    EXPECT_EQ(JS_ERROR_CODE, 201);
}

TEST(PinForces, PlateEndForcesOfAPressureSumToItsTotal) {
    FemFolder folder;
    plate_element plate;
    plate_element_data e;
    const float x[3] = {0, 2, 0.5f}, y[3] = {0, 0.4f, 1.5f};
    for (int k = 0; k < 3; ++k) e.x[k] = x[k], e.y[k] = y[k];
    e.thick = 0.2f;
    const float d[9] = {};
    float F[9];
    ASSERT_EQ(plate_end_force(plate, e, 5, d, kE, kNu, {{5, 10.0f}, {6, 99.0f}}, F), 1);
    const double area = 0.5 * ((x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]));
    EXPECT_NEAR(F[0] + F[3] + F[6], 10 * area, 1e-4 * 10 * area);
}

}  // namespace
