#include "members/slabwall/mkqjs_tables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/message_recorder.h"

namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kMagenta = 0xFF00FF;

std::string Marked(const std::string& text) { return "\x01" "06" + text + "~"; }

class MkqResultGrids : public ::testing::Test {
protected:
    void SetUp() override {
        for (MkqSideResult& r : result.Side) {
            r.M = 915.4f, r.Qv = 1120.0f, r.SectionOk = 1, r.BendState = 1, r.AsReq = 1200.0f, r.Z = 25.0f;
        }
        peiJin.m_pData = jieGuo.m_pData = &data;
        peiJin.m_pResult = jieGuo.m_pResult = &result;
    }
    std::string Text(const CEasyTableWnd& grid, int row, int column) {
        const CETCell* cell = grid.GetCell(row, column);
        return cell ? cell->GetText() : "<none>";
    }

    CMkqJsData data;
    CMkqResult result;
    CMkqPeiJinTable peiJin;
    CMkqJieGuoTable jieGuo;
};

TEST_F(MkqResultGrids, TheFlatDoorsResultGridHasNoZRow) {
    struct Case {
        int doorType;
        std::vector<std::string> labels;
    } cases[] = {
        {0, {"", "M / V", "截面验算", "As/ρs", "实配", "As/ρs"}},
        {1, {"", "M / V", "截面验算", "Z(mm)", "As/ρs", "实配", "As/ρs"}},
    };
    for (const Case& c : cases) {
        data.DoorType = c.doorType;
        ASSERT_EQ(jieGuo.FillTable(), 1);
        EXPECT_EQ(jieGuo.m_nRowCount, static_cast<int>(c.labels.size())) << "door " << c.doorType;
        for (int row = 1; row <= static_cast<int>(c.labels.size()); ++row)
            EXPECT_EQ(Text(jieGuo, row, 1), c.labels[row - 1]) << "door " << c.doorType << " row " << row;
        EXPECT_EQ(Text(jieGuo, 1, 2), "左");
        EXPECT_EQ(Text(jieGuo, 1, 5), "下");
        EXPECT_EQ(Text(jieGuo, 2, 3), "915/1120");
    }
}

TEST_F(MkqResultGrids, FailuresAreMarkedTextsSideBySide) {
    data.DoorType = 1;
    data.Side[1].h = 500, data.Side[1].ha = 100;  // ρ on h + ha
    result.Side[0].BendState = 0;                  // 超筋
    result.Side[0].SectionOk = 0;
    result.Side[0].Z = -40.0f;
    result.Side[2].Z = -40.0f;                     // 上, 下 have no Z
    std::strcpy(result.Side[1].Bars[0], "D16@100");
    ASSERT_EQ(jieGuo.FillTable(), 1);
    const struct {
        int row, column;
        std::string text;
    } cells[] = {
        {3, 2, Marked("不满足")}, {3, 3, "满足"},
        {4, 2, Marked("-40")},    {4, 3, "25"},    {4, 4, "---"}, {4, 5, "---"},
        {5, 2, Marked("超筋")},   {5, 3, "1200/0.20"},
        {6, 2, Marked("---")},    {6, 3, "D16@100"},
        {7, 2, Marked("---")},    {7, 3, "2011/0.34"},
    };
    for (const auto& c : cells) EXPECT_EQ(Text(jieGuo, c.row, c.column), c.text) << c.row << "," << c.column;
}

TEST_F(MkqResultGrids, ASkippedFillLeavesTheGridAsItWas) {
    ASSERT_EQ(jieGuo.FillTable(), 1);
    result.Side[0].M = 1.0f;
    jieGuo.m_bSkipFill = 1;
    EXPECT_EQ(jieGuo.FillTable(), 1);
    EXPECT_EQ(Text(jieGuo, 2, 2), "915/1120");
}

