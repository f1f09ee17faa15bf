#include "platform/NetworkSerialLine.h"

#include <gensio/gensio.h>
#include <gensio/gensio_os_funcs.h>
#include <gensio/gensio_os_funcs_public.h>
#include <gensio/sergensio.h>

#include <chrono>

#include "platform/BrokenPipeGuard.h"

namespace vorn {

namespace {

using Steady = std::chrono::steady_clock;

// How long a device server may take to take the connection, and to acknowledge the line
// settings.
constexpr int kConnectMs = 5000;
// After a raw connection is made, how long to listen for a device server that refuses a second
// user, so that its refusal is told at once in the usual case: ser2net says so and hangs up
// within a few milliseconds of the connection (0.3 ms typically, 2.5 ms at most on a busy
// machine). Words that come later are a refusal all the same, told when the engine has given up
// on the first frame. Every transfer waits this long, so it is kept short.
constexpr int kRefusalGraceMs = 20;
// How much of a device server's words is kept.
constexpr std::size_t kWordsKept = 200;
// How long written bytes may wait for room in the connection before the line counts as lost,
// and how long a close may take.
constexpr int kWriteMs = 5000;
constexpr int kRoomWaitMs = 10;
constexpr int kCloseMs = 1000;

NetworkSerialLine& lineOf(void* data) {
    return *static_cast<NetworkSerialLine*>(data);
}

int onEvent(gensio*, void* data, int event, int error, unsigned char* bytes, gensiods* count,
            const char* const*) {
    if (event != GENSIO_EVENT_READ) {
        return GE_NOTSUP;
    }
    if (error != 0) {
        lineOf(data).ended(error);
    } else {
        lineOf(data).received(bytes, *count);
    }
    return 0;
}

void onOpen(gensio*, int error, void* data) {
    lineOf(data).opened(error);
}

void onClose(gensio*, void* data) {
    lineOf(data).closedDone();
}

void onAcknowledged(sergensio*, int, unsigned, void* data) {
    lineOf(data).acknowledged();
}

// A device server's words are text; a scale's first byte is a control byte (ACK, NAK, STX).
bool isText(unsigned char c) {
    return (c >= 0x20 && c < 0x7f) || c == '\r' || c == '\n' || c == '\t';
}

unsigned parityCode(int parity) {
    switch (parity) {
        case 1:
            return SERGENSIO_PARITY_ODD;
        case 2:
            return SERGENSIO_PARITY_EVEN;
        case 3:
            return SERGENSIO_PARITY_MARK;
        case 4:
            return SERGENSIO_PARITY_SPACE;
        default:
            return SERGENSIO_PARITY_NONE;
    }
}

bool isNameError(int error) {
    switch (error) {
        case GE_NOTFOUND:
        case GE_UNKNOWN_NAME_ERROR:
        case GE_NAME_ERROR:
        case GE_NAME_SERVER_FAILURE:
        case GE_NAME_INVALID:
        case GE_NAME_NET_NOT_UP:
            return true;
        default:
            return false;
    }
}

// The device server's words, printable and on one line.
std::string wordsOf(const std::string& bytes) {
    std::string words;
    for (char c : bytes) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
        if (static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7f) {
            words += c;
        }
    }
    while (!words.empty() && words.back() == ' ') {
        words.pop_back();
    }
    return words;
}

}  // namespace

NetworkSerialLine::~NetworkSerialLine() {
    const BrokenPipeGuard guard;
    close();
    if (os_ != nullptr) {
        gensio_os_funcs_free(os_);
    }
}

template <class Done>
bool NetworkSerialLine::serviceUntil(int timeoutMs, Done done) {
    const auto end = Steady::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::microseconds>(end - Steady::now()).count();
        if (left <= 0) {
            return false;
        }
        gensio_time wait{left / 1000000, static_cast<int>(left % 1000000) * 1000};
        os_->service(os_, &wait);
    }
    return true;
}

void NetworkSerialLine::received(const unsigned char* bytes, std::size_t count) {
    input_.insert(input_.end(), bytes, bytes + count);
    for (std::size_t i = 0; i < count && !scaleSpoke_; ++i) {
        if (!isText(bytes[i])) {
            scaleSpoke_ = true;
            words_.clear();
        } else if (words_.size() < kWordsKept) {
            words_ += static_cast<char>(bytes[i]);
        }
    }
}

