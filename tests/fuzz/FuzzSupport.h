#pragma once
// Helpers of the fuzz harnesses: a scratch directory made current once per process, a prompter
// that shows nothing, a reader that takes an input apart from the front, and the check that
// stops the run when a property does not hold.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/Prompter.h"

namespace vorn::fuzz {

// A property that must hold; a broken one stops the fuzzer with the input that broke it.
inline void require(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

// A fresh directory, current for the rest of the process and removed at its end. It lies on a
// memory file system where there is one, so that the saves of a harness cost no disk writes.
class ScratchDirectory {
public:
    ScratchDirectory() {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec) || ::access(base.c_str(), W_OK) != 0) {
            base = std::filesystem::temp_directory_path();
        }
        std::string templ = (base / "vorn-fuzz-XXXXXX").string();
        if (::mkdtemp(templ.data()) == nullptr || ::chdir(templ.c_str()) != 0) {
            std::abort();
        }
        path_ = templ;
    }
    ~ScratchDirectory() {
        std::error_code ec;
        std::filesystem::current_path("/", ec);
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

private:
    std::filesystem::path path_;
};

inline void enterScratchDirectory() {
    static ScratchDirectory directory;
}

// Answers every prompt with OK and shows nothing.
class SilentPrompter : public Prompter {
public:
    PromptAnswer ask(const Prompt&) override { return PromptAnswer::Ok; }
};

inline void silencePrompts() {
    static SilentPrompter silent;
    static Prompter* const previous = installPrompter(&silent);
    (void)previous;
}

inline void writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Takes an input apart from the front; once it runs out, bytes are 0 and texts empty.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    bool empty() const { return rest_.empty(); }
    std::uint8_t byte() {
        if (rest_.empty()) {
            return 0;
        }
        const auto b = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    // A number from low to high from one byte.
    int number(int low, int high) { return low + byte() % (high - low + 1); }
    std::string bytes(std::size_t n) {
        const std::string_view taken = rest_.substr(0, std::min(n, rest_.size()));
        rest_.remove_prefix(taken.size());
        return std::string(taken);
    }
    std::string rest() { return bytes(rest_.size()); }

private:
    std::string_view rest_;
};

}  // namespace vorn::fuzz
