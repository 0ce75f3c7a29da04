// The flat slab's result drawings: a frame of one span on two columns laid out
// by hand, and the drawings of a run of the defaults.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "base/error.h"
#include "drawing/dxf.h"
#include "members/flatslab/wllg_data.h"
#include "members/flatslab/wllg_frm.h"
#include "support/edition_guard.h"
#include "support/ezdxf_check.h"
#include "support/work_folder.h"

namespace {

using kv::drawing::Entity;
using kv::drawing::EntityKind;

std::vector<const Entity*> Texts(const DXF& d, const std::string& text) {
    std::vector<const Entity*> out;
    for (const Entity& e : d.Entities())
        if (e.kind == EntityKind::Text && e.text == text) out.push_back(&e);
    return out;
}

const Entity* Text(const DXF& d, const std::string& text) {
    std::vector<const Entity*> all = Texts(d, text);
    return all.empty() ? nullptr : all.front();
}

bool AnyBracketed(const DXF& d) {
    for (const Entity& e : d.Entities())
        if (e.kind == EntityKind::Text && (e.text.rfind("(", 0) == 0 || e.text.find("括号") != std::string::npos))
            return true;
    return false;
}

// A slab 6 m long at y = 1 m on two columns 1 m high: W = 6000, H = 1000,
// G = (W + H)/4 = 1750, the title height T = 0.05·(W + H) = 350.
class WllgDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        data.SetFileName("A");
        js.m_pData = &data;
        js.SetMemberCount(3);
        CWllgGouJian& slab = js.m_pMembers[0];
        slab.m_fX1 = 0, slab.m_fY1 = 1000, slab.m_fX2 = 6000, slab.m_fY2 = 1000;
        slab.m_fSectB = 4500, slab.m_fSectH = 400;
        slab.m_fM[0] = -100, slab.m_fM[4] = 50, slab.m_fM[8] = -80;
        slab.m_fColM[0] = -31, slab.m_fColM[1] = 32, slab.m_fColM[2] = -33;
        slab.m_fColMCap[0] = -21, slab.m_fColMCap[1] = -23;
        slab.m_fColTop[0] = 1501, slab.m_fColBot[1] = 1502, slab.m_fColTopCap[0] = 1503;
        for (int i = 1; i < 3; ++i) {
            CWllgGouJian& col = js.m_pMembers[static_cast<std::size_t>(i)];
            const float x = i == 1 ? 0.0f : 6000.0f;
            col.m_nKind = 1;
            col.m_fX1 = x, col.m_fY1 = 0, col.m_fX2 = x, col.m_fY2 = 1000;
            col.m_fM[0] = 11, col.m_fM[4] = 12, col.m_fM[8] = 13;
            col.m_fColM[0] = 14;
            col.m_fColTop[0] = 15;
        }
    }
    DXF Read(int k) {
        DXF d;
        EXPECT_EQ(d.Read_FileDxf_To_Mem((work / data.GetDxfFileName(k)).c_str()), 1) << k;
        return d;
    }

    kv::test::WorkFolder work;
    CWllgData data;
    CWllgFrmJs js;
};

TEST_F(WllgDrawing, ValuesStandAtTheMembersStartMiddleAndEnd) {
    js.DrawDiagrams();
    const DXF d = Read(1);
    struct Want {
        const char* text;
        double x;
        int align;
    } wants[] = {{"-100", 0, 0}, {"50", 3000, 1}, {"-80", 6000, 2}};
    for (const Want& w : wants) {
        const Entity* e = Text(d, w.text);
        ASSERT_NE(e, nullptr) << w.text;
        EXPECT_NEAR(e->x1, w.x, 1e-2) << w.text;
        EXPECT_GT(e->y1, 1000) << w.text << " stands above the slab";
        EXPECT_EQ(e->hAlign, w.align) << w.text;
    }
}

TEST_F(WllgDrawing, ColumnsShowOnlyWholeSectionValuesAndNoLabels) {
    js.DrawDiagrams();
    EXPECT_EQ(Texts(Read(1), "12").size(), 2u) << "whole section: both columns";
    EXPECT_EQ(Text(Read(2), "14"), nullptr);
    EXPECT_EQ(Text(Read(2), "15"), nullptr);
    EXPECT_NE(Text(Read(2), "1501"), nullptr);
    EXPECT_NE(Text(Read(2), "1502"), nullptr);
    EXPECT_NE(Text(Read(2), "-31"), nullptr);
    // The calculation sketch has no model here: the labels come with it.
    for (int k = 0; k < 5; ++k) {
        const DXF d = Read(k);
        EXPECT_EQ(Text(d, "2-1000"), nullptr) << k;
        EXPECT_FALSE(AnyBracketed(d)) << "no cap design, drawing " << k;
    }
}

