#pragma once
// What a scale holds of the PLUs, as far as the PC knows: the record pairs that the scale
// acknowledged, kept per scale number in the scale directory ("pluack01.dat" for scale 01), so
// that a later send can leave out every PLU the scale already holds as it is ("changed only").
//
// The file has the form of the PLU file (its header line, then each PLU's two record lines,
// CR LF), in PLU number order. It is only ever trusted to leave a PLU out when it holds that
// PLU's pair exactly as it is now: a missing, foreign, cut or otherwise damaged file can only
// make a send send more, never less. A pair that is damaged, whose two records name different
// PLUs, or whose PLU number occurs twice, is not trusted at all.
//
// It is updated after every send (with the pairs each scale acknowledged, both records of a
// PLU) and after every full receive (with exactly the PLUs received); it is written to a
// temporary file that is renamed over the old one.

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "plu/PluRecord.h"
#include "tables/TableFiles.h"

namespace vorn {

// The PLU pairs a scale holds, by PLU number.
using AcknowledgedPlus = std::map<int, PluPair>;

// The file of a scale number ("01" gives "pluack01.dat").
std::string acknowledgedPluFile(std::string_view scaleNumber);

// The pairs of a record file's bytes that can be trusted.
AcknowledgedPlus parseAcknowledgedPlus(std::string_view bytes);
// The bytes of a record file.
std::string acknowledgedPlusBytes(const AcknowledgedPlus& plus);

// Reads the record of a scale in the current directory; a missing file holds nothing.
AcknowledgedPlus loadAcknowledgedPlus(std::string_view scaleNumber);
// Writes the record of a scale; a problem naming the file when it cannot be written.
FileProblem saveAcknowledgedPlus(std::string_view scaleNumber, const AcknowledgedPlus& plus);
// Removes the records of every scale from the current directory (after the scale's PLUs were
// deleted, say): the next send then sends every PLU.
void forgetAcknowledgedPlus();

// The pairs of the PLU file, in file order, that some scale does not hold exactly as they are:
// those missing from a record or different there, and every pair whose PLU number occurs more
// than once in the file. Without any record, every pair.
std::vector<PluPair> changedPlus(const std::vector<PluPair>& pairs,
                                 const std::vector<AcknowledgedPlus>& records);

// The record pairs among lines (as sent in trf.out): a PLU record followed by its label-data
// record of the same PLU.
std::vector<PluPair> pairsOfLines(const std::vector<std::string>& lines);

// The PLUs whose two records a scale answered with success, by scale number. The engine sends
// the lines of trf.out to each scale of its list in turn and writes one line to trf.in for each
// line it sent, up to the first that failed (an error line, or what came of a broken answer),
// after which it leaves the scale; it has checked that each answer names the PLU of its line.
// An answer is taken only when it is a success and names its line's PLU; anything else ends the
// scale's answers. scales: two-digit numbers in list order; empty: scale 01.
std::map<std::string, std::set<int>> acknowledgedByScale(const std::vector<PluPair>& sent,
                                                         const std::vector<std::string>& answers,
                                                         const std::vector<std::string>& scales);

// Takes the acknowledged pairs of what was sent into the record.
void takeAcknowledged(AcknowledgedPlus& record, const std::vector<PluPair>& sent,
                      const std::set<int>& acknowledged);

// After a PLU send, by whichever program: takes what each scale acknowledged into its record.
// sentLines are the lines of trf.out, answers those of trf.in, scales as acknowledgedByScale
// takes them. The problems of records that could not be written.
std::vector<FileProblem> recordSentPlus(const std::vector<std::string>& sentLines,
                                        const std::vector<std::string>& answers,
                                        const std::vector<std::string>& scales);
// After a receive of every PLU of a scale: its record holds exactly the pairs received (those
// that can be trusted). A problem when it cannot be written.
FileProblem recordReceivedPlus(std::string_view scaleNumber, const std::vector<PluPair>& received);

}  // namespace vorn
