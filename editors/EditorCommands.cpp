#include "editors/EditorCommands.h"

#include <QWidget>

#include "editors/DateTextDlg.h"
#include "editors/GroupDlg.h"
#include "editors/OperatorDlg.h"
#include "editors/TareDlg.h"
#include "editors/VatDlg.h"
#include "plu/PluListDlg.h"
#include "shell/CommandIds.h"

namespace vorn {

namespace {
// Each command constructs its dialog on the stack over the main window and runs it modally.
template <class Dialog>
void openModal(QWidget* parent) {
    Dialog dialog(parent);
    dialog.exec();
}
}  // namespace

std::vector<CommandDialog> editorCommandDialogs() {
    return {
        {command::kGroup, &openModal<CGroupDlg>},
        {command::kOperator, &openModal<COperatorDlg>},
        {command::kDateText, &openModal<CDateTextDlg>},
        {command::kTare, &openModal<CTareDlg>},
        {command::kVat, &openModal<CVatDlg>},
        {command::kPlu, &openModal<CPluListDlg>},
    };
}

}  // namespace vorn
