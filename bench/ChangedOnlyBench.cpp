// A nightly push of changed PLUs against a scale that spends each byte's wire time (vornsim
// --pace at 9600 baud): "vornctl send --changed-only plu" with 100 of 5,000 PLUs changed, beside
// a full send. A full send of 5,000 PLUs takes about an hour on the wire, so it is not run: a full
// send of a sample of 500 PLUs gives the time per PLU, and the full send is that times 5,000.
//
// Counters: changed_s, the changed-only send (reading both files, choosing, sending, updating the
// record); sample_s, the full send of the sample; per_plu_s, sample_s per PLU; all_s, per_plu_s
// times all PLUs; wire_per_plu_s, what the bytes of one PLU and the fixed pauses must take;
// ratio, all_s over changed_s.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "batch/BatchCategories.h"
#include "batch/BatchCommand.h"
#include "plu/AcknowledgedPlus.h"
#include "plu/PluFile.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace {

constexpr int kBaud = 9600;

vorn::PluPair plu(int number, int version) {
    vorn::PluPair pair = vorn::templatePair();
    vorn::PluValues values = vorn::decodePair(pair);
    values.pluNumber = std::to_string(number);
    values.description1 = "ITEM " + std::to_string(number);
    values.priceHundredths = std::to_string(100 + number + version);
    vorn::encodeValues(values, pair);
    return pair;
}

void writePlus(const std::vector<vorn::PluPair>& pairs) {
    std::string bytes = vorn::pluFileStart();
    for (const vorn::PluPair& p : pairs) {
        vorn::appendPluPair(bytes, p);
    }
    vorn::savePluFile(bytes);
}

// Seconds that one send of plu takes; false in ok when a PLU went unacknowledged.
double sendPlus(vorn::EngineTransferRunner& runner, bool changedOnly, bool& ok) {
    vorn::BatchCommandOptions options;
    options.categories = {vorn::batchCategoryNamed("plu")};
    options.changedOnly = changedOnly;
    const auto start = std::chrono::steady_clock::now();
    const vorn::BatchCommandResult result =
        vorn::runBatchCommand(runner, options, [](const std::string&) {});
    ok = !result.portFailed && !result.anyFailed();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The wire time of one PLU: both records and their answers (frame: STX, line, ETX, check),
// four ACKs, the 5 + 5 ms around each frame sent and the 5 ms before each ACK of an answer.
double wireSecondsPerPlu() {
    const double frames =
        2.0 * (vorn::plurecord::kLength + 3) + 2.0 * (vorn::labelrecord::kLength + 3);
    return (frames + 4) * 10 / kBaud + 2 * (0.010 + 0.005);
}

void NightlyPushChangedOnlyVersusAll(benchmark::State& state) {
    const int total = static_cast<int>(state.range(0));
    const int changed = static_cast<int>(state.range(1));
    const int sample = static_cast<int>(state.range(2));
    setenv("VORN_BUILD_DIR", VORN_BENCH_BUILD_DIR, 0);
    vorn::test::SimulatedScale scale({"--pace", "--baud", std::to_string(kBaud)});
    vorn::test::TempDir dir(vorn::test::TempDir::Enter);
    vorn::EngineTransferRunner runner(scale.device());

    // The scale holds all PLUs as the record says; then a spread of them changes.
    std::vector<vorn::PluPair> pairs;
    vorn::AcknowledgedPlus held;
    for (int n = 1; n <= total; ++n) {
        pairs.push_back(plu(n, 0));
        held[n] = pairs.back();
    }
    vorn::saveAcknowledgedPlus("01", held);
    for (int i = 0; i < changed; ++i) {
        const int n = 1 + i * (total / changed);
        pairs[static_cast<std::size_t>(n - 1)] = plu(n, 1);
    }
    writePlus(pairs);

    double changedSeconds = 0;
    double sampleSeconds = 0;
    bool ok = true;
    for (auto _ : state) {
        bool sent = false;
        changedSeconds = sendPlus(runner, true, sent);
        ok = ok && sent;
        writePlus(std::vector<vorn::PluPair>(pairs.begin(), pairs.begin() + sample));
        sampleSeconds = sendPlus(runner, false, sent);
        ok = ok && sent;
    }
    if (!ok) {
        state.SkipWithError("a send failed");
    }
    const double perPlu = sampleSeconds / sample;
    state.counters["changed"] = changed;
    state.counters["changed_s"] = changedSeconds;
    state.counters["sample"] = sample;
    state.counters["sample_s"] = sampleSeconds;
    state.counters["per_plu_s"] = perPlu;
    state.counters["wire_per_plu_s"] = wireSecondsPerPlu();
    state.counters["all_s"] = perPlu * total;
    state.counters["ratio"] = perPlu * total / changedSeconds;
}
BENCHMARK(NightlyPushChangedOnlyVersusAll)
    ->Args({5000, 100, 500})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
