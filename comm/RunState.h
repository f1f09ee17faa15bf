#pragma once
// The run state of the one transfer that can run at a time, shared by the progress dialog, the
// worker and the batch dialog. Flags and counters are atomics with one writer at a time in the
// handshake; the scale list is a string and sits behind a lock. A worker waiting between batch
// passes sleeps on a condition variable that the writers of its flags wake.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

namespace vorn {

struct RunState {
    std::atomic<int> stop{0};
    std::atomic<bool> batchRunning{false};
    std::atomic<bool> stepReady{false};          // the last pass is over, no new one requested
    std::atomic<bool> transferSucceeded{false};  // false: the last pass was broken off
    std::atomic<bool> timeout{false};            // the last single-byte read gave no byte
    std::atomic<bool> unacknowledged{false};     // the scale has not acknowledged a frame yet
    std::atomic<int> lastError{0};               // 0, 206, 207 or 210
    std::atomic<int> scaleNumber{0};
    std::atomic<int> itemKey{0};
    std::atomic<int> answerCount{0};
    std::atomic<bool> scaleListGiven{false};
    // Run copies of the dialog's settings.
    std::atomic<bool> quiet{false};
    std::atomic<int> keyWidth{0};
    std::atomic<int> answerFrameLimit{0};  // most frames of one answer; 0: the engine's bound

    void setScaleList(const std::string& list);
    std::string scaleList() const;

    // The batch dialog's and Cancel's writes: they also wake a waiting worker.
    void requestNextPass();  // clears the step-ready flag
    void setStepReady();
    void requestStop();  // sets the stop flag
    void setBatchRunning(bool on);
    // Wakes a waiting worker after another flag change.
    void wake();
    // Blocks until done() is true; rechecks at least every second in case a flag was written
    // without a wake.
    template <class Predicate>
    void waitUntil(Predicate done) {
        std::unique_lock lock(mutex_);
        while (!done()) {
            changed_.wait_for(lock, std::chrono::seconds(1));
        }
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::string scaleList_;
};

// The process's run state.
RunState& runState();

}  // namespace vorn
