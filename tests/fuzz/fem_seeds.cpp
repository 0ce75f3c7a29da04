// Seeds of the finite-element library's fuzz targets: an input file with every
// section, the structure, load and soil files the input reader writes from it,
// mesh files packed from their layouts, and damaged versions of each.
#include "fem/fb_date.h"
#include "fem/soil_column.h"
#include "fem/yxy_net.h"

#include "base/error.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

void Put(const fs::path& out, const std::string& target, const std::string& name, const std::string& bytes) {
    fs::create_directories(out / target);
    std::ofstream(out / target / name, std::ios::binary) << bytes;
}

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size()) s.replace(at, from.size(), to);
    return s;
}

std::string I32(std::initializer_list<std::int32_t> values) {
    std::string s;
    for (std::int32_t v : values)
        for (int k = 0; k < 4; ++k) s += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * k)) & 0xff);
    return s;
}

std::string F32(std::initializer_list<float> values) {
    std::string s;
    for (float v : values) {
        std::int32_t i;
        std::memcpy(&i, &v, 4);
        s += I32({i});
    }
    return s;
}

// A square of four beams (one an arc, one a foundation beam), one plate, a
// spring support, two load cases and one soil column.
const char* const kInput =
    "##  有限元计算数据文件    Ver. 1.0\n##  结点\n4\n1,0.000,0.000,1\n2,4.000,0.000,1\n3,4.000,3.000,0\n"
    "4,0.000,3.000,1\n##  梁\n4,3,0,0\n1,1,1,1,2,250,600,0.000,0,0.000,0.000,0,0,0\n"
    "2,2,4,2,3,300,700,-1.500,0,0.000,0.000,1,650,320\n--1,0,0,500,500,200,200,0,0,0,0,0\n"
    "3,3,1,3,4,250,600,0.000,0,0.000,0.000,0,0,0\n4,4,11,4,1,250,600,0.000,0,-1.000,1.500,2,0,0\n"
    "##  板\n1,3,0\n1,0,200,0.000,0.000,2\n2,1,2\n2,3,4\n##  支撑\n1,0\n1,3,1,0.0,5000.0\n"
    "##  荷载\n2\n00000001,00000002,00000001\n1,3,10.00,0.00,0.00\n1,1,1,5.00,5.00,0.00,4.00\n"
    "2,2,2,20.00,0.00,0.00,1.50\n1,1,8.00\n00000000,00000001,00000000\n1,3,1,2.50,2.50,0.00,4.00\n"
    "##  土层信息\n1\n第1点\n1,2.0,1.5\n2,0.0,-2.0\n1,1.5,19.0,8.0e4\n2,4.0,18.5,1.2e5,2.0e5\n";

// Reads `text` with the input reader (mode 2) in a fresh folder `name` of the
// temporary folder, which it leaves current; returns the folder that was.
fs::path ReadInputIn(const std::string& name, const std::string& text) {
    fs::path here = fs::current_path();
    fs::path work = fs::temp_directory_path() / name;
    fs::create_directories(work);
    fs::current_path(work);
    std::ofstream(work / "YXY_JS.DAT", std::ios::binary) << text;
    JS_ERROR_CODE = 0;
    FB_DATE reader;
    reader.main_date("YXY_JS.DAT", 2, 0);
    return here;
}

