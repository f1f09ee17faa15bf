// vornctl through a real serial device server: Debian's ser2net, started here with a
// configuration of our own on free loopback ports, in front of vornsim's pseudo-terminal, once
// raw and once with Telnet and RFC 2217. Also two vornctl pushes at once to two vornsim --tcp.

#include <gtest/gtest.h>

#include "tables/TableFiles.h"
#include "tests/support/DeviceServer.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace vorn::test {
namespace {

// A group record line as the PC sends it, and as the scale stores it.
std::string groupLine(int key, const std::string& name) {
    char text[64];
    std::snprintf(text, sizeof text, "0002100000000100%04d%-20s0000", key, name.c_str());
    return text;
}

std::string stored(std::string line) {
    line[13] = '1';
    line[14] = '0';
    line[15] = '1';
    return line;
}

int vornctl(std::vector<std::string> args, const std::string& out, const std::string& err) {
    args.insert(args.begin(), programPath("vornctl"));
    return exitCodeOf(spawn(args, out, err));
}

struct Mode {
    const char* name;
    bool telnet;
    const char* lineSeen;  // the settings that reach the pseudo-terminal with comport.ini's
};

class DeviceServerTest : public ::testing::TestWithParam<Mode> {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kSer2net)) << "scripts/setup installs ser2net";
        // 4800 baud, 8 data bits, two stop bits, no parity (a pseudo-terminal keeps 8 bits
        // without parity whatever is set, so those two cannot be seen there).
        std::filesystem::create_directories(config_.file("vorn"));
        writeFile(config_.file("vorn/comport.ini"), "1,4800,8,2,0");
    }
    TempDir config_;
    ScopedEnv configHome_{"XDG_CONFIG_HOME", config_.path().string()};
    TempDir dir_;
};

TEST_P(DeviceServerTest, TablesGoAndComeBackWithTheLineSettings) {
    SimulatedScale scale({"--line-report", dir_.file("line.txt"), "--dump", dir_.file("dump")});
    ASSERT_TRUE(scale.ready());
    DeviceServer server(scale.device());
    const std::string address = server.address(GetParam().telnet);
    const std::string d = dir_.path().string();

    // A 0xFF byte in a record, which Telnet escapes, both ways.
    const std::string odd = groupLine(7,
                                      "Caf\xff\xff"
                                      "e");
    writeFile(dir_.file("trf.out"), odd + "\r\n" + groupLine(8, "Meat") + "\r\n");
    EXPECT_EQ(vornctl({"transfer", "--dir", d, "--device", address, "--quiet"}, {}, {}), 0);
    // The settings of the first byte: ser2net restores the line's own when the connection ends,
    // and the last bytes may be read after that.
    const std::string lines = readFile(dir_.file("line.txt"));
    EXPECT_EQ(lines.substr(0, lines.find('\n')), GetParam().lineSeen) << lines;

    // Received into an empty scale directory, then sent back from it.
    std::filesystem::create_directory(dir_.file("scale"));
    const std::string s = dir_.file("scale");
    EXPECT_EQ(vornctl({"receive", "--dir", s, "--device", address, "--report", "json", "group"},
                      dir_.file("receive.json"), dir_.file("err")),
              0)
        << readFile(dir_.file("err"));
    EXPECT_NE(readFile(dir_.file("receive.json"))
                  .find(R"("categories":[{"name":"group","outcome":"succeeded","records":2)"),
              std::string::npos)
        << readFile(dir_.file("receive.json"));
    EXPECT_NE(readFile(dir_.file("scale/Artgrp.dat"))
                  .find("Caf\xff\xff"
                        "e"),
              std::string::npos);
    EXPECT_EQ(vornctl({"send", "--dir", s, "--device", address, "--report", "json", "group"},
                      dir_.file("send.json"), dir_.file("err")),
              0)
        << readFile(dir_.file("err"));
    EXPECT_NE(readFile(dir_.file("send.json")).find(R"("outcome":"succeeded","records":2)"),
              std::string::npos)
        << readFile(dir_.file("send.json"));

    server.kill();
    EXPECT_EQ(scale.stop(), 0);
    const std::string table = readFile(dir_.file("dump/table10.txt"));
    EXPECT_NE(table.find(stored(odd).substr(1, 30)), std::string::npos) << table;
}

TEST_P(DeviceServerTest, KilledDeviceServerStoresNothingHalf) {
    // 200 groups at 1200 baud take seconds to come: the device server dies in the middle.
    std::filesystem::create_directory(dir_.file("seed"));
    std::string seed;
    for (int key = 1; key <= 200; ++key) {
        seed += stored(groupLine(key, "Group " + std::to_string(key))) + "\n";
    }
    writeFile(dir_.file("seed/table10.txt"), seed);
    SimulatedScale scale({"--seed", dir_.file("seed"), "--pace", "--baud", "1200"});
    ASSERT_TRUE(scale.ready());
    DeviceServer server(scale.device());
    const std::string address = server.address(GetParam().telnet);
    const std::string groups = "before the transfer";
    writeFile(dir_.file("Artgrp.dat"), groups);

    const pid_t run = spawn({programPath("vornctl"), "receive", "--dir", dir_.path().string(),
                             "--device", address, "--report", "json", "group"},
                            dir_.file("out.json"), dir_.file("err"));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    server.kill();
    EXPECT_EQ(exitCodeOf(run), 1);
    EXPECT_EQ(readFile(dir_.file("Artgrp.dat")), groups);
    const std::string err = readFile(dir_.file("err"));
    EXPECT_NE(err.find("The connection to the scale was lost.\n" + address +
                       ": the device server closed the connection."),
              std::string::npos)
        << err;
    EXPECT_NE(readFile(dir_.file("out.json")).find(R"("outcome":"failed")"), std::string::npos);
}

