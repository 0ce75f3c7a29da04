#include "base/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

// The mesh generator's node record: x and y first, then its number.
struct NodeRecord {
    float x, y;
    int index;
};

TEST(Directions, AnglesRunCounterClockwiseFromXInOneTurn) {
    struct Case {
        float x1, y1, x2, y2;
        double angle, angleDouble;
    };
    const Case cases[] = {
        {0, 0, 1, 0, 0.0, 0.0},
        {0, 0, 0, 1, kPi / 2, kPi / 2},
        {0, 0, -1, 0, kPi, kPi},
        {0, 0, 0, -1, 1.5 * kPi, 1.5 * kPi},
        {1, 1, 0, 0, 1.25 * kPi, 1.25 * kPi},
        {2, 3, 2, 3, 0.0, 0.0},  // one point
        // Just below a full turn: single precision cannot hold it apart from 2π,
        // so it must come back as 0 rather than as a full turn.
        {0, 0, 1, -1e-9f, 0.0, 2 * kPi},
    };
    for (const auto& c : cases) {
        float a = JH_GetAngle(c.x1, c.y1, c.x2, c.y2);
        EXPECT_NEAR(a, c.angle, 1e-6) << c.x2 << "," << c.y2;
        EXPECT_LT(a, static_cast<float>(2 * kPi));
        EXPECT_FLOAT_EQ(get_line_angle(c.x1, c.y1, c.x2, c.y2), a);
        double d = _JH_GetAngle(c.x1, c.y1, c.x2, c.y2);
        EXPECT_NEAR(d, c.angleDouble, 1e-8);
        EXPECT_LT(d, 2 * kPi);
    }
    EXPECT_DOUBLE_EQ(_JH_Set2PI(-kPi / 2), 1.5 * kPi);
    EXPECT_NEAR(_JH_Set2PI(5 * kPi), kPi, 1e-12);
    EXPECT_DOUBLE_EQ(_JH_Set2PI(2 * kPi), 0.0);
    EXPECT_FLOAT_EQ(JH_GetDist(1, 1, 4, 5), 5.0f);
    EXPECT_DOUBLE_EQ(_JH_GetDist(1, 1, 4, 5), 5.0);
    EXPECT_DOUBLE_EQ(_JH_GetDistance(-1, 0, 2, 4), 5.0);
    EXPECT_FLOAT_EQ(get_dist(0, 0, -3, 4), 5.0f);
}

