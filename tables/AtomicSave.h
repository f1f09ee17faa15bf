#pragma once
// Saving a file so that it is always either the complete old or the complete new content: the
// bytes go to a hidden temporary beside it (".<name>.XXXXXX"), which is synced and renamed over
// the file. The save holds an exclusive lock (flock) on its temporary from before it writes
// until after the rename. A save that was killed, or whose machine lost power, leaves an
// unlocked temporary behind; the next save of the same file removes every such leftover, but
// never one that is locked, which a running save still owns.

#include <string>
#include <string_view>

#include "tables/TableFiles.h"

namespace vorn {

// Writes the bytes to a temporary file in the same directory and renames it over path; on any
// failure the old file stays and the problem names the file.
FileProblem writeFileAtomically(const std::string& path, std::string_view bytes);

// Removes the temporaries that interrupted saves of path left, skipping those a running save
// holds locked. Returns how many were removed.
int removeStaleTemporaries(const std::string& path);

// True when name is the name of a temporary of a save of the file fileName.
bool isTemporaryOf(std::string_view name, std::string_view fileName);

}  // namespace vorn