TEST_P(DeviceServerTest, RefusedPortAndSecondUserAreNamed) {
    SimulatedScale scale;
    ASSERT_TRUE(scale.ready());
    DeviceServer server(scale.device());
    const bool telnet = GetParam().telnet;
    const std::string unused =
        (telnet ? "rfc2217://127.0.0.1:" : "tcp://127.0.0.1:") + std::to_string(freeLoopbackPort());
    // A device server that says no only when the first frame has come, as a raw one may.
    OneShotServer late("Port already in use\r\n");
    const struct {
        std::string address;
        bool holdPort;
        std::string said;
    } cases[] = {
        {unused, false, unused + ": connection refused."},
        // Its words ("Port already in use") come along when they arrive before the hang-up.
        {server.address(telnet), true,
         server.address(telnet) + ": the device server refused the connection"},
        {late.address(), false,
         late.address() + ": the device server refused the connection (\"Port already in use\")"},
    };
    for (const auto& c : cases) {
        std::optional<Connection> other;
        if (c.holdPort) {
            other.emplace(server.port(telnet));
            ASSERT_TRUE(other->connected());
        }
        // Every refusal is the port's, whenever it comes: exit status 2 and the same message.
        EXPECT_EQ(vornctl({"test", "--device", c.address, "--wait", "2", "--report", "json"},
                          dir_.file("out.json"), dir_.file("err")),
                  2);
        EXPECT_NE(readFile(dir_.file("err")).find("Error opening COM port\n" + c.said),
                  std::string::npos)
            << readFile(dir_.file("err"));
        EXPECT_NE(readFile(dir_.file("out.json")).find(R"("result":"unusable")"),
                  std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, DeviceServerTest,
                         ::testing::Values(Mode{"Raw", false, "9600 8N1"},
                                           Mode{"Rfc2217", true, "4800 8N2"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Two pushes at once, each from its own scale directory to its own scale: nothing crosses.
TEST(ParallelPushes, TwoScalesTwoDirectoriesDoNotInterfere) {
    TempDir base;
    struct Scale {
        int port;
        std::string dir;
        pid_t sim;
    };
    std::vector<Scale> scales;
    for (int i = 0; i < 2; ++i) {
        const std::string dir = base.file("scale" + std::to_string(i));
        std::filesystem::create_directories(dir);
        const auto previous = std::filesystem::current_path();
        std::filesystem::current_path(dir);
        std::vector<NumberStringRow> rows;
        for (int key = 1; key <= 30; ++key) {
            char number[8];
            std::snprintf(number, sizeof number, "%4d", key + 100 * i);
            rows.push_back({number, "S" + std::to_string(i)});
        }
        EXPECT_EQ(saveNumberStringFile(tablefile::kGroups, rows), "");
        std::filesystem::current_path(previous);
        const int port = freeLoopbackPort();
        scales.push_back(
            {port, dir,
             spawn({programPath("vornsim"), "--tcp", std::to_string(port), "--dump", dir + "/dump"},
                   {}, dir + "/sim.log")});
    }
    for (const Scale& s : scales) {
        for (int i = 0; i < 500 && !Connection(s.port).connected(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    std::vector<pid_t> pushes;
    for (const Scale& s : scales) {
        pushes.push_back(
            spawn({programPath("vornctl"), "send", "--dir", s.dir, "--device",
                   "tcp://127.0.0.1:" + std::to_string(s.port), "--report", "json", "group"},
                  s.dir + "/out.json", s.dir + "/err"));
    }
    for (std::size_t i = 0; i < scales.size(); ++i) {
        EXPECT_EQ(exitCodeOf(pushes[i]), 0) << readFile(scales[i].dir + "/err");
        ::kill(scales[i].sim, SIGTERM);
        EXPECT_EQ(exitCodeOf(scales[i].sim), 0);
        const std::string dump = readFile(scales[i].dir + "/dump/table10.txt");
        const std::string own = "S" + std::to_string(i);
        const std::string other = "S" + std::to_string(1 - i);
        EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'), 30) << dump;
        EXPECT_NE(dump.find(own + " "), std::string::npos) << dump;
        EXPECT_EQ(dump.find(other + " "), std::string::npos) << dump;
        EXPECT_NE(readFile(scales[i].dir + "/out.json").find(R"("records":30)"), std::string::npos);
        // Each run's transfer files are its own directory's.
        EXPECT_TRUE(std::filesystem::exists(scales[i].dir + "/trf.in"));
    }
}

}  // namespace
}  // namespace vorn::test
