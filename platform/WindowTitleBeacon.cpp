#include "platform/WindowTitleBeacon.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDialog>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "platform/RuntimeDirectory.h"

namespace vorn {

namespace {

const QByteArray kCloseRequest = "close\n";
const QByteArray kCloseAnswer = "closing\n";
constexpr int kRetryMs = 1000;
constexpr int kConnectMs = 500;
// Modal dialogs closed over a window, at most (a dialog that will not close stops the loop).
constexpr int kMostDialogs = 16;

}  // namespace

QString beaconPath(const QString& title) {
    const QByteArray hash =
        QCryptographicHash::hash(title.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(runtimeDirectory()).filePath("vorn-window-" + QString::fromLatin1(hash));
}

WindowTitleBeacon::WindowTitleBeacon(QWidget* window, const QString& title)
    : QObject(window),
      window_(window),
      path_(beaconPath(title)),
      server_(new QLocalServer(this)),
      retry_(new QTimer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &WindowTitleBeacon::takeConnection);
    retry_->setInterval(kRetryMs);
    connect(retry_, &QTimer::timeout, this, &WindowTitleBeacon::tryToListen);
    tryToListen();
}

WindowTitleBeacon::~WindowTitleBeacon() {
    server_->close();  // removes the socket
}

bool WindowTitleBeacon::listening() const {
    return server_->isListening();
}

void WindowTitleBeacon::tryToListen() {
    // Another live window of the title answers on the name: this one waits until it has gone.
    // (Listening would take the name over without a word.)
    QLocalSocket probe;
    probe.connectToServer(path_);
    if (probe.waitForConnected(kConnectMs)) {
        probe.abort();
        retry_->start();
        return;
    }
    // A socket left by a program that ended answers nobody.
    QLocalServer::removeServer(path_);
    if (server_->listen(path_)) {
        retry_->stop();
        return;
    }
    retry_->start();
}

void WindowTitleBeacon::takeConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                return;
            }
            if (socket->readLine() != kCloseRequest) {
                socket->disconnectFromServer();
                return;
            }
            socket->write(kCloseAnswer);
            socket->flush();
            // After this request has been answered, outside the socket's signal.
            QTimer::singleShot(0, window_, [window = QPointer<QWidget>(window_)] {
                if (window) {
                    closeWithDialogs(window);
                }
            });
        });
    }
}

bool requestWindowClose(const QString& title, int waitMs) {
    QLocalSocket socket;
    socket.connectToServer(beaconPath(title));
    if (!socket.waitForConnected(std::min(waitMs, kConnectMs))) {
        return false;
    }
    socket.write(kCloseRequest);
    if (!socket.waitForBytesWritten(waitMs)) {
        return false;
    }
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(waitMs)) {
            return false;
        }
    }
    return socket.readLine() == kCloseAnswer;
}

void closeWithDialogs(QWidget* window) {
    for (int i = 0; i < kMostDialogs; ++i) {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == window) {
            break;
        }
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    }
    window->close();
}

}  // namespace vorn
