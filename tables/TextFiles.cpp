#include "tables/TextFiles.h"

#include <fstream>

#include "tables/Archive.h"

namespace vorn {

std::string firstLineOfText(std::string_view bytes, std::size_t maxLength) {
    std::string_view line = bytes.substr(0, bytes.find('\n'));
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return std::string(line.substr(0, maxLength));
}

std::optional<std::string> readFirstLine(const std::string& path, std::size_t maxLength) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    // The longest line taken and its CR LF.
    std::string bytes(maxLength + 2, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return firstLineOfText(bytes, maxLength);
}

FileProblem writeTextLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return writeFileAtomically(path, bytes);
}

}  // namespace vorn
