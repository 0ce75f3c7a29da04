// The formula wizard as the engineer uses it: command 32774 sent to the main
// frame, pages driven by control id.
#include "loads/ui/wizard.h"

#include "app/mainframe.h"
#include "base/globals.h"
#include "codes/ui/bmpcombobox.h"
#include "loads/equivload.h"
#include "loads/ui/wizardids.h"
#include "loads/ui/wizardpictures.h"
#include "loads/ui/wizardsteps.h"
#include "platform/services.h"
#include "project/ui/modulecommands.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"
#include "widgets/ui/ddx.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

using namespace wizard_id;

namespace {

enum Tab { kBasic, kPcm, kPch, kPci, kOmegaTab, kKd, kQe };

class Wizard : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        messages = scripted.get();
        oldMessages = kv::platform::InstallMessageService(std::move(scripted));
        auto files = std::make_unique<kv::platform::ScriptedFileDialogService>();
        fileDialogs = files.get();
        oldFiles = kv::platform::InstallFileDialogService(std::move(files));
        auto processes = std::make_unique<kv::platform::RecordingProcessService>();
        this->processes = processes.get();
        oldProcesses = kv::platform::InstallProcessService(std::move(processes));
        G_EquivLoad = CEquivLoad();
        G_strWorkPath = dir.path();
        frame = std::make_unique<CMainFrame>();
        InstallModuleCommands(*frame);
        // As the program installs it.
        SetModuleCommand(32774, [](CMainFrame&) { OnLoadFormula(); });
    }
    void TearDown() override {
        frame.reset();
        SetModuleCommand(32774, nullptr);
        kv::platform::InstallMessageService(std::move(oldMessages));
        kv::platform::InstallFileDialogService(std::move(oldFiles));
        kv::platform::InstallProcessService(std::move(oldProcesses));
        G_EquivLoad = CEquivLoad();
        G_strWorkPath.clear();
    }

    // Sends 32774 and runs `act` on the wizard once it is up; then closes it
    // with 返  回.
    void RunWizard(const std::function<void(CDlgTabSheet&)>& act) {
        bool ran = false;
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [&, timer] {
            auto* sheet = qobject_cast<CDlgTabSheet*>(QApplication::activeModalWidget());
            if (!sheet) return;
            timer->stop();
            ran = true;
            act(*sheet);
            sheet->findChild<QPushButton*>("2")->click();
        });
        timer->start(10);
        frame->SendCommand(32774);
        delete timer;
        EXPECT_TRUE(ran) << "the wizard did not open";
    }

    static CWizardPage* PageOf(CDlgTabSheet& sheet, Tab tab) { return static_cast<CWizardPage*>(sheet.Page(tab)); }
    // Shows `tab`'s page as a click on its tab would.
    static CWizardPage* Show(CDlgTabSheet& sheet, Tab tab) {
        int index = tab;
        if (sheet.TabBar()->count() == 6 && tab > kPch) --index;
        sheet.TabBar()->setCurrentIndex(index);
        return PageOf(sheet, tab);
    }
    static QLineEdit* Edit(CWizardPage* page, int id) {
        auto* edit = page->Control<QLineEdit>(id);
        EXPECT_NE(edit, nullptr) << id;
        return edit;
    }
    static void Type(CWizardPage* page, int id, const QString& text) { Edit(page, id)->setText(text); }
    static void Leave(CWizardPage* page, int id) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(Edit(page, id), &out);
    }
    static void Click(CWizardPage* page, int id) { page->Control<QAbstractButton>(id)->click(); }
    static void Choose(CWizardPage* page, int id, int index) {
        auto* combo = page->Control<QComboBox>(id);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    static bool Shown(CWizardPage* page, int id) { return page->Control<QWidget>(id)->isVisible(); }
    static QStringList Titles(CDlgTabSheet& sheet) {
        QStringList titles;
        for (int i = 0; i < sheet.TabBar()->count(); ++i) titles << sheet.TabBar()->tabText(i);
        return titles;
    }
    // The last message shown (empty when none was).
    std::string LastMessage() const { return messages->shown().empty() ? "" : messages->shown().back().text; }

    kv::test::TempFolder dir;
    std::unique_ptr<CMainFrame> frame;
    kv::platform::ScriptedMessageService* messages = nullptr;
    kv::platform::ScriptedFileDialogService* fileDialogs = nullptr;
    kv::platform::RecordingProcessService* processes = nullptr;
    std::unique_ptr<kv::platform::MessageService> oldMessages;
    std::unique_ptr<kv::platform::FileDialogService> oldFiles;
    std::unique_ptr<kv::platform::ProcessService> oldProcesses;
};

