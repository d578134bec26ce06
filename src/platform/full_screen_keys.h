// The keys that switch the table between its window and the full screen: F11, and Alt with
// Return, as in most games and programs on Linux desktops. The platform asks for every key
// press it takes while the table is shown.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace tarrabel::platform {

// True for a fresh press (not the keyboard's repeat while the key is held) of F11 without
// Ctrl, Alt or the logo key, or of Return (or the keypad's Enter) with an Alt and without
// Ctrl or the logo key: those combinations belong to the desktop (Ctrl+Alt+F11 changes the
// console, Alt+F11 or Ctrl+Alt+Return are window manager keys on some desktops).
bool TogglesFullScreen(SDL_Scancode key, uint16_t modifiers, bool repeat);

}  // namespace tarrabel::platform
