#include "frame/frame_solver.h"

#include "codes/material.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

namespace kv::frame {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;
constexpr double kMinLength = 1e-6;
// A pivot this small beside the largest diagonal term means a freedom nothing holds.
constexpr double kPivotTolerance = 1e-12;

using Vec6 = std::array<double, 6>;
using Mat6 = std::array<std::array<double, 6>, 6>;

// A load on one element in its local axes: a point force (px, py) and moment m at
// xa, or a distributed load varying linearly from (pxa, pya) at xa to (pxb, pyb)
// at xb, per metre.
struct Piece {
    bool point = false;
    double xa = 0, xb = 0;
    double pxa = 0, pya = 0, pxb = 0, pyb = 0;
    double m = 0;
};

struct Element {
    int i = 0, j = 0;
    double L = 0, c = 1, s = 0;
    double EA = 0, EI = 0;
    bool relI = false, relJ = false;
    std::vector<Piece> loads;
    Mat6 k{};
    Vec6 feq{};  // equivalent nodal loads, local
};

// How a model member maps onto elements.
struct MemberMap {
    int first = 0;
    int count = 1;
    bool arc = false;
    double R = 0, theta1 = 0, dtheta = 0, length = 0;
};

// A load along a member: a point force (gx, gy) global and moment m at sa, or a
// distributed load from qa at sa to qb at sb, across the member (towards −y) when
// `across`, else along the global direction (gx, gy).
struct MemberLoad {
    bool point = false;
    bool across = true;
    double sa = 0, sb = 0, qa = 0, qb = 0;
    double gx = 0, gy = 0, m = 0;
};

double NormalAngle(double a) {
    a = std::fmod(a, kTwoPi);
    return a < 0 ? a + kTwoPi : a;
}

// Gauss–Legendre, three points on [-1, 1]: exact for degree 5.
constexpr double kGaussX[3] = {-0.7745966692414834, 0.0, 0.7745966692414834};
constexpr double kGaussW[3] = {5.0 / 9.0, 8.0 / 9.0, 5.0 / 9.0};

template <typename F>
double Integrate(double a, double b, F f) {
    if (b <= a) return 0;
    double h = (b - a) / 2, mid = (a + b) / 2, sum = 0;
    for (int g = 0; g < 3; ++g) sum += kGaussW[g] * f(mid + h * kGaussX[g]);
    return sum * h;
}

// Work-equivalent nodal loads of a point force and moment at x (cubic shape
// functions across, linear along: for a prismatic member they are the
// fixed-end forces).
void AddPointLoad(Vec6& f, double L, double x, double px, double py, double m) {
    double e = std::clamp(x / L, 0.0, 1.0), e2 = e * e, e3 = e2 * e;
    f[0] += px * (1 - e);
    f[3] += px * e;
    f[1] += py * (1 - 3 * e2 + 2 * e3) + m * (-6 * e + 6 * e2) / L;
    f[2] += py * L * (e - 2 * e2 + e3) + m * (1 - 4 * e + 3 * e2);
    f[4] += py * (3 * e2 - 2 * e3) + m * (6 * e - 6 * e2) / L;
    f[5] += py * L * (-e2 + e3) + m * (-2 * e + 3 * e2);
}

double Lerp(double a, double b, double t) { return a + (b - a) * t; }

void EquivalentLoads(Element& el) {
    el.feq = {};
    for (const Piece& p : el.loads) {
        if (p.point) {
            AddPointLoad(el.feq, el.L, p.xa, p.pxa, p.pya, p.m);
            continue;
        }
        double len = p.xb - p.xa, h = len / 2, mid = (p.xa + p.xb) / 2;
        for (int g = 0; g < 3; ++g) {
            double x = mid + h * kGaussX[g], t = (x - p.xa) / len;
            AddPointLoad(el.feq, el.L, x, Lerp(p.pxa, p.pxb, t) * kGaussW[g] * h, Lerp(p.pya, p.pyb, t) * kGaussW[g] * h,
                         0);
        }
    }
}

void LocalStiffness(Element& el) {
    double L = el.L, a = el.EA / L, b = el.EI / (L * L * L), k12 = 12 * b, k6 = 6 * b * L, k4 = 4 * b * L * L,
           k2 = 2 * b * L * L;
    el.k = Mat6{{{a, 0, 0, -a, 0, 0},
                 {0, k12, k6, 0, -k12, k6},
                 {0, k6, k4, 0, -k6, k2},
                 {-a, 0, 0, a, 0, 0},
                 {0, -k12, -k6, 0, k12, -k6},
                 {0, k6, k2, 0, -k6, k4}}};
}

// A released end passes no moment: its rotation is condensed out of the member.
void Condense(Element& el, int r) {
    double krr = el.k[r][r];
    if (krr == 0) return;
    Mat6 k = el.k;
    Vec6 f = el.feq;
    for (int a = 0; a < 6; ++a) {
        for (int b = 0; b < 6; ++b) k[a][b] = el.k[a][b] - el.k[a][r] * el.k[r][b] / krr;
        f[a] = el.feq[a] - el.k[a][r] * el.feq[r] / krr;
    }
    for (int a = 0; a < 6; ++a) k[a][r] = k[r][a] = 0;
    f[r] = 0;
    el.k = k;
    el.feq = f;
}

// Global displacements of the element's ends in its local axes.
Vec6 LocalDisplacements(const Element& el, const std::vector<double>& u) {
    const double* a = &u[3 * el.i];
    const double* b = &u[3 * el.j];
    return {el.c * a[0] + el.s * a[1], -el.s * a[0] + el.c * a[1], a[2],
            el.c * b[0] + el.s * b[1], -el.s * b[0] + el.c * b[1], b[2]};
}

// Forces the nodes put on the element's ends, local axes.
Vec6 EndForces(const Element& el, const std::vector<double>& u) {
    Vec6 d = LocalDisplacements(el, u), f{};
    for (int a = 0; a < 6; ++a) {
        double sum = -el.feq[a];
        for (int b = 0; b < 6; ++b) sum += el.k[a][b] * d[b];
        f[a] = sum;
    }
    return f;
}

struct Internal {
    double N = 0, V = 0, M = 0;
};

// N, V and M at x from the equilibrium of the part [0, x]: the start's end
// forces plus the loads on that part (a point load exactly at x not yet).
Internal InternalAt(const Element& el, const Vec6& f, double x) {
    double qx = 0, qy = 0, mq = 0;
    for (const Piece& p : el.loads) {
        if (p.point) {
            if (p.xa < x) {
                qx += p.pxa;
                qy += p.pya;
                mq += (x - p.xa) * p.pya - p.m;
            }
            continue;
        }
        double end = std::min(p.xb, x);
        if (end <= p.xa) continue;
        double len = p.xb - p.xa;
        auto px = [&](double t) { return Lerp(p.pxa, p.pxb, (t - p.xa) / len); };
        auto py = [&](double t) { return Lerp(p.pya, p.pyb, (t - p.xa) / len); };
        qx += Integrate(p.xa, end, px);
        qy += Integrate(p.xa, end, py);
        mq += Integrate(p.xa, end, [&](double t) { return (x - t) * py(t); });
    }
    return {-f[0] - qx, f[1] + qy, -f[2] + x * f[1] + mq};
}

// Displacements (local, m) at x: the ends' translations, plus the bending of a
// simple beam under the member's curvature M/EI and the stretch under N/EA.
void DisplacementAt(const Element& el, const Vec6& f, const Vec6& d, double x, double& u, double& v) {
    std::vector<double> cuts = {0, el.L, x};
    for (const Piece& p : el.loads) {
        cuts.push_back(p.xa);
        if (!p.point) cuts.push_back(p.xb);
    }
    for (double& t : cuts) t = std::clamp(t, 0.0, el.L);
    std::sort(cuts.begin(), cuts.end());
    double L = el.L, bend = 0, stretchAll = 0, stretchTo = 0;
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
        double a = cuts[k], b = cuts[k + 1];
        if (b - a <= 0) continue;
        bend += Integrate(a, b, [&](double t) {
            double g = t <= x ? t * (L - x) / L : x * (L - t) / L;
            return g * InternalAt(el, f, t).M;
        });
        double stretch = Integrate(a, b, [&](double t) { return InternalAt(el, f, t).N; });
        stretchAll += stretch;
        if (b <= x) stretchTo += stretch;
    }
    double r = x / L;
    u = Lerp(d[0], d[3], r) + (stretchTo - r * stretchAll) / el.EA;
    v = Lerp(d[1], d[4], r) - bend / el.EI;
}

