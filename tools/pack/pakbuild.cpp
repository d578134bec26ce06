// pakbuild OUT.pak ARTDIR
//
// Packs the game's art into its resource archive (see PackArt for what goes in). The
// archive is written under a temporary name and renamed, so a failed run leaves no half
// archive behind.
#include <cstdio>
#include <string>

#include "resources/pak_writer.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: pakbuild OUT.pak ARTDIR\n");
        return 2;
    }
    tarrabel::PakWriter writer;
    std::string error;
    if (!tarrabel::PackArt(argv[2], &writer, &error) || !writer.Write(argv[1], &error)) {
        std::fprintf(stderr, "pakbuild: %s\n", error.c_str());
        return 1;
    }
    std::printf("pakbuild: %zu entries in %s\n", writer.Count(), argv[1]);
    return 0;
}
