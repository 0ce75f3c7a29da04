// The flat slab's equivalent frame: the strip over its columns as a plane frame
// model for the frame library, the computing spans shortened by the caps, and
// the punching record's inputs from the slab.
#include <climits>
#include <cmath>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "base/error.h"
#include "codes/material.h"
#include "frame/frame_library.h"
#include "members/beams/fem_files.h"
#include "members/flatslab/wllg_data.h"
#include "members/flatslab/wllg_frm.h"

namespace {

using kv::frame::CJsBzData_Frm;
using kv::frame::CJsLineGouJian_Frm;

constexpr float kPi = 3.1415927f;

// One column position: its shape and size as the frame and the cap see it.
struct Column {
    int round = 0;
    int B = 0, D = 0, H = 0;  // width 柱宽, diameter, depth 柱高 (mm)

    float Size() const { return static_cast<float>(round ? D : B); }
    float Area() const {
        if (round) return kPi * static_cast<float>(D) * static_cast<float>(D) / 4;
        return static_cast<float>(B) * static_cast<float>(H);
    }
    float Inertia() const {
        const float d = static_cast<float>(D), h = static_cast<float>(H);
        if (round) return kPi * d * d * d * d / 64;
        return h * h * h * static_cast<float>(B) / 12;
    }
};

Column LeftColumn(const WLLG_FIELDS& f) { return {f.m_nLeftRound, f.m_nLeftColB, f.m_nLeftColD, f.m_nLeftColH}; }
Column MidColumn(const WLLG_FIELDS& f) { return {f.m_nMidRound, f.m_nMidColB, f.m_nMidColD, f.m_nMidColH}; }
Column RightColumn(const WLLG_FIELDS& f) { return {f.m_nRightRound, f.m_nRightColB, f.m_nRightColD, f.m_nRightColH}; }

// Nominal half-width r of the cap over a column and the effective one c (mm):
// a thin cap spreads no further than its thickness beyond the column face.
struct CapReach {
    float r = 0, c = 0;
};

CapReach Reach(const CHONGQIE_JS_STRUCT& cap, const Column& col) {
    CapReach k;
    k.r = static_cast<float>(col.round ? cap.m_nCapD : cap.m_nCapB) / 2;
    const float s = col.Size(), t = static_cast<float>(cap.m_nCapThick);
    k.c = t >= (2 * k.r - s) / 2 ? k.r : t + s / 2;
    return k;
}

// A side pressure on an edge column: q1 at the column's start, q2 at a from it.
struct SidePressure {
    float q1, q2, a;
};

// Metres as whole millimetres, truncated; a length past the int range (a span
// text may hold any number) stops at its end.
int Millimetres(float m) {
    const float mm = m * 1000.0f;  // in float, as the lengths are kept
    if (std::isnan(mm)) return 0;
    if (mm >= 2147483648.0f) return INT_MAX;
    if (mm <= -2147483648.0f) return INT_MIN;
    return static_cast<int>(mm);
}

}  // namespace

