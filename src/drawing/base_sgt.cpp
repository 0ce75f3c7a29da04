#include "drawing/base_sgt.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>

using namespace kv::drawing;

namespace {
double rad(double d) { return d * kPi / 180.0; }

void ParseAlign(const char* a, int& h, int& v) {
    h = 0, v = 0;
    if (!a || !*a) return;
    switch (a[0]) {
        case 'T': case 't': v = 3; break;
        case 'M': case 'm': v = 2; break;
        default: v = 0; break;
    }
    const char c = a[1] ? a[1] : 'L';
    if (c == 'C' || c == 'c') h = 1;
    else if (c == 'R' || c == 'r') h = 2;
}

// Whether a text along direction `deg` must be turned round to read left to right.
bool Upside(double deg) {
    double a = std::fmod(deg, 360.0);
    if (a < 0) a += 360.0;
    return a > 90.0 + 1e-6 && a <= 270.0 + 1e-6;
}

std::string Fmt0(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0f", v);
    return buf;
}
}  // namespace

CBase_SGT::CBase_SGT() { CBase_SGT::New_MemDxf(); }
CBase_SGT::~CBase_SGT() = default;

int CBase_SGT::New_MemDxf() {
    DXF::New_MemDxf();
    // The pen's texts are in "HZ" from the start: STANDARD has no big font, and
    // CAD programs would show its Chinese characters as question marks.
    Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    const float scale = env_.scale;
    env_ = Env{};
    env_.scale = scale;
    dimDistance_[0] = 10.0f;
    dimDistance_[1] = 7.0f;
    stack_.clear();
    ClearExtData();
    return 1;
}

void CBase_SGT::Push_ENV() { stack_.push_back(env_); }

void CBase_SGT::Pop_ENV() {
    if (stack_.empty()) return;  // an unbalanced pop keeps the pen as it is
    env_ = stack_.back();
    stack_.pop_back();
}

void CBase_SGT::Set_Default_ENV() {
    env_.layer = "0";
    env_.color = 7;
    env_.linetype.clear();
    env_.style = "HZ";
}

void CBase_SGT::SetBiLiChi(float scale) {
    if (scale > 0 && std::isfinite(scale)) env_.scale = scale;
}
void CBase_SGT::SetCurColor(const char* color) { env_.color = ColorNumber(color, env_.color); }
void CBase_SGT::SetCurStyle(const char* style) {
    if (style && *style) env_.style = style;
}
void CBase_SGT::SetCurLayer(const char* layer) {
    if (!layer || !*layer) return;
    env_.layer = layer;
    AddLayer(env_.layer, 7, "CONTINUOUS");
}
void CBase_SGT::SetCurLineType(const char* linetype) {
    if (!linetype || !*linetype || std::strcmp(linetype, "BYLAYER") == 0) {
        env_.linetype.clear();
        return;
    }
    if (AddLinetype(linetype)) env_.linetype = linetype;
}
void CBase_SGT::SetBaseOffset(float x, float y) {
    env_.offsetX = x;
    env_.offsetY = y;
}
void CBase_SGT::GetBaseOffset(float& x, float& y) const {
    x = env_.offsetX;
    y = env_.offsetY;
}

void CBase_SGT::SetExtData(const std::string& app, const std::vector<XDataItem>& items) {
    xdataApp_ = app.empty() ? "KV" : app;
    xdata_ = items;
}
void CBase_SGT::ClearExtData() {
    xdataApp_.clear();
    xdata_.clear();
}

void CBase_SGT::Emit(Entity e) {
    e.layer = env_.layer;
    e.color = env_.color;
    e.linetype = env_.linetype;
    if (!xdataApp_.empty()) {
        e.xdataApp = xdataApp_;
        e.xdata = xdata_;
    }
    AddEntity(std::move(e));
}

