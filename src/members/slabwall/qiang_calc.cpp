#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>

#include "base/error.h"
#include "base/globals.h"
#include "base/interp.h"
#include "base/textio.h"
#include "design/pj_beam.h"
#include "design/pj_column.h"
#include "design/plate_elastic.h"
#include "design/plate_table.h"
#include "members/slabwall/ban.h"
#include "members/slabwall/qiang.h"

TAB_PLT3& qiang_tri_table() {
    static TAB_PLT3 table;
    return table;
}

namespace {

enum { kMa, kMb, kBottom, kRight, kTop, kLeft, kMoments };

// Adds the table moments of one load after the factors: edges × support factor,
// mid-span × mid-span factor. Poisson's ratio 0.2.
void AddTable(kv::design::PlateTable& table, const CLkqData& w, const int codes[4], float load, float m[kMoments]) {
    Plate_force force;
    float wCentre = 0, wMax = 0;
    table.Cal_Plate_Force_Use_Table(w.Width, w.Height, codes, w.CornerFlag, load, 0.2f, force, wCentre, wMax, -1.0f);
    for (int i = 0; i < 4; ++i) m[kBottom + i] += force.EdgeM[i] * w.EdgeFactor;
    m[kMa] += force.MidM[0] * w.MidFactor;
    m[kMb] += force.MidM[1] * w.MidFactor;
}

bool HasTriangle(const CLkqData& w) { return std::fabs(w.TriLoad) > 1e-5f; }

// Elastic moments of the uniform and (when there is one) the triangular load.
void Elastic(const CLkqData& w, const int codes[4], float m[kMoments]) {
    for (int k = 0; k < kMoments; ++k) m[k] = 0;
    AddTable(ban_plate_table(), w, codes, w.Load, m);
    if (HasTriangle(w)) AddTable(qiang_tri_table(), w, codes, w.TriLoad, m);
}

void ClearResults(CLkqData& w) {
    w.HasResults = 0;
    w.Ma = w.Mb = 0;
    for (float& v : w.EdgeM) v = 0;
    for (float& v : w.HorAs) v = 0;
    for (float& v : w.VerAs) v = 0;
}

void PrintEdges(std::FILE* fp, const float m[kMoments]) {
    std::fprintf(fp, "\t             下             右               上              左\n");
    std::fprintf(fp, "\t    %10.2f      %10.2f       %10.2f       %10.2f\n", m[kBottom], m[kRight], m[kTop], m[kLeft]);
}

// Internal forces into m; false when the error code stopped the analysis.
bool Moments(const CLkqData& w, std::FILE* fp, float m[kMoments]) {
    int codes[4];
    bool elasticEdge = false;
    for (int i = 0; i < 4; ++i) {
        codes[i] = w.EdgeType[i] + 1;
        elasticEdge = elasticEdge || codes[i] == 3;
    }
    if (elasticEdge) {
        // Partly fixed edges: between the simply supported and the fixed wall.
        std::fprintf(fp, "\t内力按弹性理论计算(泊松比取0.2):\n");
        int fixedCodes[4], freeCodes[4];
        for (int i = 0; i < 4; ++i) {
            fixedCodes[i] = codes[i] == 3 ? 2 : codes[i];
            freeCodes[i] = codes[i] == 3 ? 1 : codes[i];
        }
        float fixed[kMoments], simple[kMoments];
        Elastic(w, fixedCodes, fixed);
        Elastic(w, freeCodes, simple);
        const float points[2] = {0.0f, 1.0f};
        for (int k = 0; k < kMoments; ++k) {
            const float values[2] = {simple[k], fixed[k]};
            m[k] = liner_inter(points, values, 2, w.Fixity);
        }
    } else {
        std::fprintf(fp, "[内力结果]  (已乘计算放大系数)\n\n");
        if (w.Plastic == 1) {
            std::fprintf(fp, "\t内力按塑性理论计算(适用于大偏心受压):\n");
            for (int k = 0; k < kMoments; ++k) m[k] = 0;
            cal_plate_moment_table(w.Width, w.Height, w.Load, w.MidFactor, w.EdgeFactor, codes, m[kMa], m[kMb],
                                   m[kBottom], m[kRight], m[kTop], m[kLeft]);
            for (int k = kBottom; k <= kLeft; ++k) m[k] = -m[k];
            if (HasTriangle(w)) {
                std::fprintf(fp, "\t注意：三角形荷载按弹性理论计算\n");
                AddTable(qiang_tri_table(), w, codes, w.TriLoad, m);
            }
        } else {
            std::fprintf(fp, "\t内力按弹性理论计算(适用于小偏心受压,泊松比取0.2):\n");
            Elastic(w, codes, m);
        }
    }
    for (int k = 0; k < kMoments; ++k) m[k] += 0.0f;  // a zero moment prints as 0.00, never -0.00
    return JS_ERROR_CODE == 0;
}

// The p-δ increase of the vertical-direction moments (2010 code).
void SecondOrder(const CLkqData& w, std::FILE* fp, float m[kMoments]) {
    const float t = static_cast<float>(w.Thickness);
    float ea = std::max(t, 1000.0f) / 30;
    if (ea < 20) ea = 20;
    const float top = m[kTop], bottom = m[kBottom];
    auto increased = [&](float moment) {
        return GetZhuErJieWanJu(moment * 1.0e6f, std::fabs(w.VertLoad) * 1000, top * 1.0e6f, bottom * 1.0e6f,
                                t - w.Cover, t, w.Height * 1000, t * 1000, ea, w.ConGrade, nullptr) *
               1.0e-6f;
    };
    m[kMb] = increased(m[kMb]);
    std::fprintf(fp, "\t考虑p-δ效应的跨中弯矩(kN.m):\n\t    Ma = %10.2f     Mb = %10.2f\n", m[kMa], m[kMb]);
    m[kBottom] = increased(bottom);
    m[kTop] = increased(top);
    std::fprintf(fp, "\t考虑p-δ效应的垂直板边弯矩(kN.m/m):\n");
    PrintEdges(fp, m);
}

// The vertical moment of largest magnitude; on a tie the top edge, then the bottom edge.
float VerticalDesignMoment(const float m[kMoments]) {
    float mv = m[kMb];
    if (std::fabs(m[kBottom]) >= std::fabs(mv)) mv = m[kBottom];
    if (std::fabs(m[kTop]) >= std::fabs(mv)) mv = m[kTop];
    return mv;
}

}  // namespace

