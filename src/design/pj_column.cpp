#include "design/pj_column.h"

#include <algorithm>
#include <cmath>

#include "base/error.h"
#include "base/interp.h"

namespace {

// Stability factor φ of a member under axial compression over l0/b
// (GB 50010-2010 table 6.2.15, 2002 table 7.3.1).
float StabilityFactor(float l0_over_b) {
    static const float kRatio[] = {8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32, 34, 36, 38, 40, 42, 44, 46, 48, 50};
    static const float kPhi[] = {1.0f,  0.98f, 0.95f, 0.92f, 0.87f, 0.81f, 0.75f, 0.70f, 0.65f, 0.60f, 0.56f,
                                 0.52f, 0.48f, 0.44f, 0.40f, 0.36f, 0.32f, 0.29f, 0.26f, 0.23f, 0.21f, 0.19f};
    return liner_inter(kRatio, kPhi, 22, l0_over_b);
}

float StrutFactor(float hw, float b) {
    const float r = b > 0 ? hw / b : 0.0f;
    if (r <= 4.0f) return 0.25f;
    if (r >= 6.0f) return 0.20f;
    return 0.25f - (r - 4.0f) * 0.025f;
}

}  // namespace

PJ_COLUMN::PJ_COLUMN() = default;

void PJ_COLUMN::Ini(int con, int bar, int stirrup, int seis, int as_in, int eta, int axial, int, int, int) {
    con_grade = con;
    bar_grade = bar;
    stirrup_grade = stirrup;
    seismic = seis;
    as = static_cast<float>(as_in);
    eta_on = eta;
    axial_in_shear = axial;
    Re_Ini();
}

void PJ_COLUMN::Re_Ini() {
    PjLoadMaterial(con_grade, bar_grade, stirrup_grade, dynamic, steam, mat);
    if (!mat.ok) tell_error(kv::err::kDataError, mat.error);
    fcd = mat.fc;
    ftd = mat.ft;
    fy = mat.fy;
    fyc = mat.fyc;
    fyv = mat.fyv;
    DefaultMinimum();
}

void PJ_COLUMN::DefaultMinimum() {
    if (!mat.ok) return;
    // GB 50010 (2010 8.5.1, 2002 9.5.1): each face of a compression member
    // 0.2 %; all bars 0.6 % (2010: 0.55 % for 400 MPa, 0.50 % for 500 MPa bars;
    // 2002: 0.1 % less for HRB400 / RRB400), 0.1 % more from C60.
    min_side = 0.002f;
    float total = 0.006f;
    if (PjIs2010()) {
        if (mat.fyk >= 500.0f) total = 0.005f;
        else if (mat.fyk >= 400.0f) total = 0.0055f;
    } else if (mat.fyk >= 400.0f) {
        total = 0.005f;
    }
    if (con_grade >= 60) total += 0.001f;
    min_total = total;
}

void PJ_COLUMN::set_value(float mx, float vx, float my, float vy, float n, float b_in, float h_in, float l0_in,
                          int type, int, int) {
    Mx = mx;
    Vx = vx;
    My = my;
    Vy = vy;
    N = n;
    b = b_in;
    h = h_in;
    l0 = l0_in;
    section_type = type;
}

void PJ_COLUMN::Clear() {
    for (int i = 0; i < 3; ++i) {
        flag[i] = 0;
        message[i].clear();
    }
    m_nCJCX = 0;
    m_nGZPJ = 0;
}

void PJ_COLUMN::SetFlag(int i, const std::string& text) {
    flag[i] = 1;
    if (!message[i].empty()) message[i] += "; ";
    message[i] += text;
    if (i == 0) m_nCJCX = 1;
    if (i == 2) m_nGZPJ = 1;
}

int PJ_COLUMN::if_CJCX() { return flag[0] ? 1 : 0; }

int PJ_COLUMN::if_GZPJ() { return flag[2] ? 1 : 0; }

void PJ_COLUMN::Out_CJCX(std::FILE* fp) {
    if (fp && flag[0]) std::fprintf(fp, "      ------  %s\n", message[0].c_str());
}

