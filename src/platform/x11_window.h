// What the X server itself says about the game's window, where SDL's own idea of it can be
// wrong. Full screen is a request to the window manager; on a display without one (a kiosk
// session, `startx tarrabel`, a bare Xvfb) nobody carries it out, yet SDL takes the window
// for screen-sized and draws the table for that size, so the table's right and bottom fall
// outside the window that is really there. These calls let the platform see that and place
// the window itself. Off X (Wayland, SDL's dummy driver) or without Xlib they answer false
// and the platform goes by SDL.
#pragma once

#include <SDL.h>

namespace tarrabel::platform {

// The window's place and size on the screen as the server has them.
bool ServerWindowRect(SDL_Window* window, SDL_Rect* out);

// True when a window manager runs on the window's screen: some client redirects the root
// window's children, which only a window manager does. False without one, or off X.
bool WindowManagerRuns(SDL_Window* window);

// Moves and sizes the window on the server and waits until the server has done it. Meant
// for a display without a window manager, where the request takes effect at once; SDL
// hears of the new size through the usual configure event.
bool PlaceServerWindow(SDL_Window* window, const SDL_Rect& place);

}  // namespace tarrabel::platform
