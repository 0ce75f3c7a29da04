// The advancing front: triangles grow from the boundary inwards, each on an
// open edge with the point of the smallest distance sum whose new edges are
// free and cross nothing; one pass of flips then removes obtuse angles.
//
// Every question the front asks (which points lie on the open side, which
// edges are used up, what a new edge would cross) is answered from a grid of
// the points, a grid of the edges and tables of the edges, so a region costs
// about n log n instead of n³. Ties keep the lower position, as a scan of all
// points that replaces only on strictly smaller sums would.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "base/acadscript.h"
#include "base/error.h"
#include "base/geometry.h"
#include "base/textio.h"
#include "fem/yxy_net.h"

namespace {

constexpr float kOpenSide = 0.00001f;
constexpr float kNoSum = 1.0e10f;

uint64_t EdgeKey(int a, int b) {
    if (a > b) std::swap(a, b);
    return (static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32) | static_cast<uint32_t>(b);
}
uint64_t DirectedKey(int a, int b) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32) | static_cast<uint32_t>(b);
}

int& Flag(form_net_node& t, int e) { return e == 0 ? t.closed01 : e == 1 ? t.closed12 : t.closed20; }
void EdgeEnds(const form_net_node& t, int e, int* u, int* v) {
    *u = e == 0 ? t.t0 : e == 1 ? t.t1 : t.t2;
    *v = e == 0 ? t.t1 : e == 1 ? t.t2 : t.t0;
}

class Front {
public:
    Front(std::vector<form_net_node>& tris, const net_point* pts, int n, int nb)
        : tris_(tris), pts_(pts), nb_(nb) {
        float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        for (int i = 0; i < n; ++i) {
            if (i == 0 || pts[i].x < x0) x0 = pts[i].x;
            if (i == 0 || pts[i].x > x1) x1 = pts[i].x;
            if (i == 0 || pts[i].y < y0) y0 = pts[i].y;
            if (i == 0 || pts[i].y > y1) y1 = pts[i].y;
        }
        x0_ = x0;
        y0_ = y0;
        double w = double(x1) - x0, h = double(y1) - y0;
        double extent = std::max({w, h, 1e-6});
        // Segments that touch within the crossing test's slack count as
        // crossing; looking that much further round an edge misses none.
        margin_ = 1e-5 * std::hypot(w, h) + 1e-9;
        double cell = std::sqrt(std::max(w * h, extent * extent / std::max(n, 1)) / std::max(n, 1)) * 1.5;
        if (!(cell > 0)) cell = extent;
        cell_ = cell;
        nx_ = ClampCell(w / cell, 4096) + 1;
        ny_ = ClampCell(h / cell, 4096) + 1;
        pointCells_.assign(static_cast<std::size_t>(nx_) * ny_, {});
        for (int i = 0; i < n; ++i) pointCells_[CellOf(pts[i].x, pts[i].y)].push_back(i);
        edgeCells_.assign(pointCells_.size(), {});
        for (int i = 0; i + 1 < nb; ++i) AddSegment(i, i + 1);
        if (nb > 0) AddSegment(nb - 1, 0);
    }

    bool IsBoundary(int a, int b) const {
        if (a < 0 || b < 0 || a >= nb_ || b >= nb_) return false;
        if (std::abs(a - b) == 1) return true;
        return (a == 0 && b == nb_ - 1) || (b == 0 && a == nb_ - 1);
    }

    bool EdgeFree(int a, int b) const {
        auto it = closed_.find(EdgeKey(a, b));
        return it == closed_.end() || it->second == 0;
    }

    void SetFlag(int tri, int e) {
        int& f = Flag(tris_[tri], e);
        if (f) return;
        f = 1;
        int u, v;
        EdgeEnds(tris_[tri], e, &u, &v);
        ++closed_[EdgeKey(u, v)];
    }

