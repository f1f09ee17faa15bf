#include "shell/ScaleDirectory.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "shell/StoreList.h"
#include "tables/Archive.h"

namespace fs = std::filesystem;

namespace vorn {

namespace {
std::string readBasePath(const std::string& file, bool& ok) {
    ok = false;
    const auto bytes = readFileBytes(file);
    if (!bytes) {
        return {};
    }
    ArchiveReader reader(*bytes);
    std::string path;
    ok = reader.string(path) && !path.empty();
    return path;
}

fs::path scalePath(const std::string& base, const std::string& store, const std::string& scale) {
    return fs::path(base) / store / scale;
}
}  // namespace

std::string encodeBasePath(const std::string& path) {
    ArchiveWriter writer;
    writer.string(path);
    return writer.bytes();
}

std::string encodeStoreEntries(const std::vector<std::string>& entries) {
    if (entries.empty()) {
        return {};
    }
    ArchiveWriter writer;
    writer.longValue(static_cast<std::int32_t>(entries.size()));
    for (const std::string& entry : entries) {
        writer.string(entry);
    }
    return writer.bytes();
}

StoreEntries decodeStoreEntries(const std::string& bytes) {
    StoreEntries out;
    if (bytes.empty()) {
        return out;
    }
    ArchiveReader reader(bytes);
    std::int32_t count = 0;
    if (!reader.longValue(count) || count < 0) {
        out.problem = std::string("The file ") + kStoreFile + " is damaged.";
        return out;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        std::string entry;
        if (!reader.string(entry)) {
            out.problem = std::string("The file ") + kStoreFile + " is damaged.";
            break;
        }
        out.entries.push_back(entry);
    }
    return out;
}

BaseDirectory enterBaseDirectory() {
    BaseDirectory base;
    std::error_code ec;
    if (fs::exists(kBasePathFromScale, ec)) {
        bool ok = false;
        const std::string stored = readBasePath(kBasePathFromScale, ok);
        if (ok && changeDirectory(stored)) {
            base.path = currentDirectory();
            return base;
        }
        // The stored path is gone (the tree was moved) or unreadable: the base is where the
        // file lies, and the file is brought up to date.
        if (changeDirectory("../..")) {
            base.path = currentDirectory();
            base.problem = writeFileAtomically(kBasePathFile, encodeBasePath(base.path));
            return base;
        }
    }
    base.path = currentDirectory();
    base.problem = writeFileAtomically(kBasePathFile, encodeBasePath(base.path));
    return base;
}

StoreEntries readStoreFile() {
    const auto bytes = readFileBytes(kStoreFile);
    if (!bytes) {
        return {};
    }
    return decodeStoreEntries(*bytes);
}

FileProblem writeStoreFile(const std::vector<std::string>& entries) {
    return writeFileAtomically(kStoreFile, encodeStoreEntries(entries));
}

namespace {
template <class Rename>
FileProblem rewriteStoreFile(Rename rename) {
    const StoreEntries stored = readStoreFile();
    const std::vector<std::string> renamed = rename(stored.entries);
    if (renamed == stored.entries) {
        return {};
    }
    return writeStoreFile(renamed);
}
}  // namespace

FileProblem storeRenamedStore(const std::string& oldName, const std::string& newName) {
    return rewriteStoreFile([&](const std::vector<std::string>& entries) {
        return entriesWithStoreRenamed(entries, oldName, newName);
    });
}

FileProblem storeRenamedScale(const std::string& storeName, const std::string& oldName,
                              const std::string& newName) {
    return rewriteStoreFile([&](const std::vector<std::string>& entries) {
        return entriesWithScaleRenamed(entries, storeName, oldName, newName);
    });
}

void makeStoreDirectory(const std::string& base, const std::string& storeName) {
    std::error_code ec;
    fs::create_directory(fs::path(base) / storeName, ec);
}

EnterScaleResult enterScaleDirectory(const std::string& base, const std::string& storeName,
                                     const std::string& scaleName) {
    const fs::path dir = scalePath(base, storeName, scaleName);
    if (changeDirectory(dir.string())) {
        return EnterScaleResult::Entered;
    }
    std::error_code ec;
    if (!fs::create_directory(dir, ec)) {
        return EnterScaleResult::CannotCreate;
    }
    fs::copy_file(fs::path(base) / kCopiedConfigFile, dir / kCopiedConfigFile,
                  fs::copy_options::overwrite_existing, ec);
    return changeDirectory(dir.string()) ? EnterScaleResult::Entered
                                         : EnterScaleResult::CannotEnter;
}

RenameResult renameDirectory(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (fs::exists(to, ec)) {
        return RenameResult::Taken;
    }
    fs::rename(from, to, ec);
    if (!ec) {
        return RenameResult::Renamed;
    }
    return ec == std::errc::permission_denied ? RenameResult::Taken : RenameResult::Failed;
}

std::string currentDirectory() {
    std::error_code ec;
    return fs::current_path(ec).string();
}

bool changeDirectory(const std::string& path) {
    std::error_code ec;
    fs::current_path(path, ec);
    return !ec;
}

SavedDirectory::SavedDirectory()
    : fd_(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)), path_(currentDirectory()) {}

SavedDirectory::~SavedDirectory() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool SavedDirectory::restore() const {
    if (fd_ >= 0 && ::fchdir(fd_) == 0) {
        return true;
    }
    return changeDirectory(path_);
}

}  // namespace vorn
