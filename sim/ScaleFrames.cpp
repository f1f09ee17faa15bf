#include "sim/ScaleFrames.h"

namespace vornsim {

std::string encodeFrame(std::string_view text, char end, bool badCheck) {
    unsigned char check = static_cast<unsigned char>(end);
    for (const char c : text) {
        check ^= static_cast<unsigned char>(c);
    }
    if (badCheck) {
        check ^= 0x5A;
    }
    std::string f(1, STX);
    f.append(text);
    f.push_back(end);
    f.push_back(static_cast<char>(check));
    return f;
}

std::optional<Heard> FrameReader::feed(char byte) {
    switch (state_) {
        case Idle:
            if (byte == STX) {
                state_ = Text;
                text_.clear();
                check_ = 0;
                return std::nullopt;
            }
            return Heard{Heard::Byte, {}, ETX, false, byte};
        case Text:
            if (byte == STX) {  // a new frame begins: the old one is dropped
                text_.clear();
                check_ = 0;
            } else if (byte == ETX || byte == ETB) {
                end_ = byte;
                check_ ^= static_cast<unsigned char>(byte);
                state_ = Check;
            } else if (text_.size() >= kMaxText) {
                state_ = Idle;  // too long for the scale: dropped, no answer
            } else {
                text_.push_back(byte);
                check_ ^= static_cast<unsigned char>(byte);
            }
            return std::nullopt;
        case Check:
            state_ = Idle;
            return Heard{Heard::Frame, text_, end_, static_cast<unsigned char>(byte) == check_, 0};
    }
    return std::nullopt;
}

}  // namespace vornsim
