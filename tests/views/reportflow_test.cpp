// A calculation's output as the engineer sees it: the module writes a drawing and
// a text report with a drawing block; the report view shows the RTF with the
// drawing as a picture and the drawing view shows the drawing.
#include "base/globals.h"
#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "platform/services.h"
#include "report/script.h"
#include "report/ui/rtfreader.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"
#include "views/bbdoc.h"
#include "views/bbview.h"
#include "views/cxview.h"
#include "views/findreplace.h"
#include "views/reportpictures.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QUrl>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QMenu>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

int CountImages(QTextDocument* doc) {
    int images = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) ++images;
    return images;
}

class ReportFlow : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        InstallReportPictureMaker();
        G_strWorkPath = dir.path();
        auto files = std::make_unique<kv::platform::ScriptedFileDialogService>();
        dialogs = files.get();
        oldDialogs = kv::platform::InstallFileDialogService(std::move(files));
        doc = std::make_unique<CBbDoc_KV>();
        drawing = std::make_unique<CCxView_KV>(doc.get());
        report = std::make_unique<CBbView_KV>(doc.get());
    }
    void TearDown() override {
        report.reset();
        drawing.reset();
        kv::platform::InstallFileDialogService(std::move(oldDialogs));
        G_strWorkPath.clear();
    }
    void WriteSketch(const std::string& name) {
        CBase_SGT dxf;
        dxf.New_MemDxf();
        dxf.Draw_Line(0, 0, 6000, 0);
        dxf.Draw_Line(6000, 0, 6000, 3000);
        dxf.Draw_Text(1000, 1000, 350, 0, "顶板配筋图");
        ASSERT_TRUE(dxf.Write_MemDxf_To_File((dir / name).c_str()));
    }

    kv::test::TempFolder dir;
    kv::platform::ScriptedFileDialogService* dialogs = nullptr;
    std::unique_ptr<kv::platform::FileDialogService> oldDialogs;
    std::unique_ptr<CBbDoc_KV> doc;
    std::unique_ptr<CCxView_KV> drawing;
    std::unique_ptr<CBbView_KV> report;
};

TEST_F(ReportFlow, ATextReportWithADrawingBlockShowsTheDrawingAsAPicture) {
    WriteSketch("&KV_0001_PJ.DXF");
    std::FILE* f = open_file((dir / "&KV_0001.RTF").c_str(), "wt");
    ASSERT_NE(f, nullptr);
    std::fprintf(f, "一、计算条件\n");
    VanjoroScript(f, "InsertDxf=&KV_0001_PJ.DXF");  // relative to the work folder
    std::fprintf(f, "二、计算结果\n");
    ASSERT_EQ(commit_file(f), 0);
    ASSERT_TRUE(TextToRtf((dir / "&KV_0001.RTF").c_str()));
    EXPECT_EQ(dir.Read("&KV_0001.RTF").substr(0, 5), "{\\rtf");

    report->ReadFile(dir / "&kv_0001.rtf");
    report->RunScripts();
    QString text = report->toPlainText();
    EXPECT_TRUE(text.contains("一、计算条件"));
    EXPECT_TRUE(text.contains("二、计算结果"));
    EXPECT_FALSE(text.contains("VanjoroScript"));
    EXPECT_EQ(CountImages(report->document()), 1);
    ASSERT_NE(doc->GetDxf(), nullptr);  // the drawing view shows the block's drawing

    // Saved and read again, the picture stays.
    ASSERT_TRUE(report->SaveAs(dir / "saved.RTF"));
    CBbDoc_KV other;
    CBbView_KV again(&other);
    again.ReadFile(dir / "saved.RTF");
    EXPECT_EQ(CountImages(again.document()), 1);
    EXPECT_TRUE(again.toPlainText().contains("二、计算结果"));
}

// A report's picture stays in the file's compressed bytes and is decoded where
// it is drawn.
TEST_F(ReportFlow, APictureIsDrawnFromTheBytesTheReportHolds) {
    QImage red(40, 30, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(red.save(&buffer, "PNG"));
    dir.Write("p.RTF", "{\\rtf1 {\\pict\\pngblip\\picwgoal1200\\pichgoal900 " + png.toHex().toStdString() + "}}");
    report->resize(300, 200);
    report->ReadFile(dir / "p.RTF");
    ASSERT_EQ(CountImages(report->document()), 1);
    QTextCursor at(report->document());
    at.setPosition(1);
    const QString name = at.charFormat().toImageFormat().name();
    EXPECT_EQ(report->document()->resource(QTextDocument::ImageResource, QUrl(name)).toByteArray(), png);

    const QImage shown = report->viewport()->grab().toImage();
    int redPixels = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) redPixels += shown.pixelColor(x, y) == QColor(Qt::red);
    EXPECT_GT(redPixels, 70 * 50) << "drawn at 80 x 60 pixels";
}

