#include "lining/sections/jm_supported_arch.h"

#include "lining/engine/lineio.h"

int CJmSupportedArch::LoadData(std::FILE* fp) {
    if (!fp) return -1;
    bool read = CJieMianBase::LoadData(fp) == 0;
    read = kv::lining::ReadLine(fp, "%d,%d,%d,%f,%f", &ZhiZuoSym, &LeftZhiZuoType, &RightZhiZuoType, &LeftZhiZuoK,
                                &RightZhiZuoK) &&
           read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f", &CeGongR, &CeGongAngle, &CeGongK, &RightCeGongK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f", &DingGongR, &DingGongHalfAngle, &DingGongK, &RightDingGongK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &CeGongFootT, &DingGongFootT, &DingGongCrownT) && read;
    return read ? 0 : -1;
}

int CJmSupportedArch::SaveData(std::FILE* fp) {
    if (!fp) return -1;
    CJieMianBase::SaveData(fp);
    std::fprintf(fp, "%d,%d,%d,%f,%f\n", ZhiZuoSym, LeftZhiZuoType, RightZhiZuoType, LeftZhiZuoK, RightZhiZuoK);
    std::fprintf(fp, "%f,%f,%f,%f\n", CeGongR, CeGongAngle, CeGongK, RightCeGongK);
    std::fprintf(fp, "%f,%f,%f,%f\n", DingGongR, DingGongHalfAngle, DingGongK, RightDingGongK);
    std::fprintf(fp, "%f,%f,%f\n", CeGongFootT, DingGongFootT, DingGongCrownT);
    return 0;
}

CJmMaTiKaiKou::CJmMaTiKaiKou() {
    CeGongR = 15.0f;
    CeGongAngle = 15.0f;
    DingGongR = 3.0f;
    DingGongHalfAngle = 60.0f;
}
