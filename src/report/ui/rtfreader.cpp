#include "report/ui/rtfreader.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>
#include <QVector>

#include <optional>
#include <string>

#include "platform/codec.h"
#include "report/ui/pictures.h"

namespace kv::report::ui {

QStringList ReportFontFamilies(const QString& face) {
    static const QStringList fixedCjk = {"宋体", "SimSun", "新宋体", "NSimSun", "仿宋", "FangSong", "楷体", "KaiTi"};
    QStringList families{face};
    if (fixedCjk.contains(face, Qt::CaseInsensitive))
        families << "WenQuanYi Micro Hei Mono" << "Noto Sans Mono CJK SC" << "monospace";
    else
        families << "WenQuanYi Micro Hei" << "Noto Sans CJK SC";
    return families;
}

namespace {

// Twips to the document's pixels (96 per inch).
qreal Px(int twips) { return twips / 15.0; }

enum class Dest { Text, FontTable, FontEntry, ColourTable, Picture, Skip };

// The classes of characters a word processor formats apart: \loch single-byte
// low (ASCII), \hich single-byte high, \dbch double-byte (Chinese) text.
enum CharClass { kLowClass, kHighClass, kDoubleClass, kClassCount };

// What \af, \afs, \ab and \ai give one class; unset values fall back to \f, \fs, \b, \i.
struct ClassProps {
    int font = -1;
    int halfPoints = 0;
    int bold = -1;
    int italic = -1;
};

struct CharState {
    int font = -1;
    int halfPoints = 24;
    int colour = 0;
    int background = 0;
    bool bold = false, italic = false, underline = false, strike = false;
    int script = 0;  // 0 none, 1 sub, 2 super
    ClassProps classes[kClassCount];
    // The class the last \loch, \hich or \dbch named: it takes the \a… words that
    // follow, and blanks and punctuation written after it. After \rtlch or \ltrch
    // (-1) the \a… words describe right-to-left text and are dropped.
    int named = -1;
};

struct ParaState {
    int left = 0, right = 0, first = 0, before = 0, after = 0;
    Qt::Alignment align = Qt::AlignLeft;
    bool inTable = false;
};

struct PictState {
    QByteArray hex;
    QByteArray bin;
    enum { None, Png, Jpeg, Other } kind = None;
    int w = 0, h = 0, wGoal = 0, hGoal = 0, scaleX = 100, scaleY = 100;
};

struct Group {
    Dest dest = Dest::Text;
    CharState ch;
    ParaState para;
    int uc = 1;
};

struct FontInfo {
    QString name;
    int charset = 0;
};

struct CellDef {
    int right = 0;
    int fill = 0;
    bool border = false;
};

class Reader {
public:
    Reader(const QByteArray& data, const QTextCursor& at) : in_(data), doc_(at.document()), cursor_(at) {}

    void Run();

private:
    void ControlWord(const QByteArray& word, bool hasParam, int param);
    void ControlSymbol(char c);
    void Text(char c);
    void Byte(unsigned char b);
    bool TrailsLeadByte(char c) const;
    void Unicode(int code);
    void FlushBytes();
    void FlushText();
    void Flush() {
        FlushBytes();
        FlushText();
    }
    void Emit(const QString& s);
    void EndGroup(const Group& closed);
    void Paragraph();
    void EnterContent();
    void EnterParagraph();
    void LeaveTable();
    void ApplyCellFormat();
    QTextCharFormat Format(int charClass) const;
    QTextCharFormat Format() const;
    int ClassOf(QChar c) const;
    QTextBlockFormat BlockFormat() const;
    static QTextBlockFormat BlockFormat(const ParaState& p);
    int CodePageOfFont(int font) const;

    const QByteArray& in_;
    int pos_ = 0;
    QTextDocument* doc_;
    QTextCursor cursor_;
    static constexpr int kMaxDepth = 200;
    QVector<Group> stack_{Group{}};
    int tooDeep_ = 0;
    Group& g() { return stack_.back(); }
    const Group& g() const { return stack_.back(); }

    int defaultFont_ = 0;
    int ansiCodePage_ = 1252;
    QHash<int, FontInfo> fonts_;
    int fontEntry_ = 0;
    QString fontName_;
    bool lastWasPar_ = false;
    QVector<QColor> colours_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourSet_ = false;
    PictState pict_;
    QByteArray bytes_;  // pending \'hh and 8-bit bytes
    QString pending_;   // text not yet in the document, all in the current format
    int skip_ = 0;      // fallback characters still to skip after \uN
    bool pendingIgnorable_ = false;
    std::optional<ParaState> endPara_;  // the paragraph state where the document group ended

