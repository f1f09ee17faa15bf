#pragma once
// The archive encoding of the table files: bytes, little-endian words and longs, and strings
// with a length prefix (one byte up to 254; 0xFF and a word up to 65533; 0xFF, 0xFFFF and a
// long beyond). The reader also takes the wide form (0xFF, 0xFFFE, a length in 16-bit units and
// UTF-16LE text), bringing each character to one byte; one that does not fit becomes '?'.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tables/AtomicSave.h"
#include "tables/TableFiles.h"

namespace vorn {

class ArchiveWriter {
public:
    void byte(std::uint8_t v);
    void word(std::uint16_t v);
    void longValue(std::int32_t v);
    void string(std::string_view text);
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// Reads from a byte buffer. Every read returns false once the data runs out (or a length points
// past the end); from then on the reader stays failed and reads nothing more. Nothing is
// allocated beyond what the buffer holds.
class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view bytes) : data_(bytes) {}
    // The reader only views the bytes: a temporary string would be gone before the first read.
    explicit ArchiveReader(std::string&&) = delete;
    bool byte(std::uint8_t& v);
    bool word(std::uint16_t& v);
    bool signedWord(std::int16_t& v);  // a row count
    bool longValue(std::int32_t& v);
    bool string(std::string& text);
    bool failed() const { return failed_; }
    bool atEnd() const { return pos_ >= data_.size(); }
    std::size_t position() const { return pos_; }

private:
    bool take(std::size_t n, std::string_view& out);
    std::string_view data_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

// The whole content of a file, or no value when it cannot be opened. (Saving is
// writeFileAtomically, in tables/AtomicSave.h.)
std::optional<std::string> readFileBytes(const std::string& path);

}  // namespace vorn
