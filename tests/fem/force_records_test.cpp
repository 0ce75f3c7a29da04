// The internal-force records of "FORCE.FB": their byte layout on file.
#include "fem/force_records.h"
#include "fem/workfile.h"
#include "fem_test_support.h"

#include <gtest/gtest.h>

namespace {

using kv::test::Bytes;
using kv::test::F32At;
using kv::test::FemFolder;
using kv::test::I32At;

plate_force TwoEdges() {
    plate_force p;
    p.Plate = 3;
    p.bbs = 2;
    p.value = 250;
    EXPECT_EQ(p.palte_force_read(), 1);
    for (int i = 0; i < 2; ++i) {
        p.x[i] = 1 + i, p.y[i] = 10 + i;
        p.Mv_l[i] = 20 + i, p.Mp_l[i] = 30 + i, p.Mv_m[i] = 40 + i;
        p.Mp_m[i] = 50 + i, p.Mv_r[i] = 60 + i, p.Mp_r[i] = 70 + i;
    }
    p.Mxx = -1, p.Myy = -2, p.Angle = 0.5f;
    return p;
}

TEST(PlateForceRecord, WritesHeadEdgesAndCentreInFileOrder) {
    FemFolder folder;
    {
        kv::fem::WorkFile f;
        ASSERT_TRUE(f.open("P.FB", "wb"));
        ASSERT_EQ(TwoEdges().write(f.get()), 1);
        ASSERT_TRUE(f.commit());
    }
    const std::string bytes = folder.Read("P.FB");
    ASSERT_EQ(bytes.size(), 12u + 32u * 2u + 20u);
    EXPECT_EQ(I32At(bytes, 0), 3);
    EXPECT_EQ(I32At(bytes, 4), 2);
    EXPECT_FLOAT_EQ(F32At(bytes, 8), 250);
    // Edge 1: x, y, Mv_l, Mp_l, Mv_m, Mp_m, Mv_r, Mp_r.
    const float edge1[8] = {2, 11, 21, 31, 41, 51, 61, 71};
    for (int k = 0; k < 8; ++k) EXPECT_FLOAT_EQ(F32At(bytes, 12 + 32 + 4 * k), edge1[k]) << k;
    EXPECT_FLOAT_EQ(F32At(bytes, 76), -1);
    EXPECT_FLOAT_EQ(F32At(bytes, 80), -2);
    EXPECT_FLOAT_EQ(F32At(bytes, 92), 0.5f);
}

TEST(PlateForceRecord, ReadsARecordLaidOutByHand) {
    FemFolder folder;
    Bytes b;
    b.i({7, 1}).f({300, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 0, 0, 14});
    folder.Write("P.FB", b.str());
    kv::fem::WorkFile f;
    ASSERT_TRUE(f.open("P.FB", "rb"));
    plate_force p;
    ASSERT_EQ(p.read(f.get()), 1);
    EXPECT_EQ(p.Plate, 7);
    ASSERT_EQ(p.bbs, 1);
    EXPECT_FLOAT_EQ(p.value, 300);
    EXPECT_FLOAT_EQ(p.x[0], 4);
    EXPECT_FLOAT_EQ(p.Mp_r[0], 11);
    EXPECT_FLOAT_EQ(p.Mxx, 12);
    EXPECT_FLOAT_EQ(p.Angle, 14);
}

TEST(PlateForceRecord, RefusesNoEdgesAndARecordCutShort) {
    FemFolder folder;
    plate_force none;
    EXPECT_EQ(none.palte_force_read(), 0);
    EXPECT_TRUE(folder.Told(301, "bbs error in plate_force read"));
    JS_ERROR_CODE = 0;

    Bytes b;
    b.i({1, 1000000}).f({300, 4, 5});
    folder.Write("P.FB", b.str());
    kv::fem::WorkFile f;
    ASSERT_TRUE(f.open("P.FB", "rb"));
    plate_force p;
    EXPECT_EQ(p.read(f.get()), 0);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_TRUE(p.x.empty());
}

}  // namespace
