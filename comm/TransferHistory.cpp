#include "comm/TransferHistory.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "comm/TransferWords.h"
#include "tables/Archive.h"
#include "tables/AtomicSave.h"

namespace vorn {

namespace {

std::string field(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return text;
}

std::string inDirectory(const std::string& directory, const char* name) {
    return directory.empty() ? std::string(name) : directory + "/" + name;
}

}  // namespace

std::string historyTime(const LocalDateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

std::string historyLine(const HistoryEntry& e) {
    return field(e.time) + '\t' + field(e.direction) + '\t' + field(e.table) + '\t' +
           std::to_string(e.records) + '\t' + field(e.outcome);
}

std::optional<HistoryEntry> parseHistoryLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (line.find('\r') != std::string_view::npos) {
        return std::nullopt;
    }
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) {
            break;
        }
        start = tab + 1;
    }
    if (fields.size() != history::kFields || fields[0].empty()) {
        return std::nullopt;
    }
    int records = 0;
    const std::string_view count = fields[3];
    const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), records);
    if (error != std::errc() || end != count.data() + count.size() || records < 0) {
        return std::nullopt;
    }
    return HistoryEntry{std::string(fields[0]), std::string(fields[1]), std::string(fields[2]),
                        records, std::string(fields[4])};
}

std::vector<HistoryEntry> parseHistory(std::string_view bytes) {
    std::vector<HistoryEntry> entries;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        if (std::optional<HistoryEntry> e = parseHistoryLine(bytes.substr(0, end))) {
            entries.push_back(std::move(*e));
        }
        if (end == std::string_view::npos) {
            break;
        }
        bytes.remove_prefix(end + 1);
    }
    return entries;
}

bool appendHistory(const HistoryEntry& entry, const std::string& directory,
                   std::size_t rotateBytes) {
    const std::string path = inDirectory(directory, history::kFile);
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size >= rotateBytes) {
        std::filesystem::rename(path, inDirectory(directory, history::kOldFile), ec);
    }
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << historyLine(entry) << "\r\n";
    return static_cast<bool>(out);
}

bool markReceiveNotTaken(const std::string& reason, const std::string& directory) {
    const std::string path = inDirectory(directory, history::kFile);
    std::string bytes = readFileBytes(path).value_or("");
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) {
        bytes.pop_back();
    }
    const std::size_t start = bytes.rfind('\n') == std::string::npos ? 0 : bytes.rfind('\n') + 1;
    std::optional<HistoryEntry> last = parseHistoryLine(std::string_view(bytes).substr(start));
    if (!last || last->direction != directionWord(ScaleTransfer::Direction::Receive)) {
        return false;
    }
    last->outcome = notTakenInWords(last->outcome, reason);
    bytes.replace(start, std::string::npos, historyLine(*last) + "\r\n");
    return writeFileAtomically(path, bytes).empty();
}

std::vector<HistoryEntry> loadHistory() {
    std::vector<HistoryEntry> entries;
    for (const char* name : {history::kOldFile, history::kFile}) {
        const std::vector<HistoryEntry> some = parseHistory(readFileBytes(name).value_or(""));
        entries.insert(entries.end(), some.begin(), some.end());
    }
    return {entries.rbegin(), entries.rend()};
}

std::string runSummary(const std::string& since, bool* failed) {
    std::string lines;
    bool anyFailed = false;
    const std::vector<HistoryEntry> entries = loadHistory();
    for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
        if (e->time < since) {
            continue;
        }
        anyFailed = anyFailed || isFailureInWords(e->outcome);
        lines += "\n" + e->table + ": " + e->outcome;
    }
    if (failed != nullptr) {
        *failed = anyFailed;
    }
    if (lines.empty()) {
        return {};
    }
    return (anyFailed ? "The batch transfer failed:" : "The batch transfer is done:") + lines;
}

}  // namespace vorn
