#pragma once
// The address of a serial device server, accepted wherever a device path is:
//     tcp://HOST:PORT       raw bytes; the device server's own line settings apply
//     rfc2217://HOST:PORT   Telnet with the COM Port Control option: the line settings go along
// HOST is a name, an IPv4 literal or an IPv6 literal in brackets (rfc2217://[::1]:4001).

#include <optional>
#include <string>
#include <string_view>

namespace vorn {

enum class NetworkProtocol { Raw, Rfc2217 };

struct NetworkAddress {
    NetworkProtocol protocol = NetworkProtocol::Raw;
    std::string host;  // without brackets
    int port = 0;      // 1 to 65535
};

inline constexpr std::string_view kRawScheme = "tcp://";
inline constexpr std::string_view kRfc2217Scheme = "rfc2217://";

// True when the text starts with one of the two schemes (whether or not the rest is valid).
bool isNetworkAddress(std::string_view text);

// The address, or nothing (and why in problem) when the host or the port is not valid.
std::optional<NetworkAddress> parseNetworkAddress(std::string_view text, std::string& problem);

// The address as it is written in comport.ini.
std::string formatNetworkAddress(const NetworkAddress& address);

}  // namespace vorn
