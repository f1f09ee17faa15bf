#pragma once
// The user's runtime directory, where the program keeps the markers other processes look for
// (the single-instance lock, the sockets by which windows are found by their title).
// VORN_LOCK_DIR points it elsewhere, so that tests run beside a real instance.

#include <QString>

namespace vorn {

inline constexpr const char* kLockDirectoryVariable = "VORN_LOCK_DIR";

// $VORN_LOCK_DIR, else the platform's runtime location, else the temporary directory.
QString runtimeDirectory();

}  // namespace vorn
