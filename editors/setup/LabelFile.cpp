#include "editors/setup/LabelFile.h"

#include <algorithm>
#include <optional>

#include "comm/RecordLine.h"
#include "comm/TableTransfer.h"
#include "platform/Prompter.h"
#include "tables/PrintfFormat.h"
#include "tables/TextFiles.h"

namespace vorn {

namespace {

using namespace labellayout;

void put(std::string& line, std::size_t pos, char c) {
    if (pos < line.size()) {
        line[pos] = c;
    }
}

TransferRequest request(bool receive) {
    return TransferRequest{kTransferMessage, receive};
}

LabelTransferResult resultOf(TransferResult r) {
    switch (r) {
        case TransferResult::NotRun:
            return LabelTransferResult::NotRun;
        case TransferResult::NoAnswer:
            return LabelTransferResult::NoAnswer;
        case TransferResult::Failed:
            return LabelTransferResult::Failed;
        case TransferResult::Succeeded:
            break;
    }
    return LabelTransferResult::Succeeded;
}

}  // namespace

bool hasLabelFileExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    return dot != std::string::npos && name.substr(dot + 1) == kExtension;
}

std::string layoutLineForSending(std::string line, int labelNumber) {
    put(line, kStatusPos, '0');
    put(line, kOperationPos, '0');
    put(line, kBlockPos, '1');
    put(line, kLabelNumberPos, static_cast<char>('0' + labelNumber % 10));
    return line;
}

std::string layoutLineForStoring(std::string line) {
    for (const std::size_t pos : {kStatusPos, kOperationPos, kBlockPos, kLabelNumberPos}) {
        put(line, pos, '0');
    }
    return line;
}

std::string batchLayoutLineForSending(std::string line) {
    put(line, kStatusPos, '0');
    return line;
}

std::string batchLayoutLineForStoring(std::string line) {
    put(line, kStatusPos, '0');
    put(line, kOperationPos, '0');
    return line;
}

std::string layoutRequestLine(int labelNumber) {
    return cformat(kRequestFormat, {labelNumber});
}

AnswerFit layoutFit(std::vector<int> labelNumbers) {
    return AnswerFit{.numberWidth = 2, .askedNumbers = std::move(labelNumbers)};
}

bool isLayoutAnswer(const std::string& line) {
    return isAnswerRecord(line) && tableCode(line) == "60" && line.size() > kRecordMinLength;
}

std::vector<std::optional<std::string>> layoutsOfAnswer(const std::vector<std::string>& lines) {
    // Each request is answered by one line: the layout, or for an empty slot the request itself,
    // which is no layout and must not become one.
    std::vector<std::optional<std::string>> layouts;
    for (const std::string& line : lines) {
        if (layouts.size() == static_cast<std::size_t>(kLabels)) {
            break;
        }
        if (!isAnswerRecord(line)) {
            continue;
        }
        layouts.push_back(isLayoutAnswer(line) ? std::optional(batchLayoutLineForStoring(line))
                                               : std::nullopt);
    }
    return layouts;
}

TableRoundTrip<std::vector<std::optional<std::string>>> labelLayoutBatchRoundTrip() {
    using Layouts = std::vector<std::optional<std::string>>;
    return {
        .load =
            [] {
                LoadedTable<Layouts> table{.found = true};
                for (const char* file : kBatchFiles) {
                    table.rows.push_back(readFirstLine(file, kBatchLineLimit + 1));
                }
                return table;
            },
        .save =
            [](const Layouts& layouts) {
                for (std::size_t i = 0; i < layouts.size(); ++i) {
                    if (layouts[i]) {
                        const FileProblem problem =
                            writeTextLines(kBatchFiles[i], {*layouts[i], std::string()});
                        if (!problem.empty()) {
                            return problem;
                        }
                    }
                }
                return FileProblem();
            },
        .records =
            [](const Layouts& layouts) {
                TableRecords out;
                for (std::size_t i = 0; i < layouts.size(); ++i) {
                    if (!layouts[i]) {
                        continue;
                    }
                    if (layouts[i]->size() > kBatchLineLimit) {
                        out.problem = std::string(kBatchFiles[i]) + ": its layout is longer than " +
                                      std::to_string(kBatchLineLimit) +
                                      " characters; it was not sent";
                        out.lines.clear();
                        return out;
                    }
                    out.lines.push_back(batchLayoutLineForSending(*layouts[i]));
                    out.lines.emplace_back();
                }
                return out;
            },
        .request =
            [] {
                std::vector<std::string> lines;
                for (int n = 1; n <= kLabels; ++n) {
                    lines.push_back(layoutRequestLine(n));
                }
                return lines;
            },
        .rowsOfAnswer = [](const std::vector<std::string>& lines,
                           const Layouts&) { return AnswerRows<Layouts>{layoutsOfAnswer(lines)}; },
        .fit = layoutFit({1, 2, 3}),
    };
}

LabelTransferResult sendLabelFile(const std::string& path, int labelNumber) {
    if (path.empty()) {
        tell(kEmptyPathMessage);
        return LabelTransferResult::NotRun;
    }
    std::vector<std::string> lines;
    if (const std::optional<std::string> line = readFirstLine(path, kFileLineLimit + 1)) {
        if (line->size() > kFileLineLimit) {
            tell(latin1ToUtf8("The label layout in " + path + " is longer than " +
                              std::to_string(kFileLineLimit) + " characters! Nothing was sent."),
                 PromptIcon::Warning);
            return LabelTransferResult::NotRun;
        }
        lines = {layoutLineForSending(*line, labelNumber), ""};
    }
    return resultOf(runTableTransfer(lines, request(false), kErrorSuffix));
}

LabelTransferResult receiveLabelFile(const std::string& path, int labelNumber) {
    if (path.empty()) {
        tell(kEmptyPathMessage);
        return LabelTransferResult::NotRun;
    }
    const TransferResult r =
        runTableTransfer({layoutRequestLine(labelNumber)}, request(true), kErrorSuffix);
    if (r != TransferResult::Succeeded) {
        return resultOf(r);
    }
    const std::vector<std::string> lines = readAnswerLines();
    // Every line of the answer must be the layout asked for; the last one is taken.
    const auto answers = std::count_if(
        lines.begin(), lines.end(), [](const std::string& line) { return isAnswerRecord(line); });
    if (const std::string misfit = answerMisfit(
            layoutFit(std::vector<int>(static_cast<std::size_t>(answers), labelNumber)),
            {layoutRequestLine(labelNumber)}, lines);
        !misfit.empty()) {
        tell(latin1ToUtf8(misfit + " " + path + " was not changed."), PromptIcon::Warning);
        return LabelTransferResult::Failed;
    }
    std::optional<std::string> layout;
    for (const std::string& line : lines) {
        if (isLayoutAnswer(line)) {
            layout = layoutLineForStoring(line);
        }
    }
    if (!layout) {
        tell(latin1ToUtf8("The scale sent no label layout " + std::to_string(labelNumber) + "! " +
                          path + " was not changed."),
             PromptIcon::Warning);
        return LabelTransferResult::Failed;
    }
    const FileProblem problem = writeTextLines(path, {*layout, ""});
    if (!problem.empty()) {
        tell(latin1ToUtf8(problem), PromptIcon::Error);
        return LabelTransferResult::Failed;
    }
    return LabelTransferResult::Succeeded;
}

}  // namespace vorn
