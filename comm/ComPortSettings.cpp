#include "comm/ComPortSettings.h"

#include <unistd.h>

#include <climits>
#include <filesystem>
#include <system_error>

#include "platform/ProgramDirectory.h"
#include "tables/Archive.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"

namespace vorn {

namespace {

constexpr const char* kComPortFormat = "%d,%d,%d,%d,%d";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One "%d" of sscanf: blanks, a sign, at least one digit. Saturates instead of overflowing.
bool scanInt(std::string_view line, std::size_t& pos, int& value) {
    std::size_t i = pos;
    while (i < line.size() && isBlank(line[i])) {
        ++i;
    }
    std::size_t numberStart = i;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) {
        ++i;
    }
    std::size_t digitsStart = i;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
        ++i;
    }
    if (i == digitsStart) {
        return false;
    }
    value = intValue(line.substr(numberStart, i - numberStart));
    pos = i;
    return true;
}

}  // namespace

ComPortSettings parseComPortLine(std::string_view line) {
    line = line.substr(0, line.find('\n'));
    ComPortSettings settings;
    int* fields[] = {&settings.port, &settings.baudRate, &settings.dataBits, &settings.stopBits,
                     &settings.parity};
    std::size_t pos = 0;
    for (std::size_t k = 0; k < std::size(fields); ++k) {
        if (k > 0) {
            if (pos >= line.size() || line[pos] != ',') {
                return settings;
            }
            ++pos;
        }
        if (!scanInt(line, pos, *fields[k])) {
            return settings;
        }
    }
    if (pos < line.size() && line[pos] == ',') {
        // The device ends at the line end, CR LF or a bare CR alike, as the writer cuts it.
        const std::string_view device = line.substr(pos + 1);
        settings.device = std::string(device.substr(0, device.find_first_of("\r\n")));
    }
    return settings;
}

std::string formatComPortLine(const ComPortSettings& settings) {
    std::string line = cformat(kComPortFormat, {settings.port, settings.baudRate, settings.dataBits,
                                                settings.stopBits, settings.parity});
    // A line break inside the device would end the line early for every reader: cut it there.
    std::string_view device = settings.device;
    device = device.substr(0, device.find_first_of("\r\n"));
    if (!device.empty()) {
        line += ',';
        line += device;
    }
    return line;
}

std::string comPortFileBesideProgram() {
    return programDirectory() + "/" + kComPortFileName;
}

std::string userComPortFile() {
    return userConfigDirectory() + "/" + kComPortFileName;
}

namespace {
bool readable(const std::string& path) {
    return ::access(path.c_str(), R_OK) == 0;
}
}  // namespace

std::string comPortFilePath() {
    std::string beside = comPortFileBesideProgram();
    return readable(beside) || !readable(userComPortFile()) ? beside : userComPortFile();
}

SavedComPortFile saveComPortSettings(const ComPortSettings& settings) {
    const std::string beside = comPortFileBesideProgram();
    const std::string user = userComPortFile();
    if (readable(beside) || readable(user)) {
        const std::string path = comPortFilePath();
        return {path, writeComPortFile(settings, path)};
    }
    if (writeComPortFile(settings, beside).empty()) {
        return {beside, {}};
    }
    std::error_code ec;
    std::filesystem::create_directories(userConfigDirectory(), ec);
    return {user, writeComPortFile(settings, user)};
}

ComPortSettings readComPortFile(const std::string& path) {
    std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) {
        return {};
    }
    return parseComPortLine(*bytes);
}

FileProblem writeComPortFile(const ComPortSettings& settings, const std::string& path) {
    return writeFileAtomically(path, formatComPortLine(settings));
}

std::string devicePath(const ComPortSettings& settings) {
    if (!settings.device.empty()) {
        return settings.device;
    }
    return "/dev/ttyS" + std::to_string(static_cast<long long>(settings.port) - 1);
}

}  // namespace vorn