const QStringList kAllTabs = {"基本信息", "第一步 △Pcm", "第二步 Pch", "第三步 Pci", "第四步 ω", "第五步 Kd", "第六步 qei"};
const QStringList kWithoutPch = {"基本信息", "第一步 △Pcm", "第二步 Pci", "第三步 ω", "第四步 Kd", "第五步 qei"};

TEST_F(Wizard, ClassBWithTheWallDropsThePchTabAndAClassAOrSlabChoiceBringsItBack) {
    RunWizard([&](CDlgTabSheet& sheet) {
        CWizardPage* basic = PageOf(sheet, kBasic);
        EXPECT_EQ(sheet.windowTitle(), "防空地下室等效荷载公式计算 (甲类,顶底板)");
        EXPECT_EQ(Titles(sheet), kAllTabs);
        Click(basic, kClassB);
        EXPECT_EQ(Titles(sheet), kAllTabs);  // 乙类 with 顶板 keeps Pch
        EXPECT_EQ(basic->Control<QRadioButton>(kPartSlab)->text(), "顶板");
        Click(basic, kPartWall);
        EXPECT_EQ(Titles(sheet), kWithoutPch);
        EXPECT_EQ(sheet.windowTitle(), "防空地下室等效荷载公式计算 (乙类,外墙)");
        Click(basic, kSteps);
        EXPECT_EQ(LastMessage(), "按以下顺序，填入所需参数: \n 基本信息 ->第一步 ...    第五步\n");
        // The third tab is now the Pci page.
        sheet.TabBar()->setCurrentIndex(2);
        EXPECT_TRUE(sheet.Page(kPci)->isVisible());
        sheet.TabBar()->setCurrentIndex(0);

        Click(basic, kPartSlab);
        EXPECT_EQ(Titles(sheet), kAllTabs);
        Click(basic, kPartWall);
        EXPECT_EQ(Titles(sheet), kWithoutPch);
        Click(basic, kClassA);
        EXPECT_EQ(Titles(sheet), kAllTabs);
        Click(basic, kSteps);
        EXPECT_EQ(LastMessage(), "按以下顺序，填入所需参数: \n 基本信息 ->第一步 ...    第六步\n");
    });
    EXPECT_EQ(G_EquivLoad.m_nClass, 0);
    EXPECT_EQ(G_EquivLoad.m_nPart, 1);
}

TEST_F(Wizard, OpeningOnClassBWithTheWallStartsWithoutThePchTab) {
    G_EquivLoad.m_nClass = 1;
    G_EquivLoad.m_nPart = 1;
    RunWizard([&](CDlgTabSheet& sheet) {
        EXPECT_EQ(Titles(sheet), kWithoutPch);
        CWizardPage* basic = PageOf(sheet, kBasic);
        // No nuclear group, no soil for this wall; h1 stays.
        EXPECT_FALSE(Shown(basic, kNuclearGroup));
        EXPECT_FALSE(Shown(basic, kSaturated));
        EXPECT_FALSE(Shown(basic, kStoreyH));
        EXPECT_TRUE(Shown(basic, kRoofDepth));
    });
}