int CBase_SGT::MoveTo(float x, float y) {
    env_.penX = x;
    env_.penY = y;
    return 1;
}
int CBase_SGT::LineTo(float x, float y) {
    Draw_Line(env_.penX, env_.penY, x, y);
    return MoveTo(x, y);
}
int CBase_SGT::LineTo_Relative(float dx, float dy) { return LineTo(env_.penX + dx, env_.penY + dy); }
int CBase_SGT::PlineTo_Relative(float dx, float dy, float w0, float w1) {
    const float x = env_.penX + dx, y = env_.penY + dy;
    Draw_Pline(env_.penX, env_.penY, x, y, w0, w1);
    return MoveTo(x, y);
}

int CBase_SGT::PolylineStored(std::vector<Vertex> v, bool closed) {
    if (v.size() < 2) return 0;
    Entity e;
    e.kind = EntityKind::Polyline;
    e.vertices = std::move(v);
    e.closed = closed;
    Emit(std::move(e));
    return 1;
}

int CBase_SGT::Draw_Line(float x1, float y1, float x2, float y2, float widthFactor) {
    if (widthFactor != 1 && widthFactor > 0) {
        const double w = Len(Paper(widthFactor / 10));
        return PolylineStored({{X(x1), Y(y1), w, w, 0}, {X(x2), Y(y2)}}, false);
    }
    Entity e;
    e.kind = EntityKind::Line;
    e.x1 = X(x1), e.y1 = Y(y1), e.x2 = X(x2), e.y2 = Y(y2);
    Emit(std::move(e));
    return 1;
}

int CBase_SGT::Draw_Lines(int n, const float* x, const float* y) {
    if (n < 2 || !x || !y) return 0;
    for (int i = 0; i + 1 < n; ++i) Draw_Line(x[i], y[i], x[i + 1], y[i + 1]);
    return 1;
}

int CBase_SGT::Draw_Pline(int n, const float* x, const float* y, float w0, float w1, int closed) {
    if (n < 2 || !x || !y) return 0;
    std::vector<Vertex> v;
    for (int i = 0; i < n; ++i) v.push_back({X(x[i]), Y(y[i]), Len(w0), Len(w1), 0});
    if (!closed) v.back().startWidth = v.back().endWidth = 0;
    return PolylineStored(std::move(v), closed != 0);
}

int CBase_SGT::Draw_Pline(float x1, float y1, float x2, float y2, float w0, float w1, int) {
    const float xs[2] = {x1, x2}, ys[2] = {y1, y2};
    return Draw_Pline(2, xs, ys, w0, w1, 0);
}

int CBase_SGT::Draw_Circle(float cx, float cy, float r, float widthFactor) {
    if (!(r > 0)) return 0;
    if (widthFactor != 1 && widthFactor > 0) return Draw_PArc(cx, cy, r, 0, 360, Paper(widthFactor / 10));
    Entity e;
    e.kind = EntityKind::Circle;
    e.x1 = X(cx), e.y1 = Y(cy), e.radius = Len(r);
    Emit(std::move(e));
    return 1;
}

int CBase_SGT::Draw_Arc(float cx, float cy, float r, float a0, float a1, float widthFactor) {
    if (!(r > 0)) return 0;
    if (widthFactor != 1 && widthFactor > 0) return Draw_PArc(cx, cy, r, a0, a1, Paper(widthFactor / 10));
    Entity e;
    e.kind = EntityKind::Arc;
    e.x1 = X(cx), e.y1 = Y(cy), e.radius = Len(r);
    e.startAngle = std::fmod(std::fmod(double(a0), 360.0) + 360.0, 360.0);
    e.endAngle = std::fmod(std::fmod(double(a1), 360.0) + 360.0, 360.0);
    Emit(std::move(e));
    return 1;
}

int CBase_SGT::Draw_PArc(float cx, float cy, float r, float a0, float a1, float width) {
    if (!(r > 0)) return 0;
    const double sweep = SweepDegrees(a0, a1);
    if (!std::isfinite(sweep)) return 0;
    // Arcs of at most 90° each, joined by bulges.
    const int n = static_cast<int>(std::ceil(sweep / 90.0));
    const double step = sweep / n, bulge = std::tan(rad(step) / 4);
    std::vector<Vertex> v;
    for (int i = 0; i <= n; ++i) {
        const double a = rad(a0 + step * i);
        v.push_back({X(cx + r * std::cos(a)), Y(cy + r * std::sin(a)), Len(width), Len(width),
                     i < n ? bulge : 0});
    }
    v.back().startWidth = v.back().endWidth = 0;
    return PolylineStored(std::move(v), false);
}

