#include "fem/mesh_files.h"

#include "base/error.h"
#include "base/textio.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"

namespace bin = kv::fem::bin;
using kv::err::kFailure;

namespace {
constexpr int kOutOfMemory = 399;

template <typename T>
bool ReadRecords(std::FILE* f, std::vector<T>& v, long long n) {
    return bin::get_words(f, v.data(), static_cast<std::size_t>(n) * (sizeof(T) / 4));
}
}  // namespace

// ---- NET_PRE.FB ----------------------------------------------------------------

int beam_cut_date::read(std::FILE* f) {
    if (!bin::get_i32(f, beam) || !bin::get_i32(f, num) || num <= 0) {
        tell_error(kFailure, "Num_p Error in beam_cut_date read !");
        return 0;
    }
    if (!bin::fits(f, num, 4) || !kv::fem::Allocate(node, static_cast<std::size_t>(num))) {
        tell_error(kFailure, "Out of memery in beam_cut_date read !");
        return 0;
    }
    if (!bin::get_i32s(f, node.data(), node.size())) {
        tell_error(kFailure, "Num_p Error in beam_cut_date read !");
        return 0;
    }
    return 1;
}

int plate_cut_date::read(std::FILE* f) {
    if (!bin::get_i32(f, plate) || !bin::get_i32(f, num) || num <= 0) {
        tell_error(kFailure, "Num_Tri Error in plate_cut read !");
        return 0;
    }
    std::size_t n = static_cast<std::size_t>(num);
    std::vector<std::int32_t> tri;
    if (!bin::fits(f, num, 12) || !kv::fem::Allocate(tri, 3 * n) || !kv::fem::Allocate(n1, n) ||
        !kv::fem::Allocate(n2, n) || !kv::fem::Allocate(n3, n)) {
        tell_error(kFailure, "Out of memery in plate_cut_date read !");
        return 0;
    }
    if (!bin::get_i32s(f, tri.data(), tri.size())) {
        tell_error(kFailure, "Num_Tri Error in plate_cut read !");
        return 0;
    }
    for (std::size_t t = 0; t < n; ++t) n1[t] = tri[3 * t], n2[t] = tri[3 * t + 1], n3[t] = tri[3 * t + 2];
    return 1;
}

net_pre_file::net_pre_file(const char* name) {
    if (!file_.open(name, "rb")) return;
    std::FILE* f = file_.get();
    if (!bin::get_i32s(f, offset, 3) || offset[0] <= 0 || offset[1] <= 0 || offset[2] <= 0) {
        // A file without its offsets cannot be read on: refused, not warned about.
        tell_error(kFailure, "Pointer error in net_pre file !");
        return;
    }
    std::int32_t counts[3] = {};
    for (int s = 0; s < 3; ++s)
        if (!bin::seek(f, offset[s]) || !bin::get_i32(f, counts[s])) {
            tell_error(kFailure, "Pointer error in net_pre file !");
            return;
        }
    beam_num = counts[0];
    plate_num = counts[1];
    node_num = counts[2];
}

net_pre_file::~net_pre_file() = default;

int net_pre_file::read_beam_cut() {
    if (JS_ERROR_CODE || !file_) return 0;
    if (beam_loaded_ || beam_num <= 0) return 1;
    std::FILE* f = file_.get();
    if (!bin::seek(f, static_cast<off_t>(offset[0]) + 4)) return 0;
    if (!bin::fits(f, beam_num, 8) || !kv::fem::Allocate(beams, static_cast<std::size_t>(beam_num))) {
        tell_error(kOutOfMemory, "Out of Memery !");
        return 0;
    }
    for (beam_cut_date& b : beams)
        if (!b.read(f)) {
            free_beam_cut();
            return 0;
        }
    beam_loaded_ = true;
    return 1;
}

int net_pre_file::read_plate_cut() {
    if (JS_ERROR_CODE || !file_ || plate_num <= 0) return 0;
    if (plate_loaded_) return 1;
    std::FILE* f = file_.get();
    if (!bin::seek(f, static_cast<off_t>(offset[1]) + 4)) return 0;
    if (!bin::fits(f, plate_num, 8) || !kv::fem::Allocate(plates, static_cast<std::size_t>(plate_num))) {
        tell_error(kFailure, "Out of Memery !");
        return 0;
    }
    for (plate_cut_date& p : plates)
        if (!p.read(f)) {
            free_plate_cut();
            return 0;
        }
    plate_loaded_ = true;
    return 1;
}

