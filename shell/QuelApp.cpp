#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include "batch/KnownNumbersReader.h"
#include "platform/Prompter.h"
#include "shell/MainFrame.h"
#include "shell/QuelApp.h"
#include "shell/SplashWindow.h"

namespace vorn {

CQuelApp::CQuelApp() = default;

CQuelApp::~CQuelApp() {
    exitInstance();
}

bool CQuelApp::initInstance() {
    if (!instance_.acquire()) {
        tell(kAlreadyRunningText);
        return false;
    }
    // An ordinary start shows the start-up picture; the program has no options of its own.
    splashFlag_ = true;
    QCoreApplication::setOrganizationName(kProfileKey);
    QCoreApplication::setApplicationName("vorn");
    if (!document_.onNewDocument()) {
        return false;
    }
    frame_ = std::make_unique<CMainFrame>();
    // Without a window manager a maximised window keeps its size: give it the screen first.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        frame_->setGeometry(screen->availableGeometry());
    }
    frame_->showMaximized();
    if (splashFlag_) {
        CSplashWindow::showSplashScreen(frame_.get());
    }
    frame_->setProperty(kWindowProperty, 1);
    previousRunner_ = installTransferRunner(&transferRunner_);
    previousNumbersReader_ = installKnownNumbersReader(&readScaleDirectoryNumbers);
    runnerInstalled_ = true;
    return true;
}

void CQuelApp::exitInstance() {
    if (runnerInstalled_) {
        installTransferRunner(previousRunner_);
        installKnownNumbersReader(previousNumbersReader_);
        runnerInstalled_ = false;
    }
    frame_.reset();
    instance_.release();
}

}  // namespace vorn
