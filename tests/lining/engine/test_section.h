#pragma once
// A small lining section for the tests of the base class and its owner: a
// rectangle of axis 6 m × 4 m whose answers the test chooses, and a driver that
// notes what it saw and returns the result the test asked for.
#include <cstdio>
#include <vector>

#include "base/globals.h"
#include "lining/engine/canshu.h"
#include "lining/engine/hezai.h"
#include "lining/engine/jiemian.h"
#include "lining/engine/owner.h"

class CTestSection : public CJieMianBase {
public:
    int WriteCanShu(std::FILE* fp) override {
        if (fp) std::fputs("\n[ 衬砌参数 ]\n\n    试验截面\n", fp);
        return 0;
    }
    int JiSuan(std::FILE* fp) override {
        Run run{m_nState, G_guifan, -1};
        if (m_pData) {
            CPeiJinCanShu& bars = m_pData->GetPeiJin();
            run.areaSeen = bars.m_fMaxAsNei;
            bars.m_fMaxAsNei += m_fDesignArea;
        }
        runs.push_back(run);
        if (fp) std::fprintf(fp, "试验截面 %d\n", m_nState);
        return m_nState < 2 ? results[m_nState] : 0;
    }
    int DrawOutline(CBase_SGT*) override { return 0; }
    int DrawGuanJiang(CBase_SGT*) override { return 0; }
    int GetExtent(CFRect& extent) override {
        extent = CFRect{-3, 0, 3, 4};
        return 0;
    }
    int HasZhiZuo() override { return zhiZuo; }
    float GetHeight(int side) override { return height[side] > 0 ? height[side] : CJieMianBase::GetHeight(side); }
    int IsZhiZuoSym() override { return zhiZuoSym; }

    struct Run {
        int state;
        int edition;     // the code edition in force during the state
        float areaSeen;  // the largest inner area when the state began
    };
    std::vector<Run> runs;
    int results[2] = {0, 0};
    float m_fDesignArea = 100;
    int zhiZuo = 0;
    int zhiZuoSym = 1;
    float height[2] = {0, 0};  // wall heights of sides 0 and 1; 0 takes the extent's
};

// The owner a section reads its records from.
class CTestOwner : public CLiningOwner {
public:
    int GetJieMianType() const override { return type; }
    int GetSegmentCount() const override { return 10; }
    std::FILE* GetLogFile() const override { return nullptr; }
    CDiZhenCanShu& GetDiZhen() override { return diZhen; }
    CJiBenCanShu& GetJiBen() override { return jiBen; }
    CPeiJinCanShu& GetPeiJin() override { return peiJin; }
    CHeZaiCanShu& GetHeZaiCanShu() override { return heZai; }
    CHeZaiZuHe& GetHeZaiZuHe() override { return zuHe; }
    int type = 3;
    CDiZhenCanShu diZhen;
    CJiBenCanShu jiBen;
    CPeiJinCanShu peiJin;
    CHeZaiCanShu heZai;
    CHeZaiZuHe zuHe;
};
