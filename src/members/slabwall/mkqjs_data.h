#pragma once
// The second door-frame wall (门框墙计算及绘图): the wall around a protective
// door designed as four cantilevered sides 左, 右, 上, 下 (index 0..3 in that
// order everywhere), each loaded by the door leaf bearing on it (a line load qi
// at L1 and a horizontal load Ti) and by the equivalent static load qe over L2.
//
// CMkqJsData is the module's data object, read and written as the data file
// "Mkq_V10"; CMkqGfData stores it as a project item ("Mkq_gf_V10"). The load
// tool exchanges sizes and loads with it through "ExOut.ini".
#include <cstdio>
#include <string>

#include "base/jsdata.h"

class CPenSGT;
namespace kv::report {
class CRTF;
}

// "左", "右", "上", "下".
extern const std::string G_MkqSideName[4];

inline constexpr int kMkqSideCount = 4;
inline constexpr int kMkqDiagramCount = 9;  // per side a load and a bar sketch, then the whole frame

// One side of the frame; lengths in mm.
struct MkqSide {
    float L = 900.0f;    // 悬挑长度, cantilever length
    float h = 600.0f;    // 门框墙厚
    float ha = 0.0f;     // 加腋厚, haunch
    float t = 500.0f;    // 侧墙厚, the wall the side springs from
    float dx = 0.0f;     // 斜角 dx, the arched door's seat chamfer (0 for the flat door)
    float dy = 0.0f;     // 斜角 dy
    float Lap = 100.0f;  // bearing of the door leaf on this side: (leaf − opening) / 2
    float L1 = 867.0f;   // 集中荷载位置: L − trunc(Lap / 3)
    float qi = 1000.0f;  // 竖/斜集中荷载 (N/mm)
    float Ti = 0.0f;     // 水平集中荷载 (N/mm)
    float L2 = 800.0f;   // 均布荷载宽度: L − Lap
    float qe = 150.0f;   // 均布荷载 (kPa)
};

// The stored fields, kept apart from the object so that a reader fills a copy
// and takes it only when the whole file was read.
struct MkqJsFields {
    int DoorType = 0;        // 0 平板门, 1 拱形门
    float La = 1800.0f;      // 门洞宽 (mm)
    float Lb = 2100.0f;      // 门洞高 (mm)
    MkqSide Side[kMkqSideCount];
    int SaveFlag = 1;        // carried only
    int DrawLoads = 1;       // 是否绘制荷载 in the sketch
    int ConGrade = 30;       // concrete C number
    int ZongJinGrade = 2;    // longitudinal bar grade code
    int GuJinGrade = 1;      // tie grade code
    float as = 35.0f;        // bar centroid to the section edge (mm)
    int ZhengQiYangHu = 0;   // 蒸气养护或掺早强剂
    float PeiJinXiShu = 1.0f;  // chosen area = required area * this
    int ZongJinDia[3] = {12, 32, 14};      // minimum, maximum, optimal (mm)
    int GuJinDia[3] = {8, 10, 8};
    int GuJinJianJu[3] = {70, 300, 150};  // tie spacing
    float JianTuBiLi[10] = {50, 50, 50, 50, 50, 50, 50, 50, 50, 50};  // [0] the input sketch, [1 + k] diagram k
};

class CMkqJsData : public CJsDataBase, public MkqJsFields {
public:
    CMkqJsData();

    using CJsDataBase::LoadData;
    using CJsDataBase::SaveData;

    int CheckData() override;
    // 1 when read; 0 when the file cannot be opened, is not a data file
    // ("Mkq_V10") or a line is missing or does not hold its values: the object
    // is then unchanged.
    int LoadData(const char* path) override;
    // 1 when written; 0 when the file cannot be created (the old file stays).
    int SaveData(const char* path) override;
    // The files of the item `stem`: its data and result files and the nine
    // diagrams and report that CMkqGfData lists.
    void SetFileName(const std::string& stem) override;

    // The defaults of a new object (the base's scale included).
    void SetDefaults();

    // The seven lines after the marker. ReadBody takes them only when all seven
    // hold their values; false leaves the object unchanged.
    void WriteBody(std::FILE* fp) const;
    bool ReadBody(std::FILE* fp);

    // Sizes (mode 0, section [XB2MKQ]) or loads (mode 1) from the load tool's
    // exchange file at `path` (kv::tools::ReadPath(kv::tools::kExchangeFile)).
    // 1 after reading; 0 when the file does not exist or the mode is neither,
    // and nothing changed.
    int ReadExOut(const char* path, int mode);
    // The door for the load tool: section [MKQCC] of the exchange file, written
    // where KV writes the tool files. 1.
    int WriteExOut();

    // The size-and-load sketch of the current side. 1, or 0 when a sketch fails.
    int DrawJianTu(CBase_SGT* drawing) override;

    // Sketches of one side on a pen of its own, in mm from the root of the
    // side (x along it, y = 0 on the face the door leaf bears on). Each gives
    // in (outX, outY) where the caller may go on below it; 0 for no pen.
    // A pen at 1:scale for these sketches.
    int PreparePen(CPenSGT* pen, float scale);
    // The section with the side wall it springs from; `lineType` is the pen's
    // line type of the outline; a title goes under it.
    int DrawOutline(int side, CPenSGT* pen, float& outX, float& outY, int lineType, const char* title,
                    int withDims);
    // The loads on the section: labelMode 0 no values, 1 values, 2 values and
    // the root `moment` (kN·m/m) of the line model.
    int DrawLoadSketch(int side, CPenSGT* pen, float& outX, float& outY, int labelMode, float moment);
    // The side as a line fixed at its root.
    int DrawLineSketch(int side, CPenSGT* pen, float& outX, float& outY, const char* title);

    // The design data of the report: the sketches of the four sides (withDiagrams),
    // the door, sizes, loads and materials as tables, what is calculated. 1.
    int WriteJssData(kv::report::CRTF& report, int withDiagrams);

    // Not stored.
    int CurSide = 0;  // side shown by the sketch and highlighted in the grids
    int IsXB = 0;     // the load tool's XB flag, handed back to it as IsXB

    static constexpr const char* kMarker = "Mkq_V10";
};

// γd, the strength factor of the concrete under dynamic load.
float GetGammaD(const CMkqJsData& data);

// The project item of the module: it stores the static data object.
class CMkqGfData : public CJsBaseData {
public:
    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;

    // Failures are not reported: each answers 0.
    int LoadData(const char* path) override;
    int SaveData(const char* path) override;
    // Names the nine diagrams and the report after the stem, here and in the
    // static data object.
    void SetFileName(const std::string& stem) override;

    static constexpr const char* kMarker = "Mkq_gf_V10";
};

// The module's objects, living for the whole run.
extern CMkqJsData G_MkqJsData;
extern CMkqGfData G_MkqGfData;
