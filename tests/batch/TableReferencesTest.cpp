// What one table names in another: the references of preset keys, PLUs and default labels, the
// numbers read from the scale directory's files, and the texts told for the missing ones.
#include <gtest/gtest.h>

#include "batch/BatchCategories.h"
#include "batch/KnownNumbersReader.h"
#include "editors/code/PresetKeyRecords.h"
#include "editors/setup/DefaultLabel.h"
#include "plu/PluReferences.h"
#include "tests/support/PluSamples.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using Texts = std::vector<std::string>;

TEST(TableReferencesTest, AReferenceIsJudgedOnlyAgainstATableKeptHereAndNeverForZero) {
    KnownNumbers known;
    known.tables[ReferredTable::Plu] = {1, 12};
    known.tables[ReferredTable::DateText] = {};
    const std::vector<TableReference> references = {
        {"Key 12", ReferredTable::Plu, 999999}, {"Key 1", ReferredTable::Plu, 12},
        {"PLU 3", ReferredTable::Group, 7},     {"PLU 3", ReferredTable::DateText, 0},
        {"PLU 4", ReferredTable::DateText, 2},
    };
    EXPECT_EQ(danglingReferences(references, known),
              (Texts{"Key 12 points to PLU 999999, which the PLU file does not have",
                     "PLU 4 points to date text 2, which the date text table does not have"}));
}

TEST(TableReferencesTest, EachTableNamesWhatItsFieldsHold) {
    PresetKeys keys;
    keys.plu[11] = "999999";
    keys.plu[40] = "7";
    keys.plu[41] = "x1";  // names no number
    const std::vector<TableReference> ofKeys = presetKeyReferences(keys);
    ASSERT_EQ(ofKeys.size(), 2u);
    EXPECT_EQ(ofKeys[0].from, "Key 12");
    EXPECT_EQ(ofKeys[1].from, "Key 41");
    EXPECT_EQ(ofKeys[1].number, 7);

    PluPair pair = test::samplePluPair(5);
    test::setField(pair.plu, plurecord::kGroupNumber, "0003");
    test::setField(pair.label, labelrecord::kExtraText, "120");
    test::setField(pair.label, labelrecord::kSellByDateText, "02");
    std::vector<std::pair<ReferredTable, long>> ofPlu;
    for (const TableReference& r : pluReferences(pair)) {
        EXPECT_EQ(r.from, "PLU 5");
        ofPlu.emplace_back(r.table, r.number);
    }
    EXPECT_EQ(ofPlu, (std::vector<std::pair<ReferredTable, long>>{{ReferredTable::Group, 3},
                                                                  {ReferredTable::ExtraText, 120},
                                                                  {ReferredTable::DateText, 2}}));

    DefaultLabelFields fields;
    fields.text(LabelField::AdvertisingText) = "4";
    fields.text(LabelField::PackingDateText) = "3";
    fields.text(LabelField::LabelNumber) = "9";  // a layout, not a text
    std::vector<std::pair<ReferredTable, long>> ofLabel;
    for (const TableReference& r : defaultLabelReferences(fields, "Total Label")) {
        EXPECT_EQ(r.from, "Total Label");
        ofLabel.emplace_back(r.table, r.number);
    }
    EXPECT_EQ(ofLabel, (std::vector<std::pair<ReferredTable, long>>{
                           {ReferredTable::Advertisement, 4}, {ReferredTable::DateText, 3}}));
}

TEST(TableReferencesTest, ABatchSendNamesWhatTheTickedTablesLackInTheScaleDirectory) {
    test::TempDir dir{test::TempDir::Enter};
    PluPair inGroup9 = test::samplePluPair(20);
    test::setField(inGroup9.plu, plurecord::kGroupNumber, "0009");
    test::writeFile(plufile::kName, test::pluFileOf({test::samplePluPair(12), inGroup9}));
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, {{"   1", "MEAT"}, {"   2", "FISH"}}), "");
    PresetKeys keys;
    keys.plu[0] = "12";
    keys.plu[11] = "999999";
    ASSERT_EQ(saveKeyFile(keys), "");

    const KnownNumbers known = readScaleDirectoryNumbers();
    EXPECT_EQ(known.tables.at(ReferredTable::Plu), (std::set<long>{12, 20}));
    EXPECT_EQ(known.tables.at(ReferredTable::Group), (std::set<long>{1, 2}));
    EXPECT_FALSE(known.tables.contains(ReferredTable::Tare));  // no Tare.dat
    EXPECT_EQ(readScaleDirectoryNumbers({ReferredTable::Group}).tables.size(), 1u);

    const struct {
        std::vector<const char*> ticked;
        Texts problems;
    } cases[] = {
        {{}, {}},
        {{"preset-key"}, {"Key 12 points to PLU 999999, which the PLU file does not have"}},
        {{"plu", "group"}, {"PLU 20 points to group 9, which the group table does not have"}},
    };
    for (const auto& c : cases) {
        BatchSelection selection;
        for (const char* name : c.ticked) {
            selection.set(batchCategoryNamed(name)->slot, true);
        }
        EXPECT_EQ(batchSendReferenceProblems(selection, known), c.problems);
    }
}

}  // namespace
}  // namespace vorn
