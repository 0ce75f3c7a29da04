#pragma once
// The fixed records of the model as the input reader keeps them and the
// structure and load file stores them: 4-byte fields (ints and floats), nothing
// between them.
#include <cstddef>
#include <cstdint>

// A beam: 29 fields, 116 bytes. Values 0 to 12 come from its line of the input
// file, 13 to 24 from the extra line of foundation beams (kinds 4 and 14), 25 to
// 28 are its end points.
struct beam_rec {
    std::int32_t number = 0;   // 0: the caller's own number
    std::int32_t kind = 0;     // 1: 1 straight, 3 straight with fixed section, 4/14 foundation, >10 arc
    std::int32_t node_s = 0;   // 2, 3: start and end node (1-based in the text file, 0-based in the binary file)
    std::int32_t node_e = 0;
    std::int32_t b = 0;        // 4: width, mm
    std::int32_t h = 0;        // 5: depth, mm
    float bg = 0;              // 6: elevation of the underside, m
    std::int32_t offset = 0;   // 7: offset length, mm
    float cx = 0, cy = 0;      // 8, 9: arc centre, m
    std::int32_t restraint = 0;  // 10: 0 none, 1 w, 2 all three freedoms
    std::int32_t h_alt = 0;    // 11, 12: section depth and width used when value 10 is 1
    std::int32_t b_alt = 0;
    std::int32_t foundation[12] = {};  // 13 to 24: flange and base values of foundation beams
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // 25 to 28: start and end point, m
};
static_assert(sizeof(beam_rec) == 116, "the beam record is stored field by field");

// A support: 16 bytes.
struct support_rec {
    std::int32_t node = 0;  // 0-based
    std::int32_t kind = 0;  // 1 spring, 2 and 4 restrained w, 3 all three restrained
    float value1 = 0;
    float value2 = 0;       // spring stiffness of kind 1, kN/m
};
static_assert(sizeof(support_rec) == 16);

// Loads, positive downward.
struct con_load {   // point load: 16 bytes
    std::int32_t node = 0;  // 1-based
    float P = 0, M2 = 0, M3 = 0;
};
struct line_load {  // 24 bytes
    std::int32_t beam = 0;  // 1-based
    std::int32_t kind = 0;  // 1 distributed q1, q2, a, b; 2 concentrated P, M, T, a
    float v[4] = {};
};
struct distri_load {  // area load: 8 bytes
    std::int32_t plate = 0;  // 1-based
    float q = 0;
};
static_assert(sizeof(con_load) == 16 && sizeof(line_load) == 24 && sizeof(distri_load) == 8);

template <typename T>
constexpr std::size_t kWordsOf = sizeof(T) / 4;
