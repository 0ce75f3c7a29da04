#include "members/slabwall/mkqjs_calc.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "base/error.h"
#include "base/geometry.h"
#include "codes/gangjin.h"
#include "codes/material.h"
#include "design/pj_beam.h"
#include "drawing/geom.h"

CMkqJiSuan G_MkqJiSuan;

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kHalfPi = 1.5707964f;

// The text of a bar set; an empty one (nothing chosen) keeps the old text, as a
// result file cannot hold an empty bar field.
void SetBarText(char (&bars)[kMkqBarTextSize], const std::string& text) {
    if (!text.empty()) std::snprintf(bars, sizeof bars, "%s", text.c_str());
}

std::vector<float> Numbers(const std::vector<std::string>& texts) {
    std::vector<float> numbers;
    for (const std::string& t : texts) numbers.push_back(std::strtof(t.c_str(), nullptr));
    return numbers;
}

// Foot of the perpendicular from (px, py) on the line through the two points.
void FootOnLine(float px, float py, float x1, float y1, float x2, float y2, float& fx, float& fy) {
    const float dx = x2 - x1, dy = y2 - y1;
    const float len2 = dx * dx + dy * dy;
    const float t = len2 > 0 ? ((px - x1) * dx + (py - y1) * dy) / len2 : 0.0f;
    fx = x1 + t * dx;
    fy = y1 + t * dy;
}

// The slope of the bevel at the tip: the face from (L − dx, 0) down to (L, −dy).
float BevelSlope(const MkqSide& s) { return std::tan(JH_GetAngle(s.L - s.dx, 0.0f, s.L, -s.dy)); }

}  // namespace

int MkqCheckKind(int doorType, int side, float cOverH0, float gammaFc, float q, float z) {
    if (doorType == 1 && (side == 0 || side == 1)) return gammaFc > 1000.0f * q / z ? 1 : 2;
    return cOverH0 > 1.0f ? 0 : 1;
}

void MkqSelectTies(int grade, int optimal, float area, float& s, float& d) {
    const CGuiFanString lists;
    const std::vector<float> S = Numbers(lists.m_strJianJu);
    const std::vector<float> D = Numbers(lists.ZhiJing(grade));
    // No area (or none that means anything) needs no ties: the spacing grows past every standard one.
    const float need = area > 0 ? area : 0.0f;
    auto exact = [need](float diameter) { return std::sqrt(1000000.0f / (need / (kPi * diameter * diameter / 4.0f))); };
    s = 0.0f;
    d = static_cast<float>(optimal);
    for (;;) {
        if (S.front() <= s) break;
        s = exact(d);
        for (std::size_t k = S.size(); k-- > 0;) {
            if (S[k] < s) {
                s = S[k];
                break;
            }
        }
        if (S.front() > s) {
            auto next = std::find_if(D.begin(), D.end(), [d](float x) { return x > d; });
            if (next != D.end()) {
                d = *next;
            } else if (d > D.back()) {
                // A diameter beyond the grade's list would never grow into its last
                // entry: take that entry at its exact spacing.
                d = D.back();
                s = exact(d);
                break;
            }
        }
        if (std::fabs(d - D.back()) >= 0.001f) continue;
        if (S.front() < s) continue;
        break;
    }
}

int CMkqJiSuan::CheckData() {
    CMkqJsData* data = Data();
    if (!data) return 0;
    std::string text = "注意：\n";
    int ok = 1;
    char line[200];
    for (int i = 0; i < kMkqSideCount; ++i) {
        const MkqSide& s = data->Side[i];
        if (s.L < s.L2) {
            std::snprintf(line, sizeof line, "    %s 均布荷载作用范围超出悬挑长度！\n", G_MkqSideName[i].c_str());
            text += line;
            ok = 0;
        }
        // The top and bottom of an arched door carry the leaf beyond their tips.
        if (s.L < s.L1 && (data->DoorType == 0 || (data->DoorType == 1 && i <= 1))) {
            std::snprintf(line, sizeof line, "    %s 集中荷载作用范围超出悬挑长度！\n", G_MkqSideName[i].c_str());
            text += line;
            ok = 0;
        } else if (data->DoorType == 1 && i <= 1 && !(s.L - s.dx > s.L1) && !(s.dx > 0) && !(s.dy > 0)) {
            // The leaf bears on a chamfer that is not there: its load has no direction.
            std::snprintf(line, sizeof line, "    %s 斜角Dx、Dy 必须大于 0！\n", G_MkqSideName[i].c_str());
            text += line;
            ok = 0;
        }
    }
    if (!ok) tell_error(kv::err::kFailure, text);
    return ok;
}

