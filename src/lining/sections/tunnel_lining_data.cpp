#include "lining/sections/tunnel_lining_data.h"

#include <cstdio>
#include <ctime>
#include <string>

#include "base/error.h"
#include "base/globals.h"
#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "report/script.h"

namespace {

void Rule(std::FILE* fp, char c, int count) {
    std::fputs(std::string(static_cast<std::size_t>(count), c).c_str(), fp);
    std::fputs("\n", fp);
}

const char* const kStateTitle[2] = {"内力配筋计算", "裂缝计算"};

}  // namespace

CTunnelLiningData::CTunnelLiningData() {
    // Only the seismic action keeps its larger factor in a fresh lining.
    for (int j = 0; j < 8; ++j) m_HeZaiZuHe.m_Items[j].m_fFenXiang = 1.0f;
    SetJieMianOwner();
}

CTunnelLiningData::~CTunnelLiningData() = default;

void CTunnelLiningData::SetFileName(const std::string& dataName) {
    m_strDataName = dataName;
    static const char* const kTitles[11] = {"计算简图",   "变形图",     "轴力图",     "剪力图",
                                            "弯矩图",     "切向位移图", "法向位移图", "转角位移图",
                                            "抗力分布图", "配筋结果",   "配筋施工图"};
    for (int k = 1; k <= 11; ++k) {
        char dxf[300];
        std::snprintf(dxf, sizeof dxf, "%s_CHENQI_jt_%02d.dxf", dataName.c_str(), k);
        SetJt(k - 1, kTitles[k - 1], dxf, dataName + ".RTF");
    }
    m_nJtNum = 11;
}

void CTunnelLiningData::SetJieMian(int type, CJieMianBase* section) {
    if (type < 0 || type >= kTypeCount) return;
    m_pJieMian[type] = section;
    if (section) section->m_pData = this;
}

void CTunnelLiningData::SetJieMianOwner() {
    for (CJieMianBase* section : m_pJieMian)
        if (section) section->m_pData = this;
}

CJieMianBase* CTunnelLiningData::GetCurJieMian() const {
    if (m_nJieMianType < 0 || m_nJieMianType >= kTypeCount) return nullptr;
    return m_pJieMian[m_nJieMianType];
}

std::unique_ptr<CBase_SGT> CTunnelLiningData::NewDxf() {
    auto drawing = std::make_unique<CBase_SGT>();
    drawing->New_MemDxf();
    drawing->Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    drawing->Write_Tables();
    drawing->SetCurStyle("HZ");
    return drawing;
}

int CTunnelLiningData::WriteLogHead(std::FILE* log) {
    if (!log) return 1;
    std::fputs("[ 中间结果输出抗力假设验证的情况 ]\n\n", log);
    std::fputs("    程序对每个单元的抗力-位移进行验证,当抗力验证要求选择“低”时,仅对每个单元的起点进行验证;", log);
    std::fputs("当抗力验证要求选择“高”时,对每个单元的起点和中点都进行验证。\n", log);
    std::fputs("\n    抗力假定为“1”表示有围岩抗力的作用；抗力假定为“0”表示没有抗力作用；\n", log);
    return 1;
}

int CTunnelLiningData::WriteJssHead(std::FILE* report) {
    CJieMianBase* section = GetCurJieMian();
    if (!report || !section) return -1;
    const int code = m_JiBen.m_nGuiFan == 1 ? 1 : 0;
    Rule(report, '*', 70);
    std::fprintf(report, "计算项目：%s\n", m_strName.c_str());
    char when[64] = "";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local)) std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
    std::fprintf(report, "计算时间：%s\n", when);
    Rule(report, '*', 70);
    Rule(report, '-', 70);
    std::fputs("[ 计算简图 ]\n", report);
    Rule(report, '-', 70);
    VanjoroScript(report, ("InsertDxf=" + GetDxfFileName(0)).c_str());
    std::fputs("\n", report);
    Rule(report, '-', 69);
    std::fputs("[ 计算条件 ]\n", report);
    Rule(report, '-', 70);
    std::fputs("\n[ 基本参数 ]\n\n", report);
    std::fprintf(report, "    规范标准：          \t\t\t%s\n", G_LiningGuiFanName[code]);
    std::fprintf(report, "    承载能力极限状态γ0：\t\t\t%.1f\n", m_JiBen.m_fGamma0);
    if (code == 0) {
        std::fprintf(report, "    正常使用极限状态γ0：\t\t\t%.1f\n", m_JiBen.m_fGamma0S);
        std::fprintf(report, "    设计状况系数：      \t\t\t%.2f\n", m_HeZaiZuHe.m_fSheJiZhuangKuang);
    }
    std::fprintf(report, "    衬砌断面类型：      \t\t\t%s\n", G_JieMianTypeName[m_nJieMianType]);
    std::fprintf(report, "    每段计算的分段数：  \t\t\t%d\n", m_nFenDuanShu);
    std::fprintf(report, "    计算迭代次数：      \t\t\t%d\n", section->m_nMaxDieDai);
    std::fprintf(report, "    抗力验证要求：      \t\t\t%s\n", section->m_nKangLiYaoQiu ? "高" : "低");
    section->WriteCanShu(report);
    m_HeZaiCanShu.WriteCanShu(report, section->HasZhiZuo(), section->IsTopArch(), section->OnlyTopGrout());
    std::fputs("\n[ 荷载组合参数 ]\n\n", report);
    m_HeZaiZuHe.WriteCanShu(report, 0, m_DiZhen.m_bDiZhen);
    m_PeiJin.WriteCanShu(report, code);
    return 0;
}

