#pragma once
// The in-memory DXF drawing: tables (layers, line types, text styles, registered
// applications) and a list of entities, written as R12 ASCII DXF and read back
// through dxflib. Texts are UTF-8 in memory and GBK in the file ($DWGCODEPAGE
// ANSI_936), so CAD programs on Chinese systems and ezdxf show them.
#include <map>
#include <string>

#include "drawing/geom.h"
#include <string_view>
#include <vector>

struct CFPoint {
    float x = 0, y = 0;
};

// A rectangle in drawing units: left, bottom, right, top.
struct CFRect {
    float left = 0, bottom = 0, right = 0, top = 0;
    float Width() const { return right - left; }
    float Height() const { return top - bottom; }
};

// Mapping between drawing units and device pixels: device x = (x − origin.x)·scale,
// device y = (origin.y − y)·scale, so the origin is the drawing point shown at the
// device's top-left corner and y grows upward in the drawing.
class CFCoor {
public:
    void SetScale(double s) { scale_ = s > 0 ? s : scale_; }
    double GetScale() const { return scale_; }
    void SetOrigin(double x, double y) { ox_ = x; oy_ = y; }
    double OriginX() const { return ox_; }
    double OriginY() const { return oy_; }
    // Drawing point -> device point.
    void FPtoDP(double x, double y, double& dx, double& dy) const {
        dx = (x - ox_) * scale_;
        dy = (oy_ - y) * scale_;
    }
    // Device point -> drawing point.
    CFPoint DPtoFP(double dx, double dy) const {
        return {static_cast<float>(ox_ + dx / scale_), static_cast<float>(oy_ - dy / scale_)};
    }
    bool operator==(const CFCoor&) const = default;

private:
    double scale_ = 1.0;
    double ox_ = 0, oy_ = 0;
};

namespace kv::drawing {

enum class EntityKind { Line, Polyline, Arc, Circle, Text, Solid, Point };

struct Vertex {
    double x = 0, y = 0;
    double startWidth = 0, endWidth = 0;  // width of the segment that starts here
    double bulge = 0;                     // tan(sweep/4) of an arc segment
    bool operator==(const Vertex&) const = default;
};

struct XDataItem {
    int code = 1000;  // 1000 text, 1040 real, 1070 integer, ...
    std::string value;
    bool operator==(const XDataItem&) const = default;
};

// Colour numbers of AutoCAD's colour index.
inline constexpr int kByBlock = 0;
inline constexpr int kByLayer = 256;

struct Entity {
    EntityKind kind = EntityKind::Line;
    std::string layer = "0";
    int color = kByLayer;
    std::string linetype;  // empty: by layer

    // Line: p1-p2. Point, Circle, Arc: centre p1. Text: insertion p1 and alignment point p2.
    // Solid: corners p1, p2, p3, p4 (DXF order: the fourth is drawn before the third).
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0, x3 = 0, y3 = 0, x4 = 0, y4 = 0;
    double radius = 0;
    double startAngle = 0, endAngle = 0;  // degrees, counter-clockwise
    std::vector<Vertex> vertices;
    bool closed = false;

    std::string text;  // UTF-8
    double height = 0, rotation = 0, widthFactor = 1;
    std::string style;
    int hAlign = 0;  // 0 left, 1 centre, 2 right
    int vAlign = 0;  // 0 baseline, 1 bottom, 2 middle, 3 top

    std::string xdataApp;  // registered application of the extended data
    std::vector<XDataItem> xdata;

    bool operator==(const Entity&) const = default;
};

struct Layer {
    std::string name;
    int color = 7;
    std::string linetype = "CONTINUOUS";
    bool operator==(const Layer&) const = default;
};

struct TextStyle {
    std::string name, font, bigFont;
    double height = 0, widthFactor = 1;
    bool operator==(const TextStyle&) const = default;
};

struct Linetype {
    std::string name, description;
    std::vector<double> pattern;  // dash > 0, gap < 0, in drawing units
    bool operator==(const Linetype&) const = default;
};

// A text as CAD programs show it: the control codes %%c (diameter), %%d (degree),
// %%p (plus-minus), %%% (percent) and the bar-grade codes %%130..%%133 become
// characters; %%u and %%o (under- and overline switches) are dropped.
std::string DisplayText(std::string_view text);

// Colour number of a colour given as text: "BYLAYER", "BYBLOCK", a colour name
// ("RED" .. "WHITE") or a number 0..256; `fallback` for anything else.
int ColorNumber(const char* color, int fallback);

// Counter-clockwise sweep in degrees from a0 to a1, in (0, 360]; equal angles
// make a full turn.
double SweepDegrees(double a0, double a1);

// RGB of a colour index (7 shows white; callers drawing on white paper swap it).
unsigned AciToRgb(int aci);

// What a drawing is painted onto. Co-ordinates are device pixels (y down).
class CDrawSurface {
public:
    virtual ~CDrawSurface() = default;
    // An open or closed path of straight pieces; width in pixels (0: thinnest);
    // dashes in pixels (empty: solid).
    virtual void Path(const std::vector<double>& xy, bool closed, unsigned rgb, double width,
                      const std::vector<double>& dashes) = 0;
    // A filled polygon.
    virtual void Fill(const std::vector<double>& xy, unsigned rgb) = 0;
    // One line of text: baseline-left corner, cell height in pixels, the width the
    // text must fill in pixels, clockwise-positive screen angle in degrees.
    virtual void Text(double x, double y, double height, double width, double angle,
                      const std::string& utf8, unsigned rgb) = 0;
};

// Text metrics of the SHX fonts "txt" + "hztxt": a Chinese character fills a square
// cell, other characters take two thirds of it, each scaled by the width factor.
class CShx {
public:
    static double TextWidth(std::string_view utf8, double height, double widthFactor);
};

}  // namespace kv::drawing

