#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <gtest/gtest.h>

#include <vector>

#include "support/qt_app.h"
#include "report/rtf.h"
#include "report/rtfjoin.h"
#include "report/ui/clipboard.h"
#include "report/ui/pictures.h"
#include "report/ui/reportfile.h"
#include "report/ui/rtfreader.h"
#include "report/ui/rtfwriter.h"
#include "support/work_folder.h"

namespace kv::report::ui {
namespace {

using kv::test::WorkFolder;

std::string PngOf(int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

class StubPictures {
public:
    StubPictures()
        : old_(kv::report::SetPictureMaker([](const std::string&, int, int, std::string& png) {
              png = PngOf(200, 100, Qt::blue);
              return true;
          })) {}
    ~StubPictures() { kv::report::SetPictureMaker(std::move(old_)); }

private:
    kv::report::PictureMaker old_;
};

// Character format of the first character of `text` in the document.
QTextCharFormat FormatOf(const QTextDocument& doc, const QString& text) {
    QTextCursor c = doc.find(text, 0, QTextDocument::FindCaseSensitively);
    EXPECT_FALSE(c.isNull()) << text.toStdString();
    QTextCursor at(const_cast<QTextDocument*>(&doc));
    at.setPosition(c.selectionStart() + 1);
    return at.charFormat();
}

QString ColourName(const QTextCharFormat& f) {
    return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : QString("auto");
}

// Everything a report's reader must keep, fragment by fragment.
QStringList Signature(const QTextDocument& doc) {
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat bf = b.blockFormat();
        QString line = QString("[%1|%2|%3]").arg(qRound(bf.leftMargin())).arg(qRound(bf.textIndent()))
                           .arg(static_cast<int>(bf.alignment()));
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            QTextCharFormat f = it.fragment().charFormat();
            if (f.isImageFormat()) {
                QTextImageFormat im = f.toImageFormat();
                // Pictures read from RTF stay in their bytes until drawn.
                const QVariant picture = doc.resource(QTextDocument::ImageResource, QUrl(im.name()));
                QImage image = picture.userType() == QMetaType::QByteArray ? QImage::fromData(picture.toByteArray())
                                                                           : picture.value<QImage>();
                line += QString("{img %1x%2 %3x%4}").arg(qRound(im.width())).arg(qRound(im.height()))
                            .arg(image.width()).arg(image.height());
                continue;
            }
            line += QString("{%1|%2|%3|%4|%5}").arg(it.fragment().text(), ColourName(f))
                        .arg(f.verticalAlignment()).arg(f.fontWeight() >= QFont::DemiBold)
                        .arg(qRound(f.fontPointSize() * 2));
        }
        out << line;
    }
    return out;
}

QTextTable* FirstTable(const QTextDocument& doc) {
    for (QTextFrame* f : doc.rootFrame()->childFrames())
        if (auto* t = qobject_cast<QTextTable*>(f)) return t;
    return nullptr;
}

int ImageCount(const QTextDocument& doc) {
    int n = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) ++n;
    return n;
}

// A report with every kind of content the writer makes.
void WriteSampleReport(const std::string& path, const std::string& dxf) {
    kv::report::CRTF rtf;
    ASSERT_TRUE(rtf.Open(path.c_str()));
    rtf.SetCurTextStyle(0, 21, 1, 1, 0, 0);
    rtf.InsertText("%s 门框墙计算\n", "M1");
    rtf.SetCurTextStyle(0, 21, 1, 0, 0, 0);
    rtf.InsertText("    Q`vx~(N/mm)  mm^23~\n");
    rtf.InsertText("\x01" "06不满足\x01" "01 ok\n");
    rtf.InsertText("\x01" "02满足 \x01" "05偏小\n");
    rtf.InsertText("    ");
    rtf.InsertFormula("M=q`i*sin(Greek(b))*mark(l,2,2)");
    rtf.InsertFormula("k=sqr(1+16/k)");
    kv::report::ReportTable t;
    t.columnWidths = {150, 100};
    t.rows = {{{"门洞宽", {}, {}, 0}, {"1000", {}, {}, 2}},
              {{"失败", kv::report::WinRGB(255, 0, 0), {}, 0}, {"q`c~", {}, {}, 0}}};
    rtf.InsertTable(t, 4, 50, 0, 1, 1);
    rtf.InsertText("    ");
    ASSERT_EQ(rtf.InsertDXF(dxf.c_str(), 160, 160), 1);
    rtf.InsertText("\n");
    rtf.InsertText("\t\x02" "24JieMian\n");
    rtf.SetCurLeftMargin(21);
    rtf.InsertText("当混凝土强度等级不超过C50时，取1.0\n");
    rtf.SetCurLeftMargin(0);
    rtf.InsertText("结束");
    ASSERT_EQ(rtf.Close(), 1);
}

