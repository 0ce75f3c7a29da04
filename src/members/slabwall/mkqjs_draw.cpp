// Result drawings of the second door-frame wall: per side a calculation sketch
// and a bar sketch, and the bars of the whole frame in its two cuts. Every part
// is drawn on a pen of its own and inserted into its target.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "base/textio.h"
#include "codes/gangjin.h"
#include "drawing/pen.h"
#include "drawing/pen_sgtex.h"
#include "members/slabwall/mkqjs_calc.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr int kResultLayer = 23;

// A bar text as drawings print it.
std::string Shown(const char* text, int kind, int grade) {
    CGangJin bars;
    bars.m_nGrade = grade;
    bars.m_nKind = kind;
    if (!bars.FromString(text)) return text;
    return bars.ToString(1);
}

// Where the bars of a side's section lie (section co-ordinates, mm).
struct BarLayout {
    float as, t, L, h, ha, H, dx, dy, u;
    std::vector<float> rows;  // bars along the side, top down
    std::vector<float> ties;  // ties across it, from the root
    // The line parallel to the lower face at the cover, through the haunch.
    float Lower(float x) const { return as - h - (L - x) * ha / L; }
    float Start() const { return as - t + u / 2; }
};

BarLayout Layout(const CMkqJsData& d, int side, float u) {
    const MkqSide& s = d.Side[side];
    BarLayout b{};
    b.as = d.as, b.t = s.t, b.L = s.L, b.h = s.h, b.ha = s.ha, b.H = s.h + s.ha, b.u = u;
    b.dx = d.DoorType ? s.dx : 0, b.dy = d.DoorType ? s.dy : 0;
    const float h = b.h, dy = b.dy;

    // Along the side: 200 apart from 200 under the chamfer, or one in the middle of a thin side.
    float y = h - dy > 400 ? -dy - 200 : -dy - (h - dy) / 2;
    for (int i = 0; i < 3; ++i, y -= 200) {
        if (y < 100 - h) break;
        float at = y;
        // A deep haunch takes a lower bar onto its cover line.
        if (i > 0 && b.L > 0 && b.ha / b.L > 0.1f && std::fabs(at - (b.as - h)) < 100) at = b.as - h;
        b.rows.push_back(at);
        if (i == 0 && y <= -(b.H - 100)) break;
    }
    // Across it: 200 apart from 200 at the root (the middle of a short side), clear of the chamfer.
    float x = b.L >= 300 ? 200 : b.L / 2;
    for (int i = 0; i < 3; ++i, x += 200) {
        if (i > 0 && !(x < b.L - b.dx - 100)) break;
        b.ties.push_back(x);
    }
    return b;
}

void Bar(CPenSGTEx* pen, float x1, float y1, float x2, float y2) {
    const float xs[2] = {x1, x2}, ys[2] = {y1, y2};
    pen->Draw_SteelPolyline(1, 2, xs, ys, nullptr, 0, 0);
    pen->Draw_DotSteel(x1, y1);
    pen->Draw_DotSteel(x2, y2);
}

// The labels of a side's bars: the main bar from the side wall, the first bar
// along the side and the first tie across it.
void Labels(CPenSGT* pen, const BarLayout& b, const MkqSideResult& r, const CMkqJsData& d) {
    const float u = b.u;
    pen->Draw_LeaderSteelDim(-b.t / 2, -b.as, 90, 14 * u, Shown(r.Bars[0], 1, d.ZongJinGrade).c_str(), "TC", 0);
    if (!b.rows.empty()) {
        const float y = b.rows.front();
        pen->Draw_LeaderSteelDim(b.L - b.as - u / 2, y, 30, 6 * u, Shown(r.Bars[5], 1, d.ZongJinGrade).c_str(), "TC", 0);
        const std::string ties = sprintf_gbk("%s*%.0f", Shown(r.Bars[2], 2, d.GuJinGrade).c_str(), r.LaJinJianJuH);
        pen->Draw_LeaderSteelDim(b.L / 2, y, -30, 6 * u, ties.c_str(), "TC", 0);
    }
    if (!b.ties.empty()) {
        const float x = b.ties.front();
        const float len = std::min(b.h / 2, 100.0f);
        pen->Draw_LeaderSteelDim(x, -b.as - u / 2, 90, len, Shown(r.Bars[4], 1, d.ZongJinGrade).c_str(), "TC", 0);
        const std::string ties = sprintf_gbk("%s*%.0f", Shown(r.Bars[3], 2, d.GuJinGrade).c_str(), r.LaJinJianJuV);
        pen->Draw_LeaderSteelDim(x, b.Lower(x), -90, len, ties.c_str(), "TC", 0);
    }
}

