// The plate bending triangle against what any plate element must do: take rigid
// motions without force, reproduce constant curvature on a distorted patch, be
// symmetric, and load like the pressure it stands for. The unpacking of elements
// from the element data file.
#include "fem/mesh_files.h"
#include "fem/plate_element.h"
#include "fem_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace {

using kv::fem::plate_element;
using kv::test::Bytes;
using kv::test::FemFolder;

constexpr float kE = 3.0e7f, kNu = 0.3f, kT = 0.2f;

// A deflection w = w0 + gx·x + gy·y + ½·kxx·x² + ½·kyy·y² + kxy·x·y and its
// nodal freedoms: w, rotation about x (= ∂w/∂y), rotation about y (= -∂w/∂x).
struct Field {
    double w0, gx, gy, kxx, kyy, kxy;
    double w(double x, double y) const { return w0 + gx * x + gy * y + 0.5 * kxx * x * x + 0.5 * kyy * y * y + kxy * x * y; }
    double wx(double x, double y) const { return gx + kxx * x + kxy * y; }
    double wy(double x, double y) const { return gy + kyy * y + kxy * x; }
    void Freedoms(float d[3], double x, double y) const {
        d[0] = static_cast<float>(w(x, y));
        d[1] = static_cast<float>(wy(x, y));
        d[2] = static_cast<float>(-wx(x, y));
    }
    // (Mx, My, Mxy) = D·(-wxx, -wyy, -2wxy).
    std::array<double, 3> Moments(double D) const {
        return {-D * (kxx + kNu * kyy), -D * (kyy + kNu * kxx), -D * (1 - kNu) / 2 * 2 * kxy};
    }
};

double Rigidity() { return kE * kT * kT * kT / (12.0 * (1 - kNu * kNu)); }

struct Triangle {
    float x[3], y[3];
    void Freedoms(const Field& f, float d[9]) const {
        for (int n = 0; n < 3; ++n) f.Freedoms(d + 3 * n, x[n], y[n]);
    }
    // The field taken about the centroid: the same curvature with no rigid part
    // for the single-precision stiffness to cancel.
    void CentredFreedoms(const Field& f, float d[9]) const {
        const double cx = (x[0] + x[1] + x[2]) / 3.0, cy = (y[0] + y[1] + y[2]) / 3.0;
        for (int n = 0; n < 3; ++n) f.Freedoms(d + 3 * n, x[n] - cx, y[n] - cy);
    }
    double Area() const { return 0.5 * ((x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0])); }
};

// A slender, obtuse triangle and an ordinary one.
const Triangle kTriangles[] = {
    {{0.1f, 1.3f, 0.4f}, {0.2f, 0.5f, 1.1f}},
    {{-0.3f, 2.5f, 2.0f}, {0.1f, 0.4f, 0.7f}},
};

std::vector<double> Times(const float* K, const float* d, int n) {
    std::vector<double> r(n, 0.0);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) r[i] += double(K[i * n + j]) * d[j];
    return r;
}

double MaxAbs(const float* v, int n) {
    double m = 0;
    for (int i = 0; i < n; ++i) m = std::fmax(m, std::fabs(v[i]));
    return m;
}