class Solver {
public:
    Solver(const FrameModel& model, const SolveOptions& options) : model_(model), options_(options) {}

    SolveOutcome Run(FrameResult& result);

private:
    SolveOutcome BuildElements();
    void PlaceLoads();
    void AddMemberLoad(int member, const MemberLoad& load);
    std::vector<MemberLoad> ExpandLoad(int member, const FrameMemberLoad& load) const;
    SolveOutcome Solve(std::vector<double>& u);
    void Stations(FrameResult& result, const std::vector<double>& u) const;

    const FrameModel& model_;
    const SolveOptions& options_;
    std::vector<FrameNode> nodes_;
    std::vector<Element> elements_;
    std::vector<MemberMap> maps_;
    std::vector<double> nodeForce_;  // global applied node loads, 3 per node
};

SolveOutcome Solver::BuildElements() {
    nodes_ = model_.nodes;
    int chords = std::clamp((options_.arcChords + 7) / 8 * 8, 8, 1024);
    std::size_t total = nodes_.size();
    for (const FrameMember& mb : model_.members) total += mb.arc ? chords - 1 : 0;
    if (total > kMaxFreedoms / 3 || model_.members.size() > kMaxFreedoms) return {SolveStatus::TooLarge, -1};
    for (std::size_t m = 0; m < model_.members.size(); ++m) {
        const FrameMember& mb = model_.members[m];
        MemberMap map;
        map.first = static_cast<int>(elements_.size());
        map.arc = mb.arc;
        const FrameNode& a = nodes_[mb.start];
        const FrameNode& b = nodes_[mb.end];
        std::vector<int> path = {mb.start};
        if (mb.arc) {
            map.R = std::hypot(a.x - mb.cx, a.y - mb.cy);
            map.theta1 = std::atan2(a.y - mb.cy, a.x - mb.cx);
            double t2 = std::atan2(b.y - mb.cy, b.x - mb.cx);
            map.dtheta = t2 - map.theta1;
            if (map.dtheta < 0) map.dtheta += kTwoPi;
            map.length = map.R * map.dtheta;
            map.count = chords;
            for (int k = 1; k < chords; ++k) {
                double t = map.theta1 + map.dtheta * k / chords;
                nodes_.push_back({mb.cx + map.R * std::cos(t), mb.cy + map.R * std::sin(t)});
                path.push_back(static_cast<int>(nodes_.size()) - 1);
            }
        } else {
            map.length = std::hypot(b.x - a.x, b.y - a.y);
        }
        path.push_back(mb.end);
        if (!(map.length >= kMinLength)) return {SolveStatus::ZeroLength, static_cast<int>(m)};
        if (!(mb.E > 0 && mb.A > 0 && mb.I > 0)) return {SolveStatus::NoStiffness, static_cast<int>(m)};
        for (int k = 0; k + 1 < static_cast<int>(path.size()); ++k) {
            Element el;
            el.i = path[k];
            el.j = path[k + 1];
            double dx = nodes_[el.j].x - nodes_[el.i].x, dy = nodes_[el.j].y - nodes_[el.i].y;
            el.L = std::hypot(dx, dy);
            if (!(el.L >= kMinLength * 1e-3)) return {SolveStatus::ZeroLength, static_cast<int>(m)};
            el.c = dx / el.L;
            el.s = dy / el.L;
            el.EA = mb.E * mb.A;
            el.EI = mb.E * mb.I;
            el.relI = k == 0 && mb.releaseStart;
            el.relJ = k + 2 == static_cast<int>(path.size()) && mb.releaseEnd;
            elements_.push_back(el);
        }
        maps_.push_back(map);
    }
    return {};
}

