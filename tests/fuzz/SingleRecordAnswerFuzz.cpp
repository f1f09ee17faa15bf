// The store address and the marquee message read from any answer line.
// Properties: the address has no blanks at its end and its breaks as CR LF within the 73
// characters of the record; the marquee message is at most 100 characters and, sent and
// received again, comes back with the same characters before its padding.

#include <cstdint>
#include <string>

#include "editors/kit/RecordText.h"
#include "editors/text/MarqueeMessage.h"
#include "editors/text/StoreAddress.h"
#include "tables/TextPieces.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);

    const std::string address = vorn::storeAddressOfAnswer(line);
    if ((!address.empty() && address.back() == ' ') ||
        address.find(vorn::kRecordBreak) != std::string::npos ||
        vorn::crlfToBreaks(address).size() > vorn::storeaddress::kTextWidth) {
        __builtin_trap();
    }
    if (vorn::storeAddressRecord(address).size() !=
        vorn::storeaddress::kTextPos + vorn::storeaddress::kTextWidth) {
        __builtin_trap();
    }

    const std::string message = vorn::marqueeOfAnswer(line);
    if (message.size() > vorn::marquee::kTextWidth) {
        __builtin_trap();
    }
    const std::string record = vorn::marqueeRecord(message);
    if (record.size() != vorn::marquee::kTextPos + vorn::marquee::kTextWidth ||
        vorn::rightTrimmed(vorn::marqueeOfAnswer(record)) != vorn::rightTrimmed(message)) {
        __builtin_trap();
    }
    return 0;
}
