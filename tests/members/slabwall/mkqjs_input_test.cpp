#include "members/slabwall/mkqjs_input.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "base/globals.h"
#include "members/slabwall/mkqjs_data.h"
#include "report/rtf.h"
#include "support/edition_guard.h"
#include "support/message_recorder.h"
#include "support/work_folder.h"

namespace {

// The label texts of a grid's first column, in row order.
std::string Labels(const CEasyTableWnd& grid) {
    std::string all;
    for (int r = 1; r <= grid.RowCount(); ++r)
        if (const CETCell* c = grid.GetCell(r, 1)) all += c->GetText() + "|";
    return all;
}

TEST(MkqDoorGrid, TheArchedDoorGivesTheSeatsChamfersAndTakesTheLoadsOffTopAndBottom) {
    CMkqJsData d;
    CMkqMenDongTable grid;
    grid.m_pData = &d;
    grid.FillTable();
    ASSERT_EQ(grid.ChooseItem(1, 2, 1), 1);
    ASSERT_EQ(d.DoorType, 1);
    for (int s : {0, 1}) {
        SCOPED_TRACE(s);
        EXPECT_FLOAT_EQ(d.Side[s].dx, 100);  // min(min(600, 900) / 5, 900 − 800)
        EXPECT_FLOAT_EQ(d.Side[s].dy, 100);
        EXPECT_FLOAT_EQ(d.Side[s].qi, 1000);
    }
    for (int s : {2, 3}) {
        SCOPED_TRACE(s);
        EXPECT_EQ(d.Side[s].dx, 0);
        EXPECT_EQ(d.Side[s].dy, 0);
        EXPECT_EQ(d.Side[s].qi, 0);
        EXPECT_EQ(d.Side[s].Ti, 0);
    }

    // A fifth of the thinner side when the blast-load width leaves more room.
    d.Side[0].h = 400, d.Side[0].L2 = 500;
    d.Side[2].qi = 700, d.Side[2].Ti = 50;
    grid.FillTable();
    ASSERT_EQ(grid.ChooseItem(1, 2, 0), 1);
    ASSERT_EQ(grid.ChooseItem(1, 2, 1), 1);
    EXPECT_FLOAT_EQ(d.Side[0].dx, 80);

    // Back to the flat door: only the chamfers go.
    d.Side[2].qi = 700, d.Side[2].Ti = 50;
    ASSERT_EQ(grid.ChooseItem(1, 2, 0), 1);
    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(d.Side[s].dx, 0);
        EXPECT_EQ(d.Side[s].dy, 0);
    }
    EXPECT_FLOAT_EQ(d.Side[0].qi, 1000);
    EXPECT_FLOAT_EQ(d.Side[2].qi, 700);
    EXPECT_FLOAT_EQ(d.Side[2].Ti, 50);

    // Only the door type moves the chamfers.
    d.Side[0].dx = 30;
    ASSERT_EQ(grid.EditText(2, 2, "2000"), 1);
    EXPECT_FLOAT_EQ(d.La, 2000);
    EXPECT_FLOAT_EQ(d.Side[0].dx, 30);
}

TEST(MkqSizeGrid, AReportPrintsTheChamferRowsOnlyForTheArchedDoor) {
    const struct {
        int door, report, rows;
        bool chamfers;
    } cases[] = {{0, 1, 5, false}, {1, 1, 7, true}, {0, 0, 7, true}, {1, 0, 7, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "door " << c.door << " report " << c.report);
        CMkqJsData d;
        d.DoorType = c.door;
        CMkqChiCunTable grid;
        grid.m_pData = &d;
        grid.m_nReportMode = c.report;
        grid.FillTable();
        EXPECT_EQ(grid.GetReportTable().rows.size(), static_cast<std::size_t>(c.rows));
        EXPECT_EQ(Labels(grid).find("dx(mm)") != std::string::npos, c.chamfers);
    }
}

