#pragma once
// The rigid frame (刚架) data object: the design parameters of a plane concrete
// frame. The frame itself (nodes, members, sections, supports, loads) is not in
// it: the outside geometry editor keeps it in five companion files in the work
// folder, named after the data name, which the analysis and the scheme diagram
// read. The data file holds the marker line, one line of parameters, then the
// common block of CJsBaseData.
#include <string>

#include "base/jsdata.h"

inline constexpr int kGjDiagrams = 7;
inline constexpr int kGjLoadCases = 10;

// The stored fields. Kept apart from the object so that a reader can fill a copy
// and take it only when the whole line was read.
struct GJ_FIELDS {
    int ConGrade = 25;          // concrete grade code
    int Steam = 0;              // 1: steam curing or early-strength admixture
    int PDelta = 0;             // 1: second-order effect of axial compression (civil-air-defence report)
    float MidFactor = 1.0f;     // on the middle-section moment before the bars are designed
    float SupportFactor = 1.0f; // on the end-section moments before the bars are designed
    int BarGrade = 3;           // longitudinal bar grade code
    int StirrupGrade = 1;       // stirrup grade code
    int StirrupSpacing = 200;   // mm
    float As = 35.0f;           // section edge to the bar centroid, mm
    float TextScale = 1.0f;     // on the text height of the result diagrams
    float GraphScale = 1.0f;    // on the value scale of the result diagrams
};

class CGjData : public CJsBaseData, public GJ_FIELDS {
public:
    CGjData();

    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;
    // 1 after a read. 0 when the file cannot be opened (no message), when its
    // first line holds neither marker ("文件类型不匹配 !") or when the data line is
    // missing or short (a message naming the file): the object is then unchanged.
    // A file of the older edition reads without p-δ and with as = 35. The data
    // takes the file's name; the flags and load-case factors are kept.
    int LoadData(const char* path) override;
    // 1 when written; 0 when the file cannot be created (the old file stays).
    // The data takes the file's name.
    int SaveData(const char* path) override;
    // Names the data `stem` and its seven diagrams "<stem>_JT_GJ.DXF" …
    // "<stem>_ALL_GJ.DXF", all with the report "<stem>_GJ.RTF".
    void SetFileName(const std::string& stem) override;

    // Renames the data after `path` and copies the editor's companion files of
    // the old name to the new one in the work folder. Returns 1.
    int CopyModelFiles(const char* path);

    // The data name: the item stem in project mode, else the name of the last
    // file read or written.
    const std::string& DataName() const { return m_strStem; }
    // "_KV" for the civil-air-defence frame, "_GJ" for the ordinary one.
    const char* ModelSuffix() const { return m_nRenFang ? "_KV" : "_GJ"; }
    // The model the geometry editor leaves and the analysis reads, relative to
    // the work folder: "<name>_KV_StrLdA-1.DAT" (or "_GJ_").
    std::string ModelFileName() const;

    // Not stored: the module's command sets the three flags before every dialog.
    int m_nRenFang = 0;               // 1 civil-air-defence frame, 0 ordinary frame
    int m_nInsertResultDiagrams = 0;  // the report carries the five result diagrams
    int m_nInsertSchemeDiagram = 1;   // the report carries the scheme diagram
    float m_fCaseFactors[kGjLoadCases] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};  // load cases 1..10

    static constexpr const char* kMarker = "KV_GJ_V30";
    static constexpr const char* kMarkerV20 = "KV_GJ_V20";
    // The endings of the editor's companion files, in the order they are copied.
    static constexpr const char* kModelEndings[5] = {"_JGVIEWDH.DAT", "_JGVIEWJH.DAT", "_StrLdB-1.DAT",
                                                      "_StrLdA-1.DAT", "_SYS_INF.PRO"};
};

// Copies the file `from` to `to` byte for byte; the target is replaced only by a
// complete copy. A source that cannot be read, or one that is the target itself,
// leaves the target as it was. True when the target is a copy of the source.
bool CopyBinFile(const char* from, const char* to);

// The rigid-frame object of the program, living for the whole run.
extern CGjData G_GjData;
