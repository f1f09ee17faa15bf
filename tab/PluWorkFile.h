#pragma once
// plurec.dat of the current directory as the spreadsheet program works on it: read once into a
// list, with the file's identity when read (its inode, size and time of change), so that saving
// can tell whether another program (the PLU list, which writes the file before it starts this
// one, always as a new file) has written it meanwhile.

#include <cstddef>
#include <optional>
#include <string>

#include "plu/PluFile.h"
#include "plu/PluList.h"
#include "tables/TableFiles.h"

namespace vorn {

class PluWorkFile {
public:
    // Reads the file. The problem (UTF-8) when it is not a PLU file, which then loads nothing;
    // a missing file is an empty list.
    std::string read();

    const PluList& list() const { return list_; }
    PluList& list() { return list_; }
    bool exists() const { return fingerprint_.has_value(); }
    // Pairs of the wrong length in the file; they are kept as they are.
    std::size_t damaged() const { return damaged_; }

    // True when the file on disk is no longer the one read or saved last.
    bool changedOnDisk() const;
    // Writes the list to plurec.dat safely (the old file stays when this fails).
    FileProblem save();

private:
    PluList list_;
    std::optional<FileIdentity> fingerprint_;  // none: there was no file
    std::size_t damaged_ = 0;
};

}  // namespace vorn
