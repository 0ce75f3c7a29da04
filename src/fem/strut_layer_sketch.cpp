#include "fem/strut_layer_sketch.h"

#include "base/geometry.h"
#include "drawing/base_sgt.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace kv::fem {

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kHalfPi = 1.5707964f;
constexpr float kThreeHalfPi = 4.712389f;
constexpr float kTwoPi = 6.2831855f;
constexpr float kHeadAngle = 0.5235988f;  // 30°
constexpr float kQuarterPi = 0.7853982f;
constexpr float kDegrees = 57.29578f;
// Most arrows in one row: at a symbol size near 0 (a graphic scale of 0) they
// would be countless, and so many are one dark band at any size.
constexpr int kMostArrows = 1000;

std::string Format(const char* format, float a) {
    char text[64];
    std::snprintf(text, sizeof text, format, a);
    return text;
}

std::string Format(const char* format, float a, float b) {
    char text[96];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// Arrows of one row: each arrow after the first also joins its tail to the last one's.
class ArrowRow {
public:
    explicit ArrowRow(CBase_SGT* d) : d_(d) {}
    void Draw(float x, float y, float angle, float length, float head) {
        const float tx = x + length * std::cos(angle), ty = y + length * std::sin(angle);
        d_->Draw_Line(x, y, tx, ty);
        for (float side : {kHeadAngle, -kHeadAngle})
            d_->Draw_Line(x, y, x + head * std::cos(angle + side), y + head * std::sin(angle + side));
        if (!first_) d_->Draw_Line(tailX_, tailY_, tx, ty);
        first_ = false;
        tailX_ = tx;
        tailY_ = ty;
    }

private:
    CBase_SGT* d_;
    bool first_ = true;
    float tailX_ = 0, tailY_ = 0;
};

// Where a member lies in the drawing: its net line's straight line or arc.
struct Path {
    bool arc = false;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    float cx = 0, cy = 0, r = 0, a0 = 0, sweep = 0;
    float length = 0;
    float angle = 0;  // direction of a straight line

    // The point at distance s from the start.
    void At(float s, float& x, float& y) const {
        if (arc) {
            const float a = Radial(s);
            x = cx + r * std::cos(a);
            y = cy + r * std::sin(a);
            return;
        }
        const float f = s / std::max(length, 1e-6f);
        x = x1 + f * (x2 - x1);
        y = y1 + f * (y2 - y1);
    }
    // Direction from the centre of an arc to the point at distance s.
    float Radial(float s) const { return a0 + sweep * s / std::max(length, 1e-6f); }
    // Direction of travel at distance s.
    float Tangent(float s) const { return arc ? Radial(s) + kHalfPi : angle; }
};

bool FindPath(const CJsBzData& model, const CJsLineGouJian& member, float ox, float oy, Path& p) {
    if (member.netLine < 1 || member.netLine > static_cast<int>(model.m_cNetLine.size())) return false;
    const JsNetLine& line = model.m_cNetLine[member.netLine - 1];
    const int nodes = static_cast<int>(model.m_cNetNode.size());
    if (line.start < 1 || line.start > nodes || line.end < 1 || line.end > nodes) return false;
    const JsNetNode& a = model.m_cNetNode[line.start - 1];
    const JsNetNode& b = model.m_cNetNode[line.end - 1];
    p.x1 = a.x * 1000 + ox, p.y1 = a.y * 1000 + oy;
    p.x2 = b.x * 1000 + ox, p.y2 = b.y * 1000 + oy;
    p.arc = line.shape != 0;
    if (!p.arc) {
        p.length = get_dist(p.x1, p.y1, p.x2, p.y2);
        p.angle = get_line_angle(p.x1, p.y1, p.x2, p.y2);
        return true;
    }
    p.cx = line.cx * 1000 + ox, p.cy = line.cy * 1000 + oy;
    p.r = get_dist(p.cx, p.cy, p.x1, p.y1);
    p.a0 = get_line_angle(p.cx, p.cy, p.x1, p.y1);
    p.sweep = get_line_angle(p.cx, p.cy, p.x2, p.y2) - p.a0;
    if (p.sweep < 0) p.sweep += kTwoPi;
    p.length = p.r * p.sweep;
    return true;
}

// Intensity of a load table at station s: linear between stations, the table's
// own value at a station, nothing beyond its ends.
float Intensity(const std::vector<float>& at, const std::vector<float>& q, float s) {
    for (std::size_t i = 0; i < at.size(); ++i)
        if (std::fabs(s - at[i]) < 0.00001f) return q[i];
    if (s < at.front() - 0.001f || s > at.back() + 0.001f) return 0;
    if (s <= at.front()) return q.front();
    for (std::size_t i = 0; i + 1 < at.size(); ++i) {
        if (s < at[i] || s > at[i + 1]) continue;
        float span = at[i + 1] - at[i];
        if (span <= 0) span = 1e-10f;
        return q[i] + (q[i + 1] - q[i]) * (s - at[i]) / span;
    }
    return q.back();
}

void DrawSpring(CBase_SGT* d, float x, float y, float angle, float s) {
    const float ux = std::cos(angle), uy = std::sin(angle);
    const float nx = -uy, ny = ux;
    auto point = [&](float along, float across, float& px, float& py) {
        px = x + along * ux + across * nx;
        py = y + along * uy + across * ny;
    };
    // Axis, a zigzag of 45° strokes between 0.2 s and 0.8 s, axis again, and the
    // ground: a bar 0.8 s wide with 45° hatching of 0.2 s.
    const float zig[][2] = {{0, 0},        {0.2f, 0},   {0.3f, 0.1f}, {0.5f, -0.1f},
                            {0.7f, 0.1f},  {0.8f, 0},   {1.0f, 0}};
    float px = x, py = y;
    for (const auto& z : zig) {
        float qx, qy;
        point(z[0] * s, z[1] * s, qx, qy);
        if (&z != &zig[0]) d->Draw_Line(px, py, qx, qy);
        px = qx, py = qy;
    }
    float bx1, by1, bx2, by2;
    point(s, -0.4f * s, bx1, by1);
    point(s, 0.4f * s, bx2, by2);
    d->Draw_Line(bx1, by1, bx2, by2);
    const float hatch = angle + kQuarterPi;
    for (int i = 0; i < 4; ++i) {
        float hx, hy;
        point(s, (-0.4f + 0.2f * i) * s, hx, hy);
        d->Draw_Line(hx, hy, hx + 0.2f * s * std::cos(hatch), hy + 0.2f * s * std::sin(hatch));
    }
}

// A ground bar of width 0.8 s across `angle`, centred `at` along it from (x, y),
// hatched on its far side.
void DrawGround(CBase_SGT* d, float x, float y, float angle, float s, float at) {
    const float ux = std::cos(angle), uy = std::sin(angle);
    const float nx = -uy, ny = ux;
    const float gx = x + at * ux, gy = y + at * uy;
    d->Draw_Line(gx - 0.4f * s * nx, gy - 0.4f * s * ny, gx + 0.4f * s * nx, gy + 0.4f * s * ny);
    const float hatch = angle + kQuarterPi;
    for (int i = 0; i < 4; ++i) {
        const float hx = gx + (-0.4f + 0.2f * i + 0.1f) * s * nx, hy = gy + (-0.4f + 0.2f * i + 0.1f) * s * ny;
        d->Draw_Line(hx, hy, hx + 0.2f * s * std::cos(hatch), hy + 0.2f * s * std::sin(hatch));
    }
}

struct Sketch {
    const CJianTu_StrLd& s;
    CBase_SGT* d;

    void NodeLoad(float x, float y, float f1, float f2, float m) const {
        if (s.m_nMode == 2) {
            f1 = 0;
            f2 = -f2;
        }
        const float head = s.m_fForceLength / 8;
        auto length = [&](float f) { return s.m_fForceScale > 0 ? std::fabs(f) / s.m_fForceScale * s.m_fForceLength : 0; };
        if (std::fabs(f2) > 0.0001f) {
            const float l = length(f2);
            ArrowRow row(d);
            if (f2 >= 0) row.Draw(x, y + l, -kHalfPi, l, head);
            else row.Draw(x, y, kHalfPi, l, head);
            d->Draw_Text(x + 30, y + l, s.m_fTextHeight, 0, Format("%.1f", std::fabs(f2)).c_str());
        }
        if (std::fabs(f1) > 0.0001f) {
            const float l = length(f1);
            ArrowRow row(d);
            if (f1 >= 0) row.Draw(x + l, y, kPi, l, head);
            else row.Draw(x, y, 0, l, head);
            d->Draw_Text(x + l, y + 30, s.m_fTextHeight, 0, Format("%.1f", std::fabs(f1)).c_str());
        }
        if (std::fabs(m) > 0.0001f) {
            const float p = s.m_fForceLength / 2;
            d->Draw_Arc(x, y, p / 2, 0, 180);
            d->Draw_Line(x + p / 2, y, x + p / 2 + p / 4, y + p / 4);
            d->Draw_Line(x + p / 2, y, x + p / 2 - p / 4, y + p / 4);
            d->Draw_Text(x + 0.1f * p, y + 0.6f * p, s.m_fTextHeight, 0, Format("%.1f", m).c_str());
        }
    }

    // Shapes: 0 uniform across the member, 1 uniform with horizontal arrows, 2 with
    // vertical arrows, 3 a triangle peaking at mid-length, 4 a trapezoid with ramps
    // of b, 5 linear from q1 at b to q2 at b + c. Lengths in drawing units.
    void LineLoad(const Path& path, int shape, float q1, float q2, float b, float c) const {
        const float L = path.length;
        const float q = std::fabs(q1);
        std::vector<float> at, value;
        std::string label = Format("%.1f", q);
        float labelAt = L / 3;
        switch (shape) {
        case 3:
            at = {0, L / 2, L};
            value = {0, q, 0};
            break;
        case 4:
            b = std::min(b, L / 2 - 0.001f);
            at = {0, b, L - b, L};
            value = {0, q, q, 0};
            break;
        case 5:
            b = std::min(b, L - 0.001f);
            c = std::min(c, L - b);
            at = {b, b + c};
            value = {q, std::fabs(q2)};
            label = Format("%.1f-%.1f", q, std::fabs(q2));
            labelAt = b + c / 3;
            break;
        default:
            at = {0, L};
            value = {q, q};
            break;
        }

        const float spacing = s.m_fLoadLength / 2;
        const float count = L / spacing;  // infinite, or no number on a point, at a spacing of 0
        const int n = count >= 2 ? (count < kMostArrows ? static_cast<int>(count) : kMostArrows) : 2;
        const float head = s.m_fLoadLength / 4;
        // A straight member's loads point to its left, an arc's towards its centre;
        // a negative load on a straight member and any other on an arc turn round.
        const bool turn = path.arc ? q1 >= 0 : q1 < 0;
        const float mid = path.arc ? std::fmod(path.a0 + path.sweep / 2, kTwoPi) : path.angle;
        auto direction = [&](float station) {
            float a;
            if (shape == 1) a = mid >= 0 && mid <= kPi ? 0 : kPi;
            else if (shape == 2) a = mid < kHalfPi || mid > kThreeHalfPi ? kHalfPi : -kHalfPi;
            else a = path.arc ? path.Radial(station) : path.angle + kHalfPi;
            return turn ? a + kPi : a;
        };
        auto arrowLength = [&](float intensity) {
            return s.m_fLoadScale > 0 ? std::fabs(intensity) * s.m_fLoadLength / s.m_fLoadScale : 0;
        };

        ArrowRow row(d);
        float longest = 0;
        int labelStation = -1;
        for (int k = 0; k <= n; ++k) {
            const float station = std::clamp(k * L / n, 0.0f, L);
            const float intensity = Intensity(at, value, station);
            if (labelStation < 0 && station >= labelAt - 0.001f) labelStation = k;
            if (shape == 5 && std::fabs(intensity) < 0.001f) continue;
            float x, y;
            path.At(station, x, y);
            const float l = arrowLength(intensity);
            row.Draw(x, y, direction(station), l, head);
            longest = std::max(longest, l);
        }
        if (labelStation < 0) labelStation = n;

        // The label stands beyond the arrows' tails, reading along the member; when
        // the tails lie below its baseline it keeps two head lengths more away.
        const float station = std::clamp(labelStation * L / n, 0.0f, L);
        const float textAngle = path.Tangent(station);
        const float outward = direction(station);
        float gap = longest * std::fabs(std::sin(outward - textAngle));
        if (std::sin(outward - textAngle) < 0) gap += 2 * head;
        float x, y;
        path.At(station, x, y);
        d->Draw_Text(x + gap * std::cos(outward), y + gap * std::sin(outward), s.m_fTextHeight, textAngle * kDegrees,
                     label.c_str());
    }

    void MemberLoads(const CJsBzData& model, const CJsLineGouJian& member, float ox, float oy) const {
        Path path;
        if (!FindPath(model, member, ox, oy, path)) return;
        for (const JsLineLoad& load : member.m_cLoad) {
            const float* v = load.value;
            float x, y;
            switch (load.type) {
            case 1:
                path.At(v[2] * 1000, x, y);
                NodeLoad(x, y, v[0], v[1], 0);
                break;
            case 2:
                path.At(v[1] * 1000, x, y);
                NodeLoad(x, y, 0, 0, v[0]);
                break;
            case 3: LineLoad(path, 0, v[0], 0, 0, 0); break;
            case 4: LineLoad(path, 1, v[0], 0, 0, 0); break;
            case 5: LineLoad(path, 2, v[0], 0, 0, 0); break;
            case 6: LineLoad(path, 4, v[0], 0, v[1] * 1000, 0); break;
            case 7: LineLoad(path, 3, v[0], 0, 0, 0); break;
            case 8: LineLoad(path, 5, v[0], v[3], v[1] * 1000, v[2] * 1000); break;
            default: break;
            }
        }
    }
};

template <typename Fn>
void ForEachMember(const CJsBzData& model, Fn fn) {
    for (const CJsLineGouJian& m : model.m_cYaoLiang) fn(m);
    for (const CJsLineGouJian& m : model.m_cZhiCheng) fn(m);
}

}  // namespace

