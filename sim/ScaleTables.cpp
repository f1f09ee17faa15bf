#include "sim/ScaleTables.h"

#include <filesystem>
#include <fstream>

namespace vornsim {

namespace {
constexpr std::size_t kEnvelope = 16;
}

int keyWidthOf(std::string_view code) {
    static const std::map<std::string, int, std::less<>> widths = {
        {"02", 0}, {"04", 3}, {"07", 6}, {"08", 6}, {"09", 9}, {"10", 4}, {"11", 1},
        {"12", 2}, {"13", 0}, {"14", 2}, {"15", 2}, {"16", 3}, {"18", 2}, {"19", 2},
        {"20", 2}, {"21", 1}, {"33", 0}, {"38", 0}, {"43", 1}, {"60", 2}};
    const auto it = widths.find(code);
    return it == widths.end() ? 9 : it->second;
}

std::string keyOf(std::string_view record) {
    if (record.size() < kEnvelope) {
        return {};
    }
    const std::size_t width = static_cast<std::size_t>(keyWidthOf(record.substr(4, 2)));
    std::string key;
    for (std::size_t i = kEnvelope; i < record.size() && key.size() < width; ++i) {
        if (record[i] < '0' || record[i] > '9') {
            break;
        }
        key.push_back(record[i]);
    }
    return key;
}

void ScaleTables::store(const std::string& record) {
    if (record.size() < kEnvelope) {
        return;
    }
    tables_[record.substr(4, 2)][keyOf(record)] = record;
}

std::vector<std::string> ScaleTables::records(std::string_view code) const {
    std::vector<std::string> out;
    const auto it = tables_.find(code);
    if (it != tables_.end()) {
        for (const auto& [key, record] : it->second) {
            out.push_back(record);
        }
    }
    return out;
}

std::vector<std::string> ScaleTables::recordsWithKey(std::string_view code,
                                                     const std::string& key) const {
    std::vector<std::string> out;
    const auto it = tables_.find(code);
    if (it != tables_.end()) {
        const auto r = it->second.find(key);
        if (r != it->second.end()) {
            out.push_back(r->second);
        }
    }
    return out;
}

void ScaleTables::clear(std::string_view code) {
    const auto it = tables_.find(code);
    if (it != tables_.end()) {
        tables_.erase(it);
    }
}

std::size_t ScaleTables::size() const {
    std::size_t n = 0;
    for (const auto& [code, table] : tables_) {
        n += table.size();
    }
    return n;
}

bool ScaleTables::load(const std::string& directory) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(directory, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() != 11 || name.rfind("table", 0) != 0 || name.substr(7) != ".txt") {
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            store(line);
        }
    }
    return !ec;
}

bool ScaleTables::dump(const std::string& directory) const {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(directory, ec);
    // A table emptied since the last dump leaves no file behind.
    for (const auto& entry : fs::directory_iterator(directory, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == 11 && name.rfind("table", 0) == 0 && name.substr(7) == ".txt" &&
            tables_.find(name.substr(5, 2)) == tables_.end()) {
            fs::remove(entry.path(), ec);
        }
    }
    bool ok = true;
    for (const auto& [code, table] : tables_) {
        std::ofstream out(fs::path(directory) / ("table" + code + ".txt"),
                          std::ios::binary | std::ios::trunc);
        for (const auto& [key, record] : table) {
            out << record << '\n';
        }
        ok = ok && static_cast<bool>(out);
    }
    return ok;
}

}  // namespace vornsim
