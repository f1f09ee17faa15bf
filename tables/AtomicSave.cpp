#include "tables/AtomicSave.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

namespace vorn {

namespace {

// The characters mkstemp puts in place of "XXXXXX": letters and digits.
constexpr std::size_t kUniqueLength = 6;
// A cleaner may remove a fresh temporary in the moment before its save locks it; the save then
// makes another. Two such losses in a row are already most unlikely.
constexpr int kCreateAttempts = 8;

std::string problemText(const std::string& path, int error) {
    return "Cannot save " + path + ": " + std::strerror(error);
}

// The mode a newly created file gets: 0666 less the process's umask, read without changing it.
mode_t newFileMode() {
    mode_t mask = 022;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            mask = static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
            break;
        }
    }
    return 0666 & ~mask;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The directory of a path (ending in '/', "./" for a bare name) and the file's name.
struct SplitPath {
    std::string directory;
    std::string name;
};

SplitPath splitPath(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {"./", path};
    }
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

int lockExclusive(int fd, int how) {
    int rc;
    do {
        rc = ::flock(fd, how);
    } while (rc != 0 && errno == EINTR);
    return rc;
}

// Makes "<prefix>XXXXXX" and locks it. The name exists a moment before the lock is taken; a
// cleaner that removes it then holds the lock while it does, so once this save has the lock its
// file either still has its name, and stays ours, or has none and another is made. Where the
// file system has no locks the save goes on without one: cleaners cannot lock its temporary
// either, and leave it alone.
int createLockedTemporary(const std::string& prefix, std::string& temp) {
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        temp = prefix + std::string(kUniqueLength, 'X');
        const int fd = ::mkstemp(temp.data());
        if (fd < 0) {
            return -1;
        }
        lockExclusive(fd, LOCK_EX);
        struct stat st {};
        if (::fstat(fd, &st) != 0 || st.st_nlink > 0) {
            return fd;
        }
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

// Removes the temporary unless a save holds its lock. The lock is taken before the name is
// checked again and removed, and held until then: a save that is just starting on it then
// finds it gone and makes another.
bool removeIfUnlocked(const std::string& temp) {
    const int fd = ::open(temp.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool removed = false;
    struct stat held {};
    struct stat named {};
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
        lockExclusive(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(temp.c_str(), &named) == 0 &&
        named.st_dev == held.st_dev && named.st_ino == held.st_ino) {
        removed = ::unlink(temp.c_str()) == 0;
    }
    ::close(fd);
    return removed;
}

}  // namespace

bool isTemporaryOf(std::string_view name, std::string_view fileName) {
    if (fileName.empty() || name.size() != fileName.size() + 2 + kUniqueLength ||
        name.front() != '.' || name.substr(1, fileName.size()) != fileName ||
        name[1 + fileName.size()] != '.') {
        return false;
    }
    for (const char c : name.substr(name.size() - kUniqueLength)) {
        if (std::isalnum(static_cast<unsigned char>(c)) == 0) {
            return false;
        }
    }
    return true;
}

int removeStaleTemporaries(const std::string& path) {
    const SplitPath split = splitPath(path);
    std::vector<std::string> candidates;
    if (DIR* dir = ::opendir(split.directory.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (isTemporaryOf(entry->d_name, split.name)) {
                candidates.emplace_back(entry->d_name);
            }
        }
        ::closedir(dir);
    }
    int removed = 0;
    for (const std::string& name : candidates) {
        removed += removeIfUnlocked(split.directory + name) ? 1 : 0;
    }
    return removed;
}

FileProblem writeFileAtomically(const std::string& path, std::string_view bytes) {
    const SplitPath split = splitPath(path);
    // Leftovers of interrupted saves go first, which also gives their room back to this one.
    removeStaleTemporaries(path);
    std::string temp;
    const int fd = createLockedTemporary(split.directory + "." + split.name + ".", temp);
    if (fd < 0) {
        return problemText(path, errno);
    }
    // Keep the mode of the file being replaced (mkstemp creates it private).
    struct stat old {};
    mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : newFileMode();
    int error = 0;
    if (::fchmod(fd, mode) != 0 || !writeAll(fd, bytes) || ::fsync(fd) != 0) {
        error = errno;
    }
    // Renamed while still open and locked, so that no cleaner takes it for a leftover; the data
    // is on disk already, so closing afterwards cannot lose any.
    if (error == 0 && std::rename(temp.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
    }
    ::close(fd);
    if (error != 0) {
        return problemText(path, error);
    }
    int dirFd = ::open(split.directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return {};
}

FileProblem StreamedSave::open(const std::string& path) {
    discard();
    problem_.clear();
    path_ = path;
    const SplitPath split = splitPath(path);
    removeStaleTemporaries(path);
    const int fd = createLockedTemporary(split.directory + "." + split.name + ".", temp_);
    if (fd < 0) {
        problem_ = problemText(path, errno);
        return problem_;
    }
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : newFileMode();
    if (::fchmod(fd, mode) != 0 || (file_ = ::fdopen(fd, "wb")) == nullptr) {
        fail(errno);
        ::unlink(temp_.c_str());
        ::close(fd);
        temp_.clear();
        return problem_;
    }
    return {};
}

void StreamedSave::fail(int error) {
    if (problem_.empty()) {
        problem_ = problemText(path_, error);
    }
}

bool StreamedSave::write(std::string_view bytes) {
    if (file_ == nullptr || !problem_.empty()) {
        return false;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        fail(errno);
        return false;
    }
    return true;
}

FileProblem StreamedSave::commit() {
    if (file_ == nullptr) {
        return problem_;
    }
    if (problem_.empty() && (std::fflush(file_) != 0 || ::fsync(::fileno(file_)) != 0)) {
        fail(errno);
    }
    // Renamed while still open and locked, as a table save does.
    if (problem_.empty() && std::rename(temp_.c_str(), path_.c_str()) != 0) {
        fail(errno);
    }
    if (!problem_.empty()) {
        ::unlink(temp_.c_str());
    }
    std::fclose(file_);
    file_ = nullptr;
    temp_.clear();
    return problem_;
}

void StreamedSave::discard() {
    if (file_ != nullptr) {
        ::unlink(temp_.c_str());
        std::fclose(file_);
        file_ = nullptr;
    }
    temp_.clear();
}

}  // namespace vorn