void PJ_COLUMN::Out_GZPJ(std::FILE* fp) {
    if (fp && flag[2]) std::fprintf(fp, "      ------  %s\n", message[2].c_str());
}

void PJ_COLUMN::Out_Message(std::FILE* fp) {
    if (!fp) return;
    for (int i = 0; i < 3; ++i)
        if (flag[i]) std::fprintf(fp, "      ------  %s\n", message[i].c_str());
}

bool PJ_COLUMN::CheckSection(float width, float depth) {
    if (!mat.ok) {
        SetFlag(0, mat.error.empty() ? "材料强度错误" : mat.error);
        return false;
    }
    if (width <= 0 || depth - as <= as) {
        SetFlag(0, "截面尺寸错误 !");
        return false;
    }
    return true;
}

int PJ_COLUMN::ZhouYaBi() {
    Clear();
    axial_ratio = 0;
    axial_exceeded = 0;
    axial_message.clear();
    if (!CheckSection(b, h)) return 0;
    const float n = -N;
    axial_ratio = n / (b * h * fcd);
    // Limits of frame columns by seismic grade (GB 50010-2010 11.4.16:
    // 0.65 / 0.75 / 0.85 / 0.90; 2002 11.4.16: 0.7 / 0.8 / 0.9).
    float limit = 0;
    if (PjIs2010()) {
        static const float k2010[] = {0.65f, 0.75f, 0.85f, 0.90f};
        if (seismic >= 1 && seismic <= 4) limit = k2010[seismic - 1];
    } else {
        static const float k2002[] = {0.7f, 0.8f, 0.9f};
        if (seismic >= 1 && seismic <= 3) limit = k2002[seismic - 1];
    }
    m_VarOut.SetNumber("ZhouYaBi", axial_ratio);
    if (limit > 0 && axial_ratio > limit) {
        axial_exceeded = 1;
        char text[160];
        std::snprintf(text, sizeof text, "轴压比 %.3f 超过限值 %.2f !", axial_ratio, limit);
        axial_message = text;
        SetFlag(1, axial_message);
    }
    return 1;
}

float PJ_COLUMN::Eta(float n, float ei, float width, float depth) const {
    // 2010 edition: the second-order effect is taken into the moment by the
    // caller (GetZhuErJieWanJu). 2002 edition 7.3.10:
    // η = 1 + (l0/h)²·ζ1·ζ2 / (1400·ei/h0), ζ1 = 0.5·fc·A/N ≤ 1,
    // ζ2 = 1.15 - 0.01·l0/h ≤ 1; η = 1 for l0/h ≤ 5.
    if (PjIs2010() || !eta_on || n <= 0 || depth <= 0) return 1.0f;
    const float r = l0 / depth;
    if (r <= 5.0f) return 1.0f;
    const float h0 = depth - as;
    const float z1 = std::min(1.0f, 0.5f * mat.fc * width * depth / n);
    const float z2 = std::min(1.0f, 1.15f - 0.01f * r);
    return 1.0f + r * r * z1 * z2 / (1400.0f * ei / h0);
}

