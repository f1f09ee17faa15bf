#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "platform/ProcessStart.h"
#include "platform/ProgramDirectory.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <signal.h>

#include <cerrno>
#endif

namespace vorn {

namespace {

#ifndef Q_OS_WIN
// What /proc tells of a process: whether it has ended (a zombie nobody has reaped yet) and when
// it started.
struct ProcessStat {
    bool readable = false;
    bool ended = false;
    unsigned long long startTicks = 0;
};

ProcessStat statOf(qint64 pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return {};
    }
    // "pid (name) state ppid ...": the name may hold blanks and parentheses, so the fields are
    // counted from the last ')'. The start time is the 22nd field, the 20th after the name.
    const QByteArray line = stat.readAll();
    const qsizetype end = line.lastIndexOf(')');
    if (end < 0 || end + 2 >= line.size()) {
        return {};
    }
    const QList<QByteArray> fields = line.mid(end + 2).split(' ');
    ProcessStat result;
    result.readable = true;
    result.ended = fields.value(0) == "Z";
    result.startTicks = fields.value(19).toULongLong();
    return result;
}
#endif

}  // namespace

QString outsideProgramPath(const QString& relativeUnixPath) {
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(relativeUnixPath) + ".exe";
#else
    return relativeUnixPath;
#endif
}

QString programBesideThisOne(const QString& name) {
#ifdef Q_OS_WIN
    const QString file = name + ".exe";
#else
    const QString file = name;
#endif
    return QDir(QString::fromStdString(programDirectory())).filePath(file);
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
#ifdef Q_OS_WIN
    startTicks_ = 0;
#else
    startTicks_ = statOf(pid).startTicks;
#endif
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
    // A detached process belongs to init once started; a signal-0 probe tells whether a process
    // of that number exists, its state tells an ended one that nobody has reaped yet, and its
    // start time tells ours from a later one that got the same number.
    if (::kill(static_cast<pid_t>(pid_), 0) != 0 && errno != EPERM) {
        return false;
    }
    const ProcessStat stat = statOf(pid_);
    if (!stat.readable) {
        return startTicks_ == 0;  // no /proc to ask: the number is all there is
    }
    return !stat.ended && (startTicks_ == 0 || stat.startTicks == startTicks_);
#endif
}

}  // namespace vorn