TEST_F(Wizard, TheHighNuclearClassesClearAndLockTheUpperBuildingBoxes) {
    struct Case {
        int nuclearClass;
        bool roof, wall;  // enabled (and left ticked)
        const char* deltaPm;
    };
    const Case cases[] = {{4, false, false, "300"}, {3, false, true, "200"}, {2, true, true, "100"}};
    for (const Case& c : cases) {
        G_EquivLoad = CEquivLoad();
        RunWizard([&](CDlgTabSheet& sheet) {
            CWizardPage* basic = PageOf(sheet, kBasic);
            Choose(basic, kNuclearClass, c.nuclearClass);
            auto* roof = basic->Control<QCheckBox>(kRoofUpperN);
            auto* wall = basic->Control<QCheckBox>(kWallUpperN);
            EXPECT_EQ(roof->isEnabled(), c.roof) << c.nuclearClass;
            EXPECT_EQ(roof->isChecked(), c.roof) << c.nuclearClass;
            EXPECT_EQ(wall->isEnabled(), c.wall) << c.nuclearClass;
            EXPECT_EQ(wall->isChecked(), c.wall) << c.nuclearClass;
            EXPECT_EQ(Edit(basic, kDeltaPm)->text(), c.deltaPm);
        });
        EXPECT_EQ(G_EquivLoad.m_bRoofUpperN, c.roof ? 1 : 0);
        EXPECT_EQ(G_EquivLoad.m_bWallUpperN, c.wall ? 1 : 0);
    }
}

TEST_F(Wizard, TheInputBoxesSwitchBetweenTypedValuesAndClassDefaults) {
    RunWizard([&](CDlgTabSheet& sheet) {
        CWizardPage* basic = PageOf(sheet, kBasic);
        Choose(basic, kConvClass, 1);  // 常5
        EXPECT_EQ(Edit(basic, kCharge)->text(), "272.7");
        EXPECT_FLOAT_EQ(G_EquivLoad.m_fCharge, 272.7f);

        QLineEdit* deltaPm = Edit(basic, kDeltaPm);
        EXPECT_FALSE(deltaPm->isVisible());
        Click(basic, kDeltaPmInput);
        EXPECT_TRUE(deltaPm->isVisible());
        EXPECT_EQ(deltaPm->text(), "0");  // nothing typed yet
        deltaPm->setText("75");
        Click(basic, kDeltaPmInput);
        EXPECT_FALSE(deltaPm->isVisible());
        EXPECT_EQ(deltaPm->text(), "30");  // the default of 核6B
        Click(basic, kDeltaPmInput);
        EXPECT_EQ(deltaPm->text(), "75");  // the typed value comes back

        // R follows every change into both distances.
        Click(basic, kDistanceInput);
        QLineEdit* distance = Edit(basic, kDistance);
        distance->setText("12.5");
        emit distance->textEdited("12.5");
        EXPECT_FLOAT_EQ(G_EquivLoad.m_fDistance, 12.5f);
        EXPECT_FLOAT_EQ(G_EquivLoad.m_fDistanceGnd, 12.5f);
    });
    EXPECT_FLOAT_EQ(G_EquivLoad.m_fDeltaPm, 75.0f);

    // The next opening starts with the boxes clear and the class defaults.
    RunWizard([&](CDlgTabSheet&) {
        EXPECT_FLOAT_EQ(G_EquivLoad.m_fDeltaPm, 30.0f);
        EXPECT_FLOAT_EQ(G_EquivLoad.m_fCharge, 272.7f);
        EXPECT_FLOAT_EQ(G_EquivLoad.m_fDistance, 10.0f);
    });
}

