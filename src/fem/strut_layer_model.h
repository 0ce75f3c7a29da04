#pragma once
// The strut-layer model file: one layer of horizontal bracing (内支撑) in plan — a
// net of nodes and lines, nodal loads and restraints, and the waling beams (腰梁)
// and struts (支撑) laid on the net lines, each with its own member loads.
//
// A text file, one titled section per record kind:
//   $NZC_CENG_DATA_FILE V10
//   $Control
//   nodes,net lines,nodal loads,nodal restraints,waling beams,struts
//   $NetNode  $NetLine  $NodeLoad  $NodeYS  $YaoLiang  $ZhiCheng  (records follow each)
//   $END_OF_FILE
// Node and net-line numbers are 1-based and equal to the record's position + 1;
// the other records refer to them by number. Fields nobody interprets are kept
// as they were read.
//
// The arrays live only while a section is loaded: Read_* loads one section from
// the file, Write_* saves the file with one section taken from memory, Free_*
// lets it go. An empty array is "not loaded" (a count of 0 or less loads nothing).
// Errors go through the message channel (tell_error).
#include <cstdio>
#include <string>
#include <vector>

namespace kv::fem {

struct JsNetNode {
    int number = 1;
    int second = 1;
    float x = 0;
    float y = 0;
};

struct JsNetLine {
    int number = 1;
    int second = 1;
    int shape = 0;  // 1: an arc about (cx, cy)
    int start = 1;  // node numbers
    int end = 1;
    float cx = 0;
    float cy = 0;
};

struct JsNodeLoad {
    int number = 1;
    int second = 1;
    int node = 1;
    int fourth = 1;
    int kind = 1;
    int loadCase = 1;
    float value[3] = {0, 0, 0};
};

struct JsNodeYS {
    int number = 0;
    int second = 0;
    int node = 0;
    int fourth = 0;
    float value1 = 0;
    int kind = 0;
    float value2 = 0;
};

struct JsLineLoad {
    int type = 3;
    int loadCase = 1;
    float value[4] = {0, 0, 0, 0};
};

// A waling beam or a strut on one net line, with its member loads.
class CJsLineGouJian {
public:
    int number = 1;
    int second = 1;
    int netLine = 1;  // 1-based
    int fourth = 1;
    int sectionType = 1;  // 1: b x h rectangle; else the two alternative values
    int sixth = 20;
    float value1 = 25000.0f;
    float width = 200.0f;
    float depth = 500.0f;
    float alt1 = 12000.0f;
    float alt2 = 1e12f;
    int twelfth = 0;
    int thirteenth = 0;
    int m_nLoad = 0;
    std::vector<JsLineLoad> m_cLoad;

    // Makes m_nLoad default loads (none for a count of 0 or less). 0 with
    // "m_cLoad 内存不够!" (301) when they do not fit.
    int Prepare_Load();
    void Free_Load();
    // The member line's fields (the loads are separate lines, see CJsBzData).
    void read(const std::string& line);
    // The member line and its m_nLoad load lines.
    int write(std::FILE* fp) const;
};

class CJsBzData {
public:
    // Opens the model (found whatever the case of its name; bare names are in the
    // current folder), making an empty one when there is none, and reads its
    // counts. A file without the magic line gives 201 and counts of 0.
    explicit CJsBzData(const char* fileName);
    ~CJsBzData() = default;
    CJsBzData(const CJsBzData&) = delete;
    CJsBzData& operator=(const CJsBzData&) = delete;

    std::string m_strFileName;
    std::string m_strBakName = "~BakFile.NZC";

    int m_nNetNode = 0;
    int m_nNetLine = 0;
    int m_nNodeLoad = 0;
    int m_nNodeYS = 0;
    int m_nYaoLiang = 0;
    int m_nZhiCheng = 0;

    std::vector<JsNetNode> m_cNetNode;
    std::vector<JsNetLine> m_cNetLine;
    std::vector<JsNodeLoad> m_cNodeLoad;
    std::vector<JsNodeYS> m_cNodeYS;
    std::vector<CJsLineGouJian> m_cYaoLiang;
    std::vector<CJsLineGouJian> m_cZhiCheng;

    // Default records for the current count; 1 (and nothing) for a count <= 0.
    int Prepare_NetNode();
    int Prepare_NetLine();
    int Prepare_NodeLoad();
    int Prepare_NodeYS();
    int Prepare_YaoLiang();
    int Prepare_ZhiCheng();

    // Prepares and reads one section from the file; 0 on failure.
    int Read_NetNode();
    int Read_NetLine();
    int Read_NodeLoad();
    int Read_NodeYS();
    int Read_YaoLiang();
    int Read_ZhiCheng();

    // Saves the file with that section taken from memory; 0 when it is not loaded
    // or the save failed.
    int Write_NetNode();
    int Write_NetLine();
    int Write_NodeLoad();
    int Write_NodeYS();
    int Write_YaoLiang();
    int Write_ZhiCheng();

    void Free_NetNode();
    void Free_NetLine();
    void Free_NodeLoad();
    void Free_NodeYS();
    void Free_YaoLiang();
    void Free_ZhiCheng();
    void Free_All();

    // Reads every section with a nonzero count; the first failure shows a message
    // box naming the section and gives 0.
    int Read_All();

    // Writes the model anew with section k (1 … 6) from memory and the others
    // copied from the file, through "JS_TMP" beside it. Only once that file is
    // complete does the model become the backup and "JS_TMP" the model; a failed
    // write leaves both as they were. Section k stays loaded, the others are freed.
    int Save(int k);

private:
    bool check_header(std::FILE* fp);
    void write_header(std::FILE* fp) const;
    std::string SiblingPath(const std::string& name) const;
};

}  // namespace kv::fem