TEST_F(MkqResultGrids, BarNotesWarnOfAShortAreaBeforeADenseRatio) {
    // D20@100 gives 3142 mm²/m: on h = 120 that is ρ = 2.62 %.
    data.Side[0].h = 120;
    result.Side[0].AsReq = 3000;
    data.Side[1].h = 120;
    result.Side[1].AsReq = 4000;
    result.Side[2].AsReq = 3000;  // h = 600: ρ = 0.52 %
    ASSERT_EQ(peiJin.FillTable(), 1);
    EXPECT_EQ(peiJin.m_nRowCount, 8);
    const std::string first = "    配筋面积为 3141.59mm2，配筋率为 2.62%\n";
    const struct {
        int column;
        std::string hint;
        std::uint32_t colour;
    } cases[] = {
        {2, first + "    配筋率为 2.62% > 2.50%！\n\n", kRed},
        {3, first + "    配筋面积为 3142mm2 < 计算配筋面积 4000mm2！\n\n", kMagenta},
        {4, "    配筋面积为 3141.59mm2，配筋率为 0.52%\n\n", 0},
    };
    for (const auto& c : cases) {
        const CETCell* cell = peiJin.GetCell(2, c.column);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->TiShi(), c.hint) << G_MkqSideName[c.column - 2];
        EXPECT_EQ(cell->TextColorSet() ? cell->TextColor() : 0u, c.colour) << G_MkqSideName[c.column - 2];
    }
}

TEST_F(MkqResultGrids, TiesShortOfTheShearAreaMarkBothTheirCells) {
    // d8@150 ties at 150 along the wall: 335.1 mm²/m × 1000 / 150 = 2234 mm²/m²;
    // the vertical ties of 右 at 100: 3351.
    result.Side[0].AsvReq = 2500;
    result.Side[1].AsvReq = 3000;
    result.Side[1].LaJinJianJuV = 100;
    ASSERT_EQ(peiJin.FillTable(), 1);
    const std::string area2234 = "    配筋面积为 2234mm2 ，配筋率为 0.22%\n";
    const struct {
        int row, column;
        std::string hint;
        bool marked;
    } cases[] = {
        {3, 2, area2234 + "    配筋面积为 2234mm2 < 计算配筋面积 2500mm2！\n", true},
        {5, 2, area2234 + "    配筋面积为 2234mm2 < 计算配筋面积 2500mm2！\n", true},
        {3, 3, area2234 + "    配筋面积为 2234mm2 < 计算配筋面积 3000mm2！\n", true},
        {5, 3, "    配筋面积为 3351mm2 ，配筋率为 0.34%\n", false},
    };
    for (const auto& c : cases) {
        for (int row : {c.row, c.row + 1}) {  // the bars and their spacing
            const CETCell* cell = peiJin.GetCell(row, c.column);
            EXPECT_EQ(cell->TiShi(), c.hint) << row << "," << c.column;
            EXPECT_EQ(cell->TextColorSet() ? cell->TextColor() : 0u, c.marked ? kMagenta : 0u) << row << "," << c.column;
        }
    }
    const CETCell* spacing = peiJin.GetCell(4, 2);
    EXPECT_EQ(spacing->GetText(), "150");
    EXPECT_EQ(spacing->SelectList().size(), 24u);
    EXPECT_EQ(spacing->LimitMin(), 70);
    EXPECT_EQ(spacing->LimitMax(), 300);
}

TEST_F(MkqResultGrids, EditingASpacingChangesTheRecordAndAsksTheOwnerToRefill) {
    struct Owner : TableHost {
        std::vector<int> messages;
        void TableRebuilt() override {}
        void StartEdit(int, int) override {}
        void SendToOwner(int message, std::uintptr_t, std::intptr_t) override { messages.push_back(message); }
        void GridGone() override {}
    } owner;
    kv::test::MessageRecorder messages;
    peiJin.SetHost(&owner);
    ASSERT_EQ(peiJin.FillTable(), 1);
    EXPECT_EQ(peiJin.EditText(6, 3, "200"), 1);
    EXPECT_EQ(result.Side[1].LaJinJianJuV, 200.0f);
    EXPECT_EQ(peiJin.EditText(6, 3, "400"), 0) << "beyond 300";
    EXPECT_EQ(owner.messages, (std::vector<int>{kTableRedraw, kTableRefill}));
    peiJin.SetHost(nullptr);
}

}  // namespace
