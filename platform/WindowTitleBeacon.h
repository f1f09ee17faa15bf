#pragma once
// Finding the top-level window of another program by its title and asking it to close, as the
// platform's window list does on Windows. A window that is to be found keeps a beacon: a local
// socket in the user's runtime directory, named after the title, on which it takes one
// request, to close as its close box would. Another program finds the window by connecting.

#include <QObject>
#include <QString>

class QLocalServer;
class QTimer;
class QWidget;

namespace vorn {

class WindowTitleBeacon : public QObject {
    Q_OBJECT
public:
    // Starts listening for the window (which it does not own). When a live window already holds
    // the title's name, this one tries again every second until that one has gone.
    WindowTitleBeacon(QWidget* window, const QString& title);
    ~WindowTitleBeacon() override;

    bool listening() const;

private:
    void tryToListen();
    void takeConnection();

    QWidget* window_;
    QString path_;
    QLocalServer* server_;
    QTimer* retry_;
};

// The socket by which the window of a title is found.
QString beaconPath(const QString& title);

// Asks the window of this title, if one exists, to close; true when one took the request. Waits
// at most `waitMs` for its answer.
bool requestWindowClose(const QString& title, int waitMs = 1000);

// Closes the window as its close box would, after the modal dialogs open over it, each closed
// as its own Cancel would.
void closeWithDialogs(QWidget* window);

}  // namespace vorn