bool PJ_COLUMN::Symmetric(float n, float e0, float width, float depth, float& a) {
    const float h0 = depth - as, arm = h0 - as;
    const float fc = fcd * compress_factor;
    const float a1 = mat.alpha1, xb = mat.xi_b;
    if (n >= 0) {
        // Compression (2010 6.2.17, 2002 7.3.4), ei = e0 + ea, ea = max(20, h/30).
        const float ea = std::max(20.0f, depth / 30.0f);
        const float ei = e0 + ea;
        const float eta = Eta(n, ei, width, depth);
        const float e = eta * ei + depth / 2 - as;
        const float x = n / (a1 * fc * width);
        if (x <= xb * h0) {
            if (x >= 2 * as) {
                a = (n * e - a1 * fc * width * x * (h0 - x / 2)) / (fyc * arm);
            } else {
                // Compression zone shallower than 2as': moments about the
                // compression steel (6.2.14 with e').
                const float e1 = eta * ei - depth / 2 + as;
                a = n * e1 / (fy * arm);
            }
        } else {
            // Small eccentricity, symmetric steel, the approximate ξ of 6.2.17-8.
            const float beta1 = mat.beta1;
            const float xi = (n - xb * a1 * fc * width * h0) /
                                 ((n * e - 0.43f * a1 * fc * width * h0 * h0) / ((beta1 - xb) * arm) +
                                  a1 * fc * width * h0) +
                             xb;
            a = (n * e - xi * (1 - 0.5f * xi) * a1 * fc * width * h0 * h0) / (fyc * arm);
        }
        a = std::max(a, 0.0f);
        // Axial capacity N ≤ 0.9·φ·(fc·A + fy'·As') (6.2.15) with the least
        // side of the section.
        const float phi = StabilityFactor(l0 / std::max(1.0f, std::min(b, h)));
        const float total = (n / (0.9f * phi) - fc * width * depth) / fyc;
        a = std::max(a, total / 2);
    } else {
        // Tension (6.2.23): symmetric steel takes As = N·e'/(fy·(h0 - as')) with
        // e' = e0 + h/2 - as'.
        const float t = -n;
        const float e1 = e0 + depth / 2 - as;
        a = t * e1 / (fy * arm);
    }
    return true;
}

