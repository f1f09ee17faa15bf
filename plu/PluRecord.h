#pragma once
// A PLU item as the scale keeps it: a pair of fixed-width record lines, the PLU record (table
// code 07, 189 characters) and the label-data record (table code 08, 133 characters). The PC
// never keeps a PLU in any other form between operations: the list, the file and the transfers
// pass the two lines on unchanged, and the editor works on the field texts that decodePair
// gives and encodeValues writes back.
//
// encodeValues writes only the positions of the fields; every other position (the envelope and
// the reserved ranges) keeps the character the pair had, so a record that came from a scale goes
// back with the scale's characters.

#include <cstddef>
#include <string>
#include <string_view>

namespace vorn {

// One field of a record line: first position (from 0) and width.
struct RecordField {
    std::size_t pos;
    std::size_t width;
};

// The PLU record, table code 07.
namespace plurecord {
inline constexpr std::size_t kLength = 189;
inline constexpr RecordField kPluNumber{16, 6};
inline constexpr RecordField kItemNumber{22, 13};
inline constexpr RecordField kDescription{35, 73};
inline constexpr RecordField kPrice{108, 8};  // hundredths
inline constexpr RecordField kVatNumber{124, 2};
inline constexpr RecordField kGroupNumber{170, 4};
inline constexpr RecordField kTareNumber{174, 2};
inline constexpr RecordField kFlags{176, 4};  // lower-case hexadecimal word
// Bits of the item flag word.
inline constexpr unsigned kByCountBit = 1u << 0;
inline constexpr unsigned kOpenPriceBit = 1u << 1;
inline constexpr unsigned kDiscountBit = 1u << 5;
// The character between the two description lines.
inline constexpr char kLineBreak = '\x10';
}  // namespace plurecord

// The label-data record, table code 08.
namespace labelrecord {
inline constexpr std::size_t kLength = 133;
inline constexpr RecordField kPluNumber{16, 6};
inline constexpr RecordField kLabelNumber{22, 2};
inline constexpr RecordField kAlignment{24, 4};
inline constexpr RecordField kFontSize1{28, 2};
inline constexpr RecordField kFontSize2{30, 2};
inline constexpr RecordField kExtraFontSize{36, 2};
inline constexpr RecordField kStoreAddress{38, 2};
inline constexpr RecordField kAdvertisingText{40, 2};
inline constexpr RecordField kExtraText{42, 3};
inline constexpr RecordField kPackDateText{45, 2};
inline constexpr RecordField kBestBeforeDateText{47, 2};
inline constexpr RecordField kSellByDateText{49, 2};
inline constexpr RecordField kDateFormats{51, 4};  // lower-case hexadecimal word
inline constexpr RecordField kCrosses{55, 4};      // lower-case hexadecimal word
inline constexpr RecordField kBestBeforeDays{68, 3};
inline constexpr RecordField kSellByDays{71, 3};
inline constexpr RecordField kFixweight{74, 11};  // thousandths of a pound
// The date format word holds three codes of three bits: pack date, best-before, sell-by.
inline constexpr unsigned kFormatBits = 3;
}  // namespace labelrecord

// The two record lines of one PLU, without line ends.
struct PluPair {
    std::string plu;
    std::string label;

    // Both lines have their record's length; a pair that has not is damaged.
    bool intact() const {
        return plu.size() == plurecord::kLength && label.size() == labelrecord::kLength;
    }
    bool operator==(const PluPair&) const = default;
};

// The two literal records used when no other pair is at hand.
PluPair templatePair();

// The field values of one PLU as texts, the way the editor shows and hands them back. Numbers
// are digit texts, the price a text of hundredths, the fixweight a text of thousandths of a
// pound; the print formats are codes (0 not printed, 1 MM/DD/YYYY, 2 DD/MM/YYYY, 3 days).
struct PluValues {
    // PLU record
    std::string pluNumber;
    std::string itemNumber;
    std::string description1;
    std::string description2;
    std::string priceHundredths;
    std::string vatNumber;
    std::string groupNumber;
    std::string tareNumber;
    bool byCount = false;
    bool openPrice = false;
    bool discount = false;
    // label-data record
    std::string labelNumber;
    int alignment = 0;  // 0 left, 1 center, 2 auto
    std::string fontSize1;
    std::string fontSize2;
    std::string extraFontSize;
    bool printStoreAddress = false;
    std::string advertisingTextNumber;
    std::string extraTextNumber;
    std::string packDateText;
    std::string bestBeforeDateText;
    std::string sellByDateText;
    int packFormat = 0;
    int bestBeforeFormat = 0;
    int sellByFormat = 0;
    bool packCross = false;
    bool bestBeforeCross = false;
    bool sellByCross = false;
    std::string bestBeforeDays;
    std::string sellByDays;
    std::string fixweightThousandths;
    // Kept only by the editor's defaults; in no record.
    std::string packDays;

    bool operator==(const PluValues&) const = default;
};

// The field texts of a pair: every number as the digits of its positions, the description
// split at the first line-break character (both lines without trailing blanks), the days as
// their value ("000" gives "0"), the hexadecimal words as their bits and codes. Positions that a
// damaged line lacks read as empty.
PluValues decodePair(const PluPair& pair);

// Writes the values into the pair's field positions; every other position keeps its character.
// A line of the wrong length is first replaced by its template. A value that does not fit its
// field (too many digits, a negative number, a description beyond 73 characters) writes nothing
// and returns the problem in words; the empty text means the pair was written.
std::string encodeValues(const PluValues& values, PluPair& pair);

// Writes into an intact pair only the fields whose values differ between `before` (the pair's
// decoded values) and `after`: the positions of every other field keep their characters as well,
// and in the three hexadecimal words only the bits of changed fields change. The description's
// two lines share their positions: a change in either writes both. Returns the problem as
// encodeValues does (nothing written then).
std::string encodeChangedValues(const PluValues& before, const PluValues& after, PluPair& pair);

// The PLU number of a record line (positions 16 to 21 read as a decimal number).
int pluNumberOf(std::string_view record);
// The item flag word of a PLU record read as hexadecimal (leading hexadecimal digits).
unsigned flagsOf(std::string_view pluRecord);

// The list's display part of a PLU: "%6d\t" of the number, "%-18s\t" of the description's
// first 18 characters, "%7.2f\t" of the price and " Count   " or " Weight  ". 43 characters
// for any price below 10000.00; a larger price widens the price column. A wider description
// (descriptionWidth above 18) shows that many characters of the description field, both lines,
// without its trailing blanks.
std::string displayPart(const PluPair& pair, std::size_t descriptionWidth = 18);
inline constexpr std::size_t kDisplayPartLength = 43;

// The label-data line of a PLU that came from the scale without one.
std::string defaultLabelLine(int pluNumber);

// Request lines of "Sc->PC" (all PLU records, all label-data records) and the line that
// deletes every PLU in the scale.
std::string pluRequestLine();
std::string labelRequestLine();
std::string deleteAllPlusLine();

// Sets the operation of a record line (positions 6 to 9) to "0000": a record to store.
void markToStore(std::string& record);
// A received line as a record to keep: the answer status at position 0 set back to '0' and the
// operation to "0000".
std::string asStoredRecord(std::string line);

}  // namespace vorn
