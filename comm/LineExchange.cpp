#include "comm/LineExchange.h"

#include <optional>

#include "comm/RecordLine.h"
#include "comm/WireFrame.h"
#include "tables/NumberText.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

// One single-byte read; keeps the timeout flag. A failing read beeps, counts as a time-out and
// takes the time-out's time, so that a dead port is not polled in a tight loop.
ReadResult readOnce(PassContext& pass, int timeoutMs) {
    ReadResult r = pass.line.readByte(timeoutMs);
    if (r.status == ReadStatus::Failure) {
        if (pass.beep) {
            pass.beep(Beep::Plain);
        }
        pass.clock.sleepMs(timeoutMs);
    }
    pass.state.timeout = r.status != ReadStatus::Byte;
    return r;
}

bool stopNoticed(PassContext& pass) {
    if (pass.state.stop != 0) {
        pass.state.transferSucceeded = false;
        return true;
    }
    return false;
}

enum class AckWait { Stopped, Done };

// Waits for the acknowledgement of a frame; sets error to 0, 206 or 210.
AckWait awaitAck(PassContext& pass, int& error) {
    pass.log.ackWaitBegin(pass.clock.timeOfDay());
    const std::int64_t waitStart = pass.clock.nowSeconds();
    std::int64_t silenceStart = waitStart;
    bool byteBefore = false;
    for (;;) {
        if (stopNoticed(pass)) {
            return AckWait::Stopped;
        }
        const ReadResult r = readOnce(pass, timing::kAckReadMs);
        pass.log.ackWaitRead(r);
        const std::int64_t now = pass.clock.nowSeconds();
        const std::int64_t elapsed = now - waitStart;
        const bool byteNow = r.status == ReadStatus::Byte;
        bool ends = false;
        if (!byteNow && byteBefore) {
            silenceStart = now;
        } else if (!byteNow && !byteBefore && now - silenceStart > timing::kAckSilenceSeconds) {
            ends = true;
        }
        byteBefore = byteNow;
        const unsigned char b = byteNow ? r.byte : 0;
        if (b == wire::kAck || b == wire::kEtx || b == wire::kEtb) {
            error = 0;
            pass.state.unacknowledged = false;
            break;
        }
        error = b == wire::kNak ? lineError::kNak : lineError::kNoAck;
        if (ends || elapsed > timing::kAckTotalSeconds) {
            break;
        }
    }
    pass.log.ackWaitEnd(pass.clock.timeOfDay());
    return AckWait::Done;
}

}  // namespace

SendResult sendLine(PassContext& pass, const std::string& line) {
    const std::string frame = wire::frameLine(line);
    int error = 0;
    for (int attempt = 0; attempt < timing::kAttempts; ++attempt) {
        if (attempt > 0 && pass.beep) {
            pass.beep(Beep::Question);
        }
        pass.line.setRts(true);
        pass.clock.sleepMs(timing::kRtsLeadMs);
        // A byte that cannot be written ends the frame: the rest would be garbage to the
        // scale, and a line that refuses one byte (a vanished device) refuses the next.
        std::size_t written = 0;
        while (written < frame.size() &&
               pass.line.writeByte(static_cast<unsigned char>(frame[written]))) {
            ++written;
            if (written % timing::kChunkBytes == 0) {
                pass.clock.sleepMs(timing::kChunkPauseMs);
            }
        }
        if (stopNoticed(pass)) {
            return {true, false};
        }
        pass.line.drain();
        pass.clock.sleepMs(timing::kRtsTailMs);
        if (written < frame.size()) {
            // A failing write is a failing line, like a failing read: a beep and a time-out.
            if (pass.beep) {
                pass.beep(Beep::Plain);
            }
            pass.state.timeout = true;
            error = lineError::kWriteFailed;
            continue;
        }
        pass.log.frameSent(frame);
        pass.line.setRts(false);
        if (awaitAck(pass, error) == AckWait::Stopped) {
            return {true, false};
        }
        if (error == 0) {
            break;
        }
    }
    pass.state.lastError = error;
    return {false, error == 0 && !wire::endsWithEtb(line)};
}

