// The results of a lining run in its report: the conclusion, the table head,
// one row per node with its forces, displacements and rock resistance, and the
// section design that completes the row (reinforcement, or the crack width).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "base/textio.h"
#include "codes/gangjin.h"
#include "codes/material.h"
#include "design/liefen.h"
#include "design/pj_column.h"
#include "lining/engine/canshu.h"
#include "lining/engine/hezai.h"
#include "lining/engine/jiemian.h"
#include "lining/engine/owner.h"
#include "report/script.h"

namespace {

constexpr std::uint32_t kRed = 255;
constexpr std::uint32_t kBlue = 16711680;
constexpr std::uint32_t kDarkBlue = 7288576;
constexpr double kDegree = 180 / 3.1415927;

void ColourText(std::FILE* fp, const std::string& text, std::uint32_t colour) {
    VanjoroScript_Text(fp, text.c_str(), colour, 1.0);
}

// The shelter hooks of a shelter run, and the slot of its combination.
CLiningShelter* ShelterOf(CLiningOwner* owner, int* slot) {
    if (!owner) return nullptr;
    CLiningShelter* shelter = owner->GetShelter();
    const int c = owner->GetZuHeIndex();
    if (!shelter || c <= 0) return nullptr;
    *slot = c - 1 <= 2 ? c - 1 : 0;
    return shelter;
}

// A bar text centred in twelve columns (one space each side at least).
std::string Centred(const std::string& text) {
    const int length = static_cast<int>(text.size());
    const int pad = (length < 12 ? (12 - length) / 2 : 0) + 1;
    const std::string blanks(static_cast<std::size_t>(pad), ' ');
    return blanks + text + blanks;
}

}  // namespace

int CJieMianBase::WriteJieLun(int count, int converged, float /*difference*/, std::FILE* report) {
    if (!report) return 0;
    char text[300];
    if (converged) {
        std::snprintf(text, sizeof text, "计算结论:经过%d次计算,达到各点设定抗力条件和法向位移一致!\n\n", count);
        ColourText(report, text, kBlue);
        return 1;
    }
    std::snprintf(text, sizeof text,
                  "计算结论:经过%d次迭代,未达到计算各点设定抗力条件和法向位移一致!计算失败的原因可能有:\n\n", count);
    ColourText(report, text, kRed);
    ColourText(report, "  (1)交互的计算迭代次数不够!\n\n", kDarkBlue);
    ColourText(report, "  (2)截面刚度太弱(截面尺寸或弹性模量过小)!\n\n", kDarkBlue);
    ColourText(report, "  (3)参数之间的数量级相差太大!\n\n", kDarkBlue);
    ColourText(report, "请检查交互的参数,修改后重新计算!\n\n", kRed);
    return 1;
}

