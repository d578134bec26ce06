// Builds a resource archive in the format qelPAK reads: the header, the entries' data
// (every byte stored one higher) in the order they were added, then the directory.
#pragma once

#include <cstdint>
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

}  // namespace tarrabel
