#include "lining/sections/jm_yuangong_diyuanjiao.h"

#include "lining/engine/lineio.h"

CJmYuanGongZhiQiangDiYuanJiao::CJmYuanGongZhiQiangDiYuanJiao() = default;

int CJmYuanGongZhiQiangDiYuanJiao::LoadData(std::FILE* fp) {
    if (!fp) return -1;
    bool read = CJieMianBase::LoadData(fp) == 0;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fDiBanBanKuan, &m_fDiBanHouDu, &m_fDiBanK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f", &m_fYuanJiaoBanJing, &m_fYuanJiaoK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fCeQiangGaoDu, &m_fCeQiangHouDu, &m_fCeQiangK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f", &m_fDingGongBanJiao, &m_fGongJiaoHouDu, &m_fGongDingHouDu, &m_fDingGongK) && read;
    return read ? 0 : -1;
}

int CJmYuanGongZhiQiangDiYuanJiao::SaveData(std::FILE* fp) {
    if (!fp) return -1;
    CJieMianBase::SaveData(fp);
    std::fprintf(fp, "%f,%f,%f\n", m_fDiBanBanKuan, m_fDiBanHouDu, m_fDiBanK);
    std::fprintf(fp, "%f,%f\n", m_fYuanJiaoBanJing, m_fYuanJiaoK);
    std::fprintf(fp, "%f,%f,%f\n", m_fCeQiangGaoDu, m_fCeQiangHouDu, m_fCeQiangK);
    std::fprintf(fp, "%f,%f,%f,%f\n", m_fDingGongBanJiao, m_fGongJiaoHouDu, m_fGongDingHouDu, m_fDingGongK);
    return 0;
}
