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

std::vector<std::string> splitTextLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        if (end > start && bytes[end - 1] == '\r') {
            --end;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = next;
    }
    return lines;
}

std::optional<std::vector<std::string>> readTextLines(const std::string& path) {
    const std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    return splitTextLines(*bytes);
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
