// Sketches of one side of the second door-frame wall: its section, its loads
// and its line model. The input page and the result drawings share them.
#include <cctype>
#include <cmath>
#include <string>

#include "base/geometry.h"
#include "base/textio.h"
#include "drawing/geom.h"
#include "drawing/pen.h"
#include "members/slabwall/mkqjs_data.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr int kSketchLayer = 8;

bool HasText(const char* text) {
    if (!text) return false;
    for (const char* p = text; *p; ++p)
        if (!std::isspace(static_cast<unsigned char>(*p))) return true;
    return false;
}

// A sketch title under the sketch at y.
void Title(CPenSGT* pen, float x, float y, const char* title) {
    pen->SetJTState(1);
    pen->Draw_DrawingName(x, y, title, true, 'R');
    pen->SetJTState(0);
}

// Chain dimension through two points.
void Dim2(CPenSGT* pen, float x1, float y1, float x2, float y2, float pos, float angle) {
    const float xs[2] = {x1, x2}, ys[2] = {y1, y2};
    pen->Draw_ContinueDim(2, xs, ys, pos, angle, "TC");
}

}  // namespace

int CMkqJsData::DrawJianTu(CBase_SGT* drawing) {
    if (!drawing) return 0;
    drawing->Push_ENV();
    const float scale = JianTuBiLi[0];
    drawing->SetBiLiChi(scale);
    const int side = CurSide >= 0 && CurSide < kMkqSideCount ? CurSide : 0;
    const std::string title = "尺寸荷载简图(" + G_MkqSideName[side] + ")";
    float ox = 0, oy = 0;
    int ok = 1;
    {
        CPenSGT pen(nullptr);
        PreparePen(&pen, scale);
        ok = DrawOutline(side, &pen, ox, oy, CPenSGT::LT_THICK, title.c_str(), 1);
        if (ok) drawing->InsertDxf(pen, 0, 0, 0, 1, 1);
    }
    if (ok && DrawLoads) {
        CPenSGT pen(nullptr);
        PreparePen(&pen, scale);
        ok = DrawLoadSketch(side, &pen, ox, oy, 0, 0);
        if (ok) drawing->InsertDxf(pen, 0, 0, 0, 1, 1);
    }
    drawing->Pop_ENV();
    return ok;
}

int CMkqJsData::PreparePen(CPenSGT* pen, float scale) {
    if (!pen) return 0;
    pen->SetCurBiLi(scale, false);
    pen->AddGouJian(1);
    pen->AddXiangTu(3);
    return 1;
}

int CMkqJsData::DrawOutline(int side, CPenSGT* pen, float& outX, float& outY, int lineType, const char* title,
                            int withDims) {
    if (!pen || side < 0 || side >= kMkqSideCount) return 0;
    const MkqSide& s = Side[side];
    const bool arched = DoorType != 0;
    const float dx = arched ? s.dx : 0, dy = arched ? s.dy : 0;
    const float L = s.L, h = s.h, ha = s.ha, t = s.t, H = h + ha;
    pen->SetLayerEnv(kSketchLayer, 999, 999);
    const float u = pen->GetAbsLength(1), u7 = pen->GetAbsLength(7);

    const float xs[5] = {0, L - dx, L, L, 0}, ys[5] = {0, 0, -dy, -h, -H};
    pen->Draw_PLine(lineType, 5, xs, ys);

    // The wall the side springs from, cut off above and below.
    pen->Draw_Line(CPenSGT::LT_THICK, 0, 0, 0, 10 * u);
    pen->Draw_Line(CPenSGT::LT_THICK, 0, -H, 0, -H - 10 * u);
    pen->Draw_Line(CPenSGT::LT_THICK, -t, 10 * u, -t, -H - 10 * u);
    if (pen->GetSymbolSize() > t / 5) pen->SetSymbolSize(t / 5);
    pen->Draw_BreakLine(-t, 10 * u, 0, 10 * u);
    pen->Draw_BreakLine(-t, -H - 10 * u, 0, -H - 10 * u);
    outX = -t;
    outY = -H - 10 * u;

    if (withDims) {
        const float bx[3] = {-t, 0, L}, by[3] = {-H - u, -H - u, -H - u};
        pen->Draw_ContinueDim(3, bx, by, -H - u7, 0, "TC");
        float vx[3] = {L + u, L + u, L + u}, vy[3] = {-H, -h, 0};
        if (ha > 0.01f) {
            pen->Draw_ContinueDim(3, vx, vy, L + u7, 90, "TC");
        } else {
            vy[1] = 0;
            pen->Draw_ContinueDim(2, vx, vy, L + u7, 90, "TC");
        }
        if (arched && dy > 0.01f) Dim2(pen, L, -dy, L, 0, L + 4 * u, 90);
        if (arched && dx > 0.01f) Dim2(pen, L - dx, 0, L, 0, 2.5f * u, 0);
    }

    if (HasText(title)) {
        const float y = -H - pen->GetAbsLength(20);
        Title(pen, L / 2, y, title);
        outY = y;
    }
    return 1;
}

