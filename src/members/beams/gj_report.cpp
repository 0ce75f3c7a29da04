// The rigid frame's member design and its text report.
#include <algorithm>
#include <cmath>
#include <new>
#include <numeric>
#include <string>

#include "base/error.h"
#include "base/geometry.h"
#include "base/globals.h"
#include "base/textio.h"
#include "codes/guifan.h"
#include "design/pj_column.h"
#include "members/beams/gj_frm.h"
#include "report/script.h"

namespace {

const char* const kSectionHeading[kGjSections] = {"**左截面:", "**中截面:", "**右截面:"};
constexpr int kSectionStation[kGjSections] = {0, 4, 8};

// "*10^2" and this character before "mm^2" in the steel-area unit line: code
// page 936 stores it as the bytes 0xAA 0xB3 (its user-defined area).
constexpr const char* kAreaUnitMark = "\xEE\x80\x92";  // U+E012

void Dashes(std::FILE* fp, int n) {
    std::fputs(std::string(static_cast<std::size_t>(n), '-').c_str(), fp);
    std::fputc('\n', fp);
}

void SectionMessage(std::FILE* fp, PJ_COLUMN* pj, int s) {
    if (pj->if_CJCX() != 1 || !fp) return;
    std::fputs(kSectionHeading[s], fp);
    pj->Out_CJCX(fp);
}

}  // namespace

CGjGouJian::CGjGouJian() = default;

float CGjGouJian::GetLength() const { return get_dist(m_fX1, m_fY1, m_fX2, m_fY2); }

void CGjGouJian::DesignSections(std::FILE* fp, PJ_COLUMN* pj, float spacing, float support, float midspan) {
    const float k = m_fForce1 * m_fForce2;
    const float length = GetLength();
    for (int s = 0; s < kGjSections; ++s) {
        const int st = kSectionStation[s];
        const float f = s == 1 ? midspan : support;
        const float m = M[st] * 1.0e6f * k * f;
        const float v = V[st] * 1000.0f * k;
        const float n = N[st] * 1000.0f * k;
        // M bends the section over h; its shear acts in the same plane, over h
        // with the width b, which is the design's y shear.
        pj->set_value(m, 0, 0, v, n, m_fB, m_fH, length, 0, 0, 2);
        pj->ZhouYaBi();
        pj->PianLaYa();
        AsTop[s] = pj->Asx;
        AsBottom[s] = pj->Asx1;
        AsLeft[s] = pj->Asy;
        AsRight[s] = pj->Asy1;
        SectionMessage(fp, pj, s);

        pj->set_value(m, 0, 0, v, n, m_fB, m_fH, length, 0, 0, 2);
        pj->ZhouYaBi();
        pj->LaYaJian_y();
        Asv[s] = spacing * pj->ay;
        SectionMessage(fp, pj, s);
    }
}

void CGjFrmJs::gj_design_member(int i, std::FILE* fp) {
    CGjGouJian& g = m_GouJian[static_cast<std::size_t>(i)];
    if (g.IsSteel()) return;
    if (m_nRenFang) {
        auto* kv = new (std::nothrow) PJ_COLUMN_KV;
        if (kv) kv->Ini(g.m_nGrade, m_nBarGrade, m_nStirrupGrade, 0, as, 0.8f, m_nSteam, 1, 1, 1, 0, 0, 1.0f);
        m_pPJ.reset(kv);
    } else {
        auto* pj = new (std::nothrow) PJ_COLUMN;
        if (pj) pj->Ini(g.m_nGrade, m_nBarGrade, m_nStirrupGrade, 0, as, 1, 1, 0, 0, 0);
        m_pPJ.reset(pj);
    }
    if (!m_pPJ) {
        tell_error(kv::err::kFailure, "生成配筋对象时错 !");
        m_bFailed = true;
        return;
    }
    // A grade the tables lack stops the member's design: it is left without steel.
    if (!m_pPJ->mat.ok) m_bFailed = true;
    g.DesignSections(fp, m_pPJ.get(), static_cast<float>(m_nSpacing), m_fSupport, m_fMidspan);
    m_pPJ.reset();
}

void CGjFrmJs::GetZhuErJieWanJu(int i) {
    CGjGouJian& g = m_GouJian[static_cast<std::size_t>(i)];
    const float k = g.m_fForce1 * g.m_fForce2;
    const float h = g.m_fH, b = g.m_fB, length = g.GetLength();
    const float ea = std::max(20.0f, std::max(h, b) / 30.0f);
    // M bends the member over h: the effective depth and the depth are h's.
    const float m0 = k * g.M[0] * 1.0e6f, m8 = k * g.M[8] * 1.0e6f;
    auto moment = [&](int st) {
        return ::GetZhuErJieWanJu(k * g.M[st] * 1.0e6f, std::fabs(k * g.N[st]) * 1000.0f, m0, m8,
                                  h - static_cast<float>(as), h, length, b * h, ea, g.m_nGrade) *
               1.0e-6f;
    };
    const float mid = moment(4), left = moment(0), right = moment(8);
    g.M[4] = mid;
    g.M[0] = left;
    g.M[8] = right;
}

