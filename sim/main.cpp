// vornsim: a retail scale on a pseudo-terminal, linked at the path given, until SIGTERM or
// SIGINT.

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/PtyLink.h"
#include "sim/ScaleSession.h"
#include "sim/SimOptions.h"
#include "sim/TcpLink.h"

namespace {

constexpr const char* kHelp =
    "vornsim plays a retail scale on a pseudo-terminal, for trying vorn and vornctl without a\n"
    "scale. It stores the records it is sent and answers requests with them, until it is\n"
    "stopped (SIGTERM or SIGINT). It can be told to misbehave.\n"
    "\n"
    "Usage: vornsim --link PATH [OPTIONS]\n"
    "       vornsim --tcp PORT [OPTIONS]\n"
    "\n"
    "Options:\n"
    "  -h,--help      Print this help message and exit\n"
    "  --version      Display program version information and exit\n"
    "  --link PATH    Where the pseudo-terminal's name is linked: the device to open\n"
    "  --tcp PORT     Serve raw TCP on 127.0.0.1:PORT instead, one connection at a time,\n"
    "                 as a device server would: the device is tcp://127.0.0.1:PORT\n"
    "  --line-report FILE\n"
    "                 Write the line settings the program set on the pseudo-terminal\n"
    "                 to FILE (\"4800 7E2\": baud, data bits, parity, stop bits), a line\n"
    "                 each time they change\n"
    "  --seed DIR     Tables to load at the start\n"
    "  --dump DIR     Where the tables are written at the end\n"
    "  --baud N       The baud rate of the line (default: the one the program sets)\n"
    "  --pace         Bytes take their wire time at the line's baud rate\n"
    "  --nak N        NAK the next N frames\n"
    "  --silent       Never answer at all\n"
    "  --bad-bcc N    Spoil the block check of the next N answer frames\n"
    "  --busy N       Send N busy frames (32E-3) before the next answer\n"
    "  --no-ack N     Leave the next N frames unacknowledged and unanswered\n"
    "\n"
    "Faults of the answer frames (each send of a frame uses one up; a frame that is not\n"
    "acknowledged is sent again, three times in all):\n"
    "  --after N      Begin these faults after N answer frames went out well\n"
    "  --cut N        Stop the next N answer frames halfway\n"
    "  --bad-status N Send the next N answer frames with the status 2\n"
    "  --line-feed N  Put a line feed into the next N answer frames\n"
    "  --headless N   Send the next N answer frames without their STX\n"
    "  --repeat N     Send the next N answer frames again after their acknowledgement\n"
    "  --stale N      Send the tail of an old frame before the next N acknowledgements\n"
    "  --no-answer N  Acknowledge the next N requests and never answer them\n"
    "  --stop-after N End every answer after N frames\n"
    "  --endless KIND Never end an answer: etb (its records over and over) or busy\n";

std::atomic<bool> stopRequested = false;

void onSignal(int) {
    stopRequested = true;
}

int dumpTables(const vornsim::SimOptions& options, const vornsim::ScaleTables& tables) {
    if (!options.dump.empty() && !tables.dump(options.dump)) {
        std::fprintf(stderr, "vornsim: cannot write %s\n", options.dump.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (a == "--version") {
            std::printf("vornsim %s\n", VORN_VERSION);
            return 0;
        }
    }
    std::string error;
    const auto options =
        vornsim::parseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "vornsim: %s\n%s", error.c_str(), vornsim::kUsage);
        return 2;
    }
    vornsim::ScaleTables tables;
    if (!options->seed.empty() && !tables.load(options->seed)) {
        std::fprintf(stderr, "vornsim: cannot read %s\n", options->seed.c_str());
        return 2;
    }
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);

    std::error_code ec;
    if (options->tcpPort != 0) {
        vornsim::TcpLink link(options->baud);
        if (!link.listen(options->tcpPort, error)) {
            std::fprintf(stderr, "vornsim: %s\n", error.c_str());
            return 1;
        }
        std::fprintf(stderr, "vornsim: scale on tcp://127.0.0.1:%d, %zu records\n",
                     options->tcpPort, tables.size());
        vornsim::ScaleSession session(link, tables, options->faults, options->baud);
        session.run(stopRequested);
        return dumpTables(*options, tables);
    }
    vornsim::PtyLink link;
    if (!link.create(error)) {
        std::fprintf(stderr, "vornsim: %s\n", error.c_str());
        return 1;
    }
    if (!options->lineReport.empty()) {
        link.reportLineTo(options->lineReport);
    }
    if (std::filesystem::is_symlink(options->link, ec)) {
        std::filesystem::remove(options->link, ec);
    }
    // Made under a temporary name and renamed, so that a watcher never sees a half-made link.
    const std::string temporary = options->link + ".new";
    std::filesystem::remove(temporary, ec);
    std::filesystem::create_symlink(link.slaveName(), temporary, ec);
    if (!ec) {
        std::filesystem::rename(temporary, options->link, ec);
    }
    if (ec) {
        std::fprintf(stderr, "vornsim: cannot link %s: %s\n", options->link.c_str(),
                     ec.message().c_str());
        return 1;
    }
    std::fprintf(stderr, "vornsim: scale on %s (linked at %s), %zu records\n",
                 link.slaveName().c_str(), options->link.c_str(), tables.size());
    vornsim::ScaleSession session(link, tables, options->faults, options->baud);
    session.run(stopRequested);

    std::filesystem::remove(options->link, ec);
    return dumpTables(*options, tables);
}
