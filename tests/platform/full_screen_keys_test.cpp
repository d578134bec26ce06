// The keys that switch between the window and full screen, and the ones that must not: the
// desktop's own combinations and the keyboard's repeat while a key is held.
#include "platform/full_screen_keys.h"

#include <gtest/gtest.h>

namespace tarrabel::platform {
namespace {

TEST(FullScreenKeys, F11OrAltReturnSwitchOnceAndTheDesktopsKeysAreLeftAlone) {
    struct Case {
        const char* what;
        SDL_Scancode key;
        uint16_t modifiers;
        bool repeat;
        bool toggles;
    };
    const Case cases[] = {
        {"F11", SDL_SCANCODE_F11, KMOD_NONE, false, true},
        {"Shift+F11", SDL_SCANCODE_F11, KMOD_LSHIFT, false, true},
        {"F11 with Num Lock on", SDL_SCANCODE_F11, KMOD_NUM, false, true},
        {"F11 held down", SDL_SCANCODE_F11, KMOD_NONE, true, false},
        {"Alt+F11 (a window manager's key)", SDL_SCANCODE_F11, KMOD_LALT, false, false},
        {"Ctrl+Alt+F11 (the console)", SDL_SCANCODE_F11, KMOD_LCTRL | KMOD_LALT, false, false},
        {"Logo+F11", SDL_SCANCODE_F11, KMOD_LGUI, false, false},
        {"Alt+Return", SDL_SCANCODE_RETURN, KMOD_LALT, false, true},
        {"AltGr+Return", SDL_SCANCODE_RETURN, KMOD_RALT, false, true},
        {"Alt+keypad Enter", SDL_SCANCODE_KP_ENTER, KMOD_LALT, false, true},
        {"Alt+Return held down", SDL_SCANCODE_RETURN, KMOD_LALT, true, false},
        {"Return alone", SDL_SCANCODE_RETURN, KMOD_NONE, false, false},
        {"Ctrl+Alt+Return", SDL_SCANCODE_RETURN, KMOD_LCTRL | KMOD_LALT, false, false},
        {"Logo+Alt+Return", SDL_SCANCODE_RETURN, KMOD_LGUI | KMOD_LALT, false, false},
        {"F10", SDL_SCANCODE_F10, KMOD_NONE, false, false},
        {"Alt+Space", SDL_SCANCODE_SPACE, KMOD_LALT, false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TogglesFullScreen(c.key, c.modifiers, c.repeat), c.toggles) << c.what;
}

}  // namespace
}  // namespace tarrabel::platform
