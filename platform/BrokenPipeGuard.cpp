#include "platform/BrokenPipeGuard.h"

#include <pthread.h>

#include <ctime>

namespace vorn {

namespace {

sigset_t brokenPipe() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGPIPE);
    return set;
}

bool brokenPipePending() {
    sigset_t set;
    return sigpending(&set) == 0 && sigismember(&set, SIGPIPE) == 1;
}

}  // namespace

BrokenPipeGuard::BrokenPipeGuard() {
    const sigset_t pipe = brokenPipe();
    pthread_sigmask(SIG_BLOCK, &pipe, &previous_);
    owner_ = sigismember(&previous_, SIGPIPE) == 0 && !brokenPipePending();
}

BrokenPipeGuard::~BrokenPipeGuard() {
    if (owner_ && brokenPipePending()) {
        const sigset_t pipe = brokenPipe();
        const timespec none{};
        sigtimedwait(&pipe, nullptr, &none);
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

}  // namespace vorn
