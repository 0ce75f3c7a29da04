#pragma once
// The frame library's work files in the current folder, binary, every value 4
// bytes little-endian (int32 or IEEE float), nothing between them; see README.md
// beside this file for the layouts. "yxy_js.dat" (the converter's input file) and
// "STRUC_LD.FB" (the structure file the input stage makes of it) share one
// layout; "FORCE.FB" holds the results. Names are found whatever their case.
#include <cstddef>
#include <string>
#include <vector>

namespace kv::frame {

inline constexpr const char* kInputFile = "yxy_js.dat";
inline constexpr const char* kStrucFile = "STRUC_LD.FB";
inline constexpr const char* kForceFile = "FORCE.FB";

inline constexpr char kInputTag[9] = "KVFRMDAT";
inline constexpr char kStrucTag[9] = "KVFRMSTR";
inline constexpr char kForceTag[9] = "KVFRMFOR";
inline constexpr int kFileVersion = 1;

struct FrmNode {
    int number = 0;  // the node's number in the model
    float x = 0;     // m
    float y = 0;
};

// A member record; the field numbers are its positions in the file.
struct StrucBeam_Frm {
    int kind = 1;          // 0: 1 straight, 2 arc
    int material = 1;      // 1: 1 section b × h, 2 section given by A, I, E
    int start = 0;         // 2, 3: 1-based positions in the node table
    int end = 0;
    float section[2] = {};  // 4, 5: h and b (mm), or A/100 (mm²) and I/10⁴ (mm⁴)
    float e = 0;            // 6: E/10⁵ (N/mm²) of material 2
    int number = 0;         // 7: the member's number in the model
    float xc = 0;           // 8, 9: arc centre, m
    float yc = 0;
    float grade = 0;        // 10: concrete grade
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // 11–14: end points, m
    int releaseStart = 0;   // 15, 16: nonzero, no moment passes at that end
    int releaseEnd = 0;
    int flag = 0;           // 17: report flag (1 for a strut of the model)
    float E = 0;            // 18–20: stiffness as analysed (kN/m², m², m⁴);
    float A = 0;            //        0 in the input file
    float I = 0;
};
inline constexpr int kBeamFields = 21;
static_assert(sizeof(StrucBeam_Frm) == kBeamFields * 4, "4-byte fields only");

struct FrmSupport {
    int node = 0;  // 1-based
    int kind = 0;  // 1 spring, 2 link, 3 fixed, 4 hinged
    float angle = 0;      // radians, of a spring or link
    float stiffness = 0;  // kN/m, of a spring
};

struct FrmNodeLoad {
    int node = 0;  // 1-based
    int loadCase = 1;
    int kind = 1;
    float value[3] = {};
};

struct FrmMemberLoad {
    int member = 0;  // 1-based
    int loadCase = 1;
    int type = 3;
    float value[4] = {};
};

// The contents of "yxy_js.dat" or "STRUC_LD.FB".
struct FrmStructure {
    std::vector<FrmNode> nodes;
    std::vector<StrucBeam_Frm> beams;
    std::vector<FrmSupport> supports;
    std::vector<FrmNodeLoad> nodeLoads;
    std::vector<FrmMemberLoad> memberLoads;
};

// One member's results in one load case: 59 values, the field numbers being the
// positions in the file.
struct ForceBeam_Frm {
    int number = 0;  // 0: the member's number in the model
    int start = 0;   // 1, 2: 1-based positions in the node table
    int end = 0;
    int kind = 1;       // 3: 1 straight, 2 arc
    float length = 0;   // 4: m
    float reserved[9] = {};  // 5–13: 0
    float M[9] = {};    // 14–22: kN·m, stations 0–8
    float N[9] = {};    // 23–31: kN
    float V[9] = {};    // 32–40: kN
    float ux[9] = {};   // 41–49: mm
    float uy[9] = {};   // 50–58: mm
};
inline constexpr int kForceFields = 59;
static_assert(sizeof(ForceBeam_Frm) == kForceFields * 4, "4-byte fields only");

// Writes the file through a temporary one; false when it could not be written
// (an old file then stays as it was).
bool WriteStructureFile(const char* name, const char* tag, const FrmStructure& data);
// Reads a whole file; false with the reason in `error` (the file is missing, of
// another kind, or damaged). `data` is then empty.
bool ReadStructureFile(const char* name, const char* tag, FrmStructure& data, std::string& error);
// Every number is finite, and the references between the records (nodes of
// members, supports and loads, members of loads) lie within the tables; false
// with the reason in `error`.
bool CheckReferences(const FrmStructure& data, std::string& error);

struct FrmForces {
    int nodeCount = 0;
    // cases[c] holds one record per member.
    std::vector<std::vector<ForceBeam_Frm>> cases;
};
bool WriteForceFile(const char* name, const FrmForces& data);
bool ReadForceFile(const char* name, FrmForces& data, std::string& error);

}  // namespace kv::frame
