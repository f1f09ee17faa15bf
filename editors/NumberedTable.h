#pragma once
// The editor pattern of the numbered tables (article groups, operators, date texts, tares, VAT
// rates) as a model without a window: a table is described by a NumberedTableKind (plain data
// and a few small functions), and NumberedTable performs the editor's operations on its list
// rows and its two field members. The dialog shows the rows and fields and calls one operation
// per control.

#include <cstddef>
#include <string>
#include <vector>

#include "editors/ListRows.h"
#include "tables/TableFiles.h"

namespace vorn {

// The dialog's two field members.
struct EntryFields {
    std::string number;
    std::string value;
};

// One bound of an integer check: the value fails when below (or above) the bound.
struct Limit {
    enum Side { Below, Above };
    Side side;
    int bound;
    const char* message;
};

enum class FileRows { NumberString, NumberWord };

struct NumberedTableKind {
    // List rows: the number right-aligned in numberWidth characters, a TAB, the value.
    int numberWidth = 0;
    // Maximum lengths of the number and value fields.
    int numberMaxLength = 0;
    int valueMaxLength = 0;

    // Checks while the user types; the first limit that fails is told and empties the field.
    std::vector<Limit> numberLimits = {};
    std::vector<Limit> valueLimits = {};
    // A check run by Add before anything else (tares); it tells the user and may empty fields.
    bool (*addCheck)(EntryFields& fields) = nullptr;

    // Add: the value part of the new row (a printf format of the value field's text), and the
    // number proposed afterwards: n + 1 but at most proposedNumberMax; 0 empties the field.
    const char* addedValueFormat = "%s";
    int proposedNumberMax = 0;

    // Pick: the value field gets the text after the row's TAB, or (pickValueMax set) at most
    // pickValueMax characters from position numberWidth + 1; blanks at the end are removed when
    // trimPickedValue.
    std::size_t pickValueMax = std::string::npos;
    bool trimPickedValue = false;

    // Table file and its rows.
    TableFile file = {};
    FileRows fileRows = FileRows::NumberString;
    bool trimValueOnOpen = false;  // blanks removed at both ends of a loaded value
    std::size_t fileValueMax = 0;  // characters of the value saved

    // Record line: printf format of the number and the value (text, or whole units of
    // 10^-decimals of the decimal value), the widths of the two fields, and the request line.
    const char* recordFormat = "";
    int recordNumberDigits = 0;
    int recordValueWidth = 0;
    int decimals = -1;  // -1: the value is text; otherwise a decimal amount with these decimals
    const char* requestLine = "";
    // Rows from received records: the value formatted with this (text, or the decimal text).
    const char* receivedValueFormat = "%s";
    bool skipFirstZeroNumber = false;  // the first received line is dropped when its number is 0

    // Transfer.
    const char* transferMessage = "";
    const char* errorSuffix = "";
    const char* missingAnswerMessage = nullptr;  // told when trf.in cannot be opened on receive
};

class NumberedTable {
public:
    explicit NumberedTable(const NumberedTableKind& kind) : kind_(kind) {}

    const NumberedTableKind& kind() const { return kind_; }
    ListRows& rows() { return rows_; }
    const ListRows& rows() const { return rows_; }
    EntryFields& fields() { return fields_; }
    const EntryFields& fields() const { return fields_; }

    // Open: loads the table file into the rows (a missing file is an empty table); a damaged
    // file is told and the rows read so far are kept.
    void open();
    // Save: writes the rows to the table file; false (and told) when it could not be saved.
    bool save() const;

    // Checks while typing; true when the check failed, was told and emptied the field.
    bool checkNumber();
    bool checkValue();

    // Add: inserts or replaces the row of the fields' number and value, then proposes the next
    // number. False when nothing was added (a field empty or a check failed).
    bool add();
    // Del: the shared delete operation.
    void deleteSelected() { rows_.deleteSelected(); }
    // Pick: the caret row into the fields; false when there is no caret row.
    bool pick();

    // The record line of each row, in list order. A row whose number or value does not fit
    // its record field gives no lines and the problem in *problem.
    std::vector<std::string> sendLines(std::string* problem) const;
    // The list row of a received line, or the empty text when the line gives no row.
    std::string rowOfReceivedLine(const std::string& line) const;
    // Replaces the rows by those of the received lines, added with the list's sorting.
    void takeReceivedLines(const std::vector<std::string>& lines);

    // PC->Sc: nothing for an empty list; otherwise writes trf.out, runs the transfer and tells
    // a failure.
    void send();
    // Sc->PC: requests the table; on success the rows become the received ones, otherwise they
    // stay as they were.
    void receive();

private:
    std::string numberColumn(const std::string& row) const;
    std::string valueOfRow(const std::string& row, std::size_t limit) const;

    const NumberedTableKind& kind_;
    ListRows rows_;
    EntryFields fields_;
};

// The first failing limit's message, or nullptr when value passes them all.
const char* failedLimit(const std::vector<Limit>& limits, int value);

}  // namespace vorn
