// Bulk price changes: the arithmetic in cents (percentages rounded half away from zero, the
// endings), what a user may type, the range of the price field, and that applying changes the
// chosen rows' price field and nothing else.
#include "plu/PriceChange.h"

#include <gtest/gtest.h>

#include "tests/support/PluSamples.h"

namespace vorn {
namespace {

TEST(PriceChange, ArithmeticIsExactInCents) {
    using K = PriceChangeKind;
    using R = PriceRounding;
    const struct {
        std::int64_t old;
        PriceChange change;
        std::int64_t expected;
    } cases[] = {
        {1000, {K::Percent, 1000, R::Cent}, 1100},  // +10 %
        {199, {K::Percent, 1000, R::Cent}, 219},    // 218.9 rounds up
        {105, {K::Percent, -5000, R::Cent}, 53},    // 52.5 rounds away from zero
        {333, {K::Percent, 333, R::Cent}, 344},     // +3.33 %: 344.0889
        {1000, {K::Amount, -250, R::Cent}, 750},
        {1000, {K::Set, 399, R::Cent}, 399},
        {213, {K::Amount, 0, R::Ending99}, 199},  // nearer below
        {251, {K::Amount, 0, R::Ending99}, 299},  // nearer above
        {249, {K::Amount, 0, R::Ending99}, 299},  // a tie goes up
        {213, {K::Amount, 0, R::Ending49}, 249},
        {10, {K::Amount, 0, R::Ending49}, 49},  // never below the ending
        {0, {K::Amount, 0, R::Ending99}, 0},    // priced at the scale: stays
        {1000, {K::Percent, 1000, R::Ending99}, 1099},
        {100, {K::Amount, -250, R::Ending99}, -150},  // left for the range check
    };
    for (const auto& c : cases) {
        EXPECT_EQ(changedPrice(c.old, c.change), c.expected) << c.old << " " << c.change.value;
    }
}

TEST(PriceChange, TypedNumbersAreTakenWholeOrRefused) {
    const struct {
        const char* text;
        std::optional<std::int64_t> value;
    } cases[] = {{"10", 1000},
                 {"-2.5", -250},
                 {"+0.05", 5},
                 {".5", 50},
                 {"3.", 300},
                 {"", std::nullopt},
                 {"1.234", std::nullopt},
                 {"1,5", std::nullopt},
                 {"-", std::nullopt},
                 {"5 ", std::nullopt}};
    for (const auto& c : cases) {
        EXPECT_EQ(parseHundredths(c.text), c.value) << c.text;
    }
}

TEST(PriceChange, APlanOutsideTheFieldIsRefusedAndApplyingChangesOnlyTheChosenPrices) {
    PluList list;
    std::vector<PluPair> pairs;
    for (int n = 1; n <= 4; ++n) {
        PluPair pair = test::samplePluPair(n, "ITEM", std::to_string(n * 100));
        test::setField(pair.plu, plurecord::kGroupNumber, n % 2 == 0 ? "0007" : "0003");
        pairs.push_back(pair);
    }
    list.addAll(pairs);
    EXPECT_EQ(rowsOfGroup(list, 7), (std::vector<std::size_t>{1, 3}));

    const PriceChangePlan tooLow = planPriceChange(list, {0, 1}, {PriceChangeKind::Amount, -150});
    EXPECT_EQ(tooLow.problem, "PLU 1: the new price -0.50 is outside 0.00 to 999999.99.");
    const PriceChangePlan tooHigh =
        planPriceChange(list, {3}, {PriceChangeKind::Set, highestPrice() + 1});
    EXPECT_FALSE(tooHigh.problem.empty());
    EXPECT_EQ(applyPriceChange(list, tooLow), 0u);
    EXPECT_EQ(list.pair(0), pairs[0]);

    const PriceChangePlan plan =
        planPriceChange(list, rowsOfGroup(list, 7), {PriceChangeKind::Percent, 5000});
    ASSERT_EQ(plan.problem, "");
    ASSERT_EQ(plan.rows.size(), 2u);
    EXPECT_EQ(plan.rows[1].oldPrice, 400);
    EXPECT_EQ(plan.rows[1].newPrice, 600);
    EXPECT_EQ(applyPriceChange(list, plan), 2u);
    for (std::size_t i = 0; i < 4; ++i) {
        PluPair expected = pairs[i];
        if (i % 2 == 1) {
            test::setField(expected.plu, plurecord::kPrice, i == 1 ? "00000300" : "00000600");
        }
        EXPECT_EQ(list.pair(i), expected) << i;  // every other character as it was
    }
}

}  // namespace
}  // namespace vorn
