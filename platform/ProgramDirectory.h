#pragma once
// The directory of the running program, where comport.ini lies.

#include <string>

namespace vorn {

// The directory of /proc/self/exe, without a trailing separator (or the override).
std::string programDirectory();
// Tests and tools point the program directory elsewhere; an empty text removes the override.
void overrideProgramDirectory(const std::string& directory);

}  // namespace vorn
