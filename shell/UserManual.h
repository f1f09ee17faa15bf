#pragma once
// The user manual, an HTML page installed with the documentation (/usr/share/doc/vorn). It is
// found from the program's own directory by the same relative path in the build tree (the build
// copies it to build/share/doc/vorn beside build/bin) and in an installed tree.

#include <string>

namespace vorn {

inline constexpr const char* kUserManualFile = "manual.html";
inline constexpr const char* kUserManualMissingText = "The user manual was not found.";
inline constexpr const char* kUserManualNotOpenedText = "The user manual could not be opened.";

// Where the manual of the program in the given directory lies (whether or not it is there).
std::string userManualPath(const std::string& programDir);

}  // namespace vorn
