// The continuous beam's outside load tool: which program RunExtTool starts, and
// the load interface with a stand-in tool that answers in ExOut.ini — the span
// lengths handed over, the loads it returns added or put in place of the old
// ones, no 21st load on a span, and nothing taken when the tool cannot start.
#include "members/beams/ui/dlglxl.h"

#include "base/error.h"
#include "base/globals.h"
#include "members/beams/lxl_data.h"
#include "support/edition_guard.h"
#include "support/error_lines.h"
#include "support/program_folder.h"
#include "widgets/ui/easyinput.h"
#include "widgets/ui/easytableview.h"

#include "dialog_fixture.h"
#include "modal.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

using kv::test::OnNextModal;
using kv::test::RunModal;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class LoadTool : public kv::test::DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        oldProcesses = kv::platform::InstallProcessService(kv::platform::MakeSystemProcessService());
        data = CLxlData();
        data.SpanNum = 3;
        data.Spans[0].Length = 6.0f;
        data.Spans[1].Length = 0.2f;  // the stand-in answers 0 for it
        data.Spans[2].Length = 4.5f;
        data.Spans[0].LoadNum = 2;
        data.Spans[0].Loads[0] = {1, 1, 1, 50.0f, 0, 1.0f, 0};
        data.Spans[0].Loads[1] = {2, 1, 3, 8.0f, 0, 0, 0};
        data.Spans[0].Loads[2] = {3, 2, 6, 1.0f, 2.0f, 0.25f, 0.75f};  // not in use: its kind and sizes stay
    }
    void TearDown() override {
        kv::platform::InstallProcessService(std::move(oldProcesses));
        DialogTest::TearDown();
    }

    void InstallStandIn() {
        program.Write("Quabrel.exe", ReadAll(std::string(KV_TEST_FIXTURES) + "/members/beams/quabrel-standin.sh"));
        ASSERT_EQ(::chmod((program / "Quabrel.exe").c_str(), 0755), 0);
    }
    // Runs the load interface in the dialog; the grid of returned loads is
    // confirmed (after `edit`, if any) and the question answered with `answer`.
    bool RunInterface(int answer, const std::function<void(EasyTableView&)>& edit = {}) {
        messages->Answer(answer);
        bool gridShown = false;
        CDlgLxl dlg;
        dlg.SetData(&data);
        RunModal(dlg, [&] {
            OnNextModal([&](QDialog& grid) {
                gridShown = true;
                title = grid.windowTitle();
                auto* input = qobject_cast<CEasyInput*>(&grid);
                ASSERT_NE(input, nullptr);
                rows = input->View()->rowCount();
                if (edit) edit(*input->View());
                grid.accept();
            });
            dlg.OnLoadInterface();
        });
        return gridShown;
    }

    kv::test::ProgramFolder program;
    kv::test::ConfigHome home;
    kv::test::EditionGuard edition{2010};
    std::unique_ptr<kv::platform::ProcessService> oldProcesses;
    CLxlData data;
    QString title;
    int rows = 0;
};

TEST_F(LoadTool, TheToolFileChoosesTheProgram) {
    auto recording = std::make_unique<kv::platform::RecordingProcessService>();
    kv::platform::RecordingProcessService* processes = recording.get();
    processes->result.started = true;
    processes->result.exitCode = 0;
    kv::platform::InstallProcessService(std::move(recording));
    const struct {
        const char* hubrin;  // null: no tool file; "": no key
        const char* program;
    } cases[] = {
        {nullptr, "Quabrel.exe"},
        {"[Hubrin]\nOther=x\n", "Quabrel.exe"},
        {"[Hubrin]\nQuabrelline= Default \n", "Quabrel.exe"},
        {"[Hubrin]\nQuabrelline=DEFAULT\n", "Quabrel.exe"},
        {"[Hubrin]\nQuabrelline=tools/MyLoads.sh\n", "tools/MyLoads.sh"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hubrin ? c.hubrin : "no file");
        std::remove(home.Config("Hubrin.ini").c_str());
        if (c.hubrin) home.Write("kv/Hubrin.ini", c.hubrin);
        processes->runs.clear();
        EXPECT_EQ(CDlgLxl::RunExtTool("Quabrel.exe", "Quabrelline"), 1);
        ASSERT_EQ(processes->runs.size(), 1u);
        EXPECT_EQ(processes->runs[0].program, program / c.program);
        EXPECT_TRUE(processes->runs[0].args.empty());
    }
    // The built-in program in whatever case it lies in the program folder.
    std::remove(home.Config("Hubrin.ini").c_str());
    program.Write("quabrel.EXE", "");
    processes->runs.clear();
    CDlgLxl::RunExtTool("Quabrel.exe", "Quabrelline");
    ASSERT_EQ(processes->runs.size(), 1u);
    EXPECT_EQ(processes->runs[0].program, program / "quabrel.EXE");
}

TEST_F(LoadTool, AProgramThatCannotStartIsToldAndGivesZero) {
    kv::test::ErrorLines lines;
    EXPECT_EQ(CDlgLxl::RunExtTool("Quabrel.exe", "Quabrelline"), 0);
    EXPECT_TRUE(lines.Has(kv::err::kFailure, "荷载程序运行错误！"));
    ASSERT_FALSE(Shown().empty());
    EXPECT_NE(Shown()[0].find(program / "Quabrel.exe"), std::string::npos) << Shown()[0];
}

