#pragma once
// The backup of a table file that a receive replaces: before the scale's table takes the place
// of the PC's, the file as it was is copied into backup/ of the scale directory, under its own
// name. One generation a table: the next receive of the same table replaces its backup.

#include <string>
#include <vector>

#include "tables/TableFiles.h"

namespace vorn {

namespace tablebackup {
inline constexpr const char* kDirectory = "backup";
}  // namespace tablebackup

// backup/<file>, relative to the scale directory.
std::string backupPathOf(const std::string& file);

// Copies each of the files that exists into backup/ (made when missing); a file that is not
// there has nothing to keep. The problem names the file that could not be kept.
FileProblem keepBackup(const std::vector<std::string>& files);

bool hasBackup(const std::string& file);

// Puts the backup of the file back in its place (the backup stays); the problem names the file.
FileProblem restoreBackup(const std::string& file);

}  // namespace vorn
