#include "editors/EditorCommands.h"

#include <QWidget>

#include "editors/AdvTextDlg.h"
#include "editors/BarcodeDlg.h"
#include "editors/DateTextDlg.h"
#include "editors/DiscountDlg.h"
#include "editors/ExtraTextDlg.h"
#include "editors/GroupDlg.h"
#include "editors/HeaderBottomDlg.h"
#include "editors/MarqueeDlg.h"
#include "editors/OperatorDlg.h"
#include "editors/StoreAddressDlg.h"
#include "editors/TareDlg.h"
#include "editors/VatDlg.h"
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
        {command::kAdvertisement, &openModal<CAdvTextDlg>},
        {command::kExtraText, &openModal<CExtraTextDlg>},
        {command::kBarcode, &openModal<CBarcodeDlg>},
        {command::kDiscount, &openModal<CDiscountDlg>},
        {command::kStoreAddress, &openModal<CStoreAddressDlg>},
        {command::kMarquee, &openModal<CMarqueeDlg>},
        {command::kHeaderBottom, &openModal<CHeaderBottomDlg>},
    };
}

}  // namespace vorn