int net_pre_file::read_index() {
    if (JS_ERROR_CODE || !file_) return 0;
    if (index_loaded_ || node_num <= 0) return 1;
    std::FILE* f = file_.get();
    if (!bin::seek(f, static_cast<off_t>(offset[2]) + 4)) return 0;
    std::size_t n = static_cast<std::size_t>(node_num);
    if (!bin::fits(f, node_num, 8) || !kv::fem::Allocate(new_of_old, n) || !kv::fem::Allocate(old_of_new, n)) {
        free_index();
        tell_error(kFailure, "Out of Memery !");
        return 0;
    }
    if (!bin::get_i32s(f, new_of_old.data(), n) || !bin::get_i32s(f, old_of_new.data(), n)) {
        free_index();
        tell_error(kFailure, "Pointer error in net_pre file !");
        return 0;
    }
    for (std::size_t k = 0; k < n; ++k)
        if (new_of_old[k] < 0 || new_of_old[k] >= node_num || old_of_new[k] < 0 || old_of_new[k] >= node_num) {
            free_index();
            tell_error(kFailure, "Index error in net_pre file !");
            return 0;
        }
    index_loaded_ = true;
    return 1;
}

void net_pre_file::free_beam_cut() {
    beams = {};
    beam_loaded_ = false;
}
void net_pre_file::free_plate_cut() {
    plates = {};
    plate_loaded_ = false;
}
void net_pre_file::free_index() {
    new_of_old = {};
    old_of_new = {};
    index_loaded_ = false;
}

std::vector<beam_cut_date> read_beam_cut_date(int* count) {
    std::vector<beam_cut_date> beams;
    if (count) *count = 0;
    kv::fem::WorkFile file;
    if (!file.open("NET_PRE.FB", "rb")) return beams;
    std::FILE* f = file.get();
    std::int32_t at = 0, n = 0;
    if (!bin::get_i32(f, at) || at <= 0 || !bin::seek(f, at) || !bin::get_i32(f, n) || n <= 0) {
        // A mesh without beams cannot be analysed further: refused, not warned about.
        tell_error(kFailure, "beam num zero in read_beam_cut_date");
        return beams;
    }
    if (!bin::fits(f, n, 8) || !kv::fem::Allocate(beams, static_cast<std::size_t>(n))) {
        tell_error(kFailure, "Out of memery in read_beam_cut_date");
        return beams;
    }
    for (beam_cut_date& b : beams)
        if (!b.read(f)) {
            beams.clear();
            return beams;
        }
    if (count) *count = n;
    return beams;
}

void free_beam_cut_date(int /*count*/, std::vector<beam_cut_date>& beams) { beams = {}; }

// ---- NET_DAT.FB ----------------------------------------------------------------

net_dat_file::net_dat_file(const char* name) {
    if (!file_.open(name, "rb+")) return;
    std::FILE* f = file_.get();
    bool ok = bin::get_i32s(f, offset, 6);
    for (std::int32_t o : offset) ok = ok && o > 0;
    if (!ok) {
        tell_error(kFailure, "Pointer error in net_dat file !");
        return;
    }
    std::int32_t counts[5] = {};
    float materials[4] = {};
    if (!bin::seek(f, offset[0]) || !bin::get_i32s(f, counts, 5) || !bin::get_f32s(f, materials, 4)) {
        tell_error(kFailure, "Pointer error in net_dat file !");
        return;
    }
    node_num = counts[0], beam_num = counts[1], plate_num = counts[2], support_num = counts[3];
    case_num = counts[4];
    beam_E = materials[0], beam_mu = materials[1], plate_E = materials[2], plate_mu = materials[3];
    if (case_num > 0) {
        if (!bin::seek(f, offset[5]) || !bin::fits(f, case_num, 4) ||
            !kv::fem::Allocate(case_offset, static_cast<std::size_t>(case_num))) {
            case_offset.clear();
            tell_error(kOutOfMemory, "Out of Memery !");
            return;
        }
        if (!bin::get_i32s(f, case_offset.data(), case_offset.size())) {
            tell_error(kFailure, "Pointer error in net_dat file !");
            return;
        }
    }
}

net_dat_file::~net_dat_file() = default;

