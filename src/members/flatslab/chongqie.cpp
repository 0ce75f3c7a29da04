#include "members/flatslab/chongqie.h"

#include <string>

#include "base/error.h"
#include "base/globals.h"
#include "base/interp.h"
#include "base/textio.h"
#include "codes/guifan.h"
#include "codes/material.h"
#include "drawing/base_sgt.h"

namespace {

constexpr int kLineBytes = 590;
constexpr const char* kLineFormat = "%d,%d,%d,%d,%d,%d,%d,%f,%f,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d";
constexpr float kPi = 3.1415927f;
constexpr float kQuarterPi = 0.7853982f;

// ---- the punching base ------------------------------------------------------

struct Inputs {
    float h, as, tc, h0, hc, q, Lb, Lh, colB, colH, colD, capB, capH, capD, c;
};

Inputs Take(const CHONGQIE_JS_STRUCT& r, bool civil) {
    Inputs in{};
    in.h = static_cast<float>(r.m_nSlabThick);
    in.as = r.m_fAs;
    in.tc = static_cast<float>(r.m_nCapThick);
    in.h0 = in.h - in.as;
    in.hc = in.h0 + in.tc;
    in.q = r.m_fLoad / 1000.0f;
    in.Lb = static_cast<float>(r.m_nSlabWidth);
    in.Lh = static_cast<float>(r.m_nSlabLength);
    in.colB = static_cast<float>(r.m_nColB);
    in.colH = static_cast<float>(r.m_nColH);
    in.colD = static_cast<float>(r.m_nColD);
    in.capB = static_cast<float>(r.m_nCapB);
    in.capH = static_cast<float>(r.m_nCapH);
    in.capD = static_cast<float>(r.m_nCapD);
    in.c = civil ? in.as : in.as + 10.0f;
    return in;
}

// G = t·(s + P)/2, the term of one direction.
float Term(float t, float s, float P) { return t * (s + P) / 2; }

ChongQieCheck Rect(const Inputs& in, char kase, bool cap, float PB, float GB, float PH, float GH, float beta) {
    ChongQieCheck k;
    k.kase = kase;
    k.cap = cap;
    k.P_B = PB;
    k.P_H = PH;
    k.A = PB * PH;
    k.X = 2 * (GB + GH);
    k.F1 = (in.Lb * in.Lh - k.A) * in.q;
    k.betaH = beta;
    return k;
}

// A rectangular base of direction terms t·(s + P)/2, limited to the slab unit
// first where `clip`.
ChongQieCheck RectBase(const Inputs& in, char kase, bool cap, bool clip, float PB, float tB, float sB, float PH,
                       float tH, float sH, float beta) {
    if (clip) {
        if (PB > in.Lb) PB = in.Lb;
        if (PH > in.Lh) PH = in.Lh;
    }
    return Rect(in, kase, cap, PB, Term(tB, sB, PB), PH, Term(tH, sH, PH), beta);
}

ChongQieCheck Round(const Inputs& in, char kase, bool cap, float P, float X, float beta) {
    ChongQieCheck k;
    k.kase = kase;
    k.cap = cap;
    k.P_B = k.P_H = P;
    k.A = kQuarterPi * P * P;
    k.X = X;
    k.F1 = (in.Lb * in.Lh - k.A) * in.q;
    k.betaH = beta;
    return k;
}

// A round base of diameter P with X = π·t·(s + P)/2, limited to Lb and then Lh where `clip`.
ChongQieCheck RoundBase(const Inputs& in, char kase, bool cap, bool clip, float P, float t, float s, float beta) {
    if (clip) {
        if (P > in.Lb) P = in.Lb;
        if (P > in.Lh) P = in.Lh;
    }
    return Round(in, kase, cap, P, kPi * t * (s + P) / 2, beta);
}

// Case C: a direction's class by its cap side. A side of exactly col + 2·h0
// counts as narrow.
enum class Width { Wide, Middle, Narrow };
Width Classify(float col, float cap, const Inputs& in) {
    if (cap >= col + 2 * in.hc) return Width::Wide;
    if (cap > col + 2 * in.h0) return Width::Middle;
    return Width::Narrow;
}

ChongQieCheck CaseC(const Inputs& in) {
    const Width b = Classify(in.colB, in.capB, in);
    const Width hh = Classify(in.colH, in.capH, in);
    const float bThick = chongqie_beta_h(in.h + in.tc);
    const float RB = in.capB - 2 * in.c, uB = RB - in.colB;
    const float RH = in.capH - 2 * in.c, uH = RH - in.colH;
    const float wB = in.colB + 2 * in.hc, wH = in.colH + 2 * in.hc;
    const float h0 = in.h0;
    using W = Width;
    if (b == W::Wide && hh == W::Wide)
        return Rect(in, 'C', false, wB, in.hc * (in.colB + wB) / 2, wH, in.hc * (in.colH + wH) / 2, bThick);
    if (b == W::Middle && hh == W::Wide)
        return Rect(in, 'C', false, RB, (in.colB + 2 * in.hc - RB) * RB / 2 + uB * (2 * in.colB + uB) / 4, wH,
                    uB * (2 * in.colH + uB) / 4, bThick);
    if (b == W::Wide && hh == W::Middle)
        return Rect(in, 'C', false, wB, uH * (2 * in.colB + uH) / 4, RH,
                    (in.colH + 2 * in.hc - RH) * RH / 2 + uH * (2 * in.colH + uH) / 4, bThick);
    if (b == W::Narrow && hh == W::Wide)
        return Rect(in, 'C', false, in.capB, h0 * (in.colB + h0) + in.capB * (in.colB + 2 * in.hc - in.capB) / 2, wH,
                    h0 * (in.colH + h0), bThick);
    if (b == W::Wide && hh == W::Narrow)
        return Rect(in, 'C', false, wB, h0 * (in.colB + h0), in.capH,
                    h0 * (in.colH + h0) + in.capH * (in.colH + 2 * in.hc - in.capH) / 2, bThick);
    const float nB = in.colB + 2 * h0, nH = in.colH + 2 * h0;
    if (b == W::Middle && hh == W::Narrow)
        return Rect(in, 'C', false, nB, h0 * (in.colB + nB) / 2, nH,
                    (in.capB - nB) / 2 * in.capH + h0 * (in.colH + nH) / 2, bThick);
    if (b == W::Narrow && hh == W::Middle)
        return Rect(in, 'C', false, nB, (in.capH - nH) / 2 * in.capB + h0 * (in.colB + nB) / 2, nH,
                    h0 * (in.colH + nH) / 2, bThick);
    if (b == W::Middle && hh == W::Middle) {
        const float tB = (in.capB - in.colB) / 2 - in.c;
        const float tH = (in.capH - in.colH) / 2 - in.c;
        if (tH <= tB)
            return Rect(in, 'C', false, in.capB, tH * (in.colB + tH), in.capH,
                        (tB - tH) * in.capH + tH * (in.colH + tH), bThick);
        // The shorter reach of B bounds the base: it keeps the column's depth.
        return Rect(in, 'C', false, in.capB, (tH - tB) * in.capB + tB * (in.colB + tB), in.colH,
                    tB * (in.colH + tB), bThick);
    }
    return Rect(in, 'C', false, nB, h0 * (in.colB + nB) / 2, nH, h0 * (in.colH + nH) / 2, chongqie_beta_h(in.h));
}

// ---- the strengths ----------------------------------------------------------

float Ft(const CHONGQIE_JS_STRUCT& r) {
    Con_Prop p{};
    get_rc_property(r.m_nConGrade, &p);
    return p.ft;
}

// fy of the stirrup grade; an unknown grade is told (210) and takes `fallback`.
float Fy(const CHONGQIE_JS_STRUCT& r, float fallback) {
    Rein_Prop p{};
    get_rein_property(r.m_nStirrupGrade, &p);
    if (p.fy > 0) return p.fy;
    tell_error(kv::err::kDesignError, "Reinforce property error in PJ!");
    return fallback;
}

// ---- the verdicts -----------------------------------------------------------

const char* Blanks(int n) {
    static const std::string blanks(16, ' ');
    return blanks.c_str() + 16 - n;
}

void Line(std::FILE* fp, int blanks, const char* text) { fprintf_gbk(fp, "%s%s", Blanks(blanks), text); }

void VerdictOld(const ChongQieCheck& k, const CHONGQIE_JS_STRUCT& r, float ft, float fy, std::FILE* fp) {
    const bool cap = k.cap, e = k.kase == 'E';
    const char* who = cap ? "柱帽" : "柱";
    if (r.m_nStirrup == 0) {
        const float K = 0.6f * ft * k.X;
        if (k.F1 > K) {
            fprintf_gbk(fp, "      板对%s的抗冲切不能满足要求 ！\n", who);
            fprintf_gbk(fp, "      冲切力F1 = % .2f(kN) > 0.60*ft*Um*h0 = %.2f(kN)\n", k.F1 / 1000, K / 1000);
        } else {
            fprintf_gbk(fp, "%s冲切力F1 = % .2f(kN) \n", Blanks(cap || e ? 7 : 6), k.F1 / 1000);
            fprintf_gbk(fp, "       板对%s的抗冲切力为: %.2f(kN) \n", who, K / 1000);
        }
        return;
    }
    const float K = 0.3f * ft * k.X;
    const float L = 0.9f * ft * k.X;
    if (k.F1 > L) {
        if (cap) Line(fp, 6, "板的厚度不足，不能满足对柱帽的抗冲切最小厚度要求 ！\n");
        else if (e) Line(fp, 6, "板的厚度不足，不能满足对柱的抗冲切最小厚度要求 ！\n");
        else Line(fp, 6, "板的厚度不足，不能满足对柱抗冲切的最小厚度要求 ！\n");
        fprintf_gbk(fp, "      冲切力F1 = % .2f(kN) > 0.90*ft*Um*h0 = %.2f(kN)\n", k.F1 / 1000, L / 1000);
        return;
    }
    auto f1Line = [&] { fprintf_gbk(fp, "%s冲切力F1 = % .2f(kN) \n", Blanks(cap || e ? 7 : 6), k.F1 / 1000); };
    if (k.kase != 'D') f1Line();
    if (k.F1 > K) {
        const float avs = (k.F1 - K) * 0.25f / fy / 0.8f / static_cast<float>(r.m_nStirrupSpacing) * 1000;
        fprintf_gbk(fp, "%s%s每侧配置箍筋的数量Av/s为: %.0f(mm^2/m)\n", Blanks(cap || e ? 7 : 6), who, avs);
    } else if (!cap) {
        Line(fp, 6, "板对柱的抗冲切能满足要求, 不需要配筋\n");
    } else if (k.kase == 'A') {
        Line(fp, 6, "板对柱帽的抗冲切能满足要求, 柱帽外侧不需要配筋\n");
    } else {
        Line(fp, 6, "板对柱帽的抗冲切能满足要求, 不需要配筋\n");
    }
    if (k.kase == 'D') f1Line();
}

void Constructive(const ChongQieCheck& k, float avc, std::FILE* fp) {
    switch (k.kase) {
    case 'A':
        if (k.cap) {
            Line(fp, 6, "整个柱帽外侧板内需要构造箍筋面积Av为：\n");
            fprintf_gbk(fp, "%s0.2*Um*h0*ftd/fyd = %.2f(mm^2)\n", Blanks(12), avc);
        } else {
            Line(fp, 6, "板内构造箍筋总面积Av为：\n");
            fprintf_gbk(fp, "%s0.2*Um*h0*ftd/fyd = %.0f(mm^2)\n", Blanks(13), avc);
        }
        break;
    case 'B':
        Line(fp, 6, "板内需要构造箍筋总面积Av为：\n");
        fprintf_gbk(fp, "%s0.2*Um*h0*ftd/fyd = %.2f(mm^2)\n", Blanks(12), avc);
        break;
    case 'C':
    case 'D':
        fprintf_gbk(fp, "      板内需要构造箍筋总面积Av为：0.2*Um*h0*ftd/fyd = %.0f(mm^2)\n", avc);
        break;
    default:
        Line(fp, k.kase == 'F' ? 7 : 6, "板内需要构造箍筋总面积Av为：\n");
        fprintf_gbk(fp, "%s0.2*Um*h0*ftd/fyd = %.0f(mm^2)\n", Blanks(12), avc);
        break;
    }
}

void VerdictNew(const ChongQieCheck& k, const CHONGQIE_JS_STRUCT& r, float ftd, float fy, std::FILE* fp) {
    const bool cap = k.cap;
    const char* who = cap ? "柱帽" : "柱";
    if (r.m_nStirrup == 0) {
        const float J = 0.7f * k.betaH * ftd * k.X;
        if (k.F1 > J) {
            fprintf_gbk(fp, "      板对%s的抗冲切不能满足要求 ！应考虑抗冲切配筋。\n", who);
            fprintf_gbk(fp, "      冲切力F1 = % .2f(kN) > 0.7*βh*ftd*Um*h0 = %.2f(kN)\n", k.F1 / 1000, J / 1000);
        } else {
            fprintf_gbk(fp, "      板对%s的抗冲切满足要求。\n", who);
            fprintf_gbk(fp, "      冲切力F1 = % .2f(kN) \n", k.F1 / 1000);
            fprintf_gbk(fp, "      板对%s的抗冲切力为: %.2f(kN) \n", who, J / 1000);
        }
        return;
    }
    const bool panel = (k.kase == 'C' || k.kase == 'D') && r.m_nReversedPanel != 0;
    const float fyd = 240.0f;
    float J, Av, Avc;
    if (panel) {
        J = 0.35f * ftd * k.X;
        Av = (k.F1 - J) * 0.25f / (0.8f * fy);
        Avc = 0.2f * ftd * k.X / fy;
    } else {
        J = 0.5f * ftd * k.X;
        Av = (k.F1 - J) * 0.25f / fyd;
        Avc = 0.2f * ftd * k.X / fyd;
    }
    const float K = 1.05f * ftd * k.X;
    if (k.F1 > K) {
        if (cap) Line(fp, 6, "板的厚度不足，不能满足对柱帽的抗冲切最小厚度要求 ！\n");
        else if (k.kase == 'E') Line(fp, 6, "板的厚度不足，不能满足对柱的抗冲切最小厚度要求 ！\n");
        else Line(fp, 6, "板的厚度不足，不能满足对柱抗冲切的最小厚度要求 ！\n");
        fprintf_gbk(fp, "      冲切力F1 = % .2f(kN) > 1.05*ftd*Um*h0 = %.2f(kN)\n", k.F1 / 1000, K / 1000);
        return;
    }
    fprintf_gbk(fp, "      冲切力F1 = % .2f(kN) \n", k.F1 / 1000);
    if (k.F1 > J) {
        fprintf_gbk(fp, "      %s每侧计算配置箍筋的数量Av为: %.0f(mm^2);   总配箍量为:%.0f(mm^2)\n", who, Av, 4 * Av);
    } else if (!cap) {
        Line(fp, 6, "板对柱的抗冲切能满足要求, 计算不需要配筋\n");
    } else if (k.kase == 'A') {
        Line(fp, 6, "板对柱帽的抗冲切能满足要求, 柱帽外侧计算不需要配筋\n");
    } else {
        Line(fp, 6, "板对柱帽的抗冲切能满足要求, 计算不需要配筋\n");
    }
    if (panel) Line(fp, 10, "[注：按反托板,根据人民防空工程设计规范GB50225-2005计算]\n");
    if (4 * Av < Avc) Constructive(k, Avc, fp);
}

// Opens `path` for a new text, runs `write` on it and puts it in place.
template <typename Write>
int WriteTextFile(const std::string& path, Write write) {
    JS_ERROR_CODE = 0;
    std::FILE* fp = open_file(path.c_str(), "wt");
    if (!fp) return 1;
    write(fp);
    commit_file(fp);
    return 1;
}

std::string MessageBoxPath() { return G_strWorkPath + "Message.Box"; }

void Conditions(const CHONGQIE_JS_STRUCT& r, bool civil, std::FILE* fp) {
    const char* b5 = Blanks(5);
    if (civil)
        fprintf_gbk(fp, "%s砼强度等级:   %s     板面荷载(kN/m^2):     %.3f\n", b5, _HNT(r.m_nConGrade), r.m_fLoad);
    else
        fprintf_gbk(fp, "%s砼强度等级:   C%2d     板面荷载(kN/m^2):     %.3f\n", b5, r.m_nConGrade, r.m_fLoad);
    if (r.m_nSteam) fprintf_gbk(fp, "%s考虑蒸气养护或掺早强剂\n", b5);
    fprintf_gbk(fp, "%s板宽(mm):     %.0f      板长(mm):     %.0f      板厚(mm):     %.0f\n", b5,
                static_cast<float>(r.m_nSlabWidth), static_cast<float>(r.m_nSlabLength),
                static_cast<float>(r.m_nSlabThick));
    fprintf_gbk(fp, civil ? "%s配筋计算as(mm) :     %.0f\n" : "%s配筋计算as(mm)     %.0f\n", b5, r.m_fAs);
    const bool square = r.m_nSquareCol == 1;
    if (square)
        fprintf_gbk(fp, "%s柱宽(mm):     %.0f      柱高(mm):     %.0f\n", b5, static_cast<float>(r.m_nColB),
                    static_cast<float>(r.m_nColH));
    else
        fprintf_gbk(fp, "%s柱直径(mm):     %.0f\n", b5, static_cast<float>(r.m_nColD));
    if (r.m_nHasCap == 1) {
        if (square)
            fprintf_gbk(fp, "%s柱帽宽(mm):   %.0f      柱帽高(mm):   %.0f      柱帽厚(mm):     %.0f\n", b5,
                        static_cast<float>(r.m_nCapB), static_cast<float>(r.m_nCapH),
                        static_cast<float>(r.m_nCapThick));
        else
            fprintf_gbk(fp, "%s柱帽直径(mm):   %.0f      柱帽厚(mm):     %.0f\n", b5, static_cast<float>(r.m_nCapD),
                        static_cast<float>(r.m_nCapThick));
        if (r.m_nCapDown == 1) fprintf_gbk(fp, "%s柱帽下反\n", b5);
        else if (civil && r.m_nReversedPanel) fprintf_gbk(fp, "%s柱帽上反，按反托板计算。\n", b5);
        else fprintf_gbk(fp, "%s柱帽上反\n", b5);
    }
    if (r.m_nStirrup == 1) {
        fprintf_gbk(fp, "%s考虑配置箍筋\n", b5);
        if (civil)
            fprintf_gbk(fp, "%s箍筋级别:     %s\n", b5, _GJ(r.m_nStirrupGrade));
        else if (square)
            fprintf_gbk(fp, "%s箍筋级别:     %5d      箍筋间距(mm):     %.0f\n", b5, r.m_nStirrupGrade,
                        static_cast<float>(r.m_nStirrupSpacing));
        else
            fprintf_gbk(fp, "%s箍筋级别:     %d      箍筋间距(mm):     %.0f\n", b5, r.m_nStirrupGrade,
                        static_cast<float>(r.m_nStirrupSpacing));
    }
    std::fputs("\n", fp);
}

}  // namespace

