#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <string>

#include "base/error.h"
#include "base/globals.h"
#include "base/textio.h"
#include "codes/guifan.h"
#include "design/pj_column.h"
#include "drawing/base_sgt.h"
#include "members/beams/sections.h"
#include "report/script.h"

namespace {

const char* const kKindNames[] = {"矩形截面", "工字形截面", "圆形截面"};

bool SecondOrderApplies(const CZhuData& d) { return G_guifan == 2010 && d.SecondOrder; }

void WriteConditions(const CZhuData& d, std::FILE* fp) {
    const std::string dashes(67, '-');
    std::fprintf(fp, "%s\n计算项目: %s\n%s\n[ 计算条件 ]\n", dashes.c_str(), d.m_strName.c_str(), dashes.c_str());
    const bool known = d.Kind >= 1 && d.Kind <= 3;
    if (!known) tell_error(kv::err::kDataError, "截面型式有错!");
    std::fputs(sprintf_gbk("    截面型式:  %10s\n", known ? kKindNames[d.Kind - 1] : "").c_str(), fp);
    if (d.Kind == 1 || d.Kind == 2)
        std::fprintf(fp, "    截面宽度(mm):   %5d      截面高度(mm):   %5d      柱计算长度(m):   %7.2f\n", d.B, d.H,
                     d.L0);
    if (d.Kind == 2) {
        std::fprintf(fp, "    翼缘bf宽(mm):   %5d      翼缘hf高(mm):   %5d\n", d.Bf, d.Hf);
        std::fprintf(fp, "    翼缘bf'宽(mm):  %5d      翼缘hf'高(mm):  %5d\n", d.Bf1, d.Hf1);
    }
    if (d.Kind == 3) std::fprintf(fp, "    截面直径(mm):   %5d      柱计算长度(m):    %7.2f\n", d.D, d.L0);
    if (!known) tell_error(kv::err::kDataError, "截面型式有错!");
    std::fprintf(fp, "    砼强度等级:    %s      配筋计算 as (mm):   %3d\n", _HNT(d.ConGrade), d.Cover);
    std::fprintf(fp, "    纵筋级别:      %s      箍筋级别:         %s     箍筋间距(mm):    %4d\n", _GJ(d.BarGrade),
                 _GJ(d.StirrupGrade), d.StirrupSpacing);
    std::fprintf(fp, "    弯矩Mx(kN.m):%8.2f      弯矩My(kN.m):%8.2f     轴力N(kN):   %8.2f\n", d.Mx, d.My, d.N);
    std::fprintf(fp, "    剪力Vx(kN):  %8.2f      剪力Vy(kN):  %8.2f\n", d.Vx, d.Vy);
    if (SecondOrderApplies(d))
        std::fprintf(fp,
                     "    考虑p --δ效应\n    弯矩Mx1(kN.m):%8.2f      弯矩Mx2(kN.m):%8.2f\n"
                     "    弯矩My1(kN.m):%8.2f      弯矩My2(kN.m):%8.2f\n",
                     d.Mx1, d.Mx2, d.My1, d.My2);
    const char* mode = d.Mode == 1 ? "对称" : d.Mode == 2 ? "非对称" : "";
    if (!*mode) tell_error(kv::err::kDataError, "配筋方式有错!");
    std::fputs(sprintf_gbk("    配筋方式:      %6s\n", mode).c_str(), fp);
    std::fputs(d.Steam ? "    考虑蒸气养护或掺早强剂\n" : "    不虑蒸气养护或掺早强剂\n", fp);
}

}  // namespace

