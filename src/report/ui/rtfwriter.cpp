#include "report/ui/rtfwriter.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <cmath>
#include <string>

#include "platform/codec.h"
#include "platform/textfile.h"
#include "report/rtf.h"
#include "report/ui/pictures.h"

namespace kv::report::ui {

namespace {

int Twips(qreal px) { return static_cast<int>(std::lround(px * 15.0)); }

class Writer {
public:
    explicit Writer(const QTextDocument& doc) : doc_(doc) { fonts_ << "宋体"; }

    QByteArray Run() {
        WriteFrame(doc_.rootFrame(), false);
        std::string out = "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052\\uc1\n{\\fonttbl";
        for (int k = 0; k < fonts_.size(); ++k) {
            std::string name = kv::platform::Utf8ToGbkLossy(fonts_[k].toStdString());
            std::string escaped;
            for (unsigned char b : name) {
                if (b >= 0x80) {
                    char hex[8];
                    std::snprintf(hex, sizeof hex, "\\'%02x", b);
                    escaped += hex;
                } else if (b != '\\' && b != '{' && b != '}' && b != ';') {
                    escaped += static_cast<char>(b);
                }
            }
            out += "{\\f" + std::to_string(k) + "\\fnil\\fcharset134 " + escaped + ";}";
        }
        out += "}\n{\\colortbl;";
        for (const QColor& c : colours_)
            out += "\\red" + std::to_string(c.red()) + "\\green" + std::to_string(c.green()) + "\\blue" +
                   std::to_string(c.blue()) + ";";
        out += "}\n\\paperw11906\\paperh16838\\margl1440\\margr1440\\margt1440\\margb1440\\deftab840\n";
        out += body_;
        out += "}\n";
        return QByteArray::fromStdString(out);
    }

private:
    int FontIndex(const QTextCharFormat& f) {
        QStringList families = f.fontFamilies().toStringList();
        QString face = families.isEmpty() ? QString() : families.first();
        if (face.isEmpty()) {
            QStringList def = doc_.defaultFont().families();
            face = def.isEmpty() ? doc_.defaultFont().family() : def.first();
        }
        if (face.isEmpty()) face = "宋体";
        int k = fonts_.indexOf(face);
        if (k < 0) {
            fonts_ << face;
            k = fonts_.size() - 1;
        }
        return k;
    }

    int ColourIndex(const QColor& c) {
        QColor rgb = c.toRgb();
        rgb.setAlpha(255);
        int k = colours_.indexOf(rgb);
        if (k < 0) {
            colours_ << rgb;
            k = colours_.size() - 1;
        }
        return k + 1;
    }

    std::string CharProps(const QTextCharFormat& f) {
        std::string s = "\\plain\\f" + std::to_string(FontIndex(f));
        qreal pt = f.fontPointSize();
        if (pt <= 0) pt = doc_.defaultFont().pointSizeF();
        if (pt <= 0) pt = 10;
        s += "\\fs" + std::to_string(static_cast<int>(std::lround(pt * 2)));
        if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
            s += "\\cf" + std::to_string(ColourIndex(f.foreground().color()));
        if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
            s += "\\highlight" + std::to_string(ColourIndex(f.background().color()));
        if (f.fontWeight() >= QFont::DemiBold) s += "\\b";
        if (f.fontItalic()) s += "\\i";
        if (f.fontUnderline()) s += "\\ul";
        if (f.fontStrikeOut()) s += "\\strike";
        if (f.verticalAlignment() == QTextCharFormat::AlignSubScript) s += "\\sub";
        if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript) s += "\\super";
        return s + " ";
    }

    std::string ParaProps(const QTextBlockFormat& b, bool inTable) {
        std::string s = "\\pard";
        if (inTable) s += "\\intbl";
        s += "\\li" + std::to_string(Twips(b.leftMargin()));
        if (b.rightMargin() > 0) s += "\\ri" + std::to_string(Twips(b.rightMargin()));
        if (b.textIndent() != 0) s += "\\fi" + std::to_string(Twips(b.textIndent()));
        if (b.topMargin() > 0) s += "\\sb" + std::to_string(Twips(b.topMargin()));
        if (b.bottomMargin() > 0) s += "\\sa" + std::to_string(Twips(b.bottomMargin()));
        Qt::Alignment a = b.alignment();
        if (a & Qt::AlignHCenter) s += "\\qc";
        else if (a & Qt::AlignRight) s += "\\qr";
        else if (a & Qt::AlignJustify) s += "\\qj";
        return s + " ";
    }

    void WriteImage(const QTextImageFormat& f) {
        QVariant res = doc_.resource(QTextDocument::ImageResource, QUrl(f.name()));
        // A picture read from a report goes out as the bytes it came in.
        QByteArray bytes = res.userType() == QMetaType::QByteArray ? res.toByteArray() : QByteArray();
        const char* blip = PictureBlip(bytes);
        QSize size = blip ? PictureSize(bytes) : QSize();
        if (!size.isValid()) {
            QImage image = res.value<QImage>();
            if (image.isNull() && !bytes.isEmpty()) image.loadFromData(bytes);
            if (image.isNull()) image = QImage(f.name());
            if (image.isNull()) return;
            bytes.clear();
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            if (!image.save(&buffer, "PNG")) return;
            blip = "pngblip";
            size = image.size();
        }
        qreal w = f.width() > 0 ? f.width() : size.width();
        qreal h = f.height() > 0 ? f.height() : size.height();
        body_ += std::string("{\\pict\\") + blip + "\\picw" + std::to_string(size.width()) + "\\pich" +
                 std::to_string(size.height()) + "\\picwgoal" + std::to_string(Twips(w)) + "\\pichgoal" +
                 std::to_string(Twips(h)) + "\n";
        static const char digits[] = "0123456789abcdef";
        for (qsizetype k = 0; k < bytes.size(); ++k) {
            const auto b = static_cast<unsigned char>(bytes[k]);
            body_ += digits[b >> 4];
            body_ += digits[b & 15];
            if (k % 64 == 63) body_ += '\n';
        }
        body_ += "}";
    }

