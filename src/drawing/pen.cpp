#include "drawing/pen.h"

#include <cmath>
#include <cstring>

#include "drawing/geom.h"

using namespace kv::drawing;

namespace {
constexpr const char* kTuSuApp = "KV_TUSU";
double rad(double d) { return d * kPi / 180.0; }

struct EnvGuard {
    CBase_SGT& pen;
    bool active;
    EnvGuard(CBase_SGT& p, const char* layer, const char* color) : pen(p), active(layer || color) {
        if (!active) return;
        pen.Push_ENV();
        if (layer) pen.SetCurLayer(layer);
        if (color) pen.SetCurColor(color);
    }
    ~EnvGuard() {
        if (active) pen.Pop_ENV();
    }
};
}  // namespace

// ------------------------------------------------------------ CLayerManager

CLayerManager::CLayerManager()
    : defs_{
          {1, "AXIS", 1, "CENTER"},     {2, "WALL", 7, "CONTINUOUS"},
          {8, "SKETCH", 7, "CONTINUOUS"}, {10, "DIM", 3, "CONTINUOUS"},
          {11, "TEXT", 7, "CONTINUOUS"},  {20, "STEEL-1", 2, "CONTINUOUS"},
          {21, "STEEL-2", 1, "CONTINUOUS"}, {23, "RESULT", 4, "CONTINUOUS"},
          {30, "LOAD", 1, "CONTINUOUS"},  {31, "SYMBOL", 5, "CONTINUOUS"},
      } {}

const CLayerManager::LayerDef* CLayerManager::Find(int kind) const {
    for (const auto& d : defs_)
        if (d.kind == kind) return &d;
    return nullptr;
}

int CLayerManager::GetSteelLyr(int steelType, char* name, int size, char*, char*) const {
    const LayerDef* d = Find(steelType == 2 ? 21 : 20);
    if (!d || !name || size <= 0 || d->name.size() + 1 > static_cast<std::size_t>(size)) return 0;
    std::memcpy(name, d->name.c_str(), d->name.size() + 1);
    return 1;
}

int CLayerManager::GetDimLyr(char* name, int size) const {
    const LayerDef* d = Find(10);
    if (!d || !name || size <= 0 || d->name.size() + 1 > static_cast<std::size_t>(size)) return 0;
    std::memcpy(name, d->name.c_str(), d->name.size() + 1);
    return 1;
}

// ------------------------------------------------------------ CPenJT

CPenJT::CPenJT() { SetCurBiLi(100); }

void CPenJT::SetCurBiLi(float scale, bool) {
    if (!(scale > 0) || !std::isfinite(scale)) return;
    SetBiLiChi(scale);
    factor_ = 100.0 / scale;
}

void CPenJT::BeginAddExtDataTuSu() { ++m_nTuSuDepth; }
void CPenJT::EndAddExtDataTuSu() {
    if (m_nTuSuDepth > 0) --m_nTuSuDepth;
}

void CPenJT::Emit(Entity e) {
    if (m_nTuSuDepth > 0) {
        SetExtData(kTuSuApp, {{1070, std::to_string(m_nExtType)}, {1070, std::to_string(m_nElemCount)}});
        CBase_SGT::Emit(std::move(e));
        ClearExtData();
        return;
    }
    CBase_SGT::Emit(std::move(e));
}

int CPenJT::InsertDxf(const DXF& src, float x, float y, const float lamda[3][3]) {
    if (!lamda) return 0;
    return InsertDxfAffine(src, lamda[0][0], lamda[0][1], lamda[1][0], lamda[1][1], x, y);
}

