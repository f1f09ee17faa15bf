// A PLU reception on any trf.in: the split by table, the pairing of PLU and label-data records,
// the take, and the codec on what was taken.
// Properties: every PLU record is paired once, with a label-data line of its own number or the
// default line; every record of 189 characters is taken; encoding the decoded values of a
// taken pair keeps its envelope and reserved positions and its lengths.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plu/PluList.h"
#include "plu/PluRecord.h"
#include "plu/PluTransfer.h"
#include "tables/TextFiles.h"

namespace {

bool keeps(const std::string& before, const std::string& after, std::size_t pos, std::size_t n) {
    return before.compare(pos, n, after, pos, n) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines =
        vorn::splitTextLines(std::string_view(reinterpret_cast<const char*>(data), size));
    const vorn::SplitAnswers split = vorn::splitAnswers(lines);
    const std::vector<vorn::ReceivedPlu> received =
        vorn::pairReceived(split.pluLines, split.labelLines);
    if (received.size() != split.pluLines.size()) {
        __builtin_trap();
    }
    std::vector<std::string> chosenPlu;
    std::vector<std::string> chosenLabel;
    std::size_t full = 0;
    for (const vorn::ReceivedPlu& r : received) {
        const int h = vorn::pluNumberOf(r.plu);
        if (vorn::pluNumberOf(r.label) != h && r.label != vorn::defaultLabelLine(h)) {
            __builtin_trap();
        }
        vorn::selectionRow(r);
        chosenPlu.push_back(r.plu);
        chosenLabel.push_back(r.label);
        full += r.plu.size() == vorn::plurecord::kLength;
    }
    const std::vector<vorn::PluPair> taken = vorn::chosenPairs(chosenPlu, chosenLabel);
    if (taken.size() != full) {
        __builtin_trap();
    }
    for (const vorn::PluPair& pair : taken) {
        vorn::displayPart(pair);
        vorn::PluPair encoded = pair;
        const std::string problem = vorn::encodeValues(vorn::decodePair(pair), encoded);
        if (!problem.empty() || !pair.intact()) {
            continue;
        }
        if (!encoded.intact() || !keeps(pair.plu, encoded.plu, 0, 16) ||
            !keeps(pair.plu, encoded.plu, 116, 8) || !keeps(pair.plu, encoded.plu, 126, 44) ||
            !keeps(pair.plu, encoded.plu, 180, 9) || !keeps(pair.label, encoded.label, 0, 16) ||
            !keeps(pair.label, encoded.label, 32, 4) || !keeps(pair.label, encoded.label, 59, 9) ||
            !keeps(pair.label, encoded.label, 85, 48)) {
            __builtin_trap();
        }
    }
    vorn::PluList list;
    list.addAll(taken);
    return 0;
}