void Dim(CPenSGT* pen, std::initializer_list<float> xs, std::initializer_list<float> ys, float pos, float angle) {
    const std::vector<float> x(xs), y(ys);
    pen->Draw_ContinueDim(static_cast<int>(x.size()), x.data(), y.data(), pos, angle, "TC");
}

// Inserts a finished part at a point of the target, in the target's stored units.
int Put(CBase_SGT* target, const DXF& part, float x, float y) { return target->InsertDxf(part, x, y, 0, 1, 1); }

}  // namespace

int CMkqJiSuan::DrawResult(int k, CBase_SGT* drawing, int) {
    CMkqJsData* d = Data();
    if (!drawing || !d || !Result()) return 0;
    if (k >= 0 && k < 8) {
        const float scale = d->JianTuBiLi[1 + k];
        return k % 2 == 0 ? DrawJianTu(k / 2, drawing, scale) : DrawPeiJinJianTu(k / 2, drawing, scale);
    }
    if (k != 8) return 0;
    CPenSGT pen(nullptr);
    if (!DrawPeiJinTu(&pen, 1)) return 0;
    return Put(drawing, pen, 0, 0);
}

int CMkqJiSuan::OutDrawing(CBase_SGT* drawing, int, int) {
    if (!drawing || !Data() || !Result()) return 0;
    CPenSGT pen(nullptr);
    if (!DrawPeiJinTu(&pen, 0)) return 0;
    return Put(drawing, pen, 0, 0) ? 1 : 0;
}

namespace {

// One part of a diagram on a pen of its own at the diagram's scale, inserted
// into the target at (0, y) once drawn. The pen's paper unit goes to *unit and
// the scale it took to *taken (a pen keeps its own for a scale of nothing).
template <typename Pen, typename Draw>
int Part(CMkqJsData& d, CBase_SGT* target, float scale, float y, Draw draw, float* unit = nullptr,
         float* taken = nullptr) {
    Pen pen;
    d.PreparePen(&pen, scale);
    if (unit) *unit = pen.GetAbsLength(1);
    if (taken) *taken = pen.GetBiLiChi();
    if (!draw(pen)) return 0;
    Put(target, pen, 0, y);
    return 1;
}

// The stored offset that puts a lower group under a sketch reaching down to `lowest` (mm).
float Below(float lowest, float unit, float scale) { return (lowest - 10 * unit) * 100 / scale - 2000; }

}  // namespace

int CMkqJiSuan::DrawJianTu(int side, CBase_SGT* target, float scale) {
    CMkqJsData* d = Data();
    if (!target || !d || !Result() || side < 0 || side >= kMkqSideCount) return 0;
    target->Push_ENV();
    target->SetBiLiChi(scale);
    const std::string& name = G_MkqSideName[side];
    // The horizontal load acts off the root's centroid: its moment joins the line model.
    const MkqSideResult& r = Result()->Side[side];
    float x = 0, y = 0, lowest = 0, u = 0, taken = scale;
    const int ok =
        Part<CPenSGT>(*d, target, scale, 0, [&](CPenSGT& p) {
            return d->DrawOutline(side, &p, x, lowest, CPenSGT::LT_FINE, ("尺寸荷载简图(" + name + ")").c_str(), 1);
        }, &u, &taken) &&
        Part<CPenSGT>(*d, target, scale, 0, [&](CPenSGT& p) { return d->DrawLoadSketch(side, &p, x, y, 1, 0); }) &&
        Part<CPenSGT>(*d, target, scale, Below(lowest, u, taken), [&](CPenSGT& p) {
            return d->DrawLineSketch(side, &p, x, y, ("计算简图(" + name + ")").c_str());
        }) &&
        Part<CPenSGT>(*d, target, scale, Below(lowest, u, taken), [&](CPenSGT& p) {
            return d->DrawLoadSketch(side, &p, x, y, 2, r.Qh * r.Hh / 1000);
        });
    target->Pop_ENV();
    return ok;
}

