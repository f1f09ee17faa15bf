#pragma once
// Transfers in the user's words: the table a record line belongs to (by its table code), what an
// error line of the engine means, and how a transfer to or from one scale ended. The result
// messages, the transfer history and vornctl say it in these words.

#include <string>
#include <string_view>

namespace vorn {

// "Group", "PLU", ...: the table of a record line's table code; "table NN" for a code we do not
// name.
std::string tableNameOfLine(std::string_view line);

// What an error line of the engine ("02206", "02210 ...") means; empty for any other line.
std::string errorLineInWords(std::string_view line);

// How the transfer of one table to or from one scale ended, as the engine saw it.
struct ScaleTransfer {
    enum class Direction { Send, Receive, Delete };
    Direction direction = Direction::Send;
    std::string table;     // tableNameOfLine of its first line
    std::string scale;     // two digits; empty: not known
    int lines = 0;         // the lines of trf.out that go out
    int linesDone = 0;     // the lines the scale took (sent) or answered (requests)
    int records = 0;       // records received
    std::string failure;   // the error line that ended it; empty when none
    bool stopped = false;  // the user (or the program) stopped it
};

ScaleTransfer::Direction directionOfLine(std::string_view line);
const char* directionWord(ScaleTransfer::Direction direction);

// "3 records sent to scale 01", "12 records received from scale 01", or what failed and which
// records reached the scale ("2 of 5 records reached scale 01; then the scale refused a record
// (02210)").
std::string outcomeInWords(const ScaleTransfer& transfer);
bool succeeded(const ScaleTransfer& transfer);
// The outcome of a receive whose answer was then not taken into the table, with the reason:
// "5 records received from scale 01; not taken: the user kept the PC's records".
std::string notTakenInWords(const std::string& outcome, const std::string& reason);
// An outcome in words (outcomeInWords) of a transfer that failed or was stopped, or of a
// receive whose answer was not taken.
bool isFailureInWords(const std::string& outcome);

}  // namespace vorn