int CJieMianBase::WriteResultHead(std::FILE* report) {
    if (!report || !m_pData) return 1;
    const CPeiJinCanShu& bars = m_pData->GetPeiJin();
    const bool sym = bars.m_bDuiCheng != 0;
    if (m_nState != 0) {
        if (sym) {
            std::fputs("      轴向力      弯矩     围岩抗力  实配钢筋   裂缝宽度   拉筋应力\n", report);
            std::fputs("         Nk        Mk                (单侧)       Wmax      stress\n", report);
            std::fputs("       (kN)       (kN.m)    (kPa)                (mm)      (MPa) \n", report);
        } else {
            std::fputs("      轴向力      弯矩     围岩抗力  实配钢筋     实配钢筋   裂缝宽度   拉筋应力\n", report);
            std::fputs("         Nk        Mk                (内侧)       (外侧)     Wmax      stress\n", report);
            std::fputs("       (kN)       (kN.m)    (kPa)                            (mm)     (MPa) \n", report);
        }
        return 1;
    }
    static const char* const kForces[2][3] = {
        {"      轴向力      剪力      弯矩     切向位移   法向位移   转角   围岩抗力",
         "         N          Q        M         U         V         W           ",
         "       (kN)       (kN)     (kN.m)    (mm)       (mm)     (度)     (kPa)  "},
        {"      轴向力      剪力             弯矩          切向位移   法向位移   转角   围岩抗力",
         "         N          Q              M              U         V         W           ",
         "       (kN)       (kN)          (kN.m)           (mm)       (mm)     (度)     (kPa)  "}};
    // By symmetric bars (0, 1) and stirrups (0, 1).
    static const char* const kAreas[2][2][3] = {
        {{" 内侧纵筋 外侧纵筋 抗剪验算\n", "  As      As1\n", "(mm^2)   (mm^2)       \n"},
         {" 内侧纵筋 外侧纵筋 箍筋面积 抗剪验算\n", "  As      As1       Av\n", "(mm^2)   (mm^2)   (mm^2)\n"}},
        {{" 单侧纵筋 抗剪验算\n", "  As         \n", "(mm^2)          \n"},
         {" 单侧纵筋 箍筋面积 抗剪验算\n", "  As       Av\n", "(mm^2)   (mm^2)\n"}}};
    const int seis = m_pData->GetDiZhen().m_bDiZhen ? 1 : 0;
    const int stir = bars.m_bGuJin ? 1 : 0;
    for (int line = 0; line < 3; ++line) {
        std::fputs(kForces[seis][line], report);
        std::fputs(kAreas[sym ? 1 : 0][stir][line], report);
    }
    return 1;
}

int CJieMianBase::OutputPart(int n, const double* results, float k, float t0, float t1, std::FILE* report) {
    if (!m_pData || !results || n < 0) return 0;
    CLiningOwner& owner = *m_pData;
    const CPeiJinCanShu& bars = owner.GetPeiJin();
    CDiZhenCanShu& seismic = owner.GetDiZhen();

    Con_Prop concrete{};
    {
        const CLiningGuiFanScope edition(owner.GetJiBen().m_nGuiFan);
        get_rc_property(bars.m_nHunNingTu, &concrete);
    }
    const float G = m_fE / (2 * (1 + concrete.nu));
    const bool withSeismic = seismic.m_bDiZhen && owner.GetHeZaiZuHe().m_Items[8].m_bJiSuan;
    if (withSeismic) {
        seismic.CalForces(m_fDiZhenXiaoYing, m_fE, G);
        // The seismic load (item 8) under the factors of the state.
        float gamma0 = 1.0f, psi = 1.0f, gamma = 0.0f, psiC = 1.0f;
        GetZuHeFactor(&gamma0, &psi, m_nState);
        GetLoadFactor(&gamma, &psiC, owner.GetHeZaiZuHe(), m_nState, 8);
        const float f = gamma0 * psi * gamma * psiC;
        for (float& s : m_fDiZhenXiaoYing) s *= f;
    }
    m_fPartAs1 = m_fPartAs2 = 0;

    // The shelter's crown thickness follows its own arcs node by node.
    const CLiningShelter* shelter = owner.GetShelter();
    const bool shelterCrown = owner.GetZuHeIndex() > 0 && shelter && shelter->CrownByArcs() && m_nShuChuBuWei == 0;

    for (int i = 0; i <= n; ++i) {
        const double* node = results + 6 * i;
        const double R = node[4] >= 0 ? k * node[4] * 1000 : 0;
        double values[7] = {node[0], node[1], node[2], node[3], node[4], node[5], node[2]};
        float t = n > 0 ? t0 + static_cast<float>(i) * (t1 - t0) / static_cast<float>(n) : t0;
        if (shelterCrown) {
            float mm = 0;
            shelter->GetHouDu(i, 0, &mm);
            t = mm / 1000;
        }
        if (withSeismic) {
            const double dN = t * m_fDiZhenXiaoYing[0];
            const double dQ = t * m_fDiZhenXiaoYing[1];
            const double dM = t * t * m_fDiZhenXiaoYing[2] / 4;
            values[0] += values[0] > -0.00001 ? dN : -dN;
            values[1] += values[1] > -0.00001 ? dQ : -dQ;
            values[6] = values[2] - dM;
            values[2] += dM;
        }
        WriteResultRow(i, values, R, report);
        DesignNode(i, t, values[0], values[1], values[2], values[6], report);
    }
    return 0;
}

