#pragma once
// Typed load and save of every table file of the table editors. Each file has its name, its
// signature and its value width here, next to its row layout; the editors only map these rows
// to their list rows.
//
// Loading: a missing file is an empty table, silently. A file that ends before the header or the
// announced rows are complete (or whose lengths lie) gives the rows read so far and a problem
// naming the file. Saving goes to a temporary file in the same directory that is renamed over
// the old one; a save that cannot be done returns a problem naming the file and leaves the old
// file as it was.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// A file of the table editors with its fixed name, signature and value width.
struct TableFile {
    const char* name;
    const char* signature;  // 11 characters
    int valueWidth;
};

namespace tablefile {
inline constexpr TableFile kGroups{"Artgrp.dat", "KVRAWobnOpt", 20};
inline constexpr TableFile kOperators{"Opt.dat", "KVRAWobnOpt", 20};
inline constexpr TableFile kDateTexts{"dattxt.dat", "KVRAWobnDat", 30};
inline constexpr TableFile kTares{"Tare.dat", "KVRAWobnTar", 8};
inline constexpr TableFile kVat{"VAT.dat", "KVRAWobnVAT", 4};
inline constexpr TableFile kAdvertisements{"adv.dat", "KVRAWobnadv", 73};
inline constexpr TableFile kBarcodes{"EAN.dat", "KVRAWobnEAN", 12};
inline constexpr TableFile kMarquee{"runmsg.dat", "KVRAWobnmsg", 100};
inline constexpr TableFile kStoreAddress{"shpnm.dat", "KVRAWobnSPN", 73};
inline constexpr TableFile kHeaderBottom{"hbtext.dat", "KVRAWobnhbt", 140};
// The batch transfer stores two of them with another value width in the header (readers skip it).
inline constexpr TableFile kAdvertisementsByBatch{"adv.dat", "KVRAWobnadv", 60};
inline constexpr TableFile kStoreAddressByBatch{"shpnm.dat", "KVRAWobnSPN", 70};
inline constexpr const char* kDiscounts = "discount.dat";
inline constexpr const char* kExtraTexts = "extratextrec.dat";
}  // namespace tablefile

// What went wrong with a file, in words that name it; empty when all went well.
using FileProblem = std::string;

// Shown under such a problem, for the user: what it means.
namespace tablefile {
// An editor opened a table file that is damaged or cut short.
inline constexpr const char* kDamagedMeaning =
    "What could be read is shown; please check it. Saving writes the table anew from what this "
    "window shows.";
// An editor could not save its table file.
inline constexpr const char* kUnsavedMeaning =
    "Your changes were not saved (is the disk full, or the folder read-only?): the table on the "
    "PC stays as it was, and your changes are still in this window.";
}  // namespace tablefile

// A row of two strings: the number column exactly as the list shows it, then the value.
struct NumberStringRow {
    std::string number;
    std::string value;
};

// A row of a word holding the row number, then the value.
struct NumberWordRow {
    int number = 0;
    std::string value;
};

template <class Row>
struct LoadedRows {
    std::vector<Row> rows;
    FileProblem problem;
};

// Number-string files: groups, operators, tares, VAT rates, advertisement texts.
LoadedRows<NumberStringRow> loadNumberStringFile(const TableFile& file);
FileProblem saveNumberStringFile(const TableFile& file, const std::vector<NumberStringRow>& rows);

// Number-word files: date texts, marquee message, store address.
LoadedRows<NumberWordRow> loadNumberWordFile(const TableFile& file);
FileProblem saveNumberWordFile(const TableFile& file, const std::vector<NumberWordRow>& rows);

// EAN.dat: the barcode type (0 UPC, 1 EAN), then number-string rows.
struct BarcodeTable {
    std::int32_t type = 0;
    std::vector<NumberStringRow> rows;
};
struct LoadedBarcodes {
    BarcodeTable table;
    FileProblem problem;
};
LoadedBarcodes loadBarcodeFile();
FileProblem saveBarcodeFile(const BarcodeTable& table);

// hbtext.dat: header and bottom texts (CR LF line breaks) with centring flags and font numbers.
struct HeaderBottomTexts {
    std::string header;
    std::string bottom;
    std::int32_t headerCentred = 0;
    std::string headerFont;
    std::int32_t bottomCentred = 0;
    std::string bottomFont;
};
struct LoadedHeaderBottom {
    HeaderBottomTexts texts;
    bool found = false;  // false when the file does not exist
    int rowCount = 0;    // as the header says (texts are read whatever it says)
    FileProblem problem;
};
LoadedHeaderBottom loadHeaderBottomFile();
FileProblem saveHeaderBottomFile(const HeaderBottomTexts& texts);

// discount.dat: nine record strings, no header. Loading reads the first nine strings; saving
// writes the strings given (the editor gives nine).
inline constexpr int kDiscountRows = 9;
LoadedRows<std::string> loadDiscountFile();
FileProblem saveDiscountFile(const std::vector<std::string>& records);

// extratextrec.dat: lines of a 515-byte extra text record and CR LF. Loading also takes bare LF
// line ends and shorter lines, as far as they go (empty lines are skipped); a last line cut
// short without a line end is kept and reported. Saving blank-pads or cuts each record to 515.
inline constexpr std::size_t kExtraTextRecordLength = 515;
LoadedRows<std::string> loadExtraTextFile();
// The same reading of the file's bytes.
LoadedRows<std::string> readExtraTextLines(std::string_view bytes);
FileProblem saveExtraTextFile(const std::vector<std::string>& records);

}  // namespace vorn
