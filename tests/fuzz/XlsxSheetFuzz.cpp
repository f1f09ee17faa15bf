// A worksheet part on any bytes, fed in two pieces (the first byte says where the input is
// cut), with three shared strings. Properties: every row is numbered within a sheet's rows, has
// a type for each cell, and no more cells than the columns read.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tab/XlsxReader.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vorn::fuzz::Input input(data, size);
    const std::size_t cut = input.byte();
    const std::string rest = input.rest();
    const std::string_view xml(rest);
    const std::size_t at = std::min(cut, xml.size());
    const std::vector<std::string> shared = {"PLU No.", "Price", "APPLE"};
    vorn::xlsx::SheetParser parser(shared);
    if (parser.feed(xml.substr(0, at), false)) {
        parser.feed(xml.substr(at), true);
    }
    vorn::SheetRow row;
    while (parser.takeRow(row)) {
        vorn::fuzz::require(row.line >= 1 && row.line <= vorn::xlsx::kMostRows);
        vorn::fuzz::require(row.cells.size() <= vorn::xlsx::kMostColumns);
        vorn::fuzz::require(row.types.size() == row.cells.size());
    }
    return 0;
}
