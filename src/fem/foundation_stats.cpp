// Foundation statistics over the structure file: connected parts, continuous
// beams, base area and its moments, load resultants, beam lengths by kind, and
// the load statistics per part built from them.
#include "base/error.h"
#include "base/geometry.h"
#include "base/textio.h"
#include "fem/fb_date.h"
#include "fem/fem_alloc.h"
#include "fem/struc_ld_file.h"
#include "fem/yxy_tool.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

using kv::err::kDataError;
using kv::err::kFailure;
using kv::err::kNotice;

constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;
constexpr float kHalfPi = 1.5707964f;
constexpr float kFiveDegrees = 0.08726647f;
const char kStrucFile[] = "STRUC_LD.FB";

bool IsStrip(const beam_rec& b) { return b.kind == 4 || b.kind == 14; }

bool NodeKnown(const struc_ld_file& m, int node) { return node >= 0 && node < static_cast<int>(m.x.size()); }
bool BeamNodesKnown(const struc_ld_file& m, const beam_rec& b) {
    return NodeKnown(m, b.node_s) && NodeKnown(m, b.node_e);
}

// Whether item i belongs to the part asked for; no part array means the whole foundation.
bool InPart(int part, const int* parts, int i) { return !parts || parts[i] == part; }

float Wrap(float a) {
    if (a > kTwoPi) a -= kTwoPi;
    if (a < 0.0f) a += kTwoPi;
    return a;
}

// Loads the sections the statistics need; reports `read_error` when one fails.
bool LoadSections(struc_ld_file& f, bool plates, const char* read_error) {
    bool ok = f.read_node() && (f.beam_num <= 0 || f.read_beam()) &&
              (!plates || f.plate_num <= 0 || f.read_plate());
    if (!ok && !JS_ERROR_CODE) tell_error(kFailure, read_error);
    return ok && !JS_ERROR_CODE;
}

struct Shape {
    float a, cx, cy;
};

// The corner polygon of a plate with its area and centroid.
bool PlateShape(YXY_TOOL& tool, struc_ld_file& f, int plate, Shape* s) {
    std::vector<float> xs, ys;
    int n = 0;
    tool.form_plate_corner_chain(plate, &f, &xs, &ys, &n);
    if (n <= 0 || xs.size() < std::size_t(n)) return false;
    s->a = area_poli(n, xs.data(), ys.data());
    centroid_poli(n, xs.data(), ys.data(), &s->cx, &s->cy);
    return true;
}

// The two footprint quadrilaterals of a foundation strip in plan.
void StripShapes(YXY_TOOL& tool, struc_ld_file& f, const beam_rec& b, std::vector<Shape>& out) {
    for (int side = 0; side < 2; ++side) {
        const int near = side == 0 ? b.node_s : b.node_e, far = side == 0 ? b.node_e : b.node_s;
        const float width = static_cast<float>(side == 0 ? b.foundation[3] : b.foundation[4]) / 1000.0f;
        float xs[4], ys[4];
        tool.cal_local_coordi_cross(near, far, width, xs, ys, &f);
        const float nx = f.x[std::size_t(near)], ny = f.y[std::size_t(near)];
        const float fx = f.x[std::size_t(far)], fy = f.y[std::size_t(far)];
        const float angle = get_line_angle(nx, ny, fx, fy);
        float px[4] = {nx, fx, xs[2], xs[3]}, py[4] = {ny, fy, ys[2], ys[3]};
        for (int k = 2; k < 4; ++k) {
            rotate_coordinate(&px[k], &py[k], -angle);
            shift_coordinate(&px[k], &py[k], -nx, -ny);
        }
        Shape s{};
        s.a = area_poli(4, px, py);
        centroid_poli(4, px, py, &s.cx, &s.cy);
        out.push_back(s);
    }
}

