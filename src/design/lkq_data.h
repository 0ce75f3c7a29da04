#pragma once
// The wall data object of the wall module: exterior wall (外墙), wall adjacent to
// air (临空墙), unit partition wall (单元隔墙) and interior wall (内墙). Inputs are
// read and written as a module data file: the marker line, three lines of
// comma-separated fields, then the common block of CJsBaseData. The results of
// the last calculation live beside them and are never stored.
//
// Edges are listed bottom, right, top, left; moments are kN·m/m per metre of
// wall, positive with tension on the face away from the load; steel areas are
// mm²/m, −1 marking an over-reinforced section.
#include <string>

#include "base/jsdata.h"

// The fields. Kept apart from the object so that a reader can fill a copy and
// take it only when the whole file was read.
struct LKQ_FIELDS {
    // Line 1.
    int EdgeType[4] = {0, 0, 0, 0};    // 0 简支, 1 固定, 2 弹性
    int CornerFlag[4] = {0, 0, 0, 0};  // 角柱 at bottom-left, bottom-right, top-right, top-left; carried only
    // Line 2 (the triangular load comes last although it belongs with q).
    int ConGrade = 30;                 // concrete grade (30: C30)
    float VertLoad = 2000.0f;          // vertical uniform load N, kN/m, compression positive
    float Load = 30.0f;                // face uniform load q, kPa
    float Width = 6.0f;                // horizontal span a, m
    float Height = 3.0f;               // vertical span b, m
    int Thickness = 300;               // mm
    float TriLoad = 0.0f;              // face triangular load qt, kPa, largest at the bottom edge
    // Line 3.
    int Steam = 0;                     // 1: steam curing or early-strength admixture
    int Cover = 15;                    // face to steel centroid, mm
    int BarGrade = 2;                  // longitudinal bar grade code
    float MidFactor = 1.0f;            // mid-span moment amplification
    float EdgeFactor = 1.0f;           // edge moment amplification
    int Plastic = 0;                   // 0 elastic, 1 plastic internal forces
    int Reserved = 0;                  // carried only
    float Fixity = 0.8f;               // fixity of elastic edges, 0 simply supported .. 1 fixed
    int OneWay = 0;                    // 1 vertical one-way strip, 0 two-way plate
    float Beta = 1.0f;                 // factor handed to the shear check
    int SecondOrder = 0;               // 1: p-δ effect of the vertical load (2010 code only)

    // Results of the last run (not stored).
    float Ma = 0, Mb = 0;              // mid-span moments, horizontal and vertical direction
    float EdgeM[4] = {0, 0, 0, 0};     // edge moments
    // Left edge load side, other side, mid-span load side, other side, right edge load side, other side.
    float HorAs[6] = {0, 0, 0, 0, 0, 0};
    // Top edge load side, other side, mid-span load side, other side, bottom edge load side, other side.
    float VerAs[6] = {0, 0, 0, 0, 0, 0};
    float EdgeV[4] = {0, 0, 0, 0};     // shear check: bottom, left, top, right
};

class CLkqData : public CJsBaseData, public LKQ_FIELDS {
public:
    // kind 0 exterior wall, 1 wall adjacent to air, 2 partition wall, 3 interior wall.
    explicit CLkqData(int kind = 0);

    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;
    // 1 after a complete read. 0 when the file cannot be opened (no message), when
    // its first line holds no marker ("文件类型不匹配 !") or when a line is
    // missing or short (a message naming the file): the object is then unchanged.
    // A file of the older edition loads with SecondOrder 0.
    int LoadData(const char* path) override;
    // 1 when written; 0 when the file cannot be created (the old file stays).
    int SaveData(const char* path) override;
    // One query entry, "查询内容", with the drawing and report named after the
    // stem and "_QIANG".
    void SetFileName(const std::string& stem) override;

    // Set when the object is made; files never change it.
    int Kind = 0;
    // 1 while the result fields hold what the last run computed; a run that
    // stops clears it with the results, so nothing stale is drawn. Not stored.
    int HasResults = 0;

    static constexpr const char* kMarker = "KV_LKQ_V30";
    static constexpr const char* kMarkerV20 = "KV_LKQ_V20";
};

// The four wall objects of the program, living for the whole run.
extern CLkqData G_WaiQiangData;     // 外墙, kind 0
extern CLkqData G_LinKongQiangData; // 临空墙, kind 1
extern CLkqData G_GeQiangData;      // 单元隔墙, kind 2
extern CLkqData G_NeiQiangData;     // 内墙, kind 3
