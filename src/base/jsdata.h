#pragma once
// Base classes of the module data, result and calculation objects.
//
// Every module data file ends with the common block that CJsBaseData writes:
//
//   ##Name,<item name>
//   ##ChaXun,<diagram title>,<drawing file>,<report file>     (one line per diagram)
//
// The project window lists an item by its "##Name" line and offers the item's
// diagrams and reports from its "##ChaXun" lines.
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CBase_SGT;  // an in-memory drawing (drawing library)
namespace kv::report {
class CRTF;  // the report writer (report library)
}

inline constexpr int kMaxChaXun = 50;     // query entries a reader takes from an item file
inline constexpr int kMaxDiagrams = kMaxChaXun;  // diagram names a data object holds

// One "##ChaXun" entry.
struct ChaXunEntry {
    std::string title;  // shown in the project window's result list
    std::string dxf;    // drawing file, relative to the work folder
    std::string rtf;    // report file, relative to the work folder
};

// Parses a "##ChaXun" line: the marker, the title, the drawing and the report
// file names, separated by commas. The two file names are the last two fields,
// so a title that holds commas comes back whole. Titles are cut to 99 GBK bytes,
// file names to 59. False when the line has fewer than four fields.
bool ParseChaXunLine(std::string_view line, ChaXunEntry& entry);

// The item name of a "##Name" line: the text after "##Name" and one separator,
// without its line end. False when the line holds no "##Name".
bool ParseNameLine(std::string_view line, std::string& name);

// Reads an item file's name ("##Name" line; empty when the file has none or
// cannot be read) and its query entries (the first 50 "##ChaXun" lines). A bare
// name is taken from the current folder.
std::string ReadItemNameFromFile(const char* name);
std::vector<ChaXunEntry> ReadChaXunFromFile(const char* name);

class CJsBaseData {
public:
    CJsBaseData();
    virtual ~CJsBaseData();

    // Module data file at `path`; the base reads and writes the common block only.
    // Returns 1 on success, 0 when the file cannot be opened.
    virtual int LoadData(const char* path);
    virtual int SaveData(const char* path);
    // Names the item's drawings and reports after the item stem ("&KV_0001").
    virtual void SetFileName(const std::string& stem);

    // The common block on an open file. LoadData reads "##Name" and "##ChaXun"
    // lines up to the end of the file (other lines are passed over). A class that
    // overrides the path versions brings these into scope with
    // `using CJsBaseData::LoadData; using CJsBaseData::SaveData;`.
    int LoadData(std::FILE* fp);
    int SaveData(std::FILE* fp);

    // Writes the marker line; reads one line and answers 1 when it is `marker`
    // (blanks and the line end after it do not count).
    static void SetBiaoShi(std::FILE* fp, const char* marker);
    static int CheckBiaoShi(std::FILE* fp, const char* marker);

    // The save of a module's data file: the marker line, the module's fields
    // (`writeFields`), the common block, then the file is committed in place of
    // the old one and its path remembered. 1 when written; 0 when it cannot be
    // created or written (the old file stays).
    int SaveMarkedData(const char* path, const char* marker, const std::function<void(std::FILE*)>& writeFields);
    // Reads a file written that way: its first line must hold `marker` (or
    // `olderMarker`, when not null); `readFields(fp, older)` then reads the
    // object's own lines, taking them only when all were there, and the common
    // block follows. 0 with "文件类型不匹配 !" for a foreign file and with
    // "数据文件不完整 : <path>" when `readFields` refuses; the object stays as it was.
    // 0 without a message when the file cannot be opened.
    int LoadMarkedData(const char* path, const char* marker, const char* olderMarker,
                       const std::function<bool(std::FILE*, bool older)>& readFields);
    // One query entry, "查询内容", whose drawing and report are named after the
    // stem and `suffix` ("_BAN" gives "<stem>_BAN.DXF" and "<stem>_BAN.RTF").
    void SetSingleEntry(const std::string& stem, const std::string& suffix);

