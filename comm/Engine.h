#pragma once
// The transfer engine's worker: it runs passes over trf.out in the current directory, sending
// every line to every scale of the run's scale list and writing the answers to trf.in, with
// both byte logs, until the run is over. It reaches its owner only through TransferEvents
// (the dialog hands them to its own thread) and through the installed Prompter.

#include <functional>
#include <string>
#include <thread>

#include "comm/LineExchange.h"
#include "platform/Clock.h"
#include "platform/SerialLine.h"

namespace vorn {

class TransferEvents {
public:
    virtual ~TransferEvents() = default;
    // The run is over; stopped: the stop flag was set (Cancel, a stop, an empty trf.out, or
    // files that could not be opened).
    virtual void finished(bool stopped) = 0;
    virtual void progress(int scaleNumber, const std::string& scaleName, int answerCount) = 0;
    // The port could not be opened; no finish follows.
    virtual void portFailed() = 0;
};

struct EngineEnvironment {
    SerialLine* line = nullptr;  // not owned; opened and closed by every pass
    Clock* clock = nullptr;      // not owned; the real clock when null
    std::function<void(Beep)> beep;
    std::string device;       // overrides the device that comport.ini names
    std::string comPortFile;  // empty: comport.ini where it is read from
    std::string directory;    // of trf.out, trf.in and the logs; empty: the current directory
};

// Messages of the engine.
inline constexpr const char* kPortOpenError = "Error opening COM port";
inline constexpr const char* kFileOpenError = "cant open file";
inline constexpr const char* kRewindError = "fseek error";
inline constexpr const char* kTimeOutMessage = "TimeOut";
// Appended to trf.in after the answers when a run is cancelled.
inline constexpr const char* kUserBreakLine = lineError::kUserBreakLine;

// Tells why the line stopped working in a run that is over, when it did (failureText: a dropped
// connection to a device server), in a box of its own: the engine saw only silence.
void tellLineFailure(const std::string& failure);

// The worker's whole life on the calling thread: passes, the waits between batch passes, and
// the final event. The run state's settings copies must be in place.
void runTransferWorker(const EngineEnvironment& env, TransferEvents& events);

// The worker on its own thread.
class TransferWorker {
public:
    TransferWorker() = default;
    ~TransferWorker() { join(); }
    TransferWorker(const TransferWorker&) = delete;
    TransferWorker& operator=(const TransferWorker&) = delete;

    void start(const EngineEnvironment& env, TransferEvents& events);
    void join();
    bool running() const { return thread_.joinable(); }

private:
    std::thread thread_;
};

// The scale list's entries: 14 characters each, the last one may lack its final blank; an empty
// list is scale "01" with a blank name.
int scaleCount(const std::string& list);
std::string scaleEntry(const std::string& list, int i);

// The line as it goes to a scale: position 13 '1', positions 14 and 15 the scale number.
std::string stampLine(const std::string& line, const std::string& scaleNumber);

}  // namespace vorn
