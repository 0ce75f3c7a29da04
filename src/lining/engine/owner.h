#pragma once
// What a lining section reads of the data object that owns it. The owner (the
// tunnel-lining data object) lives in a library above the engine; the sections
// reach it only through this.
#include <cstdio>

class CDiZhenCanShu;
class CJiBenCanShu;
class CPeiJinCanShu;
class CHeZaiCanShu;
class CHeZaiZuHe;

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

protected:
    ~CLiningOwner() = default;
};
