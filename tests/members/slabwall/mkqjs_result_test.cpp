#include "members/slabwall/mkqjs_result.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "members/slabwall/mkqjs_data.h"
#include "support/temp_folder.h"

namespace {

// Every stored field a value of its own that "%f" carries exactly; bar texts
// that differ by side and kind.
void FillDistinct(CMkqResult& result) {
    for (int s = 0; s < 4; ++s) {
        MkqSideResult& r = result.Side[s];
        const float b = 1000.0f * s;
        r.CheckKind = s % 3, r.Qh = 1.5f + b, r.Qv = 1120.25f + b, r.M = 915.5f + b, r.C = 0.8125f + s;
        r.Z = -12.5f + b, r.A = 817.75f + b, r.Hh = -300.5f + b, r.SectionOk = s % 2, r.BendState = s % 3;
        r.ShearState = 2 - s % 2, r.AsReq = 1234.5f + b, r.AsSpare = 99.25f + b, r.AsvReq = 456.75f + b;
        r.LaJinJianJuH = 100.0f + s, r.LaJinJianJuV = 200.0f + s;
        for (int k = 0; k < kMkqBarTexts; ++k)
            std::snprintf(r.Bars[k], sizeof r.Bars[k], "D%d@%d", 10 + 2 * k, 100 + 10 * s);
    }
    std::strcpy(result.Side[3].Bars[1], "");  // a text the user emptied
}

void ExpectSame(const CMkqResult& a, const CMkqResult& b) {
    for (int s = 0; s < 4; ++s) {
        const MkqSideResult &x = a.Side[s], &y = b.Side[s];
#define SAME(f) EXPECT_EQ(x.f, y.f) << G_MkqSideName[s] << " " #f
        SAME(CheckKind); SAME(Qh); SAME(Qv); SAME(M); SAME(C); SAME(Z); SAME(A); SAME(Hh); SAME(SectionOk);
        SAME(BendState); SAME(ShearState); SAME(AsReq); SAME(AsSpare); SAME(AsvReq); SAME(LaJinJianJuH);
        SAME(LaJinJianJuV);
#undef SAME
        for (int k = 0; k < kMkqBarTexts; ++k) EXPECT_STREQ(x.Bars[k], y.Bars[k]) << G_MkqSideName[s] << " bar " << k;
    }
}

TEST(MkqResult, NewRecordsHoldTheDefaultBarsAndSpacings) {
    CMkqResult result;
    const char* bars[6] = {"D20@100", "D20@100", "d8@150", "d8@150", "D16@150", "D16@150"};
    for (const MkqSideResult& r : result.Side) {
        for (int k = 0; k < 6; ++k) EXPECT_STREQ(r.Bars[k], bars[k]);
        EXPECT_EQ(r.LaJinJianJuH, 150.0f);
        EXPECT_EQ(r.LaJinJianJuV, 150.0f);
        EXPECT_EQ(r.BendState, 0);
    }
    EXPECT_EQ(result.CheckData(), 0);
}

TEST(MkqResult, SavedAndReadBackKeepsEverySidesSixBarTexts) {
    kv::test::TempFolder dir;
    CMkqResult written;
    FillDistinct(written);
    ASSERT_EQ(written.SaveData((dir / "r.RES").c_str()), 1);
    const std::string text = dir.Read("r.RES");
    // Hh follows the three areas; the bar texts take a line of their own.
    EXPECT_EQ(text.substr(0, text.find("1,1001.500000")),
              "Mkq_V10\n"
              "0,1.500000,1120.250000,915.500000,0.812500,-12.500000,817.750000,1234.500000,99.250000,456.750000,"
              "-300.500000,0,0,2,100.000000,200.000000\n"
              "D10@100,D12@100,D14@100,D16@100,D18@100,D20@100\n");

    CMkqResult read;
    ASSERT_EQ(read.LoadData((dir / "r.RES").c_str()), 1);
    ExpectSame(written, read);
}

TEST(MkqResult, ADataFileOrACutFileIsRefusedAndChangesNothing) {
    kv::test::TempFolder dir;
    CMkqResult good;
    FillDistinct(good);
    ASSERT_EQ(good.SaveData((dir / "good.RES").c_str()), 1);
    const std::string full = dir.Read("good.RES");
    CMkqJsData data;
    ASSERT_EQ(data.SaveData((dir / "data.DAT").c_str()), 1);
    struct Case {
        const char* what;
        std::string text;
    } cases[] = {
        {"a data file", dir.Read("data.DAT")},
        {"last bar line missing", full.substr(0, full.rfind('\n', full.size() - 2) + 1)},
        {"a force line cut short", full.substr(0, full.find(",200.000000\n")) + "\n" + full.substr(full.find("D10@100"))},
        {"five bar texts", std::string(full).replace(full.find("D10@100,"), 8, "")},
        {"other marker", "Mkq_gf_V10" + full.substr(7)},
    };
    CMkqResult result;
    FillDistinct(result);
    result.Side[0].Qv = 7.0f;
    result.Side[2].M = 42.0f;
    const CMkqResult before = result;
    for (const Case& c : cases) {
        dir.Write("bad.RES", c.text);
        EXPECT_EQ(result.LoadData((dir / "bad.RES").c_str()), 0) << c.what;
        ExpectSame(result, before);
    }
    EXPECT_EQ(result.LoadData((dir / "none.RES").c_str()), 0);
}

}  // namespace
