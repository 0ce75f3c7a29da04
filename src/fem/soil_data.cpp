#include "fem/soil_data.h"

#include "base/error.h"
#include "base/textio.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"
#include "fem/textinput.h"

#include <algorithm>
#include <string>

namespace {

using kv::err::kFailure;
namespace bin = kv::fem::bin;

// One layer line of a text reader, by its layout.
enum class LayerLine { Input, Skipped, Full, Sheet };

bool ParseLayer(const std::string& line, LayerLine layout, soil_layer& L) {
    switch (layout) {
    case LayerLine::Input:
        scan_fields(line, "%d,%f,%f,%f,%f", &L.Type, &L.Thick, &L.Gama, &L.Es, &L.Es1);
        break;
    case LayerLine::Skipped:
        scan_fields(line, "%*d,%f,%f,%f,%f", &L.Thick, &L.Gama, &L.Es, &L.Es1);
        break;
    case LayerLine::Full:
        scan_fields(line, "%d,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f", &L.Type, &L.Thick, &L.Gama, &L.Es, &L.Es1, &L.fk,
                    &L.zts, &L.e, &L.w, &L.c, &L.sita);
        break;
    case LayerLine::Sheet:
        scan_fields(line, "%f,%f,%f,%f,%f,%f,%f", &L.Thick, &L.Gama, &L.c, &L.sita, &L.Es, &L.Es1, &L.fk);
        return true;  // this layout keeps Gama1 as it is
    }
    L.Gama1 = L.Gama;
    return true;
}

}  // namespace

int soil_date_xy::soil_date_xy_read(std::FILE* f) {
    std::int32_t n = 0;
    float h[6];
    bool ok = bin::get_i32(f, n) && bin::get_f32s(f, h, 6);
    if (ok) {
        Layer_num = n;
        dmbg = h[0], dxsbg = h[1], jdbg = h[2], d_bg = h[3], f1 = h[4], zts = h[5];
    }
    if (!ok || Layer_num <= 0) {
        tell_error(kFailure, "Layer num error in soil_date_xy_read");
        if (JS_ERROR_CODE) return 0;
    }
    if (!bin::fits(f, Layer_num, sizeof(soil_layer)) ||
        !kv::fem::Allocate(layers, static_cast<std::size_t>(Layer_num))) {
        tell_error(kFailure, "Read soil_date error in soil_date_xy");
        return 0;
    }
    if (JS_ERROR_CODE) return 0;
    if (!bin::get_words(f, layers.data(), layers.size() * (sizeof(soil_layer) / 4))) {
        tell_error(kFailure, "Read soil_date error in soil_date_xy");
        return 0;
    }
    return 1;
}

int soil_date_xy::soil_date_xy_write(std::FILE* f) const {
    const float h[6] = {dmbg, dxsbg, jdbg, d_bg, f1, zts};
    if (!bin::put_i32(f, Layer_num) || !bin::put_f32s(f, h, 6)) return 0;
    if (Layer_num <= 0) tell_error(kFailure, "Layer num error in soil_date_xy_write");
    if (JS_ERROR_CODE) return 0;
    std::size_t n = std::min(layers.size(), static_cast<std::size_t>(Layer_num));
    if (n < static_cast<std::size_t>(Layer_num)) return 0;
    return bin::put_words(f, layers.data(), n * (sizeof(soil_layer) / 4)) ? 1 : 0;
}

