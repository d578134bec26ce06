// The options a player chose at the last start, kept in settings.ini: a small key=value
// text that a person can read and edit. Unknown keys, damaged lines and values the game
// does not know are passed by with one warning each; what is missing keeps its default.
//
//   # Tarrabel remembers the options of the last start here.
//   game=Pis Yedili
//   deck=Roya2
//   level=Expert
//   slow_animation=no
//   windowed=yes
//   four_colour_suits=no
//   show_hands=yes
//   window=1024x768+40+30
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/cards.h"
#include "core/options.h"

namespace tarrabel {

// A window's size and place on the desktop, in screen pixels.
struct WindowPlace {
    int32_t Width = 0, Height = 0;
    int32_t X = 0, Y = 0;
    bool operator==(const WindowPlace&) const = default;
};

struct Settings {
    GameVariant Variant = GameVariant::Tarrabel;
    std::string_view Deck = kDeckNames[0];  // one of kDeckNames
    AiLevel Level = AiLevel::Standard;
    bool SlowAnimation = false;
    bool Windowed = false;
    bool FourColourSuits = false;
    bool ShowHands = true;              // the computer players' cards shown when a deal ends
    std::optional<WindowPlace> Window;  // the window as the player left it, when windowed
    bool operator==(const Settings&) const = default;
};

inline constexpr std::string_view kSettingsFileName = "settings.ini";

// One line of a settings file that was passed by: its number (from 1) and why.
using SettingsWarning = std::function<void(int line, std::string_view why)>;

// Reads the text of a settings file; never fails. Each damaged line (no "=", an unknown
// key, a value out of range, a key given twice: the first one counts, binary or overlong
// text) is reported once through warn and the setting keeps its default.
Settings ParseSettings(std::string_view text, const SettingsWarning& warn);

// The text of a settings file, in the order above, with a comment line on top.
std::string FormatSettings(const Settings& settings);

}  // namespace tarrabel
