// Plate moments along the edges of an input plate and at its centre: the
// rotation of moments, the point list lookups, the averaging over the triangles
// of a meshed plate and the plate record built from them.
#include "fem/freedom.h"
#include "fem/mesh_files.h"
#include "fem/plate_element.h"
#include "fem/struc_ld_file.h"
#include "fem/workfile.h"
#include "fem/yxy_force.h"
#include "fem_model_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace {

using namespace kv::fem;
using kv::test::FemFolder;
using kv::test::FemModel;

constexpr double kPi = 3.14159265358979;

TEST(RotateMoment, MohrRotationOfThePlateMoments) {
    struct Case {
        float deg, mx, my, mxy;  // after rotation, worked by hand from Mx = 10, My = 4, Mxy = 3
    } cases[] = {
        {0, 10, 4, 3},
        {90, 4, 10, -3},
        {45, 7 + 3, 7 - 3, -3},      // (Mx + My)/2 ± Mxy, Mxy' = (My − Mx)/2
        {180, 10, 4, 3},
        {30, 10 * 0.75f + 4 * 0.25f + 2 * 3 * 0.4330127f, 10 * 0.25f + 4 * 0.75f - 2 * 3 * 0.4330127f,
         0.5f * 3 + 0.4330127f * (4 - 10)},
    };
    for (const Case& c : cases) {
        float mx, my, mxy;
        rotate_moment(10, 4, 3, float(c.deg * kPi / 180), &mx, &my, &mxy);
        EXPECT_NEAR(mx, c.mx, 1e-5) << c.deg;
        EXPECT_NEAR(my, c.my, 1e-5) << c.deg;
        EXPECT_NEAR(mxy, c.mxy, 1e-5) << c.deg;
    }
}

// A point list of five boundary points (node 7 twice) and two inner points.
struct IndexFixture {
    FemFolder folder;
    index_p_file index{"NO_SUCH.FB"};
    net_dat_file dat{"NO_SUCH.FB"};
    IndexFixture() {
        JS_ERROR_CODE = 0;
        index.num_p_edge = 5;
        index.node = {7, 3, 9, 7, 2, 5, 6};
        dat.x = {0, 0, 0, 0, 0, 2, 2, 0, 0, 0};
        dat.y = {0, 0, 0, 0, 0, 1, -1, 0, 0, 0};
    }
};

TEST(PlatePointList, TheLastMatchWinsAndAMissingNodeIsTold) {
    IndexFixture f;
    int node[3] = {9, 7, 6}, position[3];
    EXPECT_EQ(get_new_node_num(node, position, f.index), 1);
    EXPECT_EQ(position[0], 2);
    EXPECT_EQ(position[1], 3);
    EXPECT_EQ(position[2], 6);
    int missing[3] = {3, 4, 2};
    EXPECT_EQ(get_new_node_num(missing, position, f.index), 0);
    EXPECT_EQ(position[0], 1);
    EXPECT_EQ(position[1], -1);
    EXPECT_TRUE(f.folder.Told(301, "Error in get_new_node_num"));
}

TEST(PlatePointList, NearestInnerPointFirstOfEqualsOrTheLastBoundaryPoint) {
    IndexFixture f;
    EXPECT_EQ(nearest_index_point(2, 0.9f, f.dat, f.index), 5);
    EXPECT_EQ(nearest_index_point(2, -0.8f, f.dat, f.index), 6);
    EXPECT_EQ(nearest_index_point(2, 0, f.dat, f.index), 5);  // equally near: the first
    f.index.node.resize(5);                                   // no inner points
    EXPECT_EQ(nearest_index_point(2, 0, f.dat, f.index), 4);
}

// A deflection w(x, y) and its nodal freedoms: w, ∂w/∂y (about x), −∂w/∂x (about y).
struct Field {
    std::function<double(double, double)> w;
    double Wx(double x, double y) const { return (w(x + 1e-4, y) - w(x - 1e-4, y)) / 2e-4; }
    double Wy(double x, double y) const { return (w(x, y + 1e-4) - w(x, y - 1e-4)) / 2e-4; }
};

