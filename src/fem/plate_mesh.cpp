// Meshing of a plate region: three- and four-cornered regions get inner points
// (or a fan, or a structured grid), every other region is cut in two along
// the best straight cut and each part is meshed again.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "base/error.h"
#include "base/geometry.h"
#include "fem/yxy_net.h"

namespace {

constexpr float kDegreesPerRadian = 180;

void WriteCentre(std::FILE* fp, float x, float y) {
    if (!fp) return;
    std::fseek(fp, 0, SEEK_END);
    const float v[2] = {x, y};
    std::fwrite(v, sizeof v, 1, fp);
}

int Wrap(int i, int n) { return ((i % n) + n) % n; }

}  // namespace

float net_corner_angle(const net_point& prev, const net_point& at, const net_point& next) {
    return static_cast<float>(get_two_line_angle(prev.x, prev.y, at.x, at.y, next.x, next.y) *
                              kDegreesPerRadian / 3.1415927);
}

std::vector<float> YXY_NET::corner_angles(int n, const net_point* chain) {
    std::vector<float> angles(n > 0 ? n : 0);
    for (int i = 0; i < n; ++i)
        angles[i] = net_corner_angle(chain[i == 0 ? n - 1 : i - 1], chain[i], chain[i == n - 1 ? 0 : i + 1]);
    return angles;
}

int YXY_NET::is_corner(int i, const float* angles) const {
    return angles[i] <= 177 || angles[i] >= 183;
}

int YXY_NET::polygon_kind(int n, const float* angles) const {
    int corners = 0;
    bool reflex = false;
    for (int i = 0; i < n; ++i) {
        if (!is_corner(i, angles)) continue;
        ++corners;
        if (angles[i] > 183) reflex = true;
    }
    if (corners == 3) return -3;
    if (corners == 4 && !reflex) return -4;
    return reflex ? corners : -corners;
}

void YXY_NET::mesh_plate(int plate, net_chain chain) {
    if (JS_ERROR_CODE) return;
    if (chain.size() >= 3) {
        std::vector<float> xs(chain.size()), ys(chain.size());
        for (std::size_t i = 0; i < chain.size(); ++i) {
            xs[i] = chain[i].x;
            ys[i] = chain[i].y;
        }
        // Its region would lie to the right of the chain: meshed as it stands
        // the triangles would cover the outside.
        if (area_poli(static_cast<int>(chain.size()), xs.data(), ys.data()) < 0) {
            tell_error1(kv::err::kDataError, "第 %d 号板的边界按顺时针方向排列, 不能剖分 !", plate);
            return;
        }
    }
    mesh_polygon(std::move(chain));
}

void YXY_NET::mesh_polygon(net_chain chain) {
    if (JS_ERROR_CODE) return;
    const int n = static_cast<int>(chain.size());
    std::vector<float> angles = corner_angles(n, chain.data());
    int kind = polygon_kind(n, angles.data());
    if (std::abs(kind) <= 2) {
        tell_error(kv::err::kFailure, "构网程序发现多边形边数 <= 2 !");
        return;
    }
    if (kind == -3) {
        tri_net(chain, angles.data());
        return;
    }
    if (kind == -4) {
        quar_net(chain, angles.data());
        return;
    }
    net_chain part1, part2;
    split_polygon(chain, angles.data(), &part1, &part2);
    chain = net_chain();
    angles = std::vector<float>();
    if (JS_ERROR_CODE) return;
    mesh_polygon(std::move(part1));
    if (JS_ERROR_CODE) return;
    mesh_polygon(std::move(part2));
}

// Segments of length `divide` on a cut of length `d`: at least one, and never
// more than the node table could take (a far-off or undefined co-ordinate would
// otherwise make a count no int holds).
static int SegmentCount(float d, float divide) {
    constexpr float kMost = 2.0f * YXY_NET::kMaxPoints;
    const float t = d / divide;
    if (!(t >= 1)) return 1;
    return t < kMost ? static_cast<int>(t) : static_cast<int>(kMost);
}

// The cut's inner points, from `e` towards `s`, as the cut will add them.
static int CutPoints(const net_point& ps, const net_point& pe, float divide, std::vector<net_point>* out) {
    const int k = SegmentCount(get_dist_point_2d(pe, ps), divide);
    out->clear();
    for (int i = 1; i < k; ++i) {
        net_point p;
        p.x = pe.x + i * (ps.x - pe.x) / k;
        p.y = pe.y + i * (ps.y - pe.y) / k;
        p.index = -1;
        out->push_back(p);
    }
    return k;
}

