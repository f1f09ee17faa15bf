#pragma once
// The PLU file plurec.dat of a scale directory: a header line, then per PLU the PLU record and
// the label-data record, each on its own line, in list order. Written with CR LF; read with
// CR LF or a bare LF.
//
// Reading takes the lines after the header two by two (empty lines are passed over). A pair
// whose lines do not have their records' lengths is damaged; it is kept as it is, so that
// nothing in the file is lost unseen: the list offers to delete it when it is opened for editing,
// and a save writes its lines back unchanged.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plu/PluRecord.h"
#include "tables/TableFiles.h"

namespace vorn {

namespace plufile {
inline constexpr const char* kName = "plurec.dat";
inline constexpr std::string_view kHeader = "'KVRARetail_RL00_USA_PLU_VERSION_3.0";
inline constexpr const char* kForeignMessage = "error file record format!";
}  // namespace plufile

struct PluFileContent {
    enum class Status {
        Missing,  // no file: nothing loaded, nothing to tell
        Foreign,  // the first line is not the header: nothing loaded
        Read,
    };
    Status status = Status::Missing;
    std::vector<PluPair> pairs;  // in file order
    std::size_t damaged = 0;     // pairs that are not intact
};

// Reads the file's bytes piece by piece, in pieces of any size, so that a file of 100,000 PLUs
// is never held whole beside the list it fills.
class PluFileParser {
public:
    // The file's size, when known, lets the parser make room for its PLUs at once.
    explicit PluFileParser(std::size_t expectedBytes = 0);
    void feed(std::string_view piece);
    PluFileContent finish();

private:
    void takeLine(std::string_view line);

    PluFileContent content_;
    bool headerSeen_ = false;
    bool pluPending_ = false;
    std::string pendingPlu_;
    std::string partialLine_;
};

PluFileContent parsePluFile(std::string_view bytes);
// Reads plurec.dat in the current directory.
PluFileContent readPluFile();

// What tells one state of plurec.dat from another: the file (a save makes a new one), its size
// and the time it was last written.
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    long long writtenSeconds = 0;
    long long writtenNanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;
};
// The identity of plurec.dat in the current directory; none when there is no such file.
std::optional<FileIdentity> pluFileIdentity();

// The file's bytes: the header line, then each pair's two lines, each ended by CR LF.
std::string pluFileStart();
void appendPluPair(std::string& bytes, const PluPair& pair);
// The bytes of a file of the pairs, in their order.
std::string pluFileBytes(const std::vector<PluPair>& pairs);
// Writes plurec.dat in the current directory, safely (the old file stays when this fails).
FileProblem savePluFile(std::string_view bytes);

}  // namespace vorn
