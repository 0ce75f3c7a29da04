// The part integrators of a lining section and the load intensities they
// integrate: rock, water, self weight and grouting under the combination
// factors of the calculation state.
#include <cmath>
#include <cstdio>

#include "lining/engine/canshu.h"
#include "lining/engine/hezai.h"
#include "lining/engine/jiemian.h"
#include "lining/engine/owner.h"
#include "lining/engine/transfer_matrix.h"

using namespace kv::lining;

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kDegree = 3.1415927f / 180;
constexpr float kWater = 10.0f;  // unit weight of water, kN/m³
constexpr float kBound = 0.0001f;  // tolerance at the ends of a rock distribution

bool BadStage(int n, int i, int stage) { return n < 1 || i < 0 || i > n - 1 || stage < 1 || stage > 4; }

// Stage point of element i in element lengths from the part's start.
float StagePoint(int i, int stage) { return i + kStagePos[stage - 1]; }

// The terms at a stage point before they are resolved on the axis.
struct Terms {
    float rock = 0;    // top or bottom rock, kN/m²
    float side = 0;    // side rock
    float weight = 0;  // self weight and additional dead load
    float grout = 0;
    float inner = 0;   // internal water
    float outer = 0;   // external water
};

// Water and weight at the elevation y of a point of thickness t.
Terms Common(const CJieMianBase& s, const CHeZaiCanShu& z, float y, float t) {
    Terms terms;
    if (z.m_fNeiShuiTou > y) terms.inner = kWater * (z.m_fNeiShuiTou - y);
    if (z.m_fWaiShuiTou > y) terms.outer = kWater * (z.m_fWaiShuiTou - y) * z.m_fBeta;
    terms.weight = t * z.m_fRongZhong + s.m_fMoHuiHeZai;
    return terms;
}

// Each term takes the switch and factor of its own kind: a top rock pressure
// those of 顶岩压力, a bottom one those of 底岩压力, a crown-region grouting
// those of 顶部灌浆压力 and every other grouting those of 其余灌浆压力.
void Factor(CJieMianBase& s, Terms& terms, int topRock, int topGrout) {
    // A state outside 0..2 leaves the terms as they are.
    (void)s.ApplyZuHe(terms.rock, terms.side, terms.weight, terms.grout, terms.inner, terms.outer, topRock, topGrout);
}

// The load vector of a stage point: only the tangential and normal terms.
void Store(double* p, float tangential, float normal) {
    for (int e = 0; e < 6; ++e) p[e] = 0.0;
    p[kN] = tangential;
    p[kQ] = normal;
}

// An arc point whose rock and weight are resolved through the angle φ: H_h
// horizontal, V vertical; returns q_n.
float ArcNormal(const Terms& terms, float horizontal, float vertical, float sinPhi, float cosPhi) {
    return horizontal * sinPhi + vertical * cosPhi + terms.grout - terms.inner + terms.outer;
}

void WriteVector(std::FILE* log, const double* v, bool brackets) {
    if (brackets)
        std::fprintf(log, "%10.6f; %10.6f; %10.6f; %10.6f; %10.6f; %10.6f];\n", v[0], v[1], v[2], v[3], v[4], v[5]);
    else
        std::fprintf(log, "%10.6f %10.6f %10.6f %10.6f %10.6f %10.6f\n", v[0], v[1], v[2], v[3], v[4], v[5]);
}

// How an element load routine writes its stages into the log.
enum class StageLog { kNone, kBracketed, kHj, kHn };