void qiang_axial_ratio(std::FILE* fp, const PJ_COLUMN& column) {
    std::fprintf(fp, "\t轴压比:         N/(A*fc)=    %.4f\n", column.axial_ratio);
    if (column.axial_exceeded) std::fprintf(fp, "      -----%s\n", column.axial_message.c_str());
}

int qiang_cal(CLkqData& w, std::FILE* fp) {
    JS_ERROR_CODE = 0;
    ClearResults(w);
    const bool interior = w.Kind == 3;
    float m[kMoments] = {0, 0, 0, 0, 0, 0};
    if (!interior) {
        if (!Moments(w, fp, m)) return 0;
        std::fprintf(fp, "\t跨中弯矩(kN.m/m):\n");
        std::fprintf(fp, "\t    Ma = %10.2f     Mb = %10.2f\n", m[kMa], m[kMb]);
        std::fprintf(fp, "\t垂直板边弯矩(kN.m/m):\n");
        PrintEdges(fp, m);
        if (G_guifan == 2010 && w.SecondOrder) SecondOrder(w, fp, m);
    }

    std::unique_ptr<PJ_BEAM_KV> beam(new (std::nothrow) PJ_BEAM_KV);
    if (!beam) {
        tell_error(kv::err::kFailure, "内存不够 !");
        return 0;
    }
    beam->Ini_QiangBan(w.ConGrade, w.BarGrade, 1, 0, w.Cover, w.Cover, 0, 1.0f, w.Steam, 0, 1.0f, 1, 1.0f, 1.0f,
                       1.0f, 1.0f);
    const float mv = VerticalDesignMoment(m);
    const float n = -w.VertLoad;  // compression negative
    if (n > 0) {
        tell_error(kv::err::kFailure, "此版本无抗拉验算功能 !");
        return 0;
    }
    std::unique_ptr<PJ_COLUMN_FDC_KV> column(new (std::nothrow) PJ_COLUMN_FDC_KV);
    if (!column) {
        tell_error(kv::err::kFailure, "内存不够 !");
        return 0;
    }
    column->Ini(w.ConGrade, w.BarGrade, 1, 0, w.Cover, 0.8f, w.Steam, 1, 2, 1.0f);
    const float t = static_cast<float>(w.Thickness), l0 = w.Height * 1000;

    std::fprintf(fp, "[配筋结果]\n\n");
    column->set_value(mv * 1.0e6f, 0, 0, 0, n * 1000, 1000, t, l0, 0, 0);
    column->ZhouYaBi();
    qiang_axial_ratio(fp, *column);

    // Vertical: top edge, mid-span, bottom edge; load side first.
    std::fprintf(fp, "\t竖直方向配筋(mm^2/m):\n");
    if (!interior) std::fprintf(fp, "\t    [注意:   配筋小于0表示超筋, 荷载作用面为外侧]\n");
    float ver[6];
    const float vm[3] = {m[kTop], m[kMb], m[kBottom]};
    for (int s = 0; s < 3; ++s) {
        column->set_value(vm[s] * 1.0e6f, 0, 0, 0, n * 1000, 1000, t, l0, 0, 0);
        column->Asx = column->Asx1 = 0;
        column->PianLaYa();
        float first = column->Asx, second = column->Asx1;
        if (column->if_CJCX() == 1) first = second = -1;
        const bool mid = s == 1;
        ver[2 * s] = mid ? second : first;
        ver[2 * s + 1] = mid ? first : second;
    }
    if (interior) {
        std::fprintf(fp, "\t    每侧配筋 = %.0f\n", ver[4]);
    } else {
        std::fprintf(fp, "\t    上截面：    非荷载侧=  %.0f    荷载侧=    %.0f(mm^2/m)\n", ver[1], ver[0]);
        std::fprintf(fp, "\t    中截面：    非荷载侧=  %.0f    荷载侧=    %.0f(mm^2/m)\n", ver[3], ver[2]);
        std::fprintf(fp, "\t    下截面：    非荷载侧=  %.0f    荷载侧=    %.0f(mm^2/m)\n", ver[5], ver[4]);
    }
    column.reset();

    // Horizontal: left edge, mid-span, right edge; load side first.
    float hor[6];
    const float hm[3] = {m[kLeft], m[kMa], m[kRight]};
    for (int s = 0; s < 3; ++s) {
        beam->set_value(hm[s] * 1.0e6f, 0, 0, 1000, t, 0, 1.2f, 0);
        beam->Bent_SJ();
        float first = beam->As, second = beam->As1;
        if (beam->if_CJCX() == 1) first = second = -1;
        const bool mid = s == 1;
        hor[2 * s] = mid ? second : first;
        hor[2 * s + 1] = mid ? first : second;
    }
    std::fprintf(fp, "\t水平方向配筋(mm^2/m):\n");
    if (interior) {
        std::fprintf(fp, "\t    每侧构造配筋 = %.0f\n", hor[1]);
    } else {
        std::fprintf(fp, "\t    [注意:   配筋小于0表示超筋]\n");
        std::fprintf(fp, "\t　　　　              左               中               右 \n");
        std::fprintf(fp, "\t    荷载侧     %10.0f      %10.0f       %10.0f  \n", hor[0], hor[2], hor[4]);
        std::fprintf(fp, "\t    非荷载侧   %10.0f      %10.0f       %10.0f\n ", hor[1], hor[3], hor[5]);
    }

    w.Ma = m[kMa];
    w.Mb = m[kMb];
    for (int i = 0; i < 4; ++i) w.EdgeM[i] = m[kBottom + i];
    for (int k = 0; k < 6; ++k) w.HorAs[k] = hor[k], w.VerAs[k] = ver[k];
    w.HasResults = 1;
    return 1;
}

int qiang_calculate(CLkqData& w) {
    return slabwall_run_into_message_box([&w](std::FILE* fp) { qiang_cal(w, fp); });
}
