// The connection test through the real engine and serial code against vornsim, a silent vornsim
// and a missing device, and its verdict on every kind of run.

#include "comm/ConnectionTest.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "comm/Engine.h"
#include "platform/PortFailure.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

ComPortSettings onDevice(const std::string& device) {
    ComPortSettings s;
    s.device = device;
    return s;
}

TEST(ConnectionTest, AScaleAnswersAndNoFileOfTheScaleDirectoryChanges) {
    test::SimulatedScale scale;
    ASSERT_TRUE(scale.ready());
    // The current directory stands for a scale's: its transfer files stay as they are.
    test::TempDir scaleDir(test::TempDir::Enter);
    test::writeFile("trf.out", "00021000000001000001Fruit               0000\r\n");
    test::writeFile("trf.in", "10021000000001010001Fruit               0000\r\n");
    test::RecordingPrompter prompts;
    const ConnectionVerdict v = testConnection(onDevice(scale.device()));
    EXPECT_EQ(v.result, ConnectionResult::Answered);
    EXPECT_EQ(v.text, "The scale answered.");
    EXPECT_NE(v.detail.find(scale.device()), std::string::npos);
    EXPECT_TRUE(prompts.texts().empty());
    EXPECT_EQ(test::readFile("trf.out"), "00021000000001000001Fruit               0000\r\n");
    EXPECT_EQ(test::readFile("trf.in"), "10021000000001010001Fruit               0000\r\n");
    EXPECT_FALSE(fs::exists("log.asc"));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(scaleDir.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 2u);
}

TEST(ConnectionTest, TheRequestIsTheDateTextsRequestInADirectoryOfItsOwn) {
    std::string directory;
    {
        ConnectionTest test(onDevice("/dev/ttyUSB3"));
        ASSERT_TRUE(test.ready()) << test.problem();
        directory = test.directory();
        EXPECT_EQ(test::readFile(directory + "/trf.out"), "000219000700000000\r\n");
        EXPECT_EQ(test::readFile(directory + "/comport.ini"), "1,9600,8,0,0,/dev/ttyUSB3");
        const EngineEnvironment env = test.environment();
        EXPECT_EQ(env.directory, directory);
        EXPECT_EQ(env.comPortFile, directory + "/comport.ini");
        EXPECT_TRUE(test.request().receive);
        EXPECT_TRUE(test.request().quiet);  // the verdict is the one message
    }
    EXPECT_FALSE(fs::exists(directory));
}

TEST(ConnectionTest, ASilentScaleIsToldFromAWorkingOne) {
    test::SimulatedScale silent({"--silent"});
    ASSERT_TRUE(silent.ready());
    test::RecordingPrompter prompts;
    const ConnectionVerdict v = testConnection(onDevice(silent.device()), milliseconds(1000));
    EXPECT_EQ(v.result, ConnectionResult::Failed);
    EXPECT_EQ(v.text, "The scale did not answer.");
    EXPECT_EQ(v.detail.rfind("Nothing came back on " + silent.device() + " within 1 second.", 0),
              0u)
        << v.detail;
    EXPECT_TRUE(prompts.texts().empty());  // no "TimeOut" box beside the verdict
}

TEST(ConnectionTest, APortThatCannotBeOpenedIsToldOnceWithItsReason) {
    test::TempDir dir;
    const std::string device = dir.file("ttyUSB0");
    test::RecordingPrompter prompts;
    const ConnectionVerdict v = testConnection(onDevice(device));
    EXPECT_EQ(v.result, ConnectionResult::NotRun);
    const auto shown = prompts.prompts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Error opening COM port");
    EXPECT_EQ(shown[0].detail, openFailureText(device, {OpenFailure::NoSuchDevice, ENOENT}));
}

TEST(ConnectionTest, VerdictOfEveryKindOfRun) {
    ConnectionTest test(onDevice("/dev/ttyS1"), milliseconds(6000));
    ASSERT_TRUE(test.ready());
    const std::string in = test.directory() + "/trf.in";
    const auto verdict = [&](const std::string& answers, ConnectionEnd end,
                             bool acknowledged = false) {
        test::writeFile(in, answers);
        return test.verdict(end, acknowledged);
    };
    using End = ConnectionEnd;
    const std::string empty = "10021940007000101000000\r\n";
    EXPECT_EQ(verdict(empty, End::ByItself).result, ConnectionResult::Answered);
    // An answer stands even when the limit or Cancel came after it.
    EXPECT_EQ(
        verdict(empty + "02211 user break or unnormally terminate!\r\n", End::TimeLimit).result,
        ConnectionResult::Answered);

    const std::string breakLine = "02211 user break or unnormally terminate!\r\n";
    EXPECT_EQ(verdict(breakLine, End::Cancelled).result, ConnectionResult::Cancelled);
    ConnectionVerdict v = verdict(breakLine, End::TimeLimit);
    EXPECT_EQ(v.text, "The scale did not answer.");
    EXPECT_NE(v.detail.find("/dev/ttyS1 within 6 seconds"), std::string::npos) << v.detail;
    v = verdict(breakLine, End::TimeLimit, true);
    EXPECT_EQ(v.text, "The scale took the request but sent no answer.");

    EXPECT_EQ(verdict("02206\r\n", End::ByItself).text, "The scale did not answer.");
    EXPECT_EQ(verdict("02210\r\n", End::ByItself).text, "The scale refused the request.");
    EXPECT_EQ(verdict("02207\r\n", End::ByItself).text, "The request could not be sent.");
    v = verdict("2002194\r\n", End::ByItself);
    EXPECT_EQ(v.result, ConnectionResult::Failed);
    EXPECT_EQ(v.text, "The answer was not understood.");
    EXPECT_NE(v.detail.find("2002194"), std::string::npos);
    // Nothing in trf.in: the engine could not open the port or the files, and has said so,
    // also when the time limit came first (a device server's late refusal ends a run so).
    EXPECT_EQ(verdict("", End::ByItself).result, ConnectionResult::NotRun);
    EXPECT_EQ(verdict("", End::TimeLimit).result, ConnectionResult::NotRun);
}

}  // namespace
}  // namespace vorn
