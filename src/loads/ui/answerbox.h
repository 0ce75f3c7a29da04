#pragma once
// The load dialogs' road for an answer: write it to "Message.Box" and show that
// file in the result box.
#include <string>

class QPlainTextEdit;

// Replaces "Message.Box" with `text` and shows the file in `result`. When the file
// cannot be written the box is emptied, so no older answer stands as the current
// one, and the user is told; false then.
bool ShowAnswer(QPlainTextEdit* result, const std::string& text);

// The same for a calculation that wrote (or failed to write) the file itself.
bool ShowMessageBox(QPlainTextEdit* result, bool written);
