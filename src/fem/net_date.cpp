// The element data file "NET_DAT.FB": the mesh under the new node numbers, beam
// elements with their section constants, plate triangles, supports and every
// load case's loads put onto the elements.
#include "fem/yxy_net.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/error.h"
#include "base/geometry.h"
#include "base/textio.h"
#include "codes/material.h"
#include "fem/binio.h"
#include "fem/mesh_files.h"
#include "fem/struc_ld_file.h"
#include "fem/workfile.h"

namespace bin = kv::fem::bin;
using kv::err::kFailure;

namespace {

// Byte positions of the header and the info record.
enum : off_t {
    kInfoAt = 24,
    kNodesAt = 60,
    kNodeCountAt = 24,
    kBeamCountAt = 28,
    kPlateCountAt = 32,
    kSupportCountAt = 36,
    kCaseCountAt = 40,
    kBeamMaterialAt = 44,
    kPlateMaterialAt = 52,
};
off_t HeaderAt(int k) { return 4 * static_cast<off_t>(k); }

off_t EndOf(std::FILE* f) { return ::fseeko(f, 0, SEEK_END) == 0 ? bin::tell(f) : -1; }

bool PutI32At(std::FILE* f, off_t at, std::int32_t v) { return bin::seek(f, at) && bin::put_i32(f, v); }
bool PutF32sAt(std::FILE* f, off_t at, const float* v, std::size_t n) {
    return bin::seek(f, at) && bin::put_f32s(f, v, n);
}

// The header int `k` and, when given, an info count: the current end of the file
// starts the next section.
bool CloseSection(std::FILE* f, int k, off_t countAt, std::int32_t count) {
    off_t end = EndOf(f);
    return end > 0 && PutI32At(f, HeaderAt(k), static_cast<std::int32_t>(end)) && PutI32At(f, countAt, count);
}

int WriteFailed() {
    tell_error(kFailure, "不能写文件 : NET_DAT.FB");
    return 0;
}

// A section's end: 1 when it was written and nothing stops the run.
int Finished(bool ok) {
    if (!ok) return WriteFailed();
    return JS_ERROR_CODE ? 0 : 1;
}

// The mesh files and the structure file disagree (one of them is stale or damaged).
int FilesDisagree() {
    tell_error(kFailure, "Read file error in form_date_file");
    return 0;
}

// Ec × 1000 (kN/m²) and ν of a concrete grade; 0 and 0 for a grade not in the table.
void ConcreteOf(int grade, float material[2]) {
    Con_Prop prop;
    if (!get_rc_property(grade, &prop)) tell_error(kFailure, "混凝土标号错误 !");
    material[0] = prop.Ec * 1000;
    material[1] = prop.nu;
}

// The new number of an old node, or -1 when the renumbering does not know it.
std::int32_t NewOf(const net_pre_file& pre, std::int32_t old) {
    if (old < 0 || static_cast<std::size_t>(old) >= pre.new_of_old.size()) return -1;
    return pre.new_of_old[static_cast<std::size_t>(old)];
}

// Length of a beam (m): straight between its end nodes, an arc counter-clockwise
// around its centre from the start node to the end node.
float BeamLength(const beam_rec& b, const struc_ld_file& struc) {
    const auto s = static_cast<std::size_t>(b.node_s), e = static_cast<std::size_t>(b.node_e);
    if (b.kind <= 10) return get_dist(struc.x[s], struc.y[s], struc.x[e], struc.y[e]);
    float r = get_dist(b.cx, b.cy, struc.x[s], struc.y[s]);
    float a0 = get_line_angle(b.cx, b.cy, struc.x[s], struc.y[s]);
    float a1 = get_line_angle(b.cx, b.cy, struc.x[e], struc.y[e]);
    float sweep = a1 - a0;
    if (sweep < 0) sweep += 6.2831855f;
    return sweep * r;
}

}  // namespace

void YXY_NET::cal_section_ij(float b, float h, float* J, float* I) {
    if (b <= 0 || h <= 0) {
        *J = *I = 0;
        return;
    }
    *I = b * h * h * h / 12;
    // Saint-Venant constant of a rectangle, s the shorter side.
    float s = std::min(b, h), t = std::max(b, h);
    float ratio = t / s;
    *J = s * s * s * s * (t / (3 * s) - 0.21f + 0.0175f / (ratio * ratio * ratio * ratio));
}