// ---- the record -------------------------------------------------------------

void CHONGQIE_JS_STRUCT::SetDefaults() { *this = CHONGQIE_JS_STRUCT(); }

int CHONGQIE_JS_STRUCT::ParseLine(const char* line) {
    return scan_fields(line, kLineFormat, &m_nSteam, &m_nStirrupGrade, &m_nStirrupSpacing, &m_nConGrade,
                       &m_nSlabWidth, &m_nSlabLength, &m_nSlabThick, &m_fLoad, &m_fAs, &m_nColB, &m_nColD, &m_nColH,
                       &m_nCapB, &m_nCapD, &m_nCapH, &m_nCapThick, &m_nStirrup, &m_nCapDown, &m_nHasCap,
                       &m_nSquareCol, &m_nReversedPanel);
}

int CHONGQIE_JS_STRUCT::ReadLine(std::FILE* fp) {
    std::string line;
    if (fp && fgets_skip_comment(line, kLineBytes, fp)) ParseLine(line.c_str());
    return 1;
}

int CHONGQIE_JS_STRUCT::WriteLine(std::FILE* fp) const {
    if (!fp) return 1;
    std::fprintf(fp, "%d,%d,%d,%d,%d,%d,%d,%f,%f,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d\n", m_nSteam, m_nStirrupGrade,
                 m_nStirrupSpacing, m_nConGrade, m_nSlabWidth, m_nSlabLength, m_nSlabThick, m_fLoad, m_fAs, m_nColB,
                 m_nColD, m_nColH, m_nCapB, m_nCapD, m_nCapH, m_nCapThick, m_nStirrup, m_nCapDown, m_nHasCap,
                 m_nSquareCol, m_nReversedPanel);
    return 1;
}

