// The plate stage: every plate's boundary chain from the division of its beams,
// the region meshed, its triangles appended to "NET_PRE.FB" and its index
// record (boundary, sub-region centres, nodes, triangle range) to "INDEX_P.FB".
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
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
using kv::err::kWarning;

namespace {

off_t EndOf(std::FILE* f) {
    std::fseek(f, 0, SEEK_END);
    return bin::tell(f);
}

void PutAt(std::FILE* f, off_t at, std::int32_t v) {
    bin::seek(f, at);
    bin::put_i32(f, v);
    std::fseek(f, 0, SEEK_END);
}

// The division record of beam `ref` (signed, 1-based), or null.
const beam_cut_date* CutOf(const std::vector<beam_cut_date>& cuts, std::int32_t ref) {
    const std::size_t beam = static_cast<std::size_t>(std::abs(ref)) - 1;
    return ref != 0 && beam < cuts.size() ? &cuts[beam] : nullptr;
}

}  // namespace

net_chain YXY_NET::form_point_chain(int plate, struc_ld_file* file, const std::vector<beam_cut_date>& cuts) {
    net_chain chain;
    const plate_rec& p = file->plates[static_cast<std::size_t>(plate)];
    // Each beam gives its nodes but the last in the boundary's direction.
    std::vector<std::int32_t> perEdge;
    int total = 0;
    for (const plate_edge& e : p.edges) {
        int k = 0;
        for (std::int32_t ref : e.beam) {
            const beam_cut_date* cut = CutOf(cuts, ref);
            const int m = cut ? static_cast<int>(cut->node.size()) : 0;
            if (m < 2) {
                tell_error(kWarning, " Point num error in form point chain");
                continue;
            }
            k += m - 1;
        }
        perEdge.push_back(k);
        total += k;
    }
    std::FILE* f = index_file;
    EndOf(f);
    bin::put_i32(f, p.edge_num);
    bin::put_i32(f, total);
    bin::put_i32s(f, perEdge.data(), perEdge.size());

    if (!kv::fem::AllocateForText(chain, static_cast<std::size_t>(total))) {
        tell_error(kFailure, "Out of memery in form_point_chain");
        return chain;
    }
    for (const plate_edge& e : p.edges) {
        for (std::int32_t ref : e.beam) {
            const beam_cut_date* cut = CutOf(cuts, ref);
            const int m = cut ? static_cast<int>(cut->node.size()) : 0;
            for (int t = 0; t < m - 1; ++t) {
                const int node = cut->node[static_cast<std::size_t>(ref > 0 ? t : m - 1 - t)];
                if (node < 0 || node >= point_num) {
                    tell_error(kFailure, "Point error in form_point_chain");
                    return chain;
                }
                chain.push_back(points[node]);
            }
        }
    }
    return chain;
}

void YXY_NET::plate_point() {
    if (JS_ERROR_CODE) return;
    std::unique_ptr<struc_ld_file> file = kv::fem::MakeObject<struc_ld_file>("STRUC_LD.FB");
    if (!file) {
        tell_error(kFailure, "Out of Memery in plate_point");
        return;
    }
    if (JS_ERROR_CODE || !file->read_node() || !file->read_beam() || !file->read_plate()) return;
    int cutCount = 0;
    std::vector<beam_cut_date> cuts = read_beam_cut_date(&cutCount);
    if (JS_ERROR_CODE) return;

    kv::fem::WorkFile pre, index;
    if (!pre.open("NET_PRE.FB", "rb+")) return;
    pre_file = pre.get();
    const int plates = file->plate_num > 0 ? file->plate_num : 0;
    PutAt(pre_file, 4, static_cast<std::int32_t>(EndOf(pre_file)));
    bin::put_i32(pre_file, plates);

    if (!index.open("INDEX_P.FB", "wb+")) {
        pre_file = nullptr;
        return;
    }
    index_file = index.get();
    bin::put_i32(index_file, plates);
    const std::vector<std::int32_t> slots(static_cast<std::size_t>(plates), 0);
    bin::put_i32s(index_file, slots.data(), slots.size());

    tri_start = 0;
    for (int j = 0; j < plates && !JS_ERROR_CODE; ++j) {
        char title[64];
        std::snprintf(title, sizeof title, "正在剖分板:  %d 号...", j + 1);
        tell_error(-2, title);
        tell_error(kv::err::kNotice, title);
        center_num = 0;
        const int before = point_num;

        PutAt(index_file, 4 + 4 * static_cast<off_t>(j), static_cast<std::int32_t>(EndOf(index_file)));
        bin::put_i32(index_file, j);
        std::vector<float> xs, ys;
        int corners = 0;
        form_plate_corner_chain(j, file.get(), &xs, &ys, &corners);
        float centre[2] = {0, 0};
        if (corners > 0) centroid_poli(corners, xs.data(), ys.data(), &centre[0], &centre[1]);
        bin::put_f32s(index_file, centre, 2);
        if (JS_ERROR_CODE) break;

        net_chain chain = form_point_chain(j, file.get(), cuts);
        if (JS_ERROR_CODE) break;
        std::vector<std::int32_t> nodes;
        for (const net_point& p : chain) nodes.push_back(p.index);

        const off_t centres = EndOf(index_file);
        bin::put_i32(index_file, 0);
        if (chain.size() < 3) tell_error(kWarning, "Point num error in plate_point");

        EndOf(pre_file);
        bin::put_i32(pre_file, j);
        tri_num = 0;
        const off_t triangles = bin::tell(pre_file);
        bin::put_i32(pre_file, 0);

        mesh_plate(j + 1, std::move(chain));
        if (JS_ERROR_CODE) break;

        PutAt(pre_file, triangles, tri_num);
        PutAt(index_file, centres, center_num);
        for (int k = before; k < point_num; ++k) nodes.push_back(points[k].index);
        bin::put_i32(index_file, static_cast<std::int32_t>(nodes.size()));
        bin::put_i32s(index_file, nodes.data(), nodes.size());
        bin::put_i32(index_file, tri_num);
        bin::put_i32(index_file, tri_start);
        tri_start += tri_num;
    }
    pre_file = nullptr;
    index_file = nullptr;
    // What was written stays, also after a failure, for the look at what went wrong.
    const bool written = index.commit() && pre.commit();
    if (!written && !JS_ERROR_CODE) tell_error(kFailure, "不能写文件 : INDEX_P.FB");
}
