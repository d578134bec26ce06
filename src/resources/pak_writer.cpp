#include "resources/pak_writer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "resources/pak_archive.h"

namespace tarrabel {
namespace {

void Fail(std::string* error, std::string message) {
    if (error) *error = std::move(message);
}

void PutInt32(std::vector<uint8_t>& out, size_t at, int32_t v) {
    const uint32_t u = uint32_t(v);
    for (int i = 0; i < 4; ++i)
        out[at + size_t(i)] = uint8_t(u >> (8 * i));
}

}  // namespace

bool PakWriter::Add(const std::string& name, std::vector<uint8_t> data, std::string* error) {
    if (name.empty() || name.size() > size_t(kPakNameSize) ||
        name.find('\0') != std::string::npos) {
        Fail(error, "The entry name \"" + name + "\" is not 1 to " + std::to_string(kPakNameSize) +
                        " characters without a NUL");
        return false;
    }
    const int64_t limit = std::numeric_limits<int32_t>::max();
    const int64_t dirAfter = int64_t(entries_.size() + 1) * kPakEntrySize;
    if (kPakHeaderSize + dataBytes_ + int64_t(data.size()) + dirAfter > limit) {
        Fail(error, "The archive would grow past 2 GiB with the entry \"" + name + "\"");
        return false;
    }
    dataBytes_ += int64_t(data.size());
    entries_.push_back({name, std::move(data)});
    return true;
}

std::vector<uint8_t> PakWriter::Bytes() const {
    const size_t dirOffset = size_t(kPakHeaderSize + dataBytes_);
    const size_t dirLength = entries_.size() * kPakEntrySize;
    std::vector<uint8_t> out(dirOffset + dirLength, 0);
    std::memcpy(out.data(), kPakMagic.data(), 4);
    PutInt32(out, 4, int32_t(dirOffset));
    PutInt32(out, 8, int32_t(dirLength));
    size_t pos = kPakHeaderSize;
    size_t dir = dirOffset;
    for (const Entry& e : entries_) {
        std::memcpy(out.data() + dir, e.Name.data(), e.Name.size());  // NUL fill after it
        PutInt32(out, dir + kPakNameSize, int32_t(pos));
        PutInt32(out, dir + kPakNameSize + 4, int32_t(e.Data.size()));
        for (uint8_t b : e.Data)
            out[pos++] = PakShift(b);
        dir += kPakEntrySize;
    }
    return out;
}

bool PakWriter::Write(const std::string& path, std::string* error) const {
    const std::vector<uint8_t> bytes = Bytes();
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        Fail(error, "Cannot write \"" + path + "\": " + std::strerror(errno));
        return false;
    }
    fchmod(fd, 0644);
    std::FILE* out = fdopen(fd, "wb");
    bool ok = out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    int err = errno;
    if (out) {
        if (std::fclose(out) != 0 && ok) {
            ok = false;
            err = errno;
        }
    } else {
        close(fd);
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        unlink(temp.c_str());
        Fail(error, "Cannot write \"" + path + "\": " + std::strerror(err));
    }
    return ok;
}

}  // namespace tarrabel
