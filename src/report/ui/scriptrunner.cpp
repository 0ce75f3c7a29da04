#include "report/ui/scriptrunner.h"

#include <QColor>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>

#include <algorithm>
#include <cmath>

#include "report/ui/pictures.h"
#include "report/rtf.h"
#include "report/script.h"

namespace kv::report::ui {

namespace {

QString Marker(std::string_view m) { return QString::fromLatin1(m.data(), static_cast<int>(m.size())); }

qreal MmToPx(double mm) { return mm / 25.4 * 96.0; }

}  // namespace

bool FindScript(const QTextDocument& doc, int position, QString& command, int& blockStart, int& blockEnd) {
    const QString start = Marker(kv::report::kScriptStart);
    const QString end = Marker(kv::report::kScriptEnd);
    QTextCursor s = doc.find(start, position);
    if (s.isNull()) return false;
    QTextCursor e = doc.find(end, s.selectionEnd());
    if (e.isNull()) return false;
    QTextCursor between(const_cast<QTextDocument*>(&doc));
    between.setPosition(s.selectionEnd());
    between.setPosition(e.selectionStart(), QTextCursor::KeepAnchor);
    command = between.selectedText();
    blockStart = s.selectionStart();
    blockEnd = e.selectionEnd();
    return true;
}

ScriptOutcome DoScript(QTextDocument& doc, const QString& command, int blockStart, int blockEnd,
                       const ScriptHooks& hooks, int& next) {
    next = blockEnd;
    // A start marker without its end marker swallows the next block: skip only
    // the lone marker so that the following block still runs.
    const QString start = Marker(kv::report::kScriptStart);
    if (command.contains(start, Qt::CaseInsensitive) || command.contains(QChar::ParagraphSeparator) ||
        command.size() > static_cast<qsizetype>(kv::report::kScriptCommandMax)) {
        next = blockStart + static_cast<int>(start.size());
        return ScriptOutcome::Skipped;
    }
    ScriptCommand cmd = ParseScriptCommand(command.toStdString());
    if (cmd.kind == ScriptCommand::None) return ScriptOutcome::Skipped;

    QTextCursor block(&doc);
    block.setPosition(blockStart);
    block.setPosition(blockEnd, QTextCursor::KeepAnchor);

    if (cmd.kind == ScriptCommand::InsertDxf) {
        std::string png;
        bool made = false;
        if (cmd.currentDrawing) {
            made = hooks.currentPicture && hooks.currentPicture(kScriptPictureMm, kScriptPictureMm, png);
        } else {
            std::string refusal;
            std::string path = kv::report::ScriptDrawingPath(cmd.fileName, refusal);
            if (path.empty()) {
                // The report says which drawing it left out, in the text's own format.
                QTextCursor at(&doc);
                at.setPosition(blockStart + 1);
                const QString text = QString::fromStdString(refusal);
                block.insertText(text, at.charFormat());
                next = blockStart + static_cast<int>(text.size());
                return ScriptOutcome::Refused;
            }
            if (hooks.showDrawing) hooks.showDrawing(path);
            made = kv::report::MakePicture(path, kScriptPictureMm, kScriptPictureMm, png);
        }
        // The drawing stays in its PNG bytes, as pictures read from a report do.
        const QByteArray bytes = made ? QByteArray::fromStdString(png) : QByteArray();
        const QSize size = PictureSize(bytes);
        block.removeSelectedText();
        next = blockStart;
        if (!size.isValid()) return ScriptOutcome::Removed;
        static int serial = 0;
        QString name = QString("kvreport://drawing/%1").arg(++serial);
        doc.addResource(QTextDocument::ImageResource, QUrl(name), bytes);
        double scale = std::min(kScriptPictureMm / static_cast<double>(size.width()),
                                kScriptPictureMm / static_cast<double>(size.height()));
        QTextImageFormat f;
        f.setName(name);
        f.setWidth(MmToPx(size.width() * scale));
        f.setHeight(MmToPx(size.height() * scale));
        block.insertImage(f);
        next = blockStart + 1;
        return ScriptOutcome::Picture;
    }

    // TextStyle: the text in the block's place, plain, in the colour, its height
    // scaled in whole twips.
    QTextCursor at(&doc);
    at.setPosition(blockStart + 1);
    QTextCharFormat f = at.charFormat();
    qreal pt = f.fontPointSize() > 0 ? f.fontPointSize() : doc.defaultFont().pointSizeF();
    int twips = static_cast<int>(std::lround(pt * 20));
    int scaled = static_cast<int>(twips * cmd.factor);
    f.setFontWeight(QFont::Normal);
    f.setFontItalic(false);
    f.setFontUnderline(false);
    f.setFontStrikeOut(false);
    f.setForeground(QColor(cmd.colour & 0xFF, (cmd.colour >> 8) & 0xFF, (cmd.colour >> 16) & 0xFF));
    f.setFontPointSize(scaled / 20.0);
    QString text = QString::fromStdString(cmd.text);
    block.removeSelectedText();
    block.insertText(text, f);
    next = blockStart + static_cast<int>(text.size());
    return ScriptOutcome::Styled;
}

int RunScripts(QTextDocument& doc, const ScriptHooks& hooks) {
    int position = 0, count = 0;
    for (int k = 0; k < kScriptRunLimit; ++k) {
        QString command;
        int s = 0, e = 0;
        if (!FindScript(doc, position, command, s, e)) break;
        int next = e;
        DoScript(doc, command, s, e, hooks, next);
        position = next;
        ++count;
    }
    return count;
}

int RunScripts(QTextEdit* edit, const ScriptHooks& hooks) {
    if (!edit) return 0;
    // Script edits are part of loading the report, not the user's to undo.
    QTextDocument* doc = edit->document();
    bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    int n = RunScripts(*doc, hooks);
    doc->setUndoRedoEnabled(undo);
    QTextCursor c = edit->textCursor();
    c.setPosition(0);
    edit->setTextCursor(c);
    return n;
}

}  // namespace kv::report::ui
