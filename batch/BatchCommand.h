#pragma once
// The batch as a command runs it (vornctl send and receive): the same step machine and
// categories as the Communication dialog, without a window, with a verdict for each category.
//
// Sending, a category whose table file is missing is skipped; one whose file holds nothing to
// send (an empty table) is skipped too; one whose file could not be sent as it is (the user was
// told why) failed; otherwise the answers in trf.in decide: every line must be a success, since
// an error line of the engine means that the rest did not reach the scale. Receiving, the store
// step's outcome decides.
//
// Changed only: the PLU send leaves out every PLU that each addressed scale holds as it is, by
// the records of what the scales acknowledged (plu/AcknowledgedPlus.h); when nothing changed,
// nothing is sent and the category succeeds. Every PLU send and every PLU receive brings those
// records up to date, with or without this option.

#include <functional>
#include <string>
#include <vector>

#include "batch/BatchCategory.h"
#include "batch/BatchRun.h"
#include "comm/EngineTransferRunner.h"

namespace vorn {

struct BatchCommandOptions {
    BatchDirection direction = BatchDirection::Send;
    // The categories to run; they are taken in the order of the batch, whatever order this is.
    std::vector<const BatchCategory*> categories;
    // The scales to serve, two-digit numbers in order; empty: scale 01 (the engine's default).
    // A receive serves one scale.
    std::vector<std::string> scales;
    bool changedOnly = false;
    // The PC's clock for the clock category; the real one when null.
    Clock* clock = nullptr;
};

enum class CategoryVerdict { Succeeded, Failed, Skipped };

struct CategoryReport {
    std::string name;  // the category's command-line name
    CategoryVerdict verdict = CategoryVerdict::Failed;
    std::string detail;  // what happened, in words (UTF-8)
    int records = 0;     // records sent, or record lines received, when it succeeded
};

struct BatchCommandResult {
    bool portFailed = false;  // the serial port could not be opened: the run went no further
    std::vector<CategoryReport> reports;  // one per category asked for, in batch order
    bool anyFailed() const;
};

// The engine's scale list of the numbers: 14-character entries, blank names.
std::string scaleListOf(const std::vector<std::string>& scales);

// Runs the batch; say gets one line of progress per event ("group: sending ...", the verdict).
BatchCommandResult runBatchCommand(EngineTransferRunner& runner, const BatchCommandOptions& options,
                                   const std::function<void(const std::string&)>& say);

}  // namespace vorn
