#include "persist/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace tarrabel {
namespace {

std::filesystem::path WithSuffix(const std::filesystem::path& file, std::string_view suffix) {
    std::filesystem::path named = file;
    named += std::string(suffix);
    return named;
}

std::filesystem::path BackupOf(const std::filesystem::path& file) {
    return WithSuffix(file, ".bak");
}

// Our own temporary name for a file: another game writing the same folder at once uses
// another, and one left by a game killed earlier under our process id is simply reused.
std::filesystem::path TemporaryFor(const std::filesystem::path& file) {
    return WithSuffix(file, ".tmp." + std::to_string(::getpid()));
}

bool Fail(const std::filesystem::path& file, std::string_view doing, int errorNumber,
          std::string* error) {
    if (error)
        *error = "cannot " + std::string(doing) + " " + file.string() + ": " +
                 std::strerror(errorNumber);
    return false;
}

// Makes the folder and its missing parents, each one readable by the user only: what the
// game remembers is nobody else's business.
bool MakeFolders(const std::filesystem::path& folder, int* errorNumber) {
    struct stat st;
    if (folder.empty() || (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode))) return true;
    std::filesystem::path made;
    for (const std::filesystem::path& part : folder) {
        made /= part;
        if (::mkdir(made.c_str(), 0700) == 0) continue;
        if (errno != EEXIST) {
            *errorNumber = errno;
            return false;
        }
    }
    if (::stat(folder.c_str(), &st) != 0) {
        *errorNumber = errno;
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        *errorNumber = ENOTDIR;
        return false;
    }
    return true;
}

bool WriteAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t n = ::write(fd, contents.data(), contents.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        contents.remove_prefix(size_t(n));
    }
    return true;
}

// Writes a new file of that name whole and flushes it to the disk; errno tells why not.
bool WriteNewFile(const std::filesystem::path& file, std::string_view contents) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool written = WriteAll(fd, contents) && ::fsync(fd) == 0;
    int savedErrno = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        savedErrno = errno;
    }
    errno = savedErrno;
    return written;
}

// Reads a regular file of at most maxBytes whole. A fifo or a device in the file's place
// must not hang or flood the game, hence the non-blocking open and the checks.
bool ReadWhole(const std::filesystem::path& file, size_t maxBytes, std::string* contents) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && uint64_t(st.st_size) <= maxBytes;
    std::string text;
    if (ok) {
        text.reserve(size_t(st.st_size));
        char buffer[1 << 16];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                ok = false;
                break;
            }
            if (n == 0) break;
            // The file may have grown since fstat.
            if (text.size() + size_t(n) > maxBytes) {
                ok = false;
                break;
            }
            text.append(buffer, size_t(n));
        }
    }
    ::close(fd);
    if (ok) *contents = std::move(text);
    return ok;
}

// Puts the file's present contents under its .bak name in one step, through a temporary
// name of its own that is renamed over the old .bak once the new one is whole. A hard link
// costs nothing (the file is never changed in place, only replaced); a file system without
// them gets a copy. False with errno set.
bool StageBackup(const std::filesystem::path& file, const std::filesystem::path& staged) {
    ::unlink(staged.c_str());
    if (::link(file.c_str(), staged.c_str()) == 0) return true;
    if (errno == ENOENT) return false;
    std::string old;
    if (!ReadWhole(file, SIZE_MAX, &old)) return false;
    if (WriteNewFile(staged, old)) return true;
    const int savedErrno = errno;
    ::unlink(staged.c_str());
    errno = savedErrno;
    return false;
}

