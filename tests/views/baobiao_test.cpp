// The combined report of a project and the hand-over of reports and drawings to
// the word processor and the CAD insertion tool.
#include "app/commandids.h"
#include "app/moduletable.h"
#include "base/globals.h"
#include "platform/profile.h"
#include "platform/services.h"
#include "platform/textfile.h"
#include "platform/ui/qtservices.h"
#include "project/project.h"
#include "report/ui/rtfreader.h"
#include "support/env_guard.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"
#include "views/bbdoc.h"
#include "views/bbframe.h"
#include "views/bbview.h"
#include "views/wordcad.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QProgressBar>
#include <QStandardPaths>
#include <QTimer>
#include <QSignalSpy>
#include <QToolBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <sys/stat.h>
#include <memory>
#include <optional>
#include <vector>

namespace {

using kv::test::TempFolder;

// "\'hh" escapes for the GBK bytes of a UTF-8 text.
std::string RtfText(const std::string& utf8) {
    QByteArray gbk;
    for (QChar c : QString::fromStdString(utf8)) {
        if (c.unicode() < 128) {
            gbk += char(c.unicode());
            continue;
        }
        // Only the few characters the fixtures use.
        static const std::pair<const char*, const char*> table[] = {
            {"封", "\\'b7\\'e2"}, {"面", "\\'c3\\'e6"}, {"顶", "\\'b6\\'a5"}, {"板", "\\'b0\\'e5"},
            {"外", "\\'cd\\'e2"}, {"墙", "\\'c7\\'bd"}, {"梁", "\\'c1\\'ba"}};
        bool found = false;
        for (const auto& [ch, esc] : table)
            if (QString::fromUtf8(ch) == QString(c)) gbk += esc, found = true;
        EXPECT_TRUE(found) << "no escape for " << QString(c).toStdString();
    }
    return gbk.toStdString();
}

std::string Rtf(const std::string& body) { return "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0 Song;}}\\f0 " + body + "}"; }

// A 4 x 3 red PNG picture, in the hexadecimal digits of an RTF file.
std::string PngHex() {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png.toHex().toStdString();
}

// An RTF report holding one text paragraph and the picture.
std::string RtfWithPicture(const std::string& text) {
    return Rtf(RtfText(text) + "\\par {\\pict\\pngblip\\picw4\\pich3 " + PngHex() + "}\\par");
}

int CountImages(const QTextDocument& doc) {
    int images = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) ++images;
    return images;
}

// The saved file has no empty paragraph after the last heading's line break.
std::string WithoutLastBreak(std::string text) {
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

std::string Headings(int from, int to) {
    std::string text;
    for (int i = from; i < to; ++i) text += CBbFrame::ModuleHeading(i);
    return text;
}

class BaoBiaoTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        work.MakeCurrent();
        G_strWorkPath = work.path();
        G_strExePath = program.path();
        savedModuleNum = G_ModuleNum;
        G_Project = CProject{};
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        messages = scripted.get();
        oldMessages = kv::platform::InstallMessageService(std::move(scripted));
        auto recording = std::make_unique<kv::platform::RecordingProcessService>();
        processes = recording.get();
        oldProcesses = kv::platform::InstallProcessService(std::move(recording));
        frame = std::make_unique<CBbFrame>();
        G_pBbView = frame->ReportView();
    }
    void TearDown() override {
        frame.reset();
        kv::platform::InstallMessageService(std::move(oldMessages));
        kv::platform::InstallProcessService(std::move(oldProcesses));
        G_ModuleNum = savedModuleNum;
        G_Project = CProject{};
        G_strWorkPath.clear();
        G_strExePath.clear();
    }
    // Item `no` of module `row`, its query lines naming `reports` in order.
    void AddItem(int row, int no, const std::vector<std::string>& reports) {
        auto r = static_cast<std::size_t>(row);
        G_Project.m_nSelected[r] = 1;
        G_Project.m_nItemNo[r][static_cast<std::size_t>(G_Project.m_nCount[r]++)] = no;
        std::string data = "##Name,item\r\n";
        for (const std::string& report : reports) data += "##ChaXun,diagram," + report + ".DXF," + report + "\r\n";
        if (!reports.empty() || no != 0) work.Write(CProject::ItemFileName(no), data);
    }
    QString Made() const { return frame->ReportView()->toPlainText(); }
    // The cover the program comes with, in the program folder.
    bool InstallShippedCover() const {
        std::FILE* f = std::fopen(KV_TEST_FIXTURES "/../../resources/FM.RTF", "rb");
        if (!f) return false;
        std::string bytes;
        for (int c; (c = std::fgetc(f)) != EOF;) bytes += static_cast<char>(c);
        std::fclose(f);
        program.Write("FM.RTF", bytes);
        return true;
    }
    std::string SavedText() const {
        QTextDocument doc;
        EXPECT_TRUE(kv::report::ui::ReadRtf(QByteArray::fromStdString(work.Read("BaoBiao.RTF")), &doc));
        return doc.toPlainText().toStdString();
    }

    TempFolder work, program;
    int savedModuleNum = 0;
    kv::platform::ScriptedMessageService* messages = nullptr;
    kv::platform::RecordingProcessService* processes = nullptr;
    std::unique_ptr<kv::platform::MessageService> oldMessages;
    std::unique_ptr<kv::platform::ProcessService> oldProcesses;
    std::unique_ptr<CBbFrame> frame;
};