TEST_F(Wizard, ARefusedEntryLeavesTheOtherChoicesOfThePageWhole) {
    RunWizard([&](CDlgTabSheet& sheet) {
        CWizardPage* basic = PageOf(sheet, kBasic);
        Type(basic, kCover, "abc");
        Choose(basic, kConvClass, 1);  // 常5: its charge comes with it
        EXPECT_EQ(Edit(basic, kCharge)->text(), "272.7");
        Click(basic, kChargeInput);
        EXPECT_TRUE(Edit(basic, kCharge)->isVisible());
        Choose(basic, kNuclearClass, 4);
        EXPECT_EQ(Edit(basic, kDeltaPm)->text(), "300");
        EXPECT_FALSE(basic->Control<QCheckBox>(kRoofUpperN)->isEnabled());
        Show(sheet, kPcm);
        EXPECT_FALSE(messages->shown().empty());
    });
    EXPECT_FLOAT_EQ(G_EquivLoad.m_fCover, 2.5f);  // the refused cover keeps its value
    EXPECT_EQ(G_EquivLoad.m_nConvClass, 1);
    EXPECT_EQ(G_EquivLoad.m_nNuclearClass, 4);
    EXPECT_FLOAT_EQ(G_EquivLoad.m_fDeltaPm, 300.0f);

    G_EquivLoad = CEquivLoad();
    RunWizard([&](CDlgTabSheet& sheet) {
        CWizardPage* pch = Show(sheet, kPch);
        Type(pch, kGamma, "abc");
        Type(pch, kV0, "300");
        Leave(pch, kV0);
        EXPECT_FLOAT_EQ(G_EquivLoad.m_fV0, 300.0f);
        EXPECT_EQ(Edit(pch, kGamma)->text(), "2");  // the refused entry shows its value again
        CWizardPage* omega = Show(sheet, kOmegaTab);
        Type(omega, kBeamWidth, "abc");
        Type(omega, kPlateB, "4");
        Leave(omega, kPlateB);
        EXPECT_NEAR(G_EquivLoad.m_fOmegaRoof, CEquivLoad().CalOmegaPlate(6, 4, 0.25f, 25, 25, 2), 1e-3);
    });
}

TEST_F(Wizard, OkOnTheBasicPageChangesNothing) {
    RunWizard([&](CDlgTabSheet& sheet) {
        CWizardPage* basic = PageOf(sheet, kBasic);
        Type(basic, kCover, "1.5");
        sheet.findChild<QPushButton*>("1")->click();
        QApplication::processEvents();
        EXPECT_TRUE(sheet.isVisible());
        EXPECT_FLOAT_EQ(G_EquivLoad.m_fCover, 2.5f);  // stored only when the page is left
        Show(sheet, kPcm);
        EXPECT_FLOAT_EQ(G_EquivLoad.m_fCover, 1.5f);
    });
}

TEST_F(Wizard, ThePchPageShowsTheGuardedAndTheDerivedSoilValues) {
    RunWizard([&](CDlgTabSheet& sheet) {
        CWizardPage* pch = Show(sheet, kPch);
        EXPECT_EQ(Edit(pch, kGamma)->text(), "2");
        Type(pch, kGamma, "0");
        Leave(pch, kGamma);
        EXPECT_EQ(Edit(pch, kGamma)->text(), "0.001");
        EXPECT_FALSE(Edit(pch, kPhRoof)->isEnabled());  // results are shown only
        EXPECT_EQ(Edit(pch, kDepthRoof)->text(), "2.5");
    });

    G_EquivLoad = CEquivLoad();
    RunWizard([&](CDlgTabSheet& sheet) {
        Click(PageOf(sheet, kBasic), kSaturated);
        CWizardPage* pch = Show(sheet, kPch);
        EXPECT_EQ(Edit(pch, kGamma)->text(), "2");  // taken before the conventional stage
        Leave(pch, kV0);
        EXPECT_EQ(Edit(pch, kGamma)->text(), "1.5");
    });
}

TEST_F(Wizard, TheRoofCeAndKrFollowTheCoverWhateverIsTyped) {
    struct Case {
        const char* cover;
        const char* ce;
        const char* kr;
    };
    for (const Case& c : {Case{"2.5", "0.9", "1.5"}, Case{"0.5", "1", "1"}}) {
        G_EquivLoad = CEquivLoad();
        RunWizard([&](CDlgTabSheet& sheet) {
            Type(PageOf(sheet, kBasic), kCover, c.cover);
            CWizardPage* pci = Show(sheet, kPci);
            Type(pci, kCeRoof, "0.7");
            Type(pci, kKrRoof, "3");
            sheet.findChild<QPushButton*>("1")->click();
            QApplication::processEvents();
            EXPECT_EQ(Edit(pci, kCeRoof)->text(), c.ce) << c.cover;
            EXPECT_EQ(Edit(pci, kKrRoof)->text(), c.kr) << c.cover;
        });
    }
}

