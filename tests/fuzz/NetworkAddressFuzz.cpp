// A device server's address (the device field of comport.ini, --device) on any bytes.
// Property: an address that parses is written back as text that parses to the same address and
// is written the same again; one that does not parse says why.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/NetworkAddress.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vorn::fuzz::require;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string problem;
    const auto address = vorn::parseNetworkAddress(text, problem);
    if (!address) {
        require(!problem.empty());
        return 0;
    }
    require(vorn::isNetworkAddress(text));
    require(address->port >= 1 && address->port <= 65535 && !address->host.empty());
    const std::string written = vorn::formatNetworkAddress(*address);
    const auto again = vorn::parseNetworkAddress(written, problem);
    require(again && again->host == address->host && again->port == address->port &&
            again->protocol == address->protocol);
    require(vorn::formatNetworkAddress(*again) == written);
    return 0;
}