    // Appends a triangle built on (a, b) and closes its edges.
    void Append(int a, int point, int b) {
        tris_.push_back(form_net_node{a, point, b, 0, 0, 0});
        const int t = static_cast<int>(tris_.size()) - 1;
        SetFlag(t, 2);
        for (int e = 0; e < 2; ++e) {
            int u, v;
            EdgeEnds(tris_[t], e, &u, &v);
            auto it = slots_.find(EdgeKey(u, v));
            if (it != slots_.end()) {
                for (int slot : it->second) {
                    SetFlag(slot / 3, slot % 3);
                    SetFlag(t, e);
                }
            }
            if (IsBoundary(u, v)) SetFlag(t, e);
        }
        for (int e = 0; e < 3; ++e) {
            int u, v;
            EdgeEnds(tris_[t], e, &u, &v);
            slots_[EdgeKey(u, v)].push_back(t * 3 + e);
            AddSegment(u, v);
        }
    }

    // Whether the segment a-b meets an edge that has neither a nor b as an end.
    bool Crosses(int a, int b) {
        const net_point& pa = pts_[a];
        const net_point& pb = pts_[b];
        int i0, j0, i1, j1;
        CellRange(std::min(pa.x, pb.x) - margin_, std::min(pa.y, pb.y) - margin_,
                  std::max(pa.x, pb.x) + margin_, std::max(pa.y, pb.y) + margin_, &i0, &j0, &i1, &j1);
        ++stamp_;
        for (int j = j0; j <= j1; ++j) {
            for (int i = i0; i <= i1; ++i) {
                for (int id : edgeCells_[static_cast<std::size_t>(j) * nx_ + i]) {
                    if (seen_[id] == stamp_) continue;
                    seen_[id] = stamp_;
                    int u = segs_[id].first, v = segs_[id].second;
                    if (u == a || u == b || v == a || v == b) continue;
                    if (segment_cross_point(pa, pb, pts_[u], pts_[v], static_cast<POINT_2D*>(nullptr)))
                        return true;
                }
            }
        }
        return false;
    }

    // The point for the open edge (a, b): the smallest distance sum on the open
    // side (lowest position among equal sums), and with `edgeRules` also free
    // new edges that cross nothing. -1 when there is none.
    int Choose(int a, int b, bool edgeRules) {
        const net_point& pa = pts_[a];
        const net_point& pb = pts_[b];
        const double mx = (double(pa.x) + pb.x) / 2, my = (double(pa.y) + pb.y) / 2;
        const double half = std::hypot(double(pa.x) - pb.x, double(pa.y) - pb.y) / 2;
        double reach = std::max(half, cell_);
        for (int round = 0;; ++round) {
            int i0 = 0, j0 = 0, i1 = nx_ - 1, j1 = ny_ - 1;
            if (round < 64 && std::isfinite(mx) && std::isfinite(my) && std::isfinite(reach))
                CellRange(mx - reach, my - reach, mx + reach, my + reach, &i0, &j0, &i1, &j1);
            bool all = i0 == 0 && j0 == 0 && i1 == nx_ - 1 && j1 == ny_ - 1;
            // Any point left outside the square lies further than `reach` from
            // the edge's middle, so its sum exceeds 2 reach - |ab|.
            double bound = all ? 1e300 : (2 * reach - 2 * half) * (1 - 1e-5) - 1e-9;
            cand_.clear();
            for (int j = j0; j <= j1; ++j) {
                for (int i = i0; i <= i1; ++i) {
                    for (int p : pointCells_[static_cast<std::size_t>(j) * nx_ + i]) {
                        if (det3_point_2d(pa, pts_[p], pb) < kOpenSide) continue;
                        float sum = get_dist_point_2d(pa, pts_[p]) + get_dist_point_2d(pb, pts_[p]);
                        if (!(sum < kNoSum)) continue;
                        cand_.push_back({sum, p});
                    }
                }
            }
            std::sort(cand_.begin(), cand_.end());
            for (const auto& [sum, p] : cand_) {
                if (sum >= bound) break;
                if (!edgeRules) return p;
                if (!EdgeFree(a, p) || !EdgeFree(p, b)) continue;
                if (Crosses(a, p) || Crosses(p, b)) continue;
                return p;
            }
            if (all) return -1;
            reach *= 2;
        }
    }

private:
    // A cell index from a position in cells, kept inside the grid (a point at
    // no number lands in the first cell rather than at no index).
    static int ClampCell(double v, int count) {
        if (!(v > 0)) return 0;
        if (v >= count - 1) return count - 1;
        return static_cast<int>(v);
    }
    std::size_t CellOf(double x, double y) const {
        int i = ClampCell((x - x0_) / cell_, nx_);
        int j = ClampCell((y - y0_) / cell_, ny_);
        return static_cast<std::size_t>(j) * nx_ + i;
    }
    void CellRange(double xa, double ya, double xb, double yb, int* i0, int* j0, int* i1, int* j1) const {
        *i0 = ClampCell((xa - x0_) / cell_, nx_);
        *i1 = ClampCell((xb - x0_) / cell_, nx_);
        *j0 = ClampCell((ya - y0_) / cell_, ny_);
        *j1 = ClampCell((yb - y0_) / cell_, ny_);
    }
    void AddSegment(int u, int v) {
        const int id = static_cast<int>(segs_.size());
        segs_.push_back({u, v});
        seen_.push_back(0);
        const net_point& p = pts_[u];
        const net_point& q = pts_[v];
        int i0, j0, i1, j1;
        CellRange(std::min(p.x, q.x) - margin_, std::min(p.y, q.y) - margin_, std::max(p.x, q.x) + margin_,
                  std::max(p.y, q.y) + margin_, &i0, &j0, &i1, &j1);
        for (int j = j0; j <= j1; ++j)
            for (int i = i0; i <= i1; ++i) edgeCells_[static_cast<std::size_t>(j) * nx_ + i].push_back(id);
    }

