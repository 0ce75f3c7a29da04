#include "views/dialogs/calcroad.h"
#include "views/dialogs/checkdatasaved.h"
#include "views/dialogs/dlghelppic.h"
#include "views/dialogs/dlgselectmodule.h"
#include "views/dialogs/dlgtabsheet.h"
#include "views/dialogs/jiantu.h"
#include "views/dialogs/onefielddlgs.h"
#include "views/dialogs/shellservices.h"

#include "base/globals.h"
#include "base/jsdata.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"
#include "support/work_folder.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QImage>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        messages = scripted.get();
        oldMessages = kv::platform::InstallMessageService(std::move(scripted));
    }
    void TearDown() override {
        kv::platform::InstallMessageService(std::move(oldMessages));
        SetProjectModeQuery(nullptr);
        SetDiagramViewer(nullptr);
    }
    kv::platform::ScriptedMessageService* messages = nullptr;
    std::unique_ptr<kv::platform::MessageService> oldMessages;
};

class CountingPage : public CSheetPage {
public:
    explicit CountingPage(QSize size) { resize(size); }
    void OnSheetOk() override { ++oks; }
    void OnSetActive() override { ++activations; }
    int oks = 0, activations = 0;
};

TEST_F(Dialogs, TheTabSheetFitsItsLargestPage) {
    struct Case {
        QSize page;
        QSize tab, dialog;
        QPoint ok, cancel;
    };
    const Case cases[] = {
        {{400, 300}, {406, 334}, {434, 408}, {194, 344}, {314, 344}},
        {{50, 40}, {106, 114}, {134, 188}, {-106, 124}, {14, 124}},  // small pages count as 100 x 80
    };
    for (const auto& c : cases) {
        CDlgTabSheet sheet;
        CountingPage small(QSize(20, 20)), large(c.page);
        sheet.AddPage("小", &small);
        sheet.AddPage("大", &large);
        sheet.OnInitDialog();
        EXPECT_EQ(sheet.TabControl()->size(), c.tab);
        EXPECT_EQ(sheet.size(), c.dialog);
        EXPECT_EQ(sheet.findChild<QPushButton*>("1")->pos(), c.ok);
        EXPECT_EQ(sheet.findChild<QPushButton*>("2")->pos(), c.cancel);
    }
}

TEST_F(Dialogs, ATabCanBeDroppedAndRestored) {
    CDlgTabSheet sheet;
    std::vector<std::unique_ptr<CountingPage>> pages;
    for (int i = 0; i < 7; ++i) {
        pages.push_back(std::make_unique<CountingPage>(QSize(200, 100)));
        sheet.AddPage("页" + std::to_string(i + 1), pages.back().get());
    }
    sheet.RemovedTitles() = {"A1", "A2", "A3", "A4", "A5", "A6"};
    sheet.OnInitDialog();
    sheet.show();
    ASSERT_EQ(sheet.OnRemovePage(2), 1);
    EXPECT_EQ(sheet.OnRemovePage(3), 0);  // one at a time
    ASSERT_EQ(sheet.TabBar()->count(), 6);
    EXPECT_EQ(sheet.TabBar()->tabText(2), "A3");
    sheet.TabBar()->setCurrentIndex(2);
    EXPECT_TRUE(pages[3]->isVisible());  // the third tab shows the fourth page
    EXPECT_FALSE(pages[2]->isVisible());

    sheet.findChild<QPushButton*>("1")->click();
    QApplication::processEvents();
    EXPECT_EQ(pages[3]->oks, 1);  // OK goes to the shown page only
    EXPECT_EQ(pages[0]->oks, 0);
    EXPECT_TRUE(sheet.isVisible());

    ASSERT_EQ(sheet.OnRestorePage(), 1);
    EXPECT_EQ(sheet.OnRestorePage(), 0);
    ASSERT_EQ(sheet.TabBar()->count(), 7);
    EXPECT_EQ(sheet.TabBar()->tabText(2), "页3");
    EXPECT_EQ(sheet.PageOfTab(2), 2);
    sheet.hide();
}

