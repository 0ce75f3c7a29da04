#pragma once
// Carrying out the script blocks of a report loaded in a rich-text document:
// an "InsertDxf=" block becomes the picture of its drawing, a "TextStyle=" block
// its text in the block's colour and size.
#include <QString>

#include <functional>
#include <string>

class QTextDocument;
class QTextEdit;

namespace kv::report::ui {

struct ScriptHooks {
    // Shows the drawing of a DXF file in the drawing view: after a run the view
    // shows the last drawing a block named.
    std::function<void(const std::string& dxfPath)> showDrawing;
    // The picture of the drawing the drawing view shows ("*Cur*" blocks).
    std::function<bool(int widthMm, int heightMm, std::string& png)> currentPicture;
};

// Pictures of drawings ask for this many millimetres on their longer side.
inline constexpr int kScriptPictureMm = 160;
// A run stops after this many blocks.
inline constexpr int kScriptRunLimit = 10000;

// The next block at or after `position`: its command text and its extent
// (`blockEnd` one past the end marker). The end marker is looked for after the
// start marker; markers match in any letter case. False when there is none.
bool FindScript(const QTextDocument& doc, int position, QString& command, int& blockStart, int& blockEnd);

enum class ScriptOutcome { Picture, Removed, Refused, Styled, Skipped };

// Carries out one block; `next` is where the search for the next block resumes.
// A block of no known kind is skipped; a drawing that gives no picture removes
// the block and inserts nothing; a drawing file that may not be read (see
// ScriptDrawingPath) is not read and the block becomes the text saying so.
ScriptOutcome DoScript(QTextDocument& doc, const QString& command, int blockStart, int blockEnd,
                       const ScriptHooks& hooks, int& next);

// Carries out every block, left to right; returns the number of blocks met.
int RunScripts(QTextDocument& doc, const ScriptHooks& hooks = {});
// The same in a view, then the caret goes to the start with nothing selected.
int RunScripts(QTextEdit* edit, const ScriptHooks& hooks = {});

}  // namespace kv::report::ui
