#include "members/beams/lxl_data.h"

#include <algorithm>
#include <cmath>

#include "base/textio.h"
#include "codes/codeedition.h"

CLxlData G_LxlData;

namespace {

constexpr int kLineBytes = 290;

// The data lines: the format each is written with and read back by. The least-ξ
// flag comes last on the materials line, after the concrete strength factor.
constexpr const char* kCountsLine = "%d,%d,%d,%d\n";
constexpr const char* kMaterialsLine = "%d,%d,%d,%d,%d,%d,%f,%f,%d,%f,%f,%d\n";
constexpr const char* kSpanLine = "%f,%d,%d,%d,%d\n";
constexpr const char* kLoadLine = "%d,%d,%f,%f,%f,%f\n";

// Reads every line into `f`; true when all were there. A file of the older
// edition may lack the least-ξ flag.
bool ReadFields(std::FILE* fp, LXL_FIELDS& f, bool older) {
    if (fgets_scan_fields(fp, kLineBytes, kCountsLine, &f.SpanNum, &f.LeftSupport, &f.RightSupport, &f.CurSpan) != 4)
        return false;
    const int n = fgets_scan_fields(fp, kLineBytes, kMaterialsLine, &f.Seismic, &f.ConGrade, &f.Cover, &f.BarGrade,
                                    &f.StirrupGrade, &f.StirrupSpacing, &f.SupportFactor, &f.MidFactor, &f.Steam,
                                    &f.Redistribution, &f.ConFactor, &f.MinKsaiCheck);
    if (n != 12 && !(older && n == 11)) return false;
    f.SpanNum = std::clamp(f.SpanNum, 1, kLxlMaxSpans);
    for (int i = 0; i < f.SpanNum; ++i) {
        LXL_SPAN& s = f.Spans[i];
        if (fgets_scan_fields(fp, kLineBytes, kSpanLine, &s.Length, &s.Width, &s.Height, &s.LoadNum, &s.CurLoad) != 5)
            return false;
        // A span saved with more loads than it can hold was saved without its
        // load lines: it has none.
        if (s.LoadNum > kLxlMaxLoads || s.LoadNum < 0) s.LoadNum = 0;
        if (!std::isfinite(s.Length)) return false;
        for (int j = 0; j < s.LoadNum; ++j) {
            LXL_LOAD& q = s.Loads[j];
            if (fgets_scan_fields(fp, kLineBytes, kLoadLine, &q.Kind, &q.Type, &q.Q1, &q.Q2, &q.A, &q.C) != 6)
                return false;
            if (!std::isfinite(q.Q1) || !std::isfinite(q.Q2) || !std::isfinite(q.A) || !std::isfinite(q.C))
                return false;
        }
    }
    // "nan" and "inf" scan as numbers, but the analysis would carry them into the
    // report and the sheet: no length, load, factor or percentage is made of them.
    for (float v : {f.SupportFactor, f.MidFactor, f.Redistribution, f.ConFactor})
        if (!std::isfinite(v)) return false;
    f.ClampCounts();
    return true;
}

void WriteFields(std::FILE* fp, const LXL_FIELDS& f) {
    std::fprintf(fp, kCountsLine, f.SpanNum, f.LeftSupport, f.RightSupport, f.CurSpan);
    std::fprintf(fp, kMaterialsLine, f.Seismic, f.ConGrade, f.Cover, f.BarGrade, f.StirrupGrade, f.StirrupSpacing,
                 f.SupportFactor, f.MidFactor, f.Steam, f.Redistribution, f.ConFactor, f.MinKsaiCheck);
    for (int i = 0; i < f.SpanNum; ++i) {
        const LXL_SPAN& s = f.Spans[i];
        std::fprintf(fp, kSpanLine, s.Length, s.Width, s.Height, s.LoadNum, s.CurLoad);
        for (int j = 0; j < s.LoadNum; ++j) {
            const LXL_LOAD& q = s.Loads[j];
            std::fprintf(fp, kLoadLine, q.Kind, q.Type, q.Q1, q.Q2, q.A, q.C);
        }
    }
}

}  // namespace

void LXL_FIELDS::ClampCounts() {
    SpanNum = std::clamp(SpanNum, 1, kLxlMaxSpans);
    CurSpan = std::clamp(CurSpan, 1, SpanNum);
    for (LXL_SPAN& s : Spans) {
        s.LoadNum = std::clamp(s.LoadNum, 0, kLxlMaxLoads);
        s.CurLoad = std::clamp(s.CurLoad, 1, std::max(1, s.LoadNum));
    }
}

CLxlData::CLxlData() {
    for (int i = 0; i < kLxlMaxSpans; ++i) {
        Spans[i].Number = i + 1;
        for (int j = 0; j < kLxlMaxLoads; ++j) Spans[i].Loads[j].Number = j + 1;
    }
    SetFileName("NONAME");
}

void CLxlData::SetFileName(const std::string& stem) { SetSingleEntry(stem, "_LXL"); }

int CLxlData::LoadData(const char* path) {
    return LoadMarkedData(path, kMarker, kMarkerV20, [this](std::FILE* fp, bool older) {
        LXL_FIELDS fields = *this;
        if (!ReadFields(fp, fields, older)) return false;
        // The older edition had no switch: its redistributed supports were always checked.
        if (older) fields.MinKsaiCheck = 1;
        static_cast<LXL_FIELDS&>(*this) = fields;
        // Either bar may be the HPB235 that the 2010 code replaced.
        if (BarGrade == 1 || StirrupGrade == 1) AdjustHpb235(older ? 2002 : 2010, 1);
        return true;
    });
}

int CLxlData::SaveData(const char* path) {
    ClampCounts();
    return SaveMarkedData(path, kMarker, [this](std::FILE* fp) { WriteFields(fp, *this); });
}
