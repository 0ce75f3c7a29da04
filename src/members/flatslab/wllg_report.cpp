// The flat slab's strip design and its text report.
#include <algorithm>
#include <memory>
#include <new>
#include <string>

#include "base/error.h"
#include "base/globals.h"
#include "base/textio.h"
#include "codes/guifan.h"
#include "design/pj_beam.h"
#include "members/flatslab/wllg_data.h"
#include "members/flatslab/wllg_frm.h"
#include "report/script.h"

namespace {

constexpr int kStation[3] = {0, 4, 8};
const char* const kSectionLabel[3] = {"        **左截面:", "        **中截面:", "        **右截面:"};

struct Steel {
    float top = 0, bot = 0;
    int flag = 0;
};

// The tension steel of a section with no moment: the minimum steel.
float MinimumSteel(PJ_BEAM_KV* pj, float B, float H) {
    pj->set_value(0, 0, 0, B, H, 0, 1.2f, 0);
    pj->Bent_DJ();
    return pj->As;
}

// A rectangle B × H under M (N·mm, hogging negative): the tension steel on the
// side M pulls, the compression steel (at least the minimum) on the other.
Steel Rect(PJ_BEAM_KV* pj, float M, float B, float H, bool full) {
    const float amin = MinimumSteel(pj, B, H);
    const bool sagging = full ? M > -0.0001f : M > 0;
    pj->set_value(sagging ? M : -M, 0, 0, B, H, 0, 1.2f, 0);
    pj->Bent_SJ();
    Steel s;
    const float tension = pj->As, compression = std::max(pj->As1, amin);
    s.top = sagging ? compression : tension;
    s.bot = sagging ? tension : compression;
    s.flag = pj->flag[0];
    return s;
}

void SectionMessage(std::FILE* fp, PJ_BEAM_KV* pj, const char* label) {
    if (!fp || pj->if_CJCX() != 1) return;
    std::fputs(label, fp);
    pj->Out_CJCX(fp);
}

// The hogging column strip over a cap: the cap as the web (c × (t + h)) and the
// slab over half the strip as the flange, the rectangle 1000 wide when the
// flanged section fails or takes more than 1.5 %.
Steel OverCap(PJ_BEAM_KV* pj, float M, float b, float h, float t, float c) {
    const float amin = MinimumSteel(pj, 1000, h);
    auto flanged = std::make_unique<PJ_BEAM_I_KV>();
    flanged->Ini_Liang(pj->con_grade, pj->bar_grade, pj->stirrup_grade, pj->seismic, static_cast<int>(pj->as),
                       static_cast<int>(pj->as1), 2, t + h, pj->span, pj->shear_adjust, pj->steam);
    flanged->Set_min_PJ(pj->min_PJ[0], pj->min_PJ[1], -1.0f);
    flanged->set_value(-M * (b / 2) / 1000, 0, 0, c, t + h, b / 2, h, c, 1.0f, 0, 1.2f, 0);
    flanged->Bent_DJ();
    const bool failed = flanged->flag[0] != 0;
    const float A = flanged->As;
    const float rho = A / ((b / 2) * h + t * c);
    Steel s;
    if (failed || rho > 0.015f) {
        pj->set_value(-M, 0, 0, 1000, h, 0, 1.2f, 0);
        pj->Bent_SJ();
        s.top = pj->As;
        s.bot = std::max(pj->As1, amin);
        s.flag = failed ? 1 : pj->flag[0];
        return s;
    }
    s.top = std::max(A / (b / 2) * 1000, amin);
    s.bot = std::max(amin, s.top / 3);
    s.flag = 0;
    return s;
}

}  // namespace

void CWllgGouJian::wllg_strip_design(std::FILE* fp, PJ_BEAM_KV* pj, float supFactor, float midFactor, int strip,
                                     int b, int t, int c) {
    const float h = m_fSectH;
    for (int k = 0; k < 3; ++k) {
        const float f = m_fFactor1 * m_fFactor2 * (k == 1 ? midFactor : supFactor) * 1.0e6f;
        const Steel full = Rect(pj, m_fM[kStation[k]] * f, m_fSectB, h, true);
        m_fAsTop[k] = full.top;
        m_fAsBot[k] = full.bot;
        m_nAsFlag[k] = 0;
        if (strip == 1) {
            const float M = m_fColM[k] * f;
            const Steel s = t > 0 && k != 1 && M < 0
                                ? OverCap(pj, M, static_cast<float>(b), h, static_cast<float>(t), static_cast<float>(c))
                                : Rect(pj, M, 1000, h, false);
            m_fColTop[k] = s.top;
            m_fColBot[k] = s.bot;
            m_nColFlag[k] = s.flag;
            SectionMessage(fp, pj, kSectionLabel[k]);
            if (k == 1) continue;
            const int e = k == 0 ? 0 : 1;
            const Steel edge = Rect(pj, m_fColMCap[e] * f, 1000, h, false);
            m_fColTopCap[e] = edge.top;
            m_fColBotCap[e] = edge.bot;
            m_nColCapFlag[e] = edge.flag;
            if (t > 0) SectionMessage(fp, pj, k == 0 ? "        **左柱帽边截面:" : "        **右柱帽边截面:");
        } else {
            const Steel s = Rect(pj, m_fMidM[k] * f, 1000, h, false);
            m_fMidTop[k] = s.top;
            m_fMidBot[k] = s.bot;
            m_nMidFlag[k] = s.flag;
            SectionMessage(fp, pj, kSectionLabel[k]);
        }
    }
}

