#include "platform/table_keys.h"

namespace tarrabel::platform {

namespace {

bool IsModifierOrLock(SDL_Scancode s) {
    return (s >= SDL_SCANCODE_LCTRL && s <= SDL_SCANCODE_RGUI) || s == SDL_SCANCODE_CAPSLOCK ||
           s == SDL_SCANCODE_NUMLOCKCLEAR || s == SDL_SCANCODE_SCROLLLOCK || s == SDL_SCANCODE_MODE;
}

std::optional<TableKey> ByPlace(SDL_Scancode s) {
    switch (s) {
        case SDL_SCANCODE_LEFT:
            return TableKey::Left;
        case SDL_SCANCODE_RIGHT:
            return TableKey::Right;
        case SDL_SCANCODE_UP:
            return TableKey::Up;
        case SDL_SCANCODE_DOWN:
            return TableKey::Down;
        case SDL_SCANCODE_HOME:
            return TableKey::Home;
        case SDL_SCANCODE_END:
            return TableKey::End;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER:
        case SDL_SCANCODE_SPACE:
            return TableKey::Enter;
        case SDL_SCANCODE_F1:
            return TableKey::Rules;
        case SDL_SCANCODE_1:
        case SDL_SCANCODE_KP_1:
            return TableKey::Digit1;
        case SDL_SCANCODE_2:
        case SDL_SCANCODE_KP_2:
            return TableKey::Digit2;
        case SDL_SCANCODE_3:
        case SDL_SCANCODE_KP_3:
            return TableKey::Digit3;
        case SDL_SCANCODE_4:
        case SDL_SCANCODE_KP_4:
            return TableKey::Digit4;
        default:
            return std::nullopt;
    }
}

std::optional<TableKey> ByName(SDL_Keycode k) {
    switch (k) {
        case SDLK_d:
            return TableKey::Draw;
        case SDLK_x:
            return TableKey::Pass;
        case SDLK_r:
            return TableKey::Move;
        case SDLK_h:
            return TableKey::Hint;
        case SDLK_c:
            return TableKey::LetterC;
        case SDLK_s:
            return TableKey::LetterS;
        default:
            return std::nullopt;
    }
}

bool Repeats(TableKey k) {
    return k == TableKey::Left || k == TableKey::Right || k == TableKey::Up || k == TableKey::Down;
}

}  // namespace

std::optional<TableKey> TableKeyOf(SDL_Scancode scancode, SDL_Keycode keycode, uint16_t modifiers,
                                   bool repeat) {
    if ((modifiers & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) != 0) return std::nullopt;
    if (IsModifierOrLock(scancode) || scancode == SDL_SCANCODE_ESCAPE ||
        scancode == SDL_SCANCODE_P || keycode == SDLK_p || scancode == SDL_SCANCODE_F11)
        return std::nullopt;
    std::optional<TableKey> key = ByPlace(scancode);
    if (!key) key = ByName(keycode);
    if (!key) key = TableKey::Other;
    if (repeat && !Repeats(*key)) return std::nullopt;
    return key;
}

}  // namespace tarrabel::platform
