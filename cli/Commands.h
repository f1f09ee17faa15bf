#pragma once
// vornctl's commands that move tables: send and receive (the batch categories without a
// window) and label (one label layout file).

#include <string>
#include <vector>

#include "comm/TransferRunner.h"

namespace vornctl {

struct RunReport;

inline constexpr int kSucceeded = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUnusable = 2;

struct BatchOptions {
    std::string dir;
    std::string device;
    std::string scales;  // "01,02,05"
    bool changedOnly = false;
    // receive: an answer with no records may empty a table that holds some.
    bool allowEmpty = false;
    std::vector<std::string> categories;  // command-line names, or "all"
};

// The category names a command line may give, in batch order, with "vat" after them.
std::vector<std::string> categoryNames();

// report, when given, gets the categories' outcomes.
int runSend(const BatchOptions& options, RunReport* report = nullptr);
int runReceive(const BatchOptions& options, RunReport* report = nullptr);

// The device a command uses: the one given, else the one comport.ini names.
std::string deviceUsed(const std::string& given);

struct LabelOptions {
    std::string dir;
    std::string device;
    int number = 1;
    std::string file;
};

int runLabelSend(const LabelOptions& options);
int runLabelReceive(const LabelOptions& options);

// Prints the transfer history of the directory, newest first.
int runHistory(const std::string& dir);

// Enters the directory of a command; false (and said) when it cannot.
bool enterDirectory(const std::string& dir);

}  // namespace vornctl