    // tables
    QVector<CellDef> rowDef_;
    QVector<CellDef> pendingDef_;
    QTextTable* table_ = nullptr;
    int row_ = 0, col_ = 0;
    bool rowEnded_ = false, cellEnded_ = false;
    int tableLeft_ = 0;
    bool cellBorder_ = false;
    int cellFill_ = 0;
};

int Reader::CodePageOfFont(int font) const {
    auto it = fonts_.find(font < 0 ? defaultFont_ : font);
    int charset = it == fonts_.end() ? -1 : it->charset;
    switch (charset) {
        case 134: return 936;
        case 2: return 0;  // symbol
        // ANSI fonts take the document's code page: under \ansicpg936 a word
        // processor puts double-byte text after a Latin font's \loch.
        default: return ansiCodePage_;
    }
}

QString DecodeBytes(const QByteArray& bytes, int codePage) {
    if (codePage == 936) {
        std::string utf8 = kv::platform::GbkToUtf8Lossy(std::string_view(bytes.constData(), bytes.size()));
        return QString::fromStdString(utf8);
    }
    return QString::fromLatin1(bytes);
}

// A GBK character's second byte may be printable ASCII (0x40-0x7E) and written
// as it is after an escaped first byte.
bool Reader::TrailsLeadByte(char c) const {
    if (bytes_.isEmpty() || c < 0x40 || c > 0x7E || CodePageOfFont(g().ch.font) != 936) return false;
    // A first byte still waiting?
    std::string_view pending(bytes_.constData(), static_cast<std::size_t>(bytes_.size()));
    return kv::platform::CompleteGbkPrefix(pending) < pending.size();
}

void Reader::FlushBytes() {
    if (bytes_.isEmpty()) return;
    QByteArray b = bytes_;
    bytes_.clear();
    if (g().dest == Dest::FontEntry) {
        int cs = fonts_.value(fontEntry_).charset;
        fontName_ += DecodeBytes(b, cs == 134 ? 936 : cs == 0 ? 1252 : ansiCodePage_);
        return;
    }
    int cp = CodePageOfFont(g().ch.font);
    Emit(DecodeBytes(b, cp));
}

// Chinese, Japanese and Korean characters: the text a word processor writes as \dbch.
bool IsDoubleByte(char16_t u) {
    return (u >= 0x1100 && u <= 0x11FF) || (u >= 0x2E80 && u <= 0xA4CF) || (u >= 0xAC00 && u <= 0xD7AF) ||
           (u >= 0xD800 && u <= 0xDFFF) || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F) ||
           (u >= 0xFF00 && u <= 0xFFEF);
}

// Blanks, ASCII punctuation and the non-ASCII signs outside the CJK blocks (dashes,
// curly quotes, ellipses, Greek, maths signs, all double-byte in GBK) go with the
// class the writer named for them: a word processor writes them inside Chinese runs.
int Reader::ClassOf(QChar c) const {
    const char16_t u = c.unicode();
    if (IsDoubleByte(u)) return kDoubleClass;
    const bool weak = c.isSpace() || (u < 0x80 && c.isPunct()) || (u < 0x80 && c.isSymbol()) || u >= 0x80;
    if (weak && g().ch.named >= 0) return g().ch.named;
    return u < 0x80 ? kLowClass : kHighClass;
}

QTextCharFormat Reader::Format() const {
    const int named = g().ch.named;
    return Format(named >= 0 ? named : kLowClass);
}

QTextCharFormat Reader::Format(int charClass) const {
    const CharState& c = g().ch;
    const ClassProps& own = c.classes[charClass];
    const int font = own.font >= 0 ? own.font : c.font;
    QTextCharFormat f;
    auto it = fonts_.find(font < 0 ? defaultFont_ : font);
    if (it != fonts_.end() && !it->name.isEmpty()) f.setFontFamilies(ReportFontFamilies(it->name));
    f.setFontPointSize((own.halfPoints > 0 ? own.halfPoints : c.halfPoints) / 2.0);
    if (c.colour > 0 && c.colour < colours_.size() && colours_[c.colour].isValid())
        f.setForeground(colours_[c.colour]);
    if (c.background > 0 && c.background < colours_.size() && colours_[c.background].isValid())
        f.setBackground(colours_[c.background]);
    f.setFontWeight((own.bold >= 0 ? own.bold != 0 : c.bold) ? QFont::Bold : QFont::Normal);
    f.setFontItalic(own.italic >= 0 ? own.italic != 0 : c.italic);
    f.setFontUnderline(c.underline);
    f.setFontStrikeOut(c.strike);
    f.setVerticalAlignment(c.script == 1   ? QTextCharFormat::AlignSubScript
                           : c.script == 2 ? QTextCharFormat::AlignSuperScript
                                           : QTextCharFormat::AlignNormal);
    return f;
}

QTextBlockFormat Reader::BlockFormat() const { return BlockFormat(g().para); }

QTextBlockFormat Reader::BlockFormat(const ParaState& p) {
    QTextBlockFormat b;
    b.setLeftMargin(Px(p.left));
    b.setRightMargin(Px(p.right));
    b.setTextIndent(Px(p.first));
    b.setTopMargin(Px(p.before));
    b.setBottomMargin(Px(p.after));
    b.setAlignment(p.align);
    return b;
}

void Reader::LeaveTable() {
    if (!table_) return;
    cursor_.setPosition(table_->lastPosition() + 1);
    table_ = nullptr;
    rowEnded_ = cellEnded_ = false;
}

void Reader::ApplyCellFormat() {
    if (!table_ || col_ >= rowDef_.size()) return;
    const CellDef& d = rowDef_[col_];
    if (d.fill > 0 && d.fill < colours_.size() && colours_[d.fill].isValid()) {
        QTextTableCellFormat cf = table_->cellAt(row_, col_).format().toTableCellFormat();
        cf.setBackground(colours_[d.fill]);
        table_->cellAt(row_, col_).setFormat(cf);
    }
}

// Puts the cursor where content of the current paragraph goes.
void Reader::EnterContent() {
    if (!g().para.inTable) {
        LeaveTable();
        return;
    }
    if (!table_) {
        // A paragraph mark closes its paragraph and opens none: a table right
        // after it follows that paragraph, with no empty line between them.
        const QTextBlock before = cursor_.block().previous();
        if (lastWasPar_ && cursor_.atBlockStart() && before.isValid() && !cursor_.currentTable() &&
            QTextCursor(before).currentFrame() == cursor_.currentFrame())
            cursor_.deletePreviousChar();
        int cols = std::max<int>(1, rowDef_.size());
        QTextTableFormat tf;
        tf.setCellPadding(2);
        tf.setCellSpacing(0);
        bool border = false;
        QVector<QTextLength> widths;
        int prev = tableLeft_;
        for (const CellDef& d : rowDef_) {
            border = border || d.border;
            widths << QTextLength(QTextLength::FixedLength, Px(std::max(1, d.right - prev)));
            prev = d.right;
        }
        tf.setBorder(border ? 1 : 0);
        tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        tf.setBorderCollapse(true);
        tf.setLeftMargin(Px(std::max(0, tableLeft_)));
        if (!widths.isEmpty()) tf.setColumnWidthConstraints(widths);
        tf.setAlignment(Qt::AlignLeft);
        table_ = cursor_.insertTable(1, cols, tf);
        row_ = col_ = 0;
        rowEnded_ = cellEnded_ = false;
        cursor_ = table_->cellAt(0, 0).firstCursorPosition();
        ApplyCellFormat();
        return;
    }
    if (rowEnded_) {
        table_->appendRows(1);
        ++row_;
        col_ = 0;
        rowEnded_ = cellEnded_ = false;
        if (rowDef_.size() > table_->columns()) table_->appendColumns(rowDef_.size() - table_->columns());
        cursor_ = table_->cellAt(row_, 0).firstCursorPosition();
        ApplyCellFormat();
        return;
    }
    if (cellEnded_) {
        cellEnded_ = false;
        ++col_;
        if (col_ >= table_->columns()) table_->appendColumns(1);
        cursor_ = table_->cellAt(row_, col_).firstCursorPosition();
        ApplyCellFormat();
    }
}

void Reader::Emit(const QString& s) {
    if (s.isEmpty()) return;
    Dest d = g().dest;
    if (d == Dest::FontEntry) {
        fontName_ += s;
        return;
    }
    if (d != Dest::Text) return;
    pending_ += s;
}

// What the text of a document can hold and a save write back: control bytes
// but the tab are no text, and half a surrogate pair or one of the document's
// own object and frame marks is a broken character, shown as such.
QString CleanText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (c.isSurrogate() || c == QChar::ObjectReplacementCharacter || c.unicode() == 0xFDD0 ||
                   c.unicode() == 0xFDD1) {
            out += QChar::ReplacementCharacter;
        } else if ((c.unicode() >= 0x20 && c.unicode() != 0x7F) || c == '\t') {
            out += c;
        }
    }
    return out;
}

