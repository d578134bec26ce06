#include "app/startup_dialog_view.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "app/dialog_texts.h"
#include "platform/ui_scale.h"

namespace tarrabel {

namespace {

// ImGui takes C strings; the texts are string_views into literals, so their data is
// terminated already where the view ends at the literal's end. Copy when unsure.
std::string Str(std::string_view s) {
    return std::string(s);
}

void TextPage(const char* id, const dialog::TextSection* sections, size_t count) {
    ImGui::BeginChild(id, ImVec2(0, 0), true);
    for (size_t i = 0; i < count; ++i) {
        const dialog::TextSection& s = sections[i];
        if (!s.Heading.empty()) {
            ImGui::PushStyleColor(ImGuiCol_Text, ImVec4(0.89f, 0.73f, 0.32f, 1.0f));
            ImGui::TextUnformatted(s.Heading.data(), s.Heading.data() + s.Heading.size());
            ImGui::PopStyleColor();
        }
        // Paragraphs and "- " list items, wrapped to the page.
        std::string_view body = s.Body;
        while (!body.empty()) {
            const size_t end = body.find('\n');
            std::string_view line = body.substr(0, end);
            body = end == std::string_view::npos ? std::string_view{} : body.substr(end + 1);
            if (line.empty()) {
                ImGui::Spacing();
                continue;
            }
            if (line.substr(0, 2) == "- ") {
                ImGui::Bullet();
                ImGui::SameLine();
                line.remove_prefix(2);
            }
            ImGui::TextWrapped("%s", Str(line).c_str());
        }
        ImGui::Spacing();
        ImGui::Separator();
        ImGui::Spacing();
    }
    ImGui::EndChild();
}

void DeckPage(StartupDialog& d, const StartupDialogLook& look) {
    const float s = look.Scale;
    // Royal, Roya2, Roya3 in the order of their previews 0, 1, 2.
    ImGui::BeginGroup();
    for (int i = 0; i < StartupDialog::kDeckChoices; ++i) {
        const dialog::DeckOptionText& t = dialog::kDeckOptions[size_t(i)];
        const auto deck = StartupDialog::Deck(i);
        if (ImGui::RadioButton(Str(t.Caption).c_str(), d.SelectedDeck == deck)) d.ChooseDeck(deck);
        ImGui::Indent(32 * s);
        ImGui::TextDisabled("%s", Str(t.Label).c_str());
        ImGui::Unindent(32 * s);
        ImGui::Spacing();
    }
    ImGui::EndGroup();
    ImGui::Spacing();
    // "Four-colour suits" to the left of the preview, which shows its effect.
    const float left = ImGui::GetCursorPosX(), width = ImGui::GetContentRegionAvail().x;
    ImGui::BeginGroup();
    bool fourColour = d.FourColourSuits;
    if (ImGui::Checkbox(Str(dialog::kFourColourCaption).c_str(), &fourColour))
        d.CheckFourColourSuits(fourColour);
    ImGui::PushTextWrapPos(left + std::round(180 * s));
    ImGui::TextDisabled("%s", Str(dialog::kFourColourDescription).c_str());
    ImGui::PopTextWrapPos();
    ImGui::EndGroup();
    const platform::UiTexture preview = look.Previews[size_t(d.SelectedDeck)];
    if (preview) {
        // Whole pixels, so the picture's own pixels are not smeared across two.
        const ImVec2 size(std::round(float(look.PreviewWidth) * s),
                          std::round(float(look.PreviewHeight) * s));
        ImGui::SameLine(left + std::max(0.0f, std::floor((width - size.x) * 0.5f)));
        ImGui::Image(preview, size);
    }
}

constexpr float kDescriptionColumn = 210;

void OptionsPage(StartupDialog& d, float s) {
    const float column = kDescriptionColumn * s;
    for (int i = 0; i < StartupDialog::kGameChoices; ++i) {
        const dialog::VariantOptionText& t = dialog::kGameTexts[size_t(i)];
        // Each game with its description beside it, so that the page fits without scrolling.
        if (ImGui::RadioButton(Str(t.Caption).c_str(), d.GameChosen[size_t(i)])) d.ChooseGame(i);
        ImGui::SameLine(column);
        ImGui::TextDisabled("%s", Str(t.Description).c_str());
        if (i == 2) {
            // "Illustrated Agonia" belongs to "Agonia".
            ImGui::Indent(32 * s);
            ImGui::BeginDisabled(!d.IllustratedAgoniaEnabled);
            bool illustrated = d.IllustratedAgonia;
            if (ImGui::Checkbox(Str(dialog::kIllustratedAgoniaCaption).c_str(), &illustrated))
                d.CheckIllustratedAgonia(illustrated);
            ImGui::EndDisabled();
            ImGui::Unindent(32 * s);
            ImGui::SameLine(column);
            ImGui::TextDisabled("%s", Str(dialog::kIllustratedAgoniaDescription).c_str());
        }
    }
    ImGui::Spacing();
    ImGui::Separator();
    ImGui::Spacing();
    // The computer players' level: the label, then its buttons on the same line.
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(Str(dialog::kLevelLabel).c_str());
    for (int i = 0; i < StartupDialog::kLevelChoices; ++i) {
        ImGui::SameLine(i == 0 ? column : 0.0f, i == 0 ? -1.0f : 24.0f * s);
        if (ImGui::RadioButton(Str(dialog::kLevelCaptions[size_t(i)]).c_str(),
                               d.LevelChosen[size_t(i)]))
            d.ChooseLevel(i);
    }
    ImGui::Indent(32 * s);
    ImGui::TextDisabled("%s", Str(dialog::kLevelDescription).c_str());
    ImGui::Unindent(32 * s);
    ImGui::Spacing();
    ImGui::Separator();
    ImGui::Spacing();
    bool slow = d.SlowAnimation;
    if (ImGui::Checkbox(Str(dialog::kSlowAnimationCaption).c_str(), &slow))
        d.CheckSlowAnimation(slow);
    ImGui::Indent(32 * s);
    ImGui::TextWrapped("%s", Str(dialog::kSlowAnimationDescription).c_str());
    ImGui::Unindent(32 * s);
    if (StartupDialog::kWindowedVisible) {
        bool windowed = d.Windowed;
        if (ImGui::Checkbox(Str(dialog::kWindowedCaption).c_str(), &windowed))
            d.CheckWindowed(windowed);
    }
}

}  // namespace

std::optional<GameOptions> DrawStartupDialog(StartupDialog& d, const StartupDialogLook& look) {
    std::optional<GameOptions> chosen;
    const float s = look.Scale;
    // The 800 x 600 layout, grown by the scale and centred on the felt of a larger window.
    const ImGuiIO& io = ImGui::GetIO();
    const platform::DialogBox box = platform::PlaceDialog(
        int32_t(io.DisplaySize.x), int32_t(io.DisplaySize.y), kDialogWidth, kDialogHeight, s);
    ImGui::SetNextWindowPos(ImVec2(float(box.X), float(box.Y)));
    ImGui::SetNextWindowSize(ImVec2(float(box.Width), float(box.Height)));
    ImGui::Begin("StartupDialog", nullptr,
                 ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove |
                     ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoSavedSettings |
                     ImGuiWindowFlags_NoBringToFrontOnFocus);

    // The title.
    ImGui::PushFont(look.Fonts.Title);
    ImGui::TextColored(ImVec4(0.89f, 0.73f, 0.32f, 1.0f), "Tarrabel");
    ImGui::PopFont();
    ImGui::SameLine();
    ImGui::SetCursorPosY(ImGui::GetCursorPosY() + std::round(14 * s));
    ImGui::TextDisabled("five shedding games at one card table");

    // The tabs; the buttons keep the bottom row.
    const float buttonsHeight = ImGui::GetFrameHeightWithSpacing() + std::round(14 * s);
    if (ImGui::BeginTabBar("Tabs")) {
        for (int tab = 0; tab < StartupDialog::kTabCount; ++tab) {
            const std::string caption = Str(dialog::kTabCaptions[size_t(tab)]);
            if (!ImGui::BeginTabItem(caption.c_str())) continue;
            if (d.CurrentTab != tab) d.ClickTab(tab);
            ImGui::BeginChild("Page", ImVec2(0, -buttonsHeight), false);
            if (d.PanelVisible(0) && tab == 0) DeckPage(d, look);
            if (d.PanelVisible(1) && tab == 1)
                TextPage("Keys", dialog::kKeysSections.data(), dialog::kKeysSections.size());
            if (d.PanelVisible(2) && tab == 2)
                TextPage("Rules", dialog::kRulesSections.data(), dialog::kRulesSections.size());
            if (d.PanelVisible(3) && tab == 3)
                TextPage("Credits", dialog::kCreditsSections.data(),
                         dialog::kCreditsSections.size());
            if (d.PanelVisible(4) && tab == 4) OptionsPage(d, s);
            ImGui::EndChild();
            ImGui::EndTabItem();
        }
        ImGui::EndTabBar();
    }

    // The bottom row: the version, then "Start" (the default button) and "Exit".
    ImGui::Separator();
    ImGui::Spacing();
    ImGui::AlignTextToFramePadding();
    ImGui::TextDisabled("%s", d.VersionLabel().c_str());
    const float buttonWidth = std::round(120 * s);
    ImGui::SameLine(ImGui::GetWindowContentRegionMax().x - 2 * buttonWidth -
                    ImGui::GetStyle().ItemSpacing.x);
    if (ImGui::Button(Str(dialog::kStartCaption).c_str(), ImVec2(buttonWidth, 0)))
        chosen = d.OnStart();
    ImGui::SameLine();
    if (ImGui::Button(Str(dialog::kExitCaption).c_str(), ImVec2(buttonWidth, 0))) d.OnExit();

    // Enter starts (the start button is the default), Escape is "Exit".
    if (!d.Started && !d.Ended) {
        if (ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter)) ||
            ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_KeyPadEnter)))
            chosen = d.OnStart();
        else if (ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape)))
            d.OnExit();
    }
    ImGui::End();
    return chosen;
}

}  // namespace tarrabel
