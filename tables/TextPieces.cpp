#include "tables/TextPieces.h"

namespace vorn {

std::string_view field(std::string_view line, std::size_t pos, std::size_t count) {
    if (pos >= line.size()) {
        return {};
    }
    return line.substr(pos, count);
}

std::string cutTo(std::string text, std::size_t width) {
    if (text.size() > width) {
        text.resize(width);
    }
    return text;
}

std::string rightTrimmed(std::string_view text) {
    return std::string(text.substr(0, text.find_last_not_of(' ') + 1));
}

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace vorn
