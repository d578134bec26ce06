// The options of the last start as the game reads and writes them: settings.ini in the
// config folder, turned into the game's options and back, and the line the dialog shows for
// a match left unfinished.
#pragma once

#include <filesystem>
#include <string>

#include "core/options.h"
#include "persist/kept_match.h"
#include "persist/settings_file.h"

namespace tarrabel {

// The settings in the folder; the defaults when there are none. Each line passed by is
// named on stderr with the file and its number.
Settings ReadSettings(const std::filesystem::path& folder);
bool WriteSettings(const std::filesystem::path& folder, const Settings& s, std::string* error);

// The settings as the options of a game, and a game's options kept in the settings.
GameOptions OptionsOf(const Settings& s);
void RememberOptions(Settings* s, const GameOptions& o);

// "Unfinished: Pis Yedili against Expert players, 3 deals, you 41"; the short form
// "Unfinished: Pis Yedili, 3 deals".
std::string ResumeLabel(const KeptMatch& k);
std::string ResumeShortLabel(const KeptMatch& k);

}  // namespace tarrabel
