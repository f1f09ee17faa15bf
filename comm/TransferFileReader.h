#pragma once
// Reads the record lines of trf.out: a line is its text without the line end (LF or CR LF; a CR
// never goes on the wire), at most 1023 characters (the rest of a longer line is dropped, not
// taken as a line of its own), and comment lines (first character ') are passed over.

#include <cstdio>
#include <optional>
#include <string>

namespace vorn {

class TransferFileReader {
public:
    TransferFileReader() = default;
    ~TransferFileReader() { close(); }
    TransferFileReader(const TransferFileReader&) = delete;
    TransferFileReader& operator=(const TransferFileReader&) = delete;

    bool open(const std::string& path);
    void close();
    // The next line that is not a comment; no value at the end of the file.
    std::optional<std::string> next();
    // Back to the first line; false when the file cannot be rewound.
    bool rewind();

private:
    std::optional<std::string> rawLine();
    std::FILE* file_ = nullptr;
};

}  // namespace vorn
