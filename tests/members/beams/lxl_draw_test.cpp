#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "base/error.h"
#include "drawing/base_sgt.h"
#include "members/beams/lxl_data.h"
#include "support/ezdxf_check.h"
#include "support/temp_folder.h"

namespace {

using kv::drawing::Entity;
using kv::drawing::EntityKind;

std::vector<const Entity*> Of(const CBase_SGT& d, EntityKind kind, int color = -1) {
    std::vector<const Entity*> out;
    for (const Entity& e : d.Entities())
        if (e.kind == kind && (color < 0 || e.color == color)) out.push_back(&e);
    return out;
}

const Entity* TextOf(const CBase_SGT& d, const std::string& text) {
    for (const Entity& e : d.Entities())
        if (e.kind == EntityKind::Text && e.text == text) return &e;
    return nullptr;
}

bool HasLine(const CBase_SGT& d, double x1, double y1, double x2, double y2, int color = -1) {
    for (const Entity* e : Of(d, EntityKind::Line, color)) {
        const bool same = std::fabs(e->x1 - x1) < 0.01 && std::fabs(e->y1 - y1) < 0.01 && std::fabs(e->x2 - x2) < 0.01 &&
                          std::fabs(e->y2 - y2) < 0.01;
        if (same) return true;
    }
    return false;
}

CBase_SGT Preview(CLxlData& beam) {
    CBase_SGT d;
    d.New_MemDxf();
    beam.DrawModel(&d, 0, 0, 1);
    return d;
}

LXL_LOAD Load(int kind, int type, float q1, float q2 = 0, float a = 0, float c = 0) {
    LXL_LOAD q;
    q.Kind = kind, q.Type = type, q.Q1 = q1, q.Q2 = q2, q.A = a, q.C = c;
    return q;
}

// The default beam: five spans of 6 m, simple supports, no loads, span 1 current.
TEST(ContinuousBeamDrawing, DefaultPreviewIsFiveSpansOnHinges) {
    CLxlData beam;
    const CBase_SGT d = Preview(beam);
    const auto spans = Of(d, EntityKind::Polyline);
    ASSERT_EQ(spans.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(spans[i]->vertices.size(), 2u);
        EXPECT_NEAR(spans[i]->vertices[0].x, 6000.0 * i, 1e-3);
        EXPECT_NEAR(spans[i]->vertices[1].x, 6000.0 * (i + 1), 1e-3);
        EXPECT_NEAR(spans[i]->vertices[0].startWidth, 100, 1e-6);
        EXPECT_EQ(spans[i]->color, i == 0 ? 1 : 3) << "the current span stands out";
    }
    // A hinge is two circles of radius 150 (at y −150 and −650) on every support.
    const auto circles = Of(d, EntityKind::Circle, 3);
    ASSERT_EQ(circles.size(), 12u);
    for (int k = 0; k <= 5; ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(circles[2 * k]->x1, 6000.0 * k, 1e-3);
        EXPECT_NEAR(circles[2 * k]->y1, -150, 1e-3);
        EXPECT_NEAR(circles[2 * k + 1]->y1, -650, 1e-3);
        EXPECT_TRUE(HasLine(d, 6000.0 * k - 300, -800, 6000.0 * k + 300, -800, 3)) << "ground line";
        EXPECT_TRUE(HasLine(d, 6000.0 * k + 300, -800, 6000.0 * k + 100, -1100, 3)) << "last hatch stroke";
    }
    EXPECT_TRUE(Of(d, EntityKind::Text).empty()) << "no load symbols";

    beam.CurSpan = 3;
    const CBase_SGT third = Preview(beam);
    EXPECT_EQ(Of(third, EntityKind::Polyline, 1).size(), 1u);
    EXPECT_NEAR(Of(third, EntityKind::Polyline, 1)[0]->vertices[0].x, 12000, 1e-3);
}

// Ends: fixed draws a width-50 bar from y + 400 to y − 400 hatched outward; free draws nothing.
TEST(ContinuousBeamDrawing, FixedAndFreeEnds) {
    CLxlData beam;
    beam.SpanNum = 1;
    beam.LeftSupport = 2;
    beam.RightSupport = 0;
    const CBase_SGT d = Preview(beam);
    const auto bars = Of(d, EntityKind::Polyline, 3);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_NEAR(bars[0]->vertices[0].startWidth, 50, 1e-6);
    EXPECT_NEAR(bars[0]->vertices[0].y, 400, 1e-3);
    EXPECT_NEAR(bars[0]->vertices[1].y, -400, 1e-3);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(HasLine(d, -300, -400 + 200 * i, 0, -200 + 200 * i)) << i;
    EXPECT_EQ(Of(d, EntityKind::Line).size(), 4u) << "the free right end draws nothing";
    EXPECT_TRUE(Of(d, EntityKind::Circle).empty());

    beam.LeftSupport = 0;
    beam.RightSupport = 2;
    const CBase_SGT right = Preview(beam);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(HasLine(right, 6000, -400 + 200 * i, 6300, -200 + 200 * i)) << i;
}

// Load symbols of the preview: 0.8H = 960 high, 700 above the beam for dead
// loads and 2100 for live ones, values "%.2f" at 0.3H = 360.
TEST(ContinuousBeamDrawing, PreviewLoadSymbols) {
    {
        // 20 kN/m dead on span 2: the rectangle (6000, 700)–(12000, 1660).
        CLxlData beam;
        beam.Spans[1].LoadNum = 1;
        beam.Spans[1].Loads[0] = Load(1, 3, 20);
        const CBase_SGT d = Preview(beam);
        EXPECT_TRUE(HasLine(d, 6000, 700, 12000, 700, 2));
        EXPECT_TRUE(HasLine(d, 12000, 700, 12000, 1660, 2));
        EXPECT_TRUE(HasLine(d, 12000, 1660, 6000, 1660, 2));
        EXPECT_TRUE(HasLine(d, 6000, 1660, 6000, 700, 2));
        const Entity* t = TextOf(d, "20.00");
        ASSERT_NE(t, nullptr);
        EXPECT_NEAR(t->x1, 6000, 1e-3);
        EXPECT_NEAR(t->y1, 1660, 1e-3);
        EXPECT_NEAR(t->height, 360, 1e-3);
        EXPECT_EQ(t->color, 2);
    }
    {
        // Live q1 = 10 → q2 = 30 from 1 m over 2 m: the smaller end rises
        // 960·10/30.0001 = 319.999, the larger 960; texts 0.5 outside the ends.
        CLxlData beam;
        beam.Spans[0].LoadNum = 1;
        beam.Spans[0].Loads[0] = Load(2, 6, 10, 30, 1, 2);
        const CBase_SGT d = Preview(beam);
        EXPECT_TRUE(HasLine(d, 1000, 2100, 3000, 2100, 4));
        EXPECT_TRUE(HasLine(d, 3000, 2100, 3000, 3060, 4));
        EXPECT_TRUE(HasLine(d, 3000, 3060, 1000, 2100 + 960.0 * 10 / 30.0001, 4));
        const Entity* q1 = TextOf(d, "10.00");
        const Entity* q2 = TextOf(d, "30.00");
        ASSERT_TRUE(q1 && q2);
        EXPECT_NEAR(q1->x1, 999.5, 1e-3);
        EXPECT_NEAR(q2->x1, 3000.5, 1e-3);
        EXPECT_NEAR(q2->y1, 3060, 1e-3);
    }
    {
        // Triangle, trapezoid with 1.5 m ramps, a force and a moment at 2 m on span 1.
        CLxlData beam;
        beam.SpanNum = 1;
        beam.Spans[0].LoadNum = 4;
        beam.Spans[0].Loads[0] = Load(1, 4, 5);
        beam.Spans[0].Loads[1] = Load(1, 5, 8, 0, 1.5f);
        beam.Spans[0].Loads[2] = Load(1, 1, 50, 0, 2);
        beam.Spans[0].Loads[3] = Load(3, 2, -12.5f, 0, 2);
        const CBase_SGT d = Preview(beam);
        EXPECT_TRUE(HasLine(d, 6000, 700, 3000, 1660, 2)) << "triangle apex at midspan";
        EXPECT_TRUE(HasLine(d, 6000, 700, 4500, 1660, 2)) << "trapezoid ramp";
        EXPECT_TRUE(HasLine(d, 4500, 1660, 1500, 1660, 2));
        // Force: a shaft of 960 and a head of two 360 strokes.
        EXPECT_TRUE(HasLine(d, 2000, 700, 2000, 1660, 2));
        EXPECT_TRUE(HasLine(d, 2000, 700, 2360, 1060, 2));
        EXPECT_TRUE(HasLine(d, 2000, 700, 1640, 1060, 2));
        ASSERT_NE(TextOf(d, "50.00"), nullptr);
        // Moment: the upper half circle of radius 600, its head at the right end.
        const auto arcs = Of(d, EntityKind::Arc, 4);
        ASSERT_EQ(arcs.size(), 1u);
        EXPECT_NEAR(arcs[0]->x1, 2000, 1e-3);
        EXPECT_NEAR(arcs[0]->y1, 2100, 1e-3);
        EXPECT_NEAR(arcs[0]->radius, 600, 1e-3);
        EXPECT_TRUE(HasLine(d, 2600, 2100, 2900, 2400, 4));
        EXPECT_TRUE(HasLine(d, 2600, 2100, 2300, 2400, 4));
        const Entity* m = TextOf(d, "-12.50");
        ASSERT_NE(m, nullptr);
        EXPECT_NEAR(m->y1, 3060, 1e-3);
    }
}

// On the sheet dead loads stack from 700 in rows of 1400, live ones above the
// highest dead row of the whole beam; the loaded beam lies 3000 above y0.
TEST(ContinuousBeamDrawing, SheetStacksLoadRows) {
    CLxlData beam;
    beam.SpanNum = 2;
    // Span 1: dead, live, dead → rows 700, (0 + 1.5 + 2)·1400 = 4900, 2100.
    beam.Spans[0].LoadNum = 3;
    beam.Spans[0].Loads[0] = Load(1, 3, 10);
    beam.Spans[0].Loads[1] = Load(2, 3, 11);
    beam.Spans[0].Loads[2] = Load(1, 3, 12);
    // Span 2: live, live → 4900 and 6300.
    beam.Spans[1].LoadNum = 2;
    beam.Spans[1].Loads[0] = Load(2, 3, 13);
    beam.Spans[1].Loads[1] = Load(5, 3, 14);
    CBase_SGT d;
    d.New_MemDxf();
    beam.DrawModel(&d, 0, 0, 0);
    struct Case {
        const char* text;
        double y;
        int color;
    } cases[] = {{"10.00", 3000 + 700 + 960, 2},  {"11.00", 3000 + 4900 + 960, 4}, {"12.00", 3000 + 2100 + 960, 2},
                 {"13.00", 3000 + 4900 + 960, 4}, {"14.00", 3000 + 6300 + 960, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Entity* t = TextOf(d, c.text);
        ASSERT_NE(t, nullptr);
        EXPECT_NEAR(t->y1, c.y, 1e-3);
        EXPECT_EQ(t->color, c.color);
    }
    // Both beam rows, no span picked out; the section labels and the chain dimension.
    EXPECT_EQ(Of(d, EntityKind::Polyline, 3).size(), 4u);
    EXPECT_TRUE(Of(d, EntityKind::Polyline, 1).empty());
    EXPECT_NE(TextOf(d, "200*500"), nullptr);
    EXPECT_NE(TextOf(d, "6000"), nullptr);
}

// A load of an unknown type is reported and left out; the others are drawn.
TEST(ContinuousBeamDrawing, UnknownLoadTypeIsReportedAndSkipped) {
    CLxlData beam;
    beam.Spans[0].LoadNum = 2;
    beam.Spans[0].Loads[0] = Load(1, 7, 99);
    beam.Spans[0].Loads[1] = Load(1, 3, 20);
    kv::err::ClearRecentLines();
    const CBase_SGT d = Preview(beam);
    bool reported = false;
    for (const auto& line : kv::err::RecentLines()) reported = reported || (line.text == "荷载类型错 !" && line.code == 201);
    EXPECT_TRUE(reported);
    EXPECT_EQ(TextOf(d, "99.00"), nullptr);
    EXPECT_NE(TextOf(d, "20.00"), nullptr);
}

// The drawing reads back through our DXF reader entity for entity, and through
// ezdxf's recover reader where it is installed.
TEST(ContinuousBeamDrawing, DrawingsReadBack) {
    CLxlData beam;
    beam.LeftSupport = 2;
    beam.Spans[0].LoadNum = 2;
    beam.Spans[0].Loads[0] = Load(1, 6, 10, 30, 1, 2);
    beam.Spans[0].Loads[1] = Load(2, 2, 15, 0, 3);
    kv::test::TempFolder dir;
    CBase_SGT d;
    d.New_MemDxf();
    beam.DrawModel(&d, 0, 0, 0);
    ASSERT_EQ(d.Write_MemDxf_To_File((dir / "model.dxf").c_str()), 1);
    DXF back;
    ASSERT_EQ(back.Read_FileDxf_To_Mem((dir / "model.dxf").c_str()), 1);
    EXPECT_EQ(back.Entities().size(), d.Entities().size());
    const std::string py = kv::test::PythonWithEzdxf();
    if (py.empty()) GTEST_SKIP() << "python3-ezdxf is missing: the outside reader check did not run";
    EXPECT_TRUE(kv::test::EzdxfRecoverPasses(py, dir / "model.dxf"));
}

}  // namespace
