#include "widgets/easytable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/services.h"
#include "report/rtf.h"
#include "support/temp_folder.h"

namespace {

struct Record {
    float width = 6000;
    int kind = 0;
    int segments = 10;
    int symmetric = 1;
    float factor = 1.0f;
    float drawLoads = 1.0f;
    std::string note = "abc";
    char shortText[6] = "ab";
};

// Records every message a grid sends, and what AfterDataChange saw before it.
struct Owner : TableHost {
    std::vector<std::string> log;
    int rebuilt = 0;
    CEasyTableWnd* refillOn1601 = nullptr;
    void TableRebuilt() override { ++rebuilt; }
    void StartEdit(int, int) override {}
    void SendToOwner(int message, std::uintptr_t wParam, std::intptr_t lParam) override {
        log.push_back("msg " + std::to_string(message) + " " + std::to_string(wParam & 0xFFFF) + "," +
                      std::to_string(wParam >> 16) + " " + std::to_string(lParam));
        if (message == kTableRefill && refillOn1601) refillOn1601->UpdateTable();
    }
    void GridGone() override {}
};

class RecordGrid : public CEasyTableWnd {
public:
    Record* data = nullptr;
    std::vector<std::string>* log = nullptr;

    int FillTable() override {
        m_nPos = 0;
        ClearEasyTable();
        int lie[] = {0, 170, 100, -1};
        LieWid2LiePos(lie);
        IniEasyTable(10, 0, lie);
        AddReact(5, kTableRedraw, 0, 0);
        AddReact(5, kTableRefill, 0, 0);
        AddText(1, 1, "净宽(mm)");
        AddFloat(1, 2, &data->width, "%.0f")->SetLimit(1, 1000000);
        static const char* kinds[] = {"直墙拱(无底板)", "直墙拱(有底板)", "直墙拱(有仰拱)", "曲墙拱"};
        AddText(2, 1, "衬砌断面类型");
        AddInt(2, 2, &data->kind, 4, kinds);
        AddText(3, 1, "计算分段数");
        AddInt(3, 2, &data->segments)->SetLimit(2, 100);
        AddText(4, 1, "对称配筋");
        AddCheck(4, 2, &data->symmetric);
        AddText(5, 1, "配筋调整系数");
        CETCell* f = AddFloat(5, 2, &data->factor, "%.2f");
        f->SetSelectList("0.5, 0.6, 1.0,   ");
        f->SetTiShi("选筋面积 = 计算配筋面积 * 配筋调整系数");
        static const char* draw[] = {"0 不绘制", "1 绘制"};
        AddFloat(6, 2, &data->drawLoads, "%.0f", 2, draw);
        AddTextField(7, 2, &data->note);
        AddTextField(8, 2, data->shortText, sizeof data->shortText);
        // A row that exists only for kind 3, as the fills leave rows out.
        if (data->kind == 3) AddFloat(9, 2, &data->width, "%.1f")->SetState(0);
        m_nRowCount = data->kind == 3 ? 9 : 8;
        return 1;
    }
    void AfterDataChange(int row, int column) override {
        if (log) log->push_back("after " + std::to_string(row) + "," + std::to_string(column));
    }
};

class Grid : public ::testing::Test {
protected:
    void SetUp() override {
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        messages = scripted.get();
        kept = kv::platform::InstallMessageService(std::move(scripted));
        grid.data = &data;
        grid.log = &owner.log;
        grid.SetHost(&owner);
        grid.UpdateTable();
    }
    void TearDown() override {
        grid.SetHost(nullptr);
        kv::platform::InstallMessageService(std::move(kept));
    }
    std::string Lp() const { return std::to_string(reinterpret_cast<std::intptr_t>(&grid)); }