TEST_F(ReportFlow, AMissingReportOrDrawingLeavesTheViewsQuiet) {
    // Nor does a name that is no report file: a pipe nobody writes to, a device.
    ASSERT_EQ(::mkfifo((dir / "pipe.RTF").c_str(), 0600), 0);
    for (std::string name : {dir / "missing.RTF", dir / "pipe.RTF", std::string("/dev/zero")}) {
        report->setPlainText("old");
        EXPECT_FALSE(report->ReadFile(name)) << name;
        EXPECT_EQ(report->toPlainText(), "old") << name;
    }

    WriteSketch("a.DXF");
    drawing->LoadDxf(dir / "a.DXF");
    ASSERT_NE(doc->GetDxf(), nullptr);
    drawing->LoadDxf(dir / "missing.DXF");
    ASSERT_NE(doc->GetDxf(), nullptr);  // an empty drawing, no message
    CFRect r;
    EXPECT_EQ(doc->GetDxf()->GetFRect(r), 0);
    drawing->ClearDxf();
    EXPECT_EQ(doc->GetDxf(), nullptr);
    EXPECT_EQ(drawing->CopyToClipboard(), 0);
}

TEST_F(ReportFlow, DrawingsAreSavedAndReadThroughTheFileDialogs) {
    WriteSketch("a.DXF");
    drawing->LoadDxf(dir / "a.DXF");
    dialogs->Answer(dir / "copy.DXF");
    drawing->OnSaveDxf();
    EXPECT_FALSE(dir.Read("copy.DXF").empty());
    drawing->ClearDxf();
    dialogs->Answer(dir / "copy.DXF");
    drawing->OnReadDxf();
    ASSERT_NE(doc->GetDxf(), nullptr);
    CFRect r;
    ASSERT_EQ(doc->GetDxf()->GetFRect(r), 1);
    EXPECT_NEAR(r.right - r.left, 6000, 1);
    // Cancelled dialogs do nothing.
    drawing->OnSaveDxf();
    drawing->OnReadDxf();
    EXPECT_NE(doc->GetDxf(), nullptr);
}

TEST_F(ReportFlow, PlainTextReportsSaveAsTextWithTheirLastLine) {
    dir.Write("r.txt", "\xB5\xDA\xD2\xBB\xD0\xD0\r\nlast");  // 第一行 / last, no line end
    report->ReadFile(dir / "r.txt");
    EXPECT_EQ(report->toPlainText(), "第一行\nlast");
    dialogs->Answer(dir / "out.TXT");
    report->OnSaveAsText();
    EXPECT_EQ(dir.Read("out.TXT"), "\xB5\xDA\xD2\xBB\xD0\xD0\nlast");
}

TEST_F(ReportFlow, ALoadedReportIsNoEditToUndoAndNotModified) {
    dir.Write("r.txt", "\xB5\xDA\xD2\xBB\xD0\xD0\r\nlast");
    dir.Write("r.rtf", "{\\rtf1 first\\par last}");
    for (const char* name : {"r.txt", "r.rtf"}) {
        report->setPlainText("typed by the user");
        report->ReadFile(dir / name);
        EXPECT_TRUE(report->toPlainText().endsWith("last")) << name;
        EXPECT_FALSE(report->document()->isUndoAvailable()) << name << ": undo would empty the report";
        EXPECT_FALSE(report->document()->isModified()) << name;
        EXPECT_FALSE(doc->IsModified()) << name;
    }
}

TEST_F(ReportFlow, TheContextMenuIsTheTextEditingMenu) {
    QMenu menu;
    report->BuildContextMenu(menu);
    QStringList texts;
    for (QAction* a : menu.actions())
        if (!a->isSeparator()) texts << a->text();
    const QStringList expected = {"恢复\tCtrl+Z", "剪切\tCtrl+X", "拷贝\tCtrl+C", "粘贴\tCtrl+V", "特别粘贴",
                                  "删除选择的文字", "全选", "跳到指定行", "寻找\tCtrl+F", "寻找下一个\tF3",
                                  "替换\tCtrl+H", "插入对象", "连接对象", "对象属性\tAlt+Enter", "字体与颜色设置",
                                  "读入RTF文件", "保存RTF文件", "更名保存RTF文件", "保存文件为文本文件"};
    EXPECT_EQ(texts.join(" | ").toStdString(), expected.join(" | ").toStdString());
    for (QAction* a : menu.actions()) {
        const bool objectCommand = a->text() == "插入对象" || a->text() == "连接对象" || a->text().startsWith("对象属性");
        if (objectCommand) {
            EXPECT_FALSE(a->isEnabled()) << a->text().toStdString() << ": no object linking here";
        }
    }
}

