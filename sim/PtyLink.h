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

    std::optional<char> read(int timeoutMs) override;
    void write(std::string_view bytes) override;
    int baud() override;

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slaveName_;
};

}  // namespace vornsim