std::vector<MemberLoad> Solver::ExpandLoad(int member, const FrameMemberLoad& load) const {
    const MemberMap& map = maps_[member];
    const FrameMember& mb = model_.members[member];
    double L = map.length;
    const double* v = load.value;
    // The direction that decides the sense of the loads along x and y.
    double angle;
    if (map.arc) {
        angle = NormalAngle(map.theta1 + map.dtheta / 2);
    } else {
        const FrameNode& a = model_.nodes[mb.start];
        const FrameNode& b = model_.nodes[mb.end];
        angle = NormalAngle(std::atan2(b.y - a.y, b.x - a.x));
    }
    auto across = [&](double sa, double sb, double qa, double qb) {
        MemberLoad l;
        l.sa = sa;
        l.sb = sb;
        l.qa = qa;
        l.qb = qb;
        return l;
    };
    std::vector<MemberLoad> out;
    switch (load.type) {
    case 1: {
        MemberLoad l;
        l.point = true;
        l.sa = std::clamp(v[2], 0.0, L);
        l.gx = v[0];
        l.gy = v[1];
        out.push_back(l);
        break;
    }
    case 2: {
        MemberLoad l;
        l.point = true;
        l.sa = std::clamp(v[1], 0.0, L);
        l.m = -v[0];
        out.push_back(l);
        break;
    }
    case 3:
        out.push_back(across(0, L, v[0], v[0]));
        break;
    case 4:
    case 5: {
        MemberLoad l = across(0, L, v[0], v[0]);
        l.across = false;
        if (load.type == 4)
            l.gx = angle <= kPi ? -1 : 1;
        else
            l.gy = (angle >= kPi / 2 && angle <= 1.5 * kPi) ? 1 : -1;
        // The sketch turns an arc's loads round: these too.
        if (map.arc) {
            l.gx = -l.gx;
            l.gy = -l.gy;
        }
        out.push_back(l);
        break;
    }
    case 6: {
        double b = std::clamp(v[1], 0.0, L / 2);
        out.push_back(across(0, b, 0, v[0]));
        out.push_back(across(b, L - b, v[0], v[0]));
        out.push_back(across(L - b, L, v[0], 0));
        break;
    }
    case 7:
        out.push_back(across(0, L / 2, 0, v[0]));
        out.push_back(across(L / 2, L, v[0], 0));
        break;
    case 8: {
        double sa = v[1], sb = v[1] + v[2];
        if (sb > sa) {
            double a = std::max(sa, 0.0), b = std::min(sb, L);
            double qa = Lerp(v[0], v[3], (a - sa) / (sb - sa)), qb = Lerp(v[0], v[3], (b - sa) / (sb - sa));
            out.push_back(across(a, b, qa, qb));
        }
        break;
    }
    default:
        break;
    }
    // Distributed loads over nothing carry nothing.
    std::erase_if(out, [](const MemberLoad& l) { return !l.point && !(l.sb - l.sa > 1e-12); });
    return out;
}