void Reader::EnterParagraph() {
    EnterContent();
    // The paragraph takes its format when its content comes, not only at its end:
    // a table may end it instead of a paragraph mark.
    cursor_.setBlockFormat(BlockFormat());
}

void Reader::FlushText() {
    if (pending_.isEmpty()) return;
    pending_ = CleanText(pending_);
    if (pending_.isEmpty()) return;
    EnterParagraph();
    // Runs of one character class each, in that class's format.
    int start = 0;
    int runClass = ClassOf(pending_[0]);
    for (int i = 1; i <= pending_.size(); ++i) {
        const int next = i < pending_.size() ? ClassOf(pending_[i]) : -1;
        if (next == runClass) continue;
        cursor_.insertText(pending_.mid(start, i - start), Format(runClass));
        start = i;
        runClass = next;
    }
    pending_.clear();
    lastWasPar_ = false;
}

void Reader::Paragraph() {
    Flush();
    if (g().dest != Dest::Text) return;
    EnterContent();
    cursor_.setBlockFormat(BlockFormat());
    cursor_.setBlockCharFormat(Format());
    cursor_.insertBlock(BlockFormat(), Format());
    lastWasPar_ = !g().para.inTable;
}

void Reader::Unicode(int code) {
    if (code < 0) code += 65536;
    FlushBytes();
    Emit(QString(QChar(static_cast<char16_t>(code))));
    skip_ = g().uc;
}

