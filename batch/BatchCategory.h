#pragma once
// One category of the batch transfer: what its check box says, where Trans.dat keeps its flag,
// what the progress dialog shows, and its three steps. A send or request step writes trf.out
// in the current (scale) directory and returns the settings of the transfer to start, or no
// value when it starts none. A step that starts no transfer although its file is there has told
// the user why (the file is damaged, say), unless there was nothing to send (an empty table). A
// store step reads the answer that the request left in trf.in and rewrites the category's table
// file.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"

namespace vorn {

// What the steps may use besides the files of the current directory and the installed Prompter.
struct BatchContext {
    Clock* clock = nullptr;  // the PC's clock; the real one when null
    // Appends a line to the batch dialog's hidden log list.
    std::function<void(const std::string&)> log;

    Clock& pcClock() const { return clock != nullptr ? *clock : realClock(); }
    void addLog(const std::string& line) const {
        if (log) {
            log(line);
        }
    }
};

// The progress dialog's settings that a step chooses for its transfer.
struct TransferSettings {
    int recordsPerItem = 1;
    int keyWidth = 0;
    // The most frames one request line's answer may bring (more than the table holds); 0: the
    // engine's own bound.
    int answerFrameLimit = 0;
};

enum class StoreOutcome {
    NoAnswer,     // trf.in could not be read; nothing was done
    ErrorAnswer,  // the first answer line is no success line, or a later one is an error line
                  // of the engine (the answer is incomplete); it was shown, the file untouched
    NotStored,    // the answer was good but the table file could not be written (told)
    Stored,
};

// How a store step reads the start of trf.in to judge the scale's answer, and what it shows of
// a failure: the first line, line end included, up to shownLimit characters, or (shownAsBytes)
// the first shownLimit bytes of the file; then the category's error suffix.
struct AnswerReading {
    std::size_t shownLimit = 99;
    bool shownAsBytes = false;
    const char* missingMessage = nullptr;  // told when trf.in cannot be opened
    const char* emptyMessage = nullptr;    // told in place of the suffix alone for an empty trf.in
};

struct BatchCategory;

using TransferStep = std::function<std::optional<TransferSettings>(const BatchContext&)>;
using StoreStep = std::function<StoreOutcome(const BatchContext&, const BatchCategory&)>;

struct BatchCategory {
    const char* caption = "";  // the check box
    const char* name = "";     // the category's name on a command line
    int slot = 0;              // its flag in Trans.dat, 1 to 22
    const char* sendMessage = "";
    const char* requestMessage = "";
    const char* errorSuffix = "";  // follows the first answer line in the message of an error
    bool errorStopsRun = false;    // an error answer clears the continue flag: no more requests
    bool readBack = true;          // false: sent only, no request or store step (the clock)
    AnswerReading answer = {};
    // The local files that a send reads; a send finds nothing to do without any of them.
    std::vector<std::string> files = {};
    TransferStep send = {};
    TransferStep request = {};
    StoreStep store = {};
};

}  // namespace vorn
