#include "comm/RecordLine.h"

#include <gtest/gtest.h>

#include <string_view>

#include "tables/TextPieces.h"

namespace vorn {
namespace {

TEST(SuccessLine, FirstCharacterOneOrThree) {
    EXPECT_TRUE(isSuccessLine("10021000000001010001"));
    EXPECT_TRUE(isSuccessLine("3"));
    EXPECT_FALSE(isSuccessLine("02206"));
    EXPECT_FALSE(isSuccessLine(""));
    EXPECT_FALSE(isSuccessLine("2002"));
}

TEST(SuccessLine, AnswerRecordsHaveTheWholeEnvelopeAndAnAnswerStatus) {
    EXPECT_TRUE(isAnswerRecord("1002100000000101"));
    EXPECT_TRUE(isAnswerRecord("30021000000001010001FRUIT"));
    EXPECT_FALSE(isAnswerRecord("100210000000010"));
    EXPECT_FALSE(isAnswerRecord("02211 user break or unnormally terminate!"));
    EXPECT_FALSE(isAnswerRecord("02206"));
}

TEST(Envelope, FieldsOfShortAndFullLines) {
    std::string_view line = "00021000070001000000";
    EXPECT_EQ(tableCode(line), "10");
    EXPECT_EQ(operation(line), "0007");
    EXPECT_EQ(field(line, envelope::kScale, 2), "00");
    EXPECT_EQ(field(line, 18, 10), "00");
    EXPECT_EQ(field(line, 40, 3), "");
    EXPECT_EQ(tableCode("00021"), "");
    EXPECT_EQ(operation("0002100"), "");
}

}  // namespace
}  // namespace vorn
