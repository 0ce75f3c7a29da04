#include "lining/sections/jm_quqiang.h"

#include "lining/engine/lineio.h"

CJmQuQiang::CJmQuQiang() = default;

int CJmQuQiang::LoadData(std::FILE* fp) {
    if (!fp) return -1;
    bool read = CJieMianBase::LoadData(fp) == 0;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f", &m_fDiGongR, &m_fDiGongBanJiao, &m_fDiGongHouDu, &m_fDiGongK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f,%f,%f,%f", &m_fCeGongR, &m_fBeta1, &m_fCeGongHouDu, &m_fCeGongK, &m_fCeGongH1, &m_fCeGongH2, &m_fBeta2) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fDingGongBanJiao, &m_fGongDingHouDu, &m_fDingGongK) && read;
    return read ? 0 : -1;
}

int CJmQuQiang::SaveData(std::FILE* fp) {
    if (!fp) return -1;
    CJieMianBase::SaveData(fp);
    std::fprintf(fp, "%f,%f,%f,%f\n", m_fDiGongR, m_fDiGongBanJiao, m_fDiGongHouDu, m_fDiGongK);
    std::fprintf(fp, "%f,%f,%f,%f,%f,%f,%f\n", m_fCeGongR, m_fBeta1, m_fCeGongHouDu, m_fCeGongK, m_fCeGongH1, m_fCeGongH2, m_fBeta2);
    std::fprintf(fp, "%f,%f,%f\n", m_fDingGongBanJiao, m_fGongDingHouDu, m_fDingGongK);
    return 0;
}
