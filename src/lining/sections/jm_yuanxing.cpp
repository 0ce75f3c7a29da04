#include "lining/sections/jm_yuanxing.h"

#include "lining/engine/lineio.h"

CJmYuanXing::CJmYuanXing() = default;

int CJmYuanXing::LoadData(std::FILE* fp) {
    if (!fp) return -1;
    bool read = CJieMianBase::LoadData(fp) == 0;
    read = kv::lining::ReadLine(fp, "%f,%f", &m_fBanJing, &m_fHouDu) && read;
    read = kv::lining::ReadLine(fp, "%f", &m_fK) && read;
    return read ? 0 : -1;
}

int CJmYuanXing::SaveData(std::FILE* fp) {
    if (!fp) return -1;
    CJieMianBase::SaveData(fp);
    std::fprintf(fp, "%f,%f\n", m_fBanJing, m_fHouDu);
    std::fprintf(fp, "%f\n", m_fK);
    return 0;
}
