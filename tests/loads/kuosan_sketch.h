#pragma once
// Reading the wave-attenuation sketch back: the lines, outlines and texts the
// tests look for.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "drawing/dxf.h"

namespace kv::test {

// A straight piece of the drawing: a LINE or one segment of a polyline.
struct Segment {
    std::string layer;
    double x1, y1, x2, y2;
};

inline std::vector<Segment> Segments(const DXF& d) {
    std::vector<Segment> out;
    for (const kv::drawing::Entity& e : d.Entities()) {
        if (e.kind == kv::drawing::EntityKind::Line) out.push_back({e.layer, e.x1, e.y1, e.x2, e.y2});
        if (e.kind == kv::drawing::EntityKind::Polyline)
            for (std::size_t i = 1; i < e.vertices.size(); ++i)
                out.push_back({e.layer, e.vertices[i - 1].x, e.vertices[i - 1].y, e.vertices[i].x, e.vertices[i].y});
    }
    return out;
}

// True when the drawing has a segment on `layer` joining the two points (either way).
inline bool HasSegment(const DXF& d, const std::string& layer, double x1, double y1, double x2, double y2) {
    auto near = [](double a, double b) { return std::abs(a - b) < 0.5; };
    for (const Segment& s : Segments(d)) {
        if (s.layer != layer) continue;
        if ((near(s.x1, x1) && near(s.y1, y1) && near(s.x2, x2) && near(s.y2, y2)) ||
            (near(s.x1, x2) && near(s.y1, y2) && near(s.x2, x1) && near(s.y2, y1)))
            return true;
    }
    return false;
}

// Width and height of every closed outline of four corners on `layer`.
struct Box {
    double x, y, w, h;
};
inline std::vector<Box> Boxes(const DXF& d, const std::string& layer) {
    std::vector<Box> out;
    for (const kv::drawing::Entity& e : d.Entities()) {
        if (e.kind != kv::drawing::EntityKind::Polyline || e.layer != layer || e.vertices.size() != 5) continue;
        const auto& v = e.vertices;
        if (v.front().x != v.back().x || v.front().y != v.back().y) continue;
        double x0 = v[0].x, x1 = v[0].x, y0 = v[0].y, y1 = v[0].y;
        for (const auto& p : v) {
            x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
        }
        out.push_back({x0, y0, x1 - x0, y1 - y0});
    }
    return out;
}
inline bool HasBox(const DXF& d, const std::string& layer, double w, double h) {
    for (const Box& b : Boxes(d, layer))
        if (std::abs(b.w - w) < 0.5 && std::abs(b.h - h) < 0.5) return true;
    return false;
}

inline std::vector<std::string> Texts(const DXF& d) {
    std::vector<std::string> out;
    for (const kv::drawing::Entity& e : d.Entities())
        if (e.kind == kv::drawing::EntityKind::Text) out.push_back(e.text);
    return out;
}
inline bool HasText(const DXF& d, const std::string& text) {
    const auto texts = Texts(d);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace kv::test
