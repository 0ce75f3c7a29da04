#include "loads/kuosan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "base/error.h"
#include "base/globals.h"
#include "base/textio.h"
#include "base/toolfile.h"
#include "drawing/pen.h"
#include "platform/services.h"
#include "platform/textfile.h"
#include "report/rtf.h"

CKuoSanData G_KuoSanData;

namespace {

constexpr int kLineBytes = 512;
// A report line is taken whole, however long: the program's tables may be wide.
constexpr int kReportLineBytes = std::numeric_limits<int>::max();
constexpr int kSizeFields = 8;
constexpr const char* kSizeLine = "%d,%f,%f,%f,%f,%f,%f,%f\n";

// Parts of the walls around the openings (mm): the step from one chamber to the
// next, the wall, and the two parts of the partition beside a door.
constexpr float kStep = 800.0f;    // t
constexpr float kWall = 500.0f;    // m
constexpr float kPart1 = 450.0f;   // k1
constexpr float kPart2 = 350.0f;   // k2 (k1 + k2 = t)

const char* const kWallLayer = "WALL";
const char* const kWallColour = "7";
const char* const kOpeningLayer = "WINDOW";
const char* const kOpeningColour = "2";
const char* const kMarkColour = "4";

std::string Trimmed(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.pop_back();
    std::size_t from = s.find_first_not_of(" \t");
    return from == std::string::npos ? std::string() : s.substr(from);
}

bool EndsWithRtf(const std::string& name) {
    if (name.size() < 3) return false;
    std::string tail = name.substr(name.size() - 3);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == "rtf";
}

// The number at the start of an exchange value; `current` when it holds none, or
// none that fits the field ("nan", "inf" or beyond its range are no size).
template <class T>
T NumberOr(const std::string& text, T current) {
    const char* begin = text.c_str();
    char* end = nullptr;
    double v = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(v)) return current;
    if (std::fabs(v) > static_cast<double>(std::numeric_limits<T>::max())) return current;
    return static_cast<T>(v);
}

// The sizes a sketch is drawn with: one stage has no second chamber, so the
// second is drawn as the first.
struct Sketch {
    int type;
    float W1, H1, L1, W2, H2, L2;
    float a, h;
};

Sketch SketchOf(const KUOSAN_FIELDS& f) {
    Sketch s{f.XBType, f.W1, f.H1, f.L1, f.W2, f.H2, f.L2, 0, 0};
    s.a = std::min(s.W1, s.W2) / 2.5f;
    s.h = std::min(s.H1, s.H2) - 1000.0f;
    if (s.type == 1) {
        s.L2 = s.L1;
        s.H2 = s.H1;
        s.W2 = s.W1;
    }
    return s;
}

// The elements of the sketch, each drawn from its start point (x0, y0).
class Painter {
public:
    Painter(CPenSGT& pen, const Sketch& s) : p_(pen), s_(s) {}

    void Wall(int n, const float* x, const float* y) {
        p_.Draw_PLine(CPenSGT::LT_FINE, n, x, y, nullptr, 0, kWallLayer, kWallColour);
    }
    void WallLine(float x1, float y1, float x2, float y2) {
        p_.Draw_Line(CPenSGT::LT_FINE, x1, y1, x2, y2, false, kWallLayer, kWallColour);
    }
    void OpeningLine(int lt, float x1, float y1, float x2, float y2) {
        p_.Draw_Line(lt, x1, y1, x2, y2, false, kOpeningLayer, kOpeningColour);
    }
    void Rectangle(const char* layer, const char* colour, float x, float y, float w, float h) {
        const float xs[5] = {x, x + w, x + w, x, x}, ys[5] = {y, y, y + h, y + h, y};
        p_.Draw_PLine(CPenSGT::LT_FINE, 5, xs, ys, nullptr, 0, layer, colour);
    }

