#pragma once
// The program's prompter: a QMessageBox on the user-interface thread, owned by the active
// window. A call from the transfer worker is handed over to the user-interface thread and waits
// for the answer there.

#include "platform/Prompter.h"

class QWidget;

namespace vorn {

class QtPrompter : public Prompter {
public:
    PromptAnswer ask(const Prompt& prompt) override;
};

}  // namespace vorn
