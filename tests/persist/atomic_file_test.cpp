// Files written whole or not at all: the previous contents kept as the .bak, a reader
// falling back to it, a write that cannot be made leaving everything as it was, and the
// folder lock that makes two games take turns.
#include "persist/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <fstream>
#include <optional>
#include <set>
#include <string>

#include "support/scratch_folder.h"

namespace tarrabel {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public testing::Test {
  protected:
    test::ScratchFolder scratch_;
    fs::path folder_ = scratch_.Path() / "share" / "tarrabel";
    fs::path file_ = folder_ / "results.ini";
    fs::path backup_ = folder_ / "results.ini.bak";

    static std::optional<std::string> Read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        if (!in) return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void Put(const fs::path& file, const std::string& contents) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << contents;
    }
    // The names in the folder: no temporary file may stay behind.
    std::set<std::string> Names() const {
        std::set<std::string> names;
        std::error_code ec;
        for (const fs::directory_entry& e : fs::directory_iterator(folder_, ec))
            names.insert(e.path().filename().string());
        return names;
    }
};

TEST_F(AtomicFileTest, AWriteMakesPrivateFoldersAndFile) {
    std::string error;
    ASSERT_TRUE(WriteFileWhole(file_, "first\n", &error)) << error;
    EXPECT_EQ(Read(file_), "first\n");
    EXPECT_EQ(Names(), std::set<std::string>{"results.ini"});
    struct stat st;
    for (const fs::path& made : {scratch_.Path() / "share", folder_}) {
        ASSERT_EQ(::stat(made.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << made;
    }
    ASSERT_EQ(::stat(file_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(AtomicFileTest, TheBackupHoldsThePreviousContents) {
    std::string error;
    const std::string versions[] = {"one", "two, longer than one", "", std::string("\0\1\2", 3)};
    for (size_t i = 0; i < std::size(versions); ++i) {
        ASSERT_TRUE(WriteFileWhole(file_, versions[i], &error)) << error;
        EXPECT_EQ(Read(file_), versions[i]);
        if (i == 0) {
            EXPECT_EQ(Names(), std::set<std::string>{"results.ini"});
        } else {
            EXPECT_EQ(Read(backup_), versions[i - 1]);
            EXPECT_EQ(Names(), (std::set<std::string>{"results.ini", "results.ini.bak"}));
        }
    }
}

// A game killed in the middle of a write leaves its temporary file behind, under a process
// id no later game has: the next write of the same file removes it, and the .bak's staged
// copy, but not a write of another game still under way (process 1 always runs), nor
// another file's.
TEST_F(AtomicFileTest, AWriteRemovesTheTemporaryFilesOfKilledWrites) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const std::string gone = std::to_string(child);

    std::string error;
    ASSERT_TRUE(WriteFileWhole(file_, "one", &error)) << error;
    for (const std::string& name : {"results.ini.tmp." + gone, "results.ini.bak.tmp." + gone,
                                    std::string("results.ini.tmp.1"), "other.ini.tmp." + gone})
        Put(folder_ / name, "half a file");
    ASSERT_TRUE(WriteFileWhole(file_, "two", &error)) << error;
    EXPECT_EQ(Read(file_), "two");
    EXPECT_EQ(Read(backup_), "one");
    EXPECT_EQ(Names(), (std::set<std::string>{"results.ini", "results.ini.bak", "results.ini.tmp.1",
                                              "other.ini.tmp." + gone}));
}

// What a reader gets from the file and its backup in each state they may be in.
enum class Kept { Missing, Good, Damaged, TooLarge, AFolder };

struct ReadCase {
    const char* Name;
    Kept File, Backup;
    ReadFrom From;
};

const ReadCase kReads[] = {
    {"BothGood", Kept::Good, Kept::Good, ReadFrom::File},
    {"OnlyTheFile", Kept::Good, Kept::Missing, ReadFrom::File},
    {"FileMissing", Kept::Missing, Kept::Good, ReadFrom::Backup},
    {"FileDamaged", Kept::Damaged, Kept::Good, ReadFrom::Backup},
    {"FileTooLarge", Kept::TooLarge, Kept::Good, ReadFrom::Backup},
    {"AFolderInItsPlace", Kept::AFolder, Kept::Good, ReadFrom::Backup},
    {"BothDamaged", Kept::Damaged, Kept::Damaged, ReadFrom::Nothing},
    {"DamagedAndTooLarge", Kept::Damaged, Kept::TooLarge, ReadFrom::Nothing},
    {"NeitherThere", Kept::Missing, Kept::Missing, ReadFrom::Nothing},
};

TEST_F(AtomicFileTest, AReaderFallsBackToTheBackup) {
    constexpr size_t kLimit = 64;
    // Usable is what starts "good"; binary bytes after that are the check's business.
    const ContentCheck startsGood = [](const std::string& c) { return c.starts_with("good"); };
    for (const ReadCase& c : kReads) {
        SCOPED_TRACE(c.Name);
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        const auto keep = [](const fs::path& file, Kept kept, const std::string& good) {
            switch (kept) {
                case Kept::Missing:
                    break;
                case Kept::Good:
                    Put(file, good);
                    break;
                case Kept::Damaged:
                    Put(file, "goo");
                    break;
                case Kept::TooLarge: {
                    std::string large = "good";
                    large.append(kLimit, 'x');
                    Put(file, large);
                    break;
                }
                case Kept::AFolder:
                    fs::create_directory(file);
                    break;
            }
        };
        keep(file_, c.File, std::string("good file\0\xff", 11));
        keep(backup_, c.Backup, "good backup");
        std::string contents = "left from before";
        EXPECT_EQ(ReadFileOrBackup(file_, &contents, startsGood, kLimit), c.From);
        switch (c.From) {
            case ReadFrom::File:
                EXPECT_EQ(contents, std::string("good file\0\xff", 11));
                break;
            case ReadFrom::Backup:
                EXPECT_EQ(contents, "good backup");
                break;
            case ReadFrom::Nothing:
                EXPECT_EQ(contents, "");
                break;
        }
    }
}

TEST_F(AtomicFileTest, AFileOfTheLimitIsRead) {
    std::string error;
    ASSERT_TRUE(WriteFileWhole(file_, std::string(100, 'a'), &error)) << error;
    std::string contents;
    const ContentCheck any = [](const std::string&) { return true; };
    EXPECT_EQ(ReadFileOrBackup(file_, &contents, any, 100), ReadFrom::File);
    EXPECT_EQ(ReadFileOrBackup(file_, &contents, any, 99), ReadFrom::Nothing);
}

TEST_F(AtomicFileTest, AFolderThatIsAFileFailsTheWrite) {
    // A regular file where the folder should be: no one can write under it, root neither.
    fs::create_directories(folder_.parent_path());
    Put(folder_, "in the way");
    std::string error;
    EXPECT_FALSE(WriteFileWhole(file_, "contents", &error));
    EXPECT_NE(error.find(file_.string()), std::string::npos) << error;
    EXPECT_NE(error.find("Not a directory"), std::string::npos) << error;
    EXPECT_EQ(Read(folder_), "in the way");
}

TEST_F(AtomicFileTest, AWriteThatCannotReplaceTheFileLeavesEverythingAsItWas) {
    // A folder in the file's place cannot be renamed over, by root neither; the backup
    // beside it must not change for the failed write.
    fs::create_directories(file_ / "inside");
    Put(backup_, "the old backup");
    std::string error;
    EXPECT_FALSE(WriteFileWhole(file_, "new", &error));
    EXPECT_NE(error.find(file_.string()), std::string::npos) << error;
    EXPECT_EQ(Read(backup_), "the old backup");
    EXPECT_TRUE(fs::is_directory(file_ / "inside"));
    EXPECT_EQ(Names(), (std::set<std::string>{"results.ini", "results.ini.bak"}));
}

TEST_F(AtomicFileTest, AReadOnlyFolderFailsTheWriteAndKeepsTheFiles) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    std::string error;
    ASSERT_TRUE(WriteFileWhole(file_, "one", &error)) << error;
    ASSERT_TRUE(WriteFileWhole(file_, "two", &error)) << error;
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(WriteFileWhole(file_, "three", &error));
    EXPECT_NE(error.find(file_.string()), std::string::npos) << error;
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    EXPECT_EQ(Read(file_), "two");
    EXPECT_EQ(Read(backup_), "one");
    EXPECT_EQ(Names(), (std::set<std::string>{"results.ini", "results.ini.bak"}));
    fs::permissions(folder_, fs::perms::owner_all);
}

TEST_F(AtomicFileTest, RemovingTakesTheBackupToo) {
    std::string error;
    ASSERT_TRUE(WriteFileWhole(file_, "one", &error)) << error;
    ASSERT_TRUE(WriteFileWhole(file_, "two", &error)) << error;
    RemoveFileAndBackup(file_);
    EXPECT_TRUE(Names().empty());
    RemoveFileAndBackup(file_);  // nothing there: nothing happens
    RemoveFileAndBackup(scratch_.Path() / "no folder" / "no file");
    EXPECT_TRUE(fs::is_directory(folder_));
}

// Whether another game could take the lock right now.
bool LockIsFree(const fs::path& lockFile) {
    const int fd = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

TEST_F(AtomicFileTest, FolderLockHoldsWhileItLives) {
    const fs::path lockFile = folder_ / "statistics.lock";
    {
        const FolderLock lock(folder_, "statistics");  // makes the folder
        ASSERT_TRUE(lock.Locked());
        EXPECT_FALSE(LockIsFree(lockFile));
        // Another lock of another name is another lock.
        const FolderLock other(folder_, "settings");
        EXPECT_TRUE(other.Locked());
    }
    EXPECT_TRUE(LockIsFree(lockFile));
}

TEST_F(AtomicFileTest, FolderLockWithoutAFolderIsNotLocked) {
    fs::create_directories(folder_.parent_path());
    Put(folder_, "in the way");
    const FolderLock lock(folder_, "statistics");
    EXPECT_FALSE(lock.Locked());
}

}  // namespace
}  // namespace tarrabel
