#pragma once
// The wave-attenuation system (消波): one or two expansion chambers behind the
// wave-facing opening of an entrance. The outside program Dorvex sizes them and
// leaves the sizes in [XBXTCC] of the exchange file and its report in a file of
// its own; this object keeps the sizes as the item's data, turns the report into
// the item's RTF report and draws a plan sketch with its sections.
#include <string>

#include "base/jsdata.h"

class CPenSGT;

// The stored fields, kept apart so that a reader can fill a copy and take it
// only when the whole line was read. Sizes in mm.
struct KUOSAN_FIELDS {
    int XBType = 2;         // 1 one chamber stage, 2 two stages
    float W1 = 2000.0f;     // chamber 1: width, height, length
    float H1 = 2800.0f;
    float L1 = 2000.0f;
    float W2 = 2000.0f;     // chamber 2: width, height
    float H2 = 3200.0f;
    float Hg2 = 6000.0f;    // carried: read, stored and written, never drawn
    float L2 = 1000.0f;     // chamber 2: length
};

class CKuoSanData : public CJsBaseData, public KUOSAN_FIELDS {
public:
    CKuoSanData();

    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;
    // 1 after a complete read. 0 when the file cannot be opened, is not a
    // "KuoSan_V10" file or its size line is short: the object is then unchanged.
    int LoadData(const char* path) override;
    // 1 when written; 0 when the file cannot be created (the old file stays).
    int SaveData(const char* path) override;
    // One diagram "简图": "<stem>_KuoSan_jt_01.dxf", report "<stem>.RTF".
    void SetFileName(const std::string& stem) override;

    // Takes the sizes Dorvex left in [XBXTCC] of the exchange file; a missing
    // file or key keeps the current value. True when the section is there.
    bool ReadSizes();
    // Writes the sketch of the current sizes to the work folder under the
    // diagram's DXF name. 1 when written.
    int DrawPlan() const;
    // Makes the item's report in the work folder from Dorvex's report file (key
    // KSJSS of the tool file): a report named "*rtf" is copied unchanged, a text
    // report becomes one paragraph per line; a missing one gives an empty report.
    // 1 when written.
    int WriteReport() const;

    // The sketch itself, into `pen` (emptied first).
    void DrawPlan(CPenSGT& pen) const;

    static constexpr const char* kMarker = "KuoSan_V10";
    static constexpr const char* kExchangeSection = "XBXTCC";
    static constexpr const char* kToolKey = "KuoSan";
    static constexpr const char* kReportKey = "KSJSS";
    static constexpr const char* kBuiltInTool = "Dorvex.exe";
    static constexpr const char* kBuiltInReport = "XBJSS.txt";
};

// The module's data object, living for the whole run.
extern CKuoSanData G_KuoSanData;