class RtfIo : public ::testing::Test {
protected:
    void SetUp() override { kv::test::EnsureQtApp(); }
};

TEST_F(RtfIo, OurReportReadsBackWithTextsColoursTablesAndPicture) {
    WorkFolder dir;
    dir.Write("a.dxf", "0\nEOF\n");
    StubPictures pictures;
    WriteSampleReport(dir / "r.rtf", dir / "a.dxf");

    QTextDocument doc;
    ASSERT_TRUE(LoadReport(&doc, QString::fromStdString(dir / "r.rtf"), true));
    QString text = doc.toPlainText();
    for (const char* piece : {"M1 门框墙计算", "不满足 ok", "满足 偏小", "M=qi×sin(β)×l22", "k=√(1+16/k)",
                              "当混凝土强度等级不超过C50时", "结束"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(piece))) << piece << "\n" << text.toStdString();

    QTextCharFormat title = FormatOf(doc, "M1");
    EXPECT_GE(title.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 10.5);
    EXPECT_EQ(title.fontFamilies().toStringList().value(0), QString("宋体"));
    EXPECT_EQ(FormatOf(doc, "vx").verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(FormatOf(doc, "23").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(FormatOf(doc, "(N/mm)").verticalAlignment(), QTextCharFormat::AlignNormal);
    EXPECT_EQ(ColourName(FormatOf(doc, "不满足")), "#ff0000");
    EXPECT_EQ(ColourName(FormatOf(doc, " ok")), "#000000");
    EXPECT_EQ(ColourName(FormatOf(doc, "满足 偏")), "#0000ff");
    EXPECT_EQ(ColourName(FormatOf(doc, "偏小")), "#ff00ff");
    EXPECT_EQ(FormatOf(doc, "β").verticalAlignment(), QTextCharFormat::AlignNormal);

    QTextBlock margin = doc.find(QString::fromUtf8("当混凝土")).block();
    EXPECT_NEAR(margin.blockFormat().leftMargin(), 21 * 105 / 15.0, 0.01) << "21 cells of 10.5 pt";
    QTextBlock hanging = doc.find("JieMian").block();
    EXPECT_NEAR(hanging.blockFormat().leftMargin(), 24 * 105 / 15.0, 0.01);
    EXPECT_NEAR(hanging.blockFormat().textIndent(), -24 * 105 / 15.0, 0.01) << "wrapped lines hang 24 cells in";

    QTextTable* table = FirstTable(doc);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 2);
    auto cellText = [&](int r, int c) {
        QTextCursor a = table->cellAt(r, c).firstCursorPosition();
        a.setPosition(table->cellAt(r, c).lastPosition(), QTextCursor::KeepAnchor);
        return a.selectedText();
    };
    EXPECT_EQ(cellText(0, 0), QString("门洞宽"));
    EXPECT_EQ(cellText(0, 1), QString("1000"));
    EXPECT_EQ(cellText(1, 1), QString("qc"));
    EXPECT_EQ(ColourName(FormatOf(doc, "失败")), "#ff0000");
    EXPECT_GE(FormatOf(doc, "1000").fontWeight(), QFont::Bold) << "header row";
    EXPECT_EQ(table->cellAt(0, 1).firstCursorPosition().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);

    ASSERT_EQ(ImageCount(doc), 1);
    QStringList sig = Signature(doc);
    // 200 x 100 pixels at 160 mm x 80 mm, in 96-dpi pixels
    EXPECT_TRUE(sig.join("\n").contains("{img 605x302 200x100}")) << sig.join("\n").toStdString();

    // Saved from the document and read again: the same content and formats.
    QTextDocument again;
    ASSERT_TRUE(ReadRtf(WriteRtf(doc), &again));
    EXPECT_EQ(Signature(again).join("\n").toStdString(), sig.join("\n").toStdString());
    ASSERT_NE(FirstTable(again), nullptr);
    EXPECT_EQ(FirstTable(again)->rows(), 2);
    EXPECT_NEAR(again.find("JieMian").block().blockFormat().textIndent(), -24 * 105 / 15.0, 0.01);
}

TEST_F(RtfIo, ReadsWordProcessorRtfAndSkipsWhatItDoesNotKnow) {
    QFile f(KV_TEST_FIXTURES "/report/writer_style.rtf");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf(f.readAll(), &doc));
    QString text = doc.toPlainText();
    EXPECT_TRUE(text.startsWith(QString("计算书\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString("不满足qv2"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString("标准 中文 end")))
        << "GBK after a Latin font, \\uN with its fallback skipped\n" << text.toStdString();
    for (const char* foreign : {"Normal", "Heading", "LibreOffice", "Default Page Style", "Report", "Helvetica", "0100"})
        EXPECT_FALSE(text.contains(QString(foreign))) << foreign;

    QTextCharFormat title = FormatOf(doc, "计算书");
    EXPECT_GE(title.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 10.5);
    EXPECT_EQ(title.fontFamilies().toStringList().value(0), QString("宋体"));
    EXPECT_EQ(ColourName(FormatOf(doc, "不满足")), "#ff0000");
    EXPECT_EQ(FormatOf(doc, "v").verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_NEAR(doc.find("q").block().blockFormat().leftMargin(), 567 / 15.0, 0.01);

    QTextTable* table = FirstTable(doc);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 2);
    EXPECT_EQ(table->cellAt(1, 1).firstCursorPosition().block().text(), QString("B2"));
    EXPECT_EQ(ImageCount(doc), 1) << "the PNG, not its metafile stand-in";
    EXPECT_TRUE(Signature(doc).join("").contains("{img 76x76 2x2}"));
}

TEST_F(RtfIo, ChineseTextTakesTheSizeBoldAndFontOfItsCharacterClass) {
    QFile f(KV_TEST_FIXTURES "/report/class_props.rtf");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf(f.readAll(), &doc));
    EXPECT_EQ(doc.toPlainText(), QString("顶板 M1\n正文 C30\nWord 标题\n细\n斜x"));
    struct Case {
        const char* text;
        double points;
        bool bold, italic;
        const char* family;
    };
    const Case cases[] = {
        {"顶板", 18, true, false, "宋体"},             // \dbch\afs36\ab
        {"板 ", 18, true, false, "宋体"},              // the blank written after \dbch goes with it
        {"M1", 18, true, false, "Times New Roman"},    // \fs36\b for the Latin run
        {"正文", 10.5, false, false, "宋体"},          // \dbch\afs21\ab0
        {"C30", 10.5, false, false, "Times New Roman"},
        {"Word", 14, true, false, "Times New Roman"},  // one size for all, a font per class
        {"标题", 14, true, false, "宋体"},             // \rtlch's \afs40 is not for it
        {"细", 14, false, false, ""},                  // nor \rtlch's \ab
        {"斜", 15, false, true, ""},                   // \dbch\ai\afs30
        {"x", 12, false, false, ""},
    };
    for (const Case& c : cases) {
        QTextCursor found = doc.find(QString::fromUtf8(c.text), 0, QTextDocument::FindCaseSensitively);
        ASSERT_FALSE(found.isNull()) << c.text;
        // Every character of the match, not only the first.
        for (int at = found.selectionStart() + 1; at <= found.selectionEnd(); ++at) {
            QTextCursor one(&doc);
            one.setPosition(at);
            QTextCharFormat format = one.charFormat();
            EXPECT_DOUBLE_EQ(format.fontPointSize(), c.points) << c.text << " at " << at;
            EXPECT_EQ(format.fontWeight() >= QFont::Bold, c.bold) << c.text << " at " << at;
            EXPECT_EQ(format.fontItalic(), c.italic) << c.text << " at " << at;
            if (*c.family) {
                EXPECT_EQ(format.fontFamilies().toStringList().value(0), QString::fromUtf8(c.family)) << c.text;
            }
        }
    }
}

// Hand-made runs in the shapes a word processor writes, each character checked after
// reading and again after our writer saved the document and it was read back.
TEST_F(RtfIo, ClassPropertiesHoldInNestedGroupsAndThroughASave) {
    const QByteArray head = "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
                            "{\\f1\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\\f0\\fs24 ";
    struct Char {
        const char* ch;
        double points;
        bool bold, italic;
    };
    struct Case {
        const char* name;
        const char* body;
        std::vector<Char> chars;
    };
    const std::vector<Case> cases = {
        // Dashes and quotes sit in the Chinese run and take its look.
        {"punctuation in a Chinese run", "{\\dbch\\af1\\afs36\\ab \\u39030?\\u8212?\\u26495?\\u8220?\\u26631?\\u8221?\\u8230?}",
         {{"顶", 18, true, false}, {"—", 18, true, false}, {"板", 18, true, false}, {"“", 18, true, false},
          {"”", 18, true, false}, {"…", 18, true, false}}},
        {"nested group and its end", "{\\dbch\\afs36\\ab \\u26631?{\\afs20\\ab0\\ai \\u23567?}\\u39064?}\\u21518?",
         {{"标", 18, true, false}, {"小", 10, false, true}, {"题", 18, true, false}, {"后", 12, false, false}}},
        {"\\plain mid-run", "{\\dbch\\afs36\\ab \\u26631?\\plain \\u39064?}",
         {{"标", 18, true, false}, {"题", 12, false, false}}},
        {"a Latin run inside keeps the Chinese one after it",
         "{\\dbch\\afs36\\ab \\u26631?{\\loch\\fs20 AB}\\u39064?}",
         {{"标", 18, true, false}, {"A", 10, false, false}, {"题", 18, true, false}}},
        {"GBK pairs and \\uN with a two-byte fallback",
         "{\\f1\\dbch\\afs32\\ab \\'b1\\'ea{\\uc2\\u39064\\'cc\\'e2}\\'bc\\'c6}",
         {{"标", 16, true, false}, {"题", 16, true, false}, {"计", 16, true, false}}},
        {"a group ending mid-run", "{\\dbch\\afs30\\ai \\u26631?}\\u39064? x",
         {{"标", 15, false, true}, {"题", 12, false, false}, {"x", 12, false, false}}},
    };
    for (const Case& c : cases) {
        QTextDocument read;
        ASSERT_TRUE(ReadRtf(head + c.body + "\\par}", &read)) << c.name;
        QTextDocument back;
        ASSERT_TRUE(ReadRtf(WriteRtf(read), &back)) << c.name;
        for (const QTextDocument* doc : {&read, &back}) {
            const char* which = doc == &read ? " (read)" : " (saved and read back)";
            for (const Char& ch : c.chars) {
                QTextCursor found = doc->find(QString::fromUtf8(ch.ch), 0, QTextDocument::FindCaseSensitively);
                ASSERT_FALSE(found.isNull()) << c.name << which << ": " << ch.ch << " in "
                                             << doc->toPlainText().toStdString();
                QTextCursor at(const_cast<QTextDocument*>(doc));
                at.setPosition(found.selectionEnd());
                QTextCharFormat f = at.charFormat();
                EXPECT_DOUBLE_EQ(f.fontPointSize(), ch.points) << c.name << which << ": " << ch.ch;
                EXPECT_EQ(f.fontWeight() >= QFont::Bold, ch.bold) << c.name << which << ": " << ch.ch;
                EXPECT_EQ(f.fontItalic(), ch.italic) << c.name << which << ": " << ch.ch;
            }
        }
    }
}

TEST_F(RtfIo, WholeReportPastesAtTheStartOfAnotherWithItsPicture) {
    WorkFolder dir;
    dir.Write("a.dxf", "0\nEOF\n");
    StubPictures pictures;
    WriteSampleReport(dir / "r.rtf", dir / "a.dxf");
    QTextDocument source;
    ASSERT_TRUE(LoadReport(&source, QString::fromStdString(dir / "r.rtf"), true));
    std::unique_ptr<QMimeData> data = ReportMimeData(source);

    QTextDocument target;
    target.setPlainText("old report");
    QTextCursor start(&target);
    ASSERT_TRUE(InsertMimeData(data.get(), start));
    EXPECT_EQ(target.toPlainText().toStdString(), (source.toPlainText() + "\nold report").toStdString());
    EXPECT_EQ(ColourName(FormatOf(target, "不满足")), "#ff0000");
    EXPECT_TRUE(Signature(target).join("").contains("{img 605x302 200x100}")) << "the picture resolves in the target";
    EXPECT_NE(FirstTable(target), nullptr);

    QMimeData plain;
    plain.setText("just text");
    QTextCursor end(&target);
    end.movePosition(QTextCursor::End);
    ASSERT_TRUE(InsertMimeData(&plain, end));
    EXPECT_TRUE(target.toPlainText().endsWith("old reportjust text"));
}

TEST_F(RtfIo, DoubleByteCharactersWithAPlainSecondByte) {
    // A writer may escape only the first byte of a GBK character whose second
    // byte is printable ASCII.
    struct Case {
        const char* rtf;
        const char* text;
    };
    const Case cases[] = {
        {"{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 \\'81@x}", "丂x"},
        {"{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 \\'d6\\'d0@\\'81\\'40}", "中@丂"},
        {"{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 Arial;}}\\f0 \\'e9@}", "é@"},
    };
    for (const Case& c : cases) {
        QTextDocument doc;
        ASSERT_TRUE(ReadRtf(c.rtf, &doc));
        EXPECT_EQ(doc.toPlainText().toStdString(), c.text) << c.rtf;
    }
}

// A report read and saved reads back as it was read: its text, its paragraphs'
// alignment and indents, its characters' formats, and no line more or less.
TEST_F(RtfIo, AReportReadAndSavedKeepsItsTextAndFormatting) {
    const QByteArray head = "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\n";
    struct Case { const char* name; QByteArray body; QString text; } cases[] = {
        {"a paragraph ended by a table",
         "\\pard\\qc\\li720\\fi-360 Title\\par\n\\pard\\ql before\n"
         "\\trowd\\cellx2000\\cellx4000 \\pard\\intbl A\\cell B\\cell\\row\n\\pard\\qr\\li360 after\\par}",
         "Title\nbefore\nA\nB\nafter"},
        {"a table after a closed paragraph",
         "\\pard\\qc first\\par\n\\trowd\\cellx2000 \\pard\\intbl A\\cell\\row\n\\pard last}",
         "first\nA\nlast"},
        // control bytes are no text; a tab is
        {"control bytes", "\\pard a\\'01b\\'1fc{\\u2 ?}d\x02\\'7fe\\'09f\\par}", "abcde\tf"},
        // half a surrogate pair is a broken character: marked, not dropped
        {"lone surrogates", "\\pard x\\u-10179?y\\u-8704?z\\u-10179?\\u-8704?\\par}",
         QString("x\uFFFDy\uFFFDz") + QString::fromUtf8("\xF0\x9F\x98\x80")},
    };
    for (const auto& c : cases) {
        QTextDocument doc;
        ASSERT_TRUE(ReadRtf(head + c.body, &doc)) << c.name;
        EXPECT_EQ(doc.toPlainText().toStdString(), c.text.toStdString()) << c.name;
        QTextDocument again;
        ASSERT_TRUE(ReadRtf(WriteRtf(doc), &again)) << c.name;
        EXPECT_EQ(again.toPlainText().toStdString(), c.text.toStdString()) << c.name;
        EXPECT_EQ(Signature(again).join("\n").toStdString(), Signature(doc).join("\n").toStdString()) << c.name;
    }
    // Each paragraph keeps its own alignment and indents, the one a table ends too.
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf(head + cases[0].body, &doc));
    auto blockOf = [&doc](const QString& text) { return doc.find(text, 0, QTextDocument::FindCaseSensitively).block(); };
    EXPECT_EQ(blockOf("Title").blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(qRound(blockOf("Title").blockFormat().leftMargin()), 48);
    EXPECT_EQ(qRound(blockOf("Title").blockFormat().textIndent()), -24);
    EXPECT_EQ(blockOf("before").blockFormat().alignment(), Qt::AlignLeft);
    EXPECT_EQ(qRound(blockOf("before").blockFormat().leftMargin()), 0);
    EXPECT_EQ(qRound(blockOf("before").blockFormat().textIndent()), 0);
    EXPECT_EQ(blockOf("after").blockFormat().alignment(), Qt::AlignRight);
    EXPECT_EQ(qRound(blockOf("after").blockFormat().leftMargin()), 24);
}

TEST_F(RtfIo, MalformedInputNeverCrashes) {
    const char* inputs[] = {"{\\rtf1 unclosed {\\b bold", "{\\rtf1 \\'", "{\\rtf1 \\u", "{\\rtf1 }}}}} tail",
                            "{\\rtf1 {\\pict\\pngblip 89504e47}}", "{\\rtf1 \\cell\\row\\intbl x\\cell}",
                            "{\\rtf1 \\fs-5 \\cf99 x\\par}", "{\\rtf1 \\bin99999 x}"};
    for (const char* in : inputs) {
        QTextDocument doc;
        EXPECT_TRUE(ReadRtf(QByteArray(in), &doc)) << in;
    }
    QTextDocument deep;
    ASSERT_TRUE(ReadRtf("{\\rtf1 a" + QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + "b}", &deep));
    EXPECT_EQ(deep.toPlainText(), QString("ab")) << "groups nested beyond reason are skipped";
    QTextDocument doc;
    doc.setPlainText("kept");
    EXPECT_FALSE(ReadRtf("plain text", &doc));
    EXPECT_EQ(doc.toPlainText(), QString("kept"));
}

// Pictures that cannot be drawn, or that ask for a size beyond reason, are read,
// laid out, painted and written back without harm; their bytes stay as they came.
TEST_F(RtfIo, BrokenOrOversizedPicturesAreKeptAndNeverCrash) {
    QByteArray png = QByteArray::fromStdString(PngOf(4, 3, Qt::red));
    QByteArray corrupt = png;
    corrupt.truncate(40);  // the header without the picture data
    const QByteArray cases[] = {
        "{\\rtf1 {\\pict\\pngblip\\picwgoal600\\pichgoal400 " + corrupt.toHex() + "}x}",
        "{\\rtf1 {\\pict\\pngblip\\picwgoal2000000000\\pichgoal2000000000\\picscalex30000\\picscaley30000 " +
            png.toHex() + "}x}",
        "{\\rtf1 {\\pict\\pngblip\\picscalex-100 " + png.toHex() + "}x}",
        "{\\rtf1 {\\pict\\jpegblip}x}",
    };
    for (const QByteArray& in : cases) {
        SCOPED_TRACE(in.left(60).toStdString());
        QTextDocument doc;
        ASSERT_TRUE(ReadRtf(in, &doc));
        DrawPicturesOnDemand(&doc);
        doc.setTextWidth(600);
        QImage page(600, 400, QImage::Format_RGB32);
        QPainter painter(&page);
        doc.drawContents(&painter, QRectF(0, 0, 600, 400));
        painter.end();
        EXPECT_TRUE(doc.toPlainText().contains("x"));
        const QByteArray written = WriteRtf(doc);
        for (int k = 0; k < ImageCount(doc); ++k) EXPECT_TRUE(QByteArray(written).replace("\n", "").contains(png.toHex().left(32)));
    }
}

// Reports as this program writes them, joined into one book: each keeps its
// text's fonts and colours when the book is read back.
TEST_F(RtfIo, JoinedReportsKeepTheirFontsAndColours) {
    auto report = [](const QString& text, const QString& family, QColor colour) {
        QTextDocument doc;
        QTextCharFormat f;
        f.setFontFamilies({family});
        f.setForeground(colour);
        QTextCursor(&doc).insertText(text, f);
        return WriteRtf(doc).toStdString();
    };
    kv::report::RtfJoiner joiner;
    ASSERT_TRUE(joiner.Start(report("cover", "Arial", QColor("#102030"))));
    joiner.AppendText("\n1\theading\n", 36, 0x000000);
    ASSERT_TRUE(joiner.Append(report("first", "Courier", QColor("#ff0000"))));
    ASSERT_TRUE(joiner.Append(report("second", "Arial", QColor("#0000ff"))));
    const std::string book = joiner.Finish();
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf(QByteArray::fromStdString(book), &doc));
    const struct {
        const char* text;
        const char* family;
        const char* colour;
    } expected[] = {{"cover", "Arial", "#102030"}, {"first", "Courier", "#ff0000"}, {"second", "Arial", "#0000ff"}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.text);
        const QTextCharFormat f = FormatOf(doc, e.text);
        EXPECT_EQ(ColourName(f), QString(e.colour)) << book;
        EXPECT_TRUE(f.fontFamilies().toStringList().contains(e.family)) << f.fontFamilies().toStringList().join(",").toStdString();
    }
}

