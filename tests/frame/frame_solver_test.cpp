// The plane-frame analysis against closed forms (slope-deflection and simple
// statics, axial shortening made negligible where the closed form ignores it).
#include "frame/frame_solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace kv::frame;

constexpr double kPi = 3.14159265358979323846;
constexpr double kE = 3.0e7;     // kN/m², C30
constexpr double kI = 0.0054;    // m⁴, 300 × 600
constexpr double kStiffA = 1e3;  // m²: no axial shortening to speak of

FrameMember Member(int a, int b, double A = kStiffA) {
    FrameMember m;
    m.start = a;
    m.end = b;
    m.E = kE;
    m.A = A;
    m.I = kI;
    return m;
}

FrameSupport Support(int node, int kind, double angle = 0) { return {node, kind, angle, 0}; }

FrameMemberLoad Uniform(int member, double q) {
    FrameMemberLoad l;
    l.member = member;
    l.type = 3;
    l.value[0] = q;
    return l;
}

FrameNodeLoad NodeForce(int node, double f1, double f2) {
    FrameNodeLoad l;
    l.node = node;
    l.kind = 1;
    l.value[0] = f1;
    l.value[1] = f2;
    return l;
}

FrameResult Solve(const FrameModel& model, SolveOptions options = {}) {
    FrameResult result;
    SolveOutcome outcome = SolveFrame(model, options, result);
    EXPECT_EQ(outcome.status, SolveStatus::Ok);
    return result;
}

// The loads' resultant (force and moment about the origin, counter-clockwise)
// worked out here from the sign rules, for the cases below: node forces and
// uniform loads across straight members.
void ExpectBalanced(const FrameModel& model, const FrameResult& r) {
    double fx = 0, fy = 0, mz = 0;
    for (const FrameNodeLoad& l : model.nodeLoads) {
        const FrameNode& n = model.nodes[l.node];
        double px = l.kind == 1 ? l.value[0] : 0, py = l.kind == 1 ? l.value[1] : 0;
        fx += px;
        fy += py;
        mz += n.x * py - n.y * px - (l.kind == 1 ? 0 : l.value[2]);
    }
    for (const FrameMemberLoad& l : model.memberLoads) {
        ASSERT_EQ(l.type, 3);
        const FrameMember& m = model.members[l.member];
        const FrameNode& a = model.nodes[m.start];
        const FrameNode& b = model.nodes[m.end];
        double L = std::hypot(b.x - a.x, b.y - a.y), c = (b.x - a.x) / L, s = (b.y - a.y) / L;
        // Towards −y: the direction (s, −c), total qL at the middle.
        double px = l.value[0] * L * s, py = -l.value[0] * L * c;
        fx += px;
        fy += py;
        mz += (a.x + b.x) / 2 * py - (a.y + b.y) / 2 * px;
    }
    for (std::size_t n = 0; n < model.nodes.size(); ++n) {
        fx += r.reaction[3 * n];
        fy += r.reaction[3 * n + 1];
        mz += model.nodes[n].x * r.reaction[3 * n + 1] - model.nodes[n].y * r.reaction[3 * n] + r.reaction[3 * n + 2];
    }
    EXPECT_NEAR(fx, 0, 1e-6);
    EXPECT_NEAR(fy, 0, 1e-6);
    EXPECT_NEAR(mz, 0, 1e-5);
}

struct Expected {
    int member;
    double M0, M4, M8;
};

void ExpectMoments(const FrameResult& r, const std::vector<Expected>& expected, const std::string& name) {
    for (const Expected& e : expected) {
        const StationValues& v = r.members[e.member];
        EXPECT_NEAR(v.M[0], e.M0, 1e-4 * (1 + std::fabs(e.M0))) << name << " member " << e.member;
        EXPECT_NEAR(v.M[4], e.M4, 1e-4 * (1 + std::fabs(e.M4))) << name << " member " << e.member;
        EXPECT_NEAR(v.M[8], e.M8, 1e-4 * (1 + std::fabs(e.M8))) << name << " member " << e.member;
    }
}

// One 6 m beam from (0, 0) to (6, 0) under q = 10 kN/m downward.
FrameModel SingleBeam(int leftKind, int rightKind) {
    FrameModel m;
    m.nodes = {{0, 0}, {6, 0}};
    m.members = {Member(0, 1)};
    m.supports = {Support(0, leftKind), Support(1, rightKind)};
    m.memberLoads = {Uniform(0, 10)};
    return m;
}

