// The shell's drawing view over a document's drawing: first showing, saving and
// reading DXF files, clearing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>

#include "base/error.h"
#include "drawing/base_sgt.h"
#include "platform/services.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"
#include "views/bbdoc.h"
#include "views/cxview.h"

namespace {

class DrawingViewOfADocument : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        auto files = std::make_unique<kv::platform::ScriptedFileDialogService>();
        dialogs = files.get();
        oldDialogs = kv::platform::InstallFileDialogService(std::move(files));
    }
    void TearDown() override { kv::platform::InstallFileDialogService(std::move(oldDialogs)); }
    // A drawing of `lines` parallel lines, 6000 by 3000.
    void WriteSketch(const std::string& name, int lines) {
        CBase_SGT d;
        for (int i = 0; i < lines; ++i) d.Draw_Line(0, 3000.0f * i / std::max(lines - 1, 1), 6000, 0);
        ASSERT_EQ(d.Write_MemDxf_To_File((dir / name).c_str()), 1);
    }

    kv::test::TempFolder dir;
    kv::platform::ScriptedFileDialogService* dialogs = nullptr;
    std::unique_ptr<kv::platform::FileDialogService> oldDialogs;
    CBbDoc_KV doc;
};

TEST_F(DrawingViewOfADocument, FirstShowingShowsTheWholeDrawing) {
    // A drawing loaded while the window is still being built is fitted again
    // once the view has its real size.
    WriteSketch("a.dxf", 2);
    CCxView_KV view(&doc);
    view.LoadDxf(dir / "a.dxf");
    view.resize(600, 400);
    view.show();
    QApplication::processEvents();
    double x0, y0, x1, y1;
    view.Coor().FPtoDP(0, 3000, x0, y0);
    view.Coor().FPtoDP(6000, 0, x1, y1);
    EXPECT_GE(x0, 0);
    EXPECT_LE(x1, 600);
    EXPECT_GT(x1 - x0, 0.8 * 600);
}

TEST_F(DrawingViewOfADocument, EntitiesNotDrawnAreCountedInTheMessageWindow) {
    CCxView_KV view(&doc);
    kv::err::ClearRecentLines();
    const std::string foreign = KV_TEST_FIXTURES "/drawing/foreign_entities.dxf";
    view.LoadDxf(foreign);
    ASSERT_NE(doc.GetDxf(), nullptr);
    EXPECT_EQ(doc.GetDxf()->Entities().size(), 4u);
    ASSERT_EQ(kv::err::RecentLines().size(), 1u);
    EXPECT_EQ(kv::err::RecentLines()[0].code, kv::err::kNotice);  // brings the window up
    EXPECT_EQ(kv::err::RecentLines()[0].text,
              "图形文件 " + foreign + " 中有 3 个图元不能显示 (HATCH 1个, INSERT 1个, SPLINE 1个)。");

    // A drawing of our own, or none at all, says nothing.
    kv::err::ClearRecentLines();
    WriteSketch("a.dxf", 2);
    view.LoadDxf(dir / "a.dxf");
    view.LoadDxf(dir / "missing.dxf");
    EXPECT_TRUE(kv::err::RecentLines().empty());
}

TEST_F(DrawingViewOfADocument, SaveWritesThePathAsChosenAndReadRereads) {
    WriteSketch("a.dxf", 2);
    CCxView_KV view(&doc);
    view.LoadDxf(dir / "a.dxf");
    dialogs->Answer(dir / "copy");
    view.OnSaveDxf();
    ASSERT_EQ(dialogs->requests().size(), 1u);
    EXPECT_EQ(dialogs->requests()[0].filter, "AutoCAD交换文件(*.DXF)|*.DXF||");
    EXPECT_EQ(dialogs->requests()[0].defaultExt, "");  // no extension is added
    DXF back;
    ASSERT_EQ(back.Read_FileDxf_To_Mem((dir / "copy").c_str()), 1);
    EXPECT_EQ(back.Entities().size(), 2u);

    // The same file read again shows what it holds now.
    WriteSketch("a.dxf", 5);
    dialogs->Answer(dir / "a.dxf");
    view.OnReadDxf();
    ASSERT_NE(doc.GetDxf(), nullptr);
    EXPECT_EQ(doc.GetDxf()->Entities().size(), 5u);

    // After clearing there is nothing to save or copy: no file, clipboard kept.
    view.OnClear();
    EXPECT_EQ(doc.GetDxf(), nullptr);
    dialogs->Answer(dir / "none.dxf");
    view.OnSaveDxf();
    EXPECT_EQ(dir.Read("none.dxf"), "");
    QApplication::clipboard()->setText("kept");
    EXPECT_EQ(view.CopyToClipboard(), 0);
    EXPECT_EQ(QApplication::clipboard()->text(), "kept");
}

}  // namespace
