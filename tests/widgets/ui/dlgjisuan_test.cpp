// The calculation host over a small module of the test's own: its pages, its
// 计算 road, its diagram list and how it ends.
#include "widgets/ui/dlgjisuan.h"

#include "base/jsdata.h"
#include "drawing/base_sgt.h"
#include "support/qt_app.h"
#include "support/work_folder.h"
#include "widgets/easytable.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;  // what the pages and the calculation were asked, in order

class FakeData : public CJsDataBase {
public:
    FakeData() {
        m_strStem = "t";
        m_strDataName = "FAKE";
        m_strTitle = "试算";
        m_nJtNum = 2;
        SetJt(0, "弯矩图", "", "");
        SetJt(1, "配筋图", "", "");
    }
    using CJsDataBase::LoadData;
    using CJsDataBase::SaveData;
    int LoadData(const char* path) override {
        std::FILE* fp = std::fopen(path, "r");
        if (!fp) return 0;
        const int n = std::fscanf(fp, "FAKE %f %f %f", &scale[0], &scale[1], &scale[2]);
        std::fclose(fp);
        return n == 3;
    }
    int SaveData(const char* path) override {
        std::FILE* fp = std::fopen(path, "w");
        if (!fp) return 0;
        std::fprintf(fp, "FAKE %g %g %g\n", scale[0], scale[1], scale[2]);
        std::fclose(fp);
        return 1;
    }
    float scale[3] = {10, 20, 30};  // [1 + k] diagram k
};

class FakeResult : public CJsResultBase {
public:
    int SaveData(const char* path) override {
        std::FILE* fp = std::fopen(path, "w");
        if (!fp) return 0;
        std::fputs("RES\n", fp);
        std::fclose(fp);
        return 1;
    }
};

class FakeCalc : public CJiSuanBase {
public:
    int CheckData() override { return 1; }
    int JiSuan() override {
        g_log.push_back("JiSuan");
        return works;
    }
    int DrawResult(int k, CBase_SGT* drawing, int) override {
        const float s = static_cast<FakeData*>(m_pData)->scale[1 + k];
        drawn.push_back({k, s});
        drawing->Write_Line(0, 0, 1000 / s, 0);
        return 1;
    }
    int WriteJss(int, kv::report::CRTF*) override { return 1; }
    int WritePrompt() override { return 1; }
    int works = 1;
    std::vector<std::pair<int, float>> drawn;
};

class FakePage : public CDlgBase {
public:
    FakePage(std::string name, FakeData* data, FakeCalc* calc) : name_(std::move(name)), data_(data), calc_(calc) {}
    CJsDataBase* GetJsDataBase() override { return data_; }
    CJsResultBase* GetJsResultBase() override { return calc_->m_pResult; }
    CJiSuanBase* GetJiSuanBase() override { return calc_; }
    int RefreshDlg() override { return Log("RefreshDlg"); }
    int LoadPrompt(int clear) override { return Log("LoadPrompt(" + std::to_string(clear) + ")"); }
    int AfterJisuan() override { return Log("AfterJisuan"); }

private:
    int Log(const std::string& what) {
        g_log.push_back(name_ + " " + what);
        return 1;
    }
    std::string name_;
    FakeData* data_;
    FakeCalc* calc_;
};

struct Module {
    Module() {
        g_log.clear();
        calc.m_pData = &data;
        calc.m_pResult = &result;
        result.m_pData = &data;
        host.AddPage(&input, "输入");
        host.AddPage(&rebar, "配筋");
        host.AddPage(&diagram, "简图");
    }
    bool app = (kv::test::EnsureQtApp(), true);  // before the widgets
    kv::test::WorkFolder work;
    FakeData data;
    FakeResult result;
    FakeCalc calc;
    FakePage input{"input", &data, &calc}, rebar{"rebar", &data, &calc}, diagram{"diagram", &data, &calc};
    CDlgJiSuan host;
};

}  // namespace

TEST(CPageRegister, RefusesAPageBeyondItsSize) {
    kv::test::EnsureQtApp();
    CPageRegister pages;
    std::vector<std::unique_ptr<QWidget>> made;
    for (int k = 0; k < CPageRegister::kMaxPages; ++k) {
        made.push_back(std::make_unique<QWidget>());
        ASSERT_TRUE(pages.Add(made.back().get(), "页" + std::to_string(k)));
    }
    QWidget extra;
    EXPECT_FALSE(pages.Add(&extra, "多余"));
    EXPECT_FALSE(CPageRegister().Add(nullptr, "空"));
    EXPECT_EQ(pages.Count(), CPageRegister::kMaxPages);
    EXPECT_EQ(pages.Page(29), made.back().get());
}

TEST(CPageRegister, CutsALongNameOnAWholeCharacter) {
    kv::test::EnsureQtApp();
    std::string chinese, mixed = "a", ascii(60, 'x');
    for (int k = 0; k < 30; ++k) chinese += "门";
    for (int k = 0; k < 30; ++k) mixed += "框";
    const struct {
        std::string name, kept;
    } cases[] = {
        {"基本信息", "基本信息"},
        {chinese, chinese.substr(0, 24 * 3)},  // 24 characters take 48 bytes; a 25th would split
        {mixed, mixed.substr(0, 1 + 24 * 3)},  // 1 + 48 bytes: exactly full
        {ascii, ascii.substr(0, CPageRegister::kMaxNameBytes)},
    };
    for (const auto& c : cases) {
        CPageRegister pages;
        QWidget page;
        ASSERT_TRUE(pages.Add(&page, c.name));
        EXPECT_EQ(pages.Name(0), c.kept) << c.name;
    }
}

