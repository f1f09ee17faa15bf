#include <gtest/gtest.h>

#include <filesystem>

#include "shell/ScaleDirectory.h"
#include "shell/StoreList.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::lengthPrefixed;

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

TEST(StoreFileBytes, NoStoresIsAnEmptyFileAndStoresAreACountAndStrings) {
    EXPECT_EQ(encodeStoreEntries({}), "");
    const std::string entry = storeEntry("Main", {"S1"});
    EXPECT_EQ(encodeStoreEntries({entry, "B"}),
              std::string("\x02\x00\x00\x00", 4) + lengthPrefixed(entry) + lengthPrefixed("B"));
    const StoreEntries back = decodeStoreEntries(encodeStoreEntries({entry, "B"}));
    EXPECT_EQ(back.entries, (std::vector<std::string>{entry, "B"}));
    EXPECT_TRUE(back.problem.empty());
    EXPECT_TRUE(decodeStoreEntries("").entries.empty());
    EXPECT_TRUE(decodeStoreEntries("").problem.empty());
}

TEST(StoreFileBytes, ATruncatedFileKeepsTheEntriesReadAndSaysSo) {
    const std::string bytes = std::string("\x03\x00\x00\x00", 4) + lengthPrefixed("A") +
                              "\x05"
                              "B";
    const StoreEntries back = decodeStoreEntries(bytes);
    EXPECT_EQ(back.entries, (std::vector<std::string>{"A"}));
    EXPECT_NE(back.problem.find("grpscl.dat"), std::string::npos);
    const StoreEntries huge = decodeStoreEntries(std::string("\xff\xff\xff\x7f", 4));
    EXPECT_TRUE(huge.entries.empty());
    EXPECT_FALSE(huge.problem.empty());
}

TEST(BaseDirectory, FirstStartWritesThePathOfTheCurrentDirectory) {
    TempDir dir(TempDir::Enter);
    const std::string here = fs::current_path().string();
    const BaseDirectory base = enterBaseDirectory();
    EXPECT_EQ(base.path, here);
    EXPECT_TRUE(base.problem.empty());
    EXPECT_EQ(readFile(dir.file("pgmpath.dat")), lengthPrefixed(here));
    EXPECT_EQ(encodeBasePath(here), lengthPrefixed(here));
}

TEST(BaseDirectory, FromAScaleDirectoryTheStoredBaseBecomesCurrent) {
    TempDir dir(TempDir::Enter);
    const std::string base = fs::current_path().string();
    writeFile(dir.file("pgmpath.dat"), encodeBasePath(base));
    fs::create_directories(dir.path() / "Main" / "S1");
    fs::current_path(dir.path() / "Main" / "S1");
    const BaseDirectory found = enterBaseDirectory();
    EXPECT_EQ(found.path, base);
    EXPECT_EQ(fs::current_path().string(), base);
    EXPECT_FALSE(fs::exists(dir.path() / "Main" / "S1" / "pgmpath.dat"));
}

TEST(BaseDirectory, AStoredPathThatIsGoneFallsBackToWhereTheFileLies) {
    TempDir dir(TempDir::Enter);
    const std::string base = fs::current_path().string();
    writeFile(dir.file("pgmpath.dat"), encodeBasePath("/nonexistent/moved/away"));
    fs::create_directories(dir.path() / "Main" / "S1");
    fs::current_path(dir.path() / "Main" / "S1");
    const BaseDirectory found = enterBaseDirectory();
    EXPECT_EQ(found.path, base);
    EXPECT_EQ(fs::current_path().string(), base);
    EXPECT_EQ(readFile(dir.file("pgmpath.dat")), lengthPrefixed(base));
}

TEST(ScaleDirectory, ANewScaleDirectoryGetsAByteForByteCopyOfTransl2) {
    TempDir dir(TempDir::Enter);
    const std::string base = fs::current_path().string();
    const std::string config("line 1\r\n\x00\xff\x10 end", 15);
    writeFile(dir.file("Transl2.cfg"), config);
    makeStoreDirectory(base, "Main");
    EXPECT_EQ(enterScaleDirectory(base, "Main", "S1"), EnterScaleResult::Entered);
    EXPECT_EQ(fs::current_path(), dir.path() / "Main" / "S1");
    EXPECT_EQ(readFile((dir.path() / "Main" / "S1" / "Transl2.cfg").string()), config);
}

TEST(ScaleDirectory, AnExistingScaleDirectoryIsEnteredAsItIs) {
    TempDir dir(TempDir::Enter);
    const std::string base = fs::current_path().string();
    fs::create_directories(dir.path() / "Main" / "S1");
    writeFile(dir.file("Transl2.cfg"), "new");
    writeFile((dir.path() / "Main" / "S1" / "Transl2.cfg").string(), "kept");
    EXPECT_EQ(enterScaleDirectory(base, "Main", "S1"), EnterScaleResult::Entered);
    EXPECT_EQ(readFile((dir.path() / "Main" / "S1" / "Transl2.cfg").string()), "kept");
}

TEST(ScaleDirectory, ADirectoryThatCannotBeMadeLeavesTheBaseCurrent) {
    TempDir dir(TempDir::Enter);
    const std::string base = fs::current_path().string();
    // No store directory: the scale directory cannot be created inside it.
    EXPECT_EQ(enterScaleDirectory(base, "Missing", "S1"), EnterScaleResult::CannotCreate);
    EXPECT_EQ(fs::current_path().string(), base);
}

TEST(ScaleDirectory, RenamesRefuseATakenName) {
    TempDir dir(TempDir::Enter);
    fs::create_directories(dir.path() / "A" / "S1");
    fs::create_directories(dir.path() / "B");
    EXPECT_EQ(renameDirectory("A", "B"), RenameResult::Taken);
    EXPECT_TRUE(fs::exists(dir.path() / "A" / "S1"));
    EXPECT_EQ(renameDirectory("A", "C"), RenameResult::Renamed);
    EXPECT_TRUE(fs::exists(dir.path() / "C" / "S1"));
    EXPECT_EQ(renameDirectory("never", "made"), RenameResult::Failed);
}

TEST(StoreFile, WrittenAndReadInTheCurrentDirectory) {
    TempDir dir(TempDir::Enter);
    ASSERT_TRUE(writeStoreFile({"Main"}).empty());
    EXPECT_EQ(readStoreFile().entries, (std::vector<std::string>{"Main"}));
    ASSERT_TRUE(writeStoreFile({}).empty());
    EXPECT_EQ(readFile(dir.file("grpscl.dat")), "");
    EXPECT_TRUE(fs::exists(dir.path() / "grpscl.dat"));
}

}  // namespace
}  // namespace vorn
