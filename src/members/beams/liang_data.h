#pragma once
// The beam-section data object (梁截面配筋): one section, its materials and its
// design forces. Read and written as a module data file: the marker line, three
// lines of comma-separated fields, then the common block of CJsBaseData. The
// steel areas of the last design live beside them and are never stored.
#include <string>

#include "base/jsdata.h"

// The stored fields, in file order. Kept apart from the object so that a reader
// can fill a copy and take it only when the whole file was read.
struct LIANG_FIELDS {
    // Line 1.
    int Kind = 1;              // 1 rectangle, 2 T section, 3 I section
    int B = 200;               // web width, mm
    int H = 500;               // total height, mm
    int Bf = 400;              // bottom flange width, mm
    int Hf = 80;               // bottom flange height, mm
    int Bf1 = 400;             // top flange width bf', mm
    int Hf1 = 80;              // top flange height hf', mm
    int ConGrade = 30;         // concrete grade (30: C30)
    int Cover = 35;            // as, face to the bar centroid, mm
    // Line 2.
    int BarGrade = 3;          // longitudinal bar grade code
    int StirrupGrade = 1;      // stirrup grade code
    int StirrupSpacing = 200;  // mm
    int Mode = 2;              // 1 single, 2 double reinforcement
    float M = 50.0f;           // design moment, kN·m
    float V = 100.0f;          // design shear, kN
    float T = 0.0f;            // design torque, kN·m
    int Reserved = 0;          // written 0 whatever was read
    float Zeta = 1.2f;         // ζ of the torsion design
    // Line 3.
    float Span = 6.0f;         // m
    float ShearAdjust = 0.8f;  // factor on the concrete's shear strength
    int Steam = 0;             // 1: steam curing or early-strength admixture
    int Support = 0;           // 1: at a continuous-beam support or a frame joint
    int ReportLevel = 1;       // 0 简单, 1 一般, 2 详细
};

class CLiangData : public CJsBaseData, public LIANG_FIELDS {
public:
    CLiangData();

    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;
    // 1 after a complete read. 0 when the file cannot be opened (no message), when
    // its first line holds no marker ("文件类型不匹配 !") or when a line is missing
    // or short (a message naming the file): the object is then unchanged.
    int LoadData(const char* path) override;
    // 1 when written; 0 when the file cannot be created (the old file stays).
    int SaveData(const char* path) override;
    // One query entry, "查询内容", with the drawing and report named after the
    // stem and "_BEM".
    void SetFileName(const std::string& stem) override;

    // Results of the last design (mm², stirrups at one spacing); not stored.
    float ResAs = 0, ResAs1 = 0;  // bending tension and compression steel
    float ResStirrup = 0;         // all stirrup legs
    float ResAst = 0;             // torsion longitudinal steel
    float ResAvt = 0;             // one torsion stirrup leg
    float ResAsv = 0;             // shear-torsion stirrups

    static constexpr const char* kMarker = "KV_LIANG_V30";
    static constexpr const char* kMarkerV20 = "KV_LIANG_V20";
};

// The object of the 梁截面配筋 command, living for the whole run.
extern CLiangData G_LiangData;
