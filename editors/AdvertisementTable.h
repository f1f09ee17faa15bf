#pragma once
// The advertisement texts: up to 10 texts of two scale lines, numbered 1 to 10, edited as a
// numbered table whose values hold line breaks (CR LF in the list and fields, 0x10 in records).

#include <cstddef>
#include <string>

#include "editors/NumberedTable.h"

namespace vorn {

namespace advertisement {
// The text field of the record: 73 characters from position 18; a record line is 91
// characters without its line end.
inline constexpr std::size_t kRecordTextWidth = 73;
inline constexpr std::size_t kRecordLineLength = 91;
}  // namespace advertisement

const NumberedTableKind& advertisementTable();

// The text of a record from the list's text: blanks at the end removed, CR LF as 0x10, a break
// before the 37th character of a text of one line longer than 36 characters; cut to width.
std::string advertisementRecordText(const std::string& text,
                                    std::size_t width = advertisement::kRecordTextWidth);

}  // namespace vorn
