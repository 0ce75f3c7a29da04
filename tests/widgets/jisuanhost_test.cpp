#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/jsdata.h"
#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "report/rtf.h"
#include "support/work_folder.h"
#include "widgets/jisuanhost.h"

namespace {

// A data object with three diagrams whose file holds one number.
class Data : public CJsDataBase {
public:
    Data() {
        m_strDataName = "T";
        m_strStem = "&KV_0001";
        m_nJtNum = 3;
    }
    int LoadData(const char* path) override {
        std::FILE* fp = open_file(path, "rt");
        if (!fp) return 0;
        const int read = std::fscanf(fp, "%d", &value);
        close_file(fp);
        return read == 1;
    }
    int SaveData(const char* path) override {
        std::FILE* fp = open_file(path, "wt");
        if (!fp) return 0;
        std::fprintf(fp, "%d\n", value);
        return commit_file(fp) == 0;
    }
    int value = 1;
};

class Result : public CJsResultBase {
public:
    int SaveData(const char* path) override {
        std::FILE* fp = open_file(path, "wt");
        if (!fp) return 0;
        std::fprintf(fp, "result\n");
        return commit_file(fp) == 0;
    }
};

// Records the host's calls; each diagram draws a line of its number's length,
// and the report says which value it was computed from.
class Calculation : public CJiSuanBase {
public:
    int CheckData() override { return Step("check", checks); }
    int JiSuan() override {
        computedFrom = static_cast<Data*>(m_pData)->value;
        return Step("calculate", computes);
    }
    int DrawResult(int k, CBase_SGT* drawing, int) override {
        calls.push_back("draw " + std::to_string(k));
        // The report may show the diagrams: none is written after it.
        drawing->Write_Line(0, 0, static_cast<float>(k + 1), 0);
        return k != 1;  // diagram 1 has nothing to show
    }
    int WriteJss(int, kv::report::CRTF* report) override {
        calls.push_back("report");
        report->InsertText("value %d\n", computedFrom);
        return 1;
    }
    int WritePrompt() override {
        calls.push_back("prompt");
        return 1;
    }
    int Step(const char* name, int answer) {
        calls.push_back(name);
        return answer;
    }
    int checks = 1, computes = 1, computedFrom = 0;
    std::vector<std::string> calls;
};

struct Host {
    Data data;
    Result result;
    Calculation calc;
    Host() {
        calc.m_pData = &data;
        calc.m_pResult = &result;
    }
};

TEST(JiSuanRoad, RunsTheStepsInOrderAndWritesEveryFile) {
    kv::test::WorkFolder work;
    Host h;
    ASSERT_EQ(RunJiSuanRoad(h.calc), 1);
    const std::vector<std::string> expected = {"check", "calculate", "draw 0", "draw 1", "draw 2", "report", "prompt"};
    EXPECT_EQ(h.calc.calls, expected);
    EXPECT_EQ(work.Read(h.data.GetResFileName()), "result\n");
    // A diagram with nothing to show leaves no file.
    EXPECT_TRUE(work.Exists(h.data.GetJtFileName(0)));
    EXPECT_FALSE(work.Exists(h.data.GetJtFileName(1)));
    CBase_SGT back;
    ASSERT_EQ(back.Read_FileDxf_To_Mem((work / h.data.GetJtFileName(2)).c_str()), 1);
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    back.GetFRect(&x1, &y1, &x2, &y2);
    EXPECT_FLOAT_EQ(x2 - x1, 3.0f);
    EXPECT_NE(work.Read(h.data.GetJssFileName(0)).find("value 1"), std::string::npos);
}

TEST(JiSuanRoad, TakesTheDataFileWhenThereIsOne) {
    kv::test::WorkFolder work;
    Host h;
    work.Write(h.data.GetDataFileName(), "7\n");
    ASSERT_EQ(RunJiSuanRoad(h.calc), 1);
    EXPECT_EQ(h.calc.computedFrom, 7);
    EXPECT_NE(work.Read(h.data.GetJssFileName(0)).find("value 7"), std::string::npos);
}

TEST(JiSuanRoad, ARefusedOrFailedCalculationWritesNothing) {
    for (bool refused : {true, false}) {
        kv::test::WorkFolder work;
        Host h;
        (refused ? h.calc.checks : h.calc.computes) = 0;
        EXPECT_EQ(RunJiSuanRoad(h.calc), 0);
        EXPECT_EQ(h.calc.calls.back(), refused ? "check" : "calculate");
        EXPECT_EQ(work.List(), "") << refused;
    }
}

TEST(JiSuanRoad, WithoutItsObjectsNothingRuns) {
    kv::test::WorkFolder work;
    Calculation calc;
    EXPECT_EQ(RunJiSuanRoad(calc), 0);
    EXPECT_TRUE(calc.calls.empty());
}

}  // namespace