int YXY_NET::beam_element_offset(int beam, const net_pre_file* pre) {
    int first = 0;
    for (int k = 0; k < beam && static_cast<std::size_t>(k) < pre->beams.size(); ++k)
        first += pre->beams[static_cast<std::size_t>(k)].num - 1;
    return first;
}

int YXY_NET::plate_element_offset(int plate, const net_pre_file* pre) {
    int first = 0;
    for (int k = 0; k < plate && static_cast<std::size_t>(k) < pre->plates.size(); ++k)
        first += pre->plates[static_cast<std::size_t>(k)].num;
    return first;
}

int YXY_NET::clip_line_load(float L, float q1, float q2, float a1, float a2, int n, int g, float* qa, float* qb,
                            float* xa, float* xb) {
    float e = L / n;
    float S = e * g, E = e * (g + 1);
    if (!(a1 < a2) || std::fabs(a1 - a2) < 1.0e-7f) return 0;
    if (E < a1 || S > a2) return 0;
    // An element end within 0.01 mm of a load end is taken as that end, so a load
    // ending on a node reaches no further element.
    if (std::fabs(a1 - S) < 0.00001f) S = a1;
    if (std::fabs(a1 - E) < 0.00001f) E = a1;
    if (std::fabs(a2 - S) < 0.00001f) S = a2;
    if (std::fabs(a2 - E) < 0.00001f) E = a2;
    float xs = std::max(S, a1), xe = std::min(E, a2);
    float slope = (q2 - q1) / (a2 - a1);
    *qa = q1 + slope * (xs - a1);
    *qb = q1 + slope * (xe - a1);
    *xa = xs - S;
    *xb = xe - S;
    return *xa <= *xb && std::fabs(*xa - *xb) >= 1.0e-10f ? 1 : 0;
}

void YXY_NET::locate_point_load(float L, float x, int n, int* element, float* local) {
    float e = L / n;
    for (int i = 0; i < n; ++i)
        if (e * i <= x && x <= e * (i + 1)) {
            *element = i;
            *local = x - e * i;
            return;
        }
    // Beyond the beam: the last element takes it.
    *element = n - 1;
    *local = x - e * (n - 1);
}

void read_ban_mat(float* E, float* nu) {
    std::FILE* fp = open_file("BAN_MAT.FB", "rt");
    if (!fp) return;
    int flag = 0;
    float e = 0, v = 0;
    int got = std::fscanf(fp, "%d,%f,%f", &flag, &e, &v);
    close_file(fp);
    if (got != 3) {
        tell_error(kFailure, "Read file error : BAN_MAT.FB");
        return;
    }
    if (flag == 0) {
        *E = e * 1.0e7f;
        *nu = v;
    }
}

void YXY_NET::form_date_file() {
    if (JS_ERROR_CODE) return;
    struc_ld_file struc("STRUC_LD.FB");
    if (JS_ERROR_CODE) return;
    net_pre_file pre("NET_PRE.FB");
    if (JS_ERROR_CODE) return;
    const int nodes = points ? point_num : 0;
    if (!pre.read_index() || pre.node_num != nodes) {
        if (JS_ERROR_CODE) return;
        FilesDisagree();
        return;
    }
    kv::fem::WorkFile out;
    // Written aside and put in place only when whole.
    if (!out.open("NET_DAT.FB", "wb")) return;
    std::FILE* f = out.get();

    const std::int32_t header[6] = {static_cast<std::int32_t>(kInfoAt), static_cast<std::int32_t>(kNodesAt)};
    const std::int32_t counts[5] = {nodes, 0, 0, 0, std::max(struc.case_num, 0)};
    const float materials[4] = {};
    bool ok = bin::put_i32s(f, header, 6) && bin::put_i32s(f, counts, 5) && bin::put_f32s(f, materials, 4);
    for (int k = 0; k < nodes && ok; ++k) ok = bin::put_f32(f, points[k].x) && bin::put_f32(f, points[k].y);
    points.reset();
    off_t end = ok ? EndOf(f) : -1;
    ok = ok && end > 0 && PutI32At(f, HeaderAt(2), static_cast<std::int32_t>(end));
    if (!ok) {
        WriteFailed();
        return;
    }

    ok = form_beam_date(f, &struc, &pre) && form_plate_date(f, &struc, &pre) &&
         form_support_date(f, &struc, &pre) && form_load_date(f, &struc, &pre);
    // A file that stopped half way is not kept.
    if (!ok) {
        if (!JS_ERROR_CODE) FilesDisagree();
        return;
    }
    if (!out.commit()) WriteFailed();
}

