#include "app/startup_dialog_view.h"

#include <imgui.h>
#include <imgui_internal.h>  // the keyboard focus, for Tab (see TabOrder)

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/dialog_texts.h"
#include "platform/ui_scale.h"

namespace tarrabel {

namespace {

// ImGui takes C strings; the texts are string_views into literals, so their data is
// terminated already where the view ends at the literal's end. Copy when unsure.
std::string Str(std::string_view s) {
    return std::string(s);
}

// ---- the keyboard -------------------------------------------------------------------------
//
// ImGui moves the focus between the controls with the arrow keys and presses the focused one
// with Space. Its Tab (in 1.86) visits text fields only, and the dialog has none; so the view
// lists its controls in reading order as it draws them (the tabs, the page's controls, the
// text of a page, Start, Exit) and moves the focus along that list on Tab and Shift+Tab.
class TabOrder {
  public:
    // The control just drawn takes the next place; a disabled one is passed by, as the
    // arrow keys pass it by. The tabs come first: the open tab's page is drawn before the
    // tabs to its right.
    void Add() { Add(stops_); }
    void AddTab() { Add(tabs_); }

    // On Tab the focus goes to the next control, on Shift+Tab to the one before, round the
    // ends; with the focus nowhere yet, to the first or the last. Ctrl+Tab is left to ImGui.
    void MoveFocusOnTab() const {
        const ImGuiIO& io = ImGui::GetIO();
        if (io.KeyCtrl || !ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Tab))) return;
        std::vector<Stop> stops = tabs_;
        stops.insert(stops.end(), stops_.begin(), stops_.end());
        const ImGuiContext& g = *GImGui;
        // Inside a text page the focus is the page's own (its item in the page around it).
        const ImGuiID focused =
            g.NavId != 0 ? g.NavId : (g.NavWindow ? g.NavWindow->ChildId : ImGuiID(0));
        const int count = int(stops.size());
        if (count == 0) return;
        int at = -1;
        for (int i = 0; i < count; ++i)
            if (stops[size_t(i)].Id == focused) at = i;
        const int step = io.KeyShift ? -1 : 1;
        const int next = at < 0 ? (step > 0 ? 0 : count - 1) : (at + step + count) % count;
        const Stop& stop = stops[size_t(next)];
        ImGui::FocusWindow(stop.Window);
        ImGui::SetFocusID(stop.Id, stop.Window);
        const ImVec2 origin = stop.Window->Pos;
        stop.Window->NavRectRel[ImGuiNavLayer_Main] =
            ImRect(stop.Rect.Min.x - origin.x, stop.Rect.Min.y - origin.y,
                   stop.Rect.Max.x - origin.x, stop.Rect.Max.y - origin.y);
        // Shown at once, as after an arrow key; the pointer's hover gives way to it.
        GImGui->NavDisableHighlight = false;
        GImGui->NavDisableMouseHover = true;
    }

  private:
    struct Stop {
        ImGuiID Id;
        ImGuiWindow* Window;
        ImRect Rect;  // where the focus frame goes, on the screen
    };
    static void Add(std::vector<Stop>& list) {
        const ImGuiLastItemData& item = GImGui->LastItemData;
        if (item.ID == 0 || (item.InFlags & ImGuiItemFlags_Disabled)) return;
        list.push_back({item.ID, GImGui->CurrentWindow, item.NavRect});
    }

    std::vector<Stop> tabs_, stops_;
};

// A page of text. Its frame is one control: Space on it lets the arrow keys (and Page Up,
// Page Down) scroll the text, Escape steps back out. Answers whether the keys are in it.
bool TextPage(const char* id, const dialog::TextSection* sections, size_t count, TabOrder& order) {
    ImGui::BeginChild(id, ImVec2(0, 0), true);
    const bool reading = ImGui::IsWindowFocused();
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
    order.Add();  // a page short enough to need no scrolling is no control
    return reading;
}

