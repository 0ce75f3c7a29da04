#include "report/ui/reportfile.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <gtest/gtest.h>

#include "support/qt_app.h"
#include "support/work_folder.h"

namespace kv::report::ui {
namespace {

using kv::test::WorkFolder;

class ReportFile : public ::testing::Test {
protected:
    void SetUp() override { kv::test::EnsureQtApp(); }
    WorkFolder dir;
    QString Path(const std::string& name) const { return QString::fromStdString(dir / name); }
};

TEST_F(ReportFile, FirstFiveBytesDecideTheFormat) {
    dir.Write("rtf.txt", "{\\rtf1 x}");
    dir.Write("text.rtf", "计算书");
    dir.Write("short.rtf", "{\\rt");
    EXPECT_TRUE(LooksLikeRtf(Path("rtf.txt")));
    EXPECT_FALSE(LooksLikeRtf(Path("text.rtf")));
    EXPECT_FALSE(LooksLikeRtf(Path("short.rtf")));
    EXPECT_FALSE(LooksLikeRtf(Path("missing.rtf")));
}

TEST_F(ReportFile, PlainTextLoadsInSongTi10AndSavesWithItsLastLine) {
    dir.Write("r.txt", "\xb5\xda\xd2\xbb\xd0\xd0\r\n\tA`b\r\n\xd7\xee\xba\xf3");  // 第一行 / A`b / 最后 (GBK)
    QTextDocument doc;
    ASSERT_TRUE(LoadReport(&doc, Path("r.txt"), false));
    EXPECT_EQ(doc.toPlainText(), QString("第一行\n\tA`b\n最后"));
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            QTextCharFormat f = it.fragment().charFormat();
            EXPECT_EQ(f.fontFamilies().toStringList().value(0), QString("宋体"));
            EXPECT_DOUBLE_EQ(f.fontPointSize(), 10.0);
        }

    ASSERT_TRUE(SaveReportText(doc, Path("out.txt")));
    std::string saved = dir.Read("out.txt");
    EXPECT_NE(saved.find("\xd7\xee\xba\xf3"), std::string::npos) << "the last line, in GBK, without a line end";
    EXPECT_EQ(saved.substr(saved.size() - 4), "\xd7\xee\xba\xf3");
    QTextDocument again;
    ASSERT_TRUE(LoadReport(&again, Path("out.txt"), false));
    EXPECT_EQ(again.toPlainText(), doc.toPlainText());

    EXPECT_FALSE(LoadReport(&again, Path("missing.txt"), false));
    EXPECT_EQ(again.toPlainText(), doc.toPlainText()) << "a file that cannot be read changes nothing";
}

TEST_F(ReportFile, GotoLineAndCaretLine) {
    QTextEdit edit;
    edit.resize(400, 200);
    edit.setLineWrapMode(QTextEdit::NoWrap);
    QStringList lines;
    for (int k = 1; k <= 100; ++k) lines << QString("line %1").arg(k);
    edit.setPlainText(lines.join("\n"));
    edit.show();

    auto firstVisible = [&] { return edit.cursorForPosition(QPoint(4, 4)).block().blockNumber() + 1; };
    ScrollToLine(&edit, 40);
    EXPECT_EQ(firstVisible(), 40);
    ScrollToLine(&edit, 1);
    EXPECT_EQ(firstVisible(), 1);
    EXPECT_EQ(edit.verticalScrollBar()->value(), 0);
    ScrollToLine(&edit, 1000);
    EXPECT_EQ(edit.verticalScrollBar()->value(), edit.verticalScrollBar()->maximum());

    QTextCursor c = edit.textCursor();
    c.setPosition(edit.document()->findBlockByNumber(4).position() + 2);
    edit.setTextCursor(c);
    EXPECT_EQ(CaretLine(&edit), 5);
    EXPECT_EQ(LineStatusText(&edit), QString("Line: 5"));
}

TEST_F(ReportFile, PreviewMarginLinesSitOneInchIn) {
    // A5-sized page at 72 dpi: the margins at 72 device units from every edge.
    QImage page(420, 595, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    p.setPen(Qt::black);
    DrawMarginLines(&p, 420 * 20, 595 * 20, 72, 72);
    p.end();
    auto darkIn = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) n += page.pixelColor(x, y) != Qt::white;
        return n;
    };
    EXPECT_GT(darkIn(100, 72, 300, 72), 20);             // top
    EXPECT_GT(darkIn(100, 595 - 72, 300, 595 - 72), 20);  // bottom
    EXPECT_GT(darkIn(72, 100, 72, 400), 20);              // left
    EXPECT_GT(darkIn(420 - 72, 100, 420 - 72, 400), 20);  // right
    EXPECT_EQ(darkIn(100, 100, 300, 400), 0);
}

