#pragma once
// The main window's menu as data: every item with its menu, caption, command number, gate and
// status-bar prompt, in menu order. The main window builds its menu bar from this table.

#include <vector>

namespace vorn {

// When an item is enabled: only while a scale is selected, always, or never.
enum class Gate { Scale, Always, Never };

struct MenuItem {
    const char* menu;     // top-level caption; nullptr for an item on the menu bar itself
    const char* submenu;  // caption of the submenu holding the item, or nullptr
    const char* caption;
    int command;
    Gate gate;
    // Status-bar text while highlighted ("" for none); a tool tip may follow after a line feed.
    const char* prompt;
    bool separatorAfter;
};

// The items of the menu bar, in order.
const std::vector<MenuItem>& menuItems();

// Commands that the main window handles although no menu item issues them.
struct HiddenCommand {
    const char* name;
    int command;
    Gate gate;
    const char* prompt;
};
const std::vector<HiddenCommand>& hiddenCommands();

// The top-level menus in menu-bar order (items on the bar itself included by their caption).
std::vector<const char*> topLevelCaptions();

}  // namespace vorn
