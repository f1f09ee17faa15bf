#pragma once
// The connection test of the port dialog and of "vornctl test": one harmless request (the
// scale's date texts) on the chosen device with the chosen line settings. It runs in a
// temporary directory of its own, so that no file of a scale directory changes, and it is
// stopped after a few seconds: a scale acknowledges and answers at once, and the engine's own
// waits for a silent scale (three attempts of seven seconds) are too long for a test.
//
//     ConnectionTest test(settings);
//     ... run the engine with test.environment() and test.request() ...
//     ConnectionVerdict v = test.verdict(end, !runState().unacknowledged);

#include <chrono>
#include <string>
#include <string_view>

#include "comm/ComPortSettings.h"
#include "comm/Engine.h"
#include "comm/TransferRunner.h"

namespace vorn {

inline constexpr const char* kScaleAnsweredText = "The scale answered.";
inline constexpr const char* kConnectionTestMessage = "Testing the connection to the scale...";
inline constexpr const char* kConnectionTestNotPreparedText =
    "The connection test cannot be prepared.";
inline constexpr std::chrono::seconds kConnectionTestTime{6};
// The request of the date texts (the date-text table's own request line), which only reads from
// the scale.
inline constexpr const char* kConnectionTestRequest = "000219000700000000";

enum class ConnectionResult {
    Answered,   // the scale answered the request
    Failed,     // it did not, or not as a scale does; text and detail say how
    NotRun,     // the port or the files could not be opened; the engine has told the user why
    Cancelled,  // the user stopped the test
};

// How the test's run ended: by itself, stopped after the time limit, or by the user.
enum class ConnectionEnd { ByItself, TimeLimit, Cancelled };

struct ConnectionVerdict {
    ConnectionResult result = ConnectionResult::Failed;
    std::string text;    // UTF-8: "The scale answered." or what went wrong
    std::string detail;  // UTF-8: the device, and what to check
};

class ConnectionTest {
public:
    // Makes the test's directory with trf.out (the request) and comport.ini (the settings).
    explicit ConnectionTest(const ComPortSettings& settings,
                            std::chrono::milliseconds timeLimit = kConnectionTestTime);
    ~ConnectionTest();  // removes the directory and all in it
    ConnectionTest(const ConnectionTest&) = delete;
    ConnectionTest& operator=(const ConnectionTest&) = delete;

    // False when the directory or its files could not be made; problem() says why.
    bool ready() const { return problem_.empty(); }
    const std::string& problem() const { return problem_; }

    // The engine's environment (the directory, the settings file) and the request.
    EngineEnvironment environment() const;
    TransferRequest request() const;
    std::chrono::milliseconds timeLimit() const { return timeLimit_; }
    const std::string& directory() const { return directory_; }

    // Judges the run from its trf.in; acknowledged: the scale acknowledged the request.
    ConnectionVerdict verdict(ConnectionEnd end, bool acknowledged) const;

private:
    std::string device_;
    std::chrono::milliseconds timeLimit_;
    std::string directory_;
    std::string problem_;
};

// The verdict on the first line of the test's trf.in (without its line end).
ConnectionVerdict judgeConnection(std::string_view firstLine, ConnectionEnd end, bool acknowledged,
                                  const std::string& device, std::chrono::milliseconds timeLimit);

// The whole test on the engine's worker, waiting for its end (vornctl).
ConnectionVerdict testConnection(const ComPortSettings& settings,
                                 std::chrono::milliseconds timeLimit = kConnectionTestTime);

}  // namespace vorn
