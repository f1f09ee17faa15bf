#include "comm/EngineTransferRunner.h"

#include <condition_variable>
#include <mutex>

#include "comm/RunState.h"
#include "comm/TransferProgress.h"

namespace vorn {

namespace {

class WaitingEvents : public TransferEvents {
public:
    WaitingEvents(const TransferRequest& request, const EngineTransferRunner::ProgressCallback& cb)
        : request_(request), callback_(cb) {}

    void finished(bool stopped) override {
        end(stopped ? EngineTransferRunner::Outcome::Stopped
                    : EngineTransferRunner::Outcome::Finished);
    }
    void portFailed() override { end(EngineTransferRunner::Outcome::PortFailed); }
    void progress(int scaleNumber, const std::string& scaleName, int answerCount) override {
        if (!request_.quiet) {
            itemsSent_ = itemsSentText(answerCount, request_.recordsPerItem, itemsSent_);
        }
        if (callback_) {
            callback_(TransferProgress{scaleNumber, scaleName, answerCount, itemsSent_});
        }
    }

    // Waits for the end of the run; stops it once the limit (if any) has passed.
    EngineTransferRunner::Outcome wait(std::chrono::milliseconds limit, bool& limitReached) {
        std::unique_lock lock(mutex_);
        const auto over = [&] { return outcome_ != EngineTransferRunner::Outcome::None; };
        limitReached = limit.count() > 0 && !ended_.wait_for(lock, limit, over);
        if (limitReached) {
            runState().requestStop();
        }
        ended_.wait(lock, over);
        return outcome_;
    }

private:
    void end(EngineTransferRunner::Outcome outcome) {
        std::lock_guard lock(mutex_);
        outcome_ = outcome;
        ended_.notify_all();
    }

    const TransferRequest& request_;
    const EngineTransferRunner::ProgressCallback& callback_;
    std::string itemsSent_;
    std::mutex mutex_;
    std::condition_variable ended_;
    EngineTransferRunner::Outcome outcome_ = EngineTransferRunner::Outcome::None;
};

}  // namespace

void prepareRunState(const TransferRequest& request) {
    RunState& state = runState();
    state.batchRunning = false;
    state.timeout = false;
    state.setScaleList(request.scaleList);
    state.quiet = request.quiet;
    state.keyWidth = request.keyWidth;
    state.answerFrameLimit = request.answerFrameLimit;
}

EngineTransferRunner::EngineTransferRunner(std::string device, ProgressCallback progress)
    : ownLine_(makeSerialLine()), progress_(std::move(progress)) {
    env_.line = ownLine_.get();
    env_.device = std::move(device);
}

EngineTransferRunner::EngineTransferRunner(EngineEnvironment env, ProgressCallback progress)
    : env_(std::move(env)), progress_(std::move(progress)) {
    if (env_.line == nullptr) {
        ownLine_ = makeSerialLine();
        env_.line = ownLine_.get();
    }
}

EngineTransferRunner::~EngineTransferRunner() = default;

void EngineTransferRunner::run(const TransferRequest& request) {
    prepareRunState(request);
    WaitingEvents events(request, progress_);
    TransferWorker worker;
    worker.start(env_, events);
    outcome_ = events.wait(timeLimit_, timeLimitReached_);
    worker.join();
}

}  // namespace vorn
