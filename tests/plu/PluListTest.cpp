// The PLU list: the add rule (against the list box's own rule, one row at a time and in bulk),
// deleting several rows, the range search by bisection, and what an observing view is told.
#include "plu/PluList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tables/NumberText.h"
#include "tests/support/PluSamples.h"

namespace vorn {
namespace {

using test::samplePluPair;

std::vector<int> numbers(const PluList& list) {
    std::vector<int> out;
    for (std::size_t i = 0; i < list.size(); ++i) {
        out.push_back(list.number(i));
    }
    return out;
}

std::vector<std::string> descriptions(const PluList& list) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::string d = list.pair(i).plu.substr(35, 10);
        d.erase(d.find_last_not_of(' ') + 1);
        out.push_back(d);
    }
    return out;
}

// The add rule as the list box does it: rows are texts (display part and both records) kept in
// case-insensitive text order; a new row goes after every row not greater than it, then at most
// one neighbour of the same PLU number goes.
class ListBoxRule {
public:
    void add(const PluPair& pair) {
        const std::string text = displayPart(pair) + pair.plu + pair.label;
        const auto folded = [](std::string s) {
            std::transform(s.begin(), s.end(), s.begin(), [](char c) {
                return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
            });
            return s;
        };
        const auto at = std::upper_bound(
            rows_.begin(), rows_.end(), text,
            [&](const std::string& a, const std::string& b) { return folded(a) < folded(b); });
        const std::size_t i = static_cast<std::size_t>(at - rows_.begin());
        rows_.insert(at, text);
        const int n = intValue(text.substr(0, 6));
        if (i + 1 < rows_.size() && intValue(rows_[i + 1].substr(0, 6)) == n) {
            rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(i + 1));
        } else if (i > 0 && intValue(rows_[i - 1].substr(0, 6)) == n) {
            rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(i - 1));
        }
    }
    std::vector<std::string> texts() const { return rows_; }

private:
    std::vector<std::string> rows_;
};

std::vector<std::string> texts(const PluList& list) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.size(); ++i) {
        out.push_back(list.displayText(i) + list.pair(i).plu + list.pair(i).label);
    }
    return out;
}

// Applies what the list tells to a copy of its numbers, as a view would.
class MirrorView : public PluListObserver {
public:
    explicit MirrorView(const PluList& list) : list_(list), rows_(numbers(list)) {}
    void beginInsert(std::size_t index) override { pending_ = index; }
    void endInsert() override {
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(pending_), list_.number(pending_));
    }
    void changed(std::size_t index) override { rows_[index] = list_.number(index); }
    void beginRemove(std::size_t first, std::size_t last) override {
        ASSERT_LE(first, last);
        ASSERT_LT(last, rows_.size());
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(first),
                    rows_.begin() + static_cast<std::ptrdiff_t>(last + 1));
    }
    void endRemove() override {}
    void beginReset() override {}
    void endReset() override { rows_ = numbers(list_); }
    const std::vector<int>& rows() const { return rows_; }

private:
    const PluList& list_;
    std::vector<int> rows_;
    std::size_t pending_ = 0;
};

TEST(PluList, AddPlacesByNumberAndReplacesTheRowOfTheSameNumber) {
    PluList list;
    list.add(samplePluPair(7, "FISH"));
    list.add(samplePluPair(2, "MEAT"));
    EXPECT_EQ(list.add(samplePluPair(5, "FRUIT")).index, 1u);
    EXPECT_EQ(numbers(list), (std::vector<int>{2, 5, 7}));
    const PluList::Place again = list.add(samplePluPair(7, "SALMON"));
    EXPECT_TRUE(again.replaces);
    EXPECT_EQ(again.index, 2u);
    EXPECT_EQ(descriptions(list), (std::vector<std::string>{"MEAT", "FRUIT", "SALMON"}));
    EXPECT_EQ(list.placeOf(6).index, 2u);
    EXPECT_FALSE(list.placeOf(6).replaces);
}

