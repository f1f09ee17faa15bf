// Every table file load on any bytes: the first byte picks the file, the rest is its content.
// Property: a load without a problem, saved and loaded again, gives the same table, and saving
// that gives the very same bytes.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tables/Archive.h"
#include "tables/TableFiles.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using namespace vorn;
using fuzz::require;

bool same(const NumberStringRow& a, const NumberStringRow& b) {
    return a.number == b.number && a.value == b.value;
}
bool same(const NumberWordRow& a, const NumberWordRow& b) {
    return a.number == b.number && a.value == b.value;
}
bool same(const std::string& a, const std::string& b) {
    return a == b;
}
template <class Row>
bool same(const std::vector<Row>& a, const std::vector<Row>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const Row& x, const Row& y) { return same(x, y); });
}
bool same(const HeaderBottomTexts& a, const HeaderBottomTexts& b) {
    return a.header == b.header && a.bottom == b.bottom && a.headerCentred == b.headerCentred &&
           a.headerFont == b.headerFont && a.bottomCentred == b.bottomCentred &&
           a.bottomFont == b.bottomFont;
}

std::string fileBytes(const char* name) {
    return readFileBytes(name).value_or(std::string());
}

// Loads; when the load is clean, saves, loads again and saves again, and checks the round.
// `expected` turns the first load into what the second must give (a save may normalise).
template <class Load, class Save, class Expected>
void checkRoundTrip(const char* name, Load load, Save save, Expected expected) {
    const auto first = load();
    if (!first.problem.empty()) {
        return;
    }
    require(save(first).empty());
    const std::string saved = fileBytes(name);
    const auto second = load();
    require(second.problem.empty());
    require(second == expected(first));
    require(save(second).empty());
    require(fileBytes(name) == saved);
}

template <class Row>
struct Rows {
    std::vector<Row> rows;
    FileProblem problem;
    bool operator==(const Rows& other) const { return same(rows, other.rows); }
};

template <class Row>
Rows<Row> rowsOf(LoadedRows<Row> loaded) {
    return {std::move(loaded.rows), std::move(loaded.problem)};
}

void numberStringFile(const TableFile& file) {
    checkRoundTrip(
        file.name, [&] { return rowsOf(loadNumberStringFile(file)); },
        [&](const Rows<NumberStringRow>& t) { return saveNumberStringFile(file, t.rows); },
        [](const auto& t) { return t; });
}

void numberWordFile(const TableFile& file) {
    checkRoundTrip(
        file.name, [&] { return rowsOf(loadNumberWordFile(file)); },
        [&](const Rows<NumberWordRow>& t) { return saveNumberWordFile(file, t.rows); },
        [](const auto& t) { return t; });
}

struct Barcodes {
    BarcodeTable table;
    FileProblem problem;
    bool operator==(const Barcodes& o) const {
        return table.type == o.table.type && same(table.rows, o.table.rows);
    }
};

struct HeaderBottom {
    HeaderBottomTexts texts;
    FileProblem problem;
    bool operator==(const HeaderBottom& o) const { return same(texts, o.texts); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::enterScratchDirectory();
    fuzz::Input input(data, size);
    const int kind = input.number(0, 11);
    const std::string content = input.rest();
    const TableFile numberStringFiles[] = {tablefile::kGroups, tablefile::kOperators,
                                           tablefile::kTares, tablefile::kVat,
                                           tablefile::kAdvertisements};
    const TableFile numberWordFiles[] = {tablefile::kDateTexts, tablefile::kMarquee,
                                         tablefile::kStoreAddress};
    if (kind < 5) {
        fuzz::writeFile(numberStringFiles[kind].name, content);
        numberStringFile(numberStringFiles[kind]);
    } else if (kind < 8) {
        fuzz::writeFile(numberWordFiles[kind - 5].name, content);
        numberWordFile(numberWordFiles[kind - 5]);
    } else if (kind == 8) {
        fuzz::writeFile(tablefile::kBarcodes.name, content);
        checkRoundTrip(
            tablefile::kBarcodes.name,
            [] {
                LoadedBarcodes l = loadBarcodeFile();
                return Barcodes{l.table, l.problem};
            },
            [](const Barcodes& b) { return saveBarcodeFile(b.table); },
            [](const auto& b) { return b; });
    } else if (kind == 9) {
        fuzz::writeFile(tablefile::kHeaderBottom.name, content);
        checkRoundTrip(
            tablefile::kHeaderBottom.name,
            [] {
                LoadedHeaderBottom l = loadHeaderBottomFile();
                return HeaderBottom{l.texts, l.problem};
            },
            [](const HeaderBottom& h) { return saveHeaderBottomFile(h.texts); },
            [](const auto& h) { return h; });
    } else if (kind == 10) {
        fuzz::writeFile(tablefile::kDiscounts, content);
        checkRoundTrip(
            tablefile::kDiscounts, [] { return rowsOf(loadDiscountFile()); },
            [](const Rows<std::string>& t) { return saveDiscountFile(t.rows); },
            [](const auto& t) { return t; });
    } else {
        fuzz::writeFile(tablefile::kExtraTexts, content);
        // A save gives every record its full length.
        checkRoundTrip(
            tablefile::kExtraTexts, [] { return rowsOf(loadExtraTextFile()); },
            [](const Rows<std::string>& t) { return saveExtraTextFile(t.rows); },
            [](Rows<std::string> t) {
                for (std::string& record : t.rows) {
                    record.resize(kExtraTextRecordLength, ' ');
                }
                return t;
            });
    }
    return 0;
}
