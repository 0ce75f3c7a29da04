// "采光窗" (32778), "单元隔墙" (32776) and "防倒塌" (32775): the dialogs driven by
// control id through their commands, with the answers they write and show.
#include "loads/ui/partitiondlg.h"
#include "loads/ui/windowwelldlg.h"

#include "app/mainframe.h"
#include "base/error.h"
#include "base/globals.h"
#include "members/slabwall/ui/modal.h"
#include "platform/codec.h"
#include "platform/services.h"
#include "project/ui/modulecommands.h"
#include "project/ui/projectcommands.h"
#include "support/env_guard.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"

#include <QCheckBox>
#include <QImage>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using kv::test::ById;
using kv::test::OnNextModal;

QComboBox* Combo(const QWidget& dlg, int id) { return ById<QComboBox>(dlg, id); }
QAbstractButton* Button(const QWidget& dlg, int id) { return ById<QAbstractButton>(dlg, id); }
QLineEdit* Edit(const QWidget& dlg, int id) { return ById<QLineEdit>(dlg, id); }
std::string Result(const QWidget& dlg) { return ById<QPlainTextEdit>(dlg, 3116)->toPlainText().toStdString(); }
bool Shown(const QWidget& dlg, int id) { return !ById<QWidget>(dlg, id)->isHidden(); }

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class OpeningLoadDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        config.Set(dir / "config");
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        messages = scripted.get();
        oldMessages = kv::platform::InstallMessageService(std::move(scripted));
        oldSink = kv::err::SetSink([](int, const std::string&) {});
        dir.MakeCurrent();
        frame = std::make_unique<CMainFrame>();
        InstallProjectCommands(*frame);
        // As the program installs them.
        SetModuleCommand(32778, [](CMainFrame& frame) { OnLoadWindowWell(&frame); });
        SetModuleCommand(32776, [](CMainFrame& frame) { OnLoadPartition(&frame); });
        SetModuleCommand(32775, [](CMainFrame& frame) { OnLoadShed(&frame); });
    }
    void TearDown() override {
        for (int id : {32778, 32776, 32775}) SetModuleCommand(id, {});
        kv::err::SetSink(std::move(oldSink));
        kv::platform::InstallMessageService(std::move(oldMessages));
        JS_ERROR_CODE = 0;
        frame.reset();
    }

    std::string MessageBoxText() const { return kv::platform::GbkToUtf8Lossy(dir.Read("Message.Box")); }
    bool MessageBoxExists() const {
        struct stat st;
        return ::stat((dir / "Message.Box").c_str(), &st) == 0;
    }

    // Runs the command with `steps` on its dialog, as the menu would.
    void Run(int command, const std::function<void(QDialog&)>& steps) {
        OnNextModal(steps);
        frame->SendCommand(command);
    }

    kv::test::TempFolder dir;
    kv::test::EnvGuard config{"XDG_CONFIG_HOME", std::nullopt};
    kv::platform::ScriptedMessageService* messages = nullptr;
    std::unique_ptr<kv::platform::MessageService> oldMessages;
    kv::err::Sink oldSink;
    std::unique_ptr<CMainFrame> frame;
};

const char* const kQe144 = "  qe = 1.2 K △Pms  = 144.0 (kPa)\n";
const char* const kQe120 = "  qe = 1.2 K △Pms  = 120.0 (kPa)\n";

