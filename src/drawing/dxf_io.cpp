// Writing the drawing as R12 ASCII DXF, and reading DXF files through dxflib.
#include <algorithm>
#include <charconv>
#include <memory>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <sstream>

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include "drawing/dxf.h"
#include "platform/codec.h"
#include "platform/textfile.h"

using namespace kv::drawing;

namespace {

// Longest value line the reader takes; longer lines are not DXF.
constexpr std::size_t kMaxValueBytes = 2048;

// ---------------------------------------------------------------- writing

class Out {
public:
    void Pair(int code, std::string_view value) {
        Code(code);
        s_.append(value);
        s_.push_back('\n');
    }
    void Text(int code, std::string_view utf8) {
        // One line per value: a line break inside a text would end the group.
        std::string flat(utf8);
        for (char& c : flat)
            if (c == '\n' || c == '\r') c = ' ';
        Pair(code, kv::platform::CutGbk(kv::platform::Utf8ToGbkLossy(flat), kMaxValueBytes));
    }
    void Int(int code, long long v) {
        Code(code);
        char buf[32];
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        s_.append(buf, r.ptr);
        s_.push_back('\n');
    }
    void Real(int code, double v) {
        if (!std::isfinite(v)) v = 0;
        if (v == 0) v = 0;  // no "-0"
        Code(code);
        char buf[64];
        // Shortest text that reads back to the same double.
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        s_.append(buf, r.ptr);
        s_.push_back('\n');
    }
    void Point(int base, double x, double y) {
        Real(base, x);
        Real(base + 10, y);
        Real(base + 20, 0.0);
    }
    std::string& str() { return s_; }

private:
    void Code(int code) {
        char buf[16];
        auto r = std::to_chars(buf, buf + sizeof buf, code);
        // Group codes right-aligned in three columns, as AutoCAD writes them.
        for (int pad = 3 - static_cast<int>(r.ptr - buf); pad > 0; --pad) s_.push_back(' ');
        s_.append(buf, r.ptr);
        s_.push_back('\n');
    }
    std::string s_;
};

void Common(Out& o, const char* type, const Entity& e) {
    o.Pair(0, type);
    o.Text(8, e.layer.empty() ? "0" : e.layer);
    if (!e.linetype.empty()) o.Text(6, e.linetype);
    if (e.color != kByLayer) o.Int(62, e.color);
}

void XData(Out& o, const Entity& e) {
    if (e.xdataApp.empty() && e.xdata.empty()) return;
    o.Text(1001, e.xdataApp.empty() ? "KV" : e.xdataApp);
    for (const auto& item : e.xdata) {
        if (item.code >= 1010 && item.code <= 1059 && item.code != 1040 && item.code != 1041 &&
            item.code != 1042)
            continue;  // points need three groups; the pens never store them
        if (item.code == 1000 || item.code == 1003 || item.code == 1005)
            o.Text(item.code, item.value);
        else if (item.code == 1002)
            o.Pair(1002, item.value == "}" ? "}" : "{");
        else
            o.Pair(item.code, item.value);
    }
}

// Baseline-left corner of an aligned text (group 10), from its anchor (group 11).
void TextStart(const Entity& e, double& x, double& y) {
    const double w = CShx::TextWidth(e.text, e.height, e.widthFactor);
    const double a = e.rotation * kPi / 180.0;
    const double ux = std::cos(a), uy = std::sin(a);
    double along = 0, up = 0;
    if (e.hAlign == 1) along = -w / 2;
    else if (e.hAlign == 2) along = -w;
    if (e.vAlign == 2) up = -e.height / 2;
    else if (e.vAlign == 3) up = -e.height;
    x = e.x1 + along * ux - up * uy;
    y = e.y1 + along * uy + up * ux;
}

void WriteEntity(Out& o, const Entity& e) {
    switch (e.kind) {
        case EntityKind::Line:
            Common(o, "LINE", e);
            o.Point(10, e.x1, e.y1);
            o.Point(11, e.x2, e.y2);
            XData(o, e);
            break;
        case EntityKind::Point:
            Common(o, "POINT", e);
            o.Point(10, e.x1, e.y1);
            XData(o, e);
            break;
        case EntityKind::Circle:
            Common(o, "CIRCLE", e);
            o.Point(10, e.x1, e.y1);
            o.Real(40, e.radius);
            XData(o, e);
            break;
        case EntityKind::Arc:
            Common(o, "ARC", e);
            o.Point(10, e.x1, e.y1);
            o.Real(40, e.radius);
            o.Real(50, e.startAngle);
            o.Real(51, e.endAngle);
            XData(o, e);
            break;
        case EntityKind::Solid:
            Common(o, "SOLID", e);
            o.Point(10, e.x1, e.y1);
            o.Point(11, e.x2, e.y2);
            o.Point(12, e.x3, e.y3);
            o.Point(13, e.x4, e.y4);
            XData(o, e);
            break;
        case EntityKind::Text: {
            Common(o, "TEXT", e);
            double sx = e.x1, sy = e.y1;
            const bool aligned = e.hAlign != 0 || e.vAlign != 0;
            if (aligned) TextStart(e, sx, sy);
            o.Point(10, sx, sy);
            o.Real(40, e.height);
            o.Text(1, e.text);
            if (e.rotation != 0) o.Real(50, e.rotation);
            if (e.widthFactor != 1) o.Real(41, e.widthFactor);
            o.Text(7, e.style.empty() ? "STANDARD" : e.style);
            if (e.hAlign != 0) o.Int(72, e.hAlign);
            if (aligned) o.Point(11, e.x1, e.y1);
            if (e.vAlign != 0) o.Int(73, e.vAlign);
            XData(o, e);
            break;
        }
        case EntityKind::Polyline: {
            if (e.vertices.empty()) break;
            Common(o, "POLYLINE", e);
            o.Int(66, 1);
            o.Point(10, 0, 0);
            o.Int(70, e.closed ? 1 : 0);
            XData(o, e);
            for (const auto& v : e.vertices) {
                o.Pair(0, "VERTEX");
                o.Text(8, e.layer.empty() ? "0" : e.layer);
                o.Point(10, v.x, v.y);
                if (v.startWidth != 0) o.Real(40, v.startWidth);
                if (v.endWidth != 0) o.Real(41, v.endWidth);
                if (v.bulge != 0) o.Real(42, v.bulge);
            }
            o.Pair(0, "SEQEND");
            o.Text(8, e.layer.empty() ? "0" : e.layer);
            break;
        }
    }
}

// ---------------------------------------------------------------- reading

void AppendUtf8(std::string& out, unsigned v) {
    if (v < 0x80) {
        out.push_back(static_cast<char>(v));
    } else if (v < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (v >> 6)));
        out.push_back(static_cast<char>(0x80 | (v & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (v >> 12)));
        out.push_back(static_cast<char>(0x80 | ((v >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (v & 0x3F)));
    }
}

// The code point of a "\U+XXXX" escape starting at s[i], or 0 when there is none.
unsigned UnicodeEscape(std::string_view s, std::size_t i) {
    if (i + 7 > s.size() || s[i] != '\\' || (s[i + 1] != 'U' && s[i + 1] != 'u') || s[i + 2] != '+') return 0;
    unsigned v = 0;
    auto r = std::from_chars(s.data() + i + 3, s.data() + i + 7, v, 16);
    return r.ec == std::errc() && r.ptr == s.data() + i + 7 ? v : 0;
}

// Decodes the "\U+XXXX" escapes newer CAD programs write for characters outside the code page.
std::string Unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (unsigned v = UnicodeEscape(s, i)) {
            AppendUtf8(out, v);
            i += 6;
            continue;
        }
        out.push_back(s[i]);
    }
    return out;
}