struct PlateRun {
    FemFolder folder;
    plate_force record;
    std::vector<float> Mx, My, Mxy;  // the averaged point moments, in point-list order
    std::vector<float> px, py;       // the points
    int nb = 0;
    std::vector<int> segments;
    int result = 0;
    float D = 0;

    PlateRun(FemModel m, float divide, const Field& field) {
        m.Mesh(folder, divide);
        struc_ld_file struc("STRUC_LD.FB");
        net_pre_file pre("NET_PRE.FB");
        net_dat_file dat("NET_DAT.FB");
        freedom_file fr("FREEDOM.FB");
        EXPECT_TRUE(struc.read_node() && struc.read_plate() && pre.read_index() && dat.read_node() &&
                    dat.read_plate() && fr.read_id());
        std::vector<double> U(std::size_t(fr.neq), 0.0);
        for (int n = 0; n < dat.node_num; ++n) {
            const double x = dat.x[n], y = dat.y[n];
            const double v[3] = {field.w(x, y), field.Wy(x, y), -field.Wx(x, y)};
            for (int k = 0; k < 3; ++k)
                if (fr.id[k][n] > 0) U[fr.id[k][n] - 1] = v[k];
        }
        const float t = dat.plates[0].thick / 1000.0f;
        D = dat.plate_E * t * t * t / (12 * (1 - dat.plate_mu * dat.plate_mu));
        plate_element element;
        {
            WorkFile f;
            EXPECT_TRUE(f.open("FORCE.FB", "wb"));
            result = out_force_plate(0, struc, pre, dat, fr.id, U.data(), element, f.get());
            EXPECT_TRUE(f.commit());
        }
        // The averaged moments for the expectations, from the same point list.
        index_p_file index("INDEX_P.FB");
        EXPECT_EQ(index.read_plate(0), 1);
        for (std::int32_t& n : index.node) n = pre.new_of_old[n];
        nb = index.num_p_edge;
        segments.assign(index.bb_p_num.begin(), index.bb_p_num.end());
        for (std::int32_t n : index.node) px.push_back(dat.x[n]), py.push_back(dat.y[n]);
        EXPECT_EQ(cal_plate_force(index.start_ele, index.num_ele, dat, fr.id, U.data(), index, element, Mx, My, Mxy),
                  1);
        WorkFile f;
        EXPECT_TRUE(f.open("FORCE.FB", "rb"));
        EXPECT_EQ(record.read(f.get()), 1);
    }
    // Moments parallel and perpendicular to the direction θ at point p, with the record's signs.
    void Along(int p, double theta, float* mp, float* mv) const {
        const double c = std::cos(theta), s = std::sin(theta);
        *mp = float(-(Mx[p] * c * c + My[p] * s * s + 2 * Mxy[p] * s * c));
        *mv = float(-(Mx[p] * s * s + My[p] * c * c - 2 * Mxy[p] * s * c));
    }
};

FemModel Square(float side) {
    FemModel m;
    m.nodes = {{0, 0}, {side, 0}, {side, side}, {0, side}};
    m.beams = {{1, 2}, {2, 3}, {3, 4}, {4, 1}};
    m.plates = {{1, 2, 3, 4}};
    m.thick = 200;
    return m;
}

