#include "comm/TransferFileReader.h"

#include "comm/WireFrame.h"

namespace vorn {

bool TransferFileReader::open(const std::string& path) {
    close();
    file_ = std::fopen(path.c_str(), "rb");
    return file_ != nullptr;
}

void TransferFileReader::close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

bool TransferFileReader::rewind() {
    return file_ != nullptr && std::fseek(file_, 0, SEEK_SET) == 0;
}

std::optional<std::string> TransferFileReader::rawLine() {
    if (file_ == nullptr) {
        return std::nullopt;
    }
    std::string line;
    bool any = false;
    for (int c = std::fgetc(file_); c != EOF; c = std::fgetc(file_)) {
        any = true;
        if (c == '\n') {
            return line;
        }
        if (c != '\r' && line.size() < wire::kMaxLine) {
            line.push_back(static_cast<char>(c));
        }
    }
    if (!any) {
        return std::nullopt;
    }
    return line;  // the last line had no line end
}

std::optional<std::string> TransferFileReader::next() {
    for (;;) {
        auto line = rawLine();
        if (!line || line->empty() || (*line)[0] != '\'') {
            return line;
        }
    }
}

}  // namespace vorn
