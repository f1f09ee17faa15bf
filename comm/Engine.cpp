#include "comm/Engine.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "comm/ComPortSettings.h"
#include "comm/LineCycle.h"
#include "comm/RecordLine.h"
#include "comm/RunState.h"
#include "comm/TransferFileReader.h"
#include "comm/TransferFiles.h"
#include "comm/TransferHistory.h"
#include "comm/TransferWords.h"
#include "comm/WireFrame.h"
#include "platform/PortFailure.h"
#include "platform/Prompter.h"
#include "tables/AtomicSave.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"
#include "tables/TextFiles.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

constexpr std::size_t kEntryLength = 14;
const std::string kDefaultEntry = "01            ";

void show(const std::string& text, PromptIcon icon, const std::string& detail = {}) {
    prompter().ask(Prompt{text, PromptButtons::Ok, icon, std::string(), detail});
}

// A transfer file in the run's directory (by bare name in the current one when none is set).
std::string inDirectory(const std::string& directory, const char* name) {
    return directory.empty() ? std::string(name) : directory + "/" + name;
}

// trf.in, written in text mode (every line ends with CR LF) through the safe save: the file is
// replaced when the pass ends.
class AnswerFile {
public:
    FileProblem open(const std::string& path) { return save_.open(path); }
    void append(const std::string& line) {
        save_.write(line);
        save_.write("\r\n");
    }
    const FileProblem& problem() const { return save_.problem(); }
    FileProblem close() { return save_.commit(); }
    void discard() { save_.discard(); }

private:
    StreamedSave save_;
};

// A pass that ends before it could write trf.in empties it, so that the caller never takes the
// answers of an earlier transfer for this one's. Where even that fails, trf.in goes.
void discardEarlierAnswers(const std::string& path) {
    if (!writeFileAtomically(path, {}).empty()) {
        std::remove(path.c_str());
    }
}

struct PassFiles {
    TransferFileReader out;
    AnswerFile in;
    TransferLog log;
};

enum class ScaleEnd { Done, Stopped };

class Pass {
public:
    Pass(const EngineEnvironment& env, TransferEvents& events, Clock& clock)
        : env_(env), events_(events), clock_(clock) {}

    enum class End { Done, PortFailed, FilesFailed, NothingToSend };
    End run();

private:
    std::string path(const char* name) const { return inDirectory(env_.directory, name); }
    FileProblem openFiles();
    void closeFiles();
    ScaleEnd serveScale(PassContext& pass, const std::string& entry);
    void beginScale(PassContext& pass, const std::string& entry);
    std::optional<std::string> nextLine();
    std::optional<std::string> nextLineToSend();
    void record(const LineOutcome& outcome, int recorded);
    void showProgress(int answerCount);
    bool filesFailing();
    ScaleEnd endScale(ScaleEnd end);

    int linesToSend() const;

    const EngineEnvironment& env_;
    TransferEvents& events_;
    Clock& clock_;
    RunState& state_ = runState();
    PassFiles files_;
    std::string scaleNumber_;
    std::string scaleName_;
    // How the transfer to the scale under way goes, for the history.
    ScaleTransfer tally_;
    int lines_ = 0;
};

// The lines of trf.out that go out: an envelope long at least, up to a Ctrl-Z line.
int Pass::linesToSend() const {
    int count = 0;
    for (const std::string& line :
         readTextLines(path(transferfile::kOut)).value_or(std::vector<std::string>{})) {
        if (!line.empty() && static_cast<unsigned char>(line[0]) == wire::kCtrlZ) {
            break;
        }
        count += line.size() >= envelope::kLength ? 1 : 0;
    }
    return count;
}

// The scale is done with: its line of the history is written.
ScaleEnd Pass::endScale(ScaleEnd end) {
    tally_.stopped = end == ScaleEnd::Stopped && tally_.failure.empty();
    if (tally_.lines > 0) {
        appendHistory(
            {historyTime(clock_.localDateTime()), directionWord(tally_.direction), tally_.table,
             tally_.direction == ScaleTransfer::Direction::Send ? tally_.linesDone : tally_.records,
             outcomeInWords(tally_)},
            env_.directory);
    }
    return end;
}

std::optional<std::string> Pass::nextLine() {
    auto line = files_.out.next();
    if (!line) {
        state_.lastError = 0;
    }
    return line;
}

FileProblem Pass::openFiles() {
    if (!files_.out.open(path(transferfile::kOut))) {
        return std::string("Cannot read ") + path(transferfile::kOut) + ": " + std::strerror(errno);
    }
    FileProblem problem = files_.in.open(path(transferfile::kIn));
    if (problem.empty()) {
        problem = files_.log.open(path(transferfile::kAsciiLog), path(transferfile::kHexLog));
    }
    return problem;
}

