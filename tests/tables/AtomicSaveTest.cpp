// Saving a file whole or not at all: the file is replaced by a temporary beside it, keeps its
// mode, and a failure names it. The leftovers of interrupted saves go at the next save of their
// file, but never a temporary that a running save holds. Saves are also killed at random
// moments and run side by side, each in a process of its own.

#include "tables/AtomicSave.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tables/TableFiles.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

Names namesIn(const fs::path& dir) {
    Names names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

Names temporariesOf(const fs::path& dir, const std::string& fileName) {
    Names names;
    for (const std::string& name : namesIn(dir)) {
        if (isTemporaryOf(name, fileName)) {
            names.insert(name);
        }
    }
    return names;
}

TEST(AtomicSave, ReplacesTheFileAndKeepsItsMode) {
    test::TempDir dir;
    const std::string path = dir.file("Artgrp.dat");
    test::writeFile(path, "old");
    ::chmod(path.c_str(), 0640);
    const std::string content = std::string("\0\x01\xff\r\n", 5) + std::string(10000, 'q');
    EXPECT_EQ(writeFileAtomically(path, content), "");
    EXPECT_EQ(test::readFile(path), content);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(namesIn(dir.path()), Names{"Artgrp.dat"}) << "no temporary is left behind";
}

TEST(AtomicSave, SaveIntoMissingDirectoryNamesTheFile) {
    test::TempDir dir;
    const std::string path = dir.file("gone/Artgrp.dat");
    const FileProblem problem = writeFileAtomically(path, "x");
    EXPECT_EQ(problem.rfind("Cannot save " + path + ": ", 0), 0u) << problem;
}

TEST(AtomicSave, SaveOverADirectoryFailsAndLeavesNoTemporary) {
    test::TempDir dir;
    fs::create_directory(dir.path() / "Tare.dat");
    test::writeFile(dir.file("Tare.dat/inside"), "x");
    const FileProblem problem = writeFileAtomically(dir.file("Tare.dat"), "x");
    EXPECT_NE(problem.find("Tare.dat"), std::string::npos);
    EXPECT_EQ(namesIn(dir.path()), Names{"Tare.dat"});
}

TEST(AtomicSave, LeftoversOfInterruptedSavesGoAtTheNextSaveOfTheirFile) {
    test::TempDir dir(test::TempDir::Enter);
    test::writeFile(".Artgrp.dat.a1B2c3", std::string(850000, 'h'));
    test::writeFile(".Artgrp.dat.ZZZZZZ", "");
    // Not temporaries of Artgrp.dat, or not files: they stay.
    const Names others = {
        ".Opt.dat.a1B2c3",    ".Artgrp.dat.abc5",   ".Artgrp.dat.abcdefg", "Artgrp.dat.a1B2c3",
        ".Artgrp.dat.ab-cd_", ".Artgrp.dat.dir000", ".Artgrp.dat.link00",  "target"};
    for (const std::string& name : others) {
        test::writeFile(name, "keep");
    }
    fs::remove(".Artgrp.dat.dir000");
    fs::create_directory(".Artgrp.dat.dir000");
    fs::remove(".Artgrp.dat.link00");
    fs::create_symlink("target", ".Artgrp.dat.link00");

    EXPECT_EQ(writeFileAtomically("Artgrp.dat", "new"), "");
    Names expected = others;
    expected.insert("Artgrp.dat");
    EXPECT_EQ(namesIn(dir.path()), expected);
    EXPECT_EQ(test::readFile("target"), "keep");
    EXPECT_EQ(test::readFile("Artgrp.dat"), "new");
}

TEST(AtomicSave, TemporaryThatARunningSaveHoldsIsLeftAlone) {
    test::TempDir dir;
    const std::string path = dir.file("Tare.dat");
    const std::string held = dir.file(".Tare.dat.Run123");
    test::writeFile(held, "being written");
    // The running save: its own open file and lock on the temporary.
    const int fd = ::open(held.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);

    EXPECT_EQ(writeFileAtomically(path, "a"), "");
    EXPECT_EQ(removeStaleTemporaries(path), 0);
    EXPECT_EQ(test::readFile(held), "being written");

    ::close(fd);  // the save is gone without its rename, as if killed
    EXPECT_EQ(writeFileAtomically(path, "b"), "");
    EXPECT_EQ(namesIn(dir.path()), Names{"Tare.dat"});
    EXPECT_EQ(test::readFile(path), "b");
}

// A group table of about 450 KB whose every row names its version.
std::vector<NumberStringRow> largeTable(char version) {
    std::vector<NumberStringRow> rows;
    for (int i = 0; i < 10000; ++i) {
        rows.push_back({std::to_string(i), std::string(40, version)});
    }
    return rows;
}

bool sameRows(const std::vector<NumberStringRow>& a, const std::vector<NumberStringRow>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.number == y.number && x.value == y.value;
    });
}

