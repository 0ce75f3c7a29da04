#include "design/mkq_data.h"

#include "base/textio.h"
#include "codes/codeedition.h"
#include "platform/services.h"

CMkqData G_MenKuangQiangData(0);
CMkqData G_ChuangJingQiangData(1);

namespace {

constexpr int kLineBytes = 290;

// The two data lines: the format each is written with and read back by.
constexpr const char* kLine1 = "%d,%d,%d,%d,%d,%d,%f,%f,%f\n";
constexpr const char* kLine2 = "%f,%d,%d,%d,%d,%d,%d,%d,%d,%d\n";

// Reads the two lines into `f`; true when every field was there.
bool ReadFields(std::FILE* fp, MKQ_FIELDS& f) {
    if (fgets_scan_fields(fp, kLineBytes, kLine1, &f.Shape, &f.Haunch, &f.Depth, &f.Length, &f.L1, &f.L2, &f.Qe,
                          &f.Qi, &f.La) != 9)
        return false;
    return fgets_scan_fields(fp, kLineBytes, kLine2, &f.ShearAdjust, &f.Steam, &f.ConGrade, &f.Cover, &f.BarGrade,
                             &f.Reserved, &f.StirrupGrade, &f.StirrupSpacing, &f.ReportLevel, &f.CrackCheck) == 10;
}

void WriteFields(std::FILE* fp, const MKQ_FIELDS& f) {
    std::fprintf(fp, kLine1, f.Shape, f.Haunch, f.Depth, f.Length, f.L1, f.L2, f.Qe, f.Qi, f.La);
    std::fprintf(fp, kLine2, f.ShearAdjust, f.Steam, f.ConGrade, f.Cover, f.BarGrade, f.Reserved, f.StirrupGrade,
                 f.StirrupSpacing, f.ReportLevel, f.CrackCheck);
}

}  // namespace

CMkqData::CMkqData(int kind) : Kind(kind) { SetFileName("NONAME"); }

void CMkqData::SetFileName(const std::string& stem) { SetSingleEntry(stem, "_MKCJ"); }

int CMkqData::LoadData(const char* path) {
    return LoadMarkedData(path, kMarker, kMarkerV20, [this](std::FILE* fp, bool older) {
        MKQ_FIELDS fields = *this;
        if (!ReadFields(fp, fields)) return false;
        static_cast<MKQ_FIELDS&>(*this) = fields;
        // Either bar may be the HPB235 that the 2010 code replaced.
        if (BarGrade == 1 || StirrupGrade == 1) AdjustHpb235(older ? 2002 : 2010, 1);
        return true;
    });
}

int CMkqData::SaveData(const char* path) {
    return SaveMarkedData(path, kMarker, [this](std::FILE* fp) { WriteFields(fp, *this); });
}
