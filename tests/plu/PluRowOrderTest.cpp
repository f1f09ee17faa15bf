// Finding and sorting the PLU list's rows: which fields a search looks in (and which it does
// not), without regard to case, and the order of each column both ways with ties in PLU order.
#include "plu/PluRowOrder.h"

#include <gtest/gtest.h>

#include "tests/support/PluSamples.h"

namespace vorn {
namespace {

using test::samplePluPair;
using test::setField;

class PluRowOrderTest : public ::testing::Test {
protected:
    void SetUp() override {
        struct Sample {
            int number;
            const char* description;
            const char* price;
            const char* item;
            bool byCount;
        };
        const Sample samples[] = {
            {1, "APPLES\x10GOLDEN", "250", "1111111111111", false},
            {12, "bread", "99", "7712345678901", true},
            {123, "Cheese", "1000", "2222222222222", false},
            {300, "apples", "250", "3333333333333", true},
        };
        std::vector<PluPair> pairs;
        for (const Sample& s : samples) {
            PluPair pair = samplePluPair(s.number, s.description, s.price);
            setField(pair.plu, plurecord::kItemNumber, s.item);
            setField(pair.plu, plurecord::kFlags, s.byCount ? "0001" : "0000");
            pairs.push_back(pair);
        }
        list.addAll(pairs);
    }

    std::vector<int> shown(PluRowOrder order) const {
        std::vector<int> out;
        for (std::size_t row : shownRows(list, order)) {
            out.push_back(list.number(row));
        }
        return out;
    }

    PluList list;
};

TEST_F(PluRowOrderTest, ASearchFindsItsTextInTheNumberItemNumberOrEitherLine) {
    const struct {
        const char* search;
        std::vector<int> found;
    } cases[] = {
        {"", {1, 12, 123, 300}},
        {"apple", {1, 300}},  // without regard to case
        {"golden", {1}},      // the second description line
        {"12", {12, 123}},    // within the PLU number
        {"771", {12}},        // within the item number
        {"0001", {}},         // the number's leading zeros are not its text
        {"s golden", {}},     // never across the line break
        {"250", {}},          // the price is not searched
        {"CHEESE", {123}},
        {"x", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shown({c.search}), c.found) << c.search;
    }
}

TEST_F(PluRowOrderTest, EachColumnSortsBothWaysWithTiesInPluOrder) {
    const struct {
        PluColumn column;
        bool descending;
        std::vector<int> order;
    } cases[] = {
        {PluColumn::Number, false, {1, 12, 123, 300}},
        {PluColumn::Number, true, {300, 123, 12, 1}},
        {PluColumn::Description, false, {300, 1, 12, 123}},  // then the second line
        {PluColumn::Description, true, {123, 12, 1, 300}},
        {PluColumn::Price, false, {12, 1, 300, 123}},
        {PluColumn::Price, true, {123, 1, 300, 12}},
        {PluColumn::Kind, false, {12, 300, 1, 123}},  // Count before Weight
        {PluColumn::Kind, true, {1, 123, 12, 300}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shown({"", c.column, c.descending}), c.order)
            << static_cast<int>(c.column) << " " << c.descending;
    }
    EXPECT_EQ(shown({"apple", PluColumn::Price, true}), (std::vector<int>{1, 300}));
}

}  // namespace
}  // namespace vorn