void Reader::Byte(unsigned char b) {
    if (skip_ > 0) {
        --skip_;
        return;
    }
    if (g().dest == Dest::Picture) return;
    bytes_ += static_cast<char>(b);
}

void Reader::Text(char c) {
    if (skip_ > 0) {
        --skip_;
        return;
    }
    Dest d = g().dest;
    if (d == Dest::Picture) {
        if (std::isxdigit(static_cast<unsigned char>(c))) pict_.hex += c;
        return;
    }
    if (d == Dest::FontTable || d == Dest::FontEntry) {
        if (c == ';') {
            FlushBytes();
            fonts_[fontEntry_].name = fontName_.trimmed();
            fontName_.clear();
            return;
        }
        if (d == Dest::FontTable) g().dest = Dest::FontEntry;
        if (static_cast<unsigned char>(c) >= 0x80) bytes_ += c;
        else {
            FlushBytes();
            fontName_ += QChar::fromLatin1(c);
        }
        return;
    }
    if (d == Dest::ColourTable) {
        if (c == ';') {
            colours_ << (colourSet_ ? QColor(red_, green_, blue_) : QColor());
            red_ = green_ = blue_ = 0;
            colourSet_ = false;
        }
        return;
    }
    if (d != Dest::Text) return;
    if (c == '\r' || c == '\n') return;
    if (static_cast<unsigned char>(c) >= 0x80 || TrailsLeadByte(c)) {
        bytes_ += c;
        return;
    }
    FlushBytes();
    Emit(QString(QChar::fromLatin1(c)));
}

void Reader::ControlSymbol(char c) {
    switch (c) {
        case '\\':
        case '{':
        case '}': Text(c); break;
        case '~': FlushBytes(); Emit(QString(QChar(0x00A0))); break;
        case '_': FlushBytes(); Emit(QString(QChar(0x2011))); break;
        case '*': pendingIgnorable_ = true; break;
        case '\n':
        case '\r': Paragraph(); break;
        default: break;
    }
}

