// A whole transfer of the engine, on its worker thread, against a scale that misbehaves and a
// line that may vanish. The first byte picks the scale:
// - one that answers with any bytes: the run ends, the port is released after every opening,
//   no thread is left behind, and trf.in holds whole lines no longer than a frame;
// - one that holds a table for each request and answers it frame by frame, with its answers
//   spoilt as the input says (refused, damaged, cut off, late, repeated, stopped, busy,
//   never answered, stray bytes): a run that leaves no error line in trf.in leaves exactly one
//   copy of each answer record the scale sent for each request, in order.

#include <cstdint>
#include <string>

#include "comm/Engine.h"
#include "comm/EngineTransferRunner.h"
#include "comm/RecordLine.h"
#include "comm/TransferFiles.h"
#include "comm/WireFrame.h"
#include "tables/Archive.h"
#include "tables/TextFiles.h"
#include "tests/fuzz/FuzzedScale.h"
#include "tests/support/ThreadCount.h"

namespace {

using vorn::fuzz::require;

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

struct Run {
    vorn::EngineTransferRunner::Outcome outcome;
    std::string trfIn;
};

Run runEngine(vorn::test::ScriptedLine& serial, vorn::VirtualClock& clock,
              const vorn::TransferRequest& request) {
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
    return {runner.lastOutcome(),
            vorn::readFileBytes(vorn::transferfile::kIn).value_or(std::string())};
}

void anyBytesScale(vorn::fuzz::Input& input) {
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
    const std::string answers = runEngine(serial, clock, request).trfIn;
    // Every line of trf.in is an answer frame's text (at most one character past the longest
    // frame, where receiving gave up) or an error line.
    for (std::size_t start = 0; start < answers.size();) {
        const std::size_t end = answers.find("\r\n", start);
        require(end != std::string::npos && end - start <= vorn::wire::kMaxFrameText + 1);
        start = end + 2;
    }
}

// Requests of a few tables, a record to store (answered by its echo) and an ETB block (only
// acknowledged).
const char* const kRequests[] = {
    "00021000070001000000",       "00021900070001000000",
    "00020800070001000000",       "00021000000001000009SOUP                0000",
    "2002090000000100000001TEXT",
};

// The table the scale holds for a request: count records of its table code, or the request
// itself with '4' at position 6 when it holds none.
std::vector<std::string> tableFor(const std::string& request, int count) {
    if (vorn::operation(request) == vorn::envelope::kStore) {
        return {"1" + request.substr(1)};
    }
    std::vector<std::string> records;
    for (int i = 1; i <= count; ++i) {
        records.push_back("1002" + std::string(vorn::tableCode(request)) + "000000010100" +
                          std::to_string(10 + i) + "RECORD" + std::to_string(i));
    }
    if (records.empty()) {
        std::string empty = "1" + request.substr(1);
        empty[6] = '4';
        records.push_back(empty);
    }
    return records;
}

void recordScale(vorn::fuzz::Input& input) {
    std::vector<std::string> lines;
    std::string trfOut;
    for (int n = input.number(1, 3); n > 0; --n) {
        lines.push_back(kRequests[input.number(0, std::size(kRequests) - 1)]);
        trfOut += lines.back() + "\r\n";
    }
    vorn::fuzz::writeFile(vorn::transferfile::kOut, trfOut);
    const int count = input.number(0, 6);

    vorn::test::RecordScale scale({});
    scale.answerOf = [count](const std::string& request) { return tableFor(request, count); };
    for (int n = input.number(0, 8); n > 0; --n) {
        scale.spoils.push_back(static_cast<vorn::test::Spoil>(
            input.number(0, static_cast<int>(vorn::test::Spoil::Busy))));
        for (int good = input.number(0, 3); good > 0; --good) {
            scale.spoils.push_back(vorn::test::Spoil::None);
        }
    }
    const int stray = input.number(0, 7);
    scale.beforeAck = stray == 1 ? "000011OLD\x17\x4c" : stray == 2 ? "\x17" : "";
    scale.unheard = input.number(0, 3) == 0 ? input.number(0, 3) : 0;
    scale.unanswered = input.number(0, 3) == 0 ? input.number(0, 5) : 0;
    scale.silentFrom = input.number(0, 7) == 0 ? input.number(0, 2) : -1;
    scale.endless = input.number(0, 7) == 0;
    vorn::TransferRequest request;
    request.receive = true;
    request.answerFrameLimit = scale.endless ? input.number(1, 12) : input.number(0, 12);

    vorn::VirtualClock clock;
    vorn::test::ScriptedLine serial(clock);
    serial.scale = std::ref(scale);
    const Run run = runEngine(serial, clock, request);
    const std::vector<std::string> stored = vorn::splitTextLines(run.trfIn);
    for (const std::string& line : stored) {
        if (!vorn::isAnswerRecord(line)) {
            return;  // a failure, told by its line: the step fails and stores nothing
        }
    }
    require(run.outcome == vorn::EngineTransferRunner::Outcome::Finished);
    std::vector<std::string> expected;
    for (const std::string& line : lines) {
        if (!vorn::wire::endsWithEtb(line)) {
            for (const std::string& record : tableFor(vorn::stampLine(line, "01"), count)) {
                expected.push_back(record);
            }
        }
    }
    require(stored == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vorn::fuzz::enterScratchDirectory();
    vorn::fuzz::silencePrompts();
    static const int threadsBefore = vorn::test::threadsOfThisProcess();
    vorn::fuzz::Input input(data, size);
    if (input.byte() % 2 == 0) {
        anyBytesScale(input);
    } else {
        recordScale(input);
    }
    require(vorn::test::threadsSettleAt(threadsBefore));
    return 0;
}