// Makes the renames in the folder lasting. Some file systems cannot flush a folder; the
// file itself is on the disk by then, so that is no reason to give up.
void FlushFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Removes the temporary files of this file (NAME.tmp.PID, NAME.bak.tmp.PID) that a game
// killed in the middle of a write left behind. Nothing ever reads them, but each such kill
// leaves one under its own process id, so without this they would pile up. A temporary
// file whose process still runs is another game's write under way and is left alone.
void RemoveStaleTemporaries(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    const std::string name = file.filename().string();
    const std::string prefixes[] = {name + ".tmp.", name + ".bak.tmp."};
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string other = it->path().filename().string();
        for (const std::string& prefix : prefixes) {
            if (other.size() <= prefix.size() || other.compare(0, prefix.size(), prefix) != 0)
                continue;
            const std::string digits = other.substr(prefix.size());
            if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
                continue;
            const pid_t writer = pid_t(std::stol(digits));
            if (writer > 0 && writer != ::getpid() && ::kill(writer, 0) != 0 && errno == ESRCH)
                ::unlink(it->path().c_str());
        }
    }
}

}  // namespace

bool WriteFileWhole(const std::filesystem::path& file, std::string_view contents,
                    std::string* error) {
    const std::filesystem::path folder = file.parent_path();
    int errorNumber = 0;
    if (!MakeFolders(folder, &errorNumber)) return Fail(file, "write", errorNumber, error);

    RemoveStaleTemporaries(file);
    const std::filesystem::path temporary = TemporaryFor(file);
    if (!WriteNewFile(temporary, contents)) {
        const int savedErrno = errno;
        ::unlink(temporary.c_str());
        return Fail(file, "write", savedErrno, error);
    }

    // The old contents are staged as the next .bak first, but only take its place once the
    // new file has taken the file's: a write that fails leaves the file and its .bak as
    // they were, and a game killed in between leaves the new file with the older .bak.
    struct stat st;
    bool staged = ::lstat(file.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
    const std::filesystem::path stagedBackup =
        WithSuffix(file, ".bak.tmp." + std::to_string(::getpid()));
    if (staged && !StageBackup(file, stagedBackup)) {
        const int savedErrno = errno;
        // Gone since (another game removed it): there is nothing to keep.
        staged = false;
        if (savedErrno != ENOENT) {
            ::unlink(temporary.c_str());
            return Fail(file, "keep the previous contents of", savedErrno, error);
        }
    }
    if (::rename(temporary.c_str(), file.c_str()) != 0) {
        const int savedErrno = errno;
        ::unlink(temporary.c_str());
        if (staged) ::unlink(stagedBackup.c_str());
        return Fail(file, "write", savedErrno, error);
    }
    // The new file is in place; a .bak that cannot be renewed leaves the older one there,
    // which a reader can still fall back to.
    if (staged && ::rename(stagedBackup.c_str(), BackupOf(file).c_str()) != 0)
        ::unlink(stagedBackup.c_str());
    FlushFolder(folder);
    return true;
}

ReadFrom ReadFileOrBackup(const std::filesystem::path& file, std::string* contents,
                          const ContentCheck& usable, size_t maxBytes) {
    std::string text;
    if (ReadWhole(file, maxBytes, &text) && (!usable || usable(text))) {
        *contents = std::move(text);
        return ReadFrom::File;
    }
    text.clear();
    if (ReadWhole(BackupOf(file), maxBytes, &text) && (!usable || usable(text))) {
        *contents = std::move(text);
        return ReadFrom::Backup;
    }
    contents->clear();
    return ReadFrom::Nothing;
}

void RemoveFileAndBackup(const std::filesystem::path& file) {
    ::unlink(file.c_str());
    ::unlink(BackupOf(file).c_str());
    FlushFolder(file.parent_path());
}

FolderLock::FolderLock(const std::filesystem::path& folder, std::string_view name) {
    int errorNumber = 0;
    if (!MakeFolders(folder, &errorNumber)) return;
    const std::filesystem::path lockFile = folder / (std::string(name) + ".lock");
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // A lock file left in a folder made read-only since can still be locked through a
    // descriptor opened for reading.
    if (fd_ < 0) fd_ = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return;
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        ::close(fd_);
        fd_ = -1;
        return;
    }
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace tarrabel
