// The node table and the renumbering of the mesh stage.
#include "fem/yxy_net.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "base/error.h"
#include "base/textio.h"

YXY_NET::YXY_NET() = default;
YXY_NET::~YXY_NET() = default;

void YXY_NET::new_point_table() {
    points = std::make_unique<net_point[]>(kMaxPoints);
    point_num = 0;
}

void YXY_NET::add_point(float x, float y) {
    if (JS_ERROR_CODE) return;
    if (!points) new_point_table();
    if (point_num >= kMaxPoints) {
        tell_error1(kv::err::kFailure, "Point_num = %d over flow !", point_num);
        return;
    }
    points[point_num] = net_point{x, y, point_num};
    ++point_num;
}

void YXY_NET::write_tri(int a, int b, int c) {
    if (pre_file) {
        const int32_t v[3] = {a, b, c};
        std::fwrite(v, sizeof v, 1, pre_file);
    }
    ++tri_num;
}

void YXY_NET::swap_point(int i, int j) { std::swap(points[i], points[j]); }

namespace {

// Minimum of one coordinate over table positions, answering "first position of
// the smallest value in a range" and "first position after p below a limit",
// kept up to date on every swap. Ties go to the lower position, as a scan that
// replaces only on strictly smaller values gives.
class MinTree {
public:
    explicit MinTree(std::vector<float> values) : n_(static_cast<int>(values.size())) {
        size_ = 1;
        while (size_ < n_) size_ *= 2;
        val_.assign(2 * size_, kNone);
        for (int i = 0; i < n_; ++i) val_[size_ + i] = Key(values[i]);
        for (int i = size_ - 1; i >= 1; --i) val_[i] = std::min(val_[2 * i], val_[2 * i + 1]);
    }
    void Set(int pos, float v) {
        int i = size_ + pos;
        val_[i] = Key(v);
        for (i /= 2; i >= 1; i /= 2) val_[i] = std::min(val_[2 * i], val_[2 * i + 1]);
    }
    float Value(int pos) const { return val_[size_ + pos]; }
    // The smallest value in [lo, hi] and its first position.
    std::pair<float, int> FirstMin(int lo, int hi) const {
        float best = Min(1, 0, size_ - 1, lo, hi);
        return {best, FirstBelowOrEqual(1, 0, size_ - 1, lo, hi, best)};
    }
    // First position in [lo, n) whose value is below `limit`, or -1.
    int FirstBelow(int lo, float limit) const { return FirstLess(1, 0, size_ - 1, lo, limit); }

private:
    // A value that is no number sorts last, as the largest: the tree's minimum
    // must be one of its leaves, or a search for it walks off the table.
    static constexpr float kNone = std::numeric_limits<float>::infinity();
    static float Key(float v) { return std::isnan(v) ? kNone : v; }
    float Min(int node, int l, int r, int lo, int hi) const {
        if (hi < l || r < lo) return kNone;
        if (lo <= l && r <= hi) return val_[node];
        int m = (l + r) / 2;
        return std::min(Min(2 * node, l, m, lo, hi), Min(2 * node + 1, m + 1, r, lo, hi));
    }
    int FirstBelowOrEqual(int node, int l, int r, int lo, int hi, float v) const {
        if (hi < l || r < lo || val_[node] > v) return -1;
        if (l == r) return l;
        int m = (l + r) / 2;
        int p = FirstBelowOrEqual(2 * node, l, m, lo, hi, v);
        return p >= 0 ? p : FirstBelowOrEqual(2 * node + 1, m + 1, r, lo, hi, v);
    }
    int FirstLess(int node, int l, int r, int lo, float limit) const {
        if (r < lo || !(val_[node] < limit)) return -1;
        if (l == r) return l < n_ ? l : -1;
        int m = (l + r) / 2;
        int p = FirstLess(2 * node, l, m, lo, limit);
        return p >= 0 ? p : FirstLess(2 * node + 1, m + 1, r, lo, limit);
    }
    int n_;
    int size_;
    std::vector<float> val_;
};

}  // namespace

// Strips of width divide length / 3 across the longer extent, each ordered by
// the other coordinate. The order is the one that gathering each strip by
// swaps in a forward scan and then selection-sorting it gives; both steps are
// answered from two minimum trees instead of rescans, so equal coordinates
// land exactly where the scans put them.
void YXY_NET::strip_sort(bool alongX) {
    const int n = point_num;
    if (n <= 0) return;
    std::vector<float> u(n), v(n);
    for (int i = 0; i < n; ++i) {
        u[i] = alongX ? points[i].x : points[i].y;
        v[i] = alongX ? points[i].y : points[i].x;
    }
    MinTree across(std::move(u)), along(std::move(v));
    auto swapAt = [&](int i, int j) {
        if (i == j) return;
        swap_point(i, j);
        float ui = across.Value(i), vi = along.Value(i);
        across.Set(i, across.Value(j));
        across.Set(j, ui);
        along.Set(i, along.Value(j));
        along.Set(j, vi);
    };
    const float w = divide_length / 3;
    int b = 0;
    while (b < n) {
        float smallest = 1.0e10f;
        float m = across.FirstMin(b, n - 1).first;
        if (m < smallest) smallest = m;
        const float limit = smallest + w;
        // A forward scan that swaps every member to the next free place moves
        // the t-th member found, at its place k_t, with place b + t; places
        // after the scan are untouched, so k_t is the next member after k_{t-1}.
        int i = b;
        int k = across.FirstBelow(b, limit);
        while (k >= 0) {
            swapAt(k, i);
            ++i;
            k = k + 1 < n ? across.FirstBelow(k + 1, limit) : -1;
        }
        if (i == b) break;  // nothing below the limit: only NaNs left
        for (int l = b; l < i; ++l) swapAt(along.FirstMin(l, i - 1).second, l);
        b = i;
    }
}

void YXY_NET::strip_sort_x() { strip_sort(true); }
void YXY_NET::strip_sort_y() { strip_sort(false); }

void YXY_NET::bandwidth() {
    if (JS_ERROR_CODE || point_num <= 0) return;
    float x0 = points[0].x, x1 = x0, y0 = points[0].y, y1 = y0;
    for (int i = 0; i < point_num; ++i) {
        x0 = std::min(x0, points[i].x);
        x1 = std::max(x1, points[i].x);
        y0 = std::min(y0, points[i].y);
        y1 = std::max(y1, points[i].y);
    }
    if (x1 - x0 > y1 - y0)
        strip_sort_x();
    else
        strip_sort_y();

    std::FILE* fp = open_file("NET_PRE.FB", "rb+");
    if (!fp) return;
    std::fseek(fp, 0, SEEK_END);
    int32_t size = static_cast<int32_t>(std::ftell(fp));
    std::fseek(fp, 8, SEEK_SET);
    std::fwrite(&size, 4, 1, fp);
    std::fseek(fp, 0, SEEK_END);
    std::vector<int32_t> lists(1 + 2 * static_cast<std::size_t>(point_num));
    lists[0] = point_num;
    for (int k = 0; k < point_num; ++k) {
        int old = points[k].index;
        if (old >= 0 && old < point_num) lists[1 + old] = k;
        lists[1 + point_num + k] = old;
    }
    bool ok = std::fwrite(lists.data(), 4, lists.size(), fp) == lists.size();
    ok = close_file(fp) == 0 && ok;
    if (!ok) tell_error(kv::err::kFailure, "不能写文件 : NET_PRE.FB");
}
