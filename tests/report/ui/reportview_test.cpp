#include "report/ui/reportfile.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <gtest/gtest.h>

#include "qt_app.h"
#include "../test_folder.h"

namespace kv::report::ui {
namespace {

using kv::report::test::WorkFolder;

class ReportFile : public ::testing::Test {
protected:
    void SetUp() override { kv::report::test::EnsureApp(); }
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

}  // namespace
}  // namespace kv::report::ui