// Area, centroid and second moments of the base of one part (all without part arrays).
void BaseArea(YXY_TOOL& tool, int part, const int* beam_parts, const int* plate_parts, float* Wx, float* Wy,
              float* A, float* xc, float* yc) {
    struc_ld_file f(kStrucFile);
    if (JS_ERROR_CODE) {
        tell_error(kFailure, "Out of Memery in cal_A_Wx_Wy");
        return;
    }
    if (!LoadSections(f, true, "Read file error in  cal_A_Wx_Wy")) return;
    std::vector<Shape> shapes;
    for (int k = 0; k < static_cast<int>(f.plates.size()); ++k) {
        if (!InPart(part, plate_parts, k)) continue;
        Shape s{};
        if (PlateShape(tool, f, k, &s)) shapes.push_back(s);
    }
    for (int i = 0; i < static_cast<int>(f.beams.size()); ++i) {
        const beam_rec& b = f.beams[std::size_t(i)];
        if (!IsStrip(b) || !BeamNodesKnown(f, b) || !InPart(part, beam_parts, i)) continue;
        StripShapes(tool, f, b, shapes);
    }
    float area = 0, sx = 0, sy = 0;
    for (const Shape& s : shapes) area += s.a, sx += s.a * s.cx, sy += s.a * s.cy;
    if (!(area > 1e-10f)) {
        if (beam_parts) tell_error(kDataError, "计算中发现底板面积为零 !");
        area = 0.00001f;
    }
    *A = area;
    *xc = sx / area;
    *yc = sy / area;
    float wx = 0, wy = 0;
    for (const Shape& s : shapes) {
        wx += s.a * (s.cy - *yc) * (s.cy - *yc);
        wy += s.a * (s.cx - *xc) * (s.cx - *xc);
    }
    *Wx = wx;
    *Wy = wy;
}

// Resultant of every load case of one part (all without part arrays) about (x0, y0).
void LoadResultants(YXY_TOOL& tool, int part, const int* node_parts, const int* beam_parts, const int* plate_parts,
                    float x0, float y0, float* F, float* X, float* Y) {
    struc_ld_file f(kStrucFile);
    if (JS_ERROR_CODE) {
        tell_error(kFailure, "Out of Memery in acad_check");
        return;
    }
    if (!LoadSections(f, true, "Read file error in  acad_check")) return;
    for (int c = 0; c < f.case_num; ++c) {
        double sum = 0, mx = 0, my = 0;
        auto add = [&](float R, float x, float y) {
            sum += R;
            mx += R * (x - x0);
            my += R * (y - y0);
        };
        if (!f.read_load(c, 1)) {
            if (!JS_ERROR_CODE) tell_error(kFailure, "Read file error in  get_total_weight");
            return;
        }
        for (const con_load& L : f.con) {
            const int node = L.node - 1;
            if (!NodeKnown(f, node) || !InPart(part, node_parts, node)) continue;
            add(L.P, f.x[std::size_t(node)], f.y[std::size_t(node)]);
        }
        if (!f.read_load(c, 2)) {
            if (!JS_ERROR_CODE) tell_error(kFailure, "Read file error in  acad_check");
            return;
        }
        for (const line_load& L : f.line) {
            const int b = L.beam - 1;
            if (b < 0 || b >= static_cast<int>(f.beams.size()) || !InPart(part, beam_parts, b)) continue;
            const beam_rec& beam = f.beams[std::size_t(b)];
            if (!BeamNodesKnown(f, beam)) continue;
            const float xs = f.x[std::size_t(beam.node_s)], ys = f.y[std::size_t(beam.node_s)];
            const float xe = f.x[std::size_t(beam.node_e)], ye = f.y[std::size_t(beam.node_e)];
            const float len = get_dist(xs, ys, xe, ye);
            if (len < 1e-7f) {
                tell_error(kFailure, "计算中发现梁长为零 !");
                return;
            }
            const float q1 = L.v[0], q2 = L.v[1], s1 = L.v[2], s2 = L.v[3];
            float R = q1, s = s2;  // a concentrated load at its distance
            if (L.kind == 1) {
                if (std::fabs(q1 + q2) < 1e-7f) continue;
                R = (q1 + q2) * (s2 - s1) / 2.0f;
                s = (q1 * (2.0f * s1 + s2) + q2 * (s1 + 2.0f * s2)) / (3.0f * (q1 + q2));
            }
            add(R, xs + s / len * (xe - xs), ys + s / len * (ye - ys));
        }
        if (!f.read_load(c, 3)) {
            if (!JS_ERROR_CODE) tell_error(kFailure, "Read file error in  acad_check");
            return;
        }
        for (const distri_load& L : f.distri) {
            const int k = L.plate - 1;
            if (k < 0 || k >= static_cast<int>(f.plates.size()) || !InPart(part, plate_parts, k)) continue;
            Shape s{};
            if (PlateShape(tool, f, k, &s)) add(L.q * s.a, s.cx, s.cy);
        }
        float total = static_cast<float>(sum);
        if (std::fabs(total) < 1e-7f) total = 1e-7f;
        F[c] = total;
        X[c] = static_cast<float>(mx / total);
        Y[c] = static_cast<float>(my / total);
    }
}

