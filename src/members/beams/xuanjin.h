#pragma once
// 选筋: turning a required steel area into bar arrangements. Longitudinal bars of
// one or two diameters, stirrups of a number of legs at the standard spacings,
// distribution bars per metre of one or two diameters at the standard spacings,
// and the area, mean perimeter and weight of a bar set. Diameters and spacings
// come from the bar grade's lists under the edition in force (G_guifan).
//
// The inputs are plain records that live for the whole run and are never stored:
// the tool shows the last entries again when it is opened again.
#include <string>
#include <vector>

struct ZONGJIN_PARA {
    int grade = 2;           // bar grade code
    float As = 800.0f;       // required area, mm²
    int d1 = 12;             // mm
    int d2 = 12;             // mm
    float tolerance = 10.0f; // largest area error admitted, %
    int mode = 0;            // 0: d1 and d2 only; 1: every listed diameter from d1 to d2
};

// The same fields; As is the area per metre.
struct FENBUJIN_PARA : ZONGJIN_PARA {};

struct GUJIN_PARA {
    int grade = 1;
    int spacing = 100;       // mm, the spacing the area is given at
    float Asv = 70.0f;       // mm² at that spacing
    int legs = 1;
    float tolerance = 10.0f; // %
};

struct GANGJIN_PARA {
    int d1 = 12;
    int n1 = 1;
    int d2 = 12;
    int n2 = 0;
};

// The records of the run.
extern ZONGJIN_PARA G_ZongJinPara;
extern FENBUJIN_PARA G_FenBuJinPara;
extern GUJIN_PARA G_GuJinPara;
extern GANGJIN_PARA G_GangJinPara;

namespace kv::xuanjin {

// The file the searches write and the pages show, in the current folder.
inline constexpr const char* kResultFile = "Message.Box";
inline constexpr const char* kNothingFound = "在给定的条件下找不到合适的配筋 !";
// A search keeps at most this many arrangements; later ones replace the last kept.
inline constexpr int kMaxRecords = 1000;

// The result lines of a search (each ending in "\n"), best area error first, or the
// single line kNothingFound. The longitudinal search looks at each count of the
// first bar once and takes the counts of the second bar that pass the tolerance as
// one range, so a large area costs no more than a small one.
std::vector<std::string> ZongJinLines(const ZONGJIN_PARA& para);
std::vector<std::string> GuJinLines(const GUJIN_PARA& para);
std::vector<std::string> FenBuJinLines(const FENBUJIN_PARA& para);

// The diameters of the grade that lie between d1 and d2 (mode 1) or are one of
// them (mode 0), in list order.
std::vector<int> QualifyingDiameters(const ZONGJIN_PARA& para);

// Area (mm²) of one bar and the area error (%) of `area` against `required`, as
// every search computes them; an arrangement passes when |error| < tolerance.
double BarArea(int d);
float AreaError(float area, float required);
// A required area closer to 0 than 0.00001 is taken as 0.00001.
float RequiredArea(float area);

// Writes the lines into a fresh kResultFile; false (the old file kept) when it
// cannot be written.
bool WriteResultFile(const std::vector<std::string>& lines);
// Reads kResultFile back the way the pages show it: a CR or LF ends a line, empty
// lines are dropped, a line keeps at most 1023 characters. False when it cannot
// be opened.
bool ReadResultFile(std::vector<std::string>& lines);

// The bar set of `para`.
struct BarSet {
    double area;       // mm²
    double perimeter;  // mean perimeter of a bar, mm (0 for no bars)
    double weight;     // kN/m
};
BarSet BarSetOf(const GANGJIN_PARA& para);

}  // namespace kv::xuanjin

// The searches: write kResultFile; 1 when it was written, 0 when it was not (or
// memory ran out).
int xuanjin_zongjin(ZONGJIN_PARA* para);
int xuanjin_gujin(GUJIN_PARA* para);
int xuanjin_fenbujin(FENBUJIN_PARA* para);
