#include "plu/PluRowOrder.h"

#include <algorithm>
#include <charconv>

namespace vorn {

namespace {

char folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view fieldOf(std::string_view record, RecordField f) {
    if (record.size() <= f.pos) {
        return {};
    }
    return record.substr(f.pos, f.width);
}

std::string_view withoutBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Whether text holds the folded needle, without regard to case.
bool holds(std::string_view text, std::string_view needle) {
    if (needle.size() > text.size()) {
        return false;
    }
    const auto it = std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                                [](char a, char b) { return folded(a) == b; });
    return it != text.end();
}

// Compares two texts without regard to case: below zero, zero or above.
int compareFolded(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(folded(a[i]));
        const auto y = static_cast<unsigned char>(folded(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

long long priceOf(std::string_view pluRecord) {
    const std::string_view digits = withoutBlanks(fieldOf(pluRecord, plurecord::kPrice));
    long long value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

bool byCount(std::string_view pluRecord) {
    return (flagsOf(pluRecord) & plurecord::kByCountBit) != 0;
}

// What a row sorts by, read once from its record so that a sort of many rows reads each record
// once: its description without trailing blanks, its price and its kind.
struct SortKey {
    std::string_view description;
    long long price = 0;
    bool byWeight = false;
    std::size_t row = 0;
};

SortKey sortKeyOf(const PluList& list, std::size_t row) {
    const std::string_view plu = list.pair(row).plu;
    return {withoutBlanks(fieldOf(plu, plurecord::kDescription)), priceOf(plu), !byCount(plu), row};
}

// Below zero when a sorts before b by the column, zero when they sort alike.
int compareBy(PluColumn column, const SortKey& a, const SortKey& b) {
    switch (column) {
        case PluColumn::Number:
            return 0;  // list order
        case PluColumn::Description:
            return compareFolded(a.description, b.description);
        case PluColumn::Price:
            return a.price == b.price ? 0 : (a.price < b.price ? -1 : 1);
        case PluColumn::Kind:
            // "Count" before "Weight", as the words sort.
            return static_cast<int>(a.byWeight) - static_cast<int>(b.byWeight);
    }
    return 0;
}

std::string foldedText(std::string_view text) {
    std::string f(text);
    std::transform(f.begin(), f.end(), f.begin(), folded);
    return f;
}

bool holdsFolded(std::string_view pluRecord, std::string_view needle) {
    char number[16];
    const auto end = std::to_chars(number, number + sizeof number, pluNumberOf(pluRecord)).ptr;
    if (holds(std::string_view(number, static_cast<std::size_t>(end - number)), needle)) {
        return true;
    }
    if (holds(withoutBlanks(fieldOf(pluRecord, plurecord::kItemNumber)), needle)) {
        return true;
    }
    // Each line on its own: a search never matches across the line break.
    std::string_view description = fieldOf(pluRecord, plurecord::kDescription);
    const auto split = description.find(plurecord::kLineBreak);
    if (split == std::string_view::npos) {
        return holds(withoutBlanks(description), needle);
    }
    return holds(withoutBlanks(description.substr(0, split)), needle) ||
           holds(withoutBlanks(description.substr(split + 1)), needle);
}

}  // namespace

bool pluRecordHolds(std::string_view pluRecord, std::string_view search) {
    return holdsFolded(pluRecord, foldedText(search));
}

std::vector<std::size_t> shownRows(const PluList& list, const PluRowOrder& order) {
    std::vector<std::size_t> rows;
    rows.reserve(order.search.empty() ? list.size() : 0);
    const std::string needle = foldedText(order.search);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (needle.empty() || holdsFolded(list.pair(i).plu, needle)) {
            rows.push_back(i);
        }
    }
    if (order.column == PluColumn::Number) {
        if (order.descending) {
            std::reverse(rows.begin(), rows.end());
        }
        return rows;
    }
    std::vector<SortKey> keys;
    keys.reserve(rows.size());
    for (std::size_t row : rows) {
        keys.push_back(sortKeyOf(list, row));
    }
    std::stable_sort(keys.begin(), keys.end(), [&](const SortKey& a, const SortKey& b) {
        const int c = compareBy(order.column, a, b);
        return order.descending ? c > 0 : c < 0;
    });
    for (std::size_t i = 0; i < keys.size(); ++i) {
        rows[i] = keys[i].row;
    }
    return rows;
}

}  // namespace vorn
