// The transfer history (history.log), on any bytes.
// Properties: every entry read, written as a line and read again, is the same entry; the lines
// of the entries read are read back as exactly those entries.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "comm/TransferHistory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<vorn::HistoryEntry> entries = vorn::parseHistory(bytes);
    std::string written;
    for (const vorn::HistoryEntry& e : entries) {
        const std::string line = vorn::historyLine(e);
        const auto again = vorn::parseHistoryLine(line);
        if (!again || *again != e) {
            __builtin_trap();
        }
        written += line + "\r\n";
    }
    if (vorn::parseHistory(written) != entries) {
        __builtin_trap();
    }
    return 0;
}