TEST(Directions, TheAngleAtACornerOfACounterClockwiseChainIsItsInnerAngle) {
    // An L-shaped plate, corners counter-clockwise.
    struct Case {
        float px, py, x, y, qx, qy;  // previous, corner, next
        double degrees;
    };
    const Case cases[] = {
        {0, 0, 2, 0, 2, 1, 90},   // convex corner
        {2, 1, 1, 1, 1, 2, 270},  // re-entrant corner
        {0, 0, 1, 0, 2, 0, 180},  // straight side
        {1, 2, 0, 2, 0, 0, 90},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(get_two_line_angle(c.px, c.py, c.x, c.y, c.qx, c.qy) * 180 / kPi, c.degrees, 1e-4)
            << c.x << "," << c.y;
}

TEST(Figures, AreasAreSignedAndTheCentroidIsTheAreaCentroid) {
    EXPECT_FLOAT_EQ(area_tri(0, 0, 4, 0, 0, 3), 6.0f);
    EXPECT_FLOAT_EQ(area_tri(0, 0, 0, 3, 4, 0), -6.0f);
    POINT_2D a{0, 0}, b{4, 0}, c{0, 3};
    EXPECT_FLOAT_EQ(det3_point_2d(a, b, c), 12.0f);
    EXPECT_FLOAT_EQ(det3_point_2d(a, c, b), -12.0f);

    // L shape: 2 x 1 below, 1 x 1 on its left half above. Area 3; centroid
    // (2·(1, 0.5) + 1·(0.5, 1.5)) / 3 = (5/6, 5/6). Far from the origin too.
    for (float off : {0.0f, 1000.0f}) {
        const float xs[] = {off + 0, off + 2, off + 2, off + 1, off + 1, off + 0};
        const float ys[] = {off + 0, off + 0, off + 1, off + 1, off + 2, off + 2};
        EXPECT_NEAR(area_poli(6, xs, ys), 3.0, 1e-4) << off;
        const float rx[] = {xs[5], xs[4], xs[3], xs[2], xs[1], xs[0]};
        const float ry[] = {ys[5], ys[4], ys[3], ys[2], ys[1], ys[0]};
        EXPECT_NEAR(area_poli(6, rx, ry), -3.0, 1e-4) << off;
        float x = 0, y = 0;
        EXPECT_EQ(centroid_poli(6, xs, ys, &x, &y), 1);
        EXPECT_NEAR(x, off + 5.0 / 6, 1e-4);
        EXPECT_NEAR(y, off + 5.0 / 6, 1e-4);
        EXPECT_EQ(centroid_poli(6, rx, ry, &x, &y), 1);  // either direction
        EXPECT_NEAR(x, off + 5.0 / 6, 1e-4);
    }
    // No area: the corners' mean, and the caller is told.
    const float lx[] = {0, 1, 3};
    const float ly[] = {0, 1, 3};
    float x = -1, y = -1;
    EXPECT_EQ(centroid_poli(3, lx, ly, &x, &y), 0);
    EXPECT_FLOAT_EQ(x, 4.0f / 3);
    EXPECT_FLOAT_EQ(y, 4.0f / 3);
    EXPECT_FLOAT_EQ(area_poli(2, lx, ly), 0.0f);
}

TEST(Figures, PointInAreaCountsTheEdgeAsInsideAndReadsNodeRecords) {
    const NodeRecord plate[] = {{0, 0, 7}, {2, 0, 8}, {2, 1, 9}, {1, 1, 10}, {1, 2, 11}, {0, 2, 12}};
    struct Case {
        float x, y;
        int inside;
    };
    const Case cases[] = {
        {0.5f, 0.5f, 1}, {0.5f, 1.5f, 1}, {1.5f, 0.5f, 1},
        {1.5f, 1.5f, 0},  // the notch
        {3.0f, 0.5f, 0},  {-0.1f, 1.0f, 0}, {0.5f, 2.5f, 0},
        {1.0f, 0.0f, 1},  // on an edge
        {1.0f, 1.5f, 1},  // on the re-entrant edge
        {2.0f, 1.0f, 1},  // a corner
    };
    for (const auto& c : cases) EXPECT_EQ(point_in_area(6, plate, c.x, c.y) != 0, c.inside != 0) << c.x << "," << c.y;
    EXPECT_EQ(point_in_area(2, plate, 0.5f, 0.0f), 0);
}

TEST(Figures, DistancesToSegmentsAndLargestAngles) {
    POINT_2D a{0, 0}, b{4, 0};
    struct Case {
        POINT_2D p;
        float dist;
    };
    const Case cases[] = {{{2, 3}, 3}, {{-3, 4}, 5}, {{7, -4}, 5}, {{1, 0}, 0}};
    for (const auto& c : cases) EXPECT_FLOAT_EQ(get_dist_point_segment_2d(a, b, c.p), c.dist) << c.p.x;
    EXPECT_FLOAT_EQ(get_dist_point_segment_2d(a, a, POINT_2D{3, 4}), 5.0f);
    EXPECT_FLOAT_EQ(get_dist_point_2d(a, POINT_2D{3, 4}), 5.0f);

    // Right, equilateral, and isosceles with 30° base angles (apex 120°).
    EXPECT_NEAR(max_angle_of_tri(POINT_2D{0, 0}, POINT_2D{3, 0}, POINT_2D{0, 4}), kPi / 2, 1e-6);
    EXPECT_NEAR(max_angle_of_tri(POINT_2D{0, 0}, POINT_2D{2, 0}, POINT_2D{1, std::sqrt(3.0f)}), kPi / 3, 1e-6);
    EXPECT_NEAR(max_angle_of_tri(POINT_2D{0, 0}, POINT_2D{2, 0}, POINT_2D{1, 1 / std::sqrt(3.0f)}), 2 * kPi / 3,
                1e-6);
    // Collinear corners give a straight angle; a repeated corner the worst one.
    EXPECT_NEAR(max_angle_of_tri(POINT_2D{0, 0}, POINT_2D{1, 0}, POINT_2D{3, 0}), kPi, 1e-6);
    EXPECT_NEAR(max_angle_of_tri(POINT_2D{0, 0}, POINT_2D{0, 0}, POINT_2D{3, 0}), kPi, 1e-6);

    // The oriented variant agrees on a counter-clockwise triangle; run backwards
    // its angles are the outer ones, the largest opposite the smallest inner.
    EXPECT_NEAR(max_angle_of_tri_2(POINT_2D{0, 0}, POINT_2D{3, 0}, POINT_2D{0, 4}), kPi / 2, 1e-6);
    EXPECT_NEAR(max_angle_of_tri_2(POINT_2D{0, 0}, POINT_2D{0, 4}, POINT_2D{3, 0}), 2 * kPi - std::atan2(3.0, 4.0),
                1e-5);
}

TEST(Figures, SegmentsCrossWhereTheyShareAPoint) {
    struct Case {
        POINT_2D a, b, c, d;
        int found;
        POINT_2D p;
    };
    const Case cases[] = {
        {{0, 0}, {2, 2}, {0, 2}, {2, 0}, 1, {1, 1}},
        {{0, 0}, {2, 0}, {1, 0}, {1, 1}, 1, {1, 0}},   // touching counts
        {{0, 0}, {2, 0}, {1, 3}, {3, 3}, 0, {}},       // parallel
        {{0, 0}, {1, 0}, {2, -1}, {2, 1}, 0, {}},      // the lines meet beyond the ends
        {{0, 0}, {2, 0}, {3, 0}, {1, 0}, 1, {1, 0}},   // overlapping: first common point from a
    };
    for (const auto& c : cases) {
        NodeRecord p{-9, -9, 5};
        EXPECT_EQ(segment_cross_point(c.a, c.b, c.c, c.d, &p), c.found) << c.c.x << "," << c.c.y;
        if (c.found) {
            EXPECT_NEAR(p.x, c.p.x, 1e-6);
            EXPECT_NEAR(p.y, c.p.y, 1e-6);
        } else {
            EXPECT_EQ(p.x, -9);  // untouched
        }
        EXPECT_EQ(p.index, 5);
    }
}

TEST(Figures, CoordinatesFollowTheAxesTheyAreMovedTo) {
    // A strip's outer corner at (3, 1) in the axes of the beam from (10, 20) to
    // (10, 25), brought into plan co-ordinates: turn by minus the beam's angle,
    // shift by minus its start.
    float x = 3, y = 1;
    float angle = get_line_angle(10, 20, 10, 25);
    rotate_coordinate(&x, &y, -angle);
    shift_coordinate(&x, &y, -10, -20);
    EXPECT_NEAR(x, 9.0, 1e-5);
    EXPECT_NEAR(y, 23.0, 1e-5);
    // And back again.
    shift_coordinate(&x, &y, 10, 20);
    rotate_coordinate(&x, &y, angle);
    EXPECT_NEAR(x, 3.0, 1e-5);
    EXPECT_NEAR(y, 1.0, 1e-5);
}

TEST(Lines, CoefficientTriplesMeetOrAreReportedParallel) {
    struct Case {
        float a1, b1, c1, a2, b2, c2;
        int found;
        float x, y;
    };
    const Case cases[] = {
        {1, 2, 1, 1, -1, 4, 1, 1, 3},      // y = 2x + 1 and y = -x + 4
        {0, 1, -2, 1, 0, 5, 1, 2, 5},      // x = 2 and y = 5
        {0, 1, -0.5f, 1, 0, 1, 1, 0.5f, 1},  // a side strip's edge met by its neighbour at 90°
        {1, 2, 1, 2, 4, 0, 0, 0, 0},       // parallel
        {1, 2, 1, 1, 2, 1, 0, 0, 0},       // the same line
        {0, 0, 1, 1, 0, 5, 0, 0, 0},       // no line at all
    };
    for (const auto& c : cases) {
        float x = -7, y = -7;
        EXPECT_EQ(line_func_inter(c.a1, c.b1, c.c1, c.a2, c.b2, c.c2, &x, &y), c.found) << c.b1 << "," << c.c1;
        EXPECT_FLOAT_EQ(x, c.found ? c.x : -7);
        EXPECT_FLOAT_EQ(y, c.found ? c.y : -7);
    }
    // Three collinear points: their perpendicular bisectors are parallel.
    float k = std::tan(get_line_angle(0, 0, 1, 1) + static_cast<float>(kPi / 2));
    float x = 0, y = 0;
    EXPECT_EQ(line_func_inter(1, k, 1 - k * 0.5f, 1, k, 3 - k * 1.5f, &x, &y), 0);
}

TEST(Lines, OffsetGoesToTheLeftOfTheDirection) {
    float x1, y1, x2, y2;
    line_offset_left(0, 0, 10, 0, 2, &x1, &y1, &x2, &y2);
    EXPECT_FLOAT_EQ(x1, 0); EXPECT_FLOAT_EQ(y1, 2); EXPECT_FLOAT_EQ(x2, 10); EXPECT_FLOAT_EQ(y2, 2);
    // Up the right edge of a plate, 150 to the outside (right).
    line_offset_left(5, 0, 5, 8, -150, &x1, &y1, &x2, &y2);
    EXPECT_FLOAT_EQ(x1, 155); EXPECT_FLOAT_EQ(y1, 0); EXPECT_FLOAT_EQ(x2, 155); EXPECT_FLOAT_EQ(y2, 8);
    line_offset_left(3, 4, 3, 4, 1, &x1, &y1, &x2, &y2);
    EXPECT_FLOAT_EQ(x1, 3); EXPECT_FLOAT_EQ(y1, 4); EXPECT_FLOAT_EQ(x2, 3); EXPECT_FLOAT_EQ(y2, 4);
}

TEST(Lines, EulerMatrixTurnsAndMirrorsSections) {
    // Where a door-frame side section's +x (root to tip) and +y (towards the
    // loaded face) land when it is inserted with lamda: lamda times the axis.
    struct Case {
        float a1, a2, a3;
        float xAxis[2], yAxis[2];
    };
    const float pi = 3.1415927f;
    const Case cases[] = {
        {0, 0, 0, {1, 0}, {0, 1}},             // as drawn
        {0, 0, pi, {-1, 0}, {0, 1}},           // mirrored: tip to the left, face still up
        {-pi / 2, 0, 0, {0, 1}, {-1, 0}},      // tip up
        {-pi / 2, pi, 0, {0, -1}, {-1, 0}},    // tip down, facing the one above
    };
    for (const auto& c : cases) {
        float l[3][3];
        form_euler_lamda(c.a1, c.a2, c.a3, l);
        for (int k = 0; k < 2; ++k) {
            EXPECT_EQ(l[k][0], c.xAxis[k]) << c.a1 << "," << c.a2 << "," << c.a3;
            EXPECT_EQ(l[k][1], c.yAxis[k]) << c.a1 << "," << c.a2 << "," << c.a3;
        }
    }
    // A general turn stays a pure rotation: the rows are unit and square to
    // each other.
    float l[3][3];
    form_euler_lamda(0.3f, -1.1f, 2.0f, l);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double dot = 0;
            for (int k = 0; k < 3; ++k) dot += double(l[i][k]) * l[j][k];
            EXPECT_NEAR(dot, i == j ? 1.0 : 0.0, 1e-6);
        }
    // Turning the axes by a about z turns what is inserted by −a:
    // lamda·(1, 0) = (cos a, −sin a).
    form_euler_lamda(0.5f, 0, 0, l);
    EXPECT_NEAR(l[0][0], std::cos(0.5), 1e-7);
    EXPECT_NEAR(l[1][0], -std::sin(0.5), 1e-7);
}

