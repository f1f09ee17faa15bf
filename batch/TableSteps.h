#pragma once
// The three steps of a category that moves one table: its module's round trip in the batch
// transfer's form. The send step reads the table file and writes its records; the request step
// writes the table's request; the store step judges the answer, takes the rows it gives over
// the table file's rows, and writes the table file. Nothing here builds a record or reads one.

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "batch/BatchCategory.h"
#include "batch/StepFiles.h"
#include "editors/kit/TableRoundTrip.h"

namespace vorn {

struct TableStepOptions {
    TransferSettings settings = {};
    // trf.out is emptied before the table file is read, so that a send that starts no transfer
    // leaves none behind.
    bool emptiesTransferFile = false;
};

template <class Rows>
std::optional<TransferSettings> sendTableStep(const TableRoundTrip<Rows>& table,
                                              const TableStepOptions& options) {
    if (options.emptiesTransferFile) {
        emptyTransferFile();
    }
    const LoadedTable<Rows> loaded = table.load();
    if (!loaded.found) {
        return std::nullopt;
    }
    // A damaged table is not sent in part: the user sees the problem and can mend the table in
    // its editor.
    if (!loaded.problem.empty()) {
        tellNotSent(loaded.problem);
        return std::nullopt;
    }
    const TableRecords out = table.records(loaded.rows);
    if (!out.problem.empty()) {
        tell(latin1ToUtf8(out.problem), PromptIcon::Warning);
        return std::nullopt;
    }
    if (out.none) {
        return std::nullopt;
    }
    return transferOf(out.lines, options.settings);
}

template <class Rows>
StoreOutcome storeTableStep(const TableRoundTrip<Rows>& table, const BatchCategory& category) {
    const JudgedAnswer answer = judgeAnswer(category);
    if (answer.outcome != StoreOutcome::Stored) {
        return answer.outcome;
    }
    if (const std::string misfit = answerRefusal(table, answer.lines); !misfit.empty()) {
        refuseAnswer(misfit);
        return StoreOutcome::ErrorAnswer;
    }
    const Rows before = table.load().rows;
    const AnswerRows<Rows> received = table.rowsOfAnswer(answer.lines, before);
    if (!received.refusal.empty()) {
        refuseAnswer(received.refusal);
        return StoreOutcome::NotStored;
    }
    if (!receiveMayReplace(category.caption, category.files, before, received.rows)) {
        return StoreOutcome::NotStored;
    }
    return storedOrTold(table.save(received.rows));
}

// The category with the steps of the table.
template <class Rows>
BatchCategory withTable(BatchCategory category, TableRoundTrip<Rows> table,
                        TableStepOptions options = {}) {
    auto shared = std::make_shared<const TableRoundTrip<Rows>>(std::move(table));
    category.send = [shared, options](const BatchContext&) {
        return sendTableStep(*shared, options);
    };
    category.request = [shared](const BatchContext&) {
        return transferOf(shared->request(),
                          TransferSettings{.answerFrameLimit = answerFrameLimitOf(shared->fit)});
    };
    category.store = [shared](const BatchContext&, const BatchCategory& c) {
        return storeTableStep(*shared, c);
    };
    return category;
}

}  // namespace vorn
