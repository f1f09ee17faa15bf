#include "comm/LineExchange.h"

#include <optional>

#include "comm/RecordLine.h"
#include "comm/WireFrame.h"
#include "tables/NumberText.h"
#include "tables/TextPieces.h"

namespace vorn {

std::string lineError::line(int code, const std::string& refusedAnswer) {
    const std::string head = "02" + std::to_string(code);
    switch (code) {
        case kNoAnswerByte:
            return head + " no answer from the scale, or only part of one";
        case kAnswerTooLong:
            return head + " answer frame longer than 1022 characters";
        case kBadAnswer:
            return head + (refusedAnswer.empty()
                               ? " damaged answer from the scale"
                               : " answer not for this request: " + refusedAnswer);
        case kUserBreak:
            return kUserBreakLine;
        case kEndlessAnswer:
            return head + " the answer did not end: more records than the table holds";
        case kNoProgress:
            return head + " the scale stayed busy: no answer came in " +
                   std::to_string(timing::kNoProgressSeconds) + " seconds";
        default:
            return head;
    }
}

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

// Reads and logs what is already waiting on the line, without waiting for more: the rest of an
// earlier exchange (a frame sent again, a late acknowledgement) that must not be taken for the
// answer to the frame about to go out.
void drainStaleInput(PassContext& pass) {
    bool logged = false;
    for (int i = 0; i < timing::kMostStrayBytes; ++i) {
        const ReadResult r = pass.line.readByte(0);
        if (r.status != ReadStatus::Byte) {
            break;
        }
        if (!logged) {
            pass.log.answerBegin();
            logged = true;
        }
        pass.log.answerRead(r, {});
    }
}

// Reads the bytes that come while an acknowledgement is awaited. A lone ACK, ETX or ETB
// acknowledges and a NAK refuses; but an ETX or ETB right after other bytes ends a frame that
// the scale sends meanwhile (a stale one, or one whose head was lost) and the byte after it is
// that frame's block check, and an ACK right after 0x10 is a centred line break in a text.
class AckScan {
public:
    // The error of the attempt as it stands after this read: 0, 206 or 210.
    int take(const ReadResult& r) {
        if (r.status != ReadStatus::Byte) {
            previous_ = kNothing;  // silence: a frame broken off is over
            checkNext_ = false;
            return lineError::kNoAck;
        }
        const unsigned char b = r.byte;
        int error = lineError::kNoAck;
        if (checkNext_) {
            checkNext_ = false;
            previous_ = kNothing;
            return error;
        }
        if (b == wire::kNak) {
            error = lineError::kNak;
        } else if (b == wire::kAck && previous_ != kLineBreak) {
            error = 0;
        } else if (b == wire::kEtx || b == wire::kEtb) {
            if (previous_ == kNothing || isControl(previous_)) {
                error = 0;
            } else {
                checkNext_ = true;
            }
        }
        previous_ = b;
        return error;
    }

private:
    static constexpr int kNothing = -1;
    static constexpr int kLineBreak = 0x10;
    static bool isControl(int b) {
        return b == wire::kAck || b == wire::kNak || b == wire::kEtx || b == wire::kEtb;
    }
    int previous_ = kNothing;
    bool checkNext_ = false;
};

enum class AckWait { Stopped, Done };

// Waits for the acknowledgement of a frame; sets error to 0, 206 or 210.
AckWait awaitAck(PassContext& pass, int& error) {
    pass.log.ackWaitBegin(pass.clock.timeOfDay());
    const std::int64_t waitStart = pass.clock.nowSeconds();
    std::int64_t silenceStart = waitStart;
    bool byteBefore = false;
    AckScan scan;
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
        error = scan.take(r);
        if (error == 0) {
            pass.state.unacknowledged = false;
            break;
        }
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
        drainStaleInput(pass);
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

// One attempt at a frame: its bytes as they come in, judged one by one.
class FrameScan {
public:
    // Takes one byte; sets result when the frame has failed.
    void take(unsigned char b, std::string& text, AnswerResult& out) {
        if (bccPending_) {
            bccPending_ = false;
            if (b != bcc_) {
                out.result = lineError::kBadAnswer;
            }
            return;
        }
        if (b == wire::kNul) {
            out.result = lineError::kBadAnswer;
        } else if (b == wire::kNak) {
            out.result = lineError::kNak;
        } else if (b == wire::kStx) {
            started_ = true;
            text.clear();
            bcc_ = 0;
        } else if (!started_) {
            // Bytes before an STX, an end byte included, are the rest of a frame whose head
            // was lost: never part of an answer.
        } else if (b == wire::kEtb || b == wire::kEtx) {
            out.lastFrame = b == wire::kEtx;
            endSeen_ = true;
            bccPending_ = true;
            bcc_ ^= b;
        } else if (b == '\r' || b == '\n') {
            out.result = lineError::kBadAnswer;  // no answer may add a line to trf.in
        } else {
            text.push_back(static_cast<char>(b));
            bcc_ ^= b;
            if (text.size() > wire::kMaxFrameText) {
                out.result = lineError::kAnswerTooLong;
            }
        }
    }
    bool whole() const { return endSeen_ && !bccPending_; }
    bool started() const { return started_; }

private:
    bool started_ = false;
    bool endSeen_ = false;
    bool bccPending_ = false;
    unsigned char bcc_ = 0;
};

}  // namespace

AnswerResult receiveAnswer(PassContext& pass, std::string& answer, std::int64_t giveUpAt) {
    pass.line.setRts(false);
    AnswerResult out;
    for (int attempt = 0; attempt < timing::kAttempts; ++attempt) {
        pass.log.answerBegin();
        answer.clear();
        out.lastFrame = true;
        out.result = 0;
        FrameScan scan;
        // At most 1024 reads from the STX on; stray bytes before it are counted apart.
        int reads = 0;
        int stray = 0;
        while (out.result == 0 && !scan.whole() && reads < 1024) {
            if (stopNoticed(pass)) {
                out.stopped = true;
                return out;
            }
            if (pass.clock.nowSeconds() > giveUpAt) {
                out.result = lineError::kNoProgress;
                out.damaged = true;
                return out;
            }
            const std::optional<ReadResult> got = readPatiently(pass);
            if (!got) {
                stopNoticed(pass);
                out.stopped = true;
                return out;
            }
            // The time of day is logged only with a read that brought nothing.
            pass.log.answerRead(
                *got, got->status == ReadStatus::Byte ? std::string() : pass.clock.timeOfDay());
            if (got->status != ReadStatus::Byte) {
                out.result = lineError::kNoAnswerByte;
            } else {
                scan.take(got->byte, answer, out);
            }
            if (scan.started()) {
                ++reads;
            } else if (++stray > timing::kMostStrayBytes) {
                out.result = lineError::kNoAnswerByte;
            }
        }
        if (!scan.whole() && out.result == 0) {
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