int CPenJT::Draw_ForceSymbol(float sx, float sy, float px, float py, float s1, float s2, int kind,
                             const char* label) {
    const double len = std::hypot(double(px) - sx, double(py) - sy);
    if (len == 0) return 0;
    CBase_SGT::Draw_Line(sx, sy, px, py);
    const double a = std::atan2(double(py) - sy, double(px) - sx);
    const double bx = px - s1 * std::cos(a), by = py - s1 * std::sin(a);
    const double hx = s2 / 2 * -std::sin(a), hy = s2 / 2 * std::cos(a);
    if (kind == 2) {
        Draw_Solid(px, py, static_cast<float>(bx + hx), static_cast<float>(by + hy),
                   static_cast<float>(bx - hx), static_cast<float>(by - hy));
    } else {
        CBase_SGT::Draw_Line(px, py, static_cast<float>(bx + hx), static_cast<float>(by + hy));
        CBase_SGT::Draw_Line(px, py, static_cast<float>(bx - hx), static_cast<float>(by - hy));
    }
    // Beside the shaft, not on it: a label struck through by its own line is hard to read.
    if (label && *label)
        Draw_Text_Along_Line(sx, sy, px, py, 0, 3, label, GetAbsLength(3.0f), GetAbsLength(1.0f));
    return 1;
}

int CPenJT::Draw_MomentSymbol(float x, float y, float r, float a0, float a1, float s1, float s2,
                              int kind, const char* label) {
    if (!(r > 0)) return 0;
    const bool ccw = a1 >= a0;
    CBase_SGT::Draw_Arc(x, y, r, ccw ? a0 : a1, ccw ? a1 : a0);
    const double ex = x + r * std::cos(rad(a1)), ey = y + r * std::sin(rad(a1));
    const double dir = a1 + (ccw ? 90.0 : -90.0);
    const double bx = ex - s1 * std::cos(rad(dir)), by = ey - s1 * std::sin(rad(dir));
    const double hx = s2 / 2 * -std::sin(rad(dir)), hy = s2 / 2 * std::cos(rad(dir));
    if (kind == 2 || kind == 3) {
        Draw_Solid(static_cast<float>(ex), static_cast<float>(ey), static_cast<float>(bx + hx),
                   static_cast<float>(by + hy), static_cast<float>(bx - hx), static_cast<float>(by - hy));
    } else {
        CBase_SGT::Draw_Line(static_cast<float>(ex), static_cast<float>(ey), static_cast<float>(bx + hx),
                             static_cast<float>(by + hy));
        CBase_SGT::Draw_Line(static_cast<float>(ex), static_cast<float>(ey), static_cast<float>(bx - hx),
                             static_cast<float>(by - hy));
    }
    if (label && *label) CBase_SGT::Draw_Text(x, y + r + s1, GetAbsLength(3.0f), 0, label, "BC");
    return 1;
}

int CPenJT::Draw_PLine(int n, const float* x, const float* y, float width) {
    return Draw_Pline(n, x, y, width, width, 0);
}

// ------------------------------------------------------------ CPenSGT

CPenSGT::CPenSGT(COptItem*) {}

int CPenSGT::SetLayerEnv(int kind, int color, int linetype) {
    const CLayerManager::LayerDef* d = m_LayerManager.Find(kind);
    if (d) {
        AddLayer(d->name, d->color, d->linetype);
        SetCurLayer(d->name.c_str());
    } else {
        SetCurLayer("0");
    }
    if (color == 999) SetCurColor("BYLAYER");
    else SetCurColor(std::to_string(color).c_str());
    if (linetype == 999) SetCurLineType("BYLAYER");
    else ApplyLineType(linetype);
    return 1;
}

int CPenSGT::SetCurLayer_Check(const char* name) {
    if (!name || !*name) name = "0";
    if (const auto* d = [&]() -> const CLayerManager::LayerDef* {
            for (const auto& l : m_LayerManager.Layers())
                if (l.name == name) return &l;
            return nullptr;
        }())
        AddLayer(d->name, d->color, d->linetype);
    SetCurLayer(name);
    return 1;
}

void CPenSGT::SetCurDrawLineEnv(int linetype) { ApplyLineType(linetype); }

void CPenSGT::ApplyLineType(int lt) {
    switch (lt) {
        case LT_DASHED: SetCurLineType("DASHED"); break;
        case LT_CENTER: SetCurLineType("CENTER"); break;
        case LT_HIDDEN: SetCurLineType("HIDDEN"); break;
        default: SetCurLineType("CONTINUOUS"); break;
    }
}

