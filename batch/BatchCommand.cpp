#include "batch/BatchCommand.h"

#include <algorithm>
#include <atomic>
#include <filesystem>

#include "batch/BatchCategories.h"
#include "batch/PluCategorySteps.h"
#include "batch/RunnerBatchLink.h"
#include "batch/StepFiles.h"
#include "comm/RecordLine.h"
#include "comm/TableTransfer.h"
#include "comm/TransferFiles.h"
#include "platform/Prompter.h"
#include "plu/AcknowledgedPlus.h"
#include "plu/PluFile.h"
#include "plu/PluTransfer.h"
#include "tables/Archive.h"
#include "tables/TextFiles.h"

namespace vorn {

namespace {

// The record lines of the scale's answer in trf.in (the mark of an empty table is none).
int receivedRecords() {
    const std::vector<std::string> answers = readAnswerLines();
    return static_cast<int>(std::count_if(answers.begin(), answers.end(), [](const std::string& l) {
        return isAnswerRecord(l) && !marksEmptyTable(l);
    }));
}

constexpr std::size_t kScaleNameLength = 12;
constexpr const char* kSingleScale = "01";
constexpr char kCtrlZ = 0x1A;

// Passes every message on and counts them, so that a step that told the user something is
// known to have failed. The engine's messages come from its worker thread.
class CountingPrompter : public Prompter {
public:
    explicit CountingPrompter(Prompter& next) : next_(next) {}
    PromptAnswer ask(const Prompt& prompt) override {
        ++count_;
        return next_.ask(prompt);
    }
    int count() const { return count_; }

private:
    Prompter& next_;
    std::atomic<int> count_ = 0;
};

// The lines of trf.out that the engine sends: 16 characters or more, no comment, up to a line
// that begins with Ctrl-Z.
std::size_t sendableLines(const std::vector<std::string>& lines) {
    std::size_t count = 0;
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == kCtrlZ) {
            break;
        }
        if (line.size() >= envelope::kLength && line[0] != '\'') {
            ++count;
        }
    }
    return count;
}

std::string plural(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

bool isPlu(const BatchCategory& c) {
    return std::string_view(c.name) == "plu";
}

// Where a category stands in the batch order; the VAT rates come after the batch's categories.
std::size_t batchOrder(const BatchCategory* category) {
    const std::vector<BatchCategory>& all = batchCategories();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (&all[i] == category || std::string_view(all[i].name) == category->name) {
            return i;
        }
    }
    return all.size();
}

bool anyFileExists(const BatchCategory& c) {
    std::error_code ec;
    return std::any_of(c.files.begin(), c.files.end(),
                       [&](const std::string& f) { return std::filesystem::exists(f, ec); });
}

// "a.dat", "a.dat or b.dat", "a.dat, b.dat or c.dat".
std::string filesText(const BatchCategory& c) {
    std::string text;
    for (std::size_t i = 0; i < c.files.size(); ++i) {
        if (i > 0) {
            text += i + 1 == c.files.size() ? " or " : ", ";
        }
        text += c.files[i];
    }
    return text;
}

// The scales a run serves: those of the list, or scale 01.
std::vector<std::string> servedScales(const BatchCommandOptions& options) {
    return options.scales.empty() ? std::vector<std::string>{kSingleScale} : options.scales;
}

class CommandRun {
public:
    CommandRun(EngineTransferRunner& runner, const BatchCommandOptions& options,
               const std::function<void(const std::string&)>& say)
        : runner_(runner), options_(options), say_(say), counter_(prompter()) {}

    BatchCommandResult run();

private:
    std::size_t indexOf(const BatchCategory* c) const;
    void decide(std::size_t i, CategoryVerdict verdict, const std::string& detail, int records = 0);
    int toldSinceMark();
    void stepTaken(const StepReport& report);
    void transferDone();
    void judgeSend(std::size_t i, bool told);
    void recordSentPlus(const std::vector<std::string>& answers);
    void recordReceivedPlus();
    std::optional<TransferSettings> sendChangedPlus(const BatchContext& context);

    EngineTransferRunner& runner_;
    const BatchCommandOptions& options_;
    const std::function<void(const std::string&)>& say_;
    CountingPrompter counter_;

    std::vector<BatchCategory> categories_;  // those that run, slots 1 upwards
    BatchCommandResult result_;
    std::vector<std::size_t> reportOf_;  // the report of each running category
    std::vector<bool> decided_;
    std::size_t current_ = 0;
    BatchStep::Kind currentKind_ = BatchStep::End;
    bool toldInStep_ = false;
    int mark_ = 0;
    // The changed-only PLU send: what it found.
    bool nothingChanged_ = false;
    std::size_t pluTotal_ = 0;
};

