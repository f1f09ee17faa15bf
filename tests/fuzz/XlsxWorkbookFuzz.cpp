// The workbook part and the relationships (the package's and the workbook's) on any bytes: the
// input is the workbook part, then after a NUL its relationships. Property: a sheet or
// workbook path found lies inside the container (no "..", not absolute).

#include <cstdint>
#include <string>
#include <string_view>

#include "tab/XlsxReader.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

bool insideContainer(const std::string& path) {
    if (path.starts_with('/')) {
        return false;
    }
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        if (path.compare(start, end - start, "..") == 0) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = bytes.find('\0');
    const std::string_view workbook = bytes.substr(0, nul);
    const std::string_view relationships =
        nul == std::string_view::npos ? std::string_view() : bytes.substr(nul + 1);

    const vorn::xlsx::FirstSheet sheet =
        vorn::xlsx::firstSheet(workbook, relationships, "xl/workbook.xml");
    if (sheet.problem.empty()) {
        vorn::fuzz::require(!sheet.path.empty() && insideContainer(sheet.path));
        vorn::fuzz::require(insideContainer(sheet.sharedStringsPath));
    }
    vorn::fuzz::require(insideContainer(vorn::xlsx::officeDocumentPath(relationships)));
    return 0;
}