TEST_F(BaoBiaoTest, WithoutSelectedModulesTheReportIsTheCoverAndEveryHeading) {
    program.Write("FM.RTF", Rtf("{\\b " + RtfText("封面") + "}\\par"));
    G_ModuleNum = 18;  // rows 16 and 17 have no heading
    frame->OnCmdMsg(kv::cmd::kMakeBaoBiao, nullptr);

    // The view shows what the file holds.
    const std::string expected = WithoutLastBreak("封面" + Headings(0, 16));
    EXPECT_EQ(Made().toStdString(), expected);
    EXPECT_EQ(SavedText(), expected);
    EXPECT_EQ(frame->GetDocument()->GetTitle().toStdString(), "BaoBiao.RTF");
    EXPECT_TRUE(messages->shown().empty());

    // The cover keeps its format; headings are 18-point black.
    QTextDocument* doc = frame->ReportView()->document();
    QTextBlock cover = doc->begin();
    EXPECT_EQ(cover.begin().fragment().charFormat().fontWeight(), QFont::Bold);
    QTextCursor heading(doc);
    heading.setPosition(doc->find("人防地下室外墙计算").selectionStart() + 1);
    EXPECT_DOUBLE_EQ(heading.charFormat().fontPointSize(), 18.0);
    EXPECT_EQ(heading.charFormat().foreground().color(), QColor(Qt::black));
}

TEST_F(BaoBiaoTest, SelectedModulesAddTheFirstReportOfEachItemInTableOrder) {
    program.Write("FM.RTF", Rtf(RtfText("封面") + "\\par"));
    G_ModuleNum = 3;
    AddItem(1, 7, {"&KV_0007.RTF", "&KV_0007_2.RTF"});  // only the first report goes in
    AddItem(1, 2, {"&kv_0002.rtf"});                       // the file is "&KV_0002.RTF"
    AddItem(1, 9, {});                                     // no query lines
    AddItem(1, 4, {"&KV_0004.RTF"});                       // report file missing
    AddItem(1, 5, {"&KV_0005.OUT"});                       // a plain-text report
    AddItem(1, 6, {});
    std::filesystem::remove(work / CProject::ItemFileName(6));  // item file missing
    work.Write("&KV_0007.RTF", RtfWithPicture("外墙"));
    work.Write("&KV_0007_2.RTF", Rtf("second\\par"));
    work.Write("&KV_0002.RTF", Rtf(RtfText("梁") + "\\par"));
    work.Write("&KV_0005.OUT", "plain 5\r\n");
    // Items of modules that are not selected stay out.
    G_Project.m_nItemNo[2][0] = 8;
    G_Project.m_nCount[2] = 1;
    work.Write("&KV_0008.DAT", "##ChaXun,d,a.DXF,&KV_0008.RTF\r\n");
    work.Write("&KV_0008.RTF", Rtf("module 3\\par"));

    frame->OnMakeBaoBiao();

    std::string text = Made().toStdString();
    EXPECT_EQ(text.find("second"), std::string::npos);
    EXPECT_EQ(text.find("module 3"), std::string::npos);
    const std::string start = "封面" + Headings(0, 2);
    ASSERT_EQ(text.substr(0, start.size()), start);
    // After the second heading: item 7's report (with its picture), item 2's, item 5's.
    std::string rest = text.substr(start.size());
    EXPECT_EQ(rest.find("外墙"), 0u) << rest;
    EXPECT_LT(rest.find("外墙"), rest.find("梁"));
    EXPECT_LT(rest.find("梁"), rest.find("plain 5"));
    EXPECT_LT(rest.find("plain 5"), rest.find(CBbFrame::ModuleHeading(2)));
    EXPECT_EQ(CountImages(*frame->ReportView()->document()), 1);
    QTextDocument saved;
    ASSERT_TRUE(kv::report::ui::ReadRtf(QByteArray::fromStdString(work.Read("BaoBiao.RTF")), &saved));
    EXPECT_EQ(CountImages(saved), 1);
    EXPECT_NE(work.Read("BaoBiao.RTF").find(PngHex()), std::string::npos) << "the picture's own bytes";
}

