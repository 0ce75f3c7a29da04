#pragma once
// What a lining section reads of the data object that owns it. The owner (the
// tunnel-lining data object) lives in a library above the engine; the sections
// reach it only through this.
#include <cstdio>

class CBase_SGT;
class CDiZhenCanShu;
class CJiBenCanShu;
class CPeiJinCanShu;
class CHeZaiCanShu;
class CHeZaiZuHe;

// What a shelter run lets the engine read and fill: the crown thickness of the
// shelter's own arcs, the curing flag of the blast design, and the archive of
// every node's results. The shelter layer, which sits above the engine, gives it.
class CLiningShelter {
public:
    // The crown follows the shelter's arcs, its thickness node by node.
    virtual int CrownByArcs() const = 0;
    // Thickness (mm) of part 0..2 at node i; 0 for a node or part the section lacks.
    virtual int GetHouDu(int i, int part, float* t) const = 0;
    // 蒸气养护或掺早强剂.
    virtual int ZhengQi() const = 0;
    // Node `node` of quantity 0..9 (N, Q, M, u, v, φ, resistance, As, As1, Av)
    // of combination slot 0..2 in engine part kind 0..2.
    virtual void SetValue(int part, int quantity, int slot, int node, float value) = 0;
    // A node of the part failed the section-size shear check.
    virtual void ShearTooSmall(int part) = 0;

protected:
    ~CLiningShelter() = default;
};

class CLiningOwner {
public:
    // Current section type (0..14) and the elements per part.
    virtual int GetJieMianType() const = 0;
    virtual int GetSegmentCount() const = 0;
    // The detailed log of a run, or none.
    virtual std::FILE* GetLogFile() const = 0;

    virtual CDiZhenCanShu& GetDiZhen() = 0;
    virtual CJiBenCanShu& GetJiBen() = 0;
    // Section design writes the run's largest areas here.
    virtual CPeiJinCanShu& GetPeiJin() = 0;
    virtual CHeZaiCanShu& GetHeZaiCanShu() = 0;
    virtual CHeZaiZuHe& GetHeZaiZuHe() = 0;

    // A shelter run: the combination being run (0 alone, 1..3), whether it is
    // a blast combination, and the archive that takes every node's results.
    virtual int GetZuHeIndex() const { return 0; }
    virtual int IsHeBao() const { return 0; }
    virtual CLiningShelter* GetShelter() const { return nullptr; }

    // The memory drawings of a run that the result drawings fill (none outside a run).
    enum Drawing { kResultSheet, kOutline, kDiagram0, kDeformation = kDiagram0 + 7, kDrawingCount };
    virtual CBase_SGT* GetDrawing(int /*which*/) const { return nullptr; }

protected:
    ~CLiningOwner() = default;
};
