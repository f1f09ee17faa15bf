#pragma once
// A table's round trip between its table file and the scale, as functions of the table's
// module: load and save the file, the record lines that send the rows, the request of a
// receive, and the rows that the scale's answer gives. The dialogs, the batch transfer and
// vornctl take every table through these, so that a table's records are built, and its answers
// parsed, in one place: its module. Where the batch transfer writes or reads a table otherwise
// than the table's dialog does, the module describes that form of the round trip as well.
//
// Every send goes from rows to records through records(); every receive goes from the answer to
// the rows through rowsOfAnswer(), then to the dialog's rows or, in a batch, through save() to
// the table file.

#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "comm/ReceiveGuard.h"
#include "comm/RecordLine.h"
#include "comm/TableTransfer.h"
#include "editors/kit/AnswerFit.h"
#include "platform/Prompter.h"
#include "tables/TableFiles.h"

namespace vorn {

template <class Rows>
struct LoadedTable {
    bool found = false;  // false: there is no table file (rows are empty)
    Rows rows{};
    FileProblem problem = {};  // the file is damaged: rows holds what could be read
};

// What a send of the rows writes to trf.out.
struct TableRecords {
    std::vector<std::string> lines = {};
    // Why nothing can be sent (a row that does not fit its record), in words (Latin-1).
    std::string problem = {};
    // Nothing to send: no transfer is run.
    bool none = false;
};

// The rows that a good answer gives; or, with a refusal (in words, UTF-8), none: the refusal is
// told and nothing is stored.
template <class Rows>
struct AnswerRows {
    Rows rows{};
    std::string refusal = {};
};

// Which program's form of a round trip: the table's dialog, or the batch transfer (and vornctl).
enum class TableForm { Dialog, Batch };

template <class Rows>
struct TableRoundTrip {
    std::function<LoadedTable<Rows>()> load;
    // Writes the rows to the table file; the problem, naming the file, when it cannot.
    std::function<FileProblem(const Rows& rows)> save;
    std::function<TableRecords(const Rows& rows)> records;
    std::function<std::vector<std::string>()> request;
    // The rows of the answer's lines (trf.in, judged good), over the rows as they were before.
    std::function<AnswerRows<Rows>(const std::vector<std::string>& lines, const Rows& before)>
        rowsOfAnswer;
    // What the request fixed about the answer and what the table holds; an answer that does not
    // fit is refused before any row is taken.
    AnswerFit fit = {};
    // The table files that a receive replaces (kept in backup/ first).
    std::vector<std::string> files = {};
};

// The refusal of answer lines that do not fit the table's request, in words (UTF-8); empty when
// they fit.
template <class Rows>
std::string answerRefusal(const TableRoundTrip<Rows>& table,
                          const std::vector<std::string>& lines) {
    return latin1ToUtf8(answerMisfit(table.fit, table.request(), lines));
}

// The request of a receive with the most answer frames the table can hold.
template <class Rows>
TransferRequest boundedByTable(const TableRoundTrip<Rows>& table, TransferRequest request) {
    request.answerFrameLimit = answerFrameLimitOf(table.fit);
    return request;
}

// How many records rows hold, where a receive could empty or shrink them: the rows of a list (the
// present ones, where a row may be absent or blank); no value for a single record or a fixed set.
template <class Rows>
std::optional<std::size_t> recordCount(const Rows& rows) {
    if constexpr (requires { rows.texts.size(); }) {
        return rows.texts.size();
    } else if constexpr (requires { rows.push_back(*rows.begin()); } &&
                         !std::is_same_v<Rows, std::string>) {
        std::size_t count = 0;
        for (const auto& row : rows) {
            if constexpr (requires { row.has_value(); }) {
                count += row.has_value() ? 1 : 0;
            } else if constexpr (std::is_same_v<std::decay_t<decltype(row)>, std::string>) {
                count += row.empty() ? 0 : 1;
            } else {
                ++count;
            }
        }
        return count;
    } else {
        return std::nullopt;
    }
}

// The receive of rows that would replace before: asked or refused when it empties or shrinks
// them, and the table's files kept in backup/ (comm/ReceiveGuard.h).
template <class Rows>
bool receiveMayReplace(const std::string& name, const std::vector<std::string>& files,
                       const Rows& before, const Rows& received) {
    return receiveMayReplace(
        ReplacedTable{name, files, recordCount(before), recordCount(received)});
}

// PC->Sc of a dialog: the rows' records go to the scale. A problem is told and nothing is sent;
// with nothing to send (no records) nothing is done (NotRun both).
template <class Rows>
TransferResult sendTable(const TableRoundTrip<Rows>& table, const Rows& rows,
                         const TransferRequest& request, const AnswerCheck& check) {
    const TableRecords out = table.records(rows);
    if (!out.problem.empty()) {
        tell(latin1ToUtf8(out.problem), PromptIcon::Warning);
        return TransferResult::NotRun;
    }
    if (out.none || out.lines.empty()) {
        return TransferResult::NotRun;
    }
    return runTableTransfer(out.lines, request, check);
}

// Sc->PC of a dialog: the table is requested, and the rows of a good answer replace the rows.
template <class Rows>
TransferResult receiveTable(const TableRoundTrip<Rows>& table, Rows& rows,
                            const TransferRequest& request, const AnswerCheck& check) {
    const TransferResult result =
        runTableTransfer(table.request(), boundedByTable(table, request), check);
    if (result != TransferResult::Succeeded) {
        return result;
    }
    // A later request that failed has failed the transfer: the answer is whole here.
    const std::vector<std::string> lines = readAnswerLines();
    if (const std::string misfit = answerRefusal(table, lines); !misfit.empty()) {
        refuseAnswer(misfit);
        return TransferResult::Failed;
    }
    AnswerRows<Rows> answer = table.rowsOfAnswer(lines, rows);
    if (!answer.refusal.empty()) {
        refuseAnswer(answer.refusal);
        return TransferResult::Failed;
    }
    if (!receiveMayReplace("this table", table.files, rows, answer.rows)) {
        return TransferResult::Failed;
    }
    rows = std::move(answer.rows);
    return result;
}

}  // namespace vorn