TEST_F(BaoBiaoTest, EachItemReportStartsOnALineOfItsOwn) {
    program.Write("FM.RTF", Rtf(RtfText("封面") + "\\par"));
    G_ModuleNum = 1;
    AddItem(0, 1, {"a.RTF"});
    AddItem(0, 2, {"b.RTF"});
    AddItem(0, 3, {"c.RTF"});
    work.Write("a.RTF", Rtf("first\\par"));
    work.Write("b.RTF", Rtf("second"));
    work.Write("c.RTF", Rtf("third\\par"));
    frame->OnMakeBaoBiao();
    const std::string expected = "封面" + Headings(0, 1) + "first\nsecond\nthird";
    EXPECT_EQ(Made().toStdString(), expected);
    EXPECT_EQ(SavedText(), expected);
}

// Each report's fonts and colours are its own, whatever numbers its tables give them.
TEST_F(BaoBiaoTest, EveryReportKeepsItsFontsAndColours) {
    program.Write("FM.RTF", "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}"
                            "{\\colortbl;\\red0\\green128\\blue0;}\\f0\\cf1 green cover\\par}");
    G_ModuleNum = 1;
    AddItem(0, 1, {"a.RTF"});
    AddItem(0, 2, {"b.RTF"});
    work.Write("a.RTF", "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fnil\\fcharset134 KaiTi;}}"
                        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                        "\\f0\\cf1 red arial\\par{\\cf2 blue arial}\\par\\plain plain kai\\par}");
    work.Write("b.RTF", "{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset134 KaiTi;}{\\f5\\fswiss Arial;}}"
                        "{\\colortbl;\\red0\\green0\\blue255;}\\f5\\cf1 second blue arial\\par\\f0 blue kai\\par}");
    frame->OnMakeBaoBiao();
    QTextDocument saved;
    ASSERT_TRUE(kv::report::ui::ReadRtf(QByteArray::fromStdString(work.Read("BaoBiao.RTF")), &saved));
    struct Case {
        const char* text;
        const char* family;
        const char* colour;  // empty: the automatic colour
    };
    const Case cases[] = {{"green cover", "SimSun", "#008000"},      {"red arial", "Arial", "#ff0000"},
                          {"blue arial", "Arial", "#0000ff"},        {"plain kai", "KaiTi", ""},
                          {"second blue arial", "Arial", "#0000ff"}, {"blue kai", "KaiTi", "#0000ff"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QTextCursor found = saved.find(QString::fromUtf8(c.text), 0, QTextDocument::FindCaseSensitively);
        ASSERT_FALSE(found.isNull());
        QTextCursor at(&saved);
        at.setPosition(found.selectionStart() + 1);
        const QTextCharFormat f = at.charFormat();
        EXPECT_EQ(f.fontFamilies().toStringList().value(0).toStdString(), c.family);
        EXPECT_EQ(f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name().toStdString() : "",
                  c.colour);
    }
}

TEST_F(BaoBiaoTest, WhileTheReportIsMadeTheCursorWaitsAndAProgressWindowShows) {
    G_ModuleNum = 2;
    AddItem(0, 1, {"a.RTF"});
    AddItem(1, 2, {"b.RTF"});
    work.Write("a.RTF", Rtf("first\\par"));
    work.Write("b.RTF", Rtf("second\\par"));
    auto progressWindows = [] {
        std::vector<QWidget*> shown;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "ProgressWindow" && w->isVisible()) shown.push_back(w);
        return shown;
    };
    bool waiting = false;
    int steps = -1;
    // Runs as soon as the window lets events through: before the work starts.
    QTimer::singleShot(0, [&] {
        waiting = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        if (progressWindows().size() == 1) steps = progressWindows()[0]->findChild<QProgressBar*>("progress")->maximum();
    });
    frame->OnMakeBaoBiao();
    EXPECT_TRUE(waiting);
    EXPECT_EQ(steps, 3) << "one step per item, one to show the report";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(progressWindows().empty());
    EXPECT_NE(Made().indexOf("second"), -1);
}

