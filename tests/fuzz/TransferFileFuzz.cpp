// The reader of trf.out on any bytes. Properties: no line is longer than 1023 characters or
// holds a line end, no comment line is returned, and reading again after a rewind gives the
// same lines.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "comm/TransferFileReader.h"
#include "comm/TransferFiles.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

std::vector<std::string> allLines(vorn::TransferFileReader& reader) {
    std::vector<std::string> lines;
    while (const std::optional<std::string> line = reader.next()) {
        lines.push_back(*line);
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vorn::fuzz::require;
    vorn::fuzz::enterScratchDirectory();
    vorn::fuzz::writeFile(vorn::transferfile::kOut,
                          std::string_view(reinterpret_cast<const char*>(data), size));
    vorn::TransferFileReader reader;
    require(reader.open(vorn::transferfile::kOut));
    const std::vector<std::string> lines = allLines(reader);
    for (const std::string& line : lines) {
        require(line.size() <= 1023);
        require(line.find_first_of("\r\n") == std::string::npos);
        require(line.empty() || line[0] != '\'');
    }
    require(reader.rewind());
    require(allLines(reader) == lines);
    return 0;
}
