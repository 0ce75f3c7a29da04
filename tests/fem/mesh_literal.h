#pragma once
// The mesh algorithms written the plain way: every point choice scans all
// points and all triangles, every trial cut is made and measured in full, the
// strips are gathered by scans and selection-sorted. The fast versions must
// give exactly what these give.
#include <array>
#include <vector>

#include "fem/yxy_net.h"

namespace kv::test {

using Tri = std::array<int, 3>;

// The advancing front and its flip pass over n points (the first nb the
// boundary); triangles as positions, in list order. `failed` when an open
// edge found no point.
std::vector<Tri> LiteralFormNet(int n, const net_point* pts, int nb, bool* failed);

// The strip ordering of the node table's first `count` entries.
void LiteralStripSort(net_point* pts, int count, float divideLength, bool alongX);

// The offset of the cut the region's split takes (trial cuts made in `net`'s
// node table and dropped again).
int LiteralSplitOffset(YXY_NET& net, const net_chain& chain, const float* angles, int* start);

// The region meshing with the two literal pieces above in place of the fast ones;
// triangles go through `net`'s write_tri.
void LiteralMeshPolygon(YXY_NET& net, net_chain chain);

}  // namespace kv::test