TEST(FrameSolver, FixedFixedBeamUnderUniformLoad) {
    FrameModel model = SingleBeam(3, 3);
    FrameResult r = Solve(model);
    const double q = 10, L = 6;
    ExpectMoments(r, {{0, -q * L * L / 12, q * L * L / 24, -q * L * L / 12}}, "fixed-fixed");
    const StationValues& v = r.members[0];
    for (int i : {0, 4, 8}) EXPECT_NEAR(v.N[i], 0, 1e-9);
    EXPECT_NEAR(v.V[0], q * L / 2, 1e-6);
    EXPECT_NEAR(v.V[4], 0, 1e-6);
    EXPECT_NEAR(v.V[8], -q * L / 2, 1e-6);
    // Mid-span deflection qL⁴/384EI, downward, in mm.
    EXPECT_NEAR(v.uy[4], -q * L * L * L * L / (384 * kE * kI) * 1000, 1e-6);
    EXPECT_NEAR(v.uy[0], 0, 1e-12);
    EXPECT_NEAR(r.reaction[1], q * L / 2, 1e-6);
    EXPECT_NEAR(r.reaction[2], q * L * L / 12, 1e-6);  // the wall turns the left end back, counter-clockwise
    ExpectBalanced(model, r);
}

TEST(FrameSolver, ProppedCantileverAndAReleasedEndAgree) {
    const double q = 10, L = 6;
    const std::vector<Expected> expected = {{0, -q * L * L / 8, q * L * L / 16, 0}};
    FrameModel propped = SingleBeam(3, 4);
    FrameResult r = Solve(propped);
    ExpectMoments(r, expected, "propped");
    EXPECT_NEAR(r.reaction[1], 5 * q * L / 8, 1e-6);
    EXPECT_NEAR(r.reaction[4], 3 * q * L / 8, 1e-6);
    ExpectBalanced(propped, r);

    // Both ends fixed, but the member is released at its end: no moment passes.
    FrameModel released = SingleBeam(3, 3);
    released.members[0].releaseEnd = true;
    FrameResult rr = Solve(released);
    ExpectMoments(rr, expected, "released end");
    EXPECT_NEAR(rr.members[0].M[8], 0, 1e-9);
    EXPECT_NEAR(rr.reaction[5], 0, 1e-9);
    ExpectBalanced(released, rr);
}

TEST(FrameSolver, TwoEqualSpansOnHingeAndLinks) {
    const double q = 10, L = 6;
    FrameModel model;
    model.nodes = {{0, 0}, {L, 0}, {2 * L, 0}};
    model.members = {Member(0, 1), Member(1, 2)};
    model.supports = {Support(0, 4), Support(1, 2, kPi / 2), Support(2, 2, 3 * kPi / 2)};
    model.memberLoads = {Uniform(0, q), Uniform(1, q)};
    FrameResult r = Solve(model);
    ExpectMoments(r, {{0, 0, q * L * L / 16, -q * L * L / 8}, {1, -q * L * L / 8, q * L * L / 16, 0}}, "two spans");
    EXPECT_NEAR(r.reaction[1], 3 * q * L / 8, 1e-6);
    EXPECT_NEAR(r.reaction[4], 10 * q * L / 8, 1e-6);
    EXPECT_NEAR(r.reaction[7], 3 * q * L / 8, 1e-6);
    ExpectBalanced(model, r);
}

// A simple beam of 6 m (hinge, and a link across it) under each member load type,
// worked by hand: M and N at mid-span, the reactions at the hinge.
TEST(FrameSolver, SimpleBeamUnderEachLoadType) {
    struct Case {
        int type;
        double v[4];
        double M4, N4, Rx, Ry;
    };
    const Case cases[] = {
        {1, {0, -10, 2, 0}, 10, 0, 0, 10.0 * 4 / 6},    // force of 10 down at 2 m
        {2, {12, 2, 0, 0}, 6, 0, 0, -2},                 // clockwise moment of 12 at 2 m
        {3, {10, 0, 0, 0}, 45, 0, 0, 30},                // uniform, downward
        {4, {10, 0, 0, 0}, 0, -30, 60, 0},               // along the beam, towards −x
        {5, {10, 0, 0, 0}, 45, 0, 0, 30},                // vertical, downward
        {6, {10, 1.5, 0, 0}, 41.25, 0, 0, 22.5},         // trapezoid, ramps of 1.5 m
        {7, {10, 0, 0, 0}, 30, 0, 0, 15},                // triangle peaking at mid-span
        {8, {10, 1, 3, 20}, 455.0 / 9, 0, 0, 25},        // 10 at 1 m rising to 20 at 4 m
    };
    for (const Case& c : cases) {
        FrameModel model;
        model.nodes = {{0, 0}, {6, 0}};
        model.members = {Member(0, 1)};
        model.supports = {Support(0, 4), Support(1, 2, kPi / 2)};
        FrameMemberLoad load;
        load.type = c.type;
        for (int k = 0; k < 4; ++k) load.value[k] = c.v[k];
        model.memberLoads = {load};
        FrameResult r = Solve(model);
        EXPECT_NEAR(r.members[0].M[4], c.M4, 1e-6) << "type " << c.type;
        EXPECT_NEAR(r.members[0].N[4], c.N4, 1e-6) << "type " << c.type;
        EXPECT_NEAR(r.reaction[0], c.Rx, 1e-6) << "type " << c.type;
        EXPECT_NEAR(r.reaction[1], c.Ry, 1e-6) << "type " << c.type;
        EXPECT_NEAR(r.members[0].M[0], 0, 1e-9) << "type " << c.type;
    }
}