// P = Σ w_c·k_c with k_1 = p(s_1), k_c = h·A(s_c)·(f_c·k_(c-1)) + p(s_c). `intensity`
// gives p at a stage, `state` the state matrix with a stage's resistance flag.
template <typename Intensity, typename State>
int ElementLoad(double h, int f0, int fm, int f1, double* P, StageLog style, bool logIntensity, std::FILE* log,
                Intensity intensity, State state) {
    if (!P) return -1;
    double k[6] = {}, p[6], A[36], carried[6];
    double sum[6] = {};
    for (int stage = 1; stage <= 4; ++stage) {
        if (intensity(stage, p) != 0) return -1;
        if (log && logIntensity) {
            std::fprintf(log, "Pj%d=[", stage);
            WriteVector(log, p, true);
        }
        if (stage == 1) {
            for (int e = 0; e < 6; ++e) k[e] = p[e];
        } else {
            if (state(stage, StageFlag(stage, f0, fm, f1), A) != 0) return -1;
            const double f = kStageFactor[stage - 1];
            for (int e = 0; e < 6; ++e) carried[e] = f * k[e];
            for (int r = 0; r < 6; ++r) {
                double v = 0.0;
                for (int c = 0; c < 6; ++c) v += A[r * 6 + c] * carried[c];
                k[r] = h * v + p[r];
            }
        }
        if (log && style != StageLog::kNone) {
            if (style == StageLog::kBracketed) std::fprintf(log, "Hj%d=[\n", stage);
            else std::fprintf(log, style == StageLog::kHj ? "Hj%d  " : "Hn%d  ", stage);
            WriteVector(log, k, style == StageLog::kBracketed);
        }
        const double w = kStageWeight[stage - 1];
        for (int e = 0; e < 6; ++e) sum[e] += w * k[e];
    }
    for (int e = 0; e < 6; ++e) P[e] = sum[e];
    return 0;
}

// Element by element: the transfer matrix, then the load vector; the first
// failing element ends the part.
template <typename Matrix, typename Load>
int IntegratePart(int n, const int* nodeFlags, const int* midFlags, double* H, double* P, Matrix matrix, Load load) {
    if (n < 1 || !nodeFlags || !midFlags || !H || !P) return -1;
    for (int i = 0; i < n; ++i) {
        const int f0 = nodeFlags[i], fm = midFlags[i], f1 = nodeFlags[i + 1];
        int result = matrix(i, f0, fm, f1, H + 36 * i);
        if (result != 0) return result;
        result = load(i, f0, fm, f1, P + 6 * i);
        if (result != 0) return result;
    }
    return 0;
}

bool ShortArc(float R, float theta) { return R * theta < 0.0001f; }

}  // namespace

// ---- combination factors ---------------------------------------------------

int CJieMianBase::GetZuHeFactor(float* gamma0, float* psi, int state) {
    if (state < 0 || state > 2 || !m_pData) return -1;
    const CJiBenCanShu& basic = m_pData->GetJiBen();
    const bool hydraulic = basic.m_nGuiFan == 0;  // 水工砼规范 carries its own factors
    float g = 1.0f, p = 1.0f;
    if (state == 0) {
        g = basic.m_fGamma0;
        if (hydraulic) p = m_pData->GetHeZaiZuHe().m_fSheJiZhuangKuang;
    } else if (hydraulic) {
        g = basic.m_fGamma0S;
    }
    if (gamma0) *gamma0 = g;
    if (psi) *psi = p;
    return 0;
}

int CJieMianBase::GetLoadFactor(float* gamma, float* psiC, const CHeZaiZuHe& table, int state, int item) {
    if (state < 0 || state > 2 || item < 0 || item > 9) return -1;
    const CHeZaiZuHeItem& it = table.m_Items[item];
    float g = 0.0f;
    if (it.m_bJiSuan == 1) g = state == 0 ? it.m_fFenXiang : 1.0f;
    if (gamma) *gamma = g;
    if (psiC) *psiC = state == 2 ? it.m_fChangQi : 1.0f;
    return 0;
}

int CJieMianBase::ApplyZuHe(float& rock, float& side, float& weight, float& grout, float& inner, float& outer,
                            int top, int topGrout) {
    float gamma0 = 1.0f, psi = 1.0f;
    if (GetZuHeFactor(&gamma0, &psi, m_nState) != 0) return -1;
    const CHeZaiZuHe& table = m_pData->GetHeZaiZuHe();
    // The load items of the combination table: 0 weight, 1 top rock, 2 bottom
    // rock, 3 side rock, 4 internal water, 5 external water, 6 top grouting,
    // 7 other grouting.
    auto scale = [&](float& term, int item) {
        float gamma = 0.0f, psiC = 1.0f;
        GetLoadFactor(&gamma, &psiC, table, m_nState, item);
        term *= gamma0 * psi * gamma * psiC;
    };
    scale(rock, top ? 1 : 2);
    scale(side, 3);
    scale(weight, 0);
    scale(inner, 4);
    scale(outer, 5);
    scale(grout, (topGrout < 0 ? top : topGrout) ? 6 : 7);
    return 0;
}

// ---- rock distributions ----------------------------------------------------

