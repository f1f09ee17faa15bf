#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "comm/DialogTransferRunner.h"
#include "shell/MainFrame.h"
#include "shell/QuelApp.h"
#include "shell/SingleInstance.h"
#include "shell/SplashWindow.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

class QuelAppTest : public ::testing::Test {
protected:
    QuelAppTest() { qputenv(kLockDirectoryVariable, QByteArray::fromStdString(lockDir.path())); }
    ~QuelAppTest() override { qunsetenv(kLockDirectoryVariable); }
    test::TempDir lockDir;
    test::TempDir workDir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
};

TEST_F(QuelAppTest, StartShowsTheMainWindowWithItsMarkAndThePicture) {
    CQuelApp app;
    ASSERT_TRUE(app.initInstance());
    CMainFrame* frame = app.mainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->property(kWindowProperty).toInt(), 1);
    EXPECT_EQ(frame->windowTitle(), "vorn");
    EXPECT_FALSE(frame->scaleSelected());
    EXPECT_NE(CSplashWindow::current(), nullptr);
    CSplashWindow::current()->hideSplashScreen();
    EXPECT_TRUE(prompter.texts().empty());
    EXPECT_NE(dynamic_cast<DialogTransferRunner*>(&transferRunner()), nullptr);
    // While it runs, a second guard is refused; after exit the guard is free again.
    SingleInstance second;
    EXPECT_FALSE(second.acquire());
    app.exitInstance();
    EXPECT_TRUE(second.acquire());
    EXPECT_EQ(dynamic_cast<DialogTransferRunner*>(&transferRunner()), nullptr);
}

// Starts the program (offscreen) and waits until it holds the instance guard.
pid_t startProgram() {
    const std::string program = std::string(std::getenv("VORN_BUILD_DIR")) + "/bin/vorn";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const fs::path lock = instanceLockPath().toStdString();
    for (int i = 0; i < 250 && !fs::exists(lock); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return pid;
}

TEST_F(QuelAppTest, ASecondStartIsRefusedAndTheFirstRunsOn) {
    const pid_t first = startProgram();
    ASSERT_GT(first, 0);
    ASSERT_TRUE(fs::exists(instanceLockPath().toStdString())) << "the first instance did not start";

    CQuelApp second;
    EXPECT_FALSE(second.initInstance());
    EXPECT_EQ(second.mainFrame(), nullptr);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kAlreadyRunningText});
    EXPECT_EQ(dynamic_cast<DialogTransferRunner*>(&transferRunner()), nullptr);

    int status = 0;
    EXPECT_EQ(::waitpid(first, &status, WNOHANG), 0) << "the first instance ended";
    ::kill(first, SIGTERM);
    ::waitpid(first, &status, 0);
}

TEST_F(QuelAppTest, AGuardLeftByAnInstanceThatDiedDoesNotBlockTheNextStart) {
    const pid_t first = startProgram();
    ASSERT_GT(first, 0);
    ASSERT_TRUE(fs::exists(instanceLockPath().toStdString()));
    ::kill(first, SIGKILL);
    int status = 0;
    ::waitpid(first, &status, 0);
    ASSERT_TRUE(fs::exists(instanceLockPath().toStdString()));
    SingleInstance next;
    EXPECT_TRUE(next.acquire());
}

}  // namespace
}  // namespace vorn