void YXY_NET::cut_at(const net_chain& chain, int s, int e, int errorCode, net_chain* part1,
                     net_chain* part2) {
    const int n = static_cast<int>(chain.size());
    std::vector<net_point> inner;
    CutPoints(chain[s], chain[e], divide_length, &inner);
    for (net_point& p : inner) {
        add_point(p.x, p.y);
        if (JS_ERROR_CODE) return;
        p = points[point_num - 1];
    }
    int run1 = Wrap(e - s, n), run2 = Wrap(s - e, n);
    if (run1 == 0) run1 = n;
    if (run2 == 0) run2 = n;
    if (n == 0) {
        tell_error(errorCode, "Error in cut_chain");
        return;
    }
    part1->clear();
    part2->clear();
    for (int i = 0; i <= run1; ++i) part1->push_back(chain[(s + i) % n]);
    for (const net_point& p : inner) part1->push_back(p);
    for (int i = 0; i <= run2; ++i) part2->push_back(chain[(e + i) % n]);
    for (auto it = inner.rbegin(); it != inner.rend(); ++it) part2->push_back(*it);
}

void YXY_NET::cut_chain(const net_chain& chain, int start, int offset, net_chain* part1,
                        net_chain* part2, int* end) {
    if (JS_ERROR_CODE) return;
    const int n = static_cast<int>(chain.size());
    if (n == 0) {
        tell_error(kv::err::kFailure, "Error in cut_chain");
        return;
    }
    int e = (start + offset + 1) % n;
    if (end) *end = e;
    cut_at(chain, start, e, kv::err::kFailure, part1, part2);
}

int YXY_NET::nth_corner(int n, const float* angles, int start, int k) const {
    int met = 0, at = start;
    for (int step = 0; step < n; ++step) {
        at = (start + step) % n;
        if (is_corner(at, angles) && ++met == k + 3) return at;
    }
    return at;
}

void YXY_NET::cut_chain_0(const net_chain& chain, const float* angles, int start, int k,
                          net_chain* part1, net_chain* part2, int* end) {
    if (JS_ERROR_CODE) return;
    const int n = static_cast<int>(chain.size());
    if (n == 0) {
        tell_error(kv::err::kWarning, "Error in cut_chain");
        return;
    }
    int e = nth_corner(n, angles, start, k);
    if (end) *end = e;
    cut_at(chain, start, e, kv::err::kWarning, part1, part2);
}

namespace {

// What one trial cut leaves: the two parts' kinds and the four angles at the
// cut's ends. Points inside either part keep the parent's neighbours and so
// its angles: only the cut's ends and its own points are measured anew.
struct CutScore {
    int kind1 = 0, kind2 = 0;
    float a1s = 0, a1e = 0, a2s = 0, a2e = 0;
};

struct Tally {
    int corners = 0;
    int reflex = 0;
    void Add(float angle) {
        if (angle <= 177 || angle >= 183) {
            ++corners;
            if (angle > 183) ++reflex;
        }
    }
    void Add(const Tally& t) {
        corners += t.corners;
        reflex += t.reflex;
    }
    int Kind() const {
        if (corners == 3) return -3;
        if (corners == 4 && !reflex) return -4;
        return reflex ? corners : -corners;
    }
};

class TrialCuts {
public:
    TrialCuts(const net_chain& chain, const float* angles) : chain_(chain), n_(static_cast<int>(chain.size())) {
        corners_.assign(n_ + 1, 0);
        reflex_.assign(n_ + 1, 0);
        for (int i = 0; i < n_; ++i) {
            Tally t;
            t.Add(angles[i]);
            corners_[i + 1] = corners_[i] + t.corners;
            reflex_[i + 1] = reflex_[i] + t.reflex;
        }
    }