// Runs an outside tool to its end, killed after two minutes so a hung office
// suite fails the test instead of holding the run; gives its standard output.
QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        ADD_FAILURE() << program.toStdString() << " did not finish within two minutes";
    } else if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << p.readAllStandardError().toStdString();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A picture read from a report is written back as the very bytes it came in:
// nothing is decoded, and a JPEG stays a JPEG.
TEST_F(RtfIo, PicturesAreWrittenBackAsTheBytesTheyCameIn) {
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    for (const char* format : {"PNG", "JPG"}) {
        SCOPED_TRACE(format);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(image.save(&buffer, format));
        const QByteArray blip = QByteArray(format) == "PNG" ? "\\pngblip" : "\\jpegblip";
        QTextDocument doc;
        ASSERT_TRUE(ReadRtf("{\\rtf1 {\\pict" + blip + "\\picwgoal600\\pichgoal400 " + bytes.toHex() + "}}", &doc));
        ASSERT_EQ(ImageCount(doc), 1);
        const QByteArray written = WriteRtf(doc);
        EXPECT_TRUE(written.contains(blip + "\\picw30\\pich20\\picwgoal600\\pichgoal400")) << written.left(400).toStdString();
        EXPECT_TRUE(QByteArray(written).replace("\n", "").contains(bytes.toHex()));
    }
}

