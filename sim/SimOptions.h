#pragma once
// vornsim's command line.

#include <optional>
#include <string>
#include <vector>

namespace vornsim {

struct Faults {
    int nak = 0;          // NAK the next N frames
    bool silent = false;  // never answer at all
    int badCheck = 0;     // spoil the block check of the next N answer frames
    int busy = 0;         // N "32E-3" frames before the next answer
    int noAck = 0;        // let the next N frames go unacknowledged (and unanswered)
    bool pace = false;    // bytes take their wire time at the line's baud rate
};

struct SimOptions {
    std::string link;        // where the pseudo-terminal's name is linked
    int tcpPort = 0;         // else: the loopback port to serve raw TCP on
    std::string lineReport;  // where the line settings the PC set are reported
    std::string seed;        // tables to load at start
    std::string dump;        // where the tables go at the end
    int baud = 0;            // 0: the baud rate the PC set on the line
    Faults faults;
};

inline constexpr const char* kUsage =
    "usage: vornsim --link PATH|--tcp PORT [--seed DIR] [--dump DIR] [--baud N] [--pace]\n"
    "               [--line-report FILE]\n"
    "               [--nak N] [--silent] [--bad-bcc N] [--busy N] [--no-ack N]\n";

// No value (and a message in error) for a wrong command line.
std::optional<SimOptions> parseOptions(const std::vector<std::string>& args, std::string& error);

}  // namespace vornsim
