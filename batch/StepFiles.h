#pragma once
// The transfer files as the category steps use them. A send or request step writes its lines to
// trf.out and names the settings of its transfer. A store step begins by judging the answer
// that the request left in trf.in: a first line that is no success line is shown, followed
// directly by the category's error suffix, and nothing is stored. So is an answer with an error
// line of the engine after its first line (a later request line that the scale never took, an
// answer broken off): what came before it is only part of the scale's table, and storing it
// would replace the whole table file by that part.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/BatchCategory.h"
#include "tables/TableFiles.h"

namespace vorn {

// Writes the lines to trf.out (each ended by CR LF) and returns the settings; no value, and the
// user told, when trf.out cannot be written.
std::optional<TransferSettings> transferOf(const std::vector<std::string>& lines,
                                           TransferSettings settings = {});

// Empties trf.out, as the steps that create it before reading their table file do.
void emptyTransferFile();

struct JudgedAnswer {
    StoreOutcome outcome = StoreOutcome::NoAnswer;  // Stored here means: good, store the lines
    std::vector<std::string> lines;                 // every line of trf.in when it is good
};

JudgedAnswer judgeAnswer(const BatchCategory& category);

// The outcome of writing the table file: the problem, naming the file, is told.
StoreOutcome storedOrTold(const FileProblem& problem);

// A table file that cannot be sent as it is: the problem is told, and that it was not sent.
void tellNotSent(const FileProblem& problem);

}  // namespace vorn
