#include "resources/pak_writer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

#include "resources/density_names.h"
#include "resources/pak_archive.h"
#include "resources/unpack.h"

namespace tarrabel {
namespace fs = std::filesystem;
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

namespace {

struct ArtItem {
    std::string Name;
    std::vector<uint8_t> Data;
};

// The 1x art (densitySet false) has every folder and the witness; a density set has any of
// the folders, and only pictures named for a density above 1.
bool CollectArt(const fs::path& base, bool densitySet, std::vector<ArtItem>* items,
                std::string* error) {
    std::error_code ec;
    bool witness = false;
    for (const ResourceFolder& folder : kResourceFolders) {
        const fs::path dir = base / folder.Name;
        if (!fs::is_directory(dir, ec)) {
            if (densitySet) continue;
            Fail(error, "Missing art folder \"" + dir.string() + "\"");
            return false;
        }
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string file = it->path().filename().string();
            const std::string name = std::string(folder.EntryPrefix) + file;
            if (!it->is_regular_file(ec)) {
                Fail(error, "\"" + it->path().string() + "\" is not a plain file");
                return false;
            }
            if (!IsSafeResourceFileName(file) || name.size() > size_t(kPakNameSize)) {
                Fail(error, "The name of \"" + it->path().string() +
                                "\" does not fit an archive entry: printable ASCII, at most " +
                                std::to_string(kPakNameSize - folder.EntryPrefix.size()) +
                                " characters in this folder");
                return false;
            }
            if (densitySet && (!IsPictureFile(file) || DensityOfFileName(file) == 1)) {
                Fail(error, "\"" + it->path().string() +
                                "\" is not a picture of a sharper set (NAME@2x.png, NAME@3x.png)");
                return false;
            }
            std::ifstream in(it->path(), std::ios::binary);
            std::vector<uint8_t> data{std::istreambuf_iterator<char>(in),
                                      std::istreambuf_iterator<char>()};
            if (!in.is_open() || in.bad()) {
                Fail(error, "Cannot read \"" + it->path().string() + "\"");
                return false;
            }
            if (folder.Name == kWitnessFolder && file == kWitnessFile) witness = true;
            items->push_back({name, std::move(data)});
        }
        if (ec) {
            Fail(error, "Cannot list \"" + dir.string() + "\": " + ec.message());
            return false;
        }
    }
    if (!witness && !densitySet) {
        Fail(error, "The art has no " + std::string(kWitnessFolder) + "/" +
                        std::string(kWitnessFile) + ", so the game would refuse the archive");
        return false;
    }
    return true;
}

}  // namespace

bool PackArt(const fs::path& artDir, PakWriter* writer, std::string* error,
             const std::vector<fs::path>& densityDirs) {
    std::error_code ec;
    fs::path base = artDir;
    bool anyFolder = false;
    for (const ResourceFolder& folder : kResourceFolders)
        anyFolder = anyFolder || fs::is_directory(base / folder.Name, ec);
    if (!anyFolder && fs::is_directory(base / kResFolder, ec)) base /= kResFolder;

    // The marker entries tell the game the archive belongs to this version of it.
    std::vector<ArtItem> items = {{"dumm134", {'r', 'e', 's', '1', '3', '4', '\n'}},
                                  {"dummy2_version", {'2', '\n'}}};
    if (!CollectArt(base, false, &items, error)) return false;
    for (const fs::path& dir : densityDirs) {
        if (!CollectArt(dir, true, &items, error)) return false;
    }
    std::sort(items.begin(), items.end(),
              [](const ArtItem& a, const ArtItem& b) { return a.Name < b.Name; });
    for (size_t i = 1; i < items.size(); ++i) {
        if (items[i].Name == items[i - 1].Name) {
            Fail(error, "The entry \"" + items[i].Name + "\" comes from two art folders");
            return false;
        }
    }
    for (ArtItem& item : items) {
        if (!writer->Add(item.Name, std::move(item.Data), error)) return false;
    }
    return true;
}

}  // namespace tarrabel
