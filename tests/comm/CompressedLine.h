#pragma once
// The engine over the real serial code to vornsim, with the protocol's long waits compressed.

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "platform/Clock.h"
#include "platform/SerialLine.h"

namespace vorn::test {

// The real serial line in compressed time: a read that finds no byte waits a few real
// milliseconds and tells the engine's clock that its whole time-out has passed, and each byte
// read may count as some time of its own. It can make the scale vanish after some bytes
// written.
class CompressedLine : public SerialLine {
public:
    CompressedLine(VirtualClock& clock, int realWaitMs)
        : line_(makePosixSerialLine()), clock_(clock), realWaitMs_(realWaitMs) {}

    std::function<void()> vanish;
    int vanishAfterBytes = -1;
    int msPerByte = 0;  // the engine's time that each byte read takes

    bool open(const std::string& device, const LineSettings& settings) override {
        return line_->open(device, settings);
    }
    ReadResult readByte(int timeoutMs) override {
        const ReadResult r = line_->readByte(std::min(timeoutMs, realWaitMs_));
        if (r.status == ReadStatus::None) {
            clock_.advanceMs(timeoutMs);
        } else if (r.status == ReadStatus::Byte) {
            clock_.advanceMs(msPerByte);
        }
        return r;
    }
    bool writeByte(unsigned char byte) override {
        if (vanish && written_++ == vanishAfterBytes) {
            vanish();
        }
        return line_->writeByte(byte);
    }
    void drain() override { line_->drain(); }
    void purge() override { line_->purge(); }
    void setRts(bool on) override { line_->setRts(on); }
    void close() override { line_->close(); }

private:
    std::unique_ptr<SerialLine> line_;
    VirtualClock& clock_;
    int realWaitMs_;
    int written_ = 0;
};

}  // namespace vorn::test