void CWllgFrmJs::DesignStrip(int i, std::FILE* fp, int strip) {
    CWllgGouJian& g = m_pMembers[static_cast<std::size_t>(i)];
    if (g.m_nKind == 1) return;
    if (!m_pData) return;
    if (m_pData->m_nCivilDefence != 1) {
        // The strips are designed for the blast load only: without it no section
        // has steel, and the report shows them as not designed.
        if (!m_bToldNoDesign) tell_error(kv::err::kFailure, "板带配筋只按人防荷载设计, 未选人防设计时不能配筋 !");
        m_bToldNoDesign = true;
        for (int k = 0; k < 3; ++k) (strip == 1 ? g.m_nColFlag : g.m_nMidFlag)[k] = 1;
        if (strip == 1) g.m_nColCapFlag[0] = g.m_nColCapFlag[1] = 1;
        return;
    }
    m_pDesign.reset(new (std::nothrow) PJ_BEAM_KV);
    if (!m_pDesign) tell_error(kv::err::kFailure, "生成梁配筋对象时错 !");
    if (!m_pDesign) return;
    m_pDesign->Ini_QiangBan(g.m_nGrade, m_nBarGrade, m_nDesignOpt, 0, m_nAs, m_nAs, 0, 0.8f, m_nSteam, 0, 1.0f, 1,
                            1.0f, 1.0f, 1.0f, 1.0f);
    const std::size_t s = static_cast<std::size_t>(i);
    if (s < m_pData->m_pSpans.size()) m_pDesign->span = m_pData->m_pSpans[s];
    // Both faces keep at least max(0.45 ft/fy, 0.3 %).
    const float fy = m_pDesign->fy;
    const float minimum = std::max(fy > 0 ? 0.45f * m_pDesign->ft / fy : 0.0f, 0.003f);
    m_pDesign->Set_min_PJ(minimum, minimum, -1.0f);
    int t = 0, c = 0;
    if (m_pData->m_nCapDesign == 1) {
        t = m_pData->m_ChongQie.m_nCapThick;
        c = m_pData->m_ChongQie.m_nCapH;
    }
    g.wllg_strip_design(fp, m_pDesign.get(), m_fSupFactor, m_fMidFactor, strip, m_pData->m_nStripWidth, t, c);
    m_pDesign.reset();
}

namespace {

void Heading(std::FILE* fp) {
    fprintf_gbk(fp, "                        %9s        %9s        %9s\n", "左", "中", "右");
}

void MomentLine(std::FILE* fp, const float* m, float k) {
    std::fprintf(fp, "            弯矩(kN.m/m):  %9.3f        %9.3f        %9.3f\n", m[0] * k, m[1] * k, m[2] * k);
}

std::string Value(float v, int flag, const char* after) {
    return flag ? sprintf_gbk("%9s%s", "——", after) : sprintf_gbk("%9.1f%s", v, after);
}

// The first n values of a steel line, eight blanks between them.
void SteelLine(std::FILE* fp, const char* label, const float* v, const int* flag, int n = 3) {
    std::string line = label;
    for (int j = 0; j < n; ++j) line += Value(v[j], flag[j], j + 1 < n ? "        " : "\n");
    std::fputs(line.c_str(), fp);
}

constexpr const char* kTop = "        上部纵筋(mm2/m):  ";
constexpr const char* kBottom = "        下部纵筋(mm2/m):  ";

void Dxf(std::FILE* fp, const CWllgData& d, int k) { VanjoroScript(fp, ("InsertDxf=" + d.GetDxfFileName(k)).c_str()); }

}  // namespace

