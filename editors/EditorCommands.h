#pragma once
// The table editors and the batch dialog that main-window commands open: command number and the
// function that runs the dialog modally over the main window. Commands missing here open nothing
// yet.

#include <vector>

class QWidget;

namespace vorn {

struct CommandDialog {
    int command;
    void (*open)(QWidget* parent);
};

std::vector<CommandDialog> editorCommandDialogs();

}  // namespace vorn