std::size_t CommandRun::indexOf(const BatchCategory* c) const {
    for (std::size_t i = 0; i < categories_.size(); ++i) {
        if (std::string_view(categories_[i].name) == c->name) {
            return i;
        }
    }
    return 0;
}

void CommandRun::decide(std::size_t i, CategoryVerdict verdict, const std::string& detail,
                        int records) {
    if (decided_[i]) {
        return;
    }
    decided_[i] = true;
    CategoryReport& report = result_.reports[reportOf_[i]];
    report.verdict = verdict;
    report.detail = detail;
    report.records = records;
    const char* word = verdict == CategoryVerdict::Succeeded ? ""
                       : verdict == CategoryVerdict::Failed  ? "FAILED: "
                                                             : "skipped: ";
    say_(report.name + ": " + word + detail);
}

int CommandRun::toldSinceMark() {
    const int told = counter_.count() - mark_;
    mark_ = counter_.count();
    return told;
}

std::optional<TransferSettings> CommandRun::sendChangedPlus(const BatchContext& context) {
    context.addLog(plubatch::kBeginLog);
    const std::optional<std::vector<PluPair>> pairs = pluPairsToSend(context);
    if (!pairs) {
        return std::nullopt;
    }
    std::vector<AcknowledgedPlus> records;
    for (const std::string& scale : servedScales(options_)) {
        records.push_back(loadAcknowledgedPlus(scale));
    }
    const std::vector<PluPair> changed = changedPlus(*pairs, records);
    pluTotal_ = pairs->size();
    if (!pairs->empty() && changed.empty()) {
        nothingChanged_ = true;
        return std::nullopt;
    }
    return transferOf(pluSendLines(changed), plubatch::kSendSettings);
}

void CommandRun::stepTaken(const StepReport& report) {
    if (report.category == nullptr) {
        return;  // the end step
    }
    const std::size_t i = indexOf(report.category);
    const BatchCategory& c = categories_[i];
    current_ = i;
    currentKind_ = report.kind;
    toldInStep_ = toldSinceMark() > 0;
    switch (report.kind) {
        case BatchStep::Send:
            if (report.transferStarted) {
                say_(std::string(c.name) + ": " + c.sendMessage);
            } else if (toldInStep_) {
                decide(i, CategoryVerdict::Failed, "not sent (see above)");
            } else if (nothingChanged_ && isPlu(c)) {
                decide(i, CategoryVerdict::Succeeded,
                       "nothing changed since the last send, nothing sent (" +
                           plural(pluTotal_, "PLU", "PLUs") + " held by the scale)");
            } else {
                decide(i, CategoryVerdict::Skipped, "nothing to send");
            }
            break;
        case BatchStep::Request:
            if (report.transferStarted) {
                say_(std::string(c.name) + ": " + c.requestMessage);
            } else {
                decide(i, CategoryVerdict::Failed, "not requested (see above)");
            }
            break;
        case BatchStep::Store:
            switch (report.stored) {
                case StoreOutcome::Stored:
                    if (isPlu(c)) {
                        recordReceivedPlus();
                    }
                    decide(i, CategoryVerdict::Succeeded,
                           "received " + plural(static_cast<std::size_t>(receivedRecords()),
                                                "record", "records"),
                           receivedRecords());
                    break;
                case StoreOutcome::ErrorAnswer:
                    decide(i, CategoryVerdict::Failed,
                           "the scale's answer is an error (see above)");
                    break;
                case StoreOutcome::NoAnswer:
                    decide(i, CategoryVerdict::Failed, "no answer");
                    break;
                case StoreOutcome::NotStored:
                    decide(i, CategoryVerdict::Failed, "not stored (see above)");
                    break;
            }
            mark_ = counter_.count();
            break;
        case BatchStep::End:
            break;
    }
}

void CommandRun::transferDone() {
    if (currentKind_ == BatchStep::Send) {
        judgeSend(current_, toldInStep_);
    }
    mark_ = counter_.count();
}