int CBase_SGT::Draw_Rect_C(float w, float h, float x, float y, float angle) {
    const double c = std::cos(rad(angle)), s = std::sin(rad(angle));
    const double hx[4] = {-w / 2.0, w / 2.0, w / 2.0, -w / 2.0};
    const double hy[4] = {-h / 2.0, -h / 2.0, h / 2.0, h / 2.0};
    std::vector<Vertex> v;
    for (int i = 0; i < 4; ++i) v.push_back({X(x + hx[i] * c - hy[i] * s), Y(y + hx[i] * s + hy[i] * c)});
    return PolylineStored(std::move(v), true);
}

int CBase_SGT::Draw_Solid(float x1, float y1, float x2, float y2, float x3, float y3) {
    Entity e;
    e.kind = EntityKind::Solid;
    e.x1 = X(x1), e.y1 = Y(y1), e.x2 = X(x2), e.y2 = Y(y2);
    e.x3 = X(x3), e.y3 = Y(y3), e.x4 = X(x3), e.y4 = Y(y3);
    Emit(std::move(e));
    return 1;
}

int CBase_SGT::Draw_Dot(float x, float y, float d) {
    if (!(d > 0)) return 0;
    // A donut of inner diameter 0: two half-circle segments as wide as the radius.
    const double r = d / 4.0, w = Len(d / 2.0);
    return PolylineStored({{X(x - r), Y(y), w, w, 1.0}, {X(x + r), Y(y), w, w, 1.0}}, true);
}

int CBase_SGT::TextEntity(double sx, double sy, double height, double angle,
                          const std::string& text, int hAlign, int vAlign) {
    if (text.empty()) return 0;
    Entity e;
    e.kind = EntityKind::Text;
    e.x1 = sx, e.y1 = sy;
    e.height = height;
    e.rotation = std::fmod(std::fmod(angle, 360.0) + 360.0, 360.0);
    e.text = text;
    e.hAlign = hAlign;
    e.vAlign = vAlign;
    const TextStyle* st = FindStyle(env_.style);
    if (!st) st = FindStyle("HZ");
    e.style = st ? st->name : "STANDARD";
    e.widthFactor = st ? st->widthFactor : 1.0;
    Emit(std::move(e));
    return 1;
}

int CBase_SGT::Draw_Text(float x, float y, float height, float angle, const char* text,
                         const char* align) {
    if (!text || !*text) return 0;
    int h, v;
    ParseAlign(align, h, v);
    const double ht = height > 0 ? height : GetTextHeight();
    return TextEntity(X(x), Y(y), Len(ht), angle, text, h, v);
}

int CBase_SGT::Draw_Text_Along_Line(float x1, float y1, float x2, float y2, int code, int pos,
                                    const char* text, float height, float offset) {
    if (!text || !*text) return 0;
    const double dx = double(x2) - x1, dy = double(y2) - y1;
    const double len = std::hypot(dx, dy);
    const double ux = len > 0 ? dx / len : 1, uy = len > 0 ? dy / len : 0;
    const double nx = -uy, ny = ux;  // left of P1→P2
    const double h = height > 0 ? height : GetTextHeight();
    double f;
    int hAlign;
    if (code == 10) {
        f = pos / 10.0;
        hAlign = 0;
    } else {
        f = std::clamp(pos / 6.0, 0.0, 1.0);  // sixths never leave the line
        hAlign = pos <= 1 ? 0 : (pos >= 5 ? 2 : 1);
    }
    double angle = std::atan2(dy, dx) * 180.0 / kPi;
    double px = x1 + f * dx, py = y1 + f * dy;
    double off = offset;
    if (code != 7 && Upside(angle)) {
        // Turned round: the text keeps its place beside the line.
        angle += 180.0;
        off = offset + h;
        hAlign = 2 - hAlign;
    }
    return TextEntity(X(px + off * nx), Y(py + off * ny), Len(h), angle, text, hAlign, 0);
}

