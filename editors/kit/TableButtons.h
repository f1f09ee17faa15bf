#pragma once
// The button column of the table dialogs: "OK" (the default button) and "Cancel", then, apart
// from them, "PC->Sc" and "Sc->PC"; or "Cancel" last, apart from the transfer buttons. Built
// once for every dialog that has it; "Cancel" rejects the dialog, the others call the dialog's
// operations.

#include <functional>
#include <vector>

class QDialog;
class QPushButton;
class QVBoxLayout;

namespace vorn {

enum class CancelPlace { AfterOk, Last };

struct TableButtons {
    QVBoxLayout* layout = nullptr;    // the column, with room to grow below the buttons
    std::vector<QPushButton*> order;  // the buttons from top to bottom
};

TableButtons tableButtons(QDialog* dialog, CancelPlace cancelPlace,
                          const std::function<void()>& onOk, const std::function<void()>& onSend,
                          const std::function<void()>& onReceive);

}  // namespace vorn
