#include "lining/sections/jm_mati.h"

#include "lining/engine/lineio.h"

CJmMaTi::CJmMaTi() = default;

int CJmMaTi::LoadData(std::FILE* fp) {
    if (!fp) return -1;
    bool read = CJieMianBase::LoadData(fp) == 0;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f", &m_fDiGongR, &m_fDiGongBanJiao, &m_fDiGongHouDu, &m_fDiGongK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f", &m_fCeGongR, &m_fCeGongJiao, &m_fCeGongHouDu, &m_fCeGongK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fDingGongBanJiao, &m_fGongDingHouDu, &m_fDingGongK) && read;
    return read ? 0 : -1;
}

int CJmMaTi::SaveData(std::FILE* fp) {
    if (!fp) return -1;
    CJieMianBase::SaveData(fp);
    std::fprintf(fp, "%f,%f,%f,%f\n", m_fDiGongR, m_fDiGongBanJiao, m_fDiGongHouDu, m_fDiGongK);
    std::fprintf(fp, "%f,%f,%f,%f\n", m_fCeGongR, m_fCeGongJiao, m_fCeGongHouDu, m_fCeGongK);
    std::fprintf(fp, "%f,%f,%f\n", m_fDingGongBanJiao, m_fGongDingHouDu, m_fDingGongK);
    return 0;
}
