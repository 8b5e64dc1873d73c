#pragma once
// The menu bar and the toolbar as tables: which command stands where, with which text
// and key. Prompts and tool tips come from the string table by command number.

#include <vector>

struct MenuItemDef {
    MenuItemDef() = default; // a separator
    MenuItemDef(int command, const char* menuText, const char* key = nullptr, bool check = false)
        : id(command), text(menuText), shortcut(key), checkable(check)
    {
    }

    int id = 0;                     // 0: a separator
    const char* text = nullptr;     // with the "&" of its access key
    const char* shortcut = nullptr; // portable key name, or null
    bool checkable = false;
};

struct MenuDef {
    const char* title;
    std::vector<MenuItemDef> items;
};

const std::vector<MenuDef>& MainMenuLayout();

// Toolbar buttons left to right; 0 stands for a separator.
const std::vector<int>& ToolbarLayout();
