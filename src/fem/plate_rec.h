#pragma once
// A plate of the model: its values and its boundary, a chain of edges, each a list
// of 1-based beam numbers. After the input reader has oriented the boundary a
// beam number is negative where the chain runs through the beam from its end
// node to its start node.
#include <cstdint>
#include <cstdio>
#include <vector>

namespace kv::fem {
class TextInput;
}

struct plate_edge {
    std::int32_t num = 0;           // beams on the edge
    std::vector<std::int32_t> beam;  // signed 1-based beam numbers

    // Text form: the count and the beam numbers on one line, comma-separated.
    int read_txt(kv::fem::TextInput& in);
    // Binary form: int32 count, then the numbers.
    int read(std::FILE* f);
    int write(std::FILE* f) const;
};

struct plate_rec {
    std::int32_t value0 = 0;  // carried, not used
    std::int32_t thick = 0;   // mm
    float bg = 0;             // elevation of the underside, m
    float angle = 0;          // angle of the moment axes, degrees
    std::int32_t edge_num = 0;
    std::vector<plate_edge> edges;

    // Text form: "running number,value 0,thickness,elevation,angle,edge count"
    // (echoed), then one line per edge.
    int read_txt(kv::fem::TextInput& in);
    // Binary form: the five values, then the edges.
    int read(std::FILE* f);
    int write(std::FILE* f) const;
};
