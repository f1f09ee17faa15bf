// Trans.dat: the 22 selection flags behind the signature, 100 bytes.
#include <gtest/gtest.h>

#include <filesystem>

#include "batch/BatchCategories.h"
#include "batch/BatchSelection.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

std::string signature() {
    return test::lengthPrefixed("KVRAWobnTrs");
}

std::string flags(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values) {
        bytes += std::string{static_cast<char>(v), 0, 0, 0};
    }
    return bytes;
}

std::string repeated(int value, int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        bytes += flags({value});
    }
    return bytes;
}

TEST(BatchSelection, SelectAllWritesTwentyTwoOnesAndClearAllTwentyTwoZeros) {
    test::TempDir dir(test::TempDir::Enter);
    BatchSelection selection;
    selection.setAll(true);
    ASSERT_EQ(saveSelection(selection), "");
    EXPECT_EQ(test::readFile("Trans.dat"), signature() + repeated(1, 22));
    EXPECT_EQ(std::filesystem::file_size("Trans.dat"), 100u);

    selection.setAll(false);
    ASSERT_EQ(saveSelection(selection), "");
    EXPECT_EQ(test::readFile("Trans.dat"), signature() + repeated(0, 22));
}

TEST(BatchSelection, EachCategoryKeepsItsFlagInItsSlot) {
    // Slot order of the file: Group, DateText, Datetime, reserved, Header Bottom, Default
    // Label, Operator, Operator setup, PLU, Preset Key, Marquee Message, scale number, Store
    // Address, Tare, reserved, Discount, Advertisement, three reserved, Extra Text, Bar Code.
    const std::vector<std::string> bySlot = {"group",
                                             "datetext",
                                             "datetime",
                                             "",
                                             "header-bottom",
                                             "default-label",
                                             "operator",
                                             "operator-setup",
                                             "plu",
                                             "preset-key",
                                             "marquee-message",
                                             "",
                                             "store-address",
                                             "tare",
                                             "",
                                             "discount",
                                             "advertisement",
                                             "",
                                             "",
                                             "",
                                             "extra-text",
                                             "bar-code"};
    for (int slot = 1; slot <= kSelectionSlots; ++slot) {
        const std::string& name = bySlot[static_cast<std::size_t>(slot - 1)];
        if (name.empty()) {
            continue;
        }
        const BatchCategory* category = batchCategoryNamed(name);
        ASSERT_NE(category, nullptr) << name;
        EXPECT_EQ(category->slot, slot) << name;
        BatchSelection one;
        one.set(category->slot, true);
        std::string expected = signature() + repeated(0, 22);
        expected[12 + 4 * static_cast<std::size_t>(slot - 1)] = 1;
        EXPECT_EQ(encodeSelection(one), expected) << name;
    }
}

TEST(BatchSelection, LoadingKeepsEveryFlagAndDoesNotCompareTheSignature) {
    test::TempDir dir(test::TempDir::Enter);
    EXPECT_EQ(loadSelection().selection.flags, BatchSelection{}.flags);  // no file, no problem
    EXPECT_EQ(loadSelection().problem, "");

    // A reserved slot and the scale-number flag come back as they were.
    std::string bytes = test::lengthPrefixed("OTHER") + repeated(0, 22);
    bytes[6 + 4 * 3] = 1;   // slot 4, reserved
    bytes[6 + 4 * 11] = 1;  // slot 12, scale number
    bytes[6 + 4 * 13] = 7;  // slot 14, Tare: any value but 0 is ticked
    test::writeFile("Trans.dat", bytes);
    const LoadedSelection loaded = loadSelection();
    EXPECT_EQ(loaded.problem, "");
    EXPECT_TRUE(loaded.selection.ticked(4));
    EXPECT_TRUE(loaded.selection.ticked(12));
    EXPECT_TRUE(loaded.selection.ticked(14));
    EXPECT_FALSE(loaded.selection.ticked(1));
    EXPECT_EQ(loaded.selection.flags[13], 7);
}

TEST(BatchSelection, AFileCutShortKeepsTheFlagsReadAndNamesTheFile) {
    const std::string bytes = signature() + flags({1, 0, 1}) + std::string(2, '\1');
    const LoadedSelection loaded = parseSelection(bytes);
    EXPECT_TRUE(loaded.selection.ticked(1));
    EXPECT_FALSE(loaded.selection.ticked(2));
    EXPECT_TRUE(loaded.selection.ticked(3));
    EXPECT_FALSE(loaded.selection.ticked(4));
    EXPECT_EQ(loaded.problem, "Trans.dat is damaged or incomplete: 3 of 22 selection flags read");

    EXPECT_NE(parseSelection("").problem, "");
    EXPECT_NE(parseSelection(std::string(1, '\xff')).problem, "");
}

TEST(BatchSelection, ASelectionThatCannotBeSavedNamesTheFileAndKeepsTheOldOne) {
    test::TempDir dir(test::TempDir::Enter);
    std::filesystem::create_directory("Trans.dat");
    BatchSelection selection;
    selection.setAll(true);
    const FileProblem problem = saveSelection(selection);
    EXPECT_NE(problem.find("Trans.dat"), std::string::npos) << problem;
    EXPECT_TRUE(std::filesystem::is_directory("Trans.dat"));
}

}  // namespace
}  // namespace vorn
