#pragma once
// Showing a text file of the program (GBK on disk) in a multi-line edit box.
#include <string>

class QPlainTextEdit;

// Replaces the box's text with the whole file. False when the file cannot be
// read; the box is then emptied, so it never shows an older text as current.
bool LoadTextToEdit(QPlainTextEdit* edit, const std::string& file);
