// The soil column readers: "SOIL.FB" (after its int32 length) and "SOILNODE.FB"
// (the rest of the input). Given columns that read are spread over a fixed mesh
// of three nodes, and the file written reads back node by node.
#include "fuzz_support.h"

#include "base/error.h"
#include "fem/soil_column.h"
#include "fem/yxy_net.h"

#include <cstdint>
#include <cstring>
#include <string_view>
#include <unistd.h>

namespace {

std::string_view TakePart(std::string_view& in) {
    std::uint32_t n = 0;
    if (in.size() < 4) {
        in = {};
        return {};
    }
    std::memcpy(&n, in.data(), 4);
    in.remove_prefix(4);
    std::string_view part = in.substr(0, n);
    in.remove_prefix(part.size());
    return part;
}

// Three nodes in an element data file holding nothing else.
std::string NetDat() {
    const std::int32_t head[11] = {24, 60, 84, 84, 84, 84, 3, 0, 0, 0, 0};
    const float rest[10] = {0, 0, 0, 0, 0, 0, 1.5f, 0, 40, -3};
    std::string s(reinterpret_cast<const char*>(head), sizeof head);
    s.append(reinterpret_cast<const char*>(rest), sizeof rest);
    return s;
}

// Everything a stage may ask of a column; pressure diagrams only of short ones.
void UseColumn(soil_date_xy& c) {
    float top = c.dmbg;
    c.weight_sum();
    c.layer_at(top - 0.5f);
    if (c.Layer_num > 0 && c.Layer_num <= 64) {
        int n = 0;
        std::vector<float> z, a, b;
        c.cal_soil_press_active(5.0f, &n, &z, &a, &b);
        c.cal_soil_press_passive(&n, &z, &a, &b);
    }
    JS_ERROR_CODE = 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool here = chdir(kv::fuzz::Folder().c_str()) == 0;
    if (!here) kv::fuzz::Fail("cannot enter the fuzz folder");
    kv::fuzz::ClearFolder();
    std::string_view in(reinterpret_cast<const char*>(data), size);
    kv::fuzz::WriteInput("SOIL.FB", TakePart(in));
    kv::fuzz::WriteInput("SOILNODE.FB", in);
    JS_ERROR_CODE = 0;
    {
        soilnode_file nodes("SOILNODE.FB");
        soil_date_xy c;
        for (int node = 0; node < 4 && !JS_ERROR_CODE; ++node) {
            if (nodes.read(node, &c)) UseColumn(c);
            JS_ERROR_CODE = 0;
            nodes.read_node(node, &c, c.dmbg - 0.25f);
            JS_ERROR_CODE = 0;
            nodes.read_node_area(node, &c, -1.0f);
            JS_ERROR_CODE = 0;
        }
        nodes.free_node(&c);
    }
    JS_ERROR_CODE = 0;
    bool given = false;
    {
        soil_column columns;
        given = columns.read() == 1;
    }
    JS_ERROR_CODE = 0;
    if (given) {
        kv::fuzz::WriteInput("NET_DAT.FB", NetDat());
        YXY_NET net;
        net.cal_soil_infer_node();
        if (!JS_ERROR_CODE) {
            soilnode_file nodes("SOILNODE.FB");
            soil_date_xy c;
            for (int node = 0; node < 3; ++node)
                if (!nodes.read(node, &c)) kv::fuzz::Fail("SOILNODE.FB written does not read back");
        }
    }
    JS_ERROR_CODE = 0;
    return 0;
}