// ---------------------------------------------------------------------------
// Cuts. Sentinels show which outputs were written.

struct Found {
    int n;
    double x1 = -99, y1 = -99, x2 = -99, y2 = -99;
};

void ExpectPoints(const Found& f, int n, double x1, double y1, double x2, double y2, const char* what) {
    SCOPED_TRACE(what);
    ASSERT_EQ(f.n, n);
    if (n >= 1) {
        EXPECT_NEAR(f.x1, x1, 1e-9);
        EXPECT_NEAR(f.y1, y1, 1e-9);
    } else {
        EXPECT_EQ(f.x1, -99);
    }
    if (n >= 2) {
        EXPECT_NEAR(f.x2, x2, 1e-9);
        EXPECT_NEAR(f.y2, y2, 1e-9);
    } else {
        EXPECT_EQ(f.x2, -99);
    }
}

Found CircleCircle(double cx1, double cy1, double r1, double cx2, double cy2, double r2, double tol = 0.001) {
    Found f;
    f.n = _JH_GetInterPoint_Circle_Circle(cx1, cy1, r1, cx2, cy2, r2, &f.x1, &f.y1, &f.x2, &f.y2, tol);
    return f;
}

TEST(Cuts, TwoCircles) {
    ExpectPoints(CircleCircle(0, 0, 5, 8, 0, 5), 2, 4, 3, 4, -3, "crossing: the left point first");
    ExpectPoints(CircleCircle(8, 0, 5, 0, 0, 5), 2, 4, -3, 4, 3, "the other way round");
    ExpectPoints(CircleCircle(0, 0, 2, 5, 0, 3), 1, 2, 0, 0, 0, "touching outside");
    ExpectPoints(CircleCircle(0, 0, 5, 2, 0, 3), 1, 5, 0, 0, 0, "touching inside");
    Found near = CircleCircle(0, 0, 2, 5.0005, 0, 3);
    ASSERT_EQ(near.n, 1) << "a gap below the tolerance";
    EXPECT_NEAR(near.x1, 2.0, 0.001);
    ExpectPoints(CircleCircle(0, 0, 2, 5.01, 0, 3), 0, 0, 0, 0, 0, "apart");
    ExpectPoints(CircleCircle(0, 0, 5, 1, 0, 1), 0, 0, 0, 0, 0, "one inside the other");
    ExpectPoints(CircleCircle(1, 1, 5, 1, 1, 5), 0, 0, 0, 0, 0, "the same circle");
}

