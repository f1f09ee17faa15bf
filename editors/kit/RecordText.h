#pragma once
// Texts with line breaks as the dialogs hold them (CR LF) and as records carry them (the single
// control character 0x10), and the shaping of a text into the scale's lines of 36 characters.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// The line break inside a record text.
inline constexpr char kRecordBreak = 0x10;
// The batch transfer's line break in the header, bottom and store address texts: the character
// of code 210; the batch sends a header or bottom break as a blank followed by it.
inline constexpr char kBatchBreak = '\xD2';
inline constexpr std::string_view kBatchSentBreak = " \xD2";
// The scale prints and shows its texts in lines of at most this many characters.
inline constexpr std::size_t kScaleLineLength = 36;

// Every CR LF becomes lineBreak (the single 0x10 of the records unless told otherwise).
std::string crlfToBreaks(std::string_view text, std::string_view lineBreak = {&kRecordBreak, 1});
// Every lineBreak character becomes CR LF.
std::string breaksToCrlf(std::string_view text, char lineBreak = kRecordBreak);
// Every occurrence of the lineBreak sequence becomes CR LF.
std::string breaksToCrlf(std::string_view text, std::string_view lineBreak);

// The text of a two-line record (advertisement, store address): CR LF becomes 0x10, and a text
// that then holds no break and is longer than 36 characters gets one before its 37th
// character, so that the scale shows two lines.
std::string twoLineRecordText(std::string_view text);

// The extra text of a wrapped field, from the lines as the field displays them: of each line at
// most its first 36 characters, the lines joined without separator. A line that ends a
// paragraph carries its CR LF at the end; that break is kept, as 0x10.
std::string assembleDisplayedLines(const std::vector<std::string>& lines);

}  // namespace vorn
