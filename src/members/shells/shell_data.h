#pragma once
// The spherical shallow shells on a rectangular, a regular hexagonal and a
// circular plan: their data objects (inputs, the last calculation's results) and
// module data files. A file is the marker line, two module lines (three for the
// circle) and the common block of CJsBaseData.
#include <string>

#include "base/jsdata.h"

class PJ_COLUMN_KV;

// ---- rectangle ------------------------------------------------------------------

// One point of the rectangular plan's quarter.
class CRectBqRecord {
public:
    virtual ~CRectBqRecord() = default;
    // Shell thickness (m) at the point: t_top within r_const of the centre, then
    // growing linearly to t_bottom at the corners (lengths in m).
    float Thickness(float a, float b, float r_const, float t_top, float t_bottom, int point_count) const;

    int no = 0;
    float coef[9] = {};  // Nx, Ny, S, Mx, My, Mxy, Qx, Qy, OMiGa
    float Nx = 0, Ny = 0, S = 0, Mx = 0, My = 0, Mxy = 0, Qx = 0, Qy = 0, OMiGa = 0;
    float Nmax = 0, Nmin = 0, Alfa = 0;
    float as_x[2] = {}, as_y[2] = {}, as_add[2] = {};
    float sigma1 = 0, sigma2 = 0;
    float sigma_x[2] = {}, sigma_y[2] = {};
    int err = 0;
    float spare = 0;
};

struct RECTBQ_FIELDS {
    float a = 6.0f, b = 6.0f;
    int t_top = 200, t_bottom = 400;
    float r_const = 2.0f, f = 1.2f;
    int beam_b = 350, beam_h = 500;
    float q = 198.2f;
    int concrete_grade = 40, shell_rebar_grade = 1;
    int reserved_1 = 8, reserved_2 = 125;
    int beam_rebar_grade = 3, as = 35;
    float beam_ini_factor = 0.8f;
    int steam_cured = 0, rebar_mode = 0;
};

class CRectBqData : public CJsBaseData, public RECTBQ_FIELDS {
public:
    CRectBqData();

    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;
    int LoadData(const char* path) override;
    int SaveData(const char* path) override;
    void SetFileName(const std::string& stem) override;

    // Designs the shell from the inputs; calc_ok 1 when every step ran.
    void Calculate();
    // Writes the report of the last calculation under report name 0 (shell_report.cpp);
    // 0, said in the message window, when the file cannot be written.
    int WriteReport();
    // Component c (1..9) of point p of table t; 0 for a table outside 1..20.
    float LookupTable(int t, int p, int c) const;

    // Steps of Calculate.
    void CalcRadius();
    int IsApplicable();
    int ChooseTable(float t_top_m);
    int ReadCoefficients();
    int GetMaterial();
    void CalcPointForces();
    int CheckStresses();
    void CheckPoint(CRectBqRecord& point);
    void DesignShellSection(float M, float N, float h, float width, float& top, float& bottom) const;
    void DesignEdgeBeams();
    void CalcEdgeRises();

    int calc_ok = 0;
    float sphere_radius = 0, rise_a = 0, rise_b = 0;
    float sec_depth[13] = {}, strip_force[13] = {}, sec_as_top[13] = {}, sec_as_bottom[13] = {};
    float sec_n[13] = {}, sec_m[13] = {};
    float edge_v_a = 0, edge_v_b = 0;
    float ftd = 0, fcd = 0, fy = 0, e_dyn = 0;
    float as_min[4] = {};
    int point_count = 36;
    CRectBqRecord points[54];
    std::string shell_no = "BQ1";  // shown only; never stored

    static constexpr const char* kMarker = "KV_RECTBQ_V30";
    static constexpr const char* kMarkerV20 = "KV_BQ1_V20";
};

// ---- hexagon --------------------------------------------------------------------

class CSixBqRecord {
public:
    virtual ~CSixBqRecord() = default;
    // Thickness (m) at the point, reaching t_bottom at the corners (distance a).
    float Thickness(float a, float r_const, float t_top, float t_bottom) const;
    // Position of the point in the twelfth: x along the edge, y towards it (m).
    void Position(float a, float& x, float& y) const;

    int no = 0;
    float Nx = 0, Ny = 0, S = 0, Mx = 0, My = 0, Mxy = 0, OMiGa = 0;
    float Nmax = 0, Nmin = 0, Alfa = 0;
    float sigma1 = 0, sigma2 = 0;
    float sigma_x[2] = {}, sigma_y[2] = {};
    int err = 0;
    float as_x[2] = {}, as_y[2] = {}, as_add[2] = {};
};

struct SIXBQ_FIELDS {
    float a = 5.0f;
    int t_top = 250, t_bottom = 500;
    float r_const = 4.0f, f = 1.5f;
    int beam_b = 350, beam_h = 540;
    float q = 200.0f;
    int concrete_grade = 35, shell_rebar_grade = 1;
    int reserved_1 = 10, reserved_2 = 125;
    int beam_rebar_grade = 3, as = 35;
    float beam_ini_factor = 0.8f;
    int steam_cured = 0, rebar_mode = 0;
};

