#include <functional>
#include <memory>
#include <new>

#include "base/error.h"
#include "base/interp.h"
#include "base/textio.h"
#include "codes/guifan.h"
#include "design/pj_beam.h"
#include "design/plate_elastic.h"
#include "design/plate_table.h"
#include "members/slabwall/ban.h"

BEM_PLT& ban_plate_table() {
    static BEM_PLT table;
    return table;
}

namespace {

// The six design moments in the order of the six sections.
enum { kMx, kMy, kBottom, kRight, kTop, kLeft, kSections };

// Elastic moments with edge codes 1 (simply supported) and 2 (fixed), Poisson's
// ratio 0.2, as hogging-positive edge moments after the factors.
void ElasticMoments(const BAN_JS_STRUCT& bs, const int codes[4], float m[kSections]) {
    const int corners[4] = {0, 0, 0, 0};
    Plate_force force;
    float wCentre = 0, wMax = 0;
    ban_plate_table().Cal_Plate_Force_Use_Table(bs.Length, bs.Width, codes, corners, bs.Load, 0.2f, force, wCentre,
                                                wMax, -1.0f);
    for (int i = 0; i < 4; ++i) m[kBottom + i] = -force.EdgeM[i] * bs.EdgeFactor;
    m[kMx] = force.MidM[0] * bs.MidFactor;
    m[kMy] = force.MidM[1] * bs.MidFactor;
}

void ClearResults(BAN_JS_STRUCT& bs) {
    bs.HasResults = 0;
    bs.Mx = bs.My = 0;
    for (float& v : bs.EdgeM) v = 0;
    for (float& v : bs.MidAs) v = 0;
    for (float& v : bs.EdgeAs) v = 0;
}

}  // namespace

