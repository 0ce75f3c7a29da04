#pragma once
// Grade combo boxes shared by the member dialogs: fill a combo with the concrete
// or bar grades of a code edition, select a grade, read the chosen grade back.
// Every function does nothing when the combo box is null.
class QComboBox;

// The signs of the edition's concrete grades, in grade-list order.
void FillConCombo(int edition, QComboBox* box);
// The bar-grade signs in the display order of `use`; under 2010 for uses 0 and
// 2 the entries after the fourth (grades not recommended there) carry a "*".
void FillGangJinCombo(int edition, QComboBox* box, int use);
// Selects the first entry whose sign lies inside the sign of `grade`; no match
// leaves the selection alone.
void SelectConCombo(int edition, int grade, QComboBox* box);
// Selects the first entry whose sign holds the sign of `grade`; no match (or an
// unknown grade) leaves the selection alone.
void SelectGangJinCombo(int edition, int grade, QComboBox* box, int use);
// Stores the grade of the selected entry (GradeFromSign) in `result`; kind 0
// concrete, 1 bars.
void GetComboGrade(int edition, int& result, QComboBox* box, int kind);
