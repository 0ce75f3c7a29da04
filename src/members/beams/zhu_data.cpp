#include "members/beams/zhu_data.h"

#include <cmath>

#include "base/textio.h"
#include "codes/codeedition.h"

CZhuData G_ZhuData;

namespace {

constexpr int kLineBytes = 290;

constexpr const char* kLine1 = "%d,%d,%d,%d,%d,%d,%d,%d,%f\n";
constexpr const char* kLine2 = "%d,%d,%d,%d,%d,%d\n";
constexpr const char* kLine3 = "%f,%f,%f,%f,%f,%d,%d,%d\n";
// The p-δ line follows the report level although its fields come first in the
// object: stored files keep that order.
constexpr const char* kLine4 = "%d,%f,%f,%f,%f\n";

// "nan" and "inf" scan as numbers, and so does a value past the float range:
// the design would print them as steel areas, so no force or length is made of
// them. Stirrups at a spacing of 0 or less would be designed as no steel.
bool Usable(const ZHU_FIELDS& f) {
    if (f.StirrupSpacing <= 0) return false;
    for (float v : {f.L0, f.Mx, f.My, f.Vx, f.Vy, f.N, f.Mx1, f.Mx2, f.My1, f.My2})
        if (!std::isfinite(v)) return false;
    return true;
}

// The older edition has no p-δ line: its common block follows line 3.
bool ReadFields(std::FILE* fp, ZHU_FIELDS& f, bool older) {
    if (fgets_scan_fields(fp, kLineBytes, kLine1, &f.Kind, &f.B, &f.H, &f.Bf, &f.Hf, &f.Bf1, &f.Hf1, &f.D, &f.L0) !=
            9 ||
        fgets_scan_fields(fp, kLineBytes, kLine2, &f.ConGrade, &f.Cover, &f.BarGrade, &f.Mode, &f.StirrupGrade,
                          &f.StirrupSpacing) != 6 ||
        fgets_scan_fields(fp, kLineBytes, kLine3, &f.Mx, &f.My, &f.Vx, &f.Vy, &f.N, &f.Seismic, &f.Steam,
                          &f.ReportLevel) != 8)
        return false;
    if (older) {
        f.SecondOrder = 0;
        f.Mx1 = f.Mx2 = f.My1 = f.My2 = -150.0f;
        return Usable(f);
    }
    return fgets_scan_fields(fp, kLineBytes, kLine4, &f.SecondOrder, &f.Mx1, &f.Mx2, &f.My1, &f.My2) == 5 &&
           Usable(f);
}

void WriteFields(std::FILE* fp, const ZHU_FIELDS& f) {
    std::fprintf(fp, kLine1, f.Kind, f.B, f.H, f.Bf, f.Hf, f.Bf1, f.Hf1, f.D, f.L0);
    std::fprintf(fp, kLine2, f.ConGrade, f.Cover, f.BarGrade, f.Mode, f.StirrupGrade, f.StirrupSpacing);
    std::fprintf(fp, kLine3, f.Mx, f.My, f.Vx, f.Vy, f.N, f.Seismic, f.Steam, f.ReportLevel);
    std::fprintf(fp, kLine4, f.SecondOrder, f.Mx1, f.Mx2, f.My1, f.My2);
}

}  // namespace

CZhuData::CZhuData() { SetFileName("NONAME"); }

void CZhuData::SetFileName(const std::string& stem) { SetSingleEntry(stem, "_ZHU"); }

int CZhuData::LoadData(const char* path) {
    return LoadMarkedData(path, kMarker, kMarkerV20, [this](std::FILE* fp, bool older) {
        ZHU_FIELDS fields = *this;
        if (!ReadFields(fp, fields, older)) return false;
        static_cast<ZHU_FIELDS&>(*this) = fields;
        AdjustHpb235(older ? 2002 : 2010, BarGrade == 1 || StirrupGrade == 1 ? 1 : 0);
        return true;
    });
}

int CZhuData::SaveData(const char* path) {
    return SaveMarkedData(path, kMarker, [this](std::FILE* fp) { WriteFields(fp, *this); });
}
