// The advertisement editor taking any answer lines in as rows.
// Properties: rows come only from lines of a whole record and show their breaks as CR LF; a
// row whose text holds a break, or fits one scale line, is sent with the text it came with.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editors/kit/NumberedTable.h"
#include "editors/kit/RecordText.h"
#include "editors/numbered/AdvertisementTable.h"
#include "tables/TextFiles.h"
#include "tables/TextPieces.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines =
        vorn::splitTextLines(std::string_view(reinterpret_cast<const char*>(data), size));
    vorn::NumberedTable adv(vorn::advertisementTable());
    adv.takeReceivedLines(lines);
    std::size_t records = 0;
    for (const std::string& line : lines) {
        if (line.size() == vorn::advertisement::kRecordLineLength &&
            (line[0] == '1' || line[0] == '3')) {
            ++records;
        }
    }
    if (adv.rows().size() != records) {
        __builtin_trap();
    }
    for (const std::string& row : adv.rows().texts()) {
        if (row.size() < 3 || row[2] != '\t' || row.find(vorn::kRecordBreak) != std::string::npos) {
            __builtin_trap();
        }
        const std::string field = vorn::crlfToBreaks(row.substr(3));
        const std::string sent = vorn::advertisementRecordText(row.substr(3));
        const std::string trimmed = vorn::rightTrimmed(field);
        if ((field.find(vorn::kRecordBreak) != std::string::npos ||
             trimmed.size() <= vorn::kScaleLineLength) &&
            sent != trimmed) {
            __builtin_trap();
        }
    }
    return 0;
}
