// A whole transfer of the engine, on its worker thread, against a scale that answers with any
// bytes and a line that may vanish. Properties: the run ends, the port is released after every
// opening, no thread is left behind, and trf.in holds whole lines no longer than a frame.

#include <cstdint>
#include <string>

#include "comm/EngineTransferRunner.h"
#include "comm/TransferFiles.h"
#include "comm/WireFrame.h"
#include "tables/Archive.h"
#include "tests/fuzz/FuzzedScale.h"
#include "tests/support/ThreadCount.h"

namespace {

// Record lines an editor writes: sends of groups and PLU pairs, requests, a clearing, an ETB
// block, a comment and a short line.
const char* const kLines[] = {
    "00021000000001000001FRUIT               0000",
    "0002100000070100",
    "000207000000010000001234",
    "000208000000010000001234LABEL",
    "0002070000020100000012",
    "2002090000000100000001TEXT",
    "0002070000080100",
    "'comment",
    "00021",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vorn::fuzz::require;
    vorn::fuzz::enterScratchDirectory();
    vorn::fuzz::silencePrompts();
    static const int threadsBefore = vorn::test::threadsOfThisProcess();
    vorn::fuzz::Input input(data, size);

    std::string trfOut;
    for (int n = input.number(0, 4); n > 0; --n) {
        trfOut += kLines[input.number(0, std::size(kLines) - 1)];
        trfOut += "\r\n";
    }
    vorn::fuzz::writeFile(vorn::transferfile::kOut, trfOut);
    vorn::TransferRequest request;
    request.receive = input.byte() % 2 == 0;
    request.keyWidth = input.number(0, 6);
    request.recordsPerItem = input.number(1, 2);
    request.quiet = input.byte() % 2 == 0;

    vorn::VirtualClock clock;
    vorn::test::ScriptedLine serial(clock);
    serial.openSucceeds = input.byte() % 16 != 0;
    serial.failReadsFrom = input.byte() % 8 == 0 ? input.number(0, 200) : -1;
    serial.failWritesFrom = input.byte() % 8 == 0 ? input.number(0, 200) : -1;
    serial.scale = [&input](vorn::test::ScriptedLine& l, const std::string& unit) {
        vorn::fuzz::answerWithInput(input, l, unit);
    };
    vorn::EngineEnvironment env;
    env.line = &serial;
    env.clock = &clock;
    env.device = "/dev/scripted";
    env.comPortFile = "comport.ini";
    vorn::EngineTransferRunner runner(env);
    runner.run(request);

    require(runner.lastOutcome() != vorn::EngineTransferRunner::Outcome::None);
    require(!serial.isOpen);
    require(serial.closes == serial.opens || !serial.openSucceeds);
    require(vorn::test::threadsSettleAt(threadsBefore));
    // Every line of trf.in is an answer frame's text (at most one character past the longest
    // frame, where receiving gave up) or an error line.
    const std::string answers =
        vorn::readFileBytes(vorn::transferfile::kIn).value_or(std::string());
    for (std::size_t start = 0; start < answers.size();) {
        const std::size_t end = answers.find("\r\n", start);
        require(end != std::string::npos && end - start <= vorn::wire::kMaxFrameText + 1);
        start = end + 2;
    }
    return 0;
}