class DXF {
public:
    DXF();
    virtual ~DXF();
    DXF(const DXF&) = default;
    DXF& operator=(const DXF&) = default;

    // Starts an empty in-memory drawing (tables reset to layer "0" and CONTINUOUS).
    virtual int New_MemDxf();
    // Starts a drawing that Close() writes to `path`.
    int New(const char* path);
    int Add_STyle(const char* name, const char* font, const char* bigFont, float height,
                  float widthFactor);
    // The tables are kept in memory and written with the drawing; this marks them ready.
    int Write_Tables();
    int Begin_Entity();
    int End_Entity();
    // Writes the drawing started by New() to its file; 1 on success.
    int Close();

    // Plain entities in drawing co-ordinates, current layer "0", colour by layer.
    int Write_Line(float x1, float y1, float x2, float y2);
    int Write_Text(float x, float y, float height, float angle, const char* text);
    int Write_Arc(float cx, float cy, float r, float a0, float a1);
    // The same with z (the drawings are plane: it is dropped), the line-type
    // scale (R12 entities carry none: 1 is the only one drawn), the layer, the
    // colour ("BYLAYER", "BYBLOCK" or a number) and the line type ("BYLAYER" or a
    // name); texts also name their style (an unknown one falls back to STANDARD).
    int Write_Line(float x1, float y1, float z1, float x2, float y2, float z2, float scale, const char* layer,
                   const char* color, const char* linetype);
    int Write_Text(float x, float y, float z, float height, float angle, const char* text, const char* style,
                   const char* layer, const char* color, const char* linetype);
    int Write_Arc(float cx, float cy, float cz, float r, float a0, float a1, float scale, const char* layer,
                  const char* color, const char* linetype);

    // Writes the drawing as R12 ASCII DXF through a temporary file; 1 on success.
    int Write_MemDxf_To_File(const char* path) const;
    // Replaces the drawing with the file's content. A missing, truncated or
    // malformed file leaves an empty drawing and returns 0.
    int Read_FileDxf_To_Mem(const char* path);
    // The same from bytes in memory.
    int Read_Dxf_From_Bytes(std::string_view bytes);
    // The DXF text of the drawing (GBK bytes).
    std::string ToDxfBytes() const;

    // Extent of all entities; 0 (and a zero rectangle) for an empty drawing.
    int GetFRect(CFRect& rect) const;
    int GetFRect(float* x1, float* y1, float* x2, float* y2) const;

    // Copies every entity of `src` into this drawing: scaled by (sx, sy), turned by
    // `angle` degrees and moved to (x, y). Tables of `src` that this drawing lacks
    // are added. Returns 1, or 0 when `src` is this drawing.
    int InsertDxf(const DXF& src, float x, float y, float angle, float sx, float sy);
    // The same with a general linear map [a b; c d] followed by the move.
    int InsertDxfAffine(const DXF& src, double a, double b, double c, double d, double x,
                        double y);

    int ClearAllEntity();
    float GetTextWidth(const char* text, float height) const;
    // The same at a width factor the caller gives (the drawing's own "HZ" style
    // may have another); `style` names the style whose fonts measure the text.
    float GetTextWidth(const char* text, float height, float widthFactor, const char* style) const;

    // Paints the drawing through `coor`. `textFactor` scales every text height
    // (the views' text-height setting) about its insertion point.
    void Draw(kv::drawing::CDrawSurface& surface, const CFCoor& coor, float textFactor = 1.0f,
              bool whitePaper = false) const;

    // Tables and entities.
    const std::vector<kv::drawing::Entity>& Entities() const { return entities_; }
    std::vector<kv::drawing::Entity>& Entities() { return entities_; }
    const std::vector<kv::drawing::Layer>& Layers() const { return layers_; }
    const std::vector<kv::drawing::TextStyle>& Styles() const { return styles_; }
    const std::vector<kv::drawing::Linetype>& Linetypes() const { return linetypes_; }
    const std::vector<std::string>& Apps() const { return apps_; }
    // Entities of the last file read that the drawing does not show (blocks
    // inserted, hatches, splines, ...), counted by DXF type.
    const std::map<std::string, int>& SkippedEntities() const { return skipped_; }
    const kv::drawing::Layer* FindLayer(std::string_view name) const;
    const kv::drawing::TextStyle* FindStyle(std::string_view name) const;
    // Adds a layer when missing; an existing layer keeps its colour and line type.
    void AddLayer(const std::string& name, int color, const std::string& linetype);
    // Adds one of the standard line types (CONTINUOUS, DASHED, CENTER, HIDDEN,
    // DASHDOT, PHANTOM, DOT) when missing; false for an unknown name.
    bool AddLinetype(const std::string& name);
    void AddApp(const std::string& name);
    void AddEntity(kv::drawing::Entity e);

protected:
    std::vector<kv::drawing::Entity> entities_;
    std::vector<kv::drawing::Layer> layers_;
    std::vector<kv::drawing::TextStyle> styles_;
    std::vector<kv::drawing::Linetype> linetypes_;
    std::vector<std::string> apps_;
    std::map<std::string, int> skipped_;
    std::string filePath_;  // target of New()/Close()
};