// Puts a member load on the member's elements. Along an arc, a chord takes the
// load of its stretch of arc, so the total stays the same.
void Solver::AddMemberLoad(int member, const MemberLoad& load) {
    const MemberMap& map = maps_[member];
    double seg = map.length / map.count;
    auto toLocal = [](const Element& el, double gx, double gy, double& px, double& py) {
        px = el.c * gx + el.s * gy;
        py = -el.s * gx + el.c * gy;
    };
    if (load.point) {
        int k = std::min(static_cast<int>(load.sa / seg), map.count - 1);
        Element& el = elements_[map.first + k];
        Piece p;
        p.point = true;
        p.xa = std::clamp((load.sa - k * seg) / seg, 0.0, 1.0) * el.L;
        toLocal(el, load.gx, load.gy, p.pxa, p.pya);
        p.m = load.m;
        el.loads.push_back(p);
        return;
    }
    double len = load.sb - load.sa;
    for (int k = 0; k < map.count; ++k) {
        double a = std::max(load.sa, k * seg), b = std::min(load.sb, (k + 1) * seg);
        if (b - a <= 1e-12) continue;
        Element& el = elements_[map.first + k];
        double scale = seg / el.L;  // load per metre of arc to per metre of chord
        double qa = Lerp(load.qa, load.qb, (a - load.sa) / len) * scale;
        double qb = Lerp(load.qa, load.qb, (b - load.sa) / len) * scale;
        Piece p;
        p.xa = (a - k * seg) / seg * el.L;
        p.xb = (b - k * seg) / seg * el.L;
        if (load.across) {
            p.pya = -qa;
            p.pyb = -qb;
        } else {
            double ux, uy;
            toLocal(el, load.gx, load.gy, ux, uy);
            p.pxa = ux * qa;
            p.pya = uy * qa;
            p.pxb = ux * qb;
            p.pyb = uy * qb;
        }
        el.loads.push_back(p);
    }
}

