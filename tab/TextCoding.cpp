#include "tab/TextCoding.h"

#include <cstdio>

namespace vorn {

namespace {

// The length of the well-formed UTF-8 sequence at the start of s, and its code point; 0 when
// the bytes there are not one (overlong forms, surrogates and values beyond U+10FFFF included).
std::size_t sequenceAt(std::string_view s, char32_t& code) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
        least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
        least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (s.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

}  // namespace

bool isWellFormedUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Runs of ASCII, the usual case, byte by byte without decoding.
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t code = 0;
        const std::size_t length = sequenceAt(bytes.substr(i), code);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

DetectedText detectCoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8ByteOrderMark)) {
        return {TextCoding::Utf8, kUtf8ByteOrderMark.size()};
    }
    return {isWellFormedUtf8(bytes) ? TextCoding::Utf8 : TextCoding::SingleByte, 0};
}

const char* codingName(TextCoding coding) {
    return coding == TextCoding::Utf8 ? "UTF-8" : "single-byte (Windows-1252 or Latin-1)";
}

SingleByteText utf8ToSingleByte(std::string_view utf8) {
    SingleByteText out;
    out.text.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t code = 0;
        const std::size_t length = sequenceAt(utf8.substr(i), code);
        if (length == 0 || code > 0xFF) {
            out.unfit = std::string(utf8.substr(i, length == 0 ? 1 : length));
            out.unfitCode = length == 0 ? 0 : code;
            return out;
        }
        out.text.push_back(static_cast<char>(code));
        i += length;
    }
    return out;
}

char32_t windows1252Of(unsigned char byte) {
    static constexpr char32_t kC1[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
    };
    return byte >= 0x80 && byte <= 0x9F ? kC1[byte - 0x80] : 0;
}

std::string_view utf8SequenceIn(std::string_view singleByte) {
    for (std::size_t i = 0; i < singleByte.size(); ++i) {
        if (static_cast<unsigned char>(singleByte[i]) < 0xC2) {
            continue;
        }
        char32_t code = 0;
        if (const std::size_t length = sequenceAt(singleByte.substr(i), code); length > 1) {
            return singleByte.substr(i, length);
        }
    }
    return {};
}

std::string describeUnfit(const SingleByteText& converted) {
    char code[32];
    if (converted.unfitCode == 0) {
        std::snprintf(
            code, sizeof code, "the byte 0x%02X",
            converted.unfit.empty() ? 0u : static_cast<unsigned char>(converted.unfit[0]));
        return std::string(code) + ", which is not UTF-8";
    }
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(converted.unfitCode));
    return "\u201C" + converted.unfit + "\u201D (" + code + ")";
}

}  // namespace vorn
