// The shelter section's geometry, built for the left half (x < 0).
#include <cmath>

#include "base/error.h"
#include "drawing/geom.h"
#include "lining/shelter/shelter_data.h"

namespace {

constexpr double kTol = 0.001;
constexpr float kHalfPi = 1.5707964f;

struct Circle {
    float r = -1.0f;  // -1: the part is straight
    float cx = 0.0f, cy = 0.0f;
    bool arc() const { return r >= 0.0f; }
};

// Circle through three points; false when they do not define one.
bool Through(float x0, float y0, float x1, float y1, float x2, float y2, Circle* c) {
    const float x[3] = {x0, x1, x2}, y[3] = {y0, y1, y2};
    return get_circle_3points(x, y, &c->r, &c->cx, &c->cy) == 1;
}

// Of two points found, the one nearer to (rx, ry); the second on a tie.
void Nearer(int count, double x1, double y1, double x2, double y2, float rx, float ry, float* x, float* y) {
    if (count >= 2 && _JH_GetDist(x2, y2, rx, ry) <= _JH_GetDist(x1, y1, rx, ry)) {
        x1 = x2;
        y1 = y2;
    }
    *x = static_cast<float>(x1);
    *y = static_cast<float>(y1);
}

}  // namespace

int CChenQiData::GetPartGeometry(int s, float* xt, float* yt, float* xb, float* yb) const {
    const CChenQiCanShu& c = m_CanShu;
    const float L = c.L, H = c.H, f = c.f, fi = c.fi, fs = c.fs, tc = c.tc, tb = c.tb, tw = c.tw;
    const int kind = c.nType;
    if (s < 0 || s > 2) return 0;
    if (s == 0) {
        *xt = -L / 2;
        *yt = H;
        *xb = -L / 2;
        *yb = 0;
        return 1;
    }
    Circle crown, invert, side;
    if (kind <= 2) {
        crown.r = s == 1 ? c.R - tc / 2 : c.R;
        crown.cy = H + f + tc - c.R;
    } else if (f >= 0.001f) {
        if (!Through(L / 2, H, 0, H + f, -L / 2, H, &crown)) return 0;
        crown.r += s * tc / 2;
        crown.cx = 0;
    }
    if ((kind == 2 || kind == 3) && fi >= 0.001f) {
        if (!Through(-L / 2, 0, 0, -fi, L / 2, 0, &invert)) return 0;
        invert.r += s * tb / 2;
        invert.cx = 0;
    }
    if (kind == 3 && fs >= 0.001f) {
        if (!Through(-L / 2, H, -L / 2 - fs, H / 2, -L / 2, 0, &side)) return 0;
        side.r += s * tc / 2;
        side.cy = H / 2;
    }

    // Junction of part `p` (crown at the top, floor or invert at the bottom) with the side.
    auto junction = [&](bool top, float* x, float* y) {
        const Circle& p = top ? crown : invert;
        const float rx = -L / 2, ry = top ? H : 0;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        int count = 0;
        if (p.arc() && side.arc()) {
            count = _JH_GetInterPoint_Circle_Circle(p.cx, p.cy, p.r, side.cx, side.cy, side.r, &x1, &y1, &x2,
                                                    &y2, kTol);
        } else if (!p.arc() && !side.arc()) {
            const float e = kind == 3 ? s * tc / 2 + fs : s * tw / 2;
            const float g = (kind == 2 || kind == 3) ? fi : 0.0f;
            *x = -L / 2 - e;
            *y = top ? H + f + s * tc / 2 : (kind == 0 ? 0.0f : -g - s * tb / 2);
            return true;
        } else if (p.arc()) {
            const float sx = -L / 2 - s * (kind == 3 ? tc : tw) / 2;
            count = _JH_GetInterPoint_Circle_LineSection(p.cx, p.cy, p.r, sx, H + f + tc, sx, -fi - tb, &x1, &y1,
                                                         &x2, &y2, kTol);
        } else {
            const float ly = top ? H + f + s * tc / 2 : -fi - s * tb / 2;
            count = _JH_GetInterPoint_Circle_LineSection(side.cx, side.cy, side.r, -L / 2 - fs - tw, ly,
                                                         L / 2 + fs + tw, ly, &x1, &y1, &x2, &y2, kTol);
        }
        if (count <= 0) return false;
        Nearer(count, x1, y1, x2, y2, rx, ry, x, y);
        return true;
    };

    float txt = 0, tyt = 0, txb = 0, tyb = 0;
    const bool topFound = junction(true, &txt, &tyt);
    const bool midpoint = s == 1 && kind <= 2;  // the centre line's top comes from the outer face
    if (!topFound && !midpoint) return -1;
    if (!junction(false, &txb, &tyb)) return -2;
    if (midpoint) {
        const float ox = -L / 2 - tw;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        const int count = _JH_GetInterPoint_Circle_LineSection(0, H + f + tc - c.R, c.R, ox, H + f + tc, ox,
                                                               -fi - tb, &x1, &y1, &x2, &y2, kTol);
        if (count <= 0) return -1;
        float qx = 0, qy = 0;
        Nearer(count, x1, y1, x2, y2, -L / 2, H, &qx, &qy);
        txt = (-L / 2 + qx) / 2;
        tyt = (H + qy) / 2;
    }
    *xt = txt;
    *yt = tyt;
    *xb = txb;
    *yb = tyb;
    return 1;
}

