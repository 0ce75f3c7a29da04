#include "members/beams/liang_data.h"

#include <cmath>

#include "base/textio.h"
#include "codes/codeedition.h"

CLiangData G_LiangData;

namespace {

constexpr int kLineBytes = 290;

constexpr const char* kLine1 = "%d,%d,%d,%d,%d,%d,%d,%d,%d\n";
constexpr const char* kLine2 = "%d,%d,%d,%d,%f,%f,%f,%d,%f\n";
constexpr const char* kLine3 = "%f,%f,%d,%d,%d\n";

// "nan" and "inf" scan as numbers, and so does a value past the float range:
// the design would print them as steel areas, so no force or length is made of
// them. Stirrups at a spacing of 0 or less would be designed as no steel.
bool Usable(const LIANG_FIELDS& f) {
    return f.StirrupSpacing > 0 && std::isfinite(f.M) && std::isfinite(f.V) && std::isfinite(f.T) && std::isfinite(f.Zeta) &&
           std::isfinite(f.Span) && std::isfinite(f.ShearAdjust);
}

bool ReadFields(std::FILE* fp, LIANG_FIELDS& f) {
    return fgets_scan_fields(fp, kLineBytes, kLine1, &f.Kind, &f.B, &f.H, &f.Bf, &f.Hf, &f.Bf1, &f.Hf1, &f.ConGrade,
                             &f.Cover) == 9 &&
           fgets_scan_fields(fp, kLineBytes, kLine2, &f.BarGrade, &f.StirrupGrade, &f.StirrupSpacing, &f.Mode, &f.M,
                             &f.V, &f.T, &f.Reserved, &f.Zeta) == 9 &&
           fgets_scan_fields(fp, kLineBytes, kLine3, &f.Span, &f.ShearAdjust, &f.Steam, &f.Support,
                             &f.ReportLevel) == 5 &&
           Usable(f);
}

void WriteFields(std::FILE* fp, const LIANG_FIELDS& f) {
    std::fprintf(fp, kLine1, f.Kind, f.B, f.H, f.Bf, f.Hf, f.Bf1, f.Hf1, f.ConGrade, f.Cover);
    // Nothing reads the reserved value: it is written 0, whatever was read.
    std::fprintf(fp, kLine2, f.BarGrade, f.StirrupGrade, f.StirrupSpacing, f.Mode, f.M, f.V, f.T, 0, f.Zeta);
    std::fprintf(fp, kLine3, f.Span, f.ShearAdjust, f.Steam, f.Support, f.ReportLevel);
}

}  // namespace

CLiangData::CLiangData() { SetFileName("NONAME"); }

void CLiangData::SetFileName(const std::string& stem) { SetSingleEntry(stem, "_BEM"); }

int CLiangData::LoadData(const char* path) {
    return LoadMarkedData(path, kMarker, kMarkerV20, [this](std::FILE* fp, bool older) {
        LIANG_FIELDS fields = *this;
        if (!ReadFields(fp, fields)) return false;
        static_cast<LIANG_FIELDS&>(*this) = fields;
        AdjustHpb235(older ? 2002 : 2010, BarGrade == 1 || StirrupGrade == 1 ? 1 : 0);
        return true;
    });
}

int CLiangData::SaveData(const char* path) {
    return SaveMarkedData(path, kMarker, [this](std::FILE* fp) { WriteFields(fp, *this); });
}