TEST(PluList, AddingOneByOneOrAllAtOnceGivesTheRowsOfTheListBoxRule) {
    std::mt19937 random(7);
    const char* words[] = {"apple", "APPLE", "Bread", "bread", "CHEESE", "cheese", "Dill"};
    for (int round = 0; round < 20; ++round) {
        ListBoxRule reference;
        PluList single;
        PluList bulk;
        std::vector<PluPair> pairs;
        for (int i = 0; i < 60; ++i) {
            pairs.push_back(samplePluPair(static_cast<int>(random() % 25),
                                          words[random() % std::size(words)],
                                          std::to_string(random() % 200000).c_str()));
        }
        for (const PluPair& p : pairs) {
            reference.add(p);
            single.add(p);
        }
        // Bulk adds into a list that already holds rows.
        const std::size_t half = pairs.size() / 2;
        for (std::size_t i = 0; i < half; ++i) {
            bulk.add(pairs[i]);
        }
        bulk.addAll(
            std::vector<PluPair>(pairs.begin() + static_cast<std::ptrdiff_t>(half), pairs.end()));
        ASSERT_EQ(texts(single), reference.texts()) << "round " << round;
        ASSERT_EQ(texts(bulk), reference.texts()) << "round " << round;
    }
}

TEST(PluList, TheLaterOfTwoPairsOfOneNumberStays) {
    PluList list;
    list.addAll({samplePluPair(3, "FIRST"), samplePluPair(1, "ONE"), samplePluPair(3, "SECOND")});
    EXPECT_EQ(numbers(list), (std::vector<int>{1, 3}));
    EXPECT_EQ(descriptions(list), (std::vector<std::string>{"ONE", "SECOND"}));
    list.addAll({samplePluPair(1, "NEW ONE")});
    EXPECT_EQ(descriptions(list), (std::vector<std::string>{"NEW ONE", "SECOND"}));
}

TEST(PluList, DeletingSeveralRowsLeavesTheOthersInOrder) {
    for (const std::vector<std::size_t>& chosen :
         {std::vector<std::size_t>{4, 0, 3}, std::vector<std::size_t>{5, 5, 1, 99}}) {
        PluList list;
        for (int n = 1; n <= 6; ++n) {
            list.add(samplePluPair(n));
        }
        MirrorView view(list);
        list.setObserver(&view);
        list.removeRows(chosen);
        std::vector<int> expected;
        for (int n = 1; n <= 6; ++n) {
            if (std::find(chosen.begin(), chosen.end(), static_cast<std::size_t>(n - 1)) ==
                chosen.end()) {
                expected.push_back(n);
            }
        }
        EXPECT_EQ(numbers(list), expected);
        EXPECT_EQ(view.rows(), expected);
    }
}

TEST(PluList, ManyScatteredDeletesGiveTheSameRowsAsAFew) {
    PluList list;
    std::vector<PluPair> pairs;
    for (int n = 0; n < 1000; ++n) {
        pairs.push_back(samplePluPair(n));
    }
    list.addAll(pairs);
    MirrorView view(list);
    list.setObserver(&view);
    std::vector<std::size_t> odd;
    for (std::size_t i = 1; i < 1000; i += 2) {
        odd.push_back(i);
    }
    list.removeRows(odd);
    ASSERT_EQ(list.size(), 500u);
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list.number(i), static_cast<int>(2 * i));
    }
    EXPECT_EQ(view.rows(), numbers(list));
}

TEST(PluList, AViewFollowsEveryChange) {
    PluList list;
    MirrorView view(list);
    list.setObserver(&view);
    list.add(samplePluPair(10));
    list.add(samplePluPair(5));
    list.add(samplePluPair(20));
    list.add(samplePluPair(5, "AGAIN"));
    list.addAll({samplePluPair(7), samplePluPair(30), samplePluPair(10, "NEW")});
    list.removeAt(0);
    EXPECT_EQ(view.rows(), numbers(list));
    EXPECT_EQ(numbers(list), (std::vector<int>{7, 10, 20, 30}));
    list.clear();
    EXPECT_TRUE(view.rows().empty());
}

TEST(PluList, RangeSearch) {
    PluList list;
    list.addAll({samplePluPair(3), samplePluPair(5), samplePluPair(9), samplePluPair(12),
                 samplePluPair(999999)});
    using Range = std::pair<std::size_t, std::size_t>;
    EXPECT_EQ(list.rangeOf(5, 5), (Range{1, 2}));
    EXPECT_EQ(list.rangeOf(0, 999999), (Range{0, 5}));
    EXPECT_EQ(list.rangeOf(4, 11), (Range{1, 3}));
    EXPECT_EQ(list.rangeOf(6, 8).first, list.rangeOf(6, 8).second);  // between two PLUs
    EXPECT_EQ(list.rangeOf(13, 999998).first, list.rangeOf(13, 999998).second);
    EXPECT_EQ(list.rangeOf(9, 5).first, list.rangeOf(9, 5).second);  // To below From
    PluList empty;
    EXPECT_EQ(empty.rangeOf(0, 999999), (Range{0, 0}));
}

}  // namespace
}  // namespace vorn
