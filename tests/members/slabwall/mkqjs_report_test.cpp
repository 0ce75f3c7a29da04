#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "base/error.h"
#include "base/globals.h"
#include "base/jsdata.h"
#include "codes/gangjin.h"
#include "members/slabwall/mkqjs_calc.h"
#include "report/rtf.h"
#include "support/edition_guard.h"
#include "support/work_folder.h"
#include "widgets/jisuanhost.h"

namespace {

// The visible text of an RTF book: \uN characters, \par as line ends, table
// cells separated by '|'; control words and the font, colour and picture
// groups dropped.
std::string VisibleText(const std::string& rtf) {
    std::string out;
    int depth = 0, skipDepth = -1;
    for (std::size_t i = 0; i < rtf.size();) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
            ++i;
            for (const char* group : {"\\fonttbl", "\\colortbl", "\\*", "\\pict", "\\stylesheet", "\\info"})
                if (skipDepth < 0 && rtf.compare(i, std::strlen(group), group) == 0) skipDepth = depth;
            continue;
        }
        if (c == '}') {
            if (depth == skipDepth) skipDepth = -1;
            --depth;
            ++i;
            continue;
        }
        if (c == '\\') {
            const char n = i + 1 < rtf.size() ? rtf[i + 1] : 0;
            if (n == '\\' || n == '{' || n == '}') {
                if (skipDepth < 0) out += n;
                i += 2;
                continue;
            }
            std::size_t j = i + 1;
            while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
            const std::string word = rtf.substr(i + 1, j - i - 1);
            std::size_t k = j;
            if (k < rtf.size() && (rtf[k] == '-' || std::isdigit(static_cast<unsigned char>(rtf[k])))) {
                ++k;
                while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k]))) ++k;
            }
            const int number = k > j ? std::atoi(rtf.substr(j, k - j).c_str()) : 0;
            if (k < rtf.size() && rtf[k] == ' ') ++k;
            if (skipDepth < 0) {
                if (word == "u") {
                    unsigned code = static_cast<unsigned>(number < 0 ? number + 65536 : number);
                    if (code < 0x800) {
                        out += static_cast<char>(0xC0 | (code >> 6));
                        out += static_cast<char>(0x80 | (code & 0x3F));
                    } else {
                        out += static_cast<char>(0xE0 | (code >> 12));
                        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                        out += static_cast<char>(0x80 | (code & 0x3F));
                    }
                    if (k < rtf.size() && rtf[k] == '?') ++k;  // the fallback character
                } else if (word == "par" || word == "row") {
                    out += '\n';
                } else if (word == "cell") {
                    out += '|';
                }
            }
            i = k;
            continue;
        }
        if (c != '\n' && c != '\r' && skipDepth < 0) out += c;
        ++i;
    }
    return out;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Frame {
    CMkqJsData data;
    CMkqResult result;
    CMkqJiSuan calc;
    Frame() {
        calc.m_pData = &data;
        calc.m_pResult = &result;
    }
    // The report written into a book of its own, as visible text.
    std::string Report() {
        kv::report::CRTF rtf;
        rtf.Open((G_strWorkPath + "report.rtf").c_str());
        EXPECT_EQ(calc.WriteJss(0, &rtf), 1);
        const std::string text = VisibleText(rtf.Rtf());
        rtf.Discard();
        return text;
    }
    std::string Prompt() {
        EXPECT_EQ(calc.WritePrompt(), 1);
        return VisibleText(ReadFile(G_strWorkPath + "Prompt.txt"));
    }
};

void Designed(MkqSideResult& r, int kind) {
    r.CheckKind = kind;
    r.SectionOk = 1;
    r.BendState = r.ShearState = 1;
    r.AsReq = 1000;
    r.AsvReq = 100;
}

