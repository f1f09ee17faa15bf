#pragma once
// One line of trf.out served to one scale, from its first send to what trf.in gets of it: the
// line is sent, its whole answer received frame by frame, and after a failure the line is sent
// again as the repeat rule allows. An answer is all or nothing: its records count only when
// every frame up to the last has come and been acknowledged, so a failed attempt leaves nothing
// behind and the next one starts clean.

#include <functional>
#include <string>
#include <vector>

#include "comm/LineExchange.h"

namespace vorn {

struct LineOutcome {
    enum class End { Answered, Failed, Stopped } end = End::Answered;
    std::vector<std::string> answers;  // Answered: the answer's records, one per frame, in order
    int items = 0;                     // Answered: the records that count as items
    std::string errorLine;             // Failed: the line that stands for the failure
};

// Records count as items, in the count shown, when they are longer than an envelope.
bool countsAsItem(const std::string& answer);

// Told of the items of the attempt under way whenever their number changes (a frame came, or a
// failed attempt dropped them), for the count shown.
using AttemptProgress = std::function<void(int items)>;

// Serves the stamped line; the item key must be set. Records are stored once each: a frame
// that repeats the one before it is the scale sending again what it thinks was not heard.
LineOutcome serveLine(PassContext& pass, const std::string& line, const AttemptProgress& progress);

}  // namespace vorn