    // The wall along a chamber of length L, stepping in by c to the next opening
    // and out by d to the next chamber.
    void WallRun(float x0, float y0, float L, float c, float d) {
        const float x[7] = {x0, x0 + L, x0 + L, x0 + L + kPart1, x0 + L + kPart1, x0 + L + kStep, x0 + L + kStep};
        const float y[7] = {y0, y0, y0 - c / 2, y0 - c / 2, y0 - c, y0 - c, y0 - c + d};
        Wall(7, x, y);
    }
    // The floor of length V with the sill of height x at its end.
    void SillRun(float x0, float y0, float V, float x) {
        const float xs[5] = {x0, x0 + V, x0 + V, x0 + V + kPart2, x0 + V + kPart2};
        const float ys[5] = {y0, y0, y0 + x, y0 + x, y0};
        Wall(5, xs, ys);
    }
    // The last chamber's wall of length V and the exit wall, dropping by x to the exit.
    void EndWall(float x0, float y0, float V, float x, int f) {
        const float e1 = (f == 0 && s_.W2 < s_.W1) ? (s_.W1 - s_.W2) / 2 : 0.0f;
        const float e2 = (s_.type == 2 && s_.W1 > s_.W2 && f == 0) ? (s_.W1 - s_.W2) / 2 : 0.0f;
        const float xs[5] = {x0, x0 + V, x0 + V, x0 + V + kPart2, x0 + V + kPart2};
        const float ys[5] = {y0, y0, y0 - x, y0 - x, y0 + 1000 + e1};
        Wall(5, xs, ys);
        WallLine(x0 + V, y0 + 1000 + e1, x0 + V, y0 + 500 + e2);
    }
    // A door in the plan, through a wall step, centred on y0, in a chamber D wide.
    void PlanOpening(float x0, float y0, float D) {
        const float a = s_.a;
        OpeningLine(CPenSGT::LT_FINE, x0, y0 - (D + a) / 4, x0, y0 + (D + a) / 4);
        OpeningLine(CPenSGT::LT_FINE, x0 + kPart1, y0 - a / 2, x0 + kPart1, y0 + a / 2);
        OpeningLine(CPenSGT::LT_FINE, x0 + kStep, y0 - a / 2, x0 + kStep, y0 + a / 2);
        OpeningLine(CPenSGT::LT_THIN, x0 + 100, y0 + a / 2, x0 + 400, y0 - a / 2);
    }
    void ExitOpening(float x0, float y0) {
        const float a = s_.a;
        OpeningLine(CPenSGT::LT_FINE, x0, y0 - a / 2, x0, y0 + a / 2);
        OpeningLine(CPenSGT::LT_FINE, x0 + kPart2, y0 - a / 2, x0 + kPart2, y0 + a / 2);
    }
    // A door in the longitudinal section, floor at y0, in a chamber H high.
    void SectionOpening(float x0, float y0, float H) {
        const float h = s_.h;
        OpeningLine(CPenSGT::LT_FINE, x0, y0, x0, y0 + (H + h + 200) / 2);
        OpeningLine(CPenSGT::LT_FINE, x0 + kPart1, y0 + 200, x0 + kPart1, y0 + h + 200);
        OpeningLine(CPenSGT::LT_FINE, x0 + kStep, y0 + 200, x0 + kStep, y0 + h + 200);
        Rectangle(kOpeningLayer, kOpeningColour, x0 + 250, y0 + 100, 100, h + 200);
    }
    void SectionExit(float x0, float y0) {
        const float h = s_.h;
        OpeningLine(CPenSGT::LT_FINE, x0, y0 + 200, x0, y0 + h + 200);
        OpeningLine(CPenSGT::LT_FINE, x0 + kPart2, y0 + 200, x0 + kPart2, y0 + h + 200);
        Rectangle(kOpeningLayer, kOpeningColour, x0 - 200, y0 + 100, 100, h + 200);
    }
    // A chamber cut across: walls, footing, the door outline behind and the door.
    void CrossSection(float x0, float y0, float Wc, float Hc) {
        const float a = s_.a, h = s_.h;
        Rectangle(kWallLayer, kWallColour, x0, y0, Wc + 2 * kWall, Hc + 2 * kWall);
        Rectangle(kWallLayer, kWallColour, x0 + kWall, y0 + kWall, Wc, Hc);
        Rectangle(kWallLayer, kWallColour, x0 - 100, y0 - 100, Wc + 2 * kWall + 200, 100);
        const float A = x0 + kWall + (Wc - a) / 4;
        const float C = y0 + kWall + (Hc + h + 200) / 2;
        const float G = A + a + (Wc - a) / 2;
        const float hx[4] = {A, A, G, G}, hy[4] = {y0 + kWall, C, C, y0 + kWall};
        p_.Draw_PLine(CPenSGT::LT_HIDDEN, 4, hx, hy, nullptr, 0, kOpeningLayer, kOpeningColour);
        const float K = x0 + kWall + (Wc - a) / 2, Y = y0 + 700;
        Rectangle(kOpeningLayer, kOpeningColour, K, Y, a, h);
        const float dx[3] = {K, K + a / 5, K + a}, dy[3] = {Y, Y + 4 * h / 5, Y + h};
        p_.Draw_PLine(CPenSGT::LT_FINE, 3, dx, dy, nullptr, 0, kOpeningLayer, kOpeningColour);
    }

private:
    CPenSGT& p_;
    const Sketch& s_;
};

}  // namespace

