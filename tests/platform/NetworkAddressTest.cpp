#include <gtest/gtest.h>

#include "platform/NetworkAddress.h"

namespace vorn {
namespace {

TEST(NetworkAddress, HostsPortsAndProtocols) {
    const struct {
        const char* text;
        NetworkProtocol protocol;
        const char* host;
        int port;
    } valid[] = {
        {"tcp://127.0.0.1:4001", NetworkProtocol::Raw, "127.0.0.1", 4001},
        {"rfc2217://scale-7.shop1:1", NetworkProtocol::Rfc2217, "scale-7.shop1", 1},
        {"rfc2217://[::1]:65535", NetworkProtocol::Rfc2217, "::1", 65535},
        {"tcp://[fe80::1:2]:23", NetworkProtocol::Raw, "fe80::1:2", 23},
    };
    for (const auto& v : valid) {
        std::string problem;
        const auto a = parseNetworkAddress(v.text, problem);
        ASSERT_TRUE(a) << v.text << ": " << problem;
        EXPECT_EQ(a->protocol, v.protocol);
        EXPECT_EQ(a->host, v.host);
        EXPECT_EQ(a->port, v.port);
        EXPECT_EQ(formatNetworkAddress(*a), v.text);
    }
}

TEST(NetworkAddress, RefusedWithAReason) {
    const struct {
        const char* text;
        const char* problem;
    } invalid[] = {
        {"/dev/ttyS0", "the address must start with tcp:// or rfc2217://"},
        {"tcp://:4001", "the address has no host"},
        {"tcp://::1:4001",
         "the host name is not valid (an IPv6 address goes in brackets: "
         "rfc2217://[::1]:4001)"},
        {"tcp://a,b:4001",
         "the host name is not valid (an IPv6 address goes in brackets: "
         "rfc2217://[::1]:4001)"},
        {"tcp://[::1:4001", "the IPv6 address has no closing bracket"},
        {"tcp://[host]:4001", "the IPv6 address is not valid"},
        {"tcp://host", "the address needs a port number from 1 to 65535 after the host"},
        {"tcp://host:0", "the port must be a number from 1 to 65535"},
        {"tcp://host:65536", "the port must be a number from 1 to 65535"},
        {"tcp://host:40x1", "the port must be a number from 1 to 65535"},
        {"rfc2217://host:1234567",
         "the address needs a port number from 1 to 65535 after the host"},
    };
    for (const auto& v : invalid) {
        std::string problem;
        EXPECT_FALSE(parseNetworkAddress(v.text, problem)) << v.text;
        EXPECT_EQ(problem, v.problem) << v.text;
    }
    EXPECT_TRUE(isNetworkAddress("tcp://"));
    EXPECT_FALSE(isNetworkAddress("/dev/tcp://x"));
}

}  // namespace
}  // namespace vorn