TEST(MkqReport, FlatDoorOfCorbelsOnlyHasNoCantileverBlocksNorArchedRows) {
    kv::test::WorkFolder work;
    Frame f;
    for (MkqSideResult& r : f.result.Side) Designed(r, 1);
    const std::string text = f.Report();
    EXPECT_TRUE(Has(text, "(1) 当 C/h0≤1 时，按牛腿根部垂直截面高度验算：")) << text;
    EXPECT_TRUE(Has(text, "(1) 当 C/h0≤1 时，按牛腿计算："));
    EXPECT_FALSE(Has(text, "悬臂梁"));
    EXPECT_FALSE(Has(text, "q(kN/m)"));
    EXPECT_FALSE(Has(text, "z(mm)"));
    EXPECT_FALSE(Has(text, "q/z"));
    EXPECT_FALSE(Has(text, "注意"));
}

TEST(MkqReport, CantileversOnlyNumberTheirBlocksOne) {
    kv::test::WorkFolder work;
    Frame f;
    for (MkqSideResult& r : f.result.Side) Designed(r, 0);
    const std::string text = f.Report();
    EXPECT_TRUE(Has(text, "(1) 当 C/h0>1 时，按悬臂梁截面验算：")) << text;
    EXPECT_TRUE(Has(text, "(1) 当 C/h0>1 时，按悬臂梁计算："));
    EXPECT_FALSE(Has(text, "牛腿"));
}

TEST(MkqReport, ArchedLeftSideWithNegativeZIsWarnedInReportAndSummary) {
    kv::test::WorkFolder work;
    Frame f;
    f.data.DoorType = 1;
    for (MkqSideResult& r : f.result.Side) Designed(r, 1);
    f.result.Side[0].Z = -12;
    f.result.Side[1].Z = 40;
    f.result.Side[0].BendState = 0;  // and an over-reinforced one, listed before it in the summary
    const std::string text = f.Report();
    EXPECT_TRUE(Has(text, "q(kN/m)")) << text;
    EXPECT_TRUE(Has(text, "-12")) << text;
    EXPECT_TRUE(Has(text, "注意：存在 Z<0 情况！"));
    EXPECT_TRUE(Has(text, "注意：存在截面超筋情况！"));
    EXPECT_TRUE(Has(text, "当 左、右截面q/z<1.6fcd 时，按构造配筋"));
    const std::string prompt = f.Prompt();
    EXPECT_TRUE(Has(prompt, "注意：\n1)左截面：超筋！\n2)左截面： Z<0 ！\n")) << prompt;

    // The same on a flat door is no warning.
    f.data.DoorType = 0;
    f.result.Side[0].BendState = 1;
    EXPECT_FALSE(Has(f.Report(), "Z<0"));
    EXPECT_FALSE(Has(f.Prompt(), "注意"));
}

// The colour in force at `at` of an RTF book, as its colour-table entry
// ("\\red255\\green0\\blue0"); empty when none is switched on.
std::string ColourAt(const std::string& rtf, std::size_t at) {
    const std::size_t cf = rtf.rfind("\\cf", at);
    if (cf == std::string::npos) return {};
    const int slot = std::atoi(rtf.c_str() + cf + 3);
    const std::size_t table = rtf.find("{\\colortbl");
    if (table == std::string::npos) return {};
    std::size_t entry = rtf.find(';', table);  // slot 0 is the automatic colour
    for (int k = 0; k < slot && entry != std::string::npos; ++k) {
        const std::size_t next = rtf.find(';', entry + 1);
        if (k == slot - 1) return rtf.substr(entry + 1, next - entry - 1);
        entry = next;
    }
    return {};
}

