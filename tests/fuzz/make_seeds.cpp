// Writes the seed corpora of the fuzz targets: files made by the program's own
// writers, and damaged versions of them (cut short, lines missing, a foreign
// marker, other line ends, invalid GBK bytes, overlong texts, huge numbers,
// NaN and infinity). Run by hand: fuzz_make_seeds tests/fuzz/corpus
#include "base/error.h"
#include "base/globals.h"
#include "base/jsdata.h"
#include "base/textio.h"
#include "codes/gangjin.h"
#include "design/ban_data.h"
#include "design/lkq_data.h"
#include "design/mkq_data.h"
#include "lining/engine/canshu.h"
#include "lining/engine/hezai.h"
#include "lining/engine/jiemian.h"
#include "loads/kuosan.h"
#include "members/beams/gj_data.h"
#include "members/beams/jzl_data.h"
#include "members/beams/lxl_data.h"
#include "members/beams/liang_data.h"
#include "members/beams/xuanjin.h"
#include "members/beams/zhu_data.h"
#include "members/flatslab/wllg_data.h"
#include "members/slabwall/mkqjs_data.h"
#include "members/slabwall/mkqjs_result.h"
#include "lining/shelter/shelter_data.h"
#include "lining/shelter/shelter_result.h"
#include "drawing/dxf.h"
#include "fem/strut_layer_model.h"
#include "frame/frame_library.h"
#include "platform/codec.h"
#include "platform/profile.h"
#include "project/project.h"
#include "report/rtf.h"
#include "report/script.h"

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

void WriteFemSeeds(const fs::path& out);  // fem_seeds.cpp
void WriteFreedomSeeds(const fs::path& out);  // freedom_seeds.cpp
void WriteResultSeeds(const fs::path& out);   // result_seeds.cpp

namespace {

fs::path g_out;

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void Put(const std::string& target, const std::string& name, const std::string& bytes) {
    fs::create_directories(g_out / target);
    std::ofstream(g_out / target / name, std::ios::binary) << bytes;
}

std::string ReplaceAll(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size()) s.replace(at, from.size(), to);
    return s;
}

// The int32 at `offset` of a binary file replaced (little-endian).
std::string PatchInt(std::string s, std::size_t offset, std::int32_t v) {
    for (int k = 0; k < 4; ++k) s[offset + k] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * k)) & 0xFF);
    return s;
}

