#include "comm/TableTransfer.h"

#include "comm/RecordLine.h"
#include "platform/Prompter.h"
#include "tables/Archive.h"
#include "tables/AtomicSave.h"
#include "tables/TextFiles.h"

namespace vorn {

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

void tellTransferFailure(const std::string& firstLine, const std::string& errorSuffix) {
    tell(latin1ToUtf8(firstLine + errorSuffix));
}

TransferResult runTableTransfer(const std::vector<std::string>& lines,
                                const TransferRequest& request, const AnswerCheck& check) {
    if (const FileProblem problem = writeTransferFile(lines); !problem.empty()) {
        tell(latin1ToUtf8(problem), PromptIcon::Error);
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
    return TransferResult::Succeeded;
}

TransferResult runTableTransfer(const std::vector<std::string>& lines,
                                const TransferRequest& request, const std::string& errorSuffix) {
    return runTableTransfer(lines, request, AnswerCheck{errorSuffix});
}

}  // namespace vorn