TEST_F(RtfIo, LibreOfficeOpensOurReport) {
    const QString soffice = QStandardPaths::findExecutable("soffice");
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (soffice.isEmpty() || pdftotext.isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is missing; scripts/setup installs "
                        "libreoffice-writer-nogui and poppler-utils";
    WorkFolder dir;
    dir.Write("a.dxf", "0\nEOF\n");
    StubPictures pictures;
    WriteSampleReport(dir / "r.rtf", dir / "a.dxf");
    // A profile of its own: another LibreOffice running at the time (a parallel
    // test run, the user's own) cannot lock it.
    const QString profile = "-env:UserInstallation=file://" + QString::fromStdString(dir.path()) + "lo-profile";
    const auto toPdf = [&](const std::string& rtf) {
        RunTool(soffice, {profile, "--headless", "--convert-to", "pdf", "--outdir", QString::fromStdString(dir.path()),
                          QString::fromStdString(dir / rtf)});
        const std::string pdf = rtf.substr(0, rtf.size() - 3) + "pdf";
        EXPECT_TRUE(dir.Exists(pdf)) << "LibreOffice wrote no " << pdf;
        return RunTool(pdftotext, {QString::fromStdString(dir / pdf), "-"});
    };
    const QString text = toPdf("r.rtf");
    EXPECT_TRUE(text.contains(QString("门框墙计算"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString("不满足"))) << text.toStdString();

    // the report as the view saves it again opens as well
    QTextDocument view;
    ASSERT_TRUE(LoadReport(&view, QString::fromStdString(dir / "r.rtf"), true));
    ASSERT_TRUE(SaveRtf(view, QString::fromStdString(dir / "saved.rtf")));
    const QString again = toPdf("saved.rtf");
    for (const char* piece : {"门框墙计算", "不满足", "当混凝土强度等级不超过", "门洞宽", "结束"})
        EXPECT_TRUE(again.contains(QString::fromUtf8(piece))) << piece << "\n" << again.toStdString();

    // and what LibreOffice writes back, our reader reads
    RunTool(soffice, {profile, "--headless", "--convert-to", "rtf:Rich Text Format", "--outdir",
                      QString::fromStdString(dir.path() + "lo/"), QString::fromStdString(dir / "r.rtf")});
    QTextDocument doc;
    ASSERT_TRUE(LoadReport(&doc, QString::fromStdString(dir.path() + "lo/r.rtf"), true));
    EXPECT_TRUE(doc.toPlainText().contains(QString("门框墙计算")));
    EXPECT_EQ(ColourName(FormatOf(doc, "不满足")), "#ff0000");
    EXPECT_EQ(ImageCount(doc), 1);
}

TEST_F(RtfIo, ChineseHeadingsKeepTheirSizeAndBoldThroughLibreOffice) {
    QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty()) GTEST_SKIP() << "LibreOffice (soffice) is not installed: the round trip is not checked";
    WorkFolder dir;
    {
        kv::report::CRTF rtf;
        ASSERT_TRUE(rtf.Open((dir / "r.rtf").c_str()));
        rtf.SetCurTextStyle(0, 36, 1, 1, 0, 0);
        rtf.InsertText("顶板计算 M1\n");
        rtf.SetCurTextStyle(0, 21, 1, 0, 0, 0);
        rtf.InsertText("混凝土 C30 钢筋\n");
        ASSERT_EQ(rtf.Close(), 1);
    }
    // LibreOffice writes the Chinese runs' size and bold as \dbch\afs and \ab only.
    const QString profile = "-env:UserInstallation=file://" + QString::fromStdString(dir.path()) + "lo-profile";
    QProcess p;
    p.start(soffice, {profile, "--headless", "--convert-to", "rtf:Rich Text Format", "--outdir",
                      QString::fromStdString(dir.path() + "lo/"), QString::fromStdString(dir / "r.rtf")});
    ASSERT_TRUE(p.waitForFinished(120000));
    QTextDocument ours, back;
    ASSERT_TRUE(LoadReport(&ours, QString::fromStdString(dir / "r.rtf"), true));
    ASSERT_TRUE(LoadReport(&back, QString::fromStdString(dir.path() + "lo/r.rtf"), true));
    EXPECT_TRUE(back.toPlainText().startsWith(ours.toPlainText().trimmed())) << back.toPlainText().toStdString();
    for (const char* piece : {"顶板计算", "M1", "混凝土", "C30", "钢筋"}) {
        QTextCharFormat before = FormatOf(ours, QString::fromUtf8(piece));
        QTextCharFormat after = FormatOf(back, QString::fromUtf8(piece));
        EXPECT_DOUBLE_EQ(after.fontPointSize(), before.fontPointSize()) << piece;
        EXPECT_EQ(after.fontWeight() >= QFont::Bold, before.fontWeight() >= QFont::Bold) << piece;
    }
    EXPECT_DOUBLE_EQ(FormatOf(back, "顶板计算").fontPointSize(), 18);
    EXPECT_GE(FormatOf(back, "顶板计算").fontWeight(), QFont::Bold);
}

}  // namespace
}  // namespace kv::report::ui
