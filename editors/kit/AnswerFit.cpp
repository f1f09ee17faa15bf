#include "editors/kit/AnswerFit.h"

#include <algorithm>
#include <optional>
#include <set>

#include "tables/TextPieces.h"

namespace vorn {

namespace {

constexpr const char* kNothingTaken = " Nothing was taken.";

// The record number of an answer line; no value when the field is not all digits.
std::optional<int> recordNumber(const AnswerFit& fit, const std::string& line) {
    const std::string_view digits = field(line, fit.numberPos, fit.numberWidth);
    if (digits.size() != fit.numberWidth ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    int n = 0;
    for (const char c : digits) {
        n = n * 10 + (c - '0');
    }
    return n;
}

// The record's number as the answer gives it: the number, or the field's text when it is none.
std::string numberText(const AnswerFit& fit, const std::string& line, std::optional<int> n) {
    return n ? std::to_string(*n)
             : "\"" + std::string(field(line, fit.numberPos, fit.numberWidth)) + "\"";
}

std::string codesText(const std::set<std::string, std::less<>>& codes) {
    std::string text;
    for (const std::string& code : codes) {
        text += (text.empty() ? "" : " or ") + code;
    }
    return text;
}

std::size_t mostRecordsOf(const AnswerFit& fit) {
    if (fit.mostRecords != 0) {
        return fit.mostRecords;
    }
    if (!fit.askedNumbers.empty()) {
        return fit.askedNumbers.size();
    }
    return fit.numberWidth != 0 && fit.highest >= fit.lowest
               ? static_cast<std::size_t>(fit.highest - fit.lowest + 1)
               : 0;
}

}  // namespace

AnswerFit numberedFit(std::size_t numberWidth, int lowest, int highest) {
    return AnswerFit{.numberWidth = numberWidth, .lowest = lowest, .highest = highest};
}

int answerFrameLimitOf(const AnswerFit& fit) {
    const std::size_t most = mostRecordsOf(fit);
    if (most == 0) {
        return 0;
    }
    // The operators' leading record comes on top of the table.
    return static_cast<int>(most) + (fit.leadingZero ? 1 : 0);
}

std::string answerMisfit(const AnswerFit& fit, const std::vector<std::string>& requestLines,
                         const std::vector<std::string>& answerLines) {
    std::set<std::string, std::less<>> codes;
    for (const std::string& request : requestLines) {
        if (!tableCode(request).empty()) {
            codes.emplace(tableCode(request));
        }
    }
    const std::size_t most = mostRecordsOf(fit);
    std::set<int> seen;
    std::size_t answers = 0;  // answer lines, an empty table's included
    std::size_t records = 0;  // records of the table
    for (const std::string& line : answerLines) {
        if (!isAnswerRecord(line)) {
            continue;
        }
        const bool first = answers++ == 0;
        if (!codes.empty() && codes.find(tableCode(line)) == codes.end()) {
            return "The scale answered with a record of table " + std::string(tableCode(line)) +
                   " to a request for table " + codesText(codes) + "." + kNothingTaken;
        }
        if (fit.numberWidth == 0) {
            continue;
        }
        // An empty table's answer, or an empty slot's, is the request itself.
        const bool empty = marksEmptyTable(line);
        const std::optional<int> n = recordNumber(fit, line);
        if (!fit.askedNumbers.empty()) {
            if (answers > fit.askedNumbers.size()) {
                return "The scale sent more records than were asked for (" +
                       std::to_string(fit.askedNumbers.size()) + ")." + kNothingTaken;
            }
            const int asked = fit.askedNumbers[answers - 1];
            if (!empty && n != asked) {
                return "The scale answered with record " + numberText(fit, line, n) +
                       " where record " + std::to_string(asked) + " was asked for." + kNothingTaken;
            }
            continue;
        }
        if (empty) {
            continue;
        }
        if (fit.leadingZero && first && n == 0) {
            continue;  // neither counted nor taken for the table's own record 0
        }
        if (!n || *n < fit.lowest || *n > fit.highest) {
            return "The scale sent record " + numberText(fit, line, n) +
                   "; the table holds numbers " + std::to_string(fit.lowest) + " to " +
                   std::to_string(fit.highest) + "." + kNothingTaken;
        }
        if (!seen.insert(*n).second) {
            return "The scale sent record " + std::to_string(*n) + " twice." + kNothingTaken;
        }
        if (most != 0 && ++records > most) {
            return "The scale sent more than " + std::to_string(most) +
                   " records; the table holds no more." + kNothingTaken;
        }
    }
    return {};
}

}  // namespace vorn
