// makeart OUTDIR [--docs DOCSDIR]
//
// Makes all of the game's art into OUTDIR, as the folders of the resource tree: the three
// card decks from the free decks Debian ships for card games, the table pictures, the
// bitmap fonts and the sound effects. The same input gives the same bytes every time.
#include <SDL.h>

#include <cstdio>
#include <string>

#include "art.h"

int main(int argc, char** argv) {
    std::string out, docs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--docs" && i + 1 < argc)
            docs = argv[++i];
        else if (out.empty() && arg.rfind("--", 0) != 0)
            out = arg;
        else {
            std::fprintf(stderr, "usage: makeart OUTDIR [--docs DOCSDIR]\n");
            return 2;
        }
    }
    if (out.empty()) {
        std::fprintf(stderr, "usage: makeart OUTDIR [--docs DOCSDIR]\n");
        return 2;
    }
    std::string error;
    if (!tarrabel::art::MakeDecks(out, docs, &error) || !tarrabel::art::MakeTableArt(out, &error) ||
        !tarrabel::art::MakeSounds(out, &error)) {
        std::fprintf(stderr, "makeart: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