Found CircleSegment(double x1, double y1, double x2, double y2, double tol = 0.001) {
    Found f;
    f.n = _JH_GetInterPoint_Circle_LineSection(0, 0, 5, x1, y1, x2, y2, &f.x1, &f.y1, &f.x2, &f.y2, tol);
    return f;
}

TEST(Cuts, CircleAndSegmentInTheOrderMetAlongTheSegment) {
    ExpectPoints(CircleSegment(-10, 3, 10, 3), 2, -4, 3, 4, 3, "through");
    ExpectPoints(CircleSegment(10, 3, -10, 3), 2, 4, 3, -4, 3, "through, reversed");
    ExpectPoints(CircleSegment(0, 3, 10, 3), 1, 4, 3, 0, 0, "from inside");
    ExpectPoints(CircleSegment(-10, 5, 10, 5), 1, 0, 5, 0, 0, "tangent");
    ExpectPoints(CircleSegment(0, 3, 3.9995, 3), 1, 4, 3, 0, 0, "ending short by less than the tolerance");
    ExpectPoints(CircleSegment(0, 3, 3.9, 3), 0, 0, 0, 0, 0, "ending short");
    ExpectPoints(CircleSegment(-10, 6, 10, 6), 0, 0, 0, 0, 0, "passing by");
    ExpectPoints(CircleSegment(3, 4, 3, 4), 1, 3, 4, 0, 0, "a segment of no length on the circle");
}