TEST(MkqSizeGrid, ChamferCellsAreReadOnlyWhereTheDoorHasNoSeatAndTheCurrentSideStandsOut) {
    CMkqJsData d;
    d.CurSide = 1;
    CMkqChiCunTable grid;
    grid.m_pData = &d;
    grid.FillTable();
    for (int col = 2; col <= 5; ++col) {
        EXPECT_FALSE(grid.GetCell(6, col)->IsEditable()) << col;  // flat door: no chamfer anywhere
        EXPECT_TRUE(grid.GetCell(2, col)->IsEditable()) << col;
        EXPECT_EQ(grid.GetCell(2, col)->BkColor(), col == 3 ? kMkqCurrentSideColour : kMkqWhite) << col;
    }
    EXPECT_EQ(grid.GetCell(1, 3)->GetText(), "右");
    EXPECT_EQ(grid.GetCell(1, 3)->BkColor(), grid.GetHangLieBkColor(1, 1));

    d.DoorType = 1;
    d.Side[0].dx = d.Side[0].dy = 100;
    grid.FillTable();
    EXPECT_TRUE(grid.GetCell(6, 2)->IsEditable());
    EXPECT_TRUE(grid.GetCell(7, 3)->IsEditable());
    EXPECT_FALSE(grid.GetCell(6, 4)->IsEditable());
    EXPECT_FALSE(grid.GetCell(7, 5)->IsEditable());
    // The wall may not be thinner than its chamfer, nor the chamfer longer than the side.
    EXPECT_EQ(grid.GetCell(3, 2)->LimitMin(), 100);
    EXPECT_EQ(grid.GetCell(6, 2)->LimitMax(), 900);
    EXPECT_EQ(grid.GetCell(7, 2)->LimitMax(), 600);
}

TEST(MkqLoadGrid, TheArchedDoorLocksTheDoorLeafLoadsOfTopAndBottom) {
    CMkqJsData d;
    d.DoorType = 1;
    d.CurSide = 2;
    d.Side[0].dx = 100;
    CMkqHeZaiTable grid;
    grid.m_pData = &d;
    grid.FillTable();
    for (int row : {2, 3, 4}) {
        EXPECT_TRUE(grid.GetCell(row, 2)->IsEditable()) << row;
        EXPECT_FALSE(grid.GetCell(row, 4)->IsEditable()) << row;
        EXPECT_FALSE(grid.GetCell(row, 4)->BkColorSet()) << row;  // locked, so not highlighted
    }
    EXPECT_TRUE(grid.GetCell(5, 4)->IsEditable());
    EXPECT_EQ(grid.GetCell(5, 4)->BkColor(), kMkqCurrentSideColour);
    EXPECT_EQ(grid.GetCell(3, 2)->GetText(), "1000.00");
    // The blast load stops at the chamfer.
    EXPECT_EQ(grid.GetCell(5, 2)->LimitMax(), 800);
    EXPECT_EQ(grid.GetCell(2, 2)->LimitMax(), 900);
}

TEST(MkqBarRangeGrid, TheTieSpacingNeverExceedsTheShortestSide) {
    kv::test::EditionGuard edition(2010);
    kv::test::MessageRecorder messages;
    const struct {
        float L[4];
        float most;
    } cases[] = {{{900, 900, 900, 900}, 900}, {{900, 250, 700, 600}, 250}, {{900, 900, 900, 120}, 120}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.most);
        CMkqJsData d;
        for (int s = 0; s < 4; ++s) d.Side[s].L = c.L[s];
        CMkqXuanJinTable grid;
        grid.m_pData = &d;
        grid.FillTable();
        EXPECT_EQ(grid.GetCell(3, 3)->LimitMax(), c.most);
        const int before = d.GuJinJianJu[1];
        EXPECT_EQ(grid.EditText(3, 3, std::to_string(static_cast<int>(c.most) + 1)), 0);
        EXPECT_EQ(d.GuJinJianJu[1], before);
    }
    EXPECT_EQ(messages.shown().size(), 3u);
}

TEST(MkqBarRangeGrid, MinimumMaximumAndOptimalHoldEachOtherIn) {
    kv::test::EditionGuard edition(2010);
    CMkqJsData d;
    CMkqXuanJinTable grid;
    grid.m_pData = &d;
    grid.FillTable();
    EXPECT_EQ(grid.Titles().size(), 4u);
    const CETCell* lo = grid.GetCell(1, 2);
    const CETCell* hi = grid.GetCell(1, 3);
    const CETCell* opt = grid.GetCell(1, 4);
    EXPECT_EQ(lo->LimitMax(), 14);
    EXPECT_EQ(hi->LimitMin(), 14);
    EXPECT_EQ(hi->LimitMax(), 100);
    EXPECT_EQ(opt->LimitMin(), 12);
    EXPECT_EQ(opt->LimitMax(), 32);
    EXPECT_EQ(opt->GetText(), "14");
    EXPECT_EQ(grid.GetCell(2, 4)->GetText(), "8");
    EXPECT_EQ(grid.GetCell(3, 2)->LimitMax(), 150);
    EXPECT_EQ(grid.GetCell(3, 4)->LimitMin(), 70);
}