bool PJ_COLUMN::Asymmetric(float n, float e0, float width, float depth, float& at, float& ac) {
    const float h0 = depth - as, arm = h0 - as;
    const float fc = fcd * compress_factor;
    const float a1 = mat.alpha1, xb = mat.xi_b, beta1 = mat.beta1;
    const float amin_c = min_side * width * depth;
    const float amin_t = MinTension(n, width, depth);
    if (n < 0) {
        const float t = -n;
        if (e0 <= depth / 2 - as) {
            // Small eccentric tension (6.2.23-1, -2): both faces yield.
            const float e = depth / 2 - as - e0, e1 = depth / 2 - as + e0;
            at = t * e1 / (fy * arm);
            ac = t * e / (fy * arm);
        } else {
            // Large eccentric tension (6.2.23-3, -4), e = e0 - h/2 + as.
            const float e = e0 - depth / 2 + as, e1 = e0 + depth / 2 - as;
            ac = (t * e - a1 * fc * width * h0 * h0 * xb * (1 - 0.5f * xb)) / (fyc * arm);
            if (ac >= amin_c) {
                at = (a1 * fc * width * xb * h0 + fyc * ac + t) / fy;
            } else {
                ac = amin_c;
                const float as_ = (t * e - fyc * ac * arm) / (a1 * fc * width * h0 * h0);
                const float xi = as_ > 0 ? 1 - std::sqrt(std::max(0.0f, 1 - 2 * as_)) : 0.0f;
                if (xi * h0 < 2 * as) at = t * e1 / (fy * arm);
                else at = (a1 * fc * width * xi * h0 + fyc * ac + t) / fy;
            }
        }
        at = std::max(at, amin_t);
        ac = std::max(ac, amin_c);
        return true;
    }
    const float ea = std::max(20.0f, depth / 30.0f);
    const float ei = e0 + ea;
    const float eta = Eta(n, ei, width, depth);
    const float e = eta * ei + depth / 2 - as;
    bool large = eta * ei > 0.3f * h0;
    if (large) {
        // Large eccentricity (6.2.17): with ξ = ξb,
        // As' = (N·e - α1·fc·b·h0²·ξb(1 - 0.5ξb)) / (fy'(h0 - as')).
        ac = (n * e - a1 * fc * width * h0 * h0 * xb * (1 - 0.5f * xb)) / (fyc * arm);
        if (ac >= amin_c) {
            at = (a1 * fc * width * xb * h0 + fyc * ac - n) / fy;
            // No tension steel wanted at ξb: the compression zone is deeper,
            // the far face is not yielding - small eccentricity after all.
            if (at < 0) large = false;
        } else {
            ac = amin_c;
            const float as_ = (n * e - fyc * ac * arm) / (a1 * fc * width * h0 * h0);
            const float root = 1 - 2 * as_;
            const float xi = as_ <= 0 ? 0.0f : (root > 0 ? 1 - std::sqrt(root) : 2.0f);
            if (xi > xb) {
                large = false;
            } else if (xi * h0 < 2 * as) {
                at = n * (eta * ei - depth / 2 + as) / (fy * arm);
            } else {
                at = (a1 * fc * width * xi * h0 + fyc * ac - n) / fy;
                if (at < 0) large = false;
            }
        }
        if (large && at < amin_t) {
            // The far face stays at its minimum while the compression zone grows
            // past ξb: small eccentricity after all.
            at = amin_t;
        }
    }
    if (!large) {
        // Small eccentricity (6.2.17-3, -4): the far face takes its minimum (and
        // the steel against the reverse failure of 6.2.17-3 when N > fc·b·h);
        // ξ follows from the two equilibrium equations with
        // σs = fy(ξ - β1)/(ξb - β1), -fy' ≤ σs ≤ fy.
        at = amin_t;
        if (n > fc * width * depth) {
            const float h01 = depth - as;
            const float rev = (n * (depth / 2 - as - (e0 - ea)) - a1 * fc * width * depth * (h01 - depth / 2)) /
                              (fyc * (h01 - as));
            at = std::max(at, rev);
        }
        const float A0 = a1 * fc * width * h0 * h0, B0 = a1 * fc * width * h0;
        const float k = fy / (xb - beta1);
        auto solve = [&](bool clamp_sigma) {
            // -A0/2·ξ² + (A0 - B0·a' + k·As·a')·ξ + (N·a' - k·β1·As·a' - N·e) = 0,
            // or with σs = -fy' fixed.
            double q2 = -A0 / 2.0, q1, q0;
            if (!clamp_sigma) {
                q1 = A0 - B0 * arm + k * at * arm;
                q0 = n * arm - k * beta1 * at * arm - n * e;
            } else {
                q1 = A0 - B0 * arm;
                q0 = (n - fyc * at) * arm - n * e;
            }
            const double disc = q1 * q1 - 4 * q2 * q0;
            if (disc < 0) return -1.0;
            const double s = std::sqrt(disc);
            const double r1 = (-q1 + s) / (2 * q2), r2 = (-q1 - s) / (2 * q2);
            const double lo = std::min(r1, r2), hi = std::max(r1, r2);
            if (lo >= xb - 1e-6) return lo;
            if (hi >= xb - 1e-6) return hi;
            return -1.0;
        };
        double xi = solve(false);
        if (xi < 0) xi = xb;
        if (xi >= 2 * beta1 - xb) {
            const double x2 = solve(true);
            if (x2 >= 0) xi = x2;
        }
        double x = std::min(xi * h0, static_cast<double>(depth));
        ac = static_cast<float>((n * e - a1 * fc * width * x * (h0 - x / 2)) / (fyc * arm));
    }
    at = std::max(at, amin_t);
    ac = std::max(ac, amin_c);
    // The member also carries N as an axially loaded one out of the bending plane
    // (6.2.17): N ≤ 0.9·φ·(fc·A + fy'·(As + As')); a shortfall goes half to each face.
    const float phi = StabilityFactor(l0 / std::max(1.0f, std::min(b, h)));
    const float total = (n / (0.9f * phi) - fc * width * depth) / fyc;
    if (at + ac < total) {
        const float add = 0.5f * (total - at - ac);
        at += add;
        ac += add;
    }
    return true;
}

float PJ_COLUMN::MinTension(float n, float width, float depth) const {
    // Tension face of a member in tension: max(0.2 %, 45·ft/fy %) (8.5.1); of a
    // compression member: the one-face minimum.
    if (n < 0 && !dynamic) return std::max(min_side, 0.45f * mat.ft / mat.fy) * width * depth;
    return min_tension_side * width * depth;
}

