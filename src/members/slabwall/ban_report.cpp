#include <memory>
#include <new>
#include <string>

#include "base/error.h"
#include "base/globals.h"
#include "base/textio.h"
#include "codes/guifan.h"
#include "codes/material.h"
#include "design/pj_beam.h"
#include "drawing/base_sgt.h"
#include "members/slabwall/ban.h"
#include "report/rtf.h"
#include "report/script.h"

void ban_load_note(const BAN_JS_STRUCT& bs, std::FILE* fp) {
    if (bs.LoadNote != 1) return;
    if (bs.Kind == 0) {
        std::fprintf(fp, "[ 顶板荷载 ]\n");
        std::fprintf(fp, "\t根据规范4.9.2及4.9.3规定，顶板荷载组合应包括：\n");
        std::fprintf(fp, "\t顶板武器爆炸等效静荷载,顶板静荷载\n");
        std::fprintf(fp, "\t因此：\n");
        std::fprintf(fp, "\t顶板荷载 = 1.2(顶板自重 + 建筑做法 + 覆土重 + 其它静荷载) + 顶板等效静荷载\n");
        std::fprintf(fp, "\t= 1.2 * (%.1f + %.1f/1000 *%.1f + %.3f *%.3f + %.1f) + %.1f\n", bs.RoofSelf, bs.RoofFinishT,
                     bs.RoofFinishGamma, bs.RoofSoilGamma, bs.RoofSoilH, bs.RoofOther, bs.RoofQe);
        std::fprintf(fp, "\t= %.1f(kN/m2)\n\n", bs.RoofLoad);
        return;
    }
    std::fprintf(fp, "[ 底板荷载 ]\n");
    std::fprintf(fp, "\t根据规范4.9.3规定，底板荷载组合应包括：\n");
    std::fprintf(fp, "\t底板核武器爆炸等效静荷载,上部建筑物自重，顶板传来静荷载，防空地下室墙体(柱)自重\n");
    switch (bs.ResistClass) {
    case 0:
        std::fprintf(fp, "\t核6B级人防,上部建筑物自重取全部标准值\n");
        break;
    case 1:
        std::fprintf(fp, "\t核6级人防,上部建筑物自重取全部标准值\n");
        break;
    case 2:
        std::fprintf(fp, "\t核5级人防,当上部建筑物为砌体结构时上部建筑物自重取标准值之半\n");
        std::fprintf(fp, "\t其他结构形式时，上部建筑物自重取全部标准值\n");
        break;
    case 3:
        std::fprintf(fp, "\t核4B级人防,当上部建筑物为砌体结构时上部建筑物自重不考虑\n");
        std::fprintf(fp, "\t当上部建筑物为钢筋混凝土承重墙结构时，上部建筑物自重取全部标准值\n");
        std::fprintf(fp, "\t其他结构形式时，上部建筑物自重取标准值之半\n");
        break;
    case 4:
        std::fprintf(fp, "\t核4级人防,当上部建筑物为钢筋混凝土承重墙结构时，上部建筑物自重取全部标准值\n");
        std::fprintf(fp, "\t其他结构形式时，上部建筑物自重取标准值之半\n");
        break;
    default:
        break;
    }
    std::fprintf(fp, "\t因此：\n");
    const float share = ban_weight_share(bs.ResistClass, bs.BuildingForm, bs.FloorWeight);
    if (share != 0) {
        std::fprintf(fp, "\t底板荷载 = 建筑物总重/基础面积 + 底板等效静荷载 + 地下水浮力 - 底板自重 - 覆土重 \n");
        std::fprintf(fp, "\t= %.1f/%.1f + %.1f + %.1f - %.1f - %.3f*%.3f\n", share, bs.FloorArea, bs.FloorQe,
                     bs.FloorBuoyancy, bs.FloorSelf, bs.FloorSoilGamma, bs.FloorSoilH);
    } else {
        std::fprintf(fp, "\t底板荷载 = 底板等效静荷载 + 地下水浮力\n");
        std::fprintf(fp, "\t= %.1f + %.1f\n", bs.FloorQe, bs.FloorBuoyancy);
    }
    std::fprintf(fp, "\t= %.1f(kN/m2)\n\n", bs.FloorLoad);
}

float ban_beta_h(float h) {
    // GB 50010 punching: βh falls linearly from 1.0 at 800 mm to 0.9 at 2000 mm.
    if (h <= 800) return 1.0f;
    if (h >= 2000) return 0.9f;
    return 1.0f - (h - 800) * 0.1f / 1200;
}