TEST_F(Wizard, ThePciPageStoresItsSoilInputsWhenLeft) {
    RunWizard([&](CDlgTabSheet& sheet) {
        CWizardPage* pci = Show(sheet, kPci);
        const QString pc3 = Edit(pci, kPc3)->text();
        Type(pci, kEta, "0.4");
        Leave(pci, kEta);
        EXPECT_FLOAT_EQ(G_EquivLoad.m_fEta, 0.4f);
        EXPECT_NE(Edit(pci, kPc3)->text(), pc3);
        EXPECT_NEAR(Edit(pci, kPc3)->text().toFloat(), 0.4f * Edit(pci, kPc1)->text().toFloat(), 1e-3);
    });
}

TEST_F(Wizard, TheGroundWallIsNotComputedForTheHigherNuclearClasses) {
    struct Case {
        int nuclearClass;
        bool notComputed;
    };
    for (const Case& c : {Case{2, true}, Case{4, true}, Case{1, false}}) {
        G_EquivLoad = CEquivLoad();
        RunWizard([&](CDlgTabSheet& sheet) {
            CWizardPage* basic = PageOf(sheet, kBasic);
            Click(basic, kPartWall);
            Choose(basic, kNuclearClass, c.nuclearClass);
            CWizardPage* pci = Show(sheet, kPci);
            EXPECT_EQ(Shown(pci, kNotComputed), c.notComputed) << c.nuclearClass;
            EXPECT_EQ(Shown(pci, kPc2Gnd), !c.notComputed) << c.nuclearClass;
            EXPECT_EQ(pci->Control<QLabel>(kNotComputed)->text(), "不计算");
            CWizardPage* qe = Show(sheet, kQe);
            EXPECT_EQ(Shown(qe, kNotComputed), c.notComputed) << c.nuclearClass;
            EXPECT_EQ(Shown(qe, kQe2Gnd), !c.notComputed) << c.nuclearClass;
            EXPECT_TRUE(Shown(qe, kQce2Gnd));
        });
    }
}

TEST_F(Wizard, TheQeiPageOfClassBHasNoNuclearRowsAndNoGoverningValues) {
    RunWizard([&](CDlgTabSheet& sheet) {
        Click(PageOf(sheet, kBasic), kClassB);
        CWizardPage* qe = Show(sheet, kQe);
        EXPECT_FALSE(Shown(qe, kNuclearBlock));
        EXPECT_FALSE(Shown(qe, kQe1));
        EXPECT_FALSE(Shown(qe, kGoverning));
        EXPECT_TRUE(Shown(qe, kQce1));
        EXPECT_EQ(Edit(qe, kQce1)->text(), kv::ddx::FormatFloat(G_EquivLoad.m_fQce1));
    });
}

TEST_F(Wizard, TheQeiPageOfClassATakesTheLargerLoadOfTheTwoWeapons) {
    RunWizard([&](CDlgTabSheet& sheet) {
        CWizardPage* qe = Show(sheet, kQe);
        ASSERT_TRUE(Shown(qe, kGoverning));
        const CEquivLoad& r = G_EquivLoad;
        EXPECT_EQ(Edit(qe, kQeiRoof)->text(), kv::ddx::FormatFloat(std::max(r.m_fQe1, r.m_fQce1)));
        EXPECT_EQ(Edit(qe, kQeiFloor)->text(), kv::ddx::FormatFloat(r.m_fQe3));
        EXPECT_EQ(Edit(qe, kQe1)->text(), kv::ddx::FormatFloat(r.m_fQe1));
    });
}