int CMkqJsData::DrawLoadSketch(int side, CPenSGT* pen, float& outX, float& outY, int labelMode, float moment) {
    if (!pen || side < 0 || side >= kMkqSideCount) return 0;
    const MkqSide& s = Side[side];
    const bool arched = DoorType != 0;
    const float dx = arched ? s.dx : 0, dy = arched ? s.dy : 0;
    const float L = s.L, h = s.h, L1 = s.L1, L2 = s.L2;
    pen->SetLayerEnv(kSketchLayer, 999, 999);
    const float u = pen->GetAbsLength(1), u5 = pen->GetAbsLength(5);

    // The door leaf bears at L1 on the face, or on the chamfer when L1 lies on it.
    float px = L1, py = 0;
    const bool onChamfer = arched && L - L1 < dx;
    if (onChamfer) {
        float ix, iy;
        if (JH_GetInterPoint_Line(L - dx, 0, L, -dy, L1, u5, L1, -h, &ix, &iy, 0.00001f) && labelMode != 2) py = iy;
    }
    float sx = L1, sy = 10 * u;
    if (onChamfer) get_polar_point(px, py, 10 * u, JH_GetAngle(L - dx, 0, L, -dy) + kPi / 2, &sx, &sy);

    bool force = false;
    if (std::fabs(s.qi) > 0.0001f) {
        const std::string label = labelMode ? sprintf_gbk("%.0fkN/m", s.qi) : std::string();
        pen->Draw_ForceSymbol(sx, sy, px, py, 2 * u, u / 1.5f, 2, label.c_str());
        force = true;
    }
    if (std::fabs(s.Ti) > 0.0001f) {
        const std::string label = labelMode ? sprintf_gbk("%.0fkN/m", s.Ti) : std::string();
        pen->Draw_ForceSymbol(L1 + 10 * u, py, px, py, 2 * u, u / 1.5f, 2, label.c_str());
        force = true;
    }
    if (labelMode == 2 && std::fabs(moment) > 0.0001f) {
        const float a0 = moment > 0 ? -60.0f : 60.0f;
        pen->Draw_MomentSymbol(L, 0, 5 * u, a0, -a0, 2 * u, u, 3, "");
        pen->Draw_Text(5, L + 7 * u, 2 * u, 0, sprintf_gbk("%.0fkN.m/m", moment).c_str(), "BL");
    }
    if (force) Dim2(pen, 0, 11 * u, L1, 11 * u, 11 * u + u5, 0);

    if (std::fabs(s.qe) > 0.0001f) {
        int n = static_cast<int>(L2 / (3 * u));
        if (n < 1) n = 1;
        for (int i = 0; i <= n; ++i) {
            const float x = i * L2 / n;
            pen->Draw_ForceSymbol(x, 7 * u, x, 0, 2 * u, u / 1.5f, 2, "");
        }
        if (labelMode) pen->Draw_Text(5, L2 / 2, 8 * u, 0, sprintf_gbk("%.0fkN/m2", s.qe).c_str(), "BC");
        pen->Draw_Line(CPenSGT::LT_FINE, 0, 7 * u, L2, 7 * u, false, nullptr, "0");
        Dim2(pen, 0, 6 * u, L2, 6 * u, 6 * u + u5, 0);
    }
    outX = 0;
    outY = 0;
    return 1;
}

int CMkqJsData::DrawLineSketch(int side, CPenSGT* pen, float& outX, float& outY, const char* title) {
    if (!pen || side < 0 || side >= kMkqSideCount) return 0;
    const float L = Side[side].L;
    pen->SetLayerEnv(kSketchLayer, 999, 999);
    const float u = pen->GetAbsLength(1), u5 = pen->GetAbsLength(5);
    pen->Draw_Line(CPenSGT::LT_THICK, 0, 0, L, 0);
    pen->Draw_HorizonLine(0, 3 * u, 0, -3 * u, u);
    Dim2(pen, 0, -u, L, -u, -2 * u5, 0);
    outX = 0;
    outY = -u5;
    if (HasText(title)) {
        const float y = -pen->GetAbsLength(20);
        Title(pen, L / 2, y, title);
        outY = y;
    }
    return 1;
}
