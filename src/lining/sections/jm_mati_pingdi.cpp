#include "lining/sections/jm_mati_pingdi.h"

#include "lining/engine/lineio.h"

CJmMaTiPingDi::CJmMaTiPingDi() = default;

int CJmMaTiPingDi::LoadData(std::FILE* fp) {
    if (!fp) return -1;
    bool read = CJieMianBase::LoadData(fp) == 0;
    read = kv::lining::ReadLine(fp, "%f,%f", &m_fDiBanHouDu, &m_fDiBanK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fCeGongR, &m_fCeGongJiao, &m_fCeGongK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fDingGongR, &m_fDingGongBanJiao, &m_fDingGongK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fCeGongJiaoHouDu, &m_fDingGongJiaoHouDu, &m_fGongDingHouDu) && read;
    return read ? 0 : -1;
}

int CJmMaTiPingDi::SaveData(std::FILE* fp) {
    if (!fp) return -1;
    CJieMianBase::SaveData(fp);
    std::fprintf(fp, "%f,%f\n", m_fDiBanHouDu, m_fDiBanK);
    std::fprintf(fp, "%f,%f,%f\n", m_fCeGongR, m_fCeGongJiao, m_fCeGongK);
    std::fprintf(fp, "%f,%f,%f\n", m_fDingGongR, m_fDingGongBanJiao, m_fDingGongK);
    std::fprintf(fp, "%f,%f,%f\n", m_fCeGongJiaoHouDu, m_fDingGongJiaoHouDu, m_fGongDingHouDu);
    return 0;
}
