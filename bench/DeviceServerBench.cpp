// A 100-record transfer to vornsim --pace at 9600 baud: over its pseudo-terminal directly, and
// through the ser2net device server, raw and with RFC 2217. The goal: through the device server
// at most 1.02 times the direct time (counter vs_direct).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "comm/EngineTransferRunner.h"
#include "comm/RecordLine.h"
#include "tables/PrintfFormat.h"
#include "tests/support/DeviceServer.h"

namespace {

constexpr int kRecords = 100;
double directSeconds = 0;

void TransferThroughDeviceServer(benchmark::State& state) {
    const int way = static_cast<int>(state.range(0));  // 0 direct, 1 raw, 2 RFC 2217
    setenv("VORN_BUILD_DIR", VORN_BENCH_BUILD_DIR, 0);
    vorn::test::SimulatedScale scale({"--pace", "--baud", "9600"});
    std::optional<vorn::test::DeviceServer> server;
    if (way != 0) {
        server.emplace(scale.device());
    }
    vorn::test::TempDir dir(vorn::test::TempDir::Enter);
    vorn::test::writeFile("comport.ini", "1,9600,8,0,0");
    std::string out;
    for (int i = 0; i < kRecords; ++i) {
        out += vorn::cformat("0002100000000100%04d%-20s0000", {i, "Group"}) + "\r\n";
    }
    vorn::test::writeFile("trf.out", out);
    vorn::EngineEnvironment env;
    env.device = way == 0 ? scale.device() : server->address(way == 2);
    env.comPortFile = dir.file("comport.ini");
    vorn::EngineTransferRunner runner(env);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        runner.run({});
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const std::string in = vorn::test::readFile("trf.in");
    if (std::count(in.begin(), in.end(), '\n') != kRecords || !vorn::isSuccessLine(in)) {
        state.SkipWithError("not every record was answered");
    }
    if (way == 0) {
        directSeconds = seconds;
    }
    state.counters["seconds"] = seconds;
    if (directSeconds > 0) {
        state.counters["vs_direct"] = seconds / directSeconds;
    }
}
BENCHMARK(TransferThroughDeviceServer)
    ->ArgName("way")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