void Reader::ControlWord(const QByteArray& w, bool hasParam, int p) {
    Group& gr = g();
    const bool on = !hasParam || p != 0;
    if (pendingIgnorable_) {
        pendingIgnorable_ = false;
        // Destinations marked ignorable that we know stay; the rest are skipped.
        if (w != "shppict") {
            gr.dest = Dest::Skip;
            return;
        }
    }
    if (gr.dest == Dest::Skip) return;
    if (w != "u") Flush();

    // destinations
    if (w == "fonttbl") { gr.dest = Dest::FontTable; return; }
    if (w == "colortbl") { gr.dest = Dest::ColourTable; return; }
    if (w == "pict") {
        gr.dest = Dest::Picture;
        pict_ = PictState{};
        return;
    }
    static const QList<QByteArray> skipped = {"stylesheet", "info", "header", "footer", "headerl", "headerr",
                                              "headerf", "footerl", "footerr", "footerf", "nonshppict",
                                              "objdata", "listtable", "listoverridetable", "rsidtbl",
                                              "xmlnstbl", "revtbl", "pntext", "pntxta", "pntxtb", "themedata",
                                              "colorschememapping", "latentstyles", "datastore", "fldinst",
                                              "footnote", "annotation", "atnid", "atnauthor", "bkmkstart",
                                              "bkmkend", "generator", "tc", "xe"};
    if (skipped.contains(w)) {
        gr.dest = Dest::Skip;
        return;
    }

    // font and colour tables
    if (w == "f") {
        if (gr.dest == Dest::FontTable || gr.dest == Dest::FontEntry) {
            fontEntry_ = p;
            fontName_.clear();
            fonts_[p] = FontInfo{};
            gr.dest = Dest::FontEntry;
        } else {
            gr.ch.font = p;
        }
        return;
    }
    if (w == "fcharset") {
        if (gr.dest == Dest::FontEntry || gr.dest == Dest::FontTable) fonts_[fontEntry_].charset = p;
        return;
    }
    if (gr.dest == Dest::ColourTable) {
        if (w == "red") red_ = p, colourSet_ = true;
        else if (w == "green") green_ = p, colourSet_ = true;
        else if (w == "blue") blue_ = p, colourSet_ = true;
        return;
    }
    if (gr.dest == Dest::Picture) {
        if (w == "pngblip") pict_.kind = PictState::Png;
        else if (w == "jpegblip") pict_.kind = PictState::Jpeg;
        else if (w == "wmetafile" || w == "emfblip" || w == "macpict" || w == "dibitmap" || w == "wbitmap")
            pict_.kind = PictState::Other;
        else if (w == "picw") pict_.w = p;
        else if (w == "pich") pict_.h = p;
        else if (w == "picwgoal") pict_.wGoal = p;
        else if (w == "pichgoal") pict_.hGoal = p;
        else if (w == "picscalex") pict_.scaleX = p;
        else if (w == "picscaley") pict_.scaleY = p;
        else if (w == "bin" && p > 0) {
            pict_.bin += in_.mid(pos_, p);
            pos_ += p;
        }
        return;
    }
    if (gr.dest == Dest::FontTable || gr.dest == Dest::FontEntry) {
        if (w == "u") Unicode(p);
        return;
    }

    // document
    if (w == "ansicpg") { ansiCodePage_ = p; return; }
    if (w == "deff") { defaultFont_ = p; return; }
    if (w == "uc") { gr.uc = std::max(0, p); return; }
    if (w == "u") { Unicode(p); return; }
    if (w == "bin" && p > 0) { pos_ += p; return; }

    // characters
    if (w == "plain") { gr.ch = CharState{}; return; }
    if (w == "loch" || w == "hich" || w == "dbch") {
        gr.ch.named = w == "loch" ? kLowClass : w == "hich" ? kHighClass : kDoubleClass;
        return;
    }
    if (w == "ltrch" || w == "rtlch") {
        gr.ch.named = -1;
        return;
    }
    if (w == "af" || w == "afs" || w == "ab" || w == "ai") {
        if (gr.ch.named < 0) return;
        ClassProps& own = gr.ch.classes[gr.ch.named];
        if (w == "af") own.font = p;
        else if (w == "afs") own.halfPoints = p > 0 ? p : 24;
        else if (w == "ab") own.bold = on;
        else own.italic = on;
        return;
    }
    if (w == "fs") { gr.ch.halfPoints = p > 0 ? p : 24; return; }
    if (w == "cf") { gr.ch.colour = p; return; }
    if (w == "highlight" || w == "cb" || w == "chcbpat") { gr.ch.background = p; return; }
    if (w == "b") { gr.ch.bold = on; return; }
    if (w == "i") { gr.ch.italic = on; return; }
    if (w == "ul") { gr.ch.underline = on; return; }
    if (w == "uld" || w == "uldb" || w == "ulw" || w == "ulth" || w == "uldash") { gr.ch.underline = true; return; }
    if (w == "ulnone") { gr.ch.underline = false; return; }
    if (w == "strike") { gr.ch.strike = on; return; }
    if (w == "sub") { gr.ch.script = 1; return; }
    if (w == "super") { gr.ch.script = 2; return; }
    if (w == "nosupersub") { gr.ch.script = 0; return; }
    if (w == "up") { gr.ch.script = p != 0 ? 2 : 0; return; }
    if (w == "dn") { gr.ch.script = p != 0 ? 1 : 0; return; }

    // paragraphs
    if (w == "pard") { gr.para = ParaState{}; return; }
    if (w == "li") { gr.para.left = p; return; }
    if (w == "ri") { gr.para.right = p; return; }
    if (w == "fi") { gr.para.first = p; return; }
    if (w == "sb") { gr.para.before = p; return; }
    if (w == "sa") { gr.para.after = p; return; }
    if (w == "ql") { gr.para.align = Qt::AlignLeft; return; }
    if (w == "qc") { gr.para.align = Qt::AlignHCenter; return; }
    if (w == "qr") { gr.para.align = Qt::AlignRight; return; }
    if (w == "qj") { gr.para.align = Qt::AlignJustify; return; }
    if (w == "intbl") { gr.para.inTable = true; return; }
    if (w == "par" || w == "page" || w == "sect") {
        Paragraph();
        return;
    }
    if (w == "line") { Emit(QString(QChar::LineSeparator)); return; }
    if (w == "tab") { Emit("\t"); return; }
    if (w == "emdash") { Emit(QString(QChar(0x2014))); return; }
    if (w == "endash") { Emit(QString(QChar(0x2013))); return; }
    if (w == "bullet") { Emit(QString(QChar(0x2022))); return; }
    if (w == "lquote") { Emit(QString(QChar(0x2018))); return; }
    if (w == "rquote") { Emit(QString(QChar(0x2019))); return; }
    if (w == "ldblquote") { Emit(QString(QChar(0x201C))); return; }
    if (w == "rdblquote") { Emit(QString(QChar(0x201D))); return; }

    // tables
    if (w == "trowd") {
        pendingDef_.clear();
        cellBorder_ = false;
        cellFill_ = 0;
        return;
    }
    if (w == "trleft") {
        if (!table_) tableLeft_ = p;
        return;
    }
    if (w.startsWith("clbrdr")) { cellBorder_ = true; return; }
    if (w == "clcbpat") { cellFill_ = p; return; }
    if (w == "cellx") {
        pendingDef_ << CellDef{p, cellFill_, cellBorder_};
        cellBorder_ = false;
        cellFill_ = 0;
        rowDef_ = pendingDef_;
        return;
    }
    if (w == "cell") {
        gr.para.inTable = true;
        EnterContent();
        cursor_.setBlockFormat(BlockFormat());
        cellEnded_ = true;
        return;
    }
    if (w == "row") {
        if (table_) {
            rowEnded_ = true;
            cellEnded_ = false;
        }
        return;
    }
}

