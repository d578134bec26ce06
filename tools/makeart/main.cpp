// makeart OUTDIR [--docs DOCSDIR]
// makeart OUTDIR --density K
// makeart --icons ICONDIR
//
// Makes all of the game's art into OUTDIR, as the folders of the resource tree: the three
// card decks from the free decks Debian ships for card games, the table pictures, the
// bitmap fonts and the sound effects. With --density 2 or 3, makes only the pictures and
// fonts, at that many pixels per table unit, as the "@2x"/"@3x" PNG files of the sharper
// sets (each density is its own run, so the build makes them side by side). With --icons,
// makes only the desktop icons into ICONDIR instead (tarrabel-SIZE.png), which are
// installed beside the game, not packed. The same input gives the same bytes every time.
#include <SDL.h>

#include <cstdlib>

#include <cstdio>
#include <string>

#include "art.h"

namespace {

constexpr const char* kUsage =
    "usage: makeart OUTDIR [--docs DOCSDIR]\n"
    "       makeart OUTDIR --density 2|3\n"
    "       makeart --icons ICONDIR\n";

}  // namespace

int main(int argc, char** argv) {
    std::string out, docs, icons;
    int density = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--docs" && i + 1 < argc)
            docs = argv[++i];
        else if (arg == "--density" && i + 1 < argc)
            density = std::atoi(argv[++i]);
        else if (arg == "--icons" && i + 1 < argc)
            icons = argv[++i];
        else if (out.empty() && arg.rfind("--", 0) != 0)
            out = arg;
        else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (out.empty() == icons.empty() || (!icons.empty() && !docs.empty()) || density < 1 ||
        density > 3 || (density != 1 && (!docs.empty() || !icons.empty()))) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::string error;
    using namespace tarrabel::art;
    const bool ok = !icons.empty() ? MakeIcons(icons, &error)
                                   : MakeDecks(out, docs, density, &error) &&
                                         MakeTableArt(out, density, &error) &&
                                         (density != 1 || MakeSounds(out, &error));
    if (!ok) {
        std::fprintf(stderr, "makeart: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
