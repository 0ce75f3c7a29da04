#pragma once
// The elastic-soil stage of analysis type 1: the soil flexibility matrix F over
// all mesh nodes (F(i, j) the settlement of node i under a unit force at node j)
// in the block files "FDSOF1.FB" (upper part) and "FDSOF2.FB" (lower part), both
// factorised in place, and its inverse K = F⁻¹ in "FDSTF.FB" (group j, n doubles
// at byte j·n·8, is column j of K).
#include "fem/sf_coef_table.h"
#include "fem/yxy_tool.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class YXY_SOIL : public YXY_TOOL {
public:
    // The inverse is solved in chunks of right-hand sides no larger than this
    // (bytes); a chunk that still cannot be had is halved.
    static constexpr std::size_t kDefaultBudget = std::size_t(256) << 20;

    void main_soil();

    // The skyline of the full soil matrix: A[j] = j(j + 1)/2, blocks of at most
    // `block_size` entries closing at E[1..nb]. 1, or 0 with the error told.
    int soil_block(int n, int block_size, int* nb, std::vector<std::int32_t>* A, std::vector<std::int32_t>* E);

    void set_memory_budget(std::size_t bytes) { budget_ = bytes; }
    // The chunk width the last run used (0 before any).
    int chunk_width() const { return chunk_; }

private:
    void run();

    sf_coef_table table_;
    std::vector<float> area_;
    std::size_t budget_ = kDefaultBudget;
    int chunk_ = 0;
};