// ---- the check --------------------------------------------------------------

float chongqie_beta_h(float h) {
    if (h <= 800) return 1.0f;
    if (h >= 2000) return 0.9f;
    const float xs[2] = {800.0f, 2000.0f};
    const float ys[2] = {1.0f, 0.9f};
    return liner_inter(xs, ys, 2, h);
}

std::vector<ChongQieCheck> chongqie_checks(const CHONGQIE_JS_STRUCT& r, bool civil) {
    const Inputs in = Take(r, civil);
    const float bThin = chongqie_beta_h(in.h), bThick = chongqie_beta_h(in.h + in.tc);
    std::vector<ChongQieCheck> checks;
    const bool square = r.m_nSquareCol == 1;
    if (r.m_nHasCap == 1 && r.m_nCapDown == 1) {
        if (square) {
            const bool reachB = in.colB + 2 * in.tc <= in.capB;
            const bool reachH = in.colH + 2 * in.tc <= in.capH;
            const float PB = reachB ? in.colB + 2 * in.hc : in.capB + 2 * in.h0;
            const float PH = reachH ? in.colH + 2 * in.hc : in.capH + 2 * in.h0;
            checks.push_back(RectBase(in, 'A', false, true, PB, reachB ? in.hc : in.h0, reachB ? in.colB : in.capB,
                                      PH, reachH ? in.hc : in.h0, reachH ? in.colH : in.capH,
                                      reachB || reachH ? bThick : bThin));
            checks.push_back(RectBase(in, 'A', true, true, in.capB + 2 * in.h0, in.h0, in.capB, in.capH + 2 * in.h0,
                                      in.h0, in.capH, bThin));
        } else {
            if (in.colD + 2 * in.tc > in.capD)
                checks.push_back(RoundBase(in, 'B', false, true, in.capD + 2 * in.h0, in.h0, in.capD, bThin));
            else
                checks.push_back(RoundBase(in, 'B', false, true, in.colD + 2 * in.hc, in.hc, in.colD, bThick));
            checks.push_back(RoundBase(in, 'B', true, true, in.capD + 2 * in.h0, in.h0, in.capD, bThin));
        }
    } else if (r.m_nHasCap == 1) {
        if (square) {
            checks.push_back(CaseC(in));
        } else if (in.capD >= in.colD + 2 * in.hc) {
            checks.push_back(RoundBase(in, 'D', false, false, in.colD + 2 * in.hc, in.hc, in.colD, bThick));
        } else if (in.capD < in.colD + 2 * in.h0) {
            checks.push_back(RoundBase(in, 'D', false, false, in.colD + 2 * in.h0, in.h0, in.colD, bThin));
        } else {
            const float P = in.capD - 2 * in.c;
            checks.push_back(Round(in, 'D', false, P, kPi * (P - in.colD) / 2 * (in.colD + P) / 2, bThick));
        }
    } else if (square) {
        checks.push_back(RectBase(in, 'E', false, true, in.colB + 2 * in.h0, in.h0, in.colB, in.colH + 2 * in.h0,
                                  in.h0, in.colH, bThin));
    } else {
        checks.push_back(RoundBase(in, 'F', false, true, in.colD + 2 * in.h0, in.h0, in.colD, bThin));
    }
    return checks;
}

