#include "editors/setup/DateTimeRecord.h"

#include <gtest/gtest.h>

#include "tests/support/FakeTransferRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

class ClockSettingTest : public ::testing::Test {
protected:
    ClockSettingTest() { clock.set({2026, 3, 7, 14, 5, 9}); }

    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
    VirtualClock clock;
};

TEST_F(ClockSettingTest, PcTimeSendsTheClockAsItIsAtTheSendDayMonthYearFirst) {
    ClockSetting setting(clock);
    setting.showPcTime();
    EXPECT_EQ(setting.values, (ClockValues{3, 7, 26, 14, 5, 9}));
    clock.advanceMs(5000);
    setting.send();
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0],
              "0002380000000000"
              "07"
              "03"
              "26"
              "14"
              "05"
              "14"
              "\r\n");
    EXPECT_EQ(runner.requests[0].message, "Transfering Time information,please wait...");
    EXPECT_FALSE(runner.requests[0].receive);
}

TEST_F(ClockSettingTest, SetTimeSendsTheSpinsUnchangedAndTheTickLeavesThem) {
    ClockSetting setting(clock);
    setting.mode = ClockMode::SetTime;
    setting.values = {12, 31, 99, 23, 59, 0};
    clock.advanceMs(60'000);
    setting.tick();
    EXPECT_EQ(setting.values, (ClockValues{12, 31, 99, 23, 59, 0}));
    setting.send();
    EXPECT_EQ(runner.trfOuts[0],
              "0002380000000000"
              "31"
              "12"
              "99"
              "23"
              "59"
              "00"
              "\r\n");

    setting.mode = ClockMode::PcTime;
    setting.tick();
    EXPECT_EQ(setting.values, (ClockValues{3, 7, 26, 14, 6, 9}));
}

TEST_F(ClockSettingTest, ASetTimeThatIsNoDateIsRefusedAndNothingIsSent) {
    struct Case {
        ClockValues values;
        const char* refusal;  // "" for a date
    };
    const Case cases[] = {
        {{2, 31, 26, 0, 0, 0}, "February 2026 has no day 31"},
        {{2, 29, 26, 0, 0, 0}, "February 2026 has no day 29"},
        {{2, 29, 28, 0, 0, 0}, ""},
        {{4, 31, 0, 0, 0, 0}, "April 2000 has no day 31"},
        {{12, 31, 99, 0, 0, 0}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(clockDateRefusal(c.values), c.refusal);
        ClockSetting setting(clock);
        setting.mode = ClockMode::SetTime;
        setting.values = c.values;
        runner.trfOuts.clear();
        prompter.clear();
        setting.send();
        EXPECT_EQ(runner.trfOuts.size(), c.refusal[0] == 0 ? 1u : 0u) << c.refusal;
        if (c.refusal[0] != 0) {
            EXPECT_EQ(prompter.texts(),
                      std::vector<std::string>{std::string(c.refusal) + ": the time is not sent."});
        }
    }
}

TEST_F(ClockSettingTest, AFailedSendIsToldWithAnExclamationMark) {
    runner.answerWith("02206\r\n");
    ClockSetting(clock).send();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"02206\nerror!"});
}

TEST(DateTimeRecord, EveryValueIsBroughtIntoItsRangeAndTheYearToTwoDigits) {
    EXPECT_EQ(dateTimeRecord({13, 0, 100, 24, -1, 60}),
              "0002380000000000"
              "01"
              "12"
              "99"
              "23"
              "00"
              "59");
    EXPECT_EQ(clockValuesOf({1999, 12, 31, 23, 59, 58}), (ClockValues{12, 31, 99, 23, 59, 58}));
    EXPECT_EQ(clockValuesOf({2100, 1, 2, 3, 4, 5}).year, 0);
}

}  // namespace
}  // namespace vorn
