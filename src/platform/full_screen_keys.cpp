#include "platform/full_screen_keys.h"

namespace tarrabel::platform {

bool TogglesFullScreen(SDL_Scancode key, uint16_t modifiers, bool repeat) {
    if (repeat) return false;  // holding F11 must not make the screen flicker
    const bool ctrl = (modifiers & KMOD_CTRL) != 0, alt = (modifiers & KMOD_ALT) != 0,
               logo = (modifiers & KMOD_GUI) != 0;
    if (ctrl || logo) return false;
    switch (key) {
        case SDL_SCANCODE_F11:
            return !alt;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER:
            return alt;
        default:
            return false;
    }
}

}  // namespace tarrabel::platform
