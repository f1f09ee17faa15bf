#include "comm/ComPortSettings.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "platform/ProgramDirectory.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unprivileged.h"

namespace vorn {
namespace {

void expectDefaults(const ComPortSettings& s) {
    EXPECT_EQ(s.port, 1);
    EXPECT_EQ(s.baudRate, 9600);
    EXPECT_EQ(s.dataBits, 8);
    EXPECT_EQ(s.stopBits, 0);
    EXPECT_EQ(s.parity, 0);
    EXPECT_EQ(s.device, "");
}

// The program directory and the user's configuration directory point into a temporary one.
class ComPortFile : public ::testing::Test {
protected:
    void SetUp() override { overrideProgramDirectory(dir.path().string()); }
    void TearDown() override { overrideProgramDirectory(""); }
    std::string iniPath() const { return dir.file("comport.ini"); }
    std::string userIniPath() const { return dir.file("config/vorn/comport.ini"); }
    void writeUserIni(const std::string& text) {
        std::filesystem::create_directories(dir.file("config/vorn"));
        test::writeFile(userIniPath(), text);
    }
    test::TempDir dir;
    test::ScopedEnv config{"XDG_CONFIG_HOME", dir.file("config")};
};

TEST_F(ComPortFile, MissingFileGivesTheDefaults) {
    EXPECT_EQ(comPortFilePath(), iniPath());
    expectDefaults(readComPortFile());
}

TEST_F(ComPortFile, DefaultsAreWrittenWithoutLineFeed) {
    EXPECT_EQ(saveComPortSettings(ComPortSettings{}).problem, "");
    EXPECT_EQ(test::readFile(iniPath()), "1,9600,8,0,0");
}

TEST_F(ComPortFile, SecondPortAtNineteenThousandTwoHundredEvenParity) {
    ComPortSettings s;
    s.port = 2;
    s.baudRate = 19200;
    s.dataBits = 7;
    s.stopBits = 0;
    s.parity = 2;
    ASSERT_EQ(writeComPortFile(s, iniPath()), "");
    EXPECT_EQ(test::readFile(iniPath()), "2,19200,7,0,2");
    ComPortSettings back = readComPortFile();
    EXPECT_EQ(back.port, 2);
    EXPECT_EQ(back.baudRate, 19200);
    EXPECT_EQ(back.dataBits, 7);
    EXPECT_EQ(back.parity, 2);
    EXPECT_EQ(devicePath(back), "/dev/ttyS1");
}

TEST_F(ComPortFile, DeviceFieldRoundTrips) {
    ComPortSettings s;
    s.device = "/dev/pts/7";
    ASSERT_EQ(writeComPortFile(s, iniPath()), "");
    EXPECT_EQ(test::readFile(iniPath()), "1,9600,8,0,0,/dev/pts/7");
    ComPortSettings back = readComPortFile();
    EXPECT_EQ(back.device, "/dev/pts/7");
    EXPECT_EQ(devicePath(back), "/dev/pts/7");
}

TEST_F(ComPortFile, LineEndsCrLfAndLfAreNotPartOfTheValues) {
    test::writeFile(iniPath(), "2,4800,7,2,1,/dev/ttyUSB0\r\nsecond line\r\n");
    ComPortSettings crlf = readComPortFile();
    EXPECT_EQ(crlf.port, 2);
    EXPECT_EQ(crlf.parity, 1);
    EXPECT_EQ(crlf.device, "/dev/ttyUSB0");
    test::writeFile(iniPath(), "2,4800,7,2,1\n");
    ComPortSettings lf = readComPortFile();
    EXPECT_EQ(lf.parity, 1);
    EXPECT_EQ(lf.device, "");
    test::writeFile(iniPath(), "2,4800,7,2,1\r\n");
    EXPECT_EQ(readComPortFile().device, "");
    // A bare CR ends the device too, as writing cuts it there: what is read writes back alike.
    test::writeFile(iniPath(), "2,4800,7,2,1,/dev/ttyUSB0\rQ");
    const ComPortSettings cr = readComPortFile();
    EXPECT_EQ(cr.device, "/dev/ttyUSB0");
    EXPECT_EQ(formatComPortLine(cr), "2,4800,7,2,1,/dev/ttyUSB0");
}

TEST_F(ComPortFile, ReadBesideTheProgramFirstThenFromTheUsersDirectory) {
    EXPECT_EQ(comPortFilePath(), iniPath());
    EXPECT_EQ(userComPortFile(), userIniPath());
    writeUserIni("2,4800,7,0,0");
    EXPECT_EQ(comPortFilePath(), userIniPath());
    EXPECT_EQ(readComPortFile().baudRate, 4800);
    // A file beside the program, as a portable install or the other system keeps it, wins.
    test::writeFile(iniPath(), "1,19200,8,0,0");
    EXPECT_EQ(comPortFilePath(), iniPath());
    EXPECT_EQ(readComPortFile().baudRate, 19200);
}

TEST_F(ComPortFile, SavedWhereTheSettingsAreRead) {
    ComPortSettings s;
    s.port = 2;
    writeUserIni("1,4800,7,0,0");
    SavedComPortFile saved = saveComPortSettings(s);
    EXPECT_EQ(saved.path, userIniPath());
    EXPECT_EQ(saved.problem, "");
    EXPECT_EQ(test::readFile(userIniPath()), "2,9600,8,0,0");
    EXPECT_FALSE(std::filesystem::exists(iniPath()));

    test::writeFile(iniPath(), "1,4800,7,0,0");
    s.port = 1;
    saved = saveComPortSettings(s);
    EXPECT_EQ(saved.path, iniPath());
    EXPECT_EQ(test::readFile(iniPath()), "1,9600,8,0,0");
    EXPECT_EQ(test::readFile(userIniPath()), "2,9600,8,0,0");
}

TEST_F(ComPortFile, WithoutAFileTheProgramDirectoryIsTriedFirst) {
    EXPECT_EQ(saveComPortSettings(ComPortSettings{}).path, iniPath());
    EXPECT_EQ(test::readFile(iniPath()), "1,9600,8,0,0");
    EXPECT_FALSE(std::filesystem::exists(userIniPath()));
}

// The program directory of an installed program: the user cannot write it.
class InstalledComPortFile : public ComPortFile {
protected:
    void SetUp() override {
        ComPortFile::SetUp();
        std::filesystem::create_directories(dir.file("config"));
        ::chmod(dir.path().c_str(), 0555);
        ::chmod(dir.file("config").c_str(), 0777);
    }
    void TearDown() override {
        ::chmod(dir.path().c_str(), 0755);
        ComPortFile::TearDown();
    }
    // Saves as an ordinary user: 0 when the settings went to the user's file, 1 when a problem
    // naming the file beside the program came back, 2 otherwise.
    int saveAsUser(const ComPortSettings& s) {
        return test::runUnprivileged([&] {
            const SavedComPortFile saved = saveComPortSettings(s);
            if (saved.problem.empty()) {
                return saved.path == userIniPath() ? 0 : 2;
            }
            return saved.problem.find(iniPath()) != std::string::npos ? 1 : 2;
        });
    }
};

TEST_F(InstalledComPortFile, SettingsGoToTheUsersDirectoryAndAreReadFromThere) {
    ComPortSettings s;
    s.baudRate = 19200;
    s.device = "/dev/ttyUSB0";
    ASSERT_EQ(saveAsUser(s), 0);
    EXPECT_FALSE(std::filesystem::exists(iniPath()));
    EXPECT_EQ(test::readFile(userIniPath()), "1,19200,8,0,0,/dev/ttyUSB0");
    EXPECT_EQ(readComPortFile().device, "/dev/ttyUSB0");
    s.baudRate = 4800;
    ASSERT_EQ(saveAsUser(s), 0);
    EXPECT_EQ(test::readFile(userIniPath()), "1,4800,8,0,0,/dev/ttyUSB0");
}

TEST_F(InstalledComPortFile, AFileBesideTheProgramThatCannotBeReplacedIsAProblem) {
    // A user's file would be hidden by the one beside the program: say so, write nothing.
    ::chmod(dir.path().c_str(), 0755);
    test::writeFile(iniPath(), "1,9600,8,0,0");
    ::chmod(dir.path().c_str(), 0555);
    ComPortSettings s;
    s.port = 2;
    EXPECT_EQ(saveAsUser(s), 1);
    EXPECT_EQ(test::readFile(iniPath()), "1,9600,8,0,0");
    EXPECT_FALSE(std::filesystem::exists(userIniPath()));
}

TEST(UserConfigDirectory, XdgConfigHomeElseTheHomeDirectory) {
    test::ScopedEnv home("HOME", "/home/clerk");
    {
        test::ScopedEnv config("XDG_CONFIG_HOME", "/srv/config");
        EXPECT_EQ(userConfigDirectory(), "/srv/config/vorn");
    }
    {
        test::ScopedEnv config("XDG_CONFIG_HOME", "relative/config");  // not a valid setting
        EXPECT_EQ(userConfigDirectory(), "/home/clerk/.config/vorn");
    }
    test::ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(userConfigDirectory(), "/home/clerk/.config/vorn");
}

TEST_F(ComPortFile, WriteThatFailsHalfwayKeepsTheOldFileAndLeavesNoTemporary) {
    ASSERT_EQ(writeComPortFile(ComPortSettings{}, iniPath()), "");
    ComPortSettings s;
    s.device = std::string(100, 'd');
    // A file size limit makes the write fail after a few bytes, for root as for anyone.
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 16;
    ::setrlimit(RLIMIT_FSIZE, &small);
    FileProblem problem = writeComPortFile(s, iniPath());
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(problem.rfind("Cannot save " + iniPath() + ": ", 0), 0u) << problem;
    EXPECT_EQ(test::readFile(iniPath()), "1,9600,8,0,0");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(ComPortLine, FewerThanFiveNumbersKeepTheDefaultsForTheRest) {
    ComPortSettings s = parseComPortLine("2,19200");
    EXPECT_EQ(s.port, 2);
    EXPECT_EQ(s.baudRate, 19200);
    EXPECT_EQ(s.dataBits, 8);
    EXPECT_EQ(s.stopBits, 0);
    EXPECT_EQ(s.parity, 0);

    ComPortSettings bad = parseComPortLine("2,fast,7,0,2");
    EXPECT_EQ(bad.port, 2);
    EXPECT_EQ(bad.baudRate, 9600);
    EXPECT_EQ(bad.dataBits, 8);  // reading stops at the first field that is not a number

    expectDefaults(parseComPortLine(""));
    expectDefaults(parseComPortLine("garbage"));
}

TEST(ComPortLine, NumbersReadAsScanfReadsThem) {
    ComPortSettings s = parseComPortLine(" 2, 19200,-7,+1,3x");
    EXPECT_EQ(s.port, 2);
    EXPECT_EQ(s.baudRate, 19200);
    EXPECT_EQ(s.dataBits, -7);
    EXPECT_EQ(s.stopBits, 1);
    EXPECT_EQ(s.parity, 3);
    EXPECT_EQ(s.device, "");

    ComPortSettings spaceBeforeComma = parseComPortLine("3 ,4800");
    EXPECT_EQ(spaceBeforeComma.port, 3);
    EXPECT_EQ(spaceBeforeComma.baudRate, 9600);
}

TEST(ComPortLine, DeviceWithLineBreakIsCutWhenWritten) {
    ComPortSettings s;
    s.device = "/dev/ttyS4\nrest";
    EXPECT_EQ(formatComPortLine(s), "1,9600,8,0,0,/dev/ttyS4");
}

TEST(ComPortLine, PortNumberBecomesTtyDevice) {
    ComPortSettings s;
    EXPECT_EQ(devicePath(s), "/dev/ttyS0");
    s.port = 0;  // a port outside the list: a device that cannot be opened
    EXPECT_EQ(devicePath(s), "/dev/ttyS-1");
}

}  // namespace
}  // namespace vorn
