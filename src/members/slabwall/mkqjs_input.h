#pragma once
// The input grids of the second door-frame wall, bound to the fields of its data
// object: the door, the sizes and the loads of the four sides, the materials,
// the bar ranges, the review of imported loads and the scale of a diagram. The
// owner sets `m_pData` before the grid is filled; the same grids, filled in
// report mode, print the input into the calculation report.
#include <cstdint>

#include "widgets/guifantable.h"

class CMkqJsData;

// Columns of the side grids: 2 左, 3 右, 4 上, 5 下 (column 1 holds the label).
inline constexpr int kMkqFirstSideColumn = 2;
// The current side's column; other value cells are white.
inline constexpr std::uint32_t kMkqCurrentSideColour = 0xB4FFB4;  // RGB(180, 255, 180)
inline constexpr std::uint32_t kMkqWhite = 0xFFFFFF;
inline constexpr std::uint32_t kMkqInvalidText = 0x0000FF;        // RGB(255, 0, 0)

// 门类型 and the door opening. Changing the door type sets or clears the
// chamfers of the sides (and the door-leaf loads of 上/下 for the arched door).
class CMkqMenDongTable : public CEasyTableWnd {
public:
    CMkqJsData* m_pData = nullptr;
    int FillTable() override;
    void AfterDataChange(int row, int column) override;
};

// Sizes of the four sides.
class CMkqChiCunTable : public CEasyTableWnd {
public:
    CMkqJsData* m_pData = nullptr;
    int FillTable() override;
    void AfterDataChange(int, int) override {}
};

// Loads of the four sides.
class CMkqHeZaiTable : public CEasyTableWnd {
public:
    CMkqJsData* m_pData = nullptr;
    int FillTable() override;
    void AfterDataChange(int, int) override {}
};

// Concrete, bar grades, the area factor and steam curing.
class CMkqCaiLiaoTable : public CGuiFanEasyTableWnd {
public:
    CMkqJsData* m_pData = nullptr;
    int FillTable() override;
};

// The ranges the bar choice keeps to: diameters of bars and ties, tie spacing.
class CMkqXuanJinTable : public CGuiFanEasyTableWnd {
public:
    CMkqJsData* m_pData = nullptr;
    int FillTable() override;
};

// Review of the loads the load tool gave: m_bValid is cleared by any cell that
// fails its check (the cell turns red and its hint says why).
class CMkqXieJiaoTable : public CEasyTableWnd {
public:
    CMkqJsData* m_pData = nullptr;
    int m_bValid = 1;
    int FillTable() override;
    void AfterDataChange(int, int) override {}
};

// Scale of the diagram the data object has selected (m_nCurJt).
class CMkqJianTuTable : public CEasyTableWnd {
public:
    CMkqJsData* m_pData = nullptr;
    int FillTable() override;
};
