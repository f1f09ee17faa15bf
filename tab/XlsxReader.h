#pragma once
// Reading the first sheet of an Excel workbook (.xlsx, Office Open XML) as the import needs it:
// rows of cells with their texts and how the workbook holds each (text, number, boolean, error
// value, formula). The container is read with libzip and the parts with expat, every one as
// bytes we do not control: a part is inflated a piece at a time and never beyond its limit, the
// sheet is parsed as it is inflated and handed out row by row, and no count or dimension that a
// file states is trusted for an allocation.
//
// The parts: _rels/.rels names the workbook part; the workbook names its sheets in order and
// its relationships say where each sheet and the shared strings lie; the sheet holds the rows.

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tab/SheetRow.h"

namespace vorn::xlsx {

// Limits of what is read.
inline constexpr std::size_t kMostPartBytes = std::size_t{16} << 20;  // workbook, relationships
inline constexpr std::size_t kMostSharedStringBytes = std::size_t{128} << 20;
inline constexpr std::size_t kMostSharedStrings = std::size_t{1} << 22;
inline constexpr std::size_t kMostSheetBytes = std::size_t{1} << 30;  // inflated, read in pieces
inline constexpr std::size_t kMostCellBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMostColumns = 1024;  // columns of cells that hold a value
inline constexpr std::size_t kMostRows = 1048576;

// Text of a string cell as the workbook means it: each escape "_xHHHH_" (with which workbooks
// write control characters, and "_x005F_" an underscore that would start one) becomes its
// character, in UTF-8.
std::string unescapedText(std::string_view text);
// The inverse for a writer that escapes control characters but not a text that looks like an
// escape: "_x0041_" is written "_x005F_x0041_".
std::string escapedUnderscores(std::string_view text);

// The bytes start like a ZIP container.
bool isZipContainer(std::string_view bytes);
// "E5" for column 4 (from 0) and row 5 (from 1).
std::string cellReference(std::size_t column, std::size_t row);

// The workbook part's path from the package's relationships (_rels/.rels); empty when it names
// none.
std::string officeDocumentPath(std::string_view packageRelsXml);

struct FirstSheet {
    std::string name;
    std::string path;               // of the sheet part in the container
    std::string sharedStringsPath;  // empty when the workbook has none
    std::string problem;            // UTF-8; empty when the sheet was found
};
// The first sheet of a workbook part at `workbookPath`, with its relationships.
FirstSheet firstSheet(std::string_view workbookXml, std::string_view workbookRelsXml,
                      std::string_view workbookPath);

// An XML part fed a piece at a time. Each parser keeps what it found and the first problem.
class PartParser {
public:
    PartParser();
    virtual ~PartParser();
    PartParser(const PartParser&) = delete;
    PartParser& operator=(const PartParser&) = delete;

    // Parses the next piece; `last` for the end of the part. False once there is a problem.
    bool feed(std::string_view piece, bool last);
    const std::string& problem() const { return problem_; }

protected:
    virtual void start(std::string_view name, const char** attributes) = 0;
    virtual void end(std::string_view name) = 0;
    virtual void text(std::string_view text) = 0;
    void fail(std::string problem);

private:
    struct Expat;
    std::unique_ptr<Expat> expat_;
    std::string problem_;
};

// The shared strings part: every string in order, the runs of rich text joined, phonetic
// guides left out.
class SharedStringsParser : public PartParser {
public:
    std::vector<std::string>& strings() { return strings_; }

private:
    void start(std::string_view name, const char** attributes) override;
    void end(std::string_view name) override;
    void text(std::string_view text) override;

    std::vector<std::string> strings_;
    std::size_t bytes_ = 0;
    int item_ = 0;      // depth inside <si>
    int phonetic_ = 0;  // depth inside <rPh>
    bool inText_ = false;
};

// A worksheet part: its rows as they complete.
class SheetParser : public PartParser {
public:
    explicit SheetParser(const std::vector<std::string>& sharedStrings);
    // Takes the oldest completed row; false when none is waiting.
    bool takeRow(SheetRow& row);

private:
    void start(std::string_view name, const char** attributes) override;
    void end(std::string_view name) override;
    void text(std::string_view text) override;
    void endCell();

    const std::vector<std::string>& shared_;
    std::deque<SheetRow> rows_;
    SheetRow row_;
    bool inSheetData_ = false;
    bool inRow_ = false;
    bool inCell_ = false;
    std::size_t rowNumber_ = 0;
    std::size_t nextColumn_ = 0;
    std::size_t column_ = 0;
    std::string type_;
    std::string value_;
    std::string inline_;
    bool formula_ = false;
    bool inValue_ = false;
    bool inInline_ = false;
    int inlineText_ = 0;
    int phonetic_ = 0;
};

// The first sheet of a workbook's bytes, row by row.
class SheetReader {
public:
    explicit SheetReader(std::string_view bytes);
    ~SheetReader();
    SheetReader(const SheetReader&) = delete;
    SheetReader& operator=(const SheetReader&) = delete;

    // Why the workbook cannot be read (UTF-8); empty while it can.
    const std::string& problem() const { return problem_; }
    const std::string& sheetName() const { return sheetName_; }
    // The next row that holds a value; false at the end of the sheet or on a problem. The
    // bytes given to the constructor must stay while rows are read.
    bool next(SheetRow& row);

private:
    struct Container;
    std::unique_ptr<Container> container_;
    std::vector<std::string> sharedStrings_;
    std::unique_ptr<SheetParser> sheet_;
    std::string problem_;
    std::string sheetName_;
    std::string piece_;  // the sheet's inflated bytes, a piece at a time
    std::size_t sheetBytes_ = 0;
    bool sheetDone_ = false;
};

}  // namespace vorn::xlsx