int net_dat_file::read_node() {
    if (JS_ERROR_CODE || !file_) return 0;
    if (node_num <= 0) return 1;
    free_node();
    std::FILE* f = file_.get();
    std::size_t n = static_cast<std::size_t>(node_num);
    std::vector<float> xy;
    if (!bin::seek(f, offset[1]) || !bin::fits(f, node_num, 8) || !kv::fem::Allocate(xy, 2 * n) ||
        !kv::fem::Allocate(x, n) || !kv::fem::Allocate(y, n)) {
        free_node();
        tell_error(kOutOfMemory, "Out of Memery !");
        return 0;
    }
    if (!bin::get_f32s(f, xy.data(), xy.size())) {
        free_node();
        tell_error(kFailure, "Read error in net_dat file !");
        return 0;
    }
    for (std::size_t k = 0; k < n; ++k) x[k] = xy[2 * k], y[k] = xy[2 * k + 1];
    node_loaded_ = true;
    return 1;
}

namespace {

// Reads `n` records at `at`, checking the node or element numbers they name.
template <typename T, typename Check>
int ReadSection(std::FILE* f, std::int32_t at, int n, std::vector<T>& v, bool& loaded, Check inRange) {
    if (JS_ERROR_CODE || !f) return 0;
    if (n <= 0) return 1;
    v = {};
    loaded = false;
    if (!bin::seek(f, at) || !bin::fits(f, n, sizeof(T)) || !kv::fem::Allocate(v, static_cast<std::size_t>(n))) {
        tell_error(kOutOfMemory, "Out of Memery !");
        return 0;
    }
    if (!ReadRecords(f, v, n)) {
        v = {};
        tell_error(kFailure, "Read error in net_dat file !");
        return 0;
    }
    for (const T& r : v)
        if (!inRange(r)) {
            v = {};
            tell_error(kFailure, "Node error in net_dat file !");
            return 0;
        }
    loaded = true;
    return 1;
}

}  // namespace

int net_dat_file::read_beam() {
    int n = node_num;
    return ReadSection(file_.get(), offset[2], beam_num, beams, beam_loaded_, [n](const net_beam_ele& e) {
        return e.i >= 0 && e.i < n && e.j >= 0 && e.j < n;
    });
}

int net_dat_file::read_plate() {
    int n = node_num;
    return ReadSection(file_.get(), offset[3], plate_num, plates, plate_loaded_, [n](const net_plate_ele& e) {
        return e.a >= 0 && e.a < n && e.b >= 0 && e.b < n && e.c >= 0 && e.c < n;
    });
}

int net_dat_file::read_support() {
    int n = node_num;
    return ReadSection(file_.get(), offset[4], support_num, supports, support_loaded_,
                       [n](const support_rec& s) { return s.node >= 0 && s.node < n; });
}

bool net_dat_file::case_in_range(int load_case) {
    if (load_case >= 0 && load_case < case_num && static_cast<std::size_t>(load_case) < case_offset.size())
        return true;
    tell_error(kFailure, "工况号超界 !");
    return false;
}

int net_dat_file::read_load(int load_case, int kind) {
    if (JS_ERROR_CODE || !file_) return 0;
    if (!case_in_range(load_case)) return 0;
    free_load();
    std::FILE* f = file_.get();
    std::int32_t counts[3] = {};
    if (!bin::seek(f, case_offset[load_case]) || !bin::get_i32s(f, counts, 3) || counts[0] < 0 || counts[1] < 0 ||
        counts[2] < 0) {
        tell_error(kFailure, "Read error in net_dat file !");
        return 0;
    }
    con_num = counts[0], line_num = counts[1], distri_num = counts[2];
    // The sections have no offsets of their own: read through them in order and
    // keep the one asked for.
    auto section = [&](auto& v, int n, int limit, auto number) {
        if (n <= 0) return true;
        if (!bin::fits(f, n, sizeof(v[0])) || !kv::fem::Allocate(v, static_cast<std::size_t>(n))) {
            tell_error(kOutOfMemory, "Out of Memery !");
            return false;
        }
        if (!ReadRecords(f, v, n)) {
            v = {};
            tell_error(kFailure, "Read error in net_dat file !");
            return false;
        }
        for (const auto& r : v)
            if (number(r) < 0 || number(r) >= limit) {
                v = {};
                tell_error(kFailure, "Load error in net_dat file !");
                return false;
            }
        return true;
    };
    if (!section(con, con_num, node_num, [](const con_load& r) { return r.node; })) return 0;
    if (kind != 1) {
        con = {};
        if (!section(line, line_num, beam_num, [](const line_load& r) { return r.beam; })) return 0;
        // The output stage looks up every element's loads: counted out once here
        // rather than searched for each element.
        if (!kv::fem::Allocate(line_start, static_cast<std::size_t>(beam_num) + 1) ||
            !kv::fem::Allocate(line_order, line.size())) {
            line = {};
            tell_error(kOutOfMemory, "Out of Memery !");
            return 0;
        }
        // Counts, their running sums as each element's start, the loads placed
        // (which moves every start to its element's end), the starts back.
        std::fill(line_start.begin(), line_start.end(), 0);
        for (const line_load& r : line) ++line_start[static_cast<std::size_t>(r.beam) + 1];
        for (std::size_t e = 1; e < line_start.size(); ++e) line_start[e] += line_start[e - 1];
        for (std::size_t k = 0; k < line.size(); ++k)
            line_order[static_cast<std::size_t>(line_start[static_cast<std::size_t>(line[k].beam)]++)] =
                static_cast<std::int32_t>(k);
        for (std::size_t e = line_start.size() - 1; e > 0; --e) line_start[e] = line_start[e - 1];
        line_start[0] = 0;
        if (kind != 2) {
            line = {};
            if (!section(distri, distri_num, plate_num, [](const distri_load& r) { return r.plate; })) return 0;
        }
    }
    held_case = load_case;
    held_kind = kind;
    return 1;
}