int CBase_SGT::Draw_Text_Along_Arc(float cx, float cy, float r, float a0, float a1, int code,
                                   int pos, const char* text, float height, float offset) {
    if (!text || !*text) return 0;
    double sweep = std::fmod(double(a1) - a0, 360.0);
    if (sweep < 0) sweep += 360;
    const double h = height > 0 ? height : GetTextHeight();
    const double f = code == 10 ? pos / 10.0 : std::clamp(pos / 6.0, 0.0, 1.0);
    int hAlign = code == 10 ? 0 : (pos <= 1 ? 0 : (pos >= 5 ? 2 : 1));
    const double a = a0 + f * sweep;
    const double ox = std::cos(rad(a)), oy = std::sin(rad(a));
    double angle = a + 90.0;  // counter-clockwise tangent: the glyphs' tops face the centre
    bool turned = false;
    if (code != 7 && Upside(angle)) {
        angle += 180.0;
        hAlign = 2 - hAlign;
        turned = true;
    }
    // The text fills r + offset … r + offset + h whichever way it faces.
    const double rr = turned ? r + offset : r + offset + h;
    return TextEntity(X(cx + rr * ox), Y(cy + rr * oy), Len(h), angle, text, hAlign, 0);
}

int CBase_SGT::Draw_Arrow(float x, float y, float angleDeg, float size) {
    const double s = size > 0 ? size : GetArrowSize();
    const double a = rad(angleDeg);
    const double bx = x - s * std::cos(a), by = y - s * std::sin(a);
    const double hw = s / 6.0;
    return Draw_Solid(x, y, static_cast<float>(bx - hw * std::sin(a)),
                      static_cast<float>(by + hw * std::cos(a)),
                      static_cast<float>(bx + hw * std::sin(a)),
                      static_cast<float>(by - hw * std::cos(a)));
}

int CBase_SGT::DrawLineArrow(float x1, float y1, float x2, float y2, float size) {
    Draw_Line(x1, y1, x2, y2);
    return Draw_Arrow(x2, y2, static_cast<float>(std::atan2(double(y2) - y1, double(x2) - x1) * 180 / kPi),
                      size);
}

int CBase_SGT::Draw_Dim_Points(int n, const float* x, const float* y, const char* text, int ticks,
                               int side) {
    if (n < 2 || !x || !y) return 0;
    double dx = double(x[n - 1]) - x[0], dy = double(y[n - 1]) - y[0];
    double len = std::hypot(dx, dy);
    if (len == 0) return 0;
    double ux = dx / len, uy = dy / len;
    double deg = std::atan2(uy, ux) * 180 / kPi;
    // Texts read left to right or bottom to top.
    const bool turned = Upside(deg);
    if (turned) deg += 180;
    const double tnx = -std::sin(rad(deg)), tny = std::cos(rad(deg));  // "up" of the texts
    const double th = GetDimTextHeight();
    const double tick = GetArrowSize() / 2;
    const double ext = Paper(2.0f);
    // The dimension line runs a little past its ends.
    Draw_Line(static_cast<float>(x[0] - ux * ext * ticks), static_cast<float>(y[0] - uy * ext * ticks),
              static_cast<float>(x[n - 1] + ux * ext * ticks), static_cast<float>(y[n - 1] + uy * ext * ticks));
    for (int i = 0; i < n; ++i) {
        // Extension stroke across the dimension line.
        Draw_Line(static_cast<float>(x[i] - uy * ext), static_cast<float>(y[i] + ux * ext),
                  static_cast<float>(x[i] + uy * ext), static_cast<float>(y[i] - ux * ext));
        if (ticks) {
            const double c = std::cos(rad(deg + 45)), s = std::sin(rad(deg + 45));
            const float xs[2] = {static_cast<float>(x[i] - c * tick), static_cast<float>(x[i] + c * tick)};
            const float ys[2] = {static_cast<float>(y[i] - s * tick), static_cast<float>(y[i] + s * tick)};
            Draw_Pline(2, xs, ys, Paper(0.3f), Paper(0.3f), 0);
        }
    }
    for (int i = 0; i + 1 < n; ++i) {
        const double seg = std::hypot(double(x[i + 1]) - x[i], double(y[i + 1]) - y[i]);
        if (!ticks && seg > 0) {
            const double a = std::atan2(double(y[i + 1]) - y[i], double(x[i + 1]) - x[i]) * 180 / kPi;
            Draw_Arrow(x[i + 1], y[i + 1], static_cast<float>(a));
            Draw_Arrow(x[i], y[i], static_cast<float>(a + 180));
        }
        const std::string label = (n == 2 && text && *text) ? std::string(text) : Fmt0(seg);
        const double mx = (double(x[i]) + x[i + 1]) / 2, my = (double(y[i]) + y[i + 1]) / 2;
        const double gap = th * 0.3;
        double px, py;
        int v;
        if (side) {  // above (or left of) the line: baseline just clear of it
            px = mx + tnx * gap, py = my + tny * gap;
            v = 0;
        } else {
            px = mx - tnx * gap, py = my - tny * gap;
            v = 3;
        }
        TextEntity(X(px), Y(py), Len(th), deg, label, 1, v);
    }
    return 1;
}