    CutScore Score(int s, int e, float divide) {
        const int n = n_;
        CutPoints(chain_[s], chain_[e], divide, &inner_);
        const int q = static_cast<int>(inner_.size());
        const net_point& ps = chain_[s];
        const net_point& pe = chain_[e];
        int run1 = Wrap(e - s, n), run2 = Wrap(s - e, n);
        CutScore score;
        // Part 1: s … e, then the cut's points from e towards s.
        {
            const net_point& afterS = chain_[(s + 1) % n];
            const net_point& beforeE = chain_[Wrap(e - 1, n)];
            score.a1s = net_corner_angle(q ? inner_[q - 1] : pe, ps, afterS);
            score.a1e = net_corner_angle(beforeE, pe, q ? inner_[0] : ps);
            Tally t = Between(s, run1);
            t.Add(score.a1s);
            t.Add(score.a1e);
            for (int j = 0; j < q; ++j)
                t.Add(net_corner_angle(j == 0 ? pe : inner_[j - 1], inner_[j], j == q - 1 ? ps : inner_[j + 1]));
            score.kind1 = t.Kind();
        }
        // Part 2: e … s, then the cut's points from s towards e.
        {
            const net_point& afterE = chain_[(e + 1) % n];
            const net_point& beforeS = chain_[Wrap(s - 1, n)];
            score.a2e = net_corner_angle(q ? inner_[0] : ps, pe, afterE);
            score.a2s = net_corner_angle(beforeS, ps, q ? inner_[q - 1] : pe);
            Tally t = Between(e, run2);
            t.Add(score.a2e);
            t.Add(score.a2s);
            for (int j = q - 1; j >= 0; --j)
                t.Add(net_corner_angle(j == q - 1 ? ps : inner_[j + 1], inner_[j], j == 0 ? pe : inner_[j - 1]));
            score.kind2 = t.Kind();
        }
        return score;
    }

private:
    // Corners strictly between chain position `from` and `from + run`.
    Tally Between(int from, int run) const {
        Tally t;
        if (run <= 1) return t;
        int lo = from + 1, hi = from + run;  // [lo, hi)
        auto count = [&](const std::vector<int>& pre, int a, int b) { return pre[b] - pre[a]; };
        if (hi <= n_) {
            t.corners = count(corners_, lo, hi);
            t.reflex = count(reflex_, lo, hi);
        } else if (lo >= n_) {
            t.corners = count(corners_, lo - n_, hi - n_);
            t.reflex = count(reflex_, lo - n_, hi - n_);
        } else {
            t.corners = count(corners_, lo, n_) + count(corners_, 0, hi - n_);
            t.reflex = count(reflex_, lo, n_) + count(reflex_, 0, hi - n_);
        }
        return t;
    }

    const net_chain& chain_;
    int n_;
    std::vector<int> corners_, reflex_;
    std::vector<net_point> inner_;
};

}  // namespace

void YXY_NET::split_polygon(const net_chain& chain, const float* angles, net_chain* part1,
                            net_chain* part2) {
    if (JS_ERROR_CODE) return;
    const int n = static_cast<int>(chain.size());
    if (n < 2) {
        tell_error(kv::err::kFailure, "内存不够 !");
        return;
    }
    int s = 0;
    float largest = -100;
    for (int i = 0; i < n; ++i) {
        if (is_corner(i, angles) && angles[i] > largest) {
            largest = angles[i];
            s = i;
        }
    }
    std::vector<int> klass(n - 1);
    std::vector<float> smallAngle(n - 1), bigAngle(n - 1);
    std::vector<int> imbalance(n - 1);
    TrialCuts trials(chain, angles);
    for (int c = 0; c <= n - 2; ++c) {
        int e = (s + c + 1) % n;
        // The trial cut's points would take room in the node table.
        int k = SegmentCount(get_dist_point_2d(chain[e], chain[s]), divide_length);
        if (point_num + k - 1 > kMaxPoints) {
            tell_error1(kv::err::kFailure, "Point_num = %d over flow !", kMaxPoints);
            return;
        }
        CutScore sc = trials.Score(s, e, divide_length);
        int reflexParts = (sc.kind1 > 0) + (sc.kind2 > 0);
        klass[c] = reflexParts + 1;
        if (std::abs(sc.kind1) <= 2 || std::abs(sc.kind2) <= 2) klass[c] = 1000;
        if (std::fabs(sc.a1s + sc.a2s - angles[s]) > 0.001f || std::fabs(sc.a1e + sc.a2e - angles[e]) > 0.001f)
            klass[c] = 1000;
        float lo = 400, hi = -400;
        for (float a : {sc.a1s, sc.a1e, sc.a2e, sc.a2s}) {
            if (a < lo) lo = a;
            if (a > hi) hi = a;
        }
        smallAngle[c] = lo;
        bigAngle[c] = hi;
        imbalance[c] = std::abs(std::abs(sc.kind1) - std::abs(sc.kind2));
    }
    int best = 0;
    int bestClass = 10;
    for (int c = 0; c <= n - 2; ++c)
        if (klass[c] < bestClass) bestClass = klass[c];
    bool found = false;
    for (int c = 0; c <= n - 2; ++c) {
        if (klass[c] != bestClass) continue;
        if (!found) {
            best = c;
            found = true;
            continue;
        }
        if (smallAngle[c] > smallAngle[best]) {
            best = c;
        } else if (smallAngle[c] == smallAngle[best]) {
            if (bigAngle[c] < bigAngle[best]) {
                best = c;
            } else if (bigAngle[c] == bigAngle[best] && imbalance[c] < imbalance[best]) {
                best = c;
            }
        }
    }
    cut_chain(chain, s, best, part1, part2, nullptr);
}