int net_dat_file::write_load(int load_case, int kind) {
    if (JS_ERROR_CODE || !file_) return 0;
    if (!case_in_range(load_case)) return 0;
    if (held_case != load_case || held_kind != kind) return 0;
    std::FILE* f = file_.get();
    std::int32_t counts[3] = {};
    if (!bin::seek(f, case_offset[load_case]) || !bin::get_i32s(f, counts, 3)) return 0;
    off_t at = static_cast<off_t>(case_offset[load_case]) + 12;
    if (kind >= 2) at += static_cast<off_t>(counts[0]) * static_cast<off_t>(sizeof(con_load));
    if (kind >= 3) at += static_cast<off_t>(counts[1]) * static_cast<off_t>(sizeof(line_load));
    bool ok = bin::seek(f, at);
    if (kind == 1) ok = ok && bin::put_words(f, con.data(), con.size() * kWordsOf<con_load>);
    if (kind == 2) ok = ok && bin::put_words(f, line.data(), line.size() * kWordsOf<line_load>);
    if (kind == 3) ok = ok && bin::put_words(f, distri.data(), distri.size() * kWordsOf<distri_load>);
    ok = ok && std::fflush(f) == 0;
    return ok ? 1 : 0;
}

void net_dat_file::free_node() {
    x = {};
    y = {};
    node_loaded_ = false;
}
void net_dat_file::free_beam() {
    beams = {};
    beam_loaded_ = false;
}
void net_dat_file::free_plate() {
    plates = {};
    plate_loaded_ = false;
}
void net_dat_file::free_support() {
    supports = {};
    support_loaded_ = false;
}
void net_dat_file::free_load() {
    con = {};
    line = {};
    line_start = {};
    line_order = {};
    distri = {};
    held_case = held_kind = -1;
}

// ---- INDEX_P.FB ----------------------------------------------------------------

index_p_file::index_p_file(const char* name) : name_(name ? name : "") {
    if (!file_.open(name, "rb")) {
        tell_error(kFailure, "Open File Error in InDex_p !");
        return;
    }
    std::FILE* f = file_.get();
    if (!bin::get_i32(f, plate_num) || plate_num <= 0) {
        tell_error(kFailure, "Plate num error index_p file");
        return;
    }
    if (!bin::fits(f, plate_num, 4) || !kv::fem::Allocate(offset, static_cast<std::size_t>(plate_num)) ||
        !bin::get_i32s(f, offset.data(), offset.size())) {
        offset.clear();
        tell_error(kFailure, "Out of memery in index_p file");
        return;
    }
    for (std::int32_t o : offset)
        if (o <= 0) {
            tell_error(kFailure, "Pointer error in index_p file !");
            return;
        }
}

index_p_file::~index_p_file() = default;

