// The batch as vornctl runs it, through the real engine and serial code to vornsim and back:
// every category sent and received into an empty directory, changed-only PLU sends, several
// scales on one line, and the verdict of each category.
#include <gtest/gtest.h>

#include <filesystem>

#include "batch/BatchCategories.h"
#include "batch/BatchCommand.h"
#include "comm/TableTransfer.h"
#include "editors/numbered/VatTable.h"
#include "plu/AcknowledgedPlus.h"
#include "plu/PluFile.h"
#include "tests/support/EveryTable.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using Texts = std::vector<std::string>;

std::vector<const BatchCategory*> named(std::initializer_list<const char*> names) {
    std::vector<const BatchCategory*> categories;
    for (const char* name : names) {
        categories.push_back(std::string(name) == "vat" ? &vatCategory()
                                                        : batchCategoryNamed(name));
    }
    return categories;
}

std::vector<const BatchCategory*> all() {
    std::vector<const BatchCategory*> categories;
    for (const BatchCategory& c : batchCategories()) {
        categories.push_back(&c);
    }
    return categories;
}

// "name verdict" of each report.
Texts verdicts(const BatchCommandResult& result) {
    Texts out;
    for (const CategoryReport& r : result.reports) {
        out.push_back(r.name + (r.verdict == CategoryVerdict::Succeeded ? " ok"
                                : r.verdict == CategoryVerdict::Failed  ? " failed"
                                                                        : " skipped"));
    }
    return out;
}

class BatchCommand : public ::testing::Test {
protected:
    test::RecordingPrompter prompter;
    test::TempDir dump;
    test::SimulatedScale scale{{"--dump", dump.path().string()}};
    EngineTransferRunner runner{scale.device()};
    VirtualClock clock;
    Texts said;

    BatchCommandResult run(BatchDirection direction, std::vector<const BatchCategory*> categories,
                           bool changedOnly = false, std::vector<std::string> scales = {}) {
        BatchCommandOptions options;
        options.direction = direction;
        options.categories = std::move(categories);
        options.changedOnly = changedOnly;
        options.scales = std::move(scales);
        options.clock = &clock;
        return runBatchCommand(runner, options,
                               [&](const std::string& line) { said.push_back(line); });
    }
    std::string stored(const std::string& code) {
        EXPECT_EQ(scale.stop(), 0);
        return test::readFile(dump.file("table" + code + ".txt"));
    }
};

TEST_F(BatchCommand, SendAllThenReceiveAllGivesEveryEditorTheSameRows) {
    ASSERT_TRUE(scale.ready());
    clock.set({2024, 3, 5, 14, 7, 9});
    Texts sent;
    {
        test::TempDir pc(test::TempDir::Enter);
        test::writeEveryTable();
        sent = test::whatEditorsShow();
        const BatchCommandResult result = run(BatchDirection::Send, all());
        Texts expected;
        for (const BatchCategory& c : batchCategories()) {
            expected.push_back(std::string(c.name) + " ok");
        }
        EXPECT_EQ(verdicts(result), expected);
        EXPECT_FALSE(result.portFailed);
    }
    {
        test::TempDir empty(test::TempDir::Enter);
        const BatchCommandResult result = run(BatchDirection::Receive, all());
        Texts expected;
        for (const BatchCategory& c : batchCategories()) {
            expected.push_back(std::string(c.name) + (c.readBack ? " ok" : " skipped"));
        }
        EXPECT_EQ(verdicts(result), expected);
        EXPECT_EQ(test::whatEditorsShow(), sent);
        EXPECT_FALSE(std::filesystem::exists("labeditb.dat"));  // the scale has no layout 2
        // The PLUs received are what the scale holds: a changed-only send has nothing to do.
        said.clear();
        EXPECT_EQ(verdicts(run(BatchDirection::Send, named({"plu"}), true)), Texts{"plu ok"});
        EXPECT_EQ(said, Texts{"plu: nothing changed since the last send, nothing sent (3 PLUs "
                              "held by the scale)"});
    }
    EXPECT_EQ(prompter.texts(), Texts{});
    EXPECT_EQ(stored("38"), "0002380000000101050324140709\n");
}

TEST_F(BatchCommand, ChangedOnlySendsNewAndChangedPlusOnly) {
    ASSERT_TRUE(scale.ready());
    test::TempDir pc(test::TempDir::Enter);
    std::vector<PluPair> pairs;
    for (int n = 1; n <= 5; ++n) {
        pairs.push_back(test::everyTablePlu(n, "ITEM " + std::to_string(n), 100 * n));
    }
    const auto writePlus = [&] {
        std::string bytes = pluFileStart();
        for (const PluPair& p : pairs) {
            appendPluPair(bytes, p);
        }
        test::writeFile("plurec.dat", bytes);
    };
    const auto sentLines = [] {
        const std::string out = test::readFile("trf.out");
        return std::count(out.begin(), out.end(), '\n');
    };
    writePlus();
    // No record yet: every PLU goes.
    EXPECT_EQ(verdicts(run(BatchDirection::Send, named({"plu"}), true)), Texts{"plu ok"});
    EXPECT_EQ(said.back(), "plu: sent 5 changed PLUs of 5");
    EXPECT_EQ(parseAcknowledgedPlus(test::readFile("pluack01.dat")).size(), 5u);
    // Nothing changed: nothing is sent.
    std::filesystem::remove("trf.out");
    EXPECT_EQ(verdicts(run(BatchDirection::Send, named({"plu"}), true)), Texts{"plu ok"});
    EXPECT_FALSE(std::filesystem::exists("trf.out"));
    // One PLU edited, one added: those two go.
    PluValues values = decodePair(pairs[2]);
    values.priceHundredths = "999";
    encodeValues(values, pairs[2]);
    pairs.push_back(test::everyTablePlu(77, "NEW", 5));
    writePlus();
    EXPECT_EQ(verdicts(run(BatchDirection::Send, named({"plu"}), true)), Texts{"plu ok"});
    EXPECT_EQ(test::readFile("trf.out"), pairs[2].plu + "\r\n" + pairs[2].label + "\r\n" +
                                             pairs[5].plu + "\r\n" + pairs[5].label + "\r\n");
    EXPECT_EQ(said.back(), "plu: sent 2 changed PLUs of 6");
    EXPECT_EQ(sentLines(), 4);
    // A damaged record never keeps a changed PLU back: cut short, it still sends the edit.
    values.priceHundredths = "1234";
    encodeValues(values, pairs[2]);
    writePlus();
    const std::string record = test::readFile("pluack01.dat");
    test::writeFile("pluack01.dat", record.substr(0, record.size() / 2));
    EXPECT_EQ(verdicts(run(BatchDirection::Send, named({"plu"}), true)), Texts{"plu ok"});
    EXPECT_NE(test::readFile("trf.out").find(pairs[2].plu), std::string::npos);
    EXPECT_EQ(prompter.texts(), Texts{});
    EXPECT_NE(stored("07").find(pairs[2].plu.substr(16)), std::string::npos);
}