static void Corners(YXY_NET& net, const net_chain& chain, const float* angles, std::vector<int>* corners) {
    corners->clear();
    for (int i = 0; i < static_cast<int>(chain.size()); ++i)
        if (net.is_corner(i, angles)) corners->push_back(i);
}

void YXY_NET::tri_net(const net_chain& chain, const float* angles) {
    if (JS_ERROR_CODE) return;
    const int n = static_cast<int>(chain.size());
    std::vector<int> c;
    Corners(*this, chain, angles, &c);
    if (c.size() != 3) {
        tell_error(kv::err::kFailure, "Error in tri_net");
        return;
    }
    int a = c[1] - c[0] - 1, b = c[2] - c[1] - 1, d = c[0] + n - c[2] - 1;
    if (a < 0 || b < 0 || d < 0) {
        tell_error(kv::err::kFailure, "Error in tri_net");
        return;
    }
    float cx[3], cy[3];
    for (int i = 0; i < 3; ++i) {
        cx[i] = chain[c[i]].x;
        cy[i] = chain[c[i]].y;
    }
    float x = 0, y = 0;
    centroid_poli(3, cx, cy, &x, &y);
    WriteCentre(index_file, x, y);
    ++center_num;
    if (a + b + d < 6) {
        fan_net(chain, x, y);
        return;
    }
    int m = (a + b + d) / 3;
    net_chain pts = tri_add_point(m, chain, cx, cy);
    if (JS_ERROR_CODE) return;
    form_net(static_cast<int>(pts.size()), pts.data(), n);
}

net_chain YXY_NET::tri_add_point(int m, const net_chain& chain, const float cx[3], const float cy[3]) {
    net_chain pts(chain);
    if (m < 2) tell_error(kv::err::kWarning, "Error in tri_add_point");
    const int n = static_cast<int>(chain.size());
    pts.reserve(n + std::max(0, m * (m - 1) / 2));
    const int M = m + 1;
    for (int j = 1; j <= m - 1; ++j) {
        for (int k = 1; k <= m - 1; ++k) {
            int l = M - j - k;
            if (l < 1) continue;
            float x = (j * cx[0] + k * cx[1] + l * cx[2]) / M;
            float y = (j * cy[0] + k * cy[1] + l * cy[2]) / M;
            if (point_rejected(static_cast<int>(pts.size()), n, pts.data(), x, y)) continue;
            add_point(x, y);
            if (JS_ERROR_CODE) return pts;
            pts.push_back(points[point_num - 1]);
        }
    }
    return pts;
}

void YXY_NET::quar_net(const net_chain& chain, const float* angles) {
    if (JS_ERROR_CODE) return;
    const int n = static_cast<int>(chain.size());
    std::vector<int> c;
    Corners(*this, chain, angles, &c);
    if (c.size() != 4) {
        tell_error(kv::err::kWarning, "Error in quar_net");
        return;
    }
    int a = c[1] - c[0] - 1, b = c[2] - c[1] - 1, cc = c[3] - c[2] - 1, d = c[0] + n - c[3] - 1;
    if (a < 0 || b < 0 || cc < 0 || d < 0) {
        tell_error(kv::err::kWarning, "Error in quar_net");
        return;
    }
    float cx[4], cy[4];
    for (int i = 0; i < 4; ++i) {
        cx[i] = chain[c[i]].x;
        cy[i] = chain[c[i]].y;
    }
    float x = 0, y = 0;
    centroid_poli(4, cx, cy, &x, &y);
    WriteCentre(index_file, x, y);
    ++center_num;
    if (a == cc && b == d) {
        if (a + cc == 0 && b + d == 0)
            fan_net(chain, x, y);
        else
            quar_net_two_side_link(chain, a, b, c[0]);
        return;
    }
    if (a + cc < 2 && b + d < 2) {
        fan_net(chain, x, y);
        return;
    }
    int m = std::max(0, (a + cc) / 2), k = std::max(0, (b + d) / 2);
    net_chain pts = quar_add_point(m, k, chain, cx, cy);
    if (JS_ERROR_CODE) return;
    form_net(static_cast<int>(pts.size()), pts.data(), n);
}

