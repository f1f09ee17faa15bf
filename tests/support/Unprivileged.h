#pragma once
// Runs a check in a child process without root's privileges, so that file modes hold for it:
// as the user nobody when the tests run as root, else as the user running them. Returns the
// check's exit code, or -1 when the child could not run or drop its privileges.
//
//     const int failure = runUnprivileged([&] {
//         PosixSerialLine line;
//         line.open(device, {});
//         return static_cast<int>(line.lastOpenError().failure);
//     });
//
// The child is forked: use it only where the test process runs no other threads.

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

namespace vorn::test {

inline constexpr uid_t kNobody = 65534;
inline constexpr gid_t kNoGroup = 65534;

inline int runUnprivileged(const std::function<int()>& check) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) {
        return -1;
    }
    if (pid == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNoGroup) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(255);
        }
        const int code = check();
        std::fflush(nullptr);
        ::_exit(code);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) == 255) {
        return -1;
    }
    return WEXITSTATUS(status);
}

}  // namespace vorn::test
