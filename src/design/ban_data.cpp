#include "design/ban_data.h"

#include "base/textio.h"
#include "platform/services.h"

#include <string_view>

BAN_JS_STRUCT G_RoofSlabData(0);
BAN_JS_STRUCT G_FloorSlabData(1);

namespace {

constexpr int kLineBytes = 1024;

// The seven data lines: the format each is written with and read back by.
constexpr const char* kLine1 = "%d,%d,%d,%d,%d,%d,%d,%d,%d\n";
constexpr const char* kLine2 = "%d,%f,%f,%f,%d,%d,%d,%d,%f,%f\n";
constexpr const char* kLine3 = "%f,%f,%f,%f,%d,%f,%f,%d,%f\n";
constexpr const char* kLine4 = "%f,%f,%f,%f,%f,%f,%f,%f\n";
constexpr const char* kLine5 = "%f,%f,%f,%f,%f,%f,%f,%f,%d,%d\n";
constexpr const char* kLine6 = "%f,%f,%f,%f,%f,%f,%f,%f,%f,%f\n";
constexpr const char* kLine7 = "%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f\n";

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// Reads the next data line into the targets; true when every field was there.
template <typename... Targets>
bool ReadLine(std::FILE* fp, const char* format, Targets&&... targets) {
    return fgets_scan_fields(fp, kLineBytes, format, targets...) == static_cast<int>(sizeof...(Targets));
}

bool ReadFields(std::FILE* fp, BAN_FIELDS& f) {
    return ReadLine(fp, kLine1, &f.Number, &f.EdgeType[0], &f.EdgeType[1], &f.EdgeType[2], &f.EdgeType[3],
                    &f.CornerFlag[0], &f.CornerFlag[1], &f.CornerFlag[2], &f.CornerFlag[3]) &&
           ReadLine(fp, kLine2, &f.ConGrade, &f.Load, &f.Length, &f.Width, &f.Thickness, &f.Steam, &f.Cover,
                    &f.BarGrade, &f.MidFactor, &f.EdgeFactor) &&
           ReadLine(fp, kLine3, &f.EdgeMoment[0], &f.EdgeMoment[1], &f.EdgeMoment[2], &f.EdgeMoment[3],
                    &f.LoadNote, &f.WallThickness, &f.Fixity, &f.Plastic, &f.ShearFactor) &&
           ReadLine(fp, kLine4, &f.RoofSelf, &f.RoofFinishT, &f.RoofFinishGamma, &f.RoofOther, &f.RoofQe,
                    &f.RoofSoilGamma, &f.RoofSoilH, &f.RoofLoad) &&
           ReadLine(fp, kLine5, &f.FloorSelf, &f.FloorBuoyancy, &f.FloorArea, &f.FloorWeight, &f.FloorQe,
                    &f.FloorSoilH, &f.FloorSoilGamma, &f.FloorLoad, &f.BuildingForm, &f.ResistClass) &&
           ReadLine(fp, kLine6, &f.Mx, &f.My, &f.EdgeM[0], &f.EdgeM[1], &f.EdgeM[2], &f.EdgeM[3], &f.EdgeV[0],
                    &f.EdgeV[1], &f.EdgeV[2], &f.EdgeV[3]) &&
           ReadLine(fp, kLine7, &f.MidAs[0], &f.MidAs[1], &f.MidAs[2], &f.MidAs[3], &f.EdgeAs[0], &f.EdgeAs[1],
                    &f.EdgeAs[2], &f.EdgeAs[3], &f.EdgeAs[4], &f.EdgeAs[5], &f.EdgeAs[6], &f.EdgeAs[7]);
}

void WriteFields(std::FILE* fp, const BAN_FIELDS& f) {
    std::fprintf(fp, kLine1, f.Number, f.EdgeType[0], f.EdgeType[1], f.EdgeType[2], f.EdgeType[3], f.CornerFlag[0],
                 f.CornerFlag[1], f.CornerFlag[2], f.CornerFlag[3]);
    std::fprintf(fp, kLine2, f.ConGrade, f.Load, f.Length, f.Width, f.Thickness, f.Steam, f.Cover, f.BarGrade,
                 f.MidFactor, f.EdgeFactor);
    std::fprintf(fp, kLine3, f.EdgeMoment[0], f.EdgeMoment[1], f.EdgeMoment[2], f.EdgeMoment[3], f.LoadNote,
                 f.WallThickness, f.Fixity, f.Plastic, f.ShearFactor);
    std::fprintf(fp, kLine4, f.RoofSelf, f.RoofFinishT, f.RoofFinishGamma, f.RoofOther, f.RoofQe, f.RoofSoilGamma,
                 f.RoofSoilH, f.RoofLoad);
    std::fprintf(fp, kLine5, f.FloorSelf, f.FloorBuoyancy, f.FloorArea, f.FloorWeight, f.FloorQe, f.FloorSoilH,
                 f.FloorSoilGamma, f.FloorLoad, f.BuildingForm, f.ResistClass);
    std::fprintf(fp, kLine6, f.Mx, f.My, f.EdgeM[0], f.EdgeM[1], f.EdgeM[2], f.EdgeM[3], f.EdgeV[0], f.EdgeV[1],
                 f.EdgeV[2], f.EdgeV[3]);
    std::fprintf(fp, kLine7, f.MidAs[0], f.MidAs[1], f.MidAs[2], f.MidAs[3], f.EdgeAs[0], f.EdgeAs[1], f.EdgeAs[2],
                 f.EdgeAs[3], f.EdgeAs[4], f.EdgeAs[5], f.EdgeAs[6], f.EdgeAs[7]);
}

}  // namespace

BAN_JS_STRUCT::BAN_JS_STRUCT(int kind) : Kind(kind) { SetFileName("NONAME"); }

void BAN_JS_STRUCT::SetFileName(const std::string& stem) { SetSingleEntry(stem, "_BAN"); }

int BAN_JS_STRUCT::LoadData(const char* path) {
    std::FILE* fp = open_file_no_comment(path, "rt");
    if (!fp) return 0;
    std::string line;
    if (!fgets_line(line, kLineBytes, fp) || Trimmed(line) != kMarker) {
        close_file(fp);
        kv::MessageBox("文件类型不匹配 !");
        return 0;
    }
    BAN_FIELDS read = *this;
    if (!ReadFields(fp, read)) {
        close_file(fp);
        kv::MessageBox(std::string("数据文件不完整 : ") + path);
        return 0;
    }
    static_cast<BAN_FIELDS&>(*this) = read;
    CJsBaseData::LoadData(fp);
    close_file(fp);
    SetFileName_(path);
    return 1;
}

int BAN_JS_STRUCT::SaveData(const char* path) {
    return SaveMarkedData(path, kMarker, [this](std::FILE* fp) { WriteFields(fp, *this); });
}
