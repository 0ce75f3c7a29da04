#pragma once
// Loading and saving reports in a rich-text document, and the line tools of the
// report view.
#include <QFont>
#include <QString>

#include <string>

class QPainter;
class QPrinter;
class QTextDocument;
class QTextEdit;

namespace kv::report::ui {

// True when the file's first five bytes are "{\rtf": it is read as RTF whatever
// its name. False for anything else, a shorter file or one that cannot be read.
bool LooksLikeRtf(const QString& path);

// The font plain-text reports are shown in: 宋体 (or a fixed-pitch CJK face in
// its place), 10 points.
QFont PlainReportFont();

// Loads a report into `doc`: RTF, or GBK plain text in the plain report font.
// False (and `doc` unchanged) when the file cannot be read.
bool LoadReport(QTextDocument* doc, const QString& path, bool asRtf);

// Appends a report file (RTF with its pictures, or plain text) at the end of
// `target`, in a paragraph of its own. A file that cannot be read adds nothing
// and answers false.
bool AppendReport(QTextDocument* target, const std::string& path);

// Saves the document's text as a GBK text file, its last line included even
// without a line end; pictures are left out.
bool SaveReportText(const QTextDocument& doc, const QString& path);

// Scrolls the view so that 1-based `line` is the first visible line (as far as
// the view can scroll).
void ScrollToLine(QTextEdit* edit, int line);
// The 1-based line of the caret, lines as the view shows them.
int CaretLine(const QTextEdit* edit);
// The text of the status pane: "Line: %d".
QString LineStatusText(const QTextEdit* edit);

// Report pages: one inch on every side.
inline constexpr int kPrintMarginTwips = 1440;
// Prints the document on the printer with the report margins; a preview also
// shows the margins as dotted lines.
void PrintReport(const QTextDocument& doc, QPrinter* printer, bool preview = false);
// Dotted lines at the margins of a preview page of `paperTwips` size, drawn in
// the painter's pen colour; `dpiX`/`dpiY` are the page device's resolution.
void DrawMarginLines(QPainter* painter, int paperWidthTwips, int paperHeightTwips, int dpiX, int dpiY);

}  // namespace kv::report::ui