    std::vector<form_net_node>& tris_;
    const net_point* pts_;
    int nb_;
    double x0_ = 0, y0_ = 0, cell_ = 1, margin_ = 0;
    int nx_ = 1, ny_ = 1;
    std::vector<std::vector<int>> pointCells_;
    std::vector<std::vector<int>> edgeCells_;
    std::vector<std::pair<int, int>> segs_;
    std::vector<unsigned> seen_;
    unsigned stamp_ = 0;
    std::unordered_map<uint64_t, int> closed_;
    std::unordered_map<uint64_t, std::vector<int>> slots_;
    std::vector<std::pair<float, int>> cand_;
};

}  // namespace

void tri_angles(const net_point& p0, const net_point& p1, const net_point& p2, float angles[3]) {
    angles[0] = get_two_line_angle(p2.x, p2.y, p0.x, p0.y, p1.x, p1.y);
    angles[1] = get_two_line_angle(p0.x, p0.y, p1.x, p1.y, p2.x, p2.y);
    angles[2] = get_two_line_angle(p1.x, p1.y, p2.x, p2.y, p0.x, p0.y);
}

int YXY_NET::form_net_next_edge(int* a, int* b) {
    while (front_cursor < front.size()) {
        form_net_node& t = front[front_cursor];
        if (!t.closed01) {
            *a = t.t0;
            *b = t.t1;
            return 1;
        }
        if (!t.closed12) {
            *a = t.t1;
            *b = t.t2;
            return 1;
        }
        if (!t.closed20) {
            *a = t.t2;
            *b = t.t0;
            return 1;
        }
        ++front_cursor;
    }
    return 0;
}

void YXY_NET::form_net(int n, const net_point* pts, int nb) {
    if (JS_ERROR_CODE) return;
    front.clear();
    front_cursor = 0;
    if (n < 3) tell_error(kv::err::kWarning, "Error 1 in form_net");
    Front index(front, pts, n, nb);
    int count = 0;
    auto report = [&] {
        ++count;
        tell_error1(kv::err::kNotice, "           Triangular : %d", count);
    };
    auto fail = [&] {
        form_net_script(n, pts);
        tell_error(kv::err::kFailure, "Can't find point can spread!");
    };

    int first = n >= 2 ? index.Choose(1, 0, false) : -1;
    if (first < 0) {
        tell_error(kv::err::kFailure, "Error 2 in form_net");
    } else {
        index.Append(1, first, 0);
        for (int i = 1; i <= nb - 1 && !JS_ERROR_CODE; ++i) {
            int a = (i + 1) % nb, b = i;
            if (!index.EdgeFree(a, b)) continue;
            report();
            int t1 = index.Choose(a, b, true);
            if (t1 < 0) {
                fail();
                break;
            }
            index.Append(a, t1, b);
        }
        while (!JS_ERROR_CODE) {
            int a = 0, b = 0;
            if (!form_net_next_edge(&a, &b)) {
                improve_net(pts);
                break;
            }
            const std::size_t at = front_cursor;
            // The walk hands out an edge once.
            int slot = !front[at].closed01 ? 0 : !front[at].closed12 ? 1 : 2;
            index.SetFlag(static_cast<int>(at), slot);
            report();
            int t1 = index.Choose(a, b, true);
            if (t1 < 0) {
                fail();
                break;
            }
            index.Append(a, t1, b);
        }
    }
    for (const form_net_node& t : front) write_tri(pts[t.t0].index, pts[t.t1].index, pts[t.t2].index);
    front.clear();
    front_cursor = 0;
}

