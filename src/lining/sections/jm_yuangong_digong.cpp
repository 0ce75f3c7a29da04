#include "lining/sections/jm_yuangong_digong.h"

#include "lining/engine/lineio.h"

CJmYuanGongZhiQiangDiGong::CJmYuanGongZhiQiangDiGong() = default;

int CJmYuanGongZhiQiangDiGong::LoadData(std::FILE* fp) {
    if (!fp) return -1;
    bool read = CJieMianBase::LoadData(fp) == 0;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f", &m_fDiGongBanKuan, &m_fDiGongBanJiao, &m_fDiGongHouDu, &m_fDiGongK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fCeQiangGaoDu, &m_fCeQiangHouDu, &m_fCeQiangK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f", &m_fDingGongBanJiao, &m_fGongJiaoHouDu, &m_fGongDingHouDu, &m_fDingGongK) && read;
    return read ? 0 : -1;
}

int CJmYuanGongZhiQiangDiGong::SaveData(std::FILE* fp) {
    if (!fp) return -1;
    CJieMianBase::SaveData(fp);
    std::fprintf(fp, "%f,%f,%f,%f\n", m_fDiGongBanKuan, m_fDiGongBanJiao, m_fDiGongHouDu, m_fDiGongK);
    std::fprintf(fp, "%f,%f,%f\n", m_fCeQiangGaoDu, m_fCeQiangHouDu, m_fCeQiangK);
    std::fprintf(fp, "%f,%f,%f,%f\n", m_fDingGongBanJiao, m_fGongJiaoHouDu, m_fGongDingHouDu, m_fDingGongK);
    return 0;
}
