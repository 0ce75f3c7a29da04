#pragma once
// A model of the finite-element library written as its text input file: nodes,
// beams, plates bounded by beams, supports and load cases; and the restraint file
// a caller of analysis type 0 writes beside it.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "fem/fem_records.h"

namespace kv::test {

struct FemModel {
    struct Node {
        float x, y;
        int flag = 0;  // restrains w for analysis types -1, 2 and 4
    };
    struct Beam {
        int s, e;  // 1-based nodes
        int b = 250, h = 600;  // mm
        int restraint = 0;     // 1: w at both ends (types 2, 4), w of its nodes (type -1)
        int h_alt = 0, b_alt = 0;  // the section used with restraint 1
    };
    struct Support {
        int node;  // 1-based
        int kind;  // 1 spring, 2 and 4 w, 3 all three freedoms
        float stiffness = 0;
    };
    struct Case {
        std::vector<con_load> point;     // node 1-based, P down
        std::vector<line_load> line;     // beam 1-based
        std::vector<distri_load> area;   // plate 1-based
    };

    int grade = 30;  // C30
    std::vector<Node> nodes;
    std::vector<Beam> beams;
    std::vector<std::vector<int>> plates;  // per plate its beams, one edge each, in boundary order
    int thickness = 250;
    std::vector<Support> supports;
    std::vector<Case> cases;
    // The soil section after its header line: the column count, then the columns.
    std::string soil = "0\n";

    int AddNode(float x, float y, int flag = 0) {
        nodes.push_back({x, y, flag});
        return static_cast<int>(nodes.size());
    }
    int AddBeam(int s, int e, int b = 250, int h = 600) {
        beams.push_back({s, e, b, h});
        return static_cast<int>(beams.size());
    }

    std::string Text() const {
        char line[256];
        std::string t = "##  有限元计算数据文件    Ver. 1.0\n##  结点\n" + std::to_string(nodes.size()) + "\n";
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            std::snprintf(line, sizeof line, "%d,%.6f,%.6f,%d\n", int(i + 1), nodes[i].x, nodes[i].y, nodes[i].flag);
            t += line;
        }
        t += "##  梁\n" + std::to_string(beams.size()) + "," + std::to_string(grade) + "\n";
        for (std::size_t i = 0; i < beams.size(); ++i) {
            const Beam& b = beams[i];
            std::snprintf(line, sizeof line, "%d,%d,1,%d,%d,%d,%d,0.0,0,0.0,0.0,%d,%d,%d\n", int(i + 1), int(i + 1), b.s,
                          b.e, b.b, b.h, b.restraint, b.h_alt, b.b_alt);
            t += line;
        }
        t += "##  板\n" + std::to_string(plates.size()) + "," + std::to_string(grade) + "\n";
        for (std::size_t j = 0; j < plates.size(); ++j) {
            t += std::to_string(j + 1) + ",0," + std::to_string(thickness) + ",0.0,0.0," +
                 std::to_string(plates[j].size()) + "\n";
            for (int b : plates[j]) t += "1," + std::to_string(b) + "\n";
        }
        t += "##  支撑\n" + std::to_string(supports.size()) + ",0\n";
        for (std::size_t i = 0; i < supports.size(); ++i) {
            std::snprintf(line, sizeof line, "%d,%d,%d,0.0,%.6f\n", int(i + 1), supports[i].node, supports[i].kind,
                          supports[i].stiffness);
            t += line;
        }
        t += "##  荷载\n" + std::to_string(cases.size()) + "\n";
        for (const Case& c : cases) {
            std::snprintf(line, sizeof line, "%08d,%08d,%08d\n", int(c.point.size()), int(c.line.size()),
                          int(c.area.size()));
            t += line;
            int k = 0;
            for (const con_load& p : c.point) {
                std::snprintf(line, sizeof line, "%d,%d,%.6f,%.6f,%.6f\n", ++k, p.node, p.P, p.M2, p.M3);
                t += line;
            }
            k = 0;
            for (const line_load& l : c.line) {
                std::snprintf(line, sizeof line, "%d,%d,%d,%.6f,%.6f,%.6f,%.6f\n", ++k, l.beam, l.kind, l.v[0], l.v[1],
                              l.v[2], l.v[3]);
                t += line;
            }
            k = 0;
            for (const distri_load& a : c.area) {
                std::snprintf(line, sizeof line, "%d,%d,%.6f\n", ++k, a.plate, a.q);
                t += line;
            }
        }
        return t + "##  土层信息\n" + soil;
    }
};

// "YS.FB": restrained freedoms as (0-based input node, freedom 1 w, 2, 3).
inline std::string RestraintText(const std::vector<std::pair<int, int>>& fixed) {
    char line[64];
    std::snprintf(line, sizeof line, "%08d\n", int(fixed.size()));
    std::string t = line;
    for (auto [node, freedom] : fixed) {
        std::snprintf(line, sizeof line, "%d,%d\n", node, freedom);
        t += line;
    }
    return t;
}

}  // namespace kv::test
