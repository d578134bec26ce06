// The game's command line: everything is optional, and without arguments the game starts
// the way a player expects (full screen, the options dialog, a fresh random deal).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/cards.h"
#include "core/options.h"

namespace tarrabel {

struct CommandLine {
    bool Windowed = false;
    bool FourColour = false;               // four-colour suits; the dialog starts with them
    std::optional<GameVariant> Variant;    // start this game at once
    std::optional<AiLevel> ComputerLevel;  // seats 1 to 3; the dialog starts at it
    std::optional<uint64_t> Seed;          // same seed and clicks: the same game
    std::string TracePath;                 // JSON lines, as the simulator writes them
    bool Resume = false;                   // the kept match at once, without the dialog
    bool NoConfig = false;                 // settings.ini neither read nor written
    bool Stats = false;                    // print the statistics and exit
    bool Help = false;
};

// Parses argv[1..]. False with a short message for an unknown option or a bad value.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine* out, std::string* error);

// The text --help prints.
std::string CommandLineHelp();
// The one line printed with a command-line mistake.
std::string CommandLineUsage();

}  // namespace tarrabel
