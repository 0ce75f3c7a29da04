#include "fem/mesh_literal.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "base/error.h"
#include "base/geometry.h"

namespace kv::test {

namespace {

struct Node {
    int t[3];
    int closed[3];
};

bool SameEdge(int a, int b, int u, int v) { return (a == u && b == v) || (a == v && b == u); }

struct LiteralFront {
    const net_point* p;
    int n, nb;
    std::vector<Node> list;

    bool IsBoundaryEdge(int a, int b) const {
        for (int i = 0; i + 1 < nb; ++i)
            if (SameEdge(a, b, i, i + 1)) return true;
        return nb > 0 && SameEdge(a, b, nb - 1, 0);
    }
    bool EdgeFree(int a, int b) const {
        for (const Node& t : list)
            for (int e = 0; e < 3; ++e)
                if (t.closed[e] && SameEdge(a, b, t.t[e], t.t[(e + 1) % 3])) return false;
        return true;
    }
    bool EdgeCross(int a, int b) const {
        auto test = [&](int u, int v) {
            if (u == a || u == b || v == a || v == b) return false;
            return segment_cross_point(p[a], p[b], p[u], p[v], static_cast<POINT_2D*>(nullptr)) != 0;
        };
        for (const Node& t : list)
            for (int e = 0; e < 3; ++e)
                if (test(t.t[e], t.t[(e + 1) % 3])) return true;
        for (int i = 0; i + 1 < nb; ++i)
            if (test(i, i + 1)) return true;
        return nb > 0 && test(nb - 1, 0);
    }
    int Best(int a, int b, bool rules, bool crossing) const {
        float best = 1.0e10f;
        int at = -1;
        for (int i = 0; i < n; ++i) {
            if (det3_point_2d(p[a], p[i], p[b]) < 0.00001f) continue;
            if (rules && (!EdgeFree(a, i) || !EdgeFree(i, b))) continue;
            if (crossing && (EdgeCross(a, i) || EdgeCross(i, b))) continue;
            float d = get_dist_point_2d(p[a], p[i]) + get_dist_point_2d(p[b], p[i]);
            if (d < best) {
                best = d;
                at = i;
            }
        }
        return at;
    }
    int BestPoint(int a, int b) const {
        int i = Best(a, b, true, false);
        if (i >= 0 && !EdgeCross(a, i) && !EdgeCross(i, b)) return i;
        return Best(a, b, true, true);
    }
    void Close() {
        Node& T = list.back();
        T.closed[0] = T.closed[1] = 0;
        T.closed[2] = 1;
        for (int e = 0; e < 2; ++e) {
            int u = T.t[e], v = T.t[e + 1];
            for (std::size_t k = 0; k + 1 < list.size(); ++k) {
                for (int f = 0; f < 3; ++f) {
                    if (SameEdge(u, v, list[k].t[f], list[k].t[(f + 1) % 3])) {
                        list[k].closed[f] = 1;
                        T.closed[e] = 1;
                    }
                }
            }
            if (IsBoundaryEdge(u, v)) T.closed[e] = 1;
        }
    }
    void Add(int a, int point, int b) {
        list.push_back(Node{{a, point, b}, {0, 0, 0}});
        Close();
    }
    void Improve() {
        for (Node& T : list) {
            float ang[3];
            tri_angles(p[T.t[0]], p[T.t[1]], p[T.t[2]], ang);
            float m = ang[0];
            if (ang[1] > m) m = ang[1];
            if (ang[2] > m) m = ang[2];
            if (m <= 1.5707963705062866) continue;
            int a = 0, b = 0, c = 0;
            for (int k = 0; k < 3; ++k)
                if (m == ang[k]) a = T.t[k], b = T.t[(k + 1) % 3], c = T.t[(k + 2) % 3];
            Node* N = nullptr;
            int d = -1;
            for (Node& cand : list) {
                for (int e = 0; e < 3 && !N; ++e) {
                    if (cand.t[e] == c && cand.t[(e + 1) % 3] == b && cand.t[(e + 2) % 3] != a) {
                        N = &cand;
                        d = cand.t[(e + 2) % 3];
                    }
                }
                if (N) break;
            }
            if (!N) continue;
            float r = max_angle_of_tri(p[a], p[d], p[c]);
            float t = max_angle_of_tri(p[a], p[b], p[d]);
            if (std::max(r, t) < m) {
                T.t[0] = a, T.t[1] = d, T.t[2] = c;
                N->t[0] = a, N->t[1] = b, N->t[2] = d;
            }
        }
    }
};

}  // namespace

std::vector<Tri> LiteralFormNet(int n, const net_point* pts, int nb, bool* failed) {
    LiteralFront f{pts, n, nb, {}};
    *failed = false;
    int first = n >= 2 ? f.Best(1, 0, false, false) : -1;
    if (first < 0) {
        *failed = true;
        return {};
    }
    f.Add(1, first, 0);
    for (int i = 1; i <= nb - 1 && !*failed; ++i) {
        int a = (i + 1) % nb, b = i;
        if (!f.EdgeFree(a, b)) continue;
        int t1 = f.BestPoint(a, b);
        if (t1 < 0)
            *failed = true;
        else
            f.Add(a, t1, b);
    }
    std::size_t cursor = 0;
    while (!*failed) {
        int a = -1, b = -1;
        while (cursor < f.list.size() && a < 0) {
            Node& t = f.list[cursor];
            for (int e = 0; e < 3 && a < 0; ++e) {
                if (!t.closed[e]) {
                    a = t.t[e];
                    b = t.t[(e + 1) % 3];
                    t.closed[e] = 1;
                }
            }
            if (a < 0) ++cursor;
        }
        if (a < 0) {
            f.Improve();
            break;
        }
        int t1 = f.BestPoint(a, b);
        if (t1 < 0)
            *failed = true;
        else
            f.Add(a, t1, b);
    }
    std::vector<Tri> out;
    for (const Node& t : f.list) out.push_back({t.t[0], t.t[1], t.t[2]});
    return out;
}

void LiteralStripSort(net_point* pts, int count, float divideLength, bool alongX) {
    auto u = [&](int k) { return alongX ? pts[k].x : pts[k].y; };
    auto v = [&](int k) { return alongX ? pts[k].y : pts[k].x; };
    const float w = divideLength / 3;
    int b = 0;
    while (b < count) {
        float smallest = 1.0e10f;
        for (int k = b; k < count; ++k)
            if (u(k) < smallest) smallest = u(k);
        const float limit = smallest + w;
        int i = b;
        for (int k = b; k < count; ++k) {
            if (u(k) < limit) {
                std::swap(pts[k], pts[i]);
                ++i;
            }
        }
        for (int l = b; l < i; ++l) {
            int at = l;
            for (int k = l; k < i; ++k)
                if (v(k) < v(at)) at = k;
            std::swap(pts[at], pts[l]);
        }
        b = i;
    }
}

int LiteralSplitOffset(YXY_NET& net, const net_chain& chain, const float* angles, int* start) {
    const int n = static_cast<int>(chain.size());
    int s = 0;
    float largest = -100;
    for (int i = 0; i < n; ++i)
        if (net.is_corner(i, angles) && angles[i] > largest) largest = angles[i], s = i;
    *start = s;
    std::vector<int> klass(n - 1), imbalance(n - 1);
    std::vector<float> lo(n - 1), hi(n - 1);
    for (int c = 0; c <= n - 2; ++c) {
        const int mark = net.point_num;
        net_chain p1, p2;
        int e = 0;
        net.cut_chain(chain, s, c, &p1, &p2, &e);
        net.point_num = mark;
        std::vector<float> a1 = net.corner_angles(static_cast<int>(p1.size()), p1.data());
        std::vector<float> a2 = net.corner_angles(static_cast<int>(p2.size()), p2.data());
        int k1 = net.polygon_kind(static_cast<int>(p1.size()), a1.data());
        int k2 = net.polygon_kind(static_cast<int>(p2.size()), a2.data());
        int run1 = ((e - s) % n + n) % n;
        float a1s = a1[0], a1e = a1[run1];
        float a2e = a2[0], a2s = a2[n - run1];
        klass[c] = 1 + (k1 > 0) + (k2 > 0);
        if (std::abs(k1) <= 2 || std::abs(k2) <= 2) klass[c] = 1000;
        if (std::fabs(a1s + a2s - angles[s]) > 0.001f || std::fabs(a1e + a2e - angles[e]) > 0.001f)
            klass[c] = 1000;
        lo[c] = 400;
        hi[c] = -400;
        for (float a : {a1s, a1e, a2e, a2s}) {
            if (a < lo[c]) lo[c] = a;
            if (a > hi[c]) hi[c] = a;
        }
        imbalance[c] = std::abs(std::abs(k1) - std::abs(k2));
    }
    int bestClass = 10;
    for (int c = 0; c <= n - 2; ++c)
        if (klass[c] < bestClass) bestClass = klass[c];
    float bestLo = -1.0e30f;
    for (int c = 0; c <= n - 2; ++c)
        if (klass[c] == bestClass && lo[c] > bestLo) bestLo = lo[c];
    float bestHi = 1.0e30f;
    for (int c = 0; c <= n - 2; ++c)
        if (klass[c] == bestClass && lo[c] == bestLo && hi[c] < bestHi) bestHi = hi[c];
    int bestImb = 1 << 30;
    for (int c = 0; c <= n - 2; ++c)
        if (klass[c] == bestClass && lo[c] == bestLo && hi[c] == bestHi && imbalance[c] < bestImb)
            bestImb = imbalance[c];
    for (int c = 0; c <= n - 2; ++c)
        if (klass[c] == bestClass && lo[c] == bestLo && hi[c] == bestHi && imbalance[c] == bestImb) return c;
    return 0;
}

namespace {

void WriteFront(YXY_NET& net, const net_chain& pts, int nb) {
    bool failed = false;
    std::vector<Tri> tris = LiteralFormNet(static_cast<int>(pts.size()), pts.data(), nb, &failed);
    for (const Tri& t : tris) net.write_tri(pts[t[0]].index, pts[t[1]].index, pts[t[2]].index);
    if (failed) tell_error(kv::err::kFailure, "Can't find point can spread!");
}

std::vector<int> CornerList(YXY_NET& net, const net_chain& chain, const float* angles) {
    std::vector<int> c;
    for (int i = 0; i < static_cast<int>(chain.size()); ++i)
        if (net.is_corner(i, angles)) c.push_back(i);
    return c;
}

}  // namespace

void LiteralMeshPolygon(YXY_NET& net, net_chain chain) {
    if (JS_ERROR_CODE) return;
    const int n = static_cast<int>(chain.size());
    std::vector<float> angles = net.corner_angles(n, chain.data());
    int kind = net.polygon_kind(n, angles.data());
    if (std::abs(kind) <= 2) {
        tell_error(kv::err::kFailure, "构网程序发现多边形边数 <= 2 !");
        return;
    }
    if (kind == -3 || kind == -4) {
        std::vector<int> c = CornerList(net, chain, angles.data());
        const int k = static_cast<int>(c.size());
        std::vector<int> side(k);
        for (int i = 0; i < k; ++i) side[i] = (i + 1 < k ? c[i + 1] : c[0] + n) - c[i] - 1;
        float cx[4], cy[4];
        for (int i = 0; i < k; ++i) cx[i] = chain[c[i]].x, cy[i] = chain[c[i]].y;
        float x = 0, y = 0;
        centroid_poli(k, cx, cy, &x, &y);
        ++net.center_num;
        if (k == 3) {
            int sum = side[0] + side[1] + side[2];
            if (sum < 6) return net.fan_net(chain, x, y);
            net_chain pts = net.tri_add_point(sum / 3, chain, cx, cy);
            return WriteFront(net, pts, n);
        }
        if (side[0] == side[2] && side[1] == side[3]) {
            if (side[0] == 0 && side[1] == 0) return net.fan_net(chain, x, y);
            return net.quar_net_two_side_link(chain, side[0], side[1], c[0]);
        }
        if (side[0] + side[2] < 2 && side[1] + side[3] < 2) return net.fan_net(chain, x, y);
        net_chain pts = net.quar_add_point((side[0] + side[2]) / 2, (side[1] + side[3]) / 2, chain, cx, cy);
        return WriteFront(net, pts, n);
    }
    int s = 0;
    int offset = LiteralSplitOffset(net, chain, angles.data(), &s);
    net_chain p1, p2;
    net.cut_chain(chain, s, offset, &p1, &p2, nullptr);
    LiteralMeshPolygon(net, std::move(p1));
    LiteralMeshPolygon(net, std::move(p2));
}

}  // namespace kv::test