float BeamLength(const struc_ld_file& f, const beam_rec& b) {
    const float xs = f.x[std::size_t(b.node_s)], ys = f.y[std::size_t(b.node_s)];
    const float xe = f.x[std::size_t(b.node_e)], ye = f.y[std::size_t(b.node_e)];
    if (b.kind < 11) return get_dist(xs, ys, xe, ye);
    float sweep = get_line_angle(b.cx, b.cy, xe, ye) - get_line_angle(b.cx, b.cy, xs, ys);
    if (sweep < 0.0f) sweep += kTwoPi;
    return get_dist(b.cx, b.cy, xs, ys) * sweep;
}

void Lengths(int part, const int* beam_parts, float* L4, float* L3, float* L1, float* L2) {
    struc_ld_file f(kStrucFile);
    if (JS_ERROR_CODE) {
        tell_error(kFailure, "Out of Memery in cal_A_Wx_Wy");
        return;
    }
    if (!LoadSections(f, false, "Read file error in  cal_A_Wx_Wy")) return;
    float l4 = 0, l3 = 0, l1 = 0, l2 = 0;
    for (int i = 0; i < static_cast<int>(f.beams.size()); ++i) {
        const beam_rec& b = f.beams[std::size_t(i)];
        if (!BeamNodesKnown(f, b) || !InPart(part, beam_parts, i)) continue;
        const float len = BeamLength(f, b);
        switch (b.kind) {
        case 4: case 14: l4 += len; break;
        case 3: case 13: l3 += len; break;
        case 1: case 11: l1 += len; break;
        case 5: case 15: if (!beam_parts) l1 += len; break;  // the whole foundation only
        case 2: case 12: l2 += len; break;
        default: break;
        }
    }
    *L4 = l4, *L3 = l3, *L1 = l1, *L2 = l2;
}

// The model and its parts, as the load statistics start.
struct PartModel {
    std::unique_ptr<struc_ld_file> file;
    std::vector<int> node_parts, beam_parts, plate_parts;
    int count = 0, beam_max = 0, plate_max = 0;
};

}  // namespace

// ---------------------------------------------------------------------------
// Connected parts

int YXY_TOOL::Find_Start_Point(int* parts, int n) {
    for (int i = 0; i < n; ++i)
        if (parts[i] == 0) return i;
    return -1;
}

void YXY_TOOL::Find_Next_Point(int node, int* parts, struc_ld_file* file, int beam_count, int node_count) {
    // Depth first with a stack of its own: a long chain of beams would run the
    // call stack dry.
    std::vector<int> todo{node};
    while (!todo.empty()) {
        const int at = todo.back();
        todo.pop_back();
        for (int i = 0; i < beam_count; ++i) {
            const beam_rec& b = file->beams[std::size_t(i)];
            int other = -1;
            if (b.node_s == at) other = b.node_e;
            else if (b.node_e == at) other = b.node_s;
            if (other < 0 || other >= node_count || parts[other] != 0) continue;
            parts[other] = parts[at];
            todo.push_back(other);
        }
    }
}

void YXY_TOOL::Search_Pian(struc_ld_file* file, int* count, int* node_parts, int* beam_max, int* beam_parts,
                           int* plate_max, int* plate_parts) {
    const int nn = static_cast<int>(file->x.size()), nb = static_cast<int>(file->beams.size());
    const int np = static_cast<int>(file->plates.size());
    *count = 0, *beam_max = 0, *plate_max = 0;
    std::fill(node_parts, node_parts + nn, 0);
    std::fill(beam_parts, beam_parts + nb, 0);
    std::fill(plate_parts, plate_parts + np, 0);
    for (int start; (start = Find_Start_Point(node_parts, nn)) >= 0;) {
        node_parts[start] = ++*count;
        Find_Next_Point(start, node_parts, file, nb, nn);
    }
    for (int i = 0; i < nb; ++i) {
        const beam_rec& b = file->beams[std::size_t(i)];
        const int first = std::min(b.node_s, b.node_e);
        const int node = NodeKnown(*file, first) ? first : std::max(b.node_s, b.node_e);
        beam_parts[i] = NodeKnown(*file, node) ? node_parts[node] : 0;
        *beam_max = std::max(*beam_max, beam_parts[i]);
    }
    for (int k = 0; k < np; ++k) {
        const plate_rec& p = file->plates[std::size_t(k)];
        if (p.edges.empty() || p.edges[0].beam.empty()) continue;
        const int b = std::abs(p.edges[0].beam[0]) - 1;
        plate_parts[k] = b >= 0 && b < nb ? beam_parts[b] : 0;
        *plate_max = std::max(*plate_max, plate_parts[k]);
    }
}