    void WriteBlock(const QTextBlock& block, bool inTable) {
        body_ += ParaProps(block.blockFormat(), inTable);
        bool any = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment frag = it.fragment();
            if (!frag.isValid()) continue;
            QTextCharFormat cf = frag.charFormat();
            if (cf.isImageFormat()) {
                body_ += CharProps(cf);
                for (int k = 0; k < frag.length(); ++k) WriteImage(cf.toImageFormat());
                any = true;
                continue;
            }
            QString text = frag.text();
            body_ += CharProps(cf);
            QStringList parts = text.split(QChar::LineSeparator);
            for (int k = 0; k < parts.size(); ++k) {
                if (k > 0) body_ += "\\line ";
                QString part = parts[k];
                part.remove(QChar::ObjectReplacementCharacter);
                body_ += kv::report::RtfEscape(part.toStdString());
            }
            any = true;
        }
        if (!any) body_ += CharProps(block.charFormat());
    }

    void WriteTable(QTextTable* table) {
        QTextTableFormat tf = table->format();
        int left = Twips(tf.leftMargin());
        bool border = tf.border() > 0;
        QList<QTextLength> widths = tf.columnWidthConstraints();
        for (int r = 0; r < table->rows(); ++r) {
            std::string head = "\\trowd\\trgaph55\\trleft" + std::to_string(left);
            int edge = left;
            for (int c = 0; c < table->columns(); ++c) {
                if (border)
                    head += "\\clbrdrt\\brdrs\\brdrw10 \\clbrdrl\\brdrs\\brdrw10 \\clbrdrb\\brdrs\\brdrw10 "
                            "\\clbrdrr\\brdrs\\brdrw10 ";
                QTextTableCell cell = table->cellAt(r, c);
                QTextCharFormat cellFormat = cell.format();
                if (cellFormat.background().style() != Qt::NoBrush)
                    head += "\\clcbpat" + std::to_string(ColourIndex(cellFormat.background().color()));
                int w = 1440;
                if (c < widths.size() && widths[c].type() == QTextLength::FixedLength) w = Twips(widths[c].rawValue());
                else if (c < widths.size() && widths[c].type() == QTextLength::PercentageLength)
                    w = static_cast<int>(kv::report::kTextWidthTwips * widths[c].rawValue() / 100);
                else w = kv::report::kTextWidthTwips / std::max(1, table->columns());
                edge += w;
                head += "\\cellx" + std::to_string(edge);
            }
            body_ += head + "\n";
            for (int c = 0; c < table->columns(); ++c) {
                QTextTableCell cell = table->cellAt(r, c);
                bool first = true;
                for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
                    if (!it.currentBlock().isValid()) continue;
                    if (!first) body_ += "\\par\n";
                    WriteBlock(it.currentBlock(), true);
                    first = false;
                }
                if (first) body_ += "\\pard\\intbl ";
                body_ += "\\cell\n";
            }
            body_ += "\\row\n";
        }
        body_ += "\\pard\n";
    }

    void WriteFrame(QTextFrame* frame, bool inTable) {
        // Every paragraph but the document's last ends with \par.
        bool pending = false;
        for (QTextFrame::iterator it = frame->begin(); !it.atEnd(); ++it) {
            if (QTextFrame* child = it.currentFrame()) {
                if (pending) body_ += "\\par\n";
                pending = false;
                if (auto* table = qobject_cast<QTextTable*>(child)) WriteTable(table);
                else WriteFrame(child, inTable);
                skipNextEmpty_ = true;
                continue;
            }
            QTextBlock block = it.currentBlock();
            if (!block.isValid()) continue;
            // Qt keeps a paragraph before every table and after the last one;
            // in RTF they are not there.
            if (block.length() == 1) {
                QTextFrame::iterator next = it;
                ++next;
                if (next.atEnd() ? skipNextEmpty_ : next.currentFrame() != nullptr) continue;
            }
            skipNextEmpty_ = false;
            if (pending) body_ += "\\par\n";
            WriteBlock(block, inTable);
            pending = true;
        }
        if (pending && frame != doc_.rootFrame()) body_ += "\\par\n";
    }

    const QTextDocument& doc_;
    QStringList fonts_;
    QList<QColor> colours_;
    std::string body_;
    bool skipNextEmpty_ = false;
};

}  // namespace

QByteArray WriteRtf(const QTextDocument& doc) { return Writer(doc).Run(); }

bool SaveRtf(const QTextDocument& doc, const QString& path) {
    QByteArray bytes = WriteRtf(doc);
    return kv::platform::WriteFileAtomically(path.toStdString(), std::string_view(bytes.constData(), bytes.size()));
}

}  // namespace kv::report::ui
