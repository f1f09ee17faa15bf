// The batch step machine in virtual time: a scripted progress dialog and worker take each
// transfer in a set time, the step timer ticks every second, and the later steps of a run come
// as ticks inside the progress dialog's run, as they do in the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <optional>

#include "batch/BatchCategories.h"
#include "batch/BatchRun.h"
#include "batch/StepFiles.h"
#include "comm/TableTransfer.h"
#include "platform/Clock.h"
#include "tables/TableFiles.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using Texts = std::vector<std::string>;

constexpr int kTickMs = 1000;

// The progress dialog and its worker, played in virtual time.
class ScriptedProgress : public BatchLink {
public:
    struct Transfer {
        std::int64_t startMs = 0;
        std::int64_t endMs = 0;
        std::string trfOut;
        TransferRequest settings;
        bool broken = false;  // broken off by Cancel
    };

    VirtualClock clock;
    BatchRun* run = nullptr;
    int transferMs = 2500;
    // The scale: the bytes of trf.in for the bytes of trf.out.
    std::function<std::string(const std::string&)> scale = [](const std::string&) {
        return std::string("1002\r\n");
    };
    std::optional<std::int64_t> cancelAtMs;  // Cancel in the progress dialog at this moment

    std::vector<Transfer> transfers;
    Texts calls;  // the settings calls of every hand-over, in order
    int progressRuns = 0;
    bool stopFlag = false;

    bool isStepReady() const override { return stepReady_; }
    bool isBatchRunning() const override { return batchRunning_; }
    bool transferSucceeded() const override { return succeeded_; }
    void setBatchRunning() override { batchRunning_ = true; }
    void setStepReady() override { stepReady_ = true; }
    void clearStepReady() override {
        calls.push_back("clear step-ready");
        stepReady_ = false;
    }
    void stop() override {
        batchRunning_ = false;
        stopFlag = true;
    }
    void reset() override {
        calls.push_back("reset");
        settings_ = TransferRequest{};
    }
    void setReceive(bool receive) override {
        calls.push_back(receive ? "receive" : "send");
        settings_.receive = receive;
    }
    void setRecordsPerItem(int records) override {
        calls.push_back("records " + std::to_string(records));
        settings_.recordsPerItem = records;
    }
    void setAnswerFrameLimit(int frames) override { settings_.answerFrameLimit = frames; }
    void setKeyWidth(int width) override {
        calls.push_back("key " + std::to_string(width));
        settings_.keyWidth = width;
    }
    void setMessage(const std::string& text) override {
        calls.push_back("message " + text);
        settings_.message = text;
    }

    // The modal run: the worker takes each trf.out handed over; the timer keeps ticking.
    void runProgress() override {
        ++progressRuns;
        stopFlag = false;  // the worker's pass clears it
        std::optional<std::size_t> active;
        for (;;) {
            if (!active && !stepReady_ && batchRunning_ && !stopFlag) {
                succeeded_ = true;
                transfers.push_back({clock.nowMs(), clock.nowMs() + transferMs,
                                     test::readFile("trf.out"), settings_, false});
                active = transfers.size() - 1;
            }
            if (!active && (!batchRunning_ || stopFlag)) {
                return;  // the worker ends and the dialog closes
            }
            const std::int64_t now = clock.nowMs();
            const std::int64_t nextTick = (now / kTickMs + 1) * kTickMs;
            const std::int64_t end =
                active ? transfers[*active].endMs : std::numeric_limits<std::int64_t>::max();
            const std::int64_t cancel = cancelAtMs && *cancelAtMs > now
                                            ? *cancelAtMs
                                            : std::numeric_limits<std::int64_t>::max();
            const std::int64_t next = std::min({nextTick, end, cancel});
            clock.advanceMs(next - now);
            if (next == cancel) {
                cancelAtMs.reset();
                stopFlag = true;
                batchRunning_ = false;
                if (active) {
                    succeeded_ = false;
                    transfers[*active].broken = true;
                    transfers[*active].endMs = next;
                }
            }
            if (active && next >= transfers[*active].endMs) {
                if (!transfers[*active].broken) {
                    test::writeFile("trf.in", scale(transfers[*active].trfOut));
                }
                active.reset();
                stepReady_ = true;
            }
            if (next == nextTick) {
                run->tick();
            }
        }
    }

