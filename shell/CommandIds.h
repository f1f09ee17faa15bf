#pragma once
// The main window's command numbers.

namespace vorn::command {

inline constexpr int kSelectScale = 32793;
inline constexpr int kExit = 57665;
inline constexpr int kToolbar = 59392;
inline constexpr int kStatusBar = 59393;
inline constexpr int kPlu = 32771;
inline constexpr int kPresetKey = 32778;
inline constexpr int kExtraText = 32843;
inline constexpr int kGroup = 32772;
inline constexpr int kOperator = 32777;
inline constexpr int kTare = 32780;
inline constexpr int kDiscount = 32840;
inline constexpr int kDateText = 32773;
inline constexpr int kBarcode = 32782;
inline constexpr int kMarquee = 32783;
inline constexpr int kHeaderBottom = 32775;
inline constexpr int kAdvertisement = 32832;
inline constexpr int kStoreAddress = 32779;
inline constexpr int kByWeightLabel = 32834;
inline constexpr int kTotalLabel = 32835;
inline constexpr int kByCountLabel = 32836;
inline constexpr int kLabelLoadAndDownload = 32851;
inline constexpr int kLabelDefine = 32776;
inline constexpr int kDateTime = 32784;
inline constexpr int kOperatorSetup = 32785;
inline constexpr int kCommPortSetup = 32788;
inline constexpr int kCommunication = 65535;
inline constexpr int kHistory = 32900;
inline constexpr int kAbout = 57664;
inline constexpr int kHelpTopic = 57670;
inline constexpr int kVat = 32781;
inline constexpr int kLabelFiles = 32849;

}  // namespace vorn::command