int CBase_SGT::Draw_Dim_Points(float x1, float y1, float x2, float y2, const char* text, int ticks,
                               int side) {
    const float xs[2] = {x1, x2}, ys[2] = {y1, y2};
    return Draw_Dim_Points(2, xs, ys, text, ticks, side);
}

int CBase_SGT::Draw_DimJiaoDu(float cx, float cy, float r, float a0, float a1, const char* text,
                              float height) {
    if (!(r > 0)) return 0;
    Draw_Arc(cx, cy, r, a0, a1);
    const double sweep = SweepDegrees(a0, a1);
    const double s = GetArrowSize();
    const double p0x = cx + r * std::cos(rad(a0)), p0y = cy + r * std::sin(rad(a0));
    const double p1x = cx + r * std::cos(rad(a1)), p1y = cy + r * std::sin(rad(a1));
    Draw_Arrow(static_cast<float>(p0x), static_cast<float>(p0y), static_cast<float>(a0 - 90), static_cast<float>(s));
    Draw_Arrow(static_cast<float>(p1x), static_cast<float>(p1y), static_cast<float>(a1 + 90), static_cast<float>(s));
    if (text && *text) {
        const double h = height > 0 ? height : GetDimTextHeight();
        const double am = a0 + sweep / 2;
        double ang = am - 90;
        int v = 0;
        if (Upside(ang)) {
            ang += 180;
            v = 3;
        }
        const double rr = r + h * 0.3;
        TextEntity(X(cx + rr * std::cos(rad(am))), Y(cy + rr * std::sin(rad(am))), Len(h), ang,
                   text, 1, v);
    }
    return 1;
}

int CBase_SGT::Draw_DimJiaoDu(float cx, float cy, float a0, float a1, const char* text,
                              float height) {
    const float h = height > 0 ? height : GetDimTextHeight();
    return Draw_DimJiaoDu(cx, cy, 8 * h, a0, a1, text, h);
}

int CBase_SGT::Draw_Cut_Sym(float x1, float y1, float x2, float y2, float size) {
    const double dx = double(x2) - x1, dy = double(y2) - y1;
    const double len = std::hypot(dx, dy);
    if (len == 0) return 0;
    const double ux = dx / len, uy = dy / len, nx = -uy, ny = ux;
    const double s = size > 0 ? size : GetArrowSize();
    const double over = s;  // the symbol runs a little past the cut object
    const double mx = (double(x1) + x2) / 2, my = (double(y1) + y2) / 2;
    std::vector<float> xs, ys;
    auto add = [&](double px, double py) {
        xs.push_back(static_cast<float>(px));
        ys.push_back(static_cast<float>(py));
    };
    add(x1 - ux * over, y1 - uy * over);
    add(mx - ux * s / 2, my - uy * s / 2);
    add(mx - ux * s / 4 + nx * s, my - uy * s / 4 + ny * s);
    add(mx + ux * s / 4 - nx * s, my + uy * s / 4 - ny * s);
    add(mx + ux * s / 2, my + uy * s / 2);
    add(x2 + ux * over, y2 + uy * over);
    return Draw_Lines(static_cast<int>(xs.size()), xs.data(), ys.data());
}