    // The step timer outside a progress run.
    void tickFor(int ticks) {
        for (int i = 0; i < ticks; ++i) {
            clock.advanceMs(kTickMs - clock.nowMs() % kTickMs);
            run->tick();
        }
    }

private:
    bool batchRunning_ = false;
    bool stepReady_ = false;
    bool succeeded_ = false;
    TransferRequest settings_;
};

// A PLU category standing in for the real one: one item of two record lines, two answer lines
// per item and the six-digit key, as the PLU steps ask for.
BatchCategory fakePlu() {
    BatchCategory plu = batchCategories().front();
    plu.send = [](const BatchContext&) {
        return transferOf({"0002070000000100000001", "0002080000000100000001"}, {2, 6});
    };
    plu.request = [](const BatchContext&) {
        return transferOf({"0002070007000100000000", "0002080007000100000000"}, {2, 0});
    };
    plu.store = [](const BatchContext&, const BatchCategory& c) {
        JudgedAnswer answer = judgeAnswer(c);
        if (answer.outcome == StoreOutcome::Stored) {
            test::writeFile("plurec.dat", "stored\r\n");
        }
        return answer.outcome;
    };
    return plu;
}

std::vector<BatchCategory> categoriesWithFakePlu() {
    std::vector<BatchCategory> categories = batchCategories();
    categories.front() = fakePlu();
    return categories;
}

BatchSelection ticked(std::initializer_list<const char*> names) {
    BatchSelection selection;
    for (const char* name : names) {
        const BatchCategory* c = batchCategoryNamed(name);
        EXPECT_NE(c, nullptr) << name;
        if (c != nullptr) {
            selection.set(c->slot, true);
        }
    }
    return selection;
}

void writeGroups(std::size_t count) {
    std::vector<NumberStringRow> rows;
    for (std::size_t i = 1; i <= count; ++i) {
        rows.push_back({"   " + std::to_string(i), "GROUP " + std::to_string(i)});
    }
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, rows), "");
}

class BatchRunTest : public ::testing::Test {
protected:
    void SetUp() override { progress.run = &run; }

    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    ScriptedProgress progress;
    BatchRun run{categoriesWithFakePlu(), progress, BatchContext{&progress.clock, {}}};
};

TEST(BatchSteps, EachDirectionTakesTheCategoriesInTheirOrderAndEndsWithTheEndStep) {
    const std::vector<BatchCategory>& categories = batchCategories();
    const auto nameOf = [&](const BatchStep& s) -> std::string {
        static const char* kinds[] = {"send ", "request ", "store ", "end"};
        return std::string(kinds[s.kind]) +
               (s.kind == BatchStep::End ? "" : categories[s.category].name);
    };
    Texts send;
    for (const BatchStep& s : batchSteps(categories, BatchDirection::Send)) {
        send.push_back(nameOf(s));
    }
    ASSERT_EQ(send.size(), 17u);
    EXPECT_EQ(send[0], "send plu");
    EXPECT_EQ(send[3], "send group");
    EXPECT_EQ(send[14], "send datetime");
    EXPECT_EQ(send[15], "send operator-setup");
    EXPECT_EQ(send[16], "end");

    Texts receive;
    for (const BatchStep& s : batchSteps(categories, BatchDirection::Receive)) {
        receive.push_back(nameOf(s));
    }
    ASSERT_EQ(receive.size(), 31u);
    EXPECT_EQ(receive[0], "request plu");
    EXPECT_EQ(receive[1], "store plu");
    EXPECT_EQ(receive[6], "request group");
    EXPECT_EQ(receive[7], "store group");
    EXPECT_EQ(receive[26], "request default-label");
    EXPECT_EQ(receive[28], "request operator-setup");  // no clock steps
    EXPECT_EQ(receive[29], "store operator-setup");
    EXPECT_EQ(receive[30], "end");
}

