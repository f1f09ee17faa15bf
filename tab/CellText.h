#pragma once
// What spreadsheets do to the text of a cell, and how the import tells: the guard that keeps a
// text from being taken for a formula, the error values a failed formula leaves, exact decimal
// numbers in any notation a spreadsheet writes (with the noise of binary floating point), and
// the conversions of number-like texts (leading zeros dropped, "1E3" written as 1000, "1/2"
// taken for a date).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorn::celltext {

// A text a spreadsheet would take for a formula: after any leading apostrophes, its first
// character is one of = + - @ TAB CR.
bool startsLikeFormula(std::string_view text);
// The text as a CSV cell that no spreadsheet evaluates: an apostrophe before a text that starts
// like a formula; any other text as it is.
std::string guardedCell(std::string_view text);
// The inverse: the text that guardedCell made the cell of.
std::string_view unguardedCell(std::string_view cell);

// An error value that a spreadsheet writes for a formula that failed, in English or in the
// words of another language: "#VALUE!", "#NAME?", "#N/A", "#WERT!", "Err:509", ...
bool isErrorValue(std::string_view text);

// A decimal number: its value is `digits` (no leading zeros; empty for 0) times 10^exponent.
struct DecimalNumber {
    std::string digits;
    int exponent = 0;
    bool operator==(const DecimalNumber&) const = default;
};
// Digits with at most one decimal point (`point`) and an optional exponent ("1.5E+3"); no sign,
// no grouping. Nothing when the text is no such number.
std::optional<DecimalNumber> parseDecimal(std::string_view text, char point = '.');
// The number without an exponent: "1000", "0.001", "12.5".
std::string plainText(const DecimalNumber& number);

struct Units {
    std::int64_t value = 0;
    bool rounded = false;  // the text had floating-point noise beyond the decimals
};
enum class UnitsProblem { None, TooManyDecimals, TooLarge };
// The number in whole units of its `decimals`th decimal. A number within a billionth of such a
// value (floating-point noise, as in 99999.990000000000002) is taken as that value.
std::optional<Units> unitsOf(const DecimalNumber& number, int decimals, UnitsProblem& problem);

// How a spreadsheet changed a number-like text `original` into `cell`, in words ("lost its
// leading zeros", "was written as a number", "was taken for a date"); empty when it did not.
std::string spreadsheetConversion(std::string_view original, std::string_view cell);

// A cell that holds a date as a spreadsheet writes one: "01.01.1950", "2024-01-15", "1/5/24",
// "2-Jan", "Jan 50".
bool looksLikeDate(std::string_view cell);

}  // namespace vorn::celltext
