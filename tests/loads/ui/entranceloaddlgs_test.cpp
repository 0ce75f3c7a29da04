// "临空墙" (32777) and "门框墙" (32772): the dialogs driven by control id, their
// answers in the box and in "Message.Box", and their inputs kept for the run.
#include "loads/ui/entranceloaddlgs.h"

#include "app/mainframe.h"
#include "base/error.h"
#include "base/globals.h"
#include "loads/ui/loadtablepages.h"
#include "members/slabwall/ui/modal.h"
#include "platform/codec.h"
#include "platform/services.h"
#include "project/ui/modulecommands.h"
#include "support/env_guard.h"
#include "support/message_recorder.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

namespace {

using kv::test::ById;

std::string Result(const QWidget& dialog) { return ById<QPlainTextEdit>(dialog, 3116)->toPlainText().toStdString(); }
void Choose(const QWidget& dialog, int id, int index) { ById<QComboBox>(dialog, id)->setCurrentIndex(index); }
void Type(const QWidget& dialog, int id, const char* text) { ById<QLineEdit>(dialog, id)->setText(text); }
void Press(const QWidget& dialog, int id) { ById<QAbstractButton>(dialog, id)->click(); }
bool Shown(const QWidget& dialog, int id) { return ById(dialog, id)->isVisibleTo(&dialog); }
bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// An entrance as the user sets it, class first so that the lists it shows are there.
struct Setting {
    int engClass, nuclearKind, nuclearClass, convKind, convClass;
    const char* distance;
    int passage, farSide = 0, stairs = 0;
};

void Apply(const QWidget& dialog, const Setting& s) {
    Press(dialog, s.engClass ? 1116 : 1295);
    if (s.engClass == 0) Choose(dialog, 1085, s.nuclearKind), Choose(dialog, 1046, s.nuclearClass);
    else Choose(dialog, 1091, s.convKind);
    Choose(dialog, 1055, s.convClass);
    Type(dialog, 1353, s.distance);
    Choose(dialog, 1058, s.passage);
    Choose(dialog, 1061, s.farSide);
    if (ById<QCheckBox>(dialog, 3211)->isChecked() != (s.stairs != 0)) Press(dialog, 3211);
}

constexpr const char* kNoConv = "这种情况下,常规武器爆炸作用查表,\n临空墙等效静荷载标准值:   规范未规定 !\n";
constexpr const char* kNoNuclear = "这种情况下,核武器爆炸作用查表,\n临空墙等效静荷载标准值:   规范未规定 !\n";

class EntranceLoadDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        oldSink = kv::err::SetSink([](int, const std::string&) {});
        dir.MakeCurrent();
    }
    void TearDown() override {
        SetModuleCommand(32777, {});
        SetModuleCommand(32772, {});
        kv::err::SetSink(std::move(oldSink));
        JS_ERROR_CODE = 0;
    }
    std::string MessageBoxText() const { return kv::platform::GbkToUtf8Lossy(dir.Read("Message.Box")); }

    kv::test::TempFolder dir;
    kv::test::EnvGuard config{"XDG_CONFIG_HOME", std::nullopt};
    kv::test::MessageRecorder messages;
    kv::err::Sink oldSink;
};

