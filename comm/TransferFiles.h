#pragma once
// The files of a transfer, by bare name in the current (scale) directory: the record lines
// sent, the answers received, and the two byte logs of the line.

namespace vorn::transferfile {

inline constexpr const char* kOut = "trf.out";
inline constexpr const char* kIn = "trf.in";
inline constexpr const char* kAsciiLog = "log.asc";
inline constexpr const char* kHexLog = "log.hex";

}  // namespace vorn::transferfile
