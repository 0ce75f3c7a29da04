// The grid beam's support-moment redistribution, the design of every beam and
// the report text (with the script blocks that insert the drawings).
#include <cmath>
#include <memory>
#include <new>
#include <string>

#include "base/error.h"
#include "base/globals.h"
#include "base/textio.h"
#include "codes/guifan.h"
#include "codes/material.h"
#include "design/pj_beam.h"
#include "fem/lf_nd.h"
#include "fem/yxy_tool.h"
#include "members/beams/jzl_calc.h"
#include "members/beams/jzl_data.h"
#include "report/script.h"

void jzl_redistribute_line(JZL_BEAM* first, int n, const CJzlData* data, int stride) {
    if (n < 1 || first->absent) return;
    const float p = first->secondary ? data->SecRedistribution : data->MainRedistribution;
    const float d = p / 100;
    JZL_BEAM* last = first + static_cast<std::ptrdiff_t>(stride) * (n - 1);
    float a = 0, b = 0;
    float& ML = first->moment[2][0];
    float& MR = last->moment[2][2];
    if (ML <= 0) {
        a = d * std::fabs(ML);
        ML = (1 - d) * ML;
    }
    if (MR <= 0) {
        b = d * std::fabs(MR);
        MR = (1 - d) * MR;
    }
    auto s = [&](float xi) { return a + (b - a) * xi; };
    for (int k = 0; k < n; ++k) {
        JZL_BEAM* bk = first + static_cast<std::ptrdiff_t>(stride) * k;
        if (k > 0) bk->moment[2][0] += s(static_cast<float>(k) / n);
        bk->moment[2][1] += s((k + 0.5f) / n);
        if (k < n - 1) bk->moment[2][2] += s(static_cast<float>(k + 1) / n);
    }
}

void CJzlJs::jzl_redistribute(const CJzlData* data) {
    const int nx = data->XSecondary + 1, ny = data->YSecondary + 1;
    for (int run = 0; run < m_nXBeams / ny; ++run) jzl_redistribute_line(&m_Beams[run * ny], ny, data, 1);
    const int columns = m_nXSub + 1;
    for (int band = 0; band < m_nYBeams / (nx * columns); ++band)
        for (int c = 0; c < columns; ++c)
            jzl_redistribute_line(&m_Beams[m_nXBeams + band * nx * columns + c], nx, data, columns);
}

namespace {

const char* SectionLabel(int j) { return j == 0 ? "**左截面:" : j == 1 ? "**中截面:" : "**右截面:"; }

}  // namespace

void CJzlJs::WriteBeamBlock(JZL_BEAM& beam, std::FILE* fp, PJ_BEAM_KV* design, float spacing) {
    if (beam.absent) return;
    const std::string head = sprintf_gbk("梁号: %d   左节点号: %d 右节点号: %d 梁宽: %.0f(mm) 梁高: %.0f(mm)\n",
                                         beam.element, beam.node1, beam.node2, beam.b, beam.h);
    std::fprintf(fp, "-------------------------------------------------------------------------\n%s\n", head.c_str());
    tell_error(kv::err::kNotice, head);
    const float* m = beam.moment[2];
    std::fprintf(fp, "\n                            左             中             右\n");
    std::fprintf(fp, "弯    矩(kN.m):%15.0f%15.0f%15.0f\n", m[0], m[1], m[2]);
    std::fprintf(fp, "剪    力(kN  ):%15.2f               %15.2f\n", beam.shear[0], beam.shear[2]);
    std::fprintf(fp, "扭    矩(kN.m):%15.2f               %15.2f\n", beam.torque[0], beam.torque[2]);

    for (int j = 0; j < 3; ++j) {
        const float M = m[j] * 1.0e6f, V = beam.shear[j] * 1000, T = beam.torque[j] * 1.0e6f;
        const int f = j == 1 ? 1 : 0;
        auto set = [&](float moment) { design->set_value(moment, V, T, beam.b, beam.h, f, 1.2f, 0); };
        set(0);
        design->Bent_DJ();
        const float Amin = design->As;
        if (M > -0.0001f) {
            set(M);
            design->Bent_SJ();
            beam.bottom_steel[j] = design->As;
            beam.top_steel[j] = std::max(design->As1, Amin);
        } else {
            set(-M);
            design->Bent_SJ();
            beam.top_steel[j] = design->As;
            beam.bottom_steel[j] = std::max(design->As1, Amin);
        }
        if (design->if_CJCX() == 1) {
            std::fprintf(fp, "%s", SectionLabel(j));
            design->Out_CJCX(fp);
            beam.top_steel[j] = beam.bottom_steel[j] = -1;
        }
        set(std::fabs(M));
        design->Sheer();
        beam.shear_stirrup[j] = spacing * design->Asv;
        if (j != 1 && design->if_CJCX() == 1) {
            std::fprintf(fp, "%s", SectionLabel(j));
            design->Out_CJCX(fp);
        }
        set(std::fabs(M));
        design->Sheer_Twist();
        beam.torsion_bars[j] = design->Ast;
        beam.torsion_stirrup[j] = spacing * design->Ast1;
        beam.shear_torsion_stirrup[j] = spacing * design->Asvt;
        if (j != 1 && design->if_CJCX() == 1) {
            std::fprintf(fp, "%s", SectionLabel(j));
            design->Out_CJCX(fp);
        }
    }

    std::string top, bottom;
    for (int j = 0; j < 3; ++j) {
        if (beam.top_steel[j] < 0) {
            top += sprintf_gbk("%15s", "——");
            bottom += sprintf_gbk("%15s", "——");
        } else {
            top += sprintf_gbk("%15.0f", beam.top_steel[j]);
            bottom += sprintf_gbk("%15.0f", beam.bottom_steel[j]);
        }
    }
    std::fprintf(fp, "\n                             左             中             右\n");
    std::fprintf(fp,
                 "上部纵筋(mm2):%s\n下部纵筋(mm2):%s\n抗剪箍筋(mm2):%15.0f               %15.0f\n"
                 "抗扭纵筋(mm2):%15.0f               %15.0f\n抗扭箍筋(mm2):%15.0f               %15.0f\n"
                 "扭剪箍筋(mm2):%15.0f               %15.0f\n",
                 top.c_str(), bottom.c_str(), beam.shear_stirrup[0], beam.shear_stirrup[2], beam.torsion_bars[0],
                 beam.torsion_bars[2], beam.torsion_stirrup[0], beam.torsion_stirrup[2],
                 beam.shear_torsion_stirrup[0], beam.shear_torsion_stirrup[2]);
}