Found SegmentArc(double start, double end, double tol = 0.001) {
    Found f;
    f.n = _JH_GetInterPoint_LineSection_Arc(-10, 3, 10, 3, 0, 0, 5, start, end, &f.x1, &f.y1, &f.x2, &f.y2, tol);
    return f;
}

TEST(Cuts, SegmentAndArcKeepOnlyThePointsOnTheArc) {
    ExpectPoints(SegmentArc(0, kPi / 2), 1, 4, 3, 0, 0, "first quadrant");
    ExpectPoints(SegmentArc(kPi / 2, kPi), 1, -4, 3, 0, 0, "second quadrant");
    ExpectPoints(SegmentArc(0, kPi), 2, -4, 3, 4, 3, "upper half");
    ExpectPoints(SegmentArc(kPi, 2 * kPi), 0, 0, 0, 0, 0, "lower half");
    ExpectPoints(SegmentArc(1.5 * kPi, kPi / 2), 1, 4, 3, 0, 0, "an end below the start wraps through 0");
    ExpectPoints(SegmentArc(0, 2 * kPi), 2, -4, 3, 4, 3, "a full turn");
    // The arc stops 0.0002 rad (0.001 of arc length at radius 5) short of (4, 3).
    double a = std::atan2(3.0, 4.0);
    ExpectPoints(SegmentArc(0, a - 0.0002, 0.002), 1, 4, 3, 0, 0, "short of the point, within the tolerance");
    ExpectPoints(SegmentArc(0, a - 0.0002, 0.0005), 0, 0, 0, 0, 0, "short of the point, beyond the tolerance");
}

