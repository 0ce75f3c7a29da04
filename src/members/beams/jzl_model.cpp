// The grid beam's model: the span lists parsed, the nodes, beams and panels of
// the grid built, and the tables completed for the analysis.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/error.h"
#include "base/geometry.h"
#include "base/textio.h"
#include "members/beams/jzl_calc.h"
#include "members/beams/jzl_data.h"

namespace {

void SpanError() { tell_error(kv::err::kFailure, "跨长输入有误 !"); }

}  // namespace

std::vector<float> jzl_parse_spans(const std::string& text) {
    // A longer list than the data file's field holds is no list of ours.
    if (text.size() > kJzlMaxSpanText || text.find('\0') != std::string::npos) {
        SpanError();
        return {};
    }
    std::vector<std::string> tokens;
    std::string unit;
    for (int pos = 0; read_one_unit_from_string(unit, text.c_str(), &pos) > 0;) tokens.push_back(unit);

    long total = 0;
    for (const std::string& t : tokens) {
        const std::size_t star = t.find('*');
        if (star == std::string::npos) {
            ++total;
            continue;
        }
        if (star == 0 || star + 1 == t.size()) {
            SpanError();
            return {};
        }
        // A negative count would take spans from the others and overrun the list.
        const long count = std::atol(t.c_str() + star + 1);
        if (count < 0) {
            SpanError();
            return {};
        }
        total += std::min(count, 31L);
    }
    if (total < 1) {
        SpanError();
        return {};
    }
    if (total > kJzlMaxSpans) {
        tell_error(kv::err::kFailure, "跨数不能超过 30 !");
        return {};
    }
    std::vector<float> spans;
    for (const std::string& t : tokens) {
        const float length = static_cast<float>(std::atof(t.c_str()));
        if (!std::isfinite(length)) {
            SpanError();
            return {};
        }
        const std::size_t star = t.find('*');
        const int count = star == std::string::npos ? 1 : std::atoi(t.c_str() + star + 1);
        spans.insert(spans.end(), count, length);
    }
    return spans;
}

void CJzlJs::jzl_build_grid(CJzlData* data) {
    m_pData = data;
    m_nConGrade = data->ConGrade;
    m_nCover = data->Cover;
    m_nBarDiameter = data->BarDiameter;
    m_nBarGrade = data->BarGrade;
    m_nStirrupGrade = data->StirrupGrade;
    m_nStirrupSpacing = data->StirrupSpacing;
    m_fLoad = data->Load;
    m_fLoad2 = data->Load2;
    m_fUnitWeight = data->UnitWeight;
    m_fFactor1 = data->Factor1;
    m_fFactor2 = data->Factor2;
    m_fLongTerm1 = data->LongTerm1;
    m_fLongTerm2 = data->LongTerm2;
    m_nLoadMode = data->LoadMode;
    m_fConFactor = data->ConFactor;
    m_fMainRedis = data->MainRedistribution;
    m_fSecRedis = data->SecRedistribution;
    m_nSteam = data->Steam;

    const std::vector<float> xs = jzl_parse_spans(data->XSpans);
    if (JS_ERROR_CODE) return;
    const std::vector<float> ys = jzl_parse_spans(data->YSpans);
    if (JS_ERROR_CODE) return;
    // A count below 0 would divide by zero, a larger one split spans finer than the
    // dialog ever offers; a file may hold either.
    if (data->XSecondary < 0 || data->XSecondary > kJzlMaxSecondary || data->YSecondary < 0 ||
        data->YSecondary > kJzlMaxSecondary) {
        tell_error(kv::err::kFailure, "次梁数应在 0 到 10 之间 !");
        return;
    }
    m_nXSpans = static_cast<int>(xs.size());
    m_nYSpans = static_cast<int>(ys.size());

    const int kx = data->XSecondary + 1, ky = data->YSecondary + 1;
    std::vector<float> xsub, ysub;
    for (float s : xs)
        for (int k = 0; k < ky; ++k) xsub.push_back(s / ky);
    for (float s : ys)
        for (int k = 0; k < kx; ++k) ysub.push_back(s / kx);
    const int nXs = m_nXSpans * ky, nYs = m_nYSpans * kx;
    // The library's node table would overflow in the middle of its mesh stage:
    // stop here with its own message, before any table or work file is made.
    if ((nXs + 1) * (nYs + 1) > kJzlMaxNodes) {
        tell_error(kv::err::kFailure, sprintf_gbk("Point_num = %d over flow !", kJzlMaxNodes));
        return;
    }
    m_nXSub = nXs;
    m_nYSub = nYs;

    m_Nodes.assign(static_cast<std::size_t>((nXs + 1) * (nYs + 1)), JZL_NODE{});
    m_Beams.assign(static_cast<std::size_t>(nXs * (nYs + 1) + nYs * (nXs + 1)), JZL_BEAM{});
    m_Panels.assign(static_cast<std::size_t>(nXs * nYs), JZL_PANEL{});

    // Supports: inner crossings of two main beams, and the corners.
    for (int r = 0; r <= nYs; ++r)
        for (int c = 0; c <= nXs; ++c) {
            JZL_NODE& n = m_Nodes[r * (nXs + 1) + c];
            const bool crossing = r % kx == 0 && c % ky == 0;
            n.support = crossing && c > 0 && c < nXs && r > 0 && r < nYs ? 1 : 0;
        }
    for (int i : {0, nXs, nYs * (nXs + 1), nYs * (nXs + 1) + nXs}) m_Nodes[i].support = 1;

    float y = 0;
    for (int r = 0; r <= nYs; ++r) {
        float x = 0;
        for (int c = 0; c <= nXs; ++c) {
            const int i = r * (nXs + 1) + c;
            JZL_NODE& n = m_Nodes[i];
            n.x = x;
            n.y = y;
            n.index = i;
            auto raise = [&](int edge) { n.support = std::max(n.support, data->EdgeSupport[edge]); };
            if (r == 0) raise(0);
            if (r == nYs) raise(2);
            if (c == 0) raise(3);
            if (c == nXs) raise(1);
            if (c < nXs) x += xsub[c];
        }
        if (r < nYs) y += ysub[r];
    }

    int k = 0;
    for (int r = 0; r <= nYs; ++r)
        for (int c = 0; c < nXs; ++c, ++k) {
            JZL_BEAM& b = m_Beams[k];
            b.node1 = r * (nXs + 1) + c + 1;
            b.node2 = b.node1 + 1;
            b.secondary = r % kx != 0 ? 1 : 0;
            b.b = b.secondary ? data->XSecWidth : data->XWidth;
            b.h = b.secondary ? data->XSecHeight : data->XHeight;
            const int edge = r == 0 ? 0 : r == nYs ? 2 : -1;
            if (edge >= 0) {
                b.b = data->EdgeWidth[edge];
                b.h = data->EdgeHeight[edge];
                b.absent = data->EdgeBeam[edge] ? 0 : 1;
            }
        }
    m_nXBeams = nXs * (nYs + 1);
    for (int r = 0; r < nYs; ++r)
        for (int c = 0; c <= nXs; ++c, ++k) {
            JZL_BEAM& b = m_Beams[k];
            b.node1 = r * (nXs + 1) + c + 1;
            b.node2 = (r + 1) * (nXs + 1) + c + 1;
            b.secondary = c % ky != 0 ? 1 : 0;
            b.b = b.secondary ? data->YSecWidth : data->YWidth;
            b.h = b.secondary ? data->YSecHeight : data->YHeight;
            const int edge = c == 0 ? 3 : c == nXs ? 1 : -1;
            if (edge >= 0) {
                b.b = data->EdgeWidth[edge];
                b.h = data->EdgeHeight[edge];
                b.absent = data->EdgeBeam[edge] ? 0 : 1;
            }
        }
    m_nYBeams = nYs * (nXs + 1);

    const int NX = m_nXBeams;
    k = 0;
    for (int r = 0; r < nYs; ++r)
        for (int c = 0; c < nXs; ++c, ++k) {
            JZL_PANEL& p = m_Panels[k];
            p.corners = 4;
            p.edge[0] = r * nXs + c + 1;
            p.edge[1] = NX + r * (nXs + 1) + c + 2;
            p.edge[2] = (r + 1) * nXs + c + 1;
            p.edge[3] = NX + r * (nXs + 1) + c + 1;
            p.load = data->Load;
            p.load2 = data->Load2;
            p.mode = data->LoadMode;
        }
}

