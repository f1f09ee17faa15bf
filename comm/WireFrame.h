#pragma once
// The frame of a record line on the wire: STX, the line's characters, ETB when the line's first
// character is '2' or '3' (more blocks follow, no answer is awaited) or ETX otherwise, then the
// block check: the exclusive or of the line's characters and the ETX or ETB byte.

#include <string>
#include <string_view>

namespace vorn::wire {

inline constexpr unsigned char kNul = 0x00;
inline constexpr unsigned char kStx = 0x02;
inline constexpr unsigned char kEtx = 0x03;
inline constexpr unsigned char kAck = 0x06;
inline constexpr unsigned char kNak = 0x15;
inline constexpr unsigned char kEtb = 0x17;
inline constexpr unsigned char kCtrlZ = 0x1A;

// Most characters in one frame and in one line of trf.out.
inline constexpr std::size_t kMaxFrameText = 1022;
inline constexpr std::size_t kMaxLine = 1023;

// The text a scale sends while it is busy; not acknowledged, the wait goes on.
inline constexpr std::string_view kBusy = "32E-3";

bool endsWithEtb(std::string_view line);
unsigned char blockCheck(std::string_view text, unsigned char end);
std::string frameLine(std::string_view line);

}  // namespace vorn::wire
