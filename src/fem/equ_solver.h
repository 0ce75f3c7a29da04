#pragma once
// The out-of-core block solver of the skyline matrix.
//
// Columns (equations) count from 1 to neq. Column j holds the rows f_j .. j, with
// f_j = j - (addr[j] - addr[j-1]) + 1; the diagonal of column j is at the 1-based
// profile position addr[j]. Block b holds the columns blockend[b-1] + 1 ..
// blockend[b] and stands in the matrix file at byte offset (b - 1) · bs · 8 as
// little-endian doubles, from the entry at profile position addr[blockend[b-1]] + 1
// on; the rest of the block is zero.
//
// The symmetric matrix is factorised in place as Uᵀ·D⁻¹·U (U with its diagonal,
// d_j = u_jj); the unsymmetric one as L·U with a unit lower triangle, L kept in a
// second file with the same addressing (the slot of (i, j) holds row j, column i).
// Only two blocks are in memory at a time; the right-hand sides of all load cases
// (case after case, neq values each) are solved together in one pass each way.
// The pivots d_1 .. d_neq (entry 0 unused) go to "DIAG_STF.FB".
//
// Every routine returns 1 on success and 0 after a failure told on the error
// channel (code 301); none runs while JS_ERROR_CODE is set.
#include <cstdint>
#include <cstdio>
#include <vector>

class equ_solver {
public:
    // first[j] = f_j (first[0] = 0); q[b] = the smallest f_j of block b's columns;
    // k[b] = the block holding row q[b] (the first block that block b reaches).
    // Refuses a column with no rows (height 0: nothing reaches that freedom) and
    // any other layout that does not fit the block size.
    int cal_block_first(int blocks, int neq, int block_size, const std::int32_t* blockend,
                        const std::int32_t* addr, std::vector<std::int32_t>& first,
                        std::vector<std::int32_t>& q, std::vector<std::int32_t>& k);

    int tri_symmetri(std::FILE* matrix, int blocks, int neq, int block_size,
                     const std::int32_t* blockend, const std::int32_t* addr, double* diag);
    int Back_symmetri(std::FILE* matrix, int blocks, int neq, int block_size,
                      const std::int32_t* blockend, const std::int32_t* addr, double* diag,
                      int cases, double* x);

    int tri_not_symmetri(std::FILE* upper, std::FILE* lower, int blocks, int neq, int block_size,
                         const std::int32_t* blockend, const std::int32_t* addr, double* diag);
    int Back_not_symmetri(std::FILE* upper, std::FILE* lower, int blocks, int neq, int block_size,
                          const std::int32_t* blockend, const std::int32_t* addr, double* diag,
                          int cases, double* x);

    // The whole profile, block after block without the zero rest of each block,
    // into the file `name`.
    int one_block(std::FILE* matrix, const char* name, int blocks, int block_size,
                  const std::int32_t* blockend, const std::int32_t* addr);
};

// The solution stage: factorises the blocks that the assembly left in "STIFF1.FB"
// (and "STIFF2.FB" for the unsymmetric form) and replaces the right-hand sides of
// "LOAD_V.FB" by the displacements.
class YXY_EQU {
public:
    // form 1 unsymmetric, 2 symmetric; work 1 factorise, 2 substitute, 3 both.
    void main_equ(int form, int work);

private:
    equ_solver solver_;
};