int CMkqJiSuan::JiSuan() {
    if (!Data() || !Result()) return 0;
    if (!CalNeiLi()) {
        tell_error(kv::err::kFailure, "内力计算失败！");
        return 0;
    }
    if (!CalPeiJin()) {
        tell_error(kv::err::kFailure, "配筋计算失败！");
        return 0;
    }
    return 1;
}

int CMkqJiSuan::CalSideForce(int side, float x, float& M, float& Qv, float& Qh) {
    if (side < 0 || side >= kMkqSideCount) return 0;
    M = Qv = Qh = 0.0f;
    const CMkqJsData& data = *Data();
    const MkqSide& s = data.Side[side];
    if (x > s.L || x < 0) return 0;
    float beta = kHalfPi;
    float hh = (s.h + s.ha) / 2.0f;
    // On an arched door's left or right side the leaf bears on the bevel: its
    // load leans with the bevel and acts off the centroid.
    const bool onBevel = !(data.DoorType == 0 || (data.DoorType == 1 && side >= 2) || s.L - s.dx > s.L1);
    if (onBevel) {
        beta = std::atan(s.dx / s.dy);
        hh += BevelSlope(s) * (s.L1 - (s.L - s.dx));
    }
    Result()->Side[side].Hh = hh;
    Qh = s.qi * std::cos(beta) + s.Ti;
    const float a2 = s.L2 - x, a1 = s.L1 - x;
    const float qiv = s.qi * std::sin(beta);
    Qv = (a2 > 0 ? a2 * s.qe / 1000.0f : 0.0f) + (a1 > 0 ? qiv : 0.0f);
    M = (a2 > 0 ? s.qe * a2 * a2 / 2000.0f / 1000.0f : 0.0f) + (a1 > 0 ? qiv * a1 / 1000.0f : 0.0f) -
        hh * Qh / 1000.0f;
    return 1;
}

int CMkqJiSuan::CalNeiLi() {
    const CMkqJsData& data = *Data();
    for (int i = 0; i < kMkqSideCount; ++i) {
        const MkqSide& s = data.Side[i];
        MkqSideResult& r = Result()->Side[i];
        if (!CalSideForce(i, 0.0f, r.M, r.Qv, r.Qh)) return 0;
        if (std::fabs(r.Qh) < 0.001f) r.Qh = 0.0f;
        if (r.Qv == 0.0f) {
            // No normal force: no shear span, no lever arm, no line of action.
            char text[200];
            std::snprintf(text, sizeof text, "%s 截面垂直作用于门框墙的合力 qv 为 0，不能计算该边！",
                          G_MkqSideName[i].c_str());
            tell_error(kv::err::kDataError, text);
            r.C = r.A = r.Z = 0.0f;
            r.CheckKind = 0;
            r.SectionOk = 0;
            r.BendState = r.ShearState = 1;
            r.AsReq = r.AsvReq = 0.0f;
            continue;
        }
        r.C = std::fabs(r.M / r.Qv);
        r.A = 1000.0f * ((r.Qv - s.qe * s.L2 / 1000.0f) * s.L1 / 1000.0f + 0.5f * s.qe * s.L2 * s.L2 / 1000000.0f) / r.Qv;
        const float q = std::sqrt(r.Qh * r.Qh + r.Qv * r.Qv);
        const float yP = (data.DoorType == 0 || s.L - s.dx > s.L1) ? 0.0f : BevelSlope(s) * (s.L1 - (s.L - s.dx));
        // The resultant's line of action through the load point, and its distance
        // from the root corner K: negative when the line passes inside the root.
        const float px = r.A, py = yP;
        const float kx = 0.0f, ky = -(s.h + s.ha);
        const float theta = std::asin(r.Qv / q) + kPi;
        float qx = 0, qy = 0, fx = 0, fy = 0;
        get_polar_point(px, py, 1000.0f, theta, &qx, &qy);
        FootOnLine(kx, ky, px, py, qx, qy, fx, fy);
        float z = JH_GetDist(kx, ky, fx, fy);
        if (theta > JH_GetAngle(px, py, kx, ky)) z = -z;
        r.Z = z;
        const float h0 = (s.h + s.ha - data.as) / 1000.0f;
        float gammaFc = 0.0f;
        if (data.DoorType == 1) {
            Con_Prop concrete{};
            if (!get_rc_property(data.ConGrade, &concrete)) get_rc_property(30, &concrete);
            gammaFc = GetGammaD(data) * concrete.fc;
        }
        r.CheckKind = MkqCheckKind(data.DoorType, i, r.C / h0, gammaFc, q, z);
    }
    return 1;
}