void Solver::PlaceLoads() {
    nodeForce_.assign(3 * nodes_.size(), 0.0);
    for (const FrameNodeLoad& l : model_.nodeLoads) {
        if (options_.firstCaseOnly && l.loadCase != 1) continue;
        double* f = &nodeForce_[3 * l.node];
        if (l.kind == 1) {
            f[0] += l.value[0];
            f[1] += l.value[1];
        } else {
            f[2] -= l.value[2];
        }
    }
    for (const FrameMemberLoad& l : model_.memberLoads) {
        if (options_.firstCaseOnly && l.loadCase != 1) continue;
        for (const MemberLoad& part : ExpandLoad(l.member, l)) AddMemberLoad(l.member, part);
    }
    for (Element& el : elements_) {
        LocalStiffness(el);
        EquivalentLoads(el);
        if (el.relI) Condense(el, 2);
        if (el.relJ) Condense(el, 5);
    }
}

SolveOutcome Solver::Solve(std::vector<double>& u) {
    const int n = 3 * static_cast<int>(nodes_.size());
    std::vector<double> K(static_cast<std::size_t>(n) * n, 0.0);
    std::vector<double> F = nodeForce_;
    auto at = [&](int r, int c) -> double& { return K[static_cast<std::size_t>(r) * n + c]; };
    for (const Element& el : elements_) {
        // T maps global to local freedoms: Kg = Tᵀ k T, Fg = Tᵀ f.
        double T[6][6] = {};
        for (int h = 0; h < 2; ++h) {
            T[3 * h][3 * h] = el.c;
            T[3 * h][3 * h + 1] = el.s;
            T[3 * h + 1][3 * h] = -el.s;
            T[3 * h + 1][3 * h + 1] = el.c;
            T[3 * h + 2][3 * h + 2] = 1;
        }
        double kt[6][6] = {};
        for (int a = 0; a < 6; ++a)
            for (int b = 0; b < 6; ++b)
                for (int q = 0; q < 6; ++q) kt[a][b] += el.k[a][q] * T[q][b];
        int dof[6] = {3 * el.i, 3 * el.i + 1, 3 * el.i + 2, 3 * el.j, 3 * el.j + 1, 3 * el.j + 2};
        for (int a = 0; a < 6; ++a) {
            for (int b = 0; b < 6; ++b) {
                double sum = 0;
                for (int p = 0; p < 6; ++p) sum += T[p][a] * kt[p][b];
                at(dof[a], dof[b]) += sum;
            }
            double f = 0;
            for (int p = 0; p < 6; ++p) f += T[p][a] * el.feq[p];
            F[dof[a]] += f;
        }
    }

    // Supports: fixed freedoms, springs, and links, which turn a node's
    // translations into (along the link, across it) and hold the first.
    std::vector<char> fixed(n, 0);
    std::vector<std::vector<std::pair<double, double>>> links(nodes_.size());
    for (const FrameSupport& s : model_.supports) {
        int d = 3 * s.node;
        double cx = std::cos(s.angle), cy = std::sin(s.angle);
        switch (s.kind) {
        case 1:
            at(d, d) += s.stiffness * cx * cx;
            at(d, d + 1) += s.stiffness * cx * cy;
            at(d + 1, d) += s.stiffness * cx * cy;
            at(d + 1, d + 1) += s.stiffness * cy * cy;
            break;
        case 2:
            links[s.node].push_back({cx, cy});
            break;
        case 3:
            fixed[d] = fixed[d + 1] = fixed[d + 2] = 1;
            break;
        case 4:
            fixed[d] = fixed[d + 1] = 1;
            break;
        default:
            break;
        }
    }
    std::vector<std::pair<double, double>> turn(nodes_.size(), {1.0, 0.0});
    for (std::size_t node = 0; node < nodes_.size(); ++node) {
        int d = 3 * static_cast<int>(node);
        auto& list = links[node];
        if (list.empty() || (fixed[d] && fixed[d + 1])) continue;
        bool crossing = false;
        for (const auto& l : list)
            if (std::fabs(l.first * list[0].second - l.second * list[0].first) > 1e-6) crossing = true;
        if (crossing || fixed[d] || fixed[d + 1]) {
            fixed[d] = fixed[d + 1] = 1;
            continue;
        }
        auto [ex, ey] = list[0];
        turn[node] = {ex, ey};
        // u = ũ1 (ex, ey) + ũ2 (−ey, ex): K ← Tᵀ K T over the two freedoms.
        for (int r = 0; r < n; ++r) {
            double a = at(r, d), b = at(r, d + 1);
            at(r, d) = a * ex + b * ey;
            at(r, d + 1) = -a * ey + b * ex;
        }
        for (int c = 0; c < n; ++c) {
            double a = at(d, c), b = at(d + 1, c);
            at(d, c) = a * ex + b * ey;
            at(d + 1, c) = -a * ey + b * ex;
        }
        double a = F[d], b = F[d + 1];
        F[d] = a * ex + b * ey;
        F[d + 1] = -a * ey + b * ex;
        fixed[d] = 1;
    }
    // A rotation that no member end holds: nothing to solve for, unless a moment
    // acts on it.
    for (std::size_t node = 0; node < nodes_.size(); ++node) {
        int r = 3 * static_cast<int>(node) + 2;
        if (fixed[r] || at(r, r) != 0) continue;
        if (F[r] != 0) return {SolveStatus::Mechanism, static_cast<int>(node)};
        fixed[r] = 1;
    }

    std::vector<int> free;
    for (int d = 0; d < n; ++d)
        if (!fixed[d]) free.push_back(d);
    const int m = static_cast<int>(free.size());
    std::vector<double> A(static_cast<std::size_t>(m) * m);
    std::vector<double> x(m);
    double largest = 0;
    for (int a = 0; a < m; ++a) {
        for (int b = 0; b < m; ++b) A[static_cast<std::size_t>(a) * m + b] = at(free[a], free[b]);
        x[a] = F[free[a]];
        largest = std::max(largest, std::fabs(at(free[a], free[a])));
    }
    K.clear();
    K.shrink_to_fit();
    // Cholesky, lower triangle in place.
    for (int j = 0; j < m; ++j) {
        double* rj = &A[static_cast<std::size_t>(j) * m];
        double d = rj[j];
        for (int q = 0; q < j; ++q) d -= rj[q] * rj[q];
        if (!(d > kPivotTolerance * largest)) return {SolveStatus::Mechanism, free[j] / 3};
        d = std::sqrt(d);
        rj[j] = d;
        for (int i = j + 1; i < m; ++i) {
            double* ri = &A[static_cast<std::size_t>(i) * m];
            double sum = ri[j];
            for (int q = 0; q < j; ++q) sum -= ri[q] * rj[q];
            ri[j] = sum / d;
        }
    }
    for (int i = 0; i < m; ++i) {
        const double* ri = &A[static_cast<std::size_t>(i) * m];
        double sum = x[i];
        for (int q = 0; q < i; ++q) sum -= ri[q] * x[q];
        x[i] = sum / ri[i];
    }
    for (int i = m - 1; i >= 0; --i) {
        double sum = x[i];
        for (int q = i + 1; q < m; ++q) sum -= A[static_cast<std::size_t>(q) * m + i] * x[q];
        x[i] = sum / A[static_cast<std::size_t>(i) * m + i];
    }
    u.assign(n, 0.0);
    for (int a = 0; a < m; ++a) u[free[a]] = x[a];
    for (std::size_t node = 0; node < nodes_.size(); ++node) {
        auto [ex, ey] = turn[node];
        int d = 3 * static_cast<int>(node);
        double a = u[d], b = u[d + 1];
        u[d] = a * ex - b * ey;
        u[d + 1] = a * ey + b * ex;
    }
    return {};
}

