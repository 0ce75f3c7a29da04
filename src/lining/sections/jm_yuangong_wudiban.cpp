#include "lining/sections/jm_yuangong_wudiban.h"

#include "lining/engine/lineio.h"

CJmYuanGongZhiQiangWuDiBan::CJmYuanGongZhiQiangWuDiBan() {
    // A supported section checks the rock resistance at the nodes only until its record says otherwise.
    m_nKangLiYaoQiu = 0;
}

int CJmYuanGongZhiQiangWuDiBan::LoadData(std::FILE* fp) {
    if (!fp) return -1;
    bool read = CJieMianBase::LoadData(fp) == 0;
    read = kv::lining::ReadLine(fp, "%d", &m_nZhiZuoSym) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f", &m_fBanKuaKuan, &m_fCeQiangGaoDu, &m_fCeQiangHouDu, &m_fCeQiangK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fYouCeQiangGaoDu, &m_fYouCeQiangHouDu, &m_fYouCeQiangK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f", &m_fDingGongBanJiao, &m_fGongJiaoHouDu, &m_fGongDingHouDu, &m_fDingGongK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fYouDingGongBanJiao, &m_fYouGongJiaoHouDu, &m_fYouDingGongK) && read;
    read = kv::lining::ReadLine(fp, "%d,%d,%f,%f", &m_nZhiZuoLeiXing, &m_nYouZhiZuoLeiXing, &m_fZhiZuoK, &m_fYouZhiZuoK) && read;
    return read ? 0 : -1;
}

int CJmYuanGongZhiQiangWuDiBan::SaveData(std::FILE* fp) {
    if (!fp) return -1;
    CJieMianBase::SaveData(fp);
    std::fprintf(fp, "%d\n", m_nZhiZuoSym);
    std::fprintf(fp, "%f,%f,%f,%f\n", m_fBanKuaKuan, m_fCeQiangGaoDu, m_fCeQiangHouDu, m_fCeQiangK);
    std::fprintf(fp, "%f,%f,%f\n", m_fYouCeQiangGaoDu, m_fYouCeQiangHouDu, m_fYouCeQiangK);
    std::fprintf(fp, "%f,%f,%f,%f\n", m_fDingGongBanJiao, m_fGongJiaoHouDu, m_fGongDingHouDu, m_fDingGongK);
    std::fprintf(fp, "%f,%f,%f\n", m_fYouDingGongBanJiao, m_fYouGongJiaoHouDu, m_fYouDingGongK);
    std::fprintf(fp, "%d,%d,%f,%f\n", m_nZhiZuoLeiXing, m_nYouZhiZuoLeiXing, m_fZhiZuoK, m_fYouZhiZuoK);
    return 0;
}