void CJzlJs::WriteReport() {
    m_pDesign.reset();
    CloseFile(m_fpReport);
    m_fpReport = open_file((G_strWorkPath + m_pData->GetRtfFileName(0)).c_str(), "wt");
    if (!m_fpReport || JS_ERROR_CODE) return;
    std::FILE* fp = m_fpReport;
    const char* dashes = "-------------------------------------------------------------------\n";
    std::fprintf(fp, "%s计算项目: %s\n%s[ 计算条件 ]\n", dashes, m_pData->m_strName.c_str(), dashes);
    std::fprintf(fp, "  梁总数: %d\n", static_cast<int>(m_Beams.size()));
    std::fprintf(fp, "  混凝土强度等级: %s\n", _HNT(m_nConGrade));
    std::fprintf(fp, "  配筋计算as(mm): %d(mm)\n", m_nCover);
    std::fprintf(fp, "  纵筋级别: %s\n", _GJ(m_nBarGrade));
    std::fprintf(fp, "  箍筋级别: %s\n", _GJ(m_nStirrupGrade));
    std::fprintf(fp, "  箍筋间距: %d(mm)\n", m_nStirrupSpacing);
    std::fprintf(fp, "  均布荷载: %.3f(kN/m2)\n", m_fLoad);
    std::fprintf(fp, "  梁 容 重: %.3f(kN/m3)\n", m_fUnitWeight);
    std::fprintf(fp, "  主梁支座弯矩调幅幅度: %.3f\n", m_fMainRedis);
    std::fprintf(fp, "  次梁支座弯矩调幅幅度: %.3f\n", m_fSecRedis);
    if (m_nSteam) std::fprintf(fp, "  考虑蒸气养护或掺早强剂\n");
    const char* mode = m_nLoadMode == 0 ? "双向" : m_nLoadMode == 1 ? "周边" : "集中";
    std::fprintf(fp, "  荷载分配模式:  (%s) \n", mode);
    VanjoroScript(fp, ("InsertDxf=" + m_pData->GetDxfFileName(0)).c_str());
    std::fprintf(fp, "[ 内力配筋 ]\n");
    VanjoroScript(fp, ("InsertDxf=" + m_pData->GetDxfFileName(1)).c_str());
    VanjoroScript(fp, ("InsertDxf=" + m_pData->GetDxfFileName(2)).c_str());

    for (JZL_BEAM& beam : m_Beams) {
        m_pDesign.reset(new (std::nothrow) PJ_BEAM_KV);
        if (!m_pDesign) {
            tell_error(kv::err::kFailure, "生成梁配筋对象时错 !");
            if (JS_ERROR_CODE) break;
            continue;
        }
        m_pDesign->Ini_Liang(m_nConGrade, m_nBarGrade, m_nStirrupGrade, 0, m_nCover, m_nCover, 0, beam.h,
                             BeamLength(beam), 0.8f, m_nSteam, 0, 1.0f, 1, 1.0f, 1.0f, 1.0f, 1.0f);
        WriteBeamBlock(beam, fp, m_pDesign.get(), static_cast<float>(m_nStirrupSpacing));
        m_pDesign.reset();
    }
    std::fprintf(fp, " ");
    const int failed = commit_file(m_fpReport);
    m_fpReport = nullptr;
    if (failed) tell_error(kv::err::kFailure, "不能写文件 : " + m_pData->GetRtfFileName(0));
}

