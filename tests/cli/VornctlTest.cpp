// vornctl through the real engine and serial code against vornsim on a pseudo-terminal.

#include <gtest/gtest.h>

#include <sys/file.h>

#include "comm/EngineTransferRunner.h"
#include "comm/TransferHistory.h"
#include "comm/TransferRunner.h"
#include "editors/code/PresetKeyRecords.h"
#include "platform/PosixSerialLine.h"
#include "tables/TableFiles.h"
#include "tests/support/PluSamples.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace vorn::test {
namespace {

const std::string kFruit = "00021000000001000001Fruit               0000";
const std::string kMeat = "00021000000001000002Meat                0000";

std::string answered(std::string line) {
    line[0] = '1';
    line[13] = '1';
    line[14] = '0';
    line[15] = '1';
    return line;
}

int vornctl(const std::vector<std::string>& args, const std::string& errFile = {}) {
    return runProgram(programPath("vornctl"), args, errFile);
}

TEST(Vornctl, SentGroupsComeBackOnRequest) {
    TempDir dir;
    SimulatedScale withDump({"--dump", dir.file("tables")});
    ASSERT_TRUE(withDump.ready());
    writeFile(dir.file("trf.out"), kMeat + "\r\n" + kFruit + "\r\n");
    EXPECT_EQ(vornctl({"transfer", "--dir", dir.path().string(), "--device", withDump.device(),
                       "--quiet"}),
              0);
    EXPECT_EQ(readFile(dir.file("trf.in")), answered(kMeat) + "\r\n" + answered(kFruit) + "\r\n");
    EXPECT_NE(readFile(dir.file("log.hex")).find("BeginWaitAckTime:"), std::string::npos);

    writeFile(dir.file("trf.out"), "00021000070001000000\n");
    EXPECT_EQ(vornctl({"transfer", "--dir", dir.path().string(), "--device", withDump.device(),
                       "--receive"},
                      dir.file("err.txt")),
              0);
    // The stored records in key order, one line per frame.
    EXPECT_EQ(readFile(dir.file("trf.in")), answered(kFruit) + "\r\n" + answered(kMeat) + "\r\n");
    EXPECT_NE(readFile(dir.file("err.txt")).find(" 2 items has sent!"), std::string::npos);

    EXPECT_EQ(withDump.stop(), 0);
    EXPECT_EQ(readFile(dir.file("tables/table10.txt")),
              "0" + answered(kFruit).substr(1) + "\n0" + answered(kMeat).substr(1) + "\n");
}

TEST(Vornctl, ExitCodes) {
    SimulatedScale scale;
    ASSERT_TRUE(scale.ready());
    TempDir dir;
    const std::string d = dir.path().string();
    // Nothing to send: an empty trf.in, a failed transfer.
    writeFile(dir.file("trf.out"), "");
    EXPECT_EQ(vornctl({"transfer", "--dir", d, "--device", scale.device()}), 1);
    EXPECT_EQ(readFile(dir.file("trf.in")), "");
    // No such port, a port held by another program, wrong arguments.
    writeFile(dir.file("trf.out"), kFruit + "\n");
    EXPECT_EQ(vornctl({"transfer", "--dir", d, "--device", d + "/no-such-tty"}, dir.file("e")), 2);
    EXPECT_EQ(readFile(dir.file("e"))
                  .rfind("Error opening COM port\n" + d + "/no-such-tty: no such device.", 0),
              0u)
        << readFile(dir.file("e"));
    {
        PosixSerialLine holder;
        ASSERT_TRUE(holder.open(scale.device(), {}));
        EXPECT_EQ(vornctl({"transfer", "--dir", d, "--device", scale.device()}, dir.file("e")), 2);
        EXPECT_NE(readFile(dir.file("e")).find(scale.device() + ": busy, held by another program"),
                  std::string::npos)
            << readFile(dir.file("e"));
    }
    EXPECT_EQ(vornctl({"transfer", "--key-width"}), 2);
    EXPECT_EQ(vornctl({"transfer", "--records-per-item", "0"}), 2);
    EXPECT_EQ(vornctl({"send"}), 2);
    EXPECT_EQ(vornctl({"transfer", "--dir", d + "/missing"}), 2);
    // The port is free again: the transfer goes through.
    EXPECT_EQ(vornctl({"transfer", "--dir", d, "--device", scale.device()}), 0);
}

TEST(Vornctl, PortFromComportIniBesideTheProgram) {
    // vornctl reads comport.ini from its own directory; a copy of it in a scratch directory
    // finds the device named there.
    SimulatedScale scale;
    ASSERT_TRUE(scale.ready());
    TempDir dir;
    const std::string bin = dir.file("bin");
    std::filesystem::create_directories(bin);
    std::filesystem::copy_file(programPath("vornctl"), bin + "/vornctl");
    writeFile(bin + "/comport.ini", "1,9600,8,0,0," + scale.device());
    writeFile(dir.file("trf.out"), kFruit + "\n");
    EXPECT_EQ(runProgram(bin + "/vornctl", {"transfer", "--dir", dir.path().string()}), 0);
    EXPECT_EQ(readFile(dir.file("trf.in")), answered(kFruit) + "\r\n");
}

TEST(Vornctl, TestTellsAWorkingLineFromADeadOne) {
    SimulatedScale scale;
    SimulatedScale silent({"--silent"});
    ASSERT_TRUE(scale.ready() && silent.ready());
    TempDir dir;
    const std::string err = dir.file("err.txt");
    EXPECT_EQ(vornctl({"test", "--device", scale.device()}, err), 0);
    EXPECT_EQ(vornctl({"test", "--device", silent.device(), "--wait", "1"}, err), 1);
    EXPECT_EQ(readFile(err).rfind("vornctl: The scale did not answer.\nNothing came back on " +
                                      silent.device() + " within 1 second.",
                                  0),
              0u)
        << readFile(err);
    EXPECT_EQ(vornctl({"test", "--device", dir.file("ttyUSB0")}, err), 2);
    EXPECT_NE(readFile(err).find(dir.file("ttyUSB0") + ": no such device."), std::string::npos);
    EXPECT_EQ(vornctl({"test", "--wait", "0"}), 2);
    EXPECT_EQ(vornctl({"test", "--receive"}), 2);
}

TEST(Vornctl, PortFromComportIniInTheUsersDirectory) {
    // None lies beside the program (a copy in a scratch directory): the user's file names it.
    SimulatedScale scale;
    ASSERT_TRUE(scale.ready());
    TempDir dir;
    const std::string bin = dir.file("bin");
    std::filesystem::create_directories(bin);
    std::filesystem::copy_file(programPath("vornctl"), bin + "/vornctl");
    std::filesystem::create_directories(dir.file("config/vorn"));
    writeFile(dir.file("config/vorn/comport.ini"), "1,9600,8,0,0," + scale.device());
    ScopedEnv config("XDG_CONFIG_HOME", dir.file("config"));
    EXPECT_EQ(runProgram(bin + "/vornctl", {"test"}), 0);
    writeFile(dir.file("trf.out"), kFruit + "\n");
    EXPECT_EQ(runProgram(bin + "/vornctl", {"transfer", "--dir", dir.path().string()}), 0);
    EXPECT_EQ(readFile(dir.file("trf.in")), answered(kFruit) + "\r\n");
}

TEST(Vornctl, SendAndReceiveMoveTablesAndSayWhatBecameOfEach) {
    SimulatedScale scale;
    ASSERT_TRUE(scale.ready());
    TempDir pc(TempDir::Enter);
    const std::string d = pc.path().string();
    const std::string err = pc.file("err.txt");
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, {{"   1", "FRUIT"}, {"   2", "MEAT"}}), "");
    // Categories in any order are taken in the batch order; a missing file is skipped.
    EXPECT_EQ(vornctl({"send", "--dir", d, "--device", scale.device(), "group", "plu"}, err), 0);
    EXPECT_EQ(readFile(err),
              "plu: skipped: no plurec.dat\n"
              "group: Transfering Articlegroup information,please wait...\n"
              "group: sent 2 records\n");
    // A table that cannot be sent fails and is named; the others still go.
    writeFile("Opt.dat", std::string("\x0bKVRAWobnOpt\x03\x00\x14\x00", 16));
    EXPECT_EQ(vornctl({"send", "--dir", d, "--device", scale.device(), "all"}, err), 1);
    EXPECT_NE(readFile(err).find("group: sent 2 records"), std::string::npos);
    EXPECT_NE(readFile(err).find("\nvornctl: failed: operator\n"), std::string::npos)
        << readFile(err);

    TempDir empty;
    EXPECT_EQ(vornctl({"receive", "--dir", empty.path().string(), "--device", scale.device(),
                       "--scales", "1", "group"},
                      err),
              0);
    EXPECT_NE(readFile(err).find("group: received"), std::string::npos);
    {
        std::filesystem::current_path(empty.path());
        const auto rows = loadNumberStringFile(tablefile::kGroups).rows;
        std::filesystem::current_path(pc.path());
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[1].number + rows[1].value, "   2" + pad("MEAT", 20));
    }

    // Wrong arguments: exit 2, nothing sent.
    EXPECT_EQ(vornctl({"send", "--device", scale.device(), "groups"}, err), 2);
    EXPECT_NE(readFile(err).find("no category groups"), std::string::npos);
    EXPECT_EQ(vornctl({"send", "--device", scale.device(), "--scales", "01,00", "group"}), 2);
    EXPECT_EQ(vornctl({"send", "--device", scale.device(), "--scales", "01,1", "group"}), 2);
    EXPECT_EQ(vornctl({"receive", "--device", scale.device(), "--scales", "01,02", "group"}), 2);
    EXPECT_EQ(vornctl({"receive", "--changed-only", "plu"}), 2);
    EXPECT_EQ(vornctl({"send", "--dir", d + "/missing", "group"}), 2);
    // A port that cannot be opened: exit 2.
    EXPECT_EQ(vornctl({"send", "--device", pc.file("no-such-tty"), "group"}, err), 2);
}

