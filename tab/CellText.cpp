#include "tab/CellText.h"

#include <algorithm>
#include <array>
#include <vector>

namespace vorn::celltext {

namespace {

constexpr std::string_view kFormulaStarts = "=+-@\t\r";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), isDigit);
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Error values of English, German, French, Spanish and Italian spreadsheets; LibreOffice's
// "Err:NNN" is matched apart.
constexpr std::array<std::string_view, 31> kErrorValues = {
    "#NULL!",     "#DIV/0!",  "#VALUE!",       "#REF!",     "#NAME?",    "#NUM!",    "#N/A",
    "#SPILL!",    "#CALC!",   "#FIELD!",       "#BLOCKED!", "#UNKNOWN!", "#BUSY!",   "#CONNECT!",
    "#EXTERNAL!", "#PYTHON!", "#GETTING_DATA", "#NV",       "#WERT!",    "#BEZUG!",  "#ZAHL!",
    "#VALEUR!",   "#NOM?",    "#NOMBRE!",      "#VALOR!",   "#N/D",      "#VALORE!", "#RIF!",
    "#NOME?",     "#NUL!",    "#LEER!",
};

// A month's number from its name or the usual short forms (English and German); 0 for none.
int monthOf(std::string_view token) {
    if (token.size() < 3) {
        return 0;
    }
    std::string word;
    for (char c : token) {
        word.push_back(lower(c));
    }
    static constexpr std::array<std::string_view, 12> kEnglish = {
        "jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};
    static constexpr std::array<std::string_view, 4> kGerman = {"mrz", "mai", "okt", "dez"};
    static constexpr std::array<int, 4> kGermanMonths = {3, 5, 10, 12};
    for (std::size_t i = 0; i < kEnglish.size(); ++i) {
        if (word.starts_with(kEnglish[i])) {
            return static_cast<int>(i) + 1;
        }
    }
    for (std::size_t i = 0; i < kGerman.size(); ++i) {
        if (word.starts_with(kGerman[i])) {
            return kGermanMonths[i];
        }
    }
    return 0;
}

struct DateParts {
    std::vector<int> numbers;  // day, month (a month name as its number), year, in text order
    bool named = false;        // a month was named
    char separator = 0;        // the first separator
    bool trailingPoint = false;
};

// The parts of a text made of 2 or 3 tokens of digits or month names between the separators of
// dates ("/", ".", "-", blanks and commas); nothing for any other text.
std::optional<DateParts> datePartsOf(std::string_view text) {
    DateParts parts;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        while (i < text.size() && text[i] != '/' && text[i] != '.' && text[i] != '-' &&
               text[i] != ' ' && text[i] != ',') {
            ++i;
        }
        const std::string_view token = text.substr(start, i - start);
        if (token.empty()) {
            return std::nullopt;
        }
        if (allDigits(token) && token.size() <= 4) {
            parts.numbers.push_back(std::stoi(std::string(token)));
        } else if (const int month = monthOf(token); month != 0) {
            parts.numbers.push_back(month);
            parts.named = true;
        } else {
            return std::nullopt;
        }
        if (i == text.size()) {
            break;
        }
        if (parts.separator == 0) {
            parts.separator = text[i];
        }
        ++i;
        while (i < text.size() && text[i] == ' ') {
            ++i;
        }
        if (i == text.size()) {
            if (text.back() != '.') {
                return std::nullopt;
            }
            parts.trailingPoint = true;
        }
    }
    if (parts.numbers.size() < 2 || parts.numbers.size() > 3) {
        return std::nullopt;
    }
    return parts;
}

// The number rounded to `significant` digits, normalised.
DecimalNumber roundedTo(const DecimalNumber& number, std::size_t significant) {
    if (number.digits.size() <= significant) {
        return number;
    }
    std::string digits = number.digits.substr(0, significant);
    int exponent = number.exponent + static_cast<int>(number.digits.size() - significant);
    if (number.digits[significant] >= '5') {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') {
            digits[--i] = '0';
        }
        if (i == 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[i - 1];
        }
    }
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    return {digits, digits.empty() ? 0 : exponent};
}

}  // namespace

bool startsLikeFormula(std::string_view text) {
    const std::size_t first = text.find_first_not_of('\'');
    return first != std::string_view::npos &&
           kFormulaStarts.find(text[first]) != std::string_view::npos;
}

std::string guardedCell(std::string_view text) {
    return startsLikeFormula(text) ? "'" + std::string(text) : std::string(text);
}

std::string_view unguardedCell(std::string_view cell) {
    if (cell.starts_with('\'') && startsLikeFormula(cell)) {
        cell.remove_prefix(1);
    }
    return cell;
}

