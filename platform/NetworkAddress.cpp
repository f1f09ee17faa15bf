#include "platform/NetworkAddress.h"

namespace vorn {

namespace {

constexpr int kHighestPort = 65535;
constexpr std::size_t kLongestHost = 253;

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isHex(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A host name or an IPv4 literal: letters, digits, '-', '.' and '_'. Nothing else reaches the
// name lookup, so no separator of the connection string can hide in it.
bool isHostName(std::string_view host) {
    if (host.empty() || host.size() > kLongestHost || host.front() == '-' || host.front() == '.') {
        return false;
    }
    for (char c : host) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && !isDigit(c) && c != '-' && c != '.' && c != '_') {
            return false;
        }
    }
    return true;
}

// The inside of the brackets: hex digits, ':' and '.' (an IPv4 tail), at least two colons.
bool isIpv6Literal(std::string_view host) {
    std::size_t colons = 0;
    for (char c : host) {
        if (c == ':') {
            ++colons;
        } else if (!isHex(c) && c != '.') {
            return false;
        }
    }
    return colons >= 2 && host.size() <= 45;
}

}  // namespace

bool isNetworkAddress(std::string_view text) {
    return startsWith(text, kRawScheme) || startsWith(text, kRfc2217Scheme);
}

std::optional<NetworkAddress> parseNetworkAddress(std::string_view text, std::string& problem) {
    NetworkAddress address;
    if (startsWith(text, kRawScheme)) {
        text.remove_prefix(kRawScheme.size());
    } else if (startsWith(text, kRfc2217Scheme)) {
        address.protocol = NetworkProtocol::Rfc2217;
        text.remove_prefix(kRfc2217Scheme.size());
    } else {
        problem = "the address must start with tcp:// or rfc2217://";
        return std::nullopt;
    }
    std::string_view host;
    std::string_view rest;
    if (startsWith(text, "[")) {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos) {
            problem = "the IPv6 address has no closing bracket";
            return std::nullopt;
        }
        host = text.substr(1, close - 1);
        rest = text.substr(close + 1);
        if (!isIpv6Literal(host)) {
            problem = "the IPv6 address is not valid";
            return std::nullopt;
        }
    } else {
        const std::size_t colon = text.rfind(':');
        host = text.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view() : text.substr(colon);
        if (!isHostName(host)) {
            problem = host.empty() ? "the address has no host"
                                   : "the host name is not valid (an IPv6 address goes in "
                                     "brackets: rfc2217://[::1]:4001)";
            return std::nullopt;
        }
    }
    if (!startsWith(rest, ":") || rest.size() < 2 || rest.size() > 6) {
        problem = "the address needs a port number from 1 to 65535 after the host";
        return std::nullopt;
    }
    int port = 0;
    for (char c : rest.substr(1)) {
        if (!isDigit(c)) {
            problem = "the port must be a number from 1 to 65535";
            return std::nullopt;
        }
        port = port * 10 + (c - '0');
    }
    if (port < 1 || port > kHighestPort) {
        problem = "the port must be a number from 1 to 65535";
        return std::nullopt;
    }
    address.host = std::string(host);
    address.port = port;
    return address;
}

std::string formatNetworkAddress(const NetworkAddress& address) {
    std::string text(address.protocol == NetworkProtocol::Rfc2217 ? kRfc2217Scheme : kRawScheme);
    const bool ipv6 = address.host.find(':') != std::string::npos;
    text += ipv6 ? "[" + address.host + "]" : address.host;
    return text + ":" + std::to_string(address.port);
}

}  // namespace vorn
