#include <QDir>
#include <QLockFile>

#include "shell/SingleInstance.h"

namespace vorn {

QString instanceLockPath() {
    return QDir(runtimeDirectory()).filePath(QString::fromLatin1(kInstanceMutexName) + ".lock");
}

SingleInstance::SingleInstance() = default;
SingleInstance::~SingleInstance() {
    release();
}

bool SingleInstance::acquire() {
    if (lock_ && lock_->isLocked()) {
        return true;
    }
    lock_ = std::make_unique<QLockFile>(instanceLockPath());
    // A lock is stale only when its process has gone, however long the first instance runs.
    lock_->setStaleLockTime(0);
    return lock_->tryLock(0);
}

void SingleInstance::release() {
    if (lock_) {
        lock_->unlock();
        lock_.reset();
    }
}

}  // namespace vorn
