// vornctl: the transfers of vorn without a window, for scripts.
//   vornctl send [--dir DIR] [--device PATH] [--scales LIST] [--changed-only] CATEGORY...
//   vornctl receive [--dir DIR] [--device PATH] [--scales N] [--allow-empty] CATEGORY...
//   vornctl label send|receive [--dir DIR] [--device PATH] --number N FILE
//   vornctl transfer [--dir DIR] [--device PATH] [--receive] [--key-width N]
//                    [--records-per-item N] [--quiet]
//   vornctl test [--device PATH] [--wait SECONDS]
//   vornctl history [--dir DIR]
// send, receive and test take --report json (cli/Report.h).
// Exit 0 on success, 1 when a scale's answer says no (or none came), 2 when the port cannot be
// opened or the command line is wrong.

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "cli/Commands.h"
#include "cli/Report.h"
#include "comm/ComPortSettings.h"
#include "comm/ConnectionTest.h"
#include "comm/EngineTransferRunner.h"
#include "comm/RecordLine.h"
#include "comm/TransferFiles.h"
#include "platform/Prompter.h"

namespace {

using vornctl::kFailed;
using vornctl::kSucceeded;
using vornctl::kUnusable;

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
    if (!vornctl::enterDirectory(options.dir)) {
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
    vorn::tellLineFailure(runner.lineFailure());
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

int runTest(const TestOptions& options, vornctl::RunReport& report) {
    vorn::ComPortSettings settings = vorn::readComPortFile();
    if (!options.device.empty()) {
        settings.device = options.device;
    }
    const vorn::ConnectionVerdict verdict =
        vorn::testConnection(settings, std::chrono::seconds(options.waitSeconds));
    report.text = verdict.text;
    report.detail = verdict.detail;
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

std::string categoryList() {
    std::string text;
    std::size_t column = 0;
    for (const std::string& name : vornctl::categoryNames()) {
        if (column + name.size() > 70) {
            text += "\n";
            column = 0;
        }
        text += "  " + name;
        column += name.size() + 2;
    }
    return text;
}

const std::string kBatchExitText =
    "\nExit status: 0 when every category that ran succeeded; 1 when any failed (each\n"
    "is named on standard error); 2 when the port cannot be opened or the command\n"
    "line is wrong.";

const std::string kBatchFooter =
    "\nCATEGORY is one of these, or all (every one but vat):\n" + categoryList() +
    "\nThey are taken in this order, whatever order they are given in.\n";

void addPlace(CLI::App* command, std::string& dir, std::string& device) {
    command
        ->add_option("--dir", dir,
                     "The scale directory, with the table files and the transfer files "
                     "(default: the current directory)")
        ->type_name("DIR");
    command
        ->add_option("--device", device,
                     "The serial device, or a device server: tcp://HOST:PORT or "
                     "rfc2217://HOST:PORT, instead of the one comport.ini names")
        ->type_name("PATH");
}

void addCategories(CLI::App* command, vornctl::BatchOptions& options) {
    command->add_option("CATEGORY", options.categories, "The tables to move, or all")->required();
}

void addReport(CLI::App* command, std::string& format) {
    command
        ->add_option("--report", format,
                     "json: one JSON object on standard output at the end, with the device, "
                     "each category's outcome and records, and the time taken")
        ->type_name("json")
        ->check(CLI::IsMember({"json"}).description(""));
}

const std::string kReportFooter =
    "\n--report json writes one object to standard output at the end (the lines on\n"
    "standard error stay): command, device, exitStatus (0, 1, 2), result (\"succeeded\",\n"
    "\"failed\", \"unusable\"), seconds; for send and receive, categories: one object\n"
    "each, in batch order, with name, outcome (\"succeeded\", \"failed\", \"skipped\"),\n"
    "records (sent or received) and detail; for test, text and detail (the verdict);\n"
    "and messages: every message shown, such as why the port could not be opened.\n";

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

    vornctl::BatchOptions send;
    CLI::App* sendCommand = app.add_subcommand(
        "send", "Sends tables of the scale directory to the scale, as the batch transfer does");
    sendCommand->footer(
        kBatchFooter +
        "\nvornctl send sends each table file of DIR with the lines of the Communication\n"
        "dialog's PC->Scale run. A category whose file is missing is skipped. A category\n"
        "fails when the first line of trf.in, or any later one, is not the scale's\n"
        "success answer (it starts with 1 or 3); the others go on. Progress and\n"
        "failures are written to standard error.\n"
        "\nWith --changed-only, plu sends only the PLUs that are new or changed since the\n"
        "scale last acknowledged them: vornctl keeps what each scale acknowledged in\n"
        "pluack01.dat (02, 05, ...) in DIR, updated after every send and every receive\n"
        "of plu. When nothing changed, nothing is sent and plu succeeds. After the scale\n"
        "was cleared or replaced, send plu once without --changed-only.\n"
        "\nExample, every night at 2:30:\n"
        "  30 2 * * *  vornctl send --dir ~/vorn/shop1/scale1 --changed-only plu\n" +
        kReportFooter + kBatchExitText);
    addPlace(sendCommand, send.dir, send.device);
    std::string reportFormat;
    addReport(sendCommand, reportFormat);
    sendCommand
        ->add_option("--scales", send.scales,
                     "The scales to send to, in turn, by number: 01,02,05 (default: 01, "
                     "without checking the number in the answers)")
        ->type_name("LIST");
    sendCommand->add_flag("--changed-only", send.changedOnly,
                          "plu: send only the PLUs that are new or changed since the scale last "
                          "acknowledged them");
    addCategories(sendCommand, send);

    vornctl::BatchOptions receive;
    CLI::App* receiveCommand = app.add_subcommand(
        "receive", "Reads tables from the scale into the scale directory, as the batch does");
    receiveCommand->footer(
        kBatchFooter +
        "\nvornctl receive requests each table from the scale and rewrites its table file\n"
        "in DIR with the scale's answer, as the Communication dialog's Scale->PC run\n"
        "does; an error answer leaves the file as it was. The scale's clock (datetime)\n"
        "is not read back. After an error answer to any category but plu, extra-text,\n"
        "discount and bar-code, no further table is requested: the categories after it\n"
        "fail with the same answer.\n"
        "Before a file is rewritten, it is copied into DIR/backup/ (one copy a table,\n"
        "replaced by the next receive). An answer with no records does not empty a\n"
        "table that holds some: that category fails and the file stays, unless\n"
        "--allow-empty is given.\n" +
        kReportFooter + kBatchExitText);
    addPlace(receiveCommand, receive.dir, receive.device);
    receiveCommand->add_flag("--allow-empty", receive.allowEmpty,
                             "Let an answer with no records empty a table that holds some");
    addReport(receiveCommand, reportFormat);
    receiveCommand
        ->add_option("--scales", receive.scales,
                     "The scale to read, by number: 05 (default: 01, without checking the number "
                     "in the answers)")
        ->type_name("N");
    addCategories(receiveCommand, receive);

    vornctl::LabelOptions labelSend;
    vornctl::LabelOptions labelReceive;
    CLI::App* labelCommand =
        app.add_subcommand("label", "Moves one label layout file between the PC and the scale");
    labelCommand->require_subcommand(1);
    labelCommand->footer(
        "\nvornctl label send --number N FILE sends the first line of FILE as label layout\n"
        "N (1 to 3); vornctl label receive --number N FILE reads layout N from the scale\n"
        "into FILE. The transfer files trf.out and trf.in are written in DIR.\n" +
        kExitStatusText);
    CLI::App* labelSendCommand =
        labelCommand->add_subcommand("send", "Sends a label layout file to the scale");
    CLI::App* labelReceiveCommand =
        labelCommand->add_subcommand("receive", "Reads a label layout from the scale into a file");
    for (auto [command, options] :
         {std::pair{labelSendCommand, &labelSend}, std::pair{labelReceiveCommand, &labelReceive}}) {
        addPlace(command, options->dir, options->device);
        command->add_option("--number", options->number, "The label layout, 1 to 3")
            ->type_name("N")
            ->required()
            ->check(CLI::Range(1, 3).description(""));
        command->add_option("FILE", options->file, "The label layout file (*.lbl)")->required();
    }
    labelSendCommand->get_option("FILE")->check(CLI::ExistingFile);

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
                     "The serial device, or a device server: tcp://HOST:PORT or "
                     "rfc2217://HOST:PORT, instead of the one comport.ini names")
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
        kReportFooter + kExitStatusText);
    addReport(testCommand, reportFormat);
    testCommand
        ->add_option("--device", test.device,
                     "The serial device, or a device server: tcp://HOST:PORT or "
                     "rfc2217://HOST:PORT, instead of the one comport.ini names")
        ->type_name("PATH");
    testCommand
        ->add_option("--wait", test.waitSeconds,
                     "Seconds to wait for the answer, 1 to 60 (default " +
                         std::to_string(test.waitSeconds) + ")")
        ->type_name("SECONDS")
        ->check(CLI::Range(1, 60).description(""));