// Puts trf.in and the logs in place and tells of a file that could not be written, by name and
// reason. trf.in that could not be written whole goes, so that no reader takes the answers of
// an earlier transfer, or a part of this one's, for the answer.
void Pass::closeFiles() {
    files_.out.close();
    if (const FileProblem problem = files_.in.close(); !problem.empty()) {
        std::remove(path(transferfile::kIn).c_str());
        show(problem, PromptIcon::Error, transferfile::kInUnwritable);
    }
    if (const FileProblem problem = files_.log.close(); !problem.empty()) {
        show(problem, PromptIcon::Error, transferfile::kLogUnwritable);
    }
}

// A write to trf.in or a log has failed: the run is stopped, as the answers cannot be kept.
bool Pass::filesFailing() {
    if (files_.in.problem().empty() && files_.log.problem().empty()) {
        return false;
    }
    state_.requestStop();
    return true;
}

Pass::End Pass::run() {
    state_.transferSucceeded = true;
    const ComPortSettings settings =
        env_.comPortFile.empty() ? readComPortFile() : readComPortFile(env_.comPortFile);
    const std::string device = env_.device.empty() ? devicePath(settings) : env_.device;
    SerialLine& line = *env_.line;
    const LineSettings lineSettings{settings.baudRate, settings.dataBits, settings.stopBits,
                                    settings.parity};
    if (!line.open(device, lineSettings)) {
        discardEarlierAnswers(path(transferfile::kIn));
        show(kPortOpenError, PromptIcon::Error, openFailureText(device, line.lastOpenError()));
        return End::PortFailed;
    }
    line.setRts(true);

    const std::string list = state_.scaleList();
    state_.scaleListGiven = !list.empty();
    const int scales = list.empty() ? 1 : scaleCount(list);
    state_.stop = 0;
    state_.stepReady = false;

    if (const FileProblem problem = openFiles(); !problem.empty()) {
        files_.out.close();
        files_.in.discard();
        line.close();
        discardEarlierAnswers(path(transferfile::kIn));
        show(kFileOpenError, PromptIcon::Error, problem + "\n" + transferfile::kFilesUnopenable);
        return End::FilesFailed;
    }
    const auto first = nextLine();
    if (!first || first->size() < envelope::kLength) {
        closeFiles();
        line.close();
        return End::NothingToSend;
    }

    PassContext pass{line, clock_, files_.log, state_, env_.beep};
    lines_ = linesToSend();
    bool stopped = false;
    for (int i = 0; i < scales && !stopped; ++i) {
        const std::string entry = list.empty() ? kDefaultEntry : scaleEntry(list, i);
        stopped = serveScale(pass, entry) == ScaleEnd::Stopped || state_.stop != 0;
    }
    if (state_.stop != 0) {
        files_.in.append(kUserBreakLine);
    }
    closeFiles();
    // A device server that took the connection but then refused it: the port could not be
    // opened after all, and the run ends as if it had been refused at once.
    const OpenError refusal = line.refusalAfterOpen();
    if (refusal.failure != OpenFailure::None) {
        line.close();
        discardEarlierAnswers(path(transferfile::kIn));
        show(kPortOpenError, PromptIcon::Error, openFailureText(device, refusal));
        return End::PortFailed;
    }
    if (!state_.quiet && state_.timeout && state_.stop == 0 && !state_.batchRunning) {
        show(kTimeOutMessage, PromptIcon::Error);
    }
    state_.setStepReady();
    line.close();
    return End::Done;
}

// The scale's lines one after the other: each is served whole (sent, answered, repeated as the
// rules allow) and then recorded in trf.in; a line that failed ends the scale.
ScaleEnd Pass::serveScale(PassContext& pass, const std::string& entry) {
    beginScale(pass, entry);
    for (;;) {
        const std::optional<std::string> line = nextLineToSend();
        if (!line) {
            return endScale(state_.stop != 0 ? ScaleEnd::Stopped : ScaleEnd::Done);
        }
        if (tally_.table.empty()) {
            tally_.table = tableNameOfLine(*line);
            tally_.direction = directionOfLine(*line);
        }
        // The count shown takes in the frames of the attempt under way, and drops them again
        // when the attempt fails.
        const int recorded = state_.answerCount;
        const LineOutcome outcome = serveLine(pass, *line, [&](int items) {
            showProgress(recorded + items);
            filesFailing();
        });
        if (outcome.end == LineOutcome::End::Stopped) {
            showProgress(recorded);
            return endScale(ScaleEnd::Stopped);
        }
        record(outcome, recorded);
        if (outcome.end == LineOutcome::End::Failed) {
            tally_.failure = outcome.errorLine;
        } else {
            ++tally_.linesDone;
            for (const std::string& answer : outcome.answers) {
                tally_.records += isAnswerRecord(answer) && !marksEmptyTable(answer) ? 1 : 0;
            }
        }
        if (filesFailing()) {
            return endScale(ScaleEnd::Stopped);
        }
        if (outcome.end == LineOutcome::End::Failed) {
            return endScale(ScaleEnd::Done);
        }
    }
}

