#include "drawing/dxf.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "platform/codec.h"

using namespace kv::drawing;

namespace {

double rad(double deg) { return deg * kv::drawing::kPi / 180.0; }

struct Pt {
    double x, y;
};

// Standard line types, dash lengths in paper millimetres (scaled by the drawing's
// line-type scale, 100 for drawings in mm at 1:100).
const std::vector<Linetype>& StandardLinetypes() {
    static const std::vector<Linetype> types = {
        {"CONTINUOUS", "Solid line", {}},
        {"DASHED", "__ __ __ __", {6.0, -3.0}},
        {"HIDDEN", "_ _ _ _ _ _", {3.0, -1.5}},
        {"CENTER", "____ _ ____ _", {12.0, -3.0, 2.0, -3.0}},
        {"DASHDOT", "__ . __ . __", {6.0, -2.0, 0.0, -2.0}},
        {"PHANTOM", "_____ _ _ _____", {12.0, -3.0, 2.0, -3.0, 2.0, -3.0}},
        {"DOT", ". . . . . .", {0.0, -2.0}},
    };
    return types;
}

bool IsCjk(char32_t c) { return c >= 0x2E80; }

std::u32string Decode(std::string_view s) {
    std::u32string out;
    for (std::size_t i = 0, n = 0; i < s.size(); i += n) out.push_back(kv::platform::DecodeUtf8At(s, i, n));
    return out;
}

// Baseline-left corner and direction of a text entity's box, before any text factor.
struct TextBox {
    double bx, by;  // baseline-left
    double ux, uy;  // unit direction of the baseline
    double width, height;
};

TextBox BoxOf(const Entity& e, double factor = 1.0) {
    TextBox b;
    b.height = e.height * factor;
    b.width = CShx::TextWidth(e.text, b.height, e.widthFactor);
    b.ux = std::cos(rad(e.rotation));
    b.uy = std::sin(rad(e.rotation));
    double along = 0, up = 0;
    if (e.hAlign == 1) along = -b.width / 2;
    else if (e.hAlign == 2) along = -b.width;
    if (e.vAlign == 2) up = -b.height / 2;
    else if (e.vAlign == 3) up = -b.height;
    b.bx = e.x1 + along * b.ux - up * b.uy;
    b.by = e.y1 + along * b.uy + up * b.ux;
    return b;
}

}  // namespace