float CPenSGT::OutlineWidth(int lt) const { return lt == LT_THICK ? GetAbsLength(0.4f) : 0.0f; }

int CPenSGT::Draw_Line(int lt, float x1, float y1, float x2, float y2, bool, const char* layer,
                       const char* color) {
    if (x1 == x2 && y1 == y2) return 0;
    EnvGuard g(*this, layer, color);
    Push_ENV();
    ApplyLineType(lt);
    const float w = OutlineWidth(lt);
    const int r = w > 0 ? Draw_Pline(x1, y1, x2, y2, w, w) : CBase_SGT::Draw_Line(x1, y1, x2, y2);
    Pop_ENV();
    return r;
}

int CPenSGT::Draw_PLine(int lt, int n, const float* x, const float* y, const float*, int flag,
                        const char* layer, const char* color) {
    if (n < 2 || !x || !y) return 0;
    EnvGuard g(*this, layer, color);
    Push_ENV();
    ApplyLineType(lt);
    const float w = OutlineWidth(lt);
    const int r = Draw_Pline(n, x, y, w, w, flag == 1 ? 1 : 0);
    Pop_ENV();
    return r;
}

int CPenSGT::Draw_Arc(int lt, float cx, float cy, float r, float a0, float a1, const char* layer,
                      const char* color) {
    EnvGuard g(*this, layer, color);
    Push_ENV();
    ApplyLineType(lt);
    const float w = OutlineWidth(lt);
    const int res = w > 0 ? Draw_PArc(cx, cy, r, a0, a1, w) : CBase_SGT::Draw_Arc(cx, cy, r, a0, a1);
    Pop_ENV();
    return res;
}

int CPenSGT::Draw_Circle(int lt, float cx, float cy, float r, const char* layer, const char* color) {
    EnvGuard g(*this, layer, color);
    Push_ENV();
    ApplyLineType(lt);
    const float w = OutlineWidth(lt);
    const int res = w > 0 ? Draw_PArc(cx, cy, r, 0, 360, w) : CBase_SGT::Draw_Circle(cx, cy, r);
    Pop_ENV();
    return res;
}

float CPenSGT::TextTypeHeight(int type) const {
    switch (type) {
        case 1: return GetAbsLength(5.0f);
        case 5: return GetAbsLength(3.0f);
        default: return GetAbsLength(3.5f);
    }
}

int CPenSGT::Draw_Text(int type, float x, float y, float angle, const char* text, const char* align,
                       const char* layer, const char* color) {
    if (!text || !*text) return 0;
    EnvGuard g(*this, layer, color);
    return CBase_SGT::Draw_Text(x, y, TextTypeHeight(type), angle, text, align ? align : "BL");
}

int CPenSGT::Draw_PLineBinder(int kind, int n, const float* x, const float* y, const float* p,
                              int startType, int endType, int flag) {
    if (n < 2 || !x || !y) return 0;
    std::vector<float> xs(x, x + n), ys(y, y + n);
    const float hook = GetAbsLength(2.0f);
    // Hooks bent back at 135° to the side of their sign.
    if (startType == 1 || startType == -1) {
        const float a = JH_GetAngle(x[0], y[0], x[1], y[1]) + startType * static_cast<float>(3 * kPi / 4);
        float hx, hy;
        get_polar_point(x[0], y[0], hook, a, &hx, &hy);
        xs.insert(xs.begin(), hx);
        ys.insert(ys.begin(), hy);
    }
    if (endType == 1 || endType == -1) {
        const float a = JH_GetAngle(x[n - 1], y[n - 1], x[n - 2], y[n - 2]) - endType * static_cast<float>(3 * kPi / 4);
        float hx, hy;
        get_polar_point(x[n - 1], y[n - 1], hook, a, &hx, &hy);
        xs.push_back(hx);
        ys.push_back(hy);
    }
    return Draw_PLineSteel(kind, static_cast<int>(xs.size()), xs.data(), ys.data(), p, 0, 0, flag, 0);
}

