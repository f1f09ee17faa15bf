#pragma once
// A fresh temporary directory for one test, removed afterwards. With Enter it becomes the
// current directory until the object goes, and the old current directory comes back.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vorn::test {

class TempDir {
public:
    enum Mode { Stay, Enter };
    explicit TempDir(Mode mode = Stay) {
        std::string templ = (std::filesystem::temp_directory_path() / "vorn-test-XXXXXX").string();
        path_ = ::mkdtemp(templ.data());
        if (mode == Enter) {
            previous_ = std::filesystem::current_path();
            std::filesystem::current_path(path_);
        }
    }
    ~TempDir() {
        std::error_code ec;
        if (!previous_.empty()) {
            std::filesystem::current_path(previous_, ec);
        }
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The text blank-padded (or cut) to n characters, as a fixed-width record field.
inline std::string pad(std::string text, std::size_t n) {
    text.resize(n, ' ');
    return text;
}

// A short archive string: one length byte, then the text.
inline std::string lengthPrefixed(const std::string& text) {
    return std::string(1, static_cast<char>(text.size())) + text;
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace vorn::test