TEST_F(Wizard, TheFrequencyPageRefusesAOneWaySlab) {
    RunWizard([&](CDlgTabSheet& sheet) {
        CWizardPage* omega = Show(sheet, kOmegaTab);
        // Automatic mode with the default plate: 6 m x 6 m, 250 mm, all edges fixed, C25.
        // The record keeps the frequency as the page shows it (six digits).
        const float square = CEquivLoad().CalOmegaPlate(6, 6, 0.25f, 25, 25, 2);
        EXPECT_NEAR(G_EquivLoad.m_fOmegaRoof, square, 1e-3);
        EXPECT_FALSE(Edit(omega, kOmegaRoof)->isEnabled());

        Type(omega, kPlateB, "2.9");
        Leave(omega, kPlateB);
        EXPECT_EQ(LastMessage(), "单向板请按梁计算 !");
        EXPECT_NEAR(G_EquivLoad.m_fOmegaRoof, square, 1e-3);
        EXPECT_EQ(Edit(omega, kOmegaRoof)->text(), kv::ddx::FormatFloat(square));

        Type(omega, kPlateB, "4");
        Leave(omega, kPlateB);
        EXPECT_NEAR(G_EquivLoad.m_fOmegaRoof, CEquivLoad().CalOmegaPlate(6, 4, 0.25f, 25, 25, 2), 1e-3);

        // A beam: the third case of the list is case 3.
        Click(omega, kBeam);
        Choose(omega, kBeamCases, 2);
        EXPECT_NEAR(G_EquivLoad.m_fOmegaRoof, CEquivLoad().CalOmegaBeam(6, 25, 0.25f, 0.6f, 25, 3), 1e-3);
        EXPECT_FALSE(Shown(omega, kPlateA));
        EXPECT_FALSE(Shown(omega, kOmegaFloor));
    });
}

TEST_F(Wizard, TheManualFrequencyStandsAndReachesTheKdPage) {
    RunWizard([&](CDlgTabSheet& sheet) {
        Click(PageOf(sheet, kBasic), kPartWall);
        CWizardPage* omega = Show(sheet, kOmegaTab);
        EXPECT_TRUE(Shown(omega, kOmegaWall));
        EXPECT_FALSE(Shown(omega, kCalWall));
        Click(omega, kManual);
        EXPECT_TRUE(Shown(omega, kCalWall));
        Type(omega, kOmegaWall, "150");
        Type(omega, kPlateB, "9");  // no longer computed in this mode
        Leave(omega, kPlateB);
        EXPECT_TRUE(messages->shown().empty());
        CWizardPage* kd = Show(sheet, kKd);
        EXPECT_EQ(Edit(kd, kOmegaWallShown)->text(), "150");
        EXPECT_FLOAT_EQ(G_EquivLoad.m_fKd2, CEquivLoad().CalKd(G_EquivLoad.m_fBeta2, 150, G_EquivLoad.m_fRiseWall, 2));
        // A new ductility ratio gives the wall its new factor at once.
        const QString kd2 = Edit(kd, kKd2)->text();
        Type(kd, kBeta2, "1.2");
        Leave(kd, kBeta2);
        EXPECT_FLOAT_EQ(G_EquivLoad.m_fBeta2, 1.2f);
        EXPECT_NE(Edit(kd, kKd2)->text(), kd2);
        EXPECT_EQ(Edit(kd, kKd2)->text(), kv::ddx::FormatFloat(CEquivLoad().CalKd(1.2f, 150, G_EquivLoad.m_fRiseWall, 2)));
    });
}

TEST_F(Wizard, OutputReportWritesTheOutFile) {
    fileDialogs->Answer(dir.path() + "load.txt");
    RunWizard([&](CDlgTabSheet& sheet) {
        Click(PageOf(sheet, kBasic), kPartWall);
        Click(Show(sheet, kQe), kOutputReport);
    });
    ASSERT_EQ(fileDialogs->requests().size(), 1u);
    std::ifstream in(dir.path() + "load.OUT", std::ios::binary);
    ASSERT_TRUE(in) << "no report written";
    std::stringstream text;
    text << in.rdbuf();
    // The wall layout's title, in GBK: [人防地下室外墙...
    EXPECT_EQ(text.str().rfind("[\xC8\xCB\xB7\xC0\xB5\xD8\xCF\xC2\xCA\xD2\xCD\xE2\xC7\xBD", 0), 0u);
    ASSERT_EQ(processes->opened.size(), 1u);
}