float CJieMianBase::StageValue(int n, int i, int stage, float t0, float t1) {
    const float ta = t0 + (t1 - t0) * i / n;
    const float tb = t0 + (t1 - t0) * (i + 1) / n;
    if (stage == 1) return ta;
    if (stage == 4) return tb;
    return (ta + tb) / 2;
}

float CJieMianBase::SideRockAt(float y, int side) {
    const CHeZaiCanShu* z = GetHeZai();
    if (!z || y < -kBound) return 0.0f;
    const float H = GetHeight(side);
    if (y > H + kBound) return 0.0f;
    float upper = z->m_fCeShang, lower = z->m_fCeXia;
    if (HasZhiZuo() && side == 0) {
        if (!IsLoadSym()) {
            upper = z->m_fYouShang;
            lower = z->m_fYouXia;
        } else if (!IsZhiZuoSym()) {
            // The right wall keeps the left gradient over its own height.
            const float H1 = GetHeight(1);
            if (H1 > 0) lower = upper + (lower - upper) * H / H1;
        }
    }
    if (H <= 0) return lower;
    return lower + (upper - lower) * y / H;
}

float CJieMianBase::TopRockAt(float x, int upper) {
    const CHeZaiCanShu* z = GetHeZai();
    if (!z) return 0.0f;
    const float wL = GetHalfWidth(1), wR = GetHalfWidth(0);
    if (x < -kBound || x > wL + wR + kBound) return 0.0f;
    const float left = upper ? z->m_fDingCe : z->m_fDiCe;
    const float middle = upper ? z->m_fDingZhong : z->m_fDiZhong;
    const float right = upper ? z->m_fDingYou : z->m_fDiYou;
    if (x < wL + kBound) return wL > 0 ? left + (middle - left) * x / wL : middle;
    const float end = IsLoadSym() ? left : right;
    return wR > 0 ? middle + (end - middle) * (x - wL) / wR : middle;
}

// ---- load intensities ------------------------------------------------------

int CJieMianBase::LoadAt_DiBan(int n, int i, int stage, float L, float t, int floor, float y0, float x0, double* p) {
    const CHeZaiCanShu* z = GetHeZai();
    if (BadStage(n, i, stage) || !p || !z) return -1;
    const float h = L / n, s = StagePoint(i, stage);
    // A floor runs from its outer end to the centre, a roof from the centre out.
    const float x = floor ? x0 + L - h * s : x0 + h * s;
    Terms terms = Common(*this, *z, y0, t);
    terms.rock = TopRockAt(x, floor ? 0 : 1);
    if (floor) terms.grout = z->m_fQiTaGuanJiang;
    else if (x > z->m_fQiDianJuLi - 0.001f) terms.grout = z->m_fDingGuanJiang;
    Factor(*this, terms, floor ? 0 : 1, floor ? 0 : 1);
    const float weight = floor ? -terms.weight : terms.weight;
    Store(p, 0.0f, terms.rock - terms.inner + terms.outer + terms.grout + weight);
    return 0;
}

int CJieMianBase::LoadAt_CeQiang(int n, int i, int stage, float y0, float L, float t, int side, double* p) {
    const CHeZaiCanShu* z = GetHeZai();
    if (BadStage(n, i, stage) || !p || !z) return -1;
    const float h = L / n, s = StagePoint(i, stage);
    const float y = side ? y0 + h * s : y0 + L - h * s;
    Terms terms = Common(*this, *z, y, t);
    terms.side = SideRockAt(y, side ? 1 : 0);
    terms.grout = z->m_fQiTaGuanJiang;
    Factor(*this, terms, 1, 0);
    Store(p, side ? terms.weight : -terms.weight, terms.side - terms.inner + terms.outer + terms.grout);
    return 0;
}

