#pragma once
// The scale's end of a pseudo-terminal: the master side, with the slave kept open so that the
// line survives the PC closing and reopening it, and so that the PC's baud rate can be read.

#include <string>

#include "sim/ScaleSession.h"

namespace vornsim {

class PtyLink : public ScaleLink {
public:
    PtyLink() = default;
    ~PtyLink() override;
    PtyLink(const PtyLink&) = delete;
    PtyLink& operator=(const PtyLink&) = delete;

    // Creates the pseudo-terminal; false (and a message in error) on failure.
    bool create(std::string& error);
    const std::string& slaveName() const { return slaveName_; }

    // From now on, the line settings that the PC set ("4800 7E2": baud rate, data bits, parity
    // N/O/E/M/S, stop bits) are written to the file as the PC's bytes come: one line each time
    // they change, the first line for the first byte. (A device server may restore the line's
    // settings when its connection ends, before the last bytes are read here.)
    void reportLineTo(std::string path) { reportPath_ = std::move(path); }

    std::optional<char> read(int timeoutMs) override;
    void write(std::string_view bytes) override;
    int baud() override;

private:
    void reportLine();

    int master_ = -1;
    std::string reportPath_;
    std::string reported_;  // every line written so far
    std::string lastLine_;  // the settings of the last line
    int slave_ = -1;
    std::string slaveName_;
};

}  // namespace vornsim
