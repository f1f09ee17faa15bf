#pragma once
// The one-line text files of the scale directory (Mode.dat, the default-label files, label
// layout files): read the first line, write lines with CR LF, as the Windows program writes them.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/TableFiles.h"

namespace vorn {

// The first line of a text without its line end (LF or CR LF), at most maxLength characters of it.
std::string firstLineOfText(std::string_view bytes, std::size_t maxLength);

// The first line of a text file as firstLineOfText takes it; no value when the file cannot be
// opened. No more of the file is read than such a line can take.
std::optional<std::string> readFirstLine(const std::string& path, std::size_t maxLength);

// The lines of a text without their line ends (LF or CR LF); a last line without one counts.
std::vector<std::string> splitTextLines(std::string_view bytes);

// The lines of a text file as splitTextLines takes them; no value when it cannot be opened.
std::optional<std::vector<std::string>> readTextLines(const std::string& path);

// Writes the lines, each ended by CR LF, to a temporary file that is renamed over path; a
// problem naming the file when it cannot be written.
FileProblem writeTextLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace vorn