TEST_F(Dialogs, DroppingTheShownTabShowsThePageThatOkGoesTo) {
    CDlgTabSheet sheet;
    std::vector<std::unique_ptr<CountingPage>> pages;
    for (int i = 0; i < 3; ++i) {
        pages.push_back(std::make_unique<CountingPage>(QSize(200, 100)));
        sheet.AddPage("页" + std::to_string(i + 1), pages.back().get());
    }
    sheet.OnInitDialog();
    sheet.show();
    sheet.TabBar()->setCurrentIndex(1);
    ASSERT_EQ(sheet.OnRemovePage(1), 1);
    int shown = sheet.PageOfTab(sheet.TabBar()->currentIndex());
    ASSERT_GE(shown, 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(pages[static_cast<std::size_t>(i)]->isVisible(), i == shown) << i;
    sheet.findChild<QPushButton*>("1")->click();
    QApplication::processEvents();
    EXPECT_EQ(pages[static_cast<std::size_t>(shown)]->oks, 1);
    sheet.hide();
}

TEST_F(Dialogs, TheTabSheetLeavesItsPagesToTheCaller) {
    auto* page = new CountingPage(QSize(100, 100));
    QPointer<CountingPage> watch(page);
    {
        CDlgTabSheet sheet;
        sheet.AddPage("p", page);
        sheet.OnInitDialog();
    }
    ASSERT_FALSE(watch.isNull());
    delete page;
    // Pages that go first, as pages made after the container do.
    CDlgTabSheet sheet;
    {
        CountingPage first(QSize(100, 100));
        sheet.AddPage("p", &first);
        sheet.OnInitDialog();
    }
    EXPECT_EQ(sheet.Page(0), nullptr);
}

class StoredData : public CJsBaseData {
public:
    using CJsBaseData::SaveData;
    int value = 1;
    std::string refuse;  // paths ending so cannot be written
    int SaveData(const char* path) override {
        std::string p = path;
        if (!refuse.empty() && p.size() >= refuse.size() && p.compare(p.size() - refuse.size(), refuse.size(), refuse) == 0)
            return 0;
        std::FILE* f = std::fopen(path, "w");
        if (!f) return 0;
        std::fprintf(f, "%d\n", value);
        std::fclose(f);
        return 1;
    }
};

TEST_F(Dialogs, CancelAsksAboutUnsavedDataOnlyInProjectMode) {
    kv::test::TempFolder dir;
    G_strWorkPath = dir.path();
    StoredData data;
    data.m_strStem = "&KV_0003";
    data.SetFileName_("keep.dat");
    EXPECT_EQ(CheckDataSaved(&data), 1);  // not in project mode: no question
    EXPECT_TRUE(messages->shown().empty());

    SetProjectModeQuery([] { return true; });
    dir.Write("&KV_0003.dat", "1\n");
    EXPECT_EQ(CheckDataSaved(&data), 1);  // unchanged
    EXPECT_TRUE(messages->shown().empty());

    data.value = 2;
    messages->Answer(kv::IDCANCEL);
    EXPECT_EQ(CheckDataSaved(&data), 0);
    messages->Answer(kv::IDNO);
    EXPECT_EQ(CheckDataSaved(&data), 1);
    EXPECT_EQ(dir.Read("&KV_0003.dat"), "1\n");
    messages->Answer(kv::IDYES);
    EXPECT_EQ(CheckDataSaved(&data), 1);
    EXPECT_EQ(dir.Read("&KV_0003.dat"), "2\n");
    EXPECT_EQ(data.GetFileName_(), "keep.dat");
    EXPECT_EQ(dir.List(), "&KV_0003.dat");  // no temporary copy left
    ASSERT_EQ(messages->shown().size(), 3u);
    EXPECT_EQ(messages->shown()[0].text, "    您当前的数据已经做了改动\n但未保存，您是否需要保存？\n");

    // A save that fails keeps the dialog open with the data, and says so.
    data.value = 4;
    data.refuse = ".dat";
    messages->Answer(kv::IDYES);
    EXPECT_EQ(CheckDataSaved(&data), 0);
    ASSERT_EQ(messages->shown().size(), 5u);
    EXPECT_EQ(messages->shown()[4].text, "不能保存文件 : " + dir / "&KV_0003.dat");
    EXPECT_EQ(dir.Read("&KV_0003.dat"), "2\n");
    data.refuse.clear();

    // The container's Cancel stays open when the user cancels the question.
    data.value = 3;
    CDlgTabSheet sheet(nullptr, &data);
    CountingPage page(QSize(100, 100));
    sheet.AddPage("p", &page);
    sheet.OnInitDialog();
    sheet.show();
    messages->Answer(kv::IDCANCEL);
    sheet.reject();
    EXPECT_TRUE(sheet.isVisible());
    messages->Answer(kv::IDNO);
    sheet.reject();
    EXPECT_FALSE(sheet.isVisible());
    G_strWorkPath.clear();
}

TEST_F(Dialogs, AnItemFileWrittenWithWindowsLineEndsCountsAsUnchanged) {
    kv::test::TempFolder dir;
    G_strWorkPath = dir.path();
    SetProjectModeQuery([] { return true; });
    StoredData data;
    data.m_strStem = "&KV_0001";
    const std::pair<const char*, bool> cases[] = {{"1\n", false}, {"1\r\n", false}, {"2\r\n", true}, {"1\r\r\n", true}};
    for (const auto& [onDisk, asks] : cases) {
        dir.Write("&KV_0001.dat", onDisk);
        messages->Answer(kv::IDNO);
        std::size_t before = messages->shown().size();
        EXPECT_EQ(CheckDataSaved(&data), 1);
        EXPECT_EQ(messages->shown().size() - before, asks ? 1u : 0u) << onDisk;
    }
    G_strWorkPath.clear();
}

TEST_F(Dialogs, DiagramsGoToTheViewOrToTheChooser) {
    std::vector<std::string> shown;
    SetDiagramViewer([&](const std::string& path) { shown.push_back(path); });
    G_strWorkPath = "/p/";
    EXPECT_EQ(ShowJianTu(nullptr), 0);
    CJsBaseData none;
    EXPECT_EQ(ShowJianTu(&none), 0);

    CJsBaseData one;
    one.SetJt(0, "弯矩图", "&KV_0001_M.DXF", "&KV_0001.RTF");
    EXPECT_EQ(ShowJianTu(&one), 1);
    EXPECT_EQ(shown, std::vector<std::string>{"/p/&KV_0001_M.DXF"});

    CJsBaseData three;
    three.SetJt(0, "计算简图", "a.DXF", "r.RTF");
    three.SetJt(1, "弯矩图", "b.DXF", "r.RTF");
    three.SetJt(2, "配筋图", "c.DXF", "r.RTF");
    EXPECT_EQ(ShowJianTu(&three), 1);
    EXPECT_EQ(shown.size(), 1u);  // the view keeps its drawing until a pick
    CDlgJianTuList* chooser = JianTuChooser();
    ASSERT_NE(chooser, nullptr);
    EXPECT_TRUE(chooser->isVisible());
    ASSERT_EQ(chooser->List()->count(), 3);
    EXPECT_EQ(chooser->List()->item(2)->text(), "配筋图");

    chooser->List()->clearSelection();
    chooser->accept();  // nothing chosen: nothing happens
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_EQ(shown.size(), 1u);

    chooser->List()->setCurrentRow(1);
    EXPECT_EQ(shown.back(), "/p/b.DXF");  // a selection change shows at once
    chooser->accept();
    EXPECT_FALSE(chooser->isVisible());

    EXPECT_EQ(ShowJianTu(&one), 1);  // hides the chooser
    EXPECT_FALSE(chooser->isVisible());
    G_strWorkPath.clear();
}

TEST_F(Dialogs, ModuleChoiceFollowsTheFlags) {
    std::vector<std::string> rows;
    for (int i = 0; i < 16; ++i) rows.push_back("模块" + std::to_string(i));
    CDlgSelectModule dlg(nullptr, rows);
    dlg.m_nFlags[0] = 1;
    dlg.m_nFlags[2] = 1;
    dlg.OnInitDialog();
    ASSERT_EQ(dlg.List()->count(), 16);
    std::vector<int> selected;
    for (int i = 0; i < 16; ++i)
        if (dlg.List()->item(i)->isSelected()) selected.push_back(i);
    EXPECT_EQ(selected, (std::vector<int>{0, 2}));

    dlg.List()->clearSelection();
    dlg.List()->item(5)->setSelected(true);
    dlg.accept();
    for (int i = 0; i < 16; ++i) EXPECT_EQ(dlg.m_nFlags[static_cast<std::size_t>(i)], i == 5 ? 1 : 0) << i;
}

TEST_F(Dialogs, TheTextHeightFactorIsCheckedAgainstItsRange) {
    struct Case {
        const char* text;
        bool accepted;
        float value;
    };
    const Case cases[] = {{"2.5", true, 2.5f}, {"0.0001", true, 0.0001f}, {"0", false, 1.0f},
                          {"100001", false, 1.0f}, {"abc", false, 1.0f}};
    for (const auto& c : cases) {
        CDlgTextHeight dlg;
        dlg.show();
        dlg.Edit()->setText(c.text);
        dlg.findChild<QPushButton*>("1")->click();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted) << c.text;
        EXPECT_FLOAT_EQ(dlg.m_fRatio, c.value) << c.text;
        dlg.hide();
    }
    ASSERT_EQ(messages->shown().size(), 3u);
    EXPECT_EQ(messages->shown()[0].text, "请输入一个 0.0001 到 100000 之间的数。");
}

