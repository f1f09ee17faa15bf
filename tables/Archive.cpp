#include "tables/Archive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vorn {

namespace {

// Length prefix markers of an archive string.
constexpr std::uint8_t kLongerLength = 0xFF;
constexpr std::uint16_t kLongLength = 0xFFFF;
constexpr std::uint16_t kWideText = 0xFFFE;
constexpr std::size_t kMaxByteLength = 254;
constexpr std::size_t kMaxWordLength = 65533;

// A UTF-16 unit as one byte of our single-byte code page (Latin-1): anything beyond is '?'.
std::string narrowUtf16(std::string_view units) {
    std::string text;
    text.reserve(units.size() / 2);
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        unsigned unit = static_cast<unsigned char>(units[i]) |
                        (static_cast<unsigned>(static_cast<unsigned char>(units[i + 1])) << 8);
        if (unit <= 0xFF) {
            text += static_cast<char>(unit);
            continue;
        }
        text += '?';
        bool highSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
        if (highSurrogate && i + 3 < units.size()) {
            unsigned next = static_cast<unsigned char>(units[i + 2]) |
                            (static_cast<unsigned>(static_cast<unsigned char>(units[i + 3])) << 8);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                i += 2;  // the pair is one character, one '?'
            }
        }
    }
    return text;
}

}  // namespace

void ArchiveWriter::byte(std::uint8_t v) {
    bytes_ += static_cast<char>(v);
}

void ArchiveWriter::word(std::uint16_t v) {
    byte(static_cast<std::uint8_t>(v & 0xFF));
    byte(static_cast<std::uint8_t>(v >> 8));
}

void ArchiveWriter::longValue(std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    word(static_cast<std::uint16_t>(u & 0xFFFF));
    word(static_cast<std::uint16_t>(u >> 16));
}

void ArchiveWriter::string(std::string_view text) {
    std::size_t n = text.size();
    if (n <= kMaxByteLength) {
        byte(static_cast<std::uint8_t>(n));
    } else if (n <= kMaxWordLength) {
        byte(kLongerLength);
        word(static_cast<std::uint16_t>(n));
    } else {
        byte(kLongerLength);
        word(kLongLength);
        longValue(static_cast<std::int32_t>(static_cast<std::uint32_t>(n)));
    }
    bytes_.append(text);
}

bool ArchiveReader::take(std::size_t n, std::string_view& out) {
    if (failed_ || n > data_.size() - pos_) {
        failed_ = true;
        return false;
    }
    out = data_.substr(pos_, n);
    pos_ += n;
    return true;
}

bool ArchiveReader::byte(std::uint8_t& v) {
    std::string_view b;
    if (!take(1, b)) {
        return false;
    }
    v = static_cast<std::uint8_t>(b[0]);
    return true;
}

bool ArchiveReader::word(std::uint16_t& v) {
    std::string_view b;
    if (!take(2, b)) {
        return false;
    }
    v = static_cast<std::uint16_t>(static_cast<unsigned char>(b[0]) |
                                   (static_cast<unsigned>(static_cast<unsigned char>(b[1])) << 8));
    return true;
}

bool ArchiveReader::signedWord(std::int16_t& v) {
    std::uint16_t u = 0;
    if (!word(u)) {
        return false;
    }
    v = static_cast<std::int16_t>(u);
    return true;
}

bool ArchiveReader::longValue(std::int32_t& v) {
    std::uint16_t low = 0;
    std::uint16_t high = 0;
    if (!word(low) || !word(high)) {
        return false;
    }
    v = static_cast<std::int32_t>(static_cast<std::uint32_t>(low) |
                                  (static_cast<std::uint32_t>(high) << 16));
    return true;
}

bool ArchiveReader::string(std::string& text) {
    // One of the three length prefixes; `wide` is set when the wide marker came first.
    auto readLength = [this](std::size_t& n, bool allowWide, bool& wide) {
        std::uint8_t b = 0;
        if (!byte(b)) {
            return false;
        }
        if (b != kLongerLength) {
            n = b;
            return true;
        }
        std::uint16_t w = 0;
        if (!word(w)) {
            return false;
        }
        if (w == kWideText && allowWide) {
            wide = true;
            return true;
        }
        if (w != kLongLength) {
            n = w;
            return true;
        }
        std::int32_t l = 0;
        if (!longValue(l)) {
            return false;
        }
        n = static_cast<std::uint32_t>(l);
        return true;
    };
    std::size_t n = 0;
    bool wide = false;
    if (!readLength(n, true, wide)) {
        return false;
    }
    std::string_view bytes;
    if (wide) {
        bool again = false;
        if (!readLength(n, false, again)) {
            return false;
        }
        // Checked against the remaining bytes before anything is taken or allocated.
        if (n > (data_.size() - pos_) / 2) {
            failed_ = true;
            return false;
        }
        if (!take(n * 2, bytes)) {
            return false;
        }
        text = narrowUtf16(bytes);
        return true;
    }
    if (!take(n, bytes)) {
        return false;
    }
    text.assign(bytes);
    return true;
}

std::optional<std::string> readFileBytes(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string bytes;
    // A regular file's size is room made at once (a file that grows meanwhile still reads whole).
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        bytes.reserve(static_cast<std::size_t>(status.st_size));
    }
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::close(fd);
            return std::nullopt;  // a directory, or a file that cannot be read
        }
        if (n == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

}  // namespace vorn
