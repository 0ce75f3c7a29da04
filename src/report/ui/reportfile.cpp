#include "report/ui/reportfile.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "platform/codec.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "report/ui/clipboard.h"
#include "report/ui/rtfreader.h"

namespace kv::report::ui {

bool LooksLikeRtf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    return f.read(5) == "{\\rtf";
}

QFont PlainReportFont() {
    QFont font;
    font.setFamilies(ReportFontFamilies("宋体"));
    font.setPointSize(10);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

bool LoadReport(QTextDocument* doc, const QString& path, bool asRtf) {
    if (!doc) return false;
    std::string bytes;
    if (!kv::platform::ReadFileBytes(path.toStdString(), bytes)) return false;
    if (asRtf) {
        if (!ReadRtf(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())), doc)) return false;
        doc->setModified(false);
        return true;
    }
    std::string utf8 = kv::platform::GbkToUtf8Lossy(bytes);
    QString text = QString::fromStdString(utf8);
    text.replace("\r\n", "\n");
    // A load is no edit to undo: undoing it would empty the report.
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    doc->clear();
    QTextCursor c(doc);
    QTextCharFormat f;
    QFont font = PlainReportFont();
    f.setFontFamilies(font.families());
    f.setFontPointSize(font.pointSizeF());
    QTextBlockFormat b;
    c.setBlockFormat(b);
    c.setBlockCharFormat(f);
    c.insertText(text, f);
    doc->setUndoRedoEnabled(undo);
    doc->setModified(false);
    return true;
}

bool AppendReport(QTextDocument* target, const std::string& path) {
    std::string resolved = kv::platform::ResolveExisting(path);
    if (!target || resolved.empty() || !kv::platform::FileExists(resolved)) return false;
    QString file = QString::fromStdString(resolved);
    QTextDocument report;
    if (!LoadReport(&report, file, LooksLikeRtf(file))) return false;
    // The same data a copy of the whole report carries, inserted without going
    // through the user's clipboard.
    std::unique_ptr<QMimeData> data = ReportMimeData(report);
    QTextCursor cursor(target);
    cursor.movePosition(QTextCursor::End);
    // A report read from a file has no paragraph end after its last line: the
    // next one starts a paragraph of its own instead of running on in that line.
    if (cursor.block().length() > 1) cursor.insertBlock();
    InsertMimeData(data.get(), cursor);
    return true;
}

bool SaveReportText(const QTextDocument& doc, const QString& path) {
    QString text = doc.toPlainText();
    text.remove(QChar::ObjectReplacementCharacter);
    text.replace(QChar::Nbsp, ' ');
    return kv::platform::WriteTextFile(path.toStdString(), text.toStdString());
}

namespace {

// Visual lines before `block`, and the block's own.
int LinesBefore(const QTextDocument& doc, const QTextBlock& block) {
    int n = 0;
    for (QTextBlock b = doc.begin(); b.isValid() && b != block; b = b.next())
        n += b.layout() && b.layout()->lineCount() > 0 ? b.layout()->lineCount() : 1;
    return n;
}

}  // namespace

void ScrollToLine(QTextEdit* edit, int line) {
    if (!edit) return;
    QTextDocument* doc = edit->document();
    doc->documentLayout();  // lays the text out
    int remaining = std::max(1, line) - 1;
    qreal y = 0;
    bool found = false;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        QTextLayout* layout = b.layout();
        int lines = layout && layout->lineCount() > 0 ? layout->lineCount() : 1;
        if (remaining < lines) {
            QRectF r = doc->documentLayout()->blockBoundingRect(b);
            y = r.top() + (layout && layout->lineCount() > 0 ? layout->lineAt(remaining).y() : 0);
            found = true;
            break;
        }
        remaining -= lines;
    }
    QScrollBar* bar = edit->verticalScrollBar();
    // The first line keeps the document margin above it; any other goes to the very top.
    if (found && y <= doc->documentMargin()) y = 0;
    bar->setValue(found ? static_cast<int>(std::ceil(y)) : bar->maximum());
}

int CaretLine(const QTextEdit* edit) {
    if (!edit) return 1;
    QTextCursor c = edit->textCursor();
    QTextBlock block = c.block();
    int line = LinesBefore(*edit->document(), block);
    if (QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0)
        line += layout->lineForTextPosition(c.positionInBlock()).lineNumber();
    return line + 1;
}

QString LineStatusText(const QTextEdit* edit) { return QString("Line: %1").arg(CaretLine(edit)); }

void PrintReport(const QTextDocument& doc, QPrinter* printer, bool preview) {
    if (!printer) return;
    // The pages are laid out here on the whole paper: the document's own printing
    // would add two centimetres of its own inside the printer's margins.
    printer->setFullPage(true);
    QPainter painter(printer);
    if (!painter.isActive()) return;
    const int dpiX = printer->logicalDpiX(), dpiY = printer->logicalDpiY();
    const QRectF paper = printer->paperRect(QPrinter::DevicePixel);
    const qreal left = kPrintMarginTwips * dpiX / 1440.0, top = kPrintMarginTwips * dpiY / 1440.0;
    const QSizeF body(paper.width() - 2 * left, paper.height() - 2 * top);
    if (body.width() <= 0 || body.height() <= 0) return;
    const QRectF paperPt = printer->paperRect(QPrinter::Point);
    const int paperWidthTwips = qRound(paperPt.width() * 20), paperHeightTwips = qRound(paperPt.height() * 20);

    // A copy laid out for the printer; pictures still come from the original.
    std::unique_ptr<QTextDocument> copy(doc.clone(const_cast<QTextDocument*>(&doc)));
    copy->documentLayout()->setPaintDevice(printer);
    QTextFrameFormat root = copy->rootFrame()->frameFormat();
    root.setMargin(0);
    root.setPadding(0);
    copy->rootFrame()->setFrameFormat(root);
    copy->setPageSize(body);
    const int pages = copy->pageCount();
    // The pages the print dialog chose (none chosen: all).
    int first = 1, last = pages;
    if (printer->fromPage() > 0 || printer->toPage() > 0) {
        first = std::max(1, printer->fromPage());
        last = printer->toPage() > 0 ? std::min(pages, printer->toPage()) : pages;
    }
    for (int page = first - 1; page < last; ++page) {
        if (page > first - 1 && !printer->newPage()) break;
        painter.save();
        painter.translate(left, top - page * body.height());
        const QRectF view(0, page * body.height(), body.width(), body.height());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        copy->documentLayout()->draw(&painter, context);
        painter.restore();
        if (preview) DrawMarginLines(&painter, paperWidthTwips, paperHeightTwips, dpiX, dpiY);
    }
}

void DrawMarginLines(QPainter* painter, int paperWidthTwips, int paperHeightTwips, int dpiX, int dpiY) {
    if (!painter) return;
    painter->save();
    QPen pen(painter->pen().color(), 0, Qt::DotLine);
    painter->setPen(pen);
    auto x = [dpiX](int twips) { return twips * dpiX / 1440; };
    auto y = [dpiY](int twips) { return twips * dpiY / 1440; };
    const int m = kPrintMarginTwips;
    painter->drawLine(0, y(m), 10000, y(m));
    painter->drawLine(0, y(paperHeightTwips - m), 10000, y(paperHeightTwips - m));
    painter->drawLine(x(m), 0, x(m), 10000);
    painter->drawLine(x(paperWidthTwips - m), 0, x(paperWidthTwips - m), 10000);
    painter->restore();
}

}  // namespace kv::report::ui