// The window well's inputs are kept for the run, so this one test walks through
// every use of the command in order.
TEST_F(OpeningLoadDialogs, WindowWellAnswersOnEveryChangeAndKeepsItsInputsForTheNextUse) {
    struct Seen {
        QString caption;
        std::string opening, ticked, unticked, file;
        bool kRowShownForClassAForm1 = false;
    } first;
    Run(32778, [&](QDialog& dlg) {
        first.caption = dlg.windowTitle();
        first.opening = Result(dlg);
        Combo(dlg, 1085)->setCurrentIndex(1);
        Combo(dlg, 1046)->setCurrentIndex(2);
        first.kRowShownForClassAForm1 = Shown(dlg, 1004) && Shown(dlg, 3184) && Shown(dlg, 1071);
        Button(dlg, 1071)->click();
        first.ticked = Result(dlg);
        Button(dlg, 1071)->click();
        first.unticked = Result(dlg);
        first.file = MessageBoxText();
    });
    EXPECT_EQ(first.caption, QStringLiteral("采光窗 "));
    // Defaults: 甲类, the shutter.
    EXPECT_TRUE(Contains(first.opening, "按顶板查表值乘以0.3采用")) << first.opening;
    EXPECT_TRUE(Contains(first.opening, "*核武器爆炸:")) << first.opening;
    EXPECT_TRUE(first.kRowShownForClassAForm1);
    EXPECT_TRUE(first.ticked.ends_with(kQe144)) << first.ticked;
    EXPECT_TRUE(first.unticked.ends_with(kQe120)) << first.unticked;
    EXPECT_EQ(first.file, first.unticked);

    std::string reopened;
    int form = -1, nuclear = -1;
    QString k;
    Run(32778, [&](QDialog& dlg) {
        reopened = Result(dlg);
        form = Combo(dlg, 1085)->currentIndex();
        nuclear = Combo(dlg, 1046)->currentIndex();
        k = Edit(dlg, 1004)->text();
        // 乙类 with the shutter: the conventional rule alone.
        Combo(dlg, 1085)->setCurrentIndex(0);
        Button(dlg, 1116)->click();
    });
    EXPECT_EQ(form, 1);
    EXPECT_EQ(nuclear, 2);
    EXPECT_EQ(k, "1");
    EXPECT_TRUE(reopened.ends_with(kQe120)) << reopened;
    EXPECT_EQ(MessageBoxText(),
              "*常规武器爆炸:\n挡窗板的水平等效静荷载标准值:\n"
              "  按顶板查表值乘以0.3采用(此时h取挡窗板中心处的室外埋深)\n");

    bool classB = false;
    Run(32778, [&](QDialog& dlg) { classB = ById<QRadioButton>(dlg, 1116)->isChecked(); });
    EXPECT_TRUE(classB);
}

TEST_F(OpeningLoadDialogs, WindowWellShowsOnlyTheInputsTheFormAndClassUse) {
    WindowWellInput in;
    CDlgWindowWellLoad dlg(in);
    struct Case {
        int form, engClass;
        bool nuclear, conventional;
    } cases[] = {
        {0, 0, false, false}, {1, 0, true, false}, {2, 0, false, true},
        {0, 1, false, false}, {1, 1, false, false}, {2, 1, false, true},
    };
    for (const Case& c : cases) {
        Combo(dlg, 1085)->setCurrentIndex(c.form);
        Button(dlg, c.engClass ? 1116 : 1295)->click();
        for (int id : {1332, 1046, 3182, 1004, 1071, 3120, 3184})
            EXPECT_EQ(Shown(dlg, id), c.nuclear) << c.form << " " << c.engClass << " control " << id;
        for (int id : {3183, 1055})
            EXPECT_EQ(Shown(dlg, id), c.conventional) << c.form << " " << c.engClass << " control " << id;
    }
}

TEST_F(OpeningLoadDialogs, WindowWellAboveGroundTakesTheConventionalClass) {
    WindowWellInput in;
    CDlgWindowWellLoad dlg(in);
    Combo(dlg, 1085)->setCurrentIndex(2);
    EXPECT_TRUE(Contains(Result(dlg), "挡窗板的水平等效静荷载标准值:  180 kN/m2\n负向动反力的水平等效静荷载标准值:  60 kN/m2\n"))
        << Result(dlg);
    Combo(dlg, 1055)->setCurrentIndex(1);
    EXPECT_TRUE(Contains(Result(dlg), "挡窗板的水平等效静荷载标准值:  400 kN/m2\n负向动反力的水平等效静荷载标准值:  130 kN/m2\n"))
        << Result(dlg);
    EXPECT_FALSE(Contains(Result(dlg), "核武器爆炸"));
}

TEST_F(OpeningLoadDialogs, EmptyingKClearsTheAnswerWithoutCalculating) {
    WindowWellInput in;
    in.form = 1;
    in.nuclearClass = 2;
    CDlgWindowWellLoad dlg(in);
    ASSERT_TRUE(Result(dlg).ends_with(kQe120));
    ASSERT_EQ(::unlink((dir / "Message.Box").c_str()), 0);
    Edit(dlg, 1004)->setText("");
    EXPECT_EQ(in.k, 0.0f);
    EXPECT_EQ(Result(dlg), "");
    EXPECT_FALSE(MessageBoxExists());
    Edit(dlg, 1004)->setText("2");
    EXPECT_TRUE(Result(dlg).ends_with("  qe = 1.2 K △Pms  = 240.0 (kPa)\n")) << Result(dlg);
}

