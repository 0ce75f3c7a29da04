#include "app/moduletable.h"

#include <cstring>
#include <iterator>

// The basement set: the table's content from the start of the run (constant-
// initialised, so code running before main already sees it).
#define KV_BASEMENT_ROWS                                                                          \
    {"顶板", 32809, 1}, {"外墙", 32844, 1}, {"底板", 32846, 1}, {"临空墙", 32788, 1},             \
        {"单元隔墙", 32845, 1}, {"门框墙", 32794, 1}, {"窗井墙", 32843, 1}, {"连续梁", 32810, 1}, \
        {"井字梁", 32811, 1}, {"无梁楼盖", 32812, 1}, {"刚架", 32830, 1},                         \
        {"矩形底球面扁壳", 32816, 1}, {"正六边形底球面扁壳", 32817, 1},                           \
        {"圆形底球面扁壳", 32818, 1}, {"梁截面配筋", 32793, 1}, {"柱截面配筋", 32796, 1}

namespace {

constexpr MODULE_INFO kBasement[] = {KV_BASEMENT_ROWS};

// 单建式 and 成层式 share their rows; 底板 and 外墙 trade places against the basement set.
constexpr MODULE_INFO kDetached[] = {
    {"顶板", 32809, 1},   {"底板", 32846, 1},     {"外墙", 32844, 1},
    {"内墙", 32852, 1},   {"单元隔墙", 32845, 1}, {"临空墙", 32788, 1},
    {"门框墙", 32794, 1}, {"连续梁", 32810, 1},   {"消波", 32790, 1},
};

constexpr MODULE_INFO kTunnel[] = {
    {"门框墙", 32794, 1},
    {"衬砌", 32819, 1},
    {"消波", 32790, 1},
};

}  // namespace

MODULE_INFO G_Module[kModuleRows] = {KV_BASEMENT_ROWS};
int G_ModuleNum = static_cast<int>(std::size(kBasement));

#undef KV_BASEMENT_ROWS

void SetModuleTable(int workSet) {
    const MODULE_INFO* rows = nullptr;
    int count = 0;
    switch (workSet) {
        case 0: rows = kBasement, count = static_cast<int>(std::size(kBasement)); break;
        case 1:
        case 2: rows = kDetached, count = static_cast<int>(std::size(kDetached)); break;
        case 3: rows = kTunnel, count = static_cast<int>(std::size(kTunnel)); break;
        default: return;
    }
    // The whole table at once: rows past the count are zero.
    MODULE_INFO table[kModuleRows] = {};
    std::memcpy(table, rows, sizeof(MODULE_INFO) * count);
    std::memcpy(G_Module, table, sizeof table);
    G_ModuleNum = count;
}
