// The numeric edit box of the shell dialogs: which keys it takes, its steps,
// and the parent's word on a refusal.
#include "members/shells/ui/filteredit.h"

#include "support/message_recorder.h"
#include "support/qt_app.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using kv::shells::CFilterEdit;

class FilterEdit : public ::testing::Test {
protected:
    void SetUp() override {
        edit.SubclassDlgItem(912, CFilterEdit::kDigits);
        edit.SetParentNotice([this](int id, int code) {
            notices.push_back({id, code});
            return 0;
        });
    }
    bool app = (kv::test::EnsureQtApp(), true);
    CFilterEdit edit;
    kv::test::MessageRecorder boxes;
    std::vector<std::pair<int, int>> notices;
};

TEST_F(FilterEdit, NumbersAreTypedAsTheyAre) {
    QTest::keyClicks(&edit, "12.5");
    EXPECT_EQ(edit.text(), "12.5");
    edit.clear();
    QTest::keyClicks(&edit, "1 2*");
    EXPECT_EQ(edit.text(), "1 2*");
    EXPECT_EQ(boxes.beeps(), 0);
    EXPECT_TRUE(notices.empty());
}

TEST_F(FilterEdit, LettersAndSignsBeepAndAreNotInserted) {
    for (const char* key : {"a", "-", "+", "中"}) {
        edit.setText("7");
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8(key));
        QApplication::sendEvent(&edit, &press);
        EXPECT_EQ(edit.text(), "7") << key;
    }
    EXPECT_EQ(boxes.beeps(), 4);
    ASSERT_EQ(notices.size(), 4u);
    EXPECT_EQ(notices[0], std::make_pair(912, 0x8000));
}

TEST_F(FilterEdit, BackspaceStillWorks) {
    QTest::keyClicks(&edit, "125");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "12");
    EXPECT_EQ(boxes.beeps(), 0);
}

TEST_F(FilterEdit, AParentAnsweringMinusOneKeepsTheBeepBack) {
    edit.SetParentNotice([](int, int) { return -1; });
    QTest::keyClicks(&edit, "x");
    EXPECT_EQ(edit.text(), "");
    EXPECT_EQ(boxes.beeps(), 0);
}

TEST_F(FilterEdit, OtherMasksTakeTheirClasses) {
    EXPECT_EQ(CFilterEdit::CharClass(U'5'), CFilterEdit::kDigits);
    EXPECT_EQ(CFilterEdit::CharClass(U'b'), CFilterEdit::kLetters);
    EXPECT_EQ(CFilterEdit::CharClass(U'-'), CFilterEdit::kOther);
    EXPECT_EQ(CFilterEdit::CharClass(U'\t'), 0xFFFF);
    edit.filter_mask = CFilterEdit::kLetters | CFilterEdit::kOther;
    QTest::keyClicks(&edit, "a-1");
    EXPECT_EQ(edit.text(), "a-");
    EXPECT_EQ(boxes.beeps(), 1);
}

struct Step {
    const char* text;
    int code;
    const char* after;
    bool beeps;
};

TEST_F(FilterEdit, StepsStayWithinTheRangeAndSelectTheText) {
    const Step cases[] = {
        {"5", CFilterEdit::kLineUp, "6", false},         {"5", CFilterEdit::kLineDown, "4", false},
        {"32767", CFilterEdit::kLineUp, "32767", true},  {"0", CFilterEdit::kLineDown, "0", true},
        {"1.5", CFilterEdit::kLineUp, "1.5", true},      {"32766", CFilterEdit::kLineUp, "32767", false},
        {"5", 2, "5", false},
    };
    for (const Step& c : cases) {
        int before = boxes.beeps();
        edit.setText(c.text);
        edit.deselect();
        edit.OnVScroll(c.code);
        EXPECT_EQ(edit.text(), c.after) << c.text << " " << c.code;
        EXPECT_EQ(boxes.beeps() - before, c.beeps ? 1 : 0) << c.text << " " << c.code;
        if (c.code == CFilterEdit::kLineUp || c.code == CFilterEdit::kLineDown) {
            EXPECT_EQ(edit.selectedText(), edit.text()) << c.text;
        }
    }
    EXPECT_EQ(notices.size(), 3u);
}

}  // namespace
