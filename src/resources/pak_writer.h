// Builds a resource archive in the format PakArchive reads: the header, the entries' data
// (every byte stored one higher) in the order they were added, then the directory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarrabel {

class PakWriter {
  public:
    // Adds an entry. The name must be 1 to 56 bytes without a NUL; the archive as a whole
    // must stay below 2 GiB. Returns false with a message in *error otherwise.
    bool Add(const std::string& name, std::vector<uint8_t> data, std::string* error = nullptr);

    // The whole archive.
    std::vector<uint8_t> Bytes() const;

    // Writes the archive to path through a temporary file in the same folder that is then
    // renamed, so a failed run leaves neither a half archive nor a damaged older one.
    bool Write(const std::string& path, std::string* error = nullptr) const;

    size_t Count() const { return entries_.size(); }

  private:
    struct Entry {
        std::string Name;
        std::vector<uint8_t> Data;
    };
    std::vector<Entry> entries_;
    int64_t dataBytes_ = 0;
};

// Adds the game's art to an empty writer: every file of artDir/fntFonts, Sounds, Bitmaps,
// Numbers, Royal, Roya2 and Roya3 as an entry named by its folder's prefix and its file
// name ("Xounds_CARD_FLIP.WAV"), and the two version marker entries ("dumm134",
// "dummy2_version"), all sorted by name so that the same art gives the same archive. When
// artDir holds none of the folders but a "res" folder, the folders are taken from there.
// Refuses, with a message naming the file, a missing folder, anything but plain files in
// them, a file name the game would refuse and art without Sounds/CARD_FLIP.WAV.
//
// Each of densityDirs adds a sharper picture set the same way (the makeart --density runs):
// any of the seven folders, holding only pictures named for a density above 1
// ("AC@2x.png"), beside the 1x entries, which stay as they are. An entry that two folders
// would both give is refused.
bool PackArt(const std::filesystem::path& artDir, PakWriter* writer, std::string* error,
             const std::vector<std::filesystem::path>& densityDirs = {});

}  // namespace tarrabel
