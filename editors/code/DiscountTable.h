#pragma once
// The nine discounts of the scale: each a signed rate in hundredths of a percent with a text
// shown on the scale's display and a text printed on the label. Kept in discount.dat as nine
// record strings, sent as one record line per row whose rate is not 0.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editors/kit/TableRoundTrip.h"

namespace vorn {

struct DiscountRow {
    int rate = 0;  // hundredths of a percent, signed
    std::string displayed;
    std::string printed;
};

namespace discount {
inline constexpr int kRows = 9;
inline constexpr std::size_t kTextWidth = 20;
// Rates from -99.99 to 99.99 percent.
inline constexpr int kHighestRate = 9999;
// The record: the envelope, the row number (16), the displayed text (17-36), the printed text
// (37-56) and the rate (57 on), whose conversion differs: the record sent has a sign and four
// digits, the table file a sign and at least three.
inline constexpr std::string_view kRecordStart = "0002210000000000%01d%-20s%-20s";
inline constexpr std::string_view kSentRate = "%+05d";
inline constexpr std::string_view kStoredRate = "%+04d";
// The batch transfer sends the rate unsigned in five digits ("%05d": 10.00 percent is 01000),
// and stores its strings with a line end.
inline constexpr std::string_view kBatchSentRate = "%05d";
inline constexpr std::string_view kBatchStoredLineEnd = "\n";
inline constexpr std::size_t kRowPos = 16;
inline constexpr std::size_t kDisplayedPos = 17;
inline constexpr std::size_t kPrintedPos = 37;
inline constexpr std::size_t kRatePos = 57;
inline constexpr std::size_t kRateWidth = 5;
inline constexpr const char* kRequestLine = "00022100070001000";
inline constexpr const char* kTransferMessage = "Transfering Discount information,please wait...";
inline constexpr const char* kErrorSuffix = "error!";
// The first answer line is read up to 69 characters.
inline constexpr std::size_t kAnswerLineLimit = 69;
}  // namespace discount

using DiscountRows = std::array<DiscountRow, discount::kRows>;

// The record of row k (1 to 9) with the rate written by rateConversion; no line end. Texts are
// cut to 20 characters.
std::string discountRecord(int k, const DiscountRow& row, std::string_view rateConversion);
// A record read back: the texts without blanks at their end, the rate from the up to five
// characters at position 57.
DiscountRow discountRowOfRecord(std::string_view record);

// A typed rate in hundredths: blanks, an optional sign, digits with at most two decimals, within
// -99.99 to 99.99; the empty text is 0. No value for anything else.
std::optional<int> parseDiscountRate(std::string_view text);
// The rate as the field shows it: the shortest decimal text ("12.5", "-5", "0", "4.35").
std::string discountRateText(int rate);
// The refusal of a rate that is malformed or out of range, naming the row (1 to 9).
std::string badDiscountRateMessage(int k);

// The rows with those that the answer lines name (each by the digit at position 16) taken in.
DiscountRows discountRowsOfAnswer(const std::vector<std::string>& lines, DiscountRows rows);

// The round trip of the nine discounts. The dialog sends the rate signed in four digits, changes
// only the rows that an answer names, and stores the strings without line ends; the batch sends
// the rate unsigned in five digits, stores the rows of the answer alone, and ends each string
// with a line end. Both send only the rows whose rate is not 0.
TableRoundTrip<DiscountRows> discountRoundTrip(TableForm form);

class DiscountTable {
public:
    DiscountRows& rows() { return rows_; }
    const DiscountRows& rows() const { return rows_; }

    // Open: the rows of discount.dat, in file order (rows the file lacks stay empty; a damaged
    // file is told).
    void open();
    // OK: writes the nine strings of discount.dat; false (and told) when it could not.
    bool save() const;
    // The record lines of the rows whose rate is not 0.
    std::vector<std::string> sendLines() const;
    // PC->Sc: "No data to transmit!" when every rate is 0; a rate out of range is refused.
    void send();
    // Sc->PC: each answer line names its row by the digit at position 16 and changes only it.
    void receive();
    void takeAnswer(const std::vector<std::string>& lines);

private:
    DiscountRows rows_;
};

}  // namespace vorn
