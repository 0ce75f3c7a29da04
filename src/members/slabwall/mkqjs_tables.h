#pragma once
// The second door-frame wall's result grids: the reinforcement grid, in which
// the user may change the chosen bars and tie spacings, and the result grid
// that the result page and the summary show.
#include "members/slabwall/mkqjs_data.h"
#include "members/slabwall/mkqjs_result.h"
#include "widgets/guifantable.h"

// Bars of each side; the owner sets both objects before filling. Every edit
// asks the owner to redraw and re-fill.
class CMkqPeiJinTable : public CGuiFanEasyTableWnd {
public:
    int FillTable() override;
    void AfterDataChange(int row, int column) override;

    CMkqJsData* m_pData = nullptr;
    CMkqResult* m_pResult = nullptr;
};

// Forces, checks and areas of each side (7 rows; 6 for the flat door, which
// has no Z row). Failures show in colour 06.
class CMkqJieGuoTable : public CGuiFanEasyTableWnd {
public:
    int FillTable() override;

    int m_bSkipFill = 0;  // set: FillTable leaves the grid as it is
    CMkqJsData* m_pData = nullptr;
    CMkqResult* m_pResult = nullptr;
};
