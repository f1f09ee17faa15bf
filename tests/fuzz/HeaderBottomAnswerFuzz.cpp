// The header and bottom texts decoded from any answer lines.
// Property: a side whose lead and font decoded is encoded into a record and decoded again
// unchanged, as long as its encoded text fits the record's 140 characters and is not a plain
// side with a break followed by the centred break mark (which reads as a centred break).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editors/kit/RecordText.h"
#include "editors/text/HeaderBottom.h"
#include "editors/text/HeaderBottomText.h"
#include "tables/TextFiles.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

bool same(const vorn::LabelSide& a, const vorn::LabelSide& b) {
    return a.text == b.text && a.centred == b.centred && a.font == b.font;
}

bool ambiguousPlain(const vorn::LabelSide& side, const std::string& encoded) {
    const char pair[] = {vorn::kRecordBreak, vorn::labeltext::kCentredBreakMark};
    return side.centred == 0 && encoded.find(std::string_view(pair, 2)) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vorn::fuzz::silencePrompts();  // a received text that does not decode is told
    const std::vector<std::string> lines =
        vorn::splitTextLines(std::string_view(reinterpret_cast<const char*>(data), size));

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
        if (encoded.size() > vorn::headerbottom::kTextWidth || ambiguousPlain(side, encoded)) {
            continue;
        }
        vorn::LabelSide again;
        const std::string record =
            vorn::headerBottomRecord(vorn::headerbottom::kHeaderRow, encoded);
        if (!vorn::decodeLabelSide(vorn::labelTextOfAnswer(record), again) || !same(side, again)) {
            __builtin_trap();
        }
    }
    return 0;
}
