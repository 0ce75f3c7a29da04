// "地下室查表" (command 32783): the three look-up pages in the tab-sheet container,
// driven by control id.
#include "loads/ui/loadtablepages.h"

#include "app/mainframe.h"
#include "base/error.h"
#include "loads/fixture.h"
#include "platform/codec.h"
#include "platform/services.h"
#include "project/ui/modulecommands.h"
#include "project/ui/projectcommands.h"
#include "support/env_guard.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"
#include "views/dialogs/dlghelppic.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

namespace {

std::string Fixture(const std::string& name) { return kv::test::LoadsFixture(name); }

template <class T>
T* Control(QWidget* page, int id) {
    T* control = page->findChild<T*>(QString::number(id));
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}

QLineEdit* Edit(QWidget* page, int id) { return Control<QLineEdit>(page, id); }
QComboBox* Combo(QWidget* page, int id) { return Control<QComboBox>(page, id); }
QAbstractButton* Button(QWidget* page, int id) { return Control<QAbstractButton>(page, id); }
std::string Result(QWidget* page) { return Control<QPlainTextEdit>(page, 3116)->toPlainText().toStdString(); }

// Runs `act` on every modal window that comes up until it returns false.
void WhileModal(std::function<bool(QWidget*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->property("kvSeen").toBool()) return;
        modal->setProperty("kvSeen", true);
        if (!act(modal)) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

class LoadTablePages : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        config.Set(dir / "config");
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        messages = scripted.get();
        oldMessages = kv::platform::InstallMessageService(std::move(scripted));
        oldSink = kv::err::SetSink([](int, const std::string&) {});
        dir.MakeCurrent();
    }
    void TearDown() override {
        SetModuleCommand(32783, {});
        kv::err::SetSink(std::move(oldSink));
        kv::platform::InstallMessageService(std::move(oldMessages));
        JS_ERROR_CODE = 0;
    }

    // As the program installs it.
    static void InstallTableCommand() {
        SetModuleCommand(32783, [](CMainFrame& frame) { OnLoadTable(&frame); });
    }
    std::string MessageBoxText() const { return kv::platform::GbkToUtf8Lossy(dir.Read("Message.Box")); }
    std::string LastMessage() const { return messages->shown().empty() ? "" : messages->shown().back().text; }

    kv::test::TempFolder dir;
    kv::test::EnvGuard config{"XDG_CONFIG_HOME", std::nullopt};
    kv::platform::ScriptedMessageService* messages = nullptr;
    std::unique_ptr<kv::platform::MessageService> oldMessages;
    kv::err::Sink oldSink;
};

