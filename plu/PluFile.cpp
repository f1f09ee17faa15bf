#include "plu/PluFile.h"

#include <optional>

#include "tables/Archive.h"

namespace vorn {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Hands out the lines of a text, without their line ends (LF or CR LF).
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    std::optional<std::string_view> next() {
        if (pos_ >= text_.size()) {
            return std::nullopt;
        }
        std::size_t end = text_.find('\n', pos_);
        const std::size_t after = end == std::string_view::npos ? text_.size() : end + 1;
        if (end == std::string_view::npos) {
            end = text_.size();
        }
        std::string_view line = text_.substr(pos_, end - pos_);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        pos_ = after;
        return line;
    }

    std::optional<std::string_view> nextNonEmpty() {
        for (;;) {
            std::optional<std::string_view> line = next();
            if (!line || !line->empty()) {
                return line;
            }
        }
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

PluFileContent parsePluFile(std::string_view bytes) {
    PluFileContent content;
    LineCursor lines(bytes);
    const std::optional<std::string_view> header = lines.next();
    if (!header || *header != plufile::kHeader) {
        content.status = PluFileContent::Status::Foreign;
        return content;
    }
    content.status = PluFileContent::Status::Read;
    while (const std::optional<std::string_view> plu = lines.nextNonEmpty()) {
        const std::optional<std::string_view> label = lines.nextNonEmpty();
        PluPair pair{std::string(*plu), label ? std::string(*label) : std::string()};
        if (!pair.intact()) {
            ++content.damaged;
        }
        content.pairs.push_back(std::move(pair));
    }
    return content;
}

PluFileContent readPluFile() {
    const std::optional<std::string> bytes = readFileBytes(plufile::kName);
    if (!bytes) {
        return {};
    }
    return parsePluFile(*bytes);
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

FileProblem savePluFile(std::string_view bytes) {
    return writeFileAtomically(plufile::kName, bytes);
}

}  // namespace vorn