net_chain YXY_NET::quar_add_point(int m, int k, const net_chain& chain, const float cx[4],
                                  const float cy[4]) {
    net_chain pts(chain);
    const int n = static_cast<int>(chain.size());
    pts.reserve(n + m * k);
    for (int j = 1; j <= m; ++j) {
        for (int i = 1; i <= k; ++i) {
            float xi = 2.0f * j / (m + 1) - 1, eta = 2.0f * i / (k + 1) - 1;
            float w0 = (1 + xi) * (1 + eta) / 4, w1 = (1 - xi) * (1 + eta) / 4;
            float w2 = (1 - xi) * (1 - eta) / 4, w3 = (1 + xi) * (1 - eta) / 4;
            float x = w0 * cx[0] + w1 * cx[1] + w2 * cx[2] + w3 * cx[3];
            float y = w0 * cy[0] + w1 * cy[1] + w2 * cy[2] + w3 * cy[3];
            if (point_rejected(static_cast<int>(pts.size()), n, pts.data(), x, y)) continue;
            add_point(x, y);
            if (JS_ERROR_CODE) return pts;
            pts.push_back(points[point_num - 1]);
        }
    }
    return pts;
}

int YXY_NET::two_side_link(int i, int j, const net_chain& chain, int side_a, int side_b, int c0) {
    const int f = static_cast<int>(chain.size());
    const net_point& p1 = chain[Wrap(c0 + i, f)];
    const net_point& p2 = chain[Wrap(c0 + f - side_b - 1 - i, f)];
    const net_point& p3 = chain[Wrap(c0 + side_a + 1 + j, f)];
    const net_point& p4 = chain[Wrap(c0 + f - j, f)];
    POINT_2D cross{0, 0};
    if (!segment_cross_point(p1, p2, p3, p4, &cross)) {
        tell_error(kv::err::kFailure, "Point outside quar!");
        return -1;
    }
    add_point(cross.x, cross.y);
    return JS_ERROR_CODE ? -1 : points[point_num - 1].index;
}

void YXY_NET::quar_net_two_side_link(const net_chain& chain, int A, int B, int c0) {
    if (JS_ERROR_CODE) return;
    const int f = static_cast<int>(chain.size());
    const int cols = B + 2;
    std::vector<int> node(static_cast<std::size_t>(A + 2) * cols);
    auto at = [&](int i, int j) -> int& { return node[static_cast<std::size_t>(i) * cols + j]; };
    for (int j = 0; j <= B + 1; ++j) {
        at(0, j) = chain[Wrap(c0 - j, f)].index;
        at(A + 1, j) = chain[Wrap(c0 + A + 1 + j, f)].index;
    }
    for (int i = 1; i <= A; ++i) {
        at(i, 0) = chain[Wrap(c0 + i, f)].index;
        at(i, B + 1) = chain[Wrap(c0 - i - B - 1, f)].index;
    }
    for (int i = 1; i <= A; ++i) {
        for (int j = 1; j <= B; ++j) {
            at(i, j) = two_side_link(i, j, chain, A, B, c0);
            if (JS_ERROR_CODE) return;
        }
    }
    const int hi = (A + 1) / 2, hj = (B + 1) / 2;
    for (int i = 0; i <= A; ++i) {
        for (int j = 0; j <= B; ++j) {
            int r = at(i, j), s = at(i, j + 1), q = at(i + 1, j), p = at(i + 1, j + 1);
            if ((i < hi && j < hj) || (i >= hi && j >= hj)) {
                write_tri(r, q, p);
                write_tri(r, p, s);
            } else {
                write_tri(r, q, s);
                write_tri(q, p, s);
            }
        }
    }
}

int YXY_NET::point_rejected(int m, int n, const net_point* pts, float x, float y) const {
    const float h = divide_length;
    const POINT_2D p{x, y};
    for (int i = 0; i < m; ++i)
        if (get_dist_point_2d(pts[i], p) < h / 4) return 1;
    for (int t = 0; t < n; ++t)
        if (get_dist_point_segment_2d(pts[t], pts[t == n - 1 ? 0 : t + 1], p) < h / 6) return 1;
    return point_in_area(n, pts, x, y) ? 0 : 1;
}

void YXY_NET::fan_net(const net_chain& chain, float x, float y) {
    if (JS_ERROR_CODE) return;
    add_point(x, y);
    if (JS_ERROR_CODE) return;
    const int centre = points[point_num - 1].index;
    const int n = static_cast<int>(chain.size());
    for (int t = 0; t < n; ++t) write_tri(chain[t].index, chain[t == n - 1 ? 0 : t + 1].index, centre);
}
