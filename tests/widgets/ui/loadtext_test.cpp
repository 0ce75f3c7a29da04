// A text file shown whole in an edit box.
#include "widgets/ui/loadtext.h"

#include "support/qt_app.h"
#include "support/temp_folder.h"

#include <QPlainTextEdit>
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
