#pragma once
// The tables of one text (the store address, the marquee message), described as data like the
// numbered tables: the one-row table file, the record that carries the text, the request and
// how an answer gives the text back; the table's module supplies the few functions where its
// text differs. SingleText is the model of their dialogs; singleTextRoundTrip gives their round
// trip in either form, the dialog's or the batch transfer's.

#include <cstddef>
#include <string>
#include <string_view>

#include "editors/kit/TableRoundTrip.h"
#include "tables/TableFiles.h"

namespace vorn {

struct SingleTextKind {
    // The number-word file of one row; the batch transfer stores it with its own header.
    TableFile file = {};
    TableFile batchFile = {};
    bool trimOnOpen = false;  // the dialog shows the stored text without blanks at its end
    // The record: the printf format of its text field, and the text as the field carries it (no
    // longer than recordTextWidth, or it does not fit) from the text as the dialog holds it.
    const char* recordFormat = "";
    std::size_t recordTextWidth = 0;
    std::string (*recordText)(std::string_view text) = nullptr;
    // The text of an answer line, as the dialog reads it and as the batch transfer does.
    std::string (*textOfAnswer)(std::string_view line) = nullptr;
    std::string (*batchTextOfAnswer)(std::string_view line) = nullptr;
    const char* requestLine = "";
    // The transfer: its message, the error suffix and how much of the first answer line a
    // failure shows; what the batch calls the text when it does not fit.
    const char* transferMessage = "";
    const char* errorSuffix = "";
    std::size_t answerLineLimit = 0;
    const char* what = "";
};

// The record line of a text, cut to the record's field. No line end.
std::string singleTextRecord(const SingleTextKind& kind, const std::string& text);

TableRoundTrip<std::string> singleTextRoundTrip(const SingleTextKind& kind, TableForm form);

// The dialog's one member and its operations.
class SingleText {
public:
    explicit SingleText(const SingleTextKind& kind) : kind_(kind) {}

    std::string text;  // line breaks as CR LF

    // Open: the text of the file (a damaged file is told).
    void open();
    // OK: the file saved; false (and told) when it could not be.
    bool save() const;
    // PC->Sc and Sc->PC.
    void send();
    void receive();

private:
    const SingleTextKind& kind_;
};

}  // namespace vorn
