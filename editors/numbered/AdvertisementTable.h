#pragma once
// The advertisement texts: up to 10 texts of two scale lines, numbered 1 to 10, edited as a
// numbered table whose values hold line breaks (CR LF in the list and fields, 0x10 in records).

#include <cstddef>
#include <string>
#include <vector>

#include "editors/kit/NumberedTable.h"

namespace vorn {

namespace advertisement {
// The record: the envelope, the number (16-17) and the text with 0x10 as line break, 73
// characters (18-90); a record line is 91 characters without its line end.
inline constexpr const char* kRecordFormat = "0002200000000000%02d%-73s\n";
inline constexpr std::size_t kRecordTextWidth = 73;
inline constexpr std::size_t kRecordLineLength = 91;
// The batch transfer writes the number as a text filled on the left with '0'.
inline constexpr const char* kBatchRecordFormat = "0002200000000000%02s%-73s";
inline constexpr std::size_t kNumberPos = 16;
inline constexpr std::size_t kTextPos = 18;
}  // namespace advertisement

const NumberedTableKind& advertisementTable();

// The text of a record from the list's text: blanks at the end removed, CR LF as 0x10, a break
// before the 37th character of a text of one line longer than 36 characters; cut to width.
std::string advertisementRecordText(const std::string& text,
                                    std::size_t width = advertisement::kRecordTextWidth);

// The batch transfer's round trip, on the rows of adv.dat as they are: a text is sent without
// blanks at its ends and with its breaks as 0x10; an answer's rows are the number "%2d" and the
// text of 73 characters without blanks at either end, its breaks as CR LF.
TableRoundTrip<std::vector<NumberStringRow>> advertisementBatchRoundTrip();
std::vector<NumberStringRow> advertisementRowsOfAnswer(const std::vector<std::string>& lines);

}  // namespace vorn
