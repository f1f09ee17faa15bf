#include "platform/ProgramDirectory.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace vorn {

namespace {
std::string& override_() {
    static std::string dir;
    return dir;
}
}  // namespace

std::string programDirectory() {
    if (!override_().empty()) {
        return override_();
    }
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return ".";
    }
    return exe.parent_path().string();
}

void overrideProgramDirectory(const std::string& directory) {
    override_() = directory;
}

namespace {
std::string homeDirectory() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return home;
    }
    std::vector<char> buffer(16384);
    passwd pw{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &pw, buffer.data(), buffer.size(), &found) == 0 && found) {
        return found->pw_dir;
    }
    return ".";
}
}  // namespace

std::string userConfigDirectory() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        return std::string(config) + "/vorn";
    }
    return homeDirectory() + "/.config/vorn";
}

}  // namespace vorn