TEST(CalPlateForce, AConstantCurvatureGivesItsMomentsAtEveryPoint) {
    // w = −x²/2·kx − y²/2·ky: curvatures (kx, ky, 0), Mx = D(kx + ν·ky), My = D(ν·kx + ky).
    const double kx = 2e-4, ky = -1e-4;
    PlateRun run(Square(4), 1.0f, {[&](double x, double y) { return -0.5 * kx * x * x - 0.5 * ky * y * y; }});
    ASSERT_EQ(run.result, 1) << ::testing::PrintToString(run.folder.Messages());
    const double nu = 0.2;  // the concrete's Poisson ratio in the element data file
    const double mx = run.D * (kx + nu * ky), my = run.D * (nu * kx + ky);
    ASSERT_GT(run.Mx.size(), std::size_t(run.nb));  // inner points too
    for (std::size_t p = 0; p < run.Mx.size(); ++p) {
        EXPECT_NEAR(run.Mx[p], mx, 2e-3 * std::fabs(mx)) << p;
        EXPECT_NEAR(run.My[p], my, 2e-3 * std::fabs(mx)) << p;
        EXPECT_NEAR(run.Mxy[p], 0, 2e-3 * std::fabs(mx)) << p;
    }
    // Edge 0 runs along x: parallel moment −Mx, perpendicular −My; edge 1 along y.
    EXPECT_NEAR(run.record.Mp_l[0], -mx, 2e-3 * std::fabs(mx));
    EXPECT_NEAR(run.record.Mv_m[0], -my, 2e-3 * std::fabs(mx));
    EXPECT_NEAR(run.record.Mp_r[1], -my, 2e-3 * std::fabs(mx));
    EXPECT_NEAR(run.record.Mv_l[1], -mx, 2e-3 * std::fabs(mx));
    // Angle 0: Mxx = −My, Myy = −Mx at the point nearest the centre.
    EXPECT_NEAR(run.record.Mxx, -my, 2e-3 * std::fabs(mx));
    EXPECT_NEAR(run.record.Myy, -mx, 2e-3 * std::fabs(mx));
}

// A deflection whose moments vary from point to point.
const Field kWavy{[](double x, double y) { return 1e-4 * (x * x * x - 2 * x * y * y + 0.5 * y * y + x * y); }};

void CheckEdges(const PlateRun& run) {
    ASSERT_EQ(run.result, 1) << ::testing::PrintToString(run.folder.Messages());
    ASSERT_EQ(run.record.bbs, int(run.segments.size()));
    const float tol = 1e-6f + 1e-4f * std::fabs(run.Mx[0]);
    int p = 0;
    for (int i = 0; i < run.record.bbs; ++i) {
        const int c = run.segments[i];
        const int last = (p + c) % run.nb;
        const double theta = std::atan2(run.py[last] - run.py[p], run.px[last] - run.px[p]);
        float lp, lv, rp, rv, mp, mv;
        run.Along(p, theta, &lp, &lv);
        run.Along(last, theta, &rp, &rv);
        if (c % 2 == 0) {
            run.Along(p + c / 2, theta, &mp, &mv);
        } else {
            float ap, av, bp, bv;
            run.Along(p + c / 2, theta, &ap, &av);
            run.Along((p + c / 2 + 1) % run.nb, theta, &bp, &bv);
            mp = (ap + bp) / 2, mv = (av + bv) / 2;
        }
        EXPECT_FLOAT_EQ(run.record.x[i], run.px[p]) << i;
        EXPECT_FLOAT_EQ(run.record.y[i], run.py[p]) << i;
        EXPECT_NEAR(run.record.Mp_l[i], lp, tol) << i;
        EXPECT_NEAR(run.record.Mv_l[i], lv, tol) << i;
        EXPECT_NEAR(run.record.Mp_m[i], mp, tol) << i;
        EXPECT_NEAR(run.record.Mv_m[i], mv, tol) << i;
        EXPECT_NEAR(run.record.Mp_r[i], rp, tol) << i;
        EXPECT_NEAR(run.record.Mv_r[i], rv, tol) << i;
        p += c;
    }
    EXPECT_EQ(p, run.nb);  // the last edge ends at position 0
}

TEST(OutForcePlate, EdgesOfOneSegmentTakeTheMeanOfTheirEnds) {
    PlateRun run(Square(3), 1.0e6f, kWavy);
    for (int c : run.segments) EXPECT_EQ(c, 1);
    CheckEdges(run);
    EXPECT_EQ(run.record.Plate, 1);
    EXPECT_FLOAT_EQ(run.record.value, 200);
    EXPECT_TRUE(run.folder.Told(0, "-----------------------------------------------\n"));
}

TEST(OutForcePlate, EdgesOfTwoSegmentsTakeTheirMiddlePoint) {
    PlateRun run(Square(3), 1.5f, kWavy);
    for (int c : run.segments) EXPECT_EQ(c, 2);
    CheckEdges(run);
}

