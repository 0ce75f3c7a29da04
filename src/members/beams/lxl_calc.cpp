#include "members/beams/lxl_calc.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "base/calcrunner.h"
#include "base/error.h"
#include "base/globals.h"
#include "base/textio.h"
#include "codes/guifan.h"
#include "design/pj_beam.h"
#include "members/beams/lxl_data.h"
#include "members/beams/lxl_model.h"
#include "platform/services.h"
#include "report/script.h"

namespace {

LXL_SPAN_STEEL g_steel[kLxlMaxSpans];

constexpr const char* kDashes = "-------------------------------------------------------------------\n";
constexpr const char* kSectionText[3] = {"**左截面: ", "**中截面: ", "**右截面: "};
constexpr std::uint32_t kRed = 255;         // Windows colour value 0x00BBGGRR
constexpr std::uint32_t kBlue = 16711680;

const char* SupportName(int code, bool left) {
    static const char* names[2][3] = {{"右支座自由", "右支座简支", "右支座固定"}, {"左支座自由", "左支座简支", "左支座固定"}};
    return names[left ? 1 : 0][std::clamp(code, 0, 2)];
}

// One span: the forces, then the design at the left end, in the span and at the
// right end. False when a section failed.
bool ReportSpan(CLxlData& data, int i, const LXL_SPAN_FORCE& f, PJ_BEAM_KV* beam, LXL_SPAN_STEEL& steel,
                std::FILE* fp) {
    const LXL_SPAN& span = data.Spans[i];
    fprintf_gbk(fp, "\n跨号:   %d\n", i + 1);
    fprintf_gbk(fp, "                            左             中             右\n");
    fprintf_gbk(fp, "弯矩(-)(kN.m):%15.2f%15.2f%15.2f\n", -std::fabs(f.m_left_hog), -std::fabs(f.m_span_hog),
                -std::fabs(f.m_right_hog));
    fprintf_gbk(fp, "弯矩(+)(kN.m):%15.2f%15.2f%15.2f\n", std::fabs(f.m_left_sag), std::fabs(f.m_span_sag),
                std::fabs(f.m_right_sag));
    fprintf_gbk(fp, "剪    力(kN):%17.2f%15.2f%15.2f\n", f.v_left, f.v_mid, f.v_right);

    const float b = static_cast<float>(span.Width), h = static_cast<float>(span.Height);
    beam->Ini_Liang(data.ConGrade, data.BarGrade, data.StirrupGrade, 0, data.Cover, data.Cover, 0, h, span.Length,
                    0.8f, data.Steam, 0, 1.0f, 1, 1.0f, 1.0f, 1.0f, 1.0f);
    // The stirrup minimum the beam starts with; every later design asks for it again.
    const float kept = beam->min_PJ[2];

    const float sag[3] = {f.m_left_sag, f.m_span_sag * data.MidFactor, f.m_right_sag};
    const float hog[3] = {f.m_left_hog, f.m_span_hog, f.m_right_hog};
    const float shear[3] = {f.v_left, f.v_mid, f.v_right};
    const float p = data.Redistribution;
    bool passed = true;
    auto failed = [&](int k) {
        passed = false;
        fprintf_gbk(fp, "%s", kSectionText[k]);
    };
    for (int k = 0; k < 3; ++k) {
        const int position = k == 1 ? 1 : 0;
        // Sagging: the bottom steel in tension.
        if (k > 0) beam->Set_min_PJ(-1.0f, -1.0f, kept);
        beam->set_value(sag[k] * 1.0e6f, shear[k] * 1000.0f, 0, b, h, position, 2.0f, 0);
        beam->Bent_SJ();
        steel.top[k] = beam->As1;
        steel.bottom[k] = beam->As;
        if (beam->if_CJCX()) {
            if (beam->flag[0]) steel.top[k] = steel.bottom[k] = -1;
            failed(k);
            beam->Out_CJCX(fp);
        }
        beam->Sheer();
        steel.stirrup[k] = data.StirrupSpacing * beam->Asv;
        if (beam->if_CJCX()) {
            failed(k);
            beam->Out_CJCX(fp);
        }
        // Hogging: the top steel in tension; merged with the sagging design.
        const float m = hog[k] * data.SupportFactor;
        beam->Set_min_PJ(-1.0f, -1.0f, kept);
        beam->set_value(m * 1.0e6f, shear[k] * 1000.0f, 0, b, h, position, 2.0f, 0);
        beam->Bent_SJ();
        if (steel.top[k] >= 0) {
            if (beam->if_CJCX()) {
                if (beam->flag[0]) steel.top[k] = steel.bottom[k] = -1;
                failed(k);
                beam->Out_CJCX(fp);
            }
            if (steel.top[k] >= 0) {
                steel.top[k] = std::max(steel.top[k], beam->As);
                steel.bottom[k] = std::max(steel.bottom[k], beam->As1);
            }
        }
        // A redistributed support needs room to turn (GB 50010-2010 5.4.3: ξ ≤ 0.35);
        // a very small ξ is accepted only where the section could take the
        // moment before redistribution at ξ = 0.1.
        if (k != 1 && G_guifan == 2010 && p > 0 && steel.top[k] > 0 && hog[k] < 0) {
            const float xi = static_cast<float>(std::atof(beam->GetVar("Wan.Ksai").c_str()));
            const float h0 = h - static_cast<float>(data.Cover);
            const float mx = beam->alpha1 * beam->fc * b * 0.1f * h0 * (h0 - 0.1f * h0 / 2) * 1.0e-6f;
            const bool tooDeep = xi > 0.35f;
            const bool tooShallow =
                data.MinKsaiCheck && xi > 0.0001f && xi < 0.10f && std::fabs(hog[k]) / (1 - 0.01f * p) > mx;
            if (tooDeep || tooShallow) {
                failed(k);
                VanjoroScript_Text(
                    fp, sprintf_gbk("调幅后相对受压区高度: ξ=%.3f %s\n", xi, tooDeep ? "> 0.35" : "< 0.10").c_str(),
                    kRed, 1.0);
            }
        }
    }

    std::string top, bottom;
    for (int k = 0; k < 3; ++k) {
        if (steel.top[k] < 0) {
            top += sprintf_gbk("%15s", "——");
            bottom += sprintf_gbk("%15s", "——");
        } else {
            top += sprintf_gbk("%15.0f", steel.top[k]);
            bottom += sprintf_gbk("%15.0f", steel.bottom[k]);
        }
    }
    fprintf_gbk(fp, "\n上部纵筋(mm2):%s\n下部纵筋(mm2):%s\n抗剪箍筋(mm2):%15.0f%15.0f%15.0f\n", top.c_str(), bottom.c_str(),
                steel.stirrup[0], steel.stirrup[1], steel.stirrup[2]);
    if (passed) VanjoroScript_Text(fp, "\n本跨计算通过\n", kBlue, 1.0);
    return passed;
}

}  // namespace

