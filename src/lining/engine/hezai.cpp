#include "lining/engine/hezai.h"

#include <cmath>
#include <string>

#include "base/textio.h"
#include "lining/engine/canshu.h"
#include "lining/engine/lineio.h"

const char* const G_HeZaiName[9] = {"衬砌自重", "顶岩压力", "底岩压力", "侧岩压力",      "内水压力",
                                    "外水压力", "顶部灌浆压力", "其余灌浆压力", "地震作用力"};

// ---- load parameters -------------------------------------------------------

int CHeZaiCanShu::LoadData(std::FILE* fp) {
    if (!fp) return -1;
    kv::lining::ReadLine(fp, "%d", &m_bDuiCheng);
    kv::lining::ReadLine(fp, "%f,%f,%f,%f,%f,%f,%f,%f", &m_fDiCe, &m_fDiYou, &m_fCeShang, &m_fCeXia,
                      &m_fYouShang, &m_fYouXia, &m_fDingCe, &m_fDingYou);
    kv::lining::ReadLine(fp, "%f,%f,%f", &m_fNeiShuiTou, &m_fWaiShuiTou, &m_fBeta);
    kv::lining::ReadLine(fp, "%d,%f,%f", &m_bZiZhong, &m_fDiZhong, &m_fDingZhong);
    kv::lining::ReadLine(fp, "%f,%f,%f,%f,%f", &m_fQiTaGuanJiang, &m_fRongZhong, &m_fDingGuanJiang,
                      &m_fFanWeiJiao, &m_fQiDianJuLi);
    return 0;
}

int CHeZaiCanShu::SaveData(std::FILE* fp) const {
    if (!fp) return -1;
    std::fprintf(fp, "%d\n", m_bDuiCheng);
    std::fprintf(fp, "%f,%f,%f,%f,%f,%f,%f,%f\n", m_fDiCe, m_fDiYou, m_fCeShang, m_fCeXia, m_fYouShang, m_fYouXia,
                 m_fDingCe, m_fDingYou);
    std::fprintf(fp, "%f,%f,%f\n", m_fNeiShuiTou, m_fWaiShuiTou, m_fBeta);
    std::fprintf(fp, "%d,%f,%f\n", m_bZiZhong, m_fDiZhong, m_fDingZhong);
    std::fprintf(fp, "%f,%f,%f,%f,%f\n", m_fQiTaGuanJiang, m_fRongZhong, m_fDingGuanJiang, m_fFanWeiJiao,
                 m_fQiDianJuLi);
    return 0;
}

int CHeZaiCanShu::WriteCanShu(std::FILE* fp, int hasZhiZuo, int topArch, int onlyTopGrout) const {
    if (!fp) return -1;
    std::fputs("\n[ 荷载参数 ]\n\n", fp);
    if (!hasZhiZuo) {
        std::fprintf(fp, "    底部山岩压力(侧)：            \t\t%.3f(kN/m)\n", m_fDiCe);
        std::fprintf(fp, "    底部山岩压力(中)：            \t\t%.3f(kN/m)\n", m_fDiZhong);
        std::fprintf(fp, "    侧向山岩压力(上)：            \t\t%.3f(kN/m)\n", m_fCeShang);
        std::fprintf(fp, "    侧向山岩压力(下)：            \t\t%.3f(kN/m)\n", m_fCeXia);
        std::fprintf(fp, "    顶部山岩压力(侧)：            \t\t%.3f(kN/m)\n", m_fDingCe);
        std::fprintf(fp, "    顶部山岩压力(中)：            \t\t%.3f(kN/m)\n", m_fDingZhong);
    } else if (m_bDuiCheng) {
        std::fprintf(fp, "    顶部山岩压力(侧)：            \t\t%.3f(kN/m)\n", m_fDingCe);
        std::fprintf(fp, "    顶部山岩压力(中)：            \t\t%.3f(kN/m)\n", m_fDingZhong);
        std::fprintf(fp, "    侧向山岩压力(上)：            \t\t%1.3f(kN/m)\n", m_fCeShang);
        std::fprintf(fp, "    侧向山岩压力(下)：            \t\t%10.3f(kN/m)\n", m_fCeXia);
    } else {
        std::fprintf(fp, "    侧向山岩压力(左下)：          \t\t%.3f(kN/m)\n", m_fCeXia);
        std::fprintf(fp, "    侧向山岩压力(左上)：          \t\t%.3f(kN/m)\n", m_fCeShang);
        std::fprintf(fp, "    顶部山岩压力(左)              \t\t%.3f(kN/m)\n", m_fDingCe);
        std::fprintf(fp, "    顶部山岩压力(中)              \t\t%.3f(kN/m)\n", m_fDingZhong);
        std::fprintf(fp, "    顶部山岩压力(右)              \t\t%.3f(kN/m)\n", m_fDingYou);
        std::fprintf(fp, "    侧向山岩压力(右上)：          \t\t%.3f(kN/m)\n", m_fYouShang);
        std::fprintf(fp, "    侧向山岩压力(右下)：          \t\t%.3f(kN/m)\n", m_fYouXia);
    }
    std::fprintf(fp, "    内水压力水头：                \t\t%.3f(m)\n", m_fNeiShuiTou);
    std::fprintf(fp, "    外水压力水头：                \t\t%.3f(m)\n", m_fWaiShuiTou);
    std::fprintf(fp, "    外水压力折减系数(β)：        \t\t%.3f\n", m_fBeta);
    if (topArch) {
        std::fprintf(fp, "    顶拱灌浆压力：                \t\t%.3f(kPa)\n", m_fDingGuanJiang);
        std::fprintf(fp, "    顶拱灌浆压力作用范围角：      \t\t%.3f(度)\n", m_fFanWeiJiao);
    } else {
        std::fprintf(fp, "    顶板灌浆压力：                \t\t%.3f(kPa)\n", m_fDingGuanJiang);
        std::fprintf(fp, "    顶板灌浆压力作用起点距离：    \t\t%.3f(m)\n", m_fQiDianJuLi);
    }
    if (!onlyTopGrout) std::fprintf(fp, "    其它段灌浆压力：              \t\t%.3f(kPa)\n", m_fQiTaGuanJiang);
    std::fprintf(fp, "    衬砌容重：                    \t\t%.3f(kN/m3)\n", m_fRongZhong);
    return 0;
}

