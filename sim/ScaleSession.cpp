#include "sim/ScaleSession.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

namespace vornsim {

namespace {

constexpr std::size_t kEnvelope = 16;
constexpr int kAckWaitMs = 1000;
constexpr int kAnswerSends = 3;
constexpr std::string_view kBusyText = "32E-3";
// The end of an answer frame sent long ago: some text, ETB and its block check, no STX.
constexpr std::string_view kStaleTail = "000001OLD\x17\x4c";

// Uses up one of a fault's count; true when there was one.
bool take(int& count) {
    if (count > 0) {
        --count;
        return true;
    }
    return false;
}

long long nowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The answer form of a record: status '1' and the addressed scale's number.
std::string answerOf(std::string record, const std::string& request) {
    record[0] = '1';
    record[14] = request[14];
    record[15] = request[15];
    return record;
}

// The leading digits of the payload, as many as the table's key has.
std::string requestedKey(const std::string& line) {
    std::string key;
    const std::size_t width = static_cast<std::size_t>(keyWidthOf(line.substr(4, 2)));
    for (std::size_t i = kEnvelope; i < line.size() && key.size() < width; ++i) {
        if (line[i] < '0' || line[i] > '9') {
            break;
        }
        key.push_back(line[i]);
    }
    return key;
}

}  // namespace

std::vector<std::string> answersTo(ScaleTables& tables, const std::string& line) {
    if (line.size() < kEnvelope) {
        return {};
    }
    const std::string code = line.substr(4, 2);
    const std::string operation = line.substr(6, 4);
    if (operation == "0007" || operation == "0002") {
        const std::string key = operation == "0002" ? requestedKey(line) : std::string();
        const std::vector<std::string> found =
            key.empty() ? tables.records(code) : tables.recordsWithKey(code, key);
        if (found.empty()) {
            std::string empty = line;
            empty[0] = '1';
            empty[6] = '4';
            return {empty};
        }
        std::vector<std::string> answers;
        for (const auto& record : found) {
            answers.push_back(answerOf(record, line));
        }
        return answers;
    }
    if (operation == "0008") {
        tables.clear("07");
        tables.clear("08");
    } else if (operation == "0000") {
        std::string record = line;
        record[0] = '0';
        tables.store(record);
    }
    return {answerOf(line, line)};
}

ScaleSession::ScaleSession(ScaleLink& link, ScaleTables& tables, Faults faults, int baud)
    : link_(link), tables_(tables), faults_(faults), baud_(baud) {}

void ScaleSession::run(const std::atomic<bool>& stop) {
    stop_ = &stop;
    while (!stop) {
        step(200);
    }
}

void ScaleSession::serveUntilIdle(int idleMs) {
    while (step(idleMs)) {
    }
}

bool ScaleSession::step(int timeoutMs) {
    const std::optional<char> b = readPaced(timeoutMs);
    if (!b) {
        return false;
    }
    if (auto heard = reader_.feed(*b)) {
        handle(*heard);
    }
    return true;
}

void ScaleSession::handle(const Heard& heard) {
    if (heard.kind != Heard::Frame) {
        return;  // a stray byte between frames
    }
    ++framesHeard_;
    if (faults_.silent) {
        return;
    }
    if (faults_.noAck > 0) {
        --faults_.noAck;
        return;
    }
    waitForWire();
    if (take(faults_.stale)) {
        writePaced(kStaleTail);
    }
    if (!heard.checkOk) {
        writePaced(std::string(1, NAK));
        return;
    }
    if (faults_.nak > 0) {
        --faults_.nak;
        writePaced(std::string(1, NAK));
        return;
    }
    writePaced(std::string(1, ACK));
    if (heard.end == ETB) {
        return;  // one block of several: no answer
    }
    if (take(faults_.noAnswer)) {
        return;
    }
    sendAnswers(mixedAnswersTo(heard.text));
}

std::vector<std::string> ScaleSession::mixedAnswersTo(std::string line) {
    if (line.size() >= kEnvelope && line.substr(6, 4) != "0000" && line.substr(6, 4) != "0008") {
        if (!faults_.answerTable.empty()) {
            line.replace(4, 2, faults_.answerTable);
        }
        if (faults_.wholeTable && line.substr(6, 4) == "0002") {
            line.replace(6, 4, "0007");
        }
    }
    std::vector<std::string> answers = answersTo(tables_, line);
    if (!faults_.reverseTable.empty() && line.size() >= kEnvelope &&
        line.substr(4, 2) == faults_.reverseTable) {
        std::reverse(answers.begin(), answers.end());
    }
    return answers;
}

void ScaleSession::sendAnswers(const std::vector<std::string>& answers) {
    if (faults_.endless == Endless::Busy) {
        sendBusyFrames(-1);
        return;
    }
    const bool endless = faults_.endless == Endless::Etb;
    std::size_t count = answers.size();
    if (faults_.stopAfter > 0) {
        count = std::min(count, static_cast<std::size_t>(faults_.stopAfter));
    }
    for (std::size_t i = 0; (endless || i < count) && !answers.empty() && !stopping(); ++i) {
        if (!sendBusyFrames(std::exchange(faults_.busy, 0))) {
            return;
        }
        const std::string& text = answers[i % answers.size()];
        const char end = endless || i + 1 < answers.size() ? ETB : ETX;
        if (!sendFrame(text, end) || (take(faults_.repeat) && !sendFrame(text, end))) {
            return;
        }
    }
}

// Busy frames, count of them or (-1) until the PC sends something; false when it did.
bool ScaleSession::sendBusyFrames(int count) {
    for (int i = 0; (count < 0 || i < count) && !stopping(); ++i) {
        writePaced(encodeFrame(kBusyText));
        if (const std::optional<char> b = readPaced(100)) {
            reader_.feed(*b);  // the PC has moved on: its frame comes first
            return false;
        }
    }
    return true;
}

bool ScaleSession::sendFrame(const std::string& text, char end) {
    for (int send = 0; send < kAnswerSends; ++send) {
        writePaced(framed(text, end));
        switch (awaitAck()) {
            case AckWait::Acked:
                return true;
            case AckWait::Interrupted:
                return false;
            case AckWait::Missing:
                break;
        }
    }
    return false;
}

// One send of an answer frame, spoilt by the next answer fault due.
std::string ScaleSession::framed(const std::string& text, char end) {
    if (wellSent_ < faults_.after) {
        ++wellSent_;
        return encodeFrame(text, end);
    }
    if (take(faults_.badCheck)) {
        return encodeFrame(text, end, true);
    }
    if (take(faults_.cut)) {
        const std::string whole = encodeFrame(text, end);
        return whole.substr(0, whole.size() / 2);
    }
    if (take(faults_.badStatus)) {
        return encodeFrame("2" + text.substr(1), end);
    }
    if (take(faults_.lineFeed)) {
        std::string spoilt = text;
        spoilt.insert(spoilt.size() / 2, 1, '\n');
        return encodeFrame(spoilt, end);
    }
    if (take(faults_.headless)) {
        return encodeFrame(text, end).substr(1);
    }
    return encodeFrame(text, end);
}

ScaleSession::AckWait ScaleSession::awaitAck() {
    const long long until = nowUs() + kAckWaitMs * 1000LL;
    for (long long left = kAckWaitMs; left > 0; left = (until - nowUs()) / 1000) {
        const std::optional<char> b = readPaced(static_cast<int>(left));
        if (!b) {
            break;
        }
        if (*b == ACK) {
            return AckWait::Acked;
        }
        if (*b == STX) {  // the PC sends again: its frame comes first
            reader_.feed(*b);
            return AckWait::Interrupted;
        }
    }
    return AckWait::Missing;
}

long long ScaleSession::byteTimeUs() {
    const int baud = baud_ > 0 ? baud_ : link_.baud();
    return baud > 0 ? 10'000'000LL / baud : 0;  // start bit, 8 data bits, stop bit
}

std::optional<char> ScaleSession::readPaced(int timeoutMs) {
    const std::optional<char> b = link_.read(timeoutMs);
    if (b && faults_.pace) {
        wireFreeUs_ = std::max(wireFreeUs_, nowUs()) + byteTimeUs();
    }
    return b;
}

void ScaleSession::waitForWire() {
    if (faults_.pace) {
        const long long wait = wireFreeUs_ - nowUs();
        if (wait > 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(wait));
        }
    }
}

void ScaleSession::writePaced(std::string_view bytes) {
    if (!faults_.pace) {
        link_.write(bytes);
        return;
    }
    const long long byteTime = byteTimeUs();
    long long due = nowUs();
    for (const char c : bytes) {
        due += byteTime;
        const long long wait = due - nowUs();
        if (wait > 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(wait));
        }
        link_.write(std::string_view(&c, 1));
    }
}

}  // namespace vornsim
