#pragma once
// Clearing the finite-element work files out of the work folder after an
// analysis: the grid beam, the rigid frame and the flat slab leave them there.
#include <functional>
#include <span>
#include <string>
#include <string_view>

// The work files an analysis may leave, by name; removed in any case of letters.
std::span<const char* const> FemWorkFiles();

// Removes every file of the work folder (G_strWorkPath) whose name is `name` in
// any case of letters ("defor.see" for "DEFOR.SEE"); nothing there is no fault.
void remove_in_work_path(std::string_view name);

class CJsBaseData;

// Removes the drawings (every DXF the item names) and the first report of an
// item's earlier run, in any case of letters: a run that fails must not leave
// them looking like its own.
void remove_item_results(const CJsBaseData& data);

// Removes every file of FemWorkFiles() from the work folder. Returns 1.
int delete_fem_files();

// How a module's analysis run ends, in its own words ("计算成功 !").
struct FemRunEnding {
    const char* success;
    const char* failure;
};

// The last lines of a run whose work files are gone: with JS_ERROR_CODE set it
// says the failure and returns 0; otherwise it says the success and returns 1,
// leaving no code pending.
int end_fem_run(const FemRunEnding& ending);

// Runs `calculate` through the calculation runner under `title`. Memory running
// out clears the work files and says the failure. Returns what `calculate`
// returned; 0 when it ran out of memory or did not run.
int run_fem_calculation(const std::string& title, const FemRunEnding& ending, const std::function<int()>& calculate);