void CJianTu_StrLd::Draw_HeZai(const CJsBzData& model, CBase_SGT* drawing, float ox, float oy) {
    if (!drawing) return;
    m_fForceScale = 0;
    m_fLoadScale = 0;
    for (const JsNodeLoad& load : model.m_cNodeLoad)
        m_fForceScale = std::max({m_fForceScale, std::fabs(load.value[0]), std::fabs(load.value[1])});
    ForEachMember(model, [&](const CJsLineGouJian& member) {
        for (const JsLineLoad& load : member.m_cLoad) {
            if (load.type == 1)
                m_fForceScale = std::max({m_fForceScale, std::fabs(load.value[0]), std::fabs(load.value[1])});
            if (load.type >= 3 && load.type <= 8) m_fLoadScale = std::max(m_fLoadScale, std::fabs(load.value[0]));
            if (load.type == 8) m_fLoadScale = std::max(m_fLoadScale, std::fabs(load.value[3]));
        }
    });

    const Sketch sketch{*this, drawing};
    const int nodes = static_cast<int>(model.m_cNetNode.size());
    for (const JsNodeLoad& load : model.m_cNodeLoad) {
        if (load.node < 1 || load.node > nodes) continue;
        const JsNetNode& n = model.m_cNetNode[load.node - 1];
        sketch.NodeLoad(n.x * 1000 + ox, n.y * 1000 + oy, load.value[0], load.value[1], load.value[2]);
    }
    ForEachMember(model, [&](const CJsLineGouJian& member) { sketch.MemberLoads(model, member, ox, oy); });
}

