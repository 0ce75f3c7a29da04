// quellit_run: one analysis of the finite-element library from the command line,
// for checking a model by hand.
//
//   quellit_run [-C folder] input.dat type [divide_length [block_size [c]]] [--forces]
//               [--plastic-limit kN/m2]
//
// Reads the input file and runs the analysis in the folder (the current one
// unless -C names another), printing every line of the error channel as
// "code  text", then a summary: nodes, equations and blocks of the matrix, and per
// load case the load applied to the mesh, the sum of the pin forces under the
// input nodes, the base reaction (analyses on soil) and the largest |w|. --forces
// adds the text dumps of "FORCE.FB"; --plastic-limit gives the plastic iteration
// (type 3) its limit pressure on standard input, where it asks for it.
// Exit status: 0 done, 1 the run stopped on an error, 2 wrong arguments.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/error.h"
#include "fem/binio.h"
#include "fem/fb_date.h"
#include "fem/force_file.h"
#include "fem/freedom.h"
#include "fem/mesh_files.h"
#include "fem/workfile.h"
#include "fem/yxy.h"

namespace {

const char kUsage[] =
    "usage: quellit_run [-C folder] input.dat type [divide_length [block_size [c]]] [--forces]\n"
    "                   [--plastic-limit kN/m2]\n"
    "  type           analysis type: -1 to 4 (1 elastic soil, 3 plastic base reaction)\n"
    "  divide_length  longest beam element in m, 0 for the automatic length (default 0)\n"
    "  block_size     matrix entries per solver block (default 6000)\n"
    "  c              value of the plastic iteration (default 2)\n";

struct Arguments {
    std::string folder, input;
    int type = 0;
    float divide = 0;
    int block = 6000;
    int c = 2;
    bool forces = false;
    std::string limit;  // fed to standard input when given
};

bool ParseNumber(const char* text, double* value) {
    char* end = nullptr;
    *value = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(*value);
}

bool ParseInt(const char* text, int* value) {
    double v = 0;
    if (!ParseNumber(text, &v) || v != std::floor(v) || std::fabs(v) > 2.0e9) return false;
    *value = static_cast<int>(v);
    return true;
}

bool Parse(int argc, char** argv, Arguments* a) {
    std::vector<const char*> positional;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--forces") == 0) {
            a->forces = true;
        } else if (std::strcmp(argv[i], "--plastic-limit") == 0) {
            double v = 0;
            if (++i >= argc || !ParseNumber(argv[i], &v)) return false;
            a->limit = argv[i];
        } else if (std::strcmp(argv[i], "-C") == 0) {
            if (++i >= argc) return false;
            a->folder = argv[i];
        } else {
            positional.push_back(argv[i]);
        }
    }
    if (positional.size() < 2 || positional.size() > 5) return false;
    a->input = positional[0];
    double divide = 0;
    if (!ParseInt(positional[1], &a->type)) return false;
    if (positional.size() > 2 && !ParseNumber(positional[2], &divide)) return false;
    a->divide = static_cast<float>(divide);
    if (positional.size() > 3 && !ParseInt(positional[3], &a->block)) return false;
    if (positional.size() > 4 && !ParseInt(positional[4], &a->c)) return false;
    return true;
}

// The load of every case as the mesh carries it (kN, downward positive): point
// loads, line loads over their stretch, pressures over their triangles.
std::vector<double> LoadTotals() {
    std::vector<double> totals;
    net_dat_file dat("NET_DAT.FB");
    if (JS_ERROR_CODE || !dat.read_node() || !dat.read_plate()) return totals;
    for (int c = 0; c < dat.case_num; ++c) {
        double total = 0;
        if (!dat.read_load(c, 1)) return {};
        for (const con_load& p : dat.con) total += p.P;
        if (!dat.read_load(c, 2)) return {};
        for (const line_load& l : dat.line)
            total += l.kind == 1 ? 0.5 * (double(l.v[0]) + l.v[1]) * (double(l.v[3]) - l.v[2]) : l.v[0];
        if (!dat.read_load(c, 3)) return {};
        for (const distri_load& a : dat.distri) {
            const net_plate_ele& t = dat.plates.at(std::size_t(a.plate));
            const auto i = std::size_t(t.a), j = std::size_t(t.b), k = std::size_t(t.c);
            const double area = 0.5 * ((double(dat.x[j]) - dat.x[i]) * (double(dat.y[k]) - dat.y[i]) -
                                       (double(dat.x[k]) - dat.x[i]) * (double(dat.y[j]) - dat.y[i]));
            total += a.q * std::fabs(area);
        }
        dat.free_load();
        totals.push_back(total);
    }
    return totals;
}

