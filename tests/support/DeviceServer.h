#pragma once
// A real serial device server for tests and benchmarks: Debian's ser2net (installed by
// scripts/setup), started with a configuration of our own in a temporary directory, on loopback
// ports chosen free at run time, in front of a device (vornsim's pseudo-terminal): one raw port
// and one Telnet/RFC 2217 port. Killed and reaped when it goes.
//
//     vorn::test::SimulatedScale scale;
//     vorn::test::DeviceServer server(scale.device());
//     ... vornctl --device server.address(true) ...

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <optional>

#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace vorn::test {

inline constexpr const char* kSer2net = "/usr/sbin/ser2net";

// A loopback port that nobody listens on just now.
inline int freeLoopbackPort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof a;
    ::bind(s, reinterpret_cast<sockaddr*>(&a), size);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &size);
    ::close(s);
    return ntohs(a.sin_port);
}

// Whether a socket listens on the loopback port (from the kernel's table of TCP sockets).
inline bool listening(int port) {
    char local[32];
    std::snprintf(local, sizeof local, "0100007F:%04X", port);
    std::ifstream table("/proc/net/tcp");
    std::string entry;
    std::string address;
    std::string remote;
    std::string state;
    std::getline(table, entry);  // the heading
    while (table >> entry >> address >> remote >> state) {
        if (address == local && state == "0A") {  // TCP_LISTEN
            return true;
        }
        std::getline(table, entry);
    }
    return false;
}

// A connection to a loopback port, held while the object lives.
class Connection {
public:
    explicit Connection(int port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<std::uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~Connection() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    bool connected() const { return fd_ >= 0; }

private:
    int fd_;
};

// A device server of the simplest kind, played in a thread of the test: it takes one
// connection on a free loopback port, waits for the first byte, sends `reply` and hangs up
// (with its words, "Port already in use\r\n": a refusal that comes only after the open).
class OneShotServer {
public:
    explicit OneShotServer(std::string reply) : listener_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof a;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&a), size);
        ::listen(listener_, 1);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &size);
        port_ = ntohs(a.sin_port);
        thread_ = std::thread([this, reply = std::move(reply)] {
            const int c = ::accept(listener_, nullptr, nullptr);
            char first = 0;
            if (c >= 0 && ::recv(c, &first, 1, 0) == 1 && !reply.empty()) {
                ::send(c, reply.data(), reply.size(), MSG_NOSIGNAL);
            }
            ::close(c);
        });
    }
    ~OneShotServer() {
        ::shutdown(listener_, SHUT_RDWR);  // ends a wait for a connection that never came
        thread_.join();
        ::close(listener_);
    }
    OneShotServer(const OneShotServer&) = delete;
    OneShotServer& operator=(const OneShotServer&) = delete;
    std::string address() const { return "tcp://127.0.0.1:" + std::to_string(port_); }

private:
    int listener_;
    int port_ = 0;
    std::thread thread_;
};

// Starts a program (args[0] is its path), stdout and stderr to the files given; its pid or -1.
inline pid_t spawn(const std::vector<std::string>& args, const std::string& out = {},
                   const std::string& err = {}) {
    std::vector<std::string> all = args;
    std::vector<char*> argv;
    for (auto& a : all) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (auto [fd, file] : {std::pair{1, out}, std::pair{2, err}}) {
        if (!file.empty()) {
            posix_spawn_file_actions_addopen(&actions, fd, file.c_str(),
                                             O_WRONLY | O_CREAT | O_TRUNC, 0644);
        }
    }
    pid_t pid = -1;
    if (posix_spawn(&pid, all[0].c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Waits for the program's end: its exit code, -1 when it was killed.
inline int exitCodeOf(pid_t pid) {
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status)
                                                                             : -1;
}

class DeviceServer {
public:
    explicit DeviceServer(const std::string& device)
        : rawPort_(freeLoopbackPort()), telnetPort_(freeLoopbackPort()) {
        const std::string config = dir_.file("ser2net.yaml");
        // Bytes from the device go to the network as they come: ser2net's default gathers
        // them for up to 20 ms first, which a device server for scales is set not to do.
        const std::string connector = "  connector: serialdev," + device +
                                      ",9600n81,local\n  options:\n    chardelay: false\n";
        writeFile(config,
                  "connection: &raw\n  accepter: tcp(nodelay),127.0.0.1," +
                      std::to_string(rawPort_) + "\n" + connector +
                      "connection: &telnet\n  accepter: telnet(rfc2217),tcp(nodelay),127.0.0.1," +
                      std::to_string(telnetPort_) + "\n" + connector);
        pid_ = spawn({kSer2net, "-n", "-u", "-c", config, "-P", dir_.file("pid")}, {},
                     dir_.file("log"));
        // Ready once both ports listen. Not probed with a connection: ser2net would take the
        // probe for a user, and refuse the next connection until it has seen the probe go.
        for (int i = 0; i < 500 && !(listening(rawPort_) && listening(telnetPort_)); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ~DeviceServer() { kill(); }
    DeviceServer(const DeviceServer&) = delete;
    DeviceServer& operator=(const DeviceServer&) = delete;

    std::string address(bool telnet) const {
        return (telnet ? "rfc2217://127.0.0.1:" : "tcp://127.0.0.1:") +
               std::to_string(telnet ? telnetPort_ : rawPort_);
    }
    int port(bool telnet) const { return telnet ? telnetPort_ : rawPort_; }
    void kill() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

private:
    TempDir dir_;
    int rawPort_;
    int telnetPort_;
    pid_t pid_ = -1;
};

}  // namespace vorn::test
