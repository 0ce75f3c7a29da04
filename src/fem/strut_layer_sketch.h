#pragma once
// Sketch of a strut-layer model (strut_layer_model.h, every section loaded): its
// loads and its restraints, drawn into an in-memory drawing. Model co-ordinates
// (m) are drawn ×1000 (mm) and moved by the caller's origin (ox, oy).
//
// Every force or load is an arrow whose head lies at the loaded point and whose
// tail is `length` away in direction θ; a row of arrows also gets the line
// through its tails. Sizes below are drawing lengths.
#include "fem/strut_layer_model.h"

class CBase_SGT;

namespace kv::fem {

class CJianTu_StrLd {
public:
    // 2: every node force is drawn as a vertical force of opposite sign.
    int m_nMode = 0;
    // Height of every value text, and the unit of the restraint symbols.
    float m_fTextHeight = 300;
    // Length of the largest node force's arrow.
    float m_fForceLength = 1000;
    // Length of the largest distributed load's arrows; half of it is their spacing.
    float m_fLoadLength = 800;
    // Largest |force| and |intensity| of the model, found by Draw_HeZai.
    float m_fForceScale = 0;
    float m_fLoadScale = 0;

    // Node loads, and the point loads, moments and distributed loads of the waling
    // beams and struts, with their values, in the drawing's current colour.
    void Draw_HeZai(const CJsBzData& model, CBase_SGT* drawing, float ox, float oy);
    // Released member ends (colour "4"); spring, link, fixed and hinged supports
    // (colour "7").
    void Draw_YueShu(const CJsBzData& model, CBase_SGT* drawing, float ox, float oy);
};

}  // namespace kv::fem
