#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "drawing/dxf.h"
#include "drawing/base_sgt.h"
#include "drawing/pen_sgtex.h"
#include "drawing/picture.h"
#include "support/ezdxf_check.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using namespace kv::drawing;

namespace {

std::string ReadAll(const std::string& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// A drawing with every entity kind the pens write.
DXF SampleDrawing() {
    DXF d;
    d.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    d.AddLayer("STEEL-2", 1, "CONTINUOUS");
    d.AddLayer("AXIS", 1, "CENTER");
    Entity line;
    line.kind = EntityKind::Line;
    line.layer = "AXIS";
    line.x1 = -3000, line.y1 = 0, line.x2 = 3000.25, line.y2 = 1e-3;
    d.AddEntity(line);

    Entity pl;
    pl.kind = EntityKind::Polyline;
    pl.layer = "STEEL-2";
    pl.color = 3;
    pl.vertices = {{0, 0, 50, 80, 0}, {1000, 0, 80, 80, 0.414213562}, {1000, 1000, 0, 0, 0}};
    pl.closed = true;
    pl.xdataApp = "KV_TUSU";
    pl.xdata = {{1070, "28"}, {1070, "1"}, {1000, "主筋"}};
    d.AddEntity(pl);

    Entity arc;
    arc.kind = EntityKind::Arc;
    arc.x1 = 10, arc.y1 = 20, arc.radius = 150, arc.startAngle = 30, arc.endAngle = 300;
    arc.linetype = "DASHED";
    d.AddEntity(arc);

    Entity circle;
    circle.kind = EntityKind::Circle;
    circle.x1 = -500, circle.y1 = -650, circle.radius = 150;
    circle.color = 0;
    d.AddEntity(circle);

    Entity text;
    text.kind = EntityKind::Text;
    text.x1 = 100, text.y1 = 200, text.height = 300, text.rotation = 90;
    text.text = "弯矩 M=12.5kN.m/m";
    text.style = "HZ";
    text.widthFactor = 0.75;
    d.AddEntity(text);

    Entity centred = text;
    centred.text = "配筋简图(左)";
    centred.rotation = 0;
    centred.hAlign = 1, centred.vAlign = 3;
    d.AddEntity(centred);

    Entity solid;
    solid.kind = EntityKind::Solid;
    solid.x1 = 0, solid.y1 = 0, solid.x2 = 100, solid.y2 = 0, solid.x3 = 50, solid.y3 = 80;
    solid.x4 = 50, solid.y4 = 80;
    solid.color = 1;
    d.AddEntity(solid);
    return d;
}

// A door-frame style sketch drawn through the pens: layers, line types, chain
// dimensions, bars with extended data, dots, texts along lines and arcs, a title.
CPenSGTEx PenDrawing() {
    CPenSGTEx pen;
    pen.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    pen.SetCurBiLi(50);
    pen.SetLayerEnv(8, 999, 999);
    const float ox[5] = {0, 1200, 1200, 0, 0}, oy[5] = {0, 0, -400, -600, 0};
    pen.Draw_PLine(CPenSGT::LT_THICK, 5, ox, oy, nullptr, 0, nullptr, nullptr);
    pen.Draw_BreakLine(-300, 500, 0, 500);
    const float dx[3] = {-300, 0, 1200}, dy[3] = {-600, -600, -600};
    pen.Draw_ContinueDim(3, dx, dy, -950, 0, "TC");
    const float vx[3] = {1200, 1200, 1200}, vy[3] = {-600, -400, 0};
    pen.Draw_ContinueDim(3, vx, vy, 1550, 90, "TC");
    const float bx[4] = {-250, -250, 1150, 1150}, by[4] = {-100, -50, -50, -380};
    pen.Draw_SteelPolyline(2, 4, bx, by, nullptr, 2, -2);
    pen.Draw_DotSteel(-225, -75);
    pen.SetLayerEnv(23, 999, 999);
    pen.CPenSGT::Draw_Text(5, 50, 50, 0, "As: 1131mm2/m", "BL");
    pen.Draw_Text_Along_Line(0, -600, 1200, -400, 8, 3, "斜面 1:6", 0, 20);
    pen.Draw_Text_Along_Arc(600, 0, 300, 0, 180, 8, 3, "拱顶", 0, 10);
    pen.Draw_DimJiaoDu(600, 0, 200, 30, 150, "120.0", 0);
    pen.Draw_HorizonLine(0, 300, 0, -300, 50);
    pen.SetJTState(1);
    pen.Draw_DrawingName(600, -1400, "配筋图(左)", true, 'R');
    return pen;
}

TEST(DxfFile, PenDrawingReadsBackEqual) {
    const CPenSGTEx pen = PenDrawing();
    DXF back;
    ASSERT_EQ(back.Read_Dxf_From_Bytes(pen.ToDxfBytes()), 1);
    ASSERT_EQ(back.Entities().size(), pen.Entities().size());
    for (std::size_t i = 0; i < pen.Entities().size(); ++i)
        EXPECT_EQ(back.Entities()[i], pen.Entities()[i]) << "entity " << i;
    EXPECT_EQ(back.Layers(), pen.Layers());
    EXPECT_EQ(back.Linetypes().size(), pen.Linetypes().size());
}

TEST(DxfFile, WrittenDrawingReadsBackEqual) {
    kv::test::TempFolder dir;
    const DXF d = SampleDrawing();
    ASSERT_EQ(d.Write_MemDxf_To_File((dir / "a.dxf").c_str()), 1);
    DXF back;
    ASSERT_EQ(back.Read_FileDxf_To_Mem((dir / "a.dxf").c_str()), 1);
    ASSERT_EQ(back.Entities().size(), d.Entities().size());
    for (std::size_t i = 0; i < d.Entities().size(); ++i)
        EXPECT_EQ(back.Entities()[i], d.Entities()[i]) << "entity " << i;
    EXPECT_EQ(back.Layers(), d.Layers());
    EXPECT_EQ(back.Styles(), d.Styles());
    ASSERT_NE(back.FindStyle("HZ"), nullptr);
    EXPECT_EQ(back.FindStyle("HZ")->bigFont, "hztxt");
}

TEST(DxfFile, LongFormsCarryLayerColourLineTypeAndStyle) {
    kv::test::TempFolder dir;
    DXF d;
    d.New_MemDxf();
    d.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    d.Write_Line(0, 0, 0, 1, 1, 0, 1.0f, "0", "1", "BYLAYER");
    d.Write_Line(0, 0, 0, 2, 0, 0, 1.0f, "AXIS", "BYLAYER", "DASHED");
    d.Write_Text(1, 2, 0, 0.3f, -45, "上侧", "HZ", "0", "BYLAYER", "BYLAYER");
    d.Write_Text(1, 2, 0, 0.3f, 0, "1.5", "STANDARD", "0", "BYLAYER", "BYLAYER");
    d.Write_Text(1, 2, 0, 0.3f, 0, "x", "NOSUCH", "0", "BYBLOCK", "BYLAYER");
    d.Write_Arc(30, -30, 0, 30, 90, 110, 1.0f, "0", "BYLAYER", "BYLAYER");
    ASSERT_EQ(d.Write_MemDxf_To_File((dir / "l.dxf").c_str()), 1);
    DXF back;
    ASSERT_EQ(back.Read_FileDxf_To_Mem((dir / "l.dxf").c_str()), 1);
    const auto& e = back.Entities();
    ASSERT_EQ(e.size(), 6u);
    EXPECT_EQ(e[0].color, 1);
    EXPECT_EQ(e[0].layer, "0");
    EXPECT_EQ(e[1].layer, "AXIS");
    EXPECT_EQ(e[1].color, kByLayer);
    EXPECT_EQ(e[1].linetype, "DASHED");
    EXPECT_NE(back.FindLayer("AXIS"), nullptr);
    EXPECT_EQ(e[2].style, "HZ");
    EXPECT_NEAR(e[2].widthFactor, 0.75, 1e-6);
    EXPECT_EQ(e[2].text, "上侧");
    EXPECT_EQ(e[3].style, "STANDARD");
    EXPECT_EQ(e[4].style, "STANDARD") << "an unknown style falls back";
    EXPECT_EQ(e[4].color, kByBlock);
    EXPECT_EQ(e[5].kind, EntityKind::Arc);
    EXPECT_NEAR(e[5].endAngle, 110, 1e-6);
    const std::string py = kv::test::PythonWithEzdxf();
    if (!py.empty()) {
        EXPECT_TRUE(kv::test::EzdxfRecoverPasses(py, dir / "l.dxf"));
    }
}

TEST(DxfFile, FileDrawingIsWrittenOnCloseAndFoundWhateverTheCase) {
    kv::test::TempFolder dir;
    CBase_SGT d;
    ASSERT_EQ(d.New((dir / "AJT_JZL.DXF").c_str()), 1);
    d.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    d.Write_Tables();
    d.Begin_Entity();
    d.Write_Line(0, 0, 10, 0);
    d.SetCurColor("7");
    d.Draw_Text(1, 1, 0.5f, 0, "计算简图");
    d.End_Entity();
    EXPECT_FALSE(fs::exists(dir / "AJT_JZL.DXF"));  // nothing on disk before Close
    ASSERT_EQ(d.Close(), 1);
    DXF back;
    ASSERT_EQ(back.Read_FileDxf_To_Mem((dir / "ajt_jzl.dxf").c_str()), 1);
    ASSERT_EQ(back.Entities().size(), 2u);
    EXPECT_EQ(back.Entities()[1].text, "计算简图");
    EXPECT_EQ(back.Entities()[1].style, "HZ");
}

// The APPID table's count and the entries written after it, from DXF text.
std::pair<long, long> AppIdCountAndEntries(const std::string& bytes) {
    std::istringstream in(bytes);
    std::string code, value;
    bool inTable = false, countNext = false;
    long count = -1, entries = 0;
    while (std::getline(in, code) && std::getline(in, value)) {
        int c = std::atoi(code.c_str());
        if (c == 2 && value == "APPID" && !inTable) inTable = countNext = true;
        else if (inTable && countNext && c == 70) count = std::atol(value.c_str()), countNext = false;
        else if (inTable && c == 0 && value == "APPID") ++entries;
        else if (inTable && c == 0 && value == "ENDTAB") break;
    }
    return {count, entries};
}

TEST(DxfFile, TheAppIdCountMatchesItsEntriesAfterEveryReadAndSave) {
    DXF plain;
    Entity line;
    line.kind = EntityKind::Line;
    line.x2 = 1;
    plain.AddEntity(line);
    struct Case { const char* name; std::string bytes; long entries; } cases[] = {
        {"no extended data", plain.ToDxfBytes(), 1},
        {"one application", SampleDrawing().ToDxfBytes(), 2},
        // another program's file names the standard application in small letters
        {"foreign acad", "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nAPPID\n 70\n2\n"
                         "  0\nAPPID\n  2\nacad\n 70\n0\n  0\nAPPID\n  2\nKV_TUSU\n 70\n0\n"
                         "  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n"
                         "  0\nLINE\n  8\n0\n 10\n0\n 20\n0\n 11\n1\n 21\n1\n  0\nENDSEC\n  0\nEOF\n", 2},
    };
    for (const auto& c : cases) {
        std::string bytes = c.bytes;
        // read and saved three times: the table neither grows nor miscounts
        for (int round = 0; round < 3; ++round) {
            DXF d;
            ASSERT_EQ(d.Read_Dxf_From_Bytes(bytes), 1) << c.name;
            bytes = d.ToDxfBytes();
            EXPECT_EQ(AppIdCountAndEntries(bytes), std::make_pair(c.entries, c.entries)) << c.name << " round " << round;
        }
    }
}

TEST(DxfFile, TextsAreGbkAndTheCodePageIsDeclared) {
    const std::string bytes = SampleDrawing().ToDxfBytes();
    EXPECT_NE(bytes.find("$DWGCODEPAGE\n  3\nANSI_936\n"), std::string::npos);
    EXPECT_NE(bytes.find("AC1009"), std::string::npos);
    EXPECT_NE(bytes.find("\xC5\xE4\xBD\xEE"), std::string::npos);  // 配筋 in GBK
    EXPECT_EQ(bytes.find("配筋"), std::string::npos);               // no UTF-8 left
    EXPECT_EQ(bytes.substr(bytes.size() - 8), "  0\nEOF\n");
}

TEST(DxfFile, EzdxfRecoverReadsWithoutAuditErrorsAndKeepsChinese) {
    const std::string py = kv::test::PythonWithEzdxf();
    if (py.empty()) GTEST_SKIP() << "python3-ezdxf is missing (scripts/setup installs it): the outside reader check did not run";
    kv::test::TempFolder dir;
    ASSERT_EQ(SampleDrawing().Write_MemDxf_To_File((dir / "a.dxf").c_str()), 1);
    ASSERT_EQ(PenDrawing().Write_MemDxf_To_File((dir / "pen.dxf").c_str()), 1);
    const std::string script =
        "import sys\n"
        "from ezdxf import recover\n"
        "doc, auditor = recover.readfile(sys.argv[1])\n"
        "if auditor.has_errors:\n"
        "    for e in auditor.errors: print('AUDIT', e.message)\n"
        "    sys.exit(2)\n"
        "texts = [t.dxf.text for t in doc.modelspace().query('TEXT')]\n"
        "open(sys.argv[2], 'w', encoding='utf-8').write('\\n'.join(texts))\n";
    std::ofstream(dir / "check.py") << script;
    const std::string cmd = py + " " + (dir / "check.py") + " " + (dir / "a.dxf") + " " + (dir / "texts.txt");
    ASSERT_EQ(std::system(cmd.c_str()), 0) << "ezdxf found errors in the written file";
    const std::string texts = ReadAll(dir / "texts.txt");
    EXPECT_NE(texts.find("弯矩 M=12.5kN.m/m"), std::string::npos) << texts;
    EXPECT_NE(texts.find("配筋简图(左)"), std::string::npos) << texts;
    const std::string cmd2 = py + " " + (dir / "check.py") + " " + (dir / "pen.dxf") + " " + (dir / "pen.txt");
    ASSERT_EQ(std::system(cmd2.c_str()), 0) << "ezdxf found errors in the pen drawing";
    const std::string penTexts = ReadAll(dir / "pen.txt");
    for (const char* t : {"配筋图(左)", "斜面 1:6", "拱顶", "1200", "120.0"})
        EXPECT_NE(penTexts.find(t), std::string::npos) << t << " in " << penTexts;
}

TEST(DxfFile, BrokenFilesGiveAnEmptyDrawing) {
    kv::test::TempFolder dir;
    const std::string good = SampleDrawing().ToDxfBytes();
    struct Case { const char* name; std::string bytes; } cases[] = {
        {"empty", ""},
        {"truncated", good.substr(0, good.size() / 2)},
        {"no EOF", good.substr(0, good.size() - 8)},
        {"text", "hello\nworld\n"},
        {"binary DXF", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + std::string(64, '\xff')},
        {"bad code", "  0\nSECTION\nxx\nHEADER\n  0\nEOF\n"},
        {"overlong value", "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\n" + std::string(5000, 'A') + "\n  0\nEOF\n"},
    };
    for (const auto& c : cases) {
        DXF d = SampleDrawing();
        EXPECT_EQ(d.Read_Dxf_From_Bytes(c.bytes), 0) << c.name;
        EXPECT_TRUE(d.Entities().empty()) << c.name;
    }
    DXF d = SampleDrawing();
    EXPECT_EQ(d.Read_FileDxf_To_Mem((dir / "missing.dxf").c_str()), 0);
    EXPECT_TRUE(d.Entities().empty());
    // A whole file with a nonsense vertex count is read as far as it makes sense.
    EXPECT_EQ(d.Read_Dxf_From_Bytes("  0\nSECTION\n  2\nENTITIES\n  0\nLWPOLYLINE\n 90\n-5\n 10\n1\n"
                                    " 20\n2\n 10\n3\n 20\n4\n  0\nENDSEC\n  0\nEOF\n"), 1);
    ASSERT_EQ(d.Entities().size(), 1u);
    EXPECT_EQ(d.Entities()[0].vertices.size(), 2u);
    // A line out at infinity is dropped; the good one stays and the extent is finite.
    EXPECT_EQ(d.Read_Dxf_From_Bytes("  0\nSECTION\n  2\nENTITIES\n"
                                    "  0\nLINE\n  8\n0\n 10\n1e999\n 20\n0\n 11\n1\n 21\n1\n"
                                    "  0\nLINE\n  8\n0\n 10\n0\n 20\n0\n 11\n5\n 21\n5\n"
                                    "  0\nENDSEC\n  0\nEOF\n"), 1);
    ASSERT_EQ(d.Entities().size(), 1u);
    CFRect r;
    ASSERT_EQ(d.GetFRect(r), 1);
    EXPECT_FLOAT_EQ(r.right, 5);
}

TEST(DxfFile, ArcsWithAnglesOutOfAnyTurnStillEndTheirWork) {
    // Angles far beyond a turn: the sweep is taken modulo 360, so extent,
    // painting and a stretching insert finish and stay on the circle.
    struct NullSurface : CDrawSurface {
        int paths = 0;
        void Path(const std::vector<double>&, bool, unsigned, double, const std::vector<double>&) override { ++paths; }
        void Fill(const std::vector<double>&, unsigned) override {}
        void Text(double, double, double, double, double, const std::string&, unsigned) override {}
    };
    struct Case { const char* start; const char* end; } cases[] = {
        {"0", "1e20"}, {"-1e20", "90"}, {"1e18", "-1e18"}, {"-7e30", "3e25"},
    };
    for (const auto& c : cases) {
        DXF d;
        ASSERT_EQ(d.Read_Dxf_From_Bytes(std::string("  0\nSECTION\n  2\nENTITIES\n  0\nARC\n  8\n0\n 10\n0\n 20\n0\n"
                                                    " 40\n5\n 50\n") + c.start + "\n 51\n" + c.end +
                                        "\n  0\nENDSEC\n  0\nEOF\n"), 1) << c.start;
        CFRect r;
        ASSERT_EQ(d.GetFRect(r), 1) << c.start;
        EXPECT_GE(r.left, -5.001f) << c.start;
        EXPECT_LE(r.right, 5.001f) << c.start;
        NullSurface s;
        d.Draw(s, CFCoor());
        EXPECT_EQ(s.paths, 1) << c.start;
        DXF stretched;
        stretched.InsertDxfAffine(d, 2, 0, 0, 1, 0, 0);
        ASSERT_EQ(stretched.Entities().size(), 1u) << c.start;
        for (const auto& v : stretched.Entities()[0].vertices) EXPECT_LE(std::fabs(v.x), 10.001) << c.start;
    }
}

TEST(DxfFile, AnOverlongTextIsShortenedAndTheDrawingStillReads) {
    // A text longer than a DXF line may be is cut at a character, not written so
    // that the reader refuses the whole drawing.
    DXF d = SampleDrawing();
    Entity text;
    text.kind = EntityKind::Text;
    text.height = 300;
    for (int i = 0; i < 700; ++i) text.text += "配筋 ";  // 3500 bytes in GBK
    d.AddEntity(text);
    DXF back;
    ASSERT_EQ(back.Read_Dxf_From_Bytes(d.ToDxfBytes()), 1);
    ASSERT_EQ(back.Entities().size(), d.Entities().size());
    const std::string& shortened = back.Entities().back().text;
    EXPECT_GT(shortened.size(), 2000u);
    EXPECT_EQ(text.text.compare(0, shortened.size(), shortened), 0);
}

TEST(DxfFile, MutatedFilesNeverCrashTheReader) {
    // Our own drawing, another program's with blocks, MTEXT and LWPOLYLINE, and an
    // MTEXT full of formatting codes.
    const std::string goods[] = {
        SampleDrawing().ToDxfBytes(), ReadAll(KV_TEST_FIXTURES "/drawing/foreign_entities.dxf"),
        "  0\nSECTION\n  2\nENTITIES\n  0\nMTEXT\n  8\n0\n 10\n5\n 20\n5\n 40\n2.5\n 71\n5\n 50\n0.5\n"
        "  3\n{\\fSimSun|b1;\xB6\xA5}\\S1^2;\\P\\H2x;\\U+00D7\\M+5B0E5\n  1\n\\Ltail\\l\\{\\}\\\\\n"
        "  0\nENDSEC\n  0\nEOF\n"};
    ASSERT_FALSE(goods[1].empty());
    std::mt19937 rng(4);
    for (int round = 0; round < 900; ++round) {
        std::string bytes = goods[round % 3];
        const int edits = 1 + static_cast<int>(rng() % 8);
        for (int k = 0; k < edits; ++k) {
            const std::size_t at = rng() % bytes.size();
            switch (rng() % 3) {
                case 0: bytes[at] = static_cast<char>(rng()); break;
                case 1: bytes.erase(at, rng() % 40); break;
                default: bytes.insert(at, std::string(1 + rng() % 6, static_cast<char>('0' + rng() % 10))); break;
            }
        }
        DXF d;
        const int ok = d.Read_Dxf_From_Bytes(bytes);
        if (!ok) {
            EXPECT_TRUE(d.Entities().empty()) << "round " << round;
        }
    }
}

TEST(DxfFile, ForeignEntitiesAreSkippedAndCountedAndKnownOnesKept) {
    DXF d;
    ASSERT_EQ(d.Read_FileDxf_To_Mem(KV_TEST_FIXTURES "/drawing/foreign_entities.dxf"), 1);
    // The block's own line, the INSERT, HATCH and SPLINE are not drawn.
    int lines = 0, polylines = 0;
    std::vector<std::string> texts;
    for (const auto& e : d.Entities()) {
        lines += e.kind == EntityKind::Line;
        polylines += e.kind == EntityKind::Polyline;
        if (e.kind == EntityKind::Text) texts.push_back(e.text);
    }
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(polylines, 1);
    // The MTEXT "\\P{hidden}": its second line, without the braces.
    EXPECT_EQ(texts, (std::vector<std::string>{"hidden", "外墙 ×2"}));  // GBK and a \U+ escape
    EXPECT_EQ(d.Entities().size(), 4u);
    for (const auto& e : d.Entities()) {
        if (e.kind == EntityKind::Polyline) {
            ASSERT_EQ(e.vertices.size(), 3u);
            EXPECT_DOUBLE_EQ(e.vertices[0].startWidth, 20);  // constant width 43
            EXPECT_DOUBLE_EQ(e.vertices[1].bulge, 1);
            EXPECT_TRUE(e.closed);
        }
    }
    EXPECT_EQ(d.SkippedEntities(), (std::map<std::string, int>{{"HATCH", 1}, {"INSERT", 1}, {"SPLINE", 1}}));

    // A drawing of our own skips nothing; a new drawing forgets the count.
    DXF own;
    ASSERT_EQ(own.Read_Dxf_From_Bytes(SampleDrawing().ToDxfBytes()), 1);
    EXPECT_TRUE(own.SkippedEntities().empty());
    d.New_MemDxf();
    EXPECT_TRUE(d.SkippedEntities().empty());
}

// An ENTITIES section holding one MTEXT made of `groups` ("code\nvalue\n" pairs).
std::string MTextFile(const std::string& groups) {
    return "  0\nSECTION\n  2\nHEADER\n  9\n$DWGCODEPAGE\n  3\nANSI_936\n  0\nENDSEC\n"
           "  0\nSECTION\n  2\nENTITIES\n  0\nMTEXT\n  8\nTEXT\n 62\n3\n" +
           groups + "  0\nENDSEC\n  0\nEOF\n";
}

std::vector<const Entity*> TextsOf(const DXF& d) {
    std::vector<const Entity*> out;
    for (const auto& e : d.Entities())
        if (e.kind == EntityKind::Text) out.push_back(&e);
    return out;
}

TEST(DxfMText, FormattingCodesAreStrippedAndParagraphsBecomeLines) {
    struct Case {
        const char* value;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"{\\fSimSun|b0|i0|c134|p2;\xB6\xA5\xB0\xE5}\\P\\H3.5x;\xC5\xE4\xBD\xEE \\L12\\l@150",
         {"顶板", "配筋 12@150"}},
        {"a\\\\b \\{c\\} {\\C1;\\Q15;\\W0.8;\\T1.1;\\A1;red}", {"a\\b {c} red"}},
        {"\\S1/2;\\~m \\S3^;x \\Sa#b;", {"1/2 m 3x a/b"}},
        {"x\\U+00D72\\Nnext\\pxi2;col", {"x×2", "nextcol"}},
        {"\\P\\Pthird", {"third"}},  // empty lines make no text but keep their place
        {"%%c12@150 \\Ftxt.shx;\\Oover\\o\\Kk\\k", {"%%c12@150 overk"}},
        {"{\\H2x;{\\fArial;}}", {}},
        // nested groups, stacked fractions of every kind, escaped braces, the % codes
        // left for the display, and codes cut short by the end of the text
        {"{\\fSimSun;A{\\C1;{\\H0.7x;\\S1^2;}}B}\\~\\{x\\}", {"A1/2B {x}"}},
        {"%%c12 %%d %%p0.5 \\S 3/ 4;", {"%%c12 %%d %%p0.5  3/4"}},
        {"end\\H2.5", {"end"}},
        {"end\\S1^", {"end1"}},
        {"end\\fSim", {"end"}},
        {"end\\U+00", {"end"}},
    };
    for (const Case& c : cases) {
        DXF d;
        ASSERT_EQ(d.Read_Dxf_From_Bytes(MTextFile(" 10\n0\n 20\n0\n 40\n3\n  1\n" + std::string(c.value) + "\n")), 1)
            << c.value;
        std::vector<std::string> got;
        for (const Entity* e : TextsOf(d)) got.push_back(e->text);
        EXPECT_EQ(got, c.lines) << c.value;
        for (const Entity* e : TextsOf(d)) {
            EXPECT_EQ(e->layer, "TEXT");
            EXPECT_EQ(e->color, 3);
        }
        EXPECT_TRUE(d.SkippedEntities().empty()) << c.value;
    }
}

TEST(DxfMText, ChunksJoinBeforeDecodingAndLinesStackFromTheAttachmentPoint) {
    // A long text comes in 250-byte chunks (code 3) before its end (code 1); a
    // chunk may end inside a GBK character, and a trail byte may be a backslash.
    DXF d;
    ASSERT_EQ(d.Read_Dxf_From_Bytes(MTextFile(" 10\n100\n 20\n200\n 40\n10\n 71\n1\n"
                                               "  3\nA\xB6\n  1\n\xA5\x81\x5C\\PB\n")),
              1);
    auto lines = TextsOf(d);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->text, "A顶乗");
    // Codes cut by the chunk ends read as if whole.
    DXF cut;
    ASSERT_EQ(cut.Read_Dxf_From_Bytes(MTextFile(" 10\n0\n 20\n0\n 40\n1\n  3\nx{\\H2\n  3\n.5x;\\S3\n"
                                                 "  3\n/4;}y\\\n  1\nPz\n")),
              1);
    std::vector<std::string> cutLines;
    for (const Entity* e : TextsOf(cut)) cutLines.push_back(e->text);
    EXPECT_EQ(cutLines, (std::vector<std::string>{"x3/4y", "z"}));  // 0x815C is 乗, whose second byte is a backslash
    EXPECT_EQ(lines[1]->text, "B");
    // Top left: each line hangs from its top, one line pitch (5/3 of the height) below the last.
    EXPECT_EQ(lines[0]->hAlign, 0);
    EXPECT_EQ(lines[0]->vAlign, 3);
    EXPECT_DOUBLE_EQ(lines[0]->x1, 100);
    EXPECT_DOUBLE_EQ(lines[0]->y1, 200);
    EXPECT_DOUBLE_EQ(lines[0]->height, 10);
    EXPECT_DOUBLE_EQ(lines[1]->x1, 100);
    EXPECT_NEAR(lines[1]->y1, 200 - 50.0 / 3, 1e-9);

