#pragma once
// The two directories of the program's own settings (comport.ini): the directory of the running
// program, and the user's configuration directory.

#include <string>

namespace vorn {

// The directory of /proc/self/exe, without a trailing separator (or the override).
std::string programDirectory();
// Tests and tools point the program directory elsewhere; an empty text removes the override.
void overrideProgramDirectory(const std::string& directory);

// $XDG_CONFIG_HOME/vorn, or ~/.config/vorn when that is not set (or not an absolute path).
std::string userConfigDirectory();

}  // namespace vorn