void CommandRun::judgeSend(std::size_t i, bool told) {
    const std::size_t sent =
        sendableLines(readTextLines(transferfile::kOut).value_or(std::vector<std::string>{}));
    if (sent == 0) {
        if (told) {
            decide(i, CategoryVerdict::Failed, "nothing was sent (see above)");
        } else {
            decide(i, CategoryVerdict::Skipped, "nothing to send");
        }
        return;
    }
    const std::vector<std::string> answers = readAnswerLines();
    if (isPlu(categories_[i])) {
        recordSentPlus(answers);
    }
    if (answers.empty()) {
        decide(i, CategoryVerdict::Failed, "no answer from the scale");
    } else if (!isSuccessLine(answers.front()) || laterErrorLine(answers)) {
        // In words: which records reached the scale, and what failed.
        decide(i, CategoryVerdict::Failed, latin1ToUtf8(transferInWords()));
    } else {
        std::string detail = "sent " + plural(sent, "record", "records");
        if (isPlu(categories_[i]) && options_.changedOnly) {
            detail = "sent " + plural(sent / 2, "changed PLU", "changed PLUs") + " of " +
                     std::to_string(pluTotal_);
        }
        const std::size_t scales = std::max<std::size_t>(1, options_.scales.size());
        if (scales > 1) {
            detail += " to " + std::to_string(scales) + " scales";
        }
        decide(i, CategoryVerdict::Succeeded, detail, static_cast<int>(sent));
    }
}

void CommandRun::recordSentPlus(const std::vector<std::string>& answers) {
    for (const FileProblem& problem : vorn::recordSentPlus(
             readTextLines(transferfile::kOut).value_or(std::vector<std::string>{}), answers,
             options_.scales)) {
        tell(problem, PromptIcon::Warning);
    }
}

void CommandRun::recordReceivedPlus() {
    // The PLU file now holds exactly the scale's PLUs.
    const std::optional<std::string> bytes = readFileBytes(plufile::kName);
    const FileProblem problem =
        vorn::recordReceivedPlus(servedScales(options_).front(),
                                 bytes ? parsePluFile(*bytes).pairs : std::vector<PluPair>{});
    if (!problem.empty()) {
        tell(problem, PromptIcon::Warning);
    }
}

BatchCommandResult CommandRun::run() {
    std::vector<const BatchCategory*> chosen = options_.categories;
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const BatchCategory* a, const BatchCategory* b) {
                         return batchOrder(a) < batchOrder(b);
                     });
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());

    const bool sending = options_.direction == BatchDirection::Send;
    BatchSelection selection;
    for (const BatchCategory* c : chosen) {
        result_.reports.push_back({c->name, CategoryVerdict::Skipped, {}});
        CategoryReport& report = result_.reports.back();
        if (!sending && !c->readBack) {
            report.detail = "the scale's clock is not read back";
        } else if (sending && !c->files.empty() && !anyFileExists(*c)) {
            report.detail = "no " + filesText(*c);
        } else {
            BatchCategory running = *c;
            running.slot = static_cast<int>(categories_.size()) + 1;
            if (sending && options_.changedOnly && isPlu(running)) {
                running.send = [this](const BatchContext& context) {
                    return sendChangedPlus(context);
                };
            }
            selection.set(running.slot, true);
            categories_.push_back(std::move(running));
            reportOf_.push_back(result_.reports.size() - 1);
            continue;
        }
        say_(report.name + ": skipped: " + report.detail);
    }
    decided_.assign(categories_.size(), false);
    if (categories_.empty()) {
        return std::move(result_);
    }

    Prompter* previous = installPrompter(&counter_);
    RunnerBatchLink link(runner_);
    link.setScaleList(scaleListOf(options_.scales));
    BatchRun run(categories_, link, BatchContext{options_.clock, {}});
    run.setObserver([this](const StepReport& report) { stepTaken(report); });
    link.onTransferDone([this](const TransferRequest&) { transferDone(); });
    result_.portFailed = !runWithoutWindow(run, link, options_.direction, selection);
    installPrompter(previous);

    for (std::size_t i = 0; i < categories_.size(); ++i) {
        if (!decided_[i]) {
            decide(i, CategoryVerdict::Failed,
                   result_.portFailed ? "not transferred: the port could not be opened"
                                      : "not transferred");
        }
    }
    return std::move(result_);
}

}  // namespace

bool BatchCommandResult::anyFailed() const {
    return std::any_of(reports.begin(), reports.end(), [](const CategoryReport& r) {
        return r.verdict == CategoryVerdict::Failed;
    });
}

std::string scaleListOf(const std::vector<std::string>& scales) {
    std::string list;
    for (const std::string& number : scales) {
        list += number + std::string(kScaleNameLength, ' ');
    }
    return list;
}

BatchCommandResult runBatchCommand(EngineTransferRunner& runner, const BatchCommandOptions& options,
                                   const std::function<void(const std::string&)>& say) {
    return CommandRun(runner, options, say).run();
}

}  // namespace vorn
