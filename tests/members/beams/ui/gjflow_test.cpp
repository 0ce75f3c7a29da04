// A rigid-frame item from 新增: the command makes the object the
// civil-air-defence frame, the stand-in geometry editor leaves the item's model
// in the project folder, and 刚架计算 stores the item with its seven diagrams.
#include "members/beams/ui/dlggj.h"

#include "app/commandids.h"
#include "base/error.h"
#include "base/jsdata.h"
#include "members/beams/gj_data.h"
#include "project/ui/modulecommands.h"

#include "flow_support.h"
#include "modal.h"

#include <QPushButton>

#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

using kv::test::Click;
using kv::test::OnNextModal;
using kv::test::SetField;

constexpr int kGjRow = 10;  // 刚架 in the basement set

class GjFlow : public kv::test::ItemFlow {
protected:
    GjFlow() : ItemFlow(0) {}
    void SetUp() override {
        G_GjData = CGjData();
        JS_ERROR_CODE = 0;
        ItemFlow::SetUp();
        oldProcesses = kv::platform::InstallProcessService(kv::platform::MakeSystemProcessService());
        // As the program installs it.
        SetModuleCommand(32830, [](CMainFrame& f) {
            G_GjData.m_nRenFang = 1;
            G_GjData.m_nInsertResultDiagrams = 1;
            G_GjData.m_nInsertSchemeDiagram = 1;
            RunModuleCommand(f, G_GjData, RunGjDialog, {.showDiagramsAfterSingleRun = true});
        });
        std::ifstream in(std::string(KV_TEST_FIXTURES) + "/members/beams/ostvik-standin.sh", std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        program.Write("Ostvik.Exe", bytes.str());
        ASSERT_EQ(::chmod((program / "Ostvik.Exe").c_str(), 0755), 0);
    }
    void TearDown() override {
        SetModuleCommand(32830, {});
        kv::platform::InstallProcessService(std::move(oldProcesses));
        ItemFlow::TearDown();
    }
    std::unique_ptr<kv::platform::ProcessService> oldProcesses;
};

TEST_F(GjFlow, NewItemGetsItsModelFromTheEditorAndIsStoredWithSevenDiagrams) {
    CSplitterFrame* window = Window(kGjRow);
    ASSERT_NE(window, nullptr);
    QString caption;
    OnNextModal([&](QDialog& dlg) {
        caption = dlg.windowTitle();
        SetField(dlg, 3087, "人防刚架 GJ-1");
        Click(dlg, 1136);
        Click(dlg, 1129);
    });
    window->findChild<QPushButton*>(QString::number(kv::cmd::kAddItem))->click();
    EXPECT_EQ(caption, "刚架计算");
    EXPECT_EQ(G_GjData.m_nRenFang, 1);
    EXPECT_EQ(G_GjData.m_nInsertResultDiagrams, 1);
    EXPECT_EQ(G_GjData.m_nInsertSchemeDiagram, 1);
    EXPECT_TRUE(dir.Exists("&KV_0001_KV_StrLdA-1.DAT"));

    ASSERT_TRUE(dir.Exists("&KV_0001.dat"));
    EXPECT_EQ(ReadItemNameFromFile((dir / "&KV_0001.dat").c_str()), "人防刚架 GJ-1");
    std::vector<ChaXunEntry> entries = ReadChaXunFromFile((dir / "&KV_0001.dat").c_str());
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries[0].title, "计算简图");
    EXPECT_EQ(entries[0].dxf, "&KV_0001_JT_GJ.DXF");
    EXPECT_EQ(entries[6].dxf, "&KV_0001_ALL_GJ.DXF");
    EXPECT_EQ(entries[6].rtf, "&KV_0001_GJ.RTF");
    EXPECT_EQ(G_Project.m_nCount[kGjRow], 1);
}

}  // namespace
