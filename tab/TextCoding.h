#pragma once
// The two kinds of text a spreadsheet file comes in, and the way from UTF-8 to the scale's
// single-byte text. The scale's text is single bytes, shown as Latin-1 everywhere in the
// program (U+0000 to U+00FF, one byte each); a UTF-8 character beyond that has no byte and is
// reported, never replaced.

#include <cstddef>
#include <string>
#include <string_view>

namespace vorn {

enum class TextCoding {
    Utf8,        // with or without a byte order mark
    SingleByte,  // every byte one character
};

// The UTF-8 byte order mark that spreadsheets put at the start of a UTF-8 file.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

struct DetectedText {
    TextCoding coding = TextCoding::Utf8;
    std::size_t markLength = 0;  // bytes of the byte order mark at the start
};

// UTF-8 when the bytes start with the byte order mark or are well-formed UTF-8 throughout
// (plain ASCII included); single-byte text otherwise.
DetectedText detectCoding(std::string_view bytes);
bool isWellFormedUtf8(std::string_view bytes);

// The words for a coding in messages: "UTF-8", "single-byte (Windows-1252 or Latin-1)".
const char* codingName(TextCoding coding);

struct SingleByteText {
    std::string text;
    // The first character (as its UTF-8 bytes) that has no single byte; empty when all fit.
    std::string unfit;
    char32_t unfitCode = 0;  // its code point; 0 for a byte that is not UTF-8
};

// UTF-8 text as single bytes: each character from U+0000 to U+00FF becomes its byte. A
// malformed sequence counts as a character that does not fit.
SingleByteText utf8ToSingleByte(std::string_view utf8);

// The character a byte from 0x80 to 0x9F stands for in Windows-1252 (the euro sign, curly
// quotes, dashes), which a spreadsheet saving in that code page writes; 0 for the five bytes it
// leaves undefined. In the scale's character set these bytes are control characters.
char32_t windows1252Of(unsigned char byte);

// Single-byte text that holds a well-formed UTF-8 sequence of a character beyond ASCII ("Ã©",
// "Â°"): UTF-8 that was read as single bytes somewhere on the way (mojibake). The sequence
// found, as bytes; empty when there is none.
std::string_view utf8SequenceIn(std::string_view singleByte);

// A character that does not fit, for a message: “€” (U+20AC), or the byte 0xE9, which is not
// UTF-8.
std::string describeUnfit(const SingleByteText& converted);

}  // namespace vorn