bool PJ_COLUMN::DesignDirection(float m, float width, float depth, float& at, float& ac) {
    at = ac = 0;
    if (!CheckSection(width, depth)) return false;
    float n = -N;  // compression positive
    if (std::fabs(n) < 1.0f) n = 1.0f;  // pure bending: the compression formulas with a vanishing force
    const float e0 = std::fabs(m) / std::fabs(n);
    if (symmetric) {
        float a = 0;
        Symmetric(n, e0, width, depth, a);
        const float amin = std::max(min_side * width * depth, MinTension(n, width, depth));
        if (a < amin) {
            a = amin;
            SetFlag(2, "按最小配筋率配筋");
        }
        at = ac = a;
    } else {
        Asymmetric(n, e0, width, depth, at, ac);
        if (at <= MinTension(n, width, depth) * 1.0001f) SetFlag(2, "按最小配筋率配筋");
    }
    return true;
}

float PJ_COLUMN::UniaxialResistance(float n, float e0, float width, float depth, float at, float ac) const {
    const double h0 = depth - as, arm = h0 - as;
    const double fc = fcd * compress_factor, a1 = mat.alpha1, xb = mat.xi_b, beta1 = mat.beta1;
    const double ea = std::max(20.0f, depth / 30.0f);
    const double ei = e0 + ea;
    const double e = Eta(n, static_cast<float>(ei), width, depth) * ei + depth / 2.0 - as;
    // Steel stress of the tension face (6.2.8): fy up to ξb, then
    // fy(ξ - β1)/(ξb - β1), between -fy' and fy.
    auto sigma = [&](double x) {
        const double xi = x / h0;
        if (xi <= xb) return static_cast<double>(fy);
        return std::clamp(fy * (xi - beta1) / (xb - beta1), -static_cast<double>(fyc), static_cast<double>(fy));
    };
    auto force = [&](double x) { return a1 * fc * width * x + fyc * ac - sigma(x) * at; };
    // Equilibrium (6.2.17-1, -2): N = force(x) and N·e = α1fc·b·x(h0 - x/2) + fy'As'(h0 - as').
    auto g = [&](double x) { return force(x) * e - (a1 * fc * width * x * (h0 - x / 2) + fyc * ac * arm); };
    const double lo = 2.0 * as;
    double nu;
    if (g(lo) >= 0) {
        // Compression zone shallower than 2as': moments about the compression
        // steel, N·(e - (h0 - as')) = fy·As·(h0 - as').
        nu = e > arm ? fy * at * arm / (e - arm) : force(lo);
    } else if (g(depth) < 0) {
        nu = force(depth);
    } else {
        double a = lo, c = depth;
        for (int i = 0; i < 60; ++i) {
            const double mid = 0.5 * (a + c);
            if (g(mid) < 0) a = mid;
            else c = mid;
        }
        nu = force(0.5 * (a + c));
    }
    const double nu0 = fc * width * depth + fyc * (at + ac);
    return static_cast<float>(std::clamp(nu, 0.0, nu0));
}

void PJ_COLUMN::CheckBiaxial(float n) {
    // Biaxial bending (GB 50010-2010 6.2.21, 2002 7.3.14):
    // 1/Nu = 1/Nux + 1/Nuy - 1/Nu0, with Nu0 = fc·A + fy'·As of all bars and Nux,
    // Nuy the resistances under each eccentricity alone. The faces are raised
    // together until N ≤ Nu.
    const float ex = std::fabs(Mx) / n, ey = std::fabs(My) / n;
    const float area = b * h;
    for (int i = 0; i < 200; ++i) {
        const float nux = UniaxialResistance(n, ex, b, h, Asx, Asx1);
        const float nuy = UniaxialResistance(n, ey, h, b, Asy, Asy1);
        const float nu0 = fcd * compress_factor * area + fyc * (Asx + Asx1 + Asy + Asy1);
        const float inv = 1.0f / std::max(nux, 1.0f) + 1.0f / std::max(nuy, 1.0f) - 1.0f / nu0;
        const float nu = inv > 0 ? 1.0f / inv : nu0;
        m_VarOut.SetNumber("PianYa.Nu", nu);
        if (n <= nu) return;
        if (Asx + Asx1 + Asy + Asy1 > 0.05f * area) break;
        Asx *= 1.02f;
        Asx1 *= 1.02f;
        Asy *= 1.02f;
        Asy1 *= 1.02f;
    }
    SetFlag(0, "双向偏心受压承载力不足, 超筋 !");
}

