#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

#include "base/error.h"
#include "base/textio.h"
#include "design/pj_beam.h"
#include "members/slabwall/ban.h"
#include "members/slabwall/mkq.h"
#include "platform/services.h"
#include "report/script.h"

namespace {

// The cantilever question of one calculate-and-report pair: once asked (or in
// the report pass) the remembered answer holds.
bool g_asked = false;
bool g_cantilever = true;

constexpr std::uint32_t kRed = 255;

const char* const kCantileverQuestion =
    "注意： 门洞边长小于2倍悬挑长度,\n根据GB50038-2005第4.10.12规定, 不宜按悬臂构件计算!\n\n 是否按悬臂构件计算?";

void Red(std::FILE* fp, const char* format, const std::string& text) {
    VanjoroScript_Text(fp, sprintf_gbk(format, text.c_str()).c_str(), kRed, 1.0);
}

// A short lip cracks like a corbel: GB 50010's corbel crack control with the
// load at a = L1, F = 0.8·ftk·b·h0 / (0.5 + a/h0), b = 1000 mm.
void CrackCheck(std::FILE* fp, float c, float V, float L1, float h0, float ftk) {
    if (c * 1000 / h0 > 1) {
        std::fprintf(fp, "\n\n      ------  c/h0 > 1, 不需要验算抗裂.");
        return;
    }
    const float F = 0.8f * ftk * 1000 * h0 / (L1 * 1000 / h0 + 0.5f) * 0.001f;
    std::fprintf(fp, "\n\n    抗裂验算:        Fvk=%.0f(kN/m)", V);
    if (F >= V) {
        std::fprintf(fp, " < 0.8*ftk*b*h0/(0.5+a/h0)=%.0f(kN/m)\n", F);
        std::fprintf(fp, "      ------  c/h0 ≤ 1时, 截面抗裂验算满足!");
    } else {
        std::fprintf(fp, " > 0.8*ftk*b*h0/(0.5+a/h0)=%.0f(kN/m)", F);
        VanjoroScript_Text(fp, "\n      ------  c/h0 ≤ 1时, 截面抗裂验算不足!", kRed, 1.0);
    }
}

}  // namespace

float mkq_min_ratio(float defaultRatio) { return std::max(defaultRatio, 0.0025f); }

int mkq_cal(CMkqData& lip, std::FILE* fp) {
    JS_ERROR_CODE = 0;
    if (!fp) {
        tell_error1(kv::err::kFailure, "Can't open %s", "Message.Box");
        return 0;
    }
    float L = lip.Length / 1000.0f;
    if (L < 1e-5f) L = 1.0f;
    const float L1 = lip.L1 / 1000.0f, L2 = lip.L2 / 1000.0f;

    if (lip.La / L < 2) {
        if (!g_asked) {
            g_cantilever = kv::MessageBox(kCantileverQuestion, kv::MB_YESNO | kv::MB_ICONQUESTION) == kv::IDYES;
            g_asked = true;
        }
        if (!g_cantilever) return 1;
    }

    const float M = lip.Qi * L1 + lip.Qe * L2 * L2 / 2;
    float V = lip.Qi + lip.Qe * L2;
    if (std::fabs(V) <= 1e-6f) {
        tell_error(kv::err::kDesignError, "剪力不能为零");
        V = 1;
    }
    const float c = M / V;  // lever arm of the resultant, m
    std::fprintf(fp, "    弯矩(kN.m/m)： M = %.3f\n", M);
    std::fprintf(fp, "    剪力(kN/m)：   V = %.3f\n", V);

    // A haunched lip is designed at the wall, where it is deepest; any other
    // shape as a rectangular one.
    float h = static_cast<float>(lip.Depth);
    if (lip.Shape == 2) h += static_cast<float>(lip.Haunch);

    std::unique_ptr<PJ_BEAM_KV> beam(new (std::nothrow) PJ_BEAM_KV);
    if (!beam) {
        tell_error(kv::err::kFailure, "内存不够 !");
        return 0;
    }
    beam->Ini_Liang(lip.ConGrade, lip.BarGrade, lip.StirrupGrade, 0, lip.Cover, lip.Cover, 0, h, L, lip.ShearAdjust,
                    lip.Steam, 0, 1.0f, 1, 1.0f, 1.0f, 1.0f, 1.0f);
    beam->min_PJ[0] = mkq_min_ratio(beam->min_PJ[0]);
    beam->min_PJ[1] = mkq_min_ratio(beam->min_PJ[1]);
    beam->Set_min_PJ(beam->min_PJ[0], beam->min_PJ[1], -1.0f);

    beam->set_value(M * 1.0e6f, V * 1000, 0, 1000, h, 0, 1.2f, 0);
    beam->Bent_DJ();
    const float h0 = h - lip.Cover;

    std::fprintf(fp, "     *****按悬臂构件计算*****\n");
    if (beam->flag[0]) {
        beam->message[0] = "相对受压区高度ξ > ξb, 请重新设计截面 !";
        Red(fp, "      ------  %s\n", beam->message[0]);
    } else if (beam->flag[1]) {
        Red(fp, "      ------  %s\n", beam->message[1]);
    } else if (beam->flag[2]) {
        std::fprintf(fp, "      ------  %s\n", beam->message[2].c_str());
    }
    if (!beam->flag[0]) std::fprintf(fp, "    抗弯受拉筋:        As   =    %.0f(mm^2/m)\n", beam->As);

    beam->set_value(M * 1.0e6f, V * 1000, 0, 1000, h, 0, 1.2f, 0);
    beam->min_PJ[2] = 0;
    beam->Set_min_PJ(-1.0f, -1.0f, 0.0f);
    beam->Sheer();
    std::fprintf(fp, "    抗剪箍筋:          Av   =    %.0f(mm^2/m)", lip.StirrupSpacing * beam->Asv);
    if (beam->flag[0]) Red(fp, "\n      ------  %s", beam->message[0]);

    if (lip.CrackCheck) CrackCheck(fp, c, V, L1, h0, beam->ftk);

    JS_ERROR_CODE = 0;
    return 1;
}

int mkq_calculate(CMkqData& lip) {
    g_asked = false;
    return slabwall_run_into_message_box([&lip](std::FILE* fp) { mkq_cal(lip, fp); });
}

int mkq_report(CMkqData& lip, std::FILE* fp, CBase_SGT* drawing) {
    g_asked = true;
    JS_ERROR_CODE = 0;
    if (fp) mkq_out_report(lip, fp);
    if (drawing) mkq_draw(lip, drawing);
    return 1;
}