int ban_cal(BAN_JS_STRUCT& bs, std::FILE* fp) {
    JS_ERROR_CODE = 0;
    ClearResults(bs);
    int codes[4];
    float given[4];
    bool elasticEdge = false;
    for (int i = 0; i < 4; ++i) {
        codes[i] = bs.EdgeType[i] + 1;
        given[i] = codes[i] == 1 ? bs.EdgeMoment[i] : 0.0f;
        elasticEdge = elasticEdge || codes[i] == 3;
    }
    // Only simply supported, fixed and elastic edges; the plate tables would
    // take any other code for a free edge.
    for (int code : codes) {
        if (code < 1 || code > 3) {
            tell_error(201, "此种支撑条件不能计算 !");
            return 0;
        }
    }

    float m[kSections] = {0, 0, 0, 0, 0, 0};
    if (elasticEdge) {
        // Partly fixed edges: between the simply supported and the fixed solution.
        int fixedCodes[4], freeCodes[4];
        for (int i = 0; i < 4; ++i) {
            fixedCodes[i] = codes[i] == 3 ? 2 : codes[i];
            freeCodes[i] = codes[i] == 3 ? 1 : codes[i];
        }
        float fixed[kSections], simple[kSections];
        ElasticMoments(bs, fixedCodes, fixed);
        ElasticMoments(bs, freeCodes, simple);
        const float points[2] = {0.0f, 1.0f};
        for (int k = 0; k < kSections; ++k) {
            const float values[2] = {simple[k], fixed[k]};
            m[k] = liner_inter(points, values, 2, bs.Fixity);
        }
    } else if (bs.Plastic == 1) {
        std::fprintf(fp, "\t内力按塑性理论计算:\n");
        m[kBottom] = given[0], m[kRight] = given[1], m[kTop] = given[2], m[kLeft] = given[3];
        cal_plate_moment_table(bs.Length, bs.Width, bs.Load, bs.MidFactor, bs.EdgeFactor, codes, m[kMx], m[kMy],
                               m[kBottom], m[kRight], m[kTop], m[kLeft]);
    } else {
        std::fprintf(fp, "\t内力按弹性理论计算:\n");
        ElasticMoments(bs, codes, m);
    }
    // A roof slab hogs at its edges; a floor slab, loaded from below, sags the other way.
    if (bs.Kind == 0) {
        for (int k = kBottom; k <= kLeft; ++k) m[k] = -m[k];
    } else {
        m[kMx] = -m[kMx];
        m[kMy] = -m[kMy];
    }
    for (float& v : m) v += 0.0f;  // a zero moment prints as 0.00, never -0.00
    if (JS_ERROR_CODE) return 0;

    if (bs.Kind == 1) std::fprintf(fp, "\t[注意:荷载作用在板底,方向向上]\n");
    std::fprintf(fp, "\t跨中弯矩(kN.m/m):\n");
    std::fprintf(fp, "\t\t水平 = %10.2f     竖向 = %10.2f\n", m[kMx], m[kMy]);
    std::fprintf(fp, "\t垂直板边弯矩(kN.m/m):\n");
    std::fprintf(fp, "             下边           右边             上边            左边\n");
    std::fprintf(fp, "       %10.2f      %10.2f      %10.2f      %10.2f\n", m[kBottom], m[kRight], m[kTop], m[kLeft]);

    std::unique_ptr<PJ_BEAM_KV> design(new (std::nothrow) PJ_BEAM_KV);
    if (!design) {
        tell_error(kv::err::kFailure, "内存不够 !");
        return 0;
    }
    design->Ini_QiangBan(bs.ConGrade, bs.BarGrade, 1, 0, bs.Cover, bs.Cover, 0, 1.0f, bs.Steam, 0, 1.0f, 1, 1.0f,
                         1.0f, 1.0f, 1.0f);
    float as[kSections], asc[kSections];  // tension and compression steel of each section
    for (int k = 0; k < kSections; ++k) {
        design->set_value(m[k] * 1.0e6f, 0, 0, 1000.0f, static_cast<float>(bs.Thickness), k <= kMy ? 1 : 0, 1.2f, 0);
        design->Bent_SJ();
        if (design->if_CJCX()) {
            as[k] = asc[k] = -1;
        } else {
            as[k] = design->As;
            asc[k] = design->As1;
        }
    }

    std::fprintf(fp, "\t钢筋级别 %s (配筋面积小于0表示超筋)\n", _GJ(bs.BarGrade));
    // As is on the tension face: the bottom at mid-span of a roof slab, the top of a floor slab.
    const bool roof = bs.Kind == 0;
    const float* midTop = roof ? asc : as;
    const float* midBottom = roof ? as : asc;
    const float* edgeTop = roof ? as : asc;
    const float* edgeBottom = roof ? asc : as;
    std::fprintf(fp, "\t跨中配筋(mm^2/m):\n");
    std::fprintf(fp, "\t上:    水平 = %10.2f     竖向 = %10.2f\n", midTop[kMx], midTop[kMy]);
    std::fprintf(fp, "\t下:    水平 = %10.2f     竖向 = %10.2f\n", midBottom[kMx], midBottom[kMy]);
    std::fprintf(fp, "\t垂直板边配筋(mm^2/m):\n");
    std::fprintf(fp, "\t           下边             右边             上边             左边\n");
    std::fprintf(fp, "\t上:    %10.2f      %10.2f       %10.2f       %10.2f\n", edgeTop[kBottom], edgeTop[kRight],
                 edgeTop[kTop], edgeTop[kLeft]);
    std::fprintf(fp, "\t下:    %10.2f      %10.2f       %10.2f       %10.2f\n", edgeBottom[kBottom],
                 edgeBottom[kRight], edgeBottom[kTop], edgeBottom[kLeft]);

    bs.Mx = m[kMx];
    bs.My = m[kMy];
    for (int i = 0; i < 4; ++i) bs.EdgeM[i] = m[kBottom + i];
    bs.MidAs[0] = asc[kMx], bs.MidAs[1] = as[kMx];
    bs.MidAs[2] = asc[kMy], bs.MidAs[3] = as[kMy];
    for (int i = 0; i < 4; ++i) {
        bs.EdgeAs[2 * i] = as[kBottom + i];
        bs.EdgeAs[2 * i + 1] = asc[kBottom + i];
    }
    bs.HasResults = 1;
    return 1;
}

int slabwall_run_into_message_box(const std::function<void(std::FILE*)>& run) {
    JS_ERROR_CODE = 0;
    std::FILE* fp = open_file("Message.Box", "wt");
    if (!fp) return 0;
    run(fp);
    // Else the last run's messages would be shown as this one's.
    if (commit_file(fp) != 0) {
        tell_error1(kv::err::kDataError, "不能写入文件 : %s", "Message.Box");
        return 0;
    }
    return 1;
}

int ban_calculate(BAN_JS_STRUCT& bs) {
    return slabwall_run_into_message_box([&bs](std::FILE* fp) { ban_cal(bs, fp); });
}
