// Which key press means what at the table. The letters go by the name the keyboard layout
// gives the key (D draws wherever D is), the arrows, Home, End, F1 and the digits by their
// place (the digits' row gives 1 to 4 without Shift on every layout).
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>

#include "core/frame_input.h"

namespace tarrabel::platform {

// The table's meaning of a key press, or none: keys held with Ctrl, Alt or the logo key
// (the desktop's), lone modifiers and lock keys, Escape and P (read as held keys), and the
// keyboard's repeat of any key but the arrows.
std::optional<TableKey> TableKeyOf(SDL_Scancode scancode, SDL_Keycode keycode, uint16_t modifiers,
                                   bool repeat);

}  // namespace tarrabel::platform
