#include "sim/TcpLink.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vornsim {

TcpLink::~TcpLink() {
    hangUp();
    if (listener_ >= 0) {
        ::close(listener_);
    }
}

bool TcpLink::listen(int port, std::string& error) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (listener_ < 0 || ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        ::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 4) != 0) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

void TcpLink::hangUp() {
    if (client_ >= 0) {
        ::close(client_);
        client_ = -1;
    }
}

std::optional<char> TcpLink::read(int timeoutMs) {
    if (client_ < 0) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0) {
            return std::nullopt;
        }
        client_ = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client_ >= 0) {
            const int on = 1;
            ::setsockopt(client_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        }
        return std::nullopt;
    }
    pollfd p{client_, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0) {
        return std::nullopt;
    }
    char c = 0;
    const ssize_t r = ::recv(client_, &c, 1, 0);
    if (r == 1) {
        return c;
    }
    if (r == 0 || (errno != EINTR && errno != EAGAIN)) {
        hangUp();  // the PC hung up: wait for the next one
    }
    return std::nullopt;
}

void TcpLink::write(std::string_view bytes) {
    std::size_t done = 0;
    while (client_ >= 0 && done < bytes.size()) {
        const ssize_t w = ::send(client_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (w < 0 && errno == EINTR) {
            continue;
        }
        if (w <= 0) {
            hangUp();
            return;
        }
        done += static_cast<std::size_t>(w);
    }
}

}  // namespace vornsim
