#include "report/ui/scriptrunner.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "base/globals.h"
#include "base/textio.h"
#include "support/qt_app.h"
#include "report/rtf.h"
#include "report/script.h"
#include "report/ui/reportfile.h"
#include "report/ui/rtfreader.h"
#include "report/ui/rtfwriter.h"
#include "support/work_folder.h"

namespace kv::report::ui {
namespace {

using kv::test::WorkFolder;

std::string PngOf(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// Pictures of the files that exist, none of the others; records the requests.
class StubPictures {
public:
    StubPictures() {
        old_ = kv::report::SetPictureMaker([this](const std::string& path, int w, int h, std::string& png) {
            asked.push_back(path);
            if (!QFile::exists(QString::fromStdString(path)) || w != 160 || h != 160) return false;
            png = PngOf(300, 150);
            return true;
        });
    }
    ~StubPictures() { kv::report::SetPictureMaker(std::move(old_)); }
    std::vector<std::string> asked;

private:
    kv::report::PictureMaker old_;
};

QString Block(const std::string& command) { return QString::fromStdString(kv::report::ScriptBlock(command)); }
QString Styled(const char* text, std::uint32_t colour, double factor) {
    return QString::fromStdString(kv::report::TextStyleBlock(text, colour, factor));
}

// A document of `text` in 宋体 10 pt, bold when asked.
void Fill(QTextDocument& doc, const QString& text, bool bold = false) {
    doc.clear();
    QTextCharFormat f;
    f.setFontFamilies({"宋体"});
    f.setFontPointSize(10);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    QTextCursor(&doc).insertText(text, f);
}

QTextCharFormat FormatOf(QTextDocument& doc, const QString& text) {
    QTextCursor c = doc.find(text, 0, QTextDocument::FindCaseSensitively);
    EXPECT_FALSE(c.isNull()) << text.toStdString();
    QTextCursor at(&doc);
    at.setPosition(c.selectionStart() + 1);
    return at.charFormat();
}

int Images(const QTextDocument& doc, QSizeF* size = nullptr) {
    int n = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                ++n;
                if (size) {
                    QTextImageFormat f = it.fragment().charFormat().toImageFormat();
                    *size = QSizeF(f.width(), f.height());
                }
            }
    return n;
}

class Scripts : public ::testing::Test {
protected:
    void SetUp() override { kv::test::EnsureQtApp(); }
    WorkFolder dir;
    StubPictures pictures;
};

TEST_F(Scripts, TextStyleReplacesTheBlockWithPlainColouredScaledText) {
    struct Case {
        double factor;
        int twips;
    };
    // height in whole twips, truncated
    for (Case c : {Case{1.0, 200}, Case{1.5, 300}, Case{1.234, 246}}) {
        QTextDocument doc;
        Fill(doc, "前 " + Styled("红字", 255, c.factor) + " 后", true);
        EXPECT_EQ(RunScripts(doc), 1);
        EXPECT_EQ(doc.toPlainText(), QString("前 红字 后"));
        QTextCharFormat f = FormatOf(doc, "红字");
        EXPECT_EQ(f.foreground().color(), QColor(255, 0, 0));
        EXPECT_EQ(f.fontWeight(), QFont::Normal) << "even inside bold text";
        EXPECT_EQ(qRound(f.fontPointSize() * 20), c.twips) << c.factor;
        EXPECT_EQ(FormatOf(doc, "后").fontWeight(), QFont::Bold);
    }
    QTextDocument doc;
    Fill(doc, Styled("蓝", 16711680, 1.0) + Block("TextStyle=nonsense" + std::string(13, ' ') + "暗"));
    RunScripts(doc);
    EXPECT_EQ(FormatOf(doc, "蓝").foreground().color(), QColor(0, 0, 255));
    QTextCharFormat dark = FormatOf(doc, "暗");
    EXPECT_EQ(dark.foreground().color(), QColor(0, 0, 0)) << "an unreadable style gives black";
    EXPECT_EQ(qRound(dark.fontPointSize() * 20), 200) << "at factor 1";
}

TEST_F(Scripts, BlocksRunLeftToRightAndFaultyBlocksAreStepped) {
    dir.Write("a.dxf", "0\nEOF\n");
    dir.Write("b.dxf", "0\nEOF\n");
    std::vector<std::string> shown;
    ScriptHooks hooks;
    hooks.showDrawing = [&](const std::string& p) { shown.push_back(p); };
    QTextDocument doc;
    Fill(doc, "%%%vanjoroscript]%%% x " + Block("Unknown=1") + "A" + Block("InsertDxf=A.DXF") + "B" +
                  Block("InsertDxf=b.dxf") + "\n%%%[VANJOROSCRIPT%%%lone " + Styled("尾", 255, 1.0));
    EXPECT_EQ(RunScripts(doc, hooks), 5);
    EXPECT_EQ(shown, (std::vector<std::string>{dir / "a.dxf", dir / "b.dxf"}));
    EXPECT_EQ(Images(doc), 2);
    // the unknown block and the lone start marker stay as text, the rest ran
    QString text = doc.toPlainText();
    EXPECT_TRUE(text.startsWith("%%%vanjoroscript]%%% x " + Block("Unknown=1") + "A")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("%%%[VANJOROSCRIPT%%%lone 尾")) << text.toStdString();
    EXPECT_EQ(FormatOf(doc, "尾").foreground().color(), QColor(255, 0, 0));
}

TEST_F(Scripts, DrawingBlocksBecomeOnePictureOrNothing) {
    dir.Write("a.dxf", "0\nEOF\n");
    QTextDocument doc;
    Fill(doc, "before " + Block("InsertDxf=a.dxf") + " after");
    RunScripts(doc);
    QSizeF size;
    ASSERT_EQ(Images(doc, &size), 1);
    EXPECT_EQ(doc.toPlainText(), QString("before ") + QChar::ObjectReplacementCharacter + " after");
    // 300 x 150 pixels: 160 mm x 80 mm
    EXPECT_NEAR(size.width(), 160 / 25.4 * 96, 0.01);
    EXPECT_NEAR(size.height(), 80 / 25.4 * 96, 0.01);

    Fill(doc, "before " + Block("InsertDxf=missing.dxf") + " after");
    EXPECT_EQ(RunScripts(doc), 1);
    EXPECT_EQ(doc.toPlainText(), QString("before  after")) << "the block goes, nothing comes in its place";
    EXPECT_EQ(Images(doc), 0);

    // "*Cur*": the drawing view's own picture, nothing loaded
    int current = 0;
    std::vector<std::string> shown;
    ScriptHooks hooks;
    hooks.showDrawing = [&](const std::string& p) { shown.push_back(p); };
    hooks.currentPicture = [&](int w, int h, std::string& png) {
        ++current;
        png = PngOf(w, h);
        return true;
    };
    pictures.asked.clear();
    Fill(doc, Block("InsertDxf=*Cur*now"));
    RunScripts(doc, hooks);
    EXPECT_EQ(current, 1);
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(pictures.asked.empty());
    EXPECT_EQ(Images(doc), 1);
}

// Drawings are read only as regular files of the work folder or the program
// folder, within a size limit; a refused one is named in the report instead.
TEST_F(Scripts, DrawingsAreReadOnlyAsBoundedFilesOfTheProgramsFolders) {
    kv::test::TempFolder program, elsewhere;
    struct KeepExePath {
        std::string old = G_strExePath;
        ~KeepExePath() { G_strExePath = old; }
    } keep;
    G_strExePath = program.path();
    program.Write("pictures/cover.dxf", "0\nEOF\n");
    elsewhere.Write("other.dxf", "0\nEOF\n");
    dir.Write("a.dxf", "0\nEOF\n");
    std::filesystem::create_symlink("/dev/zero", dir / "zero.dxf");
    std::filesystem::create_symlink(elsewhere / "other.dxf", dir / "linked.dxf");
    ASSERT_EQ(::mkfifo((dir / "pipe.dxf").c_str(), 0600), 0);
    dir.Write("big.dxf", "");
    std::filesystem::resize_file(dir / "big.dxf", kv::report::kScriptDrawingMaxBytes + 1);
    const std::string up = "../" + std::filesystem::path(elsewhere.path()).parent_path().filename().string() +
                           "/other.dxf";

    struct Case { std::string name; bool read; const char* why; } cases[] = {
        {"a.dxf", true, nullptr},
        {dir / "A.DXF", true, nullptr},
        {program / "pictures/cover.dxf", true, nullptr},
        {"/dev/zero", false, "不在工作目录或程序目录中"},
        {"zero.dxf", false, "不在工作目录或程序目录中"},
        {"linked.dxf", false, "不在工作目录或程序目录中"},
        {up, false, "不在工作目录或程序目录中"},
        {elsewhere / "other.dxf", false, "不在工作目录或程序目录中"},
        {"pipe.dxf", false, "不是普通文件"},
        {"big.dxf", false, "文件太大"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> shown;
        ScriptHooks hooks;
        hooks.showDrawing = [&](const std::string& p) { shown.push_back(p); };
        pictures.asked.clear();
        QTextDocument doc;
        Fill(doc, "前 " + Block("InsertDxf=" + c.name) + " 后");
        EXPECT_EQ(RunScripts(doc, hooks), 1) << c.name;
        EXPECT_EQ(Images(doc), c.read ? 1 : 0) << c.name;
        EXPECT_EQ(shown.size(), c.read ? 1u : 0u) << c.name;
        EXPECT_EQ(pictures.asked.size(), c.read ? 1u : 0u) << c.name;
        if (!c.read) {
            const QString text = doc.toPlainText();
            EXPECT_TRUE(text.startsWith("前 ") && text.endsWith(" 后")) << text.toStdString();
            EXPECT_TRUE(text.contains(QString::fromStdString(c.name))) << text.toStdString();
            EXPECT_TRUE(text.contains(QString::fromUtf8(c.why))) << text.toStdString();
            EXPECT_FALSE(text.contains("InsertDxf=")) << text.toStdString();
        }
    }
}

TEST_F(Scripts, ViewRunLeavesTheCaretAtTheStartAndNoUndo) {
    QTextEdit edit;
    Fill(*edit.document(), "no blocks here\nsecond line");
    QTextCursor c = edit.textCursor();
    c.setPosition(5);
    c.setPosition(9, QTextCursor::KeepAnchor);
    edit.setTextCursor(c);
    EXPECT_EQ(RunScripts(&edit), 0);
    EXPECT_EQ(edit.toPlainText(), QString("no blocks here\nsecond line"));
    EXPECT_EQ(edit.textCursor().position(), 0);
    EXPECT_FALSE(edit.textCursor().hasSelection());

    Fill(*edit.document(), Styled("x", 255, 1.0));
    edit.document()->clearUndoRedoStacks();
    RunScripts(&edit);
    EXPECT_EQ(edit.toPlainText(), QString("x"));
    EXPECT_FALSE(edit.document()->isUndoAvailable());
}

// A text report as a module writes it, turned into RTF, loaded, its scripts
// run, saved from the view and read again.
TEST_F(Scripts, TextReportToViewAndBack) {
    dir.Write("KV_0001.dxf", "0\nEOF\n");
    std::FILE* fp = open_file((dir / "r.rtf").c_str(), "w");
    ASSERT_NE(fp, nullptr);
    std::fputs("[ 计算条件 ]\n\t板长 = 6.00(m)\n", fp);
    VanjoroScript(fp, "InsertDxf=KV_0001.dxf");
    std::fputs("[ 冲切验算 ]\n", fp);
    VanjoroScript_Text(fp, "\tKL < Q 冲切验算不满足 !\n", 255, 1.0);
    std::fputs(" ", fp);
    ASSERT_EQ(commit_file(fp), 0);
    ASSERT_EQ(TextToRtf((dir / "r.rtf").c_str()), 1);

    QString path = QString::fromStdString(dir / "r.rtf");
    ASSERT_TRUE(LooksLikeRtf(path));
    QTextEdit view;
    ASSERT_TRUE(LoadReport(view.document(), path, true));
    EXPECT_EQ(RunScripts(&view), 2);
    ASSERT_TRUE(SaveRtf(*view.document(), path));

    QTextDocument back;
    ASSERT_TRUE(LoadReport(&back, path, true));
    EXPECT_EQ(back.toPlainText(), QString("[ 计算条件 ]\n\t板长 = 6.00(m)\n\n") + QChar::ObjectReplacementCharacter +
                                      "\n[ 冲切验算 ]\n\tKL < Q 冲切验算不满足 !\n ");
    EXPECT_EQ(Images(back), 1);
    QTextCharFormat red = FormatOf(back, "冲切验算不满足");
    EXPECT_EQ(red.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(qRound(red.fontPointSize() * 2), 20);
    EXPECT_EQ(FormatOf(back, "板长").fontFamilies().toStringList().value(0), QString("宋体"));
}

}  // namespace
}  // namespace kv::report::ui