int CMkqJiSuan::DrawPeiJinJianTu(int side, CBase_SGT* target, float scale) {
    CMkqJsData* d = Data();
    if (!target || !d || !Result() || side < 0 || side >= kMkqSideCount) return 0;
    target->Push_ENV();
    target->SetBiLiChi(scale);
    const std::string& name = G_MkqSideName[side];
    float x = 0, y = 0, lowest = 0, u = 0, taken = scale;
    const int ok =
        Part<CPenSGT>(*d, target, scale, 0, [&](CPenSGT& p) {
            return d->DrawLineSketch(side, &p, x, lowest, ("计算配筋简图(" + name + ")").c_str());
        }, &u, &taken) &&
        Part<CPenSGTEx>(*d, target, scale, 0, [&](CPenSGTEx& p) { return DrawSideResult(side, &p, 1); }) &&
        Part<CPenSGT>(*d, target, scale, Below(lowest, u, taken), [&](CPenSGT& p) {
            return d->DrawOutline(side, &p, x, y, CPenSGT::LT_FINE, ("配筋图(" + name + ")").c_str(), 1);
        }) &&
        Part<CPenSGTEx>(*d, target, scale, Below(lowest, u, taken), [&](CPenSGTEx& p) { return DrawSideResult(side, &p, 2); });
    target->Pop_ENV();
    return ok;
}

int CMkqJiSuan::DrawSideResult(int side, CPenSGTEx* pen, int type) {
    CMkqJsData* d = Data();
    if (!pen || !d || !Result() || side < 0 || side >= kMkqSideCount) return 0;
    const MkqSideResult& r = Result()->Side[side];
    pen->SetLayerEnv(kResultLayer, 999, 999);
    const float u = pen->GetAbsLength(1);

    if (type == 1) {
        pen->Draw_Text(5, u, u, 0, sprintf_gbk("As: %.0fmm2/m", r.AsReq).c_str(), "BL");
        pen->Draw_Text(5, u, -u, 0, sprintf_gbk("As: %.0fmm2/m", r.AsSpare).c_str(), "TL");
        pen->Draw_Text(5, u, -4 * u, 0, sprintf_gbk("AV: %.0fmm2/m/m", r.AsvReq).c_str(), "TL");
        return 1;
    }

    const BarLayout b = Layout(*d, side, u);
    const float as = b.as, t = b.t, L = b.L, h = b.h, dx = b.dx, dy = b.dy;

    // The main bar runs round the section at the cover and is anchored in the
    // side wall. A shallow lower face lets it close into a loop there.
    const float slope = std::fmod(JH_GetAngle(L, -h, 0, -b.H), kPi);
    const bool shallow = slope < 0.31415927f;
    const float xEnd = shallow ? as - t : as - t + 0.5f * u, yEnd = b.Lower(xEnd);
    std::vector<float> xs = {as - t, as - t}, ys = {yEnd - 2 * u, -as};
    if (d->DoorType) {
        xs.insert(xs.end(), {L - dx - as, L - as});
        ys.insert(ys.end(), {-as, -as - dy});
    } else {
        xs.push_back(L - as);
        ys.push_back(-as);
    }
    xs.insert(xs.end(), {L - as, xEnd});
    ys.insert(ys.end(), {as - h, yEnd});
    if (shallow) {
        xs.push_back(as - t);
        ys.push_back(2 * u);
    }
    pen->Draw_PLineSteel(2, static_cast<int>(xs.size()), xs.data(), ys.data(), nullptr, 0, 0, 0, 2);
    if (shallow) pen->Draw_DotSteel(xEnd, yEnd);
    pen->Draw_DotSteel(as - t + u / 2, -as - u / 2);
    pen->Draw_DotSteel(L - as - dx - u / 2, -as - u / 2);
    pen->Draw_DotSteel(L - as - u / 2, as - h + u / 2);
    if (dx > 0.001f && dy > 0.001f) pen->Draw_DotSteel(L - as - u / 2, -as - u / 2 - dy);

    // Ties along the side with the distribution bars as dots at their ends.
    for (float y : b.rows) Bar(pen, b.Start(), y, L - as - u / 2, y);
    // Ties across it; a haunch gets a short bar from the side wall to a tie's foot.
    const float last = b.rows.empty() ? 0 : b.rows.back();
    for (std::size_t i = 0; i < b.ties.size(); ++i) {
        const float x = b.ties[i], foot = b.Lower(x);
        Bar(pen, x, -as - u / 2, x, foot);
        const bool deep = !b.rows.empty() && last - foot > 100;
        const float ratio = b.ha / L;
        if ((b.ha > 0 && deep && i == 0) || (ratio > 0.3f && deep && i == 2) || (ratio > 0.8f && i == 1)) {
            const float hx[2] = {b.Start(), x}, hy[2] = {foot, foot};
            pen->Draw_SteelPolyline(1, 2, hx, hy, nullptr, 0, 0);
        }
    }
    if (type == 2) Labels(pen, b, r, *d);
    return 1;
}

