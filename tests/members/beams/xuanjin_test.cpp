#include "members/beams/xuanjin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "base/error.h"
#include "members/beams/xuanjin_literal.h"
#include "platform/codec.h"
#include "support/edition_guard.h"
#include "support/temp_folder.h"

namespace {

using namespace kv::xuanjin;
using Lines = std::vector<std::string>;

const std::string kNone = std::string(kNothingFound) + "\n";

ZONGJIN_PARA ZongJin(float As, int d1, int d2, float tolerance, int mode, int grade = 2) {
    ZONGJIN_PARA p;
    p.grade = grade, p.As = As, p.d1 = d1, p.d2 = d2, p.tolerance = tolerance, p.mode = mode;
    return p;
}

bool Has(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class XuanJin : public ::testing::Test {
protected:
    kv::test::EditionGuard edition{2010};
};

// Bar areas: D10 78.540, D12 113.097, D14 153.938, D16 201.062, D20 314.159 mm².
TEST_F(XuanJin, LongitudinalLinesByHand) {
    const struct {
        const char* what;
        ZONGJIN_PARA para;
        Lines lines;
    } cases[] = {
        // 7D12 = 791.68: (791.68 - 800) / 800 = -1.04 %; 6D12 -15.2 %, 8D12 +13.1 %.
        {"the defaults", ZONGJIN_PARA{}, {"7D12              \t(792)  \t(-1.04%)\n"}},
        // A 540, 5 %: 2D12 + 1D20 = 540.35 (+0.07 %), 5D12 = 565.49 (+4.72 %);
        // 4D12 -16.2 %, 2D20 +16.4 %, 1D12 + 1D20 -20.9 %, 3D12 + 1D20 +21.0 %.
        {"two diameters",
         ZongJin(540, 12, 20, 5, 0),
         {"2D12 + 1D20 \t(540)  \t(0.07%)\n", "5D12              \t(565)  \t(4.72%)\n"}},
        {"the two swapped",
         ZongJin(540, 20, 12, 5, 0),
         {"2D12 + 1D20 \t(540)  \t(0.07%)\n", "5D12              \t(565)  \t(4.72%)\n"}},
        // A 1250, 3 %: 11D12 = 1244.07 (-0.47 %), 4D20 = 1256.64 (+0.53 %), 8D12 + 1D20 =
        // 1218.94 (-2.48 %), 3D12 + 3D20 = 1281.77 (+2.54 %): each diameter alone and the pair.
        {"each alone and the pair",
         ZongJin(1250, 12, 20, 3, 0),
         {"11D12              \t(1244)  \t(-0.47%)\n", "4D20              \t(1257)  \t(0.53%)\n",
          "8D12 + 1D20 \t(1219)  \t(-2.48%)\n", "3D12 + 3D20 \t(1282)  \t(2.54%)\n"}},
        // 0 is taken as 0.00001: one D12 is already millions of per cent over.
        {"no area", ZongJin(0, 12, 20, 100, 1), {kNone}},
        // 4D10 = 1D12 + 1D16 = 1D20 = 314.16 (+0.05 % on 314): equal errors keep
        // the order of the search (pairs 10-10, 12-16, 20-20).
        {"equal errors",
         ZongJin(314, 10, 20, 0.1f, 1),
         {"4D10              \t(314)  \t(0.05%)\n", "1D12 + 1D16 \t(314)  \t(0.05%)\n",
          "1D20              \t(314)  \t(0.05%)\n"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ZongJinLines(c.para), c.lines) << c.what;
}

TEST_F(XuanJin, EveryDiameterBetweenInModeOne) {
    const Lines two = ZongJinLines(ZongJin(540, 12, 20, 5, 0));
    const Lines between = ZongJinLines(ZongJin(540, 12, 20, 5, 1));
    for (const std::string& line : two) EXPECT_TRUE(Has(between, line)) << line;
    // 2D12 + 2D14 = 534.07: -1.10 %.
    EXPECT_TRUE(Has(between, "2D12 + 2D14 \t(534)  \t(-1.10%)\n"));
    bool d16 = false, d18 = false;
    for (const std::string& line : between) {
        d16 = d16 || line.find("D16") != std::string::npos;
        d18 = d18 || line.find("D18") != std::string::npos;
    }
    EXPECT_TRUE(d16 && d18);
}

TEST_F(XuanJin, TheToleranceIsStrict) {
    // 7D12 exactly: error 0, and 0 is not below a tolerance of 0.
    const float exact = static_cast<float>(7 * BarArea(12));
    EXPECT_EQ(ZongJinLines(ZongJin(exact, 12, 12, 0, 0)), Lines{kNone});
    // An error of exactly the tolerance fails; a hair more tolerance passes it.
    const float e = std::fabs(AreaError(static_cast<float>(7 * BarArea(12)), 800));
    EXPECT_EQ(ZongJinLines(ZongJin(800, 12, 12, e, 0)), Lines{kNone});
    EXPECT_EQ(ZongJinLines(ZongJin(800, 12, 12, std::nextafter(e, 100.0f), 0)).size(), 1u);
}

TEST_F(XuanJin, AThousandLinesKeepTheLastArrangementFound) {
    const ZONGJIN_PARA para = ZongJin(5000, 6, 40, 10, 1);
    const auto plain = kv::test::literal::ZongJin(para);
    ASSERT_GT(plain.accepted, kMaxRecords);
    const Lines lines = ZongJinLines(para);
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(kMaxRecords));
    EXPECT_EQ(lines, plain.lines);
    // The search ends on the 40-40 pair: nD40 alone.
    ASSERT_EQ(plain.last.n2, 0);
    char last[128];
    std::snprintf(last, sizeof last, "%dD%.0f              \t(%.0f)  \t(%.2f%%)\n", plain.last.n1, plain.last.d1,
                  plain.last.area, plain.last.error);
    EXPECT_TRUE(Has(lines, last)) << last;
}

// The fast search against every count visited, on areas the plain loops finish.
TEST_F(XuanJin, LongitudinalSearchEqualsThePlainLoops) {
    std::mt19937 random(26);
    const std::vector<int> dims = {6, 8, 10, 12, 14, 16, 18, 20, 22, 25, 28, 32, 36, 40};
    std::uniform_int_distribution<int> dim(0, static_cast<int>(dims.size()) - 1), grade(1, 8), mode(0, 1);
    std::uniform_real_distribution<float> area(0, 4000), tolerance(0, 30);
    for (int k = 0; k < 300; ++k) {
        ZONGJIN_PARA p = ZongJin(area(random), dims[dim(random)], dims[dim(random)], tolerance(random),
                                 mode(random), grade(random));
        if (k % 10 == 0) p.tolerance = std::round(p.tolerance);  // whole per cents, as typed
        if (k % 25 == 0) p.tolerance = 100;
        ASSERT_EQ(ZongJinLines(p), kv::test::literal::ZongJin(p).lines)
            << "As " << p.As << " d " << p.d1 << "-" << p.d2 << " tol " << p.tolerance << " mode " << p.mode
            << " grade " << p.grade;
    }
}

TEST_F(XuanJin, StirrupLinesByHand) {
    // 70 mm² at 100: 0.7 mm²/mm. HPB300: D6 .. D20. D14@220: 153.938 / 220 =
    // 0.69972 (-0.04 %); D8@70 = D16@280 = 0.71808 and D8@75 = D16@300 = 0.67021
    // tie, the smaller bar first. D6 reaches 0.40 at most, D20 1.05 at least.
    const Lines expected = {
        "1D14@220  \t(-0.04%)\n", "1D12@160  \t(0.98%)\n", "1D10@110  \t(2.00%)\n", "1D 8@70  \t(2.58%)\n",
        "1D16@280  \t(2.58%)\n",  "1D 8@75  \t(-4.26%)\n", "1D16@300  \t(-4.26%)\n", "1D14@230  \t(-4.39%)\n",
        "1D12@170  \t(-4.96%)\n", "1D10@120  \t(-6.50%)\n", "1D12@175  \t(-7.68%)\n", "1D12@150  \t(7.71%)\n",
        "1D14@200  \t(9.96%)\n",
    };
    EXPECT_EQ(GuJinLines(GUJIN_PARA{}), expected);
    GUJIN_PARA legs;
    legs.Asv = 140, legs.legs = 2, legs.tolerance = 0.5f;  // two legs of D14@220 for 1.4 mm²/mm
    EXPECT_EQ(GuJinLines(legs), Lines{"2D14@220  \t(-0.04%)\n"});
    legs.tolerance = 0;
    EXPECT_EQ(GuJinLines(legs), Lines{kNone});
}

TEST_F(XuanJin, DistributionLinesByHand) {
    // 800 per metre: D12@140 = 807.84 (+0.98 %), @150 = 753.98 (-5.75 %), @130 =
    // 869.98 (+8.75 %); @125 and @160 are more than 10 % off.
    EXPECT_EQ(FenBuJinLines(FENBUJIN_PARA{}),
              (Lines{"D12@140                      \t(808)  \t(0.98%)\n",
                     "D12@150                      \t(754)  \t(-5.75%)\n",
                     "D12@130                      \t(870)  \t(8.75%)\n"}));
    // D10 + D12 at 230: (78.54 + 113.10) * 1000 / 230 = 833.21, +4.15 %.
    FENBUJIN_PARA p;
    p.d1 = 10;
    const Lines lines = FenBuJinLines(p);
    EXPECT_TRUE(Has(lines, "D10@230 + D12@230  \t(833)  \t(4.15%)\n"));
    EXPECT_TRUE(Has(lines, "D10@100                      \t(785)  \t(-1.83%)\n"));
    p.As = 0;
    EXPECT_EQ(FenBuJinLines(p), Lines{kNone});
}

TEST_F(XuanJin, BarSetsByHand) {
    const struct {
        GANGJIN_PARA set;
        double area, perimeter, weight;
    } cases[] = {
        {{12, 0, 12, 0}, 0, 0, 0},
        // 36π; 12π; 0.006² π 9.8 7800 = 8.645 N/m.
        {{12, 1, 12, 0}, 113.097330, 37.699110, 0.00864516},
        // 2D20 + 3D12: 308π; (40π + 36π) / 5; 0.000308 π 76440 N/m.
        {{20, 2, 12, 3}, 967.610490, 47.752206, 0.0739641},
        {{6, 0, 40, 1}, 1256.637, 125.66370, 0.0960573},
    };
    for (const auto& c : cases) {
        const BarSet s = BarSetOf(c.set);
        EXPECT_NEAR(s.area, c.area, 1e-5 * std::max(1.0, c.area));
        EXPECT_NEAR(s.perimeter, c.perimeter, 1e-5 * std::max(1.0, c.perimeter));
        EXPECT_NEAR(s.weight, c.weight, 1e-6 * std::max(1.0, c.weight * 1000));
    }
}

TEST_F(XuanJin, SearchesWriteTheResultFileAndReadItBack) {
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    ZONGJIN_PARA p = ZongJin(540, 12, 20, 5, 0);
    ASSERT_EQ(xuanjin_zongjin(&p), 1);
    Lines back;
    ASSERT_TRUE(ReadResultFile(back));
    EXPECT_EQ(back, (Lines{"2D12 + 1D20 \t(540)  \t(0.07%)", "5D12              \t(565)  \t(4.72%)"}));
    // The no-result line goes to the disk in GBK.
    p.tolerance = 0;
    ASSERT_EQ(xuanjin_zongjin(&p), 1);
    std::string gbk;
    ASSERT_TRUE(kv::platform::Utf8ToGbk(kNone, gbk));
    EXPECT_EQ(dir.Read(kResultFile), gbk);
    // Either line end ends a line, empty lines go, and a line keeps 1023 characters.
    dir.Write(kResultFile, "a\r\n\r\nb\rc\n\n" + std::string(1100, 'x') + "\n");
    ASSERT_TRUE(ReadResultFile(back));
    EXPECT_EQ(back, (Lines{"a", "b", "c", std::string(1023, 'x')}));
}

TEST_F(XuanJin, AResultFileThatCannotBeWrittenKeepsTheOldOne) {
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    dir.Write(std::string(kResultFile) + "/inside", "");  // a folder where the file should be
    GUJIN_PARA g;
    EXPECT_EQ(xuanjin_gujin(&g), 0);
    Lines back;
    EXPECT_FALSE(ReadResultFile(back));
}

}  // namespace
