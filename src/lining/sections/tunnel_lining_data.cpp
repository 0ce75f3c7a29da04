#include "lining/sections/tunnel_lining_data.h"

#include <cstdio>
#include <ctime>
#include <string>

#include "base/error.h"
#include "base/globals.h"
#include "base/textio.h"
#include "lining/engine/lineio.h"
#include "drawing/base_sgt.h"
#include "platform/services.h"
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
    CJieMianBase* const sections[kTypeCount] = {
        &m_JmYuanXing,    &m_JmGongXing,     &m_JmYuanGongZhiQiangWuDiBan, &m_JmYuanGongZhiQiang,
        &m_JmYuanGongZhiQiangDiYuanJiao,     &m_JmYuanGongZhiQiangDiGong,  &m_JmZhiQiangSanXinGong,
        &m_JmSanXinGongDiTie, &m_JmMaTiPingDi, &m_JmMaTi,                  &m_JmMaTiKaiKou,
        &m_JmGaoBiGong,   &m_JmJianBianDuan, &m_JmJuXing,                  &m_JmQuQiang};
    for (int type = 0; type < kTypeCount; ++type) m_pJieMian[type] = sections[type];
    SetJieMianOwner();
}

CTunnelLiningData::~CTunnelLiningData() = default;

CTunnelLiningData& CTunnelLiningData::operator=(const CTunnelLiningData& other) {
    if (this == &other) return *this;
    m_nJieMianType = other.m_nJieMianType;
    m_nFenDuanShu = other.m_nFenDuanShu;
    m_bXiangXi = other.m_bXiangXi;
    m_DiZhen = other.m_DiZhen;
    m_JiBen = other.m_JiBen;
    m_PeiJin = other.m_PeiJin;
    m_ShuiWei = other.m_ShuiWei;
    m_HeZaiZuHe = other.m_HeZaiZuHe;
    m_HeZaiCanShu = other.m_HeZaiCanShu;
    m_JmYuanXing = other.m_JmYuanXing;
    m_JmGongXing = other.m_JmGongXing;
    m_JmYuanGongZhiQiangWuDiBan = other.m_JmYuanGongZhiQiangWuDiBan;
    m_JmYuanGongZhiQiang = other.m_JmYuanGongZhiQiang;
    m_JmYuanGongZhiQiangDiYuanJiao = other.m_JmYuanGongZhiQiangDiYuanJiao;
    m_JmMaTiPingDi = other.m_JmMaTiPingDi;
    m_JmMaTi = other.m_JmMaTi;
    m_JmMaTiKaiKou = other.m_JmMaTiKaiKou;
    m_JmGaoBiGong = other.m_JmGaoBiGong;
    m_JmJianBianDuan = other.m_JmJianBianDuan;
    m_JmJuXing = other.m_JmJuXing;
    m_JmYuanGongZhiQiangDiGong = other.m_JmYuanGongZhiQiangDiGong;
    m_JmZhiQiangSanXinGong = other.m_JmZhiQiangSanXinGong;
    m_JmSanXinGongDiTie = other.m_JmSanXinGongDiTie;
    m_JmQuQiang = other.m_JmQuQiang;
    // The copies came with the other object as their owner.
    CJieMianBase* const own[] = {&m_JmYuanXing,   &m_JmGongXing,     &m_JmYuanGongZhiQiangWuDiBan,
                                 &m_JmYuanGongZhiQiang, &m_JmYuanGongZhiQiangDiYuanJiao, &m_JmMaTiPingDi,
                                 &m_JmMaTi,       &m_JmMaTiKaiKou,   &m_JmGaoBiGong,
                                 &m_JmJianBianDuan, &m_JmJuXing,     &m_JmYuanGongZhiQiangDiGong,
                                 &m_JmZhiQiangSanXinGong, &m_JmSanXinGongDiTie, &m_JmQuQiang};
    for (CJieMianBase* section : own) section->m_pData = this;
    SetJieMianOwner();
    return *this;
}

// ---- the lining data file ----------------------------------------------------

