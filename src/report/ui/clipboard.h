#pragma once
// Reports on the clipboard: RTF with its pictures beside the plain text, so a
// whole report can be copied into another report or a word processor.
#include <memory>

class QMimeData;
class QTextCursor;
class QTextDocument;

namespace kv::report::ui {

// The document as clipboard data: "text/rtf" (our RTF) and "text/plain".
std::unique_ptr<QMimeData> ReportMimeData(const QTextDocument& doc);

// Inserts clipboard data at the cursor: RTF when there is any, else plain text.
// False when the data holds neither.
bool InsertMimeData(const QMimeData* data, QTextCursor& cursor);

}  // namespace kv::report::ui
