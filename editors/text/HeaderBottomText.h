#pragma once
// The label header and bottom texts as the scale carries them: a lead character (centred or
// not), a font code, then the text with its line breaks; and the decoding of a received text
// back into text, centring and font.

#include <string>
#include <string_view>

#include "platform/Translatable.h"

namespace vorn {

// One side of the label, header or bottom, as the dialog holds it.
struct LabelSide {
    std::string text;  // line breaks as CR LF
    int centred = 0;   // 1 centred, 0 not
    std::string font;  // as entered: normally one or two digits; a letter received from a scale
};

namespace labeltext {
inline constexpr char kLeadPlain = 0x05;
inline constexpr char kLeadCentred = 0x0B;
inline constexpr char kLeadCentredNoFont = 0x06;  // only received: centred, no font code
// The break of a centred text: 0x10 followed by this.
inline constexpr char kCentredBreakMark = 0x06;
// The font an empty font field stands for.
inline constexpr const char* kDefaultFont = "5";
// Fonts a field may hold: 0 to 20.
inline constexpr int kHighestFont = 20;
// Shown when a received text does not begin with a valid lead and font (in Chinese with the
// Chinese translation: "传送错误!").
inline constexpr const char* kBadTextMessage = VORN_TRANSLATABLE("vorn", "Transfer error!");
}  // namespace labeltext

// The font code of a font: the letters A to K for the fonts 10 to 20; the value of any other
// number as digits ("05" is 5); a font that is no number (a letter from a scale) as it is.
std::string fontCode(const std::string& font);

// The text as sent: lead character, font code, then the text with CR LF as 0x10, or as the pair
// 0x10 0x06 when the side is centred.
std::string encodeLabelSide(const LabelSide& side);

// The line breaks of a received text as CR LF. With 0x10 as lineBreak the centred pairs
// 0x10 0x06 are single breaks first.
std::string decodeLabelBreaks(std::string_view text, char lineBreak);

// Reads a received text (breaks already CR LF, blanks at the end removed) into the side:
// - empty: no centring and font "5";
// - 0x05 or 0x0B followed by a font character 1 to 9 or A to K: centring and font from them,
//   the text after them;
// - 0x06: centred without font, the text after it;
// - any other first character: the text as it is, centring and font unchanged.
// A 0x05 or 0x0B without a valid font character is refused: the side takes the text as
// received and keeps its centring and font, and the result is false.
bool decodeLabelSide(const std::string& text, LabelSide& side);

// The message shown for a refused text, in UTF-8 for the screen.
std::string badLabelTextMessage();

}  // namespace vorn
