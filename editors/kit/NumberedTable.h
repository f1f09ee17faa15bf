#pragma once
// The editor pattern of the list tables (article groups, operators, date texts, tares, VAT
// rates, advertisement and extra texts, barcode formats) as a model without a window: a table
// is described by a NumberedTableKind (plain data and a few small functions), and NumberedTable
// performs the editor's operations on its list rows and its field members. The dialog shows the
// rows and fields and calls one operation per control.
//
// A table's round trip (its file, records and answers) is numberedRoundTrip for a table of
// plain numbered rows, made from its kind's data; a table whose rows differ gives its own.

#include <cstddef>
#include <string>
#include <vector>

#include "comm/TableTransfer.h"
#include "editors/kit/TableRoundTrip.h"
#include "tables/TableFiles.h"
#include "widgets/ListRows.h"

namespace vorn {

// The dialog's field members.
struct EntryFields {
    std::string number;
    std::string value;
    // The table's type choice, where it has one (barcodes: 0 UPC, 1 EAN).
    int type = 0;
    // The value field's lines as a wrapping field displays them, a line that ends a paragraph
    // with its CR LF; empty for a field that does not wrap.
    std::vector<std::string> displayedLines = {};
};

class NumberedTable;
struct NumberedTableKind;

// The rows of a numbered table as its list shows them (the number column, the separator, the
// value), in order, with its type choice where it has one.
struct NumberedRows {
    std::vector<std::string> texts;
    int type = 0;
};

// The round trip of a table in a form.
using NumberedRoundTrip = TableRoundTrip<NumberedRows> (*)(const NumberedTableKind& kind,
                                                           TableForm form);

// One bound of an integer check: the value fails when below (or above) the bound.
struct Limit {
    enum Side { Below, Above };
    Side side;
    int bound;
    const char* message;
};

enum class FileRows { NumberString, NumberWord };

struct NumberedTableKind {
    // List rows: the number right-aligned in numberWidth characters, the separator, the value.
    int numberWidth = 0;
    char separator = '\t';
    // Maximum lengths of the number and value fields; the value's by the type where given.
    int numberMaxLength = 0;
    int valueMaxLength = 0;
    int (*valueMaxLengthOf)(int type) = nullptr;

    // Checks while the user types; the first limit that fails is told and empties the field.
    std::vector<Limit> numberLimits = {};
    std::vector<Limit> valueLimits = {};
    // A check run by Add before anything else (tares, barcode lengths, extra text numbers); it
    // tells the user (or not) and may empty fields.
    bool (*addCheck)(EntryFields& fields) = nullptr;
    // The numbers the scale's table holds, where the number checks above do not say them (both
    // 0: as they say). An answer with other numbers, or any number twice, is refused.
    int lowestHeld = 0;
    int highestHeld = 0;

    // Add: the value part of the new row (a printf format of the value field's text, or made
    // from the fields by addedValue), and the number proposed afterwards: n + 1 but at most
    // proposedNumberMax; 0 empties the field. The new row takes the place of the row with its
    // number, or goes before the first higher number; with addSorts every row of its number goes
    // and it is added with the list's own sorting instead.
    const char* addedValueFormat = "%s";
    std::string (*addedValue)(const EntryFields& fields) = nullptr;
    bool addSorts = false;
    int proposedNumberMax = 0;

    // Pick: the number field gets the row's number column (or, with pickNumberAsInteger, its
    // value as "%d"); the value field gets the text after the row's TAB, or (pickValueMax set,
    // or a separator other than TAB) at most pickValueMax characters from position
    // numberWidth + 1; blanks at the end are removed when trimPickedValue; then pickedValue
    // turns it into the field's text.
    bool pickNumberAsInteger = false;
    std::size_t pickValueMax = std::string::npos;
    bool trimPickedValue = false;
    std::string (*pickedValue)(const std::string& value) = nullptr;

    // The type choice (barcodes): what choosing a type does to the table; without it the type
    // is simply taken.
    void (*choose)(NumberedTable& table, int type) = nullptr;

    // "OK" first adds what the fields hold.
    bool addOnOk = false;

    // The round trip: numberedRoundTrip from the data below, or the table's own.
    NumberedRoundTrip roundTrip = nullptr;

