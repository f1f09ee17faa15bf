// makeSerialLine: a line that opens a local port or a serial device server, by the device's
// name, so that every owner of a line reaches both.

#include "platform/NetworkAddress.h"
#include "platform/NetworkSerialLine.h"
#include "platform/SerialLine.h"

namespace vorn {

namespace {

class LineByAddress : public SerialLine {
public:
    bool open(const std::string& device, const LineSettings& settings) override {
        close();
        if (isNetworkAddress(device)) {
            if (!network_) {
                network_ = std::make_unique<NetworkSerialLine>();
            }
            current_ = network_.get();
        } else {
            if (!local_) {
                local_ = makePosixSerialLine();
            }
            current_ = local_.get();
        }
        return current_->open(device, settings);
    }
    OpenError lastOpenError() const override {
        return current_ != nullptr ? current_->lastOpenError() : OpenError{};
    }
    ReadResult readByte(int timeoutMs) override {
        return current_ != nullptr ? current_->readByte(timeoutMs)
                                   : ReadResult{ReadStatus::Failure, 0};
    }
    bool writeByte(unsigned char byte) override {
        return current_ != nullptr && current_->writeByte(byte);
    }
    void drain() override {
        if (current_ != nullptr) {
            current_->drain();
        }
    }
    void purge() override {
        if (current_ != nullptr) {
            current_->purge();
        }
    }
    void setRts(bool on) override {
        if (current_ != nullptr) {
            current_->setRts(on);
        }
    }
    void close() override {
        if (current_ != nullptr) {
            current_->close();
        }
    }
    std::string failureText() const override {
        return current_ != nullptr ? current_->failureText() : std::string();
    }
    OpenError refusalAfterOpen() const override {
        return current_ != nullptr ? current_->refusalAfterOpen() : OpenError{};
    }

private:
    std::unique_ptr<SerialLine> local_;
    std::unique_ptr<NetworkSerialLine> network_;
    SerialLine* current_ = nullptr;  // the one opened last
};

}  // namespace

std::unique_ptr<SerialLine> makeSerialLine() {
    return std::make_unique<LineByAddress>();
}

}  // namespace vorn