void Reader::EndGroup(const Group& closed) {
    if (closed.dest == Dest::Picture && g().dest != Dest::Picture) {
        QByteArray data = pict_.bin.isEmpty() ? QByteArray::fromHex(pict_.hex) : pict_.bin;
        // The picture stays in its PNG or JPEG bytes; it is decoded where it is drawn.
        const QSize size = pict_.kind == PictState::Png || pict_.kind == PictState::Jpeg ? PictureSize(data) : QSize();
        if (size.isValid()) {
            // Names stay unique across documents, so pictures survive a paste.
            static int serial = 0;
            QString name = QString("kvreport://picture/%1").arg(++serial);
            doc_->addResource(QTextDocument::ImageResource, QUrl(name), data);
            QTextImageFormat f;
            f.setName(name);
            qreal w = pict_.wGoal > 0 ? Px(pict_.wGoal) : size.width();
            qreal h = pict_.hGoal > 0 ? Px(pict_.hGoal) : size.height();
            f.setWidth(w * pict_.scaleX / 100.0);
            f.setHeight(h * pict_.scaleY / 100.0);
            EnterParagraph();
            cursor_.insertImage(f);
            lastWasPar_ = false;
        }
        pict_ = PictState{};
    }
}

void Reader::Run() {
    const int n = in_.size();
    while (pos_ < n) {
        char c = in_[pos_++];
        if (c == '{') {
            Flush();
            // Groups nested deeper than any real document are skipped whole.
            if (stack_.size() >= kMaxDepth) {
                ++tooDeep_;
                continue;
            }
            Group next = g();
            stack_.push_back(next);
            if (stack_.size() == kMaxDepth) stack_.back().dest = Dest::Skip;
            continue;
        }
        if (c == '}') {
            Flush();
            if (tooDeep_ > 0) {
                --tooDeep_;
                continue;
            }
            if (stack_.size() <= 1) break;
            Group closed = stack_.back();
            stack_.pop_back();
            skip_ = 0;
            EndGroup(closed);
            if (stack_.size() == 1) {
                // end of the document group: its last paragraph keeps its own format
                endPara_ = closed.para;
                break;
            }
            continue;
        }
        if (c == '\\') {
            if (pos_ >= n) break;
            char d = in_[pos_];
            if (std::isalpha(static_cast<unsigned char>(d))) {
                int start = pos_;
                while (pos_ < n && std::isalpha(static_cast<unsigned char>(in_[pos_]))) ++pos_;
                QByteArray word = in_.mid(start, pos_ - start);
                bool neg = false, hasParam = false;
                int param = 0;
                if (pos_ < n && in_[pos_] == '-') {
                    neg = true;
                    ++pos_;
                }
                while (pos_ < n && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
                    hasParam = true;
                    param = param * 10 + (in_[pos_] - '0');
                    if (param > 100000000) param = 100000000;
                    ++pos_;
                }
                if (neg) param = -param;
                if (pos_ < n && in_[pos_] == ' ') ++pos_;
                if (skip_ > 0 && word != "bin") {
                    --skip_;  // a control word in a \uN fallback counts as one character
                    continue;
                }
                ControlWord(word, hasParam, param);
                continue;
            }
            ++pos_;
            if (d == '\'') {
                if (pos_ + 2 <= n) {
                    bool ok = false;
                    int v = in_.mid(pos_, 2).toInt(&ok, 16);
                    pos_ += 2;
                    if (ok) Byte(static_cast<unsigned char>(v));
                }
                continue;
            }
            if (skip_ > 0) {
                --skip_;
                continue;
            }
            ControlSymbol(d);
            continue;
        }
        if (g().dest == Dest::Skip) continue;
        if (g().dest == Dest::Picture && skip_ == 0) {
            // A picture's digits, taken in one run (what is no digit is left out later).
            const int start = pos_ - 1;
            while (pos_ < n && in_[pos_] != '\\' && in_[pos_] != '{' && in_[pos_] != '}') ++pos_;
            pict_.hex.append(in_.constData() + start, pos_ - start);
            continue;
        }
        Text(c);
    }
    Flush();
    LeaveTable();
    // The last paragraph mark closes the last paragraph; it opens no new one.
    if (lastWasPar_ && cursor_.block().length() == 1 && cursor_.position() > 0 && cursor_.atEnd())
        cursor_.deletePreviousChar();
    else cursor_.setBlockFormat(BlockFormat(endPara_ ? *endPara_ : g().para));
}

}  // namespace

namespace {

// One edit block keeps the document from rescanning its tables after every
// insertion; with `undoable` it is also one step to undo.
void ReadAt(const QByteArray& rtf, QTextCursor& at, bool undoable) {
    QTextDocument* doc = at.document();
    bool undo = doc->isUndoRedoEnabled();
    if (!undoable) doc->setUndoRedoEnabled(false);
    at.beginEditBlock();
    Reader reader(rtf, at);
    reader.Run();
    at.endEditBlock();
    doc->setUndoRedoEnabled(undo);
}

}  // namespace

bool ReadRtf(const QByteArray& rtf, QTextDocument* doc) {
    if (!doc || !rtf.startsWith("{\\rtf")) return false;
    doc->clear();
    QTextCursor at(doc);
    ReadAt(rtf, at, false);  // a load is no edit to undo
    return true;
}

bool InsertRtf(const QByteArray& rtf, QTextCursor& cursor) {
    if (cursor.isNull() || !rtf.startsWith("{\\rtf")) return false;
    // A paste is one edit, the replaced selection included.
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    QTextCursor at(cursor);
    ReadAt(rtf, at, true);
    cursor.endEditBlock();
    return true;
}

}  // namespace kv::report::ui
