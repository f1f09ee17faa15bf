// Trans.dat as the batch dialog loads it: any bytes give a selection (and maybe a problem), and
// a clean load survives save and load unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "batch/BatchSelection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vorn::LoadedSelection loaded = vorn::parseSelection(bytes);
    if (loaded.problem.empty()) {
        const std::string saved = vorn::encodeSelection(loaded.selection);
        const vorn::LoadedSelection again = vorn::parseSelection(saved);
        if (!again.problem.empty() || again.selection.flags != loaded.selection.flags ||
            saved.size() != 100) {
            __builtin_trap();
        }
    }
    return 0;
}
