// A game folder of its own for a test of the table with the real art: the build's archive
// linked in, unpacked there as the game does, and the whole folder removed at the end.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/picture_convert.h"
#include "resources/unpack.h"

namespace tarrabel::test {

#ifdef TARRABEL_PAK_PATH
inline constexpr const char* kBuiltPak = TARRABEL_PAK_PATH;
#else
inline constexpr const char* kBuiltPak = "";
#endif

struct GameFolder {
    std::filesystem::path dir;
    ResourceTree tree;
    GameFolder() {
        char pattern[] = "/tmp/tarrabel-app-XXXXXX";
        dir = mkdtemp(pattern);
        std::filesystem::create_symlink(kBuiltPak, dir / "res134.pak");
    }
    ~GameFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    bool Unpack(std::string* error) {
        UnpackOptions o;
        o.ArchiveFolder = dir;
        return UnpackResources(o, platform::ConvertJpegToBmp, &tree, error);
    }
    // The art, unpacked again for each table: a table deletes it once loaded.
    const ResourceTree& Art() {
        std::string error;
        EXPECT_TRUE(Unpack(&error)) << error;
        return tree;
    }
    bool ResLeft() const { return std::filesystem::exists(dir / "res"); }
    // Where a test keeps what the game remembers.
    std::filesystem::path Data() const { return dir / "data"; }
};

// The whole of a temporary file a trace was written to.
inline std::string ReadAll(std::FILE* f) {
    std::string s;
    std::rewind(f);
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        s.append(buf, n);
    return s;
}

}  // namespace tarrabel::test
