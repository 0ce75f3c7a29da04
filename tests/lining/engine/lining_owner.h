#pragma once
// An owner for the lining engine's tests: the records a section reads, the
// shelter hooks and the memory drawings, all set by the test; and a section of
// two parts (a crown arch of radius 3 m over two straight walls 2 m high) whose
// drawings use the base-class helpers.
#include <cmath>
#include <memory>

#include "drawing/base_sgt.h"
#include "lining/engine/canshu.h"
#include "lining/engine/hezai.h"
#include "lining/engine/jiemian.h"
#include "lining/engine/owner.h"
#include <map>
#include <tuple>
#include <vector>

// What a shelter run gives the engine: the crown thickness by node, the curing
// flag, and the values the engine hands it, kept for the test to read.
class CTestShelter : public CLiningShelter {
public:
    int CrownByArcs() const override { return crownByArcs; }
    int GetHouDu(int i, int part, float* t) const override {
        const bool known = part == 0 && i >= 0 && i < static_cast<int>(crown.size());
        if (t) *t = known ? crown[static_cast<std::size_t>(i)] : 0;
        return known ? 1 : 0;
    }
    int ZhengQi() const override { return zhengQi; }
    void SetValue(int part, int quantity, int slot, int node, float value) override {
        values[{part, quantity, slot, node}] = value;
    }
    void ShearTooSmall(int part) override { shearTooSmall[part] = 1; }
    // A value handed over, or -1 when none was.
    float Value(int part, int quantity, int slot, int node) const {
        const auto it = values.find({part, quantity, slot, node});
        return it == values.end() ? -1.0f : it->second;
    }

    int crownByArcs = 0;
    std::vector<float> crown;  // mm by node
    int zhengQi = 0;
    std::map<std::tuple<int, int, int, int>, float> values;
    std::map<int, int> shearTooSmall;
};

class CResultTestOwner : public CLiningOwner {
public:
    CResultTestOwner() {
        for (int j = 0; j < 8; ++j) zuHe.m_Items[j].m_fFenXiang = 1.0f;
    }
    int GetJieMianType() const override { return 3; }
    int GetSegmentCount() const override { return n; }
    std::FILE* GetLogFile() const override { return nullptr; }
    CDiZhenCanShu& GetDiZhen() override { return diZhen; }
    CJiBenCanShu& GetJiBen() override { return jiBen; }
    CPeiJinCanShu& GetPeiJin() override { return peiJin; }
    CHeZaiCanShu& GetHeZaiCanShu() override { return heZai; }
    CHeZaiZuHe& GetHeZaiZuHe() override { return zuHe; }
    int GetZuHeIndex() const override { return zuHeIndex; }
    int IsHeBao() const override { return heBao; }
    CLiningShelter* GetShelter() const override { return shelter; }
    CBase_SGT* GetDrawing(int which) const override {
        return which >= 0 && which < kDrawingCount ? drawings[which].get() : nullptr;
    }
    // Fresh memory drawings, as a run makes them.
    void NewDrawings() {
        for (auto& d : drawings) {
            d = std::make_unique<CBase_SGT>();
            d->New_MemDxf();
        }
    }

    int n = 2;
    CDiZhenCanShu diZhen;
    CJiBenCanShu jiBen;
    CPeiJinCanShu peiJin;
    CHeZaiCanShu heZai;
    CHeZaiZuHe zuHe;
    int zuHeIndex = 0;
    int heBao = 0;
    CLiningShelter* shelter = nullptr;
    std::unique_ptr<CBase_SGT> drawings[kDrawingCount];
};

// Crown arch about (0, 2) of radius 3 from 0° to 180° (part 0), walls at x = ±3
// from y = 0 to 2 (part 1); node results: the crown's n + 1 records, then the
// wall's, each drawn on both sides.
class CTwoPartSection : public CJieMianBase {
public:
    static constexpr float kRadius = 3, kWall = 2;

    int WriteCanShu(std::FILE*) override { return 0; }
    int JiSuan(std::FILE*) override { return 0; }
    int DrawOutline(CBase_SGT* d) override {
        DrawArcFaces(d, 0, kWall * m_fBiLi, kRadius * m_fBiLi, 0, 3.1415927f, 0.3f * m_fBiLi, 0.3f * m_fBiLi, 50, 0);
        DrawLabel(d, 0, m_fPartAs[0], m_fPartAs[1], 0, kWall + kRadius, GetTextHeight(), 0);
        return 0;
    }
    int DrawGuanJiang(CBase_SGT* d) override { return DrawTopGrout(d, 0, kWall, kRadius, 90, 90, 1); }
    int GetExtent(CFRect& extent) override {
        extent = CFRect{-kRadius, 0, kRadius, kWall + kRadius};
        return 0;
    }
    int HasZhiZuo() override { return zhiZuo; }
    int DrawNeiLi(CBase_SGT* d, int q, int n, const double* results, int side) override {
        int component = 0;
        float scale = 0;
        GetDiagramInfo(q, &component, &scale, nullptr);
        const double* crown = results + component;
        const double* wall = results + 6 * (n + 1) + component;
        const float half = side ? 90 : 0;  // the left quarter from 180° to 90°, the right from 90° to 0°
        DrawArcValue(d, q, n, crown, 0, kWall, kRadius, half, half + 90, scale, k, side, 1, 0);
        DrawLineValue(d, wall, q, n, kRadius, 0, kWall, scale, k, side, 1, 0);
        return 0;
    }
    int DrawBianXing(CBase_SGT* d, int n, const double* results, int side) override {
        const float half = side ? 90 : 0;
        DrawArcBianXing(d, results, n, 0, kWall, kRadius, half, half + 90, 100, side, 0);
        DrawLineBianXing(d, results + 6 * (n + 1), n, kRadius, 0, kWall, 100, side, 0);
        return 0;
    }
    int DrawDiZhen(CBase_SGT* d, int e, int, int side) override {
        const float x = side ? -kRadius : kRadius;
        d->Draw_Line(x * m_fBiLi, 0, (x + m_fDiZhenXiaoYing[e] / 1000) * m_fBiLi, kWall * m_fBiLi);
        return 0;
    }

    float k = 500;  // rock coefficient of the diagrams
    int zhiZuo = 0;
};