TEST_F(ReportFlow, TheFontDialogKeepsWhatTheUserDidNotChange) {
    QTextCharFormat current;
    current.setFontFamilies({"宋体", "WenQuanYi Micro Hei Mono"});
    current.setFontPointSize(10.5);  // the reports' own size
    CFontColorDlg dlg(report.get(), current);
    dlg.SetColor(Qt::red);
    QTextCharFormat chosen = dlg.Format();
    EXPECT_DOUBLE_EQ(chosen.fontPointSize(), 10.5);
    EXPECT_EQ(chosen.fontFamilies().toStringList(), current.fontFamilies().toStringList())
        << "the fixed-pitch stand-in keeps the report's columns";
    EXPECT_EQ(chosen.foreground().color(), QColor(Qt::red));
}

TEST_F(ReportFlow, PastedRichTextFromAWordProcessorKeepsItsColours) {
    auto* data = new QMimeData;
    data->setData("text/rtf", "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf1 red\\cf0  plain}");
    data->setText("red plain");
    QApplication::clipboard()->setMimeData(data);
    report->setPlainText("");
    report->paste();
    EXPECT_EQ(report->toPlainText(), "red plain");
    QTextCursor at(report->document());
    at.setPosition(1);
    EXPECT_EQ(at.charFormat().foreground().color(), QColor(255, 0, 0));

    EXPECT_EQ(report->textCursor().position(), 9) << "the caret follows the pasted text";
    report->undo();
    EXPECT_EQ(report->toPlainText(), "") << "a paste is undone like any edit";

    report->PasteSpecial();  // the plain text only
    EXPECT_EQ(report->toPlainText(), "red plain");
}

TEST_F(ReportFlow, CopiedTextGoesOutAsRtfWithItsPictures) {
    WriteSketch("a.DXF");
    std::FILE* f = open_file((dir / "r.RTF").c_str(), "wt");
    ASSERT_NE(f, nullptr);
    std::fprintf(f, "before\n");
    VanjoroScript(f, "InsertDxf=a.DXF");
    VanjoroScript_Text(f, "红字\n", 255, 1.0);
    ASSERT_EQ(commit_file(f), 0);
    ASSERT_TRUE(TextToRtf((dir / "r.RTF").c_str()));
    report->ReadFile(dir / "r.RTF");
    report->RunScripts();
    report->selectAll();
    report->copy();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasFormat("text/rtf")) << "a word processor takes the report with its pictures";
    QTextDocument pasted;
    ASSERT_TRUE(kv::report::ui::ReadRtf(data->data("text/rtf"), &pasted));
    EXPECT_EQ(CountImages(&pasted), 1);
    QTextCursor red = pasted.find("红字");
    ASSERT_FALSE(red.isNull());
    EXPECT_EQ(red.charFormat().foreground().color(), QColor(255, 0, 0));
}

TEST_F(ReportFlow, FindAndReplaceWorkOnTheReport) {
    report->setPlainText("地下室顶板\n顶板厚度 250\n");
    CFindReplaceDlg dlg(report.get(), true);
    dlg.SetFindText("顶板");
    ASSERT_TRUE(dlg.FindNext());
    EXPECT_EQ(report->textCursor().selectionStart(), 3);
    ASSERT_TRUE(dlg.FindNext());
    EXPECT_EQ(report->textCursor().selectionStart(), 6);
    ASSERT_TRUE(dlg.FindNext());  // round again from the start
    EXPECT_EQ(report->textCursor().selectionStart(), 3);
    dlg.findChild<QLineEdit*>("replace")->setText("底板");
    EXPECT_EQ(dlg.ReplaceAll(), 2);
    EXPECT_EQ(report->toPlainText(), "地下室底板\n底板厚度 250\n");
    dlg.SetFindText("墙");
    EXPECT_FALSE(dlg.FindNext());
}

}  // namespace
