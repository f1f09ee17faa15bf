#pragma once
// One exchange on the wire within a pass: sending a framed line and waiting for its
// acknowledgement, and receiving an answer frame (or the next frame of a multi-frame answer)
// and acknowledging it. Both look at the stop flag before every single-byte read.

#include <cstdint>
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
inline constexpr int kSends = 4;  // sends of a line, once the scale has acknowledged a frame
// An answer frame that has not come whole after this long has failed, however busy the scale
// says it is.
inline constexpr int kNoProgressSeconds = 60;
// Stray bytes passed over at a time (stale input drained before a frame goes out, bytes before
// an answer frame's STX): at most this many.
inline constexpr int kMostStrayBytes = 4096;
}  // namespace timing

// Answer frames to one request, when the request names no bound of its own: more than any
// table holds (a million PLU numbers).
inline constexpr int kMostAnswerFrames = 1'000'000;

// Error codes of a line, and the line of trf.in that stands for each.
namespace lineError {
inline constexpr int kNoAnswerByte = 202;   // no byte in time, a failing read, no end of frame
inline constexpr int kAnswerTooLong = 203;  // more than 1022 characters in one frame
inline constexpr int kBadAnswer = 204;      // damaged, or not an answer to the line sent
inline constexpr int kNoAck = 206;
inline constexpr int kWriteFailed = 207;
inline constexpr int kNak = 210;
inline constexpr int kUserBreak = 211;      // the run was stopped
inline constexpr int kEndlessAnswer = 212;  // more answer frames than the request's bound
inline constexpr int kNoProgress = 213;     // no whole answer frame in kNoProgressSeconds

// "02" and the code, followed for the codes that the scale's text cannot explain by a few words,
// and, for an intact answer refused for its content, by the scale's text. 02206, 02207 and 02210
// stand alone, as callers have always read them.
std::string line(int code, const std::string& refusedAnswer = {});
inline constexpr const char* kUserBreakLine = "02211 user break or unnormally terminate!";
}  // namespace lineError

struct SendResult {
    bool stopped = false;
    bool expectAnswer = false;  // acknowledged and framed with ETX
};

// Sends the line in up to three attempts, each after the stale input has been drained; sets
// the last error code (0, 206, 207 or 210). Only a lone ACK (or ETX or ETB) acknowledges the
// frame: the bytes of a frame that the scale sends meanwhile, its last byte included, do not.
SendResult sendLine(PassContext& pass, const std::string& line);

struct AnswerResult {
    bool stopped = false;
    int result = 0;         // 0 or the error code of the answer
    bool lastFrame = true;  // false: the frame ended with ETB, more frames follow
    // The stored characters are not one whole frame with a right block check (no end of
    // frame, too long, a NUL, a NAK, a line end or a wrong block check character).
    bool damaged = false;
};

// Receives one answer frame into answer and acknowledges it when it belongs to the line sent:
// status '1' or '3', at least 16 plus key width characters, the item key and (with a scale
// list) the scale number matching. A frame begins with STX: bytes before it are passed over.
// A CR or LF in the text damages the frame. Busy frames are waited through until the clock
// passes giveUpAt (seconds), which fails the answer with 213.
AnswerResult receiveAnswer(PassContext& pass, std::string& answer,
                           std::int64_t giveUpAt = INT64_MAX);

}  // namespace vorn