TEST_F(Dialogs, OneFieldDialogsKeepTheirDefaults) {
    CDlgJssTitle title;
    EXPECT_EQ(title.m_strTitle, "***梁计算书");
    CDlgGotoLine line;
    line.show();
    line.Edit()->setText("12");
    line.findChild<QPushButton*>("1")->click();
    EXPECT_EQ(line.m_nLine, 12);
}

TEST_F(Dialogs, PictureHelpShowsItsPicturesOnTabs) {
    kv::test::TempFolder dir;
    std::string oldExe = G_strExePath;
    G_strExePath = dir.path();
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(kv::platform::MakeDirectories(dir / "pictures"));
    ASSERT_TRUE(picture.save(QString::fromStdString(dir / "pictures/IDB_MKQ.png")));

    CDlgHelpPic two(nullptr, "idb_mkq", "IDB_MISSING");  // names in any case
    ASSERT_EQ(messages->shown().size(), 1u);  // the missing one is reported
    EXPECT_NE(messages->shown()[0].text.find("IDB_MISSING"), std::string::npos);
    two.SetTitle("单扇门", "双扇门");
    QTimer::singleShot(0, &two, [&two] {
        EXPECT_EQ(two.Tabs()->count(), 2);
        EXPECT_EQ(two.Tabs()->tabText(1), "双扇门");
        auto* first = two.findChild<QToolButton*>("1282");
        auto* second = two.findChild<QToolButton*>("1008");
        EXPECT_EQ(first->iconSize(), QSize(300, 200));
        EXPECT_TRUE(first->isVisible());
        EXPECT_FALSE(second->isVisible());
        two.Tabs()->setCurrentIndex(1);
        EXPECT_TRUE(second->isVisible());
        EXPECT_FALSE(first->isVisible());
        first->click();  // a click on the picture closes like OK
    });
    EXPECT_EQ(two.exec(), QDialog::Accepted);

    CDlgHelpPic one(nullptr, "IDB_MKQ");
    one.SetTitle("门框墙");
    QTimer::singleShot(0, &one, [&one] {
        EXPECT_EQ(one.Tabs()->count(), 1);
        EXPECT_EQ(one.Tabs()->tabText(0), "门框墙");
        one.findChild<QPushButton*>("1")->click();
    });
    EXPECT_EQ(one.exec(), QDialog::Accepted);
    G_strExePath = oldExe;
}

