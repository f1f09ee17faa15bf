#include "comm/Engine.h"

#include <cstdio>
#include <optional>

#include "comm/ComPortSettings.h"
#include "comm/RecordLine.h"
#include "comm/RunState.h"
#include "comm/TransferFileReader.h"
#include "comm/TransferFiles.h"
#include "comm/WireFrame.h"
#include "platform/PortFailure.h"
#include "platform/Prompter.h"

namespace vorn {

namespace {

constexpr std::size_t kEntryLength = 14;
const std::string kDefaultEntry = "01            ";

void show(const char* text, PromptIcon icon, const std::string& detail = {}) {
    prompter().ask(Prompt{text, PromptButtons::Ok, icon, std::string(), detail});
}

// A transfer file in the run's directory (by bare name in the current one when none is set).
std::string inDirectory(const std::string& directory, const char* name) {
    return directory.empty() ? std::string(name) : directory + "/" + name;
}

// trf.in, written in text mode: every line ends with CR LF.
class AnswerFile {
public:
    ~AnswerFile() { close(); }
    bool open(const std::string& path) {
        file_ = std::fopen(path.c_str(), "wb");
        return file_ != nullptr;
    }
    void append(const std::string& line) {
        if (file_ != nullptr) {
            std::fwrite(line.data(), 1, line.size(), file_);
            std::fputs("\r\n", file_);
            std::fflush(file_);
        }
    }
    void close() {
        if (file_ != nullptr) {
            std::fclose(file_);
            file_ = nullptr;
        }
    }

private:
    std::FILE* file_ = nullptr;
};

// A pass that ends before it could write trf.in empties it, so that the caller never takes the
// answers of an earlier transfer for this one's.
void discardEarlierAnswers(const std::string& directory) {
    if (std::FILE* f = std::fopen(inDirectory(directory, transferfile::kIn).c_str(), "wb")) {
        std::fclose(f);
    }
}

struct PassFiles {
    TransferFileReader out;
    AnswerFile in;
    TransferLog log;
    void close() {
        out.close();
        in.close();
        log.close();
    }
};

enum class ScaleEnd { Done, Stopped };

class Pass {
public:
    Pass(const EngineEnvironment& env, TransferEvents& events, Clock& clock)
        : env_(env), events_(events), clock_(clock) {}

    enum class End { Done, PortFailed, FilesFailed, NothingToSend };
    End run();

private:
    ScaleEnd serveScale(PassContext& pass, const std::string& entry);
    std::optional<std::string> nextLine();

    const EngineEnvironment& env_;
    TransferEvents& events_;
    Clock& clock_;
    RunState& state_ = runState();
    PassFiles files_;
};

std::optional<std::string> Pass::nextLine() {
    auto line = files_.out.next();
    if (!line) {
        state_.lastError = 0;
    }
    return line;
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
        discardEarlierAnswers(env_.directory);
        show(kPortOpenError, PromptIcon::Error, openFailureText(device, line.lastOpenError()));
        return End::PortFailed;
    }
    line.setRts(true);

    const std::string list = state_.scaleList();
    state_.scaleListGiven = !list.empty();
    const int scales = list.empty() ? 1 : scaleCount(list);
    state_.stop = 0;
    state_.stepReady = false;

    const std::string& dir = env_.directory;
    if (!files_.out.open(inDirectory(dir, transferfile::kOut)) ||
        !files_.in.open(inDirectory(dir, transferfile::kIn)) ||
        !files_.log.open(inDirectory(dir, transferfile::kAsciiLog),
                         inDirectory(dir, transferfile::kHexLog))) {
        files_.close();
        line.close();
        discardEarlierAnswers(dir);
        show(kFileOpenError, PromptIcon::Error);
        return End::FilesFailed;
    }
    const auto first = nextLine();
    if (!first || first->size() < envelope::kLength) {
        files_.close();
        line.close();
        return End::NothingToSend;
    }

