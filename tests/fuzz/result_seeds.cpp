// Seeds of the finite-element library's result readers: the summary files that
// the output stage writes for two plates and their beams from a chosen
// displacement field, the internal-force file written record by record by the
// records' own writers, and damaged versions of each.
#include "fem/fb_date.h"
#include "fem/fem_records.h"
#include "fem/force_records.h"
#include "fem/freedom.h"
#include "fem/mesh_files.h"
#include "fem/yxy_net.h"
#include "fem/yxy_out.h"

#include "base/error.h"
#include "fem/binio.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

std::string I32(std::int32_t v) {
    std::string s;
    for (int k = 0; k < 4; ++k) s += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * k)) & 0xff);
    return s;
}

std::string With(std::string s, std::size_t at, std::int32_t v) { return s.replace(at, 4, I32(v)); }

// Two 3 m squares side by side, their beams cut in two, two load cases.
const char* const kModel =
    "##  有限元计算数据文件    Ver. 1.0\n##  结点\n6\n1,0.000,0.000,1\n2,3.000,0.000,1\n3,3.000,3.000,1\n"
    "4,0.000,3.000,1\n5,6.000,0.000,1\n6,6.000,3.000,1\n##  梁\n7,30\n"
    "1,1,1,1,2,250,600,0.0,0,0.0,0.0,0,0,0\n2,2,1,2,3,250,600,0.0,0,0.0,0.0,0,0,0\n"
    "3,3,1,3,4,250,600,0.0,0,0.0,0.0,0,0,0\n4,4,1,4,1,250,600,0.0,0,0.0,0.0,0,0,0\n"
    "5,5,1,2,5,250,600,0.0,0,0.0,0.0,0,0,0\n6,6,1,5,6,250,600,0.0,0,0.0,0.0,0,0,0\n"
    "7,7,1,6,3,250,600,0.0,0,0.0,0.0,0,0,0\n##  板\n2,30\n1,0,250,0.0,0.0,4\n1,1\n1,2\n1,3\n1,4\n"
    "2,0,250,0.0,30.0,4\n1,5\n1,6\n1,7\n1,2\n##  支撑\n0,0\n##  荷载\n2\n0,0,0\n0,0,0\n##  土层信息\n0\n";

// W_LIANG.FB, W_BAN.FB, ZHU_PIN.FB and FORCE.FB written by the output stage: w =
// 0.001(1 + x + 7y) in case 1 and twice that in case 2, the pin forces the same field.
void WriteSummaries(const fs::path& out) {
    const fs::path here = fs::current_path();
    const fs::path work = fs::temp_directory_path() / "kv-fem-result-seeds";
    fs::create_directories(work);
    fs::current_path(work);
    std::ofstream("YXY_JS.DAT", std::ios::binary) << kModel;
    std::ofstream("YS.FB", std::ios::binary) << "00000001\n0,1\n";
    JS_ERROR_CODE = 0;
    {
        FB_DATE reader;
        reader.main_date("YXY_JS.DAT", 1, 0);
        YXY_NET net;
        net.main_net(0, 1.5f, 6000);
    }
    {
        net_dat_file dat("NET_DAT.FB");
        freedom_file freedom("FREEDOM.FB");
        if (!JS_ERROR_CODE && dat.read_node() && freedom.read_id()) {
            std::vector<double> U(std::size_t(freedom.neq) * 2, 0.0);
            std::vector<float> pins;
            for (int c = 0; c < 2; ++c)
                for (int j = 0; j < dat.node_num; ++j) {
                    const float w = float(c + 1) * 0.001f * (1 + dat.x[std::size_t(j)] + 7 * dat.y[std::size_t(j)]);
                    const std::int32_t e = freedom.id[0][std::size_t(j)];
                    if (e > 0) U[std::size_t(c * freedom.neq + e - 1)] = w;
                    pins.insert(pins.end(), {w, 0.5f, -0.5f});
                }
            std::ofstream("LOAD_V.FB", std::ios::binary)
                .write(reinterpret_cast<const char*>(U.data()), std::streamsize(U.size() * 8));
            std::ofstream("PIN.FB", std::ios::binary)
                .write(reinterpret_cast<const char*>(pins.data()), std::streamsize(pins.size() * 4));
        }
    }
    {
        YXY_OUT stage;
        freedom_file freedom("FREEDOM.FB");
        stage.out_disp(2, freedom);
        stage.out_zhu_pin();
        stage.out_force(2, freedom);
    }
    const std::string liang = Read(work / "W_LIANG.FB"), ban = Read(work / "W_BAN.FB"),
                      pin = Read(work / "ZHU_PIN.FB"), force = Read(work / "FORCE.FB");
    fs::current_path(here);
    fs::remove_all(work);
    if (JS_ERROR_CODE || liang.empty() || ban.empty() || pin.empty() || force.empty()) {
        std::fprintf(stderr, "the summary seeds could not be written\n");
        return;
    }
    Put(out, "fem_summary", "w-liang-written", liang);
    Put(out, "fem_summary", "w-ban-written", ban);
    Put(out, "fem_summary", "zhu-pin-written", pin);
    Put(out, "fem_summary", "w-liang-cut", liang.substr(0, liang.size() - 6));
    Put(out, "fem_summary", "w-liang-huge-counts", With(With(liang, 0, 0x7fffffff), 4, 0x7fffffff));
    Put(out, "fem_summary", "w-ban-position-beyond", With(ban, 12, 0x7ffffff0));
    Put(out, "fem_summary", "w-ban-position-negative", With(ban, 8, -4));
    Put(out, "fem_summary", "w-ban-edge-count-huge", With(ban, std::size_t(ban[8] & 0xff), 0x40000000));
    Put(out, "fem_summary", "w-ban-cut-in-block", ban.substr(0, ban.size() - 10));
    Put(out, "fem_summary", "empty", "");
    Put(out, "fem_force", "stage-written", force);
}

