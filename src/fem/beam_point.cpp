// The suggested mesh length, the beam division with its restraint file, and
// the snapping of point loads onto the mesh.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/error.h"
#include "base/geometry.h"
#include "base/textio.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"
#include "fem/mesh_files.h"
#include "fem/struc_ld_file.h"
#include "fem/workfile.h"
#include "fem/yxy_net.h"

namespace bin = kv::fem::bin;
using kv::err::kFailure;

namespace {

constexpr float kTwoPi = 6.2831855f;

// Opens the structure file; false when its reader could not be had (told).
bool OpenModel(std::unique_ptr<struc_ld_file>& file, const char* outOfMemory) {
    file = kv::fem::MakeObject<struc_ld_file>("STRUC_LD.FB");
    if (!file) tell_error(kFailure, outOfMemory);
    return file && !JS_ERROR_CODE;
}

// The input node where a plate's boundary passes into beam `ref` (signed,
// 1-based): its start node when the boundary runs along it, else its end node.
int EntryNode(const struc_ld_file& file, std::int32_t ref) {
    const beam_rec& b = file.beams[static_cast<std::size_t>(std::abs(ref)) - 1];
    return ref > 0 ? b.node_s : b.node_e;
}

}  // namespace

float YXY_NET::cal_length() {
    std::unique_ptr<struc_ld_file> file;
    if (!OpenModel(file, "Out of Memery in cal_length")) return 0;
    if (!file->read_node() || !file->read_beam() || !file->read_plate()) return 0;
    float q = 0.5f;
    const int plates = file->plate_num;
    if (plates > 0) {
        std::vector<float> shortest;
        if (!kv::fem::Allocate(shortest, static_cast<std::size_t>(plates))) {
            tell_error(kFailure, "内存不足 !(in Cal Len)");
            return 0;
        }
        float longest = 0;
        for (int j = 0; j < plates; ++j) {
            // One vertex per edge: where the edge's first beam starts.
            std::vector<int> corner;
            for (const plate_edge& e : file->plates[j].edges)
                if (!e.beam.empty()) corner.push_back(EntryNode(*file, e.beam[0]));
            float s = 1.0e20f;
            const std::size_t k = corner.size();
            for (std::size_t i = 0; i < k; ++i) {
                const int a = corner[i], b = corner[(i + 1) % k];
                const float d = get_dist(file->x[a], file->y[a], file->x[b], file->y[b]);
                if (d < s) s = d;
                if (d > longest) longest = d;
            }
            shortest[j] = s;
        }
        q = longest / 6;
        // The count of plates with six divisions on their shortest edge is a
        // search in the sorted shortest edges: the test rises with the edge.
        std::sort(shortest.begin(), shortest.end());
        for (;;) {
            auto six = [&](float s) { return (s + 0.001f) / q >= 6; };
            const auto first = std::partition_point(shortest.begin(), shortest.end(), [&](float s) { return !six(s); });
            const int count = static_cast<int>(shortest.end() - first);
            const float p = static_cast<float>(count) * 100 / plates;
            // A step too small to change q (or no q at all) would never end.
            if (p > 95 || !(q > 0.5f) || q - 0.01f == q) break;
            q -= 0.01f;
        }
    }
    return 6 * q;
}

void YXY_NET::write_ys_end(int* lines, std::FILE* fp, int code, int node) {
    if (code != 1 && code != 2) return;
    std::fprintf(fp, "%ld,1\n", static_cast<long>(node));
    ++*lines;
    if (code != 2) return;
    std::fprintf(fp, "%ld,2\n", static_cast<long>(node));
    std::fprintf(fp, "%ld,3\n", static_cast<long>(node));
    *lines += 2;
}

void YXY_NET::write_ys_new(int* lines, std::FILE* fp, int code) { write_ys_end(lines, fp, code, point_num); }

