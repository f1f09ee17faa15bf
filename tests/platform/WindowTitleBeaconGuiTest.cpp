// Windows found by their title: a request finds no window when none has the title; a socket
// left by a program that ended is taken over; a second window of one title becomes findable
// when the first has gone; a request closes the modal dialogs over the window, then the window.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <future>
#include <memory>

#include "platform/WindowTitleBeacon.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

const QString kTitle = "A WINDOW OF ONE TITLE";

class WindowTitleBeaconTest : public ::testing::Test {
protected:
    // Asks for the close from another thread, as another program would, while this one runs
    // its event loop; the answer.
    static bool requestFromAnotherProgram(const QString& title) {
        std::future<bool> answer =
            std::async(std::launch::async, [title] { return requestWindowClose(title); });
        while (answer.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
            QTest::qWait(5);
        }
        return answer.get();
    }

    test::TempDir runtime;
    test::ScopedEnv lockDir{"VORN_LOCK_DIR", runtime.path().string()};
};

TEST_F(WindowTitleBeaconTest, NoWindowOfTheTitleIsFoundAndNothingWaits) {
    EXPECT_FALSE(requestWindowClose(kTitle));
    QWidget window;
    WindowTitleBeacon beacon(&window, kTitle);
    EXPECT_FALSE(requestWindowClose("ANOTHER TITLE"));
}

TEST_F(WindowTitleBeaconTest, ASocketLeftByAnEndedProgramIsTakenOver) {
    // A socket bound and closed without being removed: nobody listens on it.
    const QByteArray path = QFile::encodeName(beaconPath(kTitle));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
    std::copy(path.begin(), path.end(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(beaconPath(kTitle)));

    QWidget window;
    window.show();
    WindowTitleBeacon beacon(&window, kTitle);
    EXPECT_TRUE(beacon.listening());
    EXPECT_TRUE(requestFromAnotherProgram(kTitle));
    QTest::qWait(20);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(WindowTitleBeaconTest, ASecondWindowOfTheTitleIsFoundOnceTheFirstHasGone) {
    auto first = std::make_unique<QWidget>();
    auto* firstBeacon = new WindowTitleBeacon(first.get(), kTitle);
    EXPECT_TRUE(firstBeacon->listening());
    QWidget second;
    second.show();
    WindowTitleBeacon secondBeacon(&second, kTitle);
    EXPECT_FALSE(secondBeacon.listening());  // the first one still answers

    first.reset();  // the first program ends
    EXPECT_TRUE(QTest::qWaitFor([&] { return secondBeacon.listening(); }, 5000));
    EXPECT_TRUE(requestFromAnotherProgram(kTitle));
    QTest::qWait(20);
    EXPECT_FALSE(second.isVisible());
}

TEST_F(WindowTitleBeaconTest, TheModalDialogsOverTheWindowAreCancelledFirst) {
    QWidget window;
    window.show();
    WindowTitleBeacon beacon(&window, kTitle);
    QDialog dialog(&window);
    bool answered = false;
    std::future<bool> answer;
    QTimer::singleShot(0, [&] {
        answer = std::async(std::launch::async, [] { return requestWindowClose(kTitle); });
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    answered = answer.get();
    QTest::qWait(20);
    EXPECT_TRUE(answered);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace vorn
