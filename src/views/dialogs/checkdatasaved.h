#pragma once
// The unsaved-changes check of a module dialog's Cancel.
#include <functional>

class CJsBaseData;

// Whether the main frame is in project mode; the main frame installs the query.
// Without one the program counts as not in project mode.
void SetProjectModeQuery(std::function<bool()> query);
bool IsProjectMode();

// In project mode: when the data object differs from its item file in the work
// folder (or the file is missing), asks whether to save. Returns 0 when the user
// cancels or the file cannot be saved (said in a message), else 1 (after saving
// on Yes).
int CheckDataSaved(CJsBaseData* data);
