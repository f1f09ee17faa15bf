#include "editors/kit/SingleText.h"

#include <vector>

#include "tables/Archive.h"
#include "tables/PrintfFormat.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

constexpr int kRowNumber = 1;

TransferRequest request(const SingleTextKind& kind, bool receive) {
    return TransferRequest{kind.transferMessage, receive, 0, 1, false};
}

AnswerCheck answerCheck(const SingleTextKind& kind) {
    return AnswerCheck{kind.errorSuffix, kind.answerLineLimit};
}

LoadedTable<std::string> loadText(const TableFile& file, bool trim) {
    LoadedTable<std::string> table;
    table.found = readFileBytes(file.name).has_value();
    const LoadedRows<NumberWordRow> loaded = loadNumberWordFile(file);
    if (!loaded.rows.empty()) {
        table.rows = trim ? rightTrimmed(loaded.rows.front().value) : loaded.rows.front().value;
    }
    table.problem = loaded.problem;
    return table;
}

}  // namespace

std::string singleTextRecord(const SingleTextKind& kind, const std::string& text) {
    return cformat(kind.recordFormat, {cutTo(kind.recordText(text), kind.recordTextWidth)});
}

TableRoundTrip<std::string> singleTextRoundTrip(const SingleTextKind& kind, TableForm form) {
    const bool batch = form == TableForm::Batch;
    return {
        .load = [&kind, batch] { return loadText(kind.file, kind.trimOnOpen && !batch); },
        .save =
            [&kind, batch](const std::string& text) {
                return saveNumberWordFile(batch ? kind.batchFile : kind.file, {{kRowNumber, text}});
            },
        .records =
            [&kind, batch](const std::string& text) {
                TableRecords out;
                // The batch does not send a text that the record would cut.
                if (batch && kind.recordText(text).size() > kind.recordTextWidth) {
                    out.problem = std::string(kind.file.name) + ": " + kind.what +
                                  " does not fit its record; it was not sent";
                    return out;
                }
                out.lines = {singleTextRecord(kind, text)};
                return out;
            },
        .request = [&kind] { return std::vector<std::string>{kind.requestLine}; },
        .rowsOfAnswer =
            [&kind, batch](const std::vector<std::string>& lines, const std::string&) {
                AnswerRows<std::string> answer;
                if (!lines.empty()) {
                    answer.rows =
                        (batch ? kind.batchTextOfAnswer : kind.textOfAnswer)(lines.front());
                }
                return answer;
            },
        .files = {kind.file.name},
    };
}

void SingleText::open() {
    const LoadedTable<std::string> loaded = singleTextRoundTrip(kind_, TableForm::Dialog).load();
    text = loaded.rows;
    if (!loaded.problem.empty()) {
        tell(loaded.problem, PromptIcon::Warning, tablefile::kDamagedMeaning);
    }
}

bool SingleText::save() const {
    const FileProblem problem = singleTextRoundTrip(kind_, TableForm::Dialog).save(text);
    if (!problem.empty()) {
        tell(problem, PromptIcon::Error, tablefile::kUnsavedMeaning);
        return false;
    }
    return true;
}

void SingleText::send() {
    sendTable(singleTextRoundTrip(kind_, TableForm::Dialog), text, request(kind_, false),
              answerCheck(kind_));
}

void SingleText::receive() {
    receiveTable(singleTextRoundTrip(kind_, TableForm::Dialog), text, request(kind_, true),
                 answerCheck(kind_));
}

}  // namespace vorn