    Record data;
    Owner owner;
    RecordGrid grid;
    kv::platform::ScriptedMessageService* messages = nullptr;
    std::unique_ptr<kv::platform::MessageService> kept;
};

TEST_F(Grid, TypedValuesReachTheirFieldsAndShowInTheCellsFormat) {
    struct Case { int row; const char* typed; const char* shown; };
    const Case cases[] = {
        {1, " 2500.6 ", "2501"}, {3, "20", "20"}, {4, "0", ""}, {5, "1.25", "1.25"},
        {2, "曲墙拱", "曲墙拱"}, {7, "D16@200", "D16@200"}, {6, "1 绘制", "1 绘制"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(grid.EditText(c.row, 2, c.typed), 1);
        EXPECT_EQ(grid.GetCell(c.row, 2)->GetText(), c.shown);
    }
    EXPECT_FLOAT_EQ(data.width, 2500.6f);
    EXPECT_EQ(data.segments, 20);
    EXPECT_EQ(data.symmetric, 0);
    EXPECT_FLOAT_EQ(data.factor, 1.25f);
    EXPECT_EQ(data.kind, 3);
    EXPECT_EQ(data.note, "D16@200");
    EXPECT_FLOAT_EQ(data.drawLoads, 1.0f);
    EXPECT_TRUE(messages->shown().empty());

    // The cells read their fields, so a change made elsewhere shows after a re-fill.
    data.width = 7200;
    data.kind = 1;
    grid.UpdateTable();
    EXPECT_EQ(grid.GetCell(1, 2)->GetText(), "7200");
    EXPECT_EQ(grid.GetCell(2, 2)->GetText(), "直墙拱(有底板)");
    EXPECT_EQ(grid.GetCell(2, 2)->ChoiceIndex(), 1);
}

TEST_F(Grid, ValuesOutsideTheLimitsAreRefusedWithTheRangeMessage) {
    struct Case { int row; const char* typed; const char* message; };
    const Case cases[] = {
        {1, "0", "请输入一个 1 到 1e+06 之间的数。"},
        {1, "12a", "请输入一个 1 到 1e+06 之间的数。"},
        {3, "101", "请输入一个 2 到 100 之间的整数。"},
        {3, "2.5", "请输入一个 2 到 100 之间的整数。"},
        {5, "x", "请输入一个数。"},
        {5, "", "请输入一个数。"},
        {5, "1e300", "请输入一个数。"},  // beyond what a float holds
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::size_t before = messages->shown().size();
        EXPECT_EQ(grid.EditText(c.row, 2, c.typed), 0);
        ASSERT_EQ(messages->shown().size(), before + 1);
        EXPECT_EQ(messages->shown().back().text, c.message);
    }
    EXPECT_FLOAT_EQ(data.width, 6000);
    EXPECT_EQ(data.segments, 10);
    EXPECT_FLOAT_EQ(data.factor, 1.0f);
    EXPECT_TRUE(owner.log.empty()) << "a refused edit neither runs AfterDataChange nor notifies";
}

TEST_F(Grid, AnEditIsStoredThenAfterDataChangeThenTheMessagesInOrder) {
    ASSERT_EQ(grid.EditText(3, 2, "12"), 1);
    const std::vector<std::string> expected = {
        "after 3,2",
        "msg " + std::to_string(kTableRedraw) + " 3,2 " + Lp(),
        "msg " + std::to_string(kTableRefill) + " 3,2 " + Lp(),
    };
    EXPECT_EQ(owner.log, expected);
}

TEST_F(Grid, AnOwnerMayRefillTheGridFromItsMessage) {
    owner.refillOn1601 = &grid;
    ASSERT_EQ(grid.ChooseItem(2, 2, 3), 1);
    EXPECT_EQ(data.kind, 3);
    // The re-fill made the row that kind 3 adds.
    EXPECT_EQ(grid.RowCount(), 9);
    ASSERT_NE(grid.GetCell(9, 2), nullptr);
    EXPECT_EQ(owner.log.size(), 3u);
}

TEST_F(Grid, ReadOnlyCellsAndLabelsTakeNoEdits) {
    data.kind = 3;
    grid.UpdateTable();
    EXPECT_EQ(grid.EditText(9, 2, "1"), 0);
    EXPECT_EQ(grid.EditText(1, 1, "x"), 0);
    EXPECT_EQ(grid.EditText(7, 1, "x"), 0) << "no cell there";
    EXPECT_FLOAT_EQ(data.width, 6000);
    EXPECT_TRUE(owner.log.empty());
}

TEST_F(Grid, ListCellsStoreTheIndexOrTheValueAndCheckTheirLimits) {
    struct Values : CEasyTableWnd {
        int diameter = 14;
        int FillTable() override {
            ClearEasyTable();
            static const char* texts[] = {"12", "14", "16"};
            static const int values[] = {12, 14, 16};
            AddInt(1, 1, &diameter, 3, texts, values)->SetLimit(0, 14);
            return 1;
        }
    } grid2;
    grid2.FillTable();
    EXPECT_EQ(grid2.GetCell(1, 1)->ChoiceIndex(), 1);
    EXPECT_EQ(grid2.ChooseItem(1, 1, 0), 1);
    EXPECT_EQ(grid2.diameter, 12);
    EXPECT_EQ(grid2.ChooseItem(1, 1, 2), 0);
    EXPECT_EQ(grid2.diameter, 12);
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_EQ(messages->shown()[0].text, "请输入一个 0 到 14 之间的整数。");
    EXPECT_EQ(grid2.ChooseItem(1, 1, 3), 0) << "no such entry";
    // A value outside the list shows as the number.
    grid2.diameter = 13;
    EXPECT_EQ(grid2.GetCell(1, 1)->GetText(), "13");
}

TEST_F(Grid, AFloatFormatThatWouldReadMissingArgumentsFallsBackToPlainNumbers) {
    float v = 2.5f;
    struct Case { const char* format; const char* shown; };
    const Case cases[] = {{"%.2f", "2.50"}, {"%6.1f%%", "   2.5%"}, {"%s", "2.5"}, {"%.1f/%.1f", "2.5"},
                          {"%d", "2.5"}, {"text", "2.5"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(grid.AddFloat(20, 2, &v, c.format)->GetText(), c.shown);
    }
}

TEST_F(Grid, AShortTextFieldIsCutAtACharacterBoundary) {
    ASSERT_EQ(grid.EditText(8, 2, "钢筋abc"), 1);
    EXPECT_STREQ(data.shortText, "钢");
    ASSERT_EQ(grid.EditText(8, 2, "abcdefgh"), 1);
    EXPECT_STREQ(data.shortText, "abcde");
}

TEST_F(Grid, ButtonsAndSelectionReportToTheOwner) {
    struct WithButton : CEasyTableWnd {
        float rise = 2000;
        int FillTable() override {
            ClearEasyTable();
            AddFloat(4, 2, &rise, "%.0f")->SetButton(1, 2);
            AddFloat(5, 2, &rise, "%.0f");
            return 1;
        }
    } g;
    g.SetHost(&owner);
    g.UpdateTable();
    const std::string lp = std::to_string(reinterpret_cast<std::intptr_t>(&g));
    EXPECT_EQ(g.PressButton(4, 2), 1);
    EXPECT_EQ(g.PressButton(5, 2), 0) << "a cell without a button";
    g.SelectCell(5, 2);
    EXPECT_EQ(g.GetCurRow(), 5);
    EXPECT_EQ(g.GetCurCol(), 2);
    const std::vector<std::string> expected = {
        "msg " + std::to_string(kTableCellButton) + " 4,2 2",
        "msg " + std::to_string(kTableCellSelected) + " 5,2 " + lp,
    };
    EXPECT_EQ(owner.log, expected);
    g.SetHost(nullptr);
}

TEST_F(Grid, ColumnsComeFromWidthsOrPositions) {
    int widths[] = {0, 20, 100, 30, 35, -1};
    CEasyTableWnd::LieWid2LiePos(widths);
    const int positions[] = {0, 20, 120, 150, 185, -1};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(widths[k], positions[k]);
    EXPECT_EQ(grid.ColumnWidths(), (std::vector<int>{170, 100}));

    CEasyTableWnd titled;
    const int pos[] = {0, 120, 180, 240, 300, -1};
    const char* titles[] = {"钢筋取值范围", "最小值", "最大值", "最优值"};
    titled.IniEasyTable(2, 0, pos, titles);
    EXPECT_EQ(titled.ColumnWidths(), (std::vector<int>{120, 60, 60, 60}));
    EXPECT_EQ(titled.Titles().size(), 4u);
}

TEST_F(Grid, TheReportTableHoldsTheShownTextsAndChosenColours) {
    grid.GetCell(1, 2)->SetTextColor(kv::report::WinRGB(255, 0, 0));
    grid.AddText(9, 1, "\x01" "06不满足~");
    grid.AddText(9, 2, "A`s~/ρ`s~");
    const kv::report::ReportTable t = grid.GetReportTable();
    EXPECT_EQ(t.columnWidths, (std::vector<int>{170, 100}));
    ASSERT_EQ(t.rows.size(), 9u);
    EXPECT_EQ(t.rows[0][0].text, "净宽(mm)");
    EXPECT_EQ(t.rows[0][1].text, "6000");
    EXPECT_EQ(t.rows[0][1].textColour, kv::report::WinRGB(255, 0, 0));
    EXPECT_FALSE(t.rows[0][0].fillColour) << "a label's own shade stays out of the report";
    EXPECT_EQ(t.rows[1][1].text, "直墙拱(无底板)");
    EXPECT_EQ(t.rows[3][1].text, "是");
    EXPECT_EQ(t.rows[8][0].text, "\x01" "06不满足\x01" "01");
    EXPECT_EQ(t.rows[8][1].text, "A`s~/ρ`s~");
}

TEST(GridText, MarksAreDroppedForDisplay) {
    struct Case { const char* text; const char* plain; int colour; };
    const Case cases[] = {
        {"\x01" "06不满足~", "不满足", 6},
        {"\x01" "06" "512/2.60" "\x01" "01" "(1,20,30)", "512/2.60(1,20,30)", 6},
        {"A`s~/ρ`s~", "As/ρs", 0},
        {"a~b", "a~b", 0},
    };
    for (const auto& c : cases) {
        int colour = -1;
        EXPECT_EQ(GridTextPlain(c.text, colour), c.plain);
        EXPECT_EQ(colour, c.colour);
    }
}

TEST(GridReport, InsertTableFillsTheGridAndWritesIt) {
    Record data;
    RecordGrid grid;
    grid.data = &data;
    grid.m_nReportMode = 1;
    kv::report::CRTF rtf;
    kv::test::TempFolder dir;
    ASSERT_NE(rtf.Open((dir / "grid_report.rtf").c_str()), 0);
    EXPECT_EQ(InsertTable(rtf, grid, 4, 50, 0, 0, 1), 1);
    EXPECT_EQ(grid.RowCount(), 8);
    ASSERT_NE(rtf.Close(), 0);
    const std::string text = dir.Read("grid_report.rtf");
    EXPECT_NE(text.find("6000"), std::string::npos);
    EXPECT_NE(text.find("\\row"), std::string::npos);
}

}  // namespace

namespace {

// Cells dressed as labels (their colours taken from a label) print as labels do.
TEST_F(Grid, ACellGivenALabelsColoursPrintsWithoutAFill) {
    CETCell* name = grid.AddText(9, 2, "顶部围岩压力");
    name->SetBkColor(grid.GetHangLieBkColor(1, 1));
    name->SetTextColor(grid.GetHangLieTextColor(1, 1));
    grid.GetCell(1, 2)->SetBkColor(kv::report::WinRGB(180, 255, 180));
    const kv::report::ReportTable t = grid.GetReportTable();
    ASSERT_EQ(t.rows.size(), 9u);
    EXPECT_FALSE(t.rows[8][1].fillColour);
    EXPECT_EQ(t.rows[0][1].fillColour, kv::report::WinRGB(180, 255, 180));
}

}  // namespace

namespace {

// A width list that is only its end mark has nothing to add up; nothing after it is touched.
TEST(GridColumns, AnEmptyWidthListIsLeftAlone) {
    int widths[] = {-1, 50, -1};
    CEasyTableWnd::LieWid2LiePos(widths);
    EXPECT_EQ(widths[1], 50);
}

}  // namespace

namespace {

// A text cell with no field behind it stores nothing and must not say it did.
TEST(GridFields, ATextCellWithoutAFieldRefusesEdits) {
    struct NoField : CEasyTableWnd {
        char none[1] = "";
        int FillTable() override {
            ClearEasyTable();
            AddTextField(1, 1, static_cast<std::string*>(nullptr));
            AddTextField(1, 2, none, 0);
            return 1;
        }
    } grid;
    grid.FillTable();
    EXPECT_EQ(grid.EditText(1, 1, "abc"), 0);
    EXPECT_EQ(grid.EditText(1, 2, "abc"), 0);
}

}  // namespace
