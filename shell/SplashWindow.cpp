#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "res/Artwork.h"
#include "shell/SplashWindow.h"

namespace vorn {

namespace {
CSplashWindow* gSplash = nullptr;

bool dismissingPress(const QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick: {
            const auto button = static_cast<const QMouseEvent*>(event)->button();
            return button == Qt::LeftButton || button == Qt::RightButton ||
                   button == Qt::MiddleButton;
        }
        default:
            return false;
    }
}
}  // namespace

void CSplashWindow::showSplashScreen(QWidget* owner) {
    if (gSplash) {
        return;
    }
    gSplash = new CSplashWindow(owner);
    gSplash->show();
    gSplash->repaint();
}

CSplashWindow* CSplashWindow::current() {
    return gSplash;
}

CSplashWindow::CSplashWindow(QWidget* owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint),
      picture_(artwork::startupPicture()),
      owner_(owner) {
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    setFixedSize(picture_.size());
    setAccessibleName("vorn");
    if (owner) {
        const QRect area = owner->frameGeometry();
        move(area.center() - rect().center());
    }
    qApp->installEventFilter(this);
    QTimer::singleShot(kShowMilliseconds, this, &CSplashWindow::hideSplashScreen);
}

CSplashWindow::~CSplashWindow() {
    if (gSplash == this) {
        gSplash = nullptr;
    }
}

void CSplashWindow::hideSplashScreen() {
    if (gSplash != this) {
        return;
    }
    qApp->removeEventFilter(this);
    gSplash = nullptr;
    if (owner_) {
        owner_->update();
    }
    close();
}

void CSplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, picture_);
}

bool CSplashWindow::eventFilter(QObject* watched, QEvent* event) {
    if (gSplash == this && dismissingPress(event)) {
        // The shortcut check comes before the key press itself: accept it, so that no
        // shortcut fires, and let the key press that follows remove the picture.
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        hideSplashScreen();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vorn
