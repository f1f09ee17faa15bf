// The records of what each scale acknowledged: which PLUs a changed-only send leaves out, which
// answers count as acknowledged, and that no damage to the file can keep a changed PLU back.
#include "plu/AcknowledgedPlus.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "plu/PluFile.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

PluPair pair(int number, const std::string& text = "ITEM") {
    PluPair p = templatePair();
    PluValues values = decodePair(p);
    values.pluNumber = std::to_string(number);
    values.description1 = text;
    EXPECT_EQ(encodeValues(values, p), "");
    return p;
}

std::vector<int> numbers(const std::vector<PluPair>& pairs) {
    std::vector<int> out;
    for (const PluPair& p : pairs) {
        out.push_back(pluNumberOf(p.plu));
    }
    return out;
}

// The answer of scale nn to a record line.
std::string answer(const std::string& line, const std::string& scale = "01") {
    std::string a = line;
    a[0] = '1';
    a.replace(13, 3, "1" + scale);
    return a;
}

std::vector<std::string> answersOf(const std::vector<PluPair>& pairs,
                                   const std::string& scale = "01") {
    std::vector<std::string> lines;
    for (const PluPair& p : pairs) {
        lines.push_back(answer(p.plu, scale));
        lines.push_back(answer(p.label, scale));
    }
    return lines;
}

TEST(AcknowledgedPlus, TheFileIsAPluFileInNumberOrderAndReadsBack) {
    const AcknowledgedPlus plus = {{42, pair(42)}, {7, pair(7)}};
    const std::string bytes = acknowledgedPlusBytes(plus);
    EXPECT_EQ(bytes, pluFileStart() + pair(7).plu + "\r\n" + pair(7).label + "\r\n" + pair(42).plu +
                         "\r\n" + pair(42).label + "\r\n");
    EXPECT_EQ(parseAcknowledgedPlus(bytes), plus);
    EXPECT_EQ(acknowledgedPluFile("05"), "pluack05.dat");

    test::TempDir dir(test::TempDir::Enter);
    EXPECT_TRUE(loadAcknowledgedPlus("01").empty());
    ASSERT_EQ(saveAcknowledgedPlus("01", plus), "");
    ASSERT_EQ(saveAcknowledgedPlus("02", plus), "");
    EXPECT_EQ(loadAcknowledgedPlus("01"), plus);
    test::writeFile("pluack.txt", "other");
    forgetAcknowledgedPlus();
    EXPECT_FALSE(std::filesystem::exists("pluack01.dat"));
    EXPECT_FALSE(std::filesystem::exists("pluack02.dat"));
    EXPECT_TRUE(std::filesystem::exists("pluack.txt"));
}

TEST(AcknowledgedPlus, OnlyWhatTheScaleHoldsExactlyIsLeftOut) {
    const AcknowledgedPlus held = {{1, pair(1)}, {2, pair(2)}, {3, pair(3)}};
    const std::vector<PluPair> file = {pair(1), pair(2, "CHANGED"), pair(4)};
    EXPECT_EQ(numbers(changedPlus(file, {held})), (std::vector<int>{2, 4}));
    // With several scales, a PLU goes when any of them lacks it.
    const AcknowledgedPlus other = {{2, pair(2, "CHANGED")}, {4, pair(4)}};
    EXPECT_EQ(numbers(changedPlus(file, {held, other})), (std::vector<int>{1, 2, 4}));
    // A PLU number twice in the file: both go, since the scale keeps whichever comes last.
    EXPECT_EQ(numbers(changedPlus({pair(1), pair(1, "AGAIN")}, {held})), (std::vector<int>{1, 1}));
    EXPECT_EQ(changedPlus(file, {}).size(), 3u);  // no record to compare with: all go
}

