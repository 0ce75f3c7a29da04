#pragma once
// What every mesh of a region must be, whichever way it was made.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "base/geometry.h"
#include "fem/mesh_literal.h"
#include "fem/yxy_net.h"

namespace kv::test {

// Every triangle counter-clockwise, their areas summing to the region's, each
// boundary segment used once in its own direction and every inner edge by
// exactly two triangles in opposite directions: a conforming cover of the
// region without overlaps. `nodes` are found by number; `boundary` runs
// counter-clockwise.
inline void ExpectConformingMesh(const net_point* nodes, const std::vector<int>& boundary,
                                 const std::vector<Tri>& tris) {
    std::vector<float> xs, ys;
    for (int k : boundary) xs.push_back(nodes[k].x), ys.push_back(nodes[k].y);
    const double area = area_poli(static_cast<int>(boundary.size()), xs.data(), ys.data());
    double sum = 0;
    std::map<std::pair<int, int>, int> directed;
    for (const Tri& t : tris) {
        const net_point &a = nodes[t[0]], &b = nodes[t[1]], &c = nodes[t[2]];
        const double doubled = (double(b.x) - a.x) * (double(c.y) - a.y) - (double(b.y) - a.y) * (double(c.x) - a.x);
        EXPECT_GT(doubled, 0) << t[0] << " " << t[1] << " " << t[2];
        sum += doubled / 2;
        for (int e = 0; e < 3; ++e) ++directed[{t[e], t[(e + 1) % 3]}];
    }
    EXPECT_NEAR(sum, area, 1e-4 * area);
    std::set<std::pair<int, int>> edges;
    for (std::size_t i = 0; i < boundary.size(); ++i) edges.insert({boundary[i], boundary[(i + 1) % boundary.size()]});
    for (const auto& [edge, count] : directed) {
        EXPECT_EQ(count, 1) << edge.first << "-" << edge.second;
        const bool onBoundary = edges.count(edge) > 0;
        const bool paired = directed.count({edge.second, edge.first}) > 0;
        EXPECT_TRUE(onBoundary != paired) << edge.first << "-" << edge.second;
    }
    for (const auto& edge : edges) EXPECT_EQ(directed.count(edge), 1u) << edge.first << "-" << edge.second;
}

}  // namespace kv::test