TEST(MkqReport, ANegativeZOfAnArchedSideIsPrintedInTheFailureColour) {
    kv::test::WorkFolder work;
    Frame f;
    f.data.DoorType = 1;
    for (MkqSideResult& r : f.result.Side) Designed(r, 1);
    f.result.Side[0].Z = -12;
    f.result.Side[1].Z = 40;
    kv::report::CRTF rtf;
    rtf.Open((G_strWorkPath + "report.rtf").c_str());
    ASSERT_EQ(f.calc.WriteJss(0, &rtf), 1);
    const std::string book = rtf.Rtf();
    rtf.Discard();
    const std::size_t row = book.find("z(mm)");
    ASSERT_NE(row, std::string::npos);
    const std::size_t negative = book.find("-12", row), positive = book.find("40", row);
    ASSERT_NE(negative, std::string::npos);
    ASSERT_NE(positive, std::string::npos);
    EXPECT_EQ(ColourAt(book, negative), "\\red255\\green0\\blue0");
    EXPECT_NE(ColourAt(book, positive), "\\red255\\green0\\blue0");
}

TEST(MkqReport, SummaryListsTheFailingSidesWithoutTheLastSeparator) {
    kv::test::WorkFolder work;
    Frame f;
    for (MkqSideResult& r : f.result.Side) Designed(r, 0);
    f.result.Side[0].SectionOk = 0;
    f.result.Side[2].SectionOk = 0;
    EXPECT_TRUE(Has(f.Prompt(), "注意：\n1)左、上截面验算：不满足！\n"));
    EXPECT_TRUE(Has(f.Report(), "注意：存在截面验算不满足情况！"));
}

TEST(MkqReport, ShortAndDenseBarsAtTheirLimits) {
    kv::test::WorkFolder work;
    struct Case {
        float asReqFactor;  // required area over the bars' area
        float depthFactor;  // section depth over area / 25 (ratio 2.5 %)
        bool isShort, dense;
    };
    const Case cases[] = {
        {1.0f, 1.0f, false, false},     // exactly the required area, exactly 2.50 %
        {1.001f, 1.0f, true, false},
        {1.0f, 0.99f, false, true},
    };
    for (const Case& c : cases) {
        Frame f;
        for (MkqSideResult& r : f.result.Side) Designed(r, 0);
        CGangJin bars;
        bars.m_nGrade = f.data.ZongJinGrade;
        ASSERT_EQ(bars.FromString("D25@100"), 1);
        const float area = bars.Area();
        MkqSideResult& r = f.result.Side[1];
        r.AsReq = area * c.asReqFactor;
        f.data.Side[1].h = area / 25.0f * c.depthFactor;
        f.data.Side[1].ha = 0;
        if (c.depthFactor == 1.0f) {
            ASSERT_EQ(area / (10.0f * f.data.Side[1].h), 2.5f);
        }
        std::snprintf(r.Bars[0], sizeof r.Bars[0], "D25@100");
        const std::string text = f.Report();
        EXPECT_EQ(Has(text, "注意：存在 配筋面积 < 计算配筋面积 的情况！"), c.isShort) << c.asReqFactor;
        EXPECT_EQ(Has(text, "注意：存在 纵筋配筋率 > 2.50% 的情况！"), c.dense) << c.depthFactor;
    }
}

