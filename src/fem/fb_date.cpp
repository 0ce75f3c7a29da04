#include "fem/fb_date.h"

#include "base/error.h"
#include "base/geometry.h"
#include "base/textio.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"
#include "fem/textinput.h"
#include "platform/textfile.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace bin = kv::fem::bin;
using kv::err::kFailure;
using kv::err::kProgress;

namespace {

constexpr int kOutOfMemory = 399;
const char* const kStrucFile = "STRUC_LD.FB";

void Echo(const std::string& line) { tell_error(kProgress, line); }

// Load values a solution can carry: a NaN or an infinity would run through every
// stage and come out as results that look computed.
bool Finite(std::initializer_list<float> values) {
    for (float v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

// The point halfway along a beam: between its ends, or on its arc (kinds above
// 10), which runs counter-clockwise about the centre from the start to the end.
void MiddlePoint(const beam_rec& b, float& x, float& y) {
    if (b.kind <= 10) {
        x = 0.5f * (b.x1 + b.x2);
        y = 0.5f * (b.y1 + b.y2);
        return;
    }
    float r = get_dist(b.cx, b.cy, b.x1, b.y1);
    float a1 = std::atan2(b.y1 - b.cy, b.x1 - b.cx);
    float a2 = std::atan2(b.y2 - b.cy, b.x2 - b.cx);
    float sweep = a2 - a1;
    if (sweep < 0) sweep += 2 * std::numbers::pi_v<float>;
    float a = a1 + 0.5f * sweep;
    x = b.cx + r * std::cos(a);
    y = b.cy + r * std::sin(a);
}

// value × factor truncated towards zero; false when that is no whole number an
// int holds (a damaged factor file: not a number, or far too large).
bool Scaled(std::int32_t value, float factor, std::int32_t& out) {
    const float v = std::trunc(static_cast<float>(value) * factor);
    if (!(v >= -2147483648.0f && v < 2147483648.0f)) return false;
    out = static_cast<std::int32_t>(v);
    return true;
}

}  // namespace

FB_DATE::FB_DATE() = default;
FB_DATE::~FB_DATE() = default;

void FB_DATE::main_date(const char* name, int mode, int /*unused*/) {
    if (JS_ERROR_CODE) return;
    mode_ = mode;
    run(name ? name : "");
    // "STRUC_LD.FB" stays as far as it was written, also after a failure: its
    // section offsets are filled in last, so an unfinished file is refused by its
    // reader instead of an older complete one being taken for this run's.
    if (struc_file_) struc_file_.commit();
    in_.reset();
    in_file_.close();
    ass_file_.close();
    factor_file_.close();
    free_fixpoint();
    free_beam();
    free_plate();
    free_support();
    free_load();
    free_soil();
    factor_.clear();
    factor_num_ = 0;
    case_offsets_.clear();
    case_line_nums_.clear();
}

bool FB_DATE::next_line(std::string& line) {
    if (in_->next(line)) return true;
    if (!JS_ERROR_CODE) tell_error1(kFailure, "Input file ends at line %d", in_->line_number());
    return false;
}

bool FB_DATE::read_title(const char* announcement) {
    std::string line;
    if (!next_line(line)) return false;
    Echo(announcement);
    return true;
}

bool FB_DATE::node_in_table(int node) const { return node >= 1 && node <= nodes_known_; }

void FB_DATE::run(const char* name) {
    // 1. The files; a place for the five section offsets.
    if (!in_file_.open(name, "rt")) return;
    in_ = std::make_unique<kv::fem::TextInput>(in_file_.get(), name);
    in_bytes_ = 0;
    if (std::FILE* raw = kv::platform::OpenFile(name, "rb")) {
        if (::fseeko(raw, 0, SEEK_END) == 0) in_bytes_ = static_cast<long long>(::ftello(raw));
        std::fclose(raw);
    }
    if (!struc_file_.open(kStrucFile, "wb")) return;
    for (auto& o : offsets_) o = 0;
    if (!bin::put_i32s(struc_file_.get(), offsets_, 5)) {
        tell_error1(kFailure, "Write %s error in main", kStrucFile);
        return;
    }

    // 2, 3. Header, nodes.
    std::string line;
    if (!next_line(line)) return;
    Echo(line);
    if (!read_title("Reading  Fixpoint ...")) return;
    offsets_[0] = static_cast<std::int32_t>(bin::tell(struc_file_.get()));
    if (!read_fixpoint()) {
        tell_error(kFailure, "Read fixpoint error in main");
        return;
    }
    if (!write_fixpoint()) tell_error(kFailure, "Write fixpoint error in main");
    if (JS_ERROR_CODE) return;

    // 4 to 8. Beams, with the width factors of mode 3.
    if (mode_ == 3 && !read_factors("liang_gd.fb")) return;
    if (!read_title("Reading  Beam ...")) return;
    offsets_[1] = static_cast<std::int32_t>(bin::tell(struc_file_.get()));
    if (!read_beam()) {
        tell_error(kFailure, "Read beam error in main");
        return;
    }
    // A beam out of its running order stops the run, but only after the plates
    // have been read and checked as well.
    int heldCode = JS_ERROR_CODE;
    JS_ERROR_CODE = 0;
    auto stop = [&] {
        if (heldCode) JS_ERROR_CODE = heldCode;
        return JS_ERROR_CODE != 0;
    };
    for (beam_rec& b : beams_) {
        b.x1 = x_[b.node_s - 1], b.y1 = y_[b.node_s - 1];
        b.x2 = x_[b.node_e - 1], b.y2 = y_[b.node_e - 1];
    }
    if (!write_beam()) tell_error(kFailure, "Write beam error in main");
    factor_.clear();
    factor_num_ = 0;
    if (JS_ERROR_CODE) return (void)stop();

    // 9 to 13. Plates, with the thickness factors of mode 3.
    if (mode_ == 3 && !read_factors("ban_gd.fb")) return (void)stop();
    if (!read_title("Reading  Plate...")) return (void)stop();
    offsets_[2] = static_cast<std::int32_t>(bin::tell(struc_file_.get()));
    if (!read_plate()) {
        tell_error(kFailure, "Read plate error in main");
        return (void)stop();
    }
    if (!plate_egde_direction() || stop()) return;
    if (!write_plate()) tell_error(kFailure, "Write plate error in main");
    free_fixpoint();
    free_beam();
    free_plate();
    factor_.clear();
    factor_num_ = 0;
    if (JS_ERROR_CODE) return;

    // 14, 15. Supports.
    if (!read_title("Reading  Support...")) return;
    offsets_[3] = static_cast<std::int32_t>(bin::tell(struc_file_.get()));
    if (!read_support()) {
        tell_error(kFailure, "Read support error in main");
        return;
    }
    if (!write_support()) tell_error(kFailure, "Write support error in main");
    free_support();
    if (JS_ERROR_CODE) return;

    // 16 to 18. Load cases.
    if (!read_title("Reading  Load...")) return;
    if (!next_line(line)) return;
    Echo(line);
    case_num_ = 0;
    scan_fields(line, "%d", &case_num_);
    if (case_num_ < 0) case_num_ = 0;
    // Every case takes at least one line: a count beyond the file's size is damage,
    // refused before a place is written for each case's offset.
    if (case_num_ > in_bytes_) {
        tell_error1(kFailure, "Load case count %d at line %d is more than the file holds", case_num_,
                    in_->line_number());
        return;
    }
    offsets_[4] = static_cast<std::int32_t>(bin::tell(struc_file_.get()));
    if (!kv::fem::AllocateForText(case_offsets_, static_cast<std::size_t>(case_num_)) ||
        (mode_ == 2 && !kv::fem::AllocateForText(case_line_nums_, static_cast<std::size_t>(case_num_)))) {
        tell_error(kFailure, "Out of memery in main()");
        return;
    }
    if (!bin::put_i32(struc_file_.get(), case_num_)) {
        tell_error(kFailure, "Write load error in main");
        return;
    }
    for (int c = 0; c < case_num_; ++c) {
        // The table grows with the cases read, so a count the file overstates
        // takes no more than the file holds.
        if (!kv::fem::AppendDefault(case_offsets_) || !bin::put_i32(struc_file_.get(), 0)) {
            tell_error(kFailure, "Out of memery in main()");
            return;
        }
    }
    for (int c = 0; c < case_num_; ++c) {
        case_offsets_[c] = static_cast<std::int32_t>(bin::tell(struc_file_.get()));
        if (!read_load()) {
            tell_error(kFailure, "Read  load error in main");
            return;
        }
        if (mode_ == 2) {
            if (!kv::fem::AppendDefault(case_line_nums_)) {
                tell_error(kFailure, "Out of memery in main()");
                return;
            }
            case_line_nums_.back() = line_num_in_file_;
        }
        if (!write_load()) tell_error(kFailure, "Write load error in main");
        free_load();
        if (JS_ERROR_CODE) return;
    }
    if (mode_ == 2) {
        if (!ass_file_.open("LOAD_ASS.FB", "wb")) return;
        if (!bin::put_i32s(ass_file_.get(), case_line_nums_.data(), case_line_nums_.size()) || !ass_file_.commit()) {
            tell_error(kFailure, "Write LOAD_ASS.FB error in main");
            return;
        }
        case_line_nums_.clear();
    }

    // 19. Soil.
    if (!read_title("Reading  Soil...")) return;
    if (!read_soil()) return;
    write_soil();
    free_soil();
    if (JS_ERROR_CODE) return;

    // 20. The offsets, now that every section is in place.
    std::FILE* f = struc_file_.get();
    bool ok = bin::seek(f, 0) && bin::put_i32s(f, offsets_, 5);
    ok = ok && bin::seek(f, static_cast<off_t>(offsets_[4]) + 4) &&
         bin::put_i32s(f, case_offsets_.data(), case_offsets_.size());
    if (!ok) {
        tell_error1(kFailure, "Write %s error in main", kStrucFile);
        return;
    }
    if (!struc_file_.commit()) tell_error1(kFailure, "Write %s error in main", kStrucFile);
}

int FB_DATE::read_factors(const char* file) {
    if (!factor_file_.open(file, "rb")) return 0;
    std::int32_t n = 0;
    std::FILE* f = factor_file_.get();
    if (!bin::get_i32(f, n)) n = 0;
    factor_num_ = n > 0 ? n : 0;
    if (factor_num_ > 0) {
        if (!bin::fits(f, factor_num_, 4)) {
            tell_error1(kFailure, "Read %s error in main", file);
            factor_file_.close();
            return 0;
        }
        if (!kv::fem::Allocate(factor_, static_cast<std::size_t>(factor_num_))) {
            tell_error(kFailure, "内存不够");
            factor_file_.close();
            return 0;
        }
        bin::get_f32s(f, factor_.data(), factor_.size());
    }
    factor_file_.close();
    return 1;
}

// ---- nodes -------------------------------------------------------------------

int FB_DATE::read_fixpoint() {
    std::string line;
    if (!next_line(line)) return 0;
    Echo(line);
    node_num_ = 0;
    scan_fields(line, "%d", &node_num_);
    if (node_num_ <= 0) {
        node_num_ = 0;
        nodes_known_ = 0;
        return 1;
    }
    std::size_t n = static_cast<std::size_t>(node_num_);
    if (!kv::fem::AllocateForText(x_, n) || !kv::fem::AllocateForText(y_, n) ||
        !kv::fem::AllocateForText(flag_, n)) {
        tell_error(kOutOfMemory, "Out of Memery !");
        return 0;
    }
    for (int i = 0; i < node_num_; ++i) {
        if (!in_->next(line) && JS_ERROR_CODE) return 0;
        Echo(line);
        int number = 0, flag = 0;
        float x = 0, y = 0;
        scan_fields(line, "%d,%f,%f,%d", &number, &x, &y, &flag);
        if (number != i + 1) {
            tell_error1(kFailure, "Error when read Fix_Point : %d", i + 1);
            return 0;
        }
        if (!kv::fem::AppendDefault(x_) || !kv::fem::AppendDefault(y_) || !kv::fem::AppendDefault(flag_)) {
            tell_error(kOutOfMemory, "Out of Memery !");
            return 0;
        }
        x_.back() = x;
        y_.back() = y;
        flag_.back() = flag != 0 ? 1 : 0;
    }
    nodes_known_ = node_num_;
    return 1;
}

int FB_DATE::write_fixpoint() {
    std::FILE* f = struc_file_.get();
    if (!bin::put_i32(f, node_num_)) return 0;
    if (node_num_ <= 0) return 1;
    return bin::put_f32s(f, x_.data(), x_.size()) && bin::put_f32s(f, y_.data(), y_.size()) &&
                   bin::put_i32s(f, flag_.data(), flag_.size())
               ? 1
               : 0;
}

void FB_DATE::free_fixpoint() {
    x_ = {};
    y_ = {};
    flag_ = {};
    node_num_ = 0;
}

// ---- beams -------------------------------------------------------------------

int FB_DATE::read_beam() {
    std::string line;
    if (!next_line(line)) return 0;
    Echo(line);
    beam_num_ = 0;
    for (auto& v : beam_head_) v = 0;  // a short header line leaves them 0
    scan_fields(line, "%d,%d,%d,%d", &beam_num_, &beam_head_[0], &beam_head_[1], &beam_head_[2]);
    beams_known_ = 0;
    if (beam_num_ <= 0) {
        beam_num_ = 0;
        return 1;
    }
    if (!kv::fem::AllocateForText(beams_, static_cast<std::size_t>(beam_num_))) {
        tell_error(kOutOfMemory, "Out of Memery !");
        return 0;
    }
    for (int i = 0; i < beam_num_; ++i) {
        if (!next_line(line)) return 0;
        Echo(line);
        if (!kv::fem::AppendDefault(beams_)) {
            tell_error(kOutOfMemory, "Out of Memery !");
            return 0;
        }
        beam_rec& b = beams_.back();
        int number = 0;
        scan_fields(line, "%d,%d,%d,%d,%d,%d,%d,%f,%d,%f,%f,%d,%d,%d", &number, &b.number, &b.kind, &b.node_s,
                    &b.node_e, &b.b, &b.h, &b.bg, &b.offset, &b.cx, &b.cy, &b.restraint, &b.h_alt, &b.b_alt);
        if (number != i + 1) tell_error1(kFailure, "Error when read Beam : %d", i + 1);
        if (!node_in_table(b.node_s) || !node_in_table(b.node_e)) {
            tell_error1(kFailure, "Beam %d: node not in the node table (line %d)", i + 1, in_->line_number());
            return 0;
        }
        if (b.restraint == 1 && b.kind != 3) {
            b.b = b.b_alt;
            b.h = b.h_alt;
        }
        if (b.kind == 4 || b.kind == 14) {
            if (!next_line(line)) return 0;
            if (line.rfind("--", 0) == 0) {
                int* v = b.foundation;
                scan_fields(std::string_view(line).substr(2), "%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d", &v[0], &v[1],
                            &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &v[11]);
            }
        }
    }
    beams_known_ = beam_num_;
    return 1;
}

int FB_DATE::write_beam() {
    std::FILE* f = struc_file_.get();
    if (!bin::put_i32(f, beam_num_)) return 0;
    if (beam_num_ <= 0) return 1;
    if (!bin::put_i32s(f, beam_head_, 3)) return 0;
    for (std::size_t i = 0; i < beams_.size(); ++i) {
        beam_rec b = beams_[i];
        --b.node_s;
        --b.node_e;
        if (i < static_cast<std::size_t>(factor_num_) && !Scaled(b.b, factor_[i], b.b)) return 0;
        if (!bin::put_words(f, &b, kWordsOf<beam_rec>)) return 0;
    }
    return 1;
}

void FB_DATE::free_beam() {
    beams_ = {};
    beam_num_ = 0;
}

// ---- plates ------------------------------------------------------------------

int FB_DATE::read_plate() {
    std::string line;
    if (!next_line(line)) return 0;
    Echo(line);
    plate_num_ = 0;
    plate_head_[0] = plate_head_[1] = 0;
    scan_fields(line, "%d,%d,%d", &plate_num_, &plate_head_[0], &plate_head_[1]);
    plates_known_ = 0;
    if (plate_num_ <= 0) {
        plate_num_ = 0;
        return 1;
    }
    if (!kv::fem::AllocateForText(plates_, static_cast<std::size_t>(plate_num_))) {
        tell_error(kOutOfMemory, "Out of Memery !");
        return 0;
    }
    for (int i = 0; i < plate_num_; ++i) {
        if (!kv::fem::AppendDefault(plates_)) {
            tell_error(kOutOfMemory, "Out of Memery !");
            return 0;
        }
        if (!plates_.back().read_txt(*in_)) {
            if (!JS_ERROR_CODE) tell_error1(kFailure, "Input file ends at line %d", in_->line_number());
            return 0;
        }
        if (plates_.back().thick < 0) {
            tell_error1(kFailure, "Plate %d: thickness %d mm is negative", i + 1, static_cast<int>(plates_.back().thick));
            return 0;
        }
        for (const plate_edge& e : plates_.back().edges)
            for (std::int32_t beam : e.beam)
                if (beam == 0 || std::abs(beam) > beams_known_) {
                    tell_error1(kFailure, "Plate %d: beam %d not in the beam table", i + 1, beam);
                    return 0;
                }
    }
    plates_known_ = plate_num_;
    return 1;
}

int FB_DATE::plate_egde_direction() {
    std::vector<std::int32_t> chain;
    for (std::size_t p = 0; p < plates_.size(); ++p) {
        plate_rec& plate = plates_[p];
        std::size_t n = 0;
        for (const plate_edge& e : plate.edges) n += e.beam.size();
        if (!kv::fem::Allocate(chain, n)) {
            tell_error(kFailure, "Out of memery in plate_edge_direction");
            return 0;
        }
        std::size_t k = 0;
        for (const plate_edge& e : plate.edges)
            for (std::int32_t beam : e.beam) chain[k++] = beam;
        auto broken = [&] {
            tell_error1(kv::err::kDataError, "Plate --- %d Date error in  plate edge direction", static_cast<int>(p + 1));
            return 0;
        };
        if (n < 2) return broken();
        float px[4] = {}, py[4] = {};
        for (k = 0; k < n; ++k) {
            const beam_rec& A = beams_[std::abs(chain[k]) - 1];
            const beam_rec& B = beams_[std::abs(chain[(k + 1) % n]) - 1];
            if (n == 2) {
                if (k == 0) {
                    px[0] = A.x1, py[0] = A.y1;
                    MiddlePoint(A, px[1], py[1]);
                    px[2] = A.x2, py[2] = A.y2;
                    MiddlePoint(B, px[3], py[3]);
                } else if (A.node_e == B.node_s) {
                } else if (A.node_e == B.node_e) {
                    chain[k] = -chain[k];
                } else {
                    return broken();
                }
            } else if (A.node_e == B.node_s || A.node_e == B.node_e) {
            } else if (A.node_s == B.node_s || A.node_s == B.node_e) {
                chain[k] = -chain[k];
            } else {
                return broken();
            }
        }
        // A two-beam boundary is turned to run counter-clockwise.
        if (n == 2 && area_poli(4, px, py) < 0) {
            chain[0] = -chain[0];
            chain[1] = -chain[1];
        }
        k = 0;
        for (plate_edge& e : plate.edges)
            for (std::int32_t& beam : e.beam) beam = chain[k++];
    }
    return 1;
}

int FB_DATE::write_plate() {
    std::FILE* f = struc_file_.get();
    if (!bin::put_i32(f, plate_num_)) return 0;
    if (plate_num_ <= 0) return 1;
    if (!bin::put_i32s(f, plate_head_, 2)) return 0;
    for (std::size_t i = 0; i < plates_.size(); ++i) {
        if (i < static_cast<std::size_t>(factor_num_) && !Scaled(plates_[i].thick, factor_[i], plates_[i].thick))
            return 0;
        if (!plates_[i].write(f)) return 0;
    }
    return 1;
}

void FB_DATE::free_plate() {
    plates_ = {};
    plate_num_ = 0;
}

// ---- supports ----------------------------------------------------------------

int FB_DATE::read_support() {
    std::string line;
    if (!next_line(line)) return 0;
    support_num_ = 0;
    support_head_ = 0;
    scan_fields(line, "%d,%d", &support_num_, &support_head_);
    if (support_num_ <= 0) {
        support_num_ = 0;
        return 1;
    }
    if (!kv::fem::AllocateForText(supports_, static_cast<std::size_t>(support_num_))) {
        tell_error(kOutOfMemory, "Out of Memery !");
        return 0;
    }
    for (int i = 0; i < support_num_; ++i) {
        if (!next_line(line)) return 0;
        if (!kv::fem::AppendDefault(supports_)) {
            tell_error(kOutOfMemory, "Out of Memery !");
            return 0;
        }
        support_rec& s = supports_.back();
        scan_fields(line, "%*d,%d,%d,%f,%f", &s.node, &s.kind, &s.value1, &s.value2);
        if (!node_in_table(s.node)) {
            tell_error1(kFailure, "Support %d: node %d not in the node table", i + 1, s.node);
            return 0;
        }
        --s.node;
    }
    return 1;
}

int FB_DATE::write_support() {
    std::FILE* f = struc_file_.get();
    if (!bin::put_i32(f, support_num_)) return 0;
    if (support_num_ <= 0) return 1;
    if (!bin::put_i32(f, support_head_)) return 0;
    return bin::put_words(f, supports_.data(), supports_.size() * kWordsOf<support_rec>) ? 1 : 0;
}

void FB_DATE::free_support() {
    supports_ = {};
    support_num_ = 0;
}

// ---- loads of one case ---------------------------------------------------------

int FB_DATE::read_load() {
    std::string line;
    if (!next_line(line)) return 0;
    Echo(line);
    con_num_ = line_num_ = distri_num_ = 0;
    scan_fields(line, "%d,%d,%d", &con_num_, &line_num_, &distri_num_);
    line_num_in_file_ = line_num_;
    auto count = [](int n) { return static_cast<std::size_t>(n > 0 ? n : 0); };
    if (!kv::fem::AllocateForText(con_, count(con_num_)) || !kv::fem::AllocateForText(line_, count(line_num_)) ||
        !kv::fem::AllocateForText(distri_, count(distri_num_))) {
        tell_error(kOutOfMemory, "Out of Memery !");
        return 0;
    }
    auto add = [](auto& v) {
        if (kv::fem::AppendDefault(v)) return true;
        tell_error(kOutOfMemory, "Out of Memery !");
        return false;
    };
    for (int i = 0; i < con_num_; ++i) {
        if (!next_line(line) || !add(con_)) return 0;
        Echo(line);
        con_load& L = con_.back();
        scan_fields(line, "%*d,%d,%f,%f,%f", &L.node, &L.P, &L.M2, &L.M3);
        if (!node_in_table(L.node)) {
            tell_error1(kFailure, "Point load %d: node %d not in the node table", i + 1, L.node);
            return 0;
        }
        if (!Finite({L.P, L.M2, L.M3})) {
            tell_error1(kFailure, "Point load %d: a value is not a number (line %d)", i + 1, in_->line_number());
            return 0;
        }
    }
    for (int i = 0; i < line_num_; ++i) {
        if (!next_line(line) || !add(line_)) return 0;
        Echo(line);
        line_load& L = line_.back();
        scan_fields(line, "%*d,%d,%d,%f,%f,%f,%f", &L.beam, &L.kind, &L.v[0], &L.v[1], &L.v[2], &L.v[3]);
        if (L.beam < 1 || L.beam > beams_known_) {
            tell_error1(kFailure, "Line load %d: beam %d not in the beam table", i + 1, L.beam);
            return 0;
        }
        if (!Finite({L.v[0], L.v[1], L.v[2], L.v[3]})) {
            tell_error1(kFailure, "Line load %d: a value is not a number (line %d)", i + 1, in_->line_number());
            return 0;
        }
    }
    for (int i = 0; i < distri_num_; ++i) {
        if (!next_line(line) || !add(distri_)) return 0;
        Echo(line);
        distri_load& L = distri_.back();
        scan_fields(line, "%*d,%d,%f", &L.plate, &L.q);
        if (L.plate < 1 || L.plate > plates_known_) {
            tell_error1(kFailure, "Area load %d: plate %d not in the plate table", i + 1, L.plate);
            return 0;
        }
        if (!Finite({L.q})) {
            tell_error1(kFailure, "Area load %d: a value is not a number (line %d)", i + 1, in_->line_number());
            return 0;
        }
    }
    if (mode_ == 2) {
        // Three zero loads on every beam after the case's own ones.
        for (int b = 0; b < beams_known_; ++b)
            for (int k = 0; k < 3; ++k) {
                if (!add(line_)) return 0;
                line_.back() = line_load{b + 1, 1, {0.0f, 0.0f, 0.0f, 1.0e10f}};
            }
        line_num_ = static_cast<int>(line_.size());
    }
    return 1;
}

int FB_DATE::write_load() {
    std::FILE* f = struc_file_.get();
    const std::int32_t counts[3] = {con_num_, line_num_, distri_num_};
    return bin::put_i32s(f, counts, 3) && bin::put_words(f, con_.data(), con_.size() * kWordsOf<con_load>) &&
                   bin::put_words(f, line_.data(), line_.size() * kWordsOf<line_load>) &&
                   bin::put_words(f, distri_.data(), distri_.size() * kWordsOf<distri_load>)
               ? 1
               : 0;
}

void FB_DATE::free_load() {
    con_ = {};
    line_ = {};
    distri_ = {};
    con_num_ = line_num_ = distri_num_ = 0;
}

// ---- soil ----------------------------------------------------------------------

int FB_DATE::read_soil() {
    std::string line;
    if (!next_line(line)) return 0;
    Echo(line);
    soil_num_ = 0;
    scan_fields(line, "%d", &soil_num_);
    if (soil_num_ <= 0) {
        soil_num_ = 0;
        return 1;
    }
    std::size_t n = static_cast<std::size_t>(soil_num_);
    if (!kv::fem::AllocateForText(soil_x_, n) || !kv::fem::AllocateForText(soil_y_, n) ||
        !kv::fem::AllocateForText(soil_, n)) {
        tell_error(kOutOfMemory, "Out of Memery !");
        return 0;
    }
    for (int i = 0; i < soil_num_; ++i) {
        if (!next_line(line) || !next_line(line)) return 0;  // the first of the two is not read
        Echo(line);
        if (!kv::fem::AppendDefault(soil_x_) || !kv::fem::AppendDefault(soil_y_) || !kv::fem::AppendDefault(soil_)) {
            tell_error(kOutOfMemory, "Out of Memery !");
            return 0;
        }
        scan_fields(line, "%*d,%f,%f", &soil_x_.back(), &soil_y_.back());
        if (!soil_.back().soil_date_xy_read_txt(*in_)) return 0;
    }
    return 1;
}

int FB_DATE::write_soil() {
    kv::fem::WorkFile out;
    if (!out.open("SOIL.FB", "wb")) return 0;
    std::FILE* f = out.get();
    bool ok = bin::put_i32(f, soil_num_);
    for (std::size_t i = 0; ok && i < soil_.size(); ++i)
        ok = bin::put_f32(f, soil_x_[i]) && bin::put_f32(f, soil_y_[i]) && soil_[i].soil_date_xy_write(f);
    if (JS_ERROR_CODE) return 0;
    if (!ok || !out.commit()) {
        tell_error(kFailure, "Write SOIL.FB error in main");
        return 0;
    }
    return 1;
}

void FB_DATE::free_soil() {
    soil_ = {};
    soil_x_ = {};
    soil_y_ = {};
    soil_num_ = 0;
}