const LXL_SPAN_STEEL* lxl_last_steel() { return g_steel; }

int lxl_check_length(CLxlData& data) {
    float total = 0;
    for (int i = 0; i < std::clamp(data.SpanNum, 1, kLxlMaxSpans); ++i) total += data.Spans[i].Length;
    if (total > kLxlMaxLength) {
        kv::MessageBox("梁全长不能超过 160米 !");
        return 0;
    }
    return 1;
}

void lxl_report_conditions(CLxlData& data, const YXY_Lxl&, LXL_SPAN_STEEL[], std::FILE* fp) {
    if (JS_ERROR_CODE || !fp) return;
    fprintf_gbk(fp, "%s计算项目: %s\n%s[ 计算条件 ]\n", kDashes, data.m_strName.c_str(), kDashes);
    fprintf_gbk(fp, "    砼强度等级:    %s      配筋计算as(mm):   %3d\n", _HNT(data.ConGrade), data.Cover);
    fprintf_gbk(fp, "    纵筋级别:      %s\n", _GJ(data.BarGrade));
    fprintf_gbk(fp, "    箍筋级别:      %s\n", _GJ(data.StirrupGrade));
    fprintf_gbk(fp, "    箍筋间距:      %6d (mm)\n", data.StirrupSpacing);
    fprintf_gbk(fp, "    支座弯矩调幅幅度: %.3f %%\n", data.Redistribution);
    if (data.Redistribution > 0) fprintf_gbk(fp, "    %s最小相对受压区高度\n", data.MinKsaiCheck ? "检查" : "不检查");
    fprintf_gbk(fp, "    %s       %s\n", SupportName(data.LeftSupport, true), SupportName(data.RightSupport, false));
    fprintf_gbk(fp, "    跨号     跨长     截面宽度(mm)   截面高度(mm)\n");
    for (int i = 0; i < std::clamp(data.SpanNum, 1, kLxlMaxSpans); ++i) {
        const LXL_SPAN& s = data.Spans[i];
        fprintf_gbk(fp, "     %d      %.3f          %d               %d\n", i + 1, s.Length, s.Width, s.Height);
    }
}