bool isErrorValue(std::string_view text) {
    text = trimmed(text);
    if (!text.starts_with('#') && !text.starts_with("Err:")) {
        return false;
    }
    if (text.size() == 7 && text.starts_with("Err:") && allDigits(text.substr(4))) {
        return true;
    }
    std::string upper;
    for (char c : text) {
        upper.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    return std::find(kErrorValues.begin(), kErrorValues.end(), upper) != kErrorValues.end();
}

std::optional<DecimalNumber> parseDecimal(std::string_view text, char point) {
    constexpr std::size_t kMostDigits = 400;
    std::size_t i = 0;
    std::string digits;
    std::size_t fractionDigits = 0;
    bool seenPoint = false;
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            anyDigit = true;
            if (!digits.empty() || c != '0') {
                digits.push_back(c);
            }
            fractionDigits += seenPoint ? 1 : 0;
        } else if (c == point && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit || digits.size() > kMostDigits || fractionDigits > kMostDigits) {
        return std::nullopt;
    }
    int exponent = 0;
    if (i < text.size()) {
        if (text[i] != 'E' && text[i] != 'e') {
            return std::nullopt;
        }
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negative = text[i] == '-';
            ++i;
        }
        const std::string_view power = text.substr(i);
        if (!allDigits(power) || power.size() > 3) {
            return std::nullopt;
        }
        exponent = std::stoi(std::string(power)) * (negative ? -1 : 1);
    }
    // A zero that stood after the point and before the first significant digit was skipped
    // with the leading zeros; the exponent counts every decimal.
    DecimalNumber number{digits, exponent - static_cast<int>(fractionDigits)};
    while (!number.digits.empty() && number.digits.back() == '0') {
        number.digits.pop_back();
        ++number.exponent;
    }
    if (number.digits.empty()) {
        number.exponent = 0;
    }
    return number;
}

std::string plainText(const DecimalNumber& number) {
    if (number.digits.empty()) {
        return "0";
    }
    if (number.exponent >= 0) {
        return number.digits + std::string(static_cast<std::size_t>(number.exponent), '0');
    }
    const std::size_t decimals = static_cast<std::size_t>(-number.exponent);
    std::string digits = number.digits;
    if (digits.size() <= decimals) {
        digits.insert(0, decimals - digits.size() + 1, '0');
    }
    digits.insert(digits.size() - decimals, 1, '.');
    return digits;
}

std::optional<Units> unitsOf(const DecimalNumber& number, int decimals, UnitsProblem& problem) {
    constexpr std::size_t kMostUnitDigits = 18;
    problem = UnitsProblem::None;
    if (number.digits.empty()) {
        return Units{};
    }
    const int shift = number.exponent + decimals;
    const std::size_t length = number.digits.size();
    std::string whole;
    bool rounded = false;
    bool roundUp = false;
    if (shift >= 0) {
        if (length + static_cast<std::size_t>(shift) > kMostUnitDigits) {
            problem = UnitsProblem::TooLarge;
            return std::nullopt;
        }
        whole = number.digits + std::string(static_cast<std::size_t>(shift), '0');
    } else {
        const std::size_t cut = static_cast<std::size_t>(-shift);
        std::string fraction;
        if (cut >= length) {
            fraction = std::string(cut - length, '0') + number.digits;
        } else {
            whole = number.digits.substr(0, length - cut);
            fraction = number.digits.substr(length - cut);
        }
        // Within a billionth of the value: 10^(decimals - 9) units.
        const std::size_t noise = static_cast<std::size_t>(std::max(1, 9 - decimals));
        const auto startsWithRun = [&](char c) {
            return fraction.size() >= noise &&
                   std::all_of(fraction.begin(),
                               fraction.begin() + static_cast<std::ptrdiff_t>(noise),
                               [c](char d) { return d == c; });
        };
        if (startsWithRun('0')) {
            rounded = true;
        } else if (startsWithRun('9')) {
            rounded = true;
            roundUp = true;
        } else {
            problem = UnitsProblem::TooManyDecimals;
            return std::nullopt;
        }
        if (whole.size() > kMostUnitDigits) {
            problem = UnitsProblem::TooLarge;
            return std::nullopt;
        }
    }
    std::int64_t value = 0;
    for (char c : whole) {
        value = value * 10 + (c - '0');
    }
    return Units{value + (roundUp ? 1 : 0), rounded};
}

bool looksLikeDate(std::string_view cell) {
    const std::optional<DateParts> parts = datePartsOf(trimmed(cell));
    return parts && (parts->named || parts->numbers.size() == 3 || parts->trailingPoint ||
                     parts->separator == '/' || parts->separator == '-');
}

std::string spreadsheetConversion(std::string_view original, std::string_view cell) {
    original = trimmed(original);
    cell = trimmed(cell);
    if (original == cell || original.empty() || cell.empty()) {
        return {};
    }
    if (allDigits(original) && original.front() == '0' && allDigits(cell) &&
        original.substr(original.find_first_not_of('0') == std::string_view::npos
                            ? original.size() - 1
                            : original.find_first_not_of('0')) == cell) {
        return "lost its leading zeros";
    }
    const std::optional<DecimalNumber> was = parseDecimal(original);
    std::optional<DecimalNumber> now = parseDecimal(cell);
    if (!now) {
        now = parseDecimal(cell, ',');
    }
    if (was && now) {
        if (*was == *now) {
            return "was written as a number";
        }
        const bool exponentForm = cell.find_first_of("Ee") != std::string_view::npos;
        if (exponentForm && !now->digits.empty() && now->digits.size() < was->digits.size() &&
            roundedTo(*was, now->digits.size()) == *now) {
            return "was shortened to a number in exponent notation";
        }
    }
    const std::optional<DateParts> date = datePartsOf(original);
    if (date && !date->named && allDigits(original.substr(0, 1)) && looksLikeDate(cell)) {
        const std::optional<DateParts> became = datePartsOf(cell);
        std::vector<int> left = became->numbers;
        bool all = true;
        for (std::size_t i = 0; i < 2; ++i) {
            const auto found = std::find(left.begin(), left.end(), date->numbers[i]);
            if (found == left.end()) {
                all = false;
                break;
            }
            left.erase(found);
        }
        if (all && original.find_first_of("/.-") != std::string_view::npos) {
            return "was taken for a date";
        }
    }
    return {};
}

}  // namespace vorn::celltext