namespace {

constexpr const char* kSectionMarker = "TUNNEL_JMCS--截面参数";
constexpr const char* kThreeCentreMarker = "TUNNEL_JMCS--三心圆弧1";
constexpr const char* kOldDataMarker = "TUNNEL_JMCS--老版本的数据";

// The section records after the marker of the older records, in file order.
constexpr int kOlderRecordTypes[] = {0, 1, 2, 3, 4, 13, 12, 8, 9, 10, 11};

// Skips a marker line whatever it holds; false when the file has ended.
bool SkipLine(std::FILE* fp) {
    std::string line;
    return fgets_skip_comment(line, kv::lining::kLineSize, fp);
}

}  // namespace

bool CTunnelLiningData::ReadFields(std::FILE* fp) {
    int version = 0;
    bool read = kv::lining::ReadLine(fp, "%d,%d", &m_nJieMianType, &m_bXiangXi);
    read = kv::lining::ReadLine(fp, "%d,%d", &m_nFenDuanShu, &version) && read;
    if (!read) return false;
    if (version > 1) m_DiZhen.LoadData(fp);
    m_HeZaiCanShu.LoadData(fp);
    if (version < 1) {
        tell_error(6, "读取老版本的数据");
        if (m_HeZaiCanShu.m_bZiZhong == 0) m_HeZaiZuHe.m_Items[0].m_bJiSuan = 0;
        // The oldest files knew no types 5 to 7: their 5 to 10 are now 8 to 13.
        if (m_nJieMianType > 4) m_nJieMianType += 3;
    } else {
        m_JiBen.LoadData(fp);
        m_PeiJin.LoadData(fp);
        m_HeZaiZuHe.LoadData(fp);
        if (!CheckBiaoShi(fp, kSectionMarker)) return false;
        read = m_pJieMian[5]->LoadData(fp) == 0;
        read = SkipLine(fp) && read;  // the three-centred arches' marker, whatever it says
        read = m_pJieMian[6]->LoadData(fp) == 0 && read;
        read = m_pJieMian[7]->LoadData(fp) == 0 && read;
        read = SkipLine(fp) && read;  // the older records' marker, whatever it says
        if (!read) return false;
    }
    for (int type : kOlderRecordTypes) read = m_pJieMian[type]->LoadData(fp) == 0 && read;
    if (version > 2) read = m_pJieMian[14]->LoadData(fp) == 0 && read;
    return read;
}

void CTunnelLiningData::WriteFields(std::FILE* fp) {
    std::fprintf(fp, "%d,%d\n", m_nJieMianType, m_bXiangXi);
    std::fprintf(fp, "%d,%d\n", m_nFenDuanShu, kFileVersion);
    m_DiZhen.SaveData(fp);
    m_HeZaiCanShu.SaveData(fp);
    m_JiBen.SaveData(fp);
    m_PeiJin.SaveData(fp);
    m_HeZaiZuHe.SaveData(fp);
    SetBiaoShi(fp, kSectionMarker);
    m_pJieMian[5]->SaveData(fp);
    SetBiaoShi(fp, kThreeCentreMarker);
    m_pJieMian[6]->SaveData(fp);
    m_pJieMian[7]->SaveData(fp);
    SetBiaoShi(fp, kOldDataMarker);
    for (int type : kOlderRecordTypes) m_pJieMian[type]->SaveData(fp);
    m_pJieMian[14]->SaveData(fp);
}

int CTunnelLiningData::LoadData(const char* path) {
    const int loaded = LoadMarkedData(path, kMarker, nullptr, [this](std::FILE* fp, bool) {
        // Read into a copy: a file that breaks off must not leave half of it here.
        auto copy = std::make_unique<CTunnelLiningData>();
        *copy = *this;
        if (!copy->ReadFields(fp)) return false;
        *this = *copy;
        return true;
    });
    SetJieMianOwner();
    return loaded;
}

int CTunnelLiningData::SaveData(const char* path) {
    SetJieMianOwner();
    const int saved = SaveMarkedData(path, kMarker, [this](std::FILE* fp) { WriteFields(fp); });
    if (!saved) kv::MessageBox(std::string("不能保存文件 : ") + path, kv::MB_OK | kv::MB_ICONERROR);
    return saved;
}

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
        // The log has a name of its own: the report's would be emptied by it.
        const std::string path = G_strWorkPath + m_strDataName + "_LOG.TXT";
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
    // A shelter combination's drawings are empty and it has no names of its own.
    auto save = [&](int drawing, int name) {
        if (m_nZuHeIndex == 0 && m_pDxf[drawing] && !GetDxfFileName(name - 1).empty())
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
