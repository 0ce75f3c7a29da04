#include <cmath>
#include <memory>
#include <new>
#include <string>

#include "base/error.h"
#include "base/textio.h"
#include "codes/guifan.h"
#include "design/pj_beam.h"
#include "drawing/base_sgt.h"
#include "members/beams/sections.h"
#include "report/script.h"

namespace {

const char* const kKindNames[] = {"矩形截面", "T形截面", "工字形截面"};

void DesignMessages(PJ_BEAM_KV& beam, std::FILE* fp) {
    if (beam.if_CJCX()) beam.Out_CJCX(fp);
    if (beam.if_GZPJ()) beam.Out_GZPJ(fp);
}

void WriteConditions(const CLiangData& d, std::FILE* fp) {
    const std::string dashes(67, '-');
    std::fprintf(fp, "%s\n计算项目: %s\n%s\n[ 计算条件 ]\n", dashes.c_str(), d.m_strName.c_str(), dashes.c_str());
    const bool known = d.Kind >= 1 && d.Kind <= 3;
    if (!known) tell_error(kv::err::kDataError, "截面型式有错!");
    std::fputs(sprintf_gbk("    截面型式:  %10s\n", known ? kKindNames[d.Kind - 1] : "").c_str(), fp);
    std::fprintf(fp, "    截面宽度(mm):   %5d      截面高度(mm):   %5d\n", d.B, d.H);
    if (d.Kind == 3) std::fprintf(fp, "    翼缘bf宽(mm):   %5d      翼缘hf高(mm):   %5d\n", d.Bf, d.Hf);
    if (d.Kind == 2 || d.Kind == 3) std::fprintf(fp, "    翼缘bf'宽(mm):  %5d      翼缘hf'高(mm):  %5d\n", d.Bf1, d.Hf1);
    if (!known) tell_error(kv::err::kDataError, "截面型式有错!");
    std::fprintf(fp, "    梁跨度  %.3f (m)\n", d.Span);
    std::fprintf(fp, "    砼强度等级:    %s      配筋计算 as (mm):   %3d\n", _HNT(d.ConGrade), d.Cover);
    std::fprintf(fp, "    纵筋级别:      %s      箍筋级别:         %s     箍筋间距(mm):    %4d\n", _GJ(d.BarGrade),
                 _GJ(d.StirrupGrade), d.StirrupSpacing);
    std::fprintf(fp, "    弯矩(kN.m):  %8.2f      剪力(kN):    %8.2f     扭矩(kN.m):  %8.2f\n", d.M, d.V, d.T);
    std::fprintf(fp, "    抗扭计算ζ:      %6.2f\n", d.Zeta);
    std::fputs(d.Steam ? "    考虑蒸气养护或掺早强剂\n" : "    不虑蒸气养护或掺早强剂\n", fp);
    if (d.Support) std::fputs("    位置：连续梁支座或框架节点\n", fp);
}

}  // namespace

