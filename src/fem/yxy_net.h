#pragma once
// The mesh stage of the finite-element library: the node table shared by the
// beam division, the plate meshing and the renumbering, the plate meshing
// itself (recursive cuts, fans, structured grids) and the advancing front.
#include <cstdio>
#include <memory>
#include <vector>

#include "fem/yxy_tool.h"

class struc_ld_file;
class net_pre_file;
struct beam_cut_date;

// One entry of the node table: the point and the number it was added under.
// The geometry templates take it as a point (x and y first).
struct net_point {
    float x;
    float y;
    int index;
};
static_assert(sizeof(net_point) == 12, "node records are 12 bytes");

// One triangle of the advancing front; t2-t0 is the edge it was built on.
struct form_net_node {
    int t0, t1, t2;
    int closed01, closed12, closed20;
};

using net_chain = std::vector<net_point>;

class YXY_NET : public YXY_TOOL {
public:
    static constexpr int kMaxPoints = 10000;

    YXY_NET();
    ~YXY_NET();
    YXY_NET(const YXY_NET&) = delete;
    YXY_NET& operator=(const YXY_NET&) = delete;

    // Must stay the first field: callers switch it through the first word.
    int acad_flag = 0;
    int type = 0;
    int block_size = 0;
    float suggested_length = 0;
    float divide_length = 0;
    std::unique_ptr<net_point[]> points;  // kMaxPoints entries once made
    int point_num = 0;
    std::FILE* pre_file = nullptr;
    std::FILE* index_file = nullptr;
    int center_num = 0;
    int tri_start = 0;
    int tri_num = 0;
    // The front's triangles in the order they were built, and the walk's place.
    std::vector<form_net_node> front;
    std::size_t front_cursor = 0;
    void* freedom = nullptr;

    // An empty node table of full capacity.
    void new_point_table();
    void add_point(float x, float y);
    void write_tri(int a, int b, int c);

    // The whole stage from "STRUC_LD.FB" to "FREEDOM.FB".
    void main_net(int analysis_type, float divide, int block);
    // The suggested mesh length from the plates of "STRUC_LD.FB".
    float cal_length();
    // Beams cut into elements: "NET_PRE.FB", and "YS.FB" for type -1.
    void beam_point();
    void write_ys_new(int* lines, std::FILE* fp, int code);
    void write_ys_end(int* lines, std::FILE* fp, int code, int node);
    void acad_check();

    // Plates meshed: triangles to "NET_PRE.FB", index records to "INDEX_P.FB".
    void plate_point();
    net_chain form_point_chain(int plate, struc_ld_file* file, const std::vector<beam_cut_date>& cuts);

    // Plate regions.
    std::vector<float> corner_angles(int n, const net_point* chain);
    int is_corner(int i, const float* angles) const;
    int polygon_kind(int n, const float* angles) const;
    // Meshes the counter-clockwise region `chain`; a clockwise plate is refused
    // with code 201 before anything is added (`plate` names it, from 1).
    void mesh_plate(int plate, net_chain chain);
    void mesh_polygon(net_chain chain);
    void split_polygon(const net_chain& chain, const float* angles, net_chain* part1,
                       net_chain* part2);
    void cut_chain(const net_chain& chain, int start, int offset, net_chain* part1, net_chain* part2,
                   int* end);
    void cut_chain_0(const net_chain& chain, const float* angles, int start, int k, net_chain* part1,
                     net_chain* part2, int* end);
    int nth_corner(int n, const float* angles, int start, int k) const;
    void tri_net(const net_chain& chain, const float* angles);
    void quar_net(const net_chain& chain, const float* angles);
    net_chain tri_add_point(int m, const net_chain& chain, const float cx[3], const float cy[3]);
    net_chain quar_add_point(int m, int k, const net_chain& chain, const float cx[4],
                             const float cy[4]);
    void quar_net_two_side_link(const net_chain& chain, int side_a, int side_b, int c0);
    int two_side_link(int i, int j, const net_chain& chain, int side_a, int side_b, int c0);
    int point_rejected(int m, int n, const net_point* pts, float x, float y) const;
    void fan_net(const net_chain& chain, float x, float y);

    // Advancing front over n points whose first nb form the boundary.
    void form_net(int n, const net_point* pts, int nb);
    int form_net_next_edge(int* a, int* b);
    void improve_net(const net_point* pts);
    void form_net_script(int n, const net_point* pts);

    // Renumbering for a narrow band.
    void bandwidth();
    void strip_sort_x();
    void strip_sort_y();
    void swap_point(int i, int j);

    // The element data file "NET_DAT.FB" under the new numbers; frees the node table.
    void form_date_file();
    int form_beam_date(std::FILE* f, struc_ld_file* struc, net_pre_file* pre);
    int form_plate_date(std::FILE* f, struc_ld_file* struc, net_pre_file* pre);
    int form_support_date(std::FILE* f, struc_ld_file* struc, net_pre_file* pre);
    int form_load_date(std::FILE* f, struc_ld_file* struc, net_pre_file* pre);
    // "SOILNODE.FB": the nearest given soil column of every mesh node (soil_column.cpp).
    void cal_soil_infer_node();
    // Torsion constant and second moment (mm⁴) of a b × h rectangle (mm).
    static void cal_section_ij(float b, float h, float* J, float* I);
    // Elements of the beams before `beam`; triangles of the plates before `plate`.
    static int beam_element_offset(int beam, const net_pre_file* pre);
    static int plate_element_offset(int plate, const net_pre_file* pre);
    // The part of a load q1 -> q2 on a1 ... a2 (m from the beam's start) that lies
    // on element g of n of a beam of length L; 1 when there is one.
    static int clip_line_load(float L, float q1, float q2, float a1, float a2, int n, int g, float* qa,
                              float* qb, float* xa, float* xb);
    // The element of n that takes a load at x, and x within it.
    static void locate_point_load(float L, float x, int n, int* element, float* local);

private:
    void cut_at(const net_chain& chain, int start, int end, int errorCode, net_chain* part1,
                net_chain* part2);
    void strip_sort(bool alongX);
};

// The inner angle (degrees) at point `at` of a polygon between `prev` and `next`.
float net_corner_angle(const net_point& prev, const net_point& at, const net_point& next);
// The three inner angles (radians) of the triangle t0, t1, t2.
void tri_angles(const net_point& p0, const net_point& p1, const net_point& p2, float angles[3]);
// Plate modulus and Poisson ratio from "BAN_MAT.FB" when its flag is 0.
void read_ban_mat(float* E, float* nu);
