#pragma once
// The label header and bottom texts with their centring and font, kept in hbtext.dat and sent
// as two records whose texts carry a lead character and a font code.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "editors/kit/TableRoundTrip.h"
#include "editors/text/HeaderBottomText.h"
#include "tables/TableFiles.h"

namespace vorn {

namespace headerbottom {
// The records: the envelope, the side digit (16: 0 header, 1 bottom) and the encoded text
// (17 on, 140 characters).
inline constexpr const char* kRecordFormat = "0002110000000100%01d%-140s";
inline constexpr int kHeaderRow = 0;
inline constexpr int kBottomRow = 1;
inline constexpr std::size_t kTextPos = 17;
inline constexpr std::size_t kTextWidth = 140;
inline constexpr const char* kRequestLine = "00021100070001000";
inline constexpr const char* kTransferMessage = "Transfering Head/foot information,please wait...";
inline constexpr const char* kErrorSuffix = "error";
inline constexpr std::size_t kAnswerLineLimit = 179;
// The batch transfer takes 141 characters of an answer's text (17 to 157).
inline constexpr std::size_t kBatchAnswerTextWidth = 141;
inline constexpr const char* kFontRangeMessage = "Fonts range: 0 ~ 20 !";
// Each text field: at most 100 characters (a line break counts two); each font field 2 digits.
inline constexpr int kFieldLength = 100;
inline constexpr int kFontLength = 2;
}  // namespace headerbottom

// The record line of a side (0 header, 1 bottom) with its encoded text, cut to 140 characters.
// No line end.
std::string headerBottomRecord(int row, const std::string& encodedText);
// The text of an answer line: width characters from position 17, blanks at the end removed,
// the line breaks (lineBreak, and with 0x10 the centred pairs) as CR LF.
std::string labelTextOfAnswer(std::string_view line, std::size_t width = headerbottom::kTextWidth,
                              char lineBreak = 0x10);

// The sides of hbtext.dat from a good answer, as the batch takes it: the first line the header,
// every further record the bottom (the last one wins), each decoded over the side as it was; an
// empty font stands for 5.
HeaderBottomTexts headerBottomOfAnswer(const std::vector<std::string>& lines,
                                       HeaderBottomTexts before);

// The two sides as the dialog holds them.
struct LabelSides {
    LabelSide header;
    LabelSide bottom;
};

// The round trip of hbtext.dat in the dialog: each side sent with its lead and font code; an
// answer's first line is the header, every further record the bottom, each decoded over the
// side as it was (a text that does not decode is told with "Transfer error!").
TableRoundTrip<LabelSides> headerBottomRoundTrip();
// The batch transfer's: the stored texts go without their lead character and font code, each
// break as a blank and code 210 (a text that does not fit is not sent); a file of no rows sends
// nothing; an answer is taken in by headerBottomOfAnswer, over the file's centring and fonts.
TableRoundTrip<HeaderBottomTexts> headerBottomBatchRoundTrip();

// The header and bottom dialog's members and operations.
class HeaderBottom {
public:
    // Which font field the font check refused (the dialog puts the focus there).
    enum class Field { None, HeaderFont, BottomFont };

    LabelSide header;
    LabelSide bottom;

    void open();
    // The font check: a bottom font above 20 is emptied silently; otherwise a header font above
    // 20 is told and emptied. Returns the refused field, or None.
    Field checkFonts();
    // An empty font stands for 5.
    void fillEmptyFonts();
    // OK: fonts filled and checked, then hbtext.dat saved. False when the check refused a font
    // (refused is set) or the file could not be saved (told).
    bool save(Field* refused = nullptr);
    // PC->Sc: fonts filled and checked, then the header and the bottom record sent.
    bool send(Field* refused = nullptr);
    // Sc->PC: the first answer line is the header, every further line the bottom. A text whose
    // lead and font do not decode is told with "Transfer error!".
    void receive();
    void takeAnswer(const std::vector<std::string>& lines);
};

}  // namespace vorn