int CChenQiData::GetPartArc(int s, int p, float* r, float* cx, float* cy) const {
    *r = 0;
    const CChenQiCanShu& c = m_CanShu;
    const int kind = c.nType;
    if (p < 0 || p > 2) return 0;
    if ((p == 1 && kind <= 2) || (p == 2 && kind <= 1)) return 0;
    float xt = 0, yt = 0, xb = 0, yb = 0;
    if (GetPartGeometry(s, &xt, &yt, &xb, &yb) != 1) return 0;
    float x[3], y[3];
    if (p == 0) {
        x[0] = -xt, y[0] = yt, x[1] = 0, y[1] = c.H + c.f + s * c.tc / 2, x[2] = xt, y[2] = yt;
    } else if (p == 1) {
        x[0] = xt, y[0] = yt, x[1] = -c.L / 2 - c.fs - s * c.tc / 2, y[1] = c.H / 2, x[2] = xb, y[2] = yb;
    } else {
        x[0] = xb, y[0] = yb, x[1] = 0, y[1] = -c.fi - s * c.tb / 2, x[2] = -xb, y[2] = yb;
    }
    float rr = 0, ccx = 0, ccy = 0;
    if (get_circle_3points(x, y, &rr, &ccx, &ccy) != 1) return 0;
    *r = rr;
    *cx = ccx;
    *cy = ccy;
    return 1;
}

int CChenQiData::GetHouDu(int i, int p, float* t) const {
    *t = 0;
    const CChenQiCanShu& c = m_CanShu;
    const int n = m_nFenDuan;
    if (i < 0 || i > n || p < 0 || p > 2 || (p == 2 && c.nType == 0) || n <= 0) return 0;
    if (p == 1) {
        *t = c.nType == 3 ? c.tc : c.tw;
        return 1;
    }
    if (p == 2) {
        *t = c.tb;
        return 1;
    }
    if (c.nType == 3) {
        *t = c.tc;
        return 1;
    }
    float r0 = 0, c0x = 0, c0y = 0, r1 = 0, c1x = 0, c1y = 0, r2 = 0, c2x = 0, c2y = 0;
    float jx = 0, jy = 0, bx = 0, by = 0;
    GetPartArc(0, 0, &r0, &c0x, &c0y);
    // Without the centre line or the outer face there is no crown to measure.
    if (!GetPartArc(1, 0, &r1, &c1x, &c1y) || !GetPartArc(2, 0, &r2, &c2x, &c2y) ||
        GetPartGeometry(1, &jx, &jy, &bx, &by) != 1)
        return 0;
    const float a0 = JH_GetAngle(c1x, c1y, jx, jy);
    const float a = a0 - (a0 - kHalfPi) * static_cast<float>(i) / static_cast<float>(n);
    float px = 0, py = 0, qx = 0, qy = 0, ix = 0, iy = 0;
    get_polar_point(c1x, c1y, r1, a, &px, &py);
    get_polar_point(c2x, c2y, r2, JH_GetAngle(c2x, c2y, px, py), &qx, &qy);
    if (r0 == 0) {
        ix = qx;  // a flat inner face
        iy = c.H;
    } else {
        get_polar_point(c0x, c0y, r0, JH_GetAngle(c0x, c0y, px, py), &ix, &iy);
    }
    *t = JH_GetDist(qx, qy, ix, iy);
    return 1;
}

int CChenQiData::GetTangentRise(int mode, float* rise) const {
    const CChenQiCanShu& c = m_CanShu;
    if (c.nType != 3 || (mode != 0 && mode != 1)) return 0;
    const float ax = c.L / 2, ay = c.H;
    float r = 0, cx = 0, cy = 0;
    if (mode == 0) {
        if (!GetPartArc(0, 1, &r, &cx, &cy)) {
            *rise = c.L / 2;
            return 1;
        }
        const float phi = std::fmod(JH_GetAngle(ax, ay, -cx, cy), 4.712389f);
        if (phi < 0.00001f || phi > 4.712379f) {
            *rise = 0;
        } else {
            const float y0 = c.H - std::tan(phi) * c.L / 2;
            *rise = y0 + JH_GetDist(0, y0, ax, ay) - c.H;
        }
    } else {
        if (!GetPartArc(0, 0, &r, &cx, &cy)) {
            *rise = c.H / 2;
            return 1;
        }
        const float phi = std::fmod(JH_GetAngle(ax, ay, cx, cy), 3.1415927f);
        if (phi < 0.00001f || phi > 3.1415827f) {
            *rise = 0;
        } else {
            const float x0 = c.L / 2 - (c.H - c.H / 2) / std::tan(phi);
            *rise = x0 + JH_GetDist(x0, c.H / 2, ax, ay) - c.L / 2;
        }
    }
    return *rise >= 0 ? 1 : 0;
}

