#pragma once
// Reading RTF into a rich-text document: fonts, sizes, bold, italic, underline,
// sub- and superscript, colours, paragraphs with their indents and alignment,
// tables, PNG and JPEG pictures, \uN and \'hh characters (code page 936 or the
// font's character set). Chinese text takes the font, size, bold and italic a word
// processor gives double-byte characters (\dbch with \af, \afs, \ab, \ai), other
// text those of \loch and \hich. Anything else is skipped.
#include <QByteArray>

class QTextCursor;
class QTextDocument;

namespace kv::report::ui {

// Replaces the content of `doc` with the RTF in `rtf`. False (and the document
// left as it was) when the bytes do not start an RTF group.
bool ReadRtf(const QByteArray& rtf, QTextDocument* doc);

// Inserts the RTF's content at the cursor (replacing its selection), as one edit
// to undo. False when the bytes do not start RTF.
bool InsertRtf(const QByteArray& rtf, QTextCursor& cursor);

// The face and fallbacks a font named in a report is shown with: the Chinese
// fixed faces keep their columns through a fixed-pitch CJK face.
QStringList ReportFontFamilies(const QString& face);

}  // namespace kv::report::ui
