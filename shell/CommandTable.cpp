#include "shell/CommandTable.h"

#include <QWidget>

#include <string_view>

#include "batch/BatchTransferDlg.h"
#include "comm/HistoryDlg.h"
#include "editors/code/BarcodeDlg.h"
#include "editors/code/DiscountDlg.h"
#include "editors/code/PresetKeyDlg.h"
#include "editors/numbered/AdvTextDlg.h"
#include "editors/numbered/DateTextDlg.h"
#include "editors/numbered/ExtraTextDlg.h"
#include "editors/numbered/GroupDlg.h"
#include "editors/numbered/OperatorDlg.h"
#include "editors/numbered/TareDlg.h"
#include "editors/numbered/VatDlg.h"
#include "editors/setup/DefaultLabelDlg.h"
#include "editors/setup/LabelFileDlg.h"
#include "editors/setup/OperatorConfigDlg.h"
#include "editors/setup/TimeDlg.h"
#include "editors/text/HeaderBottomDlg.h"
#include "editors/text/MarqueeDlg.h"
#include "editors/text/StoreAddressDlg.h"
#include "plu/PluListDlg.h"
#include "shell/CommandIds.h"

namespace vorn {

namespace {
// A command's dialog is constructed on the stack over the main window and run modally.
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

constexpr const char* kFile = "&File ";
constexpr const char* kView = "&View ";
constexpr const char* kData = "&Data Input ";
constexpr const char* kSetup = "&Setup ";
constexpr const char* kHelp = "&Help";
constexpr const char* kDefaultLabel = "&Default Label";
}  // namespace

const std::vector<MenuItem>& menuItems() {
    using namespace command;
    static const std::vector<MenuItem> items = {
        {kFile, nullptr, "Select &Scale", kSelectScale, Gate::Always, "please select scale", false},
        {kFile, nullptr, "E&xit", kExit, Gate::Always, "Exit vorn", false},
        {kView, nullptr, "&Toolbar", kToolbar, Gate::Always,
         "Show or hide the toolbar\nToggle ToolBar", false},
        {kView, nullptr, "&Status", kStatusBar, Gate::Always,
         "Show or hide the status bar\nToggle StatusBar", false},
        {kData, nullptr, "&PLU", kPlu, Gate::Scale, "set PLU ", false, &openModal<CPluListDlg>},
        {kData, nullptr, "Preset &Key", kPresetKey, Gate::Scale, "", false,
         &openModal<CPresetKeyDlg>},
        {kData, nullptr, "E&xtra Text", kExtraText, Gate::Scale, "", true,
         &openModal<CExtraTextDlg>},
        {kData, nullptr, "&Group", kGroup, Gate::Scale, "", false, &openModal<CGroupDlg>},
        {kData, nullptr, "&Operator", kOperator, Gate::Scale, "", false, &openModal<COperatorDlg>},
        {kData, nullptr, "&Tare", kTare, Gate::Scale, "", false, &openModal<CTareDlg>},
        {kData, nullptr, "D&iscout", kDiscount, Gate::Scale, "", true, &openModal<CDiscountDlg>},
        {kData, nullptr, "DateT&ext", kDateText, Gate::Scale, "", false, &openModal<CDateTextDlg>},
        {kData, nullptr, "&BarCode", kBarcode, Gate::Scale, "", true, &openModal<CBarcodeDlg>},
        {kData, nullptr, "Marquee &Message", kMarquee, Gate::Scale, "", false,
         &openModal<CMarqueeDlg>},
        {kData, nullptr, "&HeaderBottom", kHeaderBottom, Gate::Scale, "", false,
         &openModal<CHeaderBottomDlg>},
        {kData, nullptr, "&Advertisement", kAdvertisement, Gate::Scale, "", false,
         &openModal<CAdvTextDlg>},
        {kData, nullptr, "Sto&re Address", kStoreAddress, Gate::Scale, "", true,
         &openModal<CStoreAddressDlg>},
        {kData, kDefaultLabel, "By &Weight Label", kByWeightLabel, Gate::Scale, "", false,
         &openDefaultLabel<labelkind::kByWeight>},
        {kData, kDefaultLabel, "&Total Label", kTotalLabel, Gate::Scale, "", false,
         &openDefaultLabel<labelkind::kTotal>},
        {kData, kDefaultLabel, "By &Count Label", kByCountLabel, Gate::Scale, "", false,
         &openDefaultLabel<labelkind::kByCount>},
        {kData, nullptr, "&Label Load And Download", kLabelLoadAndDownload, Gate::Never, "", false},
        {nullptr, nullptr, "&Lable Define ", kLabelDefine, Gate::Scale, "", false},
        {kSetup, nullptr, "&DateTime", kDateTime, Gate::Scale, "Set  date & time", false,
         &openModal<CTimeDlg>},
        {kSetup, nullptr, "&OperaterSetup", kOperatorSetup, Gate::Scale,
         "set the scale 's configuration", true, &openModal<COperatorConfigDlg>},
        {kSetup, nullptr, "&CommPortSetup", kCommPortSetup, Gate::Always, "", false},
        {nullptr, nullptr, "&Communication", kCommunication, Gate::Scale, "Batch Transfer", false,
         &openModal<CBatchTransferDlg>},
        {nullptr, nullptr, "Histor&y", kHistory, Gate::Scale, "Transfers to and from the scale",
         false, &openModal<CHistoryDlg>},
        {kHelp, nullptr, "&About vorn...", kAbout, Gate::Always, "Help", false},
        {kHelp, nullptr, "Help &Topic", kHelpTopic, Gate::Always, "Open the user manual", false},
    };
    return items;
}

const std::vector<HiddenCommand>& hiddenCommands() {
    static const std::vector<HiddenCommand> commands = {
        {"vat", command::kVat, Gate::Scale, "", &openModal<CVatDlg>},
        {"labelFiles", command::kLabelFiles, Gate::Scale, "Label Transfer.",
         &openModal<CLabelFileDlg>},
    };
    return commands;
}

std::vector<CommandDialog> commandDialogs() {
    std::vector<CommandDialog> dialogs;
    for (const MenuItem& item : menuItems()) {
        if (item.open != nullptr) {
            dialogs.push_back({item.command, item.open});
        }
    }
    for (const HiddenCommand& hidden : hiddenCommands()) {
        if (hidden.open != nullptr) {
            dialogs.push_back({hidden.command, hidden.open});
        }
    }
    return dialogs;
}

std::vector<const char*> topLevelCaptions() {
    std::vector<const char*> captions;
    for (const MenuItem& item : menuItems()) {
        const char* caption = item.menu ? item.menu : item.caption;
        if (captions.empty() || std::string_view(captions.back()) != caption) {
            captions.push_back(caption);
        }
    }
    return captions;
}

}  // namespace vorn
