#pragma once
// A small model put through the input reader and the mesh stage in the current
// folder, for the stages after the mesh: nodes, beams between them (1-based),
// plates given by their beams, supports and the text of one load case. No node
// is flagged (restrained): restraints come from the supports alone.
#include "fem/fb_date.h"
#include "fem/yxy_net.h"
#include "fem_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace kv::test {

struct FemModel {
    std::vector<std::pair<float, float>> nodes;
    std::vector<std::pair<int, int>> beams;
    std::vector<std::vector<int>> plates;
    // Support lines "node,kind,value1,value2" (1-based node).
    std::vector<std::string> supports;
    // The load case: counts line "points,lines,areas" and the load lines.
    std::string loads = "0,0,0\n";
    int case_count = 1;  // cases in `loads`
    int beam_offset = 0;  // mm, every beam
    int block_size = 6000;  // raised by the freedom step to three times the node count
    float plate_angle = 0;
    int beam_b = 250, beam_h = 600, thick = 250;

    std::string Text() const {
        std::string t = "##  有限元计算数据文件    Ver. 1.0\n##  结点\n" + std::to_string(nodes.size()) + "\n";
        char line[200];
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            std::snprintf(line, sizeof line, "%d,%.3f,%.3f,0\n", int(i + 1), nodes[i].first, nodes[i].second);
            t += line;
        }
        t += "##  梁\n" + std::to_string(beams.size()) + ",30\n";  // C30
        for (std::size_t i = 0; i < beams.size(); ++i) {
            std::snprintf(line, sizeof line, "%d,%d,1,%d,%d,%d,%d,0.0,%d,0.0,0.0,0,0,0\n", int(i + 1), int(i + 1),
                          beams[i].first, beams[i].second, beam_b, beam_h, beam_offset);
            t += line;
        }
        t += "##  板\n" + std::to_string(plates.size()) + ",30\n";
        for (std::size_t j = 0; j < plates.size(); ++j) {
            std::snprintf(line, sizeof line, "%d,0,%d,0.0,%.3f,%d\n", int(j + 1), thick, plate_angle,
                          int(plates[j].size()));
            t += line;
            for (int b : plates[j]) t += "1," + std::to_string(b) + "\n";
        }
        t += "##  支撑\n" + std::to_string(supports.size()) + ",0\n";
        for (std::size_t s = 0; s < supports.size(); ++s) t += std::to_string(s + 1) + "," + supports[s] + "\n";
        return t + "##  荷载\n" + std::to_string(case_count) + "\n" + loads + "##  土层信息\n0\n";
    }

    // Reads the model and meshes it (analysis type 2: restraints from the supports).
    void Mesh(FemFolder& folder, float divide) const {
        folder.Write("YXY_JS.DAT", Text());
        FB_DATE reader;
        reader.main_date("YXY_JS.DAT", 1, 0);
        ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
        YXY_NET net;
        net.main_net(2, divide, block_size);
        ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    }
};

}  // namespace kv::test