int chongqie_check_old(const CHONGQIE_JS_STRUCT& r, std::FILE* fp) {
    const float ft = Ft(r);
    const float fy = Fy(r, 310.0f);
    for (const ChongQieCheck& k : chongqie_checks(r, false)) VerdictOld(k, r, ft, fy, fp);
    return 1;
}

float chongqie_ftd(const CHONGQIE_JS_STRUCT& r, float ft) {
    float ftd = ft * (r.m_nConGrade > 59 ? 1.4f : 1.5f);
    if (r.m_nSteam) ftd *= 0.9f;
    return ftd;
}

int chongqie_check_new(const CHONGQIE_JS_STRUCT& r, std::FILE* fp) {
    const float ftd = chongqie_ftd(r, Ft(r));
    const float fy = Fy(r, 240.0f);
    for (const ChongQieCheck& k : chongqie_checks(r, true)) VerdictNew(k, r, ftd, fy, fp);
    return 1;
}

int chongqie_report_old(const CHONGQIE_JS_STRUCT& r, std::FILE* fp) {
    Conditions(r, false, fp);
    return chongqie_check_old(r, fp);
}

int chongqie_report_new(const CHONGQIE_JS_STRUCT& r, std::FILE* fp) {
    Conditions(r, true, fp);
    std::fputs("\n[ 冲切验算结果 ]\n", fp);
    return chongqie_check_new(r, fp);
}