TEST(PlateElement, RigidMotionsGiveNoForceNoMomentAndNoStiffness) {
    FemFolder folder;
    const Field rigid[] = {{1, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0}, {0, 0, 1, 0, 0, 0}, {0.3, -0.7, 0.4, 0, 0, 0}};
    for (const Triangle& t : kTriangles) {
        plate_element p;
        float K[81], K0[81];
        ASSERT_EQ(p.cal_stiff_plate(K, t.x, t.y, kT, kE, kNu), 1);
        ASSERT_EQ(p.cal_stiff_plate_plain(K0, t.x, t.y, kT, kE, kNu), 1);
        const double scale = MaxAbs(K0, 81);
        for (const Field& f : rigid) {
            float d[9], force[9], m[9], mid[9];
            t.Freedoms(f, d);
            for (double r : Times(K, d, 9)) EXPECT_NEAR(r, 0.0, 1e-5 * scale);
            ASSERT_EQ(p.cal_end_force(force, t.x, t.y, d, kT, kE, kNu), 1);
            EXPECT_LT(MaxAbs(force, 9), 1e-5 * scale);
            ASSERT_EQ(p.cal_plate_moment(m, t.x, t.y, d, kT, kE, kNu), 1);
            ASSERT_EQ(p.cal_plate_moment_mid(mid, t.x, t.y, d, kT, kE, kNu), 1);
            EXPECT_LT(MaxAbs(m, 9), 1e-4 * Rigidity());
            EXPECT_LT(MaxAbs(mid, 9), 1e-4 * Rigidity());
        }
    }
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

TEST(PlateElement, StiffnessIsSymmetricAndItsEnergyOfAConstantCurvatureIsExact) {
    FemFolder folder;
    const Field bend[] = {{0, 0, 0, 1, 0, 0}, {0, 0, 0, 0, 1, 0}, {0, 0, 0, 0, 0, 1}, {0.2, 0.1, -0.3, 0.7, -0.4, 0.25}};
    for (const Triangle& t : kTriangles) {
        plate_element p;
        float K[81], K0[81];
        ASSERT_EQ(p.cal_stiff_plate(K, t.x, t.y, kT, kE, kNu), 1);
        ASSERT_EQ(p.cal_stiff_plate_plain(K0, t.x, t.y, kT, kE, kNu), 1);
        const double scale = MaxAbs(K0, 81);
        for (int i = 0; i < 9; ++i)
            for (int j = 0; j < i; ++j) {
                EXPECT_NEAR(K[i * 9 + j], K[j * 9 + i], 1e-6 * scale);
                EXPECT_NEAR(K0[i * 9 + j], K0[j * 9 + i], 1e-6 * scale);
            }
        for (const Field& f : bend) {
            float d[9];
            t.CentredFreedoms(f, d);
            // U = ½·A·κᵀ·D·κ = ½·A·(M·κ); dᵀ·K·d = 2U. The correction mode
            // takes nothing from a constant curvature. The stiffness is single
            // precision, and the slender triangle loses three digits in dᵀ·K·d.
            const auto M = f.Moments(Rigidity());
            const double twice = t.Area() * (M[0] * -f.kxx + M[1] * -f.kyy + M[2] * -2 * f.kxy);
            for (const float* k : {K, K0}) {
                const auto Kd = Times(k, d, 9);
                double dKd = 0;
                for (int i = 0; i < 9; ++i) dKd += d[i] * Kd[i];
                EXPECT_NEAR(dKd, twice, 1e-3 * std::fabs(twice));
            }
        }
    }
}

// Dense elimination with partial pivoting, for the patch below.
std::vector<double> Solve(std::vector<double> a, std::vector<double> b) {
    const int n = static_cast<int>(b.size());
    for (int c = 0; c < n; ++c) {
        int p = c;
        for (int r = c + 1; r < n; ++r)
            if (std::fabs(a[r * n + c]) > std::fabs(a[p * n + c])) p = r;
        for (int k = 0; k < n; ++k) std::swap(a[c * n + k], a[p * n + k]);
        std::swap(b[c], b[p]);
        for (int r = c + 1; r < n; ++r) {
            const double f = a[r * n + c] / a[c * n + c];
            for (int k = c; k < n; ++k) a[r * n + k] -= f * a[c * n + k];
            b[r] -= f * b[c];
        }
    }
    std::vector<double> x(n);
    for (int r = n - 1; r >= 0; --r) {
        double s = b[r];
        for (int k = r + 1; k < n; ++k) s -= a[r * n + k] * x[k];
        x[r] = s / a[r * n + r];
    }
    return x;
}

TEST(PlateElement, DistortedPatchReproducesEveryConstantCurvature) {
    FemFolder folder;
    // An irregular quadrilateral with two inner nodes, six triangles of very
    // different shapes. The boundary nodes carry the exact freedoms of the
    // field; the inner ones come from the assembled equations.
    const float X[6] = {0.0f, 2.0f, 2.2f, -0.1f, 0.6f, 1.3f};
    const float Y[6] = {0.0f, 0.0f, 1.6f, 1.4f, 0.5f, 0.9f};
    const int tri[6][3] = {{0, 1, 4}, {1, 5, 4}, {1, 2, 5}, {2, 3, 5}, {3, 4, 5}, {3, 0, 4}};
    const int inner[2] = {4, 5};
    const Field fields[] = {{0, 0, 0, 1, 0, 0}, {0, 0, 0, 0, 1, 0}, {0, 0, 0, 0, 0, 1},
                            {0.05, -0.02, 0.03, 0.6, -0.35, 0.4}};
    for (const Field& f : fields) {
        std::vector<double> K(18 * 18, 0.0);
        plate_element p;
        for (const auto& e : tri) {
            Triangle t{{X[e[0]], X[e[1]], X[e[2]]}, {Y[e[0]], Y[e[1]], Y[e[2]]}};
            ASSERT_GT(t.Area(), 0.0);
            float k[81];
            ASSERT_EQ(p.cal_stiff_plate(k, t.x, t.y, kT, kE, kNu), 1);
            for (int a = 0; a < 9; ++a)
                for (int b = 0; b < 9; ++b) K[(3 * e[a / 3] + a % 3) * 18 + 3 * e[b / 3] + b % 3] += k[a * 9 + b];
        }
        float exact[18];
        for (int n = 0; n < 6; ++n) f.Freedoms(exact + 3 * n, X[n], Y[n]);
        // K_ii·d_i = -K_ib·d_b.
        std::vector<int> free;
        for (int n : inner)
            for (int r = 0; r < 3; ++r) free.push_back(3 * n + r);
        std::vector<double> Kii(36), rhs(6, 0.0);
        for (int a = 0; a < 6; ++a) {
            for (int b = 0; b < 6; ++b) Kii[a * 6 + b] = K[free[a] * 18 + free[b]];
            for (int c = 0; c < 18; ++c)
                if (c / 3 != 4 && c / 3 != 5) rhs[a] -= K[free[a] * 18 + c] * exact[c];
        }
        const auto solved = Solve(Kii, rhs);
        float d[18];
        std::copy(exact, exact + 18, d);
        for (int a = 0; a < 6; ++a) {
            EXPECT_NEAR(solved[a], exact[free[a]], 1e-4 * (1 + std::fabs(exact[free[a]])));
            d[free[a]] = static_cast<float>(solved[a]);
        }
        const auto M = f.Moments(Rigidity());
        for (const auto& e : tri) {
            Triangle t{{X[e[0]], X[e[1]], X[e[2]]}, {Y[e[0]], Y[e[1]], Y[e[2]]}};
            float u[9], m[9], mid[9];
            for (int a = 0; a < 9; ++a) u[a] = d[3 * e[a / 3] + a % 3];
            ASSERT_EQ(p.cal_plate_moment(m, t.x, t.y, u, kT, kE, kNu), 1);
            ASSERT_EQ(p.cal_plate_moment_mid(mid, t.x, t.y, u, kT, kE, kNu), 1);
            for (int n = 0; n < 3; ++n)
                for (int r = 0; r < 3; ++r) {
                    EXPECT_NEAR(m[3 * n + r], M[r], 1e-3 * Rigidity());
                    EXPECT_NEAR(mid[3 * n + r], M[r], 1e-3 * Rigidity());
                }
        }
    }
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

TEST(PlateElement, PressureLoadDoesTheWorkOfThePressureOnAnyLinearDeflection) {
    FemFolder folder;
    // For a linear w, ∫p·w dA = p·A·w(centroid): fᵀ·d must give it, which checks
    // the load's rotation entries as well as its total p·A.
    const Field linear[] = {{1, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0}, {0, 0, 1, 0, 0, 0}};
    const float p = -12.5f;
    for (const Triangle& t : kTriangles) {
        plate_element e;
        float f[9];
        ASSERT_EQ(e.cal_load_plate(f, t.x, t.y, p), 1);
        EXPECT_NEAR(f[0] + f[3] + f[6], p * t.Area(), 1e-5 * std::fabs(p * t.Area()));
        const double cx = (t.x[0] + t.x[1] + t.x[2]) / 3.0, cy = (t.y[0] + t.y[1] + t.y[2]) / 3.0;
        for (const Field& w : linear) {
            float d[9];
            t.Freedoms(w, d);
            double work = 0;
            for (int i = 0; i < 9; ++i) work += double(f[i]) * d[i];
            EXPECT_NEAR(work, p * t.Area() * w.w(cx, cy), 1e-5 * std::fabs(p * t.Area()));
        }
    }
}

TEST(PlateElement, IntegrationRulesIntegrateThePolynomialsTheirOrderPromises) {
    plate_element e;
    // ∫ L1^a L2^b L3^c dA = 2A·a!b!c!/(a+b+c+2)!  (A = 1).
    auto exact = [](int a, int b, int c) {
        auto fact = [](int n) { double r = 1; for (int i = 2; i <= n; ++i) r *= i; return r; };
        return 2.0 * fact(a) * fact(b) * fact(c) / fact(a + b + c + 2);
    };
    struct Case { int rule, a, b, c; } cases[] = {
        {0, 1, 0, 0}, {1, 2, 0, 0}, {1, 1, 1, 0}, {2, 3, 0, 0}, {2, 1, 1, 1}, {2, 2, 1, 0},
        {3, 5, 0, 0}, {3, 3, 2, 0}, {3, 2, 2, 1}, {3, 1, 1, 3},
    };
    for (const Case& c : cases) {
        double sum = 0, weights = 0;
        for (int g = 0; g < e.gauss_num[c.rule]; ++g) {
            const float* q = e.gauss[c.rule][g];
            sum += q[3] * std::pow(q[0], c.a) * std::pow(q[1], c.b) * std::pow(q[2], c.c);
            weights += q[3];
        }
        EXPECT_NEAR(weights, 1.0, 1e-6) << "rule " << c.rule;
        EXPECT_NEAR(sum, exact(c.a, c.b, c.c), 2e-7) << "rule " << c.rule << " " << c.a << c.b << c.c;
    }
    // Unused points stay zero.
    EXPECT_EQ(e.gauss[0][1][3], 0.0f);
    EXPECT_EQ(e.gauss[2][4][0], 0.0f);
}

TEST(PlateElement, ClockwiseTriangleIsWarnedAboutAndGoesOnAFlatOneFails) {
    {
        FemFolder folder;
        plate_element e;
        const float x[3] = {0, 0, 1}, y[3] = {0, 1, 0};
        float K[81];
        EXPECT_EQ(e.cal_stiff_plate(K, x, y, kT, kE, kNu), 1);
        EXPECT_TRUE(folder.Told(101, "Area negative in cal_bcfa"));
        EXPECT_EQ(JS_ERROR_CODE, 0);
        EXPECT_FLOAT_EQ(e.A, -0.5f);
    }
    {
        FemFolder folder;
        plate_element e;
        const float x[3] = {0, 1, 2}, y[3] = {0, 1, 2};
        float K[81];
        EXPECT_EQ(e.cal_stiff_plate(K, x, y, kT, kE, kNu), 0);
        EXPECT_TRUE(folder.Told(101, "Area negative in cal_bcfa"));
        EXPECT_EQ(JS_ERROR_CODE, 301);
    }
}

// Four nodes, one beam element, two plate triangles.
Bytes ElementData() {
    Bytes b;
    b.i({24, 60, 92, 116, 148, 148});
    b.i({4, 1, 2, 0, 0}).f({3.0e7f, 0.2f, 2.8e7f, 0.25f});
    b.f({0, 0, 1.5f, 0, 1.5f, 2, 0, 2});
    b.i({3, 1}).f({4.5e9f, 2.25e9f}).i({250, -400});
    b.i({0, 1, 2, 180});
    b.i({0, 2, 3, 250});
    return b;
}

TEST(ElementUnpacking, GivesNodesCoordinatesSectionInMetresAndEquationNumbers) {
    FemFolder folder;
    folder.Write("NET_DAT.FB", ElementData().str());
    net_dat_file dat("NET_DAT.FB");
    ASSERT_EQ(dat.read_node(), 1);
    ASSERT_EQ(dat.read_beam(), 1);
    ASSERT_EQ(dat.read_plate(), 1);
    // Node 0 restrained in w.
    const std::vector<std::int32_t> id[3] = {{-1, 1, 4, 7}, {10, 2, 5, 8}, {11, 3, 6, 9}};

    kv::fem::beam_element_data beam;
    ASSERT_TRUE(kv::fem::get_beam_element(0, dat, id, &beam));
    EXPECT_EQ(beam.node[0], 3);
    EXPECT_EQ(beam.node[1], 1);
    EXPECT_FLOAT_EQ(beam.x[0], 0.0f);
    EXPECT_FLOAT_EQ(beam.y[0], 2.0f);
    EXPECT_FLOAT_EQ(beam.x[1], 1.5f);
    EXPECT_FLOAT_EQ(beam.J, 4.5e-3f);
    EXPECT_FLOAT_EQ(beam.I, 2.25e-3f);
    EXPECT_FLOAT_EQ(beam.offset, 0.25f);
    EXPECT_FLOAT_EQ(beam.eccentric, -0.4f);
    const int beam_eq[6] = {7, 8, 9, 1, 2, 3};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(beam.eq[k], beam_eq[k]);

    kv::fem::plate_element_data plate;
    ASSERT_TRUE(kv::fem::get_plate_element(1, dat, id, &plate));
    EXPECT_EQ(plate.node[0], 0);
    EXPECT_EQ(plate.node[2], 3);
    EXPECT_FLOAT_EQ(plate.x[1], 1.5f);
    EXPECT_FLOAT_EQ(plate.y[1], 2.0f);
    EXPECT_FLOAT_EQ(plate.thick, 0.25f);
    const int plate_eq[9] = {-1, 10, 11, 4, 5, 6, 7, 8, 9};
    for (int k = 0; k < 9; ++k) EXPECT_EQ(plate.eq[k], plate_eq[k]);
    EXPECT_EQ(JS_ERROR_CODE, 0);

    // An element beyond the table, or freedom numbers shorter than the nodes.
    EXPECT_FALSE(kv::fem::get_plate_element(2, dat, id, &plate));
    EXPECT_TRUE(folder.Told(301, "Plate element 2 error in get_plate_element"));
    JS_ERROR_CODE = 0;
    const std::vector<std::int32_t> short_id[3] = {{1, 2}, {3, 4}, {5, 6}};
    EXPECT_FALSE(kv::fem::get_beam_element(0, dat, short_id, &beam));
    EXPECT_TRUE(folder.Told(301, "Beam element 0 error in get_beam_element"));
    EXPECT_EQ(beam.node[0], 3);
}

}  // namespace