int CJieMianBase::WriteResultRow(int node, double values[7], double resistance, std::FILE* report) {
    if (!values) return 0;
    if (!report) return 1;
    for (int j = 0; j < 6; ++j)
        if (std::fabs(values[j]) < 1e-6) values[j] = 0;
    const double N = values[0], Q = values[1], M = values[2];
    const double u = values[3] * 1000, v = values[4] * 1000, phi = values[5] * kDegree;

    int slot = 0;
    if (CLiningShelter* shelter = ShelterOf(m_pData, &slot)) {
        const double kept[7] = {N, Q, M, u, v, phi, resistance};
        for (int q = 0; q < 7; ++q) shelter->SetValue(m_nShuChuBuWei, q, slot, node, static_cast<float>(kept[q]));
    }

    if (m_nState != 0) {
        std::fprintf(report, "%2d %9.3f %9.3f %8.3f ", node, N, M, resistance);
    } else if (m_pData && m_pData->GetDiZhen().m_bDiZhen) {
        std::fprintf(report, "%2d %9.3f %9.3f %9.3f(%9.3f) %9.3f %9.3f %9.3f %7.1f", node, N, Q, M, values[6], u, v,
                     phi, resistance);
    } else {
        std::fprintf(report, "%2d %9.3f %9.3f %9.3f %9.3f %9.3f %9.3f %7.1f", node, N, Q, M, u, v, phi, resistance);
    }
    return 1;
}

int CJieMianBase::DesignNode(int node, float t, double N, double Q, double M, double mMinus, std::FILE* report) {
    // A node that cannot be designed keeps its row, ended without results.
    auto endRow = [&] {
        if (report) std::fputs("\n", report);
        return 1;
    };
    if (!m_pData) return endRow();
    const CPeiJinCanShu& bars = m_pData->GetPeiJin();
    // The lining designs under its own code; the edition the user chose comes back after the node.
    const CLiningGuiFanScope edition(m_pData->GetJiBen().m_nGuiFan);
    if (m_nState != 0) {
        const std::unique_ptr<CJsLieFen> crack(new (std::nothrow) CJsLieFen);
        if (!crack) return endRow();
        WriteCrackRow(t, N, M, crack.get(), report);
        return 1;
    }
    const bool blast = m_pData->IsHeBao() != 0;
    std::unique_ptr<PJ_COLUMN> design;
    if (blast) design.reset(new (std::nothrow) PJ_COLUMN_KV);
    else if (bars.m_bDuiCheng) design.reset(new (std::nothrow) PJ_COLUMN);
    else design.reset(new (std::nothrow) PJ_COLUMN_FDC);
    if (!design) return endRow();
    WriteDesignRow(node, t, N, Q, M, mMinus, design.get(), report);
    return 1;
}