int PJ_COLUMN::ZhouLaYa() {
    Clear();
    Asx = Asx1 = Asy = Asy1 = Ast = 0;
    if (!CheckSection(b, h)) return 0;
    const float n = -N;
    const float area = b * h;
    if (n >= 0) {
        // Axial compression (6.2.15): N ≤ 0.9·φ·(fc·A + fy'·As').
        const float phi = StabilityFactor(l0 / std::min(b, h));
        Ast = std::max(0.0f, (n / (0.9f * phi) - fcd * compress_factor * area) / fyc);
    } else {
        // Axial tension (6.2.22): N ≤ fy·As.
        Ast = -n / fy;
    }
    if (Ast < min_total * area) {
        Ast = min_total * area;
        SetFlag(2, "按最小配筋率配筋");
    }
    if (Ast > 0.05f * area) SetFlag(0, "全部纵筋配筋率大于5%, 超筋 !");
    Asx = Asx1 = Asy = Asy1 = Ast / 4;
    return 1;
}

int PJ_COLUMN::PianLaYa() {
    Clear();
    Asx = Asx1 = Asy = Asy1 = Ast = 0;
    if (!CheckSection(b, h)) return 0;
    const float n = -N;
    const bool any_moment = std::fabs(Mx) >= 1.0f || std::fabs(My) >= 1.0f;
    // Mx over the depth h (faces of width b), My over b (faces of width h).
    if (!DesignDirection(Mx, b, h, Asx, Asx1)) return 0;
    if (std::fabs(My) >= 1.0f) {
        if (!DesignDirection(My, h, b, Asy, Asy1)) return 0;
    } else {
        Asy = Asy1 = min_side * b * h;
    }
    const float area = b * h;
    if (n > 0 && std::fabs(Mx) >= 1.0f && std::fabs(My) >= 1.0f) CheckBiaxial(n);
    Ast = Asx + Asx1 + Asy + Asy1;
    // All bars of a compression member (8.5.1): spread over the faces when short.
    const bool total_rule = n > 0 && (!dynamic || !any_moment);
    if (total_rule && Ast < min_total * area) {
        const float k = min_total * area / Ast;
        Asx *= k;
        Asx1 *= k;
        Asy *= k;
        Asy1 *= k;
        Ast = min_total * area;
        SetFlag(2, "按全部纵筋最小配筋率配筋");
    }
    // All longitudinal bars of a member at most 5 % of the section (9.3.1).
    if (Ast > 0.05f * area && std::fabs(My) >= 1.0f) SetFlag(0, "全部纵筋配筋率大于5%, 超筋 !");
    if ((Asx + Asx1) > 0.05f * area) SetFlag(0, "纵筋配筋率大于5%, 超筋 !");
    m_VarOut.SetNumber("PianYa.Asx", Asx);
    m_VarOut.SetNumber("PianYa.Asx1", Asx1);
    m_VarOut.SetNumber("PianYa.Asy", Asy);
    m_VarOut.SetNumber("PianYa.Asy1", Asy1);
    return 1;
}

float PJ_COLUMN::ConcreteShear(float width, float depth, float* lambda_out) const {
    const float h0 = depth - as;
    // Member with axial force (2010 6.3.12 / 6.3.14, 2002 7.5.12 / 7.5.14):
    // V ≤ 1.75/(λ+1)·ft·b·h0 + fyv·Asv/s·h0 + 0.07N (compression, N ≤ 0.3·fc·A)
    // or - 0.2N (tension). λ = l0/(2h0) between 1 and 3 for columns; plate-like
    // members under distributed load take λ = 1.5.
    float lambda = kv_type != 0 ? 1.5f : (l0 > 0 ? l0 / (2 * h0) : 3.0f);
    lambda = std::clamp(lambda, 1.0f, 3.0f);
    if (lambda_out) *lambda_out = lambda;
    const float vc = 1.75f / (lambda + 1) * ftd * width * h0 * shear_beta;
    float vn = 0;
    const float n = -N;
    if (axial_in_shear) {
        if (n > 0) vn = 0.07f * std::min(n, 0.3f * fcd * width * depth);
        else vn = -0.2f * (-n);
    }
    // Under a large tension the right-hand side is not taken below the stirrups'
    // own part (6.3.14): the concrete and axial terms together stay ≥ 0.
    return std::max(0.0f, vc + vn);
}

