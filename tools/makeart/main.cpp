// makeart OUTDIR [--docs DOCSDIR]
// makeart --icons ICONDIR
//
// Makes all of the game's art into OUTDIR, as the folders of the resource tree: the three
// card decks from the free decks Debian ships for card games, the table pictures, the
// bitmap fonts and the sound effects. With --icons, makes only the desktop icons into
// ICONDIR instead (tarrabel-SIZE.png), which are installed beside the game, not packed.
// The same input gives the same bytes every time.
#include <SDL.h>

#include <cstdio>
#include <string>

#include "art.h"

namespace {

constexpr const char* kUsage =
    "usage: makeart OUTDIR [--docs DOCSDIR]\n"
    "       makeart --icons ICONDIR\n";

}  // namespace

int main(int argc, char** argv) {
    std::string out, docs, icons;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--docs" && i + 1 < argc)
            docs = argv[++i];
        else if (arg == "--icons" && i + 1 < argc)
            icons = argv[++i];
        else if (out.empty() && arg.rfind("--", 0) != 0)
            out = arg;
        else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (out.empty() == icons.empty() || (!icons.empty() && !docs.empty())) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::string error;
    const bool ok = !icons.empty() ? tarrabel::art::MakeIcons(icons, &error)
                                   : tarrabel::art::MakeDecks(out, docs, &error) &&
                                         tarrabel::art::MakeTableArt(out, &error) &&
                                         tarrabel::art::MakeSounds(out, &error);
    if (!ok) {
        std::fprintf(stderr, "makeart: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