int CChenQiData::CheckSize() const {
    const CChenQiCanShu& c = m_CanShu;
    const int kind = c.nType;
    float xt[3], yt[3], xb[3], yb[3];
    for (int s = 0; s < 3; ++s) {
        const int result = GetPartGeometry(s, &xt[s], &yt[s], &xb[s], &yb[s]);
        if (result == 1) continue;
        if (result == -2)
            tell_error1(301, "%s", "注意：\n    尺寸数据错误：仰拱与侧边无交点\n    请增加增高或减小净宽！");
        else if (result == -1)
            tell_error1(301, "%s", "注意：\n    尺寸数据错误：顶拱与侧边无交点\n    请加大外拱半径或减小净宽！");
        else
            tell_error1(301, "%s", "注意：\n    计算数据错误！");
        return result;
    }
    // One part of a face: three points, an arc through them or the segment from the first to the third.
    struct Part {
        bool present = false, arc = false;
        float x[3] = {}, y[3] = {};
        float r = 0, cx = 0, cy = 0, a0 = 0, a1 = 0;
    };
    Part parts[2][3];  // [inner, outer][crown, invert, side]
    for (int face = 0; face < 2; ++face) {
        const int s = face * 2;
        const bool outer = face == 1;
        Part& crown = parts[face][0];
        Part& invert = parts[face][1];
        Part& side = parts[face][2];
        crown.present = side.present = true;
        invert.present = kind != 0;
        crown.arc = kind <= 2 ? (s > 0 || c.f > 0.001f) : c.f > 0.001f;
        side.arc = kind == 3 && c.fs > 0.001f;
        invert.arc = (kind == 2 || kind == 3) && c.fi > 0.001f;
        const float top = outer ? c.H + c.f + c.tc : c.H + c.f;
        const float bottom = outer ? -c.fi - c.tb : -c.fi;
        const float xm = kind == 3 ? (outer ? -c.L / 2 - c.fs - c.tc : -c.L / 2 - c.fs)
                                   : (outer ? -c.L / 2 - c.tw : -c.L / 2);
        const float cx[3][3] = {{-xt[s], 0, xt[s]}, {xb[s], 0, -xb[s]}, {xt[s], xm, xb[s]}};
        const float cy[3][3] = {{yt[s], top, yt[s]}, {yb[s], bottom, yb[s]}, {yt[s], c.H / 2, yb[s]}};
        for (int k = 0; k < 3; ++k) {
            Part& part = parts[face][k];
            for (int j = 0; j < 3; ++j) {
                part.x[j] = cx[k][j];
                part.y[j] = cy[k][j];
            }
            if (!part.present || !part.arc) continue;
            const int result = get_arc_3points(part.x, part.y, &part.r, &part.cx, &part.cy, &part.a0, &part.a1);
            if (result != 1) {
                tell_error1(301, "%s", "注意：\n    尺寸数据错误：三点成弧计算错误！");
                return result;
            }
        }
    }
    for (const Part& in : parts[0]) {
        if (!in.present) continue;
        for (const Part& out : parts[1]) {
            if (!out.present) continue;
            double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            int count = 0;
            if (in.arc && out.arc) {
                float fx1 = 0, fy1 = 0, fx2 = 0, fy2 = 0;
                count = get_inter_arc3_arc3(in.x, in.y, out.x, out.y, &fx1, &fy1, &fx2, &fy2, kTol);
            } else if (in.arc || out.arc) {
                const Part& seg = in.arc ? out : in;
                const Part& arc = in.arc ? in : out;
                count = _JH_GetInterPoint_LineSection_Arc(seg.x[0], seg.y[0], seg.x[2], seg.y[2], arc.cx, arc.cy,
                                                          arc.r, arc.a0, arc.a1, &x1, &y1, &x2, &y2, kTol);
            } else {
                count = _JH_GetInterPoint_LineSection(in.x[0], in.y[0], in.x[2], in.y[2], out.x[0], out.y[0],
                                                      out.x[2], out.y[2], &x1, &y1, &x2, &y2, kTol);
            }
            if (count > 0) {
                tell_error1(301, "%s", "注意：\n    尺寸数据错误：内外边界相交！");
                return -3;
            }
        }
    }
    return 1;
}
