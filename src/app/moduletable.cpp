#include "app/moduletable.h"

#include <cstring>
#include <iterator>

namespace {

struct Row {
    const char* name;
    int id;
};

constexpr Row kBasement[] = {
    {"顶板", 32809},           {"外墙", 32844},           {"底板", 32846},
    {"临空墙", 32788},         {"单元隔墙", 32845},       {"门框墙", 32794},
    {"窗井墙", 32843},         {"连续梁", 32810},         {"井字梁", 32811},
    {"无梁楼盖", 32812},       {"刚架", 32830},           {"矩形底球面扁壳", 32816},
    {"正六边形底球面扁壳", 32817}, {"圆形底球面扁壳", 32818}, {"梁截面配筋", 32793},
    {"柱截面配筋", 32796},
};

// 单建式 and 成层式 share their rows; 底板 and 外墙 trade places against the basement set.
constexpr Row kDetached[] = {
    {"顶板", 32809},     {"底板", 32846},   {"外墙", 32844},
    {"内墙", 32852},     {"单元隔墙", 32845}, {"临空墙", 32788},
    {"门框墙", 32794},   {"连续梁", 32810}, {"消波", 32790},
};

constexpr Row kTunnel[] = {
    {"门框墙", 32794},
    {"衬砌", 32819},
    {"消波", 32790},
};

template <std::size_t N>
void Fill(MODULE_INFO (&table)[kModuleRows], const Row (&rows)[N]) {
    static_assert(N <= kModuleRows);
    for (std::size_t i = 0; i < N; ++i) {
        std::strncpy(table[i].name, rows[i].name, sizeof table[i].name - 1);
        table[i].nID = rows[i].id;
        table[i].nFlag = 1;
    }
}

struct StartTable {
    StartTable() {
        Fill(G_Module, kBasement);
        G_ModuleNum = static_cast<int>(std::size(kBasement));
    }
};

}  // namespace

MODULE_INFO G_Module[kModuleRows] = {};
int G_ModuleNum = 0;

// The table holds the basement set from the start of the run.
static StartTable g_startTable;

void SetModuleTable(int workSet) {
    MODULE_INFO table[kModuleRows] = {};
    int count = 0;
    switch (workSet) {
        case 0:
            Fill(table, kBasement);
            count = static_cast<int>(std::size(kBasement));
            break;
        case 1:
        case 2:
            Fill(table, kDetached);
            count = static_cast<int>(std::size(kDetached));
            break;
        case 3:
            Fill(table, kTunnel);
            count = static_cast<int>(std::size(kTunnel));
            break;
        default:
            return;
    }
    std::memcpy(G_Module, table, sizeof table);
    G_ModuleNum = count;
}
