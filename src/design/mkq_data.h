#pragma once
// The door-frame wall (门框墙) and window-well wall (窗井墙) data object: the
// cantilevered lip of the wall beside a protective door or a light well, its
// section, the loads on it, materials, stirrups and options. Read and written as
// a module data file: the marker line, two lines of comma-separated fields, then
// the common block of CJsBaseData.
#include <string>

#include "base/jsdata.h"

// The fields. Kept apart from the object so that a reader can fill a copy and
// take it only when the whole file was read.
struct MKQ_FIELDS {
    // Line 1.
    int Shape = 1;                 // 1 rectangular lip; 2 haunched, h at the tip and h + a at the wall
    int Haunch = 200;              // a, haunch height, mm (shape 2)
    int Depth = 600;               // h, depth of the lip at the tip, mm
    int Length = 900;              // L, cantilever length, mm
    int L1 = 800;                  // wall face to the line load qi, mm
    int L2 = 600;                  // length from the wall face over which qe acts, mm
    float Qe = 150.0f;             // face pressure, kN/m²
    float Qi = 1000.0f;            // line load at L1, kN/m
    float La = 2.2f;               // side length of the door opening, m
    // Line 2 (the crack-check flag comes last).
    float ShearAdjust = 0.8f;      // factor on the concrete's shear strength
    int Steam = 0;                 // 1: steam curing or early-strength admixture
    int ConGrade = 30;             // concrete grade code
    int Cover = 20;                // as, face to the bar centroid, mm
    int BarGrade = 2;              // longitudinal bar grade code
    int Reserved = 1;              // carried only
    int StirrupGrade = 1;          // stirrup bar grade code
    int StirrupSpacing = 200;      // mm
    int ReportLevel = 1;           // 0 简单, 1 一般, 2 详细; carried only
    int CrackCheck = 0;            // 1: check cracking of a short lip
};

class CMkqData : public CJsBaseData, public MKQ_FIELDS {
public:
    // kind 0 door-frame wall, 1 window-well wall.
    explicit CMkqData(int kind = 0);

    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;
    // 1 after a complete read. 0 when the file cannot be opened (no message), when
    // its first line holds no marker ("文件类型不匹配 !") or when a line is
    // missing or short (a message naming the file): the object is then unchanged.
    int LoadData(const char* path) override;
    // 1 when written; 0 when the file cannot be created (the old file stays).
    int SaveData(const char* path) override;
    // One query entry, "查询内容", with the drawing and report named after the
    // stem and "_MKCJ".
    void SetFileName(const std::string& stem) override;

    // Set when the object is made; files never change it.
    int Kind = 0;

    static constexpr const char* kMarker = "KV_MKQ_V30";
    static constexpr const char* kMarkerV20 = "KV_MKQ_V20";
};

// The two objects of the program, living for the whole run.
extern CMkqData G_MenKuangQiangData;     // 门框墙, kind 0
extern CMkqData G_ChuangJingQiangData;   // 窗井墙, kind 1
