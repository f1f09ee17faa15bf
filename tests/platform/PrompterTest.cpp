#include <gtest/gtest.h>

#include "platform/Prompter.h"
#include "tests/support/RecordingPrompter.h"

namespace vorn {
namespace {

TEST(Prompter, TellAndConfirmGoThroughTheInstalledPrompterWithTheTitleAsCaption) {
    test::RecordingPrompter rec;
    tell("Same name,can not add!");
    rec.answerNext(PromptAnswer::Cancel);
    EXPECT_FALSE(confirm("Delete this store?"));
    EXPECT_TRUE(confirm("Delete this scale?"));
    const auto prompts = rec.prompts();
    ASSERT_EQ(prompts.size(), 3u);
    EXPECT_EQ(prompts[0].text, "Same name,can not add!");
    EXPECT_EQ(prompts[0].buttons, PromptButtons::Ok);
    EXPECT_FALSE(prompts[0].caption.has_value());
    EXPECT_EQ(prompts[1].buttons, PromptButtons::OkCancel);
}

TEST(Prompter, Latin1BytesBecomeTwoByteUtf8) {
    EXPECT_EQ(latin1ToUtf8("A\xE9\xFF"), "A\xC3\xA9\xC3\xBF");
    EXPECT_EQ(latin1ToUtf8(std::string("\x10\x05", 2)), std::string("\x10\x05", 2));
}

}  // namespace
}  // namespace vorn
