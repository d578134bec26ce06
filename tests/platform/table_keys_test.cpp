// What each key press means at the table, on any keyboard layout.
#include "platform/table_keys.h"

#include <gtest/gtest.h>

namespace tarrabel::platform {
namespace {

TEST(TableKeys, EachPressMeansWhatTheKeysPageSays) {
    struct Case {
        const char* what;
        SDL_Scancode scancode;
        SDL_Keycode keycode;
        uint16_t modifiers;
        bool repeat;
        std::optional<TableKey> meaning;
    };
    const Case cases[] = {
        {"left arrow", SDL_SCANCODE_LEFT, SDLK_LEFT, 0, false, TableKey::Left},
        {"right arrow held down", SDL_SCANCODE_RIGHT, SDLK_RIGHT, 0, true, TableKey::Right},
        {"Home", SDL_SCANCODE_HOME, SDLK_HOME, 0, false, TableKey::Home},
        {"End", SDL_SCANCODE_END, SDLK_END, 0, false, TableKey::End},
        {"Up", SDL_SCANCODE_UP, SDLK_UP, 0, false, TableKey::Up},
        {"Return", SDL_SCANCODE_RETURN, SDLK_RETURN, 0, false, TableKey::Enter},
        {"keypad Enter", SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, 0, false, TableKey::Enter},
        {"Space", SDL_SCANCODE_SPACE, SDLK_SPACE, 0, false, TableKey::Enter},
        {"Return held down plays once", SDL_SCANCODE_RETURN, SDLK_RETURN, 0, true, std::nullopt},
        {"D", SDL_SCANCODE_D, SDLK_d, 0, false, TableKey::Draw},
        {"Shift+D", SDL_SCANCODE_D, SDLK_d, KMOD_LSHIFT, false, TableKey::Draw},
        {"X", SDL_SCANCODE_X, SDLK_x, 0, false, TableKey::Pass},
        {"R", SDL_SCANCODE_R, SDLK_r, 0, false, TableKey::Move},
        {"H", SDL_SCANCODE_H, SDLK_h, 0, false, TableKey::Hint},
        {"F1", SDL_SCANCODE_F1, SDLK_F1, 0, false, TableKey::Rules},
        {"1 on the digits' row", SDL_SCANCODE_1, SDLK_1, 0, false, TableKey::Digit1},
        {"1 where AZERTY has &", SDL_SCANCODE_1, SDLK_AMPERSAND, 0, false, TableKey::Digit1},
        {"keypad 4", SDL_SCANCODE_KP_4, SDLK_KP_4, 0, false, TableKey::Digit4},
        {"C", SDL_SCANCODE_C, SDLK_c, 0, false, TableKey::LetterC},
        {"S", SDL_SCANCODE_S, SDLK_s, 0, false, TableKey::LetterS},
        // Letters go by name: on AZERTY the key where QWERTY has Q writes A, and Z is W.
        {"AZERTY's A (QWERTY's Q)", SDL_SCANCODE_Q, SDLK_a, 0, false, TableKey::Other},
        {"Dvorak's D (QWERTY's H)", SDL_SCANCODE_H, SDLK_d, 0, false, TableKey::Draw},
        {"Dvorak's H (QWERTY's J)", SDL_SCANCODE_J, SDLK_h, 0, false, TableKey::Hint},
        {"any other key", SDL_SCANCODE_K, SDLK_k, 0, false, TableKey::Other},
        {"Escape is read as held", SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, 0, false, std::nullopt},
        {"P is read as held", SDL_SCANCODE_P, SDLK_p, 0, false, std::nullopt},
        {"F11 switches the mode", SDL_SCANCODE_F11, SDLK_F11, 0, false, std::nullopt},
        {"a lone Shift", SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT, false, std::nullopt},
        {"Caps Lock", SDL_SCANCODE_CAPSLOCK, SDLK_CAPSLOCK, 0, false, std::nullopt},
        {"Alt+Tab is the desktop's", SDL_SCANCODE_TAB, SDLK_TAB, KMOD_LALT, false, std::nullopt},
        {"Ctrl+D is not D", SDL_SCANCODE_D, SDLK_d, KMOD_LCTRL, false, std::nullopt},
        {"the logo key's arrows", SDL_SCANCODE_LEFT, SDLK_LEFT, KMOD_LGUI, false, std::nullopt},
        {"Num Lock on changes nothing", SDL_SCANCODE_D, SDLK_d, KMOD_NUM, false, TableKey::Draw},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TableKeyOf(c.scancode, c.keycode, c.modifiers, c.repeat), c.meaning);
    }
}

}  // namespace
}  // namespace tarrabel::platform
