#include "codes/material.h"

#include <gtest/gtest.h>

#include "support/edition_guard.h"

namespace {

using kv::test::EditionGuard;

TEST(Material, C30IsTheSameInBothEditions) {
    for (int edition : {2002, 2010}) {
        EditionGuard guard(edition);
        Con_Prop p{};
        ASSERT_NE(get_rc_property(30, &p), 0) << edition;
        EXPECT_EQ(p.grade, 30);
        EXPECT_FLOAT_EQ(p.fc, 14.3f);
        EXPECT_FLOAT_EQ(p.fck, 20.1f);
        EXPECT_FLOAT_EQ(p.ft, 1.43f);
        EXPECT_FLOAT_EQ(p.ftk, 2.01f);
        EXPECT_FLOAT_EQ(p.fcuk, 30.0f);
        EXPECT_FLOAT_EQ(p.Ec, 3.00e4f);
        EXPECT_FLOAT_EQ(p.Gc, 1.20e4f);
        EXPECT_FLOAT_EQ(p.nu, 0.2f);
        // Callers read the record by position: ft 4th, ftk 7th, Ec 8th, nu 10th.
        const float* v = reinterpret_cast<const float*>(&p);
        EXPECT_FLOAT_EQ(v[3], 1.43f);
        EXPECT_FLOAT_EQ(v[6], 2.01f);
        EXPECT_FLOAT_EQ(v[7], 3.00e4f);
        EXPECT_FLOAT_EQ(v[9], 0.2f);
    }
}

TEST(Material, ConcreteRangeEnds) {
    EditionGuard guard(2010);
    Con_Prop p{};
    ASSERT_NE(get_rc_property(15, &p), 0);
    EXPECT_FLOAT_EQ(p.fc, 7.2f);
    EXPECT_FLOAT_EQ(p.Ec, 2.20e4f);
    ASSERT_NE(get_rc_property(80, &p), 0);
    EXPECT_FLOAT_EQ(p.fc, 35.9f);
    EXPECT_FLOAT_EQ(p.ft, 2.22f);
}

TEST(Material, UnknownConcreteGradeLeavesRecordZeroed) {
    EditionGuard guard(2010);
    for (int grade : {0, 10, 32, 85, 30000}) {
        Con_Prop p{};
        p.Ec = 123.0f;
        EXPECT_EQ(get_rc_property(grade, &p), 0) << grade;
        EXPECT_EQ(p.grade, 0);
        EXPECT_EQ(p.Ec, 0.0f);
    }
    EXPECT_EQ(get_rc_property(30, nullptr), 0);
}

TEST(Material, Hrb400InBothEditions) {
    for (int edition : {2002, 2010}) {
        EditionGuard guard(edition);
        Rein_Prop r{};
        ASSERT_NE(get_rein_property(3, &r), 0) << edition;
        EXPECT_EQ(r.grade, 3);
        EXPECT_FLOAT_EQ(r.fy, 360.0f);
        EXPECT_FLOAT_EQ(r.fyc, 360.0f);
        EXPECT_FLOAT_EQ(r.fyk, 400.0f);
        EXPECT_FLOAT_EQ(r.Es, 2.0e5f);
    }
}

// Code 1 is the plain round bar: HPB235 in 2002, HPB300 in 2010; code 5 (HRB500,
// fy' 410 below fy 435) exists only in 2010.
TEST(Material, BarGradesThatDifferBetweenEditions) {
    struct Case { int edition, code, known; float fy, fyc, fyk, Es; };
    const Case cases[] = {
        {2002, 1, 1, 210, 210, 235, 2.1e5f},
        {2010, 1, 1, 270, 270, 300, 2.1e5f},
        {2002, 5, 0, 0, 0, 0, 0},
        {2010, 5, 1, 435, 410, 500, 2.0e5f},
        {2010, 9, 0, 0, 0, 0, 0},
        {2010, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        EditionGuard guard(c.edition);
        Rein_Prop r{};
        r.fy = -1;
        EXPECT_EQ(get_rein_property(c.code, &r) != 0, c.known != 0) << c.edition << "/" << c.code;
        EXPECT_FLOAT_EQ(r.fy, c.fy);
        EXPECT_FLOAT_EQ(r.fyc, c.fyc);
        EXPECT_FLOAT_EQ(r.fyk, c.fyk);
        EXPECT_FLOAT_EQ(r.Es, c.Es);
    }
}

// The lining designs under 96, for which there are no tables of its own: its
// lookups give the 2002 values the section design uses, never a zeroed record
// (ν = 0 or Es = 0 would spoil its shear modulus and crack widths).
TEST(Material, OlderEditionsGiveThe2002Values) {
    for (int edition : {96, 89}) {
        EditionGuard guard(edition);
        Con_Prop c{};
        ASSERT_NE(get_rc_property(25, &c), 0) << edition;
        EXPECT_FLOAT_EQ(c.fc, 11.9f);
        EXPECT_FLOAT_EQ(c.ftk, 1.78f);
        EXPECT_FLOAT_EQ(c.Ec, 2.80e4f);
        EXPECT_FLOAT_EQ(c.nu, 0.2f);
        Rein_Prop r{};
        ASSERT_NE(get_rein_property(2, &r), 0) << edition;
        EXPECT_FLOAT_EQ(r.fy, 300.0f);
        EXPECT_FLOAT_EQ(r.fyk, 335.0f);
        EXPECT_FLOAT_EQ(r.Es, 2.0e5f);
        EXPECT_EQ(get_rein_property(5, &r), 0);  // no 500 grade before 2010
    }
    EditionGuard guard(2005);
    Con_Prop c{};
    EXPECT_NE(get_rc_property(30, &c), 0);
    EditionGuard none(1);
    EXPECT_EQ(get_rc_property(30, &c), 0);
}

}  // namespace