    struct Case {
        const char* groups;
        int hAlign;
        double x0, y0, x1, y1, rotation;
    };
    const double pitch = 50.0 / 3, block = pitch + 10;  // two lines of height 10
    const Case cases[] = {
        // middle centre: the block's middle on the point
        {" 71\n5\n", 1, 0, block / 2, 0, block / 2 - pitch, 0},
        // bottom right: the last line's bottom on the point
        {" 71\n9\n", 2, 0, block, 0, block - pitch, 0},
        // turned a quarter: 50 is in degrees, as CAD programs write it (ezdxf's
        // rotation=90 writes 90.0), whatever the group-code table says; lines stack towards +x
        {" 71\n1\n 50\n90\n", 0, 0, 0, pitch, 0, 90},
        // the direction vector written last wins over the angle
        {" 71\n1\n 50\n1.0\n 11\n0\n 21\n-1\n", 0, 0, 0, -pitch, 0, -90},
    };
    for (const Case& c : cases) {
        DXF t;
        ASSERT_EQ(t.Read_Dxf_From_Bytes(MTextFile(" 10\n0\n 20\n0\n 40\n10\n" + std::string(c.groups) +
                                                  "  1\none\\Ptwo\n")),
                  1)
            << c.groups;
        auto two = TextsOf(t);
        ASSERT_EQ(two.size(), 2u) << c.groups;
        EXPECT_EQ(two[0]->hAlign, c.hAlign) << c.groups;
        EXPECT_EQ(two[0]->vAlign, 3) << c.groups;
        EXPECT_NEAR(two[0]->x1, c.x0, 1e-9) << c.groups;
        EXPECT_NEAR(two[0]->y1, c.y0, 1e-9) << c.groups;
        EXPECT_NEAR(two[1]->x1, c.x1, 1e-9) << c.groups;
        EXPECT_NEAR(two[1]->y1, c.y1, 1e-9) << c.groups;
        EXPECT_NEAR(two[0]->rotation, c.rotation, 1e-9) << c.groups;
    }
}

