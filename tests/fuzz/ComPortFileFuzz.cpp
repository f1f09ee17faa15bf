// comport.ini on any bytes. Property: the settings read from it are written back as a line
// that reads as the same settings, and writing those again gives the very same line; the same
// holds through the file itself.

#include <cstdint>
#include <string>
#include <string_view>

#include "comm/ComPortSettings.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

bool same(const vorn::ComPortSettings& a, const vorn::ComPortSettings& b) {
    return a.port == b.port && a.baudRate == b.baudRate && a.dataBits == b.dataBits &&
           a.stopBits == b.stopBits && a.parity == b.parity && a.device == b.device;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vorn::fuzz::require;
    vorn::fuzz::enterScratchDirectory();
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const vorn::ComPortSettings parsed = vorn::parseComPortLine(text);
    const std::string line = vorn::formatComPortLine(parsed);
    const vorn::ComPortSettings again = vorn::parseComPortLine(line);
    require(same(again, parsed));
    require(vorn::formatComPortLine(again) == line);

    const std::string path = "comport.ini";
    vorn::fuzz::writeFile(path, text);
    const vorn::ComPortSettings read = vorn::readComPortFile(path);
    require(same(read, parsed));
    require(vorn::writeComPortFile(read, path).empty());
    require(same(vorn::readComPortFile(path), read));
    return 0;
}