// LibreOffice reads the joined report: every part in order, pictures included.
TEST_F(BaoBiaoTest, LibreOfficeOpensTheCombinedReport) {
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty()) GTEST_SKIP() << "LibreOffice (soffice) is not installed: not checked";
    ASSERT_TRUE(InstallShippedCover());
    G_ModuleNum = 3;
    AddItem(0, 1, {"a.RTF"});
    AddItem(0, 2, {"b.RTF"});
    AddItem(2, 3, {"c.OUT"});
    work.Write("a.RTF", RtfWithPicture("外墙"));
    work.Write("b.RTF", "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                        "\\trowd\\cellx2000\\cellx4000 \\intbl\\cf1 cell one\\cell cell two\\cell\\row}");
    work.Write("c.OUT", "plain report\r\n");
    frame->OnMakeBaoBiao();

    const QString profile = "-env:UserInstallation=file://" + QString::fromStdString(work.path()) + "lo-profile";
    QProcess convert;
    convert.start(soffice, {profile, "--headless", "--convert-to", "rtf:Rich Text Format", "--outdir",
                            QString::fromStdString(work.path() + "lo"), QString::fromStdString(work / "BaoBiao.RTF")});
    ASSERT_TRUE(convert.waitForFinished(120000));
    QTextDocument back;
    ASSERT_TRUE(kv::report::ui::ReadRtf(QByteArray::fromStdString(work.Read("lo/BaoBiao.rtf")), &back))
        << convert.readAllStandardError().toStdString();
    const std::string text = back.toPlainText().toStdString();
    std::size_t at = 0;
    for (const char* part : {"人防工程结构计算书", "人防地下室顶板计算", "外墙", "cell one", "cell two",
                             "人防地下室外墙计算", "人防地下室底板计算", "plain report"}) {
        const std::size_t found = text.find(part, at);
        ASSERT_NE(found, std::string::npos) << part << " after " << at << "\n" << text;
        at = found + 1;
    }
    EXPECT_EQ(CountImages(back), 1);
}

TEST_F(BaoBiaoTest, AHeadingAfterAReportEndingInAPictureIsText) {
    G_ModuleNum = 2;
    AddItem(0, 1, {"a.RTF"});
    std::string withPicture = RtfWithPicture("first");
    work.Write("a.RTF", withPicture.substr(0, withPicture.size() - 5) + "}");  // no paragraph end after it
    frame->OnMakeBaoBiao();
    QTextDocument* doc = frame->ReportView()->document();
    QTextCursor heading = doc->find("人防地下室外墙计算");
    ASSERT_FALSE(heading.isNull());
    EXPECT_FALSE(heading.charFormat().isImageFormat());
    EXPECT_EQ(CountImages(*doc), 1);
}

TEST_F(BaoBiaoTest, AnExistingReportIsRemadeOnlyOnYes) {
    struct Case {
        int answer;
        bool remade;
    };
    const Case cases[] = {{kv::IDNO, false}, {kv::IDCANCEL, false}, {kv::IDYES, true}};
    program.Write("FM.RTF", Rtf(RtfText("封面") + "\\par"));
    G_ModuleNum = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        const std::string old = Rtf("old report\\par");
        work.Write("BaoBiao.RTF", old);
        frame->ReportView()->setPlainText("shown before");
        messages->Answer(c.answer);
        std::size_t asked = messages->shown().size();
        frame->OnMakeBaoBiao();
        ASSERT_EQ(messages->shown().size(), asked + 1);
        EXPECT_EQ(messages->shown().back().text,
                  "计算书文件 " + work.path() + "BaoBiao.RTF 已存在, 是否重新生成计算书 ?");
        EXPECT_EQ(messages->shown().back().type & 0xF, kv::MB_YESNOCANCEL);
        if (c.remade) {
            EXPECT_EQ(SavedText(), WithoutLastBreak("封面" + Headings(0, 1)));
        } else {
            EXPECT_EQ(work.Read("BaoBiao.RTF"), old);
            EXPECT_EQ(Made().toStdString(), "shown before");
        }
    }
    // 32840 shows the saved report again.
    frame->ReportView()->clear();
    frame->OnCmdMsg(kv::cmd::kViewBaoBiao, nullptr);
    EXPECT_EQ(Made().toStdString(), WithoutLastBreak("封面" + Headings(0, 1)));
}

