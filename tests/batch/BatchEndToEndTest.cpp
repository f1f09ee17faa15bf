// A batch run without a window, through the real engine and serial code, to vornsim on a
// pseudo-terminal and back: the numbered tables and the clock are sent, then received into an
// empty scale directory, where the editors find the rows again. (Every category, through the
// command-line driver and through the dialog: BatchCommandTest, BatchTransferDlgGuiTest.)
#include <gtest/gtest.h>

#include <filesystem>

#include "batch/BatchCategories.h"
#include "batch/RunnerBatchLink.h"
#include "comm/TableTransfer.h"
#include "editors/kit/NumberedTable.h"
#include "editors/numbered/DateTextTable.h"
#include "editors/numbered/GroupTable.h"
#include "editors/numbered/OperatorTable.h"
#include "editors/numbered/TareTable.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/ScaleEndToEnd.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::pad;
using Texts = std::vector<std::string>;

Texts editorRows(const NumberedTableKind& kind) {
    NumberedTable table(kind);
    table.open();
    return table.rows().texts();
}

// Runs a batch of the numbered tables and the clock; returns each transfer's message and the first
// line of its trf.in.
Texts runBatch(EngineTransferRunner& runner, BatchDirection direction, Clock& clock) {
    Texts transfers;
    RunnerBatchLink link(runner);
    BatchRun run(batchCategories(), link, BatchContext{&clock, {}});
    link.onTransferDone([&](const TransferRequest& request) {
        transfers.push_back(request.message + " | " + readFirstAnswerLine().value_or("none"));
    });
    BatchSelection numbered;
    for (const char* name : {"group", "operator", "tare", "datetext", "datetime"}) {
        numbered.set(batchCategoryNamed(name)->slot, true);
    }
    EXPECT_TRUE(runWithoutWindow(run, link, direction, numbered));
    EXPECT_FALSE(link.isBatchRunning());
    EXPECT_EQ(run.stepNumber(), 0);
    return transfers;
}

TEST(BatchEndToEnd, TheNumberedTablesGoToTheScaleAndComeBackIntoAnEmptyDirectory) {
    test::RecordingPrompter prompter;
    test::TempDir dumpDir;
    test::SimulatedScale scale({"--dump", dumpDir.path().string()});
    ASSERT_TRUE(scale.ready());
    EngineTransferRunner runner(scale.device());
    VirtualClock clock;
    clock.set({2024, 3, 5, 14, 7, 9});

    Texts groupsSent;
    {
        test::TempDir pc(test::TempDir::Enter);
        ASSERT_EQ(
            saveNumberStringFile(tablefile::kGroups, {{"   1", "FRUIT"}, {"  12", "VEGETABLES"}}),
            "");
        ASSERT_EQ(saveNumberStringFile(tablefile::kOperators, {{"  1", "ANN"}, {"  4", "DAVE"}}),
                  "");
        ASSERT_EQ(saveNumberStringFile(tablefile::kTares, {{" 3", "1.5"}, {"16", "30.999"}}), "");
        ASSERT_EQ(saveNumberWordFile(tablefile::kDateTexts, {{1, "PACKED ON"}, {3, "SELL BY"}}),
                  "");
        groupsSent = editorRows(groupTable());
        EXPECT_EQ(runBatch(runner, BatchDirection::Send, clock),
                  (Texts{"Transfering Articlegroup information,please wait... | 1002100000000101"
                         "0001" +
                             pad("FRUIT", 20) + "0001\n",
                         "Transfering Operator information,please wait... | 1002040000000101001" +
                             pad("ANN", 20) + "\n",
                         "Transfering Tare information,please wait... | "
                         "10021500000001010300001500\n",
                         "Transfering Date Text information,please wait... | "
                         "100219000000010101" +
                             pad("PACKED ON", 30) + "\n",
                         "Transfering Time information,please wait... | "
                         "1002380000000101050324140709\n"}));
    }
    {
        test::TempDir empty(test::TempDir::Enter);
        const Texts requests = runBatch(runner, BatchDirection::Receive, clock);
        EXPECT_EQ(requests.size(), 4u);  // the clock is not read back
        EXPECT_EQ(editorRows(groupTable()), groupsSent);
        EXPECT_EQ(editorRows(operatorTable()),
                  (Texts{"  1\t" + pad("ANN", 20), "  4\t" + pad("DAVE", 20)}));
        EXPECT_EQ(editorRows(tareTable()), (Texts{" 3\t1.500", "16\t30.999"}));
        EXPECT_EQ(editorRows(dateTextTable()),
                  (Texts{" 1\t" + pad("PACKED ON", 30), " 3\t" + pad("SELL BY", 30)}));
    }
    EXPECT_EQ(prompter.texts(), Texts{});
    EXPECT_EQ(scale.stop(), 0);
    const std::string tables = dumpDir.path().string();
    EXPECT_EQ(test::dumpedRecords(tables, "10"),
              (Texts{"00021000000001010001" + pad("FRUIT", 20) + "0001",
                     "00021000000001010012" + pad("VEGETABLES", 20) + "0001"}));
    EXPECT_EQ(test::dumpedRecords(tables, "38"), Texts{"0002380000000101050324140709"});
}

TEST(BatchEndToEnd, APortThatCannotBeOpenedEndsTheRunAtItsFirstTransfer) {
    test::TempDir pc(test::TempDir::Enter);
    test::RecordingPrompter prompter;
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, {{"   1", "FRUIT"}}), "");
    ASSERT_EQ(saveNumberStringFile(tablefile::kTares, {{" 1", "1.5"}}), "");
    EngineTransferRunner runner(pc.file("no-such-device"));
    RunnerBatchLink link(runner);
    BatchRun run(batchCategories(), link, BatchContext{});
    Texts performed;
    run.setObserver([&](const StepReport& r) {
        performed.push_back(r.category != nullptr ? r.category->name : "end");
    });
    BatchSelection selection;
    selection.set(batchCategoryNamed("group")->slot, true);
    selection.set(batchCategoryNamed("tare")->slot, true);
    EXPECT_FALSE(runWithoutWindow(run, link, BatchDirection::Send, selection));
    EXPECT_TRUE(link.portFailed());
    EXPECT_EQ(performed, Texts{"group"});
    EXPECT_EQ(prompter.texts(), Texts{"Error opening COM port"});
}

}  // namespace
}  // namespace vorn
