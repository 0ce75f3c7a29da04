#pragma once
// The continuous beam's own finite-element model: one beam element per span, a
// skyline matrix held in memory, one load case for all dead loads and one for
// every live load, then the end forces, the redistribution of the hogging end
// moments, the envelopes along the beam and the design forces of each span.
//
// Units: kN, m (sections in mm), kN·m. Everything reports through tell_error;
// every step returns at once while JS_ERROR_CODE is set.
#include <array>
#include <vector>

#include "members/beams/lxl_analysis.h"

class CLxlData;

class YXY_Lxl {
public:
    // Builds the model; clears JS_ERROR_CODE first. On a refusal the error code is
    // left set and Solve does nothing.
    explicit YXY_Lxl(CLxlData& data);

    // Assembles, solves every load case and fills the envelopes and span forces.
    void Solve(CLxlData& data);

    // Diagnostic: each node with its three freedom numbers, through tell_error(0, …).
    void DumpFreedom() const;

    // Station k at k × 0.01 m, the last at the beam's end; all values 0.
    void InitStations();

    // Shear and moment just left and just right of x (from the span's left end) in
    // one load case, from the span's end values and its loads.
    struct Section {
        float v_left, v_right, m_left, m_right;
    };
    Section SectionForce(int span, float x, float L, int load_case, float v_end_left,
                         float m_end_left, float m_end_right) const;

    // End values of a span (0-based) in a load case (from 1) before redistribution:
    // left shear, left moment, right shear, right moment. Valid after Solve.
    struct EndForces {
        float v_left, m_left, v_right, m_right;
    };
    EndForces ElementEndForces(int span, int load_case) const;

    // End forces, redistribution and envelopes; then the design forces per span.
    void ElementForces();
    void SpanResults();

    const CLxlData& Data() const { return *data_; }
    float ConcreteGrade() const { return concrete_grade_; }
    float E() const { return E_; }
    float Nu() const { return nu_; }
    int LeftEnd() const { return end_code_[0]; }   // 0 simply supported, 1 fixed, 2 free
    int RightEnd() const { return end_code_[1]; }
    int SpanCount() const { return span_count_; }
    int NodeCount() const { return span_count_ + 1; }
    float TotalLength() const { return total_length_; }
    const std::vector<float>& NodeX() const { return node_x_; }
    int CaseCount() const { return case_count_; }
    int FreedomCount() const { return freedom_count_; }
    const std::vector<LXL_ELEMENT>& Elements() const { return elements_; }
    const std::vector<LXL_SPAN_FORCE>& SpanForces() const { return span_forces_; }
    const std::vector<LXL_STATION>& Stations() const { return stations_; }
    float StationStep() const { return station_step_; }

private:
    // One load of the data with the case it acts in.
    struct Load {
        int case_index;  // the data's case kind − 1: 0 for a dead load
        int span;        // from 1
        float a = 0, c = 0, q1 = 0, q2 = 0;  // P or M in q1 for types 1 and 2
        int case_no = 0;  // the load case (from 1), fixed by the load vectors
    };
    // Tables by load type (index 1 … 6), span by span, each span in load order.
    std::array<std::vector<Load>, 7> loads_;
    // Per span and case, the loads acting there (type, index in its table).
    std::vector<std::vector<std::vector<std::pair<int, int>>>> span_case_loads_;

    bool FixedEndValues(int type, const Load& load, float L, float f[6]) const;
    void BuildSkyline();
    void Assemble();
    void FormLoads();
    void ApplySupports();
    std::array<int, 6> ElementFreedoms(int span) const;

    CLxlData* data_;
    float concrete_grade_ = 0;
    float E_ = 0, nu_ = 0;
    int end_code_[2] = {0, 0};
    int span_count_ = 0;
    float total_length_ = 0;
    std::vector<float> node_x_;
    std::vector<float> J_, I_;
    std::vector<LXL_ELEMENT> elements_;
    std::vector<LXL_SPAN_FORCE> span_forces_;

    int freedom_count_ = 0;
    std::vector<int> w_no_, twist_no_, bend_no_;
    std::vector<int> addr_, firstrow_;
    int blockend_[2] = {0, 0};
    int packed_size_ = 0;
    std::vector<double> packed_, pivots_;
    std::vector<double> loads_vec_;  // case c (from 0) from c × freedom count on
    int case_count_ = 0;

    std::vector<LXL_STATION> stations_;
    float station_step_ = 0.01f;
    int station_count_ = 0;
};

namespace kv::lxl {

// In-core LDLᵀ of a one-block skyline matrix (row by row) and the substitution of
// all load cases together; the load vectors then hold the displacements.
void tri_symmetri_in_core(double* a, int n, const int* blockend, const int* addr, const int* firstrow,
                          double* D);
void back_in_core(const double* a, int n, const int* blockend, const int* addr, const int* firstrow,
                  const double* D, int cases, double* b);

// The simply supported beam's moment at x (sagging positive, loads downward).
// kind 1: a load from p1 at s1 to p2 at s2; any other kind: force p1 and moment p2 at s2.
float simple_beam_moment(float L, float x, int kind, float p1, float p2, float s1, float s2);

}  // namespace kv::lxl
