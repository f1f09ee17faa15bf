#pragma once
// The threads of the test process, from /proc: a test can tell that a run left none behind.

#include <dirent.h>

#include <chrono>
#include <thread>

namespace vorn::test {

inline int threadsOfThisProcess() {
    int threads = 0;
    if (DIR* dir = ::opendir("/proc/self/task")) {
        while (const dirent* entry = ::readdir(dir)) {
            threads += entry->d_name[0] != '.' ? 1 : 0;
        }
        ::closedir(dir);
    }
    return threads;
}

// True once the process is down to the threads it had: a joined thread may still be listed for
// a moment while the system takes it down.
inline bool threadsSettleAt(int threads) {
    for (int i = 0; i < 200; ++i) {
        if (threadsOfThisProcess() == threads) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

}  // namespace vorn::test
