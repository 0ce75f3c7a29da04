#pragma once
// The records of the internal-force file "FORCE.FB": one `beam_force` per input
// beam and one `plate_force` per input plate, for every load case. Little-endian
// 4-byte fields (ints and floats), nothing between them.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

// One input beam in one case: 57 fields, 228 bytes. Stations 0 .. 8 lie at
// eighths of the beam, counted in its elements. Units kN, kN·m, m; deflections mm.
struct beam_force {
    std::int32_t beam = 0;             // 0: input beam index, 0-based
    float b = 0, h = 0;                // 1, 2: section width and depth, mm
    float x1 = 0, y1 = 0;              // 3, 4: start point
    float x2 = 0, y2 = 0;              // 5, 6: end point
    float M[3] = {};                   // 7 .. 9: moment at the start, middle and end (stations 0, 4, 8)
    float V[3] = {};                   // 10 .. 12: shear, the same
    float T[3] = {};                   // 13 .. 15: torque, the same
    float reserved[3] = {};            // 16 .. 18: no meaning
    float Ms[9] = {};                  // 19 .. 27: moment at stations 0 .. 8 (sagging positive)
    float Vs[9] = {};                  // 28 .. 36: shear at stations 0 .. 8
    float Ts[9] = {};                  // 37 .. 45: torque at stations 0 .. 8
    // 46 .. 54: deflection at stations 0 .. 8, mm, positive in the sense of the w
    // freedom (upward) at every station, so that stations 1 .. 7 run on
    // continuously from the nodal values of stations 0 and 8.
    float Ws[9] = {};
    float flange[2] = {};              // 55, 56: flange moments (kN·m/m), foundation beams (kinds 4, 14) only
};
static_assert(sizeof(beam_force) == 228, "57 four-byte fields");
static_assert(offsetof(beam_force, b) == 4 && offsetof(beam_force, x1) == 12 && offsetof(beam_force, x2) == 20);
static_assert(offsetof(beam_force, M) == 28 && offsetof(beam_force, V) == 40 && offsetof(beam_force, T) == 52);
static_assert(offsetof(beam_force, reserved) == 64 && offsetof(beam_force, Ms) == 76);
static_assert(offsetof(beam_force, Vs) == 112 && offsetof(beam_force, Ts) == 148 && offsetof(beam_force, Ws) == 184);
static_assert(offsetof(beam_force, flange) == 220);

// One input plate in one case. On file: the head (plate number, edge count n,
// thickness), n edges of eight floats, the five centre floats: 12 + 32·n + 20
// bytes. In memory the edge values stand in eight arrays of n.
struct plate_force {
    std::int32_t Plate = 0;  // 1-based
    std::int32_t bbs = 0;    // n: edge count
    float value = 0;         // input plate value 1 (thickness, mm)
    // Per edge: its first point, and the moments perpendicular (v) and parallel
    // (p) to it at its first point (l), middle (m) and last point (r).
    std::vector<float> x, y, Mv_l, Mp_l, Mv_m, Mp_m, Mv_r, Mp_r;
    // At the centre, in the plate's axes; Mxx_1 and Myy_1 carry no meaning; the
    // axis angle in radians.
    float Mxx = 0, Myy = 0, Mxx_1 = 0, Myy_1 = 0, Angle = 0;

    // Makes the eight edge arrays for `bbs` edges; bbs <= 0 refused (301
    // "bbs error in plate_force read"). 1 on success, else 0.
    int palte_force_read();
    // One record in the file layout at the current position; 1 on success, 0
    // after a failure told on the error channel.
    int read(std::FILE* f);
    int write(std::FILE* f) const;
    void free();
};

struct plate_force_head {
    std::int32_t Plate, bbs;
    float value;
};
struct plate_force_edge {
    float x, y, Mv_l, Mp_l, Mv_m, Mp_m, Mv_r, Mp_r;
};
struct plate_force_tail {
    float Mxx, Myy, Mxx_1, Myy_1, Angle;
};
static_assert(sizeof(plate_force_head) == 12 && sizeof(plate_force_edge) == 32 && sizeof(plate_force_tail) == 20);

// Bytes of a plate record of n edges in the file.
constexpr std::size_t plate_force_bytes(int n) {
    return sizeof(plate_force_head) + sizeof(plate_force_edge) * static_cast<std::size_t>(n) +
           sizeof(plate_force_tail);
}
static_assert(plate_force_bytes(1) == 64 && plate_force_bytes(4) == 160);