// The item file is what the engineer reopens: a 计算 whose results cannot be
// kept in it must say so rather than end as if all were saved.
TEST_F(Dialogs, ACalculationWhoseItemFileCannotBeSavedSaysSo) {
    kv::test::WorkFolder dir;
    dir.MakeCurrent();
    CJsBaseData data;
    data.SetFileName("&KV_0001");
    data.SetSingleEntry("&KV_0001", "_T");
    // A folder where the item file belongs: nothing can be written in its place.
    ASSERT_TRUE(kv::platform::MakeDirectories(dir / "&KV_0001.dat"));
    CalculationSteps steps;
    steps.calculate = [] {};
    steps.report = [](std::FILE* fp, CBase_SGT*) {
        if (fp) std::fputs("t\n", fp);
    };
    ASSERT_TRUE(RunCalculationRoad(data, "t", nullptr, steps));
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_EQ(messages->shown()[0].text, "不能保存文件 : " + (dir / "&KV_0001.dat"));
}

// A member whose own run may refuse its data or fail to write its report: a
// refusal shows and saves nothing and keeps the dialog; a report that could not
// be written leaves the earlier run's file, which must not be shown as this run's.
TEST_F(Dialogs, ACheckedRunShowsOnlyWhatItWrote) {
    kv::test::WorkFolder dir;
    dir.MakeCurrent();
    G_strWorkPath = dir.path();
    CJsBaseData data;
    data.SetFileName("&KV_0001");
    data.SetSingleEntry("&KV_0001", "_T");
    dir.Write(data.GetRtfFileName(0), "earlier report\n");
    dir.Write(data.GetDxfFileName(0), "");
    std::vector<std::string> drawings, reports;
    SetDiagramViewer([&](const std::string& path) { drawings.push_back(path); });
    kv::shell::ReportView view;
    view.read = [&](const std::string& path) {
        reports.push_back(path);
        return true;
    };
    kv::shell::SetReportView(view);
    struct Case {
        WrittenResults left;
        bool closes, shown, saved;
    } const cases[] = {
        {{.calculated = false, .reported = false}, false, false, false},
        {{.calculated = true, .reported = false}, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left.calculated);
        drawings.clear();
        reports.clear();
        std::remove((dir / "&KV_0001.dat").c_str());
        EXPECT_EQ(RunCheckedResultsRoad(data, "t", [&] { return c.left; }), c.closes);
        EXPECT_EQ(drawings.size(), c.shown ? 1u : 0u);
        EXPECT_TRUE(reports.empty()) << reports.front();
        EXPECT_EQ(dir.Exists("&KV_0001.dat"), c.saved);
        EXPECT_EQ(dir.Read(data.GetRtfFileName(0)), "earlier report\n");
    }
    kv::shell::SetReportView({});
    G_strWorkPath.clear();
}

}  // namespace