void NetworkSerialLine::ended(int error) {
    if (endError_ == 0) {
        endError_ = error;
    }
}

void NetworkSerialLine::opened(int error) {
    openDone_ = true;
    openResult_ = error;
}

void NetworkSerialLine::acknowledged() {
    ++acknowledgements_;
}

bool NetworkSerialLine::fail(OpenFailure failure, std::string detail) {
    release();
    openError_ = {failure, 0, std::move(detail)};
    return false;
}

bool NetworkSerialLine::open(const std::string& address, const LineSettings& settings) {
    const BrokenPipeGuard guard;
    close();
    openError_ = {};
    refusal_ = {};
    failureText_.clear();
    address_ = address;
    std::string problem;
    const auto parsed = parseNetworkAddress(address, problem);
    if (!parsed) {
        return fail(OpenFailure::BadAddress, problem);
    }
    protocol_ = parsed->protocol;
    if (os_ == nullptr && gensio_default_os_hnd(0, &os_) != 0) {
        os_ = nullptr;
        return fail(OpenFailure::Other, "the network library could not start");
    }
    const bool ipv6 = parsed->host.find(':') != std::string::npos;
    // The connection as the network library describes it: a TCP stack, Telnet on top for RFC 2217.
    std::string stack = "tcp(nodelay)," + std::string(ipv6 ? "ipv6," : "") + parsed->host + "," +
                        std::to_string(parsed->port);
    if (protocol_ == NetworkProtocol::Rfc2217) {
        stack = "telnet(rfc2217)," + stack;
    }
    input_.clear();
    output_.clear();
    words_.clear();
    scaleSpoke_ = false;
    openDone_ = false;
    openResult_ = 0;
    endError_ = 0;
    closed_ = false;
    acknowledgements_ = 0;
    // The name is looked up here.
    const int made = str_to_gensio(stack.c_str(), os_, onEvent, this, &io_);
    if (made != 0) {
        io_ = nullptr;
        return fail(isNameError(made) ? OpenFailure::HostNotFound : OpenFailure::Other,
                    gensio_err_to_str(made));
    }
    const int started = gensio_open(io_, onOpen, this);
    if (started != 0) {
        return fail(OpenFailure::Other, gensio_err_to_str(started));
    }
    if (!serviceUntil(kConnectMs, [&] { return openDone_; })) {
        return fail(OpenFailure::NoAnswer);
    }
    switch (openResult_) {
        case 0:
            break;
        case GE_CONNREFUSE:
            return fail(OpenFailure::ConnectionRefused);
        case GE_TIMEDOUT:
        case GE_HOSTDOWN:
            return fail(OpenFailure::NoAnswer, gensio_err_to_str(openResult_));
        case GE_REMCLOSE:
            return fail(OpenFailure::UserRefused);
        default:
            return fail(isNameError(openResult_) ? OpenFailure::HostNotFound : OpenFailure::Other,
                        gensio_err_to_str(openResult_));
    }
    gensio_set_read_callback_enable(io_, true);
    // A device server that serves another user may take the connection, then say so and hang
    // up: with RFC 2217 it does so instead of acknowledging the line settings; on a raw
    // connection listen a moment for it.
    const bool settled = protocol_ == NetworkProtocol::Rfc2217
                             ? sendSettings(settings)
                             : !serviceUntil(kRefusalGraceMs, [&] { return endError_ != 0; });
    if (!settled) {
        if (endError_ != 0) {
            return fail(OpenFailure::UserRefused, wordsOf(words_));
        }
        return fail(OpenFailure::SettingsRefused);
    }
    // Bytes that came before the first frame are no answer to it.
    input_.clear();
    return true;
}

bool NetworkSerialLine::sendSettings(const LineSettings& s) {
    sergensio* sio = gensio_to_sergensio(io_);
    if (sio == nullptr) {
        return false;
    }
    // One and a half stop bits are taken as two, as on a local port.
    const unsigned stopBits = s.stopBits == 0 ? 1 : 2;
    const int sent =
        sergensio_baud(sio, static_cast<unsigned>(s.baudRate), onAcknowledged, this) |
        sergensio_datasize(sio, static_cast<unsigned>(s.dataBits), onAcknowledged, this) |
        sergensio_parity(sio, parityCode(s.parity), onAcknowledged, this) |
        sergensio_stopbits(sio, stopBits, onAcknowledged, this);
    if (sent != 0) {
        return false;
    }
    return serviceUntil(kConnectMs, [&] { return acknowledgements_ >= 4 || endError_ != 0; }) &&
           endError_ == 0;
}

