#pragma once
// The single-instance guard: a lock file named after the instance mutex in the user's runtime
// directory (VORN_LOCK_DIR points it elsewhere, so tests can run beside a real instance).

#include <QString>
#include <memory>

#include "platform/RuntimeDirectory.h"

class QLockFile;

namespace vorn {

inline constexpr const char* kInstanceMutexName = "{5B2E7C41-8D13-11d4-B6C2-0060E1A4F2C9}";
inline constexpr const char* kAlreadyRunningText = "Application already running!";

QString instanceLockPath();

class SingleInstance {
public:
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the guard; false when another instance holds it.
    bool acquire();
    void release();

private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace vorn