// ---------------------------------------------------------------------------
// Continuous beams

void YXY_TOOL::Get_Angle1_Angle2(struc_ld_file* file, int beam, float* a1, float* a2, float* a3, float* a4) {
    const beam_rec& b = file->beams[std::size_t(beam)];
    const float xs = file->x[std::size_t(b.node_s)], ys = file->y[std::size_t(b.node_s)];
    const float xe = file->x[std::size_t(b.node_e)], ye = file->y[std::size_t(b.node_e)];
    if (b.kind < 10) {
        *a1 = get_line_angle(xs, ys, xe, ye);
        *a2 = get_line_angle(xe, ye, xs, ys);
    } else {
        // Tangents of the counter-clockwise arc, leaving each end.
        *a1 = get_line_angle(b.cx, b.cy, xs, ys) + kHalfPi;
        *a2 = get_line_angle(b.cx, b.cy, xe, ye) - kHalfPi;
    }
    *a3 = *a1 + kPi;
    *a4 = *a2 + kPi;
    for (float* a : {a1, a2, a3, a4}) *a = Wrap(*a);
}

int YXY_TOOL::Find_Start_Beam(int* groups, int n) {
    for (int i = 0; i < n; ++i)
        if (groups[i] == 0) return i;
    return -1;
}

void YXY_TOOL::Find_Next_Beam(float angle, int node, int from, int* groups, struc_ld_file* file, int beam_count,
                              int node_count) {
    auto straight = [](float a, float b) {
        const float d = std::fabs(a - b);
        return d < kFiveDegrees || std::fabs(d - kTwoPi) < kFiveDegrees;
    };
    struct Step {
        float angle;
        int node, from;
    };
    std::vector<Step> todo{{angle, node, from}};
    while (!todo.empty()) {
        const Step s = todo.back();
        todo.pop_back();
        for (int i = 0; i < beam_count; ++i) {
            const beam_rec& b = file->beams[std::size_t(i)];
            if (groups[i] != 0 || b.node_s < 0 || b.node_s >= node_count || b.node_e < 0 || b.node_e >= node_count)
                continue;
            float a1, a2, a3, a4;
            if (b.node_s == s.node) {
                Get_Angle1_Angle2(file, i, &a1, &a2, &a3, &a4);
                if (!straight(s.angle, a1)) continue;
                groups[i] = groups[s.from];
                todo.push_back({a4, b.node_e, i});
            } else if (b.node_e == s.node) {
                Get_Angle1_Angle2(file, i, &a1, &a2, &a3, &a4);
                if (!straight(s.angle, a2)) continue;
                groups[i] = groups[s.from];
                todo.push_back({a3, b.node_s, i});
            }
        }
    }
}

void YXY_TOOL::Search_LianXuLiang(struc_ld_file* file, int* count, int* groups) {
    const int nb = static_cast<int>(file->beams.size()), nn = static_cast<int>(file->x.size());
    *count = 0;
    std::fill(groups, groups + nb, 0);
    for (int b; (b = Find_Start_Beam(groups, nb)) >= 0;) {
        groups[b] = ++*count;
        const beam_rec& r = file->beams[std::size_t(b)];
        if (!BeamNodesKnown(*file, r)) continue;
        float a1, a2, a3, a4;
        Get_Angle1_Angle2(file, b, &a1, &a2, &a3, &a4);
        Find_Next_Beam(a3, r.node_s, b, groups, file, nb, nn);
        Find_Next_Beam(a4, r.node_e, b, groups, file, nb, nn);
    }
}

// ---------------------------------------------------------------------------
// Area, loads and lengths

void YXY_TOOL::get_A_Wx_Wy(float* Wx, float* Wy, float* A, float* xc, float* yc) {
    BaseArea(*this, 0, nullptr, nullptr, Wx, Wy, A, xc, yc);
}