TEST_F(BatchRunTest, NothingHappensBeforeTheFirstTickOfARun) {
    writeGroups(1);
    progress.tickFor(3);  // idle: ticks do nothing
    run.start(BatchDirection::Send, ticked({"group"}));
    EXPECT_EQ(run.stepNumber(), 1);
    EXPECT_TRUE(progress.isBatchRunning());
    EXPECT_TRUE(progress.isStepReady());
    EXPECT_TRUE(progress.transfers.empty());
    EXPECT_TRUE(progress.calls.empty());
}

TEST_F(BatchRunTest, WithNoCategoryTickedTheFirstTickWalksToTheEndWithoutAProgressDialog) {
    for (BatchDirection direction : {BatchDirection::Send, BatchDirection::Receive}) {
        run.start(direction, BatchSelection{});
        progress.tickFor(1);
        EXPECT_EQ(run.stepNumber(), 0);
        EXPECT_FALSE(progress.isBatchRunning());
        EXPECT_TRUE(progress.stopFlag);
        EXPECT_EQ(progress.progressRuns, 0);
        EXPECT_TRUE(progress.transfers.empty());
    }
}

TEST_F(BatchRunTest, OnlyDatetimeInTheReceiveDirectionEndsAtTheFirstTickWithoutTransfer) {
    run.start(BatchDirection::Receive, ticked({"datetime"}));
    progress.tickFor(1);
    EXPECT_EQ(run.stepNumber(), 0);
    EXPECT_FALSE(progress.isBatchRunning());
    EXPECT_EQ(progress.progressRuns, 0);
    EXPECT_TRUE(progress.transfers.empty());
    EXPECT_FALSE(std::filesystem::exists("trf.out"));
}

TEST_F(BatchRunTest, DatetimeSendsThePcClock) {
    progress.clock.set({2024, 3, 5, 14, 7, 8});
    run.start(BatchDirection::Send, ticked({"datetime"}));
    progress.tickFor(1);  // at 14:07:09
    ASSERT_EQ(progress.transfers.size(), 1u);
    EXPECT_EQ(progress.transfers[0].trfOut, "0002380000000000050324140709\r\n");
    EXPECT_EQ(progress.transfers[0].settings.message,
              "Transfering Time information,please wait...");
    EXPECT_FALSE(progress.transfers[0].settings.receive);
}

TEST_F(BatchRunTest, PluAndGroupOpenTheProgressDialogOnceAndGroupWaitsForTheNextTick) {
    writeGroups(3);
    run.start(BatchDirection::Send, ticked({"plu", "group"}));
    progress.tickFor(1);

    EXPECT_EQ(progress.progressRuns, 1);
    ASSERT_EQ(progress.transfers.size(), 2u);
    const auto& plu = progress.transfers[0];
    const auto& group = progress.transfers[1];
    EXPECT_EQ(plu.settings.message, "Transfering PLU items,please wait...");
    EXPECT_EQ(plu.settings.recordsPerItem, 2);
    EXPECT_EQ(plu.settings.keyWidth, 6);
    EXPECT_EQ(group.settings.message, "Transfering Articlegroup information,please wait...");
    EXPECT_FALSE(group.settings.receive);
    // Group starts with the first tick after the PLU transfer is over.
    EXPECT_GT(group.startMs, plu.endMs);
    EXPECT_LE(group.startMs - plu.endMs, kTickMs);
    EXPECT_EQ(group.trfOut, "00021000000001000001" + test::pad("GROUP 1", 20) +
                                "0001\r\n"
                                "0002100000000100000"
                                "2" +
                                test::pad("GROUP 2", 20) +
                                "0001\r\n"
                                "0002100000000100000"
                                "3" +
                                test::pad("GROUP 3", 20) + "0001\r\n");
    // Each hand-over resets the dialog's settings before it sets its own, and the first one
    // alone opens the dialog.
    EXPECT_EQ(progress.calls, (Texts{"reset", "send", "records 2", "key 6",
                                     "message Transfering PLU items,please wait...",
                                     "clear step-ready", "reset", "send", "records 1", "key 0",
                                     "message Transfering Articlegroup information,please wait...",
                                     "clear step-ready"}));
    EXPECT_EQ(run.stepNumber(), 0);
    EXPECT_FALSE(progress.isBatchRunning());
    EXPECT_FALSE(run.progressOpen());
}