int CPenSGT::Draw_PLineSteel(int kind, int n, const float* x, const float* y, const float*, int, int,
                             int, int) {
    if (n < 2 || !x || !y) return 0;
    const float w = GetAbsLength(kind == 2 ? 0.5f : 0.35f);
    return Draw_Pline(n, x, y, w, w, 0);
}

int CPenSGT::Draw_DotSteel(float x, float y, int kind) {
    return Draw_Dot(x, y, GetAbsLength(kind == 2 ? 1.2f : 1.0f));
}

int CPenSGT::Draw_DotSteels(int n, const float* x, const float* y, int kind) {
    if (n < 1 || !x || !y) return 0;
    for (int i = 0; i < n; ++i) Draw_DotSteel(x[i], y[i], kind);
    return 1;
}

int CPenSGT::Draw_LeaderSteelDim(float x, float y, float angle, float len, const char* text,
                                 const char*, float height) {
    if (!text || !*text) return 0;
    float ex, ey;
    get_polar_point(x, y, len, static_cast<float>(rad(angle)), &ex, &ey);
    CBase_SGT::Draw_Line(x, y, ex, ey);
    const float h = height > 0 ? height : TextTypeHeight(0);
    const float w = GetTextWidth(text, h);
    // The shoulder runs away from the bar so the text never crosses the leader.
    const float dir = std::cos(rad(angle)) >= 0 ? 1.0f : -1.0f;
    CBase_SGT::Draw_Line(ex, ey, ex + dir * w, ey);
    return CBase_SGT::Draw_Text(ex + dir * w / 2, ey + h * 0.25f, h, 0, text, "BC");
}

int CPenSGT::Draw_ContinueDim(int n, const float* x, const float* y, float pos, float angle,
                              const char* align) {
    if (n < 2 || !x || !y) return 0;
    Push_ENV();
    char name[100];
    if (m_LayerManager.GetDimLyr(name, sizeof name)) SetCurLayer_Check(name);
    SetCurColor("BYLAYER");
    SetCurLineType("BYLAYER");
    const double mx = std::sin(rad(angle)), my = std::cos(rad(angle));  // normal of the dimension line
    std::vector<float> qx(n), qy(n);
    const float gap = GetAbsLength(1.0f), over = GetAbsLength(2.0f);
    for (int i = 0; i < n; ++i) {
        const double d = pos - (x[i] * mx + y[i] * my);
        qx[i] = static_cast<float>(x[i] + d * mx);
        qy[i] = static_cast<float>(y[i] + d * my);
        const double sgn = d >= 0 ? 1 : -1;
        if (std::fabs(d) > gap)
            CBase_SGT::Draw_Line(static_cast<float>(x[i] + sgn * gap * mx), static_cast<float>(y[i] + sgn * gap * my),
                                 static_cast<float>(qx[i] + sgn * over * mx), static_cast<float>(qy[i] + sgn * over * my));
    }
    const int side = (align && (align[0] == 'B' || align[0] == 'b')) ? 0 : 1;
    const float keepH = CurEnv().dimTextHeight;
    const int r = Draw_Dim_Points(n, qx.data(), qy.data(), nullptr, 1, side);
    CurEnv().dimTextHeight = keepH;
    Pop_ENV();
    return r;
}

int CPenSGT::Draw_SectionLine(float x1, float y1, float x2, float y2, const char* name) {
    const double len = std::hypot(double(x2) - x1, double(y2) - y1);
    if (len == 0) return 0;
    const double ux = (x2 - x1) / len, uy = (y2 - y1) / len;
    const float m = GetAbsLength(6.0f), w = GetAbsLength(0.5f);
    Draw_Pline(x1, y1, static_cast<float>(x1 + ux * m), static_cast<float>(y1 + uy * m), w, w);
    Draw_Pline(static_cast<float>(x2 - ux * m), static_cast<float>(y2 - uy * m), x2, y2, w, w);
    if (name && *name) {
        const float h = TextTypeHeight(0);
        CBase_SGT::Draw_Text(static_cast<float>(x1 - ux * h * 0.5f), static_cast<float>(y1 - uy * h * 0.5f), h, 0, name, "TC");
        CBase_SGT::Draw_Text(static_cast<float>(x2 + ux * h * 0.5f), static_cast<float>(y2 + uy * h * 0.5f), h, 0, name, "BC");
    }
    return 1;
}

