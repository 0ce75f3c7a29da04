#pragma once
// The menus of the main frame: 136 with no window open, 129 project windows,
// 137 single calculation, 138 report. Texts and ids are the program's own; the text
// after a tab is the key name shown beside the item.
#include <vector>

struct MenuItemDef {
    int id;  // 0: separator
    const char* text;
};

struct MenuDef {
    const char* title;
    std::vector<MenuItemDef> items;
};

// The top-level menus of a menu resource; empty for an unknown id.
const std::vector<MenuDef>& MenuResource(int menuId);

struct AcceleratorDef {
    const char* keys;  // as QKeySequence reads it
    int id;
};
// Accelerator table 136, the main frame's.
const std::vector<AcceleratorDef>& MainAccelerators();
