#pragma once
// comport.ini beside the program: one line "port,baud,data bits,stop-bits code,parity code",
// optionally followed by ",device path" (written by our port dialog, ignored by readers of the
// five numbers). Missing file or missing numbers: the defaults 1,9600,8,0,0.

#include <string>
#include <string_view>

#include "tables/TableFiles.h"

namespace vorn {

struct ComPortSettings {
    int port = 1;
    int baudRate = 9600;
    int dataBits = 8;
    int stopBits = 0;  // 0 one, 1 one and a half, 2 two
    int parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
    std::string device;  // empty: /dev/ttyS<port - 1>
};

// Parses the first line as "%d,%d,%d,%d,%d" and the optional device after a fifth comma.
ComPortSettings parseComPortLine(std::string_view line);
// "%d,%d,%d,%d,%d" and, when a device is set, "," and the device. No line feed.
std::string formatComPortLine(const ComPortSettings& settings);

// programDirectory() + "/comport.ini".
std::string comPortFilePath();
// Reads the file; defaults when it cannot be opened.
ComPortSettings readComPortFile(const std::string& path = comPortFilePath());
FileProblem writeComPortFile(const ComPortSettings& settings,
                             const std::string& path = comPortFilePath());

// The device the port number stands for: the device field, else /dev/ttyS<port - 1>.
std::string devicePath(const ComPortSettings& settings);

}  // namespace vorn
