#pragma once
// The marquee message that the scale scrolls on its display: one line of up to 100
// characters, kept in runmsg.dat.

#include <cstddef>
#include <string>
#include <string_view>

#include "editors/kit/SingleText.h"

namespace vorn {

namespace marquee {
// The record: the envelope and the message (16-115).
inline constexpr const char* kRecordFormat = "0002130000000100%-100s";
inline constexpr std::size_t kTextPos = 16;
inline constexpr std::size_t kTextWidth = 100;
inline constexpr const char* kRequestLine = "0002130007000100";
inline constexpr const char* kTransferMessage =
    "Transfering Marquee  message information,please wait...";
inline constexpr const char* kErrorSuffix = "error";
// The first answer line is read whole.
inline constexpr std::size_t kAnswerLineLimit = 1024;
}  // namespace marquee

const SingleTextKind& marqueeTable();

// The record line of a message (cut to 100 characters). No line end.
std::string marqueeRecord(const std::string& message);
// The message of an answer line: positions 16 to 115, padding kept.
std::string marqueeOfAnswer(std::string_view line);

// The marquee dialog's model.
class MarqueeMessage : public SingleText {
public:
    MarqueeMessage() : SingleText(marqueeTable()) {}
};

}  // namespace vorn
