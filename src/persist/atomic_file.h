// Files written whole or not at all. A file is written as a temporary file in its own
// folder, flushed to the disk, and renamed over the old one, whose contents are kept beside
// it as NAME.bak first; a reader falls back to the .bak when the file is missing, cannot be
// read or does not parse. A game killed at any moment leaves the old file or the new one,
// never half of one.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace tarrabel {

// Creates the folder (and its parents, private to the user) and writes the file whole.
// False with a message naming the file and the cause (read-only home, full disk); the old
// file and its .bak are then as they were.
bool WriteFileWhole(const std::filesystem::path& file, std::string_view contents,
                    std::string* error);

// Answers whether the contents are usable (they parse); a reader passes its parser.
using ContentCheck = std::function<bool(const std::string& contents)>;

enum class ReadFrom { Nothing, File, Backup };

// Reads the file, or its .bak when the file is missing or unreadable or fails the check.
// Answers where the contents came from (Nothing: neither is there or usable; *contents
// empty). Files larger than maxBytes are not usable (a damaged or hostile file).
ReadFrom ReadFileOrBackup(const std::filesystem::path& file, std::string* contents,
                          const ContentCheck& usable, size_t maxBytes = 16u << 20);

// Deletes the file and its .bak (a kept match that is over); missing files are fine.
void RemoveFileAndBackup(const std::filesystem::path& file);

// An exclusive advisory lock on FOLDER/NAME.lock (flock), held while it lives, so that two
// games started at once take turns at a read-change-write of the same file. Waits for the
// other game, which holds it only for the moment of its write. Locked() is false when the
// lock file cannot be made (a read-only folder): the caller goes on without it.
class FolderLock {
  public:
    FolderLock(const std::filesystem::path& folder, std::string_view name);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool Locked() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

}  // namespace tarrabel