TEST(Cuts, TwoArcs) {
    // Circles about (0, 0) and (8, 0), radius 5, meet at (4, ±3).
    auto arcs = [](double s1, double e1, double s2, double e2) {
        Found f;
        f.n = _JH_GetInterPoint_Arc_Arc(0, 0, 5, s1, e1, 8, 0, 5, s2, e2, &f.x1, &f.y1, &f.x2, &f.y2, 0.001);
        return f;
    };
    ExpectPoints(arcs(0, kPi, 0, kPi), 1, 4, 3, 0, 0, "upper halves");
    ExpectPoints(arcs(kPi, 2 * kPi, kPi, 2 * kPi), 1, 4, -3, 0, 0, "lower halves");
    ExpectPoints(arcs(kPi, 2 * kPi, 0, kPi), 0, 0, 0, 0, 0, "one lower, one upper");
    ExpectPoints(arcs(-kPi / 2, kPi / 2, kPi / 2, 1.5 * kPi), 2, 4, 3, 4, -3, "facing halves");

    // The float twin gives the same.
    float x1 = -99, y1 = -99, x2 = -99, y2 = -99;
    EXPECT_EQ(JH_GetInterPoint_Arc_Arc(0, 0, 5, 0, 3.1415927f, 8, 0, 5, 0, 3.1415927f, &x1, &y1, &x2, &y2, 0.001f), 1);
    EXPECT_FLOAT_EQ(x1, 4);
    EXPECT_FLOAT_EQ(y1, 3);
    EXPECT_EQ(x2, -99);
}