// Portal of columns A(0,0)–B(0,h) and D(L,0)–C(L,h), both drawn upwards, and the
// beam B–C; h = L = 4 m and one section throughout (k = 1).
FrameModel Portal(int baseKind) {
    FrameModel m;
    m.nodes = {{0, 0}, {0, 4}, {4, 4}, {4, 0}};
    m.members = {Member(0, 1), Member(1, 2), Member(3, 2)};
    m.supports = {Support(0, baseKind), Support(3, baseKind)};
    return m;
}

struct PortalCase {
    const char* name;
    int baseKind;
    bool lateral;  // H = 10 kN to the right at B, else q = 10 kN/m down the beam
    std::vector<Expected> moments;
    double leftN;  // axial force of column A–B at its middle
};

TEST(FrameSolver, PortalsAgainstSlopeDeflection) {
    const double H = 10, q = 10, h = 4, L = 4, k = 1;
    const double baseF = -H * h * (1 + 3 * k) / (2 * (1 + 6 * k)), topF = 3 * k * H * h / (2 * (1 + 6 * k));
    const double topQ = q * L * L / (6 * (2 + k)), topP = q * L * L / (4 * (3 + 2 * k));
    const std::vector<PortalCase> cases = {
        {"fixed, lateral", 3, true, {{0, baseF, (baseF + topF) / 2, topF}, {1, topF, 0, -topF}, {2, baseF, (baseF + topF) / 2, topF}},
         2 * topF / L},
        {"pinned, lateral", 4, true, {{0, 0, H * h / 4, H * h / 2}, {1, H * h / 2, 0, -H * h / 2}, {2, 0, H * h / 4, H * h / 2}},
         H * h / L},
        {"fixed, beam load", 3, false,
         {{0, topQ / 2, -topQ / 4, -topQ}, {1, -topQ, q * L * L / 8 - topQ, -topQ}, {2, -topQ / 2, topQ / 4, topQ}},
         -q * L / 2},
        {"pinned, beam load", 4, false,
         {{0, 0, -topP / 2, -topP}, {1, -topP, q * L * L / 8 - topP, -topP}, {2, 0, topP / 2, topP}}, -q * L / 2},
    };
    for (const PortalCase& c : cases) {
        FrameModel model = Portal(c.baseKind);
        if (c.lateral)
            model.nodeLoads = {NodeForce(1, H, 0)};
        else
            model.memberLoads = {Uniform(1, q)};
        FrameResult r = Solve(model);
        ExpectMoments(r, c.moments, c.name);
        EXPECT_NEAR(r.members[0].N[4], c.leftN, 1e-4 * (1 + std::fabs(c.leftN))) << c.name;
        ExpectBalanced(model, r);
    }
}

TEST(FrameSolver, PinJointedTriangleCarriesAxialForceOnly) {
    const double P = 10;
    FrameModel model;
    model.nodes = {{0, 0}, {6, 0}, {3, 4}};
    model.members = {Member(0, 1, 0.01), Member(0, 2, 0.01), Member(1, 2, 0.01)};
    for (FrameMember& m : model.members) m.releaseStart = m.releaseEnd = true;
    model.supports = {Support(0, 4), Support(1, 2, kPi / 2)};
    model.nodeLoads = {NodeForce(2, 0, -P)};
    FrameResult r = Solve(model);
    const double expectedN[3] = {3 * P / 8, -5 * P / 8, -5 * P / 8};
    for (int m = 0; m < 3; ++m) {
        for (int i : {0, 4, 8}) {
            EXPECT_NEAR(r.members[m].N[i], expectedN[m], 1e-9) << m;
            EXPECT_NEAR(r.members[m].M[i], 0, 1e-9) << m;
            EXPECT_NEAR(r.members[m].V[i], 0, 1e-9) << m;
        }
    }
    ExpectBalanced(model, r);
}