void YXY_NET::improve_net(const net_point* pts) {
    // Directed edge -> triangles that run along it, for the neighbour search.
    std::unordered_map<uint64_t, std::vector<int>> along;
    auto add = [&](int t) {
        const form_net_node& f = front[t];
        along[DirectedKey(f.t0, f.t1)].push_back(t);
        along[DirectedKey(f.t1, f.t2)].push_back(t);
        along[DirectedKey(f.t2, f.t0)].push_back(t);
    };
    auto remove = [&](int t) {
        const form_net_node& f = front[t];
        for (uint64_t key : {DirectedKey(f.t0, f.t1), DirectedKey(f.t1, f.t2), DirectedKey(f.t2, f.t0)}) {
            auto& v = along[key];
            v.erase(std::find(v.begin(), v.end(), t));
        }
    };
    for (int t = 0; t < static_cast<int>(front.size()); ++t) add(t);
    auto third = [](const form_net_node& f, int c, int b) {
        if (f.t0 == c && f.t1 == b) return f.t2;
        if (f.t1 == c && f.t2 == b) return f.t0;
        return f.t1;
    };
    for (int t = 0; t < static_cast<int>(front.size()); ++t) {
        form_net_node& T = front[t];
        float ang[3];
        tri_angles(pts[T.t0], pts[T.t1], pts[T.t2], ang);
        float m = ang[0];
        if (ang[1] > m) m = ang[1];
        if (ang[2] > m) m = ang[2];
        if (m <= 1.5707963705062866) continue;
        int a = 0, b = 0, c = 0;
        if (m == ang[0]) a = T.t0, b = T.t1, c = T.t2;
        if (m == ang[1]) a = T.t1, b = T.t2, c = T.t0;
        if (m == ang[2]) a = T.t2, b = T.t0, c = T.t1;
        int nb = -1, d = -1;
        auto it = along.find(DirectedKey(c, b));
        if (it != along.end()) {
            for (int cand : it->second) {
                int x = third(front[cand], c, b);
                if (x != a && (nb < 0 || cand < nb)) {
                    nb = cand;
                    d = x;
                }
            }
        }
        if (nb < 0) continue;
        float r = max_angle_of_tri(pts[a], pts[d], pts[c]);
        float s = max_angle_of_tri(pts[a], pts[b], pts[d]);
        if (std::max(r, s) < m) {
            remove(t);
            remove(nb);
            front[t].t0 = a, front[t].t1 = d, front[t].t2 = c;
            front[nb].t0 = a, front[nb].t1 = b, front[nb].t2 = d;
            add(t);
            add(nb);
        }
    }
}

void YXY_NET::form_net_script(int n, const net_point* pts) {
    std::FILE* fp = open_file("form_net.scr", "wt");
    if (!fp) return;
    for (int i = 0; i < n; ++i) {
        acad_circle(fp, pts[i].x, pts[i].y, 0.05f);
        acad_text(fp, pts[i].x, pts[i].y, 0.1f, std::to_string(i).c_str());
    }
    int k = 0;
    for (const form_net_node& t : front) {
        const net_point& p0 = pts[t.t0];
        const net_point& p1 = pts[t.t1];
        const net_point& p2 = pts[t.t2];
        acad_3dface(fp, p0.x, p0.y, p1.x, p1.y, p2.x, p2.y);
        float xs[3] = {p0.x, p1.x, p2.x}, ys[3] = {p0.y, p1.y, p2.y};
        float cx = 0, cy = 0;
        centroid_poli(3, xs, ys, &cx, &cy);
        acad_text(fp, cx, cy, 0.15f, std::to_string(++k).c_str());
    }
    commit_file(fp);
}