int chongqie_transverse_cal(const CHONGQIE_JS_STRUCT& r, std::FILE* fp) {
    const float fy = Fy(r, 240.0f);
    float fyd = fy;
    switch (r.m_nStirrupGrade) {
    case 1: fyd = fy * 1.5f; break;
    case 2: fyd = fy * 1.35f; break;
    case 3:
    case 4: fyd = fy * 1.2f; break;
    default: break;
    }
    const float F = static_cast<float>(r.m_nSlabWidth) / 1000 * (static_cast<float>(r.m_nSlabLength) / 1000) * r.m_fLoad;
    fprintf_gbk(fp, "      柱底轴力F = % .2f(kN) \n", F);
    fprintf_gbk(fp, "      根据人民防空工程设计规范GB50225-2005\n");
    fprintf_gbk(fp, "          反托板所需横向钢筋配筋量为：%.0f(mm^2)\n", F * 1000 / fyd);
    return 1;
}

int chongqie_check(const CHONGQIE_JS_STRUCT& r) {
    return WriteTextFile(MessageBoxPath(), [&](std::FILE* fp) {
        if (r.m_nCivilDefence) chongqie_check_new(r, fp);
        else chongqie_check_old(r, fp);
    });
}

int chongqie_transverse_steel(const CHONGQIE_JS_STRUCT& r) {
    return WriteTextFile(MessageBoxPath(), [&](std::FILE* fp) { chongqie_transverse_cal(r, fp); });
}

