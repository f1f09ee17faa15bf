// Transfer timing against vornsim --pace (the simulator spends each byte's wire time), and the
// CPU time of a worker that waits between batch passes.
//
// Counters: wire_s is what the bytes and the fixed pauses must take at 9600 baud (10 bits per
// byte; 5 + 5 ms around each frame's RTS, 100 ms per 200 bytes of a frame, 5 ms before each
// ACK of an answer); ratio is the measured time over it.

#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "comm/Engine.h"
#include "comm/EngineTransferRunner.h"
#include "comm/RecordLine.h"
#include "comm/RunState.h"
#include "tables/PrintfFormat.h"
#include "tests/comm/EngineScriptedLine.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace {

constexpr int kBaud = 9600;

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

void SendRecordsToPacedScale(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    setenv("VORN_BUILD_DIR", VORN_BENCH_BUILD_DIR, 0);
    vorn::test::SimulatedScale scale({"--pace"});
    vorn::test::TempDir dir(vorn::test::TempDir::Enter);
    std::string out;
    double wireSeconds = 0;
    for (int i = 0; i < records; ++i) {
        const std::string line =
            vorn::cformat("0002100000000100%04d%-20s0000", {i % 10000, "Group"});
        out += line + "\r\n";
        const double frame = static_cast<double>(line.size() + 3);
        const double bytes = 2 * frame + 2;  // the frame, its ACK, the answer frame, its ACK
        wireSeconds += bytes * 10 / kBaud + 0.010 + 0.005 + 0.100 * static_cast<int>(frame / 200);
    }
    vorn::test::writeFile("trf.out", out);
    vorn::EngineTransferRunner runner(scale.device());
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        runner.run({});
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const std::string in = vorn::test::readFile("trf.in");
    const long lines = std::count(in.begin(), in.end(), '\n');
    if (lines != records || !vorn::isSuccessLine(in)) {
        state.SkipWithError("not every record was answered");
    }
    state.counters["records"] = records;
    state.counters["wire_s"] = wireSeconds;
    state.counters["ratio"] = seconds / wireSeconds;
}
BENCHMARK(SendRecordsToPacedScale)
    ->Arg(1000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

// The engine's own cost of receiving one answer of 100,000 PLU records (189 characters each),
// frame by frame, in virtual time: reading, checking and acknowledging the frames, keeping the
// attempt's records until its last frame and saving trf.in and both logs.
void ReceiveLargeAnswerInVirtualTime(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    std::vector<std::string> answer;
    for (int i = 0; i < records; ++i) {
        answer.push_back(vorn::cformat("1002070000000101%06d%0173d", {i, 0}));
    }
    std::size_t stored = 0;
    for (auto _ : state) {
        vorn::test::ScriptedTransfer t;
        vorn::test::RecordScale scale(answer);
        t.line.scale = std::ref(scale);
        t.run("00020700070001000000\n");
        const std::string in = t.trfIn();
        stored = static_cast<std::size_t>(std::count(in.begin(), in.end(), '\n'));
    }
    if (stored != answer.size()) {
        state.SkipWithError("not every record was stored");
    }
    state.counters["records"] = records;
}
BENCHMARK(ReceiveLargeAnswerInVirtualTime)
    ->Arg(100000)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// A line that opens and never hears anything: enough for a batch pass over an empty trf.out.
class QuietLine : public vorn::SerialLine {
public:
    bool open(const std::string&, const vorn::LineSettings&) override { return true; }
    vorn::ReadResult readByte(int) override { return {}; }
    bool writeByte(unsigned char) override { return true; }
    void drain() override {}
    void purge() override {}
    void setRts(bool) override {}
    void close() override {}
};

struct NoEvents : vorn::TransferEvents {
    void finished(bool) override {}
    void progress(int, const std::string&, int) override {}
    void portFailed() override {}
};

void WorkerIdleBetweenBatchPasses(benchmark::State& state) {
    vorn::test::TempDir dir(vorn::test::TempDir::Enter);
    vorn::test::writeFile("trf.out", "");
    QuietLine line;
    vorn::EngineEnvironment env;
    env.line = &line;
    env.device = "/dev/quiet";
    env.comPortFile = dir.file("comport.ini");
    vorn::RunState& run = vorn::runState();
    double cpu = 0;
    for (auto _ : state) {
        vorn::prepareRunState({});
        run.stepReady = false;
        run.setBatchRunning(true);
        NoEvents events;
        vorn::TransferWorker worker;
        worker.start(env, events);
        while (!run.stepReady) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        const double before = processCpuSeconds();
        std::this_thread::sleep_for(std::chrono::seconds(10));
        cpu = processCpuSeconds() - before;
        run.setBatchRunning(false);
        run.requestStop();
        worker.join();
    }
    state.counters["idle_cpu_ms"] = cpu * 1000;
}
BENCHMARK(WorkerIdleBetweenBatchPasses)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
