#include "batch/BatchRun.h"

namespace vorn {

std::vector<BatchStep> batchSteps(const std::vector<BatchCategory>& categories,
                                  BatchDirection direction) {
    std::vector<BatchStep> steps;
    for (std::size_t i = 0; i < categories.size(); ++i) {
        if (direction == BatchDirection::Send) {
            steps.push_back({BatchStep::Send, i});
        } else if (categories[i].readBack) {
            steps.push_back({BatchStep::Request, i});
            steps.push_back({BatchStep::Store, i});
        }
    }
    steps.push_back({BatchStep::End, 0});
    return steps;
}

BatchRun::BatchRun(std::vector<BatchCategory> categories, BatchLink& link, BatchContext context)
    : categories_(std::move(categories)),
      sendSteps_(batchSteps(categories_, BatchDirection::Send)),
      receiveSteps_(batchSteps(categories_, BatchDirection::Receive)),
      link_(link),
      context_(std::move(context)) {}

void BatchRun::start(BatchDirection direction, const BatchSelection& selection) {
    selection_ = selection;
    continue_ = true;
    direction_ = direction;
    step_ = 1;
    link_.setBatchRunning();
    link_.setStepReady();
}

void BatchRun::tick() {
    if (inStep_ || !link_.isStepReady() || !link_.isBatchRunning()) {
        return;
    }
    const std::vector<BatchStep>& steps =
        direction_ == BatchDirection::Send ? sendSteps_ : receiveSteps_;
    while (step_ >= 1 && static_cast<std::size_t>(step_) <= steps.size()) {
        const BatchStep step = steps[static_cast<std::size_t>(step_ - 1)];
        ++step_;
        if (step.kind == BatchStep::End) {
            end();
            return;
        }
        if (conditionHolds(step)) {
            perform(step);
            return;
        }
    }
}

bool BatchRun::conditionHolds(const BatchStep& step) const {
    if (!selection_.ticked(categories_[step.category].slot)) {
        return false;
    }
    if (step.kind == BatchStep::Store) {
        return link_.transferSucceeded();
    }
    return continue_;
}

void BatchRun::perform(const BatchStep& step) {
    const BatchCategory& category = categories_[step.category];
    StepReport report{&category, step.kind};
    inStep_ = true;
    std::optional<TransferSettings> transfer;
    switch (step.kind) {
        case BatchStep::Send:
            transfer = category.send ? category.send(context_) : std::nullopt;
            break;
        case BatchStep::Request:
            transfer = category.request ? category.request(context_) : std::nullopt;
            break;
        case BatchStep::Store:
            report.stored =
                category.store ? category.store(context_, category) : StoreOutcome::NoAnswer;
            if (report.stored == StoreOutcome::ErrorAnswer && category.errorStopsRun) {
                continue_ = false;
            }
            break;
        case BatchStep::End:
            break;
    }
    inStep_ = false;
    report.transferStarted = transfer.has_value();
    if (transfer) {
        const bool receive = step.kind == BatchStep::Request;
        handOver(*transfer, receive, receive ? category.requestMessage : category.sendMessage);
    }
    if (observer_) {
        observer_(report);
    }
    // The first transfer of the run opens the progress dialog, which stays open until the run
    // has ended; the later steps are ticks inside its modal run.
    if (transfer && !progressOpen_) {
        progressOpen_ = true;
        link_.runProgress();
        progressOpen_ = false;
    }
}

void BatchRun::handOver(const TransferSettings& settings, bool receive,
                        const std::string& message) {
    link_.reset();
    link_.setReceive(receive);
    link_.setRecordsPerItem(settings.recordsPerItem);
    link_.setKeyWidth(settings.keyWidth);
    link_.setAnswerFrameLimit(settings.answerFrameLimit);
    link_.setMessage(message);
    link_.clearStepReady();
}

void BatchRun::end() {
    step_ = 0;
    link_.stop();
    if (observer_) {
        observer_(StepReport{});
    }
}

}  // namespace vorn
