#include "editors/EditorCommands.h"

#include <QWidget>

namespace vorn {

std::vector<CommandDialog> editorCommandDialogs() { return {}; }

}  // namespace vorn