// A process that saves the group table, alternating the two versions, saves times (for ever
// when saves is negative), writing a byte to reportFd after each save when reportFd is given.
// It ends with 0 when every save succeeded.
pid_t startSaving(const std::vector<NumberStringRow>& a, const std::vector<NumberStringRow>& b,
                  int saves, int reportFd = -1) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (int n = 0; saves < 0 || n < saves; ++n) {
            if (!saveNumberStringFile(tablefile::kGroups, n % 2 == 0 ? a : b).empty()) {
                ::_exit(1);
            }
            if (reportFd >= 0 && ::write(reportFd, "s", 1) != 1) {
                ::_exit(1);
            }
        }
        ::_exit(0);
    }
    return pid;
}

// Waits (a few seconds at most) until a save of the group table has its temporary.
void waitForATemporary(const fs::path& dir) {
    for (int i = 0; i < 20000 && temporariesOf(dir, "Artgrp.dat").empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
}

TEST(AtomicSave, KilledSaveLeavesTheOldOrTheNewTableAndTheNextSaveCleansUp) {
    test::TempDir dir(test::TempDir::Enter);
    const auto a = largeTable('a');
    const auto b = largeTable('b');
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, a), "");
    std::mt19937 random(8);  // the same moments on every run
    std::uniform_int_distribution<int> delayUs(0, 30000);
    int leftBehind = 0;
    for (int kill = 0; kill < 20; ++kill) {
        int report[2];
        ASSERT_EQ(::pipe(report), 0);
        const pid_t saver = startSaving(a, b, -1, report[1]);
        ASSERT_GT(saver, 0);
        ::close(report[1]);
        // Killed once it has saved: at a random moment, or every other time as soon as a save
        // has made its temporary.
        char saved = 0;
        EXPECT_EQ(::read(report[0], &saved, 1), 1);
        if (kill % 2 == 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        } else {
            waitForATemporary(dir.path());
        }
        ::kill(saver, SIGKILL);
        ::close(report[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(saver, &status, 0), saver);
        ASSERT_TRUE(WIFSIGNALED(status)) << "a save failed in the saving process";

        const auto loaded = loadNumberStringFile(tablefile::kGroups);
        ASSERT_EQ(loaded.problem, "") << "after kill " << kill;
        ASSERT_TRUE(sameRows(loaded.rows, a) || sameRows(loaded.rows, b)) << "after kill " << kill;
        leftBehind += static_cast<int>(temporariesOf(dir.path(), "Artgrp.dat").size());

        ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, a), "");
        ASSERT_EQ(namesIn(dir.path()), Names{"Artgrp.dat"}) << "after kill " << kill;
    }
    EXPECT_GT(leftBehind, 0) << "no kill came in the middle of a save";
}

TEST(AtomicSave, SavesSideBySideNeverTakeEachOthersTemporary) {
    test::TempDir dir(test::TempDir::Enter);
    const auto a = largeTable('a');
    const auto b = largeTable('b');
    const pid_t first = startSaving(a, b, 30);
    const pid_t second = startSaving(b, a, 30);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    for (const pid_t saver : {first, second}) {
        int status = 0;
        ASSERT_EQ(::waitpid(saver, &status, 0), saver);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save failed";
    }
    const auto loaded = loadNumberStringFile(tablefile::kGroups);
    EXPECT_EQ(loaded.problem, "");
    EXPECT_TRUE(sameRows(loaded.rows, a) || sameRows(loaded.rows, b));
    EXPECT_EQ(namesIn(dir.path()), Names{"Artgrp.dat"});
}

}  // namespace
}  // namespace vorn
