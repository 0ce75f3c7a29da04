#pragma once
// Bar sets and the standard bar lists.
//
// A bar set is one or two groups of bars of one grade, either counted
// ("4D20", "4D20+2D18": form 0) or at a spacing ("D16@200", alternating
// "D16/14@200": form 1). Ties on a square grid (form 2) print like a spaced set;
// their cross spacing is kept beside the text by the caller. The mark before a
// diameter is d for the plain round bar (grade code 1) and D for ribbed bars;
// reading takes d, D, Φ or φ alike and keeps the set's grade, which the caller
// holds beside the text. Texts never hold a comma or a blank, as data files
// separate fields with commas and read texts with "%s".
#include <string>
#include <vector>

class CGangJin {
public:
    int m_nForm = 1;       // 0 counted bars, 1 bars at a spacing, 2 ties on a square grid
    int m_nGrade = 1;      // bar grade code
    int m_nKind = 1;       // bar type: 1 main and distribution bars, 2 ties
    int m_nCount = 0;      // bars of the first group (1 in the spacing forms)
    int m_nDiameter = 0;   // mm; 0 for an empty set
    int m_nCount2 = 0;     // bars of the second group (0: none)
    int m_nDiameter2 = 0;  // mm
    int m_nSpacing = 0;    // mm, spacing forms

    CGangJin() = default;
    CGangJin(int form, int grade, int count, int diameter, int spacing)
        : m_nForm(form), m_nGrade(grade), m_nCount(count), m_nDiameter(diameter), m_nSpacing(spacing) {}

    // Reads a bar text. An empty text empties the set and returns 1; a text that
    // cannot be read empties the set and returns 0. The form follows the text
    // (a tie set stays a tie set); the grade stays.
    int FromString(const std::string& text);
    // The bar text; style 0 for data files and grids, 1 for reports and drawings
    // (the same text). An empty set prints "".
    std::string ToString(int style = 0) const;
    // Steel area: mm² for counted bars, mm²/m for the spacing forms.
    float Area() const;
    bool IsEmpty() const { return m_nDiameter <= 0; }
    void Clear() { m_nCount = m_nDiameter = m_nCount2 = m_nDiameter2 = m_nSpacing = 0; }
};

// The standard bar lists of the edition in force (G_guifan) as texts.
class CGuiFanString {
public:
    CGuiFanString();
    // Diameters of the plain round bar (7), the ribbed bars (15) and the
    // residual-heat-treated bar (13), ascending.
    std::vector<std::string> m_strZhiJing[3];
    // The 24 standard spacings, ascending.
    std::vector<std::string> m_strJianJu;
    // Bar grade names of the edition, index = code - 1.
    std::vector<std::string> m_strGangJin;

    // The diameter list of a grade code: 1 the 7, 4 the 13, others the 15.
    const std::vector<std::string>& ZhiJing(int grade) const;
    // Name of a bar grade code; empty when the edition lacks it.
    std::string GangJinName(int grade) const;
};

// Chooses bars for a required area (mm² for form 0, mm²/m for form 1) among the
// standard diameters of grade 1..4 within [dmin, dmax], preferring dopt when it
// costs less than 2 % more. Returns 1 with the text in `out`; 0 for a bad grade
// or form (out untouched) or when even the largest diameter would need a spacing
// below the smallest standard one (out holds the best set found).
int SelectGangJin(int grade, int dmin, int dmax, int dopt, float area, int form, std::string& out);