BanPunching ban_punching_values(const BAN_JS_STRUCT& bs) {
    BanPunching p;
    const float t = bs.Thickness / 1000.0f, tw = bs.WallThickness / 1000;
    const float lx = bs.Length, ly = bs.Width, q0 = bs.Load;
    Con_Prop con{};
    get_rc_property(bs.ConGrade, &con);
    p.ftd = 1.5f * con.ft;
    p.A = (lx - 2 * t - tw) * (ly - 2 * t - tw);
    p.Q = q0 * p.A;
    p.h0 = t - bs.Cover / 1000.0f;
    if (p.h0 < 0.001f) p.h0 = 0.001f;
    p.Um = 2 * (lx - tw - p.h0) + 2 * (ly - tw - p.h0);
    p.betaH = ban_beta_h(t * 1000);
    p.KL = 0.7f * p.betaH * p.ftd * p.Um * p.h0 * 1000;
    return p;
}

void ban_punching(std::FILE* fp, const BAN_JS_STRUCT& bs) {
    const BanPunching p = ban_punching_values(bs);
    std::fprintf(fp, "[ 冲切验算 ]\n");
    std::fprintf(fp, "\t周边墙厚按 %.0f (mm) 计算\n", bs.WallThickness);
    std::fprintf(fp, "\t冲切力 Q = q0 * (lx - 2t - tw)*(ly -2t - tw) = %.1f * %.1f = %.1f(kN)\n", bs.Load, p.A, p.Q);
    std::fprintf(fp, "\t抗冲切力 KL = 0.7*βh*ftd*Um*h0 = 0.7 * %.3f * %.3f * %.3f * %.3f = %.3f (kN)\n", p.betaH,
                 p.ftd * 1000, p.Um, p.h0, p.KL);
    if (p.KL >= p.Q) {
        std::fprintf(fp, "\tKL > Q\n");
        std::fprintf(fp, "\t冲切验算满足 !\n");
    } else {
        std::fprintf(fp, "\tKL < Q 冲切验算不满足 !\n");
    }
    std::fprintf(fp, " ");
}

void ban_out_report(BAN_JS_STRUCT& bs, std::FILE* fp) {
    const std::string dashes(67, '-');
    std::fprintf(fp, "%s\n", dashes.c_str());
    std::fprintf(fp, "计算项目: %s\n", bs.m_strName.c_str());
    std::fprintf(fp, "%s\n", dashes.c_str());
    ban_load_note(bs, fp);

    std::fprintf(fp, "[ 计算条件 ]\n");
    std::fprintf(fp, "\t板长 = %.2f(m)          板宽  = %.2f (m)     板厚  = %d (mm)\n", bs.Length, bs.Width,
                 bs.Thickness);
    if (bs.Kind == 0)
        std::fprintf(fp, "\t均布荷载: %.2f (kN/m2)\n", bs.Load);
    else
        std::fprintf(fp, "\t均布荷载: %.2f (kN/m2)  [注意:荷载作用在板底,方向向上]\n", bs.Load);
    std::fprintf(fp, "\t砼强度等级:    %s     \n", _HNT(bs.ConGrade));
    std::fprintf(fp, "\t纵筋级别:  %s\n", _GJ(bs.BarGrade));
    if (bs.Steam == 1) std::fprintf(fp, "\t考虑蒸气养护或掺早强剂        \n");
    std::fprintf(fp, "\t配筋计算 as :    %6d (mm)     \n", bs.Cover);
    std::fprintf(fp, "\t跨中弯矩计算放大系数:    %.2f     \n", bs.MidFactor);
    std::fprintf(fp, "\t支座弯矩计算放大系数:    %.2f     \n", bs.EdgeFactor);

    std::fprintf(fp, "          **** 下边             右边             上边             左边\n");
    std::fprintf(fp, "\t支撑条件:\n");
    std::fprintf(fp, "  ");
    bool elastic = false, simple = false;
    for (int i = 0; i < 4; ++i) {
        static const char* const kSupport[3] = {"             简支", "             固定", "             弹性"};
        const int code = bs.EdgeType[i] + 1;
        if (code >= 1 && code <= 3) std::fprintf(fp, "%s", kSupport[code - 1]);
        elastic = elastic || code == 3;
        simple = simple || code == 1;
    }
    std::fprintf(fp, "\n");
    if (elastic) std::fprintf(fp, "\t弹性支座嵌固率=%.2f\n", bs.Fixity);
    if (bs.Plastic == 1 && simple) {
        std::fprintf(fp, "\t板边弯矩(kN.m/m):\n  ");
        for (int i = 0; i < 4; ++i) {
            if (bs.EdgeType[i] == 0)
                std::fprintf(fp, "       %10.2f", bs.EdgeMoment[i]);
            else
                fprintf_gbk(fp, "       %10s", "——");
        }
    }
    VanjoroScript(fp, ("InsertDxf=" + bs.GetDxfFileName(0)).c_str());

    std::fprintf(fp, "[ 内力配筋 ]\n");
    ban_cal(bs, fp);
    ban_punching(fp, bs);
}