int index_p_file::read_plate(int plate) {
    if (JS_ERROR_CODE || !file_ || plate < 0 || static_cast<std::size_t>(plate) >= offset.size()) return 0;
    free_plate();
    std::FILE* f = file_.get();
    auto bad = [this] {
        // A record that cannot be used is refused rather than warned about and used.
        free_plate();
        tell_error(kFailure, "Plate date error index_p file");
        return 0;
    };
    auto noMemory = [this] {
        free_plate();
        tell_error(kFailure, "Out of memery in index_p file");
        return 0;
    };
    if (!bin::seek(f, offset[plate]) || !bin::get_i32(f, Plate) || !bin::get_f32(f, x0) || !bin::get_f32(f, y0) ||
        !bin::get_i32(f, bbs) || !bin::get_i32(f, num_p_edge) || bbs <= 0 || num_p_edge <= 0)
        return bad();
    if (!bin::fits(f, bbs, 4)) return bad();
    if (!kv::fem::Allocate(bb_p_num, static_cast<std::size_t>(bbs))) return noMemory();
    if (!bin::get_i32s(f, bb_p_num.data(), bb_p_num.size()) || !bin::get_i32(f, num_center_p) || num_center_p <= 0 ||
        !bin::fits(f, num_center_p, 8))
        return bad();
    std::vector<float> xy;
    std::size_t nc = static_cast<std::size_t>(num_center_p);
    if (!kv::fem::Allocate(xy, 2 * nc) || !kv::fem::Allocate(center_x, nc) || !kv::fem::Allocate(center_y, nc))
        return noMemory();
    if (!bin::get_f32s(f, xy.data(), xy.size())) return bad();
    for (std::size_t k = 0; k < nc; ++k) center_x[k] = xy[2 * k], center_y[k] = xy[2 * k + 1];
    if (!bin::get_i32(f, num_p) || num_p <= 0 || !bin::fits(f, num_p, 4)) return bad();
    if (!kv::fem::Allocate(node, static_cast<std::size_t>(num_p))) return noMemory();
    if (!bin::get_i32s(f, node.data(), node.size()) || !bin::get_i32(f, num_ele) || !bin::get_i32(f, start_ele))
        return bad();
    loaded = true;
    return 1;
}

int index_p_file::write_plate(int plate) {
    if (!loaded || plate < 0 || static_cast<std::size_t>(plate) >= offset.size()) return 0;
    // The reader's own handle is read-only; the record is written through another.
    kv::fem::WorkFile out;
    if (!out.open(name_.c_str(), "rb+")) return 0;
    std::FILE* f = out.get();
    std::vector<float> xy;
    for (std::size_t k = 0; k < center_x.size(); ++k) {
        xy.push_back(center_x[k]);
        xy.push_back(center_y[k]);
    }
    bool ok = bin::seek(f, offset[plate]) && bin::put_i32(f, Plate) && bin::put_f32(f, x0) && bin::put_f32(f, y0) &&
              bin::put_i32(f, bbs) && bin::put_i32(f, num_p_edge) &&
              bin::put_i32s(f, bb_p_num.data(), bb_p_num.size()) && bin::put_i32(f, num_center_p) &&
              bin::put_f32s(f, xy.data(), xy.size()) && bin::put_i32(f, num_p) &&
              bin::put_i32s(f, node.data(), node.size()) && bin::put_i32(f, num_ele) && bin::put_i32(f, start_ele);
    ok = out.commit() && ok;
    // What this reader has buffered of the file is stale now.
    std::fflush(file_.get());
    return ok ? 1 : 0;
}

int index_p_file::print_txt(int plate) {
    if (!loaded) return 0;
    kv::fem::WorkFile out;
    if (!out.open("index_p.txt", plate == 0 ? "wt" : "at")) {
        tell_error(kFailure, "Open file index_p.txt error");
        return 0;
    }
    std::FILE* f = out.get();
    const std::string dashes(51, '-');
    if (plate == 0) std::fprintf(f, "Plate_num = %d\n%s\n", plate_num, dashes.c_str());
    std::fprintf(f, "Plate=%d,x0=%.2f,y0=%.2f,bbs=%d,num_p_edge=%d\n", Plate, x0, y0, bbs, num_p_edge);
    std::fprintf(f, "bb_p_num: ");
    for (std::int32_t v : bb_p_num) std::fprintf(f, "%d,", v);
    std::fprintf(f, "\nnum_center_p=%d\n", num_center_p);
    for (std::size_t k = 0; k < center_x.size(); ++k) std::fprintf(f, "(%.2f,%.2f), ", center_x[k], center_y[k]);
    std::fprintf(f, "\nnum_p=%d\n", num_p);
    for (std::int32_t v : node) std::fprintf(f, "%d,", v);
    std::fprintf(f, "\nnum_ele=%d, start_ele=%d\n%s\n", num_ele, start_ele, dashes.c_str());
    return out.commit() ? 1 : 0;
}

void index_p_file::free_plate() {
    bb_p_num = {};
    center_x = {};
    center_y = {};
    node = {};
    loaded = false;
}
