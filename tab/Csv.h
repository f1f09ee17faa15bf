#pragma once
// Comma-separated values as spreadsheets write them: fields separated by a comma or a
// semicolon, records ended by CR LF (a bare LF or CR ends one too); a field in double quotes may
// hold separators, line breaks and quotes written twice. Reading is lenient where spreadsheets
// and hand-made files are: a quote inside an unquoted field is an ordinary character, and what
// follows a closing quote up to the next separator still belongs to the field.
//
// The text is bytes: the separators, quotes and line ends are ASCII, so UTF-8 and single-byte
// text pass through alike.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::csv {

// The separator of a text: the one of comma and semicolon that its first record holds more of
// outside quotes; a comma when it holds neither.
char detectSeparator(std::string_view text);

struct Record {
    std::vector<std::string> fields;
    std::size_t line = 0;  // the line (from 1) the record starts on
};

class Reader {
public:
    Reader(std::string_view text, char separator);

    // Reads the next record into `record`, reusing its strings; false at the end of the text.
    // An empty line is a record of one empty field.
    bool next(Record& record);
    // The text ended inside a quoted field: the last record took the rest of the text.
    bool endedInQuotes() const { return endedInQuotes_; }
    // The line the reader has come to (from 1).
    std::size_t line() const { return line_; }

private:
    std::string_view text_;
    char separator_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
    bool endedInQuotes_ = false;
};

// Appends a field as it is written in a record: in quotes (its quotes doubled) when it holds
// the separator, a quote, a line end, or blanks at either end; as it is otherwise.
void appendField(std::string& out, std::string_view field, char separator);
// Appends the fields joined by the separator and ended by CR LF.
void appendRecord(std::string& out, const std::vector<std::string>& fields, char separator);

}  // namespace vorn::csv
