#include "comm/TableTransfer.h"

#include "comm/RecordLine.h"
#include "comm/TransferWords.h"
#include "platform/Prompter.h"
#include "tables/Archive.h"
#include "tables/AtomicSave.h"
#include "tables/TextFiles.h"

namespace vorn {

namespace {
constexpr char kCtrlZ = 0x1A;
}  // namespace

FileProblem writeTransferLines(const std::string& name, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return writeFileAtomically(name, bytes);
}

FileProblem writeTransferFile(const std::vector<std::string>& lines) {
    return writeTransferLines(transferfile::kOut, lines);
}

std::optional<std::string> readFirstAnswerLine(std::size_t limit) {
    const std::optional<std::string> bytes = readFileBytes(transferfile::kIn);
    if (!bytes) {
        return std::nullopt;
    }
    std::string line;
    for (std::size_t i = 0; i < bytes->size() && line.size() < limit; ++i) {
        const char c = (*bytes)[i];
        if (c == '\r' && i + 1 < bytes->size() && (*bytes)[i + 1] == '\n') {
            continue;
        }
        line += c;
        if (c == '\n') {
            break;
        }
    }
    return line;
}

std::optional<std::string> readFirstAnswerBytes(std::size_t limit) {
    std::optional<std::string> bytes = readFileBytes(transferfile::kIn);
    if (bytes && bytes->size() > limit) {
        bytes->resize(limit);
    }
    return bytes;
}

std::vector<std::string> readAnswerLines() {
    return readTextLines(transferfile::kIn).value_or(std::vector<std::string>{});
}

namespace {

// The last transfer as trf.out and trf.in tell it; no lines when there is nothing to tell.
ScaleTransfer transferOfFiles() {
    ScaleTransfer t;
    const std::optional<std::vector<std::string>> out = readTextLines(transferfile::kOut);
    if (!out) {
        return t;
    }
    for (const std::string& line : *out) {
        if (!line.empty() && line[0] == kCtrlZ) {
            break;
        }
        if (line.size() >= envelope::kLength) {
            if (t.lines++ == 0) {
                t.table = tableNameOfLine(line);
                t.direction = directionOfLine(line);
            }
        }
    }
    if (t.lines == 0) {
        return t;
    }
    // Each line the scale took has its answer in trf.in, in order, up to the error line.
    for (const std::string& answer : readAnswerLines()) {
        if (isAnswerRecord(answer)) {
            if (t.direction == ScaleTransfer::Direction::Send) {
                ++t.linesDone;
            } else if (!marksEmptyTable(answer)) {
                ++t.records;
            }
            if (t.scale.empty()) {
                t.scale = answer.substr(envelope::kScale, 2);
            }
        } else if (!answer.empty()) {
            t.failure = answer;
            break;
        }
    }
    if (t.direction != ScaleTransfer::Direction::Send && t.failure.empty()) {
        t.linesDone = t.lines;
    }
    return t;
}

}  // namespace

std::string transferInWords() {
    const ScaleTransfer t = transferOfFiles();
    return t.lines == 0 ? std::string() : t.table + ": " + outcomeInWords(t);
}

std::string successInWords() {
    const ScaleTransfer t = transferOfFiles();
    return t.lines == 0 || !succeeded(t) ? std::string() : t.table + ": " + outcomeInWords(t);
}

void tellTransferFailure(const std::string& firstLine, const std::string& errorSuffix) {
    tell(latin1ToUtf8(firstLine + errorSuffix), PromptIcon::None, latin1ToUtf8(transferInWords()));
}

TransferResult runTableTransfer(const std::vector<std::string>& lines,
                                const TransferRequest& request, const AnswerCheck& check) {
    if (const FileProblem problem = writeTransferFile(lines); !problem.empty()) {
        tell(latin1ToUtf8(problem), PromptIcon::Error, transferfile::kOutUnwritable);
        return TransferResult::NotRun;
    }
    transferRunner().run(request);
    const std::optional<std::string> first = check.shownAsBytes
                                                 ? readFirstAnswerBytes(check.shownLimit)
                                                 : readFirstAnswerLine(check.shownLimit);
    if (!first) {
        return TransferResult::NoAnswer;
    }
    if (!isSuccessLine(*first)) {
        tellTransferFailure(*first, check.errorSuffix);
        return TransferResult::Failed;
    }
    // A transfer broken off after its first answers: what came before the error line is only
    // part of it (a send reached the scale in part, an answer is incomplete).
    if (const std::optional<std::string> failed = laterErrorLine(readAnswerLines())) {
        tellTransferFailure(*failed + "\n", check.errorSuffix);
        return TransferResult::Failed;
    }
    return TransferResult::Succeeded;
}

TransferResult runTableTransfer(const std::vector<std::string>& lines,
                                const TransferRequest& request, const std::string& errorSuffix) {
    return runTableTransfer(lines, request, AnswerCheck{errorSuffix});
}

}  // namespace vorn
