#include "platform/CodePage936.h"

#include <iconv.h>

#include <cerrno>

#include "platform/Prompter.h"

namespace vorn {

std::string cp936ToUtf8(std::string_view text) {
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return latin1ToUtf8(std::string(text));
    }
    std::string in(text);
    std::string out(in.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) {
        return latin1ToUtf8(std::string(text));
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace vorn