// The report that could not be saved still carries BaoBiao.RTF's name: 保存, and
// 是 when the report mode ends, try that file again. The cover is only read.
TEST_F(BaoBiaoTest, AReportThatCannotBeSavedKeepsItsNameAndTheCoverStaysAsItIs) {
    const std::string cover = Rtf(RtfText("封面") + "\\par");
    program.Write("FM.RTF", cover);
    G_ModuleNum = 1;
    enum Blocker { FolderInTheWay, ProjectFolderIsAFile };
    for (Blocker blocker : {FolderInTheWay, ProjectFolderIsAFile}) {
        SCOPED_TRACE(blocker);
        TempFolder project;
        if (blocker == FolderInTheWay) {
            std::filesystem::create_directory(project / "BaoBiao.RTF");
            G_strWorkPath = project.path();
        } else {
            project.Write("gone", "a file where the project folder was");
            G_strWorkPath = project / "gone/";
        }
        const std::string path = G_strWorkPath + "BaoBiao.RTF";
        const std::string refused = "不能保存文件 : " + path;
        const std::size_t before = messages->shown().size();
        frame->OnMakeBaoBiao();
        ASSERT_EQ(messages->shown().size(), before + 1);
        EXPECT_EQ(messages->shown().back().text, refused);
        EXPECT_EQ(frame->GetDocument()->GetTitle().toStdString(), "BaoBiao.RTF");
        EXPECT_EQ(frame->GetDocument()->GetPathName().toStdString(), path);
        EXPECT_EQ(Made().toStdString(), WithoutLastBreak("封面" + Headings(0, 1)));

        frame->OnCmdMsg(32847, nullptr);  // 保存RTF文件
        ASSERT_EQ(messages->shown().size(), before + 2);
        EXPECT_EQ(messages->shown().back().text, refused);

        // Not saved anywhere: leaving the report mode asks, and Yes tries the same file.
        ASSERT_TRUE(frame->GetDocument()->IsModified());
        messages->Answer(kv::IDYES);
        frame->GetDocument()->SaveModified();
        ASSERT_EQ(messages->shown().size(), before + 4);
        EXPECT_EQ(messages->shown()[before + 2].text, "是否保存对 BaoBiao.RTF 的修改?");
        EXPECT_EQ(messages->shown().back().text, refused);

        EXPECT_EQ(program.Read("FM.RTF"), cover);
        if (blocker == FolderInTheWay) {
            EXPECT_TRUE(std::filesystem::is_directory(project / "BaoBiao.RTF"));
        }
    }
}

TEST_F(BaoBiaoTest, TheToolbarSendsTheReportViewCommands) {
    std::vector<int> ids;
    for (QAction* a : frame->ToolBar()->actions()) ids.push_back(a->isSeparator() ? 0 : a->data().toInt());
    EXPECT_EQ(ids, (std::vector<int>{57635, 57634, 57637, 0, 0, 57696, 32771, 32847}));
    QSignalSpy sent(frame.get(), &CChildFrameBase::command);
    frame->ToolBar()->actions().last()->trigger();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0][0].toInt(), 32847);
}

TEST_F(BaoBiaoTest, TheShippedCoverReadsWithItsTitleAndFields) {
    ASSERT_TRUE(InstallShippedCover());
    G_ModuleNum = 0;
    frame->OnMakeBaoBiao();
    std::string text = Made().toStdString();
    for (const char* field : {"人防工程结构计算书", "工程名称：", "工程编号：", "设计日期："})
        EXPECT_NE(text.find(field), std::string::npos) << field;
}