bool PJ_COLUMN::Shear(float v, float width, float depth, float& a) {
    a = 0;
    section_small = 0;
    if (!CheckSection(width, depth)) return false;
    const float h0 = depth - as;
    v = std::fabs(v);
    // Section limit (6.3.1): V ≤ 0.25·βc·fc·b·h0.
    const float vmax = StrutFactor(h0, width) * mat.beta_c * fcd * width * h0;
    if (v > vmax) {
        section_small = 1;
        SetFlag(0, "截面尺寸不满足抗剪要求 !");
    }
    float lambda = 0;
    const float vc = ConcreteShear(width, depth, &lambda);
    const float n = -N;
    float need = (v - vc) / (fyv * h0);
    if (n < 0 && axial_in_shear && v > 0) {
        // Under tension the stirrup term is at least 0.36·ft·b·h0 (6.3.14).
        need = std::max(need, 0.36f * ftd * width / fyv);
    }
    a = std::max(0.0f, need);
    m_VarOut.Set("JianNiu.No_Av", v > vc ? "1" : "0");
    m_VarRtf.SetF("JianNiu.RTF.Av0", "Vc = 1.75/(λ+1)·ft·b·h0%s = %.1f kN (λ = %.2f)",
                  axial_in_shear ? (n > 0 ? " + 0.07N" : " - 0.2N") : "", vc / 1000, lambda);
    m_VarRtf.SetF("JianNiu.RTF.Av1", "V = %.1f kN %s Vc", v / 1000, v > vc ? ">" : "≤");
    m_VarRtf.SetF("JianNiu.RTF.Av2", "Asv/s = (V - Vc)/(fyv·h0) = %.4f (mm^2/mm)", a);
    m_VarRtf.SetF("JianNiu.RTF.Av3", "每米 Asv = %.0f (mm^2)", a * 1000);
    return true;
}

int PJ_COLUMN::LaYaJian_x() {
    Clear();
    ax = 0;
    // Vx shears the section over b (width h).
    return Shear(Vx, h, b, ax) ? 1 : 0;
}

int PJ_COLUMN::LaYaJian_y() {
    Clear();
    ay = 0;
    // Vy shears the section over h (width b).
    return Shear(Vy, b, h, ay) ? 1 : 0;
}

int PJ_COLUMN::LaYaJian_xy(float& ax_io, float& ay_io) {
    Clear();
    if (!CheckSection(b, h) || !CheckSection(h, b)) return 0;
    // Biaxial shear (GB 50010-2010 6.3.17): Vx ≤ Vux/sqrt(1 + (Vux·tanθ/Vuy)²)
    // with tanθ = Vy/Vx, that is (Vx/Vux)² + (Vy/Vuy)² ≤ 1, Vu the resistance
    // of each direction alone with its stirrups.
    const float vcx = ConcreteShear(h, b), vcy = ConcreteShear(b, h);
    const float h0x = b - as, h0y = h - as;
    float vux = vcx + fyv * ax_io * h0x;
    float vuy = vcy + fyv * ay_io * h0y;
    const float vx = std::fabs(Vx), vy = std::fabs(Vy);
    if (vux <= 0 || vuy <= 0) return 0;
    // Section limit under biaxial shear (6.3.16): Vx ≤ 0.25·βc·fc·b·h0·cosθ and
    // Vy ≤ 0.25·βc·fc·h·b0·sinθ, tanθ = Vy/Vx.
    section_small = 0;
    const float vr = std::hypot(vx, vy);
    if (vr > 0) {
        const float limx = StrutFactor(h0x, h) * mat.beta_c * fcd * h * h0x * (vx / vr);
        const float limy = StrutFactor(h0y, b) * mat.beta_c * fcd * b * h0y * (vy / vr);
        if (vx > limx || vy > limy) {
            section_small = 1;
            SetFlag(0, "截面尺寸不满足双向抗剪要求 !");
        }
    }
    const float r = (vx / vux) * (vx / vux) + (vy / vuy) * (vy / vuy);
    if (r > 1.0f) {
        // Raise both resistances by the same factor sqrt(r).
        const float k = std::sqrt(r);
        ax_io = std::max(ax_io, (vux * k - vcx) / (fyv * h0x));
        ay_io = std::max(ay_io, (vuy * k - vcy) / (fyv * h0y));
    }
    ax = ax_io;
    ay = ay_io;
    return 1;
}

