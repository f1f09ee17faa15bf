#include "editors/kit/RecordText.h"

namespace vorn {

namespace {
constexpr std::string_view kCrlf = "\r\n";
}  // namespace

std::string crlfToBreaks(std::string_view text, std::string_view lineBreak) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) == kCrlf) {
            out += lineBreak;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string breaksToCrlf(std::string_view text, char lineBreak) {
    std::string out;
    out.reserve(text.size() + 8);
    for (const char c : text) {
        if (c == lineBreak) {
            out += kCrlf;
        } else {
            out += c;
        }
    }
    return out;
}

std::string breaksToCrlf(std::string_view text, std::string_view lineBreak) {
    if (lineBreak.empty()) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, lineBreak.size()) == lineBreak) {
            out += kCrlf;
            i += lineBreak.size() - 1;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string twoLineRecordText(std::string_view text) {
    std::string out = crlfToBreaks(text);
    if (out.find(kRecordBreak) == std::string::npos && out.size() > kScaleLineLength) {
        out.insert(kScaleLineLength, 1, kRecordBreak);
    }
    return out;
}

std::string assembleDisplayedLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        std::string_view content = line;
        const bool endsParagraph =
            content.size() >= 2 && content.substr(content.size() - 2) == kCrlf;
        if (endsParagraph) {
            content.remove_suffix(2);
        }
        out += content.substr(0, kScaleLineLength);
        if (endsParagraph) {
            out += kRecordBreak;
        }
    }
    return crlfToBreaks(out);
}

}  // namespace vorn
