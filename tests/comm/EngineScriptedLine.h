#pragma once
// A serial line with a scripted scale behind it, in virtual time. The scale hears every frame
// the engine writes (from STX to the block check) and every lone byte (the engine's ACK) as one
// unit, and answers by queueing bytes, optionally after a delay. A read that finds nothing due
// within its time-out moves the virtual clock on by the time-out.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "comm/EngineTransferRunner.h"
#include "platform/Clock.h"
#include "platform/SerialLine.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn::test {

// The scale's own framing, for scripting its answers.
inline std::string scaleFrame(const std::string& text, char end = '\x03', int bccOffset = 0) {
    unsigned char bcc = static_cast<unsigned char>(end);
    for (const char c : text) {
        bcc ^= static_cast<unsigned char>(c);
    }
    std::string f = "\x02" + text;
    f.push_back(end);
    f.push_back(static_cast<char>(bcc ^ bccOffset));
    return f;
}

// The scale's answer to a line: the line with the answer status '1'.
inline std::string acceptedAnswer(std::string line) {
    line[0] = '1';
    return line;
}

// The text of a frame the engine wrote (between STX and ETX/ETB).
inline std::string frameText(const std::string& frame) {
    return frame.substr(1, frame.size() - 3);
}

class ScriptedLine : public SerialLine {
public:
    explicit ScriptedLine(VirtualClock& clock) : clock_(clock) {}

    // The scale: called for each frame or lone byte written.
    std::function<void(ScriptedLine&, const std::string& unit)> scale;
    // Called before every read (e.g. to press Cancel after a number of reads).
    std::function<void(int readCount)> beforeRead;

    bool openSucceeds = true;
    OpenFailure openFailure = OpenFailure::Other;  // why, when the open fails
    OpenError refusal;                             // a refusal after the open (refusalAfterOpen)
    std::string failure;                           // why the line stopped (failureText)
    int failReadsFrom = -1;                        // reads with this index and later fail
    int failWritesFrom = -1;                       // writes with this index and later fail

    // Queues bytes, due delayMs after the bytes queued before them (or after now).
    void send(const std::string& bytes, std::int64_t delayMs = 0) {
        const std::int64_t at = std::max(clock_.nowMs(), lastDue_) + delayMs;
        for (const char c : bytes) {
            pending_.push_back({at, static_cast<unsigned char>(c)});
        }
        lastDue_ = at;
    }

    bool open(const std::string& device, const LineSettings& settings) override {
        ++opens;
        openedDevice = device;
        openedSettings = settings;
        isOpen = openSucceeds;
        return openSucceeds;
    }
    OpenError lastOpenError() const override {
        return {openSucceeds ? OpenFailure::None : openFailure, 0};
    }
    OpenError refusalAfterOpen() const override { return refusal; }
    std::string failureText() const override { return failure; }
    ReadResult readByte(int timeoutMs) override {
        if (beforeRead) {
            beforeRead(reads);
        }
        const int index = reads++;
        if (failReadsFrom >= 0 && index >= failReadsFrom) {
            return {ReadStatus::Failure, 0};
        }
        if (!pending_.empty() && pending_.front().at <= clock_.nowMs() + timeoutMs) {
            const Pending p = pending_.front();
            pending_.pop_front();
            if (p.at > clock_.nowMs()) {
                clock_.advanceMs(p.at - clock_.nowMs());
            }
            return {ReadStatus::Byte, p.byte};
        }
        clock_.advanceMs(timeoutMs);
        return {ReadStatus::None, 0};
    }
    bool writeByte(unsigned char byte) override {
        const int index = writes++;
        if (failWritesFrom >= 0 && index >= failWritesFrom) {
            return false;
        }
        written.push_back(static_cast<char>(byte));
        collect(byte);
        return true;
    }
    void drain() override {}
    void purge() override {
        ++purges;
        pending_.clear();
    }
    void setRts(bool on) override { rts.push_back(on); }
    void close() override {
        ++closes;
        isOpen = false;
    }

    // What the engine did. The counters are atomic: a test may watch them while the worker runs.
    std::string written;
    std::vector<std::string> frames;  // complete frames written, in order
    std::vector<bool> rts;
    std::atomic<int> opens = 0, closes = 0, purges = 0, reads = 0, writes = 0;
    bool isOpen = false;
    std::string openedDevice;
    LineSettings openedSettings;

private:
    void collect(unsigned char byte) {
        if (unit_.empty() && byte != 0x02) {
            deliver(std::string(1, static_cast<char>(byte)));
            return;
        }
        unit_.push_back(static_cast<char>(byte));
        if (endSeen_) {
            endSeen_ = false;
            frames.push_back(unit_);
            deliver(std::exchange(unit_, {}));
        } else if (byte == 0x03 || byte == 0x17) {
            endSeen_ = true;
        }
    }
    void deliver(const std::string& unit) {
        if (scale) {
            scale(*this, unit);
        }
    }

    struct Pending {
        std::int64_t at;
        unsigned char byte;
    };
    VirtualClock& clock_;
    std::deque<Pending> pending_;
    std::int64_t lastDue_ = 0;
    std::string unit_;
    bool endSeen_ = false;
};

// A scale that acknowledges every frame and answers every ETX frame with the accepted line.
inline void goodScale(ScriptedLine& line, const std::string& unit) {
    if (unit.size() > 1) {
        line.send("\x06");
        if (unit[unit.size() - 2] == '\x03') {
            line.send(scaleFrame(acceptedAnswer(frameText(unit))));
        }
    }
}