TEST_F(BaoBiaoTest, AMissingCoverLeavesTheShownTextInFront) {
    G_ModuleNum = 1;
    frame->ReportView()->setPlainText("before");
    frame->OnMakeBaoBiao();
    EXPECT_EQ(SavedText(), WithoutLastBreak("before" + Headings(0, 1)));
}

// ---- Word and CAD --------------------------------------------------------------

class ExportTest : public BaoBiaoTest {
protected:
    void SetUp() override {
        BaoBiaoTest::SetUp();
        for (int i = 0; i < 45; ++i) {
            std::string n = std::to_string(i + 1);
            doc.m_chaXun.push_back({"d" + n, "d" + n + ".DXF", "r" + n + ".RTF"});
        }
        doc.m_nChaXun = 45;
    }
    void TearDown() override {
        G_strPlivoPath.clear();
        BaoBiaoTest::TearDown();
    }
    void Hold(const std::string& name) { std::filesystem::create_directory(work / name); }
    std::vector<std::string> Texts() const {
        std::vector<std::string> t;
        for (const auto& s : messages->shown()) t.push_back(s.text);
        return t;
    }
    TempFolder temp, config;
    kv::test::EnvGuard tmpdir{"TMPDIR", temp.path()};
    kv::test::EnvGuard configHome{"XDG_CONFIG_HOME", config.path()};
    CBbDoc_KV doc;
};

