// key.dat as anyone may leave it: the reader survives any bytes, and what it reads cleanly is
// written and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tables/KeyFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vorn::LoadedPresetKeys loaded = vorn::parseKeyFile(bytes);
    if (loaded.problem.empty()) {
        const std::string saved = vorn::keyFileBytes(loaded.keys);
        const vorn::LoadedPresetKeys again = vorn::parseKeyFile(saved);
        if (!again.problem.empty() || !(again.keys == loaded.keys)) {
            __builtin_trap();
        }
    }
    return 0;
}
