#include "lining/engine/canshu.h"

#include <cstdint>
#include <string_view>

#include "base/globals.h"
#include "base/textio.h"
#include "codes/gangjin.h"
#include "codes/material.h"
#include "lining/engine/lineio.h"
#include "platform/codec.h"
#include "report/script.h"

const char* const G_LiningGuiFanName[2] = {"水工砼规范SL/T191-96", "砼规范GB50010-2002"};
const char* const G_JieMianTypeName[17] = {
    "圆形", "拱形", "圆拱直墙形(无底板)", "圆拱直墙形", "圆拱直墙形(底圆角)", "圆拱直墙形(底拱)",
    "直墙三心圆拱形", "三心圆拱形(地铁)", "马蹄形(平底)", "马蹄形", "马蹄形(开口)", "高壁拱",
    "渐变段", "矩形", "曲墙", "矩形开口", "其他"};
const char* const G_ZhiZuoName[3] = {"铰支", "固定支座", "弹性支座"};
const char* const G_FouShi[2] = {"否", "是"};

int LiningGuiFan(int codeIndex) { return codeIndex == 1 ? 2002 : 96; }

CLiningGuiFanScope::CLiningGuiFanScope(int codeIndex) : kept_(G_guifan) { G_guifan = LiningGuiFan(codeIndex); }

CLiningGuiFanScope::~CLiningGuiFanScope() { G_guifan = kept_; }

// ---- seismic record --------------------------------------------------------

int CDiZhenCanShu::LoadData(std::FILE* fp) {
    if (!fp) return 0;
    kv::lining::ReadLine(fp, "%d,%f,%f,%f,%f,%f", &m_bDiZhen, &m_fBanJing, &m_fXiShu, &m_fZhouQi,
                      &m_fBoSuP, &m_fBoSuS);
    return 1;
}

int CDiZhenCanShu::SaveData(std::FILE* fp) const {
    if (!fp) return 0;
    std::fprintf(fp, "%d,%f,%f,%f,%f,%f\n", m_bDiZhen, m_fBanJing, m_fXiShu, m_fZhouQi, m_fBoSuP, m_fBoSuS);
    return 1;
}

int CDiZhenCanShu::CalForces(float* forces, float E, float G) {
    const float g = 9.81f;
    const float twoPi = 6.2831855f;
    int ok = 1;
    // A wave at rest would divide by zero: the smallest speed stands in for it.
    if (m_fBoSuP < 0.00001f) {
        m_fBoSuP = 0.00001f;
        ok = 0;
    }
    if (m_fBoSuS < 0.00001f) {
        m_fBoSuS = 0.00001f;
        ok = 0;
    }
    if (forces) {
        forces[0] = m_fXiShu * g * m_fZhouQi * E / (m_fBoSuP * twoPi) * 1000;
        forces[1] = m_fXiShu * g * m_fZhouQi * G / (m_fBoSuS * twoPi) * 1000;
        forces[2] = E * (m_fXiShu * g * m_fBanJing) / (m_fBoSuS * m_fBoSuS) * 1000;
    }
    return ok;
}

// ---- basic record ----------------------------------------------------------

int CJiBenCanShu::LoadData(std::FILE* fp) {
    kv::lining::ReadLine(fp, "%d,%f,%d,%f,%f,%f,%f", &m_nGuiFan, &m_fGamma0, &m_nZuHeShu, &m_fChiJiu,
                      &m_fDuanZan, &m_fOuRan, &m_fGamma0S);
    return 1;
}

int CJiBenCanShu::SaveData(std::FILE* fp) const {
    std::fprintf(fp, "%d,%f,%d,%f,%f,%f,%f\n", m_nGuiFan, m_fGamma0, m_nZuHeShu, m_fChiJiu, m_fDuanZan, m_fOuRan,
                 m_fGamma0S);
    return 1;
}

// ---- reinforcement record --------------------------------------------------

namespace {

// A bar text line: its first word, taken only when it fits the record's field
// (a longer one is refused and the field keeps its text).
void ReadBarText(std::FILE* fp, std::string& field) {
    const std::string word = kv::lining::ReadWord(fp);
    if (word.empty() || kv::platform::GbkLength(word) > CPeiJinCanShu::kBarTextMax) return;
    field = word;
}

// A bar text as the bar reader understands it; a text it cannot read stays as given.
std::string NormalBarText(const std::string& text) {
    CGangJin bars;
    if (!bars.FromString(text)) return text;
    return bars.ToString();
}

void WriteBarGrade(std::FILE* fp, const char* label, const CGuiFanString& names, int grade) {
    Rein_Prop prop{};
    get_rein_property(grade, &prop);
    fprintf_gbk(fp, "%s%s", label, names.GangJinName(grade).c_str());
    std::fprintf(fp, "(fy=%3.fMPa,fyk=%3.fMPa)\n", prop.fy, prop.fyk);
}

const char* CalcText(int on) { return on ? "计算" : "不计算"; }

}  // namespace