int CJieMianBase::LoadAt_DingGong(int n, int i, int stage, float R, float t0, float t1, float theta, float y0,
                                  float x0, int side, double* p) {
    const CHeZaiCanShu* z = GetHeZai();
    if (BadStage(n, i, stage) || !p || !z) return -1;
    const float hPhi = theta / n, s = StagePoint(i, stage);
    // The angle from the crown: side 1 runs from the springing, 0 from the crown.
    const float phi = side ? theta - hPhi * s : hPhi * s;
    const float sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const float y = y0 + R * (cosPhi - std::cos(theta));
    const float x = side ? x0 + R * (std::sin(theta) - sinPhi) : x0 + R * sinPhi;
    Terms terms = Common(*this, *z, y, StageValue(n, i, stage, t0, t1));
    terms.rock = TopRockAt(x, 1);
    terms.side = SideRockAt(y, side);
    if (phi < z->m_fFanWeiJiao * kDegree + 0.01f) terms.grout = z->m_fDingGuanJiang;
    Factor(*this, terms, 1, 1);
    const float horizontal = terms.side * sinPhi, vertical = terms.rock * cosPhi + terms.weight;
    const float tangential = vertical * sinPhi - horizontal * cosPhi;
    Store(p, side ? tangential : -tangential, ArcNormal(terms, horizontal, vertical, sinPhi, cosPhi));
    return 0;
}

int CJieMianBase::LoadAt_DiGong(int n, int i, int stage, float R, float t0, float t1, float theta, double* p) {
    const CHeZaiCanShu* z = GetHeZai();
    if (BadStage(n, i, stage) || !p || !z) return -1;
    const float phi = theta / n * StagePoint(i, stage);
    const float sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const float y = R * (1 - cosPhi);
    const float x = GetHalfWidth(1) - R * sinPhi;
    Terms terms = Common(*this, *z, y, StageValue(n, i, stage, t0, t1));
    terms.rock = TopRockAt(x, 0);
    terms.side = SideRockAt(y, 1);
    terms.grout = z->m_fQiTaGuanJiang;
    Factor(*this, terms, 0, 0);
    const float horizontal = terms.side * sinPhi, vertical = terms.rock * cosPhi - terms.weight;
    Store(p, horizontal * cosPhi - vertical * sinPhi, ArcNormal(terms, horizontal, vertical, sinPhi, cosPhi));
    return 0;
}

int CJieMianBase::LoadAt_YuanJiao(int n, int i, int stage, float R, float t0, float t1, int bottom, float yOff,
                                  double* p) {
    const CHeZaiCanShu* z = GetHeZai();
    if (BadStage(n, i, stage) || !p || !z) return -1;
    const float phi = (kPi / 2) / n * StagePoint(i, stage);
    const float sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const float W = GetHalfWidth(1);
    const float y = bottom ? R * (1 - cosPhi) : yOff + R * sinPhi;
    const float x = bottom ? W - R * sinPhi : W - R * cosPhi;
    Terms terms = Common(*this, *z, y, StageValue(n, i, stage, t0, t1));
    terms.rock = TopRockAt(x, bottom ? 0 : 1);
    terms.side = SideRockAt(y, 1);
    terms.grout = z->m_fQiTaGuanJiang;
    Factor(*this, terms, bottom ? 0 : 1, 0);
    if (bottom) {
        const float horizontal = terms.side * sinPhi, vertical = terms.rock * cosPhi - terms.weight;
        Store(p, horizontal * cosPhi - vertical * sinPhi, ArcNormal(terms, horizontal, vertical, sinPhi, cosPhi));
    } else {
        const float horizontal = terms.side * cosPhi, vertical = terms.rock * sinPhi + terms.weight;
        Store(p, vertical * cosPhi - horizontal * sinPhi, ArcNormal(terms, horizontal, vertical, cosPhi, sinPhi));
    }
    return 0;
}