TEST_F(OpeningLoadDialogs, KSubDialogStartsOnTheCallersClassAndOnlyOkChangesK) {
    WindowWellInput in;
    in.form = 1;
    in.nuclearClass = 3;
    CDlgWindowWellLoad dlg(in);

    int startClass = -1;
    QString shownK;
    OnNextModal([&](QDialog& sub) {
        startClass = Combo(sub, 1046)->currentIndex();
        shownK = Edit(sub, 1004)->text();
        Button(sub, 2)->click();
    });
    ASSERT_EQ(::unlink((dir / "Message.Box").c_str()), 0);
    Button(dlg, 3184)->click();
    EXPECT_EQ(startClass, 3);
    EXPECT_EQ(shownK, "1.156");
    EXPECT_EQ(Edit(dlg, 1004)->text(), "1");
    EXPECT_FALSE(MessageBoxExists());

    OnNextModal([&](QDialog& sub) { Button(sub, 1)->click(); });
    Button(dlg, 3184)->click();
    EXPECT_FLOAT_EQ(in.k, 1.156f);
    EXPECT_EQ(Edit(dlg, 1004)->text(), "1.156");
    EXPECT_TRUE(Result(dlg).ends_with("  qe = 1.2 K △Pms  = 277.4 (kPa)\n")) << Result(dlg);  // 1.156 × 1.2 × 200
}

TEST_F(OpeningLoadDialogs, KSubDialogRecomputesAndAnEmptiedEntryShowsZero) {
    CDlgReflectK dlg(0);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("计算核爆顶板综合反射系数K"));
    EXPECT_EQ(Edit(dlg, 1004)->text(), "1.135");
    EXPECT_FALSE(Shown(dlg, 1082));
    EXPECT_FALSE(Shown(dlg, 1271));
    Combo(dlg, 1046)->setCurrentIndex(3);
    EXPECT_EQ(Edit(dlg, 1004)->text(), "1.156");
    Button(dlg, 3204)->click();
    EXPECT_TRUE(Shown(dlg, 1082));
    EXPECT_TRUE(Shown(dlg, 1271));
    Button(dlg, 3204)->click();
    EXPECT_EQ(Edit(dlg, 1004)->text(), "1.156");

    Edit(dlg, 1013)->setText("");
    EXPECT_EQ(Edit(dlg, 1004)->text(), "0");
    Edit(dlg, 1013)->setText("1");
    EXPECT_EQ(Edit(dlg, 1004)->text(), "1.156");

    // OK takes what 1004 shows, typed or computed.
    Edit(dlg, 1004)->setText("1.2");
    Button(dlg, 1)->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FLOAT_EQ(dlg.K(), 1.2f);
}

TEST_F(OpeningLoadDialogs, AnAnswerThatCannotBeWrittenEmptiesTheBoxAndSaysSo) {
    WindowWellInput well;
    CDlgWindowWellLoad wellDlg(well);
    PartitionInput partition;
    CDlgPartitionLoad partitionDlg(partition);
    ASSERT_FALSE(Result(wellDlg).empty());
    ASSERT_FALSE(Result(partitionDlg).empty());
    ASSERT_EQ(::chmod((dir / "Message.Box").c_str(), 0444), 0);
    Button(wellDlg, 1116)->click();
    Combo(partitionDlg, 1046)->setCurrentIndex(3);
    EXPECT_EQ(Result(wellDlg), "");
    EXPECT_EQ(Result(partitionDlg), "");
    ASSERT_EQ(messages->shown().size(), 2u);
    EXPECT_TRUE(Contains(messages->shown().back().text, "Message.Box")) << messages->shown().back().text;
}

