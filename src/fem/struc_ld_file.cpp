#include "fem/struc_ld_file.h"

#include "base/error.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"

namespace bin = kv::fem::bin;
using kv::err::kFailure;

namespace {
constexpr int kOutOfMemory = 399;
enum Section { kNodes, kBeams, kPlates, kSupports, kLoads };

void ShortFile() { tell_error(kFailure, "Read error in struc_ld file !"); }
}  // namespace

struc_ld_file::struc_ld_file(const char* name) {
    if (!file_.open(name, "rb+")) return;
    std::FILE* f = file_.get();
    if (!bin::get_i32s(f, offsets_, 5)) {
        for (auto& o : offsets_) o = 0;
    }
    for (std::int32_t o : offsets_)
        if (o <= 0) {
            for (auto& p : offsets_) p = 0;
            tell_error(kFailure, "Pointer error in struc_ld file !");
            return;
        }
    std::int32_t counts[5] = {};
    for (int s = 0; s < 5; ++s)
        if (!bin::seek(f, offsets_[s]) || !bin::get_i32(f, counts[s])) {
            ShortFile();
            return;
        }
    node_num = counts[kNodes];
    beam_num = counts[kBeams];
    plate_num = counts[kPlates];
    support_num = counts[kSupports];
    case_num = counts[kLoads];
    if (case_num > 0) {
        if (!bin::fits(f, case_num, 4) || !kv::fem::Allocate(case_offsets_, static_cast<std::size_t>(case_num)) ||
            !bin::get_i32s(f, case_offsets_.data(), case_offsets_.size())) {
            case_offsets_.clear();
            tell_error(kFailure, "Case Pointer error in struc_ld file !");
        }
    }
}

struc_ld_file::~struc_ld_file() = default;

bool struc_ld_file::seek_section(int section, int skip) {
    if (offsets_[section] <= 0) return false;
    if (!bin::seek(file_.get(), static_cast<off_t>(offsets_[section]) + skip)) {
        ShortFile();
        return false;
    }
    return true;
}

int struc_ld_file::read_node() {
    if (JS_ERROR_CODE) return 0;
    if (node_loaded_ || node_num <= 0) return 1;
    if (!seek_section(kNodes, 4)) return 0;
    std::FILE* f = file_.get();
    std::size_t n = static_cast<std::size_t>(node_num);
    if (!bin::fits(f, node_num, 12) || !kv::fem::Allocate(x, n) || !kv::fem::Allocate(y, n) ||
        !kv::fem::Allocate(flag, n)) {
        free_node();
        tell_error(kOutOfMemory, "读入节点坐标时内存不够 !");
        return 0;
    }
    if (!bin::get_f32s(f, x.data(), n) || !bin::get_f32s(f, y.data(), n) || !bin::get_i32s(f, flag.data(), n)) {
        free_node();
        ShortFile();
        return 0;
    }
    node_loaded_ = true;
    return 1;
}

int struc_ld_file::read_beam() {
    if (JS_ERROR_CODE) return 0;
    if (beam_loaded_ || beam_num <= 0) return 1;
    if (!seek_section(kBeams, 4)) return 0;
    std::FILE* f = file_.get();
    if (!bin::get_i32(f, beam_grade) || !bin::get_i32s(f, beam_head, 2)) {
        ShortFile();
        return 0;
    }
    if (!bin::fits(f, beam_num, sizeof(beam_rec)) || !kv::fem::Allocate(beams, static_cast<std::size_t>(beam_num))) {
        tell_error(kOutOfMemory, "Out of Memery !");
        return 0;
    }
    if (!bin::get_words(f, beams.data(), beams.size() * kWordsOf<beam_rec>)) {
        free_beam();
        ShortFile();
        return 0;
    }
    for (const beam_rec& b : beams)
        if (b.node_s < 0 || b.node_s >= node_num || b.node_e < 0 || b.node_e >= node_num) {
            free_beam();
            tell_error(kFailure, "Beam node error in struc_ld file !");
            return 0;
        }
    beam_loaded_ = true;
    return 1;
}

int struc_ld_file::read_plate() {
    if (JS_ERROR_CODE) return 0;
    if (plate_loaded_ || plate_num <= 0) return 1;
    if (!seek_section(kPlates, 4)) return 0;
    std::FILE* f = file_.get();
    if (!bin::get_i32(f, plate_grade) || !bin::get_i32(f, plate_head)) {
        ShortFile();
        return 0;
    }
    if (!bin::fits(f, plate_num, 20) || !kv::fem::Allocate(plates, static_cast<std::size_t>(plate_num))) {
        tell_error(kOutOfMemory, "Out of Memery !");
        return 0;
    }
    for (plate_rec& p : plates) {
        if (!p.read(f)) {
            free_plate();
            if (!JS_ERROR_CODE) ShortFile();
            return 0;
        }
        for (const plate_edge& e : p.edges)
            for (std::int32_t b : e.beam)
                if (b == 0 || b > beam_num || -b > beam_num) {
                    free_plate();
                    tell_error(kFailure, "Plate beam error in struc_ld file !");
                    return 0;
                }
    }
    plate_loaded_ = true;
    return 1;
}

