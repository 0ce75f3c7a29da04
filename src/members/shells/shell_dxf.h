#pragma once
// The DXF calls the shell drawings share: lines and texts on layer 0 with
// everything by layer (the key's computed part in colour 1), and the frame of
// one drawing file of the item.
#include <cstdio>
#include <string>

#include "base/globals.h"
#include "drawing/dxf.h"

namespace kv::shells {

inline void Line(DXF& d, float x1, float y1, float x2, float y2, const char* color = "BYLAYER") {
    d.Write_Line(x1, y1, 0, x2, y2, 0, 1.0f, "0", color, "BYLAYER");
}

inline void Text(DXF& d, float x, float y, float height, float angle, const std::string& text,
                 const char* style = "STANDARD") {
    d.Write_Text(x, y, 0, height, angle, text.c_str(), style, "0", "BYLAYER", "BYLAYER");
}

template <typename Value>
std::string Format(const char* format, Value value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

// Drawing k of the item in the work folder: the text style, then what `draw`
// puts in. A file that cannot be written is left to the writer; the caller's
// next drawing goes on.
template <typename Data, typename Draw>
void WriteDrawing(const Data& data, int k, Draw draw) {
    DXF d;
    d.New((G_strWorkPath + data.GetDxfFileName(k)).c_str());
    d.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    d.Write_Tables();
    d.Begin_Entity();
    draw(d);
    d.End_Entity();
    d.Close();
}

}  // namespace kv::shells
