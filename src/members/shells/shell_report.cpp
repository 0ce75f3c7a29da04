// The calculation reports of the three shells: a text file under the item's
// report name that the dialog turns into RTF; script blocks in it insert the
// drawings and colour the warnings.
#include <cmath>
#include <cstdio>
#include <string>

#include "base/error.h"
#include "base/globals.h"
#include "base/textio.h"
#include "codes/guifan.h"
#include "members/shells/shell_data.h"
#include "report/script.h"

namespace {

constexpr const char* kS60 = "------------------------------------------------------------\n";
constexpr const char* kS38 = "--------------------------------------\n";
constexpr const char* kMomentNote = "注: 弯矩为负表示下侧受拉, 反之表示上侧受拉\n";
constexpr std::uint32_t kRed = 255;

// The report file of the item, opened for writing; a file that cannot be made is
// said in the message window, so no earlier report passes for this run's.
std::FILE* OpenReport(const CJsBaseData& data) {
    const std::string path = G_strWorkPath + data.GetRtfFileName(0);
    std::FILE* fp = open_file_no_comment(path.c_str(), "wt");
    if (!fp) tell_error(kv::err::kWarning, "不能写计算书文件 : " + path);
    return fp;
}

int CloseReport(const CJsBaseData& data, std::FILE* fp) {
    std::fputs(" ", fp);
    if (commit_file(fp) == 0) return 1;
    tell_error(kv::err::kWarning, "不能写计算书文件 : " + G_strWorkPath + data.GetRtfFileName(0));
    return 0;
}

void Head(std::FILE* fp, const CJsBaseData& data) {
    std::fprintf(fp, "%s计算项目%s\n%s[ 计算条件 ]\n", kS60, data.m_strName.c_str(), kS60);
}

void Warning(std::FILE* fp, const char* text) { VanjoroScript_Text(fp, text, kRed, 1.0); }

void Drawing(std::FILE* fp, const CJsBaseData& data, int k) {
    VanjoroScript(fp, ("InsertDxf=" + data.GetDxfFileName(k)).c_str());
}

// The conditions the three plans share, from the shell thicknesses to the load.
template <typename Fields>
void ShellConditions(std::FILE* fp, const Fields& d) {
    std::fprintf(fp, "  壳顶厚度: %dmm\n", d.t_top);
    std::fprintf(fp, "  壳底厚度: %dmm\n", d.t_bottom);
    std::fprintf(fp, "  壳顶厚度不变区半径: %.3fm\n", d.r_const);
    std::fprintf(fp, "  壳体钢筋级别: %s\n", _GJ(d.shell_rebar_grade));
    std::fprintf(fp, "  矢高: %.3fm\n", d.f);
    std::fprintf(fp, "  配筋计算 as: %dmm\n", d.as);
    std::fprintf(fp, "  混凝土强度等级: %s\n", _HNT(d.concrete_grade));
    std::fprintf(fp, "  均布荷载: %.3fkPa\n", d.q);
}

// The beam lines ("边梁" or "环梁") before the circle's axis distances.
template <typename Fields>
void BeamConditions(std::FILE* fp, const Fields& d, const char* beam) {
    std::fprintf(fp, "  %s纵筋级别: %s\n", beam, _GJ(d.beam_rebar_grade));
    std::fprintf(fp, "  %s宽度: %dmm\n", beam, d.beam_b);
    std::fprintf(fp, "  %s高度: %dmm\n", beam, d.beam_h);
}

template <typename Fields>
void ModeConditions(std::FILE* fp, const Fields& d) {
    std::fprintf(fp, "  配筋方式: %s\n", d.rebar_mode == 0 ? "对称" : "非对称");
    std::fputs(d.steam_cured ? "  考虑蒸气养护或掺早强剂\n" : "  不考虑蒸气养护或掺早强剂\n", fp);
    std::fputs(kS38, fp);
}

// The membrane and bending lines of a point of the rectangle or the hexagon.
template <typename Record>
void PointHead(std::FILE* fp, int number, const Record& p) {
    std::fprintf(fp, "  点号: %d\n", number);
    std::fprintf(fp, "  Nx: %.1fkN/m\n", p.Nx);
    std::fprintf(fp, "  Ny: %.1fkN/m\n", p.Ny);
    std::fprintf(fp, "  S: %.1fkN/m\n", p.S);
    std::fprintf(fp, "  Mx: %.1fkN.m/m\n  My: %.1fkN.m/m\n  Mxy: %.1fkN.m/m\n", p.Mx, p.My, p.Mxy);
}

// The warning and reinforcement lines that end a point's block. A point keeps
// only the code of its last failed check.
template <typename Record>
void PointTail(std::FILE* fp, const Record& p) {
    std::fprintf(fp, "  Nmax: %.1fkN/m\n  Nmin: %.1fkN/m\n", p.Nmax, p.Nmin);
    static const char* const kWarnings[5] = {
        "  x向拉应力>4ftd, 壳体厚度不满足\n", "  x向压应力>fcd, 壳体厚度不满足\n",
        "  y向拉应力>4ftd, 壳体厚度不满足\n", "  y向压应力>fcd, 壳体厚度不满足\n", "  砼检验强度不满足\n"};
    if (p.err >= 1 && p.err <= 5) Warning(fp, kWarnings[p.err - 1]);
    std::fprintf(fp,
                 "  纵向钢筋: X向上侧(%.1fmm2), X向下侧(%.1fmm2)\n            Y向上侧(%.1fmm2), Y向下侧(%.1fmm2)\n"
                 "  斜向钢筋: 上侧(%.1fmm2), 下侧(%.1fmm2)\n",
                 p.as_x[0], p.as_x[1], p.as_y[0], p.as_y[1], p.as_add[0], p.as_add[1]);
    std::fputs(kS38, fp);
}

void EdgeHeading(std::FILE* fp, const char* title) {
    std::fprintf(fp, "%s%s%s%s", kS38, title, kMomentNote, kS38);
}

// One quantity at the sections of an edge, lettered from A: "<L>点<label>:  <value><unit>".
void SectionLines(std::FILE* fp, const char* label, const float* values, int count, float sign, const char* unit,
                  const char* const* labels = nullptr) {
    for (int k = 0; k < count; ++k)
        std::fprintf(fp, "%c点%s:  %.1f%s\n", 'A' + k, labels ? labels[k] : label, sign * values[k], unit);
}

void DepthLines(std::FILE* fp, const float* depth, int count) {
    for (int k = 0; k < count; ++k) std::fprintf(fp, "%c点截面高度:  %dmm\n", 'A' + k, static_cast<int>(depth[k] * 1000));
}

// The sections of one edge: tension (as the strips pull on the edge, so the
// opposite sign of their resultants), moment, bars and depths.
struct EdgeSections {
    const float *strip_force, *sec_m, *sec_as_top, *sec_as_bottom, *sec_depth;
    int count;
    const char* const* bottom_labels;  // null: all "下侧纵向钢筋"
    bool ruled_after_tension;
};

void EdgeLines(std::FILE* fp, const EdgeSections& e) {
    SectionLines(fp, "拉力", e.strip_force, e.count, -1, "kN");
    if (e.ruled_after_tension) std::fputs(kS38, fp);
    SectionLines(fp, "弯矩", e.sec_m, e.count, 1, "kN.m");
    std::fputs(kS38, fp);
    SectionLines(fp, "上侧纵向钢筋", e.sec_as_top, e.count, 1, "mm2");
    std::fputs(kS38, fp);
    SectionLines(fp, "下侧纵向钢筋", e.sec_as_bottom, e.count, 1, "mm2", e.bottom_labels);
    std::fputs(kS38, fp);
    DepthLines(fp, e.sec_depth, e.count);
    std::fputs(kS38, fp);
}

float RelativeError(float reaction, float load) {
    return load < 0.0005f ? 0.0f : std::fabs(reaction - load) / load * 100;
}

// Load and reaction of the equilibrium check; `percent_first` is the a-edge's
// "相对误差%:" form.
void CheckLines(std::FILE* fp, float load, float reaction, bool percent_first = false) {
    std::fprintf(fp, "竖向荷载总和:  %.3fkN\n", load);
    std::fprintf(fp, "竖向反力总和:  %.3fkN\n", reaction);
    std::fprintf(fp, percent_first ? "相对误差%%:  %.3f\n" : "相对误差:  %.3f%%\n", RelativeError(reaction, load));
}

}  // namespace

