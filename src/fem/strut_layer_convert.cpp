#include "fem/strut_layer_convert.h"

#include "base/error.h"
#include "base/geometry.h"
#include "base/textio.h"
#include "platform/paths.h"
#include "platform/services.h"

#include <climits>
#include <cmath>
#include <new>

namespace kv::fem {

namespace {

constexpr const char* kNoMemory = "内存不够  !";
constexpr const char* kBadCase = "荷载工况号错 !";
constexpr const char* kOutputName = "YXY_JS.DAT";
constexpr float kTwoPi = 6.2831855f;
constexpr float kRigid = 1.0e10f;  // stiffness of a link (restraint kind 2)

// The factor of a load's case; a case outside 1 … 10 is told and taken as case 1.
float CaseFactor(const float (&factor)[kLoadCases], int loadCase) {
    if (loadCase < 1 || loadCase > kLoadCases) {
        kv::MessageBox(kBadCase);
        loadCase = 1;
    }
    return factor[loadCase - 1];
}

// The case a load counts in (one outside 1 … 10 counts as case 1).
int CaseOf(int loadCase) { return loadCase >= 1 && loadCase <= kLoadCases ? loadCase : 1; }

void ApplyFactors(CJsBzData& model, const float (&factor)[kLoadCases]) {
    for (JsNodeLoad& load : model.m_cNodeLoad) {
        float f = CaseFactor(factor, load.loadCase);
        for (float& v : load.value) v *= f;
    }
    for (auto* members : {&model.m_cYaoLiang, &model.m_cZhiCheng}) {
        for (CJsLineGouJian& member : *members) {
            for (JsLineLoad& load : member.m_cLoad) {
                float f = CaseFactor(factor, load.loadCase);
                load.value[0] *= f;
                // Only the intensities scale, never the positions or lengths.
                if (load.type == 1) load.value[1] *= f;
                if (load.type == 8) load.value[3] *= f;
            }
        }
    }
}

// A section value as the whole number the file holds (the default second value
// of a member given by its constants is 1e12, beyond any int).
int Truncated(float v) {
    if (!(v > static_cast<float>(INT_MIN))) return INT_MIN;
    if (!(v < static_cast<float>(INT_MAX))) return INT_MAX;
    return static_cast<int>(v);
}

}  // namespace

float beam_length(const YxyBeam& beam) {
    if (beam.lineType != 2) return get_dist(beam.x1, beam.y1, beam.x2, beam.y2);
    float a1 = get_line_angle(beam.cx, beam.cy, beam.x1, beam.y1);
    float a2 = get_line_angle(beam.cx, beam.cy, beam.x2, beam.y2);
    if (a2 < a1) a2 += kTwoPi;
    return (a2 - a1) * get_dist(beam.cx, beam.cy, beam.x2, beam.y2);
}

// ---- StrutLayerTables ------------------------------------------------------------

StrutLayerTables::StrutLayerTables() {
    JS_ERROR_CODE = 0;
    for (float& f : m_fFactor) f = 1.0f;
}

int StrutLayerTables::FindNode(int modelNode) const {
    for (std::size_t i = 0; i < m_cNode.size(); ++i)
        if (m_cNode[i].number == modelNode) return static_cast<int>(i);
    return -1;
}

float StrutLayerTables::beam_length(int g) const {
    if (g < 1 || g > static_cast<int>(m_cBeam.size())) return 0;
    return kv::fem::beam_length(m_cBeam[g - 1]);
}

int StrutLayerTables::Prepare_Data() {
    if (JS_ERROR_CODE) return 0;
    m_nNode = m_nBeam = m_nNodeLoad = m_nMemberLoad = m_nSupport = 0;
    m_cNode.clear();
    m_cBeam.clear();
    m_cNodeLoad.clear();
    m_cSupport.clear();
    m_cMemberLoad.clear();
    m_cMember.clear();

    const std::string fileName = m_strName + "_StrLdA-1.DAT";
    // A missing model is an error here, not an empty model to be made.
    if (kv::platform::ResolveExisting(fileName).empty()) {
        tell_error1(kv::err::kFailure, "不能打开文件 : %s", fileName.c_str());
        return 0;
    }
    CJsBzData model(fileName.c_str());
    if (JS_ERROR_CODE || !model.Read_All()) return 0;

    ApplyFactors(model, m_fFactor);

    try {
        const int nodes = static_cast<int>(model.m_cNetNode.size());
        const int lines = static_cast<int>(model.m_cNetLine.size());
        // Position of a model node in the node table, appended on first use.
        auto use = [&](int modelNode) {
            int at = FindNode(modelNode);
            if (at >= 0) return at + 1;
            const JsNetNode& n = model.m_cNetNode[modelNode - 1];
            m_cNode.push_back({modelNode, n.x, n.y});
            return static_cast<int>(m_cNode.size());
        };
        m_cMember.reserve(model.m_cYaoLiang.size() + model.m_cZhiCheng.size());
        int kind = 0;
        for (auto* members : {&model.m_cYaoLiang, &model.m_cZhiCheng}) {
            for (const CJsLineGouJian& member : *members) {
                if (member.netLine < 1 || member.netLine > lines) {
                    tell_error1(kv::err::kDataError, "构件 %d 的网格线 %d 不存在 !", member.number, member.netLine);
                    return 0;
                }
                const JsNetLine& line = model.m_cNetLine[member.netLine - 1];
                for (int node : {line.start, line.end}) {
                    if (node < 1 || node > nodes) {
                        tell_error1(kv::err::kDataError, "网格线 %d 的节点 %d 不存在 !", member.netLine, node);
                        return 0;
                    }
                }
                YxyBeam beam;
                beam.number = member.number;
                beam.start = use(line.start);
                beam.end = use(line.end);
                const bool rectangle = member.sectionType == 1;
                beam.width = rectangle ? member.width : member.alt1;
                beam.depth = rectangle ? member.depth : member.alt2;
                beam.kind = kind;
                beam.sectionType = member.sectionType;
                beam.grade = member.sixth;
                beam.value1 = member.value1;
                beam.x1 = model.m_cNetNode[line.start - 1].x;
                beam.y1 = model.m_cNetNode[line.start - 1].y;
                beam.x2 = model.m_cNetNode[line.end - 1].x;
                beam.y2 = model.m_cNetNode[line.end - 1].y;
                beam.twelfth = member.twelfth;
                beam.thirteenth = member.thirteenth;
                beam.lineType = line.shape == 1 ? 2 : 1;
                if (line.shape == 1) {
                    beam.cx = line.cx;
                    beam.cy = line.cy;
                }
                m_cBeam.push_back(beam);
                m_cMember.push_back(member);
                const int g = static_cast<int>(m_cBeam.size());
                for (const JsLineLoad& load : member.m_cLoad)
                    m_cMemberLoad.push_back({g, load.type, {load.value[0], load.value[1], load.value[2], load.value[3]},
                                             CaseOf(load.loadCase)});
            }
            kind = 1;
        }
        for (const JsNodeLoad& load : model.m_cNodeLoad) {
            int at = FindNode(load.node);
            if (at < 0) continue;
            if (load.kind == 1)
                m_cNodeLoad.push_back({at + 1, load.kind, {load.value[0], load.value[1], 0}, CaseOf(load.loadCase)});
            else
                m_cNodeLoad.push_back({at + 1, load.kind, {0, 0, load.value[2]}, CaseOf(load.loadCase)});
        }
        for (const JsNodeYS& ys : model.m_cNodeYS) {
            int at = FindNode(ys.node);
            if (at < 0) continue;
            m_cSupport.push_back({at + 1, ys.value1, ys.kind, ys.kind == 2 ? kRigid : ys.value2});
        }
    } catch (const std::bad_alloc&) {
        kv::MessageBox(kNoMemory);
        return 0;
    }
    m_nNode = static_cast<int>(m_cNode.size());
    m_nBeam = static_cast<int>(m_cBeam.size());
    m_nNodeLoad = static_cast<int>(m_cNodeLoad.size());
    m_nMemberLoad = static_cast<int>(m_cMemberLoad.size());
    m_nSupport = static_cast<int>(m_cSupport.size());
    return 1;
}

// ---- CForm_YXY_Dat ---------------------------------------------------------------

int CForm_YXY_Dat::BeamGrade() const {
    if (m_nBeamGrade > 0) return m_nBeamGrade;
    return m_cBeam.empty() ? CJsLineGouJian{}.sixth : m_cBeam.front().grade;
}

int CForm_YXY_Dat::Form_YXY_JS_DAT_File() {
    if (JS_ERROR_CODE) return 0;
    std::FILE* fp = open_file(kOutputName, "wt");
    if (!fp) return 0;
    bool ok = std::fprintf(fp, "##  有限元计算数据文件    Ver. 1.0\n") > 0 && write_nodes_and_beams(fp) &&
              std::fprintf(fp, "##  板\n0,0\n") > 0 && write_supports(fp) && write_loads(fp) &&
              std::fprintf(fp, "##  土层信息\n0\n") > 0;
    if (!ok || JS_ERROR_CODE) {
        close_file(fp);  // the old file stays
        return 0;
    }
    if (commit_file(fp) != 0) {
        tell_error1(kv::err::kFailure, "不能写入文件 : %s", kOutputName);
        return 0;
    }
    return 1;
}

bool CForm_YXY_Dat::write_nodes_and_beams(std::FILE* fp) const {
    bool ok = std::fprintf(fp, "##  结点\n%d\n", m_nNode) > 0;
    for (int i = 0; i < m_nNode && ok; ++i)
        ok = std::fprintf(fp, "%d,%.5f,%.5f,0\n", i + 1, m_cNode[i].x, m_cNode[i].y) > 0;
    ok = ok && std::fprintf(fp, "##  梁\n%d,%d\n", m_nBeam, BeamGrade()) > 0;
    for (int i = 0; i < m_nBeam && ok; ++i) {
        const YxyBeam& b = m_cBeam[i];
        const bool arc = b.lineType == 2;
        ok = std::fprintf(fp, "%d,%d,%d,%d,%d,%d,%d,%.3f,%d,%.3f,%.3f,0,0,0\n", i + 1, i + 1, arc ? 11 : 1, b.start,
                          b.end, Truncated(b.width), Truncated(b.depth), 0.0, 0, arc ? b.cx : 0.0f,
                          arc ? b.cy : 0.0f) > 0;
    }
    return ok;
}

bool CForm_YXY_Dat::write_supports(std::FILE* fp) const {
    bool ok = std::fprintf(fp, "##  支撑\n%d\n", m_nSupport) > 0;
    for (int i = 0; i < m_nSupport && ok; ++i) {
        const YxySupport& s = m_cSupport[i];
        ok = std::fprintf(fp, "%d,%d,%d,%.5f,%.5e\n", i + 1, s.node, s.kind, s.value, s.stiffness) > 0;
    }
    return ok;
}

// One load case: the counts line is written as zeros first and filled in once the
// load lines are out.
bool CForm_YXY_Dat::write_loads(std::FILE* fp) {
    if (std::fprintf(fp, "##  荷载\n%d\n", 1) <= 0) return false;
    long counts = std::ftell(fp);
    if (counts < 0 || std::fprintf(fp, "%08ld,%08ld,%08ld\n", 0L, 0L, 0L) <= 0) return false;
    if (!write_nodal_loads(fp) || !write_member_loads(fp)) return false;
    long end = std::ftell(fp);
    return end >= 0 && std::fseek(fp, counts, SEEK_SET) == 0 &&
           std::fprintf(fp, "%08ld,%08ld,%08ld\n", static_cast<long>(m_nPointLines),
                        static_cast<long>(m_nLineLines), 0L) > 0 &&
           std::fseek(fp, end, SEEK_SET) == 0;
}

// Every node load goes out as its second value alone.
bool CForm_YXY_Dat::write_nodal_loads(std::FILE* fp) {
    m_nLineNo = 1;
    m_nPointLines = 0;
    for (int i = 0; i < m_nNodeLoad; ++i) {
        const YxyNodeLoad& load = m_cNodeLoad[i];
        if (std::fprintf(fp, "%ld,%d,%.2f,%.2f,%.2f\n", m_nLineNo++, load.node, load.p[1], 0.0, 0.0) <= 0)
            return false;
        ++m_nPointLines;
    }
    return true;
}

bool CForm_YXY_Dat::write_member_loads(std::FILE* fp) {
    m_nLineNo = 1;
    m_nLineLines = 0;
    for (int i = 0; i < m_nMemberLoad; ++i) {
        const YxyMemberLoad& load = m_cMemberLoad[i];
        const int g = load.beam;
        const float L = beam_length(g);
        const float q = std::fabs(load.p[0]);
        struct Line {
            int kind;
            float q1, q2, x1, x2;
        } lines[3];
        int n = 0;
        switch (load.type) {
        case 1:
            lines[n++] = {2, load.p[1], 0, 0, load.p[2]};
            break;
        case 3:
            lines[n++] = {1, q, q, 0, L};
            break;
        case 6:
            lines[n++] = {1, 0, q, 0, load.p[2]};
            lines[n++] = {1, q, q, load.p[2], L - load.p[2]};
            lines[n++] = {1, q, 0, L - load.p[2], L};
            break;
        case 7:
            lines[n++] = {1, 0, q, 0, L / 2};
            lines[n++] = {1, q, 0, L / 2, L};
            break;
        case 8:
            lines[n++] = {1, q, std::fabs(load.p[3]), load.p[1], load.p[1] + load.p[2]};
            break;
        default:
            break;
        }
        for (int k = 0; k < n; ++k) {
            const Line& l = lines[k];
            if (std::fprintf(fp, "%ld,%d,%d,%.2f,%.2f,%.2f,%.2f\n", m_nLineNo++, g, l.kind, l.q1, l.q2, l.x1, l.x2) <=
                0)
                return false;
            ++m_nLineLines;
        }
    }
    return true;
}

}  // namespace kv::fem