void Solver::Stations(FrameResult& result, const std::vector<double>& u) const {
    const std::size_t modelNodes = model_.nodes.size();
    result.displacement.assign(u.begin(), u.begin() + 3 * modelNodes);
    // What the supports put on the nodes: the members' end forces less the loads.
    result.reaction.assign(3 * modelNodes, 0.0);
    std::vector<double> sum(3 * nodes_.size(), 0.0);
    for (const Element& el : elements_) {
        Vec6 f = EndForces(el, u);
        for (int h = 0; h < 2; ++h) {
            double* s = &sum[3 * (h ? el.j : el.i)];
            s[0] += el.c * f[3 * h] - el.s * f[3 * h + 1];
            s[1] += el.s * f[3 * h] + el.c * f[3 * h + 1];
            s[2] += f[3 * h + 2];
        }
    }
    std::vector<char> supported(modelNodes, 0);
    for (const FrameSupport& s : model_.supports) supported[s.node] = 1;
    for (std::size_t k = 0; k < modelNodes; ++k)
        if (supported[k])
            for (int d = 0; d < 3; ++d) result.reaction[3 * k + d] = sum[3 * k + d] - nodeForce_[3 * k + d];

    result.members.assign(model_.members.size(), StationValues{});
    for (std::size_t m = 0; m < model_.members.size(); ++m) {
        const MemberMap& map = maps_[m];
        StationValues& out = result.members[m];
        if (!map.arc) {
            const Element& el = elements_[map.first];
            Vec6 f = EndForces(el, u), d = LocalDisplacements(el, u);
            for (int i = 0; i < kStations; ++i) {
                double x = el.L * i / (kStations - 1);
                Internal in = InternalAt(el, f, x);
                double lu, lv;
                DisplacementAt(el, f, d, x, lu, lv);
                out.M[i] = in.M;
                out.N[i] = in.N;
                out.V[i] = in.V;
                out.ux[i] = (el.c * lu - el.s * lv) * 1000;
                out.uy[i] = (el.s * lu + el.c * lv) * 1000;
            }
            continue;
        }
        // Along an arc the stations are chord ends; forces are taken across the
        // true section there (its tangent), from the chord that starts at the
        // station (the last chord's end for the last station).
        int per = map.count / (kStations - 1);
        for (int i = 0; i < kStations; ++i) {
            bool last = i == kStations - 1;
            const Element& el = elements_[map.first + (last ? map.count - 1 : i * per)];
            Vec6 f = EndForces(el, u);
            Internal in = InternalAt(el, f, last ? el.L : 0);
            // The force of the part beyond the cut on the part before it, global.
            double rx = el.c * in.N + el.s * in.V, ry = el.s * in.N - el.c * in.V;
            double t = map.theta1 + map.dtheta * i / (kStations - 1);
            double tx = -std::sin(t), ty = std::cos(t);
            out.N[i] = rx * tx + ry * ty;
            out.V[i] = rx * ty - ry * tx;
            out.M[i] = in.M;
            int node = last ? el.j : el.i;
            out.ux[i] = u[3 * node] * 1000;
            out.uy[i] = u[3 * node + 1] * 1000;
        }
    }
}

