#include "comm/ConnectionTest.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>

#include "comm/EngineTransferRunner.h"
#include "comm/RecordLine.h"
#include "comm/RunState.h"
#include "comm/TransferFiles.h"
#include "platform/PortFailure.h"
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
    problem_ = writeFileAtomically(directory_ + "/" + transferfile::kOut,
                                   std::string(kConnectionTestRequest) + "\r\n");
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

ConnectionVerdict ConnectionTest::verdict(ConnectionEnd end, bool acknowledged) const {
    return judgeConnection(firstLineOf(directory_ + "/" + transferfile::kIn), end, acknowledged,
                           device_, timeLimit_);
}

ConnectionVerdict judgeConnection(std::string_view first, ConnectionEnd end, bool acknowledged,
                                  const std::string& device, std::chrono::milliseconds timeLimit) {
    if (isSuccessLine(first)) {
        return {ConnectionResult::Answered, kScaleAnsweredText,
                "The line to the scale on " + device + " works."};
    }
    const std::string checkSettings =
        " Check that the scale is switched on and connected, and that the baud rate, data "
        "bits, parity and stop bits are the scale's.";
    // Nothing in trf.in, not even the break line of a stopped run: the pass never ran (the port
    // or the files could not be opened, or a device server refused the connection after taking
    // it), and the engine has said why.
    if (first.empty()) {
        return {ConnectionResult::NotRun, {}, {}};
    }
    switch (end) {
        case ConnectionEnd::Cancelled:
            return {ConnectionResult::Cancelled, {}, {}};
        case ConnectionEnd::TimeLimit:
            if (acknowledged) {
                return failed("The scale took the request but sent no answer.",
                              "It acknowledged the request on " + device +
                                  ", but no answer came within " + secondsText(timeLimit) + "." +
                                  checkSettings);
            }
            return failed("The scale did not answer.", "Nothing came back on " + device +
                                                           " within " + secondsText(timeLimit) +
                                                           "." + checkSettings);
        case ConnectionEnd::ByItself:
            break;
    }
    if (first.rfind("02206", 0) == 0) {
        return failed("The scale did not answer.",
                      "It did not acknowledge the request on " + device + "." + checkSettings);
    }
    if (first.rfind("02210", 0) == 0) {
        return failed("The scale refused the request.",
                      "It answered with NAK on " + device + "." + checkSettings);
    }
    if (first.rfind("02207", 0) == 0) {
        return failed("The request could not be sent.",
                      device + " did not take the whole request.");
    }
    return failed(
        "The answer was not understood.",
        "On " + device + " came: " + latin1ToUtf8(std::string(first)) + "." + checkSettings);
}

ConnectionVerdict testConnection(const ComPortSettings& settings,
                                 std::chrono::milliseconds timeLimit) {
    ConnectionTest test(settings, timeLimit);
    if (!test.ready()) {
        return failed(kConnectionTestNotPreparedText, test.problem());
    }
    EngineTransferRunner runner(test.environment());
    runner.setTimeLimit(timeLimit);
    runner.run(test.request());
    const std::string lost = runner.lineFailure();
    if (!lost.empty()) {
        return failed(kConnectionLostText, lost);
    }
    return test.verdict(
        runner.timeLimitReached() ? ConnectionEnd::TimeLimit : ConnectionEnd::ByItself,
        !runState().unacknowledged);
}

}  // namespace vorn