int CJieMianBase::LoadAt_CeGong(int n, int i, int stage, float R, float t0, float t1, float theta, float y0, int side,
                                float phiE, double* p) {
    const CHeZaiCanShu* z = GetHeZai();
    if (BadStage(n, i, stage) || !p || !z) return -1;
    const float hPhi = theta / n, s = StagePoint(i, stage);
    const float across = GetHalfWidth(1) + GetHalfWidth(0);
    float phi, y, x;
    bool upperHalf = false;
    bool bottomRock = true;  // on supports the arch stands free of the bottom rock
    if (m_pData && m_pData->GetJieMianType() == 14) {
        // The curved wall: the angle on the full circle, counter-clockwise from
        // the horizontal with the bottom at 3π/2.
        const float twoPi = 2 * kPi;
        float start = side ? phiE + theta : phiE - theta;
        if (start < 0) start += twoPi;
        const float sign = side ? -1.0f : 1.0f;
        float psi = std::fmod(start + sign * hPhi * s, twoPi);
        if (psi < 0) psi += twoPi;
        const float startDrop = R * std::cos(std::fabs(start - 3 * kPi / 2));
        if (psi >= kPi) {
            phi = std::fabs(psi - 3 * kPi / 2);
            y = y0 + startDrop - R * std::cos(phi);
        } else {
            upperHalf = true;
            phi = std::fabs(psi - kPi / 2);
            y = y0 + R * std::cos(phi);
            if (start >= kPi && start <= twoPi) y += startDrop;
        }
        x = R - R * std::sin(phi);
        if (!side) x = across - x;
    } else {
        // φ from the downward vertical.
        phi = side ? (phiE - theta) + hPhi * s : phiE - hPhi * s;
        y = y0 + R * (std::cos(phiE - theta) - std::cos(phi));
        const float xr = R * (std::sin(phiE) - std::sin(phi));
        x = side ? xr : across - xr;
        bottomRock = !HasZhiZuo();
    }
    Terms terms = Common(*this, *z, y, StageValue(n, i, stage, t0, t1));
    if (bottomRock) terms.rock = TopRockAt(x, upperHalf ? 1 : 0);
    terms.side = SideRockAt(y, side);
    terms.grout = z->m_fQiTaGuanJiang;
    Factor(*this, terms, upperHalf ? 1 : 0, 0);
    const float sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const float horizontal = terms.side * sinPhi;
    float vertical, tangential;
    if (upperHalf) {
        vertical = terms.rock * cosPhi + terms.weight;
        tangential = vertical * sinPhi - horizontal * cosPhi;
    } else {
        vertical = terms.rock * cosPhi - terms.weight;
        tangential = horizontal * cosPhi - vertical * sinPhi;
    }
    Store(p, side ? tangential : -tangential, ArcNormal(terms, horizontal, vertical, sinPhi, cosPhi));
    return 0;
}

int CJieMianBase::LoadAt_CeGongEx(int n, int i, int stage, float R, float t0, float t1, float theta, float y0,
                                  float x0, int side, float phiE, double* p) {
    const CHeZaiCanShu* z = GetHeZai();
    if (BadStage(n, i, stage) || !p || !z) return -1;
    const float hPhi = theta / n, s = StagePoint(i, stage);
    // φ from the crown; side 1 runs upwards from the lower end.
    const float phi = side ? phiE - hPhi * s : (phiE - theta) + hPhi * s;
    const float sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const float y = y0 + R * (cosPhi - std::cos(phiE));
    const float x = side ? R * (std::sin(phiE) - sinPhi) : x0 + R * (sinPhi - std::sin(phiE - theta));
    Terms terms = Common(*this, *z, y, StageValue(n, i, stage, t0, t1));
    terms.rock = TopRockAt(x, 1);
    terms.side = SideRockAt(y, side);
    if (!m_bDingGongGuanJiang) terms.grout = z->m_fQiTaGuanJiang;
    else if (phi < z->m_fFanWeiJiao * kDegree + 0.01f) terms.grout = z->m_fDingGuanJiang;
    Factor(*this, terms, 1, m_bDingGongGuanJiang ? 1 : 0);
    const float horizontal = terms.side * sinPhi, vertical = terms.rock * cosPhi + terms.weight;
    const float tangential = vertical * sinPhi - horizontal * cosPhi;
    Store(p, side ? tangential : -tangential, ArcNormal(terms, horizontal, vertical, sinPhi, cosPhi));
    return 0;
}

// ---- element load vectors --------------------------------------------------

int CJieMianBase::CalPj_DiBan(int n, int i, float L, float t, float k, int floor, float y0, float x0, int f0, int fm,
                              int f1, double* P, std::FILE* log) {
    if (BadStage(n, i, 1)) return -1;
    return ElementLoad(
        double(L) / n, f0, fm, f1, P, StageLog::kBracketed, false, log,
        [&](int stage, double* p) { return LoadAt_DiBan(n, i, stage, L, t, floor, y0, x0, p); },
        [&](int stage, int flag, double* A) { return StateMatrix_Line(n, i, stage, L, t, t, flag, k, A); });
}