void YXY_NET::beam_point() {
    if (JS_ERROR_CODE) return;
    std::unique_ptr<struc_ld_file> file;
    if (!OpenModel(file, "Out of Memery in beam_point")) return;
    if (!file->read_node()) return;
    const int beams = file->beam_num;
    // Plates are bounded by beams and loads reach the mesh through them:
    // without a beam there is nothing to mesh.
    if (beams <= 0) {
        tell_error(kv::err::kDataError, "有限元模型中没有梁, 不能剖分网格 !");
        return;
    }
    if (!file->read_beam()) return;

    kv::fem::WorkFile pre;
    if (!pre.open("NET_PRE.FB", "wb+")) return;
    std::FILE* f = pre.get();
    const std::int32_t header[3] = {12, 12, 12};
    bin::put_i32s(f, header, 3);
    bin::put_i32(f, beams);

    if (!points) new_point_table();
    for (int i = 0; i < file->node_num && !JS_ERROR_CODE; ++i) add_point(file->x[i], file->y[i]);
    if (JS_ERROR_CODE) return;

    kv::fem::WorkFile ys;
    int ysLines = 0;
    if (type == -1) {
        // Rewritten with the count at the end; opened as bytes so it can be.
        if (!ys.open("YS.FB", "wb")) return;
        std::fprintf(ys.get(), "%08d\n", 0);
    }

    std::vector<std::int32_t> record;
    for (int i = 0; i < beams; ++i) {
        const beam_rec& b = file->beams[i];
        const int n0 = b.node_s, n1 = b.node_e;
        const float x0 = file->x[n0], y0 = file->y[n0], x1 = file->x[n1], y1 = file->y[n1];
        if (type == -1) {
            write_ys_end(&ysLines, ys.get(), b.restraint, n0);
            write_ys_end(&ysLines, ys.get(), b.restraint, n1);
        }
        const bool arc = b.kind > 10;
        float r = 0, a0 = 0, sweep = 0, l = 0;
        if (arc) {
            r = get_dist(b.cx, b.cy, x0, y0);
            a0 = get_line_angle(b.cx, b.cy, x0, y0);
            const float a1 = get_line_angle(b.cx, b.cy, x1, y1);
            sweep = a1 - a0;
            if (sweep < 0) sweep += kTwoPi;
            l = sweep * r;
        } else {
            l = get_dist(x0, y0, x1, y1);
        }
        // A count beyond the table would overflow it anyway.
        auto pieces = [](float t) {
            constexpr float kMost = 2.0f * YXY_NET::kMaxPoints;
            if (!(t > 0)) return 0;
            return t < kMost ? static_cast<int>(t) : static_cast<int>(kMost);
        };
        int s = pieces((l + 0.1f) / divide_length);
        const bool foundation = type == 3 && b.kind == (arc ? 14 : 4);
        if (foundation) {
            s = pieces((l + 0.1f) / 0.4f);
        } else if (type == 4) {
            s = arc ? std::max(s, 2) : 2;
        }
        if (s < 1) s = 1;

        record.assign({i, s + 1, n0});
        for (int k = 1; k < s; ++k) record.push_back(point_num + k - 1);
        record.push_back(n1);
        bin::put_i32s(f, record.data(), record.size());

        for (int k = 1; k < s; ++k) {
            float x, y;
            if (arc) {
                const float angle = a0 + k * sweep / s;
                x = static_cast<float>(b.cx + r * std::cos(static_cast<double>(angle)));
                y = static_cast<float>(b.cy + r * std::sin(static_cast<double>(angle)));
            } else {
                x = x0 + k * (x1 - x0) / s;
                y = y0 + k * (y1 - y0) / s;
            }
            if (type == -1) write_ys_new(&ysLines, ys.get(), b.restraint);
            add_point(x, y);
            if (JS_ERROR_CODE) return;
        }
    }
    if (type == -1) {
        std::fseek(ys.get(), 0, SEEK_SET);
        std::fprintf(ys.get(), "%08d\n", ysLines);
        if (!ys.commit()) tell_error(kFailure, "不能写文件 : YS.FB");
    }
    if (!pre.commit()) tell_error(kFailure, "不能写文件 : NET_PRE.FB");
}

void YXY_NET::acad_check() {
    if (JS_ERROR_CODE) return;
    std::unique_ptr<net_dat_file> file = kv::fem::MakeObject<net_dat_file>("NET_DAT.FB");
    if (!file) {
        tell_error(kFailure, "Out of Memery in acad_check");
        return;
    }
    if (JS_ERROR_CODE || !file->read_node()) return;
    const int nodes = file->node_num;
    for (int c = 0; c < file->case_num; ++c) {
        if (!file->read_load(c, 1)) return;
        for (con_load& load : file->con) {
            float best = 1.0e10f;
            int at = load.node;
            for (int k = 0; k < nodes; ++k) {
                const float d = get_dist(load.M2, load.M3, file->x[k], file->y[k]);
                if (d < best) {
                    best = d;
                    at = k;
                }
            }
            load.node = at;
            load.M2 = 0;
            load.M3 = 0;
        }
        if (!file->write_load(c, 1)) return;
        file->free_load();
    }
}
