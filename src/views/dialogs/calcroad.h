#pragma once
// The 计算 of the member dialogs, once the dialog's fields are in the
// data object: the calculation and the report pass on the calculation runner,
// then the messages in the dialog's list, the drawing in the drawing view, the
// report turned into RTF, shown with its diagrams and saved, the companion
// report joined, and the item file saved (a file that cannot be saved is said so).
#include <cstdio>
#include <functional>
#include <string>

class CBase_SGT;
class CJsBaseData;
class QListWidget;

struct CalculationSteps {
    // The run: writes "Message.Box" in the current folder and the results into the data object.
    std::function<void()> calculate;
    // The report pass: the report text into `report` when it is given, the drawing into `drawing`.
    std::function<void(std::FILE* report, CBase_SGT* drawing)> report;
};

// `title` names the run in the progress window; `messages` may be null for a
// dialog that shows "Message.Box" its own way. Without an item (no file names
// yet) nothing is written; a report, drawing or item file that cannot be
// written is told in one message. False when another run was going and nothing ran.
bool RunCalculationRoad(CJsBaseData& data, const std::string& title, QListWidget* messages,
                        const CalculationSteps& steps);

// The 计算 of a member whose run writes its own drawings and report (the frame
// and finite-element members): `calculate` on the calculation runner, the report
// turned into RTF there, then drawing 0 in the drawing view, the report shown with
// its diagrams and saved, and the item file saved (a file that cannot be saved is
// said so). A failed run shows what it left; the message window says why. False
// when another run was going and nothing ran.
bool RunWrittenResultsRoad(CJsBaseData& data, const std::string& title, const std::function<void()>& calculate);

// What such a run left, for members whose calculation may refuse its data:
// `calculated` false when it did (nothing was written, so nothing is shown, the
// item file is not saved and the road answers false: the dialog stays open);
// `reported` false when the report could not be written (the file there is an
// earlier run's and is not shown).
struct WrittenResults {
    bool calculated = true;
    bool reported = true;
};
bool RunCheckedResultsRoad(CJsBaseData& data, const std::string& title,
                           const std::function<WrittenResults()>& calculate);

// Appends the report `tmpPath` to the report `reportPath` in the current report
// view (or, without one, in the file) and saves it there; the companion is deleted afterwards. A companion that
// does not exist leaves the report as it was. Returns 1.
int AppendTmpReport(const std::string& reportPath, const std::string& tmpPath);
