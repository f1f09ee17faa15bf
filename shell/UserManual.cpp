#include "shell/UserManual.h"

namespace vorn {

std::string userManualPath(const std::string& programDir) {
    // VORN_DOC_FROM_BIN: the documentation directory relative to the programs' directory.
    return programDir + "/" VORN_DOC_FROM_BIN "/" + kUserManualFile;
}

}  // namespace vorn
