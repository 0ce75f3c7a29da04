#include "widgets/guifantable.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/edition_guard.h"
#include "platform/services.h"

namespace {

using kv::test::EditionGuard;

struct Materials {
    int con = 30;
    int zongJin = 2;
    int guJin = 1;
    int dia[3] = {12, 32, 14};
    std::string bars = "D20@100";
    char ties[100] = "d8@150";
};

class MaterialGrid : public CGuiFanEasyTableWnd {
public:
    Materials* m = nullptr;
    int FillTable() override {
        ClearEasyTable();
        AddReact(5, kTableRedraw, 0, 0);
        Add_HunNingTu_JieBie(1, 2, &m->con);
        Add_ZongJin_JiBie(2, 2, &m->zongJin, 0, 0);
        Add_GuJin_JieBie(3, 2, &m->guJin);
        Add_GangJin_ZhiJin(4, 2, &m->dia[0], m->zongJin)->SetLimit(0, m->dia[2]);
        Add_GangJin_ZhiJin(4, 3, &m->dia[1], 1);
        Add_GangJin_ZhiJin(4, 4, &m->dia[2], 4);
        Add_GangJin_String(5, 2, &m->bars, 1, m->zongJin, 1);
        Add_GangJin_String(6, 2, m->ties, 2, m->guJin, 1);
        m_nRowCount = 6;
        return 1;
    }
};

struct CountingHost : TableHost {
    int sent = 0;
    void TableRebuilt() override {}
    void StartEdit(int, int) override {}
    void SendToOwner(int, std::uintptr_t, std::intptr_t) override { ++sent; }
    void GridGone() override {}
};

class CodeCells : public ::testing::Test {
protected:
    void SetUp() override {
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        messages = scripted.get();
        kept = kv::platform::InstallMessageService(std::move(scripted));
        grid.m = &m;
        grid.SetHost(&host);
    }
    void TearDown() override {
        grid.SetHost(nullptr);
        kv::platform::InstallMessageService(std::move(kept));
    }
    Materials m;
    MaterialGrid grid;
    CountingHost host;
    kv::platform::ScriptedMessageService* messages = nullptr;
    std::unique_ptr<kv::platform::MessageService> kept;
};

TEST_F(CodeCells, GradeCellsListTheGradesOfTheEditionInForce) {
    using V = std::vector<std::string>;
    struct Case { int edition; V concrete; V longitudinal; V ties; };
    const Case cases[] = {
        {2002,
         {"C15", "C20", "C25", "C30", "C35", "C40", "C45", "C50", "C55", "C60", "C65", "C70", "C75", "C80"},
         {"HPB235", "HRB335", "HRB400", "RRB400"},
         {"HPB235", "HRB335", "HRB400"}},
        {2010,
         {"C15", "C20", "C25", "C30", "C35", "C40", "C45", "C50", "C55", "C60", "C65", "C70", "C75", "C80"},
         {"HRB400", "HRBF400", "HRB500", "HRBF500", "*HPB300", "*HRB335", "*HRBF335", "*RRB400"},
         {"HPB300", "HRB335", "HRBF335", "HRB400", "HRBF400", "HRB500", "HRBF500"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edition);
        EditionGuard edition(c.edition);
        grid.UpdateTable();
        EXPECT_EQ(grid.GetCell(1, 2)->Choices(), c.concrete);
        EXPECT_EQ(grid.GetCell(2, 2)->Choices(), c.longitudinal);
        EXPECT_EQ(grid.GetCell(3, 2)->Choices(), c.ties);
        EXPECT_EQ(grid.GetCell(1, 2)->GetText(), "C30");
    }
}

TEST_F(CodeCells, AChosenGradeStoresItsGradeCode) {
    EditionGuard edition(2010);
    grid.UpdateTable();
    struct Case { int row; const char* chosen; int* field; int code; };
    const Case cases[] = {
        {1, "C35", &m.con, 35}, {2, "HRB500", &m.zongJin, 5}, {2, "*HRB335", &m.zongJin, 2},
        {2, "*RRB400", &m.zongJin, 4}, {3, "HRBF400", &m.guJin, 7}, {3, "HPB300", &m.guJin, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        ASSERT_EQ(grid.EditText(c.row, 2, c.chosen), 1);
        EXPECT_EQ(*c.field, c.code);
        EXPECT_EQ(grid.GetCell(c.row, 2)->GetText(), c.chosen);
    }
    EXPECT_EQ(host.sent, 6);
}

TEST_F(CodeCells, DiameterCellsOfferTheStandardDiametersOfTheGrade) {
    EditionGuard edition(2002);
    grid.UpdateTable();
    EXPECT_EQ(grid.GetCell(4, 3)->Choices(),
              (std::vector<std::string>{"6", "8", "10", "12", "14", "16", "20"}));
    EXPECT_EQ(grid.GetCell(4, 2)->Choices().size(), 15u);
    EXPECT_EQ(grid.GetCell(4, 4)->Choices().size(), 13u);
    EXPECT_EQ(grid.GetCell(4, 2)->GetText(), "12");
    ASSERT_EQ(grid.EditText(4, 2, "10"), 1);
    EXPECT_EQ(m.dia[0], 10);
    // The minimum may not pass the best value.
    EXPECT_EQ(grid.EditText(4, 2, "16"), 0);
    EXPECT_EQ(m.dia[0], 10);
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_EQ(messages->shown()[0].text, "请输入一个 0 到 14 之间的整数。");
}

TEST_F(CodeCells, ABarTextIsStoredAsTheBarSetPrintsItWithItsAreaAsTheHint) {
    EditionGuard edition(2010);
    m.zongJin = 3;
    grid.UpdateTable();
    // pi/4 * 20^2 * 1000 / 100 = 3141.6 mm2/m
    EXPECT_EQ(grid.GetCell(5, 2)->TiShi(), "配筋面积为 3142mm2/m");
    struct Case { const char* typed; const char* stored; const char* hint; };
    const Case cases[] = {
        {"d16@200", "D16@200", "配筋面积为 1005mm2/m"},  // 201.06 * 5
        {"4D20", "4D20", "配筋面积为 1257mm2"},           // 4 * 314.16
        {" D20/16 @ 200 ", "D20/16@200", "配筋面积为 1288mm2/m"},  // (314.16 + 201.06) / 2 * 5
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_EQ(grid.EditText(5, 2, c.typed), 1);
        EXPECT_EQ(m.bars, c.stored);
        EXPECT_EQ(grid.GetCell(5, 2)->TiShi(), c.hint);
    }
    EXPECT_TRUE(messages->shown().empty());
}

TEST_F(CodeCells, TextsThatAreNoBarSetAreRefused) {
    EditionGuard edition(2010);
    grid.UpdateTable();
    for (const char* typed : {"abc", "D16@", "@200"}) {
        SCOPED_TRACE(typed);
        EXPECT_EQ(grid.EditText(5, 2, typed), 0);
        EXPECT_EQ(m.bars, "D20@100");
    }
    EXPECT_EQ(messages->shown().size(), 3u);
    EXPECT_EQ(host.sent, 0);
}

TEST_F(CodeCells, TieTextsInACharacterFieldKeepTheTieGrade) {
    EditionGuard edition(2010);
    grid.UpdateTable();
    // pi/4 * 8^2 * 1000 / 150 = 335.1
    EXPECT_EQ(grid.GetCell(6, 2)->TiShi(), "配筋面积为 335mm2/m");
    ASSERT_EQ(grid.EditText(6, 2, "D10@200"), 1);
    EXPECT_STREQ(m.ties, "d10@200");  // grade 1 is the plain round bar
    EXPECT_EQ(grid.GetCell(6, 2)->TiShi(), "配筋面积为 393mm2/m");
}

TEST_F(CodeCells, AHintTheFillChoseStaysUntilTheNextFill) {
    struct Own : CGuiFanEasyTableWnd {
        std::string bars = "D20@100";
        int FillTable() override {
            ClearEasyTable();
            Add_GangJin_String(1, 1, &bars, 1, 3)->SetTiShi("own");
            return 1;
        }
    } own;
    own.FillTable();
    ASSERT_EQ(own.EditText(1, 1, "D12@100"), 1);
    EXPECT_EQ(own.GetCell(1, 1)->TiShi(), "own");
}

}  // namespace

namespace {

// A bar text that does not fit its character field would be cut into another bar set.
TEST_F(CodeCells, ABarTextTooLongForItsFieldIsRefused) {
    EditionGuard edition(2010);
    struct Short : CGuiFanEasyTableWnd {
        char bars[8] = "D12@200";
        int FillTable() override {
            ClearEasyTable();
            Add_GangJin_String(1, 1, bars, 1, 3);
            return 1;
        }
    } small;
    small.FillTable();
    EXPECT_EQ(small.EditText(1, 1, "D20/16@200"), 0);
    EXPECT_STREQ(small.bars, "D12@200");
    EXPECT_EQ(messages->shown().size(), 1u);
    ASSERT_EQ(small.EditText(1, 1, "d16@150"), 1);  // seven bytes: fits
    EXPECT_STREQ(small.bars, "D16@150");
}

}  // namespace