int CRectBqData::WriteReport() {
    std::FILE* fp = OpenReport(*this);
    if (!fp) return 0;
    Head(fp, *this);
    std::fprintf(fp, "  边长a: %.3fm\n", a);
    std::fprintf(fp, "  边长b: %.3fm\n", b);
    ShellConditions(fp, *this);
    BeamConditions(fp, *this, "边梁");
    ModeConditions(fp, *this);
    std::fprintf(fp, "[ 壳体的内力与配筋 ]\n%s%s", kMomentNote, kS38);
    for (int i = 0; i < point_count; ++i) {
        const CRectBqRecord& p = points[i];
        PointHead(fp, i + 1, p);
        std::fprintf(fp, "  Qx: %.1fkN/m\n", p.Qx);
        std::fprintf(fp, "  Qy: %.1fkN/m\n", p.Qy);
        PointTail(fp, p);
    }
    for (int k = 0; k <= 11; ++k) Drawing(fp, *this, k);
    EdgeHeading(fp, "[ 边梁的内力与配筋 ]\n");
    Drawing(fp, *this, 12);
    std::fputs("  a边:\n", fp);
    EdgeLines(fp, {strip_force, sec_m, sec_as_top, sec_as_bottom, sec_depth, 5, nullptr, true});
    const int ms = point_count / 6 - 1;
    std::fputs("  b边:\n", fp);
    EdgeLines(fp, {strip_force + 5, sec_m + 5, sec_as_top + 5, sec_as_bottom + 5, sec_depth + 5, ms, nullptr, false});
    std::fprintf(fp, "[ 扁壳结果校核 ]\n%s  a边:\n", kS38);
    const float P = q * a * b / 8;
    CheckLines(fp, P, edge_v_a, true);
    std::fprintf(fp, "%s  b边:\n", kS38);
    CheckLines(fp, P, edge_v_b);
    return CloseReport(*this, fp);
}

