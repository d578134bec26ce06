#include "app/startup_flow.h"

#include "app/deck_preview.h"
#include "app/startup_dialog.h"
#include "app/startup_dialog_view.h"
#include "presentation/ui_style.h"

namespace tarrabel {

bool RunStartupDialog(platform::Platform& p, const std::string& pakPath, AiLevel computerLevel,
                      std::optional<GameOptions>* chosen, std::string* error) {
    chosen->reset();
    // The dialog opens in a window; the start button turns it into the table's, in full
    // screen unless "Windowed" is checked.
    platform::DisplaySettings window;
    window.FullScreen = false;
    if (!p.OpenDisplay(window, error)) return false;
    if (!p.StartUi(error)) return false;

    StartupDialogLook look;
    look.Fonts = ApplyTableStyle();
    const auto previews = MakeDeckPreviews(pakPath);
    for (size_t i = 0; i < previews.size(); ++i)
        look.Previews[i] = p.CreateUiTexture(previews[i]);
    look.PreviewWidth = kPreviewWidth;
    look.PreviewHeight = kPreviewHeight;

    StartupDialog dialog;
    dialog.Open();
    dialog.ChooseLevel(int(computerLevel));
    while (!dialog.Ended && !chosen->has_value()) {
        if (!p.BeginUiFrame()) {
            dialog.OnClose();  // the close box, or the process was asked to end
            break;
        }
        *chosen = DrawStartupDialog(dialog, look);
        p.EndUiFrame(kFelt.R, kFelt.G, kFelt.B);
    }
    p.StopUi();
    if (!chosen->has_value()) chosen->reset();
    return true;
}

}  // namespace tarrabel
