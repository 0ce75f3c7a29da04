#pragma once
// Linear-elastic analysis of a plane frame: three freedoms per node (ux, uy and
// the rotation), members with axial and bending stiffness (no shear deformation),
// straight or circular arcs, the latter cut into chords.
//
// Signs and units (m, kN, kN·m throughout; displacements in the results in mm):
// - A member runs from its start to its end node; its local x is that direction
//   (along an arc: the tangent, the arc running counter-clockwise about its
//   centre), its local y is x turned by +90°.
// - N is positive in tension. M is positive when it puts the member's −y side in
//   tension (the side its diagram is drawn on). V = dM/dx along the member.
//   ux and uy are global, uy upward; rotations are counter-clockwise.
// - Loads act as the model's sketch draws them: a node or member force (F1, F2)
//   is its global x and y components (F2 < 0 pushes down), a node or member
//   moment > 0 turns clockwise, and a distributed load q > 0 across a member
//   (types 3, 6, 7, 8) acts towards its −y side (downward on a beam drawn left to
//   right, outward on an arc). Type 4 acts along x: towards −x on a straight
//   member whose direction lies in 0°…180°, towards +x otherwise; type 5 along
//   y: downward on a straight member whose direction lies outside 90°…270°,
//   upward otherwise; on an arc its middle radius takes the place of the
//   direction and both act the other way. Intensities are per metre of member.
// - Member load values, as the model keeps them (positions in m from the start,
//   along the arc for an arc): 1 force (v1, v2) at v3; 2 moment v1 at v2; 3
//   uniform v1; 4, 5 uniform v1 along x, y; 6 trapezoid v1 with ramps of v2; 7
//   triangle rising to v1 at mid-length; 8 linear from v1 at v2 to v4 at v2 + v3.
//   Other types load nothing. A node load of kind 1 is the force (v1, v2); any
//   other kind the moment v3.
// - Supports: 1 a spring of the given stiffness (kN/m) along the support's angle
//   (radians); 2 a rigid link along that angle; 3 fixed; 4 hinged. A node whose
//   members are all released there keeps no rotation of its own.
#include <string>
#include <vector>

namespace kv::frame {

inline constexpr int kStations = 9;

struct FrameNode {
    double x = 0;
    double y = 0;
};

struct FrameMember {
    int start = 0;  // node indices from 0
    int end = 0;
    bool arc = false;
    double cx = 0;  // arc centre
    double cy = 0;
    double E = 0;  // kN/m²
    double A = 0;  // m²
    double I = 0;  // m⁴
    bool releaseStart = false;  // no moment passes at that end
    bool releaseEnd = false;
};

struct FrameSupport {
    int node = 0;
    int kind = 0;
    double angle = 0;
    double stiffness = 0;
};

struct FrameNodeLoad {
    int node = 0;
    int loadCase = 1;
    int kind = 1;
    double value[3] = {0, 0, 0};
};

struct FrameMemberLoad {
    int member = 0;
    int loadCase = 1;
    int type = 3;
    double value[4] = {0, 0, 0, 0};
};

struct FrameModel {
    std::vector<FrameNode> nodes;
    std::vector<FrameMember> members;
    std::vector<FrameSupport> supports;
    std::vector<FrameNodeLoad> nodeLoads;
    std::vector<FrameMemberLoad> memberLoads;
};

// Values at the nine stations of a member: i/8 of its length from the start
// (for an arc, at the angles θ₁ + i·Δθ/8).
struct StationValues {
    double M[kStations] = {};
    double N[kStations] = {};
    double V[kStations] = {};
    double ux[kStations] = {};  // mm
    double uy[kStations] = {};  // mm
};

struct FrameResult {
    std::vector<StationValues> members;
    // Per model node: ux, uy (m) and the rotation (rad).
    std::vector<double> displacement;
    // Per model node: the force (kN) and moment (kN·m, counter-clockwise) that
    // its supports put on it; 0 at a node without support.
    std::vector<double> reaction;
};

struct SolveOptions {
    int arcChords = 32;          // chords per arc, raised to a multiple of 8
    bool firstCaseOnly = false;  // only load case 1 acts
};

// BadData: a node or member reference out of range, or a number not finite.
enum class SolveStatus { Ok, BadData, ZeroLength, NoStiffness, Mechanism, TooLarge };

// The most freedoms (three per node, chord ends of arcs included) the dense
// solver takes on: frames of this program stay far below it.
inline constexpr int kMaxFreedoms = 4500;

struct SolveOutcome {
    SolveStatus status = SolveStatus::Ok;
    int index = -1;  // the member (or node) at fault, from 0
};

SolveOutcome SolveFrame(const FrameModel& model, const SolveOptions& options, FrameResult& result);

// Length of a member: its chord, or along the arc counter-clockwise from the
// start to the end point.
double MemberLength(const FrameModel& model, const FrameMember& member);

// E (kN/m²), A (m²), I (m⁴) of a section. Kind 1: value1 × value2 = h × b (mm),
// E of the concrete grade; kind 2: A/100 (mm²), I/10⁴ (mm⁴) and e = E/10⁵
// (N/mm²). False for an unknown grade or a section without stiffness.
bool SectionStiffness(int kind, double value1, double value2, double e, int grade, double& E, double& A, double& I);

}  // namespace kv::frame
