#pragma once
// The scale's side of the protocol. Every frame from the PC is checked (NAK when its block
// check is wrong) and acknowledged; a record line (first character '0') is then answered:
//   0000 store the record; answer it with status '1';
//   0007 answer every stored record of the table, one frame each, ETB between, ETX after the
//        last; an empty table answers one frame, the request with '4' at position 6;
//   0002 the same for the records whose key the payload names (all without a key);
//   0008 clear the PLUs (tables 07 and 08); answer the request with status '1';
//   other operations: answer the line with status '1'.
// Answers carry the addressed scale number. A frame ended by ETB (first character '2' or '3')
// is only acknowledged. An answer frame that is not acknowledged within a second is sent
// again, three times in all; a new frame from the PC ends the wait. The faults (SimOptions.h)
// make it misbehave as a scale on a bad line may: refused or unanswered frames, answer frames
// spoilt, cut off, repeated or never ending, stray bytes.

#include <atomic>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/ScaleFrames.h"
#include "sim/ScaleTables.h"
#include "sim/SimOptions.h"

namespace vornsim {

class ScaleLink {
public:
    virtual ~ScaleLink() = default;
    virtual std::optional<char> read(int timeoutMs) = 0;
    virtual void write(std::string_view bytes) = 0;
    // Bits per second of the line, for pacing; 0 when unknown.
    virtual int baud() = 0;
};

// The answers to one record line from the PC.
std::vector<std::string> answersTo(ScaleTables& tables, const std::string& line);

class ScaleSession {
public:
    ScaleSession(ScaleLink& link, ScaleTables& tables, Faults faults, int baud = 0);
    // Serves until stop is set.
    void run(const std::atomic<bool>& stop);
    // Handles what has come in and returns after idleMs without a byte (tests).
    void serveUntilIdle(int idleMs);

    int framesHeard() const { return framesHeard_; }

private:
    bool step(int timeoutMs);  // false: nothing came
    void handle(const Heard& heard);
    // The answers to a request, as the answer faults turn them.
    std::vector<std::string> mixedAnswersTo(std::string line);
    void sendAnswers(const std::vector<std::string>& answers);
    bool sendBusyFrames(int count);                     // false: the PC has moved on
    bool sendFrame(const std::string& text, char end);  // true: acknowledged
    std::string framed(const std::string& text, char end);
    bool stopping() const { return stop_ != nullptr && *stop_; }
    enum class AckWait { Acked, Missing, Interrupted };
    AckWait awaitAck();
    std::optional<char> readPaced(int timeoutMs);
    void writePaced(std::string_view bytes);
    void waitForWire();
    long long byteTimeUs();

    ScaleLink& link_;
    ScaleTables& tables_;
    Faults faults_;
    int baud_;
    FrameReader reader_;
    int framesHeard_ = 0;
    int wellSent_ = 0;  // answer frames sent before the answer faults begin
    const std::atomic<bool>* stop_ = nullptr;
    long long wireFreeUs_ = 0;  // when the PC's last byte has fully arrived (paced)
};

}  // namespace vornsim
