#include "comm/TransferLog.h"

namespace vorn {

namespace {
unsigned char loggedByte(const ReadResult& read) {
    return read.status == ReadStatus::Byte ? read.byte : 0xFF;
}
}  // namespace

FileProblem TransferLog::open(const std::string& ascPath, const std::string& hexPath) {
    FileProblem problem = asc_.open(ascPath);
    if (problem.empty()) {
        problem = hex_.open(hexPath);
    }
    if (!problem.empty()) {
        asc_.discard();
        hex_.discard();
    }
    return problem;
}

FileProblem TransferLog::close() {
    FileProblem problem = asc_.commit();
    FileProblem hexProblem = hex_.commit();
    return problem.empty() ? hexProblem : problem;
}

FileProblem TransferLog::problem() const {
    return asc_.problem().empty() ? hex_.problem() : asc_.problem();
}

void TransferLog::both(std::string_view text) {
    asc_.write(text);
    hex_.write(text);
}

void TransferLog::hexByte(unsigned char byte, bool blank) {
    static constexpr char kDigits[] = "0123456789abcdef";
    char text[3];
    std::size_t n = 0;
    if (byte >= 0x10) {
        text[n++] = kDigits[byte >> 4];
    }
    text[n++] = kDigits[byte & 0x0F];
    if (blank) {
        text[n++] = ' ';
    }
    hex_.write(std::string_view(text, n));
}

void TransferLog::frameSent(std::string_view frame) {
    both(" \nw: |");
    asc_.write(frame.substr(0, frame.find('\0')));
    for (const char c : frame) {
        hexByte(static_cast<unsigned char>(c), true);
    }
}

void TransferLog::ackWaitBegin(const std::string& timeOfDay) {
    both(" \nBeginWaitAckTime:");
    both(timeOfDay);
}

void TransferLog::ackWaitRead(const ReadResult& read) {
    both(" \nr: |");
    const char b = static_cast<char>(loggedByte(read));
    asc_.write(std::string_view(&b, 1));
    hexByte(loggedByte(read), false);
}

void TransferLog::ackWaitEnd(const std::string& timeOfDay) {
    both(" \nEndWaitAckTime: ");
    both(timeOfDay);
}

void TransferLog::answerBegin() {
    both(" \nr: |");
}

void TransferLog::answerRead(const ReadResult& read, const std::string& timeOfDay) {
    if (read.status != ReadStatus::Byte) {
        both(" (Time: " + timeOfDay + ")");
    }
    const char b = static_cast<char>(loggedByte(read));
    asc_.write(std::string_view(&b, 1));
    hexByte(loggedByte(read), true);
}

}  // namespace vorn
