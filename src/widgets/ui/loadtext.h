#pragma once
// Showing a text file of the program (GBK on disk) in a multi-line edit box or,
// line by line, in a list.
#include <string>

class QListWidget;
class QPlainTextEdit;

// Replaces the box's text with the whole file. False when the file cannot be
// read; the box is then emptied, so it never shows an older text as current.
bool LoadTextToEdit(QPlainTextEdit* edit, const std::string& file);

// Replaces the list's lines by the file's lines (either line end; tabs expanded to
// stops of eight, so the columns of a calculation's lines stay in line). False when
// the file cannot be read; the list is then left empty.
bool LoadToListBox(QListWidget* list, const std::string& file);
