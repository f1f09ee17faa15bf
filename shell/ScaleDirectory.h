#pragma once
// The files and directories of the store and scale dialog: the base path file pgmpath.dat (one
// archive string, no header), the store file grpscl.dat (a long count and the entry strings, no
// header; an empty file is no stores), and the scale directory base/store/scale with its copy
// of Transl2.cfg. The moves of the current directory happen here.

#include <string>
#include <vector>

#include "tables/TableFiles.h"

namespace vorn {

inline constexpr const char* kBasePathFile = "pgmpath.dat";
inline constexpr const char* kStoreFile = "grpscl.dat";
inline constexpr const char* kCopiedConfigFile = "Transl2.cfg";
inline constexpr const char* kBasePathFromScale = "../../pgmpath.dat";

inline constexpr const char* kCannotEnterText = "Error";
inline constexpr const char* kCannotCreateText = "error";

std::string encodeBasePath(const std::string& path);
std::string encodeStoreEntries(const std::vector<std::string>& entries);

struct StoreEntries {
    std::vector<std::string> entries;
    FileProblem problem;  // a damaged file: the entries read so far are kept
};
StoreEntries decodeStoreEntries(const std::string& bytes);

// Finds the base directory and makes it current. From a scale directory, ../../pgmpath.dat
// names it; otherwise the current directory is the base and pgmpath.dat is written there.
struct BaseDirectory {
    std::string path;
    FileProblem problem;
};
BaseDirectory enterBaseDirectory();

// grpscl.dat in the current directory.
StoreEntries readStoreFile();
FileProblem writeStoreFile(const std::vector<std::string>& entries);

// A directory rename of EDIT Store or EDIT Scale, written into grpscl.dat (in the current
// directory) at once: the stored list names the directory by its new name even when the dialog
// is then left without OK, so no scale's files are left where no entry leads. The other changes
// of the lists stay unstored until OK. Nothing is written when no stored entry names the store
// or scale (one added since the last OK).
FileProblem storeRenamedStore(const std::string& oldName, const std::string& newName);
FileProblem storeRenamedScale(const std::string& storeName, const std::string& oldName,
                              const std::string& newName);

// Creates base/store (an existing one is kept).
void makeStoreDirectory(const std::string& base, const std::string& storeName);

// Makes base/store/scale current. A directory made here gets a copy of base/Transl2.cfg.
enum class EnterScaleResult { Entered, CannotEnter, CannotCreate };
EnterScaleResult enterScaleDirectory(const std::string& base, const std::string& storeName,
                                     const std::string& scaleName);

// Renames a directory relative to the current one. Refused (Taken) when the new name exists.
enum class RenameResult { Renamed, Taken, Failed };
RenameResult renameDirectory(const std::string& from, const std::string& to);

std::string currentDirectory();
bool changeDirectory(const std::string& path);

// The directory that was current when the object was made, held open so that it can be made
// current again even after it was renamed meanwhile (EDIT Store renames the store's directory).
class SavedDirectory {
public:
    SavedDirectory();
    ~SavedDirectory();
    SavedDirectory(const SavedDirectory&) = delete;
    SavedDirectory& operator=(const SavedDirectory&) = delete;
    bool restore() const;

private:
    int fd_;
    std::string path_;
};

}  // namespace vorn
