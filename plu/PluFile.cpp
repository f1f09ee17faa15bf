#include "plu/PluFile.h"

#include <sys/stat.h>

#include <fstream>

#include "tables/Archive.h"

namespace vorn {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// The piece of the file read at a time.
constexpr std::size_t kReadPiece = 1 << 20;

}  // namespace

PluFileParser::PluFileParser(std::size_t expectedBytes) {
    content_.pairs.reserve(expectedBytes / (plurecord::kLength + labelrecord::kLength + 4));
}

void PluFileParser::feed(std::string_view piece) {
    while (!piece.empty() && content_.status != PluFileContent::Status::Foreign) {
        const std::size_t end = piece.find('\n');
        if (end == std::string_view::npos) {
            partialLine_.append(piece);
            return;
        }
        if (partialLine_.empty()) {
            takeLine(piece.substr(0, end));
        } else {
            partialLine_.append(piece.substr(0, end));
            takeLine(partialLine_);
            partialLine_.clear();
        }
        piece.remove_prefix(end + 1);
    }
}

void PluFileParser::takeLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (!headerSeen_) {
        headerSeen_ = true;
        content_.status = line == plufile::kHeader ? PluFileContent::Status::Read
                                                   : PluFileContent::Status::Foreign;
        return;
    }
    if (line.empty()) {
        return;
    }
    if (!pluPending_) {
        pendingPlu_.assign(line);
        pluPending_ = true;
        return;
    }
    PluPair pair{std::move(pendingPlu_), std::string(line)};
    pluPending_ = false;
    if (!pair.intact()) {
        ++content_.damaged;
    }
    content_.pairs.push_back(std::move(pair));
}

PluFileContent PluFileParser::finish() {
    if (!partialLine_.empty()) {
        takeLine(partialLine_);
        partialLine_.clear();
    }
    if (!headerSeen_) {
        content_.status = PluFileContent::Status::Foreign;
    }
    if (content_.status == PluFileContent::Status::Foreign) {
        content_.pairs.clear();
        content_.damaged = 0;
    } else if (pluPending_) {
        // A PLU record without its label-data line at the end of the file.
        content_.pairs.push_back({std::move(pendingPlu_), std::string()});
        ++content_.damaged;
    }
    pluPending_ = false;
    return std::move(content_);
}

PluFileContent parsePluFile(std::string_view bytes) {
    PluFileParser parser(bytes.size());
    parser.feed(bytes);
    return parser.finish();
}

PluFileContent readPluFile() {
    std::ifstream in(plufile::kName, std::ios::binary);
    if (!in) {
        return {};
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    PluFileParser parser(size > 0 ? static_cast<std::size_t>(size) : 0);
    std::string piece(kReadPiece, '\0');
    while (in.read(piece.data(), static_cast<std::streamsize>(piece.size())) || in.gcount() > 0) {
        parser.feed(std::string_view(piece.data(), static_cast<std::size_t>(in.gcount())));
    }
    return parser.finish();
}

std::optional<FileIdentity> pluFileIdentity() {
    struct stat status {};
    if (::stat(plufile::kName, &status) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<unsigned long long>(status.st_dev),
                        static_cast<unsigned long long>(status.st_ino),
                        static_cast<long long>(status.st_size),
                        static_cast<long long>(status.st_mtim.tv_sec),
                        static_cast<long long>(status.st_mtim.tv_nsec)};
}

std::string pluFileStart() {
    return std::string(plufile::kHeader) + std::string(kLineEnd);
}

void appendPluPair(std::string& bytes, const PluPair& pair) {
    bytes += pair.plu;
    bytes += kLineEnd;
    bytes += pair.label;
    bytes += kLineEnd;
}

std::string pluFileBytes(const std::vector<PluPair>& pairs) {
    std::string bytes = pluFileStart();
    bytes.reserve(bytes.size() + pairs.size() * (plurecord::kLength + labelrecord::kLength + 4));
    for (const PluPair& pair : pairs) {
        appendPluPair(bytes, pair);
    }
    return bytes;
}

FileProblem savePluFile(std::string_view bytes) {
    return writeFileAtomically(plufile::kName, bytes);
}

}  // namespace vorn