ReadResult NetworkSerialLine::readByte(int timeoutMs) {
    const BrokenPipeGuard guard;
    if (io_ == nullptr || !flushOutput()) {
        return {ReadStatus::Failure, 0};
    }
    serviceUntil(timeoutMs, [&] { return !input_.empty() || endError_ != 0; });
    if (!input_.empty()) {
        const unsigned char byte = input_.front();
        input_.pop_front();
        return {ReadStatus::Byte, byte};
    }
    if (endError_ != 0) {
        lost();
        return {ReadStatus::Failure, 0};
    }
    return {ReadStatus::None, 0};
}

bool NetworkSerialLine::writeByte(unsigned char byte) {
    if (io_ == nullptr || endError_ != 0) {
        lost();
        return false;
    }
    output_.push_back(byte);
    return true;
}

bool NetworkSerialLine::flushOutput() {
    if (!output_.empty() && endError_ == 0) {
        // What came meanwhile is taken in first: gensio drops what it has not read when a write
        // fails, and that may be a refusal's words.
        gensio_time none{0, 0};
        os_->service(os_, &none);
    }
    const auto deadline = Steady::now() + std::chrono::milliseconds(kWriteMs);
    std::size_t done = 0;
    while (done < output_.size() && endError_ == 0) {
        gensiods count = 0;
        const int error =
            gensio_write(io_, &count, output_.data() + done, output_.size() - done, nullptr);
        if (error != 0) {
            ended(error);
        } else if ((done += count) < output_.size()) {
            if (Steady::now() > deadline) {
                ended(GE_TIMEDOUT);  // the other end takes nothing
            }
            serviceUntil(kRoomWaitMs, [&] { return endError_ != 0; });
        }
    }
    output_.clear();
    if (endError_ != 0) {
        lost();
        return false;
    }
    return true;
}

void NetworkSerialLine::drain() {
    const BrokenPipeGuard guard;
    if (io_ != nullptr) {
        flushOutput();
    }
}

void NetworkSerialLine::purge() {
    const BrokenPipeGuard guard;
    if (io_ == nullptr) {
        return;
    }
    // Whatever arrived so far is taken in, then dropped with the unsent bytes.
    gensio_time none{0, 0};
    os_->service(os_, &none);
    input_.clear();
    output_.clear();
    if (protocol_ == NetworkProtocol::Rfc2217) {
        if (sergensio* sio = gensio_to_sergensio(io_)) {
            (void)sergensio_flush(sio, SERGIO_FLUSH_RCV_XMIT_BUFFERS);
        }
    }
}

void NetworkSerialLine::setRts(bool on) {
    const BrokenPipeGuard guard;
    if (io_ == nullptr || protocol_ != NetworkProtocol::Rfc2217) {
        return;
    }
    if (sergensio* sio = gensio_to_sergensio(io_)) {
        // A device server may not answer control commands (ser2net in front of a
        // pseudo-terminal does not): RTS is sent without waiting for an answer. With no answer
        // callback, gensio keeps no record of the request either, which would stay unanswered.
        (void)sergensio_rts(sio, on ? SERGENSIO_RTS_ON : SERGENSIO_RTS_OFF, nullptr, nullptr);
    }
}

void NetworkSerialLine::lost() {
    if (!failureText_.empty() || refusal_.failure != OpenFailure::None) {
        return;
    }
    const std::string words = wordsOf(words_);
    if (!words.empty()) {
        refusal_ = {OpenFailure::UserRefused, 0, words};
    } else {
        failureText_ = address_ + ": the device server closed the connection.";
    }
}

void NetworkSerialLine::close() {
    const BrokenPipeGuard guard;
    if (io_ == nullptr) {
        return;
    }
    if (endError_ == 0) {
        flushOutput();
    }
    release();
}

void NetworkSerialLine::release() {
    if (io_ == nullptr) {
        return;
    }
    closed_ = false;
    if (gensio_close(io_, onClose, this) == 0) {
        serviceUntil(kCloseMs, [&] { return closed_; });
    }
    gensio_free(io_);
    io_ = nullptr;
}

}  // namespace vorn