int CSixBqData::WriteReport() {
    std::FILE* fp = OpenReport(*this);
    if (!fp) return 0;
    Head(fp, *this);
    std::fprintf(fp, "  边长: %.3fm\n", a);
    ShellConditions(fp, *this);
    BeamConditions(fp, *this, "边梁");
    ModeConditions(fp, *this);
    std::fprintf(fp, "[ 壳体的内力与配筋 ]\n%s%s", kMomentNote, kS38);
    for (int i = 0; i < 15; ++i) {
        PointHead(fp, i + 1, points[i]);
        PointTail(fp, points[i]);
    }
    for (int k = 0; k <= 9; ++k) Drawing(fp, *this, k);
    EdgeHeading(fp, "[ 边梁的内力与配筋 ]\n");
    Drawing(fp, *this, 10);
    // Section D stands where the edge beam is compressed.
    static const char* const kBottom[5] = {"下侧纵向钢筋", "下侧纵向钢筋", "下侧纵向钢筋", "纵向受压钢筋",
                                           "下侧纵向钢筋"};
    EdgeLines(fp, {strip_force, sec_m, sec_as_top, sec_as_bottom, sec_depth, 5, kBottom, true});
    std::fprintf(fp, "[ 扁壳结果校核 ]\n%s", kS38);
    const float P = q * (a / 2) * a * std::sin(1.0471976) / 2;
    CheckLines(fp, P, edge_v);
    return CloseReport(*this, fp);
}

int CCircleBqData::WriteReport() {
    std::FILE* fp = OpenReport(*this);
    if (!fp) return 0;
    Head(fp, *this);
    std::fprintf(fp, "  半径: %.3fm\n", r);
    ShellConditions(fp, *this);
    BeamConditions(fp, *this, "环梁");
    std::fprintf(fp, "  轴心距eα: %dmm\n", e_alpha);
    std::fprintf(fp, "  轴心距e1α: %dmm\n", e1_alpha);
    std::fprintf(fp, "  支座条件: %s\n", boundary.c_str());
    ModeConditions(fp, *this);
    std::fprintf(fp, "[ 壳体的内力与配筋 ]\n%s%s", kMomentNote, kS38);
    static const char* const kWarnings[3] = {"  拉应力>4ftd, 壳体厚度不满足\n", "  压应力>fcd, 壳体厚度不满足\n",
                                             "  砼检验强度不满足\n"};
    for (int k = 0; k <= 12; ++k) {
        if (k <= 10) std::fprintf(fp, "  半径: %.3fm\n", rho[k]);
        else if (k == 11) std::fprintf(fp, "壳体厚度变化截面r=%.3fm\n", rho[k]);
        else std::fprintf(fp, "壳体边梁截面r=%.3fm\n", rho[k]);
        std::fprintf(fp, "  经向内力: %.1fkN/m\n", n_phi[k]);
        std::fprintf(fp, "  环向内力: %.1fkN/m\n", n_theta[k]);
        std::fprintf(fp, "  经向弯矩: %.1fkN.m/m\n", m_phi[k]);
        std::fprintf(fp, "  经向切力: %.1fkN/m\n", q_phi[k]);
        std::fprintf(fp, "  经向配筋: 上侧(%.1fmm2), 下侧(%.1fmm2)\n  环向配筋: 上侧(%.1fmm2), 下侧(%.1fmm2)\n",
                     merid_as[k][0], merid_as[k][1], hoop_as[k][0], hoop_as[k][1]);
        if (check_flag[k] >= 1 && check_flag[k] <= 3) Warning(fp, kWarnings[check_flag[k] - 1]);
        std::fputs(kS38, fp);
    }
    // The boundary drawing (11) is shown from the result list only.
    for (int k = 0; k <= 10; ++k) Drawing(fp, *this, k);
    EdgeHeading(fp, "[ 环梁的内力与配筋 ]\n");
    std::fprintf(fp, "  拉力:  %.1fkN\n", ring_n);
    std::fprintf(fp, "  弯矩:  %.1fkN.m\n", ring_m);
    std::fprintf(fp, "  上侧钢筋:  %.1fmm2\n  下侧钢筋:  %.1fmm2\n", ring_as_top, ring_as_bottom);
    std::fputs(kS38, fp);
    std::fprintf(fp, "[ 扁壳结果校核 ]\n%s", kS38);
    constexpr float kPi = 3.1415927f;
    const float P = kPi * r * r * q;
    const float reaction =
        2 * kPi * r * std::fabs(q_phi[12]) + 2 * kPi * r * std::fabs(n_phi[12]) * r / sphere_radius;
    CheckLines(fp, P, reaction);
    return CloseReport(*this, fp);
}
