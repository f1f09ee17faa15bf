// The shared strings part of a workbook on any bytes, fed in two pieces (the first byte says
// where the input is cut). Property: no more strings than the limit, whatever the part says.

#include <cstdint>
#include <string_view>

#include "tab/XlsxReader.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vorn::fuzz::Input input(data, size);
    const std::size_t cut = input.byte();
    const std::string rest = input.rest();
    const std::string_view xml(rest);
    const std::size_t at = std::min(cut, xml.size());
    vorn::xlsx::SharedStringsParser parser;
    if (parser.feed(xml.substr(0, at), false)) {
        parser.feed(xml.substr(at), true);
    }
    vorn::fuzz::require(parser.strings().size() <= vorn::xlsx::kMostSharedStrings);
    return 0;
}
