#pragma once
// A TransferRunner without a window: runs the engine on its worker thread and waits for the end
// of the run. vornctl uses it, and so do end-to-end tests against vornsim:
//     vorn::test::SimulatedScale scale;
//     vorn::EngineTransferRunner runner(scale.device());
//     vorn::installTransferRunner(&runner);

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "comm/Engine.h"
#include "comm/TransferRunner.h"

namespace vorn {

struct TransferProgress {
    int scaleNumber = 0;
    std::string scaleName;
    int answerCount = 0;
    std::string itemsSentText;  // as the progress dialog would show it
};

class EngineTransferRunner : public TransferRunner {
public:
    using ProgressCallback = std::function<void(const TransferProgress&)>;

    // The real serial line and clock; device overrides the port that comport.ini names.
    explicit EngineTransferRunner(std::string device = {}, ProgressCallback progress = {});
    // Any line and clock (tests: a scripted scale in virtual time).
    EngineTransferRunner(EngineEnvironment env, ProgressCallback progress = {});
    ~EngineTransferRunner() override;

    void run(const TransferRequest& request) override;

    // A run that has not ended after this long is stopped as Cancel stops it; zero: no limit.
    void setTimeLimit(std::chrono::milliseconds limit) { timeLimit_ = limit; }

    // How the last run ended.
    enum class Outcome { None, Finished, Stopped, PortFailed };
    Outcome lastOutcome() const { return outcome_; }
    // Whether the time limit stopped the last run.
    bool timeLimitReached() const { return timeLimitReached_; }
    // Why the line stopped working in the last run (a dropped connection); empty when it did not.
    std::string lineFailure() const { return env_.line->failureText(); }

private:
    std::unique_ptr<SerialLine> ownLine_;
    EngineEnvironment env_;
    ProgressCallback progress_;
    Outcome outcome_ = Outcome::None;
    std::chrono::milliseconds timeLimit_{0};
    bool timeLimitReached_ = false;
};

// The run state as a fresh progress dialog sets it up for a request.
void prepareRunState(const TransferRequest& request);

}  // namespace vorn
