// scripts/check-layers on a small tree of its own: an include that points down, or into its own
// folder, passes; one that points up or sideways fails, named by its file and line.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/TempDir.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

class LayerCheckTest : public ::testing::Test {
protected:
    LayerCheckTest() {
        const char* sources = std::getenv("VORN_SOURCE_DIR");
        const fs::path scripts = fs::path(sources != nullptr ? sources : ".") / "scripts";
        fs::create_directories(dir.path() / "scripts");
        for (const char* name : {"check-layers", "source-files"}) {
            fs::copy_file(scripts / name, dir.path() / "scripts" / name);
        }
        write("scripts/layers", "# lowest first\nground\nmiddle/kit\nmiddle/a middle/b\ntop\n");
        write("ground/Text.h", "#include <string>\n");
        write("middle/kit/Model.h", "#include \"ground/Text.h\"\n");
        write("middle/a/A.h", "#include \"middle/kit/Model.h\"\n#include \"middle/a/Other.h\"\n");
        write("middle/a/Other.h", "");
        write("top/Main.cpp", "#include \"middle/a/A.h\"\n#include \"ground/Text.h\"\n");
    }

    void write(const std::string& name, const std::string& text) {
        fs::create_directories((dir.path() / name).parent_path());
        test::writeFile((dir.path() / name).string(), text);
    }

    // The script's output; *status its exit status.
    std::string check(int* status) {
        const std::string command = "bash " + (dir.path() / "scripts/check-layers").string();
        FILE* pipe = ::popen(command.c_str(), "r");
        std::string output;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        *status = ::pclose(pipe);
        return output;
    }

    test::TempDir dir;
};

TEST_F(LayerCheckTest, IncludesThatPointDownPass) {
    int status = -1;
    EXPECT_EQ(check(&status), "");
    EXPECT_EQ(status, 0);
}

TEST_F(LayerCheckTest, AnIncludeUpOrSidewaysFailsWithItsFileAndLine) {
    write("middle/kit/Model.h", "#include \"ground/Text.h\"\n#include \"middle/a/A.h\"\n");
    write("middle/b/B.cpp", "// b\n#include \"middle/a/A.h\"\n");
    write("ground/Loose.h", "#include \"elsewhere/X.h\"\n");
    int status = 0;
    const std::string output = check(&status);
    EXPECT_NE(status, 0);
    EXPECT_NE(output.find("middle/kit/Model.h:2: #include \"middle/a/A.h\" points up"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("middle/b/B.cpp:2: #include \"middle/a/A.h\" points sideways"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("ground/Loose.h:1:"), std::string::npos) << output;
}

TEST_F(LayerCheckTest, AFileOutsideEveryLayerOfItsFolderFails) {
    write("middle/Loose.h", "");
    int status = 0;
    EXPECT_NE(check(&status).find("middle/Loose.h: its folder has no layer"), std::string::npos);
    EXPECT_NE(status, 0);
}

}  // namespace
}  // namespace vorn
