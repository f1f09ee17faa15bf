#include "cli/Commands.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "batch/BatchCategories.h"
#include "batch/BatchCommand.h"
#include "batch/KnownNumbersReader.h"
#include "cli/Report.h"
#include "comm/ComPortSettings.h"
#include "comm/EngineTransferRunner.h"
#include "comm/ReceiveGuard.h"
#include "comm/TransferHistory.h"
#include "editors/setup/LabelFile.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"

namespace vornctl {

namespace {

constexpr const char* kAll = "all";
// Item counts of a long transfer are shown at most this often.
constexpr auto kProgressInterval = std::chrono::seconds(5);

void say(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
}

const vorn::BatchCategory* categoryNamed(const std::string& name) {
    if (name == vorn::vatCategory().name) {
        return &vorn::vatCategory();
    }
    return vorn::batchCategoryNamed(name);
}

// The categories of the names; no value (and said) for a name that is none.
std::optional<std::vector<const vorn::BatchCategory*>> categoriesOf(
    const std::vector<std::string>& names) {
    std::vector<const vorn::BatchCategory*> categories;
    for (const std::string& name : names) {
        if (name == kAll) {
            for (const vorn::BatchCategory& c : vorn::batchCategories()) {
                categories.push_back(&c);
            }
        } else if (const vorn::BatchCategory* c = categoryNamed(name)) {
            categories.push_back(c);
        } else {
            std::string known;
            for (const std::string& n : categoryNames()) {
                known += " " + n;
            }
            std::fprintf(stderr, "vornctl: no category %s; the categories are:%s, or all\n",
                         name.c_str(), known.c_str());
            return std::nullopt;
        }
    }
    return categories;
}

// "01,2,05" as two-digit numbers; no value (and said) for anything else, or a number twice.
std::optional<std::vector<std::string>> scaleNumbersOf(const std::string& list) {
    std::vector<std::string> numbers;
    if (list.empty()) {
        return numbers;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const std::string item = list.substr(start, comma - start);
        const bool digits = !item.empty() && item.size() <= 2 &&
                            item.find_first_not_of("0123456789") == std::string::npos;
        const std::string number = digits ? vorn::cformat("%02d", {vorn::intValue(item)}) : "";
        if (!digits || number == "00" ||
            std::find(numbers.begin(), numbers.end(), number) != numbers.end()) {
            std::fprintf(stderr,
                         "vornctl: --scales takes scale numbers from 1 to 99, each once, "
                         "separated by commas (01,02,05), not %s\n",
                         list.c_str());
            return std::nullopt;
        }
        numbers.push_back(number);
        if (comma == std::string::npos) {
            return numbers;
        }
        start = comma + 1;
    }
}

// The engine's item counts, now and then in a long transfer.
vorn::EngineTransferRunner::ProgressCallback throttledProgress() {
    auto last = std::make_shared<std::chrono::steady_clock::time_point>();
    return [last](const vorn::TransferProgress& p) {
        const auto now = std::chrono::steady_clock::now();
        if (p.answerCount == 0) {
            *last = now;  // a scale's transfer begins
            return;
        }
        if (p.itemsSentText.empty() || now - *last < kProgressInterval) {
            return;
        }
        *last = now;
        std::fprintf(stderr, "  Scale No.:%d:%s\n", p.scaleNumber, p.itemsSentText.c_str());
    };
}

// What the categories to send name in other tables that these do not have (a preset key's PLU,
// a PLU's group or texts), each as a warning: vornctl never asks, and sends as the program does
// after its question.
void warnOfDanglingReferences(const std::vector<const vorn::BatchCategory*>& categories) {
    vorn::BatchSelection selection;
    for (const vorn::BatchCategory* c : categories) {
        selection.set(c->slot, true);
    }
    for (const std::string& problem : vorn::batchSendReferenceProblems(
             selection, vorn::readScaleDirectoryNumbers(vorn::kEveryReferredTable))) {
        std::fprintf(stderr, "vornctl: warning: %s\n", problem.c_str());
    }
}

int runBatch(const BatchOptions& options, vorn::BatchDirection direction, RunReport* out) {
    const auto categories = categoriesOf(options.categories);
    const auto scales = scaleNumbersOf(options.scales);
    if (!categories || !scales) {
        return kUnusable;
    }
    if (direction == vorn::BatchDirection::Receive && scales->size() > 1) {
        std::fprintf(stderr,
                     "vornctl: receive reads one scale into the directory: give one number with "
                     "--scales\n");
        return kUnusable;
    }
    if (!enterDirectory(options.dir)) {
        return kUnusable;
    }
    if (direction == vorn::BatchDirection::Send) {
        warnOfDanglingReferences(*categories);
    }
    // vornctl never asks: an empty answer is refused unless allowed.
    vorn::installShrinkingReceive(options.allowEmpty ? vorn::ShrinkingReceive::AllowEmpty
                                                     : vorn::ShrinkingReceive::RefuseEmpty);
    vorn::EngineTransferRunner runner(options.device, throttledProgress());
    vorn::BatchCommandOptions command;
    command.direction = direction;
    command.categories = *categories;
    command.scales = *scales;
    command.changedOnly = options.changedOnly;
    const vorn::BatchCommandResult result = vorn::runBatchCommand(runner, command, say);
    vorn::tellLineFailure(runner.lineFailure());
    if (out != nullptr) {
        out->categories = result.reports;
    }
    if (result.portFailed) {
        return kUnusable;  // the engine has said why
    }
    std::string failed;
    for (const vorn::CategoryReport& report : result.reports) {
        if (report.verdict == vorn::CategoryVerdict::Failed) {
            failed += (failed.empty() ? "" : ", ") + report.name;
        }
    }
    if (!failed.empty()) {
        std::fprintf(stderr, "vornctl: failed: %s\n", failed.c_str());
        return kFailed;
    }
    return kSucceeded;
}

int labelResult(vorn::LabelTransferResult result, const vorn::EngineTransferRunner& runner) {
    if (runner.lastOutcome() == vorn::EngineTransferRunner::Outcome::PortFailed) {
        return kUnusable;
    }
    return result == vorn::LabelTransferResult::Succeeded ? kSucceeded : kFailed;
}

// Runs a label transfer through the engine as the installed runner.
template <class Transfer>
int runLabel(const LabelOptions& options, Transfer transfer) {
    // The file is named from where vornctl was started, before it enters the directory.
    std::error_code ec;
    const std::string file = std::filesystem::absolute(options.file, ec).string();
    if (!enterDirectory(options.dir)) {
        return kUnusable;
    }
    vorn::EngineTransferRunner runner(options.device, throttledProgress());
    vorn::TransferRunner* previous = vorn::installTransferRunner(&runner);
    const vorn::LabelTransferResult result = transfer(file, options.number);
    vorn::installTransferRunner(previous);
    vorn::tellLineFailure(runner.lineFailure());
    return labelResult(result, runner);
}

}  // namespace

std::vector<std::string> categoryNames() {
    std::vector<std::string> names;
    for (const vorn::BatchCategory& c : vorn::batchCategories()) {
        names.push_back(c.name);
    }
    names.push_back(vorn::vatCategory().name);
    return names;
}

bool enterDirectory(const std::string& dir) {
    if (!dir.empty() && ::chdir(dir.c_str()) != 0) {
        std::fprintf(stderr, "vornctl: cannot enter directory %s\n", dir.c_str());
        return false;
    }
    return true;
}

int runSend(const BatchOptions& options, RunReport* report) {
    return runBatch(options, vorn::BatchDirection::Send, report);
}

int runReceive(const BatchOptions& options, RunReport* report) {
    return runBatch(options, vorn::BatchDirection::Receive, report);
}

std::string deviceUsed(const std::string& given) {
    return given.empty() ? vorn::devicePath(vorn::readComPortFile()) : given;
}

int runHistory(const std::string& dir) {
    if (!enterDirectory(dir)) {
        return kUnusable;
    }
    for (const vorn::HistoryEntry& entry : vorn::loadHistory()) {
        std::printf("%s\n", vorn::historyLine(entry).c_str());
    }
    return kSucceeded;
}

int runLabelSend(const LabelOptions& options) {
    return runLabel(options, vorn::sendLabelFile);
}

int runLabelReceive(const LabelOptions& options) {
    return runLabel(options, vorn::receiveLabelFile);
}

}  // namespace vornctl