// The element data file written by the mesh stage's own writers for the square of
// kInput (concrete C30, every beam one element, the plate two triangles): its
// inputs packed for fem_netdat and the file itself for fem_mesh, with damaged
// inputs.
void WriteNetDatSeeds(const fs::path& out, std::string text) {
    text = Replace(Replace(text, "\n4,3,0,0\n", "\n4,30,0,0\n"), "\n1,3,0\n", "\n1,30,0\n");
    const fs::path here = ReadInputIn("kv-fem-netdat-seeds", text);
    const fs::path work = fs::current_path();
    const std::string pre0 = I32({12, 80, 12}) + I32({4, 0, 2, 0, 1, 1, 2, 1, 2, 2, 2, 2, 3, 3, 2, 3, 0}) +
                             I32({1, 0, 2, 0, 1, 2, 0, 2, 3});
    std::ofstream(work / "NET_PRE.FB", std::ios::binary) << pre0;
    {
        YXY_NET net;
        net.divide_length = 1.0e6f;
        const float xy[4][2] = {{0, 0}, {4, 0}, {4, 3}, {0, 3}};
        for (const auto& p : xy) net.add_point(p[0], p[1]);
        net.bandwidth();
        net.form_date_file();
    }
    const std::string struc = Read(work / "STRUC_LD.FB");
    const std::string pre = Read(work / "NET_PRE.FB");
    const std::string dat = Read(work / "NET_DAT.FB");
    fs::current_path(here);
    fs::remove_all(work);
    auto pack = [](const std::string& s, const std::string& p, const std::string& ban) {
        return I32({std::int32_t(s.size())}) + s + I32({std::int32_t(p.size())}) + p + ban;
    };
    Put(out, "fem_mesh", "net-dat-written", dat);
    Put(out, "fem_netdat", "written", pack(struc, pre, "0,3.25,0.18\n"));
    Put(out, "fem_netdat", "ban-mat-flag-1-crlf", pack(struc, pre, "1,3.25,0.18\r\n"));
    Put(out, "fem_netdat", "ban-mat-cut", pack(struc, pre, "0,3."));
    Put(out, "fem_netdat", "pre-beam-node-beyond", pack(struc, Replace(pre, I32({3, 2, 3, 0}), I32({3, 2, 3, 70})), ""));
    Put(out, "fem_netdat", "pre-one-beam-fewer", pack(struc, I32({12, 64, 100, 3}) + pre.substr(16, 48) + pre.substr(80), ""));
    Put(out, "fem_netdat", "pre-index-cut", pack(struc, pre.substr(0, pre.size() - 8), ""));
    Put(out, "fem_netdat", "struc-unknown-grade", pack(Replace(struc, I32({4, 30}), I32({4, 3})), pre, ""));
    Put(out, "fem_netdat", "struc-cut-short", pack(struc.substr(0, struc.size() / 2), pre, ""));
}

// "SOILNODE.FB" written by the mesh stage's writer from the input reader's
// "SOIL.FB" for three nodes, packed for fem_soil with damaged copies.
void WriteSoilSeeds(const fs::path& out, const std::string& soil) {
    const fs::path here = fs::current_path();
    const fs::path work = fs::temp_directory_path() / "kv-fem-soil-seeds";
    fs::create_directories(work);
    fs::current_path(work);
    std::ofstream(work / "SOIL.FB", std::ios::binary) << soil;
    std::ofstream(work / "NET_DAT.FB", std::ios::binary)
        << I32({24, 60, 84, 84, 84, 84, 3, 0, 0, 0, 0}) + F32({0, 0, 0, 0, 0, 0, 1.5f, 0, 40, -3});
    JS_ERROR_CODE = 0;
    {
        YXY_NET net;
        net.cal_soil_infer_node();
    }
    const std::string nodes = Read(work / "SOILNODE.FB");
    fs::current_path(here);
    fs::remove_all(work);
    auto pack = [](const std::string& s, const std::string& n) { return I32({std::int32_t(s.size())}) + s + n; };
    Put(out, "fem_soil", "written", pack(soil, nodes));
    Put(out, "fem_soil", "soil-no-columns", pack(I32({0}), nodes));
    Put(out, "fem_soil", "soil-huge-count", pack(I32({0x7fffffff}) + soil.substr(4), nodes));
    Put(out, "fem_soil", "soilnode-offset-beyond", pack(soil, I32({0x7fff0000}) + nodes.substr(4)));
    Put(out, "fem_soil", "soilnode-offset-negative", pack(soil, I32({-8}) + nodes.substr(4)));
    Put(out, "fem_soil", "soilnode-cut-short", pack(soil, nodes.substr(0, nodes.size() - 40)));
    Put(out, "fem_soil", "soilnode-zero-layers", pack(soil, nodes.substr(0, 12) + I32({0}) + nodes.substr(16)));
}

}  // namespace

