#pragma once
// The history of transfers in the scale directory: one line per table and scale for every send
// and receive, whichever program ran it (the engine writes it when a pass ends), in history.log.
// A line is five fields separated by TAB: the local date and time ("2026-12-08 21:30:05"), the
// direction ("send", "receive", "delete"), the table, the records, and the outcome in words.
// When the file passes kRotateBytes it becomes history.1.log (replacing an older one) and a new
// one begins, so the history never holds more than about twice that.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"

namespace vorn {

namespace history {
inline constexpr const char* kFile = "history.log";
inline constexpr const char* kOldFile = "history.1.log";
inline constexpr std::size_t kRotateBytes = 256 * 1024;
inline constexpr std::size_t kFields = 5;
}  // namespace history

struct HistoryEntry {
    std::string time;
    std::string direction;
    std::string table;
    int records = 0;
    std::string outcome;
    bool operator==(const HistoryEntry&) const = default;
};

// "2026-12-08 21:30:05".
std::string historyTime(const LocalDateTime& t);

// The line of an entry, without its line end; a TAB or line end inside a field becomes a blank.
std::string historyLine(const HistoryEntry& entry);
// The entry of a line (a CR at its end allowed, none elsewhere); no value for anything else.
std::optional<HistoryEntry> parseHistoryLine(std::string_view line);
// The entries of a file's bytes, in file order; lines that are no entry are passed over.
std::vector<HistoryEntry> parseHistory(std::string_view bytes);

// Appends the entry to history.log in the directory (empty: the current one), rotating first
// when the file has grown past rotateBytes. False when it could not be written.
bool appendHistory(const HistoryEntry& entry, const std::string& directory = {},
                   std::size_t rotateBytes = history::kRotateBytes);

// The receive that the last line of history.log in the directory tells of was not taken into
// the table: its outcome goes on with the reason (notTakenInWords). The engine writes the line
// when the transfer ends, before the program decides whether to take the answer. False when
// the last line is no receive or the file could not be rewritten.
bool markReceiveNotTaken(const std::string& reason, const std::string& directory = {});

// Every entry of history.log and history.1.log in the current directory, newest first.
std::vector<HistoryEntry> loadHistory();

// What a run that began at the time (historyTime) did, from the history: a first line that says
// whether every transfer succeeded, then one line per transfer, oldest first ("Group: 2 records
// sent to scale 01"). *failed tells whether any failed. Empty when the run moved nothing.
std::string runSummary(const std::string& since, bool* failed = nullptr);

}  // namespace vorn
