// vornctl: the transfers of vorn without a window, for scripts.
//   vornctl transfer [--dir DIR] [--device PATH] [--receive] [--key-width N]
//                    [--records-per-item N] [--quiet]
//   vornctl test [--device PATH] [--wait SECONDS]
// Exit 0 on success, 1 when the scale's answer says no (or none came), 2 when the port cannot be
// opened or the command line is wrong.

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "comm/ComPortSettings.h"
#include "comm/ConnectionTest.h"
#include "comm/EngineTransferRunner.h"
#include "comm/RecordLine.h"
#include "comm/TransferFiles.h"
#include "platform/Prompter.h"

namespace {

constexpr int kSucceeded = 0;
constexpr int kFailed = 1;
constexpr int kUnusable = 2;

const std::string kExitStatusText =
    "\nExit status: 0 on success; 1 when the scale's answer is an error or no answer came;\n"
    "2 when the port cannot be opened or the command line is wrong.";

struct TransferOptions {
    std::string dir;
    std::string device;
    vorn::TransferRequest request;
};

struct TestOptions {
    std::string device;
    int waitSeconds = static_cast<int>(vorn::kConnectionTestTime.count());
};

std::string firstLine(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

int runTransfer(const TransferOptions& options) {
    if (!options.dir.empty() && ::chdir(options.dir.c_str()) != 0) {
        std::fprintf(stderr, "vornctl: cannot enter directory %s\n", options.dir.c_str());
        return kUnusable;
    }
    const bool quiet = options.request.quiet;
    vorn::EngineTransferRunner runner(options.device, [quiet](const vorn::TransferProgress& p) {
        if (!quiet) {
            std::fprintf(stderr, "Scale No.:%d:%s%s\n", p.scaleNumber, p.scaleName.c_str(),
                         p.itemsSentText.c_str());
        }
    });
    runner.run(options.request);
    // The engine has said why the port cannot be opened.
    if (runner.lastOutcome() == vorn::EngineTransferRunner::Outcome::PortFailed) {
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

int runTest(const TestOptions& options) {
    vorn::ComPortSettings settings = vorn::readComPortFile();
    if (!options.device.empty()) {
        settings.device = options.device;
    }
    const vorn::ConnectionVerdict verdict =
        vorn::testConnection(settings, std::chrono::seconds(options.waitSeconds));
    switch (verdict.result) {
        case vorn::ConnectionResult::Answered:
            std::printf("%s\n%s\n", verdict.text.c_str(), verdict.detail.c_str());
            return kSucceeded;
        case vorn::ConnectionResult::NotRun:
            return kUnusable;  // the engine has said why
        case vorn::ConnectionResult::Failed:
        case vorn::ConnectionResult::Cancelled:
            break;
    }
    std::fprintf(stderr, "vornctl: %s\n%s\n", verdict.text.c_str(), verdict.detail.c_str());
    return kFailed;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app(
        "vornctl runs the transfers of vorn, the data management tool for retail scales, "
        "without a window.\nThe port is the one that comport.ini names (beside the program, "
        "else in $XDG_CONFIG_HOME/vorn\nor ~/.config/vorn), unless --device names another.\n",
        "vornctl");
    app.set_version_flag("--version", std::string("vornctl ") + VORN_VERSION);
    app.require_subcommand(1);
    app.footer(kExitStatusText + "\nRun 'vornctl COMMAND --help' for the options of a command.");

    TransferOptions transfer;
    transfer.request.message = "Transfering data,please wait......";
    CLI::App* transferCommand = app.add_subcommand(
        "transfer", "Sends the lines of trf.out to the scale, answers to trf.in");
    transferCommand->footer(
        "\nvornctl transfer sends every line of trf.out in DIR to the scale and writes\n"
        "its answers to trf.in there, with the byte logs log.asc and log.hex. It succeeds\n"
        "when the first line of trf.in starts with 1 or 3.\n" +
        kExitStatusText);
    transferCommand
        ->add_option("--dir", transfer.dir,
                     "The directory of trf.out (default: the current directory)")
        ->type_name("DIR");
    transferCommand
        ->add_option("--device", transfer.device,
                     "The serial device instead of the one comport.ini names")
        ->type_name("PATH");
    transferCommand->add_flag("--receive", transfer.request.receive,
                              "The records are requested from the scale");
    transferCommand
        ->add_option("--key-width", transfer.request.keyWidth,
                     "Characters of the item key after the envelope, 0 to 1000 (default 0)")
        ->type_name("N")
        ->check(CLI::Range(0, 1000).description(""));
    transferCommand
        ->add_option("--records-per-item", transfer.request.recordsPerItem,
                     "Answer lines that make one item in the count shown (default 1)")
        ->type_name("N")
        ->check(CLI::Range(1, 1000000).description(""));
    transferCommand->add_flag("--quiet", transfer.request.quiet,
                              "No item count, no \"TimeOut\" message");

    TestOptions test;
    CLI::App* testCommand =
        app.add_subcommand("test", "Tests the connection to the scale with a harmless request");
    testCommand->footer(
        "\nvornctl test sends one harmless request, for the scale's date texts, and says \"The\n"
        "scale answered.\" or why not. It works in a temporary directory: no file of a scale\n"
        "directory changes.\n" +
        kExitStatusText);
    testCommand
        ->add_option("--device", test.device,
                     "The serial device instead of the one comport.ini names")
        ->type_name("PATH");
    testCommand
        ->add_option("--wait", test.waitSeconds,
                     "Seconds to wait for the answer, 1 to 60 (default " +
                         std::to_string(test.waitSeconds) + ")")
        ->type_name("SECONDS")
        ->check(CLI::Range(1, 60).description(""));

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? kSucceeded : kUnusable;
    }

    vorn::StderrPrompter prompter;
    vorn::installPrompter(&prompter);
    int result = kUnusable;
    if (transferCommand->parsed()) {
        result = runTransfer(transfer);
    } else if (testCommand->parsed()) {
        result = runTest(test);
    }
    vorn::installPrompter(nullptr);
    return result;
}
