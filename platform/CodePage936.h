#pragma once
// Text stored in the Chinese code page 936 (GBK), as two of the system's messages are, turned
// into UTF-8 for the screen.

#include <string>
#include <string_view>

namespace vorn {

// The text in UTF-8; bytes that are no GBK are shown as Latin-1, so nothing is lost.
std::string cp936ToUtf8(std::string_view text);

}  // namespace vorn
