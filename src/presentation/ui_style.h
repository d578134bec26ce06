// The look of the game's dialogs: felt greens, cream cards, gold for what is chosen, and a
// DejaVu font at a size that suits an 800 x 600 window.
#pragma once

#include <cstdint>

struct ImFont;

namespace tarrabel {

// The felt behind the dialogs (the clear colour of a UI frame).
struct FeltColour {
    uint8_t R, G, B;
};
inline constexpr FeltColour kFelt{24, 82, 54};

struct UiFonts {
    ImFont* Body = nullptr;
    ImFont* Title = nullptr;  // the game's name on the dialog
};

// Sets the colours and loads the fonts into the current ImGui context. Falls back to
// ImGui's own font when the DejaVu files are not installed.
UiFonts ApplyTableStyle();

}  // namespace tarrabel