    // Table file and its rows.
    TableFile file = {};
    FileRows fileRows = FileRows::NumberString;
    bool trimValueOnOpen = false;  // the dialog removes blanks at both ends of a loaded value
    std::size_t fileValueMax = 0;  // characters of the value the dialog saves

    // Record line: printf format of the number and the value (text, or whole units of
    // 10^-decimals of the decimal value), the widths of the two fields, and the request line.
    const char* recordFormat = "";
    int recordNumberDigits = 0;
    int recordValueWidth = 0;
    int decimals = -1;  // -1: the value is text; otherwise a decimal amount with these decimals
    const char* requestLine = "";
    // Rows from received records: the value formatted with receivedValueFormat (text, or the
    // decimal text). The dialog drops the first received line when its number is 0
    // (skipFirstZeroNumber); the batch transfer takes an answer whose first line has '4' at
    // position 6 for an empty table (emptyTableMark).
    const char* receivedValueFormat = "%s";
    bool skipFirstZeroNumber = false;
    bool emptyTableMark = false;
    // The batch transfer sends an empty table file (as an empty trf.out); otherwise an empty
    // table, like a missing file, starts no transfer.
    bool batchSendsEmptyTable = false;

    // Transfer: key width of a send; how a failure is shown (the first line of trf.in of at
    // most answerShownLimit characters, or as many bytes of it), followed by the error suffix.
    const char* transferMessage = "";
    int keyWidth = 0;
    const char* errorSuffix = "";
    std::size_t answerShownLimit = 99;
    bool answerShownAsBytes = false;
    const char* missingAnswerMessage = nullptr;  // told when trf.in cannot be opened on receive
};

class NumberedTable {
public:
    explicit NumberedTable(const NumberedTableKind& kind);

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
    // OK: adds a pending entry first where the table does so, then saves.
    bool saveOnOk();

    // The value field's maximum length (for the current type where it depends on it).
    int valueMaxLength() const;
    // Chooses the type (barcodes); what happens to the rows is the table's.
    void choose(int type);

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

    // Replaces the rows by those of the received lines, added with the list's sorting.
    void takeReceivedLines(const std::vector<std::string>& lines);

    // PC->Sc: nothing for an empty list; otherwise writes trf.out, runs the transfer and tells
    // a failure.
    void send();
    // Sc->PC: requests the table; on success the rows become the received ones, otherwise they
    // stay as they were.
    void receive();

    // The row's number column and its value (at most limit characters).
    std::string numberColumn(const std::string& row) const;
    std::string valueOfRow(const std::string& row, std::size_t limit) const;

private:
    AnswerCheck answerCheck() const;
    TransferRequest request(bool receive) const;
    NumberedRows roundTripRows() const;
    void showRows(const NumberedRows& rows);

    const NumberedTableKind& kind_;
    TableRoundTrip<NumberedRows> roundTrip_;
    ListRows rows_;
    EntryFields fields_;
};

// The first failing limit's message, or nullptr when value passes them all.
const char* failedLimit(const std::vector<Limit>& limits, int value);

// The round trip of a table of plain numbered rows, from its kind's data. The dialog reads the
// file into list rows (values trimmed where the kind says), saves at most fileValueMax
// characters of each value, sends nothing for an empty list, and parses an answer as the kind
// says; the batch transfer keeps the file's order, lays each number column out anew in the
// kind's width (a file from elsewhere may have another), saves whole values and keeps the
// answer's order.
TableRoundTrip<NumberedRows> numberedRoundTrip(const NumberedTableKind& kind, TableForm form);

// What an answer of the kind's table may hold: its table's numbers, each once.
AnswerFit numberedAnswerFit(const NumberedTableKind& kind);

// The record lines of the rows, in order. A text value goes into the record as recordText makes
// it (cut to the field's width); without recordText, as it is. A row whose number or value does
// not fit its record field gives no lines and the problem.
TableRecords numberedRecords(const NumberedTableKind& kind, const std::vector<std::string>& rows,
                             std::string (*recordText)(const std::string& value) = nullptr);
// The list row of a received line, or the empty text when the line gives no row: only answer
// records of lineLength characters (0: any) are records; a text value is shown as rowText makes
// it (without rowText, as it is).
std::string numberedRowOfLine(const NumberedTableKind& kind, const std::string& line,
                              std::string (*rowText)(const std::string& recordText) = nullptr,
                              std::size_t lineLength = 0);

}  // namespace vorn
