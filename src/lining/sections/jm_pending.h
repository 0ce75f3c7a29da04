#pragma once
// The common ground of a section type whose calculation and drawings have not
// joined yet: it keeps its record and reads and writes it with the lining data
// file, but has no geometry, answers the run with -1 and draws nothing.
#include <cstdio>

#include "lining/engine/jiemian.h"

class CJmPending : public CJieMianBase {
public:
    int WriteCanShu(std::FILE* fp) override { return fp ? 0 : -1; }
    int JiSuan(std::FILE*) override { return -1; }
    int DrawOutline(CBase_SGT*) override { return 0; }
    int DrawGuanJiang(CBase_SGT*) override { return 0; }
    int GetExtent(CFRect& extent) override {
        extent = CFRect{};
        return 0;
    }
};
