#pragma once
// The texts of the progress display: the window title of the scale being served and the count
// of items sent.

#include <string>

namespace vorn {

inline constexpr const char* kScaleTitleFormat = "Scale No.:%d:%s";
inline constexpr const char* kOneItemSentFormat = " %d item has sent!";
inline constexpr const char* kItemsSentFormat = " %d items has sent!";
inline constexpr const char* kPortFailureText = "Can not open communication port!";
inline constexpr const char* kDefaultMessageText = "Transfering data,please wait......";

// The title for a scale (the display keeps its title for scale number 0).
std::string scaleTitle(int scaleNumber, const std::string& scaleName);
// The items-sent text after answerCount answer lines: the count of items (answers / records
// per item, at least 1 record per item) in the one or many form; 0 items keeps current.
std::string itemsSentText(int answerCount, int recordsPerItem, const std::string& current);

}  // namespace vorn