// How a scale spoils one send of an answer frame, as a bad line or firmware does.
enum class Spoil {
    None,
    Status,    // status digit '2'
    Check,     // wrong block check
    Nul,       // a NUL in the text
    TooLong,   // more than 1022 characters
    Late,      // 16 s after the acknowledgement: after all three attempts at it
    Cut,       // stops halfway
    LineFeed,  // a line feed and another record inside the text, block check right
    Headless,  // its STX lost
    Repeated,  // sent again once acknowledged, as if the acknowledgement was not heard
    Never,     // neither this frame nor the rest of the answer is sent
    Busy,      // busy frames for 100 s before it
};

// A scale that acknowledges every frame and answers every request (a frame ended by ETX) with
// its records, one frame each, ETB between them and ETX after the last, each frame once the
// one before was acknowledged. It sends no frame again by itself: a failed answer comes again
// only when the request does. The spoils are used up one per send of an answer frame.
class RecordScale {
public:
    explicit RecordScale(std::vector<std::string> records) : records_(std::move(records)) {}

    std::deque<Spoil> spoils;
    int unheard = 0;        // the next frames heard get no acknowledgement (only beforeAck)
    int unanswered = 0;     // the next requests are acknowledged and never answered
    int silentFrom = -1;    // requests from this one on (the first is 0) are never answered
    std::string beforeAck;  // bytes sent just before each acknowledgement
    bool endless = false;   // the records over and over, ETB after each, never ETX
    // The answer to a request; the records when not set.
    std::function<std::vector<std::string>(const std::string& request)> answerOf;
    std::vector<std::string> requests;  // as heard

    void operator()(ScriptedLine& line, const std::string& unit) {
        if (unit.size() > 1) {
            requests.push_back(frameText(unit));
            line.send(beforeAck);
            if (unheard > 0) {
                --unheard;
                return;
            }
            line.send("\x06");
            if (unit[unit.size() - 2] != '\x03') {
                return;
            }
            if (unanswered > 0) {
                --unanswered;
                return;
            }
            if (silentFrom >= 0 && ++answered_ > silentFrom) {
                return;
            }
            answer_ = answerOf ? answerOf(frameText(unit)) : records_;
            next_ = 0;
            sendCurrent(line);
        } else if (unit == "\x06" && next_ < answer_.size()) {
            if (!std::exchange(repeat_, false) && ++next_ == answer_.size() && endless) {
                next_ = 0;
            }
            sendCurrent(line);
        }
    }

private:
    void sendCurrent(ScriptedLine& line) {
        if (next_ >= answer_.size()) {
            return;
        }
        const Spoil spoil = spoils.empty() ? Spoil::None : spoils.front();
        if (!spoils.empty()) {
            spoils.pop_front();
        }
        std::string text = answer_[next_];
        const bool last = next_ + 1 == answer_.size() && !endless;
        const char end = last ? '\x03' : '\x17';
        std::int64_t delayMs = 0;
        switch (spoil) {
            case Spoil::Status:
                text[0] = '2';
                break;
            case Spoil::Nul:
                text.insert(text.size() / 2, 1, '\0');
                break;
            case Spoil::TooLong:
                text += std::string(1100, 'x');
                break;
            case Spoil::Late:
                delayMs = 16000;  // past all three attempts at it
                break;
            case Spoil::LineFeed:
                text += "\n1002100000000101000013INJECTED";
                break;
            case Spoil::Never:
                next_ = answer_.size();
                return;
            case Spoil::Busy:
                for (int i = 0; i < 250; ++i) {
                    line.send(scaleFrame("32E-3"), 400);
                }
                break;
            case Spoil::Repeated:
                repeat_ = true;
                break;
            default:
                break;
        }
        std::string frame = scaleFrame(text, end, spoil == Spoil::Check ? 0x40 : 0);
        if (spoil == Spoil::Cut) {
            frame.resize(frame.size() / 2);
        } else if (spoil == Spoil::Headless) {
            frame.erase(0, 1);
        }
        line.send(frame, delayMs);
    }

    std::vector<std::string> records_;
    std::vector<std::string> answer_;
    std::size_t next_ = 0;
    bool repeat_ = false;
    int answered_ = 0;
};

// One transfer in a fresh current directory against the scripted line, in virtual time, with
// the prompts recorded and the beeps and progress reports collected.
struct ScriptedTransfer {
    TempDir dir{TempDir::Enter};
    RecordingPrompter prompts;
    VirtualClock clock;
    ScriptedLine line{clock};
    std::vector<Beep> beeps;
    std::vector<TransferProgress> progress;

    EngineEnvironment environment() {
        EngineEnvironment env;
        env.line = &line;
        env.clock = &clock;
        env.beep = [this](Beep b) { beeps.push_back(b); };
        env.device = "/dev/scripted";
        env.comPortFile = dir.file("comport.ini");
        return env;
    }
    EngineTransferRunner::Outcome run(const std::string& trfOut, const TransferRequest& r = {}) {
        writeFile("trf.out", trfOut);
        EngineTransferRunner runner(environment(),
                                    [this](const TransferProgress& p) { progress.push_back(p); });
        runner.run(r);
        return runner.lastOutcome();
    }
    std::string trfIn() const { return readFile(dir.file("trf.in")); }
    std::vector<std::string> sentTexts() const {
        std::vector<std::string> texts;
        for (const auto& f : line.frames) {
            texts.push_back(frameText(f));
        }
        return texts;
    }
    int beepsOf(Beep kind) const {
        return static_cast<int>(std::count(beeps.begin(), beeps.end(), kind));
    }
};

}  // namespace vorn::test
