#pragma once
// Rafts on soil for the foundation analyses: a square plate bounded by four
// foundation beams on one column of layers, read into the work files of a
// temporary folder.
#include <gtest/gtest.h>

#include <string>

#include "fem/fb_date.h"
#include "fem/yxy_net.h"
#include "fem_model.h"
#include "fem_test_support.h"

namespace kv::test {

// The soil section of one column at (x, y): its top `top` m above the base (at
// 0), a fill of that thickness, then one layer `thick` m deep of modulus Es.
inline std::string UniformSoil(float x, float y, float top, float thick, float Es) {
    char text[256];
    std::snprintf(text, sizeof text, "1\n第1点\n1,%.3f,%.3f\n2,%.3f,-100.0\n1,%.3f,18.0,%.4e\n2,%.3f,19.0,%.4e\n", x,
                  y, top, top, Es, thick, Es);
    return text;
}

// A side × side raft (corner at the origin), with the load case `load` given by
// the caller; one soil column at the centre.
inline FemModel Raft(float side, float Es = 1.0e4f) {
    FemModel m;
    m.AddNode(0, 0);
    m.AddNode(side, 0);
    m.AddNode(side, side);
    m.AddNode(0, side);
    for (int i = 0; i < 4; ++i) m.AddBeam(i + 1, (i + 1) % 4 + 1, 400, 800);
    m.plates = {{1, 2, 3, 4}};
    m.thickness = 400;
    m.soil = UniformSoil(side / 2, side / 2, 1.0f, 20.0f, Es);
    return m;
}

// Reads the model and runs the mesh stage of `type` (elements of at most `divide` m).
inline void Mesh(FemFolder& folder, const FemModel& model, int type, float divide, int block = 6000) {
    folder.Write("YXY_JS.DAT", model.Text());
    FB_DATE reader;
    reader.main_date("YXY_JS.DAT", 1, 0);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    YXY_NET net;
    net.main_net(type, divide, block);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
}

}  // namespace kv::test
