#pragma once
// CBase_SGT: an in-memory drawing with a pen. The pen keeps a current layer,
// colour, line type and text style, a base offset added to every point, a scale
// (drawing units per paper millimetre) for sizes given on paper, and a stack of
// saved states. Co-ordinates are floats in drawing units (mm for the modules).
#include <string>
#include <vector>

#include "drawing/dxf.h"

class CBase_SGT : public DXF {
public:
    CBase_SGT();
    ~CBase_SGT() override;

    // An empty drawing with the text style "HZ" ("txt" + big font "hztxt", width 0.75).
    int New_MemDxf() override;

    // ---- pen state
    struct Env {
        std::string layer = "0";
        int color = 7;
        std::string linetype;  // empty: by layer
        std::string style = "HZ";
        float offsetX = 0, offsetY = 0;
        float scale = 100;             // drawing units per paper millimetre
        float textHeight = 3.5f;       // annotation texts, paper mm
        float dimTextHeight = 3.5f;    // dimension texts, paper mm
        float arrowSize = 2.5f;        // arrows and dimension ticks, paper mm
        float titleHeight = 6.0f;      // drawing titles, paper mm
        float penX = 0, penY = 0;      // pen position (input units)
    };
    void Push_ENV();
    void Pop_ENV();
    // Back to the default pen (layer "0", colour 7, style "HZ", scale and sizes kept).
    void Set_Default_ENV();
    Env& CurEnv() { return env_; }
    const Env& CurEnv() const { return env_; }

    void SetBiLiChi(float scale);
    float GetBiLiChi() const { return env_.scale; }
    // Colour by AutoCAD colour number as text ("1".."255"), or "BYLAYER"/"BYBLOCK".
    void SetCurColor(const char* color);
    int GetCurColor() const { return env_.color; }
    void SetCurStyle(const char* style);
    void SetCurLayer(const char* layer);
    void SetCurLineType(const char* linetype);
    // The base offset that every later point is moved by.
    void SetBaseOffset(float x, float y);
    void GetBaseOffset(float& x, float& y) const;

    // Sizes in drawing units (paper millimetres times the scale).
    float GetTextHeight() const { return env_.textHeight * env_.scale; }
    void SetTextHeight(float h) { env_.textHeight = h / env_.scale; }
    float GetDimTextHeight() const { return env_.dimTextHeight * env_.scale; }
    void SetDimTextHeight(float h) { env_.dimTextHeight = h / env_.scale; }
    // The two dimension distances (object to first dimension line, between rows)
    // belong to the drawing, not to the pen state: Pop_ENV leaves them as set.
    float GetDimDistance(int i) const { return dimDistance_[i ? 1 : 0] * env_.scale; }
    void SetDimDistance(int i, float d) { dimDistance_[i ? 1 : 0] = d / env_.scale; }
    float GetArrowSize() const { return env_.arrowSize * env_.scale; }
    void SetArrowSize(float s) { env_.arrowSize = s / env_.scale; }
    float GetTitleHeight() const { return env_.titleHeight * env_.scale; }
    // The three dimension sizes as one set (0, 1: the dimension distances, 2: the
    // dimension text height), for drawings that scale them together.
    float GetDimSize(int i) const { return i >= 2 ? GetDimTextHeight() : GetDimDistance(i); }
    void SetDimSize(int i, float v) {
        if (i >= 2) SetDimTextHeight(v);
        else SetDimDistance(i, v);
    }

    // ---- pen moves
    int MoveTo(float x, float y);
    int LineTo(float x, float y);
    int LineTo_Relative(float dx, float dy);
    // A straight polyline of start and end width from the pen position.
    int PlineTo_Relative(float dx, float dy, float w0, float w1);

    // ---- entities. `widthFactor` other than 1 draws a polyline of that many
    // tenths of a paper millimetre.
    int Draw_Line(float x1, float y1, float x2, float y2, float widthFactor = 1);
    int Draw_Lines(int n, const float* x, const float* y);
    int Draw_Pline(int n, const float* x, const float* y, float w0, float w1, int closed = 0);
    int Draw_Pline(float x1, float y1, float x2, float y2, float w0, float w1, int flag = 1);
    int Draw_Circle(float cx, float cy, float r, float widthFactor = 1);
    // Angles in degrees, counter-clockwise from a0 to a1.
    int Draw_Arc(float cx, float cy, float r, float a0, float a1, float widthFactor = 1);
    // An arc drawn as a polyline of the given width.
    int Draw_PArc(float cx, float cy, float r, float a0, float a1, float width);
    // Rectangle of w × h centred on (x, y), turned by `angle` degrees.
    int Draw_Rect_C(float w, float h, float x, float y, float angle);
    int Draw_Solid(float x1, float y1, float x2, float y2, float x3, float y3);
    // A filled dot of diameter d.
    int Draw_Dot(float x, float y, float d);

