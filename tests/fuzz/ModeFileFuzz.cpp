// Mode.dat, and the scale's answer to the configuration request, as anyone may leave them: the
// record read from the first line keeps its settings when it is written and read again.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editors/setup/OperatorConfig.h"
#include "tables/TextFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string line = vorn::firstLineOfText(bytes, vorn::moderecord::kLineLimit);
    const std::optional<std::string> record = vorn::recordOfLine(line);
    if (!record) {
        return 0;
    }
    vorn::ModeSettings settings = vorn::settingsOfRecord(*record);
    const std::string written = vorn::recordWithSettings(*record, settings);
    if (written.size() != vorn::moderecord::kLength || written[0] != '0' ||
        written.compare(6, 4, "0000") != 0) {
        __builtin_trap();
    }
    if (settings.printerMedia < 0) {
        settings.printerMedia = 0;  // no entry is written as the first entry's code
    }
    if (!(vorn::settingsOfRecord(written) == settings)) {
        __builtin_trap();
    }
    const std::optional<std::string> stored = vorn::storedModeRecord(line);
    if (!stored || stored->size() != vorn::moderecord::kLength) {
        __builtin_trap();
    }
    return 0;
}
