// The options dialog shown before play: the state of its controls and what each click does
// to them, without any window. The view (Dear ImGui in the game's window) draws the
// controls from these members and calls the handlers; tests drive the same handlers.
//
// Members and handlers keep the controls' numbered names, so the view reads like the
// dialog's layout: SSTab1 the tabs, Frame1(i) the panel of tab i, Option2..4 the decks,
// Image2(0..2) their previews, Option5(0..3) the games, Option6(0..1) the computer players'
// level, Check1..6 the check boxes, Command1 the start button, Command2 "Exit".
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/options.h"

namespace tarrabel {

class frmStartup {
  public:
    static constexpr int kTabCount = 5;  // "Deck", "Keys", "Rules", "Credits", "Options"
    static constexpr int kVariantOptions = 4;
    static constexpr int kLevelOptions = 2;

    // Which controls the dialog shows. The 1024 x 768 deck (Option1) has no pictures in the
    // archive, and "Use VidMem" and "Jack of Diamonds" change nothing in this game, so
    // they stay hidden; "Windowed" is offered, unchecked, so full screen stays the default.
    static constexpr bool kOption1Visible = false;
    static constexpr bool kCheck1Visible = false;
    static constexpr bool kCheck2Visible = true;
    static constexpr bool kCheck4Visible = false;

    // ---- the controls, at their state when the dialog opens ----
    int16_t CurrentTab = 0;  // the tab shown
    bool EndOnClose = false;
    std::string_view PakFileName;

    // The decks: exactly one is selected. Option4 "Royal", Option2 "Roya2", Option3 "Roya3".
    bool Option2 = false;
    bool Option3 = false;
    bool Option4 = true;
    int PreviewShown = 0;  // the visible Image2: 0 Royal, 1 Roya2, 2 Roya3

    // The games: "Tarrabel", "Huit Americain", "Agonia", "Pis Yedili"; exactly one is selected.
    std::array<bool, kVariantOptions> Option5 = {true, false, false, false};
    bool Check6 = false;  // "Illustrated Agonia", offered only with "Agonia"
    bool Check6Enabled = false;
    bool Check4 = false;  // "Jack of Diamonds" (hidden)
    bool Check4Enabled = true;
    // The computer players' level, seats 1 to 3: 0 "Standard", 1 "Expert"; exactly one is
    // selected.
    std::array<bool, kLevelOptions> Option6 = {true, false};
    bool Check5 = false;  // "Slow animation"
    bool Check2 = false;  // "Windowed"
    bool Check1 = false;  // "Use VidMem" (hidden)

    bool Ended = false;    // the program is to end without a game: "Exit" or the close box
    bool Started = false;  // the start button was pressed

    // ---- the handlers ----
    void Form_Load();
    // Shows the panel of CurrentTab and hides the others.
    void show_tabs();
    bool PanelVisible(int tab) const;
    void SSTab1_Click(int tab);

    // Selects that game; "Illustrated Agonia" is offered only while "Agonia" is selected.
    void Option5_Click(int index);
    void Check6_Click(bool checked);
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    // Selects the computer players' level, Option6's index being the AiLevel.
    void Option6_Click(int index);
    void Check5_Click(bool checked);
    void Check2_Click(bool checked);

    // The start button: the choices as the game options. The table layout is worked out
    // from them when the game is set up.
    GameOptions Command1_Click();
    // "Exit".
    void Command2_Click();
    // The close box: ends the program unless the game has been started.
    void Form_Unload();

    // "Version " and the game's major, minor and patch numbers.
    std::string VersionLabel() const;

  private:
    void SelectDeck(int preview);

    std::array<bool, kTabCount> panelVisible_{};
};

}  // namespace tarrabel
