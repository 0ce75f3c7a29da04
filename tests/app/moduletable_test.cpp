#include "app/moduletable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
    int workSet;
    std::vector<std::pair<std::string, int>> rows;
};

const std::vector<std::pair<std::string, int>> kBasement = {
    {"顶板", 32809},     {"外墙", 32844},     {"底板", 32846},           {"临空墙", 32788},
    {"单元隔墙", 32845}, {"门框墙", 32794},   {"窗井墙", 32843},         {"连续梁", 32810},
    {"井字梁", 32811},   {"无梁楼盖", 32812}, {"刚架", 32830},           {"矩形底球面扁壳", 32816},
    {"正六边形底球面扁壳", 32817}, {"圆形底球面扁壳", 32818}, {"梁截面配筋", 32793}, {"柱截面配筋", 32796}};
const std::vector<std::pair<std::string, int>> kDetached = {
    {"顶板", 32809},     {"底板", 32846},   {"外墙", 32844},   {"内墙", 32852}, {"单元隔墙", 32845},
    {"临空墙", 32788},   {"门框墙", 32794}, {"连续梁", 32810}, {"消波", 32790}};

void ExpectTable(const Case& c) {
    ASSERT_EQ(G_ModuleNum, static_cast<int>(c.rows.size()));
    for (int i = 0; i < kModuleRows; ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        if (i < G_ModuleNum) {
            EXPECT_EQ(std::string(G_Module[i].name), c.rows[i].first);
            EXPECT_EQ(G_Module[i].nID, c.rows[i].second);
            EXPECT_EQ(G_Module[i].nFlag, 1);
        } else {
            for (char ch : G_Module[i].name) EXPECT_EQ(ch, '\0');
            EXPECT_EQ(G_Module[i].nID, 0);
            EXPECT_EQ(G_Module[i].nFlag, 0);
        }
    }
}

TEST(ModuleTable, HoldsTheBasementSetFromTheStart) { ExpectTable({0, kBasement}); }

TEST(ModuleTable, EachWorkSettingGivesItsRowsAndZeroesTheRest) {
    const Case cases[] = {
        {3, {{"门框墙", 32794}, {"衬砌", 32819}, {"消波", 32790}}},
        {1, kDetached},
        {2, kDetached},
        {0, kBasement},
    };
    // Going from the longest table to shorter ones shows that stale rows are cleared.
    for (const Case& c : cases) {
        SCOPED_TRACE("work setting " + std::to_string(c.workSet));
        SetModuleTable(c.workSet);
        ExpectTable(c);
        if (c.workSet == 0) SetModuleTable(3);  // then back up from 3 rows
    }
    SetModuleTable(0);
    ExpectTable({0, kBasement});
}

TEST(ModuleTable, AnUnknownSettingLeavesTheTableAlone) {
    SetModuleTable(1);
    SetModuleTable(7);
    SetModuleTable(-1);
    ExpectTable({1, kDetached});
    SetModuleTable(0);
}

}  // namespace
