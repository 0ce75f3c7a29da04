// The grid beam's files for the finite-element library: the text input
// "YXY_JS.DAT" with its load cases, the restraints "YS.FB", and the beam forces
// read back from "FORCE.FB" through the library's reader.
#include <cmath>
#include <new>
#include <vector>

#include "base/error.h"
#include "base/geometry.h"
#include "base/interp.h"
#include "base/textio.h"
#include "fem/force_file.h"
#include "members/beams/jzl_calc.h"
#include "members/beams/jzl_data.h"

namespace {

constexpr float kTiny = 0.00001f;
constexpr float kGap = 0.001f;  // m: closer break points are one

}  // namespace

void CJzlJs::CloseFile(std::FILE*& fp) {
    if (fp) close_file(fp);
    fp = nullptr;
}

void CJzlJs::WriteDistributed(int element, float w0, float w1, float a, float b) {
    const float f = GroupFactor();
    if (std::fabs(f) < kTiny) return;
    std::fprintf(m_fpInput, "%ld,%d,%d,%.2f,%.2f,%.2f,%.2f\n", ++m_nLoadCounter, element, 1, f * w0, f * w1, a, b);
}

void CJzlJs::WritePanelEdges(const JZL_PANEL& panel, float q) {
    const int n = panel.corners;
    float A = 0, P = 1;
    if (panel.mode != 0) {
        A = area_poli(n, panel.x, panel.y);
        P = zhouchang_poli(n, panel.x, panel.y);
        if (std::fabs(P) < kTiny) {
            tell_error(kv::err::kDataError, "板周长计算错误");
            P = 1;
        }
    }
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n, k = (i + 2) % n;
        const float Li = get_dist(panel.x[i], panel.y[i], panel.x[j], panel.y[j]);
        const float Ln = get_dist(panel.x[j], panel.y[j], panel.x[k], panel.y[k]);
        std::vector<float> px, py;
        if (panel.mode == 0) {
            if (Li <= Ln) {
                px = {0, Li / 2, Li};
                py = {0, q * Li / 2, 0};
            } else if (std::fabs((Li - Ln / 2) - Ln / 2) < kGap) {
                px = {0, Ln / 2, Li};
                py = {0, q * Ln / 2, 0};
            } else {
                px = {0, Ln / 2, Li - Ln / 2, Li};
                py = {0, q * Ln / 2, q * Ln / 2, 0};
            }
        } else {
            px = {0, Li};
            py = {q * A / P, q * A / P};
        }
        const JZL_BEAM& beam = m_Beams[std::abs(panel.edge[i]) - 1];
        if (beam.absent) continue;
        if (Li < kGap) tell_error(kv::err::kDataError, "导荷载时发现板边段的长度为零 !");
        std::vector<float> breaks{0};
        for (std::size_t m = 1; m + 1 < px.size(); ++m)
            if (px[m] > kGap && px[m] < Li - kGap) breaks.push_back(px[m]);
        breaks.push_back(Li);
        const int count = static_cast<int>(px.size());
        for (std::size_t m = 0; m + 1 < breaks.size(); ++m) {
            const float a = breaks[m], b = breaks[m + 1];
            WriteDistributed(beam.element, liner_inter(px.data(), py.data(), count, a),
                             liner_inter(px.data(), py.data(), count, b), a, b);
        }
    }
}

void CJzlJs::WriteCaseBlock(float f1, float f2) {
    m_fCaseFactor1 = f1;
    m_fCaseFactor2 = f2;
    const long start = std::ftell(m_fpInput);
    std::fprintf(m_fpInput, "%08ld,%08ld,%08ld\n", 0L, 0L, 0L);

    // Node loads: the panels that hand their load to their corners.
    m_nLoadCounter = 0;
    for (m_nGroup = 1; m_nGroup <= 2; ++m_nGroup)
        for (const JZL_PANEL& p : m_Panels) {
            const float q = m_nGroup == 1 ? p.load : p.load2;
            if (p.mode != 2 || std::fabs(q) < kTiny) continue;
            const float P = area_poli(p.corners, p.x, p.y) * q / p.corners;
            const float f = GroupFactor();
            for (int k = 0; k < p.corners; ++k)
                if (std::fabs(f) >= kTiny)
                    std::fprintf(m_fpInput, "%ld,%d,%.2f,%.2f,%.2f\n", ++m_nLoadCounter, p.node[k], f * P, 0.0,
                                 0.0);
        }
    m_nNodeLoads = static_cast<int>(m_nLoadCounter);

    // Beam loads: self weight, then the panel loads of either group.
    m_nLoadCounter = 0;
    m_nGroup = 1;
    if (std::fabs(m_fUnitWeight) >= kTiny)
        for (const JZL_BEAM& b : m_Beams) {
            if (b.absent) continue;
            const float w = (b.b / 1000) * (b.h / 1000) * m_fUnitWeight * 1.2f;
            WriteDistributed(b.element, w, w, 0, BeamLength(b));
        }
    for (m_nGroup = 1; m_nGroup <= 2; ++m_nGroup)
        for (const JZL_PANEL& p : m_Panels)
            if (p.mode != 2) WritePanelEdges(p, m_nGroup == 1 ? p.load : p.load2);
    m_nBeamLoads = static_cast<int>(m_nLoadCounter);
    m_nPlateLoads = 0;
    // A panel that could not hand on its load leaves the counts at zero.
    if (JS_ERROR_CODE) return;

    const long end = std::ftell(m_fpInput);
    std::fseek(m_fpInput, start, SEEK_SET);
    std::fprintf(m_fpInput, "%08ld,%08ld,%08ld", static_cast<long>(m_nNodeLoads), static_cast<long>(m_nBeamLoads),
                 static_cast<long>(m_nPlateLoads));
    std::fseek(m_fpInput, end, SEEK_SET);
}