    // Remembers the path of the data file.
    void SetFileName_(const std::string& path);
    const std::string& GetFileName_() const { return m_strFileName; }

    // Drawing and report k, relative to the work folder (empty past the names set).
    std::string GetDxfFileName(int k) const;
    std::string GetRtfFileName(int k) const;
    std::string GetJtTitle(int k) const;

    // Sets diagram k: its title, drawing file and report file.
    void SetJt(int k, const std::string& title, const std::string& dxf, const std::string& rtf);

    std::string m_strName;      // the item's name and description (the 说明 box)
    std::string m_strStem;      // the item stem
    std::string m_strDataName;  // the module's data name
    int m_nJtNum = 0;           // diagrams named, 0..30
    std::string m_strJtTitle[kMaxDiagrams];
    std::string m_strDxfName[kMaxDiagrams];
    std::string m_strRtfName[kMaxDiagrams];

protected:
    std::string m_strFileName;
};

// Data object of the table-window modules. Its virtual operations are in the
// order the calculation host calls on; the base's own versions do nothing
// useful beyond naming files after the data name and the stem.
class CJsDataBase : public CJsBaseData {
public:
    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;
    using CJsBaseData::SetBiaoShi;
    using CJsBaseData::CheckBiaoShi;

    virtual int CheckData();
    virtual void SetBiaoShi(std::FILE* fp, const char* marker, int flag);
    virtual int CheckBiaoShi(std::FILE* fp, const char* marker, int flag);
    virtual void Remove_Result_Files();
    virtual int CopyModelFiles(const char* toStem);
    virtual std::string GetDataFileName() const;   // "<stem>_<data name>.DAT"
    virtual std::string GetResFileName() const;    // "<stem>_<data name>.RES"
    virtual std::string GetJtFileName(int k) const;     // drawing of diagram k
    virtual std::string GetYunTuFileName(int k) const;  // contour picture k
    virtual std::string GetJssFileName(int k) const;    // report k
    int LoadData(const char* path) override;
    int SaveData(const char* path) override;
    virtual int DrawJianTu(CBase_SGT* drawing);
    virtual int LoadData_Ex(const char* path);

    std::string m_strTitle;         // calculation title, shown by the host
    std::string m_strPeiJinTitle;   // title of the reinforcement edit
    int m_nCurJt = 0;               // current diagram
    float PeiJinTuBiLi = 50.0f;     // scale of the reinforcement drawing
    int m_nFlag[5] = {0, 0, 0, 0, 0};  // host switches
};

// Result archive of the table-window modules.
class CJsResultBase {
public:
    virtual ~CJsResultBase();
    virtual void SetBiaoShi(std::FILE* fp, const char* marker);
    virtual int CheckBiaoShi(std::FILE* fp, const char* marker);
    virtual int CheckData();
    virtual int LoadData(const char* path);
    virtual int SaveData(const char* path);
    virtual int SaveData_Ex(const char* path);

    CJsDataBase* m_pData = nullptr;
};

// Calculation interface the calculation host drives.
class CJiSuanBase {
public:
    virtual ~CJiSuanBase();
    virtual int CheckData();
    virtual int JiSuan();
    virtual int Reserved2();
    // Result diagram `diagram` into `drawing`; `option` is the host's and most
    // modules pass it by.
    virtual int DrawResult(int diagram, CBase_SGT* drawing, int option);
    // The calculation report into `report`, which the host opened and saves;
    // `detail` asks for the detailed form where a module has one.
    virtual int WriteJss(int detail, kv::report::CRTF* report);
    virtual int Reserved5();
    // The whole drawing of the results into `drawing`; the options are the host's.
    virtual int OutDrawing(CBase_SGT* drawing, int option1, int option2);
    virtual int Reserved7();
    virtual int Reserved8();
    virtual int WritePrompt();
    virtual int ExtFunc(int which);
    virtual int ExtMenuItem(int which);
    virtual int EndACADConect();

    CJsDataBase* m_pData = nullptr;
    CJsResultBase* m_pResult = nullptr;
};
