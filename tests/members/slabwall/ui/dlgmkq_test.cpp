// The door-frame and window-well wall dialog: the load positions that follow L,
// the section shape on its scroll bar and its picture, grade changes, Enter,
// 返回 and Esc after a bad entry, the two kinds' captions, files and load
// dialogs, and reading a data file.
#include "members/slabwall/ui/dlgmkq.h"

#include "base/globals.h"
#include "design/mkq_data.h"
#include "support/edition_guard.h"
#include "views/dialogs/shellservices.h"
#include "widgets/rangemessage.h"

#include "dialog_fixture.h"
#include "modal.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using kv::test::ById;
using kv::test::Click;
using kv::test::Field;
using kv::test::RunModal;
using kv::test::SetField;

class MkqDialog : public kv::test::DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        oldExe = G_strExePath;
        G_strExePath = program.path();
    }
    void TearDown() override {
        G_strExePath = oldExe;
        DialogTest::TearDown();
    }

    int Run(const std::function<void(CDlgMkq&)>& steps) {
        CDlgMkq dlg;
        dlg.SetData(&data);
        return RunModal(dlg, [&] { steps(dlg); });
    }
    static void Leave(const CDlgMkq& dlg, int id) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(ById(dlg, id), &out);
    }
    static void Scroll(const CDlgMkq& dlg, QAbstractSlider::SliderAction action) {
        ById<QScrollBar>(dlg, 1338)->triggerAction(action);
    }
    static QString Picture(const CDlgMkq& dlg) { return ById(dlg, 1195)->property("picture").toString(); }
    static void Key(CDlgMkq& dlg, Qt::Key key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &press);
    }

    kv::test::TempFolder program;  // the program folder, with the pictures a test puts there
    std::string oldExe;
    kv::test::EditionGuard edition{2010};
    CMkqData data{0};
};