TEST(MkqReviewGrid, AnImportedLoadOffItsSideMakesTheGridInvalid) {
    struct Case {
        const char* what;
        int door;
        void (*change)(CMkqJsData&);
        int row, column;  // the red cell, 0 for a valid grid
        const char* hint;
    };
    const Case cases[] = {
        {"defaults", 0, [](CMkqJsData&) {}, 0, 0, ""},
        {"L2 = L on 下", 0, [](CMkqJsData& d) { d.Side[3].L2 = 900; }, 5, 5, "0 < 均布荷载宽度 < 悬挑长度"},
        {"L2 = 0 on 左", 0, [](CMkqJsData& d) { d.Side[0].L2 = 0; }, 5, 2, "0 < 均布荷载宽度 < 悬挑长度"},
        {"L1 = L on 右", 0, [](CMkqJsData& d) { d.Side[1].L1 = 900; }, 2, 3, "0 < 集中荷载作用位置 < 悬挑长度"},
        {"arched 上 with L1 beyond L is locked", 1, [](CMkqJsData& d) { d.Side[2].L1 = 2000; }, 0, 0, ""},
        {"arched L2 = L on 上 still counts", 1, [](CMkqJsData& d) { d.Side[2].L2 = 900; }, 7, 4, "均布荷载宽度"},
        {"arched dx = 0 on 左", 1, [](CMkqJsData& d) { d.Side[0].dx = 0; }, 2, 2, "斜角Dx 必须大于 0"},
        {"arched dx = L on 右", 1, [](CMkqJsData& d) { d.Side[1].dx = 900; }, 2, 3, "斜角Dx 必须小于 悬挑长度"},
        {"arched dy = h on 左", 1, [](CMkqJsData& d) { d.Side[0].dy = 600; }, 3, 2, "斜角Dy 必须小于 门框墙厚"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CMkqJsData d;
        d.DoorType = c.door;
        if (c.door)
            for (int s : {0, 1}) d.Side[s].dx = d.Side[s].dy = 100;
        c.change(d);
        CMkqXieJiaoTable grid;
        grid.m_pData = &d;
        grid.m_bValid = 0;
        grid.FillTable();
        EXPECT_EQ(grid.m_bValid, c.row == 0 ? 1 : 0);
        int red = 0;
        for (const auto& cell : grid.Cells())
            if (cell->TextColorSet() && cell->TextColor() == kMkqInvalidText) {
                ++red;
                EXPECT_EQ(cell->Row(), c.row);
                EXPECT_EQ(cell->Column(), c.column);
                EXPECT_NE(cell->TiShi().find(c.hint), std::string::npos) << cell->TiShi();
                EXPECT_EQ(cell->TiShi().rfind("注意：\n    ", 0), 0u);
            }
        EXPECT_EQ(red, c.row == 0 ? 0 : 1);
        EXPECT_EQ(grid.m_nRowCount, c.door ? 8 : 6);
    }
}

TEST(MkqScaleGrid, EditsTheScaleOfTheSelectedDiagram) {
    CMkqJsData d;
    d.m_nCurJt = 8;
    CMkqJianTuTable grid;
    grid.m_pData = &d;
    grid.FillTable();
    ASSERT_EQ(grid.EditText(1, 2, "100"), 1);
    EXPECT_FLOAT_EQ(d.JianTuBiLi[9], 100);
    EXPECT_FLOAT_EQ(d.JianTuBiLi[8], 50);
    EXPECT_EQ(grid.GetCell(1, 2)->SelectList().size(), 8u);
}

TEST(MkqDataReport, NumbersItsSectionsAndInsertsTheFourSideSketches) {
    kv::test::EditionGuard edition(2010);
    kv::test::WorkFolder dir;
    CMkqJsData d;
    d.SetFileName("&KV_0003");
    for (int k = 0; k < 8; ++k) std::ofstream(dir / d.GetJtFileName(k)) << "0\nEOF\n";
    for (int withDiagrams : {0, 1}) {
        SCOPED_TRACE(withDiagrams);
        const std::string path = dir / "jss.rtf";
        std::vector<std::string> pictures;
        const kv::report::PictureMaker kept =
            kv::report::SetPictureMaker([&](const std::string& dxf, int, int, std::string&) {
                pictures.push_back(dxf);
                return false;
            });
        {
            kv::report::CRTF rtf;
            ASSERT_EQ(rtf.Open(path.c_str()), 1);
            EXPECT_EQ(d.WriteJssData(rtf, withDiagrams), 1);
            rtf.Close();
        }
        kv::report::SetPictureMaker(kept);
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        const std::string text = s.str();
        // 简图, 已知条件, 计算内容 with the sketches; the last two without.
        EXPECT_NE(text.find("1.2 "), std::string::npos);
        EXPECT_EQ(text.find("1.3 ") != std::string::npos, withDiagrams == 1);
        EXPECT_EQ(pictures.size(), withDiagrams ? 4u : 0u);
        for (std::size_t k = 0; k < pictures.size(); ++k)
            EXPECT_EQ(pictures[k], G_strWorkPath + d.GetJtFileName(static_cast<int>(2 * k)));
    }
}

}  // namespace
