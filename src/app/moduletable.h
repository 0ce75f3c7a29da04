#pragma once
// The module table: one row per module of the current work setting. A module's
// index is its row: project files keep per-row arrays, project windows open per
// row and a calculation starts by sending the row's command id to the main frame.

// One row. The name is UTF-8 in memory (the project file stores it as GBK).
struct MODULE_INFO {
    char name[32];
    int nID;    // command that runs the module's dialog
    int nFlag;  // 1 in every row the program builds
};

inline constexpr int kModuleRows = 30;

extern MODULE_INFO G_Module[kModuleRows];
extern int G_ModuleNum;

// Fills all 30 rows for work setting 0..3 at once; rows past the count are zero.
// Any other setting leaves the table as it is.
void SetModuleTable(int workSet);