TEST_F(LoadTablePages, TheCommandOpensThreePagesThatAnswerFromTheirInputs) {
    CMainFrame frame;
    InstallProjectCommands(frame);
    InstallTableCommand();

    struct Seen {
        QString caption;
        QStringList tabs;
        std::string roofDefault, floorDefault, wallDefault;
        std::string roof, floor, wall;
        std::string roofFile, floorFile, wallFile;
    } seen;
    WhileModal([&](QWidget* modal) {
        auto* sheet = qobject_cast<CDlgTabSheet*>(modal);
        if (!sheet) return true;
        seen.caption = sheet->windowTitle();
        for (int i = 0; i < sheet->TabBar()->count(); ++i) seen.tabs << sheet->TabBar()->tabText(i);
        QWidget* roof = sheet->findChild<QWidget*>("167");
        QWidget* floor = sheet->findChild<QWidget*>("131");
        QWidget* wall = sheet->findChild<QWidget*>("127");
        seen.roofDefault = Result(roof);
        seen.floorDefault = Result(floor);
        seen.wallDefault = Result(wall);

        // Roof: 甲类, 核6B, h 0.8, L0 5, 常6.
        Edit(roof, 1029)->setText("0.8");
        Edit(roof, 1013)->setText("5");
        seen.roof = Result(roof);
        seen.roofFile = dir.Read("Message.Box");
        // Floor: 核5 below the water table, h 1.2, L0 6.
        sheet->TabBar()->setCurrentIndex(1);
        Combo(floor, 1046)->setCurrentIndex(2);
        Button(floor, 1106)->click();
        seen.floor = Result(floor);
        seen.floorFile = dir.Read("Message.Box");
        // Wall: unsaturated 碎石土, brick, 核6B, 常6, h 1.0.
        sheet->TabBar()->setCurrentIndex(2);
        Combo(wall, 1278)->setCurrentIndex(0);
        seen.wall = Result(wall);
        seen.wallFile = dir.Read("Message.Box");
        sheet->findChild<QPushButton*>("2")->click();
        return false;
    });
    frame.SendCommand(32783);

    EXPECT_EQ(seen.caption, QStringLiteral("人防地下室荷载查表"));
    EXPECT_EQ(seen.tabs, QStringList({"顶板查表", "底板查表", "外墙查表"}));
    // Defaults: h 1.2, L0 6, 核6B, 常6; the floor above the water table; the wall of
    // reinforced concrete at 1 m.
    EXPECT_TRUE(seen.roofDefault.starts_with("顶板等效静荷载标准值 qe1:  45.0 (kN/m2)\n")) << seen.roofDefault;
    EXPECT_EQ(seen.floorDefault, "底板等效静荷载标准值qe3:  30.0 (kN/m2)\n");
    EXPECT_TRUE(seen.wallDefault.starts_with("非饱和土中外墙等效静荷载标准值qe2(kN/m2):  20.0 - 30.0\n"))
        << seen.wallDefault;

    EXPECT_EQ(seen.roofFile, Fixture("roof_table.box"));
    EXPECT_EQ(seen.roof, kv::platform::GbkToUtf8Lossy(seen.roofFile));
    EXPECT_EQ(seen.floorFile, Fixture("floor_table.box"));
    EXPECT_EQ(seen.floor, kv::platform::GbkToUtf8Lossy(seen.floorFile));
    EXPECT_EQ(seen.wallFile, Fixture("wall_table.box"));
    EXPECT_EQ(seen.wall, kv::platform::GbkToUtf8Lossy(seen.wallFile));
    EXPECT_TRUE(messages->shown().empty());
}

TEST_F(LoadTablePages, OkLeavesTheSheetOpenAndReturnClosesIt) {
    CMainFrame frame;
    InstallProjectCommands(frame);
    InstallTableCommand();
    int oks = 0;
    bool stillOpen = false;
    WhileModal([&](QWidget* modal) {
        auto* sheet = qobject_cast<CDlgTabSheet*>(modal);
        if (!sheet) return true;
        sheet->findChild<QPushButton*>("1")->click();
        ++oks;
        QTimer::singleShot(50, sheet, [&stillOpen, sheet] {
            stillOpen = sheet->isVisible();
            sheet->findChild<QPushButton*>("2")->click();
        });
        return false;
    });
    frame.SendCommand(32783);
    EXPECT_EQ(oks, 1);
    EXPECT_TRUE(stillOpen);
}

TEST_F(LoadTablePages, RoofClassBHidesTheNuclearPartAndAnswersForTheConventionalLoadOnly) {
    CPageRoofTable roof;
    Edit(&roof, 1029)->setText("1.8");
    Button(&roof, 1116)->click();
    for (int id : {3120, 3200, 3122, 1292, 1013, 1046, 1071, 3185})
        EXPECT_TRUE(Control<QWidget>(&roof, id)->isHidden()) << id;
    EXPECT_FALSE(Control<QWidget>(&roof, 1055)->isHidden());
    EXPECT_EQ(Result(&roof), "这种情况可不计影响.\n注意:   假定顶板为钢筋混凝土结构，允许延性比 = 4.0 ");
    Button(&roof, 1295)->click();
    EXPECT_FALSE(Control<QWidget>(&roof, 1046)->isHidden());
    EXPECT_TRUE(Result(&roof).starts_with("这种情况规范未规定,请用公式计算 !\n"));
}

