#pragma once
// The two byte logs of a pass: log.asc holds the bytes as they are, log.hex the same bytes as
// lower-case hexadecimal numbers. Every entry begins with a blank and a line feed. Both are
// written through the safe save of the tables: the old logs stay until the pass ends, no
// symbolic link is followed, and a write that fails is told with the file's name and reason.

#include <string>
#include <string_view>

#include "platform/SerialLine.h"
#include "tables/AtomicSave.h"

namespace vorn {

class TransferLog {
public:
    // Both files are begun empty; the problem of the first that cannot be begun (then neither
    // stays open).
    FileProblem open(const std::string& ascPath, const std::string& hexPath);
    // Puts both in place; the first problem met while writing them, if any.
    FileProblem close();
    // The first write that failed, if any.
    FileProblem problem() const;

    // " \nw: |" and the frame (in log.asc up to its first NUL, as a C string is written).
    void frameSent(std::string_view frame);
    void ackWaitBegin(const std::string& timeOfDay);
    // " \nr: |" and the byte (0xFF when none came); log.hex without a trailing blank.
    void ackWaitRead(const ReadResult& read);
    void ackWaitEnd(const std::string& timeOfDay);
    // " \nr: |" once per answer attempt, and once before stale input is drained.
    void answerBegin();
    // The byte of an answer read (0xFF when none came), preceded by " (Time: %s)" when none came.
    void answerRead(const ReadResult& read, const std::string& timeOfDay);

private:
    void both(std::string_view text);
    void hexByte(unsigned char byte, bool blank);
    StreamedSave asc_;
    StreamedSave hex_;
};

}  // namespace vorn