int CWllgData::WriteFrameModel() {
    m_pSpans.clear();
    std::optional<std::vector<float>> parsed = parse_span_list(m_szSpans);
    if (!parsed || JS_ERROR_CODE) return 0;
    m_pSpans = std::move(*parsed);
    const int n = static_cast<int>(m_pSpans.size());
    float lower = m_fLowerHeight, upper = m_fUpperHeight;
    m_pCapLeft.assign(static_cast<std::size_t>(n), 0.0f);
    m_pCapRight.assign(static_cast<std::size_t>(n), 0.0f);

    if (m_ChongQie.m_nHasCap) {
        CapReach left = Reach(m_ChongQie, LeftColumn(*this));
        CapReach right = Reach(m_ChongQie, RightColumn(*this));
        const CapReach mid = n >= 2 ? Reach(m_ChongQie, MidColumn(*this)) : CapReach{};
        if (m_nEdgeCap == 0) left.c = right.c = 0;
        for (int i = 0; i < n; ++i) {
            const CapReach& a = i == 0 ? left : mid;
            const CapReach& b = i == n - 1 ? right : mid;
            const float l = m_pSpans[static_cast<std::size_t>(i)];
            float l0 = l - 2.0f / 3.0f * (a.c + b.c) / 1000;
            float ai = (a.r - 2.0f / 3.0f * a.c) / 1000;
            const float bi = l0 - (b.r - 2.0f / 3.0f * b.c) / 1000;
            if (l0 < 0.01f) l0 = 0.01f;
            if (ai < 0) ai = 0;
            m_pSpans[static_cast<std::size_t>(i)] = l0;
            m_pCapLeft[static_cast<std::size_t>(i)] = ai;
            m_pCapRight[static_cast<std::size_t>(i)] = bi;
        }
        const float t = static_cast<float>(m_ChongQie.m_nCapThick) / 1000;
        if (m_ChongQie.m_nCapDown) lower -= t;
        else upper -= t;
    }

    // An old model in any spelling of its name would be opened again.
    remove_in_work_path(kWllgModelFile);
    std::unique_ptr<CJsBzData_Frm> model(new (std::nothrow) CJsBzData_Frm(kWllgModelFile));
    if (!model) {
        tell_error(kv::err::kFailure, "内存不够  !");
        return 0;
    }
    const int N = n + 1;
    const bool mid = m_nMidStorey != 0;
    const int rows = mid ? 3 : 2;

    model->m_nNetNode = N * rows;
    if (!model->Prepare_NetNode()) return 0;
    for (int row = 0; row < rows; ++row) {
        const float y = row == 0 ? 0.0f : row == 1 ? lower : lower + upper;
        float x = 0;
        for (int j = 0; j < N; ++j) {
            if (j > 0) x += m_pSpans[static_cast<std::size_t>(j - 1)];
            const int k = row * N + j + 1;
            model->m_cNetNode[static_cast<std::size_t>(k - 1)] = {k, k + 999, x, y};
        }
    }
    model->Write_NetNode();
    model->Free_NetNode();

    const int lines = mid ? 3 * n + 2 : 2 * n + 1;
    model->m_nNetLine = lines;
    if (!model->Prepare_NetLine()) return 0;
    auto line = [&](int k, int start, int end) {
        model->m_cNetLine[static_cast<std::size_t>(k - 1)] = {k, k + 999, 0, start, end, 0.0f, 0.0f};
    };
    int k = 1;
    for (int i = 0; i < n; ++i, ++k) line(k, N + 1 + i, N + 2 + i);
    for (int i = 0; i < N; ++i, ++k) line(k, 1 + i, N + 1 + i);
    if (mid)
        for (int i = 0; i < N; ++i, ++k) line(k, N + 1 + i, 2 * N + 1 + i);
    model->Write_NetLine();
    model->Free_NetLine();

    model->m_nNodeYS = mid ? 2 * N : N;
    if (!model->Prepare_NodeYS()) return 0;
    k = 1;
    for (int row : {0, 2}) {
        if (row == 2 && !mid) break;
        for (int i = 0; i < N; ++i, ++k)
            model->m_cNodeYS[static_cast<std::size_t>(k - 1)] = {k, k + 999, row * N + 1 + i, i + 1000, 0.0f, 3, 1.0f};
    }
    model->Write_NodeYS();
    model->Free_NodeYS();

    model->m_nYaoLiang = lines;
    if (!model->Prepare_YaoLiang()) return 0;
    Con_Prop concrete{};
    get_rc_property(m_nConGrade, &concrete);
    const float b = static_cast<float>(m_nStripWidth), h = static_cast<float>(m_nSlabThick);
    auto member = [&](int k, bool slab, const Column* col, const SidePressure* load) -> bool {
        CJsLineGouJian_Frm& g = model->m_cYaoLiang[static_cast<std::size_t>(k - 1)];
        g.number = k;
        g.second = k + 999;
        g.netLine = k;
        g.fourth = k;
        g.sectionType = slab ? 1 : 2;
        g.sixth = m_nConGrade;
        g.value1 = slab ? 1.0f : concrete.Ec / 100000;
        g.width = h;  // the section's depth in the frame's plane
        g.depth = b;
        g.alt1 = slab ? 1.0f : col->Area() / 100;
        g.alt2 = slab ? 1.0f : col->Inertia() / 10000;
        g.twelfth = g.thirteenth = 0;
        g.m_nLoad = load ? 1 : 0;
        if (!load) return true;
        if (!g.Prepare_Load()) return false;
        kv::fem::JsLineLoad& q = g.m_cLoad[0];
        q.type = 8;
        q.value[0] = load->q1 * b / 1000;
        q.value[1] = 0;
        q.value[2] = load->a;
        q.value[3] = load->q2 * b / 1000;
        return true;
    };
    k = 1;
    for (int i = 0; i < n; ++i, ++k) {
        const float l0 = m_pSpans[static_cast<std::size_t>(i)];
        const SidePressure q{m_fSlabQ, m_fSlabQ, l0};
        if (!member(k, true, nullptr, &q)) return 0;
    }
    const Column left = LeftColumn(*this), inner = MidColumn(*this), right = RightColumn(*this);
    // The right edge's pressures push the other way.
    const SidePressure lowLeft{m_fLowLeftQ1, m_fLowLeftQ2, m_fLowLeftA};
    const SidePressure lowRight{-m_fLowRightQ1, -m_fLowRightQ2, m_fLowRightA};
    const SidePressure upLeft{m_fUpLeftQ1, m_fUpLeftQ2, m_fUpLeftA};
    const SidePressure upRight{-m_fUpRightQ1, -m_fUpRightQ2, m_fUpRightA};
    for (int storey = 0; storey < (mid ? 2 : 1); ++storey) {
        for (int i = 0; i < N; ++i, ++k) {
            const Column* col = i == 0 ? &left : i == n ? &right : &inner;
            const SidePressure* load = nullptr;
            if (i == 0) load = storey == 0 ? &lowLeft : &upLeft;
            else if (i == n) load = storey == 0 ? &lowRight : &upRight;
            if (!member(k, false, col, load)) return 0;
        }
    }
    model->Write_YaoLiang();
    model->Free_YaoLiang();
    model.reset();
    return JS_ERROR_CODE ? 0 : 1;
}

