#include "app/startup_flow.h"

#include <array>
#include <utility>

#include "app/deck_preview.h"
#include "app/startup_dialog.h"
#include "app/startup_dialog_view.h"
#include "platform/letterbox.h"
#include "presentation/ui_style.h"

namespace tarrabel {

bool RunStartupDialog(platform::Platform& p, const std::string& pakPath, const StartupOffer& offer,
                      StartupAnswer* answer, GameOptions* chosenOptions, std::string* error) {
    *answer = StartupAnswer::Exit;
    std::optional<GameOptions> chosenStorage;
    std::optional<GameOptions>* chosen = &chosenStorage;
    // The dialog opens in a window; the start button turns it into the table's, in full
    // screen unless "Windowed" is checked.
    platform::DisplaySettings window;
    window.FullScreen = false;
    window.Window = offer.Window;
    if (!p.OpenDisplay(window, error)) return false;

    // The dialog is restyled (fonts, sizes) before a frame whenever the window's size or
    // pixels ask for another scale.
    StartupDialogLook look;
    platform::UiDesign design;
    design.Width = kDialogWidth;
    design.Height = kDialogHeight;
    design.Restyle = [&look](float scale) {
        look.Fonts = ApplyTableStyle(scale);
        look.Scale = scale;
    };
    if (!p.StartUi(std::move(design), error)) return false;
    look.PreviewWidth = kPreviewWidth;
    look.PreviewHeight = kPreviewHeight;
    // The previews of each density, in the usual inks and the four-colour ones, made the
    // first time the dialog is shown at that density with those inks.
    using Previews = std::array<std::array<platform::UiTexture, 3>, platform::kMostDensity + 1>;
    std::array<Previews, 2> previews{};
    std::array<std::array<bool, platform::kMostDensity + 1>, 2> previewsMade{};

    StartupDialog dialog;
    dialog.Open();
    dialog.ShowChoices(offer.Choices);
    dialog.ResumeOffered = offer.CanResume;
    dialog.ResumeLabel = offer.ResumeLabel;
    dialog.ResumeShortLabel = offer.ResumeShortLabel;
    dialog.Results = offer.Results;
    while (!dialog.Ended && !dialog.Resumed && !chosen->has_value()) {
        if (!p.BeginUiFrame()) {
            dialog.OnClose();  // the close box, or the process was asked to end
            break;
        }
        // The cards drawn with at least one pixel of their own for each pixel shown.
        const int density = PreviewDensity(look.Scale);
        const bool fourColour = dialog.FourColourSuits;
        if (!previewsMade[fourColour][size_t(density)]) {
            // An archive without the sharper art shows the 1x previews enlarged.
            auto pictures = MakeDeckPreviews(pakPath, density, fourColour);
            for (int k = density - 1; k >= 1 && pictures[0].Empty(); --k)
                pictures = MakeDeckPreviews(pakPath, k, fourColour);
            for (size_t i = 0; i < pictures.size(); ++i)
                previews[fourColour][size_t(density)][i] = p.CreateUiTexture(pictures[i]);
            previewsMade[fourColour][size_t(density)] = true;
        }
        look.Previews = previews[fourColour][size_t(density)];
        *chosen = DrawStartupDialog(dialog, look);
        p.EndUiFrame(kFelt.R, kFelt.G, kFelt.B);
        if (dialog.ResetRequested)
            dialog.ShowResults(offer.ResetResults ? offer.ResetResults() : Statistics{});
    }
    p.StopUi();
    if (dialog.Resumed) {
        *answer = StartupAnswer::Resume;
        *chosenOptions = dialog.OnStart();  // its window mode counts for the resumed match
    } else if (chosen->has_value()) {
        *answer = StartupAnswer::Start;
        *chosenOptions = **chosen;
    }
    return true;
}

}  // namespace tarrabel