TEST_F(BatchRunTest, ASendStepWithoutItsTableFileStartsNoTransferAndTheNextTickGoesOn) {
    ASSERT_EQ(saveNumberStringFile(tablefile::kTares, {{" 1", "1.5"}}), "");
    run.start(BatchDirection::Send, ticked({"group", "operator", "tare"}));
    progress.tickFor(1);  // group: no Artgrp.dat
    EXPECT_TRUE(progress.transfers.empty());
    EXPECT_EQ(run.stepNumber(), 5);
    progress.tickFor(1);  // operator: no Opt.dat
    EXPECT_TRUE(progress.transfers.empty());
    progress.tickFor(1);  // tare
    ASSERT_EQ(progress.transfers.size(), 1u);
    EXPECT_EQ(progress.transfers[0].trfOut, "00021500000001000100001500\r\n");
    EXPECT_EQ(progress.progressRuns, 1);
    EXPECT_EQ(prompter.texts(), Texts{});
}

TEST_F(BatchRunTest, CancelDuringThePluTransferEndsTheRun) {
    writeGroups(2);
    ASSERT_EQ(saveNumberStringFile(tablefile::kTares, {{" 1", "1.5"}}), "");
    progress.cancelAtMs = 2000;  // the PLU transfer runs from 1000 to 3500
    run.start(BatchDirection::Send, ticked({"plu", "group", "tare"}));
    progress.tickFor(1);
    ASSERT_EQ(progress.transfers.size(), 1u);
    EXPECT_TRUE(progress.transfers[0].broken);
    EXPECT_FALSE(progress.isBatchRunning());
    EXPECT_EQ(run.stepNumber(), 2);  // left where it was
    progress.tickFor(5);
    EXPECT_EQ(progress.transfers.size(), 1u);
    EXPECT_EQ(progress.progressRuns, 1);

    // A new run starts again at step 1.
    run.start(BatchDirection::Send, ticked({"group"}));
    progress.tickFor(1);
    ASSERT_EQ(progress.transfers.size(), 2u);
    EXPECT_EQ(progress.progressRuns, 2);
}

TEST_F(BatchRunTest, ReceiveStoresEachAnswerInItsTableFile) {
    progress.scale = [](const std::string& trfOut) -> std::string {
        if (trfOut.rfind("000210", 0) == 0) {
            return "10021000000001010007" + test::pad("MEAT", 20) + "0000\r\n";
        }
        if (trfOut.rfind("000215", 0) == 0) {
            return "10021500000001010100001234\r\n";
        }
        return "1002\r\n";
    };
    run.start(BatchDirection::Receive, ticked({"group", "tare"}));
    progress.tickFor(1);
    EXPECT_EQ(progress.progressRuns, 1);
    ASSERT_EQ(progress.transfers.size(), 2u);
    EXPECT_EQ(progress.transfers[0].trfOut, "00021000070001000000\r\n");
    EXPECT_EQ(progress.transfers[0].settings.message,
              "Transfering Article group information,please wait...");
    EXPECT_TRUE(progress.transfers[0].settings.receive);
    EXPECT_EQ(progress.transfers[1].trfOut, "000215000700010000\r\n");
    const auto groups = loadNumberStringFile(tablefile::kGroups);
    ASSERT_EQ(groups.rows.size(), 1u);
    EXPECT_EQ(groups.rows[0].number, "   7");
    EXPECT_EQ(groups.rows[0].value, test::pad("MEAT", 20));
    const auto tares = loadNumberStringFile(tablefile::kTares);
    ASSERT_EQ(tares.rows.size(), 1u);
    EXPECT_EQ(tares.rows[0].number, " 1");
    EXPECT_EQ(tares.rows[0].value, "1.234");
    EXPECT_EQ(prompter.texts(), Texts{});
}

