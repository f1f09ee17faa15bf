#pragma once
// One exchange on the wire within a pass: sending a framed line and waiting for its
// acknowledgement, and receiving an answer frame (or the next frame of a multi-frame answer)
// and acknowledging it. Both look at the stop flag before every single-byte read.

#include <functional>
#include <string>

#include "comm/RunState.h"
#include "comm/TransferLog.h"
#include "platform/Clock.h"
#include "platform/SerialLine.h"

namespace vorn {

enum class Beep { Question, Plain };

// What a pass works with.
struct PassContext {
    SerialLine& line;
    Clock& clock;
    TransferLog& log;
    RunState& state;
    const std::function<void(Beep)>& beep;
};

// Wire timing.
namespace timing {
inline constexpr int kRtsLeadMs = 5;     // RTS on before a frame and before an ACK
inline constexpr int kRtsTailMs = 5;     // after the drain, before RTS goes off
inline constexpr int kChunkBytes = 200;  // a pause after every 200 bytes written
inline constexpr int kChunkPauseMs = 100;
inline constexpr int kAckReadMs = 400;        // reads while an acknowledgement is awaited
inline constexpr int kAckSilenceSeconds = 6;  // the wait ends after more silence than this
inline constexpr int kAckTotalSeconds = 11;   // or after more time than this in all
inline constexpr int kAnswerReadMs = 500;
inline constexpr int kAnswerReads = 10;  // reads of 500 ms before an answer byte is missed
inline constexpr int kAttempts = 3;
}  // namespace timing

// Error codes of a line.
namespace lineError {
inline constexpr int kNoAnswerByte = 202;
inline constexpr int kAnswerTooLong = 203;
inline constexpr int kBadAnswer = 204;
inline constexpr int kNoAck = 206;
inline constexpr int kWriteFailed = 207;
inline constexpr int kNak = 210;
}  // namespace lineError

struct SendResult {
    bool stopped = false;
    bool expectAnswer = false;  // acknowledged and framed with ETX
};

// Sends the line in up to three attempts; sets the last error code (0, 206, 207 or 210).
SendResult sendLine(PassContext& pass, const std::string& line);

struct AnswerResult {
    bool stopped = false;
    int result = 0;         // 0 or the error code of the answer
    bool lastFrame = true;  // false: the frame ended with ETB, more frames follow
    // The stored characters are not one whole frame with a right block check (no end of
    // frame, too long, a NUL, a NAK or a wrong block check character).
    bool damaged = false;
};

// Receives one answer frame into answer (the stored characters, also after a failure) and
// acknowledges it when it belongs to the line sent: status '1' or '3', at least 16 plus key
// width characters, the item key and (with a scale list) the scale number matching.
AnswerResult receiveAnswer(PassContext& pass, std::string& answer);

}  // namespace vorn
