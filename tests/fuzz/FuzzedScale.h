#pragma once
// A scale whose every answer the fuzzer chooses, on the scripted serial line of the engine
// tests (virtual time). Each unit the engine writes (a frame or a lone byte) is answered by the
// next piece of the input: a kind, a delay and some bytes. The kinds let the fuzzer reach deep
// into the protocol without guessing block checks: raw bytes, or an ACK followed by a well
// framed text, an echo of the line sent as an accepted answer, or the busy text.

#include <cstdint>
#include <string>

#include "tests/comm/EngineScriptedLine.h"
#include "tests/fuzz/FuzzSupport.h"

namespace vorn::fuzz {

inline void answerWithInput(Input& input, test::ScriptedLine& line, const std::string& unit) {
    if (input.empty()) {
        return;  // the scale has fallen silent
    }
    const int kind = input.number(0, 5);
    const std::int64_t delayMs = 250LL * input.number(0, 63);  // up to ~16 s: every time-out
    const std::string bytes = input.bytes(input.number(0, 40));
    const char end = input.byte() % 2 == 0 ? '\x03' : '\x17';
    switch (kind) {
        case 0:
            line.send(bytes, delayMs);
            break;
        case 1:
            line.send("\x06", delayMs);
            line.send(test::scaleFrame(bytes, end));
            break;
        case 2:
            if (unit.size() > 3) {
                line.send("\x06", delayMs);
                line.send(test::scaleFrame(test::acceptedAnswer(test::frameText(unit)), end));
            }
            break;
        case 3:
            line.send(test::scaleFrame("32E-3"), delayMs);
            break;
        case 4:  // a frame with a spoiled block check
            line.send(test::scaleFrame(bytes, end, 1 + input.number(0, 254)), delayMs);
            break;
        default:
            line.send(std::string(1, static_cast<char>(input.byte() % 2 == 0 ? 0x06 : 0x15)),
                      delayMs);
            break;
    }
}

}  // namespace vorn::fuzz