TEST_F(WllgDrawing, CapDesignAddsBracketedCapEdgeValuesInColourFour) {
    data.m_nCapDesign = 1;
    for (CWllgGouJian& g : js.m_pMembers) g.m_nCapDesign = 1;
    js.DrawDiagrams();
    const DXF d = Read(2);
    const Entity* left = Text(d, "(-21)");
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->color, 4);
    EXPECT_NE(Text(d, "(-23)"), nullptr);
    EXPECT_NE(Text(d, "(1503)"), nullptr);
    EXPECT_NE(Text(d, "  (括号内数字表示柱帽边缘处弯矩)"), nullptr);
    EXPECT_NE(Text(d, "  (括号内数字表示柱帽边缘处配筋)"), nullptr);
    EXPECT_EQ(Text(d, "(14)"), nullptr) << "columns have no strips";
}

// Drawing 1's curve under the moment diagram (offset −(G + H) = −2750, the slab's
// axis at y = −1750). The scale puts the largest moment, 100, at e·2/3 from the
// axis with e = half the mean member length = (6000 + 1000 + 1000)/3/2: 8.889
// per kN·m. Sagging lies below a slab drawn left to right, hogging above.
TEST_F(WllgDrawing, RedistributedCurveHangsSaggingBelowTheSlab) {
    js.DrawDiagrams();
    const DXF d = Read(1);
    const double scale = (8000.0 / 3 / 2) * 2 / 3 / 100;
    auto line = [&](int colour, double x1, double y1, double x2, double y2) {
        for (const Entity& e : d.Entities())
            if (e.kind == EntityKind::Line && e.color == colour && std::abs(e.x1 - x1) < 0.5 &&
                std::abs(e.y1 - y1) < 0.5 && std::abs(e.x2 - x2) < 0.5 && std::abs(e.y2 - y2) < 0.5)
                return true;
        return false;
    };
    const double axis = 1000 - 2750;
    EXPECT_TRUE(line(7, 0, axis, 0, axis + 100 * scale)) << "the hogging end, joined to the axis";
    EXPECT_TRUE(line(1, 0, axis + 100 * scale, 750, axis)) << "station 0 to station 1";
    EXPECT_TRUE(line(1, 2250, axis, 3000, axis - 50 * scale)) << "mid-span sags below";
    EXPECT_TRUE(line(7, 6000, axis + 80 * scale, 6000, axis));
}

// Drawing 4: the sketch, then rows r = 1, 2, 3 at −r·(G + H) = −2750·r, the
// second diagram of a row moved by G + W = 7750.
TEST_F(WllgDrawing, AllDrawingStacksThreeRowsOfTwo) {
    js.DrawDiagrams();
    const DXF d = Read(4);
    struct Want {
        const char* title;
        double x, y;
    } wants[] = {
        {"调幅后弯矩简图(全截面)", 0.35 * 6000 - 700, -875 - 2750},
        {"调幅后弯矩图(全截面)", 3000 - 875 + 7750, -875 - 2750},
        {"柱上板带弯矩简图(每延米)", 0.35 * 6000 - 700, -875 - 2 * 2750},
        {"柱上板带配筋简图(每延米)", 0.35 * 6000 - 700 + 7750, -875 - 2 * 2750},
        {"跨中板带弯矩简图(每延米)", 0.35 * 6000 - 700, -875 - 3 * 2750},
        {"跨中板带配筋简图(每延米 )", 0.35 * 6000 - 700 + 7750, -875 - 3 * 2750},
    };
    for (const Want& w : wants) {
        const Entity* e = Text(d, w.title);
        ASSERT_NE(e, nullptr) << w.title;
        EXPECT_NEAR(e->x1, w.x, 0.05) << w.title;
        EXPECT_NEAR(e->y1, w.y, 0.05) << w.title;
        EXPECT_NEAR(e->height, 350, 1e-3) << w.title;
    }
}

// The defaults' first span is 5.4667 m long between its column lines.
TEST(WllgDrawingRun, DefaultsLabelTheSlabBySequenceLengthAndSection) {
    kv::test::WorkFolder work;
    work.MakeCurrent();
    kv::test::EditionGuard edition(2010);
    JS_ERROR_CODE = 0;
    CWllgData data;
    data.SetFileName("A");
    data.m_nCivilDefence = data.m_ChongQie.m_nCivilDefence = 1;
    ASSERT_EQ(wllg_calculate(&data), 1);
    DXF d;
    ASSERT_EQ(d.Read_FileDxf_To_Mem((work / "A_JT_WLLG.DXF").c_str()), 1);
    EXPECT_NE(Text(d, "1-5467"), nullptr);
    EXPECT_EQ(Texts(d, "4500*400").size(), 3u);
    EXPECT_NE(Text(d, "计算简图"), nullptr);
    const std::string python = kv::test::PythonWithEzdxf();
    if (python.empty()) GTEST_SKIP() << "python3-ezdxf not installed";
    // The sheet of all holds every routine of the other four.
    for (int k : {0, 4}) EXPECT_TRUE(kv::test::EzdxfRecoverPasses(python, work / data.GetDxfFileName(k))) << k;
}

}  // namespace
