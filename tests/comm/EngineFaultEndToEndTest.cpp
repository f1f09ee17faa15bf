// A table received by the batch as vornctl runs it, over the real engine and serial code, from
// a vornsim that misbehaves: the stored table is exactly the scale's, or the old one with the
// category failed. The protocol's long waits run in compressed time; one run goes through the
// vornctl program itself.

#include <gtest/gtest.h>

#include <filesystem>

#include "batch/BatchCategories.h"
#include "batch/BatchCommand.h"
#include "tables/TableFiles.h"
#include "tests/comm/CompressedLine.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace vorn::test {
namespace {

const std::vector<std::string> kNames = {"FRUIT", "MEAT", "FISH", "BREAD", "CHEESE", "WINE"};

// The rows of Artgrp.dat, number and name.
std::vector<std::string> storedGroups() {
    std::vector<std::string> rows;
    for (const NumberStringRow& row : loadNumberStringFile(tablefile::kGroups).rows) {
        rows.push_back(row.number + row.value);
    }
    return rows;
}

std::vector<std::string> sixGroups() {
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        rows.push_back("   " + std::to_string(i + 1) + pad(kNames[i], 20));
    }
    return rows;
}

const std::vector<std::string> kOldGroups = {"   1" + pad("OLD", 20), "   7" + pad("OLDER", 20)};

// A scale directory holding the old groups, and a vornsim seeded with the six.
struct GroupReceive {
    TempDir dir{TempDir::Enter};
    std::string seed = dir.file("seed");
    RecordingPrompter prompts;

    GroupReceive() {
        std::filesystem::create_directory(seed);
        std::string table;
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            table += "0002100000000101000" + std::to_string(i + 1) + pad(kNames[i], 20) + "0000\n";
        }
        writeFile(seed + "/table10.txt", table);
        EXPECT_EQ(saveNumberStringFile(tablefile::kGroups,
                                       {{"   1", pad("OLD", 20)}, {"   7", pad("OLDER", 20)}}),
                  "");
    }
    std::vector<std::string> switches(std::vector<std::string> faults) const {
        faults.insert(faults.begin(), {"--seed", seed});
        return faults;
    }
};

TEST(EngineFaultEndToEnd, AReceivedTableIsExactlyTheScalesOrTheOldOne) {
    struct Case {
        const char* name;
        std::vector<std::string> faults;
        bool received;   // else the category fails and the old table stays
        int realWaitMs;  // long enough for vornsim's resend a second later, where one counts
        int msPerByte;
    };
    const std::vector<Case> cases = {
        {"the last of six refused on every send",
         {"--after", "5", "--bad-status", "3"},
         true,
         20,
         0},
        {"a frame cut off on every send", {"--after", "2", "--cut", "3"}, true, 20, 0},
        {"a line feed in a frame", {"--after", "1", "--line-feed", "3"}, true, 250, 0},
        {"a frame without its STX", {"--after", "3", "--headless", "3"}, true, 20, 0},
        {"frames repeated", {"--repeat", "2"}, true, 20, 0},
        {"stale bytes before the ACK", {"--stale", "1"}, true, 20, 0},
        {"the request answered the second time", {"--no-answer", "1"}, true, 20, 0},
        {"two of six frames every time", {"--stop-after", "2"}, false, 20, 0},
        {"the request never answered", {"--no-answer", "9"}, false, 20, 0},
        {"busy without end", {"--endless", "busy"}, false, 20, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GroupReceive pc;
        SimulatedScale scale(pc.switches(c.faults));
        ASSERT_TRUE(scale.ready());
        VirtualClock clock;
        CompressedLine line(clock, c.realWaitMs);
        line.msPerByte = c.msPerByte;
        EngineEnvironment env;
        env.line = &line;
        env.clock = &clock;
        env.device = scale.device();
        env.comPortFile = pc.dir.file("comport.ini");
        EngineTransferRunner runner(env);
        BatchCommandOptions options;
        options.direction = BatchDirection::Receive;
        options.categories = {batchCategoryNamed("group")};
        const BatchCommandResult result = runBatchCommand(runner, options, [](const auto&) {});
        ASSERT_EQ(result.reports.size(), 1u);
        EXPECT_EQ(result.reports[0].verdict,
                  c.received ? CategoryVerdict::Succeeded : CategoryVerdict::Failed)
            << result.reports[0].detail;
        EXPECT_EQ(storedGroups(), c.received ? sixGroups() : kOldGroups);
        EXPECT_EQ(scale.stop(), 0);
    }
}

TEST(EngineFaultEndToEnd, VornctlStoresTheGroupsOnceAfterAFailedAttempt) {
    GroupReceive pc;
    SimulatedScale scale(pc.switches({"--after", "5", "--bad-status", "3"}));
    ASSERT_TRUE(scale.ready());
    EXPECT_EQ(runProgram(
                  programPath("vornctl"),
                  {"receive", "--dir", pc.dir.path().string(), "--device", scale.device(), "group"},
                  pc.dir.file("err.txt")),
              0)
        << readFile(pc.dir.file("err.txt"));
    EXPECT_EQ(storedGroups(), sixGroups());
}

}  // namespace
}  // namespace vorn::test