TEST(Vornctl, AnEmptyAnswerEmptiesATableOnlyWithAllowEmpty) {
    SimulatedScale scale;
    ASSERT_TRUE(scale.ready());
    TempDir pc(TempDir::Enter);
    const std::string err = pc.file("err.txt");
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, {{"   1", "FRUIT"}, {"   2", "MEAT"}}), "");
    const std::string groups = readFile(tablefile::kGroups.name);
    const std::vector<std::string> receive = {"receive", "--device", scale.device(), "group"};

    EXPECT_EQ(vornctl(receive, err), 1);
    EXPECT_NE(readFile(err).find("Group: the scale sent no records; the PC's 2 records were kept"),
              std::string::npos)
        << readFile(err);
    EXPECT_EQ(readFile(tablefile::kGroups.name), groups);

    std::vector<std::string> allowed = receive;
    allowed.insert(allowed.begin() + 1, "--allow-empty");
    EXPECT_EQ(vornctl(allowed, err), 0) << readFile(err);
    EXPECT_TRUE(loadNumberStringFile(tablefile::kGroups).rows.empty());
    EXPECT_EQ(readFile("backup/Artgrp.dat"), groups);

    // Both transfers are in the history, which vornctl prints newest first.
    const std::vector<HistoryEntry> history = loadHistory();
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[0].direction + " " + history[0].table + " " + history[0].outcome,
              "receive Group 0 records received from scale 01");
    EXPECT_EQ(history[1].outcome,
              "0 records received from scale 01; not taken: an empty answer; "
              "the PC's records were kept");
    EXPECT_EQ(runProgram("/bin/sh", {"-c", programPath("vornctl") + " history --dir " +
                                               pc.path().string() + " > listed"}),
              0);
    EXPECT_EQ(readFile("listed"), historyLine(history[0]) + "\n" + historyLine(history[1]) + "\n");
}