void CWllgData::FillChongQie() {
    CHONGQIE_JS_STRUCT& r = m_ChongQie;
    r.m_nSteam = m_nSteam;
    r.m_nConGrade = m_nConGrade;
    r.m_nSlabWidth = m_nStripWidth;
    r.m_nSlabThick = m_nSlabThick;
    r.m_fAs = static_cast<float>(m_nAs);
    std::optional<std::vector<float>> spans = parse_span_list(m_szSpans);
    if (!spans) return;
    const std::vector<float>& l = *spans;
    if (l.size() >= 2) {
        r.m_nColB = m_nMidColB;
        r.m_nColD = m_nMidColD;
        r.m_nColH = m_nMidColH;
        r.m_nSquareCol = m_nMidRound == 0 ? 1 : 0;
        // The pair of neighbouring spans of the largest mean, the first on ties.
        std::size_t kept = 0;
        float mean = (l[0] + l[1]) / 2;
        for (std::size_t i = 1; i + 1 < l.size(); ++i) {
            const float m = (l[i] + l[i + 1]) / 2;
            if (m > mean) {
                mean = m;
                kept = i;
            }
        }
        const float a = l[kept], b = l[kept + 1];
        const bool uneven = std::fabs(a - b) > 0.001f || a > 6.0f || b > 6.0f;
        r.m_nSlabLength = Millimetres(mean);
        r.m_fLoad = uneven ? m_fSlabQ * 1.1f : m_fSlabQ;
    } else {
        r.m_nColB = m_nLeftColB;
        r.m_nColD = m_nLeftColD;
        r.m_nColH = m_nLeftColH;
        r.m_nSquareCol = m_nLeftRound == 0 ? 1 : 0;
        r.m_nSlabLength = Millimetres(l[0]);
        r.m_fLoad = l[0] > 6.0f ? m_fSlabQ * 1.1f : m_fSlabQ;
    }
}