TEST_F(OpeningLoadDialogs, PartitionTickCountsOnlyAgainstAnOrdinaryBasementAndIsKept) {
    struct Seen {
        QString caption, pair8;
        int pairs = 0;
        bool tickShownAt0 = true, tickShownAt11 = false, tickShownAt8 = true;
        std::string ticked11, pair8Answer;
    } seen;
    Run(32776, [&](QDialog& dlg) {
        seen.caption = dlg.windowTitle();
        seen.pairs = Combo(dlg, 1046)->count();
        seen.pair8 = Combo(dlg, 1046)->itemText(8);
        seen.tickShownAt0 = Shown(dlg, 1071);
        Combo(dlg, 1046)->setCurrentIndex(11);
        seen.tickShownAt11 = Shown(dlg, 1071);
        Button(dlg, 1071)->click();
        seen.ticked11 = Result(dlg);
        Combo(dlg, 1046)->setCurrentIndex(8);
        seen.tickShownAt8 = Shown(dlg, 1071);
        seen.pair8Answer = Result(dlg);
    });
    EXPECT_EQ(seen.caption, QStringLiteral("单元隔墙"));
    EXPECT_EQ(seen.pairs, 13);
    EXPECT_EQ(seen.pair8, QStringLiteral("核6级  -- 核5级 "));
    EXPECT_FALSE(seen.tickShownAt0);
    EXPECT_TRUE(seen.tickShownAt11);
    EXPECT_FALSE(seen.tickShownAt8);
    EXPECT_EQ(seen.ticked11,
              "普通地下室一侧: 隔墙水平等效静荷载标准值:  180.0 (kN/m2)\n"
              "普通地下室一侧: 门框墙水平等效静荷载标准值:  320.0 (kN/m2)\n");
    EXPECT_TRUE(Contains(seen.pair8Answer, "核6级一侧: 隔墙水平等效静荷载标准值:  100.0 (kN/m2)\n")) << seen.pair8Answer;

    int pair = -1;
    bool ticked = false;
    std::string reopened;
    Run(32776, [&](QDialog& dlg) {
        pair = Combo(dlg, 1046)->currentIndex();
        ticked = ById<QCheckBox>(dlg, 1071)->isChecked();
        Combo(dlg, 1046)->setCurrentIndex(11);
        reopened = Result(dlg);
    });
    EXPECT_EQ(pair, 8);
    EXPECT_TRUE(ticked);
    EXPECT_TRUE(Contains(reopened, "180.0")) << reopened;
}

TEST_F(OpeningLoadDialogs, ShedAnswersForItsClassAndKeepsIt) {
    QString caption;
    std::string answer;
    Run(32775, [&](QDialog& dlg) {
        caption = dlg.windowTitle();
        Combo(dlg, 1046)->setCurrentIndex(2);
        answer = Result(dlg);
    });
    EXPECT_EQ(caption, QStringLiteral("室外开敞式防倒塌棚架"));
    EXPECT_EQ(answer,
              "水平等效静荷载标准值:  55.0 (kN/m2)\n垂直等效静荷载标准值:  50.0 (kN/m2)\n两者应按不同时作用计算\n");
    EXPECT_EQ(MessageBoxText(), answer);

    int nuclear = -1;
    std::string reopened;
    Run(32775, [&](QDialog& dlg) {
        nuclear = Combo(dlg, 1046)->currentIndex();
        reopened = Result(dlg);
    });
    EXPECT_EQ(nuclear, 2);
    EXPECT_EQ(reopened, answer);
}

// The program folder's sketches: each form of the window well shows its own, and
// the partition and shed have theirs.
TEST_F(OpeningLoadDialogs, SketchesComeFromTheProgramFolderAndFollowTheForm) {
    G_strExePath = std::string(KV_RESOURCES) + "/";
    auto shipped = [](const char* name) {
        return QImage(QString::fromUtf8(KV_RESOURCES) + "/pictures/" + name + ".png").convertToFormat(QImage::Format_RGB32);
    };
    auto shown = [](QWidget* button) { return button->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    {
        WindowWellInput in;
        CDlgWindowWellLoad dlg(in);
        const char* const pictures[] = {"IDB_BITMAP_CJQ", "IDB_BITMAP_CJQ1", "IDB_BITMAP_CJQ2"};
        for (int form : {1, 2, 0}) {
            Combo(dlg, 1085)->setCurrentIndex(form);
            QImage expected = shipped(pictures[form]);
            ASSERT_FALSE(expected.isNull()) << pictures[form];
            EXPECT_EQ(shown(ById<QWidget>(dlg, 1142)), expected) << form;
        }
    }
    PartitionInput partition;
    CDlgPartitionLoad partitionDlg(partition);
    EXPECT_EQ(shown(ById<QWidget>(partitionDlg, 1132)), shipped("IDB_BITMAP_DYGQ"));
    ShedInput shed;
    CDlgShedLoad shedDlg(shed);
    EXPECT_EQ(shown(ById<QWidget>(shedDlg, 1122)), shipped("IDB_BITMAP_FDT"));
    G_strExePath.clear();
}

}  // namespace
