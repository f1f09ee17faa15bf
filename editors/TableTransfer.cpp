#include "editors/TableTransfer.h"

#include <fstream>

#include "comm/RecordLine.h"
#include "platform/Prompter.h"
#include "tables/Archive.h"

namespace vorn {

bool writeTransferFile(const std::vector<std::string>& lines) {
    std::ofstream out(transferfile::kOut, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) {
        out << line << "\r\n";
    }
    out.close();
    return static_cast<bool>(out);
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

std::vector<std::string> readAnswerLines() {
    std::vector<std::string> lines;
    const std::optional<std::string> bytes = readFileBytes(transferfile::kIn);
    if (!bytes) {
        return lines;
    }
    std::size_t start = 0;
    while (start < bytes->size()) {
        std::size_t end = bytes->find('\n', start);
        const std::size_t next = end == std::string::npos ? bytes->size() : end + 1;
        if (end == std::string::npos) {
            end = bytes->size();
        }
        if (end > start && (*bytes)[end - 1] == '\r') {
            --end;
        }
        lines.push_back(bytes->substr(start, end - start));
        start = next;
    }
    return lines;
}

void tellTransferFailure(const std::string& firstLine, const std::string& errorSuffix) {
    tell(latin1ToUtf8(firstLine + errorSuffix));
}

TransferResult runTableTransfer(const std::vector<std::string>& lines,
                                const TransferRequest& request, const std::string& errorSuffix) {
    if (!writeTransferFile(lines)) {
        tell(std::string("Can't write ") + transferfile::kOut + "!");
        return TransferResult::NotRun;
    }
    transferRunner().run(request);
    const std::optional<std::string> first = readFirstAnswerLine();
    if (!first) {
        return TransferResult::NoAnswer;
    }
    if (!isSuccessLine(*first)) {
        tellTransferFailure(*first, errorSuffix);
        return TransferResult::Failed;
    }
    return TransferResult::Succeeded;
}

}  // namespace vorn
