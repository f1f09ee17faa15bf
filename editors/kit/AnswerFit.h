#pragma once
// What a request fixed about its answer, and what the table can hold: an answer that does not
// fit is no part of the table asked for (another table's records, another record than the one
// asked, more records or other numbers than the table holds), and nothing of it is taken. Every
// receive (dialog, batch, vornctl) judges the answer by its table's fit before taking any row.

#include <cstddef>
#include <string>
#include <vector>

#include "comm/RecordLine.h"

namespace vorn {

struct AnswerFit {
    // The record number after the envelope: its place and width (0: the records carry none to
    // check), and the numbers the table holds.
    std::size_t numberPos = envelope::kLength;
    std::size_t numberWidth = 0;
    int lowest = 0;
    int highest = 0;
    // The first record may be number 0, outside the range: a record the scale puts ahead of
    // its table (the operators').
    bool leadingZero = false;
    // The number each answer line in turn must carry where the request fixed it (a request a
    // record, or records asked in a fixed order); empty: any number in the range, each once.
    std::vector<int> askedNumbers = {};
    // The most records the table holds; 0: as many as its range has numbers.
    std::size_t mostRecords = 0;
};

// The fit of a table of numbered records, numbers lowest to highest, each at most once.
AnswerFit numberedFit(std::size_t numberWidth, int lowest, int highest);

// The most answer frames a request of the table may bring (a record a frame, or the one frame
// that tells an empty table); 0 when the fit does not bound it.
int answerFrameLimitOf(const AnswerFit& fit);

// Why the answer lines do not fit the table asked for by the request lines, in words; the empty
// text when they fit. Every answer record must carry the table code of a request line; the empty
// table's answer (the request itself) is taken as it is.
std::string answerMisfit(const AnswerFit& fit, const std::vector<std::string>& requestLines,
                         const std::vector<std::string>& answerLines);

}  // namespace vorn