CKuoSanData::CKuoSanData() = default;

void CKuoSanData::SetFileName(const std::string& stem) {
    m_strStem = stem;
    m_nJtNum = 0;
    char dxf[300];
    std::snprintf(dxf, sizeof dxf, "%s_KuoSan_jt_%02d.dxf", stem.c_str(), 1);
    SetJt(0, "简图", dxf, stem + ".RTF");
}

int CKuoSanData::LoadData(const char* path) {
    std::FILE* fp = open_file_no_comment(path, "rt");
    if (!fp) return 0;
    std::string line;
    if (!fgets_line(line, kLineBytes, fp) || Trimmed(line) != kMarker) {
        close_file(fp);
        return 0;
    }
    KUOSAN_FIELDS read = *this;
    const bool whole = fgets_scan_fields(fp, kLineBytes, "%d,%f,%f,%f,%f,%f,%f,%f", &read.XBType, &read.W1, &read.H1,
                                         &read.L1, &read.W2, &read.H2, &read.Hg2, &read.L2) == kSizeFields;
    // A size of nan or inf is a damaged line, not a chamber.
    const bool finite = std::isfinite(read.W1) && std::isfinite(read.H1) && std::isfinite(read.L1) &&
                        std::isfinite(read.W2) && std::isfinite(read.H2) && std::isfinite(read.Hg2) &&
                        std::isfinite(read.L2);
    if (!whole || !finite) {
        close_file(fp);
        kv::MessageBox(std::string("数据文件不完整 : ") + path);
        return 0;
    }
    static_cast<KUOSAN_FIELDS&>(*this) = read;
    CJsBaseData::LoadData(fp);
    close_file(fp);
    SetFileName_(path);
    return 1;
}

int CKuoSanData::SaveData(const char* path) {
    return SaveMarkedData(path, kMarker, [this](std::FILE* fp) {
        std::fprintf(fp, kSizeLine, XBType, W1, H1, L1, W2, H2, Hg2, L2);
    });
}

bool CKuoSanData::ReadSizes() {
    using kv::tools::GetString;
    auto text = [](const char* format, auto value) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, format, value);
        return std::string(buffer);
    };
    const char* file = kv::tools::kExchangeFile;
    XBType = NumberOr(GetString(file, kExchangeSection, "XBType", text("%d", XBType)), XBType);
    struct Key {
        const char* name;
        float* field;
    } keys[] = {{"Width1", &W1}, {"Height1", &H1}, {"Length1", &L1}, {"Width2", &W2},
                {"Height2", &H2}, {"Hg2", &Hg2}, {"Length2", &L2}};
    for (const Key& k : keys)
        *k.field = NumberOr(GetString(file, kExchangeSection, k.name, text("%f", static_cast<double>(*k.field))),
                            *k.field);
    return kv::tools::HasSection(file, kExchangeSection);
}