TEST(CDlgJiSuan, ShowsThePagesAsTabsInTheirOrderAndRefusesAnExtraOne) {
    Module m;
    std::vector<std::unique_ptr<FakePage>> more;
    for (int k = 3; k < CPageRegister::kMaxPages; ++k) {
        more.push_back(std::make_unique<FakePage>("p", &m.data, &m.calc));
        ASSERT_TRUE(m.host.AddPage(more.back().get(), "页"));
    }
    FakePage extra("extra", &m.data, &m.calc);
    EXPECT_FALSE(m.host.AddPage(&extra, "多余"));
    m.host.Open();
    ASSERT_EQ(m.host.Tabs()->count(), CPageRegister::kMaxPages);
    EXPECT_EQ(m.host.Tabs()->tabText(0), "输入");
    EXPECT_EQ(m.host.Tabs()->tabText(1), "配筋");
    EXPECT_EQ(m.host.Tabs()->widget(2), &m.diagram);
    EXPECT_EQ(m.host.windowTitle(), "试算");
    m.host.Finish(CDlgJiSuan::kCancel);
}

TEST(CDlgJiSuan, ReadsTheDataFileOnOpeningAndWritesItOnEveryEnding) {
    const struct {
        const char* how;
        int expected;
    } endings[] = {{"返回", CDlgJiSuan::kOk}, {"Esc", CDlgJiSuan::kCancel}, {"close", CDlgJiSuan::kCancel}};
    for (const auto& e : endings) {
        Module m;
        m.work.Write("t_FAKE.DAT", "FAKE 1 2 3\n");
        m.host.Open();
        EXPECT_EQ(m.data.scale[2], 3.0f) << e.how;
        m.data.scale[2] = 7;
        const std::string how = e.how;
        if (how == "返回")
            m.host.findChild<QPushButton*>("back")->click();
        else if (how == "Esc")
            QTest::keyClick(&m.host, Qt::Key_Escape);
        else
            m.host.close();
        EXPECT_EQ(m.host.Finish(CDlgJiSuan::kOk), e.expected) << e.how;  // already ended: stays
        EXPECT_EQ(m.work.Read("t_FAKE.DAT"), "FAKE 1 2 7\n") << e.how;
    }
}

TEST(CDlgJiSuan, EnterOnTheHostEndsNothing) {
    Module m;
    m.host.Open();
    QTest::keyClick(&m.host, Qt::Key_Return);
    EXPECT_TRUE(m.host.isVisible());
    m.host.Finish(CDlgJiSuan::kCancel);
}

TEST(CDlgJiSuan, JiSuanRunsTheRoadThenEveryPagesSummaryAndRefresh) {
    Module m;
    m.work.Write("t_FAKE.DAT", "FAKE 1 2 3\n");
    m.host.Open();
    m.data.scale[0] = 5;  // changed on a page: the road must not read it back from the older file
    g_log.clear();
    m.host.findChild<QPushButton*>("jisuan")->click();
    EXPECT_EQ(m.data.scale[0], 5.0f);
    const std::vector<std::string> expected = {
        "JiSuan",
        "input LoadPrompt(0)", "rebar LoadPrompt(0)", "diagram LoadPrompt(0)",
        "input AfterJisuan", "rebar AfterJisuan", "diagram AfterJisuan",
        "input RefreshDlg", "rebar RefreshDlg", "diagram RefreshDlg",
    };
    EXPECT_EQ(g_log, expected);
    EXPECT_TRUE(m.work.Exists("t_FAKE.RES"));
    EXPECT_TRUE(m.work.Exists("t_FAKE_0.DXF"));
    EXPECT_TRUE(m.work.Exists("t_FAKE_1.DXF"));

    // A failed calculation empties the summary and is not followed up.
    m.calc.works = 0;
    g_log.clear();
    m.host.findChild<QPushButton*>("jisuan")->click();
    const std::vector<std::string> failed = {
        "JiSuan", "input LoadPrompt(1)", "rebar LoadPrompt(1)", "diagram LoadPrompt(1)",
        "input RefreshDlg", "rebar RefreshDlg", "diagram RefreshDlg",
    };
    EXPECT_EQ(g_log, failed);
    m.host.Finish(CDlgJiSuan::kCancel);
}

TEST(CDlgJiSuan, APagesRedrawMessageDrawsTheSelectedDiagramAtItsScale) {
    Module m;
    m.host.Open();
    ASSERT_EQ(m.host.DiagramList()->count(), 2);
    EXPECT_EQ(m.host.DiagramList()->item(1)->text(), "配筋图");
    m.host.SelectDiagram(1);
    m.calc.drawn.clear();
    m.data.scale[2] = 100;
    m.diagram.SendToOwner(kTableRedraw);
    ASSERT_EQ(m.calc.drawn.size(), 1u);
    EXPECT_EQ(m.calc.drawn[0], std::make_pair(1, 100.0f));
    ASSERT_NE(m.host.DiagramDrawing(), nullptr);
    m.data.scale[2] = 50;  // other messages leave the drawing alone
    m.diagram.SendToOwner(kTableRefill);
    EXPECT_EQ(m.calc.drawn.size(), 1u);
    m.host.Finish(CDlgJiSuan::kCancel);
}