void CJianTu_StrLd::Draw_YueShu(const CJsBzData& model, CBase_SGT* drawing, float ox, float oy) {
    if (!drawing) return;
    const float h = m_fTextHeight;
    drawing->SetCurColor("4");
    ForEachMember(model, [&](const CJsLineGouJian& member) {
        Path path;
        if (!FindPath(model, member, ox, oy, path)) return;
        float x, y;
        if (member.twelfth) {
            path.At(0.2f * h, x, y);
            drawing->Draw_Circle(x, y, 0.2f * h);
        }
        if (member.thirteenth) {
            path.At(path.length - 0.2f * h, x, y);
            drawing->Draw_Circle(x, y, 0.2f * h);
        }
    });

    drawing->SetCurColor("7");
    const float s = 6 * h;
    const int nodes = static_cast<int>(model.m_cNetNode.size());
    for (const JsNodeYS& ys : model.m_cNodeYS) {
        if (ys.node < 1 || ys.node > nodes) continue;
        const JsNetNode& n = model.m_cNetNode[ys.node - 1];
        const float x = n.x * 1000 + ox, y = n.y * 1000 + oy;
        const float angle = ys.kind == 3 || ys.kind == 4 ? kThreeHalfPi : ys.value1;
        const float ux = std::cos(angle), uy = std::sin(angle);
        switch (ys.kind) {
        case 1:
            DrawSpring(drawing, x, y, angle, s);
            drawing->Draw_Circle(x, y, 0.4f * h);
            drawing->Draw_Text_Along_Line(x, y, x + s * ux, y + s * uy, 8, 3, Format("%.0f", ys.value2).c_str(), h,
                                          0.1f * s + 0.2f * h);
            break;
        case 2:
            DrawSpring(drawing, x, y, angle, s);
            drawing->Draw_Circle(x + s * ux, y + s * uy, 0.4f * h);
            drawing->Draw_Line(x, y, x + (s - 0.4f * h) * ux, y + (s - 0.4f * h) * uy);
            break;
        case 3:
            DrawGround(drawing, x, y, angle, s, 0);
            break;
        case 4:
            DrawGround(drawing, x, y, angle, s, 0.8f * s);
            for (float side : {-0.3f, 0.3f})
                drawing->Draw_Line(x, y, x + 0.8f * s * ux - side * s * uy, y + 0.8f * s * uy + side * s * ux);
            break;
        default:
            break;
        }
    }
}

}  // namespace kv::fem