TEST(Vornctl, SendWarnsOfAKeyThatNamesAMissingPluAndStillSends) {
    SimulatedScale scale;
    ASSERT_TRUE(scale.ready());
    TempDir pc(TempDir::Enter);
    const std::string err = pc.file("err.txt");
    writeFile(plufile::kName, pluFileOf({samplePluPair(12)}));
    PresetKeys keys;
    keys.plu[0] = "12";
    keys.plu[11] = "999999";
    ASSERT_EQ(saveKeyFile(keys), "");
    EXPECT_EQ(vornctl({"send", "--device", scale.device(), "preset-key"}, err), 0);
    const std::string said = readFile(err);
    EXPECT_EQ(said.find("vornctl: warning: Key 12 points to PLU 999999, which the PLU file does "
                        "not have\n"),
              0u)
        << said;
    EXPECT_NE(said.find("preset-key: sent"), std::string::npos) << said;
    EXPECT_EQ(vornctl({"send", "--device", scale.device(), "plu"}, err), 0);
    EXPECT_EQ(readFile(err).find("warning"), std::string::npos) << readFile(err);
}

TEST(Vornctl, LabelLayoutsGoToTheScaleAndComeBackIntoAFile) {
    SimulatedScale scale;
    ASSERT_TRUE(scale.ready());
    TempDir here(TempDir::Enter);
    TempDir scaleDir;
    const std::string d = scaleDir.path().string();
    writeFile("lab.lbl",
              "1002600002000101"
              "00LAYOUT DATA\r\n\r\n");
    // FILE is named from where vornctl starts, the transfer files go to DIR.
    EXPECT_EQ(vornctl({"label", "send", "--dir", d, "--device", scale.device(), "--number", "2",
                       "lab.lbl"}),
              0);
    EXPECT_EQ(readFile(scaleDir.file("trf.out")),
              "0002600000001101"
              "02LAYOUT DATA\r\n\r\n");
    EXPECT_EQ(vornctl({"label", "receive", "--dir", d, "--device", scale.device(), "--number", "2",
                       "back.lbl"}),
              0);
    EXPECT_EQ(readFile("back.lbl"),
              "0002600000000101"
              "00LAYOUT DATA\r\n\r\n");
    EXPECT_EQ(vornctl({"label", "send", "--number", "2", "missing.lbl"}), 2);
    EXPECT_EQ(vornctl({"label", "send", "--number", "4", "lab.lbl"}), 2);
    EXPECT_EQ(vornctl({"label", "receive", "back.lbl"}), 2);
}