void CJzlJs::jzl_prepare_model() {
    std::vector<char> carries(m_Nodes.size(), 0);
    for (const JZL_BEAM& b : m_Beams)
        if (!b.absent) carries[b.node1 - 1] = carries[b.node2 - 1] = 1;
    for (std::size_t i = 0; i < m_Nodes.size(); ++i)
        if (!carries[i]) {
            m_Nodes[i].support = 2;
            m_Nodes[i].hidden = 1;
        }

    int element = 0;
    for (JZL_BEAM& b : m_Beams) {
        const JZL_NODE& n1 = m_Nodes[b.node1 - 1];
        const JZL_NODE& n2 = m_Nodes[b.node2 - 1];
        b.x1 = n1.x;
        b.y1 = n1.y;
        b.x2 = n2.x;
        b.y2 = n2.y;
        b.width_factor = 1.0f;
        b.element = b.absent ? -1 : ++element;
    }
    // Only absent edge lines (one span each way, no edge or secondary beam).
    if (element == 0) {
        tell_error(kv::err::kFailure, "没有可以计算的梁（请设边梁或次梁）!");
        return;
    }

    for (JZL_PANEL& p : m_Panels) {
        for (int k = 0; k < 4; ++k) {
            const JZL_BEAM& b = m_Beams[std::abs(p.edge[k]) - 1];
            const JZL_BEAM& next = m_Beams[std::abs(p.edge[(k + 1) % 4]) - 1];
            if (b.node1 == next.node1 || b.node1 == next.node2) p.edge[k] = -std::abs(p.edge[k]);
            if (p.edge[k] > 0) {
                p.node[k] = b.node1;
                p.x[k] = b.x1;
                p.y[k] = b.y1;
            } else {
                p.node[k] = b.node2;
                p.x[k] = b.x2;
                p.y[k] = b.y2;
            }
        }
    }
}

float CJzlJs::BeamLength(const JZL_BEAM& beam) const { return get_dist(beam.x1, beam.y1, beam.x2, beam.y2); }

int CJzlJs::FindBeam(int node1, int node2) const {
    for (std::size_t i = 0; i < m_Beams.size(); ++i) {
        const JZL_BEAM& b = m_Beams[i];
        if ((b.node1 == node1 && b.node2 == node2) || (b.node1 == node2 && b.node2 == node1))
            return static_cast<int>(i) + 1;
    }
    tell_error(kv::err::kDataError, "找不到对应的梁号 !");
    return 1;
}