// A quarter circle of radius R about the origin, fixed at (R, 0), loaded at its
// free end (0, R) by P downward: M = P R cos φ, N = −P cos φ, V = −P sin φ, and
// the end sinks by P R π/4 · (R²/EI + 1/EA).
TEST(FrameSolver, ArcConvergesWithMoreChords) {
    const double R = 5, P = 10, A = 0.18;
    FrameModel model;
    model.nodes = {{R, 0}, {0, R}};
    FrameMember arc = Member(0, 1, A);
    arc.arc = true;
    model.members = {arc};
    model.supports = {Support(0, 3)};
    model.nodeLoads = {NodeForce(1, 0, -P)};
    const double exact = -P * R * kPi / 4 * (R * R / (kE * kI) + 1 / (kE * A)) * 1000;
    double previous = 1e9;
    for (int chords : {8, 16, 32, 64}) {
        SolveOptions options;
        options.arcChords = chords;
        FrameResult r = Solve(model, options);
        const StationValues& v = r.members[0];
        for (int i : {0, 4, 8}) {
            double phi = kPi / 2 * i / 8;
            EXPECT_NEAR(v.M[i], P * R * std::cos(phi), 1e-6) << chords;
            EXPECT_NEAR(v.N[i], -P * std::cos(phi), 1e-6) << chords;
            EXPECT_NEAR(v.V[i], -P * std::sin(phi), 1e-6) << chords;
        }
        double error = std::fabs(v.uy[8] - exact);
        EXPECT_LT(error, previous) << chords;
        previous = error;
        if (chords == 64) {
            EXPECT_LT(error, 1e-3 * std::fabs(exact));
        }
    }
}

TEST(FrameSolver, SectionKindsOfEqualStiffnessAgree) {
    double E1, A1, I1, E2, A2, I2;
    ASSERT_TRUE(SectionStiffness(1, 600, 300, 0, 30, E1, A1, I1));  // h × b
    ASSERT_TRUE(SectionStiffness(2, 300 * 600 / 100.0, 300 * 600.0 * 600 * 600 / 12 / 1e4, 0.3, 0, E2, A2, I2));
    EXPECT_NEAR(E1 * A1, E2 * A2, 1e-9 * E1 * A1);
    EXPECT_NEAR(E1 * I1, E2 * I2, 1e-9 * E1 * I1);
    EXPECT_NEAR(I1, 0.3 * 0.6 * 0.6 * 0.6 / 12, 1e-12);
    double E, A, I;
    EXPECT_FALSE(SectionStiffness(1, 600, 300, 0, 31, E, A, I));  // no such grade
    EXPECT_FALSE(SectionStiffness(1, 0, 300, 0, 30, E, A, I));
}

TEST(FrameSolver, MechanismAndZeroLengthAreRefused) {
    FrameModel sliding = SingleBeam(2, 2);  // two links across the beam: nothing holds it along
    sliding.supports[0].angle = sliding.supports[1].angle = kPi / 2;
    FrameResult r;
    EXPECT_EQ(SolveFrame(sliding, {}, r).status, SolveStatus::Mechanism);

    FrameModel fourHinges = Portal(4);
    fourHinges.members[1].releaseStart = fourHinges.members[1].releaseEnd = true;
    fourHinges.nodeLoads = {NodeForce(1, 10, 0)};
    EXPECT_EQ(SolveFrame(fourHinges, {}, r).status, SolveStatus::Mechanism);

    FrameModel shortBeam = SingleBeam(3, 3);
    shortBeam.nodes[1] = shortBeam.nodes[0];
    SolveOutcome outcome = SolveFrame(shortBeam, {}, r);
    EXPECT_EQ(outcome.status, SolveStatus::ZeroLength);
    EXPECT_EQ(outcome.index, 0);
}

TEST(FrameSolver, CivilAirDefenceFrameTakesLoadCaseOneOnly) {
    FrameModel model = SingleBeam(3, 3);
    model.memberLoads.push_back(Uniform(0, 5));
    model.memberLoads[1].loadCase = 2;
    SolveOptions all, first;
    first.firstCaseOnly = true;
    EXPECT_NEAR(Solve(model, all).members[0].M[0], -15 * 36 / 12.0, 1e-6);
    EXPECT_NEAR(Solve(model, first).members[0].M[0], -10 * 36 / 12.0, 1e-6);
}

