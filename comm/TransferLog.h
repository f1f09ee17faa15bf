#pragma once
// The two byte logs of a pass: log.asc holds the bytes as they are, log.hex the same bytes as
// lower-case hexadecimal numbers. Every entry begins with a blank and a line feed.

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/SerialLine.h"

namespace vorn {

class TransferLog {
public:
    TransferLog() = default;
    ~TransferLog() { close(); }
    TransferLog(const TransferLog&) = delete;
    TransferLog& operator=(const TransferLog&) = delete;

    // Both files are emptied; false when either cannot be opened (then neither stays open).
    bool open(const std::string& ascPath, const std::string& hexPath);
    void close();

    // " \nw: |" and the frame (in log.asc up to its first NUL, as a C string is written).
    void frameSent(std::string_view frame);
    void ackWaitBegin(const std::string& timeOfDay);
    // " \nr: |" and the byte (0xFF when none came); log.hex without a trailing blank.
    void ackWaitRead(const ReadResult& read);
    void ackWaitEnd(const std::string& timeOfDay);
    // " \nr: |" once per answer attempt.
    void answerBegin();
    // The byte of an answer read (0xFF when none came), preceded by " (Time: %s)" when none came.
    void answerRead(const ReadResult& read, const std::string& timeOfDay);

private:
    void both(std::string_view text);
    std::FILE* asc_ = nullptr;
    std::FILE* hex_ = nullptr;
};

}  // namespace vorn
