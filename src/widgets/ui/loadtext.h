#pragma once
// Showing a text file of the program (GBK on disk) in a multi-line edit box, in a
// rich edit or, line by line, in a list.
#include <string>

class QListWidget;
class QPlainTextEdit;
class QTextEdit;

// Replaces the box's text with the whole file. False when the file cannot be
// read; the box is then emptied, so it never shows an older text as current.
bool LoadTextToEdit(QPlainTextEdit* edit, const std::string& file);

// The same in a rich edit, in a fixed-width font with tab stops of eight; the
// file's coloured texts (its "TextStyle=" script blocks, as a calculation writes
// its warnings) show in their colour.
bool LoadTextToRichEdit(QTextEdit* edit, const std::string& file);

// Replaces the list's lines by the file's lines (either line end; tabs expanded to
// stops of eight, so the columns of a calculation's lines stay in line). False when
// the file cannot be read; the list is then left empty.
bool LoadToListBox(QListWidget* list, const std::string& file);
