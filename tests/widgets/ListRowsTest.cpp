#include "widgets/ListRows.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

ListRows rowsOf(std::initializer_list<const char*> texts) {
    ListRows rows;
    for (const char* t : texts) {
        rows.insertAt(rows.size(), t);
    }
    return rows;
}

TEST(ListRows, AddSortedKeepsCaseInsensitiveOrderSoRightAlignedNumbersSortNumerically) {
    ListRows rows;
    rows.addSorted("  12\tb");
    rows.addSorted("   5\ta");
    rows.addSorted("   5\tB");
    rows.addSorted("   5\tA");
    rows.addSorted("   0\tz");
    EXPECT_EQ(rows.texts(),
              (std::vector<std::string>{"   0\tz", "   5\ta", "   5\tA", "   5\tB", "  12\tb"}));
}

TEST(ListRows, InsertAtDoesNotSortAndKeepsSelectionAndCaretOnTheirRows) {
    ListRows rows = rowsOf({"b", "d"});
    rows.setSelected(1, true);
    rows.setCaret(1);
    rows.insertAt(0, "z");
    rows.insertAt(99, "a");
    EXPECT_EQ(rows.texts(), (std::vector<std::string>{"z", "b", "d", "a"}));
    EXPECT_EQ(rows.selectedIndexes(), std::vector<std::size_t>{2});
    EXPECT_EQ(rows.caret(), 2u);
}

TEST(ListRows, DeleteSelectedGoesFromTheHighestIndexAndLeavesNothingSelected) {
    ListRows rows = rowsOf({"r0", "r1", "r2", "r3", "r4", "r5"});
    for (std::size_t i : {1u, 3u, 4u}) {
        rows.setSelected(i, true);
    }
    EXPECT_EQ(rows.deleteSelected(), (std::vector<std::size_t>{4, 3, 1}));
    EXPECT_EQ(rows.texts(), (std::vector<std::string>{"r0", "r2", "r5"}));
    EXPECT_TRUE(rows.selectedIndexes().empty());

    // Nothing selected: nothing happens.
    EXPECT_TRUE(rows.deleteSelected().empty());
    EXPECT_EQ(rows.size(), 3u);
}

TEST(ListRows, CaretFollowsRemovalsAndVanishesWithTheLastRow) {
    ListRows rows = rowsOf({"a", "b", "c"});
    rows.setCaret(2);
    rows.removeAt(0);
    EXPECT_EQ(rows.caret(), 1u);
    rows.removeAt(1);
    EXPECT_EQ(rows.caret(), 0u);
    rows.removeAt(0);
    EXPECT_EQ(rows.caret(), ListRows::kNoRow);
    rows.setCaret(5);
    EXPECT_EQ(rows.caret(), ListRows::kNoRow);
}

}  // namespace
}  // namespace vorn
