#pragma once
// The soil model's records: a soil column at one point of the plan
// (soil_date_xy) as a stack of horizontal layers (soil_layer), listed from the
// top down, with their binary form (the soil files) and the text forms of input
// files. Lengths and elevations in m, unit weights in kN/m³, moduli, cohesion and
// pressures in kN/m², angles in degrees.
#include <cstdint>
#include <cstdio>
#include <vector>

namespace kv::fem {
class TextInput;
}

// One layer: 18 four-byte fields, stored byte for byte (72 bytes) in the soil files.
struct soil_layer {
    std::int32_t Type = 0;
    std::int32_t spare0 = 0;
    float Thick = 5.0f;
    float Gama = 18.0f;
    float Gama1 = 10.0f;  // buoyant unit weight below the groundwater table
    float Es = 1.0e5f;
    float Es1 = 1.5e5f;   // second modulus of the two-modulus settlement
    float fk = 150.0f;
    float zts = 1.0f;
    float e = 0.7f;
    float w = 0.4f;
    float c = 12.0f;
    float sita = 25.0f;
    float fk_factor = 1.0f;
    float spare1 = 1.0f;
    float spare2 = 100.0f;
    float spare3 = 1.0f;
    float f = 150.0f;
};
static_assert(sizeof(soil_layer) == 72, "the layer record is stored byte for byte");

// The soil column at one point: seven header values (28 bytes in the files) and
// its layers, which it owns.
class soil_date_xy {
public:
    std::int32_t Layer_num = 0;
    float dmbg = 1.0f;     // elevation of the column's top
    float dxsbg = -100.0f; // elevation of the groundwater table
    float jdbg = -1.0f;
    float d_bg = 1.0f;
    float f1 = 200.0f;
    float zts = 1.0f;
    std::vector<soil_layer> layers;

    // Binary form: the header, then Layer_num layers. 1 on success, 0 on failure
    // (reported on the error channel).
    int soil_date_xy_read(std::FILE* f);
    int soil_date_xy_write(std::FILE* f) const;

    // Text forms. The input file's soil section uses soil_date_xy_read_txt; the
    // others read the layouts of older files.
    int soil_date_xy_read_txt(std::FILE* f);
    int soil_date_xy_read_txt(kv::fem::TextInput& in);
    int soil_date_xy_read_txt_0(std::FILE* f);
    int soil_date_xy_read_txt_1(std::FILE* f);
    int soil_date_xy_read_txt_2(std::FILE* f);

    void soil_date_xy_print(std::FILE* f) const;
    void soil_date_xy_print_1(std::FILE* f) const;

    // Cuts and earth pressures (soil_column.cpp). A cut fills `out` with the part
    // of this column below (down) or above (up) elevation z: 1, or 0 with the error
    // channel told when z does not cut the column.
    int get_soil_date_down(soil_date_xy* out, float z) const;
    int get_soil_date_up(soil_date_xy* out, float z) const;
    // The layer holding z (a boundary belongs to the upper layer); -1 when none.
    int layer_at(float z) const;
    // Vertical soil pressure at the column's bottom, and at elevation z.
    float weight_sum() const;
    float overburden(float z) const;
    // Active earth pressure under the surcharge q, and the passive one, at z.
    float active_press(float q, float z) const;
    float passive_press(float z) const;
    // Derived per-layer values, stored into the layer as well.
    float layer_factor(int i);
    float buoyant_weight(int i);
    // Pressure diagrams along the column: n points, each with its elevation and
    // the values just above and just below it.
    void cal_soil_press(float q, int* n, std::vector<float>* z, std::vector<float>* above,
                        std::vector<float>* below) const;
    void cal_soil_press_active(float q, int* n, std::vector<float>* z, std::vector<float>* above,
                               std::vector<float>* below) const;
    void cal_soil_press_passive(int* n, std::vector<float>* z, std::vector<float>* above,
                                std::vector<float>* below) const;

    // Releases the layers; Layer_num becomes 0, the other header values stay.
    void free();
    // Hands the layers over to the caller, who then owns them.
    std::vector<soil_layer> detach();
};
