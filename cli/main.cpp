// vornctl: one transfer of trf.out through the transfer engine, without a window.
//   vornctl transfer [--dir DIR] [--device PATH] [--receive] [--key-width N]
//                    [--records-per-item N] [--quiet]
// Writes trf.in, log.asc and log.hex in DIR (default: the current directory); progress goes to
// stderr. Exit 0 when the first line of trf.in starts with '1' or '3', 1 when not, 2 when the
// port cannot be opened or the command line is wrong.

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "comm/EngineTransferRunner.h"
#include "comm/RecordLine.h"
#include "comm/TransferFiles.h"
#include "platform/Prompter.h"

namespace {

constexpr const char* kUsage =
    "usage: vornctl transfer [--dir DIR] [--device PATH] [--receive] [--key-width N]\n"
    "                        [--records-per-item N] [--quiet]\n";

constexpr int kSucceeded = 0;
constexpr int kFailed = 1;
constexpr int kUnusable = 2;

struct Command {
    std::string dir;
    std::string device;
    vorn::TransferRequest request;
};

bool toInt(const std::string& text, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

std::optional<Command> parse(const std::vector<std::string>& args, std::string& error) {
    if (args.empty() || args[0] != "transfer") {
        error = args.empty() ? "no command given" : "unknown command " + args[0];
        return std::nullopt;
    }
    Command c;
    c.request.message = "Transfering data,please wait......";
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--receive") {
            c.request.receive = true;
        } else if (a == "--quiet") {
            c.request.quiet = true;
        } else if ((a == "--dir" || a == "--device") && hasValue) {
            (a == "--dir" ? c.dir : c.device) = args[++i];
        } else if (a == "--key-width" && hasValue && toInt(args[i + 1], c.request.keyWidth) &&
                   c.request.keyWidth >= 0 && c.request.keyWidth <= 1000) {
            ++i;
        } else if (a == "--records-per-item" && hasValue &&
                   toInt(args[i + 1], c.request.recordsPerItem) && c.request.recordsPerItem >= 1) {
            ++i;
        } else {
            error = "wrong argument " + a;
            return std::nullopt;
        }
    }
    return c;
}

std::string firstLine(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto command = parse(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!command) {
        std::fprintf(stderr, "vornctl: %s\n%s", error.c_str(), kUsage);
        return kUnusable;
    }
    if (!command->dir.empty() && ::chdir(command->dir.c_str()) != 0) {
        std::fprintf(stderr, "vornctl: cannot enter directory %s\n", command->dir.c_str());
        return kUnusable;
    }
    vorn::StderrPrompter prompter;
    vorn::installPrompter(&prompter);

    const bool quiet = command->request.quiet;
    vorn::EngineTransferRunner runner(command->device, [quiet](const vorn::TransferProgress& p) {
        if (!quiet) {
            std::fprintf(stderr, "Scale No.:%d:%s%s\n", p.scaleNumber, p.scaleName.c_str(),
                         p.itemsSentText.c_str());
        }
    });
    runner.run(command->request);
    vorn::installPrompter(nullptr);

    if (runner.lastOutcome() == vorn::EngineTransferRunner::Outcome::PortFailed) {
        std::fprintf(stderr, "vornctl: the port %s cannot be opened\n",
                     command->device.empty() ? "that comport.ini names" : command->device.c_str());
        return kUnusable;
    }
    const std::string first = firstLine(vorn::transferfile::kIn);
    if (vorn::isSuccessLine(first)) {
        return kSucceeded;
    }
    std::fprintf(stderr, "vornctl: transfer failed: %s\n",
                 first.empty() ? "no answer" : vorn::latin1ToUtf8(first).c_str());
    return kFailed;
}
