#include "comm/WireFrame.h"

namespace vorn::wire {

bool endsWithEtb(std::string_view line) {
    return !line.empty() && (line[0] == '2' || line[0] == '3');
}

unsigned char blockCheck(std::string_view text, unsigned char end) {
    unsigned char bcc = end;
    for (const char c : text) {
        bcc ^= static_cast<unsigned char>(c);
    }
    return bcc;
}

std::string frameLine(std::string_view line) {
    const unsigned char end = endsWithEtb(line) ? kEtb : kEtx;
    std::string frame;
    frame.reserve(line.size() + 3);
    frame.push_back(static_cast<char>(kStx));
    frame.append(line);
    frame.push_back(static_cast<char>(end));
    frame.push_back(static_cast<char>(blockCheck(line, end)));
    return frame;
}

}  // namespace vorn::wire