int YXY_NET::form_beam_date(std::FILE* f, struc_ld_file* struc, net_pre_file* pre) {
    if (!struc->read_node() || !struc->read_beam() || !pre->read_beam_cut() || !pre->read_index()) return 0;
    const int beams = struc->beam_num > 0 ? struc->beam_num : 0;
    if ((pre->beam_num > 0 ? pre->beam_num : 0) != beams) return FilesDisagree();
    bool ok = EndOf(f) > 0;
    int elements = 0;
    for (int i = 0; i < beams && ok; ++i) {
        const beam_rec& rec = struc->beams[static_cast<std::size_t>(i)];
        const beam_cut_date& cut = pre->beams[static_cast<std::size_t>(i)];
        if (cut.num < 2) return FilesDisagree();
        float b = static_cast<float>(rec.b), h = static_cast<float>(rec.h);
        if (rec.restraint == 1) {
            b = static_cast<float>(rec.b_alt);
            h = static_cast<float>(rec.h_alt) + static_cast<float>(rec.h);
        }
        net_beam_ele ele;
        cal_section_ij(b, h, &ele.J, &ele.I);
        ele.offset1 = rec.offset;
        // Height of the section's centre, mm, above the level the beam is given at.
        const float centre = rec.bg * 1000 + h / 2;
        if (!(std::fabs(centre) < 2.0e9f)) return FilesDisagree();
        ele.offset2 = static_cast<std::int32_t>(centre);
        for (int k = 0; k + 1 < cut.num && ok; ++k) {
            ele.i = NewOf(*pre, cut.node[static_cast<std::size_t>(k)]);
            ele.j = NewOf(*pre, cut.node[static_cast<std::size_t>(k) + 1]);
            if (ele.i < 0 || ele.j < 0) return FilesDisagree();
            ok = bin::put_words(f, &ele, kWordsOf<net_beam_ele>);
            ++elements;
        }
    }
    float material[2] = {};
    if (beams > 0) ConcreteOf(struc->beam_grade, material);
    ok = ok && CloseSection(f, 3, kBeamCountAt, elements) && PutF32sAt(f, kBeamMaterialAt, material, 2);
    pre->free_beam_cut();
    struc->free_beam();
    return Finished(ok);
}

int YXY_NET::form_plate_date(std::FILE* f, struc_ld_file* struc, net_pre_file* pre) {
    const int plates = struc->plate_num > 0 ? struc->plate_num : 0;
    if ((pre->plate_num > 0 ? pre->plate_num : 0) != plates) return FilesDisagree();
    if (plates > 0 && (!struc->read_plate() || !pre->read_plate_cut() || !pre->read_index())) return 0;
    bool ok = EndOf(f) > 0;
    int elements = 0;
    for (int p = 0; p < plates && ok; ++p) {
        const plate_cut_date& cut = pre->plates[static_cast<std::size_t>(p)];
        net_plate_ele ele;
        ele.thick = struc->plates[static_cast<std::size_t>(p)].thick;
        for (std::size_t t = 0; t < static_cast<std::size_t>(cut.num) && ok; ++t) {
            ele.a = NewOf(*pre, cut.n1[t]);
            ele.b = NewOf(*pre, cut.n2[t]);
            ele.c = NewOf(*pre, cut.n3[t]);
            if (ele.a < 0 || ele.b < 0 || ele.c < 0) return FilesDisagree();
            ok = bin::put_words(f, &ele, kWordsOf<net_plate_ele>);
            ++elements;
        }
    }
    float material[2] = {};
    if (plates > 0) ConcreteOf(struc->plate_grade, material);
    if (acad_flag && !JS_ERROR_CODE) read_ban_mat(&material[0], &material[1]);
    ok = ok && CloseSection(f, 4, kPlateCountAt, elements) && PutF32sAt(f, kPlateMaterialAt, material, 2);
    pre->free_plate_cut();
    struc->free_plate();
    return Finished(ok);
}

