// PLUs from the list through the real engine and serial code to vornsim on a pseudo-terminal:
// sent by range, the scale cleared, put back, received and chosen with "SelectUpdate" and
// "AllUpdate", equal byte for byte; the simulator's dump shows what arrived on the wire.
#include <gtest/gtest.h>

#include <filesystem>

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

}  // namespace
}  // namespace vorn
