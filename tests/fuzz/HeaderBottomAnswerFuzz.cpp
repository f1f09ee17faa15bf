// The header and bottom texts decoded from any answer lines.
// Property: a side whose lead and font decoded is encoded into a record and decoded again
// unchanged, as long as its encoded text fits the record's 140 characters.

#include <cstdint>
#include <string>
#include <vector>

#include "editors/HeaderBottom.h"
#include "editors/HeaderBottomText.h"
#include "platform/Prompter.h"

namespace {

class SilentPrompter : public vorn::Prompter {
public:
    vorn::PromptAnswer ask(const vorn::Prompt&) override { return vorn::PromptAnswer::Ok; }
};

std::vector<std::string> linesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool same(const vorn::LabelSide& a, const vorn::LabelSide& b) {
    return a.text == b.text && a.centred == b.centred && a.font == b.font;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SilentPrompter silent;
    vorn::installPrompter(&silent);
    const std::vector<std::string> lines =
        linesOf(std::string(reinterpret_cast<const char*>(data), size));

    vorn::HeaderBottom hb;
    hb.takeAnswer(lines);

    for (const std::string& line : lines) {
        const std::string text = vorn::labelTextOfAnswer(line);
        vorn::LabelSide side;
        if (text.empty() ||
            (text[0] != vorn::labeltext::kLeadPlain && text[0] != vorn::labeltext::kLeadCentred) ||
            !vorn::decodeLabelSide(text, side)) {
            continue;
        }
        const std::string encoded = vorn::encodeLabelSide(side);
        if (encoded.size() > vorn::headerbottom::kTextWidth) {
            continue;
        }
        vorn::LabelSide again;
        const std::string record =
            vorn::headerBottomRecord(vorn::headerbottom::kHeaderRow, encoded);
        if (!vorn::decodeLabelSide(vorn::labelTextOfAnswer(record), again) || !same(side, again)) {
            __builtin_trap();
        }
    }
    vorn::installPrompter(nullptr);
    return 0;
}
