#pragma once
// Saving a file so that it is always either the complete old or the complete new content: the
// bytes go to a hidden temporary beside it (".<name>.XXXXXX"), which is synced and renamed over
// the file. The save holds an exclusive lock (flock) on its temporary from before it writes
// until after the rename. A save that was killed, or whose machine lost power, leaves an
// unlocked temporary behind; the next save of the same file removes every such leftover, but
// never one that is locked, which a running save still owns.

#include <cstdio>
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

// The same save for a file written piece by piece (the answers and logs of a transfer): the
// pieces go to the locked temporary, and commit puts it in place of the file. Until then the
// old file stays as it was; a save that is never committed leaves no trace.
class StreamedSave {
public:
    StreamedSave() = default;
    ~StreamedSave() { discard(); }
    StreamedSave(const StreamedSave&) = delete;
    StreamedSave& operator=(const StreamedSave&) = delete;

    // Starts the save of path; the problem names the file when its temporary cannot be made.
    FileProblem open(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }
    // Adds bytes (buffered); false once any write has failed.
    bool write(std::string_view bytes);
    // The first failure so far, naming the file and the reason; empty while all went well.
    const FileProblem& problem() const { return problem_; }
    // Syncs the bytes and renames the temporary over the file; on a failure (also an earlier
    // one) the temporary is removed and the problem is returned.
    FileProblem commit();
    // Drops the temporary; the old file stays.
    void discard();

private:
    void fail(int error);
    std::string path_;
    std::string temp_;
    std::FILE* file_ = nullptr;
    FileProblem problem_;
};

}  // namespace vorn