void PJ_COLUMN_KV::Ini(int con, int bar, int stirrup, int seis, int as_in, float factor, int steam_flag, int sym,
                       int eta, int axial, int, int kvtype, float beta) {
    dynamic = 1;
    compress_factor = factor > 0 ? factor : 1.0f;
    steam = steam_flag;
    symmetric = sym ? 1 : 0;
    kv_type = kvtype;
    shear_beta = beta > 0.0001f ? beta : 1.0f;
    PJ_COLUMN::Ini(con, bar, stirrup, seis, as_in, eta, axial, 0, 0, 0);
}

void PJ_COLUMN_KV::DefaultMinimum() {
    if (!mat.ok) return;
    // GB 50038-2005 table 4.11.7: tension face of an eccentrically loaded member
    // 0.25 % (C25-C35), 0.30 % (C40-C55), 0.35 % (C60-C80); compression face
    // 0.20 %; all bars of an axially loaded member 0.60 % (0.70 % from C60).
    min_tension_side = con_grade >= 60 ? 0.0035f : (con_grade >= 40 ? 0.0030f : 0.0025f);
    min_side = 0.002f;
    min_total = con_grade >= 60 ? 0.007f : 0.006f;
}

void PJ_COLUMN_KV::Set_min_PJ(float side, float total) {
    if (side >= 0) min_tension_side = side;
    if (total >= 0) min_total = total;
}

void PJ_COLUMN_KV::Out_Message_KV(std::FILE* fp, bool x_direction) {
    if (!fp || b <= 0 || h <= 0) return;
    const float area = b * h;
    const float t = x_direction ? Asx : Asy, c = x_direction ? Asx1 : Asy1;
    std::fprintf(fp, "      ------  %s向配筋率: 受拉边ρ = %.3f%%   受压边ρ' = %.3f%%\n", x_direction ? "X" : "Y",
                 t / area * 100, c / area * 100);
}

void PJ_COLUMN_FDC_KV::Ini(int con, int bar, int stirrup, int seis, int as_in, float factor, int steam_flag,
                           int axial, int kvtype, float beta) {
    PJ_COLUMN_KV::Ini(con, bar, stirrup, seis, as_in, factor, steam_flag, 0, 1, axial, 0, kvtype, beta);
}

void PJ_COLUMN_FDC_KV::set_value(float mx, float vx, float my, float vy, float n, float b_in, float h_in,
                                 float l0_in, int type, int reserved) {
    PJ_COLUMN::set_value(mx, vx, my, vy, n, b_in, h_in, l0_in, type, reserved, 0);
}

void PJ_COLUMN_DC_KV::Ini(int con, int bar, int stirrup, int seis, int as_in, float factor, int steam_flag,
                          int axial, int kvtype, float beta) {
    PJ_COLUMN_KV::Ini(con, bar, stirrup, seis, as_in, factor, steam_flag, 1, 1, axial, 0, kvtype, beta);
}

int PJ_COLUMN_DC_KV::LaYaJian_y() {
    Vy = V;
    return PJ_COLUMN::LaYaJian_y();
}
