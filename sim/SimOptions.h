#pragma once
// vornsim's command line.

#include <optional>
#include <string>
#include <vector>

namespace vornsim {

// An answer that never ends: ETB frames (the answer's records over and over) or busy frames.
enum class Endless { No, Etb, Busy };

struct Faults {
    int nak = 0;          // NAK the next N frames
    bool silent = false;  // never answer at all
    int badCheck = 0;     // spoil the block check of the next N answer frames
    int busy = 0;         // N "32E-3" frames before the next answer
    int noAck = 0;        // let the next N frames go unacknowledged (and unanswered)
    bool pace = false;    // bytes take their wire time at the line's baud rate
    // Faults of the answer frames; each send of a frame that carries one uses up one. The
    // scale sends a frame again when it is not acknowledged, three times in all.
    int after = 0;      // the answer faults begin after N answer frames went out well
    int cut = 0;        // the next N answer frames stop halfway
    int badStatus = 0;  // the next N answer frames carry the status '2'
    int lineFeed = 0;   // the next N answer frames hold a line feed (right block check)
    int headless = 0;   // the next N answer frames come without their STX
    int repeat = 0;     // the next N answer frames are sent again once acknowledged
    int stale = 0;      // the next N acknowledgements follow the tail of an old frame
    int noAnswer = 0;   // the next N requests are acknowledged and never answered
    int stopAfter = 0;  // every answer stops after N frames (0: never)
    Endless endless = Endless::No;
    // Answers that are not what was asked: every request answered with the records of another
    // table, a request for one record with the whole table, the records of one table in
    // reverse order.
    std::string answerTable;  // table code, or empty
    bool wholeTable = false;
    std::string reverseTable;  // table code, or empty
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
    "               [--nak N] [--silent] [--bad-bcc N] [--busy N] [--no-ack N]\n"
    "               [--after N] [--cut N] [--bad-status N] [--line-feed N] [--headless N]\n"
    "               [--repeat N] [--stale N] [--no-answer N] [--stop-after N]\n"
    "               [--endless etb|busy]\n"
    "               [--answer-table CODE] [--whole-table] [--reverse CODE]\n";

// No value (and a message in error) for a wrong command line.
std::optional<SimOptions> parseOptions(const std::vector<std::string>& args, std::string& error);

}  // namespace vornsim
