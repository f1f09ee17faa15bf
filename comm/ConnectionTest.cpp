#include "comm/ConnectionTest.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>

#include "comm/EngineTransferRunner.h"
#include "comm/RecordLine.h"
#include "comm/RunState.h"
#include "comm/TransferFiles.h"
#include "editors/NumberedTable.h"
#include "editors/NumberedTableKinds.h"
#include "platform/Prompter.h"
#include "tables/Archive.h"

namespace vorn {

namespace {

std::string secondsText(std::chrono::milliseconds limit) {
    const long long seconds = (limit.count() + 999) / 1000;
    return std::to_string(seconds) + (seconds == 1 ? " second" : " seconds");
}

std::string firstLineOf(const std::string& path) {
    const std::string bytes = readFileBytes(path).value_or(std::string());
    std::string line = bytes.substr(0, bytes.find('\n'));
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

ConnectionVerdict failed(std::string text, std::string detail) {
    return {ConnectionResult::Failed, std::move(text), std::move(detail)};
}

}  // namespace

ConnectionTest::ConnectionTest(const ComPortSettings& settings, std::chrono::milliseconds limit)
    : device_(devicePath(settings)), timeLimit_(limit) {
    std::error_code ec;
    std::string templ =
        (std::filesystem::temp_directory_path(ec) / "vorn-connection-XXXXXX").string();
    if (ec || ::mkdtemp(templ.data()) == nullptr) {
        problem_ = "Cannot make a temporary directory for the test in " + templ + ".";
        return;
    }
    directory_ = templ;
    // The request of the date texts, which only reads from the scale.
    problem_ = writeFileAtomically(directory_ + "/" + transferfile::kOut,
                                   std::string(dateTextTable().requestLine) + "\r\n");
    if (problem_.empty()) {
        problem_ = writeComPortFile(settings, directory_ + "/" + kComPortFileName);
    }
}

ConnectionTest::~ConnectionTest() {
    if (!directory_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(directory_, ec);
    }
}

EngineEnvironment ConnectionTest::environment() const {
    EngineEnvironment env;
    env.directory = directory_;
    env.comPortFile = directory_ + "/" + kComPortFileName;
    return env;
}

TransferRequest ConnectionTest::request() const {
    TransferRequest request;
    request.message = kConnectionTestMessage;
    request.receive = true;
    request.quiet = true;  // the verdict says it all: no "TimeOut" box
    return request;
}

ConnectionVerdict ConnectionTest::verdict(End end, bool acknowledged) const {
    const std::string first = firstLineOf(directory_ + "/" + transferfile::kIn);
    if (isSuccessLine(first)) {
        return {ConnectionResult::Answered, kScaleAnsweredText,
                "The line to the scale on " + device_ + " works."};
    }
    const std::string checkSettings =
        " Check that the scale is switched on and connected, and that the baud rate, data "
        "bits, parity and stop bits are the scale's.";
    switch (end) {
        case End::Cancelled:
            return {ConnectionResult::Cancelled, {}, {}};
        case End::TimeLimit:
            if (acknowledged) {
                return failed("The scale took the request but sent no answer.",
                              "It acknowledged the request on " + device_ +
                                  ", but no answer came within " + secondsText(timeLimit_) + "." +
                                  checkSettings);
            }
            return failed("The scale did not answer.", "Nothing came back on " + device_ +
                                                           " within " + secondsText(timeLimit_) +
                                                           "." + checkSettings);
        case End::ByItself:
            break;
    }
    if (first.empty()) {
        return {ConnectionResult::NotRun, {}, {}};
    }
    if (first.rfind("02206", 0) == 0) {
        return failed("The scale did not answer.",
                      "It did not acknowledge the request on " + device_ + "." + checkSettings);
    }
    if (first.rfind("02210", 0) == 0) {
        return failed("The scale refused the request.",
                      "It answered with NAK on " + device_ + "." + checkSettings);
    }
    if (first.rfind("02207", 0) == 0) {
        return failed("The request could not be sent.",
                      device_ + " did not take the whole request.");
    }
    return failed("The answer was not understood.",
                  "On " + device_ + " came: " + latin1ToUtf8(first) + "." + checkSettings);
}

ConnectionVerdict testConnection(const ComPortSettings& settings,
                                 std::chrono::milliseconds timeLimit) {
    ConnectionTest test(settings, timeLimit);
    if (!test.ready()) {
        return failed("The connection test cannot be prepared.", test.problem());
    }
    EngineTransferRunner runner(test.environment());
    runner.setTimeLimit(timeLimit);
    runner.run(test.request());
    return test.verdict(
        runner.timeLimitReached() ? ConnectionTest::End::TimeLimit : ConnectionTest::End::ByItself,
        !runState().unacknowledged);
}

}  // namespace vorn
