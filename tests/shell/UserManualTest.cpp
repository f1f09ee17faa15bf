// The user manual is found by one relative path from the programs' directory: in the build tree
// (build/bin) and in an installed tree (/usr/bin, the package's documentation directory).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "shell/UserManual.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

TEST(UserManualTest, LiesInTheDocumentationDirectoryOfTheBuildTreeAndOfThePackage) {
    EXPECT_EQ(fs::path(userManualPath("/usr/bin")).lexically_normal(),
              "/usr/share/doc/vorn/manual.html");
    const std::string buildBin = std::string(std::getenv("VORN_BUILD_DIR")) + "/bin";
    EXPECT_TRUE(fs::is_regular_file(userManualPath(buildBin))) << userManualPath(buildBin);
}

}  // namespace
}  // namespace vorn
