#pragma once
// The scale's memory: record lines by table code (positions 4 and 5) and key. The key is the
// record's number field, the digits that follow the 16-character envelope, in a width per table:
// 6 for PLUs (07, 08), 9 for extra texts (09), 4 for groups (10), 3 for operators (04) and
// preset keys (16), 2 for barcode formats (14), tares, VAT rates, date texts, advertisement
// texts, the store address and label layouts, 1 for header/bottom texts, discounts and default
// labels; 0 (one record per table) for the mode, marquee, clock and key layout records.
//
// On disk (--seed, --dump): one file per table, "table<code>.txt", one record line per line,
// LF or CR LF.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vornsim {

int keyWidthOf(std::string_view tableCode);
std::string keyOf(std::string_view record);

class ScaleTables {
public:
    void store(const std::string& record);
    // Records of a table in key order; with a key, only those with that key.
    std::vector<std::string> records(std::string_view tableCode) const;
    std::vector<std::string> recordsWithKey(std::string_view tableCode,
                                            const std::string& key) const;
    void clear(std::string_view tableCode);
    std::size_t size() const;

    // False when the directory cannot be read or written.
    bool load(const std::string& directory);
    bool dump(const std::string& directory) const;

private:
    std::map<std::string, std::map<std::string, std::string>, std::less<>> tables_;
};

}  // namespace vornsim
