#include "comm/RecordLine.h"
namespace vorn {

std::string_view tableCode(std::string_view line) {
    return line.size() < envelope::kTableCode + 2 ? std::string_view()
                                                  : line.substr(envelope::kTableCode, 2);
}

std::string_view operation(std::string_view line) {
    return line.size() < envelope::kOperation + 4 ? std::string_view()
                                                  : line.substr(envelope::kOperation, 4);
}

bool isSuccessLine(std::string_view firstLine) {
    return !firstLine.empty() && (firstLine.front() == '1' || firstLine.front() == '3');
}

bool isAnswerRecord(std::string_view line) {
    return line.size() >= envelope::kLength && isSuccessLine(line);
}

bool marksEmptyTable(std::string_view line) {
    constexpr std::size_t kMarkPos = 6;
    constexpr char kMark = '4';
    return line.size() > kMarkPos && line[kMarkPos] == kMark;
}

std::optional<std::string> laterErrorLine(const std::vector<std::string>& lines) {
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (!lines[i].empty() && !isSuccessLine(lines[i])) {
            return lines[i];
        }
    }
    return std::nullopt;
}

}  // namespace vorn
