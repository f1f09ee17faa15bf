// vorn --version and --help answer on standard output and exit, without a window and without a
// display, as every other program of the package does.
#include <gtest/gtest.h>

#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace vorn::test {
namespace {

TEST(VornCommandLine, VersionAndHelpAnswerWithoutADisplay) {
    TempDir dir(TempDir::Enter);
    const std::string bare =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + programPath("vorn");
    EXPECT_EQ(runProgram("/bin/sh", {"-c", bare + " --version > version.txt"}), 0);
    EXPECT_EQ(readFile("version.txt"), std::string("vorn ") + VORN_VERSION + "\n");
    EXPECT_EQ(runProgram("/bin/sh", {"-c", bare + " --help > help.txt"}), 0);
    const std::string help = readFile("help.txt");
    EXPECT_TRUE(help.starts_with("Usage: vorn [OPTION]...")) << help;
    EXPECT_NE(help.find("--version"), std::string::npos) << help;
}

}  // namespace
}  // namespace vorn::test
