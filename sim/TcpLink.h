#pragma once
// The scale's end of a TCP connection, as a device server in raw mode would carry it: listens on
// a loopback port and serves one connection at a time; a second caller waits until the first
// hangs up. The PC's line settings do not cross a raw connection: the baud rate for pacing is
// the one given (9600 when none).

#include <string>

#include "sim/ScaleSession.h"

namespace vornsim {

class TcpLink : public ScaleLink {
public:
    explicit TcpLink(int baud) : baud_(baud > 0 ? baud : 9600) {}
    ~TcpLink() override;
    TcpLink(const TcpLink&) = delete;
    TcpLink& operator=(const TcpLink&) = delete;

    // Listens on 127.0.0.1 at the port; false (and a message in error) on failure.
    bool listen(int port, std::string& error);

    std::optional<char> read(int timeoutMs) override;
    void write(std::string_view bytes) override;
    int baud() override { return baud_; }

private:
    void hangUp();

    int listener_ = -1;
    int client_ = -1;
    int baud_;
};

}  // namespace vornsim