int CMkqJiSuan::DrawPeiJinTu(CPenSGT* pen, int mode) {
    CMkqJsData* d = Data();
    if (!pen || !d || !Result()) return 0;
    const float scale = mode == 1 ? d->JianTuBiLi[9] : d->PeiJinTuBiLi;
    d->PreparePen(pen, scale);
    const float u = pen->GetAbsLength(1);
    // Stored units per mm at the scale the pen took (it keeps its own for a scale of nothing).
    const float f = 100 / pen->GetBiLiChi();
    const MkqSide* s = d->Side;

    // Cut 1-1: 左 and 右 facing each other across the opening; cut 2-2 to its
    // right: 下 and 上 across the opening's height.
    const float width = s[0].L + d->La + s[1].L, height = s[2].L + d->Lb + s[3].L;
    const float x2 = (width + s[1].t + 25 * u) * f + 4000 / 1.5f;  // stored
    struct Place {
        float a1, a2, a3, x, y;
    };
    const Place places[4] = {{0, 0, 0, 0, 0},
                             {0, 0, kPi, width * f, 0},
                             {-kPi / 2, kPi, 0, x2, height * f / 2},
                             {-kPi / 2, 0, 0, x2, -height * f / 2}};
    const float deep1 = std::max(s[0].h + s[0].ha, s[1].h + s[1].ha);
    const float deep2 = std::max(s[2].h + s[2].ha, s[3].h + s[3].ha);
    const float xc = x2 / f;  // cut 2-2's face, mm
    const std::string prefix = mode == 0 ? d->m_strName + " " : std::string();

    for (int side = 0; side < kMkqSideCount; ++side) {
        CPenSGT part(nullptr);
        d->PreparePen(&part, scale);
        float ox, oy;
        if (!d->DrawOutline(side, &part, ox, oy, CPenSGT::LT_FINE, "", 0)) return 0;
        {
            CPenSGTEx bars;
            d->PreparePen(&bars, scale);
            if (!DrawSideResult(side, &bars, 3)) return 0;
            Put(&part, bars, 0, 0);
        }
        const BarLayout b = Layout(*d, side, u);
        part.SetLayerEnv(kResultLayer, 999, 999);
        Labels(&part, b, Result()->Side[side], *d);
        if (b.ha > 0.01f) Dim(&part, {b.L, b.L, b.L}, {-b.H, -b.h, 0}, b.L + 4.5f * u, 90);
        else Dim(&part, {b.L, b.L}, {-b.h, 0}, b.L + 4.5f * u, 90);
        if (d->DoorType && b.dx > 0.01f) Dim(&part, {b.L - b.dx, b.L}, {0, 0}, 2 * u, 0);
        Dim(&part, {0, 0}, {-b.H, 0}, -b.t - 4.5f * u, 90);

        const Place& p = places[side];
        float lamda[3][3];
        form_euler_lamda(p.a1, p.a2, p.a3, lamda);
        pen->InsertDxf(part, p.x, p.y, lamda);

        if (side == 1) {
            const float y = -deep1 - u;
            Dim(pen, {-s[0].t, 0, s[0].L, s[0].L + d->La, width, width + s[1].t}, {y, y, y, y, y, y}, y - 5 * u, 0);
            const float mid = s[0].L + d->La / 2;
            pen->Draw_SectionLine(mid, 10 * u, mid, -deep1 - 10 * u, "2");
            pen->SetJTState(1);
            pen->Draw_DrawingName((width + s[1].t - s[0].t) / 2, -deep1 - 30 * u, (prefix + "1-1").c_str(), true, 82);
            pen->SetJTState(0);
        } else if (side == 3) {
            const float y0 = -height / 2, x = xc + deep2 + u;
            Dim(pen, {x, x, x, x, x, x},
                {y0 - s[3].t, y0, y0 + s[3].L, y0 + s[3].L + d->Lb, -y0, -y0 + s[2].t}, x + 5 * u, 90);
            const float mid = y0 + s[3].L + d->Lb / 2;
            pen->Draw_SectionLine(xc - 10 * u, mid, xc + deep2 + 10 * u, mid, "1");
            pen->SetJTState(1);
            pen->Draw_DrawingName(xc + deep2 / 2, y0 - s[3].t - 30 * u, (prefix + "2-2").c_str(), true, 82);
            pen->SetJTState(0);
        }
    }
    return 1;
}
