// Each numbered table goes from its editor model through the real engine and serial code to
// vornsim on a pseudo-terminal, and back into an emptied model; the simulator's dump shows the
// record lines as they arrived on the wire.
#include <gtest/gtest.h>

#include <filesystem>

#include "comm/TransferHistory.h"
#include "editors/kit/NumberedTable.h"
#include "editors/numbered/DateTextTable.h"
#include "editors/numbered/GroupTable.h"
#include "editors/numbered/OperatorTable.h"
#include "editors/numbered/TareTable.h"
#include "editors/numbered/VatTable.h"
#include "tables/TableBackup.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/ScaleEndToEnd.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::pad;

using Rows = std::vector<std::string>;

struct RoundTrip {
    const NumberedTableKind& kind;
    std::vector<EntryFields> typed;
    std::string tableCode;
    Rows onTheWire;     // the stored records, stamped with scale 01
    Rows receivedRows;  // the rows after Sc->PC into an empty editor
};

std::vector<RoundTrip> roundTrips() {
    return {
        {groupTable(),
         {{"12", "VEGETABLES"}, {"05", "FRUIT"}},
         "10",
         {"0002100000000101"
          "0005" +
              pad("FRUIT", 20) + "0000",
          "0002100000000101"
          "0012" +
              pad("VEGETABLES", 20) + "0000"},
         {"   5\t" + pad("FRUIT", 20), "  12\t" + pad("VEGETABLES", 20)}},
        {operatorTable(),
         {{"1", "ANN"}, {"4", "DAVE"}},
         "04",
         {"0002040000000101"
          "001" +
              pad("ANN", 20),
          "0002040000000101"
          "004" +
              pad("DAVE", 20)},
         {"  1\t" + pad("ANN", 20), "  4\t" + pad("DAVE", 20)}},
        {dateTextTable(),
         {{"1", "PACKED ON"}, {"3", "SELL BY"}},
         "19",
         {"0002190000000101"
          "01" +
              pad("PACKED ON", 30),
          "0002190000000101"
          "03" +
              pad("SELL BY", 30)},
         {" 1\t" + pad("PACKED ON", 30), " 3\t" + pad("SELL BY", 30)}},
        {tareTable(),
         {{"3", "1.5"}, {"16", "30.999"}},
         "15",
         {"0002150000000101"
          "03"
          "00001500",
          "0002150000000101"
          "16"
          "00030999"},
         {" 3\t1.500", "16\t30.999"}},
        {vatTable(),
         {{"1", "5"}, {"8", "17.5"}},
         "18",
         {"0002180000000101"
          "01"
          "0500",
          "0002180000000101"
          "08"
          "1750"},
         {" 1\t 5.00", " 8\t17.50"}},
    };
}

TEST(NumberedTableEndToEnd, EveryTableGoesToTheScaleAndComesBackUnchanged) {
    for (const RoundTrip& trip : roundTrips()) {
        SCOPED_TRACE(trip.kind.transferMessage);
        test::TempDir dir(test::TempDir::Enter);
        const std::string dump = dir.file("dump");
        std::filesystem::create_directory(dump);
        test::RecordingPrompter prompter;
        test::SimulatedScale scale({"--dump", dump});
        ASSERT_TRUE(scale.ready());
        const auto runner = scale.runner();
        installTransferRunner(runner.get());

        NumberedTable sent(trip.kind);
        for (const EntryFields& f : trip.typed) {
            sent.fields() = f;
            ASSERT_TRUE(sent.add());
        }
        sent.send();
        EXPECT_EQ(prompter.texts(), Rows{});

        NumberedTable received(trip.kind);
        received.receive();
        EXPECT_EQ(prompter.texts(), Rows{});
        EXPECT_EQ(received.rows().texts(), trip.receivedRows);

        installTransferRunner(nullptr);
        EXPECT_EQ(scale.stop(), 0);
        EXPECT_EQ(test::dumpedRecords(dump, trip.tableCode), trip.onTheWire);
    }
}

TEST(NumberedTableEndToEnd, AnEmptyScaleTableEmptiesTheListOnlyWhenTheUserSaysSo) {
    test::TempDir dir(test::TempDir::Enter);
    test::RecordingPrompter prompter;
    test::SimulatedScale scale;
    ASSERT_TRUE(scale.ready());
    const auto runner = scale.runner();
    installTransferRunner(runner.get());
    for (const NumberedTableKind* kind :
         {&groupTable(), &operatorTable(), &dateTextTable(), &tareTable(), &vatTable()}) {
        SCOPED_TRACE(kind->transferMessage);
        NumberedTable table(*kind);
        table.rows().addSorted(" 1\tOLD");
        test::writeFile(kind->file.name, "as it was");
        prompter.clear();
        prompter.answerNext(PromptAnswer::Cancel);
        table.receive();
        EXPECT_EQ(table.rows().size(), 1u);
        ASSERT_EQ(prompter.texts().size(), 1u);
        EXPECT_EQ(prompter.texts()[0].rfind("The scale sent no records for this table, and the "
                                            "PC holds 1 record.",
                                            0),
                  0u)
            << prompter.texts()[0];
        table.receive();  // answered OK
        EXPECT_TRUE(table.rows().empty());
        EXPECT_EQ(test::readFile(backupPathOf(kind->file.name)), "as it was");
    }
    installTransferRunner(nullptr);
    // Every receive is in the history, the last first.
    const std::vector<HistoryEntry> history = loadHistory();
    ASSERT_EQ(history.size(), 10u);
    EXPECT_EQ(history[0].table + ": " + history[0].outcome,
              "VAT: 0 records received from scale 01");
}

TEST(NumberedTableEndToEnd, ARefusedSendSaysInWordsWhatReachedTheScale) {
    test::TempDir dir(test::TempDir::Enter);
    test::RecordingPrompter prompter;
    test::SimulatedScale scale({"--nak", "1000"});
    ASSERT_TRUE(scale.ready());
    const auto runner = scale.runner();
    installTransferRunner(runner.get());
    NumberedTable tares(tareTable());
    for (const EntryFields& f : {EntryFields{"3", "1.5"}, EntryFields{"4", "2"}}) {
        tares.fields() = f;
        ASSERT_TRUE(tares.add());
    }
    tares.send();
    installTransferRunner(nullptr);
    ASSERT_FALSE(prompter.prompts().empty());
    const Prompt told = prompter.prompts().back();
    EXPECT_EQ(told.text, "02206\nerror");  // the system's own text stays
    EXPECT_EQ(told.detail,
              "Tare: 0 of 2 records reached the scale; then the scale did not "
              "acknowledge the record (02206)");
    EXPECT_EQ(loadHistory().front().outcome,
              "0 of 2 records reached scale 01; then the scale did not acknowledge the record "
              "(02206)");
}

}  // namespace
}  // namespace vorn