// The plain lines of an MTEXT value (UTF-8): its formatting codes (fonts, heights,
// colours, underlines, braces, ...) are dropped, paragraph and column breaks end a
// line, stacked fractions read "a/b".
std::vector<std::string> MTextLines(const std::string& s) {
    std::vector<std::string> lines(1);
    auto skipPast = [&s](std::size_t from, char end) {
        std::size_t at = s.find(end, from);
        return at == std::string::npos ? s.size() : at + 1;
    };
    for (std::size_t i = 0; i < s.size();) {
        const char c = s[i];
        if (c == '{' || c == '}') {
            ++i;
            continue;
        }
        if (c == '^' && i + 1 < s.size() && (s[i + 1] == 'J' || s[i + 1] == 'I')) {
            // caret forms of a line feed and a tab
            if (s[i + 1] == 'J') lines.emplace_back();
            else lines.back().push_back(' ');
            i += 2;
            continue;
        }
        if (c != '\\' || i + 1 >= s.size()) {
            lines.back().push_back(c);
            ++i;
            continue;
        }
        const char code = s[i + 1];
        switch (code) {
            case 'P': case 'N': case 'X':
                lines.emplace_back();
                i += 2;
                break;
            case '~':
                lines.back().push_back(' ');
                i += 2;
                break;
            case '\\': case '{': case '}':
                lines.back().push_back(code);
                i += 2;
                break;
            case 'U': case 'u':
                if (unsigned v = UnicodeEscape(s, i)) {
                    AppendUtf8(lines.back(), v);
                    i += 7;
                } else {
                    // an escape cut short (at the end of the text) goes whole
                    i += 2;
                    if (i < s.size() && s[i] == '+') {
                        const std::size_t end = std::min(s.size(), i + 5);
                        for (++i; i < end && std::isxdigit(static_cast<unsigned char>(s[i]));) ++i;
                    }
                }
                break;
            case 'M': case 'm': {
                // "\M+5XXXX": a double-byte character of code page 5 (GB2312).
                unsigned v = 0;
                const bool whole = i + 8 <= s.size() && s[i + 2] == '+' &&
                                   std::from_chars(s.data() + i + 4, s.data() + i + 8, v, 16).ptr == s.data() + i + 8;
                if (whole && s[i + 3] == '5' && v >= 0x8140) {
                    const char gbk[2] = {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
                    lines.back() += kv::platform::GbkToUtf8Lossy(std::string_view(gbk, 2));
                }
                i += whole ? 8 : 2;
                break;
            }
            case 'S': {
                // "\Stop^bottom;", "\Stop/bottom;" and "\Stop#bottom;" stack two texts.
                const std::size_t end = skipPast(i + 2, ';');
                std::string stack = s.substr(i + 2, end - (i + 2));
                if (!stack.empty() && stack.back() == ';') stack.pop_back();
                const std::size_t bar = stack.find_first_of("^/#");
                std::string top = stack.substr(0, bar);
                std::string bottom = bar == std::string::npos ? std::string() : stack.substr(bar + 1);
                while (!bottom.empty() && bottom.front() == ' ') bottom.erase(0, 1);
                lines.back() += bottom.empty() ? top : top + "/" + bottom;
                i = end;
                break;
            }
            case 'f': case 'F': case 'H': case 'h': case 'W': case 'w': case 'Q': case 'q':
            case 'T': case 't': case 'A': case 'a': case 'C': case 'c': case 'p':
                i = skipPast(i + 2, ';');  // a setting up to its ';'
                break;
            default:
                i += 2;  // on/off switches (\L \l \O \o \K \k) and codes not known
                break;
        }
    }
    return lines;
}

bool Blank(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

const char* DxfTypeOf(EntityKind k) {
    switch (k) {
        case EntityKind::Line: return "LINE";
        case EntityKind::Point: return "POINT";
        case EntityKind::Circle: return "CIRCLE";
        case EntityKind::Arc: return "ARC";
        case EntityKind::Solid: return "SOLID";
        case EntityKind::Text: return "TEXT";
        case EntityKind::Polyline: return "POLYLINE";
    }
    return "?";
}

class Reader : public DL_CreationAdapter {
public:
    explicit Reader(DXF& dxf) : dxf_(dxf) {}

    bool utf8 = false;     // files of AutoCAD 2007 and later store UTF-8
    bool sawEof = false;
    bool sawSection = false;

    std::string Decode(const std::string& raw) const {
        bool ascii = true;
        for (unsigned char c : raw) ascii = ascii && c < 0x80 && c != '\\';
        if (ascii) return raw;  // names and numbers: nothing to convert
        return Unescape(DecodeBytes(raw));
    }
    // The text in UTF-8, escapes left as they are.
    std::string DecodeBytes(const std::string& raw) const {
        bool ascii = true;
        for (unsigned char c : raw) ascii = ascii && c < 0x80;
        if (ascii) return raw;
        return utf8 && kv::platform::IsValidUtf8(raw) ? raw : kv::platform::GbkToUtf8Lossy(raw);
    }

    // Raw groups, seen before dxflib handles them. Values of the entity being
    // parsed are collected; a code 0 closes it, and dxflib's add… call for it
    // follows, which then finds them in `done_`.
    void Raw(int code, const std::string& value) {
        if (code == 0) {
            done_ = std::move(cur_);
            cur_ = Pending{};
            cur_.type = value;
            if (value == "EOF") sawEof = true;
            if (value == "SECTION") sawSection = true;
            if (value == "ENDSEC") section_.clear();
            // LWPOLYLINE and MTEXT are built here: dxflib's own handling is bypassed.
            FinishLw();
            FinishMText();
            if (value == "LWPOLYLINE") lw_ = std::make_unique<Entity>(), lw_->kind = EntityKind::Polyline;
            else if (value == "MTEXT") mt_ = std::make_unique<MText>();
            else if (section_ == "ENTITIES" && !IsHandledType(value) && value != "ATTRIB") ++skipped_[value];
            return;
        }
        if (code == 2 && cur_.type == "SECTION") section_ = value;
        if (code == 1001) {
            cur_.app = Decode(value);
            cur_.inXData = true;
            return;
        }
        if (cur_.inXData && code >= 1000) {
            cur_.xdata.push_back({code, code == 1000 || code == 1003 || code == 1005 ? Decode(value) : value});
            return;
        }
        if (code == 1) cur_.text = value;
        if (code == 40) cur_.w40 = ToReal(value);
        if (code == 41) cur_.w41 = ToReal(value);
        if (code == 2 && cur_.type == "APPID") dxf_.AddApp(Decode(value));
        if (lw_) LwGroup(code, value);
        if (mt_) MTextGroup(code, value);
    }

    // Entities of the ENTITIES section that are not drawn, by DXF type.
    const std::map<std::string, int>& Skipped() const { return skipped_; }

    static bool IsHandledType(const std::string& t) {
        static const char* kinds[] = {"SECTION", "ENDSEC", "TABLE", "ENDTAB", "EOF", "LAYER",
                                      "LTYPE", "STYLE", "BLOCK", "ENDBLK", "LINE", "ARC",
                                      "CIRCLE", "POLYLINE", "VERTEX", "SEQEND", "TEXT",
                                      "SOLID", "TRACE", "POINT"};
        for (const char* k : kinds)
            if (t == k) return true;
        return false;
    }
    const std::string& CurrentType() const { return cur_.type; }
    bool InLw() const { return lw_ != nullptr; }

    void setVariableString(const std::string& key, const std::string& value, int) override {
        if (key == "$ACADVER") {
            // AC1021 (2007) and later are UTF-8.
            utf8 = value.size() >= 6 && value.compare(0, 2, "AC") == 0 && std::atoi(value.c_str() + 2) >= 1021;
        }
    }

    void addLayer(const DL_LayerData& d) override {
        const auto& a = getAttributes();
        std::string lt = a.getLinetype();
        if (lt == "BYLAYER" || lt.empty()) lt = "CONTINUOUS";
        dxf_.AddLayer(Decode(d.name), a.getColor(), Decode(lt));
    }
    void addTextStyle(const DL_StyleData& d) override {
        if (d.name.empty()) return;
        dxf_.Add_STyle(Decode(d.name).c_str(), Decode(d.primaryFontFile).c_str(),
                       Decode(d.bigFontFile).c_str(), static_cast<float>(d.fixedTextHeight),
                       static_cast<float>(d.widthFactor));
    }
    void addBlock(const DL_BlockData&) override { ++inBlock_; }
    void endBlock() override {
        if (inBlock_ > 0) --inBlock_;
    }

    void addPoint(const DL_PointData& d) override {
        Entity e = Base(EntityKind::Point);
        e.x1 = d.x, e.y1 = d.y;
        Add(std::move(e));
    }
    void addLine(const DL_LineData& d) override {
        Entity e = Base(EntityKind::Line);
        e.x1 = d.x1, e.y1 = d.y1, e.x2 = d.x2, e.y2 = d.y2;
        Add(std::move(e));
    }
    void addArc(const DL_ArcData& d) override {
        Entity e = Base(EntityKind::Arc);
        e.x1 = d.cx, e.y1 = d.cy, e.radius = d.radius, e.startAngle = d.angle1, e.endAngle = d.angle2;
        Add(std::move(e));
    }
    void addCircle(const DL_CircleData& d) override {
        Entity e = Base(EntityKind::Circle);
        e.x1 = d.cx, e.y1 = d.cy, e.radius = d.radius;
        Add(std::move(e));
    }
    void addSolid(const DL_SolidData& d) override { Quad(d); }
    void addTrace(const DL_TraceData& d) override { Quad(d); }
    void addText(const DL_TextData& d) override {
        Entity e = Base(EntityKind::Text);
        e.hAlign = (d.hJustification >= 0 && d.hJustification <= 2) ? d.hJustification : 0;
        e.vAlign = (d.vJustification >= 0 && d.vJustification <= 3) ? d.vJustification : 0;
        const bool aligned = e.hAlign != 0 || e.vAlign != 0;
        e.x1 = aligned ? d.apx : d.ipx;
        e.y1 = aligned ? d.apy : d.ipy;
        e.height = d.height;
        e.widthFactor = d.xScaleFactor > 0 ? d.xScaleFactor : 1.0;
        e.rotation = d.angle * 180.0 / kPi;  // dxflib gives radians
        e.style = Decode(d.style);
        e.text = Decode(done_.text);
        Add(std::move(e));
    }
    void addPolyline(const DL_PolylineData& d) override {
        if (done_.type == "LWPOLYLINE" || cur_.type == "LWPOLYLINE") return;
        poly_ = std::make_unique<Entity>(Base(EntityKind::Polyline));
        poly_->closed = (d.flags & 1) != 0;
    }
    void addVertex(const DL_VertexData& d) override {
        if (!poly_) return;
        Vertex v;
        v.x = d.x, v.y = d.y, v.bulge = d.bulge;
        v.startWidth = done_.w40;
        v.endWidth = done_.w41;
        poly_->vertices.push_back(v);
    }
    void endSequence() override {
        if (!poly_) return;
        Add(std::move(*poly_));
        poly_.reset();
    }

    void Finish() {
        FinishLw();
        FinishMText();
        if (poly_) endSequence();
    }

private:
    struct Pending {
        std::string type, text, app;
        double w40 = 0, w41 = 0;
        bool inXData = false;
        std::vector<XDataItem> xdata;
    };

    static double ToReal(const std::string& v) {
        double d = 0;
        auto r = std::from_chars(v.data(), v.data() + v.size(), d);
        return (r.ec == std::errc() && std::isfinite(d)) ? d : 0.0;
    }

    Entity Base(EntityKind k) {
        Entity e;
        e.kind = k;
        const auto& a = getAttributes();
        e.layer = Decode(a.getLayer());
        if (e.layer.empty()) e.layer = "0";
        e.color = a.getColor();
        if (e.color < 0 || e.color > 256) e.color = kByLayer;
        std::string lt = a.getLinetype();
        e.linetype = (lt == "BYLAYER") ? std::string() : Decode(lt);
        if (!done_.app.empty() || !done_.xdata.empty()) {
            e.xdataApp = done_.app;
            e.xdata = done_.xdata;
        }
        return e;
    }

    template <class Q>
    void Quad(const Q& d) {
        Entity e = Base(EntityKind::Solid);
        e.x1 = d.x[0], e.y1 = d.y[0], e.x2 = d.x[1], e.y2 = d.y[1];
        e.x3 = d.x[2], e.y3 = d.y[2], e.x4 = d.x[3], e.y4 = d.y[3];
        Add(std::move(e));
    }

    static bool Finite(const Entity& e) {
        for (double v : {e.x1, e.y1, e.x2, e.y2, e.x3, e.y3, e.x4, e.y4, e.radius, e.startAngle,
                         e.endAngle, e.height, e.rotation, e.widthFactor})
            if (!std::isfinite(v) || std::fabs(v) > 1e300) return false;
        for (const auto& v : e.vertices)
            for (double c : {v.x, v.y, v.startWidth, v.endWidth, v.bulge})
                if (!std::isfinite(c) || std::fabs(c) > 1e300) return false;
        return true;
    }

    void Add(Entity e) {
        if (inBlock_ > 0) return;  // block definitions are not drawn by themselves
        if (!Finite(e)) {          // "1e999" and the like would poison extents and painting
            ++skipped_[DxfTypeOf(e.kind)];
            return;
        }
        dxf_.AddEntity(std::move(e));
    }

    void LwGroup(int code, const std::string& value) {
        Entity& e = *lw_;
        switch (code) {
            case 8: e.layer = Decode(value); break;
            case 6: e.linetype = value == "BYLAYER" ? std::string() : Decode(value); break;
            case 62: e.color = static_cast<int>(ToReal(value)); break;
            case 70: e.closed = (static_cast<int>(ToReal(value)) & 1) != 0; break;
            case 43: lwWidth_ = ToReal(value); break;
            case 10: e.vertices.push_back({ToReal(value), 0, lwWidth_, lwWidth_, 0}); break;
            case 20: if (!e.vertices.empty()) e.vertices.back().y = ToReal(value); break;
            case 40: if (!e.vertices.empty()) e.vertices.back().startWidth = ToReal(value); break;
            case 41: if (!e.vertices.empty()) e.vertices.back().endWidth = ToReal(value); break;
            case 42: if (!e.vertices.empty()) e.vertices.back().bulge = ToReal(value); break;
            default: break;
        }
    }
    void FinishLw() {
        if (!lw_) return;
        Entity e = std::move(*lw_);
        lw_.reset();
        lwWidth_ = 0;
        if (e.layer.empty()) e.layer = "0";
        if (e.color < 0 || e.color > 256) e.color = kByLayer;
        e.xdataApp = done_.app;
        e.xdata = done_.xdata;
        if (!e.vertices.empty()) Add(std::move(e));
    }

    struct MText {
        Entity base;  // layer, colour, line type
        std::string raw, style;
        double x = 0, y = 0, height = 0, spacing = 1, angle = 0, dx = 0, dy = 0;
        int attach = 1;
        bool byDirection = false;  // the direction vector came after the angle
        bool embedded = false;     // past group 101: column data, not the text's own
    };

    void MTextGroup(int code, const std::string& value) {
        MText& m = *mt_;
        if (code == 101) m.embedded = true;
        if (m.embedded) return;
        switch (code) {
            case 8: m.base.layer = Decode(value); break;
            case 6: m.base.linetype = value == "BYLAYER" ? std::string() : Decode(value); break;
            case 62: m.base.color = static_cast<int>(ToReal(value)); break;
            case 7: m.style = Decode(value); break;
            case 10: m.x = ToReal(value); break;
            case 20: m.y = ToReal(value); break;
            case 40: m.height = ToReal(value); break;
            case 44: m.spacing = ToReal(value); break;
            case 71: m.attach = static_cast<int>(ToReal(value)); break;
            // degrees, as CAD programs write it (the group-code table says radians)
            case 50: m.angle = ToReal(value) * kPi / 180.0, m.byDirection = false; break;
            case 11: m.dx = ToReal(value), m.byDirection = true; break;
            case 21: m.dy = ToReal(value), m.byDirection = true; break;
            // Long texts come in chunks (3) before their end (1); a chunk may cut a
            // GBK character, so they are decoded together.
            case 3: case 1:
                if (m.raw.size() < 64 * kMaxValueBytes) m.raw += value;
                break;
            default: break;
        }
    }

    // One TEXT per line of the MTEXT, hanging from its top, a line pitch of 5/3 of
    // the height apart, placed as the attachment point says.
    void FinishMText() {
        if (!mt_) return;
        MText m = std::move(*mt_);
        mt_.reset();
        const std::vector<std::string> lines = MTextLines(DecodeBytes(m.raw));
        const double h = m.height > 0 ? m.height : 2.5;
        const double a = m.byDirection && (m.dx != 0 || m.dy != 0) ? std::atan2(m.dy, m.dx) : m.angle;
        const int attach = m.attach >= 1 && m.attach <= 9 ? m.attach : 1;
        const int row = (attach - 1) / 3, column = (attach - 1) % 3;
        const double pitch = h * 5.0 / 3.0 * (m.spacing > 0 ? m.spacing : 1.0);
        const double block = static_cast<double>(lines.size() - 1) * pitch + h;
        const double top = row == 0 ? 0.0 : row == 1 ? block / 2 : block;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (Blank(lines[i])) continue;
            Entity e = m.base;
            e.kind = EntityKind::Text;
            if (e.layer.empty()) e.layer = "0";
            if (e.color < 0 || e.color > 256) e.color = kByLayer;
            e.text = lines[i];
            e.height = h;
            e.rotation = a * 180.0 / kPi;
            e.style = m.style;
            e.hAlign = column;
            e.vAlign = 3;
            const double up = top - static_cast<double>(i) * pitch;
            e.x1 = m.x - up * std::sin(a);
            e.y1 = m.y + up * std::cos(a);
            e.xdataApp = done_.app;
            e.xdata = done_.xdata;
            Add(std::move(e));
        }
    }

    DXF& dxf_;
    Pending cur_, done_;
    std::unique_ptr<Entity> poly_, lw_;
    std::unique_ptr<MText> mt_;
    std::string section_;
    std::map<std::string, int> skipped_;
    double lwWidth_ = 0;
    int inBlock_ = 0;
};

bool ParseCode(std::string_view line, int& code) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    if (line.empty()) return false;
    auto r = std::from_chars(line.data(), line.data() + line.size(), code);
    return r.ec == std::errc() && r.ptr == line.data() + line.size() && code >= 0 && code <= 1071;
}

}  // namespace

