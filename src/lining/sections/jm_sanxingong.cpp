#include "lining/sections/jm_sanxingong.h"

#include "lining/engine/lineio.h"

CJmZhiQiangSanXinGong::CJmZhiQiangSanXinGong() = default;

int CJmZhiQiangSanXinGong::LoadData(std::FILE* fp) {
    if (!fp) return -1;
    bool read = CJieMianBase::LoadData(fp) == 0;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f,%f,%f,%f,%f,%f", &m_fDiGongBanJing, &m_fDiGongBanJiao, &m_fDiGongK, &m_fDiBuBanKuan, &m_fDiBuShiGao, &m_fReserved1, &m_fDiGongHouDu, &m_fReserved2, &m_fReserved3) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fCeQiangGaoDu, &m_fCeQiangHouDu, &m_fCeQiangK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f,%f,%f,%f,%f", &m_fDingBuShiGao, &m_fReserved4, &m_fDingGongBanJing, &m_fDingGongBanJiao, &m_fDingGongK, &m_fCeDingGongJiaoHouDu, &m_fDingGongHouDu, &m_fReserved5) && read;
    return read ? 0 : -1;
}

int CJmZhiQiangSanXinGong::SaveData(std::FILE* fp) {
    if (!fp) return -1;
    CJieMianBase::SaveData(fp);
    std::fprintf(fp, "%f,%f,%f,%f,%f,%f,%f,%f,%f\n", m_fDiGongBanJing, m_fDiGongBanJiao, m_fDiGongK, m_fDiBuBanKuan, m_fDiBuShiGao, m_fReserved1, m_fDiGongHouDu, m_fReserved2, m_fReserved3);
    std::fprintf(fp, "%f,%f,%f\n", m_fCeQiangGaoDu, m_fCeQiangHouDu, m_fCeQiangK);
    std::fprintf(fp, "%f,%f,%f,%f,%f,%f,%f,%f\n", m_fDingBuShiGao, m_fReserved4, m_fDingGongBanJing, m_fDingGongBanJiao, m_fDingGongK, m_fCeDingGongJiaoHouDu, m_fDingGongHouDu, m_fReserved5);
    return 0;
}
