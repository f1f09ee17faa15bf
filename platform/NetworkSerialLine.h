#pragma once
// SerialLine through a serial device server on the network, with libgensio: raw TCP, or Telnet
// with the COM Port Control option (RFC 2217), which carries the line settings, RTS and purge.
// Written bytes are collected and leave in one segment at drain or at the next read, without
// the Nagle delay, so a frame goes out whole and at once. A refused, unanswered or dropped
// connection is told apart (lastOpenError, refusalAfterOpen, failureText).
//
// A device server that serves another user says so in words and hangs up. With RFC 2217 that
// is known before open returns: open waits for the acknowledgement of the line settings, and
// a refusing server hangs up instead. Raw TCP has no such exchange, so the words may come only
// after the first frame: whenever the connection ends, words that came before the scale's
// first byte make it a refusal (a device server speaks in text, a scale's first byte is a
// control byte: ACK, NAK or STX).
//
// gensio's event loop runs only inside the calls of this object, on the calling thread: one
// line serves one thread at a time, as the engine's worker uses it.

#include <deque>
#include <string>
#include <vector>

#include "platform/NetworkAddress.h"
#include "platform/SerialLine.h"

struct gensio;
struct gensio_os_funcs;

namespace vorn {

class NetworkSerialLine : public SerialLine {
public:
    NetworkSerialLine() = default;
    ~NetworkSerialLine() override;
    NetworkSerialLine(const NetworkSerialLine&) = delete;
    NetworkSerialLine& operator=(const NetworkSerialLine&) = delete;

    bool open(const std::string& address, const LineSettings& settings) override;
    OpenError lastOpenError() const override { return openError_; }
    ReadResult readByte(int timeoutMs) override;
    bool writeByte(unsigned char byte) override;
    void drain() override;
    void purge() override;
    void setRts(bool on) override;
    void close() override;
    std::string failureText() const override { return failureText_; }
    OpenError refusalAfterOpen() const override { return refusal_; }

    // gensio's callbacks.
    void received(const unsigned char* bytes, std::size_t count);
    void ended(int error);
    void opened(int error);
    void acknowledged();
    void closedDone() { closed_ = true; }

private:
    template <class Done>
    bool serviceUntil(int timeoutMs, Done done);
    bool fail(OpenFailure failure, std::string detail = {});
    bool sendSettings(const LineSettings& settings);
    bool flushOutput();
    void lost();
    void release();

    gensio_os_funcs* os_ = nullptr;
    gensio* io_ = nullptr;
    std::string address_;
    NetworkProtocol protocol_ = NetworkProtocol::Raw;
    std::deque<unsigned char> input_;
    std::vector<unsigned char> output_;
    std::string words_;        // the text that came before the scale's first byte
    bool scaleSpoke_ = false;  // a byte came that a device server's words do not hold
    bool openDone_ = false;
    int openResult_ = 0;
    int endError_ = 0;  // set when the connection ended
    bool closed_ = false;
    int acknowledgements_ = 0;
    OpenError openError_;
    OpenError refusal_;
    std::string failureText_;
};

}  // namespace vorn
