// A table received by the batch as vornctl runs it, over the real engine and serial code, from
// a vornsim that misbehaves: the stored table is exactly the scale's, or the old one with the
// category failed. The protocol's long waits run in compressed time; one run goes through the
// vornctl program itself.

#include <gtest/gtest.h>

#include <filesystem>

#include "batch/BatchCategories.h"
#include "batch/BatchCommand.h"
#include "plu/PluFile.h"
#include "tables/TableFiles.h"
#include "tables/TextPieces.h"
#include "tests/comm/CompressedLine.h"
#include "tests/support/PluSamples.h"
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

// The seed of a vornsim table: its records, a line each.
std::string seedOf(const std::vector<std::string>& records) {
    std::string text;
    for (const std::string& r : records) {
        text += r + "\n";
    }
    return text;
}

// Five PLUs whose label data is not the default one (label 2).
std::vector<PluPair> fivePlus() {
    std::vector<PluPair> pairs;
    for (int n = 1; n <= 5; ++n) {
        PluPair pair = samplePluPair(n, "ITEM " + std::to_string(n));
        setField(pair.label, labelrecord::kLabelNumber, "02");
        pairs.push_back(pair);
    }
    return pairs;
}

// Answers that are not the table asked for: vornctl fails and the old table stays, byte for
// byte; label data in another order is paired by PLU number and stored.
TEST(EngineFaultEndToEnd, AnAnswerThatIsNotTheTableAskedForLeavesTheOldTable) {
    std::vector<std::string> operators;
    for (int n = 1; n <= 40; ++n) {
        operators.push_back(cformat("0002040000000000%03d%-20s", {n, "CLERK"}));
    }
    std::vector<std::string> plus;
    std::vector<std::string> labels;
    for (const PluPair& pair : fivePlus()) {
        plus.push_back(pair.plu);
        labels.push_back(pair.label);
    }
    struct Case {
        const char* name;
        const char* category;
        std::vector<std::pair<std::string, std::string>> seed;  // table code, records
        std::vector<std::string> faults;
        std::vector<std::string> files;  // the category's table files
        bool received;
    };
    const std::vector<Case> cases = {
        {"tares to a group request",
         "group",
         {{"10", seedOf({"00021000000001010001" + pad("FRUIT", 20) + "0000"})},
          {"15", seedOf({"00021500000001010100001234"})}},
         {"--answer-table", "15"},
         {"Artgrp.dat"},
         false},
        {"40 operators where the table holds 4",
         "operator",
         {{"04", seedOf(operators)}},
         {},
         {"Opt.dat"},
         false},
        {"header and bottom swapped",
         "header-bottom",
         {{"11", seedOf({"00021100000001000" + pad("HEAD", 140),
                         "00021100000001001" + pad("BOTTOM", 140)})}},
         {"--reverse", "11"},
         {"hbtext.dat"},
         false},
        {"layout 3 for layout 1",
         "default-label",
         {{"60", seedOf({"000260000000000003" + std::string(40, '3')})}},
         {"--whole-table"},
         {"labedita.dat", "labeditb.dat", "labeditc.dat"},
         false},
        {"label data in reverse order",
         "plu",
         {{"07", seedOf(plus)}, {"08", seedOf(labels)}},
         {"--reverse", "08"},
         {"plurec.dat"},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir{TempDir::Enter};
        const std::string seed = dir.file("seed");
        std::filesystem::create_directory(seed);
        for (const auto& [code, records] : c.seed) {
            writeFile(seed + "/table" + code + ".txt", records);
        }
        for (const std::string& file : c.files) {
            writeFile(file, "OLD " + file + "\r\n");
        }
        std::vector<std::string> args = {"--seed", seed};
        args.insert(args.end(), c.faults.begin(), c.faults.end());
        SimulatedScale scale(args);
        ASSERT_TRUE(scale.ready());
        EXPECT_EQ(runProgram(programPath("vornctl"),
                             {"receive", "--dir", dir.path().string(), "--device", scale.device(),
                              c.category},
                             dir.file("err.txt")),
                  c.received ? 0 : 1)
            << readFile(dir.file("err.txt"));
        if (c.received) {
            const std::vector<PluPair> stored = readPluFile().pairs;
            ASSERT_EQ(stored.size(), 5u);
            for (std::size_t i = 0; i < stored.size(); ++i) {
                EXPECT_EQ(pluNumberOf(stored[i].plu), static_cast<int>(i + 1));
                EXPECT_EQ(pluNumberOf(stored[i].label), static_cast<int>(i + 1));
                EXPECT_EQ(field(stored[i].label, labelrecord::kLabelNumber.pos,
                                labelrecord::kLabelNumber.width),
                          "02");
            }
        } else {
            for (const std::string& file : c.files) {
                EXPECT_EQ(readFile(file), "OLD " + file + "\r\n") << file;
            }
        }
        EXPECT_EQ(scale.stop(), 0);
    }
}

}  // namespace
}  // namespace vorn::test
