// Draws the options dialog with Dear ImGui and turns the player's clicks and keys into the
// dialog's handlers. The state lives in StartupDialog; this only shows it.
#pragma once

#include <array>
#include <optional>

#include "app/startup_dialog.h"
#include "platform/ui_host.h"
#include "presentation/ui_style.h"

namespace tarrabel {

// The size the dialog is laid out for, in window units; a larger window or a high-DPI screen
// draws it larger by Scale.
inline constexpr int kDialogWidth = 800, kDialogHeight = 600;

struct StartupDialogLook {
    UiFonts Fonts;
    // Output pixels per unit of the 800 x 600 layout; the fonts are loaded for it.
    float Scale = 1.0f;
    // The deck previews: a few cards of each deck on the felt, shown PreviewWidth x
    // PreviewHeight layout units large (the pictures may have more pixels than that).
    std::array<platform::UiTexture, 3> Previews{};
    int PreviewWidth = 0, PreviewHeight = 0;
};

// One frame of the dialog. Enter is the start button, Escape is "Exit". Answers the game
// options in the frame the start button is pressed.
std::optional<GameOptions> DrawStartupDialog(StartupDialog& dialog, const StartupDialogLook& look);

}  // namespace tarrabel
