#include <gtest/gtest.h>

#include "shell/StoreList.h"

namespace vorn {
namespace {

std::string padded(const std::string& name) {
    return name + std::string(50 - name.size(), ' ');
}

TEST(StoreEntry, NamePaddedToFiftyThenRightAlignedTenCharacterSlots) {
    EXPECT_EQ(storeEntry("Main", {"S1"}), padded("Main") + "        S1");
    EXPECT_EQ(storeEntry("Main", {"B", "C"}), padded("Main") + "         B         C");
    EXPECT_EQ(storeEntry("Main", {}), padded("Main"));
}

TEST(StoreEntry, ReadingBackTakesWholeSlotsAfterTheName) {
    EXPECT_EQ(scaleNamesOf(padded("Main") + "        S1         X"),
              (std::vector<std::string>{"S1", "X"}));
    EXPECT_TRUE(scaleNamesOf("Main").empty());
    // A trailing part shorter than a slot is not a scale.
    EXPECT_EQ(scaleNamesOf(padded("Main") + "        S1abc"), (std::vector<std::string>{"S1"}));
    EXPECT_EQ(storeNameOf(padded("Main") + "        S1"), "Main");
    EXPECT_EQ(storeNameOf("Main  "), "Main");
}

TEST(StoreEntry, NamesThatCannotBecomeDirectoriesOrSlotsAreRefused) {
    EXPECT_EQ(scaleNameProblem("0123456789"), "");
    EXPECT_NE(scaleNameProblem("01234567890"), "");
    EXPECT_EQ(storeNameProblem(std::string(50, 'x')), "");
    EXPECT_NE(storeNameProblem(std::string(51, 'x')), "");
    EXPECT_NE(storeNameProblem("../etc"), "");
    EXPECT_NE(scaleNameProblem("a\\b"), "");
    EXPECT_NE(scaleNameProblem(".."), "");
}

TEST(StoreScaleLists, LoadSortsTheStoresAndSelectsTheFirstWithItsFirstScale) {
    StoreScaleLists lists;
    lists.load({storeEntry("West", {"W1"}), storeEntry("east", {"E2", "E1"}), "Main"});
    ASSERT_EQ(lists.stores().size(), 3u);
    EXPECT_EQ(storeNameOf(lists.stores()[0]), "east");
    EXPECT_EQ(storeNameOf(lists.stores()[1]), "Main");
    EXPECT_EQ(storeNameOf(lists.stores()[2]), "West");
    EXPECT_EQ(lists.selectedStore(), 0);
    EXPECT_EQ(lists.scales(), (std::vector<std::string>{"E1", "E2"}));
    EXPECT_EQ(lists.selectedScale(), 0);
    lists.selectStore(1);
    EXPECT_TRUE(lists.scales().empty());
    EXPECT_EQ(lists.selectedScale(), -1);
}

TEST(StoreScaleLists, AddingScaleBAfterCListsBThenCAndTheEntryHoldsThatOrder) {
    StoreScaleLists lists;
    ASSERT_EQ(lists.addStore("Main"), AddOutcome::Added);
    EXPECT_EQ(lists.stores()[0], "Main");  // a store without scales is its bare name
    ASSERT_EQ(lists.addScale("C"), AddOutcome::Added);
    ASSERT_EQ(lists.addScale("B"), AddOutcome::Added);
    EXPECT_EQ(lists.scales(), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(lists.selectedScale(), 0);
    EXPECT_EQ(lists.stores()[0], padded("Main") + "         B         C");
}

TEST(StoreScaleLists, DuplicatesAreRefusedAndEmptyNamesIgnored) {
    StoreScaleLists lists;
    EXPECT_EQ(lists.addScale("S1"), AddOutcome::NoStore);
    ASSERT_EQ(lists.addStore("Main"), AddOutcome::Added);
    ASSERT_EQ(lists.addScale("S1"), AddOutcome::Added);
    EXPECT_EQ(lists.addStore("Main"), AddOutcome::Duplicate);
    EXPECT_EQ(lists.addStore("Main  "), AddOutcome::Duplicate);
    EXPECT_EQ(lists.addStore("main"), AddOutcome::Added);  // case counts
    lists.selectStore(1);
    ASSERT_EQ(lists.selectedStoreName(), "Main");
    EXPECT_EQ(lists.addScale("S1"), AddOutcome::Duplicate);
    EXPECT_EQ(lists.addScale("   "), AddOutcome::Empty);
    EXPECT_EQ(lists.addStore(""), AddOutcome::Empty);
    EXPECT_EQ(lists.stores().size(), 2u);
    EXPECT_EQ(lists.scales().size(), 1u);
}

TEST(StoreScaleLists, AScaleNameKeepsNoBlanksAroundIt) {
    // Its slot is read back without leading blanks: a name that kept them would lead to
    // another directory the next time the dialog opens.
    StoreScaleLists lists;
    ASSERT_EQ(lists.addStore("Main"), AddOutcome::Added);
    ASSERT_EQ(lists.addScale("  S1 "), AddOutcome::Added);
    EXPECT_EQ(lists.scales(), std::vector<std::string>{"S1"});
    EXPECT_EQ(scaleNamesOf(lists.stores()[0]), lists.scales());
    EXPECT_EQ(lists.addScale(" S1"), AddOutcome::Duplicate);
    lists.renameSelectedScale("  S2");
    EXPECT_EQ(lists.selectedScaleName(), "S2");
    EXPECT_EQ(lists.stores()[0], padded("Main") + "        S2");
    EXPECT_EQ(scaleNameProblem("   0123456789"), "");
    EXPECT_NE(scaleNameProblem("  ..  "), "");
    EXPECT_EQ(scaleNameFromTyped("   "), "");
}

TEST(StoreScaleLists, DeletingAScaleRebuildsTheEntryAndDeletingAStoreClearsTheScales) {
    StoreScaleLists lists;
    lists.load({storeEntry("Main", {"A", "B"})});
    lists.selectScale(0);
    ASSERT_TRUE(lists.deleteScale());
    EXPECT_EQ(lists.stores()[0], padded("Main") + "         B");
    EXPECT_EQ(lists.selectedScale(), 0);
    ASSERT_TRUE(lists.deleteScale());
    EXPECT_EQ(lists.stores()[0], padded("Main"));
    EXPECT_FALSE(lists.deleteScale());
    ASSERT_TRUE(lists.deleteStore());
    EXPECT_TRUE(lists.stores().empty());
    EXPECT_FALSE(lists.deleteStore());
}

TEST(StoreScaleLists, RenamesKeepTheSlotsAndTheSortOrder) {
    StoreScaleLists lists;
    lists.load({storeEntry("Main", {"A", "B"}), storeEntry("North", {"N1"})});
    lists.renameSelectedStore("Zed");
    EXPECT_EQ(lists.stores()[1], padded("Zed") + "         A         B");
    EXPECT_EQ(lists.selectedStore(), 1);
    EXPECT_TRUE(lists.storeNameTaken("North"));
    lists.renameSelectedScale("C");  // A becomes C
    EXPECT_EQ(lists.scales(), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(lists.selectedScale(), 1);
    EXPECT_EQ(lists.stores()[1], padded("Zed") + "         B         C");
}

TEST(StoredEntries, AStoreRenameKeepsItsScalesAndTheOrderOfTheList) {
    const std::vector<std::string> entries = {storeEntry("Main", {"S1", "S2"}), "North",
                                              storeEntry("West", {"W1"})};
    EXPECT_EQ(entriesWithStoreRenamed(entries, "Main", "Zeta"),
              (std::vector<std::string>{"North", storeEntry("West", {"W1"}),
                                        storeEntry("Zeta", {"S1", "S2"})}));
    // A store without scales becomes its padded name, as in the list.
    EXPECT_EQ(entriesWithStoreRenamed(entries, "North", "Apex")[0], padded("Apex"));
    // A store added since the last OK is not stored: nothing changes.
    EXPECT_EQ(entriesWithStoreRenamed(entries, "New", "Newer"), entries);
    EXPECT_EQ(entriesWithStoreRenamed({}, "Main", "Zeta"), std::vector<std::string>{});
}

TEST(StoredEntries, AScaleRenameChangesOnlyItsSlotAndKeepsTheSlotsSorted) {
    const std::vector<std::string> entries = {storeEntry("Main", {"B", "C"}),
                                              storeEntry("West", {"B"})};
    EXPECT_EQ(entriesWithScaleRenamed(entries, "Main", "B", "D"),
              (std::vector<std::string>{storeEntry("Main", {"C", "D"}), entries[1]}));
    EXPECT_EQ(entriesWithScaleRenamed(entries, "Main", "X", "D"), entries);
    EXPECT_EQ(entriesWithScaleRenamed(entries, "East", "B", "D"), entries);
}

TEST(OkDecision, NoStoresEndsWithoutAScaleAndTheNoStoreTitle) {
    StoreScaleLists lists;
    const OkDecision d = decideOk(lists);
    EXPECT_EQ(d.outcome, OkDecision::Outcome::NoStores);
    EXPECT_TRUE(d.noScale);
    EXPECT_TRUE(d.entries.empty());
    EXPECT_EQ(d.title, "- vorn");
}

TEST(OkDecision, AStoreWithoutScalesKeepsTheDialogOpen) {
    StoreScaleLists lists;
    lists.addStore("Main");
    const OkDecision d = decideOk(lists);
    EXPECT_EQ(d.outcome, OkDecision::Outcome::NoScaleInStore);
    EXPECT_TRUE(d.noScale);
    EXPECT_EQ(d.storeName, "Main");
    EXPECT_EQ(d.entries, (std::vector<std::string>{"Main"}));
}

TEST(OkDecision, TheSelectedScaleIsEnteredAndNamedInTheTitle) {
    StoreScaleLists lists;
    lists.load({storeEntry("Main", {"S1", "S2"}), storeEntry("Other", {"O1"})});
    lists.selectScale(1);
    const OkDecision d = decideOk(lists);
    EXPECT_EQ(d.outcome, OkDecision::Outcome::EnterScale);
    EXPECT_FALSE(d.noScale);
    EXPECT_EQ(d.storeName, "Main");
    EXPECT_EQ(d.scaleName, "S2");
    EXPECT_EQ(d.title, "The Scale: Main->S2");
    EXPECT_EQ(d.entries.size(), 2u);
    EXPECT_EQ(scaleTitle("A", std::string(40, 'x')), "The Scale: A->" + std::string(30, 'x'));
}

TEST(OkDecision, WithoutASelectedStoreTheFirstStoreCounts) {
    StoreScaleLists lists;
    lists.load({storeEntry("Main", {"S1"}), storeEntry("Other", {"O1"})});
    lists.selectStore(-1);
    const OkDecision d = decideOk(lists);
    EXPECT_EQ(d.outcome, OkDecision::Outcome::NoScaleInStore);
    EXPECT_EQ(d.storeName, "Main");
}

}  // namespace
}  // namespace vorn
