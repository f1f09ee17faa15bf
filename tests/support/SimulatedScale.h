#pragma once
// A vornsim scale for end-to-end tests: starts $VORN_BUILD_DIR/bin/vornsim on a pseudo-terminal
// linked in a temporary directory, waits for the link, and stops the simulator when it goes.
//
//     vorn::test::SimulatedScale scale;                // or scale({"--busy", "2"})
//     vorn::EngineTransferRunner runner(scale.device());
//     vorn::installTransferRunner(&runner);
//     ... run an editor's transfer ...
//     vorn::installTransferRunner(nullptr);

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "comm/EngineTransferRunner.h"

extern char** environ;

namespace vorn::test {

// The directory of the built programs.
inline std::string programPath(const std::string& name) {
    const char* build = std::getenv("VORN_BUILD_DIR");
    return std::string(build != nullptr ? build : ".") + "/bin/" + name;
}

// Runs a program to its end; returns its exit code (-1 when it could not run or was killed).
// With stderrFile, the program's stderr goes there.
inline int runProgram(const std::string& path, const std::vector<std::string>& args,
                      const std::string& stderrFile = {}) {
    std::vector<std::string> all = {path};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!stderrFile.empty()) {
        posix_spawn_file_actions_addopen(&actions, 2, stderrFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

class SimulatedScale {
public:
    explicit SimulatedScale(std::vector<std::string> extraArgs = {}) {
        std::string templ =
            (std::filesystem::temp_directory_path() / "vornsim-test-XXXXXX").string();
        dir_ = ::mkdtemp(templ.data());
        link_ = dir_ + "/scale.tty";
        std::vector<std::string> all = {programPath("vornsim"), "--link", link_};
        all.insert(all.end(), extraArgs.begin(), extraArgs.end());
        std::vector<char*> argv;
        for (auto& a : all) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, all[0].c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
            return;
        }
        for (int i = 0; i < 500 && !std::filesystem::exists(link_); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ~SimulatedScale() {
        stop();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    SimulatedScale(const SimulatedScale&) = delete;
    SimulatedScale& operator=(const SimulatedScale&) = delete;

    // The device to open, e.g. for EngineTransferRunner or vornctl --device.
    const std::string& device() const { return link_; }
    // A scratch directory that lives as long as the scale (e.g. for --dump).
    const std::string& directory() const { return dir_; }
    bool ready() const { return pid_ > 0 && std::filesystem::exists(link_); }

    // A runner of the real engine on this scale.
    std::unique_ptr<EngineTransferRunner> runner() const {
        return std::make_unique<EngineTransferRunner>(link_);
    }

    // The scale vanishes at once, as a device pulled out: the simulator is killed and its end
    // of the line closes.
    void vanish() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

    // Stops the simulator (it writes its --dump tables) and returns its exit code.
    int stop() {
        if (pid_ <= 0) {
            return exitCode_;
        }
        ::kill(pid_, SIGTERM);
        int status = 0;
        if (waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status)) {
            exitCode_ = WEXITSTATUS(status);
        }
        pid_ = -1;
        return exitCode_;
    }

private:
    pid_t pid_ = -1;
    int exitCode_ = -1;
    std::string dir_;
    std::string link_;
};

}  // namespace vorn::test
