#include "lining/sections/jm_gongxing.h"

#include "lining/engine/lineio.h"

CJmGongXing::CJmGongXing() {
    // A supported section checks the rock resistance at the nodes only until its record says otherwise.
    m_nKangLiYaoQiu = 0;
}

int CJmGongXing::LoadData(std::FILE* fp) {
    if (!fp) return -1;
    bool read = CJieMianBase::LoadData(fp) == 0;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &GongR, &GongAngle, &RightGongAngle) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &GongFootT, &RightGongFootT, &GongCrownT) && read;
    read = kv::lining::ReadLine(fp, "%d,%d,%d,%f,%f", &ZhiZuoSym, &LeftZhiZuoType, &RightZhiZuoType, &LeftZhiZuoK,
                                &RightZhiZuoK) &&
           read;
    read = kv::lining::ReadLine(fp, "%f,%f", &GongK, &RightGongK) && read;
    return read ? 0 : -1;
}

int CJmGongXing::SaveData(std::FILE* fp) {
    if (!fp) return -1;
    CJieMianBase::SaveData(fp);
    std::fprintf(fp, "%f,%f,%f\n", GongR, GongAngle, RightGongAngle);
    std::fprintf(fp, "%f,%f,%f\n", GongFootT, RightGongFootT, GongCrownT);
    std::fprintf(fp, "%d,%d,%d,%f,%f\n", ZhiZuoSym, LeftZhiZuoType, RightZhiZuoType, LeftZhiZuoK, RightZhiZuoK);
    std::fprintf(fp, "%f,%f\n", GongK, RightGongK);
    return 0;
}
