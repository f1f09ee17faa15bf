#pragma once
// The main window's commands as one table: the menu's items in menu order, each with its menu,
// caption, command number, gate, status-bar prompt and the dialog it opens, and the commands
// that no menu item issues. The main window builds its menu bar from this table and runs a
// command's dialog from it; the commands of the main window itself (select scale, exit, the
// bars, the port settings, About, the label layout editor) open no dialog here.

#include <vector>

class QWidget;

namespace vorn {

// Runs a command's dialog modally over the main window.
using OpenDialog = void (*)(QWidget* parent);

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
    OpenDialog open = nullptr;
};

// The items of the menu bar, in order.
const std::vector<MenuItem>& menuItems();

// Commands that the main window handles although no menu item issues them.
struct HiddenCommand {
    const char* name;
    int command;
    Gate gate;
    const char* prompt;
    OpenDialog open = nullptr;
};
const std::vector<HiddenCommand>& hiddenCommands();

// The commands that open a dialog, with the dialog's opener.
struct CommandDialog {
    int command;
    OpenDialog open;
};
std::vector<CommandDialog> commandDialogs();

// The top-level menus in menu-bar order (items on the bar itself included by their caption).
std::vector<const char*> topLevelCaptions();

}  // namespace vorn
