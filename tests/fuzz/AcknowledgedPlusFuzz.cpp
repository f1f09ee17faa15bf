// The record of what a scale acknowledged (pluack01.dat), on any bytes, and the answers of the
// scales to a PLU send.
// Properties: every pair read names one PLU in both records, under that PLU's number; what was
// read, written back and read again is the same; a pair never held back by the record is one
// the record holds exactly; the answers acknowledge only PLUs that were sent.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plu/AcknowledgedPlus.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vorn::AcknowledgedPlus plus = vorn::parseAcknowledgedPlus(bytes);
    std::vector<vorn::PluPair> pairs;
    for (const auto& [number, pair] : plus) {
        if (!pair.intact() || vorn::pluNumberOf(pair.plu) != number ||
            vorn::pluNumberOf(pair.label) != number) {
            __builtin_trap();
        }
        pairs.push_back(pair);
    }
    if (vorn::parseAcknowledgedPlus(vorn::acknowledgedPlusBytes(plus)) != plus) {
        __builtin_trap();
    }
    // Every pair the record holds is held back; the same pairs, changed, all go.
    if (!vorn::changedPlus(pairs, {plus}).empty()) {
        __builtin_trap();
    }
    for (vorn::PluPair& pair : pairs) {
        pair.label.back() = pair.label.back() == 'x' ? 'y' : 'x';
    }
    if (vorn::changedPlus(pairs, {plus}).size() != pairs.size()) {
        __builtin_trap();
    }

    // The same bytes as the lines of trf.in after a send of the pairs held.
    std::vector<std::string> answers(1);
    for (const char c : bytes) {
        if (c == '\n') {
            answers.emplace_back();
        } else if (c != '\r') {
            answers.back() += c;
        }
    }
    for (const auto& [scale, numbers] : vorn::acknowledgedByScale(pairs, answers, {"01", "02"})) {
        for (const int number : numbers) {
            if (plus.count(number) == 0) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