namespace {

void Header(std::FILE* fp, const std::string& title, int insertScheme, const std::string& scheme) {
    Dashes(fp, 67);
    std::fprintf(fp, "计算项目: %s\n", title.c_str());
    Dashes(fp, 67);
    std::fputs("[ 计算条件 ]\n", fp);
    if (insertScheme) VanjoroScript(fp, ("InsertDxf=" + scheme).c_str());
}

void Results(std::FILE* fp, int insertResults, const std::string dxf[]) {
    std::fputs("[ 计算结果 ]\n", fp);
    if (!insertResults) return;
    for (int k = 1; k <= 5; ++k) VanjoroScript(fp, ("InsertDxf=" + dxf[k]).c_str());
}

void Row(std::FILE* fp, const char* label, const float* v, int a, int b, int c, float k = 1.0f) {
    std::fprintf(fp, "%s     %9.3f        %9.3f        %9.3f\n", label, v[a] * k, v[b] * k, v[c] * k);
}

void SteelRow(std::FILE* fp, const char* label, const float* v) {
    std::fprintf(fp, "%s     %9.1f        %9.1f        %9.1f\n", label, v[0], v[1], v[2]);
}

void Forces(std::FILE* fp, const CGjGouJian& g, const char* momentLabel) {
    const float k = g.m_fForce1 * g.m_fForce2;
    Row(fp, momentLabel, g.M, 0, 4, 8, k);
    Row(fp, "剪力     (kN):", g.V, 0, 4, 8, k);
    Row(fp, "轴力     (kN):", g.N, 0, 4, 8, k);
}

void Place(std::FILE* fp, const CGjGouJian& g, const char* label) {
    std::fputs("                      起点             中点             终点\n", fp);
    std::fprintf(fp, "%s  (%6.1f %6.1f)                      (%6.1f %6.1f)\n", label, g.m_fX1 / 1000.0f,
                 g.m_fY1 / 1000.0f, g.m_fX2 / 1000.0f, g.m_fY2 / 1000.0f);
    Row(fp, "位移    x(mm):", g.Ux, 0, 4, 8);
    Row(fp, "位移    y(mm):", g.Uy, 0, 4, 8);
}

}  // namespace

int CGjFrmJs::WriteReport() {
    const std::string path = G_strWorkPath + m_strRtf;
    m_pReport = open_file_no_comment(path.c_str(), "wt");
    if (!m_pReport) {
        tell_error1(kv::err::kFailure, "不能打开文件 : %s", m_strRtf.c_str());
        m_bFailed = true;
        return 0;
    }
    if (m_nRenFang) OutReportProtective();
    else OutReport();
    std::FILE* fp = m_pReport;
    m_pReport = nullptr;
    if (commit_file(fp) != 0) {
        tell_error1(kv::err::kFailure, "不能写入文件 : %s", m_strRtf.c_str());
        m_bFailed = true;
        return 0;
    }
    return 1;
}

