// The reader of the game's resource archive, a Quake II PAK file whose data bytes
// are all stored one higher (modulo 256).
//
// Layout, little-endian 32-bit signed integers:
//   0  "PACK"   4  directory offset   8  directory length (64 bytes per entry)
// Each directory entry: 56 name bytes (padded with spaces or NULs), file position, file
// length. The reader checks the whole directory when it opens an archive: an archive whose
// directory or entries lie outside the file is refused, so extraction never reads past it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarrabel {

inline constexpr int kPakHeaderSize = 12;
inline constexpr int kPakEntrySize = 64;
inline constexpr int kPakNameSize = 56;
inline constexpr std::string_view kPakMagic = "PACK";

struct PakHeader {
    std::array<char, 4> Magic{};
    int32_t DirOffset = 0;
    int32_t DirLength = 0;
    int32_t Reserved = 0;  // the four bytes after the header; read, never used
};

struct PakEntry {
    std::array<char, kPakNameSize> Name{};
    int32_t FilePos = 0;
    int32_t FileLen = 0;
};

// The stored form of a byte and back: every byte one higher, 255 wraps to 0.
constexpr uint8_t PakShift(uint8_t b) {
    return uint8_t(b + 1);
}
constexpr uint8_t PakUnshift(uint8_t b) {
    return uint8_t(b - 1);
}

class PakArchive {  // qelPAK
  public:
    // Loads the directory of the archive at `path`. On failure (a missing or unreadable
    // file, no "PACK" magic, a directory or an entry outside the file, a negative length
    // or position) returns false with a message naming the file in *error, and the object
    // keeps the archive it had before.
    bool Open(const std::string& path, std::string* error = nullptr);

    // The 56-character name field of entry id, fill included; empty for an index outside
    // 0 .. EntryCount() - 1 or when no archive is loaded.
    std::string EntryName(int32_t id) const;
    int32_t EntryOffset(int32_t id) const;  // 0 outside the table
    int32_t EntrySize(int32_t id) const;    // 0 outside the table

    // How many entries the archive holds: 0 before an archive is loaded.
    int32_t EntryCount() const { return int32_t(entries_.size()); }
    // The path of the loaded archive, empty until one was opened.
    const std::string& Path() const { return path_; }  // FileLoaded
    const PakHeader& Header() const { return header_; }

    // Writes entry id, unshifted, to `path`, replacing any file there. The bytes are
    // written to a temporary file beside it which is then renamed, so a failure leaves
    // neither a partial file nor a damaged earlier one. Returns false with a message in
    // *error when the index is out of range, no archive is loaded, the archive changed
    // under us or the file cannot be written.
    bool SaveEntry(int32_t id, const std::string& path, std::string* error = nullptr) const;

    // The unshifted bytes of entry id, read into *bytes (the deck previews and the browser
    // need them in memory); bytes must not be null. The same checks as SaveEntry; on
    // failure *bytes is empty and *error says why.
    bool ReadEntry(int32_t id, std::vector<uint8_t>* bytes, std::string* error = nullptr) const;

  private:
    bool InTable(int32_t id) const { return id >= 0 && size_t(id) < entries_.size(); }

    PakHeader header_;
    std::vector<PakEntry> entries_;
    std::string path_;
};

}  // namespace tarrabel