int CBase_SGT::Draw_TuMing(float x, float y, const char* text, int underline, int) {
    if (!text || !*text) return 0;
    const double h = GetTitleHeight();
    TextEntity(X(x), Y(y), Len(h), 0, text, 1, 0);
    if (underline) {
        const double w = GetTextWidth(text, static_cast<float>(h)) * 1.1;
        const double y1 = y - h * 0.3, y2 = y - h * 0.5;
        Draw_Pline(static_cast<float>(x - w / 2), static_cast<float>(y1), static_cast<float>(x + w / 2),
                   static_cast<float>(y1), Paper(0.5f), Paper(0.5f));
        Draw_Line(static_cast<float>(x - w / 2), static_cast<float>(y2), static_cast<float>(x + w / 2),
                  static_cast<float>(y2));
    }
    return 1;
}

int CBase_SGT::Draw_RectGangJin_C(float w, float h, float x, float y, float angle, int) {
    if (!(w > 0) || !(h > 0)) return 0;
    const double c = std::cos(rad(angle)), s = std::sin(rad(angle));
    const double hx[4] = {-w / 2.0, w / 2.0, w / 2.0, -w / 2.0};
    const double hy[4] = {-h / 2.0, -h / 2.0, h / 2.0, h / 2.0};
    const double bw = Len(Paper(0.35f));
    std::vector<Vertex> v;
    for (int i = 0; i < 4; ++i)
        v.push_back({X(x + hx[i] * c - hy[i] * s), Y(y + hx[i] * s + hy[i] * c), bw, bw, 0});
    return PolylineStored(std::move(v), true);
}

int CBase_SGT::Draw_DoNutGangJin(float x, float y, float rOuter, float rInner) {
    if (rInner > rOuter) std::swap(rInner, rOuter);
    if (!(rOuter > 0)) return 0;
    const double r = (double(rOuter) + std::max(rInner, 0.0f)) / 2, w = Len(rOuter - std::max(rInner, 0.0f));
    return PolylineStored({{X(x - r), Y(y), w, w, 1.0}, {X(x + r), Y(y), w, w, 1.0}}, true);
}

int CBase_SGT::Draw_YuanDianGangJin(float x, float y, float d, int) {
    return Draw_Dot(x, y, d > 0 ? d : Paper(1.0f));
}

int CBase_SGT::Draw_GangJin_BiaoZhu(float x, float y, float dx, float dy, float shoulder, int n,
                                    const char* text) {
    if (!text || !*text) return 0;
    const float ex = x + Paper(dx), ey = y + Paper(dy);
    Draw_Line(x, y, ex, ey);
    const float h = GetTextHeight();
    std::string label = text;
    if (n > 0) label = "(" + std::to_string(n) + ")" + label;
    const float w = std::max(GetTextWidth(label.c_str(), h), std::fabs(Paper(shoulder)));
    const float dir = shoulder < 0 ? -1.0f : 1.0f;
    Draw_Line(ex, ey, ex + dir * w, ey);
    return Draw_Text(ex + dir * w / 2, ey + h * 0.25f, h, 0, label.c_str(), "BC");
}

int CBase_SGT::Draw_GangJin_BiaoZhu(float x, float y, int n, const float* xs, const float* ys,
                                    float angle, int, int, int, const char* text) {
    if (!text || !*text) return 0;
    for (int i = 0; i < n && xs && ys; ++i) Draw_Line(xs[i], ys[i], x, y);
    const float h = GetTextHeight();
    const float w = GetTextWidth(text, h);
    const double c = std::cos(rad(angle)), s = std::sin(rad(angle));
    Draw_Line(x, y, static_cast<float>(x + w * c), static_cast<float>(y + w * s));
    return Draw_Text(static_cast<float>(x + w / 2 * c - h * 0.25 * s), static_cast<float>(y + w / 2 * s + h * 0.25 * c), h,
                     angle, text, "BC");
}
