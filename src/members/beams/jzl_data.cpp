#include "members/beams/jzl_data.h"

#include <cmath>

#include "base/textio.h"
#include "codes/codeedition.h"

CJzlData G_JzlData;

namespace {

constexpr int kLineBytes = 290;

// The data lines after the marker. The materials line keeps the bar grade before
// the bar diameter, and the loads line each pair of factors group 1 first.
constexpr const char* kSectionLine = "%f,%f\n";
constexpr const char* kMaterialsLine = "%d,%d,%d,%d,%d,%d\n";
constexpr const char* kLoadsLine = "%f,%f,%f,%f,%f,%f,%f,%d\n";
constexpr const char* kEdgeLine = "%d,%d,%f,%f\n";
constexpr const char* kSecondaryLine = "%d,%d,%d,%d,%d,%d,%f,%f,%f,%d\n";

// A span list line without its line end.
bool ReadSpanList(std::FILE* fp, std::string& list) {
    std::string line;
    if (!fgets_skip_comment(line, kLineBytes, fp)) return false;
    line.pop_back();
    list = line;
    return true;
}

bool ReadFields(std::FILE* fp, JZL_FIELDS& f) {
    if (!ReadSpanList(fp, f.XSpans) || !fgets_scan_exact(fp, kLineBytes, kSectionLine, &f.XWidth, &f.XHeight))
        return false;
    if (!ReadSpanList(fp, f.YSpans) || !fgets_scan_exact(fp, kLineBytes, kSectionLine, &f.YWidth, &f.YHeight))
        return false;
    if (!fgets_scan_exact(fp, kLineBytes, kMaterialsLine, &f.ConGrade, &f.Cover, &f.BarGrade, &f.BarDiameter,
                          &f.StirrupGrade, &f.StirrupSpacing))
        return false;
    if (!fgets_scan_exact(fp, kLineBytes, kLoadsLine, &f.Load, &f.Load2, &f.UnitWeight, &f.Factor1, &f.Factor2,
                          &f.LongTerm1, &f.LongTerm2, &f.LoadMode))
        return false;
    for (int e = 0; e < 4; ++e)
        if (!fgets_scan_exact(fp, kLineBytes, kEdgeLine, &f.EdgeBeam[e], &f.EdgeSupport[e], &f.EdgeWidth[e],
                              &f.EdgeHeight[e]))
            return false;
    if (!fgets_scan_exact(fp, kLineBytes, kSecondaryLine, &f.XSecondary, &f.YSecondary, &f.XSecWidth, &f.YSecWidth,
                          &f.XSecHeight, &f.YSecHeight, &f.ConFactor, &f.MainRedistribution, &f.SecRedistribution,
                          &f.Steam))
        return false;
    // "nan" and "inf" scan as numbers; no section, load or factor is made of them.
    for (float v : {f.XWidth, f.XHeight, f.YWidth, f.YHeight, f.Load, f.Load2, f.UnitWeight, f.Factor1, f.Factor2,
                    f.LongTerm1, f.LongTerm2, f.ConFactor, f.MainRedistribution, f.SecRedistribution})
        if (!std::isfinite(v)) return false;
    for (int e = 0; e < 4; ++e)
        if (!std::isfinite(f.EdgeWidth[e]) || !std::isfinite(f.EdgeHeight[e])) return false;
    return true;
}

void WriteFields(std::FILE* fp, const JZL_FIELDS& f) {
    fprintf_gbk(fp, "%s\n", f.XSpans.c_str());
    std::fprintf(fp, kSectionLine, f.XWidth, f.XHeight);
    fprintf_gbk(fp, "%s\n", f.YSpans.c_str());
    std::fprintf(fp, kSectionLine, f.YWidth, f.YHeight);
    std::fprintf(fp, kMaterialsLine, f.ConGrade, f.Cover, f.BarGrade, f.BarDiameter, f.StirrupGrade,
                 f.StirrupSpacing);
    std::fprintf(fp, kLoadsLine, f.Load, f.Load2, f.UnitWeight, f.Factor1, f.Factor2, f.LongTerm1, f.LongTerm2,
                 f.LoadMode);
    for (int e = 0; e < 4; ++e)
        std::fprintf(fp, kEdgeLine, f.EdgeBeam[e], f.EdgeSupport[e], f.EdgeWidth[e], f.EdgeHeight[e]);
    std::fprintf(fp, kSecondaryLine, f.XSecondary, f.YSecondary, f.XSecWidth, f.YSecWidth, f.XSecHeight,
                 f.YSecHeight, f.ConFactor, f.MainRedistribution, f.SecRedistribution, f.Steam);
}

}  // namespace

CJzlData::CJzlData() { SetFileName("NONAME"); }

void CJzlData::SetFileName(const std::string& stem) {
    m_strStem = stem;
    m_nJtNum = 0;
    const std::string rtf = stem + "_JZL.RTF";
    SetJt(0, "计算简图", stem + "JT_JZL.DXF", rtf);
    SetJt(1, "内力", stem + "NL_JZL.DXF", rtf);
    SetJt(2, "配筋", stem + "PJ_JZL.DXF", rtf);
}

int CJzlData::LoadData(const char* path) {
    return LoadMarkedData(path, kMarker, kMarkerV20, [this](std::FILE* fp, bool older) {
        JZL_FIELDS fields = *this;
        if (!ReadFields(fp, fields)) return false;
        static_cast<JZL_FIELDS&>(*this) = fields;
        if (BarGrade == 1 || StirrupGrade == 1) AdjustHpb235(older ? 2002 : 2010, 1);
        return true;
    });
}

int CJzlData::SaveData(const char* path) {
    return SaveMarkedData(path, kMarker, [this](std::FILE* fp) { WriteFields(fp, *this); });
}
