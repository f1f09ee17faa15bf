// A label layout file (*.lbl), or a scale's answer to a layout request, as anyone may leave it:
// rewriting the four positions never changes a line's length, and is the same done twice.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "editors/setup/LabelFile.h"
#include "tables/TextFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string line = vorn::firstLineOfText(bytes, vorn::labellayout::kFileLineLimit + 1);
    const int number = size > 0 ? data[0] % 3 + 1 : 1;
    const std::string sent = vorn::layoutLineForSending(line, number);
    if (sent.size() != line.size() || vorn::layoutLineForSending(sent, number) != sent) {
        __builtin_trap();
    }
    // Every line of the answer, as the receive looks at it.
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        const std::string answer(bytes.substr(start, end - start));
        if (vorn::isLayoutAnswer(answer)) {
            const std::string stored = vorn::layoutLineForStoring(answer);
            if (stored.size() != answer.size() || stored[0] != '0' || stored[17] != '0') {
                __builtin_trap();
            }
        }
        start = end + 1;
    }
    return 0;
}
