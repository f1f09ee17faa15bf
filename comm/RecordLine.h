#pragma once
// The record envelope that every line to and from the scale begins with, and the result codes
// of trf.in.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// Envelope fields of a record line (positions from 0).
namespace envelope {
inline constexpr std::size_t kLength = 16;
inline constexpr std::size_t kTableCode = 4;   // 2 characters
inline constexpr std::size_t kOperation = 6;   // 4 characters
inline constexpr std::size_t kBlockLast = 13;  // last digit of the block field
inline constexpr std::size_t kScale = 14;      // 2 characters
inline constexpr std::string_view kHeader = "0002";
inline constexpr std::string_view kStore = "0000";
inline constexpr std::string_view kRequestAll = "0007";
inline constexpr std::string_view kRequestNamed = "0002";
inline constexpr std::string_view kDeletePlu = "0008";
}  // namespace envelope

// The table code of a line (positions 4 and 5), empty for a short line.
std::string_view tableCode(std::string_view line);
// The operation of a line (positions 6 to 9), empty for a short line.
std::string_view operation(std::string_view line);

// Result code of trf.in: the first line starts with '1' or '3'.
bool isSuccessLine(std::string_view firstLine);
// A line of trf.in that carries a record: the whole envelope, beginning with the answer status
// '1' or '3'. The engine's error lines ("02...") begin with '0' and are none.
bool isAnswerRecord(std::string_view line);
// The scale answers a request for an empty table with one line, the request itself with '4' at
// position 6: it carries no record.
bool marksEmptyTable(std::string_view line);
// The first line of trf.in after the first that is no answer: an error line of the engine (a
// later request that the scale never took, an answer broken off) after answers that arrived.
// What came before it is only part of what was asked for. No value when every line is an answer
// (or empty).
std::optional<std::string> laterErrorLine(const std::vector<std::string>& lines);

}  // namespace vorn
