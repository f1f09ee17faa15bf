#include "tables/TableFiles.h"

#include <optional>
#include <string_view>

#include "tables/Archive.h"

namespace vorn {

namespace {

// The header rows of hbtext.dat: a header text and a bottom text.
constexpr std::int16_t kHeaderBottomRows = 2;
constexpr std::uint16_t kHeaderRowNumber = 1;
constexpr std::uint16_t kBottomRowNumber = 2;

FileProblem damaged(const char* name, const std::string& what) {
    return std::string(name) + " is damaged or incomplete: " + what;
}

FileProblem rowsDamaged(const char* name, std::size_t read, long announced) {
    return damaged(name, std::to_string(read) + " of " + std::to_string(announced) + " rows read");
}

// The table header: signature, row count, value width. The signature and the value width are
// not checked on reading; a negative count means no rows.
bool readHeader(ArchiveReader& in, std::int16_t& rowCount) {
    std::string signature;
    std::uint16_t valueWidth = 0;
    if (!in.string(signature) || !in.signedWord(rowCount) || !in.word(valueWidth)) {
        return false;
    }
    if (rowCount < 0) {
        rowCount = 0;
    }
    return true;
}

void writeHeader(ArchiveWriter& out, const char* signature, std::size_t rowCount, int valueWidth) {
    out.string(signature);
    out.word(static_cast<std::uint16_t>(rowCount));
    out.word(static_cast<std::uint16_t>(valueWidth));
}

// A row count must fit the signed word of the header.
FileProblem tooManyRows(const char* name, std::size_t rows) {
    return "Cannot save " + std::string(name) + ": " + std::to_string(rows) +
           " rows are more than the file can hold";
}

constexpr std::size_t kMaxRows = 32767;

template <class Row, class ReadRow>
LoadedRows<Row> loadRows(const TableFile& file, ReadRow readRow) {
    LoadedRows<Row> loaded;
    std::optional<std::string> bytes = readFileBytes(file.name);
    if (!bytes) {
        return loaded;
    }
    ArchiveReader in(*bytes);
    std::int16_t rowCount = 0;
    if (!readHeader(in, rowCount)) {
        loaded.problem = damaged(file.name, "the header is cut short");
        return loaded;
    }
    for (int i = 0; i < rowCount; ++i) {
        Row row;
        if (!readRow(in, row)) {
            loaded.problem = rowsDamaged(file.name, loaded.rows.size(), rowCount);
            break;
        }
        loaded.rows.push_back(std::move(row));
    }
    return loaded;
}

bool readNumberStringRow(ArchiveReader& in, NumberStringRow& row) {
    return in.string(row.number) && in.string(row.value);
}

void writeNumberStringRows(ArchiveWriter& out, const std::vector<NumberStringRow>& rows) {
    for (const NumberStringRow& row : rows) {
        out.string(row.number);
        out.string(row.value);
    }
}

// A line of extratextrec.dat: a full record when 515 bytes are followed by a line end (or the
// end of the file), else the text up to the next line feed, without a CR before it.
bool nextExtraTextLine(std::string_view bytes, std::size_t& pos, std::string& line, bool& ended) {
    if (pos >= bytes.size()) {
        return false;
    }
    std::string_view rest = bytes.substr(pos);
    std::size_t length;
    std::size_t lineEnd;
    if (rest.size() >= kExtraTextRecordLength) {
        std::string_view after = rest.substr(kExtraTextRecordLength);
        if (after.empty()) {
            length = kExtraTextRecordLength;
            lineEnd = 0;
        } else if (after.substr(0, 2) == "\r\n") {
            length = kExtraTextRecordLength;
            lineEnd = 2;
        } else if (after.front() == '\n' || after == "\r") {
            length = kExtraTextRecordLength;
            lineEnd = 1;
        } else {
            length = std::string_view::npos;
            lineEnd = 0;
        }
    } else {
        length = std::string_view::npos;
        lineEnd = 0;
    }
    if (length == std::string_view::npos) {
        std::size_t lf = rest.find('\n');
        length = lf == std::string_view::npos ? rest.size() : lf;
        lineEnd = lf == std::string_view::npos ? 0 : 1;
        if (length > 0 && rest[length - 1] == '\r') {
            --length;
            ++lineEnd;
        }
    }
    line.assign(rest.substr(0, length));
    ended = lineEnd > 0 || length == kExtraTextRecordLength;
    pos += length + lineEnd;
    return true;
}

}  // namespace

LoadedRows<NumberStringRow> loadNumberStringFile(const TableFile& file) {
    return loadRows<NumberStringRow>(file, readNumberStringRow);
}

FileProblem saveNumberStringFile(const TableFile& file, const std::vector<NumberStringRow>& rows) {
    if (rows.size() > kMaxRows) {
        return tooManyRows(file.name, rows.size());
    }
    ArchiveWriter out;
    writeHeader(out, file.signature, rows.size(), file.valueWidth);
    writeNumberStringRows(out, rows);
    return writeFileAtomically(file.name, out.bytes());
}

LoadedRows<NumberWordRow> loadNumberWordFile(const TableFile& file) {
    return loadRows<NumberWordRow>(file, [](ArchiveReader& in, NumberWordRow& row) {
        std::uint16_t number = 0;
        if (!in.word(number) || !in.string(row.value)) {
            return false;
        }
        row.number = number;
        return true;
    });
}

FileProblem saveNumberWordFile(const TableFile& file, const std::vector<NumberWordRow>& rows) {
    if (rows.size() > kMaxRows) {
        return tooManyRows(file.name, rows.size());
    }
    ArchiveWriter out;
    writeHeader(out, file.signature, rows.size(), file.valueWidth);
    for (const NumberWordRow& row : rows) {
        out.word(static_cast<std::uint16_t>(row.number));
        out.string(row.value);
    }
    return writeFileAtomically(file.name, out.bytes());
}

LoadedBarcodes loadBarcodeFile() {
    const TableFile& file = tablefile::kBarcodes;
    LoadedBarcodes loaded;
    std::optional<std::string> bytes = readFileBytes(file.name);
    if (!bytes) {
        return loaded;
    }
    ArchiveReader in(*bytes);
    std::int16_t rowCount = 0;
    if (!readHeader(in, rowCount) || !in.longValue(loaded.table.type)) {
        loaded.table.type = 0;
        loaded.problem = damaged(file.name, "the header is cut short");
        return loaded;
    }
    for (int i = 0; i < rowCount; ++i) {
        NumberStringRow row;
        if (!readNumberStringRow(in, row)) {
            loaded.problem = rowsDamaged(file.name, loaded.table.rows.size(), rowCount);
            break;
        }
        loaded.table.rows.push_back(std::move(row));
    }
    return loaded;
}

FileProblem saveBarcodeFile(const BarcodeTable& table) {
    const TableFile& file = tablefile::kBarcodes;
    if (table.rows.size() > kMaxRows) {
        return tooManyRows(file.name, table.rows.size());
    }
    ArchiveWriter out;
    writeHeader(out, file.signature, table.rows.size(), file.valueWidth);
    out.longValue(table.type);
    writeNumberStringRows(out, table.rows);
    return writeFileAtomically(file.name, out.bytes());
}

LoadedHeaderBottom loadHeaderBottomFile() {
    const TableFile& file = tablefile::kHeaderBottom;
    LoadedHeaderBottom loaded;
    std::optional<std::string> bytes = readFileBytes(file.name);
    if (!bytes) {
        return loaded;
    }
    loaded.found = true;
    ArchiveReader in(*bytes);
    std::int16_t rowCount = 0;
    if (!readHeader(in, rowCount)) {
        loaded.problem = damaged(file.name, "the header is cut short");
        return loaded;
    }
    loaded.rowCount = rowCount;
    // The layout after the header is fixed, whatever the row count says. Each item is kept as
    // soon as it is read, so a cut file keeps what came before the cut.
    HeaderBottomTexts& t = loaded.texts;
    std::uint16_t rowNumber = 0;
    bool complete = in.word(rowNumber) && in.string(t.header) && in.word(rowNumber) &&
                    in.string(t.bottom) && in.longValue(t.headerCentred) &&
                    in.string(t.headerFont) && in.longValue(t.bottomCentred) &&
                    in.string(t.bottomFont);
    if (!complete) {
        loaded.problem = damaged(file.name, "the texts are cut short");
    }
    return loaded;
}

FileProblem saveHeaderBottomFile(const HeaderBottomTexts& texts) {
    const TableFile& file = tablefile::kHeaderBottom;
    ArchiveWriter out;
    writeHeader(out, file.signature, kHeaderBottomRows, file.valueWidth);
    out.word(kHeaderRowNumber);
    out.string(texts.header);
    out.word(kBottomRowNumber);
    out.string(texts.bottom);
    out.longValue(texts.headerCentred);
    out.string(texts.headerFont);
    out.longValue(texts.bottomCentred);
    out.string(texts.bottomFont);
    return writeFileAtomically(file.name, out.bytes());
}

LoadedRows<std::string> loadDiscountFile() {
    const char* name = tablefile::kDiscounts;
    LoadedRows<std::string> loaded;
    std::optional<std::string> bytes = readFileBytes(name);
    if (!bytes) {
        return loaded;
    }
    ArchiveReader in(*bytes);
    for (int i = 0; i < kDiscountRows; ++i) {
        std::string record;
        if (!in.string(record)) {
            loaded.problem = rowsDamaged(name, loaded.rows.size(), kDiscountRows);
            break;
        }
        loaded.rows.push_back(std::move(record));
    }
    return loaded;
}

FileProblem saveDiscountFile(const std::vector<std::string>& records) {
    ArchiveWriter out;
    for (const std::string& record : records) {
        out.string(record);
    }
    return writeFileAtomically(tablefile::kDiscounts, out.bytes());
}

LoadedRows<std::string> loadExtraTextFile() {
    std::optional<std::string> bytes = readFileBytes(tablefile::kExtraTexts);
    if (!bytes) {
        return {};
    }
    return readExtraTextLines(*bytes);
}

LoadedRows<std::string> readExtraTextLines(std::string_view bytes) {
    LoadedRows<std::string> loaded;
    std::size_t pos = 0;
    std::string line;
    bool ended = true;
    while (nextExtraTextLine(bytes, pos, line, ended)) {
        if (!line.empty()) {
            loaded.rows.push_back(line);
        }
    }
    // A last line that is neither a full record nor ended by a line feed was cut off; it is kept
    // as far as it goes.
    if (!ended) {
        loaded.problem = damaged(tablefile::kExtraTexts,
                                 "the last record has " + std::to_string(line.size()) + " of " +
                                     std::to_string(kExtraTextRecordLength) + " characters");
    }
    return loaded;
}

FileProblem saveExtraTextFile(const std::vector<std::string>& records) {
    std::string bytes;
    bytes.reserve(records.size() * (kExtraTextRecordLength + 2));
    for (const std::string& record : records) {
        std::string fixed = record.substr(0, kExtraTextRecordLength);
        fixed.resize(kExtraTextRecordLength, ' ');
        bytes += fixed;
        bytes += "\r\n";
    }
    return writeFileAtomically(tablefile::kExtraTexts, bytes);
}

}  // namespace vorn