// The host's road in a fresh work folder, with the default frame.
TEST(MkqRoad, DefaultFrameWritesResultReportSummaryAndDiagrams) {
    kv::test::EditionGuard edition(2010);
    kv::test::WorkFolder work;
    Frame f;
    f.data.m_strName = "门框墙 1";
    f.data.SetFileName("&KV_0007");
    ASSERT_EQ(RunJiSuanRoad(f.calc), 1);

    CMkqResult back;
    ASSERT_EQ(back.LoadData((work / f.data.GetResFileName()).c_str()), 1);
    EXPECT_FLOAT_EQ(back.Side[0].Qv, 1120.0f);
    EXPECT_STREQ(back.Side[3].Bars[2], f.result.Side[3].Bars[2]);

    const std::string rtfPath = work / f.data.GetJssFileName(0);
    const std::string text = VisibleText(ReadFile(rtfPath));
    EXPECT_TRUE(Has(text, "门框墙 1 门框墙计算")) << text;
    // The design data come between the head and the calculation.
    const std::size_t data = text.find("1 设计资料"), forces = text.find("2.1 内力计算");
    ASSERT_NE(data, std::string::npos) << text;
    ASSERT_NE(forces, std::string::npos);
    EXPECT_LT(data, forces);
    EXPECT_TRUE(Has(text, "V(N/mm)      1120.000     1120.000"));
    EXPECT_TRUE(Has(text, "5) 配筋简图"));
    // The summary: no warnings, the result grid and its units.
    const std::string prompt = VisibleText(ReadFile(work / "Prompt.txt"));
    EXPECT_FALSE(Has(prompt, "注意")) << prompt;
    EXPECT_TRUE(Has(prompt, "M / V|915/1120|915/1120|915/1120|915/1120|")) << prompt;
    EXPECT_TRUE(Has(prompt, "单位：M(kN.mm/mm), V(N/mm), As(mm2/m), ρs(%)"));
    for (int k = 0; k < kMkqDiagramCount; ++k)
        EXPECT_TRUE(work.Exists(f.data.GetJtFileName(k))) << f.data.GetJtFileName(k);

    // The item lists the same files.
    G_MkqGfData.SetFileName("&KV_0007");
    for (int k = 0; k < kMkqDiagramCount; ++k) {
        EXPECT_EQ(G_MkqGfData.GetDxfFileName(k), f.data.GetJtFileName(k));
        EXPECT_EQ(G_MkqGfData.GetRtfFileName(k), f.data.GetJssFileName(0));
    }

    // A word processor opens the report.
    if (std::system("command -v soffice >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is missing; scripts/setup installs them";
    const std::string profile = "-env:UserInstallation=file://" + work.path() + "lo-profile";
    const std::string convert = "cd '" + work.path() + "' && soffice '" + profile +
                                "' --headless --convert-to pdf --outdir pdf '" + rtfPath + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(convert.c_str()), 0);
    const std::string stem = f.data.GetJssFileName(0).substr(0, f.data.GetJssFileName(0).rfind('.'));
    const std::string pdf = work / ("pdf/" + stem + ".pdf");
    ASSERT_TRUE(work.Exists("pdf/" + stem + ".pdf"));
    const std::string toText = "pdftotext '" + pdf + "' '" + work.path() + "report.txt'";
    ASSERT_EQ(std::system(toText.c_str()), 0);
    EXPECT_TRUE(Has(ReadFile(work / "report.txt"), "内力计算"));
}

TEST(MkqRoad, ARefusedCheckWritesNothing) {
    kv::test::WorkFolder work;
    kv::err::Sink old = kv::err::SetSink([](int, const std::string&) {});
    Frame f;
    f.data.SetFileName("&KV_0008");
    f.data.Side[0].L2 = 1000;
    EXPECT_EQ(RunJiSuanRoad(f.calc), 0);
    kv::err::SetSink(std::move(old));
    JS_ERROR_CODE = 0;
    EXPECT_FALSE(work.Exists(f.data.GetResFileName()));
    EXPECT_FALSE(work.Exists(f.data.GetJssFileName(0)));
    EXPECT_FALSE(work.Exists("Prompt.txt"));
}

TEST(MkqRoad, ADataFileInTheFolderIsReadFirst) {
    kv::test::EditionGuard edition(2010);
    kv::test::WorkFolder work;
    Frame f;
    f.data.SetFileName("&KV_0009");
    f.data.Side[2].qi = 500;
    ASSERT_EQ(f.data.SaveData((work / f.data.GetDataFileName()).c_str()), 1);
    f.data.Side[2].qi = 1000;
    ASSERT_EQ(RunJiSuanRoad(f.calc), 1);
    EXPECT_FLOAT_EQ(f.result.Side[2].Qv, 620.0f);
}

}  // namespace