TEST_F(BatchRunTest, AnErrorAnswerToGroupStopsLaterRequestsWhileLaterStoresStillReport) {
    progress.scale = [](const std::string& trfOut) -> std::string {
        if (trfOut.rfind("000207", 0) == 0) {
            return "1002070000000101000001\r\n";
        }
        return "02206\r\n";
    };
    test::writeFile("Opt.dat", "untouched");
    run.start(BatchDirection::Receive, ticked({"plu", "group", "operator", "tare", "datetext"}));
    progress.tickFor(1);

    // PLU, then Group's request; no request after Group's error answer.
    ASSERT_EQ(progress.transfers.size(), 2u);
    EXPECT_EQ(progress.transfers[1].trfOut, "00021000070001000000\r\n");
    EXPECT_FALSE(run.continues());
    // Group's store and each later store read the same answer and report it.
    EXPECT_EQ(prompter.texts(),
              (Texts{"02206\nerror", "02206\nerror", "02206\nerror", "02206\nerror"}));
    EXPECT_EQ(test::readFile("plurec.dat"), "stored\r\n");
    EXPECT_EQ(test::readFile("Opt.dat"), "untouched");
    EXPECT_FALSE(std::filesystem::exists("Artgrp.dat"));
    EXPECT_FALSE(std::filesystem::exists("Tare.dat"));
    // The run reaches its end step.
    EXPECT_EQ(run.stepNumber(), 0);
    EXPECT_TRUE(progress.stopFlag);
}

TEST_F(BatchRunTest, AnErrorAnswerToPluLeavesTheRunGoing) {
    progress.scale = [](const std::string& trfOut) -> std::string {
        if (trfOut.rfind("000207", 0) == 0) {
            return "02210\r\n";
        }
        return "10021000000001010001" + test::pad("FRUIT", 20) + "0000\r\n";
    };
    run.start(BatchDirection::Receive, ticked({"plu", "group"}));
    progress.tickFor(1);
    ASSERT_EQ(progress.transfers.size(), 2u);
    EXPECT_TRUE(run.continues());
    EXPECT_EQ(prompter.texts(), Texts{"02210\nerror"});
    EXPECT_EQ(loadNumberStringFile(tablefile::kGroups).rows.size(), 1u);
}

TEST_F(BatchRunTest, AStoreStepIsSkippedWhenCancelBrokeItsRequestOff) {
    test::writeFile("trf.in", "10021000000001010001" + test::pad("OLD", 20) + "0000\r\n");
    progress.cancelAtMs = 1500;
    run.start(BatchDirection::Receive, ticked({"group", "operator"}));
    progress.tickFor(1);
    ASSERT_EQ(progress.transfers.size(), 1u);
    EXPECT_TRUE(progress.transfers[0].broken);
    progress.tickFor(3);
    EXPECT_FALSE(std::filesystem::exists("Artgrp.dat"));
    EXPECT_EQ(progress.transfers.size(), 1u);
    EXPECT_EQ(prompter.texts(), Texts{});
}

// A prompter whose message box lets the step timer tick while it is open, as a modal box does.
class TickingPrompter : public Prompter {
public:
    explicit TickingPrompter(ScriptedProgress& progress)
        : progress_(progress), previous_(installPrompter(this)) {}
    ~TickingPrompter() override { installPrompter(previous_); }
    PromptAnswer ask(const Prompt& prompt) override {
        texts.push_back(prompt.text);
        stepsWhileOpen.push_back(progress_.run->stepNumber());
        progress_.tickFor(2);
        stepsWhileOpen.push_back(progress_.run->stepNumber());
        return PromptAnswer::Ok;
    }
    Texts texts;
    std::vector<int> stepsWhileOpen;

private:
    ScriptedProgress& progress_;
    Prompter* previous_;
};

TEST_F(BatchRunTest, TicksWaitWhileAStepShowsAMessage) {
    TickingPrompter boxes(progress);
    progress.scale = [](const std::string&) { return std::string("02206\r\n"); };
    run.start(BatchDirection::Receive, ticked({"group", "operator"}));
    progress.tickFor(1);
    EXPECT_EQ(boxes.texts, (Texts{"02206\nerror", "02206\nerror"}));
    // Each box came and went with the run standing at the step after the store.
    EXPECT_EQ(boxes.stepsWhileOpen, (std::vector<int>{9, 9, 11, 11}));
    EXPECT_EQ(run.stepNumber(), 0);
}

}  // namespace
}  // namespace vorn
