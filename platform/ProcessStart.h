#pragma once
// Starts an outside program (the label layout editor, the import/export program) detached from
// this one, and tells whether the process it started still runs. A process is known by its
// number and the moment it started, so that a number the system has given to another process
// after this one ended is never taken for it.

#include <QString>
#include <QStringList>

namespace vorn {

// The relative command of an outside program as the platform spells it: "../../FORMPAD"
// becomes "..\..\FORMPAD.exe" on Windows.
QString outsideProgramPath(const QString& relativeUnixPath);

// A program installed beside this one ("vorntab" becomes "<program directory>/vorntab", with
// ".exe" on Windows).
QString programBesideThisOne(const QString& name);

// Why the program could not be started, as a sentence that names the full path it was looked
// for at: "/base/FORMPAD: there is no such file."
QString startFailureText(const QString& program);

class ProcessStart {
public:
    // Starts the program in the current directory; false when it could not be started.
    bool start(const QString& program, const QStringList& arguments = {});
    // True while the process started last is still running.
    bool running() const;
    // Asks the process started last to close, as its window's close box would (a termination
    // request it can handle); nothing when it no longer runs.
    void requestClose() const;

private:
    qint64 pid_ = 0;
    // When the process started (clock ticks after boot); 0 when not known.
    unsigned long long startTicks_ = 0;
};

}  // namespace vorn