TEST_F(MkqDialog, LoadPositionsFollowTheLengthOnOpeningAndWhenLeavingIt) {
    const struct {
        const char* typed;
        const char *l1, *l2;
    } cases[] = {{"900", "866", "800"},
                 {"1000", "966", "900"},
                 {"100", "66", "0"},
                 {"30", "-3", "-70"},
                 {"2147483647", "2147483613", "2147483547"},
                 {"-2147483648", "-2147483648", "-2147483648"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        data.Length = 900;
        data.L1 = 1;
        data.L2 = 2;
        Run([&](CDlgMkq& dlg) {
            // Opening replaces what is stored.
            EXPECT_EQ(Field(dlg, 1233), "866");
            EXPECT_EQ(Field(dlg, 1238), "800");
            EXPECT_FALSE(ById(dlg, 1233)->isEnabled());
            EXPECT_FALSE(ById(dlg, 1238)->isEnabled());
            SetField(dlg, 1353, c.typed);
            Leave(dlg, 1353);
            EXPECT_EQ(Field(dlg, 1233), c.l1);
            EXPECT_EQ(Field(dlg, 1238), c.l2);
            EXPECT_EQ(dlg.ControlsToData(), 1);
        });
        EXPECT_EQ(data.L1, QString(c.l1).toInt());
        EXPECT_EQ(data.L2, QString(c.l2).toInt());
    }
    EXPECT_TRUE(messages->shown().empty());

    // A length that is no number is refused, and the positions stay.
    data.Length = 900;
    Run([&](CDlgMkq& dlg) {
        SetField(dlg, 1353, "9x");
        Leave(dlg, 1353);
        EXPECT_EQ(Field(dlg, 1233), "866");
    });
    EXPECT_EQ(Shown(), std::vector<std::string>{kv::widgets::NotAnIntegerMessage()});
}

TEST_F(MkqDialog, ScrollBarOffersShapesOneAndTwoAndAStoredThirdShapeKeepsItsPictureUntilScrolledUp) {
    // The haunched lip's picture is in the program folder, the others are not.
    QImage haunched(120, 90, QImage::Format_RGB32);
    haunched.fill(Qt::gray);
    program.Write("pictures/IDB_BITMAP_MKQ3.png", "");
    ASSERT_TRUE(haunched.save(QString::fromStdString(program / "pictures/IDB_BITMAP_MKQ3.png")));
    using A = QAbstractSlider;
    const struct {
        int stored;
        std::vector<A::SliderAction> steps;
        int shape;
        const char* picture;
        bool haunchEnabled;
        int position;  // up leaves the bar at the top, down at the bottom
    } cases[] = {
        {1, {}, 1, "IDB_BITMAP_MKQ2", false, 0},
        {1, {A::SliderSingleStepAdd}, 2, "IDB_BITMAP_MKQ3", true, 1},
        {1, {A::SliderPageStepAdd, A::SliderSingleStepAdd}, 2, "IDB_BITMAP_MKQ3", true, 1},
        {2, {A::SliderSingleStepSub}, 1, "IDB_BITMAP_MKQ2", false, 0},
        {2, {A::SliderPageStepSub, A::SliderPageStepSub}, 1, "IDB_BITMAP_MKQ2", false, 0},
        {3, {}, 3, "IDB_BITMAP_ZJM4", true, 1},
        {3, {A::SliderSingleStepAdd, A::SliderPageStepAdd}, 3, "IDB_BITMAP_ZJM4", true, 1},
        {3, {A::SliderSingleStepSub}, 2, "IDB_BITMAP_MKQ3", true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "stored " << c.stored << ", " << c.steps.size() << " steps");
        data.Shape = c.stored;
        data.Haunch = 200;
        Run([&](CDlgMkq& dlg) {
            for (A::SliderAction step : c.steps) Scroll(dlg, step);
            EXPECT_EQ(Picture(dlg), c.picture);
            EXPECT_EQ(ById(dlg, 1068)->isEnabled(), c.haunchEnabled);
            const QSize icon = ById<QToolButton>(dlg, 1195)->iconSize();
            EXPECT_EQ(icon, c.shape == 2 ? QSize(120, 90) : QSize(260, 236)) << "a missing picture is an empty frame";
            EXPECT_EQ(ById<QScrollBar>(dlg, 1338)->value(), c.position);
            EXPECT_EQ(dlg.ControlsToData(), 1);
        });
        EXPECT_EQ(data.Shape, c.shape);
    }
}

TEST_F(MkqDialog, ThumbReleasedTakesItsShapeAndShowsTheRecordOverWhatWasTyped) {
    data.Shape = 1;
    data.Depth = 600;
    Run([&](CDlgMkq& dlg) {
        SetField(dlg, 924, "750");
        auto* bar = ById<QScrollBar>(dlg, 1338);
        bar->setSliderDown(true);
        bar->setSliderPosition(1);
        bar->setSliderDown(false);
        EXPECT_EQ(Picture(dlg), "IDB_BITMAP_MKQ3");
        EXPECT_EQ(Field(dlg, 924), "600");
    });
    EXPECT_EQ(data.Shape, 2);
    EXPECT_EQ(data.Depth, 600);
}

TEST_F(MkqDialog, ScrollingWithABadEntryShowsTheMessageAndKeepsTheShape) {
    data.Shape = 1;
    Run([&](CDlgMkq& dlg) {
        SetField(dlg, 1127, "abc");
        Scroll(dlg, QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(Picture(dlg), "IDB_BITMAP_MKQ2");
        EXPECT_EQ(ById<QScrollBar>(dlg, 1338)->sliderPosition(), 0);
        EXPECT_EQ(Field(dlg, 1127), "abc");
    });
    EXPECT_EQ(Shown(), std::vector<std::string>{kv::widgets::NotANumberMessage()});
    EXPECT_EQ(data.Shape, 1);
}

TEST_F(MkqDialog, GradeChangeReShowsEveryControlFromTheRecord) {
    data.ConGrade = 30;
    data.Depth = 600;
    data.Qe = 150.0f;
    data.L1 = 1;
    auto chooseGrade = [](CDlgMkq& dlg, int index) {
        auto* combo = ById<QComboBox>(dlg, 1176);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    };
    // Every field good: the change and what was typed reach the record.
    int c40 = -1;
    Run([&](CDlgMkq& dlg) {
        c40 = ById<QComboBox>(dlg, 1176)->findText("C40");
        ASSERT_GE(c40, 0);
        SetField(dlg, 1127, "99.5");
        chooseGrade(dlg, c40);
        EXPECT_EQ(Field(dlg, 1127), "99.5");
        EXPECT_EQ(Field(dlg, 1233), "866");
    });
    EXPECT_EQ(data.ConGrade, 40);
    EXPECT_FLOAT_EQ(data.Qe, 99.5f);
    EXPECT_EQ(data.L1, 866);

    // One bad field: its message, then every control as the record holds it.
    data.L1 = 1;
    Run([&](CDlgMkq& dlg) {
        SetField(dlg, 924, "6oo");
        SetField(dlg, 1127, "120");
        chooseGrade(dlg, 0);
        EXPECT_EQ(Field(dlg, 924), "600");
        EXPECT_EQ(Field(dlg, 1127), "99.5");
        EXPECT_EQ(Field(dlg, 1233), "1");
        EXPECT_EQ(ById<QComboBox>(dlg, 1176)->currentIndex(), c40);
    });
    EXPECT_EQ(Shown(), std::vector<std::string>{kv::widgets::NotAnIntegerMessage()});
    EXPECT_EQ(data.ConGrade, 40);
    EXPECT_EQ(data.Depth, 600);
}

TEST_F(MkqDialog, EnterMovesToTheNextFieldInsteadOfClosing) {
    Run([&](CDlgMkq& dlg) {
        dlg.activateWindow();
        // The key goes to the field that has the focus (the spacing's is the
        // combo's own edit); the window need not be active for that.
        const struct {
            int id, next;
        } cases[] = {{1353, 924}, {1127, 1176}, {1361, 1223}, {1352, 3212}};
        for (const auto& c : cases) {
            ById(dlg, c.id)->setFocus();
            QWidget* field = dlg.focusWidget();
            ASSERT_NE(field, nullptr) << c.id;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(field, &press);
            EXPECT_TRUE(dlg.isVisible()) << c.id;
            ASSERT_NE(dlg.focusWidget(), nullptr) << c.id;
            EXPECT_EQ(dlg.focusWidget()->objectName(), QString::number(c.next)) << c.id;
        }
    });
}

TEST_F(MkqDialog, ReturnAndEscapeKeepTheDialogOpenAfterABadEntry) {
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Esc" : "返回");
        bool openAfterBadEntry = false, closed = false;
        auto press = [&](CDlgMkq& dlg) {
            if (escape) Key(dlg, Qt::Key_Escape);
            else Click(dlg, 1);
        };
        int result = Run([&](CDlgMkq& dlg) {
            SetField(dlg, 1223, "1000");  // as: 0 to 999
            press(dlg);
            openAfterBadEntry = dlg.isVisible();
            Click(dlg, 1359);  // 计算 refuses as well
            SetField(dlg, 1223, "25");
            press(dlg);
            closed = !dlg.isVisible();
        });
        EXPECT_TRUE(openAfterBadEntry);
        EXPECT_TRUE(closed);
        EXPECT_EQ(result, QDialog::Rejected);
        EXPECT_EQ(data.Cover, 25);
    }
    const std::string range = kv::widgets::IntRangeMessage(0, 999);
    EXPECT_EQ(Shown(), (std::vector<std::string>{range, range, "数据不对!", range, range, "数据不对!"}));
    EXPECT_FALSE(dir.Exists("Message.Box"));
}

TEST_F(MkqDialog, EachKindHasItsCaptionDataFilesAndLoadDialog) {
    const struct {
        int kind;
        const char *caption, *filter, *ext;
        int loads;
    } cases[] = {{0, "门框墙计算", "门框墙数据文件(*.MKQ)|*.MKQ||", "MKQ", 32772},
                 {1, "窗井墙计算", "窗井墙数据文件(*.CJQ)|*.CJQ||", "CJQ", 32778},
                 {2, "门框墙 窗井墙计算", "门框墙数据文件(*.MKQ)|*.MKQ||", "MKQ", 32772}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        std::vector<int> sent;
        kv::shell::SetCommandSender([&](int id) { sent.push_back(id); });
        CMkqData record(c.kind);
        CDlgMkq dlg;
        dlg.SetData(&record);
        const std::size_t before = fileDialogs->requests().size();
        RunModal(dlg, [&] {
            EXPECT_EQ(dlg.windowTitle(), c.caption);
            Click(dlg, 3086);  // 读数据, cancelled
            Click(dlg, 1377);  // 存数据, cancelled
            Click(dlg, 1162);  // 规范荷载规定
            EXPECT_TRUE(dlg.isVisible());
        });
        kv::shell::SetCommandSender({});
        EXPECT_EQ(sent, std::vector<int>{c.loads});
        ASSERT_EQ(fileDialogs->requests().size(), before + 2);
        for (std::size_t k = before; k < before + 2; ++k) {
            EXPECT_EQ(fileDialogs->requests()[k].filter, c.filter);
            EXPECT_EQ(fileDialogs->requests()[k].initialPath, dir.path());
        }
        EXPECT_EQ(fileDialogs->requests()[before].defaultExt, c.ext);
        EXPECT_EQ(fileDialogs->requests()[before + 1].defaultExt, "") << "saved under the name as typed";
    }
}

TEST_F(MkqDialog, ReadDataShowsTheFileAsReadAndAForeignFileChangesNothing) {
    CMkqData file(0);
    file.Shape = 2;
    file.Length = 1200;
    file.L1 = 5;  // shown as read, not derived
    file.Qi = 800.0f;
    const std::string path = dir / "lip.MKQ";
    ASSERT_EQ(file.SaveData(path.c_str()), 1);
    dir.Write("other.MKQ", "KV_LKQ_V30\n1,2,3\n");
    fileDialogs->Answer(path);
    fileDialogs->Answer(dir / "other.MKQ");
    Run([&](CDlgMkq& dlg) {
        Click(dlg, 3086);
        EXPECT_EQ(Field(dlg, 1353), "1200");
        EXPECT_EQ(Field(dlg, 1233), "5");
        EXPECT_EQ(Field(dlg, 1265), "800");
        EXPECT_EQ(Picture(dlg), "IDB_BITMAP_MKQ3");
        EXPECT_TRUE(ById(dlg, 1068)->isEnabled());
        EXPECT_EQ(dlg.windowTitle(), QString::fromStdString(path));
        Click(dlg, 3086);
        EXPECT_EQ(Field(dlg, 1353), "1200");
        EXPECT_EQ(dlg.windowTitle(), QString::fromStdString(path));
    });
    EXPECT_EQ(Shown(), std::vector<std::string>{"文件类型不匹配 !"});
    EXPECT_EQ(data.Length, 1200);
    EXPECT_EQ(data.Shape, 2);
}

}  // namespace
