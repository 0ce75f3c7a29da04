// A text file shown whole in an edit box, or line by line in a list.
#include "widgets/ui/loadtext.h"

#include "base/textio.h"
#include "report/script.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextEdit>
#include <gtest/gtest.h>

TEST(LoadTextToEdit, ShowsAGbkFileWithWindowsLineEnds) {
    kv::test::EnsureQtApp();
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    // "注意:\r\n  qe2" in GBK.
    dir.Write("Message.Box", "\xD7\xA2\xD2\xE2:\r\n  qe2");
    QPlainTextEdit edit;
    EXPECT_TRUE(LoadTextToEdit(&edit, "message.box"));
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("注意:\n  qe2"));
}

TEST(LoadTextToEdit, AFileThatCannotBeReadEmptiesTheBox) {
    kv::test::EnsureQtApp();
    kv::test::TempFolder dir;
    QPlainTextEdit edit;
    edit.setPlainText("older answer");
    EXPECT_FALSE(LoadTextToEdit(&edit, dir / "Message.Box"));
    EXPECT_TRUE(edit.toPlainText().isEmpty());
}

// A calculation's messages with a warning written as a red text block: the
// lines as written, the warning in red and nothing of the block's markers.
TEST(LoadTextToRichEdit, ShowsTheFileWithItsColouredTextsInTheirColour) {
    kv::test::EnsureQtApp();
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    std::FILE* fp = open_file("Message.Box", "wt");
    ASSERT_NE(fp, nullptr);
    std::fputs("    M = 827.000\n      ------  ", fp);
    VanjoroScript_Text(fp, "超筋", 255, 1.0);
    std::fputs("\n\tAs =\t100", fp);
    ASSERT_EQ(commit_file(fp), 0);
    QTextEdit edit;
    edit.setPlainText("older answer");
    EXPECT_TRUE(LoadTextToRichEdit(&edit, "message.box"));
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("    M = 827.000\n      ------  超筋\n\tAs =\t100"));
    const QTextBlock warning = edit.document()->findBlockByNumber(1);
    QColor before, red;
    for (auto it = warning.begin(); !it.atEnd(); ++it) {
        if (it.fragment().text().contains(QStringLiteral("超筋"))) red = it.fragment().charFormat().foreground().color();
        else before = it.fragment().charFormat().foreground().color();
    }
    EXPECT_EQ(red, QColor(255, 0, 0));
    EXPECT_NE(before, QColor(255, 0, 0));

    EXPECT_FALSE(LoadTextToRichEdit(&edit, dir / "missing.box"));
    EXPECT_TRUE(edit.toPlainText().isEmpty());
}

TEST(LoadToListBox, ShowsOneLinePerItemWithTabsLinedUp) {
    kv::test::EnsureQtApp();
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    // "\t跨中弯矩:\r\n\t\t水平 =\t1.50\r\n" in GBK: a Chinese character takes two columns.
    dir.Write("Message.Box", "\t\xBF\xE7\xD6\xD0\xCD\xE4\xBE\xD8:\r\n\t\t\xCB\xAE\xC6\xBD =\t1.50\r\n");
    QListWidget list;
    list.addItem("older line");
    EXPECT_TRUE(LoadToListBox(&list, "message.box"));
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("        跨中弯矩:"));
    EXPECT_EQ(list.item(1)->text(), QStringLiteral("                水平 =  1.50"));

    EXPECT_FALSE(LoadToListBox(&list, dir / "missing.box"));
    EXPECT_EQ(list.count(), 0);
}