// Per case of a result file of "count, cases, floats[cases][count]": the sum of
// the values, or the largest magnitude. Empty when the file is not there.
std::vector<double> PerCase(const char* name, bool largest) {
    std::vector<double> out;
    if (access(name, R_OK) != 0) return out;
    kv::fem::WorkFile f;
    std::int32_t count = 0, cases = 0;
    if (!f.open(name, "rb") || !kv::fem::bin::get_i32(f.get(), count) || !kv::fem::bin::get_i32(f.get(), cases) ||
        count < 0 || cases < 0 || !kv::fem::bin::fits(f.get(), (long long)count * cases, 4))
        return out;
    std::vector<float> values(static_cast<std::size_t>(count));
    for (int c = 0; c < cases; ++c) {
        if (!kv::fem::bin::get_f32s(f.get(), values.data(), values.size())) return {};
        double v = 0;
        for (float x : values) v = largest ? std::fmax(v, std::fabs(x)) : v + x;
        out.push_back(v);
    }
    return out;
}

// Per case: Σ reaction per area × node area ("REACT.FB" and "Area.fb" of the
// analyses on soil). Empty without them.
std::vector<double> BaseReactions() {
    std::vector<double> out;
    if (access("REACT.FB", R_OK) != 0 || access("Area.fb", R_OK) != 0) return out;
    kv::fem::WorkFile r, a;
    std::int32_t count = 0, cases = 0, n = 0;
    if (!r.open("REACT.FB", "rb") || !a.open("Area.fb", "rb") || !kv::fem::bin::get_i32(r.get(), count) ||
        !kv::fem::bin::get_i32(r.get(), cases) || !kv::fem::bin::get_i32(a.get(), n) || n != count || count < 0 ||
        cases < 0 || !kv::fem::bin::fits(r.get(), (long long)count * cases, 4))
        return out;
    std::vector<float> area(static_cast<std::size_t>(n)), values(static_cast<std::size_t>(n));
    if (!kv::fem::bin::get_f32s(a.get(), area.data(), area.size())) return out;
    for (int c = 0; c < cases; ++c) {
        if (!kv::fem::bin::get_f32s(r.get(), values.data(), values.size())) return {};
        double v = 0;
        for (std::size_t i = 0; i < values.size(); ++i) v += double(values[i]) * area[i];
        out.push_back(v);
    }
    return out;
}

// Puts `text` on standard input through a pipe that ends after it.
bool FeedInput(const std::string& text) {
    int fd[2];
    if (pipe(fd) != 0) return false;
    const std::string line = text + "\n";
    const bool written = write(fd[1], line.data(), line.size()) == ssize_t(line.size());
    close(fd[1]);
    const bool placed = dup2(fd[0], STDIN_FILENO) >= 0;
    close(fd[0]);
    return written && placed;
}

void Summary() {
    freedom_file layout("FREEDOM.FB");
    if (JS_ERROR_CODE) return;
    std::printf("nodes %d, equations %d, blocks %d of %d entries\n", layout.node_num, layout.neq, layout.block_num,
                layout.block_size);
    const std::vector<double> loads = LoadTotals();
    const std::vector<double> pins = PerCase("ZHU_PIN.FB", false);
    const std::vector<double> w = PerCase("DEFOR.FB", true);
    const std::vector<double> react = BaseReactions();
    for (std::size_t c = 0; c < loads.size(); ++c) {
        std::printf("case %zu: load %.6g kN", c + 1, loads[c]);
        if (c < pins.size()) std::printf(", pin forces under the input nodes %.6g kN", pins[c]);
        if (c < react.size()) std::printf(", base reaction %.6g kN", react[c]);
        if (c < w.size()) std::printf(", max |w| %.6g m", w[c]);
        std::printf("\n");
    }
}

// The text dumps of "FORCE.FB", case after case.
void Forces() {
    force_file forces("FORCE.FB");
    for (int c = 0; c < forces.num_case && !JS_ERROR_CODE; ++c) {
        std::printf("==========================  Case %d  ==========================\n", c + 1);
        if (forces.read_beam(c)) forces.write_beam_txt(stdout);
        if (!JS_ERROR_CODE && forces.read_plate(c)) forces.write_plate_txt(stdout);
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    Arguments a;
    if (!Parse(argc, argv, &a)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!a.folder.empty() && chdir(a.folder.c_str()) != 0) {
        std::fprintf(stderr, "quellit_run: cannot enter %s\n", a.folder.c_str());
        return 2;
    }
    if (!a.limit.empty() && !FeedInput(a.limit)) {
        std::fprintf(stderr, "quellit_run: cannot feed the plastic limit\n");
        return 2;
    }
    kv::err::SetSink([](int code, const std::string& text) { std::printf("%4d  %s\n", code, text.c_str()); });
    JS_ERROR_CODE = 0;
    {
        FB_DATE reader;
        reader.main_date(a.input.c_str(), 1, 0);
    }
    if (!JS_ERROR_CODE) {
        YXY yxy;
        yxy.main_yxy(a.type, a.divide, a.block, a.c);
    }
    if (JS_ERROR_CODE) {
        std::printf("stopped with code %d\n", JS_ERROR_CODE);
        return 1;
    }
    const bool analysed = a.type >= -1 && a.type <= 4;
    if (!analysed) {
        std::printf("analysis type %d: nothing to run\n", a.type);
        return 0;
    }
    Summary();
    if (a.forces && !JS_ERROR_CODE) Forces();
    return JS_ERROR_CODE ? 1 : 0;
}
