#pragma once
// Grade tables of the two code editions in force (GB 50010-2002, GB 50010-2010).
// Internal to the codes library: callers use material.h and guifan.h.
#include <span>
#include <vector>

namespace kv::codes {

struct ConcreteRow {
    int grade;         // C-grade, e.g. 30
    const char* sign;  // "C30"
    float fck, ftk, fc, ft, Ec;
};

struct BarRow {
    int code;          // the edition's bar-grade code
    const char* sign;  // grade name as printed ("HRB400")
    float fy, fyc, fyk, Es;
};

// Concrete grades C15..C80 of an edition (both editions list the same grades
// with the same values); empty for an edition we have no table for.
std::span<const ConcreteRow> ConcreteTable(int edition);
// Bar grades of an edition, in code order 1..n; empty when unknown.
std::span<const BarRow> BarTable(int edition);

// Standard bar diameters (mm, ascending) of the three kinds of bar, and the
// standard spacings (mm, ascending). They come from the bar product standards,
// so every edition offers the same lists.
enum class BarKind { Plain, Ribbed, HeatTreated };
const std::vector<int>& StandardDiameters(BarKind kind);
const std::vector<int>& StandardSpacings();

// The table an edition maps to: 2010 for 2010 and later, 2002 for 2002 and 2008
// and for the older 89 and 96, 0 for editions we have no table for.
int TableEdition(int edition);

}  // namespace kv::codes
