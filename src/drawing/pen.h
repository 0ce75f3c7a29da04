#pragma once
// Layered drawing pens. CPenJT draws at a scale of its own (sizes in paper
// millimetres, co-ordinates in true mm) and marks drawing elements with
// extended data; CPenSGT adds the layer scheme of structural drawings (outline,
// steel, dimension, text layers), line types and the usual symbols.
#include <string>
#include <vector>

#include "drawing/base_sgt.h"

class COptItem;  // drawing options of the caller; the pens need none of them

// Layer scheme: a layer kind number gives a layer name, colour and line type.
class CLayerManager {
public:
    struct LayerDef {
        int kind;
        std::string name;
        int color;
        std::string linetype;
    };
    CLayerManager();
    // Steel layer of a steel type (1 distribution, 2 main, ...): copies its name
    // into `name` (size bytes) and returns 1, 0 when the scheme has none.
    int GetSteelLyr(int steelType, char* name, int size, char* name2 = nullptr,
                    char* name3 = nullptr) const;
    int GetDimLyr(char* name, int size) const;
    const LayerDef* Find(int kind) const;
    void SetLayers(std::vector<LayerDef> defs) { defs_ = std::move(defs); }
    const std::vector<LayerDef>& Layers() const { return defs_; }

private:
    std::vector<LayerDef> defs_;
};

class CPenJT : public CBase_SGT {
public:
    CPenJT();
    // Drawing scale 1:scale. Points are then given in true mm; one paper mm is
    // `scale` of them (GetAbsLength(1)), and the pen stores everything at 1:100.
    void SetCurBiLi(float scale, bool keepSizes = false);
    float GetCurBiLi() const { return GetBiLiChi(); }
    // `paper` millimetres on paper in the pen's co-ordinates.
    float GetAbsLength(float paper) const { return paper * GetBiLiChi(); }

    void SetSteelColor(const char* color) { SetCurColor(color); }
    // Between these calls every entity carries the element type and number.
    void BeginAddExtDataTuSu();
    void EndAddExtDataTuSu();

    // Inserts `src` through the plane part of a direction-cosine matrix, at (x, y)
    // in stored co-ordinates.
    int InsertDxf(const DXF& src, float x, float y, const float lamda[3][3]);
    using DXF::InsertDxf;

    // A force arrow from S to P (head length s1, head width s2, `kind` 1 open, 2
    // filled) with its label centred beside the shaft, on its left.
    int Draw_ForceSymbol(float sx, float sy, float px, float py, float s1, float s2, int kind,
                         const char* label);
    // A moment arc of radius r about (x, y) from a0 to a1 degrees with a head at a1.
    int Draw_MomentSymbol(float x, float y, float r, float a0, float a1, float s1, float s2,
                          int kind, const char* label);
    int Draw_PLine(int n, const float* x, const float* y, float width = 0);

    int m_nDrawState = 0;   // 1 while a composite element is being drawn
    int m_nExtType = 0;     // element type written with the extended data
    int m_nElemCount = 0;   // elements drawn so far
    int m_nTuSuDepth = 0;

protected:
    void Emit(kv::drawing::Entity e) override;
};

class CPenSGT : public CPenJT {
public:
    enum ELINETYPE {
        LT_THIN = 1,      // continuous, thin
        LT_THICK = 2,     // continuous, outline width
        LT_DASHED = 3,
        LT_CENTER = 4,
        LT_HIDDEN = 5,
        LT_FINE = 6,      // continuous, thin: auxiliary and result lines
    };
    explicit CPenSGT(COptItem* options = nullptr);

    void AddGouJian(int kind) { m_nGouJian = kind; }
    void AddXiangTu(int kind) { m_nXiangTu = kind; }
    // Layer of a kind; colour and line type 999 keep the layer's own.
    int SetLayerEnv(int kind, int color, int linetype);
    // Makes `name` the current layer, adding it when missing; 1.
    int SetCurLayer_Check(const char* name);
    void SetCurDrawLineEnv(int linetype);
    void SetJTState(int state) { m_nJTState = state; }
    // Size of break symbols: the one set, or 3 paper mm.
    float GetSymbolSize() const { return m_fSymbolSize > 0 ? m_fSymbolSize : GetAbsLength(3.0f); }
    void SetSymbolSize(float s) { m_fSymbolSize = s; }

    // Lines of a pen line type; `layer`/`colour` null keep the current ones.
    // 0 for a line of zero length.
    int Draw_Line(int lt, float x1, float y1, float x2, float y2, bool flag = false,
                  const char* layer = nullptr, const char* color = nullptr);
    using CBase_SGT::Draw_Line;
    int Draw_PLine(int lt, int n, const float* x, const float* y, const float* p = nullptr,
                   int flag = 0, const char* layer = nullptr, const char* color = nullptr);
    using CPenJT::Draw_PLine;
    int Draw_Arc(int lt, float cx, float cy, float r, float a0, float a1,
                 const char* layer = nullptr, const char* color = nullptr);
    using CBase_SGT::Draw_Arc;
    int Draw_Circle(int lt, float cx, float cy, float r, const char* layer = nullptr,
                    const char* color = nullptr);
    using CBase_SGT::Draw_Circle;
    // Text of a text type (0 annotation, 5 values, 1 titles): heights on paper.
    int Draw_Text(int type, float x, float y, float angle, const char* text, const char* align,
                  const char* layer = nullptr, const char* color = nullptr);
    using CBase_SGT::Draw_Text;
    float TextTypeHeight(int type) const;

    // Reinforcing bars: a polyline of the bar width of `kind` (1 distribution,
    // 2 main). End types 1 and −1 add a hook to the left or right.
    int Draw_PLineBinder(int kind, int n, const float* x, const float* y, const float* p,
                         int startType, int endType, int flag);
    int Draw_PLineSteel(int kind, int n, const float* x, const float* y, const float* p, int a,
                        int b, int c, int endKind);
    int Draw_DotSteel(float x, float y, int kind = 1);
    int Draw_DotSteels(int n, const float* x, const float* y, int kind = 1);
    // Leader from a bar at (x, y) at `angle` degrees, `len` long, then the text.
    int Draw_LeaderSteelDim(float x, float y, float angle, float len, const char* text,
                            const char* align, float height);
    // Chain dimension of points measured onto a dimension line at `pos` (y for
    // angle 0, x for angle 90), extension lines from the points to it.
    int Draw_ContinueDim(int n, const float* x, const float* y, float pos, float angle,
                         const char* align);
    int Draw_SectionLine(float x1, float y1, float x2, float y2, const char* name);
    int Draw_DrawingName(float x, float y, const char* text, bool underline, char style);
    int Draw_BreakLine(float x1, float y1, float x2, float y2);
    // Ground line from P1 to P2 with hatch strokes of `size` on its left.
    int Draw_HorizonLine(float x1, float y1, float x2, float y2, float size);
    int Draw_LevelMark(float x, float y, const char* text);
    int Draw_AxisLine(float x1, float y1, float x2, float y2, const char* label);
    int Draw_RecTangle_LB(float x, float y, float w, float h);

    CLayerManager m_LayerManager;
    int m_nGouJian = 0, m_nXiangTu = 0, m_nJTState = 0;
    float m_fSymbolSize = 0;  // break symbols etc.; 0 takes 3 paper mm

private:
    void ApplyLineType(int lt);
    float OutlineWidth(int lt) const;
};