    // Text at (x, y); height 0 takes the annotation height. `align`: first letter
    // T/M/B (top, middle, baseline), second L/C/R.
    int Draw_Text(float x, float y, float height, float angle, const char* text,
                  const char* align = "BL");
    // Text beside the line P1P2 at `pos` along it: code 10 places the start of the
    // text at pos/10 of the line; other codes use sixths (0 start, 3 middle, 6
    // end, beyond the end taken as the end) with the text starting, centred or
    // ending there. `offset` moves the
    // baseline to the left of P1→P2. Code 7 keeps the line's direction, other codes
    // turn the text to read left to right.
    int Draw_Text_Along_Line(float x1, float y1, float x2, float y2, int code, int pos,
                             const char* text, float height, float offset);
    // The same along an arc (degrees); a positive offset is away from the centre.
    int Draw_Text_Along_Arc(float cx, float cy, float r, float a0, float a1, int code, int pos,
                            const char* text, float height, float offset);
    // A line with a filled arrow head at P2; size 0 takes the arrow size.
    int DrawLineArrow(float x1, float y1, float x2, float y2, float size = 0);
    int Draw_Arrow(float x, float y, float angleDeg, float size = 0);

    // Dimension chain through points on its dimension line: oblique ticks (ticks 1)
    // or arrows (0), text on the left/top (side 1) or the other side (0). With two
    // points a non-empty text replaces the measured length ("%.0f").
    int Draw_Dim_Points(int n, const float* x, const float* y, const char* text, int ticks,
                        int side);
    int Draw_Dim_Points(float x1, float y1, float x2, float y2, const char* text, int ticks,
                        int side);
    // Angle dimension: an arc of radius r from a0 to a1 degrees with arrows, text outside.
    int Draw_DimJiaoDu(float cx, float cy, float r, float a0, float a1, const char* text,
                       float height);
    // The same with the arc at eight text heights from the centre.
    int Draw_DimJiaoDu(float cx, float cy, float a0, float a1, const char* text, float height);
    // Break symbol across P1P2: a straight line with a zigzag in its middle.
    int Draw_Cut_Sym(float x1, float y1, float x2, float y2, float size = 0);
    // Drawing title centred on (x, y) with a thick and a thin line under it.
    int Draw_TuMing(float x, float y, const char* text, int underline = 1, int flag = 1);

    // Reinforcement symbols of section sketches. A stirrup rectangle w × h centred
    // on (x, y); a ring between radii rOuter and rInner; a bar dot (diameter 0: one
    // paper mm); a label whose leader runs from (x, y) by (dx, dy) paper mm and whose
    // shoulder is `shoulder` paper mm long (negative: to the left), numbered `n`.
    int Draw_RectGangJin_C(float w, float h, float x, float y, float angle, int flag);
    int Draw_DoNutGangJin(float x, float y, float rOuter, float rInner);
    int Draw_YuanDianGangJin(float x, float y, float d, int flag);
    int Draw_GangJin_BiaoZhu(float x, float y, float dx, float dy, float shoulder, int n,
                             const char* text);
    // A label at (x, y) with leaders to n bars; the text runs at `angle` degrees.
    int Draw_GangJin_BiaoZhu(float x, float y, int n, const float* xs, const float* ys, float angle,
                             int a, int b, int c, const char* text);

    // Extended data attached to every entity until cleared.
    void SetExtData(const std::string& app, const std::vector<kv::drawing::XDataItem>& items);
    void ClearExtData();

protected:
    // Input co-ordinates -> stored drawing co-ordinates.
    double X(double x) const { return (x + env_.offsetX) * factor_; }
    double Y(double y) const { return (y + env_.offsetY) * factor_; }
    double Len(double l) const { return l * factor_; }
    // Paper millimetres -> input units.
    float Paper(float mm) const { return mm * env_.scale; }
    // Adds an entity in stored co-ordinates with the current layer, colour, line type and data.
    virtual void Emit(kv::drawing::Entity e);
    int TextEntity(double sx, double sy, double height, double angle, const std::string& text,
                   int hAlign, int vAlign);
    int PolylineStored(std::vector<kv::drawing::Vertex> v, bool closed);

    // Stored co-ordinates per input unit: 1 for a plain drawing; pens drawing at
    // a scale of their own use 100 / scale so that all pens meet at 1:100.
    double factor_ = 1.0;
    Env env_;
    std::vector<Env> stack_;
    float dimDistance_[2] = {10.0f, 7.0f};  // paper mm
    std::string xdataApp_;
    std::vector<kv::drawing::XDataItem> xdata_;
};
