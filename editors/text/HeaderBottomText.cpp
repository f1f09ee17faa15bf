#include "editors/text/HeaderBottomText.h"

#include "editors/kit/RecordText.h"
#include "tables/NumberText.h"

namespace vorn {

namespace {

constexpr int kFirstLetterFont = 10;

bool isDigits(const std::string& text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// A font character that a scale may send: 1 to 9, or A to K for 10 to 20.
bool isReceivedFont(char c) {
    return (c >= '1' && c <= '9') ||
           (c >= 'A' && c <= 'A' + labeltext::kHighestFont - kFirstLetterFont);
}

}  // namespace

std::string fontCode(const std::string& font) {
    if (!isDigits(font)) {
        return font;
    }
    const int n = intValue(font);
    if (n >= kFirstLetterFont && n <= labeltext::kHighestFont) {
        return std::string(1, static_cast<char>('A' + n - kFirstLetterFont));
    }
    return std::to_string(n);
}

std::string encodeLabelSide(const LabelSide& side) {
    std::string text = crlfToBreaks(side.text);
    if (side.centred != 0) {
        std::string paired;
        for (const char c : text) {
            paired += c;
            if (c == kRecordBreak) {
                paired += labeltext::kCentredBreakMark;
            }
        }
        text = paired;
    }
    const char lead = side.centred != 0 ? labeltext::kLeadCentred : labeltext::kLeadPlain;
    return lead + fontCode(side.font) + text;
}

std::string decodeLabelBreaks(std::string_view text, char lineBreak) {
    std::string single;
    for (std::size_t i = 0; i < text.size(); ++i) {
        single += text[i];
        if (lineBreak == kRecordBreak && text[i] == kRecordBreak && i + 1 < text.size() &&
            text[i + 1] == labeltext::kCentredBreakMark) {
            ++i;
        }
    }
    return breaksToCrlf(single, lineBreak);
}

bool decodeLabelSide(const std::string& text, LabelSide& side) {
    if (text.empty()) {
        side = {"", 0, labeltext::kDefaultFont};
        return true;
    }
    const char lead = text[0];
    if (lead == labeltext::kLeadPlain || lead == labeltext::kLeadCentred) {
        if (text.size() < 2 || !isReceivedFont(text[1])) {
            side.text = text;
            return false;
        }
        side.centred = lead == labeltext::kLeadCentred ? 1 : 0;
        side.font = std::string(1, text[1]);
        side.text = text.substr(2);
        return true;
    }
    if (lead == labeltext::kLeadCentredNoFont) {
        side.centred = 1;
        side.font.clear();
        side.text = text.substr(1);
        return true;
    }
    side.text = text;
    return true;
}

std::string badLabelTextMessage() {
    return labeltext::kBadTextMessage;
}

}  // namespace vorn