int CTunnelLiningData::RunStates(std::FILE* report, std::FILE* log, CJieMianBase* section, int passes, int state) {
    if (!section) return -1;
    int result = 0;
    for (int pass = 0; pass < passes; ++pass) {
        std::string title = kStateTitle[state == 0 ? 0 : 1];
        if (state == 0 && m_DiZhen.m_bDiZhen) title += "(以下内力叠加了地震作用效应)";
        tell_error1(6, "[ %s ]", title.c_str());
        if (report) {
            std::fprintf(report, "[ %s ]\n", title.c_str());
            Rule(report, '-', 70);
        }
        if (log) {
            Rule(log, '-', 70);
            std::fprintf(log, "[ %s ]\n", title.c_str());
            Rule(log, '-', 70);
        }
        section->m_nState = state;
        const int r = section->JiSuan(report);
        if (r != 0) result = r;
    }
    return result;
}

int CTunnelLiningData::JiSuan(std::FILE* report) {
    CJieMianBase* section = GetCurJieMian();
    if (!section) return -1;
    // The lining designs under its own code; every other module keeps the user's.
    const CLiningGuiFanScope edition(m_JiBen.m_nGuiFan);
    WriteJssHead(report);
    tell_error(kv::err::kClearWindow, "");

    m_fpLog = nullptr;
    if (m_bXiangXi) {
        const std::string path = G_strWorkPath + GetRtfFileName(10);
        m_fpLog = open_file_no_comment(path.c_str(), "w+");
        if (m_fpLog) WriteLogHead(m_fpLog);
    }
    if (report) {
        std::fputs("\n", report);
        Rule(report, '-', 70);
        std::fputs("[ 计算结果 ]\n", report);
        Rule(report, '-', 70);
    }
    for (auto& drawing : m_pDxf) drawing = NewDxf();

    m_PeiJin.ResetResults();
    const int r0 = RunStates(report, m_fpLog, section, 1, 0);
    if (report) {
        std::fputs("\n", report);
        Rule(report, '-', 70);
        std::fputs("[ 配筋结果 ]\n", report);
        m_PeiJin.WriteResultNote(report);
        Rule(report, '-', 70);
    }
    const bool crackRun = !m_DiZhen.m_bDiZhen && m_PeiJin.m_bLieFeng;
    const int r1 = crackRun ? RunStates(report, m_fpLog, section, 1, 1) : -1;
    if (m_fpLog) {
        commit_file(m_fpLog);
        m_fpLog = nullptr;
    }

    // Drawing names 2 the result sheet, 3 the deformation, 4..10 the seven diagrams.
    auto save = [&](int drawing, int name) {
        if (m_pDxf[drawing] && !GetDxfFileName(name - 1).empty())
            m_pDxf[drawing]->Write_MemDxf_To_File((G_strWorkPath + GetDxfFileName(name - 1)).c_str());
    };
    save(kResultSheet, 2);
    for (int d = 0; d < 7; ++d) save(kDiagram0 + d, 4 + d);
    save(kDeformation, 3);
    for (auto& drawing : m_pDxf) drawing.reset();

    if (!crackRun) return r0 != 0 ? -1 : 0;
    if (r0 == 0) return r1 == 0 ? 0 : 1;
    return r1 == 0 ? 2 : -2;
}

int CTunnelLiningData::CheckData() {
    // Only the straight-walled three-centred arches check their geometry; they
    // join with their section types.
    return 0;
}