int CHeZaiCanShu::IsSymmetric(int arch, float angle) const {
    const float tol = 0.00001f;
    if (std::fabs(m_fDingCe - m_fDiCe) > tol) return 0;
    if (std::fabs(m_fDingZhong - m_fDiZhong) > tol) return 0;
    if (std::fabs(m_fCeShang - m_fCeXia) > tol) return 0;
    // Water and self weight push one way only.
    if (m_fNeiShuiTou > tol) return 0;
    if (m_fBeta * m_fWaiShuiTou > tol) return 0;
    if (m_bZiZhong && m_fRongZhong > tol) return 0;
    if (std::fabs(m_fQiTaGuanJiang - m_fDingGuanJiang) > tol) return 0;
    if (arch) {
        if (angle - 0.001f > m_fFanWeiJiao) return 0;  // the top grouting must cover the whole arch
    } else if (m_fQiDianJuLi > 0.001f) {
        return 0;
    }
    return 1;
}

// ---- load combinations -----------------------------------------------------

CHeZaiZuHe::CHeZaiZuHe() {
    for (int j = 0; j < 10; ++j) {
        m_Items[j].m_nIndex = j;
        m_Items[j].m_fFenXiang = j < 4 ? 1.05f : 1.2f;
    }
}

int CHeZaiZuHe::LoadData(std::FILE* fp) {
    const std::string name = kv::lining::ReadWord(fp);
    if (!name.empty()) m_strName = name;
    int last = 1;
    kv::lining::ReadLine(fp, "%f,%d,%d,%d,%d,%d", &m_fSheJiZhuangKuang, &m_nZuHe[0], &m_nZuHe[1],
                      &m_nZuHe[2], &m_nZuHe[3], &last);
    const int items = last == 1 ? kFileItems : kFileItems - 1;
    for (int j = 0; j < items; ++j) {
        CHeZaiZuHeItem& item = m_Items[j];
        kv::lining::ReadLine(fp, "%d,%d,%f,%f", &item.m_nIndex, &item.m_bJiSuan, &item.m_fFenXiang,
                          &item.m_fChangQi);
    }
    return 1;
}

int CHeZaiZuHe::SaveData(std::FILE* fp) const {
    std::fprintf(fp, "%s\n", m_strName.c_str());
    std::fprintf(fp, "%f,%d,%d,%d,%d,%d\n", m_fSheJiZhuangKuang, m_nZuHe[0], m_nZuHe[1], m_nZuHe[2], m_nZuHe[3], 1);
    for (int j = 0; j < kFileItems; ++j) {
        const CHeZaiZuHeItem& item = m_Items[j];
        std::fprintf(fp, "%d,%d,%f,%f\n", item.m_nIndex, item.m_bJiSuan, item.m_fFenXiang, item.m_fChangQi);
    }
    return 1;
}

void CHeZaiZuHeItem::WriteCanShu(std::FILE* fp, int row) const {
    // An index that names no load kind (a damaged file) prints no name.
    const char* name = m_nIndex >= 0 && m_nIndex < 9 ? G_HeZaiName[m_nIndex] : "";
    fprintf_gbk(fp, "\t%3s \t%8s \t%5s \t%12.2f \n", std::to_string(row).c_str(), name,
                m_bJiSuan == 1 ? "√" : "〤", m_fFenXiang);
}

int CHeZaiZuHe::WriteCanShu(std::FILE* fp, int /*unused*/, int diZhen) const {
    if (!fp) return -1;
    fprintf_gbk(fp, "\t%4s \t%8s \t%5s \t%4s \n", "编号", "荷载名称", "是否计算", "分项系数");
    const int rows = diZhen ? 9 : 8;
    for (int j = 0; j < rows; ++j) m_Items[j].WriteCanShu(fp, j + 1);
    std::fputs("\n", fp);
    return 1;
}