void CWllgFrmJs::OutReport() {
    if (!m_pData) return;
    const CWllgData& d = *m_pData;
    const std::string path = G_strWorkPath + d.GetRtfFileName(0);
    m_fpReport = open_file_no_comment(path.c_str(), "wt");
    if (!m_fpReport) {
        JS_ERROR_CODE = 1;
        return;
    }
    std::FILE* fp = m_fpReport;
    const char* dashes = "-------------------------------------------------------------------\n";
    std::fputs(dashes, fp);
    std::fprintf(fp, "计算项目: %s\n", d.m_strName.c_str());
    std::fputs(dashes, fp);
    std::fputs("[ 计算条件 ]\n", fp);
    std::fprintf(fp, "混凝土强度等级:  %s\n", _HNT(d.m_nConGrade));
    std::fprintf(fp, "配筋计算as(mm) :  %d\n", d.m_nAs);
    std::fprintf(fp, "纵筋级别:  %s\n", _GJ(d.m_nBarGrade));
    std::fprintf(fp, "支座弯矩调幅幅度:  %.2f %%\n", m_fRedist * 100);
    std::fprintf(fp, "柱上板带分配系数:  边支座   %.2f  跨中   %.2f    内支座  %.2f\n", d.m_fColEdge, d.m_fColMid,
                 d.m_fColInner);
    std::fprintf(fp, "跨中板带分配系数:  边支座   %.2f  跨中   %.2f    内支座  %.2f\n", d.m_fMidEdge, d.m_fMidMid,
                 d.m_fMidInner);
    const bool caps = d.m_ChongQie.m_nHasCap != 0;
    const bool spans = d.m_pSpans.size() > 1;
    if (caps) {
        std::fputs(d.m_nEdgeCap == 1 ? "考虑边柱柱帽对计算跨度的影响.\n" : "不考虑边柱柱帽对计算跨度的影响.\n", fp);
        if (spans) std::fputs("考虑中柱柱帽对计算跨度的影响.\n", fp);
        if (d.m_nCapDesign == 1) std::fputs("考虑柱帽对柱上板带配筋的影响:\n", fp);
    }
    Dxf(fp, d, 0);
    if (spans) {
        std::fputs("\n[ 冲切验算信息 ]\n", fp);
        Dxf(fp, d, 5);
        if (d.m_nCivilDefence == 1) chongqie_report_new(d.m_ChongQie, fp);
        else chongqie_report_old(d.m_ChongQie, fp);
    }
    std::fputs("\n[ 内力配筋结果 ]\n", fp);
    for (int k = 1; k <= 3; ++k) Dxf(fp, d, k);
    const float k = m_fFrameFactor1 * m_fFrameFactor2;
    for (int s = 1;; ++s) {
        int i = 0;
        while (i < m_nMembers && !(m_pMembers[static_cast<std::size_t>(i)].m_nNo == s &&
                                   m_pMembers[static_cast<std::size_t>(i)].m_nKind == 0 &&
                                   m_pMembers[static_cast<std::size_t>(i)].m_nFlag == 0))
            ++i;
        if (i >= m_nMembers) break;
        CWllgGouJian& g = m_pMembers[static_cast<std::size_t>(i)];
        const std::size_t at = static_cast<std::size_t>(s - 1);
        const float span = at < d.m_pSpans.size() ? d.m_pSpans[at] * 1000 : 0.0f;
        std::fprintf(fp, "\n跨号:  %3d\n", s);
        std::fprintf(fp, caps ? "     计算跨度(考虑柱帽影响):  %.0f(mm)\n" : "     计算跨度:  %.0f(mm)\n", span);
        std::fputs("     调幅后等代框架(全截面 kN.m):\n", fp);
        Heading(fp);
        const float frame[3] = {g.m_fM[0], g.m_fM[4], g.m_fM[8]};
        MomentLine(fp, frame, k);
        std::fputs("     柱上板带(每延米):\n", fp);
        Heading(fp);
        MomentLine(fp, g.m_fColM, k);
        DesignStrip(i, fp, 1);
        SteelLine(fp, kTop, g.m_fColTop, g.m_nColFlag);
        SteelLine(fp, kBottom, g.m_fColBot, g.m_nColFlag);
        if (d.m_nCapDesign == 1) {
            std::fputs("        柱帽边缘处(每延米):   左柱帽边          右柱帽边\n", fp);
            std::fprintf(fp, "            弯矩(kN.m/m):  %9.3f        %9.3f\n", g.m_fColMCap[0] * k, g.m_fColMCap[1] * k);
            SteelLine(fp, kTop, g.m_fColTopCap, g.m_nColCapFlag, 2);
            SteelLine(fp, kBottom, g.m_fColBotCap, g.m_nColCapFlag, 2);
        }
        std::fputs("     跨中板带(每延米):\n", fp);
        Heading(fp);
        MomentLine(fp, g.m_fMidM, k);
        DesignStrip(i, fp, 0);
        SteelLine(fp, kTop, g.m_fMidTop, g.m_nMidFlag);
        SteelLine(fp, kBottom, g.m_fMidBot, g.m_nMidFlag);
    }
    std::fputs(" \n", fp);
    m_fpReport = nullptr;
    if (commit_file(fp) != 0) JS_ERROR_CODE = 1;
}
