#include "batch/RunnerBatchLink.h"

namespace vorn {

void RunnerBatchLink::setBatchRunning() {
    batchRunning_ = true;
    stopped_ = false;
    portFailed_ = false;
}

void RunnerBatchLink::stop() {
    batchRunning_ = false;
    stopped_ = true;
}

void RunnerBatchLink::runProgress() {
    while (batchRunning_ && !stopped_) {
        if (stepReady_) {
            if (run_ == nullptr) {
                return;
            }
            run_->tick();
            continue;
        }
        runner_.run(request_);
        // Without a window nobody cancels: a run that the engine ended early had nothing to
        // send, which counts as a finished transfer.
        if (runner_.lastOutcome() == EngineTransferRunner::Outcome::PortFailed) {
            portFailed_ = true;
            succeeded_ = false;
            return;
        }
        succeeded_ = true;
        stepReady_ = true;
        if (done_) {
            done_(request_);
        }
    }
}

bool runWithoutWindow(BatchRun& run, RunnerBatchLink& link, BatchDirection direction,
                      const BatchSelection& selection) {
    link.attach(run);
    run.start(direction, selection);
    while (link.isBatchRunning() && link.isStepReady()) {
        run.tick();
    }
    return !link.portFailed();
}

}  // namespace vorn