int lxl_report_spans(CLxlData& data, const LXL_SPAN_FORCE forces[], LXL_SPAN_STEEL steel[], std::FILE* fp) {
    // The factors are a one-off of the run that set them: stored as 1.0 again.
    data.SupportFactor = 1.0f;
    data.MidFactor = 1.0f;
    fprintf_gbk(fp, "[ 计算结果 ]\n");
    const int spans = std::clamp(data.SpanNum, 1, kLxlMaxSpans);
    for (int i = 0; i < spans; ++i) {
        // One design object serves the three sections of a span.
        std::unique_ptr<PJ_BEAM_KV> beam(new (std::nothrow) PJ_BEAM_KV);
        if (!beam) {
            tell_error(kv::err::kFailure, "内存不够 !");
            return 1;
        }
        ReportSpan(data, i, forces[i], beam.get(), steel[i], fp);
        kv::calc::ReportProgress(i + 1, spans);
    }
    fprintf_gbk(fp, " ");
    return 1;
}

void lxl_draw_sheet(CLxlData& data, const YXY_Lxl& model, const LXL_SPAN_STEEL steel[], CBase_SGT* d) {
    const auto& stations = model.Stations();
    lxl_draw_sheet(data, stations.data(), static_cast<int>(stations.size()), steel, d);
}

int lxl_report_results(CLxlData& data, const YXY_Lxl& model, LXL_SPAN_STEEL steel[], std::FILE* fp) {
    return lxl_report_spans(data, model.SpanForces().data(), steel, fp);
}

namespace {

int Calculate(CLxlData& data, std::FILE* report, CBase_SGT* drawing) {
    std::unique_ptr<YXY_Lxl> model(new (std::nothrow) YXY_Lxl(data));
    if (!model) {
        tell_error(kv::err::kFailure, "内存不够 !");
        return 0;
    }
    if (JS_ERROR_CODE) return 0;
    model->Solve(data);
    if (JS_ERROR_CODE) return 0;
    if (report) {
        lxl_report_conditions(data, *model, g_steel, report);
        VanjoroScript(report, ("InsertDxf=" + data.GetDxfFileName(0)).c_str());
        lxl_report_results(data, *model, g_steel, report);
    }
    if (drawing) lxl_draw_sheet(data, *model, g_steel, drawing);
    return 1;
}

}  // namespace

int lxl_calculate(CLxlData& data, std::FILE* report, CBase_SGT* drawing) {
    for (LXL_SPAN_STEEL& s : g_steel) s = LXL_SPAN_STEEL{};
    JS_ERROR_CODE = 0;
    if (!lxl_check_length(data)) return 0;
    // 30 spans of stations every 0.01 m and one load case per live load take
    // their time: the run goes through the calculation runner.
    int solved = 0;
    const bool ran = kv::calc::Run(data.m_strName.empty() ? "连续梁" : data.m_strName, [&] {
        try {
            solved = Calculate(data, report, drawing);
        } catch (const std::bad_alloc&) {
            tell_error(kv::err::kFailure, "内存不够 !");
            solved = 0;
        }
    });
    return ran ? solved : 0;
}