SolveOutcome Solver::Run(FrameResult& result) {
    const int nodes = static_cast<int>(model_.nodes.size());
    const int members = static_cast<int>(model_.members.size());
    for (int m = 0; m < members; ++m) {
        const FrameMember& mb = model_.members[m];
        if (mb.start < 0 || mb.start >= nodes || mb.end < 0 || mb.end >= nodes) return {SolveStatus::BadData, m};
    }
    for (const FrameSupport& s : model_.supports)
        if (s.node < 0 || s.node >= nodes) return {SolveStatus::BadData, -1};
    for (const FrameNodeLoad& l : model_.nodeLoads)
        if (l.node < 0 || l.node >= nodes) return {SolveStatus::BadData, -1};
    for (const FrameMemberLoad& l : model_.memberLoads)
        if (l.member < 0 || l.member >= members) return {SolveStatus::BadData, -1};
    auto finite = [](std::initializer_list<double> values) {
        for (double v : values)
            if (!std::isfinite(v)) return false;
        return true;
    };
    for (const FrameNode& n : model_.nodes)
        if (!finite({n.x, n.y})) return {SolveStatus::BadData, -1};
    for (const FrameMember& m : model_.members)
        if (!finite({m.cx, m.cy, m.E, m.A, m.I})) return {SolveStatus::BadData, -1};
    for (const FrameSupport& s : model_.supports)
        if (!finite({s.angle, s.stiffness})) return {SolveStatus::BadData, -1};
    for (const FrameNodeLoad& l : model_.nodeLoads)
        if (!finite({l.value[0], l.value[1], l.value[2]})) return {SolveStatus::BadData, -1};
    for (const FrameMemberLoad& l : model_.memberLoads)
        if (!finite({l.value[0], l.value[1], l.value[2], l.value[3]})) return {SolveStatus::BadData, -1};
    if (SolveOutcome o = BuildElements(); o.status != SolveStatus::Ok) return o;
    PlaceLoads();
    std::vector<double> u;
    if (SolveOutcome o = Solve(u); o.status != SolveStatus::Ok) {
        if (o.index >= nodes) o.index = -1;  // a point inside an arc
        return o;
    }
    Stations(result, u);
    return {};
}

}  // namespace

