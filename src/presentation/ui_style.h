// The look of the game's dialogs: felt greens, cream cards, gold for what is chosen, and a
// DejaVu font at a size that suits an 800 x 600 window, all grown together for a larger
// window or a high-DPI screen.
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

// Sets the colours and loads the fonts into the current ImGui context, every size `scale`
// times its size in an 800 x 600 window (the fonts rasterised at that size, so they stay
// sharp). Expects an empty font atlas and a default style. Falls back to ImGui's own font
// when the DejaVu files are not installed.
UiFonts ApplyTableStyle(float scale);

}  // namespace tarrabel