void CJzlJs::WriteInput(int cases, const float (*factors)[2]) {
    CloseFile(m_fpInput);
    m_fpInput = open_file("YXY_JS.DAT", "wt");
    if (!m_fpInput || JS_ERROR_CODE) return;
    std::FILE* fp = m_fpInput;
    std::fprintf(fp, "##  有限元计算数据文件    Ver. 1.0\n");
    std::fprintf(fp, "##  结点\n%d\n", static_cast<int>(m_Nodes.size()));
    for (std::size_t i = 0; i < m_Nodes.size(); ++i)
        std::fprintf(fp, "%d,%.3f,%.3f,1\n", static_cast<int>(i) + 1, m_Nodes[i].x, m_Nodes[i].y);
    m_nNodesWritten = static_cast<int>(m_Nodes.size());

    int present = 0;
    for (const JZL_BEAM& b : m_Beams) present += b.absent ? 0 : 1;
    std::fprintf(fp, "##  梁\n%d,%d\n", present, m_nConGrade);
    int running = 0;
    for (std::size_t i = 0; i < m_Beams.size(); ++i) {
        const JZL_BEAM& b = m_Beams[i];
        if (b.absent) continue;
        std::fprintf(fp, "%d,%d,%d,%d,%d,%d,%d,%.3f,%d,%.3f,%.3f,0,0,0\n", ++running, static_cast<int>(i) + 1, 1,
                     b.node1, b.node2, static_cast<int>(b.b * b.width_factor), static_cast<int>(b.h), 0.0, 0, 0.0,
                     0.0);
    }
    m_nBeamsWritten = running;
    std::fprintf(fp, "##  板\n0,0\n##  支撑\n0,0\n");
    std::fprintf(fp, "##  荷载\n%d\n", cases);
    m_nCases = cases;
    for (int c = 0; c < cases && !JS_ERROR_CODE; ++c) WriteCaseBlock(factors[c][0], factors[c][1]);
    // A block whose loads could not be handed on stays in the file as written,
    // its counts zero, for the user to look at; the run stops.
    if (!JS_ERROR_CODE) std::fprintf(fp, "##  土层信息\n0\n");
    const int failed = commit_file(m_fpInput);
    m_fpInput = nullptr;
    if (failed) tell_error(kv::err::kFailure, "不能写文件 : YXY_JS.DAT");
}

void CJzlJs::WriteYxyJsDat() {
    static const float kCases[3][2] = {{1, 0}, {0, 1}, {1, 1}};
    WriteInput(3, kCases);
}

void CJzlJs::WriteYxyJsDatSingle() {
    const float one[1][2] = {{m_fFactor1, m_fFactor2}};
    WriteInput(1, one);
}

void CJzlJs::WriteYsFb() {
    std::FILE* fp = open_file("YS.FB", "wt");
    if (!fp) return;
    std::fprintf(fp, "%08d\n", 0);
    int lines = 0;
    for (const JZL_NODE& n : m_Nodes) {
        const int freedoms = n.support == 1 ? 1 : n.support == 2 ? 3 : 0;
        for (int f = 1; f <= freedoms; ++f, ++lines) std::fprintf(fp, "%d,%d\n", n.index, f);
    }
    std::fseek(fp, 0, SEEK_SET);
    std::fprintf(fp, "%08d\n", lines);
    if (commit_file(fp)) tell_error(kv::err::kFailure, "不能写文件 : YS.FB");
}

void CJzlJs::ReadForceFb() {
    m_pForce.reset(new (std::nothrow) force_file("FORCE.FB"));
    // A reader that could not be made, or that refused the file (told by it).
    if (!m_pForce || JS_ERROR_CODE) {
        tell_error(kv::err::kFailure, "打不开有限元计算内力文件 ！");
        return;
    }
    force_file& file = *m_pForce;
    for (int c = 0; c < 3; ++c) {
        if (file.num_beam <= 0) continue;
        if (!file.read_beam(c)) {
            tell_error(kv::err::kFailure, "读入梁内力信息时发生错误");
            return;
        }
        for (JZL_BEAM& b : m_Beams) {
            if (b.element <= 0) continue;
            // A file of another model holds fewer beams than this one has elements.
            if (b.element > static_cast<int>(file.beam.size())) {
                tell_error(kv::err::kFailure, "读入梁内力信息时发生错误");
                return;
            }
            const beam_force& r = file.beam[static_cast<std::size_t>(b.element - 1)];
            for (int j = 0; j < 3; ++j) b.moment[c][j] = r.M[j];
            b.shear[0] = b.shear[1] = r.V[0];
            b.shear[2] = r.V[2];
            b.torque[0] = b.torque[1] = r.T[0];
            b.torque[2] = r.T[2];
        }
        file.free_beam();
    }
}
