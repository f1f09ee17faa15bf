// The reader of plurec.dat on any bytes.
// Properties: the bytes read in pieces give what they give whole; a file that was read, written
// back from its pairs and read again gives the same pairs; a list filled from it holds one row
// per PLU number, in ascending order.

#include <cstdint>
#include <string>
#include <string_view>

#include "plu/PluFile.h"
#include "plu/PluList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vorn::PluFileContent whole = vorn::parsePluFile(bytes);

    // The first byte chooses the size of the pieces.
    const std::size_t piece = size == 0 ? 1 : 1 + data[0] % 200;
    vorn::PluFileParser parser;
    for (std::size_t at = 0; at < size; at += piece) {
        parser.feed(bytes.substr(at, piece));
    }
    const vorn::PluFileContent pieces = parser.finish();
    if (pieces.status != whole.status || pieces.pairs != whole.pairs ||
        pieces.damaged != whole.damaged) {
        __builtin_trap();
    }
    if (whole.status != vorn::PluFileContent::Status::Read) {
        return 0;
    }

    std::string written = vorn::pluFileStart();
    for (const vorn::PluPair& pair : whole.pairs) {
        vorn::appendPluPair(written, pair);
    }
    const vorn::PluFileContent again = vorn::parsePluFile(written);
    if (again.status != vorn::PluFileContent::Status::Read || again.pairs != whole.pairs) {
        __builtin_trap();
    }

    vorn::PluList list;
    list.addAll(whole.pairs);
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (list.number(i - 1) >= list.number(i)) {
            __builtin_trap();
        }
    }
    return 0;
}