std::string DXF::ToDxfBytes() const {
    Out o;
    CFRect ext;
    GetFRect(ext);
    o.Pair(0, "SECTION");
    o.Pair(2, "HEADER");
    o.Pair(9, "$ACADVER");
    o.Pair(1, "AC1009");
    o.Pair(9, "$DWGCODEPAGE");
    o.Pair(3, "ANSI_936");
    o.Pair(9, "$INSBASE");
    o.Point(10, 0, 0);
    o.Pair(9, "$EXTMIN");
    o.Point(10, ext.left, ext.bottom);
    o.Pair(9, "$EXTMAX");
    o.Point(10, ext.right, ext.top);
    o.Pair(9, "$LTSCALE");
    o.Real(40, 100.0);
    o.Pair(0, "ENDSEC");

    o.Pair(0, "SECTION");
    o.Pair(2, "TABLES");
    o.Pair(0, "TABLE");
    o.Pair(2, "LTYPE");
    o.Int(70, static_cast<long long>(linetypes_.size()));
    for (const auto& lt : linetypes_) {
        o.Pair(0, "LTYPE");
        o.Text(2, lt.name);
        o.Int(70, 0);
        o.Text(3, lt.description);
        o.Int(72, 65);
        o.Int(73, static_cast<long long>(lt.pattern.size()));
        double total = 0;
        for (double p : lt.pattern) total += std::fabs(p);
        o.Real(40, total);
        for (double p : lt.pattern) o.Real(49, p);
    }
    o.Pair(0, "ENDTAB");
    o.Pair(0, "TABLE");
    o.Pair(2, "LAYER");
    o.Int(70, static_cast<long long>(layers_.size()));
    for (const auto& l : layers_) {
        o.Pair(0, "LAYER");
        o.Text(2, l.name);
        o.Int(70, 0);
        o.Int(62, l.color == 0 ? 7 : l.color);
        o.Text(6, l.linetype);
    }
    o.Pair(0, "ENDTAB");
    o.Pair(0, "TABLE");
    o.Pair(2, "STYLE");
    o.Int(70, static_cast<long long>(styles_.size()));
    for (const auto& s : styles_) {
        o.Pair(0, "STYLE");
        o.Text(2, s.name);
        o.Int(70, 0);
        o.Real(40, s.height);
        o.Real(41, s.widthFactor);
        o.Real(50, 0);
        o.Int(71, 0);
        o.Real(42, 2.5);
        o.Text(3, s.font);
        o.Text(4, s.bigFont);
    }
    o.Pair(0, "ENDTAB");
    o.Pair(0, "TABLE");
    // ACAD always comes first; a drawing read from a file already names it, in
    // any case, and must not count it twice.
    auto isAcad = [](const std::string& app) {
        return app.size() == 4 && std::equal(app.begin(), app.end(), "ACAD",
                                             [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
    };
    o.Pair(2, "APPID");
    o.Int(70, 1 + std::count_if(apps_.begin(), apps_.end(), [&](const std::string& a) { return !isAcad(a); }));
    o.Pair(0, "APPID");
    o.Pair(2, "ACAD");
    o.Int(70, 0);
    for (const auto& app : apps_) {
        if (isAcad(app)) continue;
        o.Pair(0, "APPID");
        o.Text(2, app);
        o.Int(70, 0);
    }
    o.Pair(0, "ENDTAB");
    o.Pair(0, "ENDSEC");

    o.Pair(0, "SECTION");
    o.Pair(2, "BLOCKS");
    o.Pair(0, "ENDSEC");

    o.Pair(0, "SECTION");
    o.Pair(2, "ENTITIES");
    for (const auto& e : entities_) WriteEntity(o, e);
    o.Pair(0, "ENDSEC");
    o.Pair(0, "EOF");
    return std::move(o.str());
}

int DXF::Write_MemDxf_To_File(const char* path) const {
    if (!path || !*path) return 0;
    return kv::platform::WriteFileAtomically(path, ToDxfBytes()) ? 1 : 0;
}

int DXF::Read_FileDxf_To_Mem(const char* path) {
    std::string bytes;
    if (!path || !kv::platform::ReadFileBytes(path, bytes)) {
        New_MemDxf();
        return 0;
    }
    return Read_Dxf_From_Bytes(bytes);
}

int DXF::Read_Dxf_From_Bytes(std::string_view bytes) {
    New_MemDxf();
    bool ok = true;
    try {
        DL_Dxf parser;
        Reader reader(*this);
        {
            // Puts the parser into its starting state; it reads nothing.
            std::istringstream empty;
            parser.in(empty, &reader);
        }
        {
            // Room for every entity at once: a group "0" starts each (vertices
            // included, so this errs on the large side).
            std::size_t starts = 0;
            for (std::size_t at = bytes.find("\n  0\n"); at != std::string_view::npos;
                 at = bytes.find("\n  0\n", at + 5))
                ++starts;
            entities_.reserve(std::min<std::size_t>(starts, 4'000'000));
        }
        std::size_t pos = 0;
        auto nextLine = [&](std::string_view& line) {
            if (pos >= bytes.size()) return false;
            std::size_t end = bytes.find('\n', pos);
            if (end == std::string_view::npos) end = bytes.size();
            line = bytes.substr(pos, end - pos);
            pos = end + 1;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            return true;
        };
        std::string_view codeLine, valueLine;
        bool skipping = false;  // inside an entity kind the reader does not keep
        while (ok && !reader.sawEof && nextLine(codeLine)) {
            int code = 0;
            if (!ParseCode(codeLine, code) || !nextLine(valueLine)) {
                ok = false;
                break;
            }
            // Values longer than a DXF line are not DXF.
            if (valueLine.size() > kMaxValueBytes || valueLine.find('\0') != std::string_view::npos) {
                ok = false;
                break;
            }
            std::string raw(valueLine);
            std::string value = raw;
            while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.erase(0, 1);
            while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
            // Texts keep their own leading and trailing blanks.
            reader.Raw(code, code == 1 || code == 3 ? raw : value);
            if (code == 0) {
                skipping = !Reader::IsHandledType(value) || reader.InLw();
                // dxflib still has to see the 0 so that it ends the entity before.
                parser.processDXFGroup(&reader, 0, skipping ? std::string("KV_SKIPPED") : value);
                continue;
            }
            if (skipping || code >= 1000) continue;  // extended data is read above
            if (value.size() > 1000) value.resize(1000);
            parser.processDXFGroup(&reader, code, value);
        }
        reader.Finish();
        ok = ok && reader.sawSection && reader.sawEof;
        if (ok) skipped_ = reader.Skipped();
    } catch (...) {
        ok = false;
    }
    if (!ok) {
        // A file that is not whole DXF shows nothing rather than a part of itself.
        New_MemDxf();
        return 0;
    }
    return 1;
}
