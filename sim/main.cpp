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

namespace {

std::atomic<bool> stopRequested = false;

void onSignal(int) {
    stopRequested = true;
}

}  // namespace

int main(int argc, char** argv) {
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
    vornsim::PtyLink link;
    if (!link.create(error)) {
        std::fprintf(stderr, "vornsim: %s\n", error.c_str());
        return 1;
    }
    std::error_code ec;
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
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);

    std::fprintf(stderr, "vornsim: scale on %s (linked at %s), %zu records\n",
                 link.slaveName().c_str(), options->link.c_str(), tables.size());
    vornsim::ScaleSession session(link, tables, options->faults, options->baud);
    session.run(stopRequested);

    std::filesystem::remove(options->link, ec);
    if (!options->dump.empty() && !tables.dump(options->dump)) {
        std::fprintf(stderr, "vornsim: cannot write %s\n", options->dump.c_str());
        return 1;
    }
    return 0;
}
