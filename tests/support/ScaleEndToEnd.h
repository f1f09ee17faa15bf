#pragma once
// The fixture of the end-to-end tests: a scale directory made current, a simulated scale that
// dumps its tables when stopped, the real engine's runner on it, and a recording prompter.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "comm/EngineTransferRunner.h"
#include "comm/TransferRunner.h"
#include "tables/TextFiles.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace vorn::test {

// The records of a table that a stopped scale dumped into dumpDir (vornsim --dump), in the
// order of their keys; none when the scale holds no such table.
inline std::vector<std::string> dumpedRecords(const std::string& dumpDir,
                                              const std::string& tableCode) {
    return readTextLines(dumpDir + "/table" + tableCode + ".txt")
        .value_or(std::vector<std::string>{});
}

class ScaleEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(dump);
        ASSERT_TRUE(scale.ready());
        installTransferRunner(runner.get());
    }
    void TearDown() override { installTransferRunner(nullptr); }
    // Stops the scale and returns the records it holds of a table.
    std::vector<std::string> stored(const std::string& tableCode) {
        EXPECT_EQ(scale.stop(), 0);
        return dumpedRecords(dump, tableCode);
    }

    TempDir dir{TempDir::Enter};
    const std::string dump = dir.file("dump");
    RecordingPrompter prompter;
    SimulatedScale scale{{"--dump", dump}};
    std::unique_ptr<EngineTransferRunner> runner = scale.runner();
};

}  // namespace vorn::test