// A 6 m beam hinged at its left end with a spring, then a link at 45°, at its
// right end, under 12 kN down at mid-span; and a clockwise node moment at the tip
// of a cantilever. Worked by hand.
TEST(FrameSolver, SpringsInclinedLinksAndNodeMoments) {
    const double P = 12, k = 1000, L = 6;
    auto beam = [&](FrameSupport right) {
        FrameModel m;
        m.nodes = {{0, 0}, {L, 0}};
        m.members = {Member(0, 1)};
        m.supports = {Support(0, 4), right};
        FrameMemberLoad load;
        load.type = 1;
        load.value[1] = -P;
        load.value[2] = L / 2;
        m.memberLoads = {load};
        return m;
    };
    // The spring (k kN/m, upwards) carries P/2 and sinks by P/2k.
    FrameResult r = Solve(beam({1, 1, kPi / 2, k}));
    EXPECT_NEAR(r.members[0].M[4], P / 2 * L / 2, 1e-6);
    EXPECT_NEAR(r.members[0].uy[8], -P / 2 / k * 1000, 1e-6);
    EXPECT_NEAR(r.reaction[4], P / 2, 1e-6);
    // The link's force (P/2, P/2) along it pulls the beam's end outward: tension.
    r = Solve(beam(Support(1, 2, kPi / 4)));
    EXPECT_NEAR(r.reaction[3], P / 2, 1e-6);
    EXPECT_NEAR(r.reaction[4], P / 2, 1e-6);
    EXPECT_NEAR(r.reaction[0], -P / 2, 1e-6);
    EXPECT_NEAR(r.members[0].N[4], P / 2, 1e-6);
    EXPECT_NEAR(r.members[0].M[4], P / 2 * L / 2, 1e-6);
    EXPECT_NEAR(r.members[0].ux[8] + r.members[0].uy[8], 0, 1e-9);  // nothing moves along the link

    // 10 kN·m clockwise at the tip: hogging all along, the tip turns clockwise by
    // ML/EI and sinks by ML²/2EI, and the wall turns the node back.
    FrameModel arm = beam(Support(1, 0));
    arm.supports = {Support(0, 3)};
    arm.memberLoads.clear();
    FrameNodeLoad moment;
    moment.node = 1;
    moment.kind = 2;
    moment.value[2] = 10;
    arm.nodeLoads = {moment};
    r = Solve(arm);
    for (int i : {0, 4, 8}) EXPECT_NEAR(r.members[0].M[i], -10, 1e-9);
    EXPECT_NEAR(r.members[0].uy[8], -10 * L * L / (2 * kE * kI) * 1000, 1e-9);
    EXPECT_NEAR(r.displacement[5], -10 * L / (kE * kI), 1e-12);
    EXPECT_NEAR(r.reaction[2], 10, 1e-9);
    ExpectBalanced(arm, r);
}

// A half circle of radius 5 about the origin, hinged at (5, 0) and (-5, 0), under
// 10 kN/m across it: the load acts outward, so the ring is in tension qR with next
// to no bending, and each support holds it down by qR.
TEST(FrameSolver, HalfRingUnderOutwardLoad) {
    const double R = 5, q = 10;
    FrameModel model;
    model.nodes = {{R, 0}, {-R, 0}};
    FrameMember arc = Member(0, 1);
    arc.arc = true;
    model.members = {arc};
    model.supports = {Support(0, 4), Support(1, 4)};
    model.memberLoads = {Uniform(0, q)};
    SolveOptions options;
    options.arcChords = 64;
    FrameResult r = Solve(model, options);
    for (int i = 0; i < 9; ++i) {
        EXPECT_NEAR(r.members[0].N[i], q * R, 0.01 * q * R) << i;
        EXPECT_NEAR(r.members[0].M[i], 0, 0.001 * q * R * R) << i;
    }
    // Each chord carries its stretch of arc's load across itself: the resultant
    // is off by the chords' (1 + Δ²/24), Δ = π/64.
    EXPECT_NEAR(r.reaction[1], -q * R, 1e-3 * q * R);
    EXPECT_NEAR(r.reaction[4], -q * R, 1e-3 * q * R);
    EXPECT_NEAR(r.reaction[0] + r.reaction[3], 0, 1e-6);
}

}  // namespace