int YXY_NET::form_support_date(std::FILE* f, struc_ld_file* struc, net_pre_file* pre) {
    if (!struc->read_support() || !pre->read_index()) return 0;
    bool ok = EndOf(f) > 0;
    for (support_rec s : struc->supports) {
        if (!ok) break;
        s.node = NewOf(*pre, s.node);
        if (s.node < 0) return FilesDisagree();
        ok = bin::put_words(f, &s, kWordsOf<support_rec>);
    }
    ok = ok && CloseSection(f, 5, kSupportCountAt, static_cast<std::int32_t>(struc->supports.size()));
    struc->free_support();
    return Finished(ok);
}

int YXY_NET::form_load_date(std::FILE* f, struc_ld_file* struc, net_pre_file* pre) {
    const int cases = struc->case_num > 0 ? struc->case_num : 0;
    if (cases == 0) return 1;
    if (!struc->read_node() || !struc->read_beam() || !pre->read_beam_cut() || !pre->read_index()) return 0;
    if (pre->plate_num > 0 && !pre->read_plate_cut()) return 0;
    const off_t table = EndOf(f);
    bool ok = table > 0;
    for (int c = 0; c < cases && ok; ++c) ok = bin::put_i32(f, 0);
    for (int c = 0; c < cases && ok; ++c) {
        const off_t at = EndOf(f);
        const std::int32_t zero[3] = {};
        ok = at > 0 && PutI32At(f, table + HeaderAt(c), static_cast<std::int32_t>(at)) && bin::seek(f, at) &&
             bin::put_i32s(f, zero, 3);
        std::int32_t count[3] = {};

        if (!struc->read_load(c, 1)) return 0;
        for (con_load L : struc->con) {
            if (!ok) break;
            L.node = NewOf(*pre, L.node - 1);
            if (L.node < 0) return FilesDisagree();
            ok = bin::put_words(f, &L, kWordsOf<con_load>);
            ++count[0];
        }

        if (!struc->read_load(c, 2)) return 0;
        for (const line_load& L : struc->line) {
            if (!ok) break;
            const auto m = static_cast<std::size_t>(L.beam - 1);
            if (m >= pre->beams.size() || m >= struc->beams.size() || pre->beams[m].num < 2) return FilesDisagree();
            const float length = BeamLength(struc->beams[m], *struc);
            const int n = pre->beams[m].num - 1;
            const int first = beam_element_offset(static_cast<int>(m), pre);
            line_load put;
            if (L.kind == 1) {
                put.kind = 1;
                for (int g = 0; g < n && ok; ++g) {
                    if (!clip_line_load(length, L.v[0], L.v[1], L.v[2], L.v[3], n, g, &put.v[0], &put.v[1],
                                        &put.v[2], &put.v[3]))
                        continue;
                    put.beam = first + g;
                    ok = bin::put_words(f, &put, kWordsOf<line_load>);
                    ++count[1];
                }
            } else {
                int element = 0;
                locate_point_load(length, L.v[3], n, &element, &put.v[3]);
                put.beam = first + element;
                put.kind = L.kind;
                put.v[0] = L.v[0], put.v[1] = L.v[1], put.v[2] = L.v[2];
                ok = bin::put_words(f, &put, kWordsOf<line_load>);
                ++count[1];
            }
        }

        if (!struc->read_load(c, 3)) return 0;
        for (const distri_load& L : struc->distri) {
            if (!ok) break;
            const auto p = static_cast<std::size_t>(L.plate - 1);
            if (p >= pre->plates.size()) return FilesDisagree();
            const int first = plate_element_offset(static_cast<int>(p), pre);
            for (int t = 0; t < pre->plates[p].num && ok; ++t) {
                const distri_load put{first + t, L.q};
                ok = bin::put_words(f, &put, kWordsOf<distri_load>);
                ++count[2];
            }
        }
        struc->free_load();
        ok = ok && bin::seek(f, at) && bin::put_i32s(f, count, 3);
    }
    pre->free_beam_cut();
    pre->free_plate_cut();
    struc->free_beam();
    return Finished(ok);
}
