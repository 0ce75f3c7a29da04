#pragma once
// The column-section data object (柱截面配筋): one section, its materials, its
// design forces and the end moments of the second-order effect. Read and
// written as a module data file: the marker line, four lines of comma-separated
// fields (the older edition has no fourth), then the common block of
// CJsBaseData. The steel areas of the last design are never stored.
#include <string>

#include "base/jsdata.h"

// The stored fields. Kept apart from the object so that a reader can fill a
// copy and take it only when the whole file was read.
struct ZHU_FIELDS {
    // Line 1.
    int Kind = 1;              // 1 rectangle, 2 I section, 3 circle
    int B = 500;               // width, mm
    int H = 500;               // height, mm
    int Bf = 800;              // bottom flange width, mm
    int Hf = 300;              // bottom flange height, mm
    int Bf1 = 800;             // top flange width bf', mm
    int Hf1 = 300;             // top flange height hf', mm
    int D = 500;               // diameter of a circle, mm
    float L0 = 3.0f;           // effective length, m
    // Line 2.
    int ConGrade = 30;         // concrete grade (30: C30)
    int Cover = 35;            // as, face to the bar centroid, mm
    int BarGrade = 3;          // longitudinal bar grade code
    int Mode = 1;              // 1 symmetric, 2 asymmetric steel
    int StirrupGrade = 1;      // stirrup grade code
    int StirrupSpacing = 200;  // mm
    // Line 3.
    float Mx = 50.0f;          // kN·m
    float My = 50.0f;          // kN·m
    float Vx = 100.0f;         // kN
    float Vy = 100.0f;         // kN
    float N = 1000.0f;         // kN, compression positive
    int Seismic = 0;           // 抗震等级 index 0..4; shown, used by no calculation
    int Steam = 0;             // 1: steam curing or early-strength admixture
    int ReportLevel = 1;       // 0 简单, 1 一般, 2 详细
    // Line 4 (current edition only).
    int SecondOrder = 0;       // 1: p-δ effect (2010 code only)
    float Mx1 = -150.0f, Mx2 = -150.0f;  // end moments about x, kN·m
    float My1 = -150.0f, My2 = -150.0f;  // end moments about y, kN·m
};

class CZhuData : public CJsBaseData, public ZHU_FIELDS {
public:
    CZhuData();

    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;
    // 1 after a complete read; 0 as CLiangData's reader. A file of the older
    // edition reads with p-δ 0 and end moments of −150.
    int LoadData(const char* path) override;
    // 1 when written (always the current edition); 0 when the file cannot be created.
    int SaveData(const char* path) override;
    // One query entry, "查询内容", with the drawing and report named after the
    // stem and "_ZHU".
    void SetFileName(const std::string& stem) override;

    // Results of the last design (mm²; stirrups at one spacing); not stored.
    float ResAsx = 0, ResAsx1 = 0;  // x steel: tension and compression face
    float ResAsy = 0, ResAsy1 = 0;  // y steel
    float ResAvx = 0, ResAvy = 0;   // stirrups for Vx and Vy

    static constexpr const char* kMarker = "KV_ZHU_V30";
    static constexpr const char* kMarkerV20 = "KV_ZHU_V20";
};

// The object of the 柱截面配筋 command, living for the whole run.
extern CZhuData G_ZhuData;
