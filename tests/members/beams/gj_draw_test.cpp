#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "base/globals.h"
#include "drawing/base_sgt.h"
#include "fem/strut_layer_model.h"
#include "members/beams/gj_frm.h"
#include "support/ezdxf_check.h"
#include "support/work_folder.h"
#include "gj_portal.h"

namespace {

using kv::drawing::Entity;
using kv::drawing::EntityKind;

const Entity* TextOf(const DXF& d, const std::string& text) {
    for (const Entity& e : d.Entities())
        if (e.kind == EntityKind::Text && e.text == text) return &e;
    return nullptr;
}

std::vector<const Entity*> LinesOf(const DXF& d, int color) {
    std::vector<const Entity*> out;
    for (const Entity& e : d.Entities())
        if (e.kind == EntityKind::Line && e.color == color) out.push_back(&e);
    return out;
}

CBase_SGT Drawing() {
    CBase_SGT d;
    d.New_MemDxf();
    return d;
}

// Extents, text heights and scales as a run sets them before drawing.
void Prepare(CGjFrmJs& frame) {
    frame.SetExtents();
    frame.SetTextHeight();
    frame.SetScales();
}

// One beam of 6 m at y = 0: the extents' height is taken as 5000, so the
// title height is 0.05 × (6000 + 5000) and the title stands 2.5 heights below.
TEST(RigidFrameDrawing, FlatFrameIsLaidOutWithHeight5000) {
    CGjFrmJs frame;
    kv::test::FillPortal(frame);
    frame.SetMemberCount(1);
    CGjGouJian& g = frame.m_GouJian[0];
    g.m_fX1 = 0, g.m_fY1 = 0, g.m_fX2 = 6000, g.m_fY2 = 0;
    g.M[4] = 10;
    Prepare(frame);
    EXPECT_FLOAT_EQ(frame.m_fWidth, 6000);
    EXPECT_FLOAT_EQ(frame.m_fHeight, 5000);
    CBase_SGT d = Drawing();
    frame.DrawWanJuTu(&d, 0, 0);
    const Entity* title = TextOf(d, "弯 矩 图");
    ASSERT_NE(title, nullptr);
    EXPECT_NEAR(title->height, 550, 1e-3);
    EXPECT_NEAR(title->x1, 3000 - 2.5 * 550, 1e-2);
    EXPECT_NEAR(title->y1, -2.5 * 550, 1e-2);
    CBase_SGT s = Drawing();
    frame.DrawPeiJinTu(&s, 0, 0);
    ASSERT_NE(TextOf(s, "配筋简图"), nullptr);
    EXPECT_NEAR(TextOf(s, "配筋简图")->x1, 3000 - 2 * 550, 1e-2) << "unspaced titles stand 2 heights left";
}

// e is half the mean chord length: (4000 + 6000 + 4000) / 3 / 2.
TEST(RigidFrameDrawing, ScalesOfTheForcesAndTheirFallback) {
    const float e = 14000.0f / 3 / 2;
    CGjFrmJs frame;
    kv::test::FillPortal(frame);
    frame.m_fGraphScale = 3;
    for (CGjGouJian& g : frame.m_GouJian)
        for (float& m : g.M) m = m / 2000.0f;  // all |M| below 0.1
    Prepare(frame);
    for (const CGjGouJian& g : frame.m_GouJian) {
        EXPECT_FLOAT_EQ(g.m_fWanJuScale, e / 40) << "the fallback ignores the graphic scale";
        EXPECT_FLOAT_EQ(g.m_fJianLiScale, 3 * (2 * e / 3) / (1000.0f / 6));
        EXPECT_FLOAT_EQ(g.m_fZhouLiScale, 3 * (e / 3) / 250);
        EXPECT_FLOAT_EQ(g.m_fWeiYiScale, 3 * (e / 2) / std::sqrt(2.0f * 2 + 12 * 12)) << "the beam middle moves (2, -12)";
        EXPECT_FLOAT_EQ(g.m_fTextHeight, 14000.0f / 3 / 6 * 0.25f);
    }
}

// A member without mean axial force: the tension outline (ten lines) in
// colour 2, every point of it on the member's axis.
TEST(RigidFrameDrawing, ZeroMeanAxialForceGivesZeroWidthTensionSymbol) {
    CGjFrmJs frame;
    kv::test::FillPortal(frame);
    Prepare(frame);
    const CGjGouJian& beam = frame.m_GouJian[1];
    CBase_SGT d = Drawing();
    beam.DrawZhouLiSymbol(&d, 0, 0);
    const auto lines = LinesOf(d, 2);
    EXPECT_EQ(lines.size(), 10u);
    EXPECT_EQ(d.Entities().size(), 10u);
    for (const Entity* l : lines) {
        EXPECT_NEAR(l->y1, 4000, 1e-3);
        EXPECT_NEAR(l->y2, 4000, 1e-3);
        EXPECT_GE(l->x1, 600 - 1e-3);
        EXPECT_LE(l->x1, 5400 + 1e-3);
    }
    CBase_SGT c = Drawing();
    frame.m_GouJian[0].DrawZhouLiSymbol(&c, 0, 0);
    EXPECT_EQ(LinesOf(c, 1).size(), 12u) << "compression: the outline with heads to the middle";
    EXPECT_TRUE(LinesOf(c, 2).empty());
}

// The text scale sizes the labels, never the titles.
TEST(RigidFrameDrawing, TextScaleSizesLabelsNotTitles) {
    auto moments = [](float scale) {
        CGjFrmJs frame;
        kv::test::FillPortal(frame);
        frame.m_fTextScale = scale;
        Prepare(frame);
        CBase_SGT d = Drawing();
        frame.DrawWanJuTu(&d, 0, 0);
        return d;
    };
    const CBase_SGT one = moments(1), two = moments(2);
    for (const char* text : {"150.0", "弯 矩 图"}) {
        ASSERT_NE(TextOf(one, text), nullptr) << text;
        ASSERT_NE(TextOf(two, text), nullptr) << text;
    }
    EXPECT_NEAR(TextOf(two, "150.0")->height, 2 * TextOf(one, "150.0")->height, 1e-3);
    EXPECT_NEAR(TextOf(two, "弯 矩 图")->height, TextOf(one, "弯 矩 图")->height, 1e-3);
}

// Offsets of a curve from the member grow with the graphic scale.
TEST(RigidFrameDrawing, DoublingTheGraphicScaleDoublesCurveOffsets) {
    auto curves = [](float scale) {
        CGjFrmJs frame;
        kv::test::FillPortal(frame);
        frame.m_fGraphScale = scale;
        Prepare(frame);
        CBase_SGT d = Drawing();
        for (const CGjGouJian& g : frame.m_GouJian) {
            g.DrawWanJuCurve(&d, 0, 0);
            g.DrawJianLiCurve(&d, 0, 0);
        }
        return d;
    };
    const CBase_SGT one = curves(1), two = curves(2);
    const auto a = LinesOf(one, 1), b = LinesOf(two, 1);
    ASSERT_EQ(a.size(), 48u);
    ASSERT_EQ(b.size(), a.size());
    CGjFrmJs frame;
    kv::test::FillPortal(frame);
    for (std::size_t i = 0; i < a.size(); ++i) {
        // Segment i of member m's curve starts at station i % 8.
        const CGjGouJian& g = frame.m_GouJian[i / 16];
        float sx, sy;
        g.StationPoint(static_cast<int>(i % 8), sx, sy);
        EXPECT_NEAR(b[i]->x1 - sx, 2 * (a[i]->x1 - sx), 1e-2) << i;
        EXPECT_NEAR(b[i]->y1 - sy, 2 * (a[i]->y1 - sy), 1e-2) << i;
    }
    // The beam's middle moment (150 kN·m, the largest) stands 2e/3 off its axis, below it.
    const float e = 14000.0f / 3 / 2;
    EXPECT_NEAR(a[16 + 4]->y1, 4000 - 2 * e / 3, 1e-2);
}

// The seven files; the last sheet holds the six drawings with the gap (W + H)/4.
TEST(RigidFrameDrawing, SevenDrawingsAndTheSheetOfAll) {
    kv::test::WorkFolder work;
    kv::fem::CJsBzData model((work / "A_KV_StrLdA-1.DAT").c_str());  // an empty model
    CGjFrmJs frame;
    kv::test::FillPortal(frame);
    frame.DrawDiagrams();
    EXPECT_FALSE(frame.Failed());
    const std::string py = kv::test::PythonWithEzdxf();
    DXF all;
    ASSERT_EQ(all.Read_FileDxf_To_Mem((work / "A_ALL_GJ.DXF").c_str()), 1);
    const float W = 6000, H = 5000, gap = (W + H) / 4;
    struct Sheet {
        int k;
        const char* title;
        float dx, dy;
    } sheets[] = {{0, "计算简图", 0, 0},          {1, "位 移 图", W + gap, 0},
                  {2, "弯 矩 图", 0, -(H + gap)}, {3, "剪 力 图", W + gap, -(H + gap)},
                  {4, "轴 力 图", 0, -2 * (H + gap)}, {5, "配筋简图", W + gap, -2 * (H + gap)}};
    for (const Sheet& s : sheets) {
        SCOPED_TRACE(s.title);
        DXF one;
        ASSERT_EQ(one.Read_FileDxf_To_Mem((work / frame.m_strDxf[s.k]).c_str()), 1);
        const Entity* alone = TextOf(one, s.title);
        const Entity* placed = TextOf(all, s.title);
        ASSERT_NE(alone, nullptr);
        ASSERT_NE(placed, nullptr);
        EXPECT_NEAR(placed->x1 - alone->x1, s.dx, 0.05);
        EXPECT_NEAR(placed->y1 - alone->y1, s.dy, 0.05);
        if (!py.empty()) {
            EXPECT_TRUE(kv::test::EzdxfRecoverPasses(py, work / frame.m_strDxf[s.k]));
        }
    }
    if (py.empty()) GTEST_SKIP() << "python3-ezdxf is missing: the outside reader check did not run";
    EXPECT_TRUE(kv::test::EzdxfRecoverPasses(py, work / "A_ALL_GJ.DXF"));
}

// Without its model the scheme stays empty (no model is made); the others are drawn.
TEST(RigidFrameDrawing, SchemeWithoutItsModelIsEmpty) {
    kv::test::WorkFolder work;
    CGjFrmJs frame;
    kv::test::FillPortal(frame);
    frame.DrawDiagrams();
    DXF scheme, moments;
    ASSERT_EQ(scheme.Read_FileDxf_To_Mem((work / "A_JT_GJ.DXF").c_str()), 1);
    EXPECT_TRUE(scheme.Entities().empty());
    ASSERT_EQ(moments.Read_FileDxf_To_Mem((work / "A_M_GJ.DXF").c_str()), 1);
    EXPECT_NE(TextOf(moments, "弯 矩 图"), nullptr);
    EXPECT_FALSE(work.Exists("A_KV_StrLdA-1.DAT"));
}

TEST(RigidFrameDrawing, FrameWithoutMembersDrawsNothing) {
    kv::test::WorkFolder work;
    CGjFrmJs frame;
    kv::test::FillPortal(frame);
    frame.SetMemberCount(0);
    frame.DrawDiagrams();
    EXPECT_EQ(work.List(), "");
}

// An arc member of radius 3000 about (3000, 4000) from 0° to 180°: stations on
// the circle, the moment curve at radius R + M·s.
TEST(RigidFrameDrawing, ArcMemberStationsAndMomentCurve) {
    CGjFrmJs frame;
    kv::test::FillPortal(frame);
    CGjGouJian& g = frame.m_GouJian[1];
    g.m_nArc = 1;
    g.m_fX1 = 6000, g.m_fY1 = 4000, g.m_fX2 = 0, g.m_fY2 = 4000;
    g.m_fXc = 3000, g.m_fYc = 4000;
    float x, y;
    g.StationPoint(4, x, y);
    EXPECT_NEAR(x, 3000, 1e-2);
    EXPECT_NEAR(y, 7000, 1e-2);
    g.m_fWanJuScale = 2;
    CBase_SGT d = Drawing();
    g.DrawWanJuCurve(&d, 0, 0);
    const auto curve = LinesOf(d, 1);
    ASSERT_EQ(curve.size(), 8u);
    EXPECT_NEAR(curve[4]->y1, 7000 + 150 * 2, 1e-1);
    CBase_SGT m = Drawing();
    g.DrawMember(&m, 0, 0);
    ASSERT_EQ(m.Entities().size(), 3u);
    EXPECT_EQ(m.Entities()[2].kind, EntityKind::Arc);
    EXPECT_NEAR(m.Entities()[2].startAngle, 0, 1e-3);
    EXPECT_NEAR(m.Entities()[2].endAngle, 180, 1e-3);
}

}  // namespace
