#pragma once
// The roof and floor slab (顶板 / 底板) data object: inputs, the load-dialog
// fields and the results of the last calculation, read and written as a module
// data file: the marker line, seven lines of comma-separated fields, then the
// common block of CJsBaseData.
//
// Edges are listed bottom, right, top, left; moments are kN·m/m with a positive
// moment putting the bottom face in tension; steel areas are mm²/m, −1 marking
// an over-reinforced section.
#include <string>

#include "base/jsdata.h"

// The stored fields. Kept apart from the object so that a reader can fill a copy
// and take it only when the whole file was read.
struct BAN_FIELDS {
    int Number = 1;                       // 板编号; carried only
    float Mx = 0, My = 0;                 // result: mid-span moments of the spans a and b
    float EdgeM[4] = {0, 0, 0, 0};        // result: edge moments
    float EdgeV[4] = {0, 0, 0, 0};        // result of the shear check: whole-edge shear, kN
    float MidAs[4] = {0, 0, 0, 0};        // result: As', As of the Mx section, then of the My section
    float EdgeAs[8] = {0, 0, 0, 0, 0, 0, 0, 0};  // result: As, As' of each edge section
    int EdgeType[4] = {1, 1, 1, 1};       // 0 简支, 1 固定, 2 弹性
    int CornerFlag[4] = {0, 0, 0, 0};     // corner flags of the edge picture; carried only
    int ConGrade = 30;                    // concrete grade (30: C30)
    float Load = 60.0f;                   // uniform design load, kN/m² (upward on a floor slab)
    float Length = 6.0f;                  // side a along x, m
    float Width = 4.5f;                   // side b along y, m
    int Thickness = 300;                  // mm
    int Steam = 0;                        // 1: steam curing or early-strength admixture
    int Cover = 25;                       // face to steel centroid, mm
    int BarGrade = 2;                     // longitudinal bar grade code
    float MidFactor = 1.0f;               // mid-span moment amplification
    float EdgeFactor = 1.0f;              // edge moment amplification
    float EdgeMoment[4] = {0, 0, 0, 0};   // moments given on simply supported edges (plastic theory)
    int LoadNote = 0;                     // 1: the report derives the load
    float WallThickness = 300.0f;         // surrounding walls of the punching check, mm
    float Fixity = 0.8f;                  // fixity of elastic edges, 0 simply supported .. 1 fixed
    int Plastic = 0;                      // 0 elastic, 1 plastic internal forces
    float ShearFactor = 1.0f;             // factor handed to the shear design

    // Roof load dialog: inputs and result.
    float RoofSelf = 7.5f, RoofFinishT = 0, RoofFinishGamma = 20.0f, RoofOther = 0, RoofQe = 0,
          RoofSoilGamma = 18.0f, RoofSoilH = 0, RoofLoad = 0;
    // Floor load dialog: inputs and result.
    float FloorSelf = 7.5f, FloorBuoyancy = 0, FloorArea = 0, FloorWeight = 0, FloorQe = 0, FloorSoilH = 0,
          FloorSoilGamma = 18.0f, FloorLoad = 0;
    int BuildingForm = 0;                 // building above: 0 砌体结构, 1 钢砼外墙结构, 2 其它结构
    int ResistClass = 0;                  // 0 核6B级, 1 核6级, 2 核5级, 3 核4B级, 4 核4级
};

class BAN_JS_STRUCT : public CJsBaseData, public BAN_FIELDS {
public:
    // kind 0 roof slab, 1 floor slab.
    explicit BAN_JS_STRUCT(int kind = 0);

    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;
    // 1 after a complete read. 0 when the file cannot be opened (no message), when
    // its first line is not the marker ("文件类型不匹配 !") or when a line is
    // missing or short (a message naming the file): the object is then unchanged.
    // Kind is never read.
    int LoadData(const char* path) override;
    // 1 when written; 0 when the file cannot be created (the old file stays).
    int SaveData(const char* path) override;
    // One query entry, "查询内容", with the drawing and report named after the
    // stem and "_BAN".
    void SetFileName(const std::string& stem) override;

    // The slab kind: 0 roof, 1 floor. Set when the object is made; files never change it.
    int Kind = 0;
    // 1 while the result fields hold what the last calculation run computed; a
    // run that stops clears it with the results, so nothing stale is drawn. Not stored.
    int HasResults = 0;

    static constexpr const char* kMarker = "KV_BAN_V30";
};

// The two slab objects of the program, living for the whole run: the roof slab
// (Kind 0) and the floor slab (Kind 1).
extern BAN_JS_STRUCT G_RoofSlabData;
extern BAN_JS_STRUCT G_FloorSlabData;
