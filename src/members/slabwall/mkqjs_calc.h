#pragma once
// The calculation of the second door-frame wall (门框墙计算及绘图): per side the
// forces at the root of the cantilever, whether the root is checked as a
// cantilever beam or as a corbel, the design of its bars and ties, the report
// and the result summary. It reads the data object and fills the result object
// that whoever opens the module hands it (m_pData, m_pResult).
#include <string>

#include "base/jsdata.h"
#include "members/slabwall/mkqjs_data.h"
#include "members/slabwall/mkqjs_result.h"

class CPenSGT;
class CPenSGTEx;
namespace kv::report {
class CRTF;
}

// Which check the root section of a side takes (CheckKind): 0 cantilever
// (悬臂), 1 corbel (牛腿), 2 the corbel of an arched door's left or right side
// that fails the strength test γd·fc > q/z. `cOverH0` is C/h0; `gammaFc` is
// γd·fc (N/mm²), `q` the resultant (N/mm), `z` its signed distance from the
// root corner (mm).
int MkqCheckKind(int doorType, int side, float cOverH0, float gammaFc, float q, float z);

// The ties of a side on a square grid of spacing `spacing` (mm) with bars of
// `diameter` (mm): the largest standard spacing below the exact one, the
// diameter growing from `optimal` through the grade's list while the spacing
// would fall below the smallest standard one; with the largest diameter the
// exact spacing stays. `area` is the tie area per square metre of wall
// (mm²/m²); none needed gives the largest standard spacing.
void MkqSelectTies(int grade, int optimal, float area, float& spacing, float& diameter);

class CMkqJiSuan : public CJiSuanBase {
public:
    // 1 when the loads lie on their sides; else 0 after one message listing
    // every side that fails.
    int CheckData() override;
    // Forces, then bars, of the four sides. 1 on success.
    int JiSuan() override;
    int Reserved2() override { return 1; }
    // Diagram k (0..7: the calculation and bar sketches of each side, 8: the
    // whole frame's bars) into `drawing`.
    int DrawResult(int k, CBase_SGT* drawing, int option) override;
    // The calculation report into `report`; `detail` is not used (the report
    // always carries its legends and the drawing).
    int WriteJss(int detail, kv::report::CRTF* report) override;
    int Reserved5() override { return 1; }
    // The frame's bar drawing on its own, at the drawing scale.
    int OutDrawing(CBase_SGT* drawing, int option1, int option2) override;
    int Reserved7() override { return 1; }
    int Reserved8() override { return 1; }
    // The result summary "Prompt.txt" in the work folder. 1.
    int WritePrompt() override;

    // Forces, lever arms and check kind of the four sides. 0 when a side's forces
    // cannot be computed. A side without normal load (Qv = 0) has no lever arm:
    // it is reported (201), its results are marked (section not met) and its
    // design is skipped; the other sides go on.
    int CalNeiLi();
    // Forces of `side` at x mm from the root: M (kN·m/m), Qv and Qh (N/mm); also
    // sets the side's Hh. 0 for a side or position outside the cantilever.
    int CalSideForce(int side, float x, float& M, float& Qv, float& Qh);
    // Design and bar choice of every side that has forces. 1.
    int CalPeiJin();

    int WriteJssHead(kv::report::CRTF& report);
    int WriteJssNeiLi(kv::report::CRTF& report);
    int WriteJssPeiJin(kv::report::CRTF& report);

    // The result drawings of one side at 1:scale into `target`: the section with
    // its loads over the line model with its loads and root moment (DrawJianTu);
    // the line model with the required areas over the section with its bars
    // (DrawPeiJinJianTu). 1, or 0 when a sketch fails.
    int DrawJianTu(int side, CBase_SGT* target, float scale);
    int DrawPeiJinJianTu(int side, CBase_SGT* target, float scale);
    // One side on `pen`: type 1 the required areas as texts on the line model,
    // type 2 the bars of the section with their labels, type 3 without them.
    int DrawSideResult(int side, CPenSGTEx* pen, int type);
    // The bars of the whole frame, cut 1-1 (左, 右) beside cut 2-2 (上, 下):
    // mode 1 as diagram 8 at its own scale with bare cut titles, mode 0 at the
    // drawing scale with the drawing name before them. 0 for no pen.
    int DrawPeiJinTu(CPenSGT* pen, int mode);

private:
    CMkqJsData* Data() const { return static_cast<CMkqJsData*>(m_pData); }
    CMkqResult* Result() const { return static_cast<CMkqResult*>(m_pResult); }
};

// The module's calculation object, living for the whole run; the command that
// opens the module points it at the data and result objects.
extern CMkqJiSuan G_MkqJiSuan;
