// The options dialog before play, shown in the game's own window.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/options.h"
#include "persist/statistics.h"
#include "platform/platform.h"

namespace tarrabel {

struct StartupOffer {
    // The controls as the dialog opens: the choices of the last start, with the command
    // line's options over them.
    GameOptions Choices;
    // Where its window opens: where the player left the game's window last time.
    std::optional<platform::WindowGeometry> Window;
    // "Resume" and what it would resume, when a match left unfinished is kept.
    bool CanResume = false;
    std::string ResumeLabel, ResumeShortLabel;
    // The "Statistics" page, and "Reset" on it: clears the file and answers the results
    // to show (nothing to clear without it).
    Statistics Results;
    std::function<Statistics()> ResetResults;
};

enum class StartupAnswer : uint8_t { Exit, Start, Resume };

// Opens the window, shows the dialog until the player starts a game, resumes the kept one
// or leaves ("Exit", Escape or the close box), and answers which, with the options chosen
// for Start in *chosen. The deck previews are read from the archive at pakPath; without it
// the dialog shows none, and the game's start-up reports the archive. False only when no
// window can be opened, with the message in *error.
bool RunStartupDialog(platform::Platform& p, const std::string& pakPath, const StartupOffer& offer,
                      StartupAnswer* answer, GameOptions* chosen, std::string* error);

}  // namespace tarrabel
