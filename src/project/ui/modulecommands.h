#pragma once
// The module commands of the main frame. A module installs the command that runs
// its dialog (SetModuleCommand); until it has, the command says the module is not
// available. Module commands share one way of binding the module's data object
// to the current item (RunModuleCommand).
#include "app/mainframe.h"
#include "base/jsdata.h"
#include "views/dialogs/jiantu.h"

#include <QDialog>

#include <functional>
#include <utility>

using ModuleCommand = std::function<void(CMainFrame& frame)>;

// Installs (or, with an empty function, removes) the command of module command id
// `id`. Takes effect for frames set up before and after.
void SetModuleCommand(int id, ModuleCommand run);

// Gives the main frame a handler for every module command: the installed one, or
// the message that the module is not available.
void InstallModuleCommands(CMainFrame& frame);

struct ModuleCommandOptions {
    // Outside project mode, a dialog not ended with Cancel shows its diagrams.
    bool showDiagramsAfterSingleRun = false;
    // The item file is written after the dialog, however it ended, instead of a
    // new item's file before it: a new item opens with what the object holds and
    // always keeps its file.
    bool storeAfterDialog = false;
};

enum class ItemBinding {
    Unbound,     // not in project mode, or no item run
    Bound,       // the object is the current item's
    Unreadable,  // the item's file is there but its module cannot read it
};

// Hides the diagram chooser and, in project mode, binds `data` to the current
// item: title = item title, SetFileName(stem), then a new item's file is written
// from what the object holds now (SaveData; not with storeAfterDialog) and an
// existing item is read (LoadData). An existing item whose file is missing opens
// on what the object holds, like a new one; one whose file is there but cannot be
// read is Unreadable: the object would hold another item's values, and a 计算
// would write them over the file, so the file is kept and the user told.
ItemBinding BindItemData(CMainFrame& frame, CJsBaseData& data, const ModuleCommandOptions& options = {});

// Stores `data` into the current item's file (SetFileName(stem), SaveData); says
// so when the file cannot be written.
void StoreBoundItemData(CMainFrame& frame, CJsBaseData& data);

// The common module command: binds `data` as above, then runs the module's dialog
// modally through `runDialog(parent, data)`, which returns the dialog's result
// (QDialog::Rejected for Cancel). Returns that result; an unreadable item runs no
// dialog and gives QDialog::Rejected.
template <class Data, class RunDialog>
int RunModuleCommand(CMainFrame& frame, Data& data, RunDialog&& runDialog, ModuleCommandOptions options = {}) {
    const ItemBinding binding = BindItemData(frame, data, options);
    if (binding == ItemBinding::Unreadable) return QDialog::Rejected;
    const bool bound = binding == ItemBinding::Bound;
    int result = std::forward<RunDialog>(runDialog)(static_cast<QWidget*>(&frame), data);
    if (bound && options.storeAfterDialog) StoreBoundItemData(frame, data);
    if (!bound && options.showDiagramsAfterSingleRun && result != QDialog::Rejected) ShowJianTu(&data);
    return result;
}
