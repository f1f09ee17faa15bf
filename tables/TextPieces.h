#pragma once
// Pieces of a single-byte text: a field at a position, a text cut to a width, and a text without
// its blanks at the ends. The one set of these that every table, record and list uses.

#include <cstddef>
#include <string>
#include <string_view>

namespace vorn {

// Characters pos .. pos+count-1 of a line, shorter (or empty) where the line ends first.
std::string_view field(std::string_view line, std::size_t pos, std::size_t count);

// The text cut to at most width characters.
std::string cutTo(std::string text, std::size_t width);

// The text without blanks at its end.
std::string rightTrimmed(std::string_view text);
// The text without blanks at either end.
std::string trimmed(std::string_view text);

}  // namespace vorn
