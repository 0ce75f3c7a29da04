#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "drawing/pen_sgtex.h"

using namespace kv::drawing;

namespace {

std::vector<const Entity*> OfKind(const DXF& d, EntityKind k) {
    std::vector<const Entity*> out;
    for (const auto& e : d.Entities())
        if (e.kind == k) out.push_back(&e);
    return out;
}

TEST(BaseSgt, PenStateAppliesToEntitiesAndPopRestoresIt) {
    CBase_SGT d;
    d.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    d.SetCurColor("3");
    d.Push_ENV();
    d.SetCurColor("1");
    d.SetCurLayer("LOAD");
    d.SetBaseOffset(0, -5000);
    d.Draw_Line(0, 0, 10, 0);
    d.Pop_ENV();
    d.Draw_Text(5, 5, 300, 0, "荷载");
    ASSERT_EQ(d.Entities().size(), 2u);
    const Entity& line = d.Entities()[0];
    EXPECT_EQ(line.color, 1);
    EXPECT_EQ(line.layer, "LOAD");
    EXPECT_DOUBLE_EQ(line.y1, -5000);
    const Entity& text = d.Entities()[1];
    EXPECT_EQ(text.color, 3);
    EXPECT_EQ(text.layer, "0");
    EXPECT_DOUBLE_EQ(text.y1, 5);
    EXPECT_EQ(text.style, "HZ");
    EXPECT_DOUBLE_EQ(text.widthFactor, 0.75);
}

TEST(BaseSgt, DimensionDistancesAreDrawingSettingsThatOutliveTheSavedState) {
    // A sketch halves the two dimension distances inside its saved state; the next
    // sketch below it is placed by the halved distance (slab and wall diagrams).
    CBase_SGT d;  // 1:100, 10 and 7 paper mm
    d.Push_ENV();
    d.SetDimDistance(0, d.GetDimDistance(0) / 2);
    d.SetDimDistance(1, d.GetDimDistance(1) / 2);
    d.SetTextHeight(500);
    d.Pop_ENV();
    EXPECT_FLOAT_EQ(d.GetDimDistance(0), 500);
    EXPECT_FLOAT_EQ(d.GetDimDistance(1), 350);
    EXPECT_FLOAT_EQ(d.GetTextHeight(), 350);  // pen sizes come back
    d.SetBiLiChi(50);                          // kept in paper mm
    EXPECT_FLOAT_EQ(d.GetDimDistance(0), 250);
    d.New_MemDxf();  // a new drawing starts from the defaults
    EXPECT_FLOAT_EQ(d.GetDimDistance(0), 500);
}

TEST(BaseSgt, RelativePolylineMovesThePen) {
    CBase_SGT d;
    d.MoveTo(0, 0);
    d.PlineTo_Relative(6000, 0, 100, 100);
    d.PlineTo_Relative(6000, 0, 100, 100);
    const auto pl = OfKind(d, EntityKind::Polyline);
    ASSERT_EQ(pl.size(), 2u);
    EXPECT_DOUBLE_EQ(pl[1]->vertices[0].x, 6000);
    EXPECT_DOUBLE_EQ(pl[1]->vertices[1].x, 12000);
    EXPECT_DOUBLE_EQ(pl[1]->vertices[0].startWidth, 100);
}

TEST(BaseSgt, TwoPointDimensionShowsItsTextOrTheLength) {
    CBase_SGT d;
    d.Draw_Dim_Points(-3000, -1000, 3000, -1000, "6000", 1, 1);
    d.Draw_Dim_Points(-3000, -2000, 3000, -2000, nullptr, 1, 1);
    const auto texts = OfKind(d, EntityKind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->text, "6000");
    EXPECT_EQ(texts[1]->text, "6000");
    EXPECT_DOUBLE_EQ(texts[1]->x1, 0);          // centred on the dimension line
    EXPECT_GT(texts[1]->y1, -2000);             // side 1: above it
    EXPECT_DOUBLE_EQ(texts[1]->rotation, 0);
}

TEST(BaseSgt, TextAlongALineStaysBesideItWhateverItsDirection) {
    // The same line drawn both ways: the text reads left to right and sits on
    // the left of the direction given (above for left→right, below for right→left).
    CBase_SGT fwd, back;
    fwd.Draw_Text_Along_Line(0, 0, 6000, 0, 8, 3, "12.5", 300, 60);
    back.Draw_Text_Along_Line(6000, 0, 0, 0, 8, 3, "12.5", 300, 60);
    CFRect rf, rb;
    ASSERT_EQ(fwd.GetFRect(rf), 1);
    ASSERT_EQ(back.GetFRect(rb), 1);
    EXPECT_DOUBLE_EQ(fwd.Entities()[0].rotation, 0);
    EXPECT_DOUBLE_EQ(back.Entities()[0].rotation, 0);
    EXPECT_NEAR(rf.bottom, 60, 1e-3);
    EXPECT_NEAR(rf.top, 360, 1e-3);
    EXPECT_NEAR(rb.top, -60, 1e-3);
    EXPECT_NEAR(rb.bottom, -360, 1e-3);
    EXPECT_NEAR((rf.left + rf.right) / 2, 3000, 1e-3);
}

TEST(BaseSgt, ChineseTextsHaveTheirStyleWithoutAnyBeingAdded) {
    // Pens that draw sketches for insertion add no text style of their own; their
    // texts still go out in "HZ" on the big font "hztxt", in the pen and where inserted.
    CPenSGT pen;
    pen.CPenSGT::Draw_Text(0, 0, 0, 0, "尺寸荷载简图(左)", "BL");
    CBase_SGT target;
    target.InsertDxf(pen, 0, 0, 0, 1, 1);
    DXF back;
    ASSERT_EQ(back.Read_Dxf_From_Bytes(target.ToDxfBytes()), 1);
    for (const DXF* d : std::vector<const DXF*>{&pen, &target, &back}) {
        ASSERT_EQ(d->Entities().size(), 1u);
        EXPECT_EQ(d->Entities()[0].style, "HZ");
        ASSERT_NE(d->FindStyle("HZ"), nullptr);
        EXPECT_EQ(d->FindStyle("HZ")->bigFont, "hztxt");
        EXPECT_FLOAT_EQ(d->FindStyle("HZ")->widthFactor, 0.75f);
    }
}

TEST(BaseSgt, SixthPositionsPastTheEndStayOnTheLineOrArc) {
    // Positions count in sixths of the line or arc; one past the last sixth is its
    // end, not a point beyond it (member labels at "start, middle, end" of arcs use 7).
    for (int pos : {0, 3, 6, 7, 9}) {
        CBase_SGT d;
        d.Draw_Text_Along_Line(0, 0, 6000, 0, 8, pos, "12.5", 300, 60);
        d.Draw_Text_Along_Arc(0, 0, 1000, 0, 90, 8, pos, "12.5", 300, 60);
        ASSERT_EQ(d.Entities().size(), 2u) << pos;
        const Entity& onLine = d.Entities()[0];
        EXPECT_LE(onLine.x1, 6000 + 1e-6) << pos;
        const Entity& onArc = d.Entities()[1];
        const double deg = std::atan2(onArc.y1, onArc.x1) * 180 / kPi;
        EXPECT_GE(deg, -1e-6) << pos;
        EXPECT_LE(deg, 90 + 1e-6) << pos;
    }
}

TEST(PenJT, DrawsInTrueMillimetresAtItsOwnScale) {
    CPenJT pen;
    pen.SetCurBiLi(50);
    EXPECT_FLOAT_EQ(pen.GetAbsLength(1), 50);
    pen.Draw_Line(0, 0, 1000, 0);
    // Stored at 1:100: 1000 mm at 1:50 take the place of 2000.
    EXPECT_DOUBLE_EQ(pen.Entities()[0].x2, 2000);
}

TEST(PenSgt, SymbolSizeIsTheOneBreakLinesAreDrawnWith) {
    // Callers limit the size to a wall's thickness by comparing with what the pen
    // reports, so it must report the size it draws with, the default included.
    struct Case { float set; float expected; } cases[] = {{0, 150}, {60, 60}};
    for (const auto& c : cases) {
        CPenSGT pen;
        pen.SetCurBiLi(50);  // one paper unit is 50, stored at twice that
        if (c.set > 0) pen.SetSymbolSize(c.set);
        EXPECT_FLOAT_EQ(pen.GetSymbolSize(), c.expected) << c.set;
        pen.Draw_BreakLine(0, 0, 300, 0);
        double reach = 0;
        for (const auto& e : pen.Entities()) reach = std::max({reach, std::fabs(e.y1), std::fabs(e.y2)});
        EXPECT_NEAR(reach / 2, c.expected, 1e-3) << c.set;
    }
}

TEST(PenJT, AForceLabelSitsBesideItsShaftNotOnIt) {
    CPenSGT pen;  // 1:100: the label is 300 high, 100 clear of the shaft
    ASSERT_EQ(pen.Draw_ForceSymbol(-800, 0, 200, 0, 300, 300, 2, "迎波面"), 1);
    const auto texts = OfKind(pen, EntityKind::Text);
    ASSERT_EQ(texts.size(), 1u);
    CPenSGT label;
    label.Entities().push_back(*texts[0]);
    CFRect r;
    ASSERT_EQ(label.GetFRect(r), 1);
    EXPECT_NEAR(r.bottom, 100, 1e-3) << "above the shaft";
    EXPECT_NEAR((r.left + r.right) / 2, -300, 1e-3) << "centred on it";
}

TEST(PenJT, InsertWithDirectionCosinesMirrorsARightSide) {
    CPenSGT side;
    side.Draw_Line(0, 0, 500, -200);
    float l[3][3];
    form_euler_lamda(0, 0, 3.14159265f, l);
    CPenSGT cut;
    ASSERT_EQ(cut.InsertDxf(side, 3000, 0, l), 1);
    EXPECT_NEAR(cut.Entities()[0].x2, 2500, 1e-3);
    EXPECT_NEAR(cut.Entities()[0].y2, -200, 1e-3);
}

TEST(PenSgtEx, SteelPolylineWithEndMarks) {
    CPenSGTEx pen;  // 1:100, so one paper unit is 100
    pen.SetCurColor("5");
    pen.SetCurLayer("WALL");
    const float x[2] = {0, 1000}, y[2] = {0, 0};
    ASSERT_EQ(pen.Draw_SteelPolyline(2, 2, x, y, nullptr, 2, -2), 1);
    const auto pl = OfKind(pen, EntityKind::Polyline);
    ASSERT_EQ(pl.size(), 3u);  // the bar and two marks
    struct Mark { double ax, ay, bx, by; } marks[] = {{0, 100, 150, 100}, {1000, -100, 850, -100}};
    for (int i = 0; i < 2; ++i) {
        const Entity& m = *pl[1 + i];
        ASSERT_EQ(m.vertices.size(), 2u);
        EXPECT_NEAR(m.vertices[0].x, marks[i].ax, 1e-3) << i;
        EXPECT_NEAR(m.vertices[0].y, marks[i].ay, 1e-3) << i;
        EXPECT_NEAR(m.vertices[1].x, marks[i].bx, 1e-3) << i;
        EXPECT_NEAR(m.vertices[1].y, marks[i].by, 1e-3) << i;
    }
    for (const Entity* e : pl) {
        EXPECT_EQ(e->layer, "STEEL-2");
        EXPECT_EQ(e->color, kByLayer);
        EXPECT_EQ(e->xdataApp, "KV_TUSU");
        ASSERT_EQ(e->xdata.size(), 2u);
        EXPECT_EQ(e->xdata[0].value, "28");
        EXPECT_EQ(e->xdata[1].value, "1");
    }
    EXPECT_EQ(pen.m_nElemCount, 1);
    EXPECT_EQ(pen.m_nDrawState, 0);
    // The pen is as it was: the next line is on the caller's layer and colour, without data.
    pen.Draw_Line(0, 0, 1, 1);
    EXPECT_EQ(pen.Entities().back().layer, "WALL");
    EXPECT_EQ(pen.Entities().back().color, 5);
    EXPECT_TRUE(pen.Entities().back().xdata.empty());
}

TEST(PenSgtEx, SteelPolylineEndTypesWithoutMarks) {
    const float x[3] = {0, 1000, 1000}, y[3] = {0, 0, 500};
    {
        CPenSGTEx pen;
        pen.Draw_SteelPolyline(1, 3, x, y, nullptr, 3, 3);  // plain ends
        ASSERT_EQ(OfKind(pen, EntityKind::Polyline).size(), 1u);
        EXPECT_EQ(OfKind(pen, EntityKind::Polyline)[0]->vertices.size(), 3u);
    }
    {
        CPenSGTEx pen;
        EXPECT_EQ(pen.Draw_SteelPolyline(1, 1, x, y, nullptr, 2, 2), 1);  // one point: no marks
        EXPECT_TRUE(pen.Entities().empty());
    }
    {
        CPenSGTEx pen;  // no points at all: nothing drawn, no mark read from nowhere
        EXPECT_EQ(pen.Draw_SteelPolyline(1, 2, nullptr, nullptr, nullptr, 2, -2), 1);
        EXPECT_TRUE(pen.Entities().empty());
    }
    {
        CPenSGTEx pen;
        pen.Draw_SteelPolyline(1, 3, x, y, nullptr, 1, -1);  // hooks are part of the bar
        ASSERT_EQ(OfKind(pen, EntityKind::Polyline).size(), 1u);
        EXPECT_EQ(OfKind(pen, EntityKind::Polyline)[0]->vertices.size(), 5u);
    }
}

TEST(PenSgtEx, SteelLayerFallsBackToLayerZero) {
    CPenSGTEx pen;
    pen.m_LayerManager.SetLayers({});
    const float x[2] = {0, 1000}, y[2] = {0, 0};
    EXPECT_EQ(pen.Draw_SteelPolyline(1, 2, x, y, nullptr, 0, 0), 1);
    EXPECT_EQ(pen.Entities()[0].layer, "0");
}

TEST(PenSgtEx, MirrorChangesTheCallersPoints) {
    CPenSGTEx pen;
    float x[3] = {1, 2, 3}, y[3] = {4, -5, 6};
    EXPECT_EQ(pen.Draw_PLineMirror(CPenSGT::LT_FINE, 3, x, y, 1, nullptr, 0, nullptr, nullptr), 1);
    EXPECT_FLOAT_EQ(y[0], -4);
    EXPECT_FLOAT_EQ(y[1], 5);
    EXPECT_FLOAT_EQ(x[2], 3);
    pen.Draw_PLineMirror(CPenSGT::LT_FINE, 3, x, y, 2, nullptr, 0, nullptr, nullptr);
    EXPECT_FLOAT_EQ(x[0], -1);
    EXPECT_DOUBLE_EQ(pen.Entities().back().vertices[0].x, -1);
}

TEST(PenSgtEx, RadialLabelLineAndText) {
    CPenSGTEx pen;
    ASSERT_EQ(pen.Draw_RadialLabel(0, 0, 90, 500, "R=3.5m", "RESULT", "4"), 1);
    ASSERT_EQ(pen.Entities().size(), 2u);
    const Entity& line = pen.Entities()[0];
    EXPECT_NEAR(line.x2, 0, 1e-3);
    EXPECT_NEAR(line.y2, 500, 1e-3);
    EXPECT_EQ(line.layer, "RESULT");
    const Entity& text = pen.Entities()[1];
    EXPECT_NEAR(text.x1, -100 * std::sqrt(0.5), 1e-3);  // 100 out at 90° + 45°
    EXPECT_NEAR(text.y1, 100 * std::sqrt(0.5), 1e-3);
    EXPECT_DOUBLE_EQ(text.rotation, 90);
    // A line of no length is refused and no text follows.
    CPenSGTEx empty;
    EXPECT_EQ(empty.Draw_RadialLabel(0, 0, 30, 0, "x", nullptr, nullptr), 0);
    EXPECT_TRUE(empty.Entities().empty());
}
}  // namespace
