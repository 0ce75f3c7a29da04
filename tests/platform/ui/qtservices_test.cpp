#include "platform/ui/qtservices.h"
#include "support/qt_app.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(QtFileDialogFilter, WindowsFiltersBecomeQtFilters) {
    struct Case {
        const char* windows;
        const char* qt;
    };
    const Case cases[] = {
        {"说明 (*.LB)|*.LB|所有文件 (*.*)|*.*||", "说明 (*.LB);;所有文件 (*.*)"},
        // A description without its pattern would filter nothing: the pattern is added.
        {"RTF文件|*.rtf||", "RTF文件 (*.rtf)"},
        {"墙 (*.WQ)|*.WQ;*.LKQ||", "墙 (*.WQ) (*.WQ *.LKQ)"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(kv::platform::QtFilterFromWindowsFilter(c.windows).toStdString(), c.qt) << c.windows;
}

// Shows a box and acts on it once it is up; returns the answer.
int Answer(unsigned type, std::function<void(QMessageBox&)> act, const char* text = "是否真要删除 01  顶板?") {
    kv::test::EnsureQtApp();
    auto service = kv::platform::MakeQtMessageService();
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box";
            return;
        }
        act(*box);
    });
    return service->Show(text, "KV", type);
}

void Press(QMessageBox& box, const char* text) {
    for (QAbstractButton* b : box.buttons())
        if (b->text() == QString::fromUtf8(text)) return b->click();
    ADD_FAILURE() << "no button " << text;
}

TEST(QtMessageService, ButtonsAnswerTheProgramsIds) {
    EXPECT_EQ(Answer(kv::MB_YESNO, [](QMessageBox& b) { Press(b, "否(&N)"); }), kv::IDNO);
    EXPECT_EQ(Answer(kv::MB_YESNOCANCEL, [](QMessageBox& b) { Press(b, "是(&Y)"); }), kv::IDYES);
    EXPECT_EQ(Answer(kv::MB_OKCANCEL, [](QMessageBox& b) { Press(b, "取消"); }), kv::IDCANCEL);
    EXPECT_EQ(Answer(kv::MB_OK, [](QMessageBox& b) {
                  EXPECT_EQ(b.buttons().size(), 1);
                  Press(b, "确定");
              }),
              kv::IDOK);
}

// Esc gives Cancel where there is one, else No, else OK; Enter the default button.
TEST(QtMessageService, EscapeGivesTheSafeAnswerAndEnterTheDefault) {
    auto key = [](Qt::Key k) { return [k](QMessageBox& b) { QTest::keyClick(&b, k); }; };
    EXPECT_EQ(Answer(kv::MB_YESNOCANCEL, key(Qt::Key_Escape)), kv::IDCANCEL);
    EXPECT_EQ(Answer(kv::MB_YESNO, key(Qt::Key_Escape)), kv::IDNO);
    EXPECT_EQ(Answer(kv::MB_OK, key(Qt::Key_Escape)), kv::IDOK);
    EXPECT_EQ(Answer(kv::MB_YESNO, key(Qt::Key_Return)), kv::IDYES);
    EXPECT_EQ(Answer(kv::MB_YESNO | kv::MB_DEFBUTTON2, key(Qt::Key_Return)), kv::IDNO);
}

// Messages are plain text: a comparison in them is no markup and their lines stay lines.
TEST(QtMessageService, ShowsTheTextAsWritten) {
    const char* text = "当 a<b 且 b>c 时\n第二行 &lt;";
    Answer(
        kv::MB_OK,
        [&](QMessageBox& b) {
            auto* label = b.findChild<QLabel*>("qt_msgbox_label");
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text().toStdString(), text);
            EXPECT_EQ(label->textFormat(), Qt::PlainText);
            b.accept();
        },
        text);
}

}  // namespace