void YXY_TOOL::get_A_Wx_Wy_Pian(int part, int* beam_parts, int* plate_parts, float* Wx, float* Wy, float* A,
                                float* xc, float* yc) {
    BaseArea(*this, part, beam_parts, plate_parts, Wx, Wy, A, xc, yc);
}

void YXY_TOOL::get_total_weight(float x0, float y0, float* F, float* X, float* Y) {
    LoadResultants(*this, 0, nullptr, nullptr, nullptr, x0, y0, F, X, Y);
}

void YXY_TOOL::get_total_weight_Pian(int part, int* node_parts, int* beam_parts, int* plate_parts, float x0, float y0,
                                     float* F, float* X, float* Y) {
    LoadResultants(*this, part, node_parts, beam_parts, plate_parts, x0, y0, F, X, Y);
}

void YXY_TOOL::get_total_length(float* L4, float* L3, float* L1, float* L2) {
    Lengths(0, nullptr, L4, L3, L1, L2);
}

void YXY_TOOL::get_total_length_Pian(int part, int* beam_parts, float* L4, float* L3, float* L1, float* L2) {
    Lengths(part, beam_parts, L4, L3, L1, L2);
}

// ---------------------------------------------------------------------------
// Load statistics per part

namespace {

// Reads the model and finds its parts; false (told) on failure.
bool OpenParts(YXY_TOOL& tool, PartModel& m, int* nodes, int* beams, int* plates, const char* no_beams) {
    m.file = std::make_unique<struc_ld_file>(kStrucFile);
    if (JS_ERROR_CODE) {
        tell_error(kFailure, "生成对象错 !");
        return false;
    }
    struc_ld_file& f = *m.file;
    *nodes = f.node_num, *beams = f.beam_num, *plates = f.plate_num;
    if (!f.read_node()) return false;
    if (f.beam_num <= 0) {
        tell_error(kFailure, no_beams);
        return false;
    }
    if (!f.read_beam() || (f.plate_num > 0 && !f.read_plate())) {
        if (!JS_ERROR_CODE) tell_error(kFailure, "读入梁数据时错 !");
        return false;
    }
    if (!kv::fem::Allocate(m.node_parts, f.x.size()) || !kv::fem::Allocate(m.beam_parts, f.beams.size()) ||
        !kv::fem::Allocate(m.plate_parts, f.plates.size() + 1)) {
        tell_error(kFailure, "内存不足 !");
        return false;
    }
    tool.Search_Pian(&f, &m.count, m.node_parts.data(), &m.beam_max, m.beam_parts.data(), &m.plate_max,
                     m.plate_parts.data());
    return true;
}

}  // namespace

void FB_DATE::hezai_tongji(const char* name) {
    PartModel m;
    if (!OpenParts(*this, m, &node_num_, &beam_num_, &plate_num_, "梁数为零 !")) return;
    if (m.file->case_num != 1) {
        tell_error(kFailure, "荷载统计时只允许作一组荷载 !");
        return;
    }
    std::FILE* fp = open_file(name, "wt");
    if (!fp) return;
    const int parts = m.beam_max;
    std::fprintf(fp, "%d\n", parts);
    // The reports stop a run: they go out once every part has been worked out,
    // or the later parts could not read their loads.
    std::vector<std::string> reports;
    for (int p = 1; p <= parts && !JS_ERROR_CODE; ++p) {
        float Wx = 0, Wy = 0, A = 0, xc = 0, yc = 0, F = 0, X = 0, Y = 0;
        get_A_Wx_Wy_Pian(p, m.beam_parts.data(), m.plate_parts.data(), &Wx, &Wy, &A, &xc, &yc);
        get_total_weight_Pian(p, m.node_parts.data(), m.beam_parts.data(), m.plate_parts.data(), 0, 0, &F, &X, &Y);
        if (JS_ERROR_CODE) break;
        std::fprintf(fp, "%.2f,%.2f,%.2f,%.2f,%.2f\n", xc, yc, F, X, Y);
        char text[1024];
        std::snprintf(text, sizeof text,
                      "**根据连接关系本基础共分为  %d  部分\n\n  第 %d 部分统计结果:\n  (1) 基础面积:   %.2f (m*m)\n"
                      "  (2) 基础形心:  ( %.2f,  %.2f )\n  (3) 总 合 力:   %.2f (kN)\n  (4) 合力中心:  ( %.2f,  %.2f )\n"
                      "  (5) 平均反力:   %.2f  (kN/m2)\n",
                      parts, p, A, xc, yc, F, X, Y, F / (std::fabs(A) + 0.00001f));
        reports.emplace_back(text);
    }
    if (JS_ERROR_CODE) {
        close_file(fp);
        return;
    }
    if (commit_file(fp) != 0) {
        tell_error1(kFailure, "Cannot write %s", name);
        return;
    }
    for (const std::string& r : reports) tell_error(kDataError, r);
}