int zhu_design(CZhuData& d, std::FILE* fp) {
    // The design takes N, N·mm and mm, the axial force negative in compression.
    float Mx = d.Mx * 1000000.0f, My = d.My * 1000000.0f;
    const float Vx = std::fabs(d.Vx) * 1000.0f, Vy = std::fabs(d.Vy) * 1000.0f;
    const float N = -d.N * 1000.0f;
    const int L0 = static_cast<int>(d.L0 * 1000.0f);
    if (N > 0 && JS_ERROR_CODE) return 0;
    auto put = [fp](const char* format, auto... values) {
        if (fp) std::fprintf(fp, format, values...);
    };
    const float b = static_cast<float>(d.B), h = static_cast<float>(d.H), as = static_cast<float>(d.Cover);

    if (SecondOrderApplies(d)) {
        const float ea = std::max(std::max(b, h) / 30.0f, 20.0f);
        // Mx bends the section over h, My over b: each with its own depth.
        Mx = GetZhuErJieWanJu(Mx, std::fabs(N), d.Mx1 * 1000000.0f, d.Mx2 * 1000000.0f, h - as, h,
                              static_cast<float>(L0), b * h, ea, d.ConGrade);
        My = GetZhuErJieWanJu(My, std::fabs(N), d.My1 * 1000000.0f, d.My2 * 1000000.0f, b - as, b,
                              static_cast<float>(L0), b * h, ea, d.ConGrade);
        put("考虑p-δ效应X向弯矩: Mx = %.2f(kN.m)\n", Mx * 0.000001f);
        put("考虑p-δ效应Y向弯矩: My = %.2f(kN.m)\n", My * 0.000001f);
    }
    if (std::fabs(Mx) < 1) Mx = 0;
    if (std::fabs(My) < 1) My = 0;

    const bool symmetric = d.Mode == 1;
    std::unique_ptr<PJ_COLUMN_KV> column;
    if (symmetric) column.reset(new (std::nothrow) PJ_COLUMN_KV);
    else column.reset(new (std::nothrow) PJ_COLUMN_FDC_KV);
    if (!column) tell_error(kv::err::kFailure, "内存不够 !");
    if (JS_ERROR_CODE) return 0;
    if (symmetric)
        column->Ini(d.ConGrade, d.BarGrade, d.StirrupGrade, 0, d.Cover, 0.8f, d.Steam, 1, 1, 1, 0, 0, 1.0f);
    else
        static_cast<PJ_COLUMN_FDC_KV&>(*column).Ini(d.ConGrade, d.BarGrade, d.StirrupGrade, 0, d.Cover, 0.8f,
                                                     d.Steam, 0, 2, 1.0f);
    auto setValues = [&] {
        if (symmetric) column->set_value(Mx, Vx, My, Vy, N, b, h, static_cast<float>(L0), 0, 0, 2);
        else static_cast<PJ_COLUMN_FDC_KV&>(*column).set_value(Mx, Vx, My, Vy, N, b, h, static_cast<float>(L0), 0, 0);
    };

    if (N < 0) {
        setValues();
        column->ZhouYaBi();
        put("    轴压比:         N/(A*fc)=    %.4f\n", column->axial_ratio);
        column->Out_Message(fp);
    }

    setValues();
    column->PianLaYa();
    const bool rectangle = column->section_type == 0;
    if (symmetric) {
        if (rectangle) {
            put("    X向单侧纵筋:       Asx  =    %.0f(mm^2)\n", column->Asx);
            put("    Y向单侧纵筋:       Asy  =    %.0f(mm^2)\n", column->Asy);
            column->Out_Message_KV(fp, true);
        } else {
            put("    全截面纵筋:        Ast  =    %.0f(mm^2)\n", column->Ast);
        }
        column->Out_Message(fp);
        d.ResAsx = d.ResAsx1 = column->Asx;
        d.ResAsy = d.ResAsy1 = column->Asy;
    } else {
        if (rectangle) {
            put("    X向单侧纵筋: 受拉边Asx  =    %.0f(mm^2)    受压边Asx1 = %.0f(mm^2)\n", column->Asx, column->Asx1);
            column->Out_Message_KV(fp, true);
            put("    Y向单侧纵筋: 受拉边Asy  =    %.0f(mm^2)    受压边Asy1 = %.0f(mm^2)\n", column->Asy, column->Asy1);
            column->Out_Message_KV(fp, false);
        } else {
            put("    全截面纵筋:        Ast  =    %.0f(mm^2)\n", column->Ast);
            put("    全截面纵筋:        Ast  =    %.0f(mm^2)\n", column->Ast);
        }
        column->Out_Message(fp);
        d.ResAsx = column->Asx;
        d.ResAsx1 = column->Asx1;
        d.ResAsy = column->Asy;
        d.ResAsy1 = column->Asy1;
    }

    const float s = static_cast<float>(d.StirrupSpacing);
    setValues();
    column->LaYaJian_x();
    float ax = column->ax;
    put(rectangle ? "    X向箍筋:           Avx  =    %.0f(mm^2)\n" : "    箍   筋:           Av   =    %.0f(mm^2)\n",
        s * ax);
    column->Out_Message(fp);
    d.ResAvx = s * ax;

    setValues();
    column->LaYaJian_y();
    float ay = column->ay;
    if (column->section_type != 1) {
        put(rectangle ? "    Y向箍筋:           Avy  =    %.0f(mm^2)\n" : "    箍   筋:           Av   =    %.0f(mm^2)\n",
            s * ay);
    }
    column->Out_Message(fp);
    d.ResAvy = s * ay;

    if (std::fabs(Vx) > 0.0001f && std::fabs(Vy) > 0.0001f && d.N > -0.0001f) {
        setValues();
        column->LaYaJian_xy(ax, ay);
        if (column->section_type != 1) {
            put("    双向受剪X向箍筋:    Avx  =    %.0f(mm^2)\n", s * ax);
            put("    双向受剪Y向箍筋:    Avy  =    %.0f(mm^2)\n", s * ay);
        }
        column->Out_Message(fp);
        d.ResAvx = s * ax;
        d.ResAvy = s * ay;
    }
    JS_ERROR_CODE = 0;
    return 1;
}