    PassContext pass{line, clock_, files_.log, state_, env_.beep};
    bool stopped = false;
    for (int i = 0; i < scales && !stopped; ++i) {
        const std::string entry = list.empty() ? kDefaultEntry : scaleEntry(list, i);
        stopped = serveScale(pass, entry) == ScaleEnd::Stopped || state_.stop != 0;
    }
    if (state_.stop != 0) {
        files_.in.append(kUserBreakLine);
    }
    files_.close();
    // A device server that took the connection but then refused it: the port could not be
    // opened after all, and the run ends as if it had been refused at once.
    const OpenError refusal = line.refusalAfterOpen();
    if (refusal.failure != OpenFailure::None) {
        line.close();
        discardEarlierAnswers(dir);
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

ScaleEnd Pass::serveScale(PassContext& pass, const std::string& entry) {
    if (!files_.out.rewind()) {
        show(kRewindError, PromptIcon::None);
    }
    const std::string name = entry.substr(2, 12);
    const std::string number = entry.substr(0, 2);
    state_.scaleNumber = intValue(number);
    // The count starts at 0 before it is first shown, so no count of an earlier run shows.
    state_.answerCount = 0;
    events_.progress(state_.scaleNumber, name, state_.answerCount);
    pass.line.purge();
    state_.unacknowledged = true;

    bool readNext = true;
    bool expectAnswer = false;
    int answerResult = 0;
    bool moreLines = true;
    int sends = 0;
    std::string current;
    const int keyWidth = state_.keyWidth;

    while (moreLines && answerResult == 0) {
        std::string lineRead;
        std::string answer;
        bool noLine = false;
        bool sendNow = false;
        if (readNext) {
            const auto line = nextLine();
            if (!line) {
                noLine = true;
            } else {
                lineRead = *line;
                // A line of at least 16 characters is sent; a Ctrl-Z line ends the file and
                // is never sent, whatever its length.
                if (lineRead.size() >= envelope::kLength &&
                    static_cast<unsigned char>(lineRead[0]) != wire::kCtrlZ) {
                    current = stampLine(lineRead, number);
                    state_.itemKey = intValue(field(current, envelope::kLength, keyWidth));
                    sends = 0;
                    sendNow = true;
                }
            }
        }
        for (;;) {
            if (sendNow) {
                const SendResult sent = sendLine(pass, current);
                if (sent.stopped) {
                    return ScaleEnd::Stopped;
                }
                expectAnswer = sent.expectAnswer;
                ++sends;
                sendNow = false;
            }
            if ((!lineRead.empty() && static_cast<unsigned char>(lineRead[0]) == wire::kCtrlZ) ||
                noLine || state_.lastError != 0) {
                moreLines = false;
            }
            if (expectAnswer && state_.lastError == 0) {
                const AnswerResult got = receiveAnswer(pass, answer);
                if (got.stopped) {
                    return ScaleEnd::Stopped;
                }
                answerResult = got.result;
                // What a damaged frame left is no answer: had it been written, a caller could
                // take it for a record (it may well begin with "1"). Its error code stands in.
                if (got.damaged && !answer.empty()) {
                    answer = cformat("02%d", {got.result});
                }
                readNext = got.lastFrame;
                expectAnswer = !got.lastFrame;
            }
            if (state_.lastError != 0) {
                answer = cformat("02%d", {state_.lastError.load()});
            }
            // Repeat rule: once the scale has acknowledged a frame, a failed line is sent
            // again, up to four sends in all.
            if (sends < 4 && (state_.timeout || answerResult != 0 || state_.lastError != 0) &&
                !state_.unacknowledged) {
                state_.lastError = 0;
                moreLines = true;
                answerResult = 0;
                readNext = true;
                expectAnswer = false;
                sendNow = true;
                answer.clear();
                continue;
            }
            if (!answer.empty()) {
                files_.in.append(answer);
                if (answer.size() > envelope::kLength) {
                    ++state_.answerCount;
                }
                events_.progress(state_.scaleNumber, name, state_.answerCount);
            }
            break;
        }
    }
    return state_.stop != 0 ? ScaleEnd::Stopped : ScaleEnd::Done;
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