TEST(DxfFile, NewerFilesKeepTheirUtf8Texts) {
    // From AutoCAD 2007 on, texts are UTF-8 whatever the code page says.
    DXF d;
    ASSERT_EQ(d.Read_Dxf_From_Bytes("  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1021\n"
                                    "  9\n$DWGCODEPAGE\n  3\nANSI_936\n  0\nENDSEC\n"
                                    "  0\nSECTION\n  2\nENTITIES\n  0\nTEXT\n  8\n0\n 10\n0\n 20\n0\n"
                                    " 40\n2.5\n  1\n底板配筋\n  0\nENDSEC\n  0\nEOF\n"), 1);
    ASSERT_EQ(d.Entities().size(), 1u);
    EXPECT_EQ(d.Entities()[0].text, "底板配筋");
}

TEST(DisplayText, CadControlCodesBecomeCharacters) {
    struct Case { const char* raw; const char* shown; } cases[] = {
        {"%%c500", "Ø500"}, {"30%%d", "30°"}, {"%%p0.000", "±0.000"}, {"5%%%", "5%"},
        {"%%13212@150", "Φ12@150"}, {"%%uTitle%%u", "Title"}, {"100%", "100%"}, {"%%", "%%"},
        {"%%x", "%%x"}, {"%%037", "%"},
    };
    for (const auto& c : cases) EXPECT_EQ(DisplayText(c.raw), c.shown) << c.raw;
}

