#pragma once
// The longitudinal bar search the plain way: every count of both bars visited,
// once to count and once to keep, then a bubble sort. It is what the fast search
// must give line for line; it takes (A/a1)(A/a2) steps per pair of diameters.
#include "members/beams/xuanjin.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace kv::test::literal {

struct Record {
    float d1, d2;
    int n1, n2;
    float area, absError, error;
};

struct Search {
    std::vector<std::string> lines;
    long long accepted = 0;
    Record last{};  // the last accepted arrangement of the enumeration
};

inline Search ZongJin(const ZONGJIN_PARA& para) {
    using namespace kv::xuanjin;
    const float A = RequiredArea(para.As);
    const std::vector<int> dims = QualifyingDiameters(para);
    Search out;
    std::vector<Record> kept;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) kept.reserve(static_cast<std::size_t>(std::min<long long>(out.accepted, kMaxRecords)));
        for (std::size_t i = 0; i < dims.size(); ++i) {
            const double ai = BarArea(dims[i]);
            const int Ni = static_cast<int>(A / ai + 2);
            for (std::size_t j = i; j < dims.size(); ++j) {
                const double aj = BarArea(dims[j]);
                const int Nj = static_cast<int>(A / aj + 2);
                for (int n1 = 1; n1 < Ni; ++n1)
                    for (int n2 = 1; n2 < (j == i ? 2 : Nj); ++n2) {
                        Record r{static_cast<float>(dims[i]), 0, n1, 0, 0, 0, 0};
                        if (j == i) {
                            r.area = static_cast<float>(n1 * ai);
                        } else {
                            r.d2 = static_cast<float>(dims[j]);
                            r.n2 = n2;
                            r.area = static_cast<float>(n1 * ai + n2 * aj);
                        }
                        r.error = AreaError(r.area, A);
                        r.absError = std::fabs(r.error);
                        if (!(r.absError < para.tolerance)) continue;
                        if (pass == 0) {
                            ++out.accepted;
                            out.last = r;
                        } else if (kept.size() < static_cast<std::size_t>(kMaxRecords)) {
                            kept.push_back(r);
                        } else {
                            kept.back() = r;
                        }
                    }
            }
        }
    }
    for (std::size_t k = 0; k + 1 < kept.size(); ++k)
        for (std::size_t m = 0; m + 1 < kept.size() - k; ++m)
            if (kept[m].absError > kept[m + 1].absError) std::swap(kept[m], kept[m + 1]);
    char text[256];
    for (const Record& r : kept) {
        if (r.n2 == 0)
            std::snprintf(text, sizeof text, "%dD%.0f              \t(%.0f)  \t(%.2f%%)\n", r.n1, r.d1, r.area, r.error);
        else
            std::snprintf(text, sizeof text, "%dD%.0f + %dD%.0f \t(%.0f)  \t(%.2f%%)\n", r.n1, r.d1, r.n2, r.d2, r.area,
                          r.error);
        out.lines.push_back(text);
    }
    if (out.lines.empty()) out.lines.push_back(std::string(kNothingFound) + "\n");
    return out;
}

}  // namespace kv::test::literal