int CJieMianBase::CalPj_CeQiang(int n, int i, float y0, float L, float t, float k, int side, int f0, int fm, int f1,
                                double* P, std::FILE* log) {
    if (BadStage(n, i, 1)) return -1;
    return ElementLoad(
        double(L) / n, f0, fm, f1, P, StageLog::kNone, false, log,
        [&](int stage, double* p) { return LoadAt_CeQiang(n, i, stage, y0, L, t, side, p); },
        [&](int stage, int flag, double* A) { return StateMatrix_Line(n, i, stage, L, t, t, flag, k, A); });
}

int CJieMianBase::CalPj_DingGong(int n, int i, float R, float t0, float t1, float theta, float y0, float x0, float k,
                                 int side, int f0, int fm, int f1, double* P, std::FILE* log) {
    if (BadStage(n, i, 1) || ShortArc(R, theta)) return -1;
    return ElementLoad(
        double(R) * theta / n, f0, fm, f1, P, StageLog::kHj, false, log,
        [&](int stage, double* p) { return LoadAt_DingGong(n, i, stage, R, t0, t1, theta, y0, x0, side, p); },
        [&](int stage, int flag, double* A) { return StateMatrix_Arc(n, i, stage, R, theta, t0, t1, flag, k, A); });
}

int CJieMianBase::CalPj_DiGong(int n, int i, float R, float t0, float t1, float theta, float k, int f0, int fm, int f1,
                               double* P, std::FILE* log) {
    if (BadStage(n, i, 1) || ShortArc(R, theta)) return -1;
    return ElementLoad(
        double(R) * theta / n, f0, fm, f1, P, StageLog::kNone, false, log,
        [&](int stage, double* p) { return LoadAt_DiGong(n, i, stage, R, t0, t1, theta, p); },
        [&](int stage, int flag, double* A) { return StateMatrix_Arc(n, i, stage, R, theta, t0, t1, flag, k, A); });
}

int CJieMianBase::CalPj_YuanJiao(int n, int i, float R, float t0, float t1, float k, int bottom, float yOff, int f0,
                                 int fm, int f1, double* P, std::FILE* log) {
    const float theta = kPi / 2;
    if (BadStage(n, i, 1) || ShortArc(R, theta)) return -1;
    return ElementLoad(
        double(R) * theta / n, f0, fm, f1, P, StageLog::kHn, true, log,
        [&](int stage, double* p) { return LoadAt_YuanJiao(n, i, stage, R, t0, t1, bottom, yOff, p); },
        [&](int stage, int flag, double* A) { return StateMatrix_Arc(n, i, stage, R, theta, t0, t1, flag, k, A); });
}

int CJieMianBase::CalPj_CeGong(int n, int i, float R, float t0, float t1, float theta, float y0, float k, int side,
                               float phiE, int f0, int fm, int f1, double* P, std::FILE* log) {
    if (BadStage(n, i, 1) || ShortArc(R, theta)) return -1;
    return ElementLoad(
        double(R) * theta / n, f0, fm, f1, P, StageLog::kHn, false, log,
        [&](int stage, double* p) { return LoadAt_CeGong(n, i, stage, R, t0, t1, theta, y0, side, phiE, p); },
        [&](int stage, int flag, double* A) { return StateMatrix_Arc(n, i, stage, R, theta, t0, t1, flag, k, A); });
}

int CJieMianBase::CalPj_CeGongEx(int n, int i, float R, float t0, float t1, float theta, float y0, float x0, float k,
                                 int side, float phiE, int f0, int fm, int f1, double* P, std::FILE* log) {
    if (BadStage(n, i, 1) || ShortArc(R, theta)) return -1;
    return ElementLoad(
        double(R) * theta / n, f0, fm, f1, P, StageLog::kHn, true, log,
        [&](int stage, double* p) { return LoadAt_CeGongEx(n, i, stage, R, t0, t1, theta, y0, x0, side, phiE, p); },
        [&](int stage, int flag, double* A) { return StateMatrix_Arc(n, i, stage, R, theta, t0, t1, flag, k, A); });
}

// ---- part integrators ------------------------------------------------------

int CJieMianBase::CalDiBan(int n, float L, float t, float k, const int* nodeFlags, const int* midFlags, double* H,
                           double* P, int floor, float y0, float x0, std::FILE* log) {
    if (log) std::fputs("计算底板部分：\n", log);
    return IntegratePart(
        n, nodeFlags, midFlags, H, P,
        [&](int i, int f0, int fm, int f1, double* Hi) { return CalHj_Line(n, i, L, t, t, f0, fm, f1, k, Hi); },
        [&](int i, int f0, int fm, int f1, double* Pi) {
            return CalPj_DiBan(n, i, L, t, k, floor, y0, x0, f0, fm, f1, Pi, log);
        });
}

