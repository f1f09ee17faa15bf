#include "comm/RunState.h"

namespace vorn {

void RunState::setScaleList(const std::string& list) {
    std::lock_guard lock(mutex_);
    scaleList_ = list;
}

std::string RunState::scaleList() const {
    std::lock_guard lock(mutex_);
    return scaleList_;
}

void RunState::requestNextPass() {
    stepReady = false;
    wake();
}

void RunState::setStepReady() {
    stepReady = true;
    wake();
}

void RunState::requestStop() {
    stop = 1;
    wake();
}

void RunState::setBatchRunning(bool on) {
    batchRunning = on;
    wake();
}

void RunState::wake() {
    // Taking the lock orders the flag write before a waiter's next check of it.
    { std::lock_guard lock(mutex_); }
    changed_.notify_all();
}

RunState& runState() {
    static RunState state;
    return state;
}

}  // namespace vorn