TEST_F(ExportTest, WordGetsACopyOfTheCurrentReportUnderTheNextFreeName) {
    work.Write("r1.RTF", "report 1");
    work.Write("r41.rtf", "report 41");
    work.Write("r45.RTF", "report 45");
    struct Case {
        int current;
        int held;  // copies the word processor holds open
        std::string opened, bytes;
    };
    const Case cases[] = {
        {-3, 0, "VjPrint2.doc", "report 1"},
        {40, 0, "VjPrint2.doc", "report 41"},   // any entry read can be exported
        {99, 0, "VjPrint2.doc", "report 45"},
        {0, 1, "VjPrint20.doc", "report 1"},
        {0, 9, "VjPrint2000000000.doc", "report 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current * 100 + c.held);
        TempFolder fresh;
        G_strWorkPath = fresh.path();
        for (const char* r : {"r1.RTF", "r41.rtf", "r45.RTF"}) fresh.Write(r, work.Read(r));
        std::string held = "VjPrint2.doc";
        for (int i = 0; i < c.held; ++i, held.insert(held.size() - 4, "0"))
            std::filesystem::create_directory(fresh / held);
        processes->opened.clear();
        doc.m_nCurChaXun = c.current;
        doc.OnCmdMsg(kv::cmd::kWord, nullptr);  // not registered yet: nothing
        EXPECT_TRUE(processes->opened.empty());
        InstallExportCommands();
        doc.OnCmdMsg(kv::cmd::kWord, nullptr);
        EXPECT_EQ(processes->opened, std::vector<std::string>{fresh / c.opened});
        EXPECT_EQ(fresh.Read(c.opened), c.bytes);
        EXPECT_TRUE(messages->shown().empty());
        for (int id : {kv::cmd::kWord, kv::cmd::kInsertCad, kv::cmd::kOpenBaoBiaoDoc}) CBbDoc_KV::SetCommandHandler(id, {});
    }
}

TEST_F(ExportTest, TenHeldCopiesGiveTheMessageAndOpenNothing) {
    work.Write("r1.RTF", "report 1");
    std::string held = "VjPrint2.doc";
    for (int i = 0; i < 10; ++i, held.insert(held.size() - 4, "0")) Hold(held);
    OnWord(doc);
    EXPECT_EQ(Texts(), std::vector<std::string>{"打开了太多计算书,请另存或关闭部分计算书!"});
    EXPECT_TRUE(processes->opened.empty());
    EXPECT_FALSE(std::filesystem::exists(work / held));
}

TEST_F(ExportTest, ACopyTheWordProcessorHasOpenIsLeftAsItIs) {
    // An open document carries the word processor's lock file beside it; writing
    // over it would leave the old report on screen and open it again.
    work.Write("r1.RTF", "report 1");
    work.Write("VjPrint2.doc", "shown");
    work.Write(".~lock.VjPrint2.doc#", "");
    OnWord(doc);
    EXPECT_EQ(processes->opened, std::vector<std::string>{work / "VjPrint20.doc"});
    EXPECT_EQ(work.Read("VjPrint20.doc"), "report 1");
    EXPECT_EQ(work.Read("VjPrint2.doc"), "shown");

    work.Write("BaoBiao.RTF", "{\\rtf1 new}");
    work.Write("BaoBiao.doc", "shown");
    work.Write(".~lock.BaoBiao.doc#", "");
    processes->opened.clear();
    OnOpenBaoBiaoDoc(doc);
    EXPECT_EQ(Texts(), std::vector<std::string>{"计算书已打开!"});
    EXPECT_TRUE(processes->opened.empty());
    EXPECT_EQ(work.Read("BaoBiao.doc"), "shown");
}

TEST_F(ExportTest, ACopyThatCannotBeWrittenLeavesTheOldCopyWhole) {
    // A full disk: every copy fails after a few bytes, as if the word processor held it.
    work.Write("r1.RTF", "report 1, longer than what fits");
    work.Write("BaoBiao.RTF", "{\\rtf1 combined, longer than what fits}");
    work.Write("VjPrint2.doc", "old copy");
    work.Write("BaoBiao.doc", "old combined");
    {
        kv::platform::WriteFailureForTesting full(4, ENOSPC);
        OnWord(doc);
        OnOpenBaoBiaoDoc(doc);
    }
    EXPECT_EQ(Texts(), (std::vector<std::string>{"打开了太多计算书,请另存或关闭部分计算书!", "计算书已打开!"}));
    EXPECT_TRUE(processes->opened.empty());
    EXPECT_EQ(work.Read("VjPrint2.doc"), "old copy");
    EXPECT_EQ(work.Read("BaoBiao.doc"), "old combined");
    EXPECT_EQ(work.List(), "BaoBiao.RTF BaoBiao.doc VjPrint2.doc r1.RTF");  // no half copies
}

TEST_F(ExportTest, AMissingReportOrEmptyResultListDoesNothing) {
    OnWord(doc);  // r1.RTF is not there
    doc.m_chaXun.clear();
    doc.m_nChaXun = 0;
    OnWord(doc);
    OnInsertCad(doc);
    EXPECT_TRUE(processes->opened.empty());
    EXPECT_TRUE(processes->runs.empty());
    EXPECT_TRUE(messages->shown().empty());
    EXPECT_EQ(work.List(), "");
}

TEST_F(ExportTest, TheCombinedReportOpensAsBaoBiaoDoc) {
    OnOpenBaoBiaoDoc(doc);  // no combined report yet
    EXPECT_TRUE(processes->opened.empty());

    work.Write("BaoBiao.RTF", "{\\rtf1 combined}");
    OnOpenBaoBiaoDoc(doc);
    EXPECT_EQ(processes->opened, std::vector<std::string>{work / "BaoBiao.doc"});
    EXPECT_EQ(work.Read("BaoBiao.doc"), "{\\rtf1 combined}");
    EXPECT_TRUE(messages->shown().empty());

    processes->openSucceeds = false;  // no program for .doc files
    OnOpenBaoBiaoDoc(doc);
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_NE(messages->shown()[0].text.find(work / "BaoBiao.doc"), std::string::npos);

    std::filesystem::remove(work / "BaoBiao.doc");
    Hold("BaoBiao.doc");
    processes->opened.clear();
    OnOpenBaoBiaoDoc(doc);
    EXPECT_EQ(messages->shown().back().text, "计算书已打开!");
    EXPECT_TRUE(processes->opened.empty());
}

TEST_F(ExportTest, TheCurrentDrawingGoesToTheConfiguredInsertionTool) {
    work.Write("d3.DXF", "drawing 3");
    doc.m_nCurChaXun = 2;
    const std::string exchange = temp / "~tb50~.dxf";
    temp.Write("~tb50~.dxf", "stale");

    // Nothing configured: the drawing is handed over, nothing is started, the message says so.
    OnInsertCad(doc);
    EXPECT_EQ(temp.Read("~tb50~.dxf"), "drawing 3");
    EXPECT_TRUE(processes->runs.empty());
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_NE(messages->shown()[0].text.find("没有配置CAD插入程序"), std::string::npos);
    EXPECT_TRUE(G_strPlivoPath.empty());

    // A folder without the tool.
    TempFolder tool;
    ASSERT_TRUE(kv::platform::WritePrivateProfileString(kPlivoSection, kPlivoKey, tool.path().c_str(), kPlivoProfile));
    OnInsertCad(doc);
    EXPECT_EQ(G_strPlivoPath, tool.path());
    EXPECT_TRUE(processes->runs.empty());
    ASSERT_EQ(messages->shown().size(), 2u);
    EXPECT_NE(messages->shown()[1].text.find("InsDxf"), std::string::npos);

    // The tool runs on the exchange drawing; a failure is reported, success is not.
    tool.Write("InsDxf", "#!/bin/sh\n");
    processes->result = {true, 3, ""};
    OnInsertCad(doc);
    ASSERT_EQ(processes->runs.size(), 1u);
    EXPECT_EQ(processes->runs[0].program, tool / "InsDxf");
    EXPECT_EQ(processes->runs[0].args, (std::vector<std::string>{"1", exchange}));
    EXPECT_EQ(messages->shown().size(), 3u);
    processes->result = {true, 0, ""};
    OnInsertCad(doc);
    EXPECT_EQ(processes->runs.size(), 2u);
    EXPECT_EQ(messages->shown().size(), 3u);

    // A drawing that is not in the work folder: nothing at all.
    doc.m_nCurChaXun = 5;
    OnInsertCad(doc);
    EXPECT_EQ(processes->runs.size(), 2u);
    EXPECT_EQ(messages->shown().size(), 3u);
}

TEST_F(ExportTest, TheExchangeDrawingReplacesALinkInsteadOfWritingThroughIt) {
    // The temporary folder is shared: a link planted under the exchange name must
    // not make the export overwrite the file it points to.
    work.Write("d1.DXF", "drawing 1");
    TempFolder other;
    other.Write("own.dxf", "someone's drawing");
    std::filesystem::create_symlink(other / "own.dxf", temp / "~tb50~.dxf");
    OnInsertCad(doc);
    EXPECT_EQ(other.Read("own.dxf"), "someone's drawing");
    EXPECT_FALSE(std::filesystem::is_symlink(temp / "~tb50~.dxf"));
    EXPECT_EQ(temp.Read("~tb50~.dxf"), "drawing 1");
}

TEST_F(ExportTest, TheInsertionToolRunsThroughTheWindowsProcessServiceAndItsFailureIsSaidInChinese) {
    auto recording = kv::platform::InstallProcessService(kv::platform::MakeQtProcessService());
    work.Write("d1.DXF", "drawing 1");
    TempFolder tool;
    ASSERT_TRUE(kv::platform::WritePrivateProfileString(kPlivoSection, kPlivoKey, tool.path().c_str(), kPlivoProfile));
    const std::string exchange = temp / "~tb50~.dxf";
    struct Case {
        const char* script;  // nullptr: a tool that may not be run
        std::string message;
    };
    const Case cases[] = {
        {"#!/bin/sh\ncat \"$2\" > got.dxf\necho \"$1\" >> got.dxf\n", ""},
        {"#!/bin/sh\nexit 2\n", "CAD插入程序 " + tool / "InsDxf" + " 没有正常结束: 返回代码 2。"},
        {nullptr, "CAD插入程序 " + tool / "InsDxf" + " 不能启动: 程序文件没有执行权限。"},
    };
    for (const Case& c : cases) {
        tool.Write("InsDxf", c.script ? c.script : "#!/bin/sh\n");
        ASSERT_EQ(::chmod((tool / "InsDxf").c_str(), c.script ? 0755 : 0644), 0);
        std::string before = work.List();
        std::size_t shown = messages->shown().size();
        OnInsertCad(doc);
        EXPECT_EQ(work.List(), before);
        if (c.message.empty()) {
            EXPECT_EQ(messages->shown().size(), shown);
            EXPECT_EQ(tool.Read("got.dxf"), "drawing 11\n");  // in its folder: the exchange drawing, then the mode
        } else {
            ASSERT_EQ(messages->shown().size(), shown + 1);
            EXPECT_EQ(messages->shown().back().text, c.message);
        }
    }
    EXPECT_EQ(temp.Read("~tb50~.dxf"), "drawing 1");
    kv::platform::InstallProcessService(std::move(recording));
}

}  // namespace