void DeckPage(StartupDialog& d, const StartupDialogLook& look, TabOrder& order) {
    const float s = look.Scale;
    // Royal, Roya2, Roya3 in the order of their previews 0, 1, 2.
    ImGui::BeginGroup();
    for (int i = 0; i < StartupDialog::kDeckChoices; ++i) {
        const dialog::DeckOptionText& t = dialog::kDeckOptions[size_t(i)];
        const auto deck = StartupDialog::Deck(i);
        if (ImGui::RadioButton(Str(t.Caption).c_str(), d.SelectedDeck == deck)) d.ChooseDeck(deck);
        order.Add();
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
    order.Add();
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

void OptionsPage(StartupDialog& d, float s, TabOrder& order) {
    const float column = kDescriptionColumn * s;
    for (int i = 0; i < StartupDialog::kGameChoices; ++i) {
        const dialog::VariantOptionText& t = dialog::kGameTexts[size_t(i)];
        // Each game with its description beside it, so that the page fits without scrolling.
        if (ImGui::RadioButton(Str(t.Caption).c_str(), d.GameChosen[size_t(i)])) d.ChooseGame(i);
        order.Add();
        ImGui::SameLine(column);
        ImGui::TextDisabled("%s", Str(t.Description).c_str());
        if (i == 2) {
            // "Illustrated Agonia" belongs to "Agonia".
            ImGui::Indent(32 * s);
            ImGui::BeginDisabled(!d.IllustratedAgoniaEnabled);
            bool illustrated = d.IllustratedAgonia;
            if (ImGui::Checkbox(Str(dialog::kIllustratedAgoniaCaption).c_str(), &illustrated))
                d.CheckIllustratedAgonia(illustrated);
            order.Add();
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
        order.Add();
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
    order.Add();
    ImGui::Indent(32 * s);
    ImGui::TextWrapped("%s", Str(dialog::kSlowAnimationDescription).c_str());
    ImGui::Unindent(32 * s);
    // Two boxes on one line, so that the page needs no scrolling.
    bool showHands = d.ShowHands;
    if (ImGui::Checkbox(Str(dialog::kShowHandsCaption).c_str(), &showHands))
        d.CheckShowHands(showHands);
    order.Add();
    if (StartupDialog::kWindowedVisible) {
        ImGui::SameLine(2 * column);
        bool windowed = d.Windowed;
        if (ImGui::Checkbox(Str(dialog::kWindowedCaption).c_str(), &windowed))
            d.CheckWindowed(windowed);
        order.Add();
    }
}

// The results of every game at one level, the level chosen by its buttons above them, and
// "Reset", which asks before it clears anything.
void StatisticsPage(StartupDialog& d, float s, TabOrder& order) {
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(Str(dialog::kLevelLabel).c_str());
    for (int i = 0; i < StartupDialog::kLevelChoices; ++i) {
        ImGui::SameLine(i == 0 ? kDescriptionColumn * s : 0.0f, i == 0 ? -1.0f : 24.0f * s);
        const std::string id = Str(dialog::kLevelCaptions[size_t(i)]) + "##results";
        if (ImGui::RadioButton(id.c_str(), d.StatisticsLevel == i)) d.ChooseStatisticsLevel(i);
        order.Add();
    }
    ImGui::Spacing();
    const AiLevel level = StartupDialog::kLevelChoiceLevels[size_t(d.StatisticsLevel)];
    bool any = false;
    for (int v = 0; v < kVariantCount; ++v)
        any |= d.Results.Of(GameVariant(v), level).Played > 0;
    // Streaks and totals two to a column, the best in brackets, so that every heading
    // fits the page.
    static constexpr std::array<const char*, 9> kHeadings = {
        "Game",          "Played",     "Won",        "Lost", "Win %",
        "Streak (best)", "Best total", "Avg. total", "Deals"};
    const ImGuiTableFlags flags = ImGuiTableFlags_RowBg | ImGuiTableFlags_BordersInnerH |
                                  ImGuiTableFlags_SizingStretchProp | ImGuiTableFlags_PadOuterX;
    if (ImGui::BeginTable("Results", int(kHeadings.size()), flags)) {
        static constexpr std::array<float, 9> kWeights = {2.4f, 1.0f, 0.8f, 0.8f, 1.0f,
                                                          1.7f, 1.4f, 1.1f, 0.9f};
        for (size_t c = 0; c < kHeadings.size(); ++c)
            ImGui::TableSetupColumn(kHeadings[c], 0, kWeights[c]);
        ImGui::TableHeadersRow();
        for (int v = 0; v < kVariantCount; ++v) {
            const GameRecord& r = d.Results.Of(GameVariant(v), level);
            ImGui::TableNextRow();
            ImGui::TableNextColumn();
            ImGui::TextUnformatted(Str(VariantName(GameVariant(v))).c_str());
            auto cell = [](const std::string& text) {
                ImGui::TableNextColumn();
                ImGui::TextUnformatted(text.c_str());
            };
            if (r.Played == 0) {
                for (size_t c = 1; c < kHeadings.size(); ++c)
                    cell("-");
                continue;
            }
            char percent[16], average[16];
            std::snprintf(percent, sizeof percent, "%.0f", 100.0 * r.Won / r.Played);
            std::snprintf(average, sizeof average, "%.1f", AverageTotal(r));
            cell(std::to_string(r.Played));
            cell(std::to_string(r.Won));
            cell(std::to_string(r.Lost));
            cell(percent);
            cell(std::to_string(r.CurrentStreak) + " (" + std::to_string(r.BestStreak) + ")");
            cell(r.BestTotal < 0 ? "-" : std::to_string(r.BestTotal));
            cell(r.Finished > 0 ? average : "-");
            cell(std::to_string(r.Deals));
        }
        ImGui::EndTable();
    }
    ImGui::Spacing();
    if (!any) ImGui::TextDisabled("%s", Str(dialog::kNoMatchesYet).c_str());
    // Hints taken, where a game at this level had any.
    int64_t hints = 0;
    for (int v = 0; v < kVariantCount; ++v)
        hints += d.Results.Of(GameVariant(v), level).Hints;
    if (hints > 0) ImGui::TextDisabled("Hints taken at this level: %lld", (long long)hints);
    ImGui::Spacing();
    ImGui::Spacing();
    ImGuiStorage& memory = *ImGui::GetStateStorage();
    const ImGuiID askedKey = ImGui::GetID("reset asked");
    if (!d.ResetAsked) {
        if (ImGui::Button(Str(dialog::kResetCaption).c_str(), ImVec2(std::round(120 * s), 0)))
            d.AskReset();
        // Back from the question, the focus is where it was before it.
        if (memory.GetBool(askedKey)) {
            ImGui::SetFocusID(ImGui::GetItemID(), ImGui::GetCurrentWindow());
            memory.SetBool(askedKey, false);
        }
        order.Add();
        return;
    }
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(Str(dialog::kResetQuestion).c_str());
    if (ImGui::Button(Str(dialog::kResetYesCaption).c_str(), ImVec2(std::round(120 * s), 0)))
        d.AnswerReset(true);
    order.Add();
    ImGui::SameLine();
    if (ImGui::Button(Str(dialog::kResetNoCaption).c_str(), ImVec2(std::round(120 * s), 0)))
        d.AnswerReset(false);
    // The question takes the focus, on the answer that keeps the results: a Space typed
    // after "Reset" clears nothing.
    if (!memory.GetBool(askedKey)) {
        ImGui::SetFocusID(ImGui::GetItemID(), ImGui::GetCurrentWindow());
        GImGui->NavDisableHighlight = false;
        memory.SetBool(askedKey, true);
    }
    order.Add();
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
    // What the keys did in the frames before, kept with the window.
    ImGuiStorage& memory = *ImGui::GetStateStorage();
    const ImGuiID readingKey = ImGui::GetID("reading");
    const bool wasReading = memory.GetBool(readingKey);
    std::array<ImGuiID, StartupDialog::kTabCount> tabKeys{};
    for (int tab = 0; tab < StartupDialog::kTabCount; ++tab)
        tabKeys[size_t(tab)] = ImGui::GetID(("tab " + std::to_string(tab)).c_str());
    // Left and Right along the tabs open the page of the tab they move to (the focus moves
    // with them). It opens in the next frame with the focus, so that a Down right after it
    // goes into the new page.
    int tabByKeys = -1;
    for (int tab = 0; tab < StartupDialog::kTabCount && !io.KeyCtrl; ++tab) {
        if (GImGui->NavId == 0 || GImGui->NavId != ImGuiID(memory.GetInt(tabKeys[size_t(tab)])))
            continue;
        if (ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_LeftArrow))) tabByKeys = tab - 1;
        if (ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_RightArrow))) tabByKeys = tab + 1;
    }
    // A Down asked for in the first frame of a page opened by keys waits a frame: not all
    // of the new page's controls are there yet (a page of text is a control only once it is
    // known to scroll), and a Down typed at once would pass them by to "Start".
    ImGuiContext& g = *GImGui;
    const ImGuiID pageByKeysKey = ImGui::GetID("page by keys");
    if (memory.GetBool(pageByKeysKey) && g.NavMoveSubmitted && g.NavMoveDir == ImGuiDir_Down &&
        !g.NavMoveForwardToNextFrame && !(g.NavMoveFlags & ImGuiNavMoveFlags_Forwarded))
        ImGui::NavMoveRequestForward(g.NavMoveDir, g.NavMoveClipDir, g.NavMoveFlags,
                                     g.NavMoveScrollFlags);
    memory.SetBool(pageByKeysKey, tabByKeys >= 0 && tabByKeys < StartupDialog::kTabCount);
    TabOrder order;
    bool reading = false;

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
            const bool open = ImGui::BeginTabItem(
                caption.c_str(), nullptr, tab == tabByKeys ? ImGuiTabItemFlags_SetSelected : 0);
            order.AddTab();
            memory.SetInt(tabKeys[size_t(tab)], int(ImGui::GetItemID()));
            if (!open) continue;
            if (d.CurrentTab != tab) d.ClickTab(tab);
            // The page's controls are the dialog's own to the arrow keys, which go from the
            // tabs down into the page and on to the buttons, as the eye does.
            ImGui::BeginChild("Page", ImVec2(0, -buttonsHeight), false,
                              ImGuiWindowFlags_NavFlattened);
            if (d.PanelVisible(0) && tab == 0) DeckPage(d, look, order);
            if (d.PanelVisible(1) && tab == 1)
                reading = TextPage("Keys", dialog::kKeysSections.data(),
                                   dialog::kKeysSections.size(), order);
            if (d.PanelVisible(2) && tab == 2)
                reading = TextPage("Rules", dialog::kRulesSections.data(),
                                   dialog::kRulesSections.size(), order);
            if (d.PanelVisible(3) && tab == 3)
                reading = TextPage("Credits", dialog::kCreditsSections.data(),
                                   dialog::kCreditsSections.size(), order);
            if (d.PanelVisible(4) && tab == 4) OptionsPage(d, s, order);
            if (d.PanelVisible(StartupDialog::kStatisticsTab) &&
                tab == StartupDialog::kStatisticsTab)
                StatisticsPage(d, s, order);
            ImGui::EndChild();
            ImGui::EndTabItem();
        }
        ImGui::EndTabBar();
    }

    // The bottom row: the version (or the match left unfinished), then "Resume" when there
    // is one, "Start" and "Exit". The default button is "Resume" when offered, so that Enter
    // never throws a kept match away; "Start" otherwise.
    ImGui::Separator();
    ImGui::Spacing();
    ImGui::AlignTextToFramePadding();
    const float buttonWidth = std::round(120 * s);
    const int buttons = d.ResumeOffered ? 3 : 2;
    if (d.ResumeOffered) {
        // What "Resume" goes back to, in the version's place: the long form where it fits.
        const float room = ImGui::GetWindowContentRegionMax().x - ImGui::GetCursorPosX() -
                           float(buttons) * (buttonWidth + ImGui::GetStyle().ItemSpacing.x);
        const std::string& label = ImGui::CalcTextSize(d.ResumeLabel.c_str()).x <= room
                                       ? d.ResumeLabel
                                       : d.ResumeShortLabel;
        ImGui::TextColored(ImVec4(0.89f, 0.73f, 0.32f, 1.0f), "%s", label.c_str());
    } else {
        ImGui::TextDisabled("%s", d.VersionLabel().c_str());
    }
    ImGui::SameLine(ImGui::GetWindowContentRegionMax().x - float(buttons) * buttonWidth -
                    float(buttons - 1) * ImGui::GetStyle().ItemSpacing.x);
    if (d.ResumeOffered) {
        if (ImGui::Button(Str(dialog::kResumeCaption).c_str(), ImVec2(buttonWidth, 0)))
            d.OnResume();
        order.Add();
        ImGui::SameLine();
    }
    if (ImGui::Button(Str(dialog::kStartCaption).c_str(), ImVec2(buttonWidth, 0)))
        chosen = d.OnStart();
    order.Add();
    ImGui::SameLine();
    if (ImGui::Button(Str(dialog::kExitCaption).c_str(), ImVec2(buttonWidth, 0))) d.OnExit();
    order.Add();

    // Enter presses the default button wherever the focus is ("Resume" when offered, else
    // "Start"), unless a control
    // is held down at that moment; Escape is "Exit", except that from inside a page of text
    // it only steps back out (ImGui has done that already this frame).
    if (!d.Started && !d.Ended && !ImGui::IsAnyItemActive()) {
        if (ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter)) ||
            ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_KeyPadEnter))) {
            if (d.ResumeOffered)
                d.OnResume();
            else
                chosen = d.OnStart();
        } else if (ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape)) && !wasReading)
            d.OnExit();
    }
    order.MoveFocusOnTab();
    memory.SetBool(readingKey, reading);
    ImGui::End();
    return chosen;
}

}  // namespace tarrabel
