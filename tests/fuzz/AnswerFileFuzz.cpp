// The readers of trf.in on any bytes, and the numbered tables taking its lines in as rows.
// Properties: the first line is at most 99 characters with a line end only at its end; the
// lines, joined by line feeds, give the file back without the CR of each CR LF; every row taken
// in has its number column and a TAB.

#include <cstdint>
#include <string>
#include <vector>

#include "comm/TableTransfer.h"
#include "comm/TransferFiles.h"
#include "editors/kit/NumberedTable.h"
#include "editors/numbered/DateTextTable.h"
#include "editors/numbered/GroupTable.h"
#include "editors/numbered/OperatorTable.h"
#include "editors/numbered/TareTable.h"
#include "editors/numbered/VatTable.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vorn::fuzz::require;
    vorn::fuzz::enterScratchDirectory();
    vorn::fuzz::silencePrompts();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    vorn::fuzz::writeFile(vorn::transferfile::kIn, bytes);

    const std::optional<std::string> first = vorn::readFirstAnswerLine();
    require(first.has_value());
    require(first->size() <= vorn::transferfile::kFirstLineLimit);
    const std::size_t lineEnd = first->find('\n');
    require(lineEnd == std::string::npos || lineEnd + 1 == first->size());

    const std::vector<std::string> lines = vorn::readAnswerLines();
    std::string joined;
    for (const std::string& line : lines) {
        require(line.find('\n') == std::string::npos);
        joined += line + "\n";
    }
    // The file without the CR before each line feed (or at its very end), ending in a line feed.
    std::string expected;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' || (i + 1 < bytes.size() && bytes[i + 1] != '\n')) {
            expected += bytes[i];
        }
    }
    if (!bytes.empty() && bytes.back() != '\n') {
        expected += '\n';
    }
    require(joined == expected);

    for (const vorn::NumberedTableKind* kind :
         {&vorn::groupTable(), &vorn::operatorTable(), &vorn::dateTextTable(), &vorn::tareTable(),
          &vorn::vatTable()}) {
        vorn::NumberedTable table(*kind);
        table.takeReceivedLines(lines);
        for (std::size_t i = 0; i < table.rows().size(); ++i) {
            require(table.rows().text(i).find('\t') != std::string::npos);
        }
    }
    return 0;
}