class CSixBqData : public CJsBaseData, public SIXBQ_FIELDS {
public:
    CSixBqData();

    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;
    int LoadData(const char* path) override;
    int SaveData(const char* path) override;
    void SetFileName(const std::string& stem) override;

    void Calculate();
    int WriteReport();
    // Component c (1..7) of point p (1..15) of table t; 0 for a table outside 1..5.
    float LookupTable(int t, int p, int c) const;

    void CalcRadius();
    void CalcEdgeRise();
    int IsApplicable();
    int ChooseTable(float t_top_m) const;
    // False (with a message) when the concrete grade is unknown.
    bool CalcPointForces(int table);
    int CheckStresses();
    void DesignShellSection(float M, float N, float h, float width, float& top, float& bottom) const;
    void DesignEdgeBeam();

    int calc_ok = 0;
    float sphere_radius = 0, rise = 0;
    float sec_depth[5] = {}, strip_force[5] = {}, sec_as_top[5] = {}, sec_as_bottom[5] = {};
    float sec_n[5] = {};
    float as_min[4] = {};
    float sec_m[5] = {};
    float edge_v = 0;
    CSixBqRecord points[15];
    std::string shell_no = "BQ1";

    static constexpr const char* kMarker = "KV_SIXBQ_V30";
    static constexpr const char* kMarkerV20 = "KV_BQ2_V20";
};

// ---- circle ---------------------------------------------------------------------

// The ring beam's support conditions, in the order the dialog lists them.
inline constexpr const char* kCircleBoundaryNames[3] = {"简支", "嵌固", "弹性"};

struct CIRCLEBQ_FIELDS {
    float r = 5.0f;
    int t_top = 250, t_bottom = 400;
    float r_const = 4.0f, f = 1.2f;
    int beam_b = 500, beam_h = 1500;
    float q = 250.0f;
    int concrete_grade = 30, shell_rebar_grade = 1;
    int reserved_1 = 10, reserved_2 = 125;
    int beam_rebar_grade = 3, as = 35;
    float beam_ini_factor = 0.8f;
    int steam_cured = 0;
    int e_alpha = 475, e1_alpha = 705;
    std::string boundary = "弹性";  // one of kCircleBoundaryNames
    int rebar_mode = 0;
};

class CCircleBqData : public CJsBaseData, public CIRCLEBQ_FIELDS {
public:
    CCircleBqData();

    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;
    int LoadData(const char* path) override;
    int SaveData(const char* path) override;
    void SetFileName(const std::string& stem) override;

    // Designs the shell from the inputs (circle_calc.cpp); calc_ok 1 on success.
    void Calculate();
    int WriteReport();
    // The Kelvin tables: built once from their series, then the program folder's
    // files may replace them.
    static void LoadKelvinTables();
    // Table lookups at x rounded to hundredths; 0 beyond the table (noted in kelvin_out).
    float ber(float x);
    float bei(float x);
    float ber_(float x);
    float bei_(float x);

    void CalcSphereRadius();
    int IsApplicable();
    // The boundary systems; false when the system has no solution.
    bool JianZhi();
    bool QianGu();
    bool TanXing();
    void SetStations();
    float CalcNPhi(float x);
    float CalcNTheta(float x);
    float CalcMPhi(float x);
    float CalcQPhi(float x);
    float CalcW(float x);
    float CalcV(float x);
    float CalcChi(float x);
    void CheckStations();
    void DesignStrip(float (&pair)[2], float M, float N, float t_k, float width);
    void DesignRingBeam(PJ_COLUMN_KV& design, float& top, float& bottom, float M, float N, float h);
    // Shell thickness (m) at radius rho.
    float LocalThickness(float rho) const;

    int calc_ok = 0;
    float sphere_radius = 0;
    float c1 = 0, c2 = 0, c3 = 0;
    float ber_val = 0, bei_val = 0, berp_val = 0, beip_val = 0;
    float kelvin_x = 0;
    float char_len = 0;
    float e_dyn = 0;
    float rho[13] = {}, n_phi[13] = {}, m_phi[13] = {}, n_theta[13] = {}, q_phi[13] = {};
    float w[13] = {}, v[13] = {}, chi[13] = {};
    float sigma_t[13] = {}, sigma_c[13] = {}, sigma_h[13] = {};
    int check_flag[13] = {};
    float ring_n = 0, ring_m = 0, ring_as_top = 0, ring_as_bottom = 0;
    float merid_as[13][2] = {}, hoop_as[13][2] = {};
    bool kelvin_out = false;  // a lookup fell beyond the table
    std::string shell_no = "BQ1";

    static constexpr const char* kMarker = "KV_CIRCLEBQ_V30";
    static constexpr const char* kMarkerV20 = "KV_BQ3_V20";
};

// The modules' objects: the item being edited, bound to it by the module command.
extern CRectBqData G_RectBqData;
extern CSixBqData G_SixBqData;
extern CCircleBqData G_CircleBqData;