namespace kv::drawing {
// Counter-clockwise sweep from a0 to a1 in (0, 360]. Taken by remainder: angles
// from files may lie any number of turns away, where adding 360 changes nothing.
int ColorNumber(const char* c, int fallback) {
    if (!c || !*c) return fallback;
    std::string s(c);
    for (auto& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (s == "BYLAYER") return kByLayer;
    if (s == "BYBLOCK") return kByBlock;
    static const char* names[] = {"", "RED", "YELLOW", "GREEN", "CYAN", "BLUE", "MAGENTA", "WHITE"};
    for (int i = 1; i <= 7; ++i)
        if (s == names[i]) return i;
    char* end = nullptr;
    const long v = std::strtol(c, &end, 10);
    if (end == c || v < 0 || v > 256) return fallback;
    return static_cast<int>(v);
}

double SweepDegrees(double a0, double a1) {
    double sweep = std::fmod(std::fmod(a1, 360.0) - std::fmod(a0, 360.0), 360.0);
    if (sweep <= 0) sweep += 360.0;
    return sweep;
}
}  // namespace kv::drawing

namespace {

void FlattenArc(double cx, double cy, double r, double a0, double a1, std::vector<Pt>& out,
                int minSegments = 8) {
    const double sweep = SweepDegrees(a0, a1);
    if (!std::isfinite(a0) || !std::isfinite(sweep)) return;
    const int n = std::max(minSegments, static_cast<int>(std::ceil(sweep / 5.0)));
    for (int i = 0; i <= n; ++i) {
        const double a = rad(a0 + sweep * i / n);
        out.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
}

// Points of one polyline segment from v0 to v1 (bulge of v0), v0 included, v1 excluded.
void SegmentPoints(const Vertex& v0, const Vertex& v1, std::vector<Pt>& out) {
    if (std::fabs(v0.bulge) < 1e-9) {
        out.push_back({v0.x, v0.y});
        return;
    }
    const double dx = v1.x - v0.x, dy = v1.y - v0.y;
    const double chord = std::hypot(dx, dy);
    if (chord == 0) {
        out.push_back({v0.x, v0.y});
        return;
    }
    const double theta = 4 * std::atan(v0.bulge);  // signed sweep
    const double r = chord / (2 * std::sin(std::fabs(theta) / 2));
    const double mx = (v0.x + v1.x) / 2, my = (v0.y + v1.y) / 2;
    const double h = r * std::cos(theta / 2);  // centre distance from the chord
    // Centre lies to the left of the chord for a counter-clockwise (positive) bulge.
    const double sgn = theta > 0 ? 1 : -1;
    const double cx = mx - sgn * h * dy / chord;
    const double cy = my + sgn * h * dx / chord;
    const double a0 = std::atan2(v0.y - cy, v0.x - cx);
    const int n = std::max(4, static_cast<int>(std::ceil(std::fabs(theta) / rad(5))));
    for (int i = 0; i < n; ++i) {
        const double a = a0 + theta * i / n;
        out.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
}

std::vector<Pt> PolylinePoints(const Entity& e) {
    std::vector<Pt> pts;
    const auto& v = e.vertices;
    if (v.empty()) return pts;
    const std::size_t segs = e.closed ? v.size() : v.size() - 1;
    for (std::size_t i = 0; i < segs; ++i) SegmentPoints(v[i], v[(i + 1) % v.size()], pts);
    if (!e.closed) pts.push_back({v.back().x, v.back().y});
    return pts;
}

void Grow(CFRect& r, bool& any, double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    if (!any) {
        r = {static_cast<float>(x), static_cast<float>(y), static_cast<float>(x),
             static_cast<float>(y)};
        any = true;
        return;
    }
    r.left = std::min(r.left, static_cast<float>(x));
    r.right = std::max(r.right, static_cast<float>(x));
    r.bottom = std::min(r.bottom, static_cast<float>(y));
    r.top = std::max(r.top, static_cast<float>(y));
}

}  // namespace

namespace kv::drawing {

unsigned AciToRgb(int aci) {
    static const unsigned base[10] = {0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF,
                                      0x0000FF, 0xFF00FF, 0xFFFFFF, 0x808080, 0xC0C0C0};
    if (aci >= 0 && aci <= 9) return base[aci];
    if (aci >= 250 && aci <= 255) {
        static const unsigned g[6] = {51, 91, 132, 173, 214, 255};
        const unsigned v = g[aci - 250];
        return (v << 16) | (v << 8) | v;
    }
    if (aci < 10 || aci > 249) return 0xFFFFFF;
    // 10..249: 24 hues 15° apart, five brightness levels, each full and pale.
    static const double level[5] = {1.0, 0.74, 0.5, 0.3, 0.15};
    const double hue = ((aci / 10) - 1) * 15.0;
    const int k = aci % 10;
    const double vmax = 255.0 * level[k / 2];
    const double vmin = (k % 2) ? vmax / 2 : 0.0;
    const double h6 = hue / 60.0;
    const int sector = static_cast<int>(h6) % 6;
    const double f = h6 - std::floor(h6);
    const double rise = vmin + (vmax - vmin) * f, fall = vmax - (vmax - vmin) * f;
    double r = 0, g = 0, b = 0;
    switch (sector) {
        case 0: r = vmax; g = rise; b = vmin; break;
        case 1: r = fall; g = vmax; b = vmin; break;
        case 2: r = vmin; g = vmax; b = rise; break;
        case 3: r = vmin; g = fall; b = vmax; break;
        case 4: r = rise; g = vmin; b = vmax; break;
        default: r = vmax; g = vmin; b = fall; break;
    }
    auto c = [](double v) { return static_cast<unsigned>(std::lround(std::clamp(v, 0.0, 255.0))); };
    return (c(r) << 16) | (c(g) << 8) | c(b);
}

std::string DisplayText(std::string_view t) {
    std::string out;
    out.reserve(t.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '%' || i + 2 >= t.size() || t[i + 1] != '%') {
            out.push_back(t[i]);
            continue;
        }
        const char c = t[i + 2];
        if (c >= '0' && c <= '9') {
            std::size_t j = i + 2;
            int n = 0;
            while (j < t.size() && j < i + 5 && t[j] >= '0' && t[j] <= '9') n = n * 10 + (t[j++] - '0');
            // %%nnn is the character of that code; 130..133 are the bar grades of the
            // steel symbol fonts, all shown with the one symbol a TrueType face has.
            if (n >= 130 && n <= 133) out += "Φ";
            else if (n >= 32 && n < 127) out.push_back(static_cast<char>(n));
            else out += std::string(t.substr(i, j - i));
            i = j - 1;
            continue;
        }
        switch (c) {
            case 'c': case 'C': out += "Ø"; break;
            case 'd': case 'D': out += "°"; break;
            case 'p': case 'P': out += "±"; break;
            case '%': out.push_back('%'); break;
            case 'u': case 'U': case 'o': case 'O': break;
            default: out += std::string(t.substr(i, 3)); break;
        }
        i += 2;
    }
    return out;
}

double CShx::TextWidth(std::string_view utf8, double height, double widthFactor) {
    double cells = 0;
    for (char32_t c : Decode(utf8)) cells += IsCjk(c) ? 1.0 : 2.0 / 3.0;
    return cells * height * widthFactor;
}

}  // namespace kv::drawing

DXF::DXF() { New_MemDxf(); }
DXF::~DXF() = default;

int DXF::New_MemDxf() {
    entities_.clear();
    layers_.clear();
    styles_.clear();
    linetypes_.clear();
    apps_.clear();
    skipped_.clear();
    filePath_.clear();
    AddLinetype("CONTINUOUS");
    AddLayer("0", 7, "CONTINUOUS");
    styles_.push_back({"STANDARD", "txt", "", 0.0, 1.0});
    return 1;
}

int DXF::New(const char* path) {
    New_MemDxf();
    filePath_ = path ? path : "";
    return filePath_.empty() ? 0 : 1;
}

int DXF::Add_STyle(const char* name, const char* font, const char* bigFont, float height,
                   float widthFactor) {
    if (!name || !*name) return 0;
    TextStyle s{name, font ? font : "txt", bigFont ? bigFont : "", height,
                widthFactor > 0 ? widthFactor : 1.0};
    for (auto& old : styles_)
        if (old.name == s.name) {
            old = s;
            return 1;
        }
    styles_.push_back(s);
    return 1;
}

int DXF::Write_Tables() { return 1; }
int DXF::Begin_Entity() { return 1; }
int DXF::End_Entity() { return 1; }

int DXF::Close() {
    if (filePath_.empty()) return 0;
    const int ok = Write_MemDxf_To_File(filePath_.c_str());
    filePath_.clear();
    return ok;
}

int DXF::Write_Line(float x1, float y1, float x2, float y2) {
    return Write_Line(x1, y1, 0, x2, y2, 0, 1.0f, "0", "BYLAYER", "BYLAYER");
}

int DXF::Write_Text(float x, float y, float height, float angle, const char* text) {
    return Write_Text(x, y, 0, height, angle, text, FindStyle("HZ") ? "HZ" : "STANDARD", "0", "BYLAYER", "BYLAYER");
}

int DXF::Write_Arc(float cx, float cy, float r, float a0, float a1) {
    return Write_Arc(cx, cy, 0, r, a0, a1, 1.0f, "0", "BYLAYER", "BYLAYER");
}

namespace {
// Layer, colour and line type of the long forms.
void SetAttributes(Entity& e, const char* layer, const char* color, const char* linetype) {
    e.layer = layer && *layer ? layer : "0";
    e.color = ColorNumber(color, kByLayer);
    if (linetype && *linetype && std::strcmp(linetype, "BYLAYER") != 0) e.linetype = linetype;
}
}  // namespace

int DXF::Write_Line(float x1, float y1, float, float x2, float y2, float, float, const char* layer,
                    const char* color, const char* linetype) {
    Entity e;
    e.kind = EntityKind::Line;
    e.x1 = x1, e.y1 = y1, e.x2 = x2, e.y2 = y2;
    SetAttributes(e, layer, color, linetype);
    AddEntity(std::move(e));
    return 1;
}

int DXF::Write_Text(float x, float y, float, float height, float angle, const char* text, const char* style,
                    const char* layer, const char* color, const char* linetype) {
    if (!text) return 0;
    Entity e;
    e.kind = EntityKind::Text;
    e.x1 = x, e.y1 = y;
    e.height = height;
    e.rotation = angle;
    e.text = text;
    const TextStyle* st = style ? FindStyle(style) : nullptr;
    e.style = st ? st->name : "STANDARD";
    e.widthFactor = st ? st->widthFactor : 1.0;
    SetAttributes(e, layer, color, linetype);
    AddEntity(std::move(e));
    return 1;
}

int DXF::Write_Arc(float cx, float cy, float, float r, float a0, float a1, float, const char* layer,
                   const char* color, const char* linetype) {
    Entity e;
    e.kind = EntityKind::Arc;
    e.x1 = cx, e.y1 = cy, e.radius = r, e.startAngle = a0, e.endAngle = a1;
    SetAttributes(e, layer, color, linetype);
    AddEntity(std::move(e));
    return 1;
}

const Layer* DXF::FindLayer(std::string_view name) const {
    for (const auto& l : layers_)
        if (l.name == name) return &l;
    return nullptr;
}

const TextStyle* DXF::FindStyle(std::string_view name) const {
    for (const auto& s : styles_)
        if (s.name == name) return &s;
    return nullptr;
}

void DXF::AddLayer(const std::string& name, int color, const std::string& linetype) {
    if (name.empty() || FindLayer(name)) return;
    std::string lt = linetype.empty() ? "CONTINUOUS" : linetype;
    if (!AddLinetype(lt)) lt = "CONTINUOUS";
    layers_.push_back({name, color, lt});
}

bool DXF::AddLinetype(const std::string& name) {
    for (const auto& l : linetypes_)
        if (l.name == name) return true;
    for (const auto& l : StandardLinetypes())
        if (l.name == name) {
            linetypes_.push_back(l);
            return true;
        }
    return false;
}

void DXF::AddApp(const std::string& name) {
    if (name.empty()) return;
    if (std::find(apps_.begin(), apps_.end(), name) == apps_.end()) apps_.push_back(name);
}

void DXF::AddEntity(Entity e) {
    // Every name an entity uses must be in the tables, or CAD programs refuse the file.
    if (e.layer.empty()) e.layer = "0";
    AddLayer(e.layer, 7, "CONTINUOUS");
    if (!e.linetype.empty() && e.linetype != "BYLAYER" && e.linetype != "BYBLOCK" &&
        !AddLinetype(e.linetype))
        e.linetype.clear();
    if (e.kind == EntityKind::Text && (e.style.empty() || !FindStyle(e.style))) e.style = "STANDARD";
    if (!e.xdata.empty() || !e.xdataApp.empty()) {
        if (e.xdataApp.empty()) e.xdataApp = "KV";
        AddApp(e.xdataApp);
    }
    entities_.push_back(std::move(e));
}

int DXF::ClearAllEntity() {
    entities_.clear();
    return 1;
}

float DXF::GetTextWidth(const char* text, float height) const {
    if (!text) return 0;
    const TextStyle* hz = FindStyle("HZ");
    return static_cast<float>(CShx::TextWidth(text, height, hz ? hz->widthFactor : 1.0));
}

float DXF::GetTextWidth(const char* text, float height, float widthFactor, const char* /*style*/) const {
    // Every style of our drawings sets its texts in the same two SHX fonts.
    if (!text) return 0;
    return static_cast<float>(CShx::TextWidth(text, height, widthFactor));
}

int DXF::GetFRect(CFRect& r) const {
    bool any = false;
    r = {};
    for (const auto& e : entities_) {
        switch (e.kind) {
            case EntityKind::Line:
                Grow(r, any, e.x1, e.y1);
                Grow(r, any, e.x2, e.y2);
                break;
            case EntityKind::Point:
                Grow(r, any, e.x1, e.y1);
                break;
            case EntityKind::Solid:
                Grow(r, any, e.x1, e.y1);
                Grow(r, any, e.x2, e.y2);
                Grow(r, any, e.x3, e.y3);
                Grow(r, any, e.x4, e.y4);
                break;
            case EntityKind::Circle:
                Grow(r, any, e.x1 - e.radius, e.y1 - e.radius);
                Grow(r, any, e.x1 + e.radius, e.y1 + e.radius);
                break;
            case EntityKind::Arc: {
                std::vector<Pt> pts;
                FlattenArc(e.x1, e.y1, e.radius, e.startAngle, e.endAngle, pts, 72);
                for (const auto& p : pts) Grow(r, any, p.x, p.y);
                break;
            }
            case EntityKind::Polyline:
                for (const auto& p : PolylinePoints(e)) Grow(r, any, p.x, p.y);
                break;
            case EntityKind::Text: {
                const TextBox b = BoxOf(e);
                const double vx = -b.uy, vy = b.ux;
                Grow(r, any, b.bx, b.by);
                Grow(r, any, b.bx + b.width * b.ux, b.by + b.width * b.uy);
                Grow(r, any, b.bx + b.height * vx, b.by + b.height * vy);
                Grow(r, any, b.bx + b.width * b.ux + b.height * vx,
                     b.by + b.width * b.uy + b.height * vy);
                break;
            }
        }
    }
    return any ? 1 : 0;
}

int DXF::GetFRect(float* x1, float* y1, float* x2, float* y2) const {
    CFRect r;
    const int ok = GetFRect(r);
    if (x1) *x1 = r.left;
    if (y1) *y1 = r.bottom;
    if (x2) *x2 = r.right;
    if (y2) *y2 = r.top;
    return ok;
}

int DXF::InsertDxf(const DXF& src, float x, float y, float angle, float sx, float sy) {
    const double c = std::cos(rad(angle)), s = std::sin(rad(angle));
    // Scale first, then turn: [c −s; s c]·[sx 0; 0 sy].
    return InsertDxfAffine(src, c * sx, -s * sy, s * sx, c * sy, x, y);
}

int DXF::InsertDxfAffine(const DXF& src, double a, double b, double c, double d, double tx,
                         double ty) {
    if (&src == this) return 0;
    for (const auto& st : src.styles_)
        if (!FindStyle(st.name)) styles_.push_back(st);
    for (const auto& lt : src.linetypes_) AddLinetype(lt.name);
    for (const auto& l : src.layers_) AddLayer(l.name, l.color, l.linetype);
    for (const auto& app : src.apps_) AddApp(app);

    auto map = [&](double& px, double& py) {
        const double nx = a * px + b * py + tx, ny = c * px + d * py + ty;
        px = nx, py = ny;
    };
    const double det = a * d - b * c;
    const double sx = std::hypot(a, c), sy = std::hypot(b, d);
    // A similarity (equal scales, square angle) keeps circles circles.
    const bool similar = std::fabs(sx - sy) <= 1e-9 * std::max(sx, sy) &&
                         std::fabs(a * b + c * d) <= 1e-9 * sx * sy;
    const bool mirrored = det < 0;

    entities_.reserve(entities_.size() + src.entities_.size());
    for (Entity e : src.entities_) {
        switch (e.kind) {
            case EntityKind::Line:
                map(e.x1, e.y1);
                map(e.x2, e.y2);
                break;
            case EntityKind::Point:
                map(e.x1, e.y1);
                break;
            case EntityKind::Solid:
                map(e.x1, e.y1);
                map(e.x2, e.y2);
                map(e.x3, e.y3);
                map(e.x4, e.y4);
                break;
            case EntityKind::Circle:
            case EntityKind::Arc:
                if (similar) {
                    const double a0 = e.kind == EntityKind::Arc ? e.startAngle : 0;
                    const double a1 = e.kind == EntityKind::Arc ? e.endAngle : 0;
                    auto turn = [&](double deg) {
                        const double ux = std::cos(rad(deg)), uy = std::sin(rad(deg));
                        return std::atan2(c * ux + d * uy, a * ux + b * uy) * 180.0 / kPi;
                    };
                    map(e.x1, e.y1);
                    e.radius *= sx;
                    if (e.kind == EntityKind::Arc) {
                        // A mirror runs the arc the other way round.
                        e.startAngle = mirrored ? turn(a1) : turn(a0);
                        e.endAngle = mirrored ? turn(a0) : turn(a1);
                        if (e.startAngle < 0) e.startAngle += 360;
                        if (e.endAngle < 0) e.endAngle += 360;
                    }
                } else {
                    std::vector<Pt> pts;
                    if (e.kind == EntityKind::Circle) FlattenArc(e.x1, e.y1, e.radius, 0, 360, pts, 72);
                    else FlattenArc(e.x1, e.y1, e.radius, e.startAngle, e.endAngle, pts);
                    e.kind = EntityKind::Polyline;
                    e.closed = false;
                    e.vertices.clear();
                    for (auto p : pts) {
                        map(p.x, p.y);
                        e.vertices.push_back({p.x, p.y});
                    }
                }
                break;
            case EntityKind::Polyline: {
                const double ws = std::sqrt(std::fabs(det));
                for (auto& v : e.vertices) {
                    map(v.x, v.y);
                    v.startWidth *= ws;
                    v.endWidth *= ws;
                    if (mirrored) v.bulge = -v.bulge;
                }
                break;
            }
            case EntityKind::Text: {
                // The baseline direction follows the map; a mirrored text stays readable.
                const double ux = std::cos(rad(e.rotation)), uy = std::sin(rad(e.rotation));
                const double dx = a * ux + b * uy, dy = c * ux + d * uy;
                const double vx = -uy, vy = ux;
                const double hx = a * vx + b * vy, hy = c * vx + d * vy;
                const double along = std::hypot(dx, dy);
                const double across = along > 0 ? std::fabs(dx * hy - dy * hx) / along : 0;
                map(e.x1, e.y1);
                e.height *= across;
                if (along > 0 && across > 0) e.widthFactor *= along / across;
                e.rotation = std::fmod(std::atan2(dy, dx) * 180.0 / kPi + 360.0, 360.0);
                if (mirrored) {
                    // A mirror image would read backwards. Either the text keeps the
                    // mapped baseline and flips to its other side (top <-> bottom),
                    // or it turns round and its start and end change places; the
                    // one that reads upright is kept.
                    if (e.rotation > 90.0 + 1e-6 && e.rotation <= 270.0 + 1e-6) {
                        e.rotation = std::fmod(e.rotation + 180.0, 360.0);
                        e.hAlign = e.hAlign == 0 ? 2 : (e.hAlign == 2 ? 0 : e.hAlign);
                    } else {
                        e.vAlign = e.vAlign == 3 ? 1 : (e.vAlign == 2 ? 2 : 3);
                    }
                }
                break;
            }
        }
        entities_.push_back(std::move(e));
    }
    return 1;
}

void DXF::Draw(CDrawSurface& surface, const CFCoor& coor, float textFactor, bool whitePaper) const {
    const double scale = coor.GetScale();
    auto colorOf = [&](const Entity& e) {
        int aci = e.color;
        if (aci == kByLayer || aci < 0) {
            const Layer* l = FindLayer(e.layer);
            aci = l ? std::abs(l->color) : 7;
        }
        if (aci == kByBlock) aci = 7;
        unsigned rgb = AciToRgb(aci);
        if (whitePaper && rgb == 0xFFFFFF) rgb = 0x000000;
        return rgb;
    };
    auto dashesOf = [&](const Entity& e) {
        std::string name = e.linetype;
        if (name.empty() || name == "BYLAYER") {
            const Layer* l = FindLayer(e.layer);
            name = l ? l->linetype : "CONTINUOUS";
        }
        std::vector<double> out;
        for (const auto& lt : linetypes_)
            if (lt.name == name) {
                double total = 0;
                for (double p : lt.pattern) {
                    const double px = std::max(std::fabs(p) * 100.0 * scale, p == 0 ? 1.0 : 0.0);
                    out.push_back(px);
                    total += px;
                }
                if (total < 4.0) out.clear();  // too fine to see: draw it solid
            }
        return out;
    };
    auto dev = [&](double x, double y, std::vector<double>& xy) {
        double dx, dy;
        coor.FPtoDP(x, y, dx, dy);
        xy.push_back(dx);
        xy.push_back(dy);
    };

    for (const auto& e : entities_) {
        const unsigned rgb = colorOf(e);
        std::vector<double> xy;
        switch (e.kind) {
            case EntityKind::Line:
                dev(e.x1, e.y1, xy);
                dev(e.x2, e.y2, xy);
                surface.Path(xy, false, rgb, 0, dashesOf(e));
                break;
            case EntityKind::Point:
                dev(e.x1, e.y1, xy);
                dev(e.x1, e.y1, xy);
                xy[2] += 1;
                surface.Path(xy, false, rgb, 0, {});
                break;
            case EntityKind::Solid:
                dev(e.x1, e.y1, xy);
                dev(e.x2, e.y2, xy);
                dev(e.x4, e.y4, xy);
                dev(e.x3, e.y3, xy);
                surface.Fill(xy, rgb);
                break;
            case EntityKind::Circle:
            case EntityKind::Arc: {
                std::vector<Pt> pts;
                const double r_px = e.radius * scale;
                const int minSeg = std::clamp(static_cast<int>(r_px / 2), 8, 180);
                if (e.kind == EntityKind::Circle) FlattenArc(e.x1, e.y1, e.radius, 0, 360, pts, minSeg);
                else FlattenArc(e.x1, e.y1, e.radius, e.startAngle, e.endAngle, pts, minSeg / 4 + 2);
                for (const auto& p : pts) dev(p.x, p.y, xy);
                surface.Path(xy, false, rgb, 0, dashesOf(e));
                break;
            }
            case EntityKind::Polyline: {
                const auto& v = e.vertices;
                if (v.empty()) break;
                bool wide = false;
                for (const auto& p : v) wide = wide || p.startWidth > 0 || p.endWidth > 0;
                if (!wide) {
                    for (const auto& p : PolylinePoints(e)) dev(p.x, p.y, xy);
                    surface.Path(xy, e.closed, rgb, 0, dashesOf(e));
                    break;
                }
                // Wide segments are filled bands, tapered from start to end width.
                const std::size_t segs = e.closed ? v.size() : v.size() - 1;
                for (std::size_t i = 0; i < segs; ++i) {
                    const Vertex& a = v[i];
                    const Vertex& b = v[(i + 1) % v.size()];
                    std::vector<Pt> pts;
                    SegmentPoints(a, b, pts);
                    pts.push_back({b.x, b.y});
                    if (a.startWidth <= 0 && a.endWidth <= 0) {
                        for (const auto& p : pts) dev(p.x, p.y, xy);
                        surface.Path(xy, false, rgb, 0, dashesOf(e));
                        xy.clear();
                        continue;
                    }
                    const std::size_t n = pts.size();
                    std::vector<Pt> left, right;
                    for (std::size_t k = 0; k < n; ++k) {
                        const Pt& p = pts[k];
                        const Pt& q = pts[k + 1 < n ? k + 1 : k];
                        const Pt& o = pts[k > 0 ? k - 1 : 0];
                        double tx = (k + 1 < n ? q.x - p.x : p.x - o.x);
                        double ty = (k + 1 < n ? q.y - p.y : p.y - o.y);
                        const double len = std::hypot(tx, ty);
                        if (len == 0) continue;
                        tx /= len, ty /= len;
                        const double w = a.startWidth + (a.endWidth - a.startWidth) * k / (n - 1);
                        left.push_back({p.x - ty * w / 2, p.y + tx * w / 2});
                        right.push_back({p.x + ty * w / 2, p.y - tx * w / 2});
                    }
                    for (const auto& p : left) dev(p.x, p.y, xy);
                    for (auto it = right.rbegin(); it != right.rend(); ++it) dev(it->x, it->y, xy);
                    if (xy.size() >= 6) surface.Fill(xy, rgb);
                    xy.clear();
                }
                break;
            }
            case EntityKind::Text: {
                if (e.text.empty() || e.height <= 0) break;
                Entity shown = e;
                shown.text = DisplayText(e.text);
                const TextBox b = BoxOf(shown, textFactor);
                double dx, dy;
                coor.FPtoDP(b.bx, b.by, dx, dy);
                surface.Text(dx, dy, b.height * scale, b.width * scale, -e.rotation, shown.text, rgb);
                break;
            }
        }
    }
}
