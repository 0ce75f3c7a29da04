#pragma once
// Grids with design-code cells: concrete and bar grade lists, bar diameters of
// a grade and bar texts, all following the code edition in force (G_guifan)
// when the grid is filled.
#include <cstddef>
#include <string>

#include "widgets/easytable.h"

class CGuiFanEasyTableWnd : public CEasyTableWnd {
public:
    // Concrete grade: the edition's signs ("C30"); the field holds the grade number (30).
    CETCell* Add_HunNingTu_JieBie(int row, int column, int* grade);
    // Longitudinal bar grade: the signs in the display order of `use` (0, as the
    // longitudinal-bar combos; under 2010 the grades not recommended carry "*");
    // the field holds the grade code. `style` is reserved (0).
    CETCell* Add_ZongJin_JiBie(int row, int column, int* grade, int use = 0, int style = 0);
    // Tie grade: the signs in the order of the tie combos; the field holds the grade code.
    CETCell* Add_GuJin_JieBie(int row, int column, int* grade);
    // Bar diameter (mm) among the standard diameters of bar grade `grade`.
    CETCell* Add_GangJin_ZhiJin(int row, int column, int* diameter, int grade);
    // Bar text ("D16@200", "4D20") of bar type `type` (1 main and distribution
    // bars, 2 ties) and grade code `grade`. A text that is not a bar set is
    // refused; a read one is stored as the bar set prints it (ToString(style)).
    // The hint gives the area of the bars.
    CETCell* Add_GangJin_String(int row, int column, std::string* text, int type, int grade, int style = 1);
    CETCell* Add_GangJin_String(int row, int column, char* text, std::size_t size, int type, int grade,
                                int style = 1);
    template <std::size_t N>
    CETCell* Add_GangJin_String(int row, int column, char (&text)[N], int type, int grade, int style = 1) {
        return Add_GangJin_String(row, column, text, N, type, grade, style);
    }

protected:
    bool ReadText(CETCell& cell, std::string& text) override;

private:
    CETCell* GradeList(int row, int column, int* grade, int use);
    static std::string AreaHint(const std::string& text, int type, int grade);
};
