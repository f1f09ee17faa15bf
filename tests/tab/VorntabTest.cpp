// vorntab from the command line, as a back-office script runs it in a scale directory: export,
// an edited price list imported back, --dry-run and --strict, and the exit status of each
// outcome; --help and --version answer without a window (and without a display).
#include <gtest/gtest.h>

#include "plu/PluFile.h"
#include "tests/support/PluSamples.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace vorn::test {
namespace {

int vorntab(const std::vector<std::string>& args, const std::string& errFile = "err.txt") {
    return runProgram(programPath("vorntab"), args, errFile);
}

// Runs a shell command line in the current directory; its exit status.
int shell(const std::string& command) {
    return runProgram("/bin/sh", {"-c", command});
}

class VorntabTest : public ::testing::Test {
protected:
    VorntabTest() {
        writeFile(plufile::kName,
                  pluFileOf({samplePluPair(1, "ONE", "100"), samplePluPair(2, "TWO", "200")}));
    }
    TempDir dir{TempDir::Enter};
};

TEST_F(VorntabTest, AnExportedListEditedAndImportedBackChangesItsPrices) {
    const std::string original = readFile(plufile::kName);
    ASSERT_EQ(vorntab({"export", "plus.csv"}), 0) << readFile("err.txt");
    const std::string csv = readFile("plus.csv");
    ASSERT_NE(csv.find("\r\n2,0001033001003,TWO,,2.00,"), std::string::npos) << csv;

    // Unchanged, it changes nothing.
    EXPECT_EQ(vorntab({"import", "plus.csv"}), 0) << readFile("err.txt");
    EXPECT_EQ(readFile(plufile::kName), original);

    std::string edited = csv;
    edited.replace(edited.find(",2.00,"), 6, ",2.50,");
    writeFile("plus.csv", edited);
    EXPECT_EQ(vorntab({"import", "--dry-run", "plus.csv"}), 0);
    EXPECT_EQ(readFile(plufile::kName), original);
    EXPECT_EQ(vorntab({"import", "plus.csv"}), 0);
    const PluFileContent saved = parsePluFile(readFile(plufile::kName));
    ASSERT_EQ(saved.pairs.size(), 2u);
    EXPECT_EQ(saved.pairs[1].plu.substr(108, 8), "00000250");
    EXPECT_EQ(saved.pairs[0], samplePluPair(1, "ONE", "100"));
}

TEST_F(VorntabTest, RejectedRowsGiveOneAndAreNamedAndStrictWritesNothing) {
    writeFile("prices.csv", "PLU No.;Price\n1;1,10\n2;two\n");
    const std::string original = readFile(plufile::kName);
    EXPECT_EQ(vorntab({"import", "--strict", "prices.csv"}), 1);
    EXPECT_EQ(readFile(plufile::kName), original);
    EXPECT_EQ(readFile("err.txt"), "line 3 (PLU No. 2): Price is not a number: \u201Ctwo\u201D\n");

    EXPECT_EQ(vorntab({"import", "prices.csv"}), 1);
    const PluFileContent saved = parsePluFile(readFile(plufile::kName));
    EXPECT_EQ(saved.pairs[0].plu.substr(108, 8), "00000110");
    EXPECT_EQ(saved.pairs[1].plu.substr(108, 8), "00000200");
}

TEST_F(VorntabTest, UnusableInputGivesTwoAndWritesNothing) {
    const std::string original = readFile(plufile::kName);
    writeFile("names.csv", "Description,Price\nAPPLE,1\n");
    EXPECT_EQ(vorntab({"import", "names.csv"}), 2);
    EXPECT_NE(readFile("err.txt").find("names no column \u201CPLU No.\u201D"), std::string::npos);
    EXPECT_EQ(vorntab({"import", "missing.csv"}), 2);
    EXPECT_EQ(vorntab({"import"}), 2);
    EXPECT_EQ(vorntab({"convert", "x.csv"}), 2);
    EXPECT_EQ(vorntab({"export", "no-such-dir/x.csv"}), 2);
    EXPECT_EQ(readFile(plufile::kName), original);

    writeFile(plufile::kName, "not a PLU file\r\n");
    writeFile("prices.csv", "PLU No.,Price\n1,1.00\n");
    EXPECT_EQ(vorntab({"import", "prices.csv"}), 2);
    EXPECT_EQ(readFile("err.txt"),
              "vorntab: plurec.dat is not a PLU file (error file record format!)\n");
    EXPECT_EQ(vorntab({"export", "x.csv"}), 2);
    EXPECT_EQ(readFile(plufile::kName), "not a PLU file\r\n");
}

TEST_F(VorntabTest, HelpAndVersionAnswerWithoutAWindow) {
    const std::string program = programPath("vorntab");
    EXPECT_EQ(shell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + program +
                    " --help > help.txt 2>&1"),
              0);
    const std::string help = readFile("help.txt");
    EXPECT_NE(help.find("export"), std::string::npos) << help;
    EXPECT_NE(help.find("Exit status: 0"), std::string::npos) << help;
    EXPECT_EQ(shell("env -u DISPLAY -u QT_QPA_PLATFORM " + program + " import --help > h.txt"), 0);
    EXPECT_NE(readFile("h.txt").find("--dry-run"), std::string::npos);
    EXPECT_EQ(shell("env -u DISPLAY " + program + " --version > version.txt"), 0);
    EXPECT_EQ(readFile("version.txt"), "vorntab 1.0\n");
}

}  // namespace
}  // namespace vorn::test
