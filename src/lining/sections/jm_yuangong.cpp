#include "lining/sections/jm_yuangong.h"

#include "lining/engine/lineio.h"

CJmYuanGongZhiQiang::CJmYuanGongZhiQiang() = default;

int CJmYuanGongZhiQiang::LoadData(std::FILE* fp) {
    if (!fp) return -1;
    bool read = CJieMianBase::LoadData(fp) == 0;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fDiBanBanKuan, &m_fDiBanHouDu, &m_fDiBanK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fCeQiangGaoDu, &m_fCeQiangHouDu, &m_fCeQiangK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f", &m_fDingGongBanJiao, &m_fGongJiaoHouDu, &m_fGongDingHouDu, &m_fDingGongK) && read;
    return read ? 0 : -1;
}

int CJmYuanGongZhiQiang::SaveData(std::FILE* fp) {
    if (!fp) return -1;
    CJieMianBase::SaveData(fp);
    std::fprintf(fp, "%f,%f,%f\n", m_fDiBanBanKuan, m_fDiBanHouDu, m_fDiBanK);
    std::fprintf(fp, "%f,%f,%f\n", m_fCeQiangGaoDu, m_fCeQiangHouDu, m_fCeQiangK);
    std::fprintf(fp, "%f,%f,%f,%f\n", m_fDingGongBanJiao, m_fGongJiaoHouDu, m_fGongDingHouDu, m_fDingGongK);
    return 0;
}
