#include "codes/guifan.h"

#include <gtest/gtest.h>

#include "codes/gangjin.h"
#include "support/edition_guard.h"

namespace {

using kv::test::EditionGuard;

using Ints = std::vector<int>;

TEST(GangJinOrder, DisplayOrderByEditionAndUse) {
    struct Case { int edition, use; Ints order; };
    const Case cases[] = {
        {89, 0, {1, 2, 3}},
        {96, 3, {1, 2, 3}},
        {2002, 3, {1, 2, 3}},
        {2002, 0, {1, 2, 3, 4}},
        {2008, 2, {1, 2, 3, 4}},
        {2010, 0, {3, 7, 5, 8, 1, 2, 6, 4}},
        {2010, 2, {3, 7, 5, 8, 1, 2, 6, 4}},
        {2010, 1, {1, 2, 6, 3, 7, 4, 5, 8}},
        {2010, 3, {1, 2, 6, 3, 7, 5, 8}},
        {2010, 9, {1, 2, 6, 3, 7, 5, 8}},
        {2005, 0, {}},
    };
    for (const Case& c : cases) {
        Ints order = {99};
        EXPECT_EQ(GetGangJinOrder(c.edition, order, c.use), static_cast<int>(c.order.size()));
        EXPECT_EQ(order, c.order) << c.edition << "/" << c.use;
    }
}

TEST(GradeTables, BarGradesPerEdition) {
    EXPECT_EQ(GF_GetGradeCount(2002, 1), 4);
    EXPECT_EQ(GF_GetGradeCount(2010, 1), 8);
    EXPECT_EQ(GF_GetGradeCount(96, 1), 4);  // the 2002 grades
    EXPECT_EQ(GF_GetGradeCount(1, 1), 0);
    const char* signs2010[] = {"HPB300", "HRB335", "HRB400", "RRB400", "HRB500", "HRBF335", "HRBF400", "HRBF500"};
    for (int code = 1; code <= 8; ++code) EXPECT_STREQ(GF_GetGangJinSign(2010, code, 0), signs2010[code - 1]);
    EXPECT_STREQ(GF_GetGangJinSign(2002, 1, 0), "HPB235");
    EXPECT_STREQ(GF_GetGangJinSign(2002, 5, 0), "");
    {
        EditionGuard guard(2002);
        EXPECT_STREQ(_GJ(1), "HPB235");
        EXPECT_STREQ(_HNT(30), "C30");
    }
    EditionGuard guard(2010);
    EXPECT_STREQ(_GJ(1), "HPB300");
    EXPECT_STREQ(_GJ(9), "");
    EXPECT_STREQ(_HNT(32), "");
}

TEST(GradeTables, ConcreteGradesC15ToC80) {
    for (int edition : {2002, 2010}) {
        Ints list;
        ASSERT_EQ(GF_GetCradeList(edition, list), 14);
        EXPECT_EQ(list.front(), 15);
        EXPECT_EQ(list.back(), 80);
        EXPECT_EQ(GF_GetGradeCount(edition, 0), 14);
        EXPECT_STREQ(GF_GetConSign(edition, 45), "C45");
    }
    Ints list = {1};
    EXPECT_EQ(GF_GetCradeList(1, list), 0);
    EXPECT_TRUE(list.empty());
}

TEST(GradeTables, EditionsAndCodeNames) {
    Ints editions;
    EXPECT_EQ(GF_GetGuiFanList(editions), 2);
    EXPECT_EQ(editions, (Ints{2002, 2010}));
    EXPECT_STREQ(GF_GetGuiFanName(2010, 1, 0), "GB 50010-2010");
    EXPECT_STREQ(GF_GetGuiFanName(2010, 1, 2), "《混凝土结构设计规范》GB 50010-2010");
    EXPECT_STREQ(GF_GetGuiFanName(2002, 1, 0), "GB 50010-2002");
    EXPECT_STREQ(GF_GetGuiFanName(96, 1, 0), "");  // borrows the 2002 tables, not the name
}

// Diameter lists: 7 for the plain round bar, 13 for RRB400, 15 for the ribbed
// bars; 24 spacings; all ascending.
TEST(GradeTables, DiameterAndSpacingLists) {
    struct Case { int edition, code; size_t n; };
    const Case cases[] = {{2002, 1, 7}, {2002, 2, 15}, {2002, 3, 15}, {2002, 4, 13},
                          {2010, 1, 7}, {2010, 4, 13}, {2010, 5, 15}, {2010, 8, 15}, {2002, 5, 0}};
    for (const Case& c : cases) {
        Ints dims, spacings;
        EXPECT_EQ(GF_GetGangJinDimList(c.edition, c.code, dims, 0), static_cast<int>(c.n));
        EXPECT_EQ(dims.size(), c.n) << c.edition << "/" << c.code;
        EXPECT_TRUE(std::is_sorted(dims.begin(), dims.end()));
        GF_GetGangJinJianJuList(c.edition, c.code, spacings, 0);
        EXPECT_EQ(spacings.size(), c.n ? 24u : 0u);
        EXPECT_TRUE(std::is_sorted(spacings.begin(), spacings.end()));
    }
    // The bar lists stay when the edition in force has no grade tables (the
    // lining runs its sections under 96).
    for (int edition : {2010, 2002, 96}) {
        EditionGuard guard(edition);
        const CGuiFanString lists;
        EXPECT_EQ(lists.ZhiJing(1).size(), 7u) << edition;
        EXPECT_EQ(lists.ZhiJing(2).size(), 15u) << edition;
        EXPECT_EQ(lists.ZhiJing(3).size(), 15u) << edition;
        EXPECT_EQ(lists.ZhiJing(4).size(), 13u) << edition;
        ASSERT_EQ(lists.m_strJianJu.size(), 24u) << edition;
        EXPECT_EQ(lists.m_strJianJu.front(), "70");
        EXPECT_EQ(lists.m_strJianJu.back(), "300");
    }
}

TEST(GradeFromSign, FindsTheCodeWhoseSignTheTextHolds) {
    struct Case { int edition; const char* text; int kind, code; };
    const Case cases[] = {
        {2010, "HRB400", 1, 3},
        {2010, "*HRBF400", 1, 7},   // not taken for HRB400
        {2010, "hrb500 bars", 1, 5},
        {2002, "HRB500", 1, 5},     // not in 2002: found in 2010
        {2010, "HPB235", 1, 1},     // only in 2002
        {2010, "RRB400", 1, 4},
        {96, "HRBF335", 1, 6},      // unlisted edition: every listed edition searched
        {2010, "nothing", 1, 1},
        {2010, "C30", 0, 30},
        {2002, "c45 concrete", 0, 45},
        {2010, "C10", 0, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(GradeFromSign(c.edition, c.text, c.kind), c.code) << c.text;
}

}  // namespace
