#include "shell/MenuTable.h"

#include <string_view>

#include "shell/CommandIds.h"

namespace vorn {

namespace {
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
        {kData, nullptr, "&PLU", kPlu, Gate::Scale, "set PLU ", false},
        {kData, nullptr, "Preset &Key", kPresetKey, Gate::Scale, "", false},
        {kData, nullptr, "E&xtra Text", kExtraText, Gate::Scale, "", true},
        {kData, nullptr, "&Group", kGroup, Gate::Scale, "", false},
        {kData, nullptr, "&Operator", kOperator, Gate::Scale, "", false},
        {kData, nullptr, "&Tare", kTare, Gate::Scale, "", false},
        {kData, nullptr, "&Discout", kDiscount, Gate::Scale, "", true},
        {kData, nullptr, "DateT&ext", kDateText, Gate::Scale, "", false},
        {kData, nullptr, "&BarCode", kBarcode, Gate::Scale, "", true},
        {kData, nullptr, "Marquee &Message", kMarquee, Gate::Scale, "", false},
        {kData, nullptr, "&HeaderBottom", kHeaderBottom, Gate::Scale, "", false},
        {kData, nullptr, "&Advertisement", kAdvertisement, Gate::Scale, "", false},
        {kData, nullptr, "St&ore Address", kStoreAddress, Gate::Scale, "", true},
        {kData, kDefaultLabel, "By &Weight Label", kByWeightLabel, Gate::Scale, "", false},
        {kData, kDefaultLabel, "&Total Label", kTotalLabel, Gate::Scale, "", false},
        {kData, kDefaultLabel, "By &Count Label", kByCountLabel, Gate::Scale, "", false},
        {kData, nullptr, "&Label Load And Download", kLabelLoadAndDownload, Gate::Never, "", false},
        {nullptr, nullptr, "&Lable Define ", kLabelDefine, Gate::Scale, "", false},
        {kSetup, nullptr, "&DateTime", kDateTime, Gate::Scale, "Set  date & time", false},
        {kSetup, nullptr, "&OperaterSetup", kOperatorSetup, Gate::Scale,
         "set the scale 's configuration", true},
        {kSetup, nullptr, "&CommPortSetup", kCommPortSetup, Gate::Always, "", false},
        {nullptr, nullptr, "&Communication", kCommunication, Gate::Scale, "Batch Transfer", false},
        {kHelp, nullptr, "&About vorn...", kAbout, Gate::Always, "Help", false},
        {kHelp, nullptr, "Help &Topic", kHelpTopic, Gate::Never, "", false},
    };
    return items;
}

const std::vector<HiddenCommand>& hiddenCommands() {
    static const std::vector<HiddenCommand> commands = {
        {"vat", command::kVat, Gate::Scale, ""},
        {"labelFiles", command::kLabelFiles, Gate::Scale, "Label Transfer."},
    };
    return commands;
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
