// The connection test's verdict on whatever the scale left in trf.in. The first byte chooses how
// the run ended and whether the scale acknowledged; the rest up to a line feed is the first line.
// A success line, and only one, is "answered"; every other verdict that is shown has a text and
// a detail of valid UTF-8.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "comm/ConnectionTest.h"
#include "comm/RecordLine.h"

namespace {

bool validUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto end = static_cast<vorn::ConnectionEnd>(data[0] % 3);
    const bool acknowledged = (data[0] & 0x4) != 0;
    std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
    line = line.substr(0, line.find('\n'));
    const vorn::ConnectionVerdict v = vorn::judgeConnection(line, end, acknowledged, "/dev/ttyS0",
                                                            std::chrono::milliseconds(6000));
    if ((v.result == vorn::ConnectionResult::Answered) != vorn::isSuccessLine(line)) {
        __builtin_trap();
    }
    if (v.result == vorn::ConnectionResult::Failed &&
        (v.text.empty() || v.detail.empty() || !validUtf8(v.text) || !validUtf8(v.detail))) {
        __builtin_trap();
    }
    return 0;
}
