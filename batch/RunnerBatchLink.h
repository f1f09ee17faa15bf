#pragma once
// A batch run without a window (vornctl, tests): every hand-over becomes one run of the engine
// through an EngineTransferRunner, taken at once, and the progress loop ticks the step machine
// in place of the dialog's timer. The same categories and step machine serve the dialog.
//
//     EngineTransferRunner runner(device);
//     RunnerBatchLink link(runner);
//     BatchRun run(batchCategories(), link, context);
//     link.attach(run);
//     link.onTransferDone([&](const TransferRequest&) { /* read trf.in */ });
//     runWithoutWindow(run, link, BatchDirection::Send, selection);

#include <functional>

#include "batch/BatchRun.h"
#include "comm/EngineTransferRunner.h"

namespace vorn {

class RunnerBatchLink : public BatchLink {
public:
    explicit RunnerBatchLink(EngineTransferRunner& runner) : runner_(runner) {}

    // The machine whose steps the progress loop takes.
    void attach(BatchRun& run) { run_ = &run; }
    // Called after every transfer, when trf.in holds its answers.
    void onTransferDone(std::function<void(const TransferRequest&)> done) {
        done_ = std::move(done);
    }
    // The serial port could not be opened: the run went no further.
    bool portFailed() const { return portFailed_; }

    bool isStepReady() const override { return stepReady_; }
    bool isBatchRunning() const override { return batchRunning_; }
    bool transferSucceeded() const override { return succeeded_; }
    void setBatchRunning() override;
    void setStepReady() override { stepReady_ = true; }
    void clearStepReady() override { stepReady_ = false; }
    void stop() override;

    // The scales that every transfer of the run serves (the engine's scale list); a reset keeps
    // them. Empty, as the dialog leaves it: scale 01.
    void setScaleList(std::string list) { scaleList_ = std::move(list); }

    void reset() override {
        request_ = TransferRequest{};
        request_.scaleList = scaleList_;
    }
    void setReceive(bool receive) override { request_.receive = receive; }
    void setRecordsPerItem(int records) override { request_.recordsPerItem = records; }
    void setKeyWidth(int width) override { request_.keyWidth = width; }
    void setAnswerFrameLimit(int frames) override { request_.answerFrameLimit = frames; }
    void setMessage(const std::string& text) override { request_.message = text; }

    // Transfers each trf.out handed over and takes the next step, until the run has ended or
    // the port could not be opened.
    void runProgress() override;

private:
    EngineTransferRunner& runner_;
    BatchRun* run_ = nullptr;
    std::function<void(const TransferRequest&)> done_;
    TransferRequest request_;
    std::string scaleList_;
    bool batchRunning_ = false;
    bool stepReady_ = false;
    bool stopped_ = false;
    bool succeeded_ = false;
    bool portFailed_ = false;
};

// Starts a run and takes its steps until it is over. False when the port could not be opened.
bool runWithoutWindow(BatchRun& run, RunnerBatchLink& link, BatchDirection direction,
                      const BatchSelection& selection);

}  // namespace vorn
