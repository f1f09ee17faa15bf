#pragma once
// What every receive does before the scale's table replaces the PC's: when the answer holds no
// records, or fewer than half of those the PC holds, the user is asked first (the program), or
// an empty answer is refused unless allowed (vornctl, which never asks); then the table file as
// it was is kept in backup/ (tables/TableBackup.h). The single-table dialogs, the batch and the
// PLU transfers all call receiveMayReplace before they take an answer.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vorn {

// How a receive that would empty or shrink a table is decided.
enum class ShrinkingReceive {
    Ask,          // the program: the user is asked
    RefuseEmpty,  // vornctl: an empty answer keeps a non-empty table; a smaller one is taken
    AllowEmpty,   // vornctl --allow-empty: every answer is taken
};

// Installs the way (the program's is Ask); returns the previous one.
ShrinkingReceive installShrinkingReceive(ShrinkingReceive way);

// The table that a receive is about to replace.
struct ReplacedTable {
    std::string name;                 // what the user calls it ("Group", "this table")
    std::vector<std::string> files;   // its files in the scale directory
    std::optional<std::size_t> kept;  // records the PC holds; no value: not counted
    std::optional<std::size_t> received;
};

// True when a received table of this size would replace the kept one only after a question.
bool shrinksMuch(std::size_t kept, std::size_t received);

// Decides (asking, or telling why not) whether the receive may replace the table, and keeps the
// backup of its files when it may. False: nothing may be replaced; the user has been told why
// (the answer was declined or refused, or the backup could not be made), and the history's line
// of the receive says that it was not taken.
bool receiveMayReplace(const ReplacedTable& table);

// An answer that is not taken because it does not fit what was asked for: the user is told why,
// and the history's line of the receive says that it was not taken.
void refuseAnswer(const std::string& reason);

}  // namespace vorn