void WriteFemSeeds(const fs::path& out) {
    const std::string text = kInput;
    Put(out, "fem_input", "written", text);
    Put(out, "fem_input", "input-crlf", Replace(text, "\n", "\r\n"));
    Put(out, "fem_input", "input-cut-mid-line", text.substr(0, text.size() / 2));
    Put(out, "fem_input", "input-long-line", Replace(text, "1,0.000,0.000,1\n", "1,0.000,0.000,1" + std::string(300, ' ') + "\n"));
    Put(out, "fem_input", "input-huge-counts", Replace(Replace(text, "\n4,3,0,0\n", "\n99999999,3\n"), "\n2\n000", "\n2000000000\n000"));
    Put(out, "fem_input", "input-node-out-of-table", Replace(text, "3,3,1,3,4,", "3,3,1,3,9,"));
    Put(out, "fem_input", "input-broken-plate", Replace(text, "2,1,2\n2,3,4\n", "2,1,3\n1,4\n"));
    Put(out, "fem_input", "input-nan-inf", Replace(Replace(text, "4.000,0.000", "nan,inf"), "5000.0", "-inf"));
    Put(out, "fem_input", "input-soil-layers-missing", text.substr(0, text.size() - 40));

    // The binary files the input reader writes from it.
    const fs::path here = ReadInputIn("kv-fem-seeds", text);
    const fs::path work = fs::current_path();
    const std::string struc = Read(work / "STRUC_LD.FB");
    const std::string soil = Read(work / "SOIL.FB");
    fs::current_path(here);
    fs::remove_all(work);
    Put(out, "fem_struc", "written", struc);
    Put(out, "fem_struc", "soil-written", soil);
    Put(out, "fem_struc", "struc-cut-short", struc.substr(0, struc.size() * 2 / 3));
    Put(out, "fem_struc", "struc-offset-zero", std::string(8, '\0') + struc.substr(8));
    std::string huge = struc;
    huge.replace(20, 4, I32({0x7fffffff}));
    Put(out, "fem_struc", "struc-huge-node-count", huge);
    Put(out, "fem_struc", "soil-huge-layers", soil.substr(0, 12) + I32({100000000}) + soil.substr(16));
    Put(out, "fem_struc", "soil-cut-short", soil.substr(0, soil.size() - 30));
    // The same structure for the whole mesh stage, once per analysis type (the
    // length picks it), with a node moved off to a huge, an infinite and an
    // undefined co-ordinate.
    for (int pad = 0; pad < 4; ++pad) Put(out, "fem_net", "written-" + std::to_string(pad), struc + std::string(pad, '\0'));
    Put(out, "fem_net", "node-far", Replace(struc, F32({4.0f, 0.0f}), F32({4.0e6f, 0.0f})));
    Put(out, "fem_net", "node-inf", Replace(struc, F32({4.0f, 0.0f}), F32({HUGE_VALF, 0.0f})));
    Put(out, "fem_net", "node-nan", Replace(struc, F32({4.0f, 3.0f}), F32({NAN, 3.0f})));
    Put(out, "fem_net", "cut-short", struc.substr(0, struc.size() / 2));
    WriteSoilSeeds(out, soil);

    // Mesh files packed from their layouts.
    const std::string netDat = I32({24, 60, 84, 132, 132, 148}) + I32({3, 2, 0, 1, 2}) +
                               F32({3.0e7f, 0.2f, 3.0e7f, 0.2f}) + F32({0, 0, 1, 0, 2, 0}) + I32({0, 1}) +
                               F32({1.0e9f, 2.0e9f}) + I32({0, 300}) + I32({1, 2}) + F32({1.0e9f, 2.0e9f}) +
                               I32({0, 300}) + I32({0, 3}) + F32({0, 0}) + I32({156, 232}) + I32({1, 2, 0, 1}) +
                               F32({10, 0, 0}) + I32({0, 1}) + F32({5, 5, 0, 1}) + I32({1, 1}) + F32({6, 6, 0, 1}) +
                               I32({0, 1, 0, 1, 2}) + F32({20, 0, 0, 0.5f});
    const std::string netPre = I32({12, 52, 80}) + I32({2, 0, 2, 0, 1, 1, 3, 1, 3, 2}) +
                               I32({1, 0, 2, 0, 1, 3, 1, 2, 3}) + I32({4, 0, 1, 3, 2, 0, 1, 3, 2});
    const std::string indexP = I32({1, 8, 0}) + F32({1.0f, 0.5f}) + I32({2, 4, 2, 2, 1}) + F32({1.0f, 0.5f}) +
                               I32({4, 0, 1, 2, 3, 2, 0});
    Put(out, "fem_mesh", "net-dat", netDat);
    Put(out, "fem_mesh", "net-pre", netPre);
    Put(out, "fem_mesh", "index-p", indexP);
    Put(out, "fem_mesh", "net-dat-cut-short", netDat.substr(0, 150));
    Put(out, "fem_mesh", "net-dat-bad-node", Replace(netDat, I32({1, 2}) + F32({1.0e9f}), I32({1, 9}) + F32({1.0e9f})));
    Put(out, "fem_mesh", "net-pre-huge-count", I32({12, 52, 80}) + I32({0x7ffffff0}) + netPre.substr(16));
    Put(out, "fem_mesh", "index-p-zero-offset", I32({1, 0}) + indexP.substr(8));

    WriteNetDatSeeds(out, text);
}