int CJieMianBase::WriteDesignRow(int node, float t, double N, double Q, double M, double mMinus, PJ_COLUMN* design,
                                 std::FILE* report) {
    if (!m_pData || !design) return 1;
    CPeiJinCanShu& bars = m_pData->GetPeiJin();
    const bool seis = m_pData->GetDiZhen().m_bDiZhen != 0;
    const int sym = bars.m_bDuiCheng ? 1 : 0;
    const int gc = bars.m_nHunNingTu, gb = bars.m_nZongJin, gs = bars.m_nGuJinJiBie;
    const int ge = seis ? bars.m_nKangZhenDengJi : 0;
    const int a = static_cast<int>(bars.m_fAs);
    const float ka = bars.m_fTiaoZheng;
    int steam = 0;
    if (const CLiningShelter* shelter = m_pData->GetShelter()) steam = shelter->ZhengQi() == 1 ? 1 : 0;
    // The blast class takes the normal-section factor 0.8 and the lining's member
    // kind. (Our design classes have no further member to preset.)
    auto* blast = dynamic_cast<PJ_COLUMN_KV*>(design);
    auto ini = [&](int axialInShear) {
        if (blast) blast->Ini(gc, gb, gs, ge, a, 0.8f, steam, sym, 1, axialInShear, 0, 1, 0.0f);
        else design->Ini(gc, gb, gs, ge, a, 1, axialInShear, 0, 0, 0);
    };

    const float h = t * 1000;
    float M1 = static_cast<float>(M * 1e6);
    const float V = static_cast<float>(Q * 1000);
    const float Nn = static_cast<float>(N * 1000);
    if (seis && sym && M1 < 0.00001f) M1 = 0;

    ini(1);
    design->set_value(M1, 0, 0, V, Nn, 1000.0f, h, h, 0, 0, 2);
    design->PianLaYa();
    float As = design->Asx * ka;
    float As1 = sym ? As : design->Asx1 * ka;
    ini(0);
    design->LaYaJian_y();
    const float Av = design->ay * bars.m_fGuJinJianJu * ka;
    const bool small = design->section_small != 0;
    if (!sym && M1 < -0.00001f) std::swap(As, As1);  // the outer face is in tension

    if (seis) {
        // M − ΔM: its tension side is the outer face.
        float M2 = static_cast<float>(mMinus * 1e6);
        if (!(M2 <= -0.00001f)) M2 = 0;
        design->set_value(M2, 0, 0, V, Nn, 1000.0f, h, h, 0, 0, 2);
        design->PianLaYa();
        const float A2 = design->Asx * ka;
        const float A2c = sym ? A2 : design->Asx1 * ka;
        As = std::max(As, A2c);
        As1 = std::max(As1, A2);
    }

    bars.m_fMaxAsNei = std::max(bars.m_fMaxAsNei, As);
    bars.m_fMaxAsWai = std::max(bars.m_fMaxAsWai, As1);
    bars.m_fMaxAv = std::max(bars.m_fMaxAv, Av);
    m_fPartAs1 = std::max(m_fPartAs1, As);
    m_fPartAs2 = std::max(m_fPartAs2, As1);
    if (small) bars.m_bKangJian = 0;

    int slot = 0;
    if (CLiningShelter* shelter = ShelterOf(m_pData, &slot)) {
        const float larger = std::max(As, As1);
        shelter->SetValue(m_nShuChuBuWei, 7, slot, node, sym ? larger : As);
        shelter->SetValue(m_nShuChuBuWei, 8, slot, node, sym ? larger : As1);
        shelter->SetValue(m_nShuChuBuWei, 9, slot, node, Av);
        if (small) shelter->ShearTooSmall(m_nShuChuBuWei);
    }

    if (!report) return 1;
    if (sym) std::fprintf(report, " %8.1f", std::max(As, As1));
    else std::fprintf(report, " %8.1f %8.1f", As, As1);
    if (bars.m_bGuJin) std::fprintf(report, " %6.1f", Av);
    if (small) ColourText(report, "   不满足\n", kRed);
    else fprintf_gbk(report, "  %7s\n", "满足");
    return 1;
}

