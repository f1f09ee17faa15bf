// The engine's acknowledgement wait and answer receiving against a scale that answers with any
// bytes and a line that may fail. Properties: the error codes are the engine's own, an answer
// taken is acknowledged and holds no frame control byte nor line end, and a frame is never
// longer than a frame may be.

#include <cstdint>
#include <string>

#include "comm/LineExchange.h"
#include "comm/RunState.h"
#include "comm/TransferLog.h"
#include "comm/WireFrame.h"
#include "tables/NumberText.h"
#include "tables/TextPieces.h"
#include "tests/fuzz/FuzzedScale.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vorn::fuzz::require;
    namespace lineError = vorn::lineError;
    vorn::fuzz::enterScratchDirectory();
    vorn::fuzz::Input input(data, size);

    vorn::RunState& state = vorn::runState();
    state.stop = 0;
    state.timeout = false;
    state.lastError = 0;
    state.unacknowledged = true;
    state.keyWidth = input.number(0, 6);
    state.scaleListGiven = input.byte() % 4 == 0;
    state.scaleNumber = 1;
    // A line of the engine's: an envelope and a payload whose key the answer must echo.
    std::string line = "0002100000000101" + input.bytes(input.number(0, 24));
    state.itemKey = vorn::intValue(vorn::field(line, 16, state.keyWidth));

    vorn::VirtualClock clock;
    vorn::test::ScriptedLine serial(clock);
    serial.failReadsFrom = input.byte() % 8 == 0 ? input.number(0, 200) : -1;
    serial.failWritesFrom = input.byte() % 8 == 0 ? input.number(0, 200) : -1;
    serial.scale = [&input](vorn::test::ScriptedLine& l, const std::string& unit) {
        vorn::fuzz::answerWithInput(input, l, unit);
    };
    vorn::TransferLog log;
    require(log.open("log.asc", "log.hex").empty());
    const std::function<void(vorn::Beep)> beep;
    vorn::PassContext pass{serial, clock, log, state, beep};

    const vorn::SendResult sent = vorn::sendLine(pass, line);
    const int error = state.lastError;
    require(error == 0 || error == lineError::kNoAck || error == lineError::kWriteFailed ||
            error == lineError::kNak);
    require(!sent.expectAnswer || error == 0);
    bool more = sent.expectAnswer;
    for (int frames = 0; more && frames < 8; ++frames) {
        std::string answer;
        const int writesBefore = serial.writes;
        const std::size_t writtenBefore = serial.written.size();
        const vorn::AnswerResult got = vorn::receiveAnswer(pass, answer);
        require(!got.stopped);
        require(got.result == 0 || got.result == lineError::kNoAnswerByte ||
                got.result == lineError::kAnswerTooLong || got.result == lineError::kBadAnswer ||
                got.result == lineError::kNak);
        require(answer.size() <= vorn::wire::kMaxFrameText + 1);
        if (got.result == 0) {
            require(answer[0] == '1' || answer[0] == '3');
            // No frame control byte, and no line end that would split it in trf.in.
            require(answer.find_first_of(std::string("\x00\x02\x03\x15\x17\r\n", 7)) ==
                    std::string::npos);
            // Acknowledged with one byte (which a vanished line may have refused).
            require(serial.writes == writesBefore + 1);
            const std::size_t written = serial.written.size();
            require(written == writtenBefore ||
                    (written == writtenBefore + 1 && serial.written.back() == '\x06'));
        }
        more = got.result == 0 && !got.lastFrame;
    }
    return 0;
}