// FORCE.FB of two beams and a plate of three edges in three cases, put together
// by the records' writers, with damaged copies.
void WriteForceFile(const fs::path& out) {
    const fs::path here = fs::current_path();
    const fs::path work = fs::temp_directory_path() / "kv-fem-force-seeds";
    fs::create_directories(work);
    const fs::path file = work / "FORCE.FB";
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) return;
    namespace bin = kv::fem::bin;
    const int cases = 3;
    bin::put_i32(f, 2);
    bin::put_i32(f, 1);
    bin::put_i32(f, cases);
    std::vector<std::int32_t> pos;
    for (int c = 0; c < cases; ++c) bin::put_i32s(f, std::vector<std::int32_t>{0, 0}.data(), 2);
    for (int c = 0; c < cases; ++c) {
        pos.push_back(std::int32_t(bin::tell(f)));
        for (int b = 0; b < 2; ++b) {
            beam_force r;
            r.beam = b;
            r.b = 250, r.h = 600, r.x2 = 3;
            for (int s = 0; s < 9; ++s) r.Ms[s] = float(c + 1) * float(s * (8 - s)), r.Ws[s] = -0.1f * float(s);
            r.M[0] = r.Ms[0], r.M[1] = r.Ms[4], r.M[2] = r.Ms[8];
            bin::put_words(f, &r, sizeof r / 4);
        }
        pos.push_back(std::int32_t(bin::tell(f)));
        plate_force p;
        p.Plate = 1, p.bbs = 3, p.value = 250;
        p.palte_force_read();
        for (int e = 0; e < 3; ++e) p.x[std::size_t(e)] = float(e), p.Mv_m[std::size_t(e)] = float(c - e);
        p.Mxx = 1.5f, p.Angle = 0.5f;
        p.write(f);
    }
    bin::seek(f, 12);
    bin::put_i32s(f, pos.data(), pos.size());
    std::fclose(f);
    const std::string force = Read(file);
    fs::current_path(here);
    fs::remove_all(work);
    Put(out, "fem_force", "written", force);
    Put(out, "fem_force", "stopped-early", With(force, 12 + 8 * 2 + 4, 0));
    Put(out, "fem_force", "no-case", With(force, 8, 0));
    Put(out, "fem_force", "huge-counts", With(With(With(force, 0, 0x7fffffff), 4, 0x7fffffff), 8, 0x7fffffff));
    Put(out, "fem_force", "position-beyond", With(force, 12, 0x7ffffff0));
    Put(out, "fem_force", "position-negative", With(force, 16, -8));
    Put(out, "fem_force", "plate-no-edges", With(force, std::size_t(pos[1]) + 4, 0));
    Put(out, "fem_force", "plate-huge-edges", With(force, std::size_t(pos[1]) + 4, 0x7fffffff));
    Put(out, "fem_force", "cut-in-plate", force.substr(0, force.size() - 30));
}

}  // namespace

void WriteResultSeeds(const fs::path& out) {
    WriteSummaries(out);
    WriteForceFile(out);
}
