#include "editors/EditorCommands.h"

#include <QWidget>

#include "batch/BatchTransferDlg.h"
#include "editors/AdvTextDlg.h"
#include "editors/BarcodeDlg.h"
#include "editors/DateTextDlg.h"
#include "editors/DefaultLabelDlg.h"
#include "editors/DiscountDlg.h"
#include "editors/ExtraTextDlg.h"
#include "editors/GroupDlg.h"
#include "editors/HeaderBottomDlg.h"
#include "editors/LabelFileDlg.h"
#include "editors/MarqueeDlg.h"
#include "editors/OperatorConfigDlg.h"
#include "editors/OperatorDlg.h"
#include "editors/PresetKeyDlg.h"
#include "editors/StoreAddressDlg.h"
#include "editors/TareDlg.h"
#include "editors/TimeDlg.h"
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

// One command per kind of default label.
template <const DefaultLabelKind& kind>
void openDefaultLabel(QWidget* parent) {
    CDefaultLabelDlg dialog(kind, parent);
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
        {command::kPresetKey, &openModal<CPresetKeyDlg>},
        {command::kOperatorSetup, &openModal<COperatorConfigDlg>},
        {command::kDateTime, &openModal<CTimeDlg>},
        {command::kByWeightLabel, &openDefaultLabel<labelkind::kByWeight>},
        {command::kTotalLabel, &openDefaultLabel<labelkind::kTotal>},
        {command::kByCountLabel, &openDefaultLabel<labelkind::kByCount>},
        {command::kLabelFiles, &openModal<CLabelFileDlg>},
        {command::kCommunication, &openModal<CBatchTransferDlg>},
        {command::kAdvertisement, &openModal<CAdvTextDlg>},
        {command::kExtraText, &openModal<CExtraTextDlg>},
        {command::kBarcode, &openModal<CBarcodeDlg>},
        {command::kDiscount, &openModal<CDiscountDlg>},
        {command::kStoreAddress, &openModal<CStoreAddressDlg>},
        {command::kMarquee, &openModal<CMarqueeDlg>},
        {command::kHeaderBottom, &openModal<CHeaderBottomDlg>},
        {command::kPlu, &openModal<CPluListDlg>},
    };
}

}  // namespace vorn