// Rewinds trf.out, names the scale, shows it and clears what an earlier scale left on the line.
void Pass::beginScale(PassContext& pass, const std::string& entry) {
    if (!files_.out.rewind()) {
        show(kRewindError, PromptIcon::None);
    }
    scaleName_ = entry.substr(2, 12);
    scaleNumber_ = entry.substr(0, 2);
    tally_ = ScaleTransfer{};
    tally_.scale = scaleNumber_;
    tally_.lines = lines_;
    state_.scaleNumber = intValue(scaleNumber_);
    // The count starts at 0 before it is first shown, so no count of an earlier run shows.
    state_.answerCount = 0;
    events_.progress(state_.scaleNumber, scaleName_, state_.answerCount);
    pass.line.purge();
    state_.unacknowledged = true;
}

// The next line of trf.out that goes out, stamped for the scale, with its item key set; none
// at the end of the file or at a Ctrl-Z line (which is never sent, whatever its length). Lines
// shorter than an envelope are passed over.
std::optional<std::string> Pass::nextLineToSend() {
    for (;;) {
        const std::optional<std::string> line = nextLine();
        if (!line || (!line->empty() && static_cast<unsigned char>((*line)[0]) == wire::kCtrlZ)) {
            return std::nullopt;
        }
        if (line->size() >= envelope::kLength) {
            const std::string stamped = stampLine(*line, scaleNumber_);
            state_.itemKey = intValue(field(stamped, envelope::kLength, state_.keyWidth));
            return stamped;
        }
    }
}

// What trf.in gets of a served line: the answer's records, or the line of its failure.
void Pass::record(const LineOutcome& outcome, int recorded) {
    if (outcome.end == LineOutcome::End::Failed) {
        files_.in.append(outcome.errorLine);
        showProgress(recorded);
        return;
    }
    for (const std::string& answer : outcome.answers) {
        files_.in.append(answer);
    }
    if (!outcome.answers.empty()) {
        showProgress(recorded + outcome.items);
    }
}

void Pass::showProgress(int answerCount) {
    state_.answerCount = answerCount;
    events_.progress(state_.scaleNumber, scaleName_, answerCount);
}

}  // namespace

int scaleCount(const std::string& list) {
    return static_cast<int>((list.size() + 1) / kEntryLength);
}

std::string scaleEntry(const std::string& list, int i) {
    std::string entry = list.substr(static_cast<std::size_t>(i) * kEntryLength, kEntryLength);
    entry.resize(kEntryLength, ' ');
    return entry;
}

std::string stampLine(const std::string& line, const std::string& scaleNumber) {
    std::string stamped = line;
    if (stamped.size() >= envelope::kLength) {
        stamped[envelope::kBlockLast] = '1';
        stamped[envelope::kScale] = scaleNumber[0];
        stamped[envelope::kScale + 1] = scaleNumber[1];
    }
    return stamped;
}

void tellLineFailure(const std::string& failure) {
    if (!failure.empty()) {
        show(kConnectionLostText, PromptIcon::Error, failure);
    }
}

void runTransferWorker(const EngineEnvironment& env, TransferEvents& events) {
    RunState& state = runState();
    Clock& clock = env.clock != nullptr ? *env.clock : realClock();
    state.stepReady = false;
    for (;;) {
        if (!state.stepReady) {
            Pass pass(env, events, clock);
            switch (pass.run()) {
                case Pass::End::PortFailed:
                    events.portFailed();
                    return;
                case Pass::End::FilesFailed:
                    // Everything opened is released; the dialog closes as after a stop.
                    state.stop = 1;
                    events.finished(true);
                    return;
                case Pass::End::NothingToSend:
                    if (!state.batchRunning) {
                        state.stop = 1;
                        events.finished(true);
                        return;
                    }
                    state.setStepReady();
                    break;
                case Pass::End::Done:
                    break;
            }
        }
        if (!state.batchRunning || state.stop != 0) {
            events.finished(state.stop != 0);
            return;
        }
        // Between batch passes: sleep until the batch dialog asks for the next pass or stops.
        state.waitUntil([&] { return !state.stepReady || !state.batchRunning || state.stop != 0; });
    }
}

void TransferWorker::start(const EngineEnvironment& env, TransferEvents& events) {
    join();
    thread_ = std::thread([env, &events] { runTransferWorker(env, events); });
}

void TransferWorker::join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

}  // namespace vorn