namespace {

// The text readers differ in how they read a line, the header layout and the layer layout.
enum class Header { Three, Seven, Sheet };

template <typename NextLine>
int ReadText(soil_date_xy& s, NextLine next, Header header, LayerLine layout) {
    std::string line;
    bool got = next(line);
    if (!got && JS_ERROR_CODE) return 0;
    switch (header) {
    case Header::Three:
        scan_fields(line, "%d,%f,%f", &s.Layer_num, &s.dmbg, &s.dxsbg);
        break;
    case Header::Seven:
        scan_fields(line, "%d,%f,%f,%f,%f,%f,%f", &s.Layer_num, &s.dmbg, &s.dxsbg, &s.jdbg, &s.d_bg, &s.f1, &s.zts);
        break;
    case Header::Sheet:
        scan_fields(line, "%d,%f", &s.Layer_num, &s.dxsbg);
        s.dmbg = 0;
        break;
    }
    if (s.Layer_num < 1) tell_error(kFailure, "Layer num error in soil_date_xy_read_txt");
    if (!kv::fem::AllocateForText(s.layers, s.Layer_num > 0 ? static_cast<std::size_t>(s.Layer_num) : 0)) {
        tell_error(kFailure, "Read soil_date error in soil_date_xy_txt");
    }
    if (JS_ERROR_CODE) return 0;
    for (std::int32_t i = 0; i < s.Layer_num; ++i) {
        if (!next(line)) {
            // A file that ends inside the column cannot give its layers.
            if (!JS_ERROR_CODE) tell_error(kFailure, "Read soil_date error in soil_date_xy_txt");
            return 0;
        }
        if (!kv::fem::AppendDefault(s.layers)) {
            tell_error(kFailure, "Read soil_date error in soil_date_xy_txt");
            return 0;
        }
        ParseLayer(line, layout, s.layers.back());
    }
    return 1;
}

// The plain line reader of the older layouts: the input file's line rules.
auto PlainLines(kv::fem::TextInput& in) {
    return [&in](std::string& line) { return in.next(line); };
}

}  // namespace

int soil_date_xy::soil_date_xy_read_txt(kv::fem::TextInput& in) {
    return ReadText(*this, PlainLines(in), Header::Three, LayerLine::Input);
}

int soil_date_xy::soil_date_xy_read_txt(std::FILE* f) {
    kv::fem::TextInput in(f, "soil file");
    return soil_date_xy_read_txt(in);
}

int soil_date_xy::soil_date_xy_read_txt_0(std::FILE* f) {
    kv::fem::TextInput in(f, "soil file");
    return ReadText(*this, PlainLines(in), Header::Three, LayerLine::Skipped);
}

int soil_date_xy::soil_date_xy_read_txt_1(std::FILE* f) {
    kv::fem::TextInput in(f, "soil file");
    return ReadText(*this, PlainLines(in), Header::Seven, LayerLine::Full);
}

int soil_date_xy::soil_date_xy_read_txt_2(std::FILE* f) {
    auto next = [f](std::string& line) {
        if (fgets_skip_comment(line, 290, f)) return true;
        line.clear();
        return false;
    };
    return ReadText(*this, next, Header::Sheet, LayerLine::Sheet);
}

void soil_date_xy::soil_date_xy_print(std::FILE* f) const {
    if (!f) return;
    std::fprintf(f, "Layer_num= %d  dmbg=%.2f  dxsbg =%.2f\n", Layer_num, dmbg, dxsbg);
    std::fprintf(f, "Layer Thick   Gama    Es        Es1\n");
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const soil_layer& L = layers[i];
        std::fprintf(f, "%3d %6.2f %6.2f %8.1e %8.1e\n", static_cast<int>(i + 1), L.Thick, L.Gama, L.Es, L.Es1);
    }
}

void soil_date_xy::soil_date_xy_print_1(std::FILE* f) const {
    if (!f) return;
    std::fprintf(f, "Layer_num= %d  dmbg=%.2f  dxsbg =%.2f jdbg=%.2f d_bg=%.2f f1=%.2f zts=%.2f\n", Layer_num, dmbg,
                 dxsbg, jdbg, d_bg, f1, zts);
    std::fprintf(f, "Type Thick   Gama    Es        Es1       fk  zts   e    w     c  sita     f\n");
    for (const soil_layer& L : layers) {
        std::fprintf(f, "%3d %6.2f %6.2f %8.1e %8.1e %7.1f %4.2f %4.2f %5.1f %4.1f %4.1f %7.1f\n", L.Type, L.Thick,
                     L.Gama, L.Es, L.Es1, L.fk, L.zts, L.e, L.w, L.c, L.sita, L.f);
    }
}

void soil_date_xy::free() {
    layers.clear();
    layers.shrink_to_fit();
    Layer_num = 0;
}

std::vector<soil_layer> soil_date_xy::detach() {
    std::vector<soil_layer> out;
    out.swap(layers);
    return out;
}
