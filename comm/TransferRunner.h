#pragma once
// An editor never talks to the serial line: it writes trf.out in the current directory, asks the
// installed TransferRunner to run one transfer with its settings, and then reads trf.in.
// The program's runner shows CTransferDlg modally over the real engine; vornctl's runs the
// engine on the console; a test's runs the engine against a simulated scale or hands back a
// prepared trf.in.

#include <string>

namespace vorn {

struct TransferRequest {
    std::string message;     // the progress dialog's message text
    bool receive = false;    // false: records go to the scale; true: records are requested
    int keyWidth = 0;        // characters of the item key after the 16-character envelope
    int recordsPerItem = 1;  // answer lines that make one item in the count shown
    bool quiet = false;      // no item count, no "TimeOut" box
    // The scales to serve: 14-character entries (two digits and a name); empty: scale 01,
    // without checking the scale number of the answers.
    std::string scaleList = {};
    // The most answer frames that one request line may bring (more than the table holds);
    // 0: the engine's own bound, more than any table holds. An answer that runs past it fails.
    int answerFrameLimit = 0;
};

class TransferRunner {
public:
    virtual ~TransferRunner() = default;
    // Runs one transfer of trf.out in the current directory and returns when it is over;
    // trf.in then holds the answers. The outcome is judged by the caller from trf.in alone.
    virtual void run(const TransferRequest& request) = 0;
};

// The installed runner. When none is installed, a runner that reaches no scale: it leaves an
// empty trf.in, which every caller reports as a failed transfer.
TransferRunner& transferRunner();
// Installs r (not owned); nullptr restores the default. Returns the previous one.
TransferRunner* installTransferRunner(TransferRunner* r);

}  // namespace vorn
