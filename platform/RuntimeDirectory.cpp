#include <QDir>
#include <QStandardPaths>

#include "platform/RuntimeDirectory.h"

namespace vorn {

QString runtimeDirectory() {
    QString dir = qEnvironmentVariable(kLockDirectoryVariable);
    if (dir.isEmpty()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    return dir;
}

}  // namespace vorn