int struc_ld_file::read_support() {
    if (support_loaded_ || support_num <= 0) return 1;
    if (!seek_section(kSupports, 4)) return 0;
    std::FILE* f = file_.get();
    if (!bin::get_i32(f, support_head)) {
        ShortFile();
        return 0;
    }
    if (!bin::fits(f, support_num, sizeof(support_rec))) {
        ShortFile();
        return 0;
    }
    if (!kv::fem::Allocate(supports, static_cast<std::size_t>(support_num))) {
        tell_error(kOutOfMemory, "Out of Memery !");
        return 0;
    }
    if (!bin::get_words(f, supports.data(), supports.size() * kWordsOf<support_rec>)) {
        free_support();
        ShortFile();
        return 0;
    }
    for (const support_rec& s : supports)
        if (s.node < 0 || s.node >= node_num) {
            free_support();
            tell_error(kFailure, "Support node error in struc_ld file !");
            return 0;
        }
    support_loaded_ = true;
    return 1;
}

bool struc_ld_file::counts_ok(int kind) {
    const char* messages[3] = {"Num Con_Load < 0", "Num Line_Load < 0", "Num Distri_Load < 0"};
    int counts[3] = {con_num, line_num, distri_num};
    for (int k = 0; k < kind; ++k)
        if (counts[k] < 0) {
            tell_error(kFailure, messages[k]);
            return false;
        }
    return true;
}

int struc_ld_file::read_load(int load_case, int kind) {
    if (JS_ERROR_CODE || case_num <= 0 || offsets_[kLoads] <= 0) return 0;
    if (load_case < 0 || load_case >= case_num || kind < 1 || kind > 3) return 0;
    if (static_cast<std::size_t>(load_case) >= case_offsets_.size()) return 0;
    if (held_case == load_case && held_kind == kind) return 1;
    free_load();
    std::FILE* f = file_.get();
    std::int32_t counts[3] = {};
    if (!bin::seek(f, case_offsets_[load_case]) || !bin::get_i32s(f, counts, 3)) {
        ShortFile();
        return 0;
    }
    con_num = counts[0], line_num = counts[1], distri_num = counts[2];
    if (!counts_ok(3)) return 0;
    // The kinds lie one after another: read (and drop) those before the one asked for.
    auto readKind = [&](auto& v, int n, int limit, auto inRange) {
        if (!bin::fits(f, n, sizeof(v[0])) || !kv::fem::Allocate(v, static_cast<std::size_t>(n))) {
            tell_error(kOutOfMemory, "Out of Memery !");
            return false;
        }
        if (!bin::get_words(f, v.data(), v.size() * (sizeof(v[0]) / 4))) {
            v.clear();
            ShortFile();
            return false;
        }
        for (const auto& r : v)
            if (!inRange(r, limit)) {
                v.clear();
                tell_error(kFailure, "Load error in struc_ld file !");
                return false;
            }
        return true;
    };
    if (!readKind(con, con_num, node_num, [](const con_load& r, int n) { return r.node >= 1 && r.node <= n; }))
        return 0;
    if (kind == 1) {
        held_case = load_case, held_kind = kind;
        return 1;
    }
    con = {};
    if (!readKind(line, line_num, beam_num, [](const line_load& r, int n) { return r.beam >= 1 && r.beam <= n; }))
        return 0;
    if (kind == 2) {
        held_case = load_case, held_kind = kind;
        return 1;
    }
    line = {};
    if (!readKind(distri, distri_num, plate_num,
                  [](const distri_load& r, int n) { return r.plate >= 1 && r.plate <= n; }))
        return 0;
    held_case = load_case, held_kind = kind;
    return 1;
}

int struc_ld_file::write_beam() {
    if (!beam_loaded_ || !seek_section(kBeams, 16)) return 0;
    std::FILE* f = file_.get();
    int ok = bin::put_words(f, beams.data(), beams.size() * kWordsOf<beam_rec>) ? 1 : 0;
    std::fflush(f);
    std::rewind(f);
    return ok;
}

int struc_ld_file::write_load(int load_case, int kind) {
    if (JS_ERROR_CODE || held_case != load_case || held_kind != kind) return 0;
    std::FILE* f = file_.get();
    std::int32_t counts[3] = {};
    if (!bin::seek(f, case_offsets_[load_case]) || !bin::get_i32s(f, counts, 3)) {
        ShortFile();
        return 0;
    }
    off_t skip = kind >= 2 ? static_cast<off_t>(counts[0]) * sizeof(con_load) : 0;
    if (kind == 3) skip += static_cast<off_t>(counts[1]) * sizeof(line_load);
    bool ok = bin::seek(f, bin::tell(f) + skip);
    if (kind == 1) ok = ok && bin::put_words(f, con.data(), con.size() * kWordsOf<con_load>);
    if (kind == 2) ok = ok && bin::put_words(f, line.data(), line.size() * kWordsOf<line_load>);
    if (kind == 3) ok = ok && bin::put_words(f, distri.data(), distri.size() * kWordsOf<distri_load>);
    std::fflush(f);
    return ok ? 1 : 0;
}

void struc_ld_file::free_node() {
    x = {};
    y = {};
    flag = {};
    node_loaded_ = false;
}

void struc_ld_file::free_beam() {
    beams = {};
    beam_loaded_ = false;
}

void struc_ld_file::free_plate() {
    plates = {};
    plate_loaded_ = false;
}

void struc_ld_file::free_support() {
    supports = {};
    support_loaded_ = false;
}

void struc_ld_file::free_load() {
    con = {};
    line = {};
    distri = {};
    held_case = held_kind = -1;
}
