#pragma once
// The tunnel-lining data object: the current section type, the segment count,
// the shared records, one section object per type, and the calculation run with
// its report and result drawings.
#include <cstdio>
#include <memory>

#include "base/jsdata.h"
#include "lining/engine/canshu.h"
#include "lining/engine/hezai.h"
#include "lining/engine/jiemian.h"
#include "lining/engine/owner.h"

class CBase_SGT;
class CChenQiResult;  // where a shelter run keeps its results

class CTunnelLiningData : public CJsBaseData, public CLiningOwner {
public:
    static constexpr int kTypeCount = 15;
    // The memory drawings of a run.
    enum Drawing { kResultSheet, kOutline, kDiagram0, kDeformation = kDiagram0 + 7, kDrawingCount };

    CTunnelLiningData();
    ~CTunnelLiningData() override;
    CTunnelLiningData(const CTunnelLiningData&) = delete;
    CTunnelLiningData& operator=(const CTunnelLiningData&) = delete;

    // The diagram titles and the drawing and report names of the item.
    void SetFileName(const std::string& dataName) override;

    // Points every section at this object; after construction and after every read.
    void SetJieMianOwner();
    // The section of the current type; none for a type without one.
    CJieMianBase* GetCurJieMian() const;
    // The calculation: the report head, the design state and, without seismic
    // action and with the crack check, the crack state, the reinforcement summary
    // and the result drawings in the work folder. 0 when every state passed.
    int JiSuan(std::FILE* report);
    // Calculates `section` in `state` for each pass; the last nonzero result of its driver.
    int RunStates(std::FILE* report, std::FILE* log, CJieMianBase* section, int passes, int state);
    // The report head; -1 without a file, else 0.
    int WriteJssHead(std::FILE* report);
    // The head of the detailed log; 1.
    int WriteLogHead(std::FILE* log);
    // A new, empty memory drawing with the text style "HZ".
    static std::unique_ptr<CBase_SGT> NewDxf();
    // The geometry check of the current section where its type has one; -1 when it fails.
    int CheckData();

    // CLiningOwner
    int GetJieMianType() const override { return m_nJieMianType; }
    int GetSegmentCount() const override { return m_nFenDuanShu; }
    std::FILE* GetLogFile() const override { return m_fpLog; }
    CDiZhenCanShu& GetDiZhen() override { return m_DiZhen; }
    CJiBenCanShu& GetJiBen() override { return m_JiBen; }
    CPeiJinCanShu& GetPeiJin() override { return m_PeiJin; }
    CHeZaiCanShu& GetHeZaiCanShu() override { return m_HeZaiCanShu; }
    CHeZaiZuHe& GetHeZaiZuHe() override { return m_HeZaiZuHe; }

    int m_nJieMianType = 3;   // current section type, 0..14
    int m_nFenDuanShu = 10;   // elements per part
    int m_bXiangXi = 1;       // write the detailed log of the resistance iteration
    // The memory drawings, made for each run and freed after it.
    std::unique_ptr<CBase_SGT> m_pDxf[kDrawingCount];
    std::FILE* m_fpLog = nullptr;  // the detailed log while a run writes it
    CDiZhenCanShu m_DiZhen;
    CJiBenCanShu m_JiBen;
    CPeiJinCanShu m_PeiJin;
    CShuiWeiCanShu m_ShuiWei;
    CHeZaiZuHe m_HeZaiZuHe;
    CHeZaiCanShu m_HeZaiCanShu;
    int m_nZuHeIndex = 0;     // 0 alone; 1..3 the shelter combination being run
    int m_bHeBao = 0;         // a blast combination of the shelter lining
    CChenQiResult* m_pChenQiResult = nullptr;

protected:
    // Puts the section object of a type in its place; the section types give
    // their members here as they join.
    void SetJieMian(int type, CJieMianBase* section);

private:
    CJieMianBase* m_pJieMian[kTypeCount] = {};
};
