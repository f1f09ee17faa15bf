#pragma once
// comport.ini: one line "port,baud,data bits,stop-bits code,parity code", optionally followed by
// ",device path" (written by our port dialog, ignored by readers of the five numbers). Missing
// file or missing numbers: the defaults 1,9600,8,0,0.
//
// The file is read beside the program when one can be read there (a portable install, or a
// file that the other system wrote), else from the user's configuration directory, where an
// installed program, whose directory the user cannot write, keeps it.

#include <string>
#include <string_view>

#include "tables/TableFiles.h"

namespace vorn {

inline constexpr const char* kComPortFileName = "comport.ini";

struct ComPortSettings {
    int port = 1;
    int baudRate = 9600;
    int dataBits = 8;
    int stopBits = 0;    // 0 one, 1 one and a half, 2 two
    int parity = 0;      // 0 none, 1 odd, 2 even, 3 mark, 4 space
    std::string device;  // empty: /dev/ttyS<port - 1>
};

// Parses the first line as "%d,%d,%d,%d,%d" and the optional device after a fifth comma.
ComPortSettings parseComPortLine(std::string_view line);
// "%d,%d,%d,%d,%d" and, when a device is set, "," and the device. No line feed.
std::string formatComPortLine(const ComPortSettings& settings);

// programDirectory() + "/comport.ini".
std::string comPortFileBesideProgram();
// userConfigDirectory() + "/comport.ini".
std::string userComPortFile();
// The file the settings are read from: the one beside the program when it can be read, else
// the user's.
std::string comPortFilePath();

// Reads the file; defaults when it cannot be opened.
ComPortSettings readComPortFile(const std::string& path = comPortFilePath());
FileProblem writeComPortFile(const ComPortSettings& settings, const std::string& path);

struct SavedComPortFile {
    std::string path;  // where the settings went (or were meant to go)
    FileProblem problem;
};
// Saves where the settings are read from. When no file exists yet: beside the program if its
// directory can be written, else in the user's directory (made when missing). A file beside the
// program that cannot be replaced is a problem, not a reason to write the user's file, which it
// would hide.
SavedComPortFile saveComPortSettings(const ComPortSettings& settings);

// The device the port number stands for: the device field, else /dev/ttyS<port - 1>.
std::string devicePath(const ComPortSettings& settings);

}  // namespace vorn
