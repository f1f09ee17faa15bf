#pragma once
// Frames as the scale sees them: STX, text, ETX (last block) or ETB (more follow), and a block
// check that is the exclusive or of the text and the end byte. The reader takes the PC's bytes
// one at a time and reports each whole frame, or a lone byte outside a frame.

#include <optional>
#include <string>
#include <string_view>

namespace vornsim {

inline constexpr char STX = 0x02;
inline constexpr char ETX = 0x03;
inline constexpr char ACK = 0x06;
inline constexpr char NAK = 0x15;
inline constexpr char ETB = 0x17;

// The longest frame text the scale takes; a longer one is dropped.
inline constexpr std::size_t kMaxText = 1022;

// A frame of the scale's; badCheck spoils the block check on purpose.
std::string encodeFrame(std::string_view text, char end = ETX, bool badCheck = false);

struct Heard {
    enum Kind { Frame, Byte } kind = Byte;
    std::string text;  // the frame's text
    char end = ETX;    // ETX or ETB
    bool checkOk = false;
    char byte = 0;  // a lone byte
};

class FrameReader {
public:
    // Something whole, once the byte completes it.
    std::optional<Heard> feed(char byte);
    bool inFrame() const { return state_ != Idle; }

private:
    enum State { Idle, Text, Check } state_ = Idle;
    std::string text_;
    char end_ = ETX;
    unsigned char check_ = 0;
};

}  // namespace vornsim