int CJieMianBase::CalCeQiang(int n, float y0, float L, float t, float k, const int* nodeFlags, const int* midFlags,
                             double* H, double* P, int side, std::FILE* log) {
    if (L < 0.001f) return -1;  // no wall to integrate
    return IntegratePart(
        n, nodeFlags, midFlags, H, P,
        [&](int i, int f0, int fm, int f1, double* Hi) { return CalHj_Line(n, i, L, t, t, f0, fm, f1, k, Hi); },
        [&](int i, int f0, int fm, int f1, double* Pi) {
            return CalPj_CeQiang(n, i, y0, L, t, k, side, f0, fm, f1, Pi, log);
        });
}

int CJieMianBase::CalDingGong(int n, float R, float t0, float t1, float theta, float y0, float x0, float k,
                              const int* nodeFlags, const int* midFlags, double* H, double* P, int side,
                              std::FILE* log) {
    return IntegratePart(
        n, nodeFlags, midFlags, H, P,
        [&](int i, int f0, int fm, int f1, double* Hi) { return CalHj_Arc(n, i, R, theta, t0, t1, f0, fm, f1, k, Hi); },
        [&](int i, int f0, int fm, int f1, double* Pi) {
            return CalPj_DingGong(n, i, R, t0, t1, theta, y0, x0, k, side, f0, fm, f1, Pi, log);
        });
}

int CJieMianBase::CalDiGong(int n, float R, float t0, float t1, float theta, float k, const int* nodeFlags,
                            const int* midFlags, double* H, double* P, std::FILE* log) {
    if (log) std::fputs("计算底拱部分：\n", log);
    return IntegratePart(
        n, nodeFlags, midFlags, H, P,
        [&](int i, int f0, int fm, int f1, double* Hi) { return CalHj_Arc(n, i, R, theta, t0, t1, f0, fm, f1, k, Hi); },
        [&](int i, int f0, int fm, int f1, double* Pi) {
            return CalPj_DiGong(n, i, R, t0, t1, theta, k, f0, fm, f1, Pi, log);
        });
}

int CJieMianBase::CalYuanJiao(int n, float R, float t0, float t1, float k, const int* nodeFlags, const int* midFlags,
                              double* H, double* P, int bottom, float yOff, std::FILE* log) {
    const float theta = kPi / 2;
    return IntegratePart(
        n, nodeFlags, midFlags, H, P,
        [&](int i, int f0, int fm, int f1, double* Hi) { return CalHj_Arc(n, i, R, theta, t0, t1, f0, fm, f1, k, Hi); },
        [&](int i, int f0, int fm, int f1, double* Pi) {
            return CalPj_YuanJiao(n, i, R, t0, t1, k, bottom, yOff, f0, fm, f1, Pi, log);
        });
}

int CJieMianBase::CalCeGong(int n, float R, float t0, float t1, float theta, float y0, float k, const int* nodeFlags,
                            const int* midFlags, double* H, double* P, int side, float phiE, std::FILE* log) {
    return IntegratePart(
        n, nodeFlags, midFlags, H, P,
        [&](int i, int f0, int fm, int f1, double* Hi) { return CalHj_Arc(n, i, R, theta, t0, t1, f0, fm, f1, k, Hi); },
        [&](int i, int f0, int fm, int f1, double* Pi) {
            return CalPj_CeGong(n, i, R, t0, t1, theta, y0, k, side, phiE, f0, fm, f1, Pi, log);
        });
}

int CJieMianBase::CalCeGongEx(int n, float R, float t0, float t1, float theta, float y0, float x0, float k,
                              const int* nodeFlags, const int* midFlags, double* H, double* P, int side, float phiE,
                              std::FILE* log) {
    return IntegratePart(
        n, nodeFlags, midFlags, H, P,
        [&](int i, int f0, int fm, int f1, double* Hi) { return CalHj_Arc(n, i, R, theta, t0, t1, f0, fm, f1, k, Hi); },
        [&](int i, int f0, int fm, int f1, double* Pi) {
            return CalPj_CeGongEx(n, i, R, t0, t1, theta, y0, x0, k, side, phiE, f0, fm, f1, Pi, log);
        });
}