TEST(AcknowledgedPlus, ADamagedRecordNeverHoldsAChangedPluBack) {
    AcknowledgedPlus held;
    std::vector<PluPair> current;
    for (int n = 1; n <= 20; ++n) {
        held[n] = pair(n, "OLD");
        current.push_back(pair(n, "NEW"));
    }
    const std::string bytes = acknowledgedPlusBytes(held);
    // Whatever is left of the file, cut anywhere, with a byte changed anywhere, or a line twice:
    // every PLU whose pair changed is still sent.
    for (std::size_t cut = 0; cut <= bytes.size(); cut += 37) {
        EXPECT_EQ(changedPlus(current, {parseAcknowledgedPlus(bytes.substr(0, cut))}).size(), 20u);
    }
    for (std::size_t at = 0; at < bytes.size(); at += 11) {
        std::string spoilt = bytes;
        spoilt[at] = spoilt[at] == 'X' ? 'Y' : 'X';
        EXPECT_EQ(changedPlus(current, {parseAcknowledgedPlus(spoilt)}).size(), 20u);
    }
    // Pairs that cannot be trusted are not held at all: a pair whose records name different
    // PLUs, or a PLU that the file holds twice.
    PluPair mixed = pair(5);
    mixed.label = pair(6).label;
    std::string twice = pluFileStart();
    for (const PluPair& p : {pair(5), pair(5, "OTHER"), mixed, pair(8)}) {
        appendPluPair(twice, p);
    }
    EXPECT_EQ(parseAcknowledgedPlus(twice), (AcknowledgedPlus{{8, pair(8)}}));
    EXPECT_TRUE(parseAcknowledgedPlus("'SOMETHING ELSE\r\n" + pair(8).plu + "\r\n").empty());
}

TEST(AcknowledgedPlus, APluIsAcknowledgedWhenBothItsRecordsWereAnswered) {
    const std::vector<PluPair> sent = {pair(1), pair(2), pair(3)};
    EXPECT_EQ(acknowledgedByScale(sent, answersOf(sent), {}),
              (std::map<std::string, std::set<int>>{{"01", {1, 2, 3}}}));
    // The label data of PLU 2 was refused: the engine left the scale there.
    std::vector<std::string> refused = answersOf({pair(1)});
    refused.push_back(answer(pair(2).plu));
    refused.push_back("02210");
    EXPECT_EQ(acknowledgedByScale(sent, refused, {}),
              (std::map<std::string, std::set<int>>{{"01", {1}}}));
    // An answer that names another PLU, or one cut short, acknowledges nothing further.
    std::vector<std::string> wrong = answersOf({pair(1), pair(3)});
    EXPECT_EQ(acknowledgedByScale(sent, wrong, {}),
              (std::map<std::string, std::set<int>>{{"01", {1}}}));
    EXPECT_EQ(acknowledgedByScale(sent, {"1002070000000101"}, {}),
              (std::map<std::string, std::set<int>>{{"01", {}}}));
}

TEST(AcknowledgedPlus, SeveralScalesAnswerInTurnEachWithItsNumber) {
    const std::vector<PluPair> sent = {pair(1), pair(2)};
    std::vector<std::string> answers = answersOf(sent, "01");
    // Scale 02's first answer broke off without leaving a line; scale 05 took everything.
    for (const std::string& line : answersOf(sent, "05")) {
        answers.push_back(line);
    }
    EXPECT_EQ(acknowledgedByScale(sent, answers, {"01", "02", "05"}),
              (std::map<std::string, std::set<int>>{{"01", {1, 2}}, {"02", {}}, {"05", {1, 2}}}));
    // Scale 02 never acknowledged: its error line ends its answers, not scale 05's.
    answers = answersOf(sent, "01");
    answers.push_back("02206");
    for (const std::string& line : answersOf(sent, "05")) {
        answers.push_back(line);
    }
    EXPECT_EQ(acknowledgedByScale(sent, answers, {"01", "02", "05"}),
              (std::map<std::string, std::set<int>>{{"01", {1, 2}}, {"02", {}}, {"05", {1, 2}}}));
}

TEST(AcknowledgedPlus, TakingKeepsWhatWasHeldAndReplacesWhatWasAcknowledged) {
    AcknowledgedPlus record = {{1, pair(1, "OLD")}, {9, pair(9)}};
    takeAcknowledged(record, {pair(1, "NEW"), pair(2), pair(3)}, {1, 3});
    EXPECT_EQ(record, (AcknowledgedPlus{{1, pair(1, "NEW")}, {3, pair(3)}, {9, pair(9)}}));
    EXPECT_EQ(numbers(pairsOfLines({pair(1).plu, pair(1).label, "garbage", pair(2).plu,
                                    pair(2).label, pair(3).plu})),
              (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace vorn