TEST(Cuts, TwoSegments) {
    auto segs = [](double x3, double y3, double x4, double y4) {
        Found f;
        f.n = _JH_GetInterPoint_LineSection(0, 0, 2, 0, x3, y3, x4, y4, &f.x1, &f.y1, &f.x2, &f.y2, 0.001);
        return f;
    };
    ExpectPoints(segs(1, -1, 1, 1), 1, 1, 0, 0, 0, "crossing");
    ExpectPoints(segs(2.0005, -1, 2.0005, 1), 1, 2.0005, 0, 0, 0, "missing by less than the tolerance");
    ExpectPoints(segs(2.01, -1, 2.01, 1), 0, 0, 0, 0, 0, "missing");
    ExpectPoints(segs(0, 1, 2, 1), 0, 0, 0, 0, 0, "parallel");
    ExpectPoints(segs(3, 0, 1, 0), 2, 1, 0, 2, 0, "overlapping: the common stretch");
    ExpectPoints(segs(2, 0, 3, 0), 1, 2, 0, 0, 0, "end to end");

    float x = 0, y = 0, x2 = -99, y2 = -99;
    EXPECT_EQ(JH_GetInterPoint_LineSection(0, 0, 2, 2, 0, 2, 2, 0, &x, &y, &x2, &y2, 0.001f), 1);
    EXPECT_FLOAT_EQ(x, 1);
    EXPECT_FLOAT_EQ(y, 1);
}

TEST(Cuts, FloatTwinsOfCircleCuts) {
    float x1 = -99, y1 = -99, x2 = -99, y2 = -99;
    EXPECT_EQ(JH_GetInterPoint_Circle_Circle(0, 0, 5, 8, 0, 5, &x1, &y1, &x2, &y2, 0.001f), 2);
    EXPECT_FLOAT_EQ(x1, 4); EXPECT_FLOAT_EQ(y1, 3); EXPECT_FLOAT_EQ(x2, 4); EXPECT_FLOAT_EQ(y2, -3);
    EXPECT_EQ(JH_GetInterPoint_Circle_LineSection(0, 0, 5, 0, 3, 10, 3, &x1, &y1, &x2, &y2, 0.001f), 1);
    EXPECT_FLOAT_EQ(x1, 4); EXPECT_FLOAT_EQ(y1, 3);
    // A wall face from its foot upwards against a quarter circle: π/2 to π.
    EXPECT_EQ(JH_GetInterPoint_LineSection_Arc(-3, -10, -3, 10, 0, 0, 5, 3.1415927f / 2, 3.1415927f, &x1, &y1,
                                               &x2, &y2, 0.00001f),
              1);
    EXPECT_FLOAT_EQ(x1, -3); EXPECT_FLOAT_EQ(y1, 4);
}

TEST(Cuts, UnboundedLines) {
    // A door's bevel from (800, 0) to (1000, -100) and the vertical through a
    // load at x = 900.
    float x = 0, y = 0;
    EXPECT_EQ(JH_GetInterPoint_Line(800, 0, 1000, -100, 900, 50, 900, -400, &x, &y, 0.00001f), 1);
    EXPECT_FLOAT_EQ(x, 900);
    EXPECT_FLOAT_EQ(y, -50);
    // Beyond both ends still meets.
    EXPECT_EQ(JH_GetInterPoint_Line(0, 0, 1, 0, 5, 1, 5, 2, &x, &y, 0.00001f), 1);
    EXPECT_FLOAT_EQ(x, 5);
    EXPECT_FLOAT_EQ(y, 0);
    x = y = -7;
    EXPECT_EQ(JH_GetInterPoint_Line(0, 0, 1, 0, 0, 1, 3, 1, &x, &y, 0.00001f), 0);
    EXPECT_EQ(JH_GetInterPoint_Line(0, 0, 0, 0, 0, 1, 3, 1, &x, &y, 0.00001f), 0);
    EXPECT_EQ(x, -7);
}

}  // namespace
