#pragma once
// The scale's character set, as every text typed, imported or stored for the scale is checked
// against it.

namespace vorn {

// True when the scale's character set holds the character as a text of a record: one byte a
// character (Latin-1), no control character (below 0x20, 0x7F, 0x80 to 0x9F). The euro sign and
// the en dash are not held: stored as a byte they would become "?".
inline bool scaleHoldsCharacter(char32_t c) {
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF);
}

}  // namespace vorn
