#include "app/menus.h"

namespace {

const MenuItemDef kSep{0, nullptr};

const std::vector<MenuItemDef> kPrint = {
    {57607, "打印(&P)...\tCtrl+P"},
    {57609, "打印预览(&V)"},
    {57606, "打印设置(&R)..."},
};

std::vector<MenuItemDef> Join(std::initializer_list<std::vector<MenuItemDef>> parts) {
    std::vector<MenuItemDef> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

const MenuDef kHelp{"帮助", {{57664, "版本信息"}, {57670, "简要说明"}}};

const MenuDef kGraphics{"图形查询[&G]",
                        {{32808, "设置字符高度"},
                         {32773, "读入DXF文件"},
                         {32799, "显示简图存为DXF文件"},
                         {57634, "显示图形拷贝到剪贴板上"}}};

const MenuDef kTextEdit{"文字编辑[&T]",
                        {{57643, "恢复\tCtrl+Z"},
                         kSep,
                         {57635, "剪切\tCtrl+X"},
                         {57634, "拷贝\tCtrl+C"},
                         {57637, "粘贴\tCtrl+V"},
                         {57639, "特别粘贴"},
                         {57632, "删除选择的文字"},
                         {57642, "全选"},
                         kSep,
                         {32804, "跳到指定行"},
                         {57636, "寻找\tCtrl+F"},
                         {57640, "寻找下一个\tF3"},
                         {57641, "替换\tCtrl+H"},
                         kSep,
                         {57856, "插入对象"},
                         {57857, "连接对象"},
                         {57860, "对象属性\tAlt+Enter"},
                         kSep,
                         {57696, "字体与颜色设置"},
                         kSep,
                         {32771, "读入RTF文件"},
                         {32847, "保存RTF文件"},
                         {32848, "更名保存RTF文件"},
                         {32805, "保存文件为文本文件"}}};

const std::vector<MenuDef> kMenu136 = {
    {"文件(&F)", {{32789, "打开工程"}, kSep, {57665, "退出(&X)"}}},
    {"显示控制(&D)", {{59392, "工具栏(&T)"}, {59393, "状态栏(&S)"}}},
    kHelp,
};

const std::vector<MenuDef> kMenu129 = {
    {"控制(&C)",
     Join({{{32789, "打开工程"}, {32842, "选择计算项目"}, kSep, {32836, "生成编辑计算书"}, {32837, "单项计算"}, kSep},
           kPrint,
           {kSep, {57665, "退出(&X)"}}})},
    {"工程操作[&E]",
     {{916, "增加项目"}, {920, "删除当前项目"}, {913, "当前项目计算"}, kSep, {925, "简图插入AutoCAD"}, {926, "计算书写入Word"}}},
    kGraphics,
    kTextEdit,
    {"显示控制[&D]",
     {{57650, "层叠窗口(&C)"},
      {57651, "平铺窗口(&T)"},
      {57649, "排列图标(&A)"},
      kSep,
      {59392, "工具栏(&T)"},
      {59393, "状态栏(&S)"},
      kSep,
      {32851, "显示计算信息窗口"}}},
    kHelp,
};

const std::vector<MenuDef> kMenu137 = {
    {"控制(&C)", Join({kPrint, {kSep, {32838, "返回"}}})},
    {"荷载计算[&H]",
     {{32774, "地下室公式"},
      {32783, "地下室查表"},
      kSep,
      {32772, "门框墙"},
      {32775, "防倒塌"},
      {32776, "单元隔墙"},
      {32777, "临空墙"},
      {32778, "采光窗"}}},
    {"内力配筋[&N]",
     {{32809, "顶板"},
      {32846, "底板"},
      {32844, "外墙"},
      {32788, "临空墙"},
      {32845, "单元隔墙"},
      {32794, "门框墙"},
      {32843, "窗井墙"},
      kSep,
      {32810, "连续梁"},
      {32811, "井字梁"},
      {32812, "无梁楼盖"},
      {32830, "刚架"},
      kSep,
      {32816, "矩形球面扁壳"},
      {32817, "正六边形球面扁壳"},
      {32818, "圆形球面扁壳"},
      kSep,
      {32793, "梁配筋"},
      {32796, "柱配筋"},
      {32786, "选筋"}}},
    kGraphics,
    kTextEdit,
    kHelp,
};

const std::vector<MenuDef> kMenu138 = {
    {"控制[&C]", Join({kPrint, {kSep, {32838, "返回"}}})},
    {"计算书[&J]", {{32839, "生成计算书"}, {32840, "查看计算书"}}},
    kTextEdit,
    kHelp,
};

const std::vector<MenuDef> kNone;

}  // namespace

const std::vector<MenuDef>& MenuResource(int menuId) {
    switch (menuId) {
        case 136: return kMenu136;
        case 129: return kMenu129;
        case 137: return kMenu137;
        case 138: return kMenu138;
        default: return kNone;
    }
}

const std::vector<AcceleratorDef>& MainAccelerators() {
    static const std::vector<AcceleratorDef> table = {
        {"Ctrl+C", 57634},     {"Ctrl+Ins", 57634},   {"Ctrl+V", 57637},        {"Shift+Ins", 57637},
        {"Ctrl+X", 57635},     {"Shift+Del", 57635},  {"Ctrl+Z", 57643},        {"Alt+Backspace", 57643},
        {"Ctrl+P", 57607},     {"F6", 57680},         {"Shift+F6", 57681},
        // Find and replace: the text menu shows these keys, so they work.
        {"Ctrl+F", 57636},     {"F3", 57640},         {"Ctrl+H", 57641},
    };
    return table;
}
