#pragma once
// The step machine of a batch run. A run takes, one step per tick, every ticked category's send
// step (PC to scale), or its request step and then its store step (scale to PC), and ends with
// the end step. The ticks come from the batch dialog's one-second timer, or from a window-less
// driver; the machine only looks at the shared flags of the transfer side, through BatchLink.
//
// A step that starts a transfer hands its trf.out over to the progress dialog: the first such
// step of a run opens the dialog, which stays open for the whole run (later steps come as ticks
// inside its modal run); every later one finds the dialog open and only clears the step-ready
// flag, whereupon the waiting worker transfers the new trf.out.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "batch/BatchCategory.h"
#include "batch/BatchSelection.h"

namespace vorn {

// What the step machine needs of the progress dialog and its worker: the shared flags and the
// dialog's per-transfer settings, as the progress dialog's batch operations provide them.
class BatchLink {
public:
    virtual ~BatchLink() = default;

    virtual bool isStepReady() const = 0;
    virtual bool isBatchRunning() const = 0;
    virtual bool transferSucceeded() const = 0;
    virtual void setBatchRunning() = 0;
    virtual void setStepReady() = 0;
    virtual void clearStepReady() = 0;  // a waiting worker starts its next pass
    virtual void stop() = 0;            // clears the batch-running flag, sets the stop flag

    // The settings of the next transfer: reset to the defaults (and passed to the worker at
    // once), then the direction, records per item, key width, answer frame limit and message text.
    virtual void reset() = 0;
    virtual void setReceive(bool receive) = 0;
    virtual void setRecordsPerItem(int records) = 0;
    virtual void setKeyWidth(int width) = 0;
    virtual void setAnswerFrameLimit(int frames) = 0;
    virtual void setMessage(const std::string& text) = 0;

    // Runs the progress dialog modally; returns when it has closed.
    virtual void runProgress() = 0;
};

enum class BatchDirection { Send, Receive };

struct BatchStep {
    enum Kind { Send, Request, Store, End };
    Kind kind = End;
    std::size_t category = 0;  // index into the categories; not used by the end step
};

// The steps of a direction, numbered from 1: send, one send step per category; receive, a
// request and a store step per category that is read back; the end step last.
std::vector<BatchStep> batchSteps(const std::vector<BatchCategory>& categories,
                                  BatchDirection direction);

// A step that was performed, as a driver may report it.
struct StepReport {
    const BatchCategory* category = nullptr;  // nullptr for the end step
    BatchStep::Kind kind = BatchStep::End;
    bool transferStarted = false;                  // send and request steps
    StoreOutcome stored = StoreOutcome::NoAnswer;  // store steps
};

class BatchRun {
public:
    BatchRun(std::vector<BatchCategory> categories, BatchLink& link, BatchContext context);

    // "PC->Scale(&P)" and "Scale->PC(&S)": continue flag 1, the direction, step 1, the
    // batch-running and step-ready flags set. The run's first step waits for the next tick.
    void start(BatchDirection direction, const BatchSelection& selection);
    // The timer tick: takes the next step whose condition holds, skipping the others at once,
    // when the last step's transfer is over and a run is under way.
    void tick();

    // Called after each performed step (before a first transfer opens the progress dialog).
    void setObserver(std::function<void(const StepReport&)> observer) {
        observer_ = std::move(observer);
    }

    const std::vector<BatchCategory>& categories() const { return categories_; }
    BatchDirection direction() const { return direction_; }
    // The next step to consider, 1 upwards; 0 when no run is under way.
    int stepNumber() const { return step_; }
    bool continues() const { return continue_; }
    // The dialog-open guard: the progress dialog is being run by a step.
    bool progressOpen() const { return progressOpen_; }

private:
    bool conditionHolds(const BatchStep& step) const;
    void perform(const BatchStep& step);
    void end();
    void handOver(const TransferSettings& settings, bool receive, const std::string& message);

    std::vector<BatchCategory> categories_;
    std::vector<BatchStep> sendSteps_;
    std::vector<BatchStep> receiveSteps_;
    BatchLink& link_;
    BatchContext context_;
    std::function<void(const StepReport&)> observer_;

    BatchSelection selection_;
    BatchDirection direction_ = BatchDirection::Send;
    int step_ = 0;
    bool continue_ = false;
    bool progressOpen_ = false;
    // A step is being performed outside the progress dialog's run (a store step's message box
    // is open, say): ticks wait for it.
    bool inStep_ = false;
};

}  // namespace vorn
