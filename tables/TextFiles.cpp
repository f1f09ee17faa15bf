#include "tables/TextFiles.h"

#include <fstream>

#include "tables/Archive.h"

namespace vorn {

std::optional<std::string> readFirstLine(const std::string& path, std::size_t maxLength) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string line;
    char c = 0;
    while (line.size() <= maxLength && in.get(c) && c != '\n') {
        line += c;
    }
    if (!line.empty() && line.back() == '\r' && (c == '\n' || !in)) {
        line.pop_back();
    }
    if (line.size() > maxLength) {
        line.resize(maxLength);
    }
    return line;
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
