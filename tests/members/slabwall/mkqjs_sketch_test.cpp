#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "drawing/pen.h"
#include "members/slabwall/mkqjs_data.h"

namespace {

using kv::drawing::Entity;
using kv::drawing::EntityKind;

std::vector<std::string> Texts(const DXF& d, const char* layer = nullptr) {
    std::vector<std::string> all;
    for (const Entity& e : d.Entities())
        if (e.kind == EntityKind::Text && (!layer || e.layer == layer)) all.push_back(e.text);
    std::sort(all.begin(), all.end());
    return all;
}

int Count(const DXF& d, EntityKind kind) {
    return static_cast<int>(std::count_if(d.Entities().begin(), d.Entities().end(),
                                          [&](const Entity& e) { return e.kind == kind; }));
}

std::vector<Entity> Outline(const CMkqJsData& data, int side, int withDims = 1) {
    CMkqJsData d = data;
    CPenSGT pen(nullptr);
    d.PreparePen(&pen, 50);
    float x = 0, y = 0;
    EXPECT_EQ(d.DrawOutline(side, &pen, x, y, CPenSGT::LT_FINE, "", withDims), 1);
    return pen.Entities();
}

TEST(MkqSketch, AFlatDoorIgnoresTheChamferItsSidesStillHold) {
    CMkqJsData flat;
    CMkqJsData leftover = flat;
    leftover.Side[0].dx = leftover.Side[0].dy = 100;
    EXPECT_EQ(Outline(flat, 0), Outline(leftover, 0));

    CMkqJsData arched = leftover;
    arched.DoorType = 1;
    CPenSGT pen(nullptr);
    arched.PreparePen(&pen, 50);
    float x, y;
    arched.DrawOutline(0, &pen, x, y, CPenSGT::LT_FINE, "", 1);
    // Both chamfer legs get their dimension.
    EXPECT_EQ(Texts(pen, "DIM"), (std::vector<std::string>{"100", "100", "500", "600", "900"}));
}

TEST(MkqSketch, TheHaunchGetsADimensionOnlyWhenThereIsOne) {
    const struct {
        float ha;
        std::vector<std::string> dims;
    } cases[] = {{0, {"500", "600", "900"}}, {0.005f, {"500", "600", "900"}}, {200, {"200", "500", "600", "900"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ha);
        CMkqJsData d;
        d.Side[2].ha = c.ha;
        CPenSGT pen(nullptr);
        d.PreparePen(&pen, 50);
        float x, y;
        ASSERT_EQ(d.DrawOutline(2, &pen, x, y, CPenSGT::LT_THICK, "尺寸", 1), 1);
        std::vector<std::string> dims = Texts(pen, "DIM");
        EXPECT_EQ(dims, c.dims);
        // The title goes 20 paper mm under the root; the caller continues there.
        EXPECT_FLOAT_EQ(y, -(600 + c.ha) - 20 * 50);
        EXPECT_FLOAT_EQ(x, -500);
    }
}

TEST(MkqSketch, TheBlastLoadAlwaysHasAnArrowAtEachEndOfItsWidth) {
    const struct {
        float L2;
        int arrows;
    } cases[] = {{800, 6}, {150, 2}, {100, 2}, {300, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.L2);
        CMkqJsData d;
        d.Side[0].qi = 0;
        d.Side[0].L2 = c.L2;
        CPenSGT pen(nullptr);
        d.PreparePen(&pen, 50);  // one paper mm is 50 mm: an arrow every 150 mm or less
        float x, y;
        ASSERT_EQ(d.DrawLoadSketch(0, &pen, x, y, 1, 0), 1);
        EXPECT_EQ(Count(pen, EntityKind::Solid), c.arrows);
        EXPECT_EQ(Texts(pen, "DIM").size(), 1u);  // L2 only: no force, no L1
    }
}

TEST(MkqSketch, TheDoorLeafBearsOnTheChamferInTheSectionButOnTheLineInTheModel) {
    const struct {
        int door, labelMode;
        float L1, tipY;
        int texts;
    } cases[] = {
        {1, 1, 850, -50, 2},  // on the chamfer (800,0)-(900,-100)
        {1, 2, 850, 0, 3},    // the line model keeps it on its axis, and shows the moment
        {1, 0, 700, 0, 0},    // before the chamfer
        {0, 1, 850, 0, 2},    // a flat door has no chamfer
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.door << " " << c.labelMode << " " << c.L1);
        CMkqJsData d;
        d.DoorType = c.door;
        d.Side[1].dx = d.Side[1].dy = 100;
        d.Side[1].L1 = c.L1;
        CPenSGT pen(nullptr);
        d.PreparePen(&pen, 50);
        float x, y;
        ASSERT_EQ(d.DrawLoadSketch(1, &pen, x, y, c.labelMode, 12.6f), 1);
        // The first arrow head is the door leaf's; stored at 1:100, twice the mm at 1:50.
        const auto head = std::find_if(pen.Entities().begin(), pen.Entities().end(),
                                       [](const Entity& e) { return e.kind == EntityKind::Solid; });
        ASSERT_NE(head, pen.Entities().end());
        EXPECT_NEAR(head->x1, 2 * c.L1, 1e-3);
        EXPECT_NEAR(head->y1, 2 * c.tipY, 1e-3);
        std::vector<std::string> labels = Texts(pen, "SKETCH");
        EXPECT_EQ(static_cast<int>(labels.size()), c.texts);
        if (c.labelMode == 2) {
            EXPECT_NE(std::find(labels.begin(), labels.end(), "13kN.m/m"), labels.end());
        }
    }
}

TEST(MkqSketch, WithoutLoadsTheInputSketchShowsTheSectionAlone) {
    for (int loads : {0, 1}) {
        SCOPED_TRACE(loads);
        CMkqJsData d;
        d.DrawLoads = loads;
        d.CurSide = 3;
        CBase_SGT drawing;
        drawing.New_MemDxf();
        ASSERT_EQ(d.DrawJianTu(&drawing), 1);
        EXPECT_EQ(Count(drawing, EntityKind::Solid) > 0, loads == 1);
        const std::vector<std::string> texts = Texts(drawing);
        EXPECT_NE(std::find(texts.begin(), texts.end(), "尺寸荷载简图(下)"), texts.end());
    }
}

}  // namespace