void CGjFrmJs::OutReportProtective() {
    std::FILE* fp = m_pReport;
    if (!fp) return;
    Header(fp, m_strTitle, m_nInsertScheme, m_strDxf[0]);
    std::fprintf(fp, "          混凝土强度等级:  %s\n", _HNT(m_nConGrade));
    std::fprintf(fp, "          纵筋级别:   %s\n", _GJ(m_nBarGrade));
    std::fprintf(fp, "          箍筋级别:   %s\n", _GJ(m_nStirrupGrade));
    std::fprintf(fp, "          箍筋间距:   %d\n", m_nSpacing);
    std::fprintf(fp, "          配筋计算as:   %d(mm)\n", as);
    if (m_nSteam) std::fputs("          蒸气养护或掺早强剂\n", fp);
    std::fprintf(fp, "          支座弯矩调整系数:  %.3f\n", m_fSupport);
    std::fprintf(fp, "          跨中弯矩调整系数:  %.3f\n", m_fMidspan);
    if (m_nPDelta) std::fputs("          考虑p --δ效应\n", fp);
    Results(fp, m_nInsertResults, m_strDxf);
    std::fputs("单位\n", fp);
    std::fputs("          构件宽(B)    --------  mm\n", fp);
    std::fputs("          构件高(H)    --------  mm\n", fp);
    std::fputs("          弯矩         --------  kN.m\n", fp);
    std::fputs("          剪力         --------  kN\n", fp);
    std::fputs("          配筋         --------  mm2\n", fp);
    const bool secondOrder = G_guifan == 2010 && m_nPDelta;
    if (secondOrder) {
        std::fprintf(fp,
                     "\n按压弯构件配筋计算时，根据%s第6.2.4条:\n计算考虑轴向压力在挠曲杆件中产生的二阶效应后截面弯矩设计值，\n"
                     "以下计算结果中配筋计算部分是根据下式调整后弯矩计算所得。\n",
                     GF_GetGuiFanName(G_guifan, 1, 0));
        VanjoroScript(fp, "InsertFormula=M=C`m*greek(h)`str(ns)*M`2");
    }
    // Every member the report keeps, by its number.
    std::vector<int> order;
    for (int i = 0; i < m_nNum; ++i)
        if (m_GouJian[static_cast<std::size_t>(i)].m_nReport == 0) order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return m_GouJian[static_cast<std::size_t>(a)].m_nNo < m_GouJian[static_cast<std::size_t>(b)].m_nNo;
    });
    for (int i : order) {
        CGjGouJian& g = m_GouJian[static_cast<std::size_t>(i)];
        Dashes(fp, 77);
        std::fprintf(fp, "构件号: %3d   起点号 %4d    终点号 %4d            宽 %.0f       高%.0f\n", g.m_nNo,
                     g.m_nStart, g.m_nEnd, g.m_fB, g.m_fH);
        Place(fp, g, "坐标      (m):");
        if (secondOrder) GetZhuErJieWanJu(i);
        Forces(fp, g, "弯矩   (kN.m):");
        std::fputs("\n", fp);
        gj_design_member(i, fp);
        SteelRow(fp, "上部纵筋(mm2):", g.AsTop);
        SteelRow(fp, "下部纵筋(mm2):", g.AsBottom);
        std::fprintf(fp,
                     "左侧纵筋(mm2):     %9.1f        %9.1f        %9.1f\n"
                     "右侧纵筋(mm2):     %9.1f        %9.1f        %9.1f\n",
                     g.AsLeft[0], g.AsLeft[1], g.AsLeft[2], g.AsRight[0], g.AsRight[1], g.AsRight[2]);
        SteelRow(fp, "箍    筋(mm2):", g.Asv);
    }
    std::fputs(" ", fp);
}

void CGjFrmJs::OutReport() {
    std::FILE* fp = m_pReport;
    if (!fp) return;
    Header(fp, m_strTitle, m_nInsertScheme, m_strDxf[0]);
    std::fprintf(fp, "          纵筋级别:   %s\n", _GJ(m_nBarGrade));
    std::fprintf(fp, "          箍筋级别:   %s\n", _GJ(m_nStirrupGrade));
    std::fprintf(fp, "          箍筋间距:   %d(mm)\n", m_nSpacing);
    std::fprintf(fp, "          配筋计算时 as:   %d(mm)\n", as);
    std::fprintf(fp, "          支座弯矩调整系数:  %.3f\n", m_fSupport);
    std::fprintf(fp, "          跨中弯矩调整系数:  %.3f\n", m_fMidspan);
    Results(fp, m_nInsertResults, m_strDxf);
    std::fputs("  单位：  钢混构件宽(B)    --------  mm\n", fp);
    std::fputs("          钢混构件高(H)    --------  mm\n", fp);
    std::fprintf(fp, "          钢材截面积(A)    --------  *10^2%smm^2\n", kAreaUnitMark);
    std::fputs("          钢材惯性矩(I)    --------  *10^4 mm^4\n", fp);
    std::fputs("          钢材弹性模量(Es) --------  *10^8 kN/m^2\n", fp);
    std::fputs("          弯矩         --------  kN-m\n", fp);
    std::fputs("          剪力         --------  kN\n", fp);
    std::fputs("          配筋         --------  mm*mm\n", fp);
    std::fputs("各荷载工况组合系数\n", fp);
    for (int c = 0; c < kGjLoadCases; ++c) std::fprintf(fp, "    工况号:   %3d    --------- %.3f\n", c + 1, m_fCaseFactor[c]);
    for (int i = 0; i < m_nNum; ++i) {
        CGjGouJian& g = m_GouJian[static_cast<std::size_t>(i)];
        Dashes(fp, 77);
        if (g.IsSteel())
            std::fprintf(fp, "构件号: %3d   起点号 %4d    终点号 %4d    A   %.3f   I   %.3f    Es    %.3f\n", i + 1,
                         g.m_nStart, g.m_nEnd, g.m_fH, g.m_fB, g.m_fEs / 1.0e8f);
        else
            std::fprintf(fp, "构件号: %3d   起点号 %4d    终点号 %4d    宽 %.0f   高%.0f   砼等级 %s\n", i + 1, g.m_nStart,
                         g.m_nEnd, g.m_fB, g.m_fH, _HNT(g.m_nGrade));
        Place(fp, g, "座标      (m):");
        Forces(fp, g, "弯矩   (kN-m):");
        if (g.IsSteel()) continue;
        std::fputs("\n", fp);
        gj_design_member(i, fp);
        SteelRow(fp, "上部纵筋(mm2):", g.AsTop);
        SteelRow(fp, "下部纵筋(mm2):", g.AsBottom);
        SteelRow(fp, "箍    筋(mm2):", g.Asv);
    }
}