TEST(Vornctl, EveryCommandHasHelp) {
    EXPECT_EQ(vornctl({"--help"}), 0);
    for (const char* command : {"send", "receive", "label", "transfer", "test", "history"}) {
        EXPECT_EQ(vornctl({command, "--help"}), 0) << command;
    }
    EXPECT_EQ(vornctl({"label", "send", "--help"}), 0);
    EXPECT_EQ(vornctl({"--version"}), 0);
    EXPECT_EQ(runProgram(programPath("vornsim"), {"--help"}), 0);
    EXPECT_EQ(runProgram(programPath("vornsim"), {"--bogus"}), 2);
}

TEST(Vornctl, EngineRunnerOverFaultyScaleRecovers) {
    // A spoilt block check and busy frames: the answer still arrives, in about a second.
    SimulatedScale scale({"--bad-bcc", "1", "--busy", "2"});
    ASSERT_TRUE(scale.ready());
    TempDir dir(TempDir::Enter);
    writeFile("trf.out", kFruit + "\n");
    auto runner = scale.runner();
    installTransferRunner(runner.get());
    transferRunner().run({});
    installTransferRunner(nullptr);
    EXPECT_EQ(runner->lastOutcome(), EngineTransferRunner::Outcome::Finished);
    EXPECT_EQ(readFile("trf.in"), answered(kFruit) + "\r\n");
}

}  // namespace
}  // namespace vorn::test