std::vector<std::string> Lines(const std::string& s) {
    std::vector<std::string> lines;
    std::istringstream in(s);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string Join(const std::vector<std::string>& lines, const std::string& end = "\n") {
    std::string s;
    for (const auto& l : lines) s += l + end;
    return s;
}

// The damaged versions of a text data file written by the program.
void TextVariants(const std::string& target, const std::string& stem, const std::string& text) {
    Put(target, stem + "-crlf", ReplaceAll(text, "\n", "\r\n"));
    Put(target, stem + "-lone-cr", ReplaceAll(text, "\n", "\r"));
    Put(target, stem + "-cut-mid-line", text.substr(0, text.size() / 2));
    auto lines = Lines(text);
    if (lines.size() > 2) {
        auto missing = lines;
        missing.erase(missing.begin() + 2);
        Put(target, stem + "-line-missing", Join(missing));
        auto shortLine = lines;
        shortLine[1] = shortLine[1].substr(0, shortLine[1].rfind(','));
        Put(target, stem + "-fields-missing", Join(shortLine));
    }
    if (!lines.empty()) {
        auto foreign = lines;
        foreign[0] = "KV_XXX_V99";
        Put(target, stem + "-foreign-marker", Join(foreign));
    }
    Put(target, stem + "-bad-gbk", ReplaceAll(text, "##Name,", "##Name,\xF9\xB2\xD4\xFF\x80\x81"));
    Put(target, stem + "-no-separator", ReplaceAll(text, "##Name,", "##Name"));
    Put(target, stem + "-long-name", ReplaceAll(text, "##Name,", "##Name," + std::string(600, 'N') + "\xB6\xA5"));
    std::string many;
    for (int i = 0; i < 60; ++i) many += "##ChaXun,标题" + std::to_string(i) + ",a.DXF,a.RTF\n";
    Put(target, stem + "-60-chaxun", kv::platform::Utf8ToGbkLossy(text + many));
    Put(target, stem + "-huge-numbers", ReplaceAll(ReplaceAll(text, ",1,", ",99999999999999999999,"), ".0", "e308"));
    Put(target, stem + "-nan-inf", ReplaceAll(ReplaceAll(text, "0.", "nan,"), ",1,", ",inf,"));
    Put(target, stem + "-negative", ReplaceAll(text, ",", ",-"));
}

template <typename Data>
std::string SaveModule(Data& data, const std::string& stem, const std::string& name) {
    data.SetFileName(stem);
    data.m_strName = name;
    std::string path = "/tmp/kv-seed.DAT";
    data.SaveData(path.c_str());
    return Read(path);
}

// The lining's record lines in file order, as lining_fuzz reads them.
class SeedSection : public CJieMianBase {
public:
    int WriteCanShu(std::FILE*) override { return 0; }
    int JiSuan(std::FILE*) override { return 0; }
    int DrawOutline(CBase_SGT*) override { return 0; }
    int DrawGuanJiang(CBase_SGT*) override { return 0; }
    int GetExtent(CFRect&) override { return 0; }
};

void WriteLiningSeeds() {
    std::string path = "/tmp/kv-seed-lining.DAT";
    std::FILE* fp = open_file_no_comment(path.c_str(), "wt");
    CDiZhenCanShu().SaveData(fp);
    CHeZaiCanShu().SaveData(fp);
    CJiBenCanShu().SaveData(fp);
    CPeiJinCanShu bars;
    bars.m_szWaiCe = "钢筋10D16";
    bars.SaveData(fp);
    CHeZaiZuHe().SaveData(fp);
    SeedSection().SaveData(fp);
    commit_file(fp);
    const std::string text = Read(path);
    std::remove(path.c_str());
    Put("lining", "written", text);
    Put("lining", "written-crlf", ReplaceAll(text, "\n", "\r\n"));
    Put("lining", "cut-mid-line", text.substr(0, text.size() / 2));
    Put("lining", "eight-items", ReplaceAll(text, "0,0,0,0,1\n", "0,0,0,0,0\n"));
    Put("lining", "long-bar-text", ReplaceAll(text, "12d20\n", std::string(150, '2') + "\n"));
    Put("lining", "comment-bar-text", ReplaceAll(text, "12d20\n", "  //12d20\n"));
    Put("lining", "blank-bar-text", ReplaceAll(text, "12d20\n", "\n"));
    Put("lining", "huge-numbers", ReplaceAll(ReplaceAll(text, "500.000000", "1e38"), "23000.000000", "99999999999999999999"));
    Put("lining", "nan-inf", ReplaceAll(ReplaceAll(text, "0.100000", "nan"), "70.000000", "-inf"));
    Put("lining", "negative-index", ReplaceAll(text, "\n8,1,", "\n-80,7,"));
    Put("lining", "bad-gbk", ReplaceAll(text, "12d20", "\xF9\xB2\xD4\xFF\x80\x81"));
    Put("lining", "empty", "");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    std::setlocale(LC_NUMERIC, "C");
    g_out = fs::absolute(argv[1]);
    fs::path work = fs::temp_directory_path() / "kv-seeds";
    fs::create_directories(work);
    if (chdir(work.c_str()) != 0) return 1;
    G_strWorkPath = work.string() + "/";

    // Module files.
    for (int kind = 0; kind < 2; ++kind) {
        BAN_JS_STRUCT slab(kind);
        std::string text = SaveModule(slab, "&KV_0001", kind ? "底板 DB-1" : "顶板 DB-1");
        Put("ban", "written-" + std::to_string(kind), text);
        Put("datalines", "ban-" + std::to_string(kind), std::string(1, '\x50') + text);
        if (kind == 0) TextVariants("ban", "slab", text);
    }
    for (int kind = 0; kind < 4; ++kind) {
        CLkqData wall(kind);
        std::string text = SaveModule(wall, "&KV_0002", "外墙 WQ-" + std::to_string(kind));
        Put("lkq", "written-" + std::to_string(kind), text);
        if (kind == 0) {
            TextVariants("lkq", "wall", text);
            Put("lkq", "older-edition", ReplaceAll(text, CLkqData::kMarker, CLkqData::kMarkerV20));
            Put("datalines", "wall", std::string(1, '\x20') + text);
        }
    }
    for (int kind = 0; kind < 2; ++kind) {
        CMkqData wall(kind);
        std::string text = SaveModule(wall, "&KV_0005", "门框墙 MKQ-" + std::to_string(kind));
        Put("mkq", "written-" + std::to_string(kind), text);
        if (kind == 0) {
            TextVariants("mkq", "doorframe", text);
            Put("mkq", "older-edition", ReplaceAll(text, CMkqData::kMarker, CMkqData::kMarkerV20));
        }
    }
    {
        CLxlData beam;
        Put("lxl", "written-default", SaveModule(beam, "&KV_0008", "连续梁 L-1"));
        // Every load type, dead and live, on three spans.
        beam.SpanNum = 3;
        beam.LeftSupport = 2;
        beam.RightSupport = 0;
        for (int i = 0; i < 3; ++i) {
            beam.Spans[i].LoadNum = 2;
            for (int j = 0; j < 2; ++j) {
                LXL_LOAD& load = beam.Spans[i].Loads[j];
                load.Type = 2 * i + j + 1;
                load.Kind = j + 1;
            }
        }
        std::string text = SaveModule(beam, "&KV_0008", "连续梁 L-2");
        Put("lxl", "written-loads", text);
        TextVariants("lxl", "beam", text);
        Put("lxl", "older-edition", ReplaceAll(text, CLxlData::kMarker, CLxlData::kMarkerV20));
        Put("lxl", "huge-counts", ReplaceAll(ReplaceAll(text, "3,2,0,1\n", "31,2,0,99\n"), ",2,1\n", ",25,-3\n"));
    }
    {
        CJzlData grid;
        Put("jzl", "written-default", SaveModule(grid, "&KV_0009", "井字梁 JZL-1"));
        // Secondary beams, every edge beam and a second load.
        grid.XSecondary = 2;
        grid.YSecondary = 1;
        grid.Load2 = 2.5f;
        grid.LoadMode = 1;
        for (int e = 0; e < 4; ++e) grid.EdgeBeam[e] = 1, grid.EdgeSupport[e] = e % 3;
        std::string text = SaveModule(grid, "&KV_0009", "井字梁 JZL-2");
        Put("jzl", "written-edges", text);
        TextVariants("jzl", "grid", text);
        Put("jzl", "older-edition", ReplaceAll(text, CJzlData::kMarker, CJzlData::kMarkerV20));
        // Span lists the model refuses or that overrun the line, and counts out of range.
        Put("jzl", "bad-spans", ReplaceAll(ReplaceAll(text, "6.0 5.2*2 3.0\n", "5.2* *3 6*-4\n"), "6*2\n",
                                           std::string(400, '6') + "*2\n"));
        Put("jzl", "huge-counts", ReplaceAll(text, "\n2,1,200,200", "\n-1,99,200,200"));
    }
    {
        CGjData frame;
        frame.PDelta = 1;
        frame.As = 40.0f;
        frame.TextScale = 1.5f;
        std::string text = SaveModule(frame, "&KV_0009", "人防刚架 GJ-1");
        Put("gj", "written", text);
        TextVariants("gj", "frame", text);
        Put("gj", "older-edition", ReplaceAll(text, CGjData::kMarker, CGjData::kMarkerV20));
        Put("gj", "both-markers", ReplaceAll(text, CGjData::kMarker, "KV_GJ_V30 KV_GJ_V20"));
        // The older edition's line ends after the scales.
        Put("gj", "older-short-line", ReplaceAll(ReplaceAll(text, CGjData::kMarker, CGjData::kMarkerV20), ",1,40.000000\n", "\n"));
    }
    {
        CLiangData beam;
        beam.Kind = 2;
        beam.T = 12.5f;
        std::string text = SaveModule(beam, "&KV_0007", "梁 KL-1");
        Put("liang", "written", text);
        TextVariants("liang", "beam", text);
        Put("liang", "older-edition", ReplaceAll(text, CLiangData::kMarker, CLiangData::kMarkerV20));
        Put("liang", "both-markers", ReplaceAll(text, CLiangData::kMarker, "KV_LIANG_V30 KV_LIANG_V20"));
    }
    {
        CZhuData column;
        column.SecondOrder = 1;
        std::string text = SaveModule(column, "&KV_0008", "柱 KZ-1");
        Put("zhu", "written", text);
        TextVariants("zhu", "column", text);
        // The older edition has no p-δ line: the fifth line goes.
        auto lines = Lines(text);
        std::string older = std::string(CZhuData::kMarkerV20) + "\n";
        for (std::size_t i = 1; i < lines.size(); ++i)
            if (i != 4) older += lines[i] + "\n";
        Put("zhu", "older-edition", older);
        Put("zhu", "older-marker-with-pdelta-line", ReplaceAll(text, CZhuData::kMarker, CZhuData::kMarkerV20));
    }
    {
        CWllgData slab;
        slab.SetFileName("&KV_0012");
        std::string text = SaveModule(slab, "&KV_0012", "无梁楼盖 WLB-1");
        Put("wllg", "written", text);
        TextVariants("wllg", "slab", text);
        Put("wllg", "older-edition", ReplaceAll(text, CWllgData::kMarker, CWllgData::kMarkerV20));
        Put("wllg", "both-markers", ReplaceAll(text, CWllgData::kMarker, "KV_WLLG_V30 KV_WLLG_V20"));
        Put("wllg", "spans-negative-count", ReplaceAll(text, "6*2 8.0", "6*-2 8*99999999999 *3"));
        Put("wllg", "spans-long", ReplaceAll(text, "6*2 8.0", std::string(400, '6') + "\xBF\xE7"));
        auto lines = Lines(text);
        Put("wllg", "no-last-lines", Join(std::vector<std::string>(lines.begin(), lines.end() - 2)));
        std::string kcq = lines.at(5) + "\n";
        Put("kcq", "written", kcq);
        Put("kcq", "written-crlf", ReplaceAll(kcq, "\n", "\r\n"));
        Put("kcq", "fifteen-values", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15\n");
        Put("kcq", "comment-first", "// punching\n" + kcq);
        Put("kcq", "nan-inf", ReplaceAll(ReplaceAll(kcq, "100.000000", "nan"), "35.000000", "inf"));
        Put("kcq", "huge-numbers", ReplaceAll(ReplaceAll(kcq, "6000", "99999999999999999999"), "100.000000", "1e308"));
        Put("kcq", "long-line", std::string(700, '1') + "," + kcq);
        Put("kcq", "empty", "");
    }
    {
        CKuoSanData kuosan;
        std::string text = SaveModule(kuosan, "&KV_0006", "扩散室 1");
        Put("kuosan", "written", text);
        TextVariants("kuosan", "kuosan", text);
    }
    {
        // The first byte of an mkqjs input picks the file: 0 data, 1 result,
        // 2 project item, 3 the load tool's exchange file.
        CMkqJsData wall;
        std::string text = SaveModule(wall, "&KV_0007", "门框墙 2");
        Put("mkqjs", "data-written", '\0' + text);
        for (const char* damage : {"-crlf", "-cut-mid-line", "-line-missing", "-fields-missing", "-huge-numbers",
                                   "-nan-inf", "-bad-gbk", "-foreign-marker"}) {
            TextVariants("mkqjs-tmp", "data", text);
            Put("mkqjs", std::string("data") + damage, '\0' + Read(g_out / "mkqjs-tmp" / (std::string("data") + damage)));
        }
        fs::remove_all(g_out / "mkqjs-tmp");
        CMkqResult result;
        result.SaveData("/tmp/kv-seed.DAT");
        std::string res = Read("/tmp/kv-seed.DAT");
        Put("mkqjs", "result-written", '\1' + res);
        Put("mkqjs", "result-cut-mid-line", '\1' + res.substr(0, res.size() / 2));
        Put("mkqjs", "result-nan-inf", '\1' + ReplaceAll(res, "0.", "nan,"));
        CMkqGfData item;
        item.SetFileName("&KV_0007");
        item.m_strName = "门框墙 2";
        item.SaveData("/tmp/kv-seed.DAT");
        std::string gf = Read("/tmp/kv-seed.DAT");
        Put("mkqjs", "item-written", '\2' + gf);
        Put("mkqjs", "item-cut-mid-line", '\2' + gf.substr(0, gf.size() / 2));
        Put("mkqjs", "exout-sizes",
            "\3[XB2MKQ]\nXB=1\nDW=1500\nDH=2200\nSIZE-1=800,300,200,250,100,100\nSIZE-3=1e39,nan,-5,,,\n"
            "[MKQQE]\nQE=0.2,0.3,inf\n[PBMKQHZ]\nVerq1=99999999999999999999\n[GXMKQHZ]\nx=abc\n");
    }

    {
        // The first byte of a shelter input picks the file: 0 data, 1 result, 2 exchange file.
        for (int kind : {0, 3}) {
            CChenQiData shelter;
            shelter.m_CanShu.nType = kind;
            std::string text = SaveModule(shelter, "&KV_0009_CHENQI", "衬砌 1");
            Put("shelter", "data-written-" + std::to_string(kind), '\0' + text);
            if (kind == 0) {
                Put("shelter", "data-crlf", '\0' + ReplaceAll(text, "\n", "\r\n"));
                Put("shelter", "data-cut-mid-line", '\0' + text.substr(0, text.size() / 2));
                Put("shelter", "data-kind-9", '\0' + ReplaceAll(text, "ChenQi_V10\n0,", "ChenQi_V10\n9,"));
                Put("shelter", "data-nan-inf", '\0' + ReplaceAll(text, "500.000000", "nan"));
            }
            CChenQiResult result;
            result.m_pChenQi = &shelter;
            result.SetParts();
            result.m_Parts[0].Values(2, 1)[3] = -41.5f;
            result.m_nDieDai[1] = 3;
            result.SaveData("/tmp/kv-seed.DAT");
            std::string res = Read("/tmp/kv-seed.DAT");
            Put("shelter", "result-written-" + std::to_string(kind), '\1' + res);
            if (kind == 0) {
                Put("shelter", "result-cut-mid-line", '\1' + res.substr(0, res.size() / 2));
                Put("shelter", "result-no-trailing-line", '\1' + res.substr(0, res.rfind('\n', res.size() - 2) + 1));
                Put("shelter", "result-nan-inf", '\1' + ReplaceAll(res, "0.000000,", "inf,"));
            }
        }
        Put("shelter", "exout-loads",
            "\2[CQCWHZ]\nq1=120\nq2=1e39\nq3=nan\nk=1.2\n[CQHWHZ]\nq1=abc\nk=\n[CQCC]\nL=6000\n");
    }

    CJsBaseData item;
    item.m_strName = "顶板 第一项";
    item.SetJt(0, "查询内容", "&KV_0001_BAN.DXF", "&KV_0001_BAN.RTF");
    item.SetJt(1, "标题, 带逗号", "&KV_0001_A.DXF", "&KV_0001_A.RTF");
    item.SaveData("/tmp/kv-seed.DAT");
    std::string itemText = Read("/tmp/kv-seed.DAT");
    Put("itemfile", "written", itemText);
    TextVariants("itemfile", "item", itemText);

    // The project.
    CProject project;
    project.m_nSelected[0] = project.m_nSelected[3] = 1;
    project.AddItem(0);
    project.AddItem(0);
    project.AddItem(3);
    project.WritePrj({"顶板", "底板", "外墙", "临空墙"});
    std::string prj = Read(work / kProjectFileName);
    Put("prj", "written", prj);
    Put("prj", "cut-short", prj.substr(0, prj.size() / 3));
    Put("prj", "magic-only", prj.substr(0, 40));
    Put("prj", "older-magic", ReplaceAll(prj, kProjectMagic, kProjectMagicOld));
    std::string bad = prj;
    for (std::size_t i = 40 + 200; i < 40 + 400 && i < bad.size(); i += 4) bad[i + 3] = '\x7F';
    Put("prj", "huge-counts", bad);
    std::string negative = prj;
    for (std::size_t i = 40 + 400; i < 40 + 800 && i < negative.size(); ++i) negative[i] = '\xFF';
    Put("prj", "negative-numbers", negative);

    CGcxx box;
    box.m_strName = "某工程人防地下室";
    box.WriteBox(work.string());
    std::string gcxx = Read(work / "GCXX.BOX");
    Put("gcxx", "written", gcxx);
    Put("gcxx", "crlf", ReplaceAll(gcxx, "\n", "\r\n"));
    Put("gcxx", "lone-cr", ReplaceAll(gcxx, "\n", "\r"));
    Put("gcxx", "one-line", gcxx.substr(0, gcxx.find('\n')));
    Put("gcxx", "long-name", std::string(1000, '\xB6') + "\n1\n2\n");
    Put("gcxx", "bad-gbk", "\xF9\xB2\xD4\xFF\n\x81\n\x80\x80\n");

    // Profile files.
    std::string ini = (work / "seed.ini").string();
    kv::platform::WritePrivateProfileString("WorkSet", "WorkPath", "/home/用户/工程/", ini);
    kv::platform::WritePrivateProfileString("WorkSet", "Guifan", "2", ini);
    kv::platform::WritePrivateProfileString("Tools", "Cad", "/usr/bin/cad", ini);
    std::string iniText = Read(ini);
    Put("profile", "written", iniText);
    Put("profile", "crlf", ReplaceAll(iniText, "\n", "\r\n"));
    Put("profile", "lone-cr", ReplaceAll(iniText, "\n", "\r"));
    Put("profile", "no-closing-bracket", "[WorkSet\nWorkPath=x\n[Tools]]\n=\n==\nGuifan=99999999999999999999\n");
    Put("profile", "bad-gbk", "[\xF9\xB2\xD4]\n\xFF=\x80\n[WorkSet]\nWorkPath=\x81\n");

    // A drawing.
    DXF drawing;
    drawing.New_MemDxf();
    drawing.Write_Line(0, 0, 1000, 500);
    drawing.Write_Arc(500, 250, 100, 0, 270);
    drawing.Write_Text(10, 10, 3.5f, 30, "外墙 WQ-1");
    std::string dxfPath = (work / "seed.dxf").string();
    drawing.Write_MemDxf_To_File(dxfPath.c_str());
    std::string dxf = Read(dxfPath);
    Put("dxf", "written", dxf);
    Put("dxf", "crlf", ReplaceAll(dxf, "\n", "\r\n"));
    Put("dxf", "cut-short", dxf.substr(0, dxf.size() * 2 / 3));
    Put("dxf", "huge-numbers", ReplaceAll(dxf, "1000.0", "1e308"));
    Put("dxf", "nan-inf", ReplaceAll(ReplaceAll(dxf, "500.0", "nan"), "100.0", "inf"));

    // Reports.
    static const unsigned char kPng[] = {
        0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00,
        0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00,
        0x00, 0x00, 0x0D, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0xF0, 0x1F, 0x00, 0x05,
        0x00, 0x01, 0xFF, 0x89, 0x99, 0x3D, 0x1D, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42,
        0x60, 0x82};
    std::string rtfPath = (work / "seed.RTF").string();
    {
        kv::report::CRTF rtf;
        rtf.Open(rtfPath.c_str());
        rtf.SetCurTextStyle(1, 36, 0, 1, 0, 0);
        rtf.InsertText("顶板计算书\n");
        rtf.SetCurTextStyle(0, 21, 0, 0, 0, 0);
        rtf.InsertText("板厚 h = %d mm, 荷载 q = %.2f kN/m2\n", 300, 62.5);
        kv::report::ReportTable table;
        auto cell = [](const char* text) {
            kv::report::ReportCell c;
            c.text = text;
            return c;
        };
        table.rows = {{cell("位置"), cell("弯矩")}, {cell("跨中"), cell("12.5")}};
        rtf.InsertTable(table, 2, 80, 1, 1, 1);
        rtf.InsertPicture(std::string(reinterpret_cast<const char*>(kPng), sizeof kPng), 40, 30);
        rtf.InsertFormula("M = q*l^2/8");
        rtf.Close();
    }
    std::string rtf = Read(rtfPath);
    for (const char* target : {"rtf", "report"}) {
        Put(target, "written", rtf);
        Put(target, "cut-short", rtf.substr(0, rtf.size() / 2));
        Put(target, "lone-cr", ReplaceAll(rtf, "\n", "\r"));
        Put(target, "unbalanced", "{\\rtf1{{{{{{\\b\\i text\\par}\\u-10179?\\u56320?\\'ff\\'\\bin99999999 x");
        Put(target, "table-after-paragraph",
            "{\\rtf1\\ansi{\\fonttbl{\\f0 SimSun;}}\\qc centred\\par\\trowd\\cellx2000\\intbl a\\cell\\row\\pard after\\par}");
        Put(target, "control-bytes", std::string("{\\rtf1 a\x01\x02\x1F b\\u55357?\\u7?\\'1a\\par}"));
        Put(target, "huge-numbers", "{\\rtf1\\fs99999999999\\li-2147483649\\cellx99999999999\\picw2147483647 x}");
    }

    // Text reports with script blocks.
    std::string txt = (work / "seed.TXT").string();
    {
        std::FILE* fp = open_file(txt.c_str(), "wt");
        std::fputs("顶板计算书\n", fp);
        VanjoroScript(fp, "InsertDxf=seed.dxf");
        VanjoroScript_Text(fp, "红色文字\n第二行", kv::report::WinRGB(255, 0, 0), 1.5);
        VanjoroScript(fp, "InsertDxf=*Cur*");
        std::fputs("结束\n", fp);
        commit_file(fp);
    }
    std::string script = Read(txt);
    for (const char* target : {"script", "report"}) {
        Put(target, "script-written", script);
        Put(target, "script-crlf", ReplaceAll(script, "\n", "\r\n"));
        Put(target, "script-no-end-marker", script.substr(0, script.find("VanjoroScript]")));
        Put(target, "script-huge-factor", ReplaceAll(script, "1.5", "1e300"));
        Put(target, "script-nan-factor", ReplaceAll(script, "1.5", "nan"));
        Put(target, "script-missing-file", ReplaceAll(script, "seed.dxf", "nothing/../../x.dxf"));
        Put(target, "script-bad-gbk", "\xF9\xB2\xD4%%%[VanjoroScript%%%TextStyle=\xFF\xFF,\x81%%%VanjoroScript]%%%\n");
    }

    // A strut-layer model, saved section by section through its own writers.
    {
        fs::remove("WLLG_StrLdA-1.DAT");
        {
            kv::fem::CJsBzData model("WLLG_StrLdA-1.DAT");
            Put("strutmodel", "new-skeleton", Read("WLLG_StrLdA-1.DAT"));
            model.m_nNetNode = 3;
            model.Prepare_NetNode();
            for (int i = 0; i < 3; ++i) model.m_cNetNode[i] = {i + 1, 1, 6.0f * (i > 0), 4.0f * (i > 1)};
            model.Write_NetNode();
            model.m_nNetLine = 2;
            model.Prepare_NetLine();
            model.m_cNetLine[0] = {1, 1, 0, 1, 2, 0, 0};
            model.m_cNetLine[1] = {2, 1, 1, 2, 3, 3, 2};
            model.Write_NetLine();
            model.m_nNodeLoad = 1;
            model.Prepare_NodeLoad();
            model.m_cNodeLoad[0].node = 3;
            model.m_cNodeLoad[0].value[0] = 10;
            model.Write_NodeLoad();
            model.m_nNodeYS = 1;
            model.Prepare_NodeYS();
            model.m_cNodeYS[0] = {1, 1, 1, 1, 0, 2, 100};
            model.Write_NodeYS();
            model.m_nYaoLiang = 1;
            model.Prepare_YaoLiang();
            model.m_cYaoLiang[0].m_nLoad = 2;
            model.m_cYaoLiang[0].Prepare_Load();
            model.m_cYaoLiang[0].m_cLoad[0].value[0] = -10;
            model.m_cYaoLiang[0].m_cLoad[1] = {8, 2, {1, 2, 3, 4}};
            model.Write_YaoLiang();
            model.m_nZhiCheng = 2;
            model.Prepare_ZhiCheng();
            model.m_cZhiCheng[0].netLine = 2;
            model.m_cZhiCheng[0].sectionType = 2;
            model.m_cZhiCheng[1].m_nLoad = 1;
            model.m_cZhiCheng[1].Prepare_Load();
            model.Write_ZhiCheng();
        }
        std::string text = Read("WLLG_StrLdA-1.DAT");
        Put("strutmodel", "written", text);
        Put("strutmodel", "model-crlf", ReplaceAll(text, "\n", "\r\n"));
        Put("strutmodel", "model-lone-cr", ReplaceAll(text, "\n", "\r"));
        Put("strutmodel", "model-cut-mid-line", text.substr(0, text.size() / 2));
        Put("strutmodel", "model-section-missing", ReplaceAll(text, "$NodeYS\n", ""));
        Put("strutmodel", "model-foreign-marker", ReplaceAll(text, "V10", "V9"));
        Put("strutmodel", "model-huge-counts", ReplaceAll(text, "3,2,1,1,1,2\n", "3,2,1,1,99999999999,-2\n"));
        Put("strutmodel", "model-huge-member-loads", ReplaceAll(text, ",0,0,2\n", ",0,0,2000000000\n"));
        Put("strutmodel", "model-nan-inf", ReplaceAll(ReplaceAll(text, "6.000000", "nan"), "4.000000", "-inf"));
        Put("strutmodel", "model-huge-numbers", ReplaceAll(text, "0.000000", "1e308"));
        Put("strutmodel", "model-long-line", ReplaceAll(text, "$NetLine\n", "$NetLine\n" + std::string(600, '9') + ","));
        fs::remove("WLLG_StrLdA-1.DAT");
        fs::remove("~BakFile.NZC");
    }

    // The frame library's files: a portal with an arc roof through its own writer,
    // input stage and analysis. Header counts start at byte 12, records at 32.
    {
        using namespace kv::frame;
        FrmStructure s;
        s.nodes = {{11, 0, 0}, {12, 0, 4}, {13, 6, 4}, {14, 6, 0}};
        StrucBeam_Frm column;
        column.section[0] = 600;
        column.section[1] = 300;
        column.grade = 30;
        column.number = 5;
        column.start = 1;
        column.end = 2;
        StrucBeam_Frm roof;
        roof.kind = 2;
        roof.material = 2;
        roof.section[0] = 1800;
        roof.section[1] = 5.4e5f;
        roof.e = 0.3f;
        roof.number = 6;
        roof.start = 3;
        roof.end = 2;
        roof.xc = 3;
        roof.yc = 4;
        roof.releaseEnd = 1;
        StrucBeam_Frm right = column;
        right.number = 7;
        right.start = 4;
        right.end = 3;
        s.beams = {column, roof, right};
        s.supports = {{1, 3, 0, 0}, {4, 1, 1.5707964f, 1e5f}, {4, 4, 0, 0}};
        s.nodeLoads = {{2, 1, 1, {10, 0, 0}}, {3, 2, 2, {0, 0, 5}}};
        s.memberLoads = {{2, 1, 3, {5, 0, 0, 0}}, {1, 2, 8, {1, 0.5f, 2, 3}}, {3, 1, 1, {2, 3, 1, 0}}};
        JS_ERROR_CODE = 0;
        WriteStructureFile("yxy_js.dat", kInputTag, s);
        FB_DATE_Frm date;
        date.main_date("yxy_js.dat");
        YXY_Frm yxy;
        yxy.main_yxy();
        const std::pair<const char*, std::string> files[] = {
            {"frameinput", Read("yxy_js.dat")}, {"framestruc", Read("STRUC_LD.FB")}, {"frameforce", Read("FORCE.FB")}};
        for (const auto& [target, bytes] : files) {
            Put(target, "written", bytes);
            Put(target, "cut-short", bytes.substr(0, bytes.size() - 3));
            Put(target, "header-only", bytes.substr(0, 32));
            Put(target, "foreign-tag", "KVFRMXXX" + bytes.substr(8));
            Put(target, "huge-count", PatchInt(bytes, 16, 0x7FFFFFFF));
            Put(target, "negative-count", PatchInt(bytes, 12, -1));
        }
        std::string input = Read("yxy_js.dat");
        const std::size_t beam0 = 32 + 4 * 12;  // after the four node records
        Put("frameinput", "bad-node-reference", PatchInt(input, beam0 + 8, 99));
        Put("frameinput", "zero-length", PatchInt(input, beam0 + 12, 1));
        Put("frameinput", "nan-coordinate", PatchInt(input, 32 + 4, 0x7FC00000));
        Put("frameinput", "unknown-grade", PatchInt(input, beam0 + 40, 0x41F80000));  // 31.0f
        std::string struc = Read("STRUC_LD.FB");
        Put("framestruc", "mechanism", PatchInt(PatchInt(struc, beam0 + 84 + 60, 1), 32 + 48 + 3 * 84 + 4, 4));
        Put("framestruc", "nan-stiffness", PatchInt(struc, beam0 + 72, 0x7FC00000));
        std::string force = Read("FORCE.FB");
        // The force file's header is 24 bytes: tag, version, members, cases, nodes.
        Put("frameforce", "two-cases", PatchInt(force + force.substr(24), 16, 2));
        Put("frameforce", "no-members", PatchInt(force.substr(0, 24), 12, 0));
        for (const char* name : {"yxy_js.dat", "STRUC_LD.FB", "FORCE.FB"}) fs::remove(name);
    }

    // Bar texts and GBK texts.
    for (const CGangJin& bars : {CGangJin(0, 2, 4, 20, 0), CGangJin(1, 1, 1, 8, 200), CGangJin(2, 3, 1, 10, 150)})
        Put("gangjin", "written-" + bars.ToString(), bars.ToString());
    Put("gangjin", "two-groups", "4D20+2D18");
    Put("gangjin", "alternating", "D16/14@200");
    Put("gangjin", "huge", "99999999999D99999999999@99999999999");
    Put("gangjin", "phi", "4Φ20+φ8@0");
    // The bar searches' result files, as the searches write them.
    {
        ZONGJIN_PARA two;
        two.As = 540, two.d2 = 20, two.tolerance = 5;
        GUJIN_PARA none;
        none.tolerance = 0;
        const std::pair<const char*, std::vector<std::string>> results[] = {
            {"zongjin", kv::xuanjin::ZongJinLines(two)},
            {"gujin", kv::xuanjin::GuJinLines(GUJIN_PARA{})},
            {"fenbujin", kv::xuanjin::FenBuJinLines(FENBUJIN_PARA{})},
            {"nothing", kv::xuanjin::GuJinLines(none)},
        };
        for (const auto& [name, lines] : results) {
            std::string text;
            for (const std::string& line : lines) text += line;
            text = kv::platform::Utf8ToGbkLossy(text);
            Put("xuanjin", std::string("written-") + name, text);
            if (std::string(name) == "gujin") {
                Put("xuanjin", "results-crlf", ReplaceAll(text, "\n", "\r\n"));
                Put("xuanjin", "results-lone-cr", ReplaceAll(text, "\n", "\r"));
                Put("xuanjin", "results-cut-mid-line", text.substr(0, text.size() / 2));
                Put("xuanjin", "results-long-line", std::string(1100, 'x') + "\xB6\xA5\n" + text);
                Put("xuanjin", "results-bad-gbk", "\xF9\xB2\xD4\xFF\x80\x81" + text);
            }
        }
    }
    Put("codec", "text", kv::platform::Utf8ToGbkLossy("顶板 外墙 临空墙 ×2 m²"));
    Put("codec", "bad-bytes", "\xF9\xB2\xD4\xFF\x80\x81\x30\xB6");
    Put("codec", "crlf", "a\r\nb\rc\n\xB6\r\n\xA5");

    WriteLiningSeeds();
    WriteFemSeeds(g_out);
    WriteFreedomSeeds(g_out);
    WriteResultSeeds(g_out);

    fs::remove_all(work);
    return 0;
}
