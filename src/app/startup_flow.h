// The options dialog before play, shown in the game's own window.
#pragma once

#include <optional>
#include <string>

#include "core/options.h"
#include "platform/platform.h"

namespace tarrabel {

// Opens the window, shows the dialog until the player starts a game or leaves, and answers
// the options chosen (nothing when he left with "Exit", Escape or the close box). The deck
// previews are read from the archive at pakPath; without it the dialog shows none, and the
// game's start-up reports the archive. "Computer players" starts at computerLevel (the
// command line's --ai) and "Four-colour suits" at fourColourSuits (--four-colour), so the
// player sees what he asked for and may change it. False only when no window can be opened,
// with the message in *error.
bool RunStartupDialog(platform::Platform& p, const std::string& pakPath, AiLevel computerLevel,
                      bool fourColourSuits, std::optional<GameOptions>* chosen, std::string* error);

}  // namespace tarrabel
