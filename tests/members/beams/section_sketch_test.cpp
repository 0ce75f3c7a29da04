// The section sketch: which outline, dimensions, bar rows, stirrups and labels
// each kind of record draws, and that the drawing reads back elsewhere.
#include "members/beams/sections.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "drawing/base_sgt.h"
#include "support/edition_guard.h"
#include "support/ezdxf_check.h"
#include "support/temp_folder.h"

namespace {

using kv::drawing::Entity;
using kv::drawing::EntityKind;

struct Drawn {
    int base = 0;  // lines along y = 0: the outline's bottom and the flange steps
    int outline = 0, rows = 0, stirrups = 0, rings = 0, dots = 0, circles = 0;
    std::vector<std::string> texts;
    std::vector<Entity> dimTexts;  // texts turned along a dimension
    bool HasText(const std::string& t) const { return std::find(texts.begin(), texts.end(), t) != texts.end(); }
    bool TextEndsWith(const std::string& t) const {
        for (const auto& s : texts)
            if (s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0) return true;
        return false;
    }
};

// Sorts what a sketch drew. A bar row is a straight polyline of width 30 along
// an axis; the dimension ticks are wide too, but oblique.
Drawn Classify(const CBase_SGT& d) {
    Drawn out;
    for (const Entity& e : d.Entities()) {
        if (e.kind == EntityKind::Line && e.color == 3) ++out.outline;
        if (e.kind == EntityKind::Line && e.y1 == 0 && e.y2 == 0) ++out.base;
        if (e.kind == EntityKind::Circle) ++out.circles;
        if (e.kind == EntityKind::Text) out.texts.push_back(e.text);
        if (e.kind != EntityKind::Polyline || e.vertices.empty()) continue;
        const auto& v = e.vertices;
        if (e.closed && v.size() == 4) ++out.stirrups;
        else if (e.closed && v.size() == 2 && v[0].bulge != 0) {
            // A ring (two arcs) or a dot (a ring without a hole).
            if (std::fabs(v[1].x - v[0].x) > 200) ++out.rings;
            else ++out.dots;
        } else if (v.size() == 2 && v[0].startWidth == 30 && (v[0].x == v[1].x || v[0].y == v[1].y))
            ++out.rows;
    }
    return out;
}

// Only the lines of the outline are drawn in colour 3 without dimension ticks;
// the outline count is taken from a drawing of the record alone.
Drawn Sketch(CJieMianJT record, int column, float x = 0, float y = 0) {
    CBase_SGT d;
    d.New_MemDxf();
    record.Draw(&d, x, y, column);
    return Classify(d);
}

CJieMianJT Beam(int kind) {
    CJieMianJT r;
    r.kind = kind;
    r.b = 200, r.h = 500, r.bf = 400, r.hf = 80, r.bf1 = 500, r.hf1 = 100;
    return r;
}

TEST(SectionSketch, RectangleDrawsOnlyTheRowsAndStirrupItHasSteelFor) {
    CJieMianJT r = Beam(0);
    r.As = 788.4f;
    Drawn only = Sketch(r, 0);
    EXPECT_EQ(only.rows, 1);
    EXPECT_EQ(only.stirrups, 0);
    EXPECT_TRUE(only.TextEndsWith("788"));
    EXPECT_TRUE(only.HasText("200"));  // b
    EXPECT_TRUE(only.HasText("500"));  // h

    r.As1 = 375, r.Asv = 0.1f;  // 0.1 does not count
    Drawn both = Sketch(r, 0);
    EXPECT_EQ(both.rows, 2);
    EXPECT_EQ(both.stirrups, 0);
    r.Asv = 143.1f;
    Drawn all = Sketch(r, 0);
    EXPECT_EQ(all.stirrups, 1);
    EXPECT_TRUE(all.TextEndsWith("143"));
}

// Dimension texts are the entered millimetres at any drawing scale.
TEST(SectionSketch, DimensionTextsAreMillimetresAtAnyScale) {
    for (float scale : {50.0f, 100.0f, 250.0f}) {
        SCOPED_TRACE(scale);
        CBase_SGT d;
        d.New_MemDxf();
        d.SetBiLiChi(scale);
        CJieMianJT r = Beam(2);
        r.b = 250.4f;
        r.Draw(&d, 0, 0, 0);
        Drawn out = Classify(d);
        for (const char* t : {"250", "500", "400", "80", "100"}) EXPECT_TRUE(out.HasText(t)) << t;
    }
}

TEST(SectionSketch, KindsDrawTheirOutlineAndDimensions) {
    struct Case {
        int kind;
        int dimensionTexts;  // plain numbers (the record has no steel)
        bool outline;
    } cases[] = {{0, 2, true}, {1, 4, true}, {2, 6, true}, {3, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        Drawn out = Sketch(Beam(c.kind), 0);
        EXPECT_EQ(static_cast<int>(out.texts.size()), c.dimensionTexts);
        EXPECT_EQ(out.outline > 0, c.outline);
        EXPECT_EQ(out.base > 0, c.outline);
    }
    // Kind 3: no outline and no dimension, but the bars and their labels.
    CJieMianJT bars = Beam(3);
    bars.As = 500, bars.As1 = 300;
    Drawn out = Sketch(bars, 0);
    EXPECT_EQ(out.base, 0);
    EXPECT_EQ(out.rows, 2);
    EXPECT_EQ(out.texts.size(), 2u);
}

// The h dimension of an I section stands left of the wider flange, whichever it is.
TEST(SectionSketch, ISectionHeightStandsOutsideTheWiderFlange) {
    for (bool topWider : {true, false}) {
        SCOPED_TRACE(topWider);
        CJieMianJT r = Beam(2);
        r.bf = topWider ? 300 : 700;
        r.bf1 = topWider ? 700 : 300;
        CBase_SGT d;
        d.New_MemDxf();
        r.Draw(&d, 0, 0, 0);
        const float f = d.GetBiLiChi() / 25;
        double hx = 1e30;
        for (const Entity& e : d.Entities())
            if (e.kind == EntityKind::Text && e.text == "500") hx = e.x1;
        ASSERT_LT(hx, 1e29);
        EXPECT_LT(hx, -700 * f / 2);
    }
}

TEST(SectionSketch, ColumnRectangleDrawsFourRowsAndTheStirrupLabels) {
    CJieMianJT r;
    r.kind = 0;
    r.b = 400, r.h = 600, r.Asx = 991, r.Asx1 = 991, r.Asy = 480, r.Asy1 = 480, r.Avx = 60, r.Avy = 70;
    Drawn out = Sketch(r, 1);
    EXPECT_EQ(out.rows, 4);
    EXPECT_EQ(out.stirrups, 1);
    for (const char* t : {"991", "480", "60", "70"}) EXPECT_TRUE(out.TextEndsWith(t)) << t;

    // An I section gets no left and right rows.
    r.kind = 2;
    r.bf = r.bf1 = 800, r.hf = r.hf1 = 150;
    EXPECT_EQ(Sketch(r, 1).rows, 2);
}

TEST(SectionSketch, CircleDrawsRingAndTenBarsEvenWithoutSteel) {
    CJieMianJT r;
    r.kind = 4;
    r.D = 500;
    Drawn out = Sketch(r, 1, 1000, 0);
    EXPECT_EQ(out.circles, 1);
    EXPECT_EQ(out.rings, 1);
    EXPECT_EQ(out.dots, 10);
    EXPECT_TRUE(out.HasText("500"));
    int zeros = 0;
    for (const auto& t : out.texts) zeros += t.size() >= 1 && t.back() == '0' && t != "500";
    EXPECT_EQ(zeros, 2);  // the bars' and the stirrup's labels read 0
}

// The modules hand the sketch their kind and the steel of the design just run;
// the column stands at the middle of what the drawing already holds.
TEST(SectionSketch, ModulesDrawTheirKindWithTheDesignedSteel) {
    kv::test::EditionGuard edition(2010);
    auto plainNumbers = [](const Drawn& out) {
        return std::count_if(out.texts.begin(), out.texts.end(), [](const std::string& t) { return t[0] != '('; });
    };
    auto steel = [](float area) { return ")" + std::to_string(std::lround(area)); };

    CLiangData beam;
    beam.Kind = 2;  // a T section: b, h, bf' and hf'
    beam.T = 5;
    ASSERT_EQ(liang_design(beam, nullptr), 1);
    CBase_SGT t;
    t.New_MemDxf();
    liang_report(beam, nullptr, &t);
    const Drawn tee = Classify(t);
    EXPECT_EQ(plainNumbers(tee), 4);
    for (const char* size : {"200", "500", "400", "80"}) EXPECT_TRUE(tee.HasText(size)) << size;
    EXPECT_EQ(tee.rows, 2);
    EXPECT_EQ(tee.stirrups, 1);
    for (float area : {beam.ResAs, beam.ResAs1, beam.ResStirrup}) EXPECT_TRUE(tee.TextEndsWith(steel(area))) << area;

    CZhuData column;
    column.Mx = 400, column.My = 0, column.N = 800, column.Vx = 0, column.Vy = 0;
    ASSERT_EQ(zhu_design(column, nullptr), 1);
    ASSERT_GT(column.ResAsx, column.ResAsy);
    CBase_SGT r;
    r.New_MemDxf();
    r.Draw_Line(2000, 300, 6000, 300);
    zhu_report(column, nullptr, &r);
    const Drawn rect = Classify(r);
    EXPECT_EQ(rect.rows, 4);
    // Symmetric steel: the same area on both x faces.
    EXPECT_EQ(std::count_if(rect.texts.begin(), rect.texts.end(),
                            [&](const std::string& s) { return s.ends_with(steel(column.ResAsx)); }),
              2);
    // The outline's top and bottom: level lines as long as the width.
    const double width = column.B * r.GetBiLiChi() / 25;
    std::vector<const Entity*> edges;
    for (const Entity& e : r.Entities())
        if (e.kind == EntityKind::Line && e.y1 == e.y2 && std::fabs(std::fabs(e.x2 - e.x1) - width) < 0.01)
            edges.push_back(&e);
    ASSERT_EQ(edges.size(), 2u);
    for (const Entity* e : edges) EXPECT_NEAR((e->x1 + e->x2) / 2, 4000, 0.01);
    EXPECT_NEAR(std::min(edges[0]->y1, edges[1]->y1), 300, 0.01);

    column.Kind = 3;  // a circle: its ring and ten bars
    CBase_SGT c;
    c.New_MemDxf();
    zhu_report(column, nullptr, &c);
    const Drawn circle = Classify(c);
    EXPECT_EQ(circle.circles, 1);
    EXPECT_EQ(circle.rings, 1);
    EXPECT_EQ(circle.dots, 10);
}

TEST(SectionSketch, EachKindPassesAnOutsideReader) {
    const std::string python = kv::test::PythonWithEzdxf();
    if (python.empty()) GTEST_SKIP() << "python3-ezdxf is not installed";
    kv::test::TempFolder dir;
    for (int kind : {0, 1, 2, 3, 4}) {
        CBase_SGT d;
        d.New_MemDxf();
        d.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
        d.Write_Tables();
        CJieMianJT r = Beam(kind);
        r.D = 500, r.As = 800, r.As1 = 300, r.Asv = 120, r.Asx = 900, r.Avx = 50;
        r.Draw(&d, 0, 0, kind == 4 ? 1 : 0);
        const std::string file = dir / ("kind" + std::to_string(kind) + ".DXF");
        ASSERT_TRUE(d.Write_MemDxf_To_File(file.c_str()));
        EXPECT_TRUE(kv::test::EzdxfRecoverPasses(python, file)) << kind;
    }
}

}  // namespace
