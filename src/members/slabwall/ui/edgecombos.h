#pragma once
// The edge supports of the slab and wall dialogs: the combos that follow the
// theory and the tip of the fixity of elastic edges.
class CBmpComboBox;
class QWidget;

namespace kv::slabwall::ui {

inline constexpr const char* kFixityTip =
    "0≤输入值≤1\n输入0按简支计算内力\n输入1按固定计算内力\n其它按简支和固定线性插值计算内力";

// The edge options follow the theory (0 elastic, 1 plastic): plastic offers
// 简支 and 固定 only, and an edge that was 弹性 becomes 固定 (in `edgeType`
// too); elastic offers all three and shows the fixity when an edge is 弹性.
void UpdateEdgeCombos(CBmpComboBox* const combos[4], int edgeType[4], int theory, QWidget* fixityEdit,
                      QWidget* fixityLabel);

// Each combo on its edge's code; none selected when the combo does not offer it
// (弹性 under plastic theory).
void SelectEdgeCombos(CBmpComboBox* const combos[4], const int edgeType[4]);

}  // namespace kv::slabwall::ui
