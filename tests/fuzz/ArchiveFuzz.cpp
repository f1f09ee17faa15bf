// The archive reader on any bytes: it never reads past them and never allocates more than they
// hold. Property: every string it reads, written again by the archive writer, reads back the
// same, and the written form is read to its very end.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tables/Archive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vorn::ArchiveReader reader(bytes);
    std::vector<std::string> strings;
    std::string text;
    while (reader.string(text)) {
        strings.push_back(text);
    }
    if (reader.position() > size) {
        __builtin_trap();
    }

    vorn::ArchiveWriter writer;
    for (const std::string& s : strings) {
        writer.string(s);
    }
    vorn::ArchiveReader again(writer.bytes());
    for (const std::string& s : strings) {
        if (!again.string(text) || text != s) {
            __builtin_trap();
        }
    }
    if (!again.atEnd()) {
        __builtin_trap();
    }
    return 0;
}
