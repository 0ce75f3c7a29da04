#include "lining/sections/jm_juxing.h"

#include "lining/engine/lineio.h"

CJmJuXing::CJmJuXing() = default;

int CJmJuXing::LoadData(std::FILE* fp) {
    if (!fp) return -1;
    bool read = CJieMianBase::LoadData(fp) == 0;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fDiBanBanKuan, &m_fDiBanHouDu, &m_fDiBanK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fCeQiangGaoDu, &m_fCeQiangHouDu, &m_fCeQiangK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f", &m_fDingBanHouDu, &m_fDingBanK) && read;
    return read ? 0 : -1;
}

int CJmJuXing::SaveData(std::FILE* fp) {
    if (!fp) return -1;
    CJieMianBase::SaveData(fp);
    std::fprintf(fp, "%f,%f,%f\n", m_fDiBanBanKuan, m_fDiBanHouDu, m_fDiBanK);
    std::fprintf(fp, "%f,%f,%f\n", m_fCeQiangGaoDu, m_fCeQiangHouDu, m_fCeQiangK);
    std::fprintf(fp, "%f,%f\n", m_fDingBanHouDu, m_fDingBanK);
    return 0;
}
