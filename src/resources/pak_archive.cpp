#include "resources/pak_archive.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace tarrabel {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void Fail(std::string* error, std::string message) {
    if (error) *error = std::move(message);
}

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

int32_t ReadInt32(const uint8_t* p) {
    const uint32_t u =
        uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    return int32_t(u);
}

// The size of an open file, or -1.
int64_t FileSize(std::FILE* f) {
    if (fseeko(f, 0, SEEK_END) != 0) return -1;
    const off_t size = ftello(f);
    if (size < 0 || fseeko(f, 0, SEEK_SET) != 0) return -1;
    return int64_t(size);
}

bool ReadExactly(std::FILE* f, int64_t pos, void* into, size_t n) {
    if (fseeko(f, off_t(pos), SEEK_SET) != 0) return false;
    if (n == 0) return true;  // an empty entry: nothing to read, and `into` may be null
    return std::fread(into, 1, n, f) == n;
}

}  // namespace

bool PakArchive::Open(const std::string& path, std::string* error) {
    const std::string where = "The resource archive " + Quoted(path);
    File f(std::fopen(path.c_str(), "rb"));
    if (!f) {
        Fail(error, where + " cannot be opened: " + std::strerror(errno));
        return false;
    }
    const int64_t size = FileSize(f.get());
    if (size < 0) {
        Fail(error, where + " cannot be read: " + std::strerror(errno));
        return false;
    }
    uint8_t head[16] = {};
    if (size < kPakHeaderSize ||
        !ReadExactly(f.get(), 0, head, size_t(size < 16 ? kPakHeaderSize : 16)) ||
        std::memcmp(head, kPakMagic.data(), 4) != 0) {
        Fail(error, where + " is not a PAK archive");
        return false;
    }
    PakHeader header;
    std::memcpy(header.Magic.data(), head, 4);
    header.DirOffset = ReadInt32(head + 4);
    header.DirLength = ReadInt32(head + 8);
    header.Reserved = ReadInt32(head + 12);

    if (header.DirOffset < 0 || header.DirLength < 0) {
        Fail(error, where + " is damaged: its directory has a negative position or length");
        return false;
    }
    if (header.DirLength % kPakEntrySize != 0) {
        Fail(error, where + " is damaged: its directory length " +
                        std::to_string(header.DirLength) + " is not a multiple of " +
                        std::to_string(kPakEntrySize));
        return false;
    }
    if (int64_t(header.DirOffset) + header.DirLength > size) {
        Fail(error, where + " is damaged: its directory runs past the end of the file");
        return false;
    }

    const size_t count = size_t(header.DirLength / kPakEntrySize);
    std::vector<uint8_t> dir(size_t(header.DirLength));
    if (count > 0 && !ReadExactly(f.get(), header.DirOffset, dir.data(), dir.size())) {
        Fail(error, where + " cannot be read: its directory is cut short");
        return false;
    }
    std::vector<PakEntry> entries(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* raw = dir.data() + i * kPakEntrySize;
        PakEntry& e = entries[i];
        std::memcpy(e.Name.data(), raw, kPakNameSize);
        e.FilePos = ReadInt32(raw + kPakNameSize);
        e.FileLen = ReadInt32(raw + kPakNameSize + 4);
        const std::string which = "entry " + std::to_string(i);
        if (e.FilePos < 0 || e.FileLen < 0) {
            Fail(error, where + " is damaged: " + which + " has a negative position or length");
            return false;
        }
        if (int64_t(e.FilePos) + e.FileLen > size) {
            Fail(error, where + " is damaged: " + which + " runs past the end of the file");
            return false;
        }
    }

    header_ = header;
    entries_ = std::move(entries);
    path_ = path;
    return true;
}

std::string PakArchive::EntryName(int32_t id) const {
    if (!InTable(id)) return {};
    const auto& name = entries_[size_t(id)].Name;
    return std::string(name.data(), name.size());
}

int32_t PakArchive::EntryOffset(int32_t id) const {
    return InTable(id) ? entries_[size_t(id)].FilePos : 0;
}

int32_t PakArchive::EntrySize(int32_t id) const {
    return InTable(id) ? entries_[size_t(id)].FileLen : 0;
}

bool PakArchive::ReadEntry(int32_t id, std::vector<uint8_t>* bytes, std::string* error) const {
    bytes->clear();
    if (!InTable(id)) {
        Fail(error, path_.empty() ? std::string("No resource archive is loaded")
                                  : "The resource archive " + Quoted(path_) + " has no entry " +
                                        std::to_string(id));
        return false;
    }
    const PakEntry& e = entries_[size_t(id)];
    const std::string where = "The resource archive " + Quoted(path_);
    File in(std::fopen(path_.c_str(), "rb"));
    if (!in) {
        Fail(error, where + " cannot be opened: " + std::strerror(errno));
        return false;
    }
    // The directory was checked against the file when it was opened; the file may have
    // been replaced or cut since.
    const int64_t size = FileSize(in.get());
    if (size < int64_t(e.FilePos) + e.FileLen) {
        Fail(error, where + " has changed: entry " + std::to_string(id) +
                        " now runs past the end of the file");
        return false;
    }
    std::vector<uint8_t> data(size_t(e.FileLen));
    if (!data.empty() && !ReadExactly(in.get(), e.FilePos, data.data(), data.size())) {
        Fail(error, where + " cannot be read at entry " + std::to_string(id));
        return false;
    }
    for (uint8_t& b : data)
        b = PakUnshift(b);
    *bytes = std::move(data);
    return true;
}

bool PakArchive::SaveEntry(int32_t id, const std::string& path, std::string* error) const {
    // The whole entry is read before the target is touched, so a damaged archive leaves
    // any file of that name as it was.
    std::vector<uint8_t> data;
    if (!ReadEntry(id, &data, error)) return false;

    const std::string cannot = "Cannot write " + Quoted(path) + ": ";
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        Fail(error, cannot + std::strerror(errno));
        return false;
    }
    fchmod(fd, 0644);
    File out(fdopen(fd, "wb"));
    if (!out) {
        const int err = errno;
        close(fd);
        unlink(temp.c_str());
        Fail(error, cannot + std::strerror(err));
        return false;
    }
    std::string failure;
    // An empty entry writes nothing (and fwrite must not see the empty vector's null data).
    if (!data.empty() && std::fwrite(data.data(), 1, data.size(), out.get()) != data.size())
        failure = cannot + std::strerror(errno);
    if (std::fclose(out.release()) != 0 && failure.empty()) failure = cannot + std::strerror(errno);
    if (failure.empty() && std::rename(temp.c_str(), path.c_str()) != 0)
        failure = cannot + std::strerror(errno);
    if (!failure.empty()) {
        unlink(temp.c_str());
        Fail(error, std::move(failure));
        return false;
    }
    return true;
}

}  // namespace tarrabel
