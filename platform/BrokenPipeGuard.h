#pragma once
// Keeps SIGPIPE away from the calling thread while it lives, for libraries that write to
// sockets without MSG_NOSIGNAL (gensio): a write to a connection that the other end has closed
// raises SIGPIPE, which would end the program, while the write's own error says the same.
// SIGPIPE is blocked for this thread alone, and one raised meanwhile is taken back before the
// thread's mask is restored: the process's signal handling stays as the program set it.
//
//     { const BrokenPipeGuard guard; gensio_write(...); }

#include <signal.h>

namespace vorn {

class BrokenPipeGuard {
public:
    BrokenPipeGuard();
    ~BrokenPipeGuard();
    BrokenPipeGuard(const BrokenPipeGuard&) = delete;
    BrokenPipeGuard& operator=(const BrokenPipeGuard&) = delete;

private:
    sigset_t previous_{};
    bool owner_ = false;  // false when nested in another guard or blocked by the program
};

}  // namespace vorn