int CJieMianBase::WriteCrackRow(float t, double N, double M, CJsLieFen* crack, std::FILE* report) {
    if (!report || !crack || !m_pData) return 0;
    const CPeiJinCanShu& bars = m_pData->GetPeiJin();
    const float Nk = static_cast<float>(N * 1000);
    float Mk = static_cast<float>(M * 1e6);
    crack->set_value(bars.m_nXiaoYingZuHe == 1 ? 0 : 1);
    const int kind = N > 0.00001 ? kLfEccentricTension : kLfEccentricCompression;
    const int tensionInner = Mk < -0.00001f ? 0 : 1;
    cross_lf record;
    ClearDesignResult(&record);
    FillCrossLf(t, &record, tensionInner);
    Mk = std::fabs(Mk);
    float w = crack->CalLieFeng(Nk, Mk, kind, &record);
    if (w < 0.00001f) w = 0;
    float sigma = crack->sigma_s;
    if (sigma < 0.00001f) sigma = 0;

    auto barText = [&](const std::string& text) {
        CGangJin set;
        set.FromString(text);
        set.m_nGrade = bars.m_nZongJin;
        return Centred(set.ToString(0));
    };
    std::string row = barText(bars.m_szNeiCe);
    if (!bars.m_bDuiCheng) row += barText(bars.m_szWaiCe);
    std::fputs(row.c_str(), report);

    if (crack->not_checked) {
        // The code exempts this node (an eccentric compression member with
        // e0/h0 ≤ 0.55): no width, and the note under the table says why.
        std::fprintf(report, " %6s ", "---");
        std::fprintf(report, " %6s\n", "---");
        m_bLieFengZhuShi = 1;
        return 1;
    }
    char text[64];
    if (static_cast<double>(w) - bars.m_fLieFengXianZhi > 0.00001) {
        std::snprintf(text, sizeof text, " %6.2f  ", w);
        ColourText(report, text, kRed);
    } else {
        std::fprintf(report, " %6.2f ", w);
    }
    std::snprintf(text, sizeof text, " %8.1f\n", sigma);
    if (crack->exceeded) ColourText(report, text, kRed);
    else std::fputs(text, report);
    return 1;
}

int CJieMianBase::FillCrossLf(float t, cross_lf* record, int tensionInner) {
    if (!record || !m_pData) return 1;
    const CPeiJinCanShu& bars = m_pData->GetPeiJin();
    CGangJin inner, outer;
    inner.FromString(bars.m_szNeiCe);
    outer.FromString(bars.m_szWaiCe);
    const CGangJin& tension = !bars.m_bDuiCheng && !tensionInner ? outer : inner;
    float deq = 0;
    EquivalentDiameter(&deq, tension);
    const bool plain = bars.m_nZongJin == 1;
    const float nu = m_pData->GetJiBen().m_nGuiFan == 1 ? (plain ? 1.0f : 0.7f) : (plain ? 1.4f : 1.0f);
    Con_Prop concrete{};
    Rein_Prop steel{};
    get_rc_property(bars.m_nHunNingTu, &concrete);
    get_rein_property(bars.m_nZongJin, &steel);
    const float h = t * 1000;
    record->type = 1;
    record->h = h;
    record->b = 1000.0f;
    record->bf1 = record->hf1 = record->bf = record->hf = 0;
    record->ftk = concrete.ftk;
    record->c = bars.m_fBaoHuCeng;
    record->deq = deq;
    record->Es = steel.Es;
    record->fyk = steel.fyk;
    record->nu = nu;
    record->As = tension.Area();
    record->l0 = h;
    record->as = bars.m_fAs;
    record->as1 = bars.m_fAs;
    return 1;
}

int CJieMianBase::EquivalentDiameter(float* out, CGangJin bars) {
    const float c1 = static_cast<float>(bars.m_nCount), d1 = static_cast<float>(bars.m_nDiameter);
    const float c2 = static_cast<float>(bars.m_nCount2), d2 = static_cast<float>(bars.m_nDiameter2);
    const float denominator = c1 * d1 + c2 * d2;
    // A set without bars still gives the crack calculation a diameter to work with.
    const bool none = !(denominator > 0.00001f);
    const float deq = none ? 0.00001f : (c1 * d1 * d1 + c2 * d2 * d2) / denominator;
    if (out) *out = deq;
    return none ? -1 : 0;
}

int CJieMianBase::WriteCrackNote(std::FILE* report) {
    if (!report) return 0;
    if (m_nState != 0 && m_bLieFengZhuShi == 1) {
        std::fputs("注:\n", report);
        std::fputs("   裂缝结果中“---” 表示按规范对于e0/h0<=0.55的偏心受压构件，可不验算裂缝宽度。\n", report);
    }
    return 1;
}
