#pragma once
// What the beam- and column-section dialogs share: the section picture on the
// picture button, and the 计算 that shows the result lines in the rich edit.
#include <QString>

#include <cstdio>
#include <functional>
#include <string>

class CBase_SGT;
class CJsBaseData;
class QTextEdit;
class QToolButton;

namespace kv::beams::ui {

// The program folder's picture `name` on the button (an empty frame when the
// folder lacks it); the button is sized to it and remembers its name.
void ShowSectionPicture(QToolButton* button, const std::string& name);

// The calculation road of a section dialog: `calculate` writes "Message.Box"
// (false when it could not), `report` the report and the sketch. The result
// box then shows "Message.Box"; when that could not be written it is emptied
// and the user told, so no earlier run's lines stand as this one's.
void CalculateSection(CJsBaseData& data, const std::string& title, QTextEdit* results,
                      const std::function<bool()>& calculate,
                      const std::function<void(std::FILE*, CBase_SGT*)>& report);

}  // namespace kv::beams::ui