// The wizard as the menu of the single-calculation mode opens it, with the
// program folder's pictures. KV_SCREENSHOT names a file to keep the basic page
// for a look (run under Xvfb with QT_QPA_PLATFORM=xcb for the whole screen too).
TEST_F(Wizard, TheLoadMenuOpensTheWizardOnItsBasicPage) {
    G_strExePath = std::string(KV_RESOURCES) + "/";
    frame->show();
    frame->OnDxjs();
    QAction* formula = nullptr;
    for (QAction* menu : frame->menuBar()->actions())
        if (menu->menu() && menu->text().startsWith("荷载计算"))
            for (QAction* item : menu->menu()->actions())
                if (item->text() == "地下室公式") formula = item;
    ASSERT_NE(formula, nullptr);
    frame->UpdateCommandUI();
    EXPECT_TRUE(formula->isEnabled());

    bool opened = false;
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [&, timer] {
        auto* sheet = qobject_cast<CDlgTabSheet*>(QApplication::activeModalWidget());
        if (!sheet) return;
        timer->stop();
        opened = true;
        EXPECT_TRUE(sheet->Page(kBasic)->isVisible());
        EXPECT_FALSE(PageOf(*sheet, kBasic)->Control<QToolButton>(kSamplePicture)->icon().isNull());
        EXPECT_EQ(sheet->windowTitle(), "防空地下室等效荷载公式计算 (甲类,顶底板)");
        if (const char* path = std::getenv("KV_SCREENSHOT")) {
            QApplication::processEvents();
            EXPECT_TRUE(sheet->grab().save(QString::fromLocal8Bit(path)));
            if (QGuiApplication::platformName() == "xcb")
                QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(path) + ".screen.png");
        }
        sheet->findChild<QPushButton*>("2")->click();
    });
    timer->start(50);
    formula->trigger();
    delete timer;
    EXPECT_TRUE(opened);
    frame->CloseAllDocuments();
    G_strExePath.clear();
}

TEST(WizardPictures, EveryPictureThePagesNameIsShipped) {
    kv::test::EnsureQtApp();
    for (const char* name : {"IDB_BITMAP_SAMPLE", "IDB_BITMAP_SAMPLE1", "IDB_BITMAP_SOIL", "IDB_BITMAP_SOIL1",
                             "IDB_BITMAP_CYXS", "IDB_BITMAP_WQCE", "IDB_BITMAP_WQ2CE", "IDB_BITMAP_WQCN",
                             "IDB_BITMAP_WQCN1", "IDB_BITMAP_BEITA", "IDB_BITMAP_BEITA_C"}) {
        QImage picture(QString::fromUtf8(KV_RESOURCES) + "/pictures/" + name + ".png");
        EXPECT_FALSE(picture.isNull()) << name;
        EXPECT_GT(picture.width(), 100) << name;
    }
}

TEST(WizardPictures, SupportCasesAreDrawnAndThePlatesFitTheirField) {
    kv::test::EnsureQtApp();
    RegisterSupportCasePictures();
    for (int i = 0; i < kBeamCaseCount; ++i) EXPECT_FALSE(LoadBmpResource(IDB_BEAM_CASE1 + i).isNull()) << i;
    for (int i = 0; i < kPlateCaseCount; ++i) {
        const QPixmap plate = LoadBmpResource(IDB_PLATE_CASE1 + i);
        EXPECT_FALSE(plate.isNull()) << i;
        EXPECT_LE(plate.height(), 42) << i;
    }
    // The cases differ: no two beam pictures are the same drawing.
    for (int i = 0; i < kBeamCaseCount; ++i)
        for (int j = i + 1; j < kBeamCaseCount; ++j)
            EXPECT_NE(LoadBmpResource(IDB_BEAM_CASE1 + i).toImage(), LoadBmpResource(IDB_BEAM_CASE1 + j).toImage())
                << i << " " << j;
}

}  // namespace
