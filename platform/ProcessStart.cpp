#include <QDir>
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

bool ProcessStart::start(const QString& program, const QStringList& arguments) {
    qint64 pid = 0;
    if (!QProcess::startDetached(program, arguments, QDir::currentPath(), &pid)) {
        return false;
    }
    pid_ = pid;
    return true;
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
    // A detached process is reaped by init when it ends, so a signal-0 probe tells whether it
    // still exists.
    return ::kill(static_cast<pid_t>(pid_), 0) == 0 || errno == EPERM;
#endif
}

}  // namespace vorn