TEST(DxfExtent, EmptyDrawingHasNoneAndEntitiesSpanTheirGeometry) {
    DXF d;
    CFRect r;
    EXPECT_EQ(d.GetFRect(r), 0);
    Entity c;
    c.kind = EntityKind::Circle;
    c.x1 = 100, c.y1 = 50, c.radius = 10;
    d.AddEntity(c);
    Entity l;
    l.kind = EntityKind::Line;
    l.x1 = -20, l.y1 = 0, l.x2 = 0, l.y2 = 0;
    d.AddEntity(l);
    ASSERT_EQ(d.GetFRect(r), 1);
    EXPECT_FLOAT_EQ(r.left, -20);
    EXPECT_FLOAT_EQ(r.right, 110);
    EXPECT_FLOAT_EQ(r.bottom, 0);
    EXPECT_FLOAT_EQ(r.top, 60);
}

TEST(DxfInsert, MovesTurnsScalesAndMirrors) {
    DXF part;
    Entity l;
    l.kind = EntityKind::Line;
    l.x1 = 0, l.y1 = 0, l.x2 = 10, l.y2 = 0;
    part.AddEntity(l);
    Entity a;
    a.kind = EntityKind::Arc;
    a.x1 = 0, a.y1 = 0, a.radius = 5, a.startAngle = 0, a.endAngle = 90;
    part.AddEntity(a);
    part.AddLayer("LOAD", 1, "DASHED");

    DXF target;
    ASSERT_EQ(target.InsertDxf(part, 100, 200, 90, 2, 2), 1);
    ASSERT_EQ(target.Entities().size(), 2u);
    const Entity& tl = target.Entities()[0];
    EXPECT_NEAR(tl.x2, 100, 1e-9);
    EXPECT_NEAR(tl.y2, 220, 1e-9);
    const Entity& ta = target.Entities()[1];
    EXPECT_NEAR(ta.radius, 10, 1e-9);
    EXPECT_NEAR(ta.startAngle, 90, 1e-9);
    EXPECT_NEAR(ta.endAngle, 180, 1e-9);
    ASSERT_NE(target.FindLayer("LOAD"), nullptr);
    EXPECT_EQ(target.FindLayer("LOAD")->linetype, "DASHED");

    // Mirrored in x: the quarter arc 0..90 becomes 90..180, run the other way round.
    DXF mirrored;
    mirrored.InsertDxfAffine(part, -1, 0, 0, 1, 0, 0);
    EXPECT_NEAR(mirrored.Entities()[1].startAngle, 90, 1e-9);
    EXPECT_NEAR(mirrored.Entities()[1].endAngle, 180, 1e-9);
    EXPECT_EQ(target.InsertDxf(target, 0, 0, 0, 1, 1), 0);
}