int liang_design(CLiangData& d, std::FILE* fp) {
    JS_ERROR_CODE = 0;
    // The object holds kN, kN·m, m and mm; the design takes N, N·mm and mm.
    const float M = d.M * 1000000.0f, V = d.V * 1000.0f, T = d.T * 1000000.0f;
    std::unique_ptr<PJ_BEAM_KV> beam(new (std::nothrow) PJ_BEAM_KV);
    if (!beam) tell_error(kv::err::kFailure, "内存不够 !");
    if (JS_ERROR_CODE) return 0;
    beam->Ini_Liang(d.ConGrade, d.BarGrade, d.StirrupGrade, 0, d.Cover, d.Cover, 0, static_cast<float>(d.H), d.Span,
                    d.ShearAdjust, d.Steam, 0, 1.0f, 1, 1.0f, 1.0f, 1.0f, 1.0f);
    beam->support = d.Support;
    const int position = d.Support ? 0 : 1;
    const float b = static_cast<float>(d.B), h = static_cast<float>(d.H);
    auto setValues = [&] { beam->set_value(M, V, T, b, h, position, d.Zeta, 0); };
    auto put = [fp](const char* format, float value) {
        if (fp) std::fprintf(fp, format, value);
    };

    // Bending.
    setValues();
    const bool doubly = d.Mode != 1;
    if (doubly) beam->Bent_SJ();
    else beam->Bent_DJ();
    if (!beam->no_result) {
        put("    抗弯受拉筋:        As   =    %.0f(mm^2)\n", beam->As);
        if (doubly) put("    抗弯受压筋:        As'  =    %.0f(mm^2)\n", beam->As1);
    }
    DesignMessages(*beam, fp);
    const float As = beam->As, As1 = doubly ? beam->As1 : 0.0f;

    // Shear in every run; torsion with it when there is a torque.
    const float s = static_cast<float>(d.StirrupSpacing);
    float stirrups = 0, Ast = 0, Avt = 0, Asv = 0;
    setValues();
    beam->Sheer();
    if (std::fabs(T) > 0.00001f) {
        const float shearOnly = beam->Asv;
        setValues();
        beam->Sheer_Twist();
        // Never fewer stirrups than the shear alone asks for.
        if (beam->Asvt < shearOnly) beam->Asvt = shearOnly;
        put("    抗扭纵筋:          Ast  =    %.0f(mm^2)\n", beam->Ast);
        if (beam->combined == 0) {
            put("    抗扭箍筋:          Avt  =    %.0f(mm^2)(单肢)\n", s * beam->Ast1);
            put("    抗剪箍筋:          Asv  =    %.0f(mm^2)\n", s * beam->Asvt);
        } else {
            put("    抗扭剪箍筋:        Asv  =    %.0f(mm^2)\n", s * beam->Asvt);
        }
        DesignMessages(*beam, fp);
        Ast = beam->Ast;
        Avt = s * beam->Ast1;
        Asv = s * beam->Asvt;
        stirrups = 2 * Avt + Asv;
    } else {
        put("    抗剪箍筋:          Av   =    %.0f(mm^2)\n", s * beam->Asv);
        DesignMessages(*beam, fp);
        stirrups = s * beam->Asv;
    }
    d.ResAs = As;
    d.ResAs1 = As1;
    d.ResStirrup = stirrups;
    d.ResAst = Ast;
    d.ResAvt = Avt;
    d.ResAsv = Asv;
    return 1;
}

int liang_calculate(CLiangData& d) {
    JS_ERROR_CODE = 0;
    std::FILE* fp = open_file("Message.Box", "wt");
    if (!fp || JS_ERROR_CODE) return 0;
    liang_design(d, fp);
    return commit_file(fp) == 0 ? 1 : 0;
}

int liang_report(CLiangData& d, std::FILE* fp, CBase_SGT* drawing) {
    JS_ERROR_CODE = 0;
    if (fp) {
        if (d.ReportLevel == 1 || d.ReportLevel == 2) WriteConditions(d, fp);
        VanjoroScript(fp, ("InsertDxf=" + d.GetDxfFileName(0)).c_str());
        std::fputs("[ 计算结果 ]\n", fp);
        liang_design(d, fp);
    }
    if (drawing) {
        CJieMianJT sketch;
        sketch.kind = d.Kind - 1;
        sketch.h = static_cast<float>(d.H);
        sketch.b = static_cast<float>(d.B);
        sketch.hf = static_cast<float>(d.Hf);
        sketch.bf = static_cast<float>(d.Bf);
        sketch.hf1 = static_cast<float>(d.Hf1);
        sketch.bf1 = static_cast<float>(d.Bf1);
        sketch.As = d.ResAs;
        sketch.As1 = d.ResAs1;
        sketch.Asv = d.ResStirrup;
        sketch.Draw(drawing, 0, 0, 0);
    }
    return 1;
}
