#include "platform/ProgramDirectory.h"

#include <filesystem>
#include <system_error>

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

void overrideProgramDirectory(const std::string& directory) { override_() = directory; }

}  // namespace vorn