TEST_F(EntranceLoadDialogs, AirWallAnswersEachSettingInTheBoxAndTheFile) {
    struct Case {
        const char* what;
        Setting setting;
        std::vector<std::string> lines;  // in this order
        bool answered;
    };
    const Case cases[] = {
        {"甲类 indoor 核6B 常6 wide", {0, 0, 0, 0, 0, "5", 0},
         {"临空墙等效静荷载标准值:  65.0 (kN/m2)\n", "*常规武器爆炸:\n  临空墙等效静荷载标准值:  49.5 (kN/m2)\n",
          "*核武器爆炸:\n  临空墙等效静荷载标准值:  65.0 (kN/m2)\n"},
         true},
        {"乙类 straight 12.5 m narrow", {1, 0, 0, 1, 0, "12.5", 1}, {"临空墙等效静荷载标准值:  150.0 (kN/m2)\n"}, true},
        {"乙类 4 m", {1, 0, 0, 1, 0, "4", 1}, {kNoConv}, false},
        {"甲类 4 m 核4B indoor", {0, 0, 3, 0, 0, "4", 0}, {std::string(kNoConv) + kNoNuclear}, false},
        {"乙类 indoor far inside", {1, 0, 0, 0, 0, "5", 0, 1}, {"临空墙等效静荷载标准值:  0.0 (kN/m2)\n"}, true},
        {"甲类 stair entrance 核5 narrow", {0, 2, 2, 0, 0, "5", 1, 0, 1},
         {"临空墙等效静荷载标准值:  243.0 (kN/m2)\n", "*常规武器爆炸:\n  临空墙等效静荷载标准值:  110.0 (kN/m2)\n",
          "*核武器爆炸:\n  临空墙等效静荷载标准值:  243.0 (kN/m2)\n"},
         true},
    };
    EntranceInput in;
    CDlgAirWallLoad dialog(in);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("临空墙"));
    for (const Case& c : cases) {
        Apply(dialog, c.setting);
        std::string shown = Result(dialog);
        EXPECT_EQ(shown, MessageBoxText()) << c.what;
        std::size_t at = 0;
        for (const std::string& line : c.lines) {
            std::size_t found = shown.find(line, at);
            EXPECT_NE(found, std::string::npos) << c.what << ": " << line << "\nin\n" << shown;
            if (found != std::string::npos) at = found + line.size();
        }
        if (!c.answered) {
            EXPECT_EQ(shown, c.lines.front()) << c.what;
        }
        // 乙类 gets the answer line alone.
        EXPECT_EQ(Has(shown, "*核武器爆炸"), c.setting.engClass == 0 && c.answered) << c.what;
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(EntranceLoadDialogs, VisibilityFollowsTheClassTheEntranceAndTheNuclearClass) {
    struct Case {
        int engClass, nuclearKind, nuclearClass, convKind;
        bool nuclear, convKind1091, farSide, stairs;
    };
    const Case cases[] = {
        {0, 0, 0, 0, true, false, true, false},  {0, 1, 4, 0, true, false, true, false},
        {0, 2, 2, 0, true, false, false, true},   {0, 2, 3, 0, true, false, false, false},
        {0, 5, 0, 0, true, false, false, false},  {1, 2, 0, 0, false, true, true, false},
        {1, 0, 0, 3, false, true, false, false},
    };
    for (bool doorFrame : {false, true}) {
        EntranceInput airWall;
        DoorFrameInput door;
        std::unique_ptr<QDialog> dialog;
        if (doorFrame) dialog = std::make_unique<CDlgDoorFrameLoad>(door);
        else dialog = std::make_unique<CDlgAirWallLoad>(airWall);
        for (const Case& c : cases) {
            Apply(*dialog, {c.engClass, c.nuclearKind, c.nuclearClass, c.convKind, 0, "5", 0});
            const std::string what = std::string(doorFrame ? "door frame " : "air wall ") +
                                     std::to_string(c.engClass) + "/" + std::to_string(c.nuclearKind) + "/" +
                                     std::to_string(c.nuclearClass) + "/" + std::to_string(c.convKind);
            for (int id : {1085, 1046, 3122, 3120}) EXPECT_EQ(Shown(*dialog, id), c.nuclear) << what << " " << id;
            EXPECT_EQ(Shown(*dialog, 1091), c.convKind1091) << what;
            EXPECT_EQ(Shown(*dialog, 1061), c.farSide) << what;
            EXPECT_EQ(Shown(*dialog, 3181), c.farSide) << what;
            EXPECT_EQ(Shown(*dialog, 3211), c.stairs) << what;
        }
    }
}

TEST_F(EntranceLoadDialogs, ClassBStartsFromTheConventionalKindThatClassADerived) {
    EntranceInput in;
    CDlgAirWallLoad dialog(in);
    Choose(dialog, 1085, 5);  // 室外单向出入口: conventional kind 2
    Press(dialog, 1116);
    EXPECT_EQ(ById<QComboBox>(dialog, 1091)->currentIndex(), 2);
    EXPECT_EQ(in.convKind, 2);
    EXPECT_TRUE(Has(Result(dialog), "临空墙等效静荷载标准值:  162.0 (kN/m2)")) << Result(dialog);
}

TEST_F(EntranceLoadDialogs, AnEmptiedDistanceClearsTheAnswerWithoutLookingUpAndThenCountsAsZero) {
    EntranceInput in;
    CDlgAirWallLoad dialog(in);
    const std::string before = dir.Read("Message.Box");
    ASSERT_FALSE(Result(dialog).empty());
    Type(dialog, 1353, "");
    EXPECT_EQ(in.distance, 0.0f);
    EXPECT_TRUE(Result(dialog).empty());
    EXPECT_EQ(dir.Read("Message.Box"), before);
    Press(dialog, 1129);
    EXPECT_EQ(ById<QLineEdit>(dialog, 1353)->text(), QStringLiteral("0"));
    EXPECT_EQ(Result(dialog), kNoConv);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(EntranceLoadDialogs, DoorFrameAnswersItsSettings) {
    DoorFrameInput in;
    CDlgDoorFrameLoad dialog(in);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("门框墙"));
    EXPECT_EQ(dialog.PictureButton()->Picture(), "IDB_BITMAP_MKQ");
    std::string defaults = Result(dialog);
    EXPECT_EQ(defaults, MessageBoxText());
    EXPECT_TRUE(defaults.starts_with("直接作用在门框墙等效静荷载标准值:  120.0 (kN/m2)\n由门扇传来的等效静荷载标准值:\n"
                                     "      qia = 66.6 (kN/m)\n      qib = 81.6 (kN/m)\n"))
        << defaults;
    EXPECT_TRUE(Has(defaults, "*常规武器爆炸:\n直接作用在门框墙等效静荷载标准值:  72.0 (kN/m2)\n由门扇传来的等效静荷载标准值:\n"
                              "      qia = 40.0 (kN/m)\n      qib = 49.0 (kN/m)\n"))
        << defaults;
    EXPECT_TRUE(defaults.ends_with("\n[注:门扇尺寸的计算：宽=a＋0.2m；   高=b＋0.2m]")) << defaults;

    Press(dialog, 1110);
    EXPECT_EQ(dialog.PictureButton()->Picture(), "IDB_BITMAP_MKQ1");
    EXPECT_EQ(Result(dialog), "这种情况下,平板门反力系数查表, 规范未规定 !\n");

    Type(dialog, 1068, "2");
    Type(dialog, 1077, "2");
    Apply(dialog, {0, 3, 2, 0, 1, "8", 1});
    std::string shown = Result(dialog);
    EXPECT_EQ(shown, MessageBoxText());
    EXPECT_TRUE(shown.starts_with("直接作用在门框墙等效静荷载标准值:  550.0 (kN/m2)\n由门扇传来的等效静荷载标准值:\n"
                                  "      qia = 302.5 (kN/m)\n      qib = 363.0 (kN/m)\n"))
        << shown;
    EXPECT_TRUE(Has(shown, "*常规武器爆炸:\n直接作用在门框墙等效静荷载标准值:  514.0 (kN/m2)\n由门扇传来的等效静荷载标准值:\n"
                           "      qia = 282.7 (kN/m)\n      qib = 339.2 (kN/m)\n"))
        << shown;
    EXPECT_TRUE(shown.ends_with("\n[注:门扇尺寸的计算：宽=a/2＋0.1m； 高=b＋0.2m]")) << shown;
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(EntranceLoadDialogs, DoorFrameRefusesASizeBeyondItsRangeAndKeepsTheOldOne) {
    DoorFrameInput in;
    CDlgDoorFrameLoad dialog(in);
    Type(dialog, 1068, "1001");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_FLOAT_EQ(in.width, 1.3f);
    EXPECT_TRUE(Has(Result(dialog), "qia = 66.6 (kN/m)")) << Result(dialog);
    // An emptied height: zero, no answer, and no look-up.
    Type(dialog, 1068, "1.3");
    Type(dialog, 1077, "");
    EXPECT_EQ(in.height, 0.0f);
    EXPECT_TRUE(Result(dialog).empty());
}

TEST_F(EntranceLoadDialogs, AnAnswerThatCannotBeWrittenEmptiesTheBoxAndSaysSo) {
    EntranceInput in;
    CDlgAirWallLoad dialog(in);
    ASSERT_FALSE(Result(dialog).empty());
    ASSERT_EQ(::mkdir((dir / "Message.Box.d").c_str(), 0755), 0);
    ASSERT_EQ(::chmod((dir / "Message.Box").c_str(), 0444), 0);
    Choose(dialog, 1055, 1);
    EXPECT_TRUE(Result(dialog).empty());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(Has(messages.shown().back().text, "Message.Box")) << messages.shown().back().text;
    ASSERT_EQ(::chmod((dir / "Message.Box").c_str(), 0644), 0);

    // The door frame opens on an unwritable file the same way.
    ASSERT_EQ(::unlink((dir / "Message.Box").c_str()), 0);
    ASSERT_EQ(::mkdir((dir / "Message.Box").c_str(), 0755), 0);
    DoorFrameInput door;
    CDlgDoorFrameLoad doorDialog(door);
    EXPECT_TRUE(Result(doorDialog).empty());
    EXPECT_EQ(messages.shown().size(), 2u);
}

TEST_F(EntranceLoadDialogs, EachCommandKeepsItsInputsForTheNextUse) {
    CMainFrame frame;
    InstallModuleCommands(frame);
    SetModuleCommand(32777, [](CMainFrame& f) { OnLoadAirWall(&f); });
    SetModuleCommand(32772, [](CMainFrame& f) { OnLoadDoorFrame(&f); });

    std::string airWallAgain, doorAgain;
    bool airWallClassB = false, doorDouble = false;
    kv::test::OnNextModal([](QDialog& d) {
        Apply(d, {1, 0, 0, 1, 0, "12.5", 1});
        Press(d, 2);
    });
    frame.SendCommand(32777);
    kv::test::OnNextModal([&](QDialog& d) {
        airWallClassB = ById<QRadioButton>(d, 1116)->isChecked();
        airWallAgain = Result(d);
        Press(d, 2);
    });
    frame.SendCommand(32777);

    kv::test::OnNextModal([](QDialog& d) {
        Press(d, 1110);
        Type(d, 1068, "2");
        Type(d, 1077, "2");
        Apply(d, {0, 3, 2, 0, 1, "8", 1});
        Press(d, 2);
    });
    frame.SendCommand(32772);
    kv::test::OnNextModal([&](QDialog& d) {
        doorDouble = ById<QRadioButton>(d, 1110)->isChecked();
        doorAgain = Result(d);
        Press(d, 2);
    });
    frame.SendCommand(32772);

    EXPECT_TRUE(airWallClassB);
    EXPECT_EQ(airWallAgain, "临空墙等效静荷载标准值:  150.0 (kN/m2)\n");
    EXPECT_TRUE(doorDouble);
    EXPECT_TRUE(doorAgain.starts_with("直接作用在门框墙等效静荷载标准值:  550.0 (kN/m2)\n")) << doorAgain;
}

// The menu of the single-calculation mode opens each dialog with the program
// folder's sketch. KV_SCREENSHOT names a file to keep the air wall's dialog with
// its answer for a look (under Xvfb with QT_QPA_PLATFORM=xcb the whole screen too).
TEST_F(EntranceLoadDialogs, TheLoadMenuOpensEachDialogWithItsSketch) {
    G_strExePath = std::string(KV_RESOURCES) + "/";
    CMainFrame frame;
    InstallModuleCommands(frame);
    SetModuleCommand(32777, [](CMainFrame& f) { OnLoadAirWall(&f); });
    SetModuleCommand(32772, [](CMainFrame& f) { OnLoadDoorFrame(&f); });
    frame.show();
    frame.OnDxjs();
    frame.UpdateCommandUI();
    auto item = [&](const QString& text) -> QAction* {
        for (QAction* menu : frame.menuBar()->actions())
            if (menu->menu() && menu->text().startsWith("荷载计算"))
                for (QAction* action : menu->menu()->actions())
                    if (action->text() == text) return action;
        return nullptr;
    };
    QAction* airWall = item(QStringLiteral("临空墙"));
    QAction* doorFrame = item(QStringLiteral("门框墙"));
    ASSERT_NE(airWall, nullptr);
    ASSERT_NE(doorFrame, nullptr);
    EXPECT_TRUE(airWall->isEnabled());

    QSize airWallSketch, singleSketch, doubleSketch;
    std::string answer;
    kv::test::OnNextModal([&](QDialog& d) {
        airWallSketch = ById(d, 1139)->size();
        Apply(d, {0, 0, 0, 0, 0, "5", 0});
        answer = Result(d);
        if (const char* path = std::getenv("KV_SCREENSHOT")) {
            QApplication::processEvents();
            EXPECT_TRUE(d.grab().save(QString::fromLocal8Bit(path)));
            if (QGuiApplication::platformName() == "xcb")
                QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(path) + ".screen.png");
        }
    });
    airWall->trigger();
    kv::test::OnNextModal([&](QDialog& d) {
        singleSketch = ById(d, 1119)->size();
        Press(d, 1110);
        doubleSketch = ById(d, 1119)->size();
    });
    doorFrame->trigger();
    frame.CloseAllDocuments();
    G_strExePath.clear();

    EXPECT_TRUE(answer.starts_with("临空墙等效静荷载标准值:  65.0 (kN/m2)\n")) << answer;
    // A missing picture would leave the button at its blank size.
    for (QSize sketch : {airWallSketch, singleSketch, doubleSketch}) EXPECT_GT(sketch.height(), 200);
}

}  // namespace