int CPeiJinCanShu::LoadData(std::FILE* fp) {
    ReadBarText(fp, m_szNeiCe);
    ReadBarText(fp, m_szWaiCe);
    kv::lining::ReadLine(fp, "%d,%d,%d,%d,%d,%d %f,%f,%f,%f,%f,%f,%d,%d", &m_bGuJin, &m_bLieFeng,
                      &m_bDuiCheng, &m_nHunNingTu, &m_nZongJin, &m_nGuJinJiBie, &m_fGuJinJianJu, &m_fTiaoZheng,
                      &m_fAs, &m_fLieFengXianZhi, &m_fBaoHuCeng, &m_fXiShu2, &m_nXiaoYingZuHe, &m_nKangZhenDengJi);
    return 1;
}

int CPeiJinCanShu::SaveData(std::FILE* fp) const {
    std::fprintf(fp, "%s\n%s\n", m_szNeiCe.c_str(), m_szWaiCe.c_str());
    std::fprintf(fp, "%d,%d,%d,%d,%d,%d %f,%f,%f,%f,%f,%f,%d,%d\n", m_bGuJin, m_bLieFeng, m_bDuiCheng, m_nHunNingTu,
                 m_nZongJin, m_nGuJinJiBie, m_fGuJinJianJu, m_fTiaoZheng, m_fAs, m_fLieFengXianZhi, m_fBaoHuCeng,
                 m_fXiShu2, m_nXiaoYingZuHe, m_nKangZhenDengJi);
    return 1;
}

int CPeiJinCanShu::WriteCanShu(std::FILE* fp, int codeIndex) const {
    if (!fp) return -1;
    const CLiningGuiFanScope edition(codeIndex);
    const CGuiFanString names;
    std::fputs("\n[ 配筋参数 ]\n\n", fp);
    std::fprintf(fp, "    对称配筋：          \t\t\t%s\n", G_FouShi[m_bDuiCheng ? 1 : 0]);
    std::fprintf(fp, "    混凝土等级：        \t\t\tC%d\n", m_nHunNingTu);
    WriteBarGrade(fp, "    纵筋等级：          \t\t\t", names, m_nZongJin);
    std::fprintf(fp, "    箍筋计算：          \t\t\t%s\n", CalcText(m_bGuJin));
    if (m_bGuJin) {
        WriteBarGrade(fp, "    箍筋等级：          \t\t\t", names, m_nGuJinJiBie);
        std::fprintf(fp, "    箍筋间距：          \t\t\t%.f(mm)\n", m_fGuJinJianJu);
    }
    std::fprintf(fp, "    配筋计算as：        \t\t\t%.f(mm)\n", m_fAs);
    std::fprintf(fp, "    配筋调整系数：      \t\t\t%.2f\n", m_fTiaoZheng);
    std::fprintf(fp, "    裂缝计算：          \t\t\t%s\n", CalcText(m_bLieFeng));
    if (m_bLieFeng) {
        if (G_guifan == 96)
            std::fprintf(fp, "    采用的荷载效应组合：\t\t\t%s\n", m_nXiaoYingZuHe ? "长期效应组合" : "短期效应组合");
        std::fprintf(fp, "    最大裂缝宽度允许值：\t\t\t%.2f(mm)\n", m_fLieFengXianZhi);
        if (m_bDuiCheng) {
            std::fprintf(fp, "    单侧钢筋：          \t\t\t%s\n", NormalBarText(m_szNeiCe).c_str());
        } else {
            std::fprintf(fp, "    实配钢筋(内侧)：    \t\t\t%s\n", NormalBarText(m_szNeiCe).c_str());
            std::fprintf(fp, "    实配钢筋(外侧)：    \t\t\t%s\n", NormalBarText(m_szWaiCe).c_str());
        }
        std::fprintf(fp, "    砼保护层厚度：      \t\t\t%.f(mm)\n", m_fBaoHuCeng);
    }
    return 1;
}

int CPeiJinCanShu::WriteResultNote(std::FILE* fp) const {
    if (!fp) return 0;
    const float wai = m_bDuiCheng ? m_fMaxAsNei : m_fMaxAsWai;
    std::fprintf(fp, "衬砌内侧纵筋最大面积As = %.1fmm^2，外侧纵筋最大面积As1 = %.1fmm^2；\n纵筋面积总和As = %.1fmm^2。\n",
                 m_fMaxAsNei, wai, m_fMaxAsNei + wai);
    if (m_bGuJin) std::fprintf(fp, "箍筋最大面积Av = %.1fmm^2。\n", m_fMaxAv);
    std::fputs("截面尺寸抗剪验算：", fp);
    if (m_bKangJian) {
        fprintf_gbk(fp, "  %7s\n", "满足。\n");
    } else {
        constexpr std::uint32_t kRed = 255;
        VanjoroScript_Text(fp, "   不满足。\n", kRed, 1.0);
    }
    std::fputs("注:此处纵筋即为受力筋。\n", fp);
    return 1;
}

int CPeiJinCanShu::ResetResults() {
    m_fMaxAsNei = m_fMaxAsWai = m_fMaxAv = 0;
    m_bKangJian = 1;
    return 1;
}