TEST_F(LoadTool, NoReplacesEverySpansLoadsByTheToolsUniformLoad) {
    InstallStandIn();
    ASSERT_TRUE(RunInterface(kv::IDNO, [](EasyTableView& grid) { grid.CommitText(3, 2, "9.75"); }));
    EXPECT_EQ(title, "连续梁荷载接口");
    EXPECT_EQ(rows, 3);
    // The lengths handed over, in mm.
    const std::string exchange = ReadAll(home.Config("ExOut.ini"));
    for (const char* line : {"[LXLCC]", "Num=3", "L1=6000", "L2=200", "L3=4500", "q1=12"})
        EXPECT_NE(exchange.find(line), std::string::npos) << line << "\n" << exchange;
    ASSERT_EQ(data.Spans[0].LoadNum, 1);
    EXPECT_EQ(data.Spans[0].Loads[0].Type, 3);
    EXPECT_FLOAT_EQ(data.Spans[0].Loads[0].Q1, 12.0f);
    EXPECT_EQ(data.Spans[1].LoadNum, 0) << "a value below 0.0001 adds no load";
    ASSERT_EQ(data.Spans[2].LoadNum, 1);
    EXPECT_FLOAT_EQ(data.Spans[2].Loads[0].Q1, 9.75f) << "as edited in the grid";
    EXPECT_EQ(Shown().back(), "[是]增加这组荷载\n[否]用这组荷载替代原有荷载(原荷载将丢失)。");
}

TEST_F(LoadTool, YesAppendsAndASpanWithTwentyLoadsGetsNone) {
    InstallStandIn();
    data.Spans[2].LoadNum = kLxlMaxLoads;
    kv::test::ErrorLines lines;
    ASSERT_TRUE(RunInterface(kv::IDYES));
    ASSERT_EQ(data.Spans[0].LoadNum, 3);
    EXPECT_FLOAT_EQ(data.Spans[0].Loads[1].Q1, 8.0f) << "the old loads stay";
    const LXL_LOAD& added = data.Spans[0].Loads[2];
    EXPECT_EQ(added.Type, 3);
    EXPECT_FLOAT_EQ(added.Q1, 12.0f);
    EXPECT_EQ(added.Kind, 2);
    EXPECT_FLOAT_EQ(added.Q2, 2.0f);
    EXPECT_FLOAT_EQ(added.A, 0.25f);
    EXPECT_FLOAT_EQ(added.C, 0.75f);
    EXPECT_EQ(data.Spans[2].LoadNum, kLxlMaxLoads);
    bool named = false;
    for (const auto& line : lines.lines) named = named || line.text.find("第3跨") != std::string::npos;
    EXPECT_TRUE(named) << "the message window names the full span";
}

// An old answer in ExOut.ini is no answer of this run.
TEST_F(LoadTool, AToolThatCannotStartLeavesTheLoadsAsTheyWere) {
    home.Write("kv/ExOut.ini", "[LXLHZ]\nq1=99\nq2=99\nq3=99\n");
    const LXL_FIELDS before = data;
    kv::test::ErrorLines lines;
    EXPECT_FALSE(RunInterface(kv::IDNO));
    EXPECT_TRUE(lines.Has(kv::err::kFailure, "荷载程序运行错误！"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(data.Spans[i].LoadNum, before.Spans[i].LoadNum) << i;
        EXPECT_FLOAT_EQ(data.Spans[i].Loads[0].Q1, before.Spans[i].Loads[0].Q1) << i;
    }
}

// Loads put in place of the old ones: each span shows one of the loads it now has.
TEST_F(LoadTool, ReplacedLoadsLeaveEachSpanOnALoadInUse) {
    InstallStandIn();
    data.Spans[0].CurLoad = 2;
    ASSERT_TRUE(RunInterface(kv::IDNO));
    ASSERT_EQ(data.Spans[0].LoadNum, 1);
    EXPECT_EQ(data.Spans[0].CurLoad, 1);
    EXPECT_EQ(data.Spans[1].CurLoad, 1);
}

// A damaged answer: what is no number a float can hold adds no load, and the
// message window says which value was dropped.
TEST_F(LoadTool, AnswersThatAreNoLoadValuesAddNoLoad) {
    program.Write("Quabrel.exe",
                  "#!/bin/sh\nprintf '[LXLHZ]\\nq1=nan\\nq2=1e99\\nq3=-inf\\n' >>\"$XDG_CONFIG_HOME/kv/ExOut.ini\"\n");
    ASSERT_EQ(::chmod((program / "Quabrel.exe").c_str(), 0755), 0);
    kv::test::ErrorLines lines;
    ASSERT_TRUE(RunInterface(kv::IDNO));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(data.Spans[i].LoadNum, 0) << i;
    for (const char* key : {"q1", "q2", "q3"}) {
        bool named = false;
        for (const auto& line : lines.lines) named = named || line.text.find(key) != std::string::npos;
        EXPECT_TRUE(named) << key;
    }
}

// The span lengths cannot be handed over: the tool is not started on what an
// earlier run left in the exchange file.
TEST_F(LoadTool, AnExchangeFileThatCannotBeWrittenStopsBeforeTheTool) {
    auto recording = std::make_unique<kv::platform::RecordingProcessService>();
    kv::platform::RecordingProcessService* processes = recording.get();
    kv::platform::InstallProcessService(std::move(recording));
    home.Write("kv", "");  // a file where the configuration folder should be
    const LXL_FIELDS before = data;
    EXPECT_FALSE(RunInterface(kv::IDNO));
    EXPECT_TRUE(processes->runs.empty());
    ASSERT_FALSE(Shown().empty());
    EXPECT_EQ(Shown().back(), "不能保存文件 : " + home.Config("ExOut.ini"));
    EXPECT_EQ(data.Spans[0].LoadNum, before.Spans[0].LoadNum);
}

}  // namespace
