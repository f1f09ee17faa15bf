#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "platform/ProcessStart.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <signal.h>

#include <cerrno>
#endif

namespace vorn {

QString outsideProgramPath(const QString& relativeUnixPath) {
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(relativeUnixPath) + ".exe";
#else
    return relativeUnixPath;
#endif
}

QString startFailureText(const QString& program) {
    const QFileInfo file(QDir::current(), program);
    const QString path = QDir::cleanPath(file.absoluteFilePath());
    if (!file.exists()) {
        return path + ": there is no such file.";
    }
    if (file.isDir() || !file.isExecutable()) {
        return path + ": this is not a program that can be run.";
    }
    return path + ": the program could not be started.";
}

bool ProcessStart::start(const QString& program, const QStringList& arguments) {
    qint64 pid = 0;
    if (!QProcess::startDetached(program, arguments, QDir::currentPath(), &pid)) {
        return false;
    }
    pid_ = pid;
    return true;
}

void ProcessStart::requestClose() const {
    if (!running()) {
        return;
    }
#ifdef Q_OS_WIN
    // Every top-level window of the process gets WM_CLOSE.
    struct Target {
        DWORD pid;
    } target{static_cast<DWORD>(pid_)};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == reinterpret_cast<Target*>(data)->pid) {
                PostMessageW(window, WM_CLOSE, 0, 0);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&target));
#else
    ::kill(static_cast<pid_t>(pid_), SIGTERM);
#endif
}

bool ProcessStart::running() const {
    if (pid_ <= 0) {
        return false;
    }
#ifdef Q_OS_WIN
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid_));
    if (!process) {
        return false;
    }
    DWORD code = 0;
    const bool alive = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return alive;
#else
    // A detached process belongs to init once started; a signal-0 probe tells whether it
    // exists, and its state tells an ended one that nobody has reaped yet.
    if (::kill(static_cast<pid_t>(pid_), 0) != 0 && errno != EPERM) {
        return false;
    }
    QFile stat(QString("/proc/%1/stat").arg(pid_));
    if (!stat.open(QIODevice::ReadOnly)) {
        return true;
    }
    const QByteArray line = stat.readAll();
    const qsizetype end = line.lastIndexOf(')');
    return end < 0 || end + 2 >= line.size() || line.at(end + 2) != 'Z';
#endif
}

}  // namespace vorn
