#include "codes/tables.h"

namespace kv::codes {
namespace {

// Concrete strengths (N/mm²) and moduli: GB 50010-2002 Tables 4.1.3, 4.1.4, 4.1.5;
// GB 50010-2010 Tables 4.1.3-1/-2, 4.1.4-1/-2, 4.1.5 carry the same values.
constexpr ConcreteRow kConcrete[] = {
    //  grade sign   fck    ftk    fc     ft     Ec
    {15, "C15", 10.0f, 1.27f, 7.2f, 0.91f, 2.20e4f},
    {20, "C20", 13.4f, 1.54f, 9.6f, 1.10f, 2.55e4f},
    {25, "C25", 16.7f, 1.78f, 11.9f, 1.27f, 2.80e4f},
    {30, "C30", 20.1f, 2.01f, 14.3f, 1.43f, 3.00e4f},
    {35, "C35", 23.4f, 2.20f, 16.7f, 1.57f, 3.15e4f},
    {40, "C40", 26.8f, 2.39f, 19.1f, 1.71f, 3.25e4f},
    {45, "C45", 29.6f, 2.51f, 21.1f, 1.80f, 3.35e4f},
    {50, "C50", 32.4f, 2.64f, 23.1f, 1.89f, 3.45e4f},
    {55, "C55", 35.5f, 2.74f, 25.3f, 1.96f, 3.55e4f},
    {60, "C60", 38.5f, 2.85f, 27.5f, 2.04f, 3.60e4f},
    {65, "C65", 41.5f, 2.93f, 29.7f, 2.09f, 3.65e4f},
    {70, "C70", 44.5f, 2.99f, 31.8f, 2.14f, 3.70e4f},
    {75, "C75", 47.4f, 3.05f, 33.8f, 2.18f, 3.75e4f},
    {80, "C80", 50.2f, 3.11f, 35.9f, 2.22f, 3.80e4f},
};

// Hot-rolled bars, GB 50010-2002 Tables 4.2.2-1 (fyk), 4.2.3-1 (fy, fy'), 4.2.4 (Es).
constexpr BarRow kBars2002[] = {
    {1, "HPB235", 210.0f, 210.0f, 235.0f, 2.1e5f},
    {2, "HRB335", 300.0f, 300.0f, 335.0f, 2.0e5f},
    {3, "HRB400", 360.0f, 360.0f, 400.0f, 2.0e5f},
    {4, "RRB400", 360.0f, 360.0f, 400.0f, 2.0e5f},
};

// GB 50010-2010 Tables 4.2.2-1 (fyk), 4.2.3-1 (fy, fy'), 4.2.5 (Es). Codes 1..4 keep
// the meaning they had in the older edition (1 is the plain round bar, now HPB300),
// the new grades follow.
constexpr BarRow kBars2010[] = {
    {1, "HPB300", 270.0f, 270.0f, 300.0f, 2.1e5f},
    {2, "HRB335", 300.0f, 300.0f, 335.0f, 2.0e5f},
    {3, "HRB400", 360.0f, 360.0f, 400.0f, 2.0e5f},
    {4, "RRB400", 360.0f, 360.0f, 400.0f, 2.0e5f},
    {5, "HRB500", 435.0f, 410.0f, 500.0f, 2.0e5f},
    {6, "HRBF335", 300.0f, 300.0f, 335.0f, 2.0e5f},
    {7, "HRBF400", 360.0f, 360.0f, 400.0f, 2.0e5f},
    {8, "HRBF500", 435.0f, 410.0f, 500.0f, 2.0e5f},
};

// Nominal diameters (mm): GB 1499.1 (plain round bars), GB 1499.2 (hot-rolled
// ribbed bars), GB 13014 (residual-heat-treated bars).
const std::vector<int> kDimPlain = {6, 8, 10, 12, 14, 16, 20};
const std::vector<int> kDimRibbed = {6, 8, 10, 12, 14, 16, 18, 20, 22, 25, 28, 32, 36, 40, 50};
const std::vector<int> kDimHeatTreated = {8, 10, 12, 14, 16, 18, 20, 22, 25, 28, 32, 36, 40};
// Bar spacings (mm) offered for slab and wall bars and ties.
const std::vector<int> kSpacings = {70,  75,  80,  85,  90,  95,  100, 110, 120, 125, 130, 140,
                                    150, 160, 170, 175, 180, 190, 200, 220, 230, 250, 280, 300};

}  // namespace

const std::vector<int>& StandardDiameters(BarKind kind) {
    switch (kind) {
    case BarKind::Plain: return kDimPlain;
    case BarKind::HeatTreated: return kDimHeatTreated;
    default: return kDimRibbed;
    }
}

const std::vector<int>& StandardSpacings() { return kSpacings; }

int TableEdition(int edition) {
    if (edition >= 2010) return 2010;
    if (edition >= 2002) return 2002;
    // The older editions (GBJ 10-89, the hydraulic SL/T 191-96 the lining runs
    // under) have no tables here; their sections are designed with the 2002
    // values, so their lookups give those too.
    if (edition == 89 || edition == 96) return 2002;
    return 0;
}

std::span<const ConcreteRow> ConcreteTable(int edition) {
    if (TableEdition(edition) == 0) return {};
    return kConcrete;
}

std::span<const BarRow> BarTable(int edition) {
    switch (TableEdition(edition)) {
    case 2010: return kBars2010;
    case 2002: return kBars2002;
    default: return {};
    }
}

}  // namespace kv::codes