int zhu_calculate(CZhuData& d) {
    JS_ERROR_CODE = 0;
    std::FILE* fp = open_file_no_comment("Message.Box", "wt");
    if (!fp) {
        tell_error1(kv::err::kFailure, "Can't open %s", "Message.Box");
        return 0;
    }
    zhu_design(d, fp);
    if (commit_file(fp) != 0) {
        tell_error1(kv::err::kFailure, "Can't open %s", "Message.Box");
        return 0;
    }
    return JS_ERROR_CODE == 0 ? 1 : 0;
}

int zhu_report(CZhuData& d, std::FILE* fp, CBase_SGT* drawing) {
    JS_ERROR_CODE = 0;
    if (fp) {
        if (d.ReportLevel == 1 || d.ReportLevel == 2) WriteConditions(d, fp);
        VanjoroScript(fp, ("InsertDxf=" + d.GetDxfFileName(0)).c_str());
        std::fputs("[ 计算结果 ]\n", fp);
        zhu_design(d, fp);
    }
    if (drawing) {
        CJieMianJT sketch;
        sketch.kind = d.Kind == 2 ? 2 : d.Kind == 3 ? 4 : 0;
        sketch.h = static_cast<float>(d.H);
        sketch.b = static_cast<float>(d.B);
        sketch.hf = static_cast<float>(d.Hf);
        sketch.bf = static_cast<float>(d.Bf);
        sketch.hf1 = static_cast<float>(d.Hf1);
        sketch.bf1 = static_cast<float>(d.Bf1);
        sketch.D = static_cast<float>(d.D);
        sketch.Asx = d.ResAsx;
        sketch.Asx1 = d.ResAsx1;
        sketch.Asy = d.ResAsy;
        sketch.Asy1 = d.ResAsy1;
        sketch.Avx = d.ResAvx;
        sketch.Avy = d.ResAvy;
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        drawing->GetFRect(&x1, &y1, &x2, &y2);
        sketch.Draw(drawing, (x1 + x2) / 2, y1, 1);
    }
    return 1;
}