int ban_report(BAN_JS_STRUCT& bs, std::FILE* fp, CBase_SGT* drawing) {
    JS_ERROR_CODE = 0;
    if (fp) ban_out_report(bs, fp);
    if (drawing) ban_draw(bs, drawing);
    return 1;
}

namespace {

// One text of the design object, hanging at 24 cells when it wraps.
void DesignText(kv::report::CRTF& rtf, const PJ_BEAM_KV& design, const char* name, const char* end) {
    rtf.InsertText("\t\x02" "24%s%s\n", design.GetVar(name).c_str(), end);
}

void ShearOfDirection(kv::report::CRTF& rtf, PJ_BEAM_KV& design, const char* title, float v, float width,
                      int thickness) {
    rtf.InsertText("%s", title);
    design.set_value(0, v * 1000, 0, width, static_cast<float>(thickness), 0, 1.2f, 0);
    design.Sheer();
    rtf.InsertText("    截面验算：\n");
    DesignText(rtf, design, "JianNiu.RTF.JieMian", "。");
    rtf.InsertText("    不配抗剪钢筋验算：\n");
    DesignText(rtf, design, "JianNiu.RTF.No_Av1", "。");
    DesignText(rtf, design, "JianNiu.RTF.No_Av2", "。");
    if (design.GetVar("JianNiu.No_Av") == "1") {
        rtf.InsertText("    配筋计算：\n");
        DesignText(rtf, design, "JianNiu.RTF.Av0", "");
        DesignText(rtf, design, "JianNiu.RTF.Av1", "");
        rtf.InsertText("\t%s\n", design.GetVar("JianNiu.RTF.Av2").c_str());
        rtf.InsertText("\t%s\n", design.GetVar("JianNiu.RTF.Av3").c_str());
    }
}

}  // namespace

int ban_shear_check(BAN_JS_STRUCT& bs) {
    const float a = bs.Length, b = bs.Width, q = bs.Load;
    // Tributary areas of the yield-line pattern: triangles on the short edges,
    // trapezoids on the long ones.
    if (bs.Length > bs.Width) {
        const float a1 = b * b / 4, a2 = b * (a - b) / 2 + a1;
        bs.EdgeV[0] = bs.EdgeV[2] = a2 * q;
        bs.EdgeV[1] = bs.EdgeV[3] = a1 * q;
    } else {
        const float a1 = a * a / 4, a2 = a * (b - a) / 2 + a1;
        bs.EdgeV[0] = bs.EdgeV[2] = a1 * q;
        bs.EdgeV[1] = bs.EdgeV[3] = a2 * q;
    }
    std::unique_ptr<PJ_BEAM_KV> design(new (std::nothrow) PJ_BEAM_KV);
    if (!design) {
        tell_error(kv::err::kFailure, "内存不够 !");
        return 0;
    }
    const std::string path = G_strWorkPath + bs.GetRtfFileName(0) + "_tmp";
    kv::report::CRTF rtf;
    rtf.Open(path.c_str());
    rtf.InsertText("[ 抗剪验算 ]\n");
    rtf.InsertText("  抗剪钢筋级别: %s\n", _GJ(bs.BarGrade));
    rtf.InsertText("  板计算宽度: 按全宽计算\n");
    rtf.InsertText("  板边剪力: 左右边V=%.2fkN, 上下边V=%.2fkN\n", bs.EdgeV[1], bs.EdgeV[0]);
    design->Ini_QiangBan(bs.ConGrade, bs.BarGrade, bs.BarGrade, 0, bs.Cover, bs.Cover, 2, 1.0f, bs.Steam, 2,
                         bs.ShearFactor, 1, 1.0f, 1.0f, 1.0f, 1.0f);
    ShearOfDirection(rtf, *design, "  上下边:\n", bs.EdgeV[0], bs.Length * 1000, bs.Thickness);
    ShearOfDirection(rtf, *design, "  左右边:\n", bs.EdgeV[1], bs.Width * 1000, bs.Thickness);
    rtf.Close();
    return 1;
}
