// gnllab?.dat, and the scale's answer to a default-label request, as anyone may leave them: a
// record that is taken and passes the checks builds a 60-character record, and building again
// from that record gives the same one.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editors/setup/DefaultLabel.h"
#include "tables/TextFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string line = vorn::firstLineOfText(bytes, vorn::defaultlabel::kLineLimit);
    if (line.size() != vorn::defaultlabel::kLength) {
        return 0;
    }
    const vorn::DefaultLabelFields fields = vorn::fieldsOfRecord(line);
    if (vorn::checkFields(fields)) {
        return 0;
    }
    const std::string built = vorn::recordWithFields(line, fields, '2');
    if (built.size() != vorn::defaultlabel::kLength) {
        __builtin_trap();
    }
    const vorn::DefaultLabelFields reread = vorn::fieldsOfRecord(built);
    if (vorn::checkFields(reread) || vorn::recordWithFields(built, reread, '2') != built) {
        __builtin_trap();
    }
    return 0;
}