int chongqie_report(const CHONGQIE_JS_STRUCT& r, const char* path) {
    if (!path) return 1;
    return WriteTextFile(path, [&](std::FILE* fp) {
        if (r.m_nCivilDefence) chongqie_report_new(r, fp);
        else chongqie_report_old(r, fp);
    });
}

// ---- the sketch -------------------------------------------------------------

int CHONGQIE_JS_STRUCT::DrawJianTu(CBase_SGT* d) const {
    if (!d) return 0;
    DrawPlan(d, 0, 0);
    DrawElevation(d, 1.2f * static_cast<float>(m_nSlabLength), 0);
    return 1;
}

int CHONGQIE_JS_STRUCT::DrawPlan(CBase_SGT* d, float x, float y) const {
    if (!d) return 0;
    const float Lb = static_cast<float>(m_nSlabWidth), Lh = static_cast<float>(m_nSlabLength);
    d->Push_ENV();
    d->SetCurColor("3");
    d->Draw_Rect_C(Lh, Lb, x, y, 0);
    d->SetDimSize(0, d->GetDimSize(0) * 0.5f);
    d->SetDimSize(1, d->GetDimSize(1) * 0.5f);
    d->SetDimSize(2, d->GetDimSize(2) * 1.4f);
    const float g = d->GetDimSize(0);
    d->Draw_Dim_Points(x - Lh / 2, y - Lb / 2 - g, x + Lh / 2, y - Lb / 2 - g, std::to_string(m_nSlabLength).c_str(),
                       1, 1);
    d->Draw_Dim_Points(x - Lh / 2 - g, y - Lb / 2, x - Lh / 2 - g, y + Lb / 2, std::to_string(m_nSlabWidth).c_str(),
                       1, 0);
    const bool square = m_nSquareCol == 1;
    if (m_nHasCap == 1) {
        if (square) d->Draw_Rect_C(static_cast<float>(m_nCapB), static_cast<float>(m_nCapH), x, y, 0);
        else d->Draw_Circle(x, y, static_cast<float>(m_nCapD) / 2, 1.0f);
    }
    if (square) d->Draw_Rect_C(static_cast<float>(m_nColB), static_cast<float>(m_nColH), x, y, 0);
    else d->Draw_Circle(x, y, static_cast<float>(m_nColD) / 2, 1.0f);
    d->Pop_ENV();
    return 1;
}