TEST(DxfInsert, MirroredTextsReadUprightInTheMirroredPlace) {
    // Whatever the mirror's axis, an inserted text reads left to right or bottom
    // to top, and its box covers the mirror image of the original box.
    struct Case { const char* name; double a, b, c, d; } cases[] = {
        {"about the y axis", -1, 0, 0, 1},
        {"about the x axis", 1, 0, 0, -1},
        {"about y = -x", 0, -1, -1, 0},
        {"about y = x, stretched", 0, 2, 2, 0},
    };
    for (const auto& c : cases) {
        for (const char* align : {"BL", "TR", "MC"}) {
            CBase_SGT part;
            part.Draw_Text(100, 200, 50, 0, "AB配筋", align);
            CFRect src;
            ASSERT_EQ(part.GetFRect(src), 1);
            DXF target;
            target.InsertDxfAffine(part, c.a, c.b, c.c, c.d, 0, 0);
            const Entity& t = target.Entities()[0];
            EXPECT_TRUE(t.rotation <= 90 + 1e-6 || t.rotation > 270 + 1e-6) << c.name << " " << align << " " << t.rotation;
            // The mirror image of the source box.
            double xs[2] = {src.left, src.right}, ys[2] = {src.bottom, src.top};
            double lo[2] = {1e30, 1e30}, hi[2] = {-1e30, -1e30};
            for (double x : xs)
                for (double y : ys) {
                    const double mx = c.a * x + c.b * y, my = c.c * x + c.d * y;
                    lo[0] = std::min(lo[0], mx), hi[0] = std::max(hi[0], mx);
                    lo[1] = std::min(lo[1], my), hi[1] = std::max(hi[1], my);
                }
            CFRect r;
            ASSERT_EQ(target.GetFRect(r), 1);
            EXPECT_NEAR(r.left, lo[0], 1e-3) << c.name << " " << align;
            EXPECT_NEAR(r.right, hi[0], 1e-3) << c.name << " " << align;
            EXPECT_NEAR(r.bottom, lo[1], 1e-3) << c.name << " " << align;
            EXPECT_NEAR(r.top, hi[1], 1e-3) << c.name << " " << align;
        }
    }
}

