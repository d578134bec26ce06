#include "app/command_line.h"

#include <cctype>
#include <charconv>
#include <iterator>

namespace tarrabel {

namespace {

template <typename T>
bool ParseNumber(const std::string& text, T* value) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, *value);
    return ec == std::errc() && ptr == end;
}

// The level's name in lower case, as the command line takes it: "easy", "standard" or
// "expert".
bool ParseLevel(const std::string& text, AiLevel* level) {
    for (int i = 0; i < int(std::size(kAiLevelNames)); ++i) {
        std::string name(kAiLevelNames[i]);
        for (char& c : name)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        if (text == name) {
            *level = AiLevel(i);
            return true;
        }
    }
    return false;
}

}  // namespace

std::string CommandLineUsage() {
    return "usage: tarrabel [--windowed] [--variant 0-4] [--ai easy|standard|expert] [--seed N] "
           "[--four-colour] [--trace FILE] [--resume] [--no-config] [--stats] [--help]";
}

std::string CommandLineHelp() {
    return CommandLineUsage() +
           "\n\n"
           "  --windowed      play in a window instead of full screen\n"
           "  --variant V     start game V at once: 0 Tarrabel, 1 Huit Americain, 2 Agonia,\n"
           "                  3 Illustrated Agonia, 4 Pis Yedili\n"
           "  --ai LEVEL      the computer players' level: easy (they play the first card\n"
           "                  they may), standard, or expert (they play each card's\n"
           "                  consequences out over many imagined deals); the options\n"
           "                  dialog starts at it\n"
           "  --seed N        shuffle with seed N: the same seed and the same clicks replay\n"
           "                  the same game\n"
           "  --four-colour   clubs green and diamonds blue on every deck, so that each suit\n"
           "                  has its own colour; the options dialog starts with it checked\n"
           "  --trace FILE    write every deal's events to FILE, one JSON object a line (a\n"
           "                  resumed match from its start)\n"
           "  --resume        go on with the match left unfinished, without the dialog\n"
           "  --no-config     neither read nor write the remembered options for this start\n"
           "  --stats         print your results in every game and at every level, and exit\n"
           "  --help          show this text\n"
           "\n"
           "The options of the last start are kept in $XDG_CONFIG_HOME/tarrabel/settings.ini\n"
           "(~/.config/tarrabel); your results and a match left unfinished in\n"
           "$XDG_DATA_HOME/tarrabel (~/.local/share/tarrabel). Options given here count for this\n"
           "start only.\n"
           "\n"
           "At the table: left click plays a card or draws from the deck, right click picks a\n"
           "card to move within your hand (then left click where it goes) or passes after\n"
           "drawing; P pauses, Escape leaves the game.\n";
}

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine* out, std::string* error) {
    CommandLine cl;
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string* v) {
            if (i + 1 >= args.size()) return false;
            *v = args[++i];
            return true;
        };
        std::string v;
        if (a == "--windowed") {
            cl.Windowed = true;
        } else if (a == "--four-colour") {
            cl.FourColour = true;
        } else if (a == "--resume") {
            cl.Resume = true;
        } else if (a == "--no-config") {
            cl.NoConfig = true;
        } else if (a == "--stats") {
            cl.Stats = true;
        } else if (a == "--help" || a == "-h") {
            cl.Help = true;
        } else if (a == "--variant") {
            int n = -1;
            if (!value(&v) || !ParseNumber(v, &n) || n < 0 || n >= kVariantCount)
                return fail("--variant takes a game number from 0 to 4");
            cl.Variant = GameVariant(n);
        } else if (a == "--ai") {
            AiLevel level = AiLevel::Standard;
            if (!value(&v) || !ParseLevel(v, &level))
                return fail("--ai takes easy, standard or expert");
            cl.ComputerLevel = level;
        } else if (a == "--seed") {
            uint64_t n = 0;
            if (!value(&v) || !ParseNumber(v, &n))
                return fail("--seed takes a whole number of 0 or more");
            cl.Seed = n;
        } else if (a == "--trace") {
            if (!value(&v) || v.empty()) return fail("--trace takes a file name");
            cl.TracePath = v;
        } else {
            return fail("unknown option: " + a);
        }
    }
    *out = cl;
    return true;
}

}  // namespace tarrabel
