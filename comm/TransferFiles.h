#pragma once
// The files of a transfer, by bare name in the current (scale) directory: the record lines
// sent, the answers received, the two byte logs of the line, and the files a PLU reception
// splits the answers into.

namespace vorn::transferfile {

inline constexpr const char* kOut = "trf.out";
inline constexpr const char* kIn = "trf.in";
inline constexpr const char* kAsciiLog = "log.asc";
inline constexpr const char* kHexLog = "log.hex";

// Shown under "Can't write trf.out!": what that means to the user.
inline constexpr const char* kOutUnwritable =
    "The records to send could not be written to the scale directory (is the disk full, or the "
    "folder read-only?): nothing was sent.";

// A PLU reception: the received PLU records and label-data records, then those chosen to take.
inline constexpr const char* kPluRecordsIn = "trf1.in";
inline constexpr const char* kLabelRecordsIn = "trf2.in";
inline constexpr const char* kChosenPluRecordsIn = "trf3.in";
inline constexpr const char* kChosenLabelRecordsIn = "trf4.in";

}  // namespace vorn::transferfile