TEST(PictureLayout, ExtentRulesOfTheCopiedPicture) {
    const PictureLayout point = ComputePictureLayout({5, 5, 5, 5});
    EXPECT_EQ(point.extentW, 2000);
    EXPECT_EQ(point.extentH, 2000);

    // The longer side is chosen on the true sizes and divided by the bounded one:
    // a sliver thinner than the bound is still 2000 units, not blown up.
    for (const CFRect sliver : {CFRect{0, 0, 1e-7f, 0}, CFRect{0, 0, 0, 2e-6f}}) {
        const PictureLayout p = ComputePictureLayout(sliver);
        EXPECT_EQ(std::max(p.extentW, p.extentH), 2000) << sliver.right << " " << sliver.top;
    }

    const PictureLayout wide = ComputePictureLayout({0, 0, 400, 200});
    EXPECT_EQ(wide.extentW, 2000);
    EXPECT_EQ(wide.extentH, 1000);
    EXPECT_EQ(wide.sizeW_01mm, 16000);  // 160 mm
    EXPECT_EQ(wide.sizeH_01mm, 8000);   // 80 mm
    EXPECT_FLOAT_EQ(wide.rect.left, -20);
    EXPECT_FLOAT_EQ(wide.rect.right, 421);  // the second margin takes the widened width
    EXPECT_FLOAT_EQ(wide.rect.top, 210.5f);
}
}  // namespace

namespace {

TEST(DxfText, WidthAtAGivenFactorScalesFromTheStylesOwn) {
    CBase_SGT d;
    d.New_MemDxf();  // "HZ" at width factor 0.75
    const char* text = "轴力图(设计值)";
    const float own = d.GetTextWidth(text, 40);
    EXPECT_GT(own, 0);
    EXPECT_NEAR(d.GetTextWidth(text, 40, 0.75f, "HZ"), own, 1e-3);
    EXPECT_NEAR(d.GetTextWidth(text, 40, 0.7f, "HZ"), own * 0.7f / 0.75f, 1e-3);
    EXPECT_EQ(d.GetTextWidth(nullptr, 40, 0.7f, "HZ"), 0);
}

}  // namespace