int CMkqJiSuan::CalPeiJin() {
    const CMkqJsData& data = *Data();
    PJ_BEAM_KV beam;
    for (int i = 0; i < kMkqSideCount; ++i) {
        const MkqSide& s = data.Side[i];
        MkqSideResult& r = Result()->Side[i];
        if (r.Qv == 0.0f) continue;  // reported by CalNeiLi, nothing to design
        const float H = s.h + s.ha;
        const int door = (data.DoorType == 1 && i >= 2) ? 0 : data.DoorType;
        const float q = std::sqrt(r.Qh * r.Qh + r.Qv * r.Qv);
        const int cover = static_cast<int>(data.as);
        beam.Ini_Liang(data.ConGrade, data.ZongJinGrade, data.GuJinGrade, 0, cover, cover, 0, H, 1.0f, 1.0f,
                       data.ZhengQiYangHu ? 1 : 0, 1, static_cast<float>(door), static_cast<int>(r.A), r.Qh * 1000.0f,
                       q * 1000.0f, std::fabs(r.Z), 1.0f);
        beam.corbel = r.CheckKind != 0 ? 1 : 0;
        beam.set_value(r.M * 1000000.0f, r.Qv * 1000.0f, 0.0f, 1000.0f, H, 1, 1.2f, 0);

        beam.Bent_DJ();
        r.AsReq = beam.As;
        r.BendState = 1;
        if (beam.flag[2]) r.BendState = 2;
        if (beam.As < 0) r.BendState = 0;  // ξ > ξb: over-reinforced

        // The section check (V ≤ 0.25·βc·fcd·b·h0, or a corbel's height) is the shear design's first step.
        beam.Sheer();
        r.SectionOk = beam.flag[0] ? 0 : 1;
        r.AsvReq = beam.Asv * 1000.0f;
        r.ShearState = beam.flag[2] ? 2 : 1;

        std::string text;
        SelectGangJin(data.ZongJinGrade, data.ZongJinDia[0], data.ZongJinDia[1], data.ZongJinDia[2],
                      r.AsReq * data.PeiJinXiShu, 1, text);
        SetBarText(r.Bars[0], text);

        float spacing = 0, diameter = 0;
        MkqSelectTies(data.GuJinGrade, data.GuJinDia[2], r.AsvReq * data.PeiJinXiShu, spacing, diameter);
        r.LaJinJianJuH = r.LaJinJianJuV = spacing;
        CGangJin ties(2, data.GuJinGrade, 1, static_cast<int>(diameter), static_cast<int>(spacing));
        ties.m_nKind = 2;
        SetBarText(r.Bars[2], ties.ToString(0));
        SetBarText(r.Bars[3], ties.ToString(0));
        const CGangJin spread(1, data.ZongJinGrade, 1, 16, static_cast<int>(spacing));
        SetBarText(r.Bars[4], spread.ToString(0));
        SetBarText(r.Bars[5], spread.ToString(0));
    }
    return 1;
}