TEST_F(ReportFile, PrintedTextSitsOneInchInAndOnlyThePreviewShowsTheMargins) {
    QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftotext.isEmpty() || pdftoppm.isEmpty()) GTEST_SKIP() << "pdftotext or pdftoppm is not installed: not checked";
    QTextDocument doc;
    doc.setPlainText("MARGIN first line\nsecond line");
    for (bool preview : {false, true}) {
        const QString pdf = Path(preview ? "preview.pdf" : "print.pdf");
        {
            QPrinter printer(QPrinter::ScreenResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setPageSize(QPageSize(QPageSize::A4));
            PrintReport(doc, &printer, preview);
        }
        // Where the first word is, in points from the top left of the page.
        QProcess words;
        words.start(pdftotext, {"-bbox", pdf, "-"});
        ASSERT_TRUE(words.waitForFinished(60000));
        QString html = QString::fromUtf8(words.readAllStandardOutput());
        QRegularExpression word(R"re(xMin="([0-9.]+)" yMin="([0-9.]+)"[^>]*>MARGIN<)re");
        QRegularExpressionMatch m = word.match(html);
        ASSERT_TRUE(m.hasMatch()) << html.toStdString();
        EXPECT_NEAR(m.captured(1).toDouble(), 72, 2) << "one inch from the left edge";
        EXPECT_NEAR(m.captured(2).toDouble(), 72, 6) << "one inch from the top edge";

        // The page at 72 dpi: a dotted line one inch from the top, beside the text.
        QProcess render;
        render.start(pdftoppm, {"-r", "72", "-gray", "-singlefile", pdf, Path(preview ? "preview" : "print")});
        ASSERT_TRUE(render.waitForFinished(60000));
        QImage page(Path(preview ? "preview.pgm" : "print.pgm"));
        ASSERT_FALSE(page.isNull());
        int dark = 0;
        for (int y = 71; y <= 73; ++y)
            for (int x = 300; x < 500; ++x) dark += qGray(page.pixel(x, y)) < 160;
        if (preview) EXPECT_GT(dark, 20) << "the preview shows the top margin";
        else EXPECT_EQ(dark, 0) << "the printed page has no margin lines";
    }

    // A page range from the print dialog prints those pages only.
    QStringList lines;
    for (int k = 1; k <= 150; ++k) lines << QString("line %1").arg(k);
    doc.setPlainText(lines.join("\n"));
    {
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Path("range.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setFromTo(2, 2);
        PrintReport(doc, &printer);
    }
    QProcess range;
    range.start(pdftotext, {Path("range.pdf"), "-"});
    ASSERT_TRUE(range.waitForFinished(60000));
    QString text = QString::fromUtf8(range.readAllStandardOutput());
    EXPECT_EQ(text.count('\f'), 1) << "one page";
    EXPECT_FALSE(text.contains("line 1\n")) << "not the first page";
    EXPECT_TRUE(text.contains("line 100")) << text.toStdString();
}

// The pictures of a report read from RTF stay in their PNG bytes: the printed
// page still shows them.
TEST_F(ReportFile, APrintedReportShowsItsPictures) {
    QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm is not installed: not checked";
    QImage red(40, 30, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(red.save(&buffer, "PNG"));
    dir.Write("p.rtf", "{\\rtf1 {\\pict\\pngblip\\picwgoal1440\\pichgoal1080 " + png.toHex().toStdString() + "}}");
    QTextDocument doc;
    ASSERT_TRUE(LoadReport(&doc, Path("p.rtf"), true));
    {
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Path("p.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        PrintReport(doc, &printer);
    }
    QProcess render;
    render.start(pdftoppm, {"-r", "72", "-singlefile", "-png", Path("p.pdf"), Path("p")});
    ASSERT_TRUE(render.waitForFinished(60000));
    QImage page(Path("p.png"));
    ASSERT_FALSE(page.isNull());
    int redPixels = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            redPixels += c.red() > 200 && c.green() < 60 && c.blue() < 60;
        }
    EXPECT_GT(redPixels, 60 * 45) << "one inch by three quarters at 72 dpi";
}

}  // namespace
}  // namespace kv::report::ui