SolveOutcome SolveFrame(const FrameModel& model, const SolveOptions& options, FrameResult& result) {
    result = FrameResult{};
    return Solver(model, options).Run(result);
}

double MemberLength(const FrameModel& model, const FrameMember& member) {
    const FrameNode& a = model.nodes[member.start];
    const FrameNode& b = model.nodes[member.end];
    if (!member.arc) return std::hypot(b.x - a.x, b.y - a.y);
    double t1 = std::atan2(a.y - member.cy, a.x - member.cx), t2 = std::atan2(b.y - member.cy, b.x - member.cx);
    double d = t2 - t1;
    if (d < 0) d += kTwoPi;
    return std::hypot(a.x - member.cx, a.y - member.cy) * d;
}

bool SectionStiffness(int kind, double value1, double value2, double e, int grade, double& E, double& A, double& I) {
    E = A = I = 0;
    if (kind == 1) {
        Con_Prop prop{};
        if (!get_rc_property(grade, &prop)) return false;
        double h = value1 / 1000, b = value2 / 1000;
        E = prop.Ec * 1000.0;
        A = b * h;
        I = b * h * h * h / 12;
    } else {
        E = e * 1e8;      // e·10⁵ N/mm²
        A = value1 * 1e-4;  // value·100 mm²
        I = value2 * 1e-8;  // value·10⁴ mm⁴
    }
    return E > 0 && A > 0 && I > 0;
}

}  // namespace kv::frame