    std::string historyDir;
    CLI::App* historyCommand =
        app.add_subcommand("history", "Prints the transfers of the scale directory, newest first");
    historyCommand->footer(
        "\nvornctl history prints what the program and vornctl sent to and received from the\n"
        "scales of DIR (default: the current directory), newest first, one transfer a line:\n"
        "date and time, direction, table, records and the outcome, separated by TAB. The\n"
        "history is kept in DIR/history.log and, when that grows past 256 KiB,\n"
        "DIR/history.1.log.\n");
    historyCommand->add_option("--dir", historyDir, "The scale directory")->type_name("DIR");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? kSucceeded : kUnusable;
    }

    vornctl::RecordingPrompter prompter;
    vorn::installPrompter(&prompter);
    const auto start = std::chrono::steady_clock::now();
    vornctl::RunReport report;
    int result = kUnusable;
    if (historyCommand->parsed()) {
        result = vornctl::runHistory(historyDir);
    } else if (transferCommand->parsed()) {
        result = runTransfer(transfer);
    } else if (testCommand->parsed()) {
        report.command = "test";
        report.device = vornctl::deviceUsed(test.device);
        result = runTest(test, report);
    } else if (sendCommand->parsed()) {
        report.command = "send";
        report.device = vornctl::deviceUsed(send.device);
        result = vornctl::runSend(send, &report);
    } else if (receiveCommand->parsed()) {
        report.command = "receive";
        report.device = vornctl::deviceUsed(receive.device);
        result = vornctl::runReceive(receive, &report);
    } else if (labelSendCommand->parsed()) {
        result = vornctl::runLabelSend(labelSend);
    } else if (labelReceiveCommand->parsed()) {
        result = vornctl::runLabelReceive(labelReceive);
    }
    vorn::installPrompter(nullptr);
    if (!reportFormat.empty()) {
        report.exitStatus = result;
        report.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        report.messages = prompter.messages();
        std::printf("%s\n", vornctl::jsonReport(report).c_str());
    }
    return result;
}
