// vornsim's side of the line on any bytes from the PC, with any of its faults switched on.
// Property: everything the simulated scale emits is well formed: a lone ACK or NAK, or a frame
// of STX, a text without frame control bytes and at most 1022 characters, ETX or ETB and the
// block check, which is wrong only as often as the bad-check fault asks for.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/ScaleFrames.h"
#include "sim/ScaleSession.h"
#include "sim/ScaleTables.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using vorn::fuzz::require;

// The PC's bytes from the input; what the scale writes is collected unit by unit.
class InputLink : public vornsim::ScaleLink {
public:
    explicit InputLink(vorn::fuzz::Input& input) : input_(input) {}
    std::optional<char> read(int) override {
        if (input_.empty()) {
            return std::nullopt;
        }
        return static_cast<char>(input_.byte());
    }
    void write(std::string_view bytes) override { written.emplace_back(bytes); }
    int baud() override { return 9600; }

    std::vector<std::string> written;

private:
    vorn::fuzz::Input& input_;
};

// True for a well-formed frame; badChecks counts those whose block check is wrong.
bool wellFormedFrame(const std::string& unit, int& badChecks) {
    if (unit.size() < 3 || unit.front() != vornsim::STX) {
        return false;
    }
    const std::string_view text(unit.data() + 1, unit.size() - 3);
    const char end = unit[unit.size() - 2];
    if ((end != vornsim::ETX && end != vornsim::ETB) || text.size() > vornsim::kMaxText ||
        text.find_first_of(std::string_view("\x02\x03\x17", 3)) != std::string_view::npos) {
        return false;
    }
    unsigned char check = static_cast<unsigned char>(end);
    for (const char c : text) {
        check ^= static_cast<unsigned char>(c);
    }
    if (check != static_cast<unsigned char>(unit.back())) {
        ++badChecks;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vorn::fuzz::Input input(data, size);
    vornsim::Faults faults;
    const std::uint8_t switches = input.byte();
    faults.nak = switches & 3;
    faults.badCheck = (switches >> 2) & 3;
    faults.busy = (switches >> 4) & 3;
    faults.noAck = (switches >> 6) & 1;
    faults.silent = input.byte() == 0xA5;
    const int allowedBadChecks = faults.badCheck;

    vornsim::ScaleTables tables;
    InputLink link(input);
    vornsim::ScaleSession session(link, tables, faults);
    session.serveUntilIdle(0);

    int badChecks = 0;
    for (const std::string& unit : link.written) {
        const bool loneByte =
            unit.size() == 1 && (unit[0] == vornsim::ACK || unit[0] == vornsim::NAK);
        require(loneByte || wellFormedFrame(unit, badChecks));
    }
    require(badChecks <= allowedBadChecks);
    return 0;
}