int CHONGQIE_JS_STRUCT::DrawElevation(CBase_SGT* d, float x, float y) const {
    if (!d) return 0;
    const bool cap = m_nHasCap == 1;
    // Whole halves as the sizes are whole millimetres; wide enough for any field.
    const long long Lb = m_nSlabWidth, h = m_nSlabThick;
    const long long b = cap ? m_nCapThick : 0;
    const long long e = Lb / 2;
    const long long f = -(e - (Lb - h - b) / 2);
    long long capCentre, slabCentre;
    if (m_nCapDown == 1) {
        capCentre = e - h - b / 2;
        slabCentre = e - h / 2;
    } else {
        capCentre = e - b / 2;
        slabCentre = e - b - h / 2;
    }
    const bool square = m_nSquareCol == 1;
    d->SetCurColor("3");
    d->Draw_Rect_C(static_cast<float>(m_nSlabLength), static_cast<float>(h), x, y + static_cast<float>(slabCentre), 0);
    if (cap)
        d->Draw_Rect_C(static_cast<float>(square ? m_nCapB : m_nCapD), static_cast<float>(m_nCapThick), x,
                       y + static_cast<float>(capCentre), 0);
    d->Draw_Rect_C(static_cast<float>(square ? m_nColB : m_nColD), static_cast<float>(Lb - h - b), x,
                   y + static_cast<float>(f), 0);
    return 1;
}