int CPenSGT::Draw_DrawingName(float x, float y, const char* text, bool underline, char) {
    if (!text || !*text) return 0;
    // Sketch titles are smaller than sheet titles.
    const float h = GetAbsLength(m_nJTState ? 5.0f : 7.0f);
    CBase_SGT::Draw_Text(x, y, h, 0, text, "BC");
    if (underline) {
        const float w = GetTextWidth(text, h) * 1.1f;
        Draw_Pline(x - w / 2, y - h * 0.3f, x + w / 2, y - h * 0.3f, GetAbsLength(0.5f), GetAbsLength(0.5f));
        CBase_SGT::Draw_Line(x - w / 2, y - h * 0.5f, x + w / 2, y - h * 0.5f);
    }
    return 1;
}

int CPenSGT::Draw_BreakLine(float x1, float y1, float x2, float y2) {
    return Draw_Cut_Sym(x1, y1, x2, y2, GetSymbolSize());
}

int CPenSGT::Draw_HorizonLine(float x1, float y1, float x2, float y2, float size) {
    const double len = std::hypot(double(x2) - x1, double(y2) - y1);
    if (len == 0 || !(size > 0)) return 0;
    CBase_SGT::Draw_Line(x1, y1, x2, y2);
    const double ux = (x2 - x1) / len, uy = (y2 - y1) / len;
    const double a = std::atan2(uy, ux) + 3 * kPi / 4;  // 45° back, to the left
    const int n = std::max(1, static_cast<int>(len / size));
    for (int i = 0; i <= n; ++i) {
        const double px = x1 + ux * len * i / n, py = y1 + uy * len * i / n;
        CBase_SGT::Draw_Line(static_cast<float>(px), static_cast<float>(py),
                             static_cast<float>(px + size * std::cos(a)), static_cast<float>(py + size * std::sin(a)));
    }
    return 1;
}

int CPenSGT::Draw_LevelMark(float x, float y, const char* text) {
    const float s = GetAbsLength(3.0f);
    const float xs[4] = {x, x - s, x + s, x}, ys[4] = {y, y + s, y + s, y};
    Draw_Lines(4, xs, ys);
    CBase_SGT::Draw_Line(x + s, y + s, x + 4 * s, y + s);
    if (text && *text) CBase_SGT::Draw_Text(x + s, y + s * 1.2f, TextTypeHeight(0), 0, text, "BL");
    return 1;
}

int CPenSGT::Draw_AxisLine(float x1, float y1, float x2, float y2, const char* label) {
    Push_ENV();
    SetCurLineType("CENTER");
    CBase_SGT::Draw_Line(x1, y1, x2, y2);
    Pop_ENV();
    if (label && *label) {
        const double len = std::hypot(double(x2) - x1, double(y2) - y1);
        const double ux = len > 0 ? (x2 - x1) / len : 1, uy = len > 0 ? (y2 - y1) / len : 0;
        const float r = GetAbsLength(4.0f);
        const float cx = static_cast<float>(x2 + ux * r), cy = static_cast<float>(y2 + uy * r);
        CBase_SGT::Draw_Circle(cx, cy, r);
        CBase_SGT::Draw_Text(cx, cy, TextTypeHeight(0), 0, label, "MC");
    }
    return 1;
}

int CPenSGT::Draw_RecTangle_LB(float x, float y, float w, float h) {
    const float xs[4] = {x, x + w, x + w, x}, ys[4] = {y, y, y + h, y + h};
    return Draw_Pline(4, xs, ys, 0, 0, 1);
}
