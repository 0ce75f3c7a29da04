#include "fem/plate_rec.h"

#include "base/error.h"
#include "base/textio.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"
#include "fem/textinput.h"

#include <cstdlib>
#include <string>

namespace bin = kv::fem::bin;

namespace {
constexpr int kOutOfMemory = 399;
}

int plate_edge::read_txt(kv::fem::TextInput& in) {
    std::string line;
    if (!in.next(line)) return 0;  // the caller says where the file ended
    std::string unit;
    int pos = 0;
    read_one_unit_from_string(unit, line.c_str(), &pos);
    num = std::atoi(unit.c_str());
    if (num < 1) {
        tell_error1(kv::err::kFailure, "Plate edge without beams at line %d", in.line_number());
        return 0;
    }
    if (!kv::fem::AllocateForText(beam, static_cast<std::size_t>(num))) {
        tell_error(kOutOfMemory, "Out of Memery !");
        return 0;
    }
    for (std::int32_t i = 0; i < num; ++i) {
        read_one_unit_from_string(unit, line.c_str(), &pos);
        if (unit.empty()) {
            // The line holds fewer numbers than its count says.
            tell_error1(kv::err::kFailure, "Plate edge short of beams at line %d", in.line_number());
            return 0;
        }
        if (!kv::fem::AppendDefault(beam)) {
            tell_error(kOutOfMemory, "Out of Memery !");
            return 0;
        }
        beam.back() = std::atoi(unit.c_str());
    }
    return 1;
}

int plate_edge::read(std::FILE* f) {
    if (!bin::get_i32(f, num) || num < 0) return 0;
    if (!bin::fits(f, num, 4) || !kv::fem::Allocate(beam, static_cast<std::size_t>(num))) {
        tell_error(kOutOfMemory, "Out Memery !");
        return 0;
    }
    return bin::get_i32s(f, beam.data(), beam.size()) ? 1 : 0;
}

int plate_edge::write(std::FILE* f) const {
    if (beam.size() != static_cast<std::size_t>(num < 0 ? 0 : num)) return 0;
    return bin::put_i32(f, num) && bin::put_i32s(f, beam.data(), beam.size()) ? 1 : 0;
}

int plate_rec::read_txt(kv::fem::TextInput& in) {
    std::string line;
    if (!in.next(line)) return 0;  // the caller says where the file ended
    tell_error(kv::err::kProgress, line);
    scan_fields(line, "%*d,%d,%d,%f,%f,%d", &value0, &thick, &bg, &angle, &edge_num);
    if (!kv::fem::AllocateForText(edges, static_cast<std::size_t>(edge_num > 0 ? edge_num : 0))) {
        tell_error(kOutOfMemory, "Out of Memery !");
        return 0;
    }
    for (std::int32_t i = 0; i < edge_num; ++i) {
        if (!kv::fem::AppendDefault(edges)) {
            tell_error(kOutOfMemory, "Out of Memery !");
            return 0;
        }
        if (!edges.back().read_txt(in)) return 0;
    }
    return 1;
}

int plate_rec::read(std::FILE* f) {
    if (!bin::get_i32(f, value0) || !bin::get_i32(f, thick) || !bin::get_f32(f, bg) || !bin::get_f32(f, angle) ||
        !bin::get_i32(f, edge_num) || edge_num < 0)
        return 0;
    if (!bin::fits(f, edge_num, 4) || !kv::fem::Allocate(edges, static_cast<std::size_t>(edge_num))) {
        tell_error(kOutOfMemory, "Out of Memery !");
        return 0;
    }
    for (plate_edge& e : edges)
        if (!e.read(f)) return 0;
    return 1;
}

int plate_rec::write(std::FILE* f) const {
    if (edges.size() != static_cast<std::size_t>(edge_num < 0 ? 0 : edge_num)) return 0;
    if (!bin::put_i32(f, value0) || !bin::put_i32(f, thick) || !bin::put_f32(f, bg) || !bin::put_f32(f, angle) ||
        !bin::put_i32(f, edge_num))
        return 0;
    for (const plate_edge& e : edges)
        if (!e.write(f)) return 0;
    return 1;
}