namespace {

// The section record of a beam with the run's materials; the steel is set per section.
struct SectionMaterials {
    float ftk = 1.5f, Ec = 25500, Es = 200000, fyk = 235;
};

SectionMaterials Materials(int conGrade, int barGrade) {
    SectionMaterials m;
    Con_Prop con{};
    if (get_rc_property(conGrade, &con)) {
        m.ftk = con.ftk;
        m.Ec = con.Ec;
    } else {
        tell_error(kv::err::kDataError, "混凝土标号错误");
    }
    Rein_Prop bar{};
    if (get_rein_property(barGrade, &bar)) {
        m.Es = bar.Es;
        m.fyk = bar.fyk;
    } else {
        tell_error(kv::err::kDataError, "钢筋标号错误");
    }
    return m;
}

cross BeamCross(const JZL_BEAM& beam, const SectionMaterials& m, int cover, int diameter, int barGrade) {
    cross s{};
    s.type = 1;
    s.h = beam.h;
    s.b = beam.b;
    s.ftk = m.ftk;
    s.Ec = m.Ec;
    s.c = static_cast<float>(cover);
    s.d = static_cast<float>(diameter);
    s.Es = m.Es;
    s.fyk = m.fyk;
    s.nu = barGrade < 2 ? 1.0f : 0.7f;  // plain bars bond worse than ribbed ones
    s.layers = 1;
    s.l0 = 1.0f;
    return s;
}

// Tension and compression steel of section j under a characteristic moment Mk.
void SteelFor(cross& s, const JZL_BEAM& beam, int j, float Mk) {
    s.As = Mk >= 0 ? beam.bottom_steel[j] : beam.top_steel[j];
    s.Asp = Mk >= 0 ? beam.top_steel[j] : beam.bottom_steel[j];
}

}  // namespace

void CJzlJs::CalculateCrackWidths() {
    const SectionMaterials m = Materials(m_nConGrade, m_nBarGrade);
    LF_ND crack;
    for (JZL_BEAM& beam : m_Beams) {
        if (beam.absent) continue;
        cross s = BeamCross(beam, m, m_nCover, m_nBarDiameter, m_nBarGrade);
        for (int j = 0; j < 3; ++j) {
            const float Mk = beam.moment[0][j] + beam.moment[1][j];
            SteelFor(s, beam, j, Mk);
            beam.crack[j] = crack.crack_cal(0, std::fabs(Mk) * 1.0e6f, 3, &s);
        }
    }
}

void CJzlJs::CalculateLongTermStiffness() {
    const SectionMaterials m = Materials(m_nConGrade, m_nBarGrade);
    LF_ND stiffness;
    for (JZL_BEAM& beam : m_Beams) {
        if (beam.absent) continue;
        cross s = BeamCross(beam, m, m_nCover, m_nBarDiameter, m_nBarGrade);
        const float B0 = m.Ec * beam.b * beam.h * beam.h * beam.h / 12;
        float B = B0;
        for (int j = 0; j < 3; ++j) {
            const float M1 = beam.moment[0][j], M2 = beam.moment[1][j];
            const float Mk = M1 + M2, Mq = m_fLongTerm1 * M1 + m_fLongTerm2 * M2;
            SteelFor(s, beam, j, Mk);
            if ((std::fabs(Mk) > 0.01f || std::fabs(Mq) > 0.01f) && s.As > 1.0f)
                B = std::min(B, stiffness.cqgd(Mk * 1.0e6f, Mq * 1.0e6f, &s));
        }
        if (B <= 0.00001f) {
            tell_error(kv::err::kDataError, "梁长期刚度计算错误 !");
            B = 0.8f * B0;
        }
        float factor = B / B0;
        if (!(factor > 0 && factor <= 1)) {
            tell_error1(kv::err::kDataError, "第%d根梁长期刚度折减系数为 %.4f 计算错误 !", beam.element, factor);
            factor = 0.8f;
        }
        beam.width_factor = factor;
    }
}

void CJzlJs::ReadDeflections() {
    YXY_TOOL tool;
    for (JZL_BEAM& beam : m_Beams) {
        if (beam.absent) continue;
        float w[3] = {0, 0, 0};  // a beam the file lacks stays undeflected
        tool.Get_Disp_yxy_Liang(beam.element - 1, 0, w);
        for (int j = 0; j < 3; ++j) beam.deflection[j] = -1000 * w[j];
    }
}
