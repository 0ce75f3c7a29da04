#pragma once
// Freedom numbering and the skyline layout of the global matrix.
//
// Every mesh node has the freedoms 1 (w), 2 (rotation about x), 3 (rotation about
// y). A restrained freedom has the equation number -1; the free ones are numbered
// 1 .. neq node by node in the order of "NET_DAT.FB", within a node 1, 2, 3.
// Column j of the matrix holds the rows f_j .. j (its height h_j = j - f_j + 1);
// addr[0] = 0, addr[j] = addr[j-1] + h_j; blocks are runs of whole columns of at
// most block-size entries, block k holding the columns blockend[k-1] + 1 ..
// blockend[k].
//
// "YS.FB" (text): the restraint line count ("%08d"), then "%d,%d" per line: the
// node's index before the renumbering (0-based) and the freedom 1, 2 or 3.
//
// "FREEDOM.FB" (little-endian int32): four offsets (info 16, equation numbers 32,
// column addresses, block table); info: node count, neq, block count, block size;
// the equation numbers of freedom 1 of every node, then of freedom 2, then of 3;
// addr[0 .. neq]; blockend[0 .. blocks].
#include "fem/workfile.h"

#include <cstdint>
#include <cstdio>
#include <vector>

class net_dat_file;

namespace kv::fem {
// A free freedom that nothing reaches has no diagonal of its own: refused (301).
inline constexpr const char* kNoStiffnessMessage = "Equation %d has no stiffness: no element or spring reaches it";
// The most nodes a freedom file may describe: three equations each must fit an int.
inline constexpr int kMostFreedomNodes = 0x7fffffff / 3;
}  // namespace kv::fem

class freedom_num {
public:
    freedom_num(int type, int block_size);
    ~freedom_num();
    freedom_num(const freedom_num&) = delete;
    freedom_num& operator=(const freedom_num&) = delete;

    // The whole step: numbers the freedoms of the mesh in the current folder,
    // derives the skyline and the blocks and writes "FREEDOM.FB". 1 on success.
    int form_freedom_file();

    // Its steps. freedom: marks the restrained freedoms and numbers the others.
    int freedom();
    // Marks the freedoms that "YS.FB" lists; new_of_old maps a node's index
    // before the renumbering to its mesh node (empty: no renumbering).
    int write_id(const std::vector<std::int32_t>& new_of_old);
    // Column heights and addresses from the elements (and springs) of the model.
    int write_m(net_dat_file& dat);
    // The block table.
    int write_col();
    // Height of the column of the list's own entry `own` (position in the list):
    // the largest of 1 and e - g + 1 over the list's equations g.
    static int col_height(const std::int32_t* list, int count, int own);

    // Layout pieces the steps share (and callers that build a matrix in memory).
    // Numbers the unmarked freedoms: allocates nothing, sets neq.
    void number();
    // Raises the heights of the list's equations to its column heights.
    void add_list(const std::int32_t* list, int count);
    // Refuses a free freedom of height 0, then forms addr; 1 on success.
    int form_addr();
    // Writes "FREEDOM.FB" from the numbers, the addresses and the block table.
    int write_file();

    // Inspection: the equation numbers, and with them the column addresses.
    void print_id() const;
    void print_col() const;
    // As write_id, with the node indexes taken as they stand.
    int write_id_plain();

    int type;
    int block_size;
    std::int32_t offset[4] = {};
    int node_num = 0;
    int neq = 0;
    int block_num = 0;
    std::vector<std::int32_t> id[3];  // equation number of freedom 1, 2, 3 per node
    std::vector<std::int32_t> height;  // [1 .. neq]
    std::vector<std::int32_t> addr;    // [0 .. neq]
    std::vector<std::int32_t> blockend;  // [0 .. blocks]

private:
    int mark_restraints();
};

class freedom_file {
public:
    // Opens the file and reads its offsets and info record.
    explicit freedom_file(const char* name);
    ~freedom_file();
    freedom_file(const freedom_file&) = delete;
    freedom_file& operator=(const freedom_file&) = delete;

    // Load on demand: 1 when loaded afterwards (or there is nothing to load), 0
    // on a failure (told).
    int read_id();
    int read_col();
    int read_block();
    void free_id();
    void free_col();
    void free_block();

    std::int32_t offset[4] = {};
    int node_num = 0;
    int neq = 0;
    int block_num = 0;
    int block_size = 0;
    std::vector<std::int32_t> id[3];
    std::vector<std::int32_t> addr;
    std::vector<std::int32_t> blockend;

private:
    bool read_ints(int section, std::size_t count, std::vector<std::int32_t>& into);

    kv::fem::WorkFile file_;
    bool ok_ = false;
    bool id_loaded_ = false, col_loaded_ = false, block_loaded_ = false;
};
