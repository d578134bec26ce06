// Small helpers for the archive tests: a private temporary folder, archives built byte by
// byte (so names the writer would refuse can be tried), and folder listings.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace tarrabel::test {

namespace fs = std::filesystem;

class TempFolder {
  public:
    TempFolder() {
        std::string templ = (fs::temp_directory_path() / "tarrabel-test-XXXXXX").string();
        if (mkdtemp(templ.data())) path_ = templ;
    }
    ~TempFolder() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const fs::path& Path() const { return path_; }

  private:
    fs::path path_;
};

struct RawEntry {
    std::string Name;           // written as is, NUL-filled to 56 bytes
    std::vector<uint8_t> Data;  // the resource bytes; stored one higher
};

inline void PutInt32(std::vector<uint8_t>& bytes, size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = uint8_t(uint32_t(v) >> (8 * i));
}

// Header, data, directory; the directory's place is at offset 8 + 4, entry i's fields at
// DirOffset + 64 * i + 56 and + 60.
inline std::vector<uint8_t> RawPak(const std::vector<RawEntry>& entries) {
    std::vector<uint8_t> out = {'P', 'A', 'C', 'K', 0, 0, 0, 0, 0, 0, 0, 0};
    std::vector<int32_t> positions;
    for (const RawEntry& e : entries) {
        positions.push_back(int32_t(out.size()));
        for (uint8_t b : e.Data)
            out.push_back(uint8_t(b + 1));
    }
    PutInt32(out, 4, int32_t(out.size()));
    PutInt32(out, 8, int32_t(64 * entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        std::string name = entries[i].Name;
        name.resize(56, '\0');
        out.insert(out.end(), name.begin(), name.end());
        out.resize(out.size() + 8);
        PutInt32(out, out.size() - 8, positions[i]);
        PutInt32(out, out.size() - 4, int32_t(entries[i].Data.size()));
    }
    return out;
}

inline int32_t DirOffsetOf(const std::vector<uint8_t>& pak) {
    return int32_t(uint32_t(pak[4]) | uint32_t(pak[5]) << 8 | uint32_t(pak[6]) << 16 |
                   uint32_t(pak[7]) << 24);
}

inline void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::vector<uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

// Every file and folder under root, as paths relative to it with "/".
inline std::set<std::string> Listing(const fs::path& root) {
    std::set<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(root))
        out.insert(fs::relative(e.path(), root).generic_string());
    return out;
}

}  // namespace tarrabel::test
