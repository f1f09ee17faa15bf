// PLUs from the list through the real engine and serial code to vornsim on a pseudo-terminal:
// sent by range, the scale cleared, put back, received and chosen with "SelectUpdate" and
// "AllUpdate", equal byte for byte; the simulator's dump shows what arrived on the wire.
#include <gtest/gtest.h>

#include <filesystem>

#include "plu/AcknowledgedPlus.h"
#include "plu/PluForm.h"
#include "plu/PluTable.h"
#include "plu/PluTransfer.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/ScaleEndToEnd.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

// PLUs as a scale sent them: envelopes of scale 01, the scale's own reserved characters.
std::vector<PluPair> storePlus() {
    struct Item {
        int number;
        const char* first;
        const char* second;
        const char* price;
        bool byCount;
    };
    const Item items[] = {{5, "APPLE", "", "1.5", false},
                          {12, "BREAD", "WHOLE GRAIN", "2.99", true},
                          {40, "HAM", "", "12345.67", false},
                          {41, "EGGS", "FREE RANGE", "3.2", true},
                          {999999, "LAST", "", "0.01", false}};
    std::vector<PluPair> pairs;
    for (const Item& item : items) {
        PluPair pair = templatePair();
        pair.plu.replace(14, 2, "01");
        pair.label.replace(14, 2, "01");
        pair.plu.replace(116, 8, "R" + std::to_string(item.number % 10) + "serve!");
        pair.label.replace(85, 48, std::string(48, static_cast<char>('a' + item.number % 26)));
        PluForm form = newPluForm(item.number);
        form.values.description1 = item.first;
        form.values.description2 = item.second;
        form.values.byCount = item.byCount;
        form.fixweight = item.byCount ? "0.5" : "";
        form.price = item.price;
        EXPECT_TRUE(acceptForm(form).passed());
        EXPECT_EQ(encodeValues(form.values, pair), "");
        pairs.push_back(pair);
    }
    return pairs;
}

std::vector<PluPair> rows(const PluTable& table) {
    std::vector<PluPair> out;
    for (std::size_t i = 0; i < table.list().size(); ++i) {
        out.push_back(table.list().pair(i));
    }
    return out;
}

std::function<std::optional<PluRange>()> range(int first, int last) {
    return [first, last] { return std::optional<PluRange>(PluRange{first, last}); };
}

// The selection dialog's two buttons, on what trf1.in and trf2.in hold.
std::function<bool()> selectUpdate(std::vector<std::size_t> rows) {
    return [rows] { return writeChosenPlus(readReceivedPlus(), rows); };
}
bool allUpdate() {
    const std::vector<ReceivedPlu> received = readReceivedPlus();
    std::vector<std::size_t> all(received.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = i;
    }
    return writeChosenPlus(received, all);
}

class PluEndToEnd : public test::ScaleEndToEnd {};

TEST_F(PluEndToEnd, PlusGoToTheScaleByRangeAndComeBackByteForByte) {
    const std::vector<PluPair> plus = storePlus();
    PluTable pc;
    pc.take(plus);
    sendPlus(pc.list(), range(0, 999999));
    EXPECT_TRUE(prompter.texts().empty());

    // Everything comes back, AllUpdate takes it into an empty list.
    PluTable back;
    receivePlus(back, allUpdate);
    EXPECT_EQ(rows(back), plus);

    // Cleared, the scale has nothing to send: nothing is taken.
    clearScale();
    PluTable afterClear;
    receivePlus(afterClear, allUpdate);
    EXPECT_TRUE(afterClear.list().empty());
    EXPECT_EQ(pc.list().size(), plus.size());  // the list on the PC is not changed

    // Put back by range: PLUs 12 to 41 only; the user picks the first and the third.
    sendPlus(pc.list(), range(12, 41));
    PluTable picked;
    receivePlus(picked, selectUpdate({0, 2}));
    EXPECT_EQ(rows(picked), (std::vector<PluPair>{plus[1], plus[3]}));
    receivePlus(picked, allUpdate);
    EXPECT_EQ(rows(picked), (std::vector<PluPair>{plus[1], plus[2], plus[3]}));
    EXPECT_EQ(picked.list().displayText(1), "    40\tHAM               \t12345.67\t Weight  ");
    // The one question of "Clear Scale", and no failure.
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{plutransfer::kClearQuestion});

    // The records as they arrived: the engine stamps block "1" and scale 01 into the envelope,
    // which these PLUs already had.
    std::vector<std::string> table07;
    std::vector<std::string> table08;
    for (int i = 1; i <= 3; ++i) {
        table07.push_back(plus[static_cast<std::size_t>(i)].plu);
        table08.push_back(plus[static_cast<std::size_t>(i)].label);
    }
    EXPECT_EQ(stored("07"), table07);
    EXPECT_EQ(test::dumpedRecords(dump, "08"), table08);
}

// "Send selected" and "Send changed" keep the record of what the scale acknowledged as
// "vornctl send" does: what one sent leaves the changed-only rule, what changed comes back.
TEST_F(PluEndToEnd, SendSelectedAndSendChangedFollowWhatTheScaleAcknowledged) {
    const std::vector<PluPair> plus = storePlus();
    PluTable pc;
    pc.take(plus);
    const auto listed = [&pc] {
        std::vector<PluPair> pairs;
        for (std::size_t i = 0; i < pc.list().size(); ++i) {
            pairs.push_back(pc.list().pair(i));
        }
        return pairs;
    };
    EXPECT_EQ(unacknowledgedPlus(pc.list()), plus);

    sendSelectedPlus(pc.list(), {1, 3});
    EXPECT_EQ(unacknowledgedPlus(pc.list()), (std::vector<PluPair>{plus[0], plus[2], plus[4]}));
    // A receive records what the scale holds, whichever PLUs the user takes.
    std::filesystem::remove(acknowledgedPluFile("01"));
    EXPECT_EQ(unacknowledgedPlus(pc.list()).size(), 5u);
    PluTable back;
    receivePlus(back, [] { return false; });
    EXPECT_EQ(unacknowledgedPlus(pc.list()).size(), 3u);

    // A changed price is not what the scale holds; a cancelled question sends nothing.
    PluValues bread = decodePair(plus[1]);
    bread.priceHundredths = "349";
    ASSERT_TRUE(pc.addValues(bread));
    EXPECT_EQ(unacknowledgedPlus(pc.list()).size(), 4u);
    prompter.answerNext(PromptAnswer::Cancel);
    sendChangedPlus(pc.list());
    EXPECT_EQ(unacknowledgedPlus(pc.list()).size(), 4u);
    sendChangedPlus(pc.list());
    EXPECT_EQ(prompter.texts().back(),
              "4 PLUs are new or changed since the scale last acknowledged them. Send them?");
    // The rule of the command line's changed-only send now finds nothing either.
    EXPECT_TRUE(changedPlus(listed(), {loadAcknowledgedPlus("01")}).empty());
    const std::size_t told = prompter.texts().size();
    sendChangedPlus(pc.list());
    ASSERT_EQ(prompter.texts().size(), told + 1);
    EXPECT_EQ(prompter.texts().back(),
              "The scale holds every PLU of the list as it is: nothing to send.");
    // What the scale holds: every PLU as the list has it.
    std::vector<std::string> records;
    for (const PluPair& pair : listed()) {
        records.push_back(pair.plu);
    }
    EXPECT_EQ(stored("07"), records);
}

}  // namespace
}  // namespace vorn
