// The second door-frame wall through the calculation host's road, headless, with
// the program's own picture maker: what an item leaves in its work folder.
#include <gtest/gtest.h>

#include <QStandardPaths>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/jsdata.h"
#include "flow_support.h"
#include "members/slabwall/mkqjs_calc.h"
#include "report/rtf.h"
#include "support/edition_guard.h"
#include "support/work_folder.h"
#include "widgets/jisuanhost.h"

namespace {

using kv::test::RunTool;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int Occurrences(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(MkqFlow, TheDefaultFrameLeavesNineDrawingsAReportWithItsPicturesAndAnItemThatListsThem) {
    kv::test::EnsureQtApp();
    kv::test::EditionGuard edition(2010);
    kv::test::WorkFolder work;
    InstallReportPictureMaker();
    std::vector<std::string> pictured;
    const kv::report::PictureMaker real = kv::report::SetPictureMaker(nullptr);
    kv::report::SetPictureMaker([&](const std::string& dxf, int w, int h, std::string& png) {
        pictured.push_back(dxf);
        return real(dxf, w, h, png);
    });

    CMkqJsData data;
    CMkqResult result;
    CMkqJiSuan calc;
    calc.m_pData = &data;
    calc.m_pResult = &result;
    data.m_strName = "门框墙 1";
    data.SetFileName("&KV_0005");
    const int ran = RunJiSuanRoad(calc);
    kv::report::SetPictureMaker(real);
    ASSERT_EQ(ran, 1);

    // The report shows the four calculation sketches and the frame's bars (diagram 8).
    std::vector<std::string> expected;
    for (int k : {0, 2, 4, 6, 8}) expected.push_back(G_strWorkPath + data.GetJtFileName(k));
    EXPECT_EQ(pictured, expected);
    const std::string rtf = work / data.GetJssFileName(0);
    EXPECT_EQ(Occurrences(ReadAll(rtf), "{\\pict"), 5);
    EXPECT_TRUE(work.Exists("Prompt.txt"));
    EXPECT_TRUE(work.Exists(data.GetResFileName()));

    // The item file lists the nine drawings the road wrote, and the report.
    G_MkqJsData = data;
    G_MkqGfData.SetFileName("&KV_0005");
    G_MkqGfData.m_strName = data.m_strName;
    G_MkqGfData.SaveData((work / "&KV_0005.dat").c_str());
    const std::vector<ChaXunEntry> entries = ReadChaXunFromFile((work / "&KV_0005.dat").c_str());
    ASSERT_EQ(entries.size(), 9u);
    std::string files;
    for (const ChaXunEntry& e : entries) {
        EXPECT_TRUE(work.Exists(e.dxf)) << e.dxf;
        EXPECT_EQ(e.rtf, data.GetJssFileName(0));
        files += " '" + work / e.dxf + "'";
    }
    EXPECT_EQ(entries[8].title, "配筋图(全部)");

    const std::string py = kv::test::PythonWithEzdxf();
    if (!py.empty()) {
        std::ofstream(work / "check.py") << "import sys\n"
                                            "from ezdxf import recover\n"
                                            "for name in sys.argv[1:]:\n"
                                            "    doc, auditor = recover.readfile(name)\n"
                                            "    if auditor.has_errors or not doc.modelspace().query('TEXT'):\n"
                                            "        print('BAD', name); sys.exit(2)\n";
        EXPECT_EQ(std::system((py + " '" + work / "check.py'" + files).c_str()), 0);
    }

    // A word processor opens the report with its pictures.
    const QString soffice = QStandardPaths::findExecutable("soffice");
    const QString pdfimages = QStandardPaths::findExecutable("pdfimages");
    if (soffice.isEmpty() || pdfimages.isEmpty() || py.empty())
        GTEST_SKIP() << "LibreOffice, pdfimages or python3-ezdxf is missing; scripts/setup installs them";
    const QString profile = "-env:UserInstallation=file://" + QString::fromStdString(work.path()) + "lo-profile";
    RunTool(soffice, {profile, "--headless", "--convert-to", "pdf", "--outdir", QString::fromStdString(work / "pdf"),
                      QString::fromStdString(rtf)});
    const std::string pdf = "pdf/&KV_0005.pdf";
    ASSERT_TRUE(work.Exists(pdf)) << "LibreOffice wrote no " << pdf;
    const QString images = RunTool(pdfimages, {"-list", QString::fromStdString(work / pdf)});
    EXPECT_GE(images.count('\n'), 2 + 5) << images.toStdString();  // two header lines, then the pictures
}

}  // namespace
