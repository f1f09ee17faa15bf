// A scale's answer judged against the request of a table: the groups' (numbers 0 to 20), the
// operators' (0 to 4, a leading record 0 on top) and the header and bottom (record 0, then 1).
// Property: an answer that fits holds only records of the requested table, each number the
// table holds at most once and at most as many records as it holds, or exactly the records
// asked for, in order.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "editors/kit/AnswerFit.h"
#include "editors/numbered/GroupTable.h"
#include "editors/numbered/OperatorTable.h"
#include "tables/TextFiles.h"
#include "tables/TextPieces.h"

namespace {

int numberOf(const vorn::AnswerFit& fit, const std::string& line) {
    int n = 0;
    for (const char c : vorn::field(line, fit.numberPos, fit.numberWidth)) {
        if (c < '0' || c > '9') {
            __builtin_trap();  // a fitting record carries its number in digits
        }
        n = n * 10 + (c - '0');
    }
    return n;
}

void check(const vorn::AnswerFit& fit, const std::string& request,
           const std::vector<std::string>& lines) {
    if (!vorn::answerMisfit(fit, {request}, lines).empty()) {
        return;
    }
    std::set<int> numbers;
    std::size_t answers = 0;
    for (const std::string& line : lines) {
        if (!vorn::isAnswerRecord(line)) {
            continue;
        }
        if (vorn::tableCode(line) != vorn::tableCode(request)) {
            __builtin_trap();
        }
        ++answers;
        if (vorn::marksEmptyTable(line)) {
            continue;
        }
        const int n = numberOf(fit, line);
        if (!fit.askedNumbers.empty()) {
            if (answers > fit.askedNumbers.size() || n != fit.askedNumbers[answers - 1]) {
                __builtin_trap();
            }
        } else if (!(fit.leadingZero && answers == 1 && n == 0) &&
                   (n < fit.lowest || n > fit.highest || !numbers.insert(n).second)) {
            __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> lines =
        vorn::splitTextLines(std::string_view(reinterpret_cast<const char*>(data), size));
    check(vorn::numberedAnswerFit(vorn::groupTable()), vorn::groupTable().requestLine, lines);
    check(vorn::numberedAnswerFit(vorn::operatorTable()), vorn::operatorTable().requestLine, lines);
    check(vorn::AnswerFit{.numberWidth = 1, .askedNumbers = {0, 1}}, "00021100070001000", lines);
    return 0;
}