TEST_F(BatchCommand, SeveralScalesAreServedInTurnAndEachKeepsItsOwnRecord) {
    ASSERT_TRUE(scale.ready());
    test::TempDir pc(test::TempDir::Enter);
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, {{"   1", "FRUIT"}, {"   2", "MEAT"}}), "");
    std::string plus = pluFileStart();
    appendPluPair(plus, test::everyTablePlu(5, "FIVE", 5));
    test::writeFile("plurec.dat", plus);
    EXPECT_EQ(
        verdicts(run(BatchDirection::Send, named({"group", "plu"}), true, {"01", "02", "05"})),
        (Texts{"plu ok", "group ok"}));
    EXPECT_EQ(said.back(), "group: sent 2 records to 3 scales");
    Texts scalesAnswering;
    for (const std::string& line : readAnswerLines()) {
        scalesAnswering.push_back(line.substr(14, 2));
    }
    EXPECT_EQ(scalesAnswering, (Texts{"01", "01", "02", "02", "05", "05"}));
    for (const char* file : {"pluack01.dat", "pluack02.dat", "pluack05.dat"}) {
        EXPECT_EQ(parseAcknowledgedPlus(test::readFile(file)).size(), 1u) << file;
    }
    EXPECT_FALSE(std::filesystem::exists("pluack03.dat"));
    EXPECT_EQ(prompter.texts(), Texts{});
}

TEST_F(BatchCommand, MissingFilesAreSkippedAndADamagedTableFailsWhileTheOthersGo) {
    ASSERT_TRUE(scale.ready());
    test::TempDir pc(test::TempDir::Enter);
    ASSERT_EQ(saveNumberStringFile(tablefile::kTares, {{" 3", "1.5"}}), "");
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, {}), "");  // nothing to send
    test::writeFile("Opt.dat", "\x0bKVRAWobnOpt\x05");            // cut short
    const BatchCommandResult result =
        run(BatchDirection::Send, named({"tare", "operator", "group", "discount", "vat"}));
    EXPECT_EQ(verdicts(result), (Texts{"group skipped", "operator failed", "tare ok",
                                       "discount skipped", "vat skipped"}));
    EXPECT_TRUE(result.anyFailed());
    EXPECT_EQ(result.reports[3].detail, "no discount.dat");
    EXPECT_EQ(result.reports[0].detail, "nothing to send");
    EXPECT_EQ(prompter.texts().size(), 1u);
}

TEST_F(BatchCommand, VatRatesGoAndComeBackWithTheVatDialogsRecords) {
    ASSERT_TRUE(scale.ready());
    {
        test::TempDir pc(test::TempDir::Enter);
        ASSERT_EQ(saveNumberStringFile(tablefile::kVat, {{" 1", "17.5"}, {" 2", "   5"}}), "");
        EXPECT_EQ(verdicts(run(BatchDirection::Send, named({"vat"}))), Texts{"vat ok"});
        EXPECT_EQ(test::readFile("trf.out"),
                  "000218000000000001"
                  "1750\r\n"
                  "000218000000000002"
                  "0500\r\n");
    }
    {
        test::TempDir empty(test::TempDir::Enter);
        EXPECT_EQ(verdicts(run(BatchDirection::Receive, named({"vat"}))), Texts{"vat ok"});
        NumberedTable vat(vatTable());
        vat.open();
        EXPECT_EQ(vat.rows().texts(), (Texts{" 1\t17.50", " 2\t 5.00"}));
    }
}

TEST_F(BatchCommand, APortThatCannotBeOpenedEndsTheRun) {
    test::TempDir pc(test::TempDir::Enter);
    ASSERT_EQ(saveNumberStringFile(tablefile::kTares, {{" 3", "1.5"}}), "");
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, {{"   1", "FRUIT"}}), "");
    EngineTransferRunner nowhere(pc.file("no-such-device"));
    BatchCommandOptions options;
    options.categories = named({"group", "tare"});
    const BatchCommandResult result = runBatchCommand(nowhere, options, [](const std::string&) {});
    EXPECT_TRUE(result.portFailed);
    EXPECT_EQ(verdicts(result), (Texts{"group failed", "tare failed"}));
    EXPECT_EQ(prompter.texts(), Texts{"Error opening COM port"});
}

}  // namespace
}  // namespace vorn