TEST_F(LoadTablePages, UpperBuildingTickIsClearedAndDisabledWhereTheClassIgnoresIt) {
    CPageRoofTable roof;
    QAbstractButton* tick = Button(&roof, 1071);
    tick->click();
    ASSERT_TRUE(tick->isChecked());
    Combo(&roof, 1046)->setCurrentIndex(3);  // 核4B
    EXPECT_FALSE(tick->isChecked());
    EXPECT_FALSE(tick->isEnabled());
    EXPECT_TRUE(Result(&roof).starts_with("顶板等效静荷载标准值 qe1:  300.0 (kN/m2)\n")) << Result(&roof);
    Combo(&roof, 1046)->setCurrentIndex(2);
    EXPECT_TRUE(tick->isEnabled());

    CPageWallTable wall;
    QAbstractButton* wallTick = Button(&wall, 1071);
    Combo(&wall, 1046)->setCurrentIndex(3);  // 核4B keeps its factor
    wallTick->click();
    EXPECT_TRUE(wallTick->isChecked());
    Combo(&wall, 1046)->setCurrentIndex(4);  // 核4 has none
    EXPECT_FALSE(wallTick->isChecked());
    EXPECT_FALSE(wallTick->isEnabled());
}

TEST_F(LoadTablePages, WallAirContentShowsForSaturatedSoilOnly) {
    CPageWallTable wall;
    EXPECT_TRUE(Control<QWidget>(&wall, 1082)->isHidden());
    EXPECT_TRUE(Control<QWidget>(&wall, 1271)->isHidden());
    Button(&wall, 1079)->click();
    EXPECT_FALSE(Control<QWidget>(&wall, 1082)->isHidden());
    EXPECT_FALSE(Control<QWidget>(&wall, 1271)->isHidden());
    Edit(&wall, 1082)->setText("1.0");
    EXPECT_TRUE(Result(&wall).starts_with("饱和土中外墙等效静荷载标准值qe2(kN/m2):  30.0 - 50.0\n")) << Result(&wall);
    Button(&wall, 1116)->click();
    for (int id : {3120, 3122, 1046, 1071, 3185, 3189}) EXPECT_TRUE(Control<QWidget>(&wall, id)->isHidden()) << id;
    EXPECT_TRUE(Result(&wall).starts_with("饱和土中外墙等效静荷载标准值qce2(kN/m2):  30.0 - 50.0\n"));
}

TEST_F(LoadTablePages, AnEmptiedEntryClearsTheAnswerWithoutLookingUp) {
    CPageFloorTable floor;
    std::string before = dir.Read("Message.Box");
    ASSERT_FALSE(Result(&floor).empty());
    Edit(&floor, 1013)->clear();
    EXPECT_TRUE(Result(&floor).empty());
    EXPECT_EQ(floor.m_in.span, 0.0f);
    EXPECT_EQ(dir.Read("Message.Box"), before);
    // The next calculation shows the emptied entry as 0: no span, no table value.
    Button(&floor, 1129)->click();
    EXPECT_EQ(Edit(&floor, 1013)->text(), "0");
    EXPECT_EQ(Result(&floor), "这种情况规范未规定,请用公式计算 !\n");
}

TEST_F(LoadTablePages, AnEntryOutOfRangeIsRefusedAndTheOldValueUsed) {
    CPageRoofTable roof;
    Edit(&roof, 1029)->setText("2000");
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_FLOAT_EQ(roof.m_in.cover, 1.2f);
    EXPECT_TRUE(Result(&roof).starts_with("顶板等效静荷载标准值 qe1:  45.0 (kN/m2)\n"));
}

TEST_F(LoadTablePages, ARefusedEntryDoesNotStopTheOtherEntriesBeingRead) {
    // The roof's cover is refused and keeps 1.2; the span typed after it counts.
    CPageRoofTable roof;
    Edit(&roof, 1029)->setText("2000");
    Edit(&roof, 1013)->setText("2.9");
    EXPECT_FLOAT_EQ(roof.m_in.cover, 1.2f);
    EXPECT_FLOAT_EQ(roof.m_in.span, 2.9f);
    RoofTableInput roofWanted;
    roofWanted.span = 2.9f;
    EXPECT_EQ(Result(&roof), RoofTableAnswer(roofWanted));

    // The wall's air content is refused and keeps 0.1 %; the depth is read.
    CPageWallTable wall;
    Button(&wall, 1079)->click();
    Edit(&wall, 1082)->setText("abc");
    Edit(&wall, 1029)->setText("2.0");
    EXPECT_FLOAT_EQ(wall.m_in.airContent, 0.1f);
    EXPECT_FLOAT_EQ(wall.m_in.depth, 2.0f);
    WallTableInput wallWanted;
    wallWanted.saturated = 1;
    wallWanted.depth = 2.0f;
    EXPECT_EQ(Result(&wall), WallTableAnswer(wallWanted));
}

