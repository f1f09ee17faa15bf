#include "comm/TransferLog.h"

namespace vorn {

namespace {
unsigned char loggedByte(const ReadResult& read) {
    return read.status == ReadStatus::Byte ? read.byte : 0xFF;
}
}  // namespace

bool TransferLog::open(const std::string& ascPath, const std::string& hexPath) {
    close();
    asc_ = std::fopen(ascPath.c_str(), "wb");
    hex_ = std::fopen(hexPath.c_str(), "wb");
    if (asc_ == nullptr || hex_ == nullptr) {
        close();
        return false;
    }
    return true;
}

void TransferLog::close() {
    if (asc_ != nullptr) {
        std::fclose(asc_);
        asc_ = nullptr;
    }
    if (hex_ != nullptr) {
        std::fclose(hex_);
        hex_ = nullptr;
    }
}

void TransferLog::both(std::string_view text) {
    if (asc_ != nullptr) {
        std::fwrite(text.data(), 1, text.size(), asc_);
    }
    if (hex_ != nullptr) {
        std::fwrite(text.data(), 1, text.size(), hex_);
    }
}

void TransferLog::frameSent(std::string_view frame) {
    both(" \nw: |");
    if (asc_ != nullptr) {
        const std::size_t nul = frame.find('\0');
        const std::string_view shown = frame.substr(0, nul);
        std::fwrite(shown.data(), 1, shown.size(), asc_);
    }
    if (hex_ != nullptr) {
        for (const char c : frame) {
            std::fprintf(hex_, "%x ", static_cast<unsigned char>(c));
        }
    }
}

void TransferLog::ackWaitBegin(const std::string& timeOfDay) {
    both(" \nBeginWaitAckTime:");
    both(timeOfDay);
}

void TransferLog::ackWaitRead(const ReadResult& read) {
    both(" \nr: |");
    const unsigned char b = loggedByte(read);
    if (asc_ != nullptr) {
        std::fputc(b, asc_);
    }
    if (hex_ != nullptr) {
        std::fprintf(hex_, "%x", b);
    }
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
    const unsigned char b = loggedByte(read);
    if (asc_ != nullptr) {
        std::fputc(b, asc_);
    }
    if (hex_ != nullptr) {
        std::fprintf(hex_, "%x ", b);
    }
}

}  // namespace vorn
