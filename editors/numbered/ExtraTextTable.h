#pragma once
// The extra texts: up to 150 texts of up to 490 characters that PLU items refer to by number.
// The list rows are "%4s %s" (number, blank, text with 0x10 as line break); the table file and
// the transfers carry fixed 515-character records.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "editors/kit/NumberedTable.h"

namespace vorn {

namespace extratext {
// The record: the envelope "0002090000000100", "000000", the text number in three digits
// (22-24) and the text, blank-padded (25-514).
inline constexpr std::string_view kRecordStart = "0002090000000100000000";
inline constexpr std::size_t kRecordLength = 515;
inline constexpr std::size_t kNumberPos = 22;
inline constexpr std::size_t kNumberDigits = 3;
inline constexpr std::size_t kTextPos = 25;
inline constexpr std::size_t kTextLength = 490;
inline constexpr int kHighestNumber = 150;
// The request: the envelope with "0007" and nine zeros over positions 16 to 24.
inline constexpr const char* kRequestLine = "0002090007000000000000000";
// The item key of a record that the engine matches: positions 16 to 24.
inline constexpr int kKeyWidth = 9;
}  // namespace extratext

const NumberedTableKind& extraTextTable();
// The batch transfer's round trip, on the records of extratextrec.dat as they are: each is sent
// filled to 515 characters (a longer line is not sent); an answer's records are stored with '0'
// as their first character.
TableRoundTrip<std::vector<std::string>> extraTextBatchRoundTrip();

// The 515-character record of a text number and a text (0x10 as line break; cut to 490).
std::string extraTextRecord(int number, std::string_view text);
// The records of the list rows, in list order; rows of 5 characters or fewer are left out.
std::vector<std::string> extraTextRecordsOfRows(const std::vector<std::string>& rows);
// The list row of a record: "%4d %s" of the number and the text, blanks at the end removed;
// the empty text for a line too short to hold a text number.
std::string extraTextRowOfRecord(std::string_view record);
// The records among the answer lines of a request: whole 515-character records with the
// answer status '1' or '3' (longer lines are cut to 515); other lines are none.
std::vector<std::string> extraTextAnswerRecords(const std::vector<std::string>& lines);

}  // namespace vorn