void CKuoSanData::DrawPlan(CPenSGT& P) const {
    P.New_MemDxf();
    P.AddLayer(kWallLayer, 7, "CONTINUOUS");
    P.AddLayer(kOpeningLayer, 2, "CONTINUOUS");
    const Sketch s = SketchOf(*this);
    const float a = s.a, h = s.h;
    Painter paint(P, s);

    // Plan: the upper half of the walls, then the same mirrored about the axis.
    {
        CPenSGT F;
        F.New_MemDxf();
        Painter half(F, s);
        half.WallRun(0, s.W1 / 2, 1000, (s.W1 - a) / 2, (s.W1 - a) / 2);
        float e = 1000 + kStep;
        if (s.type == 2) {
            half.WallRun(e, s.W1 / 2, s.L1, (s.W1 - a) / 2, (s.W2 - a) / 2);
            e += s.L1 + kStep;
        }
        half.EndWall(e, s.W2 / 2, s.L2, (s.W2 - a) / 2, 0);
        const float outer = std::max(s.W1, s.W2) / 2 + kWall;
        half.WallLine(0, outer, e + s.L2, outer);
        P.InsertDxf(F, 0, 0, 0, 1, 1);
        P.InsertDxfAffine(F, 1, 0, 0, -1, 0, 0);
    }
    float e = 1000;
    paint.PlanOpening(e, 0, s.W1);
    e = 1000 + kStep + s.L1;
    if (s.type == 2) {
        paint.PlanOpening(e, 0, s.W1);
        e += s.L2 + kStep;
    }
    paint.ExitOpening(e, 0);
    P.Draw_DrawingName(e / 2, -s.W1 / 2 - 2500, s.type == 1 ? "一级消波系统平面示意图" : "二级消波系统平面示意图", false, 82);

    // Section marks and the side the wave comes from.
    P.Push_ENV();
    P.SetCurColor(kMarkColour);
    P.SetJTState(1);
    P.Draw_SectionLine(2300, -s.W1 / 2 - 700, 2300, s.W1 / 2 + 700, "1");
    P.Draw_SectionLine(e + 1000, 0, -1000, 0, "2");
    if (s.type == 2) P.Draw_SectionLine(s.L1 + 3100, -s.W1 / 2 - 700, s.L1 + 3100, s.W1 / 2 + 700, "3");
    P.Draw_ForceSymbol(-800, 0, 200, 0, 300, 300, 2, "迎波面");
    P.SetJTState(0);
    P.Pop_ENV();

    // Section 2-2 along the axis.
    const float Y = -1.5f * s.W1 - 5000;
    e = 0;
    paint.SillRun(0, Y, 1000 + kPart1, 200);
    paint.WallRun(0, Y + s.H1, 1000, s.H1 - h - 200, s.H1 - h - 200);
    e = 1000 + kStep;
    if (s.type == 2) {
        paint.WallRun(e, Y + s.H1, s.L1, s.H1 - h - 200, s.H2 - h - 200);
        paint.SillRun(e, Y, s.L1 + kPart1, 200);
        const float x = s.H1 > s.H2 ? e + s.L1 + kStep : e + s.L1;
        paint.WallLine(x, Y + s.H1 + kWall, x, Y + s.H2 + kWall);
        e += s.L1 + kStep;
    }
    paint.EndWall(e, Y + s.H2, s.L2, s.H2 - h - 200, 1);
    paint.SillRun(e, Y, s.L2, 200);
    e += s.L2 + kPart2;
    paint.WallLine(0, Y - 500, e + 500, Y - 500);
    paint.WallLine(0, Y - 600, e + 500, Y - 600);
    paint.WallLine(e, Y, e + 500, Y);
    const float x1 = s.H1 > s.H2 ? s.L1 + 2600 : s.L1 + 1800;
    paint.WallLine(0, Y + s.H1 + kWall, x1, Y + s.H1 + kWall);
    paint.WallLine(x1, Y + s.H2 + kWall, e - kPart2, Y + s.H2 + kWall);

    e = 1000;
    paint.SectionOpening(e, Y, s.H1);
    e += s.L1 + kStep;
    if (s.type == 2) {
        paint.SectionOpening(e, Y, s.H1);
        e += s.L2 + kStep;
    }
    paint.SectionExit(e, Y);
    P.Draw_DrawingName(e / 2, Y - 1500, "2-2", false, 82);

    // The chambers cut across.
    paint.CrossSection(e + 4000, -s.W1 / 2 - 1000, s.W1, s.H1);
    P.Draw_DrawingName(e + 4000 + (s.W1 + 600) / 2, -s.W1 / 2 - 2000, "1-1", false, 82);
    if (s.type == 2) {
        paint.CrossSection(e + 4000, -1.5f * s.W1 - 5500, s.W2, s.H2);
        P.Draw_DrawingName(e + 4000 + (s.W2 + 600) / 2, -1.5f * s.W1 - 6500, "3-3", false, 82);
    }
}

int CKuoSanData::DrawPlan() const {
    CPenSGT pen;
    DrawPlan(pen);
    return pen.Write_MemDxf_To_File((G_strWorkPath + GetDxfFileName(0)).c_str());
}

int CKuoSanData::WriteReport() const {
    const std::string source = kv::tools::ToolPath(kReportKey, kBuiltInReport);
    const std::string target = G_strWorkPath + GetRtfFileName(0);
    std::string bytes;
    if (EndsWithRtf(source) && kv::platform::ReadFileBytes(source, bytes))
        return kv::platform::WriteFileAtomically(target, bytes) ? 1 : 0;

    kv::report::CRTF rtf;
    if (!rtf.Open(target.c_str())) return 0;
    if (!EndsWithRtf(source)) {
        if (std::FILE* fp = open_file_no_comment(source.c_str(), "rt")) {
            std::string line;
            while (fgets_line(line, kReportLineBytes, fp)) {
                if (!line.empty() && line.back() == '\n') line.pop_back();
                rtf.InsertLiteral(line + "\n");
            }
            close_file(fp);
        }
    }
    return rtf.Close();
}