namespace {

// Up to ten reads of 500 ms until one yields a byte; a failing read ends the wait at once.
// Looks at the stop flag before each read.
std::optional<ReadResult> readPatiently(PassContext& pass) {
    ReadResult r;
    for (int i = 0; i < timing::kAnswerReads; ++i) {
        if (pass.state.stop != 0) {
            return std::nullopt;
        }
        r = readOnce(pass, timing::kAnswerReadMs);
        if (r.status != ReadStatus::None) {
            break;
        }
    }
    return r;
}

bool answerBelongs(PassContext& pass, const std::string& answer) {
    const int keyWidth = pass.state.keyWidth;
    if (answer.size() < envelope::kLength + static_cast<std::size_t>(keyWidth)) {
        return false;
    }
    if (answer[0] != '1' && answer[0] != '3') {
        return false;
    }
    if (intValue(field(answer, envelope::kLength, keyWidth)) != pass.state.itemKey) {
        return false;
    }
    return !pass.state.scaleListGiven ||
           intValue(field(answer, envelope::kScale, 2)) == pass.state.scaleNumber;
}

}  // namespace

AnswerResult receiveAnswer(PassContext& pass, std::string& answer) {
    pass.line.setRts(false);
    AnswerResult out;
    for (int attempt = 0; attempt < timing::kAttempts; ++attempt) {
        pass.log.answerBegin();
        answer.clear();
        unsigned char bcc = 0;
        bool endSeen = false;
        bool bccPending = false;
        out.lastFrame = true;
        out.result = 0;
        for (int reads = 0; out.result == 0 && (!endSeen || bccPending) && reads < 1024; ++reads) {
            if (stopNoticed(pass)) {
                out.stopped = true;
                return out;
            }
            const std::optional<ReadResult> got = readPatiently(pass);
            if (!got) {
                stopNoticed(pass);
                out.stopped = true;
                return out;
            }
            const ReadResult r = *got;
            pass.log.answerRead(r, pass.clock.timeOfDay());
            if (r.status != ReadStatus::Byte) {
                out.result = lineError::kNoAnswerByte;
                continue;
            }
            const unsigned char b = r.byte;
            if (bccPending) {
                bccPending = false;
            } else if (b == wire::kNul) {
                out.result = lineError::kBadAnswer;
            } else if (b == wire::kStx) {
                answer.clear();
                bcc = 0;
            } else if (b == wire::kNak) {
                out.result = lineError::kNak;
            } else if (b == wire::kEtb || b == wire::kEtx) {
                if (b == wire::kEtb) {
                    out.lastFrame = false;
                }
                endSeen = true;
                bccPending = true;
            } else {
                answer.push_back(static_cast<char>(b));
                bcc ^= b;
                if (answer.size() > wire::kMaxFrameText) {
                    out.result = lineError::kAnswerTooLong;
                }
            }
            if (endSeen) {
                if (bccPending) {
                    bcc ^= b;
                } else if (b != bcc) {
                    out.result = lineError::kBadAnswer;
                }
            }
        }
        if (!endSeen && out.result == 0) {
            out.result = lineError::kNoAnswerByte;
        }
        out.damaged = out.result != 0;
        if (out.result == 0 && !answerBelongs(pass, answer)) {
            out.result = lineError::kBadAnswer;
        }
        if (out.result == 0) {
            pass.line.setRts(true);
            if (stopNoticed(pass)) {
                out.stopped = true;
                return out;
            }
            pass.clock.sleepMs(timing::kRtsLeadMs);
            pass.line.writeByte(wire::kAck);
            pass.line.drain();  // the ACK must be out before RTS goes off again
            break;
        }
        if (answer == wire::kBusy) {
            attempt = -1;  // the scale is busy: wait on, the attempts start again
        }
    }
    return out;
}

}  // namespace vorn