void FB_DATE::hezai_tongji_1(const char* /*name*/) {
    PartModel m;
    if (!OpenParts(*this, m, &node_num_, &beam_num_, &plate_num_, "梁数为零 !")) return;
    const int cases = m.file->case_num;
    if (cases > 20) {
        tell_error(kFailure, "荷载统计时只允许作 20 组荷载 !");
        return;
    }
    std::vector<float> F(std::size_t(std::max(cases, 1))), X(F.size()), Y(F.size());
    std::vector<double> load(F.size(), 0.0);
    double area = 0;
    for (int p = 1; p <= m.beam_max && !JS_ERROR_CODE; ++p) {
        float Wx = 0, Wy = 0, A = 0, xc = 0, yc = 0;
        get_A_Wx_Wy_Pian(p, m.beam_parts.data(), m.plate_parts.data(), &Wx, &Wy, &A, &xc, &yc);
        std::fill(F.begin(), F.end(), 0.0f);
        get_total_weight_Pian(p, m.node_parts.data(), m.beam_parts.data(), m.plate_parts.data(), 0, 0, F.data(),
                              X.data(), Y.data());
        area += A;
        for (int c = 0; c < cases; ++c) load[std::size_t(c)] += F[std::size_t(c)];
    }
    if (JS_ERROR_CODE) return;
    if (area < 1e-7) area = 1e-7;
    std::FILE* fp = open_file("PJFL_FJ.FB", "wt");
    if (!fp) return;
    std::fprintf(fp, "%d\n", cases);
    for (int c = 0; c < cases; ++c) {
        const float a = static_cast<float>(area), q = static_cast<float>(load[std::size_t(c)]);
        std::fprintf(fp, "%f,%f,%f\n", a, q, q / a);
    }
    if (commit_file(fp) != 0) tell_error(kFailure, "Cannot write PJFL_FJ.FB");
}

void FB_DATE::Check_Elastic_Ele_Needed() {
    PartModel m;
    if (!OpenParts(*this, m, &node_num_, &beam_num_, &plate_num_, "条基数为零 !")) return;
    auto log_members = [](const char* head, const char* each, int parts, const std::vector<int>& of) {
        tell_error1(kNotice, head, parts);
        for (int p = 1; p <= parts; ++p) {
            tell_error1(kNotice, each, p);
            for (std::size_t i = 0; i < of.size(); ++i)
                if (of[i] == p) tell_error1(kNotice, "%d", int(i + 1));
        }
    };
    log_members("Num_Pian_Point : %d", "Pian_Point : %d\n", m.count, m.node_parts);
    log_members("Num_Pian_Beam : %d\n", "Pian_Beam : %d\n", m.beam_max, m.beam_parts);
    std::vector<int> plates(m.plate_parts.begin(), m.plate_parts.begin() + std::ptrdiff_t(m.file->plates.size()));
    log_members("Num_Pian_Plate : %d\n", "Pian_Plate : %d\n", m.plate_max, plates);
    if (m.beam_max <= 0) {
        tell_error(kFailure, "梁数据错误 !");
        return;
    }
    std::vector<int> groups;
    if (!kv::fem::Allocate(groups, m.file->beams.size())) {
        tell_error(kFailure, "内存不够 !");
        return;
    }
    int count = 0;
    Search_LianXuLiang(m.file.get(), &count, groups.data());
    tell_error1(kNotice, "Num_LianXuLiang : %d\n", count);
    for (int g = 1; g <= count; ++g) {
        std::string line = std::to_string(g) + "  **";
        for (std::size_t i = 0; i < groups.size(); ++i)
            if (groups[i] == g) line += std::to_string(i + 1) + ",";
        tell_error(kNotice, line);
    }
}
