#include "members/shells/shell_data.h"

#include <cmath>
#include <initializer_list>

#include "base/textio.h"
#include "codes/codeedition.h"

namespace {

constexpr int kLineBytes = 290;

constexpr const char* kRectLine1 = "%f,%f,%d,%d,%f,%f,%d,%d\n";
// beam_ini_factor fills both the 8th and the 10th value: on reading the 10th stays.
constexpr const char* kRectLine2 = "%f,%d,%d,%d,%d,%d,%d,%f,%d,%f,%d\n";
constexpr const char* kRoundLine1 = "%f,%d,%d,%f,%f,%d,%d\n";
constexpr const char* kRoundLine2 = "%f,%d,%d,%d,%d,%d,%d,%f,%d,%d\n";
constexpr const char* kCircleLine3 = "%d,%d,%s\n";

bool Finite(std::initializer_list<float> values) {
    for (float v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

// The code-edition notice for plain round bars of an older file (2002 edition
// for the older marker).
void NoticeHpb235(bool older, int shellGrade, int beamGrade) {
    if (shellGrade == 1 || beamGrade == 1) AdjustHpb235(older ? 2002 : 2010, 1);
}

void SetDrawings(CJsBaseData& data, const std::string& stem, const char* const (*table)[2], int count,
                 const char* suffix) {
    data.m_strStem = stem;
    data.m_nJtNum = 0;
    const std::string rtf = stem + suffix + ".RTF";
    for (int k = 0; k < count; ++k) data.SetJt(k, table[k][0], stem + "_" + table[k][1] + suffix + ".DXF", rtf);
}

}  // namespace

// ---- rectangle ------------------------------------------------------------------

CRectBqData G_RectBqData;
CSixBqData G_SixBqData;
CCircleBqData G_CircleBqData;

CRectBqData::CRectBqData() { SetFileName("NONAME"); }

void CRectBqData::SetFileName(const std::string& stem) {
    static const char* const kDrawings[13][2] = {{"Nx", "Nx"},   {"Ny", "Ny"},     {"S", "S"},     {"Mx", "Mx"},
                                                 {"My", "My"},   {"Mxy", "Mxy"},   {"Qx", "Qx"},   {"Qy", "Qy"},
                                                 {"位移", "O"},  {"Nmax", "Nma"},  {"Nmin", "Nmi"}, {"As", "As"},
                                                 {"边梁配筋", "Bl"}};
    SetDrawings(*this, stem, kDrawings, 13, "_BQ1");
}

int CRectBqData::SaveData(const char* path) {
    return SaveMarkedData(path, kMarker, [this](std::FILE* fp) {
        std::fprintf(fp, kRectLine1, a, b, t_top, t_bottom, r_const, f, beam_b, beam_h);
        std::fprintf(fp, kRectLine2, q, concrete_grade, shell_rebar_grade, reserved_1, reserved_2, beam_rebar_grade,
                     as, beam_ini_factor, steam_cured, beam_ini_factor, rebar_mode);
    });
}

int CRectBqData::LoadData(const char* path) {
    return LoadMarkedData(path, kMarker, kMarkerV20, [this](std::FILE* fp, bool older) {
        RECTBQ_FIELDS d = *this;
        if (!fgets_scan_exact(fp, kLineBytes, kRectLine1, &d.a, &d.b, &d.t_top, &d.t_bottom, &d.r_const, &d.f,
                              &d.beam_b, &d.beam_h) ||
            !fgets_scan_exact(fp, kLineBytes, kRectLine2, &d.q, &d.concrete_grade, &d.shell_rebar_grade,
                              &d.reserved_1, &d.reserved_2, &d.beam_rebar_grade, &d.as, &d.beam_ini_factor,
                              &d.steam_cured, &d.beam_ini_factor, &d.rebar_mode) ||
            !Finite({d.a, d.b, d.r_const, d.f, d.q, d.beam_ini_factor}))
            return false;
        if (older) d.rebar_mode = 0;
        static_cast<RECTBQ_FIELDS&>(*this) = d;
        NoticeHpb235(older, shell_rebar_grade, beam_rebar_grade);
        return true;
    });
}

// ---- hexagon --------------------------------------------------------------------

CSixBqData::CSixBqData() {
    for (int k = 0; k < 15; ++k) points[k].no = k + 1;
    SetFileName("NONAME");
}

void CSixBqData::SetFileName(const std::string& stem) {
    static const char* const kDrawings[11][2] = {{"Nx", "Nx"},     {"Ny", "Ny"},     {"S", "S"},  {"Mx", "Mx"},
                                                 {"My", "My"},     {"Mxy", "Mxy"},   {"位移", "O"}, {"Nmax", "Nma"},
                                                 {"Nmin", "Nmi"},  {"As", "As"},     {"边梁配筋", "Bl"}};
    SetDrawings(*this, stem, kDrawings, 11, "_BQ2");
}

int CSixBqData::SaveData(const char* path) {
    return SaveMarkedData(path, kMarker, [this](std::FILE* fp) {
        std::fprintf(fp, kRoundLine1, a, t_top, t_bottom, r_const, f, beam_b, beam_h);
        std::fprintf(fp, kRoundLine2, q, concrete_grade, shell_rebar_grade, reserved_1, reserved_2, beam_rebar_grade,
                     as, beam_ini_factor, steam_cured, rebar_mode);
    });
}

int CSixBqData::LoadData(const char* path) {
    return LoadMarkedData(path, kMarker, kMarkerV20, [this](std::FILE* fp, bool older) {
        SIXBQ_FIELDS d = *this;
        if (!fgets_scan_exact(fp, kLineBytes, kRoundLine1, &d.a, &d.t_top, &d.t_bottom, &d.r_const, &d.f,
                              &d.beam_b, &d.beam_h) ||
            !fgets_scan_exact(fp, kLineBytes, kRoundLine2, &d.q, &d.concrete_grade, &d.shell_rebar_grade,
                              &d.reserved_1, &d.reserved_2, &d.beam_rebar_grade, &d.as, &d.beam_ini_factor,
                              &d.steam_cured, &d.rebar_mode) ||
            !Finite({d.a, d.r_const, d.f, d.q, d.beam_ini_factor}))
            return false;
        if (older) d.rebar_mode = 0;
        static_cast<SIXBQ_FIELDS&>(*this) = d;
        NoticeHpb235(older, shell_rebar_grade, beam_rebar_grade);
        return true;
    });
}

// ---- circle ---------------------------------------------------------------------

CCircleBqData::CCircleBqData() { SetFileName("NONAME"); }

void CCircleBqData::SetFileName(const std::string& stem) {
    static const char* const kDrawings[12][2] = {{"经向内力", "N"}, {"环向内力", "H"}, {"经向弯矩", "M"},
                                                 {"经向切力", "Q"}, {"法向位移", "O"}, {"经向位移", "v"},
                                                 {"经向转角", "k"}, {"环梁配筋", "Bl"}, {"半径", "r"},
                                                 {"经向配筋", "Jx"}, {"环向配筋", "Hx"}, {"边界条件", "Bj"}};
    SetDrawings(*this, stem, kDrawings, 12, "_BQ3");
}

int CCircleBqData::SaveData(const char* path) {
    return SaveMarkedData(path, kMarker, [this](std::FILE* fp) {
        std::fprintf(fp, kRoundLine1, r, t_top, t_bottom, r_const, f, beam_b, beam_h);
        std::fprintf(fp, kRoundLine2, q, concrete_grade, shell_rebar_grade, reserved_1, reserved_2, beam_rebar_grade,
                     as, beam_ini_factor, steam_cured, rebar_mode);
        std::fprintf(fp, kCircleLine3, e_alpha, e1_alpha, boundary.c_str());
    });
}

int CCircleBqData::LoadData(const char* path) {
    return LoadMarkedData(path, kMarker, kMarkerV20, [this](std::FILE* fp, bool older) {
        CIRCLEBQ_FIELDS d = *this;
        // The support word is one word of a bounded buffer: it ends at the first blank.
        char word[64] = {};
        if (!fgets_scan_exact(fp, kLineBytes, kRoundLine1, &d.r, &d.t_top, &d.t_bottom, &d.r_const, &d.f,
                              &d.beam_b, &d.beam_h) ||
            !fgets_scan_exact(fp, kLineBytes, kRoundLine2, &d.q, &d.concrete_grade, &d.shell_rebar_grade,
                              &d.reserved_1, &d.reserved_2, &d.beam_rebar_grade, &d.as, &d.beam_ini_factor,
                              &d.steam_cured, &d.rebar_mode) ||
            !fgets_scan_exact(fp, kLineBytes, "%d,%d,%s", &d.e_alpha, &d.e1_alpha, word) ||
            !Finite({d.r, d.r_const, d.f, d.q, d.beam_ini_factor}))
            return false;
        std::string text = word;
        const std::size_t blank = text.find_first_of(" \t");
        if (blank != std::string::npos) text.erase(blank);
        d.boundary = text;
        if (older) d.rebar_mode = 0;
        static_cast<CIRCLEBQ_FIELDS&>(*this) = d;
        NoticeHpb235(older, shell_rebar_grade, beam_rebar_grade);
        return true;
    });
}
