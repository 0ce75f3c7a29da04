// Plate moments along the edges of an input plate and at its centre.
#include "base/error.h"
#include "base/geometry.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"
#include "fem/mesh_files.h"
#include "fem/plate_element.h"
#include "fem/struc_ld_file.h"
#include "fem/yxy_force.h"

#include <cmath>
#include <memory>

namespace kv::fem {
namespace {

using kv::err::kFailure;
using kv::err::kNotice;

int FilesDisagree(int plate) {
    tell_error1(kFailure, "Plate %d: INDEX_P.FB does not agree with the mesh files", plate + 1);
    return 0;
}

void LogMoments(float mx, float my, float mxy) { tell_error1(kNotice, "%13.4e,%13.4e,%13.4e\n", -mx, -my, mxy); }

}  // namespace

void rotate_moment(float Mx, float My, float Mxy, float theta, float* mx, float* my, float* mxy) {
    const float c = static_cast<float>(std::cos(theta));
    const float s = static_cast<float>(std::sin(theta));
    *mx = Mx * c * c + My * s * s + 2.0f * Mxy * s * c;
    *my = Mx * s * s + My * c * c - 2.0f * Mxy * s * c;
    *mxy = (c * c - s * s) * Mxy + s * c * (My - Mx);
}

int get_new_node_num(const int node[3], int position[3], const index_p_file& index) {
    for (int k = 0; k < 3; ++k) position[k] = -1;
    for (int k = 0; k < 3; ++k) {
        for (std::size_t p = 0; p < index.node.size(); ++p)
            if (index.node[p] == node[k]) position[k] = static_cast<int>(p);
        if (position[k] < 0) {
            tell_error(kFailure, "Error in get_new_node_num");
            if (JS_ERROR_CODE) return 0;
        }
    }
    return 1;
}

int nearest_index_point(float x, float y, const net_dat_file& dat, const index_p_file& index) {
    float best = 1.0e7f;
    int at = index.num_p_edge - 1;
    for (int p = index.num_p_edge; p < static_cast<int>(index.node.size()); ++p) {
        const int n = index.node[p];
        if (n < 0 || static_cast<std::size_t>(n) >= dat.x.size()) continue;
        const float d = get_dist(x, y, dat.x[n], dat.y[n]);
        if (d < best) {
            best = d;
            at = p;
        }
    }
    return at;
}

int cal_plate_force(int first, int count, const net_dat_file& dat, const FreedomIds& id, const double* U,
                    const index_p_file& index, plate_element& element, std::vector<float>& Mx,
                    std::vector<float>& My, std::vector<float>& Mxy) {
    const std::size_t np = index.node.size();
    std::vector<int> counter;
    if (!Allocate(counter, np) || !Allocate(Mx, np) || !Allocate(My, np) || !Allocate(Mxy, np)) {
        tell_error(kFailure, "Out of memery in cal_plate_force");
        return 0;
    }
    const float E = dat.plate_E, nu = dat.plate_mu;
    for (int t = first; t < first + count; ++t) {
        plate_element_data e;
        if (!get_plate_element(t, dat, id, &e)) return 0;
        float d[9], m[9];
        element_displacements(e.eq, 9, U, d);
        if (!element.cal_plate_moment(m, e.x, e.y, d, e.thick, E, nu)) return 0;
        int position[3];
        get_new_node_num(e.node, position, index);
        for (int k = 0; k < 3; ++k) {
            const int p = position[k];
            if (p < 0) continue;  // not in the point list: told, nothing added
            Mx[p] += m[3 * k];
            My[p] += m[3 * k + 1];
            Mxy[p] += m[3 * k + 2];
            ++counter[p];
        }
        if (JS_ERROR_CODE) return 0;
    }
    for (std::size_t p = 0; p < np; ++p) {
        if (counter[p] <= 0) {
            // A point no triangle reaches keeps the moments 0.
            tell_error(kv::err::kWarning, "Error in cal_plate_force 2");
            if (JS_ERROR_CODE) return 0;
            continue;
        }
        Mx[p] /= static_cast<float>(counter[p]);
        My[p] /= static_cast<float>(counter[p]);
        Mxy[p] /= static_cast<float>(counter[p]);
    }
    return 1;
}

int out_force_plate(int plate, const struc_ld_file& struc, const net_pre_file& pre, const net_dat_file& dat,
                    const FreedomIds& id, const double* U, plate_element& element, std::FILE* force) {
    if (plate < 0 || static_cast<std::size_t>(plate) >= struc.plates.size()) return FilesDisagree(plate);
    std::unique_ptr<index_p_file> reader = MakeObject<index_p_file>("INDEX_P.FB");
    if (!reader) {
        tell_error(kFailure, "File open error in out_force_plate");
        return 0;
    }
    if (JS_ERROR_CODE || !reader->read_plate(plate)) return 0;
    index_p_file& index = *reader;

    // The point list holds the mesh's node numbers before the renumbering.
    for (std::int32_t& n : index.node) {
        if (n < 0 || static_cast<std::size_t>(n) >= pre.new_of_old.size()) return FilesDisagree(plate);
        n = pre.new_of_old[n];
        if (n < 0 || static_cast<std::size_t>(n) >= dat.x.size()) return FilesDisagree(plate);
    }
    const int nb = index.num_p_edge;
    const int np = static_cast<int>(index.node.size());
    if (nb <= 0 || nb > np || index.bbs <= 0 || static_cast<int>(index.bb_p_num.size()) != index.bbs)
        return FilesDisagree(plate);
    {
        int sum = 0;
        for (std::int32_t c : index.bb_p_num) {
            if (c < 0 || c > nb) return FilesDisagree(plate);
            sum += c;
        }
        if (sum != nb) return FilesDisagree(plate);
    }

    std::vector<float> Mx, My, Mxy;
    if (!Allocate(Mx, std::size_t(np)) || !Allocate(My, std::size_t(np)) || !Allocate(Mxy, std::size_t(np))) {
        tell_error(kFailure, "Out of memery in out force plate");
        return 0;
    }
    if (!cal_plate_force(index.start_ele, index.num_ele, dat, id, U, index, element, Mx, My, Mxy)) return 0;

    plate_force r;
    r.Plate = plate + 1;
    r.bbs = index.bbs;
    r.value = static_cast<float>(struc.plates[plate].thick);
    if (!r.palte_force_read()) return 0;

    auto wrap = [nb](int p) { return p >= nb ? p - nb : p; };
    int p = 0;
    for (int i = 0; i < index.bbs; ++i) {
        const int c = index.bb_p_num[i];
        std::vector<float> mp, mv;  // moments parallel and perpendicular to the edge, point by point
        if (!Allocate(mp, std::size_t(c) + 1) || !Allocate(mv, std::size_t(c) + 1)) {
            tell_error(kFailure, "Out of memery in out_plate_force");
            return 0;
        }
        const int a = index.node[p], b = index.node[wrap(p + c)];
        r.x[i] = dat.x[a];
        r.y[i] = dat.y[a];
        const float theta = get_line_angle(dat.x[a], dat.y[a], dat.x[b], dat.y[b]);
        for (int h = 0; h <= c; ++h) {
            const int q = wrap(p + h);
            LogMoments(Mx[q], My[q], Mxy[q]);
            float mxy;
            rotate_moment(Mx[q], My[q], Mxy[q], theta, &mp[h], &mv[h], &mxy);
        }
        tell_error(kNotice, "-----------------------------------------------\n");
        r.Mp_l[i] = -mp[0], r.Mv_l[i] = -mv[0];
        r.Mp_r[i] = -mp[c], r.Mv_r[i] = -mv[c];
        if (c % 2 == 0) {
            r.Mp_m[i] = -mp[c / 2], r.Mv_m[i] = -mv[c / 2];
        } else {
            const int k = c / 2;
            r.Mp_m[i] = -(mp[k] + mp[k + 1]) / 2.0f;
            r.Mv_m[i] = -(mv[k] + mv[k + 1]) / 2.0f;
        }
        p += c;
    }

    const float angle = struc.plates[plate].angle * 3.1415927f / 180.0f;
    tell_error1(kNotice, "x0= %f, y0= %f\n", index.x0, index.y0);
    const int i0 = nearest_index_point(index.x0, index.y0, dat, index);
    LogMoments(Mx[i0], My[i0], Mxy[i0]);
    float mx, my, mxy;
    rotate_moment(Mx[i0], My[i0], Mxy[i0], angle, &mx, &my, &mxy);
    LogMoments(mx, my, mxy);
    r.Mxx = -my;
    r.Myy = -mx;
    r.Angle = angle;

    if (std::fseek(force, 0, SEEK_END) != 0) {
        tell_error(kFailure, "Write file error in plate_force");
        return 0;
    }
    return r.write(force);
}

}  // namespace kv::fem