TEST(OutForcePlate, CentreMomentsInThePlateAxes) {
    for (float angle : {0.0f, 90.0f, 30.0f}) {
        FemModel m = Square(3);
        m.plate_angle = angle;
        PlateRun run(m, 1.0e6f, kWavy);
        ASSERT_EQ(run.result, 1);
        // The fan centre is the one inner point and lies at the centre.
        ASSERT_EQ(run.Mx.size(), std::size_t(run.nb) + 1);
        const int c = run.nb;
        float mp, mv;
        run.Along(c, angle * kPi / 180, &mp, &mv);
        const float tol = 1e-6f + 1e-4f * std::fabs(run.Mx[c]);
        EXPECT_NEAR(run.record.Mxx, mv, tol) << angle;
        EXPECT_NEAR(run.record.Myy, mp, tol) << angle;
        EXPECT_NEAR(run.record.Angle, angle * kPi / 180, 1e-6) << angle;
        if (angle == 90.0f) {
            EXPECT_NEAR(run.record.Mxx, -run.Mx[c], tol);
            EXPECT_NEAR(run.record.Myy, -run.My[c], tol);
        }
    }
}

// A point list that disagrees with the triangles: a node listed twice leaves its
// first position untouched (0, warned), a node not listed is told and skipped.
TEST(CalPlateForce, PointsTheTrianglesMissAndNodesTheListMisses) {
    FemFolder folder;
    Square(3).Mesh(folder, 1.0e6f);
    net_pre_file pre("NET_PRE.FB");
    net_dat_file dat("NET_DAT.FB");
    freedom_file fr("FREEDOM.FB");
    ASSERT_TRUE(pre.read_index() && dat.read_node() && dat.read_plate() && fr.read_id());
    index_p_file index("INDEX_P.FB");
    ASSERT_EQ(index.read_plate(0), 1);
    for (std::int32_t& n : index.node) n = pre.new_of_old[n];
    std::vector<double> U(std::size_t(fr.neq), 1e-4);
    plate_element element;
    std::vector<float> Mx, My, Mxy;

    index.node.push_back(index.node[0]);
    ASSERT_EQ(cal_plate_force(index.start_ele, index.num_ele, dat, fr.id, U.data(), index, element, Mx, My, Mxy), 1);
    EXPECT_TRUE(folder.Told(101, "Error in cal_plate_force 2"));
    EXPECT_EQ(JS_ERROR_CODE, 0);
    EXPECT_EQ(Mx[0], 0.0f);
    EXPECT_EQ(Mxy[0], 0.0f);
    EXPECT_NE(Mx.back(), 0.0f);

    index.node.pop_back();
    index.node[0] = -5;  // no triangle corner is -5, and node 0's corners have no place
    EXPECT_EQ(cal_plate_force(index.start_ele, index.num_ele, dat, fr.id, U.data(), index, element, Mx, My, Mxy), 0);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_TRUE(folder.Told(301, "Error in get_new_node_num"));
}

TEST(PinForces, PlateTrianglesUnderPressureCarryItToTheirNodes) {
    FemFolder folder;
    FemModel m = Square(3);
    m.loads = "0,0,1\n1,1,10\n";
    m.Mesh(folder, 1.0e6f);
    net_dat_file dat("NET_DAT.FB");
    freedom_file fr("FREEDOM.FB");
    ASSERT_TRUE(dat.read_node() && dat.read_plate() && dat.read_load(0, 3) && fr.read_id());
    std::vector<double> U(std::size_t(fr.neq), 0.0);
    std::vector<float> pins(3 * std::size_t(dat.node_num), 0.0f);
    plate_element element;
    for (int t = 0; t < dat.plate_num; ++t) ASSERT_EQ(out_pin_plate(t, element, dat, fr.id, U.data(), pins.data()), 1);
    double total = 0;
    for (int n = 0; n < dat.node_num; ++n) total += pins[3 * n];
    EXPECT_NEAR(total, 10 * 9, 1e-3);
}

}  // namespace
