#include "lining/sections/jm_sanxingong_ditie.h"

#include "lining/engine/lineio.h"

CJmSanXinGongDiTie::CJmSanXinGongDiTie() = default;

int CJmSanXinGongDiTie::LoadData(std::FILE* fp) {
    if (!fp) return -1;
    bool read = CJieMianBase::LoadData(fp) == 0;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f,%f", &DiGongR, &DiGongHalfAngle, &DiGongK, &DiBuHalfWidth, &DiGongT) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &CeQiangH, &CeQiangT, &CeQiangK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f", &DingGongR, &DingGongHalfAngle, &DingGongK, &DingGongT) && read;
    return read ? 0 : -1;
}

int CJmSanXinGongDiTie::SaveData(std::FILE* fp) {
    if (!fp) return -1;
    CJieMianBase::SaveData(fp);
    std::fprintf(fp, "%f,%f,%f,%f,%f\n", DiGongR, DiGongHalfAngle, DiGongK, DiBuHalfWidth, DiGongT);
    std::fprintf(fp, "%f,%f,%f\n", CeQiangH, CeQiangT, CeQiangK);
    std::fprintf(fp, "%f,%f,%f,%f\n", DingGongR, DingGongHalfAngle, DingGongK, DingGongT);
    return 0;
}