TEST_F(LoadTablePages, NoteButtonsShowTheirConditions) {
    CPageRoofTable roof;
    CPageWallTable wall;
    Button(&roof, 3186)->click();
    Button(&roof, 3185)->click();
    Button(&wall, 3185)->click();
    ASSERT_EQ(messages->shown().size(), 3u);
    const std::string rules =
        " 1. 上部建筑层数不少于2层\n    其底层外墙为钢筋混凝土或砌体承重墙\n"
        "    且任何一面外墙墙面开孔面积不大于该墙面面积的50%\n 2. 上部为单层建筑\n"
        "    其外墙为钢筋混凝土或砌体承重墙\n    且任何一面外墙墙面开孔面积不大于该墙面面积的50%\n"
        "    且屋顶为钢筋混凝土结构\n";
    EXPECT_EQ(messages->shown()[0].text,
              "计算结构顶板常规武器爆炸动荷载，当符合下列条件之一时\n"
              "可考虑上部建筑物对地面爆炸空气冲击波超压作用的影响:\n\n" + rules);
    EXPECT_EQ(messages->shown()[1].text,
              "计算结构顶板核爆动荷载时，对核5级、核6级和核6B级防空地下室，当符合\n"
              "下列条件之一时可考虑上部建筑对地面空气冲击波超压作用的影响:\n\n" + rules);
    EXPECT_EQ(messages->shown()[2].text,
              "计算土中外墙核爆动荷载时，当符合下列条件之一时\n"
              "应考虑上部建筑对地面空气冲击波超压值的影响:\n\n"
              " 1.  核4B,5,6,6B级防空地下室，上部建筑外墙为钢筋混凝土承重墙\n"
              " 2.  核6,6B级防空地下室，上部建筑为抗震设防的砌体结构\n"
              " 3.  核6,6B级防空地下室，上部建筑为框架结构\n");
    for (const auto& shown : messages->shown()) EXPECT_EQ(shown.type & kv::MB_BUTTON_MASK, kv::MB_OK);
}

TEST_F(LoadTablePages, RoofCalculateShowsTheTablePicturesConventionalFirst) {
    for (int engClass : {0, 1}) {
        CPageRoofTable roof;
        if (engClass) Button(&roof, 1116)->click();
        QStringList titles;
        WhileModal([&](QWidget* modal) {
            auto* help = qobject_cast<CDlgHelpPic*>(modal);
            if (!help) return false;
            titles << help->Tabs()->tabText(0);
            help->accept();
            return titles.size() < (engClass ? 1 : 2);
        });
        Button(&roof, 1129)->click();
        QStringList expected = {QStringLiteral("防常规武器顶板等效荷载")};
        if (!engClass) expected << QStringLiteral("防核武器顶板等效荷载");
        EXPECT_EQ(titles, expected) << engClass;
    }
}

TEST_F(LoadTablePages, AnAnswerThatCannotBeWrittenEmptiesTheBoxAndSaysSo) {
    CPageRoofTable roof;
    ASSERT_FALSE(Result(&roof).empty());
    ASSERT_EQ(::chmod((dir / "Message.Box").c_str(), 0444), 0);
    Edit(&roof, 1029)->setText("0.8");
    EXPECT_TRUE(Result(&roof).empty());
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_NE(LastMessage().find("Message.Box"), std::string::npos) << LastMessage();

    // A folder of that name: each page opens empty and says so.
    ASSERT_EQ(::chmod((dir / "Message.Box").c_str(), 0644), 0);
    ASSERT_EQ(::unlink((dir / "Message.Box").c_str()), 0);
    ASSERT_EQ(::mkdir((dir / "Message.Box").c_str(), 0755), 0);
    CPageFloorTable floor;
    CPageWallTable wall;
    EXPECT_TRUE(Result(&floor).empty());
    EXPECT_TRUE(Result(&wall).empty());
    EXPECT_EQ(messages->shown().size(), 3u);
}

}  // namespace
