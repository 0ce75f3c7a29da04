#pragma once
// Writing a rich-text document as RTF, so that a report the user edited is saved
// with its fonts, colours, tables and pictures (PNG).
#include <QByteArray>
#include <QString>

class QTextDocument;

namespace kv::report::ui {

QByteArray WriteRtf(const QTextDocument& doc);

// Writes the document as RTF to `path`, replacing the file as a whole.
bool SaveRtf(const QTextDocument& doc, const QString& path);

}  // namespace kv::report::ui
