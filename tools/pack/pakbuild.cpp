// pakbuild OUT.pak ARTDIR [DENSITYDIR...]
//
// Packs the game's art into its resource archive (see PackArt for what goes in): the 1x art
// of ARTDIR and the sharper picture sets of each DENSITYDIR. The archive is written under a
// temporary name and renamed, so a failed run leaves no half archive behind.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "resources/pak_writer.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pakbuild OUT.pak ARTDIR [DENSITYDIR...]\n");
        return 2;
    }
    const std::vector<std::filesystem::path> densityDirs(argv + 3, argv + argc);
    tarrabel::PakWriter writer;
    std::string error;
    if (!tarrabel::PackArt(argv[2], &writer, &error, densityDirs) ||
        !writer.Write(argv[1], &error)) {
        std::fprintf(stderr, "pakbuild: %s\n", error.c_str());
        return 1;
    }
    std::printf("pakbuild: %zu entries in %s\n", writer.Count(), argv[1]);
    return 0;
}
