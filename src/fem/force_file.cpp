#include "fem/force_file.h"

#include <utility>

#include "base/error.h"
#include "base/textio.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"

namespace bin = kv::fem::bin;
using kv::err::kFailure;

namespace {

constexpr std::size_t kBeamWords = sizeof(beam_force) / 4;

void Damaged() { tell_error(kFailure, "Read error in force file !"); }

}  // namespace

force_file::force_file(const char* name) : name_(name ? name : "") {
    if (JS_ERROR_CODE) return;
    fp = open_file(name, "rb");
    if (!fp) return;
    std::int32_t counts[3] = {};
    if (!bin::get_i32s(fp, counts, 3)) {
        Damaged();
        return;
    }
    num_beam = counts[0];
    num_plate = counts[1];
    num_case = counts[2];
    if (num_case <= 0) {
        tell_error(kFailure, "Case num error force file");
        return;
    }
    // A count that a damaged file overstates takes no memory it cannot fill.
    if (!bin::fits(fp, num_case, 8)) {
        Damaged();
        return;
    }
    if (!kv::fem::Allocate(beam_pos, std::size_t(num_case)) || !kv::fem::Allocate(plate_pos, std::size_t(num_case))) {
        tell_error(kFailure, "Out of memery in force");
        return;
    }
    for (int c = 0; c < num_case; ++c)
        if (!bin::get_i32(fp, beam_pos[std::size_t(c)]) || !bin::get_i32(fp, plate_pos[std::size_t(c)])) {
            Damaged();
            return;
        }
    // The writer fills the positions in only once every case is written.
    for (int c = 0; c < num_case; ++c)
        if (beam_pos[std::size_t(c)] <= 0 || plate_pos[std::size_t(c)] <= 0) {
            tell_error(kFailure, "Pointer error in force file !");
            break;
        }
    ok_ = !JS_ERROR_CODE;
}

force_file::~force_file() {
    if (fp) close_file(fp);
}

bool force_file::case_ok(int load_case) const {
    if (!ok_) return false;  // refused when opened (told)
    if (load_case >= 0 && load_case < num_case) return true;
    tell_error1(kFailure, "Case error in force file: %lld of %d", load_case + 1LL, num_case);
    return false;
}

int force_file::read_beam(int load_case) {
    if (num_beam <= 0) return 1;
    if (!case_ok(load_case)) return 0;
    std::vector<beam_force> records;
    if (!bin::seek(fp, beam_pos[std::size_t(load_case)]) || !bin::fits(fp, num_beam, sizeof(beam_force))) {
        Damaged();
        return 0;
    }
    if (!kv::fem::Allocate(records, std::size_t(num_beam))) {
        tell_error(kFailure, "Out of memery in force file");
        return 0;
    }
    if (!bin::get_words(fp, records.data(), kBeamWords * records.size())) {
        Damaged();
        return 0;
    }
    beam = std::move(records);
    beam_loaded = 1;
    return 1;
}

int force_file::write_beam(int load_case) {
    if (num_beam <= 0 || !beam_loaded || !case_ok(load_case)) return 0;
    // The reading stream stays as it is: the records go through a stream of their own.
    std::FILE* out = open_file(name_.c_str(), "rb+");
    if (!out) return 0;
    const bool ok = bin::seek(out, beam_pos[std::size_t(load_case)]) &&
                    bin::put_words(out, beam.data(), kBeamWords * beam.size()) && std::fflush(out) == 0;
    close_file(out);
    // Drops what the reading stream holds of the old bytes.
    std::fseek(fp, 0, SEEK_SET);
    if (!ok) tell_error(kFailure, "Write error in force file !");
    return ok ? 1 : 0;
}

void force_file::free_beam() {
    std::vector<beam_force>().swap(beam);
    beam_loaded = 0;
}

int force_file::read_plate(int load_case) {
    if (num_plate <= 0) return 1;
    if (!case_ok(load_case)) return 0;
    std::vector<plate_force> records;
    if (!bin::seek(fp, plate_pos[std::size_t(load_case)]) || !bin::fits(fp, num_plate, plate_force_bytes(1))) {
        Damaged();
        return 0;
    }
    if (!kv::fem::Allocate(records, std::size_t(num_plate))) {
        tell_error(kFailure, "Out of memery in force file");
        return 0;
    }
    for (plate_force& p : records)
        if (!p.read(fp) || JS_ERROR_CODE) return 0;
    plate = std::move(records);
    plate_loaded = 1;
    return 1;
}

void force_file::free_plate() {
    std::vector<plate_force>().swap(plate);
    plate_loaded = 0;
}

void force_file::write_beam_txt(std::FILE* f) {
    if (!f) return;
    std::fprintf(f, "--------------------------  Beam  ------------------------\n");
    std::fprintf(f, "Num_beam=%d\n", num_beam);
    for (const beam_force& b : beam) {
        std::fprintf(f, "Beam : %d\n", b.beam);
        std::fprintf(f, "       Coordinate      Ml      Mm     Mr     Vl     Vr    Tl    Tr");
        std::fprintf(f, "(%10.2f,%10.2f)--(%10.2f,%10.2f)", double(b.x1), double(b.y1), double(b.x2), double(b.y2));
        std::fprintf(f, "%10.2f,%10.2f,%10.2f,%10.2f,%10.2f,%10.2f,%10.2f\n", double(b.M[0]), double(b.M[1]),
                     double(b.M[2]), double(b.V[0]), double(b.V[2]), double(b.T[0]), double(b.T[2]));
    }
}

void force_file::write_plate_txt(std::FILE* f) {
    if (!f) return;
    std::fprintf(f, "-------------------------- Plate ------------------------\n");
    std::fprintf(f, "Num_plate=%d\n", num_plate);
    for (const plate_force& p : plate) {
        if (JS_ERROR_CODE) break;
        std::fprintf(f, "Plate : %d      Edge_number =%d\n", p.Plate, p.bbs);
        std::fprintf(f, " Edge  Coordinate      Mp_l     Mv_l     Mp_m    Mv_m    Mp_r   Mv_r");
        for (std::size_t i = 0; i < std::size_t(p.bbs > 0 ? p.bbs : 0) && i < p.x.size(); ++i)
            std::fprintf(f, "%6d, (%10.2f,%10.2f),%10.2f,%10.2f,%10.2f,%10.2f,%10.2f,%10.2f\n", int(i + 1),
                         double(p.x[i]), double(p.y[i]), double(p.Mp_l[i]), double(p.Mv_l[i]), double(p.Mp_m[i]),
                         double(p.Mv_m[i]), double(p.Mp_r[i]), double(p.Mv_r[i]));
        std::fprintf(f, "Mxx= %10.2f, Myy= %10.2f, Mxx_1= %10.2f, Myy_1= %10.2f, Angle=%10.2f\n", double(p.Mxx),
                     double(p.Myy), double(p.Mxx_1), double(p.Myy_1), double(p.Angle));
    }
}
