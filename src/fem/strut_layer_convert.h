#pragma once
// From a strut-layer model (strut_layer_model.h) to the finite-element input file
// "YXY_JS.DAT": the waling beams and struts become beams, the model nodes they use
// become nodes, restraints become supports, and the nodal and member loads of the
// ten load cases are summed with one factor per case into the file's one case.
//
// Two steps. StrutLayerTables::Prepare_Data reads the model and fills the tables
// below; CForm_YXY_Dat::Form_YXY_JS_DAT_File writes them out. The tables are plain
// public members so that other writers (the plane-frame library) convert the
// same way and only write their own file.
#include <cstdio>
#include <string>
#include <vector>

#include "fem/strut_layer_model.h"

namespace kv::fem {

struct YxyNode {
    int number = 0;  // the node's number in the model
    float x = 0;
    float y = 0;
};

// A waling beam or strut as a beam between two positions of the node table.
struct YxyBeam {
    int number = 0;  // the member's number in the model
    int start = 0;   // 1-based positions in the node table
    int end = 0;
    float width = 0;  // rectangle: b and h (mm); other sections: the two alternative values
    float depth = 0;
    int kind = 0;  // 0 waling beam, 1 strut
    int sectionType = 1;
    int grade = 0;       // the member's sixth value: its concrete grade
    float value1 = 0;    // the member's first float
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // end points, m
    int twelfth = 0;     // the member's end-release flags
    int thirteenth = 0;
    int lineType = 1;    // 1 straight, 2 arc about (cx, cy)
    float cx = 0, cy = 0;
};

struct YxyNodeLoad {
    int node = 0;  // 1-based position in the node table
    int kind = 0;
    float p[3] = {0, 0, 0};
    int loadCase = 1;  // the model's case (1 … 10), its factor already applied
};

struct YxySupport {
    int node = 0;  // 1-based position in the node table
    float value = 0;
    int kind = 0;
    float stiffness = 0;
};

struct YxyMemberLoad {
    int beam = 0;  // 1-based beam number
    int type = 0;
    float p[4] = {0, 0, 0, 0};
    int loadCase = 1;  // the model's case (1 … 10), its factor already applied
};

inline constexpr int kLoadCases = 10;

struct StrutLayerTables {
    StrutLayerTables();

    // The model file is "<name>_StrLdA-1.DAT" in the current folder, found whatever
    // the case of its name.
    std::string m_strName;
    // Factor of load cases 1 … 10; all 1.0 to begin with.
    float m_fFactor[kLoadCases];

    int m_nNode = 0;
    int m_nBeam = 0;
    int m_nNodeLoad = 0;
    int m_nMemberLoad = 0;
    int m_nSupport = 0;
    std::vector<YxyNode> m_cNode;  // model nodes used by members, in order of first use
    std::vector<YxyBeam> m_cBeam;  // waling beams, then struts
    std::vector<YxyNodeLoad> m_cNodeLoad;
    std::vector<YxySupport> m_cSupport;
    std::vector<YxyMemberLoad> m_cMemberLoad;  // loads already multiplied by their case's factor
    // The model's member behind beam g is m_cMember[g - 1], loads factored as above:
    // whatever of a member the tables do not carry is read there.
    std::vector<CJsLineGouJian> m_cMember;

    // Reads the model and fills the tables; 1 on success, 0 when the model cannot be
    // read. A load case outside 1 … 10 shows "荷载工况号错 !" and counts as case 1;
    // a node load or restraint on a node no member uses is dropped.
    int Prepare_Data();

    // Position (0-based) of a model node in the node table, or -1.
    int FindNode(int modelNode) const;
    // Length of beam g (1-based) along its line or arc, m.
    float beam_length(int g) const;
};

// Length along a straight line, or along the arc about (cx, cy) counter-clockwise
// from the start to the end point.
float beam_length(const YxyBeam& beam);

class CForm_YXY_Dat : public StrutLayerTables {
public:
    // Concrete grade of the beams, written in the file's beam header. 0 (the
    // default) takes the first member's grade, or 20 (a new member's) when the model
    // has no members; set it to write another.
    int m_nBeamGrade = 0;

    // Writes "YXY_JS.DAT" in the current folder from the tables; 1 when it is
    // complete, 0 when it could not be written (the old file is then kept).
    int Form_YXY_JS_DAT_File();

private:
    bool write_nodes_and_beams(std::FILE* fp) const;
    bool write_supports(std::FILE* fp) const;
    bool write_loads(std::FILE* fp);
    bool write_nodal_loads(std::FILE* fp);
    bool write_member_loads(std::FILE* fp);
    int BeamGrade() const;

    // Load lines of the case written so far, and the running line number.
    int m_nPointLines = 0;
    int m_nLineLines = 0;
    long m_nLineNo = 0;
};

}  // namespace kv::fem
