#pragma once
// One category of the batch transfer: what its check box says, where Trans.dat keeps its flag,
// what the progress dialog shows, and its three steps. A send or request step writes trf.out
// in the current (scale) directory and returns the settings of the transfer to start, or no
// value when it starts none (its table file cannot be read, say). A store step reads the answer
// that the request left in trf.in and rewrites the category's table file.

#include <functional>
#include <optional>
#include <string>

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
};

enum class StoreOutcome {
    NoAnswer,     // trf.in could not be read; nothing was done
    ErrorAnswer,  // the first answer line is no success line; it was shown, the file untouched
    NotStored,    // the answer was good but the table file could not be written (told)
    Stored,
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
    bool available = false;        // false: the table has not landed yet; the steps do nothing
    TransferStep send = {};
    TransferStep request = {};
    StoreStep store = {};
};

}  // namespace vorn
