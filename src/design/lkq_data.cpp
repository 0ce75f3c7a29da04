#include "design/lkq_data.h"

#include "base/textio.h"
#include "codes/codeedition.h"
#include "platform/services.h"

CLkqData G_WaiQiangData(0);
CLkqData G_LinKongQiangData(1);
CLkqData G_GeQiangData(2);
CLkqData G_NeiQiangData(3);

namespace {

constexpr int kLineBytes = 290;

// The three data lines: the format each is written with and read back by.
constexpr const char* kLine1 = "%d,%d,%d,%d,%d,%d,%d,%d\n";
constexpr const char* kLine2 = "%d,%f,%f,%f,%f,%d,%f\n";
constexpr const char* kLine3 = "%d,%d,%d,%f,%f,%d,%d,%f,%d,%f,%d\n";

// Reads the three lines into `f`; true when every field was there. A file of
// the older edition may lack the last field of line 3.
bool ReadFields(std::FILE* fp, LKQ_FIELDS& f, bool olderEdition) {
    if (fgets_scan_fields(fp, kLineBytes, kLine1, &f.EdgeType[0], &f.EdgeType[1], &f.EdgeType[2], &f.EdgeType[3],
                          &f.CornerFlag[0], &f.CornerFlag[1], &f.CornerFlag[2], &f.CornerFlag[3]) != 8)
        return false;
    if (fgets_scan_fields(fp, kLineBytes, kLine2, &f.ConGrade, &f.VertLoad, &f.Load, &f.Width, &f.Height,
                          &f.Thickness, &f.TriLoad) != 7)
        return false;
    const int n = fgets_scan_fields(fp, kLineBytes, kLine3, &f.Steam, &f.Cover, &f.BarGrade, &f.MidFactor,
                                    &f.EdgeFactor, &f.Plastic, &f.Reserved, &f.Fixity, &f.OneWay, &f.Beta,
                                    &f.SecondOrder);
    return n == 11 || (olderEdition && n == 10);
}

void WriteFields(std::FILE* fp, const LKQ_FIELDS& f) {
    std::fprintf(fp, kLine1, f.EdgeType[0], f.EdgeType[1], f.EdgeType[2], f.EdgeType[3], f.CornerFlag[0],
                 f.CornerFlag[1], f.CornerFlag[2], f.CornerFlag[3]);
    std::fprintf(fp, kLine2, f.ConGrade, f.VertLoad, f.Load, f.Width, f.Height, f.Thickness, f.TriLoad);
    std::fprintf(fp, kLine3, f.Steam, f.Cover, f.BarGrade, f.MidFactor, f.EdgeFactor, f.Plastic, f.Reserved,
                 f.Fixity, f.OneWay, f.Beta, f.SecondOrder);
}

}  // namespace

CLkqData::CLkqData(int kind) : Kind(kind) { SetFileName("NONAME"); }

void CLkqData::SetFileName(const std::string& stem) { SetSingleEntry(stem, "_QIANG"); }

int CLkqData::LoadData(const char* path) {
    return LoadMarkedData(path, kMarker, kMarkerV20, [this](std::FILE* fp, bool older) {
        LKQ_FIELDS fields = *this;
        if (!ReadFields(fp, fields, older)) return false;
        // The older edition has no p-δ option: whatever stands in its place is dropped.
        if (older) fields.SecondOrder = 0;
        static_cast<LKQ_FIELDS&>(*this) = fields;
        AdjustHpb235(older ? 2002 : 2010, BarGrade);
        return true;
    });
}

int CLkqData::SaveData(const char* path) {
    return SaveMarkedData(path, kMarker, [this](std::FILE* fp) { WriteFields(fp, *this); });
}
