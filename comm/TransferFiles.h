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

// Shown under "Can't read file!" and the like, when trf.in cannot be opened after a request.
inline constexpr const char* kInUnreadable =
    "The scale's answer could not be read in the scale directory: nothing was received, and the "
    "table on the PC is unchanged.";
// Shown under "cant read data": trf.in holds nothing after a request.
inline constexpr const char* kInEmpty =
    "Nothing came back from the scale (is it switched on and connected?): nothing was received, "
    "and the table on the PC is unchanged.";
// Shown under a problem writing trf.in when a transfer ends.
inline constexpr const char* kInUnwritable =
    "The scale's answers could not be kept in the scale directory (is the disk full, or the "
    "folder read-only?): what the scale sent is lost, and the tables on the PC are unchanged.";
// Shown under a problem writing log.asc or log.hex when a transfer ends.
inline constexpr const char* kLogUnwritable =
    "The record of the bytes exchanged with the scale (kept for troubleshooting) could not be "
    "written in the scale directory.";
// Shown under "cant open file" when the transfer files cannot be opened.
inline constexpr const char* kFilesUnopenable =
    "The transfer files in the scale directory could not be opened (is the disk full, or the "
    "folder read-only?): nothing was sent or received.";

// A PLU reception: the received PLU records and label-data records, then those chosen to take.
inline constexpr const char* kPluRecordsIn = "trf1.in";
inline constexpr const char* kLabelRecordsIn = "trf2.in";
inline constexpr const char* kChosenPluRecordsIn = "trf3.in";
inline constexpr const char* kChosenLabelRecordsIn = "trf4.in";

}  // namespace vorn::transferfile
